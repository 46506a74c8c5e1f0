#include "app/cli/Headless.h"

#include "app/AppInfo.h"

#include <cstdio>

namespace Headless {

void Out(const QString& text)
{
    const QByteArray b = text.toUtf8();
    std::fwrite(b.constData(), 1, size_t(b.size()), stdout);
    std::fflush(stdout);
}

void Err(const QString& text)
{
    const QByteArray b = text.toUtf8();
    std::fwrite(b.constData(), 1, size_t(b.size()), stderr);
    std::fflush(stderr);
}

int Run(const CliOptions& o)
{
    switch (o.mode) {
    case CliMode::Help:
        Out(UsageText());
        return 0;
    case CliMode::Version:
        Out(AppInfo::FullCaption() + QLatin1Char('\n'));
        return 0;
    case CliMode::ToolsInfo: return RunToolsInfo(o);
    case CliMode::Info: return RunInfo(o);
    case CliMode::CmdLine: return RunCmdLine(o);
    case CliMode::Convert: return RunConvert(o);
    case CliMode::Script: return RunScript(o);
    case CliMode::Gui: break;
    }
    return 2;
}

} // namespace Headless
