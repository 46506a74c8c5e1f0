#include "cli/Headless.h"

#include "base/AppInfo.h"
#include "base/AppParams.h"
#include "lib/NativeName.h"
#include "lib/Strings.h"
#include "lib/TerminationSignal.h"
#include "media/AnalysisClient.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace Headless {

namespace {

void Write(std::FILE* stream, const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

// The row lines give a name that is not UTF-8 as its bytes, so that a script can take it;
// messages for a person show such bytes as "\xE9".
void Out(const QString& text) { Write(stdout, NativeName::Encode(TerminalText(text))); }

void Err(const QString& text) { Write(stderr, TerminalText(NativeName::Shown(text)).toUtf8()); }

void ErrProgressLine(const QString& text)
{
    // Back to the line's start, the text, then erase what a longer previous line left.
    Write(stderr, QByteArray("\r") + TerminalText(text, false).toUtf8() + QByteArray("\x1b[K"));
}

void ErrEndProgressLine() { Write(stderr, QByteArray("\r\x1b[K")); }

bool ResolveSettings(const CliOptions& o, THeadlessSettings& settings)
{
    settings = THeadlessSettings::Resolve(AppParams(), o.profile, o.sets);
    for (const QString& warning : settings.Warnings)
        Err(QStringLiteral("vexaconv: %1\n").arg(warning));
    if (!settings.Status)
        Err(UsageErrorText(settings.Status.error()));
    return settings.Status.ok();
}

void WarnIfNoMediaInfo(TUnanalysed what)
{
    // The analysis workers load the library themselves (and analysis in this process loads
    // it on first use): here it is only looked for, which costs nothing at start.
    const QString& dll = AppParams().MediaInfoDll;
    if (!dll.isEmpty() && QFileInfo(dll).isFile())
        return;
    Err(QStringLiteral("vexaconv: %1\n")
            .arg(what == TUnanalysed::TheFile
                     ? QCoreApplication::translate("Headless",
                                                   "warning: the MediaInfo library was not found; the file is not analysed")
                     : QCoreApplication::translate("Headless",
                                                   "warning: the MediaInfo library was not found; files are not analysed")));
}

int Run(const CliOptions& o)
{
    // A file whose analysis timed out is named; the run goes on without its properties.
    AnalysisClient().SetNotice([](const QString& text) {
        Err(QStringLiteral("vexaconv: %1\n").arg(QCoreApplication::translate("Headless", "warning: %1").arg(text)));
    });
    // The modes that run no encoder end on a signal as any program does; the others abort
    // what they run (TSignalGuard).
    if (o.mode != CliMode::Convert && o.mode != CliMode::Script && o.mode != CliMode::Preview)
        TerminationSignal::LeaveToSystem();
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
    case CliMode::Check: return RunCheck(o);
    case CliMode::CheckUpdate: return RunCheckUpdate(o);
    case CliMode::Preview: return RunPreview(o);
    case CliMode::Gui: break;
    }
    return 2;
}

} // namespace Headless
