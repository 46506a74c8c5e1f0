// Adds a folder through the main window's add-folder path and prints the time until the
// rows are listed, the time until the last row is filled in by the analysis workers, the
// bare one-core analysis time of the same files (in this process, both passes), their
// ratio, and the longest time the event loop was blocked (the longest gap of a 10 ms
// timer); also the time from start to the window shown.
// Usage: bench_ui_addfolder FOLDER [None|Quick|Full]
#include "base/AppParams.h"
#include "filelist/FileListModel.h"
#include "lib/WorkerProgram.h"
#include "media/AnalysisPool.h"
#include "media/MediaAnalysis.h"
#include "ui/TFormMain.h"
#include "ui/UiKit.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

qint64 BareAnalysisMs(const QString& folder, const QString& library)
{
    QElapsedTimer t;
    t.start();
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        const QString f = dir.filePath(name);
        TVideoFileInfo info;
        AnalyzeMediaFileInProcess(f, library, info);
        if (info.NumberOfVideoStreams > 0 && (info.VideoStreams[0].Bitrate <= 0 || info.VideoStreams[0].FPS <= 0))
            GetVideoFileInfoInProcess(f, library, info);
    }
    return t.elapsed();
}

} // namespace

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
    SetWorkerProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/vexaconv"));
    QTemporaryDir home;
    InitAppParams(EditAppParams(), home.path(), QCoreApplication::applicationDirPath());
    TFormMain w;
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        return 1;
    const qint64 shownMs = sinceStart.elapsed();

    EditAppParams().FileAnalysis = analysis == QLatin1String("None") ? faNone
                               : analysis == QLatin1String("Quick") ? faQuick
                                                                    : faFull;
    // A timer that wants to run every 10 ms: the longest gap between two of its runs is
    // the longest time the window could not react.
    QElapsedTimer gapClock;
    qint64 longestGap = 0;
    QTimer probe;
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout, [&] { longestGap = std::max(longestGap, gapClock.restart()); });
    QElapsedTimer total;
    qint64 listedMs = 0;
    const auto report = [&] {
        const qint64 ms = total.elapsed();
        longestGap = std::max(longestGap, gapClock.elapsed());
        probe.stop();
        std::printf("window shown after start: %lld ms\n", static_cast<long long>(shownMs));
        std::printf("analysis workers: %d\n", AnalysisPool().WorkerCount());
        std::printf("add folder (%s analysis): %d rows listed in %lld ms, all filled in after %lld ms\n",
                    qPrintable(analysis), w.List()->rowCount(), static_cast<long long>(listedMs),
                    static_cast<long long>(ms));
        std::printf("longest event-loop block: %lld ms (target at most 50)\n", static_cast<long long>(longestGap));
        if (analysis != QLatin1String("None")) {
            const qint64 bare = BareAnalysisMs(folder, ResolveMediaInfoDll(EditAppParams()));
            std::printf("bare one-core analysis of the same files: %lld ms\n", static_cast<long long>(bare));
            std::printf("ratio: %.3f (target at most 0.6)\n", bare > 0 ? double(ms) / double(bare) : 0.0);
        }
        app.quit();
    };
    QTimer::singleShot(0, [&] {
        gapClock.start();
        probe.start();
        total.start();
        w.AddFolder(folder);
        listedMs = total.elapsed();
        if (w.List()->PendingAnalyses() == 0)
            report();
        else
            QObject::connect(w.List(), &TFileListModel::analysisFinished, report);
    });
    return app.exec();
}
