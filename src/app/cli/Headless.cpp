#include "app/cli/Headless.h"

#include "app/AppInfo.h"
#include "app/AppParams.h"
#include "media/AnalysisClient.h"
#include "media/MediaInfoLib.h"

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

bool ResolveSettings(const CliOptions& o, THeadlessSettings& settings)
{
    settings = THeadlessSettings::Resolve(AppParams(), o.profile, o.sets);
    for (const QString& warning : settings.Warnings)
        Err(QStringLiteral("vexaconv: %1\n").arg(warning));
    if (!settings.Ok)
        Err(UsageErrorText(settings.Error));
    return settings.Ok;
}

void LoadMediaInfoOrWarn(const char* what)
{
    const QString& dll = AppParams().MediaInfoDll;
    if (dll.isEmpty() || !LoadMediaInfoLibrary(dll))
        Err(QStringLiteral("vexaconv: warning: the MediaInfo library was not found; %1 not analysed\n")
                .arg(QLatin1String(what)));
}

int Run(const CliOptions& o)
{
    // A file whose analysis timed out is named; the run goes on without its properties.
    AnalysisClient().SetNotice([](const QString& text) { Err(QStringLiteral("vexaconv: warning: %1\n").arg(text)); });
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
