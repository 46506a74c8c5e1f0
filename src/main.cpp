#include "base/AppInfo.h"
#include "base/AppParams.h"
#include "base/Language.h"
#include "base/Platform.h"
#include "cli/CommandLine.h"
#include "cli/Headless.h"
#include "settings/AppSettings.h"
#include "ui/TCloseOnSignal.h"
#include "lib/TerminationSignal.h"
#include "lib/NativeName.h"
#include "lib/WorkerProgram.h"
#include "media/AnalysisClient.h"
#include "media/AnalysisWorker.h"
#include "ui/TFormMain.h"
#include "ui/TInstanceChannel.h"
#include "ui/UiKit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QAction>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

// The language of this run: the stored choice, or the locale's when there is none (or no
// home was read, as for --help).
void InstallLanguage(const QString& choice)
{
    const QString lang = Language::Resolve(choice, Language::ProcessLocaleVars(), Language::Translated());
    Language::Install(lang, Language::CatalogueDirs(QCoreApplication::applicationDirPath()), QCoreApplication::instance());
}

} // namespace

int main(int argc, char* argv[])
{
    // The program started as its own analysis worker (by TAnalysisClient, never by a user:
    // the argument is not in the help).
    if (argc == 2 && std::strcmp(argv[1], AnalysisWorkerArgument) == 0) {
        QCoreApplication app(argc, argv);
        Platform::EnsureUtf8CType();
        return RunAnalysisWorker();
    }

    // Ctrl+C and SIGTERM count from here on: what the program starts later takes the
    // signal over and sees one that came before (lib/TerminationSignal.h).
    TerminationSignal::Install();

    // The command line decides first: headless modes must never need a display.
    // Names as the file system holds them: one that is not UTF-8 keeps its bytes.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << NativeName::Decode(QByteArray(argv[i]));
    const CliParseResult parsed = ParseCommandLine(args);
    if (!parsed.ok) {
        // Parsed again once the user's language is in place, for the message's sake.
        QCoreApplication app(argc, argv);
        Platform::EnsureUtf8CType();
        InstallLanguage(QString::fromLatin1(Language::SystemChoice));
        Headless::Err(UsageErrorText(ParseCommandLine(args).error)); // the argument may hold control characters
        return 2;
    }
    const CliOptions& opts = parsed.options;

    if (opts.mode != CliMode::Gui) {
        QCoreApplication app(argc, argv);
        Platform::EnsureUtf8CType();
        // Asking for the usage or the version touches no file and creates no home.
        if (opts.mode != CliMode::Help && opts.mode != CliMode::Version) {
            InitAppParams(EditAppParams(), opts.home, QCoreApplication::applicationDirPath());
            // The settings file may move the tools, for the headless modes as for the window.
            TAppSettings::LoadStartValues(EditAppParams());
            InstallLanguage(AppParams().Language);
        } else {
            InstallLanguage(QString::fromLatin1(Language::SystemChoice));
        }
        SetWorkerProgram(QCoreApplication::applicationFilePath());
        const int status = Headless::Run(opts);
        AnalysisClient().Shutdown();
        return status;
    }

    QApplication app(argc, argv);
    Platform::EnsureUtf8CType();
    QApplication::setApplicationName(QString::fromLatin1(AppInfo::ExecutableName));
    QApplication::setApplicationDisplayName(QString());
    UiKit::ApplyAppStyle(app);
    QApplication::setWindowIcon(UiKit::AppIcon());
    InitAppParams(EditAppParams(), opts.home, QCoreApplication::applicationDirPath());
    // One window per home: a window running for it takes this start's files and comes to
    // the front. The window's command line holds nothing but inputs and --home (the
    // settings options belong to the headless modes, which never get here), and --home
    // chooses the window, so every start of the window forwards, a bare one just raising.
    if (TInstanceChannel::Forward(AppParams().AppDir, opts.inputs))
        return 0;
    TInstanceChannel channel;
    // Before the window's own add, whose event loop may already bring the next start; a
    // window that holds the name but did not answer keeps it, and this one works alone.
    channel.Listen(AppParams().AppDir);
    TAppSettings::LoadStartValues(EditAppParams());
    InstallLanguage(AppParams().Language);
    SetWorkerProgram(QCoreApplication::applicationFilePath());
    // The program ends when the main window closes, also from the tray or after a batch
    // it was closed during; a side window left alone does not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    TFormMain w(opts.inputs);
    QObject::connect(&w, &TFormMain::Closed, &channel, &TInstanceChannel::StopListening);
    QObject::connect(&w, &TFormMain::Closed, &app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    channel.SetReceiver([&w](const QStringList& inputs) { w.AddForwardedInputs(inputs); });
    const TCloseOnSignal closeOnSignal(&w);
    w.show();
    // Smoke tests start the window and let it close by itself.
    if (const int ms = qEnvironmentVariableIntValue("VEXACONV_QUIT_AFTER_MS"); ms > 0)
        QTimer::singleShot(ms, &w, &QWidget::close);
    // Crash tests start the window's batch over the command line's files, as Convert does.
    if (qEnvironmentVariableIntValue("VEXACONV_CONVERT_AT_START") > 0)
        QTimer::singleShot(0, &w, [&w] {
            if (QAction* convert = w.Action(QStringLiteral("actConvert")))
                convert->trigger();
        });
    const int status = app.exec();
    AnalysisClient().Shutdown();
    return status;
}
