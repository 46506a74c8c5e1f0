#include "base/AppInfo.h"
#include "base/AppParams.h"
#include "base/Platform.h"
#include "cli/CommandLine.h"
#include "cli/Headless.h"
#include "ui/TFormMain.h"
#include "ui/UiKit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
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
        return Headless::Run(opts);
    }

    QApplication app(argc, argv);
    Platform::EnsureUtf8CType();
    QApplication::setApplicationName(QString::fromLatin1(AppInfo::ExecutableName));
    QApplication::setApplicationDisplayName(QString());
    UiKit::ApplyAppStyle(app);
    InitAppParams(AppParams(), opts.home, QCoreApplication::applicationDirPath());
    TFormMain w(opts.inputs.value(0));
    w.show();
    // Smoke tests start the window and let it close by itself.
    if (const int ms = qEnvironmentVariableIntValue("VEXACONV_QUIT_AFTER_MS"); ms > 0)
        QTimer::singleShot(ms, &w, &QWidget::close);
    return app.exec();
}
