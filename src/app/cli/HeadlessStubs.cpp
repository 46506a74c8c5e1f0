#include "app/cli/Headless.h"

// Modes whose engines are still being built answer with a set-up error.
namespace Headless {

static int NotYet(const char* mode)
{
    Err(QStringLiteral("vexaconv: %1 is not available in this build\n").arg(QLatin1String(mode)));
    return 2;
}

int RunConvert(const CliOptions&) { return NotYet("--convert"); }
int RunScript(const CliOptions&) { return NotYet("--script"); }

} // namespace Headless
