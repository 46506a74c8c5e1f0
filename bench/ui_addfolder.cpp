// Adds a folder through the main window's add-folder path and prints the total time and
// the longest time the event loop was blocked; also the time from start to the window
// shown. Usage: bench_ui_addfolder FOLDER [None|Quick|Full]
#include "base/AppParams.h"
#include "filelist/FileListModel.h"
#include "ui/TFormMain.h"
#include "ui/UiKit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: bench_ui_addfolder FOLDER [None|Quick|Full]\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString analysis = argc > 2 ? QString::fromLatin1(argv[2]) : QStringLiteral("Full");
    UiKit::ApplyAppStyle(app);
    QTemporaryDir home;
    InitAppParams(AppParams(), home.path(), QCoreApplication::applicationDirPath());
    TFormMain w;
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        return 1;
    const qint64 shownMs = sinceStart.elapsed();

    AppParams().FileAnalysis = analysis == QLatin1String("None") ? faNone
                               : analysis == QLatin1String("Quick") ? faQuick
                                                                    : faFull;
    // A timer that wants to run every millisecond: the longest gap between two of its
    // runs is the longest time the window could not react.
    QElapsedTimer gapClock;
    qint64 longestGap = 0;
    QTimer probe;
    probe.setInterval(1);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, gapClock.restart());
    });
    QElapsedTimer total;
    QTimer::singleShot(0, [&] {
        gapClock.start();
        probe.start();
        total.start();
        w.AddFolder(folder);
        const qint64 ms = total.elapsed();
        longestGap = std::max(longestGap, gapClock.elapsed());
        probe.stop();
        std::printf("window shown after start: %lld ms\n", static_cast<long long>(shownMs));
        std::printf("add folder (%s analysis): %d rows in %lld ms\n", qPrintable(analysis), w.List()->rowCount(),
                    static_cast<long long>(ms));
        std::printf("longest event-loop block: %lld ms\n", static_cast<long long>(longestGap));
        app.quit();
    });
    return app.exec();
}
