#include "cli/Headless.h"

#include "base/AppParams.h"
#include "media/ToolsInfo.h"

namespace Headless {

// The report the "Tools info" window shows, CR LF line ends kept, one line break after.
int RunToolsInfo(const CliOptions&)
{
    TAppParams params = AppParams(); // resolving the tools writes to it
    Out(ToolsInfo::ToolsReport(params, ToolsInfo::DefaultLabelWidth) + QStringLiteral("\r\n"));
    return 0;
}

} // namespace Headless
