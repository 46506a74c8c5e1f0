#include "app/AppInfo.h"
#include "app/AppParams.h"
#include "app/Platform.h"
#include "app/cli/CommandLine.h"
#include "app/cli/Headless.h"
#include "lib/WorkerProgram.h"
#include "media/AnalysisClient.h"
#include "media/AnalysisWorker.h"
#include "ui/TFormMain.h"
#include "ui/UiKit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    // The program started as its own analysis worker (by TAnalysisClient, never by a user:
    // the argument is not in the help).
    if (argc == 2 && std::strcmp(argv[1], AnalysisWorkerArgument) == 0) {
        QCoreApplication app(argc, argv);
        Platform::EnsureUtf8CType();
        return RunAnalysisWorker();
    }

    // The command line decides first: headless modes must never need a display.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const CliParseResult parsed = ParseCommandLine(args);
    if (!parsed.ok) {
        std::fputs(UsageErrorText(parsed.error).toLocal8Bit().constData(), stderr);
        return 2;
    }
    const CliOptions& opts = parsed.options;

    if (opts.mode != CliMode::Gui) {
        QCoreApplication app(argc, argv);
        Platform::EnsureUtf8CType();
        InitAppParams(AppParams(), opts.home, QCoreApplication::applicationDirPath());
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
    InitAppParams(AppParams(), opts.home, QCoreApplication::applicationDirPath());
    SetWorkerProgram(QCoreApplication::applicationFilePath());
    TFormMain w(opts);
    w.show();
    // Smoke tests start the window and let it close by itself.
    if (const int ms = qEnvironmentVariableIntValue("VEXACONV_QUIT_AFTER_MS"); ms > 0)
        QTimer::singleShot(ms, &w, &QWidget::close);
    const int status = app.exec();
    AnalysisClient().Shutdown();
    return status;
}
