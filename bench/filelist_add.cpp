// Adds a folder of files to the file list with full analysis, the analysis spread over the
// worker processes of the pool, and compares the time until the last row is filled in with
// the bare analysis of the same files on one core, in this process (quick analysis plus
// the complete second pass where the list would once have run it); prints the longest
// time the event loop was blocked meanwhile (a 10 ms timer's longest gap), then the
// process memory with the rows still listed.
//
// Usage: bench_filelist ratio DIR LIBRARY [ROUNDS]
//        bench_filelist memory DIR LIBRARY

#include "base/AppParams.h"
#include "base/Platform.h"
#include "filelist/FileListModel.h"
#include "lib/WorkerProgram.h"
#include "media/AnalysisPool.h"
#include "media/MediaAnalysis.h"
#include "media/MediaInfoLib.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace {

void Print(const QString& line)
{
    QTextStream out(stdout);
    out << line << '\n';
}

QString Ms(qint64 ns)
{
    return QString::number(double(ns) / 1e6, 'f', 1) + QStringLiteral(" ms");
}

// Resident memory in kB, from /proc/self/status.
qint64 VmRssKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return QString::fromLatin1(line.mid(6)).trimmed().split(QLatin1Char(' ')).first().toLongLong();
    }
    return -1;
}

QString Mb(qint64 kb)
{
    return QString::number(double(kb) / 1024.0, 'f', 1) + QStringLiteral(" MB");
}

// What the list's full analysis costs on one core without the list: both passes, in
// this process, nothing else.
qint64 BareAnalysis(const QStringList& files, const QString& library)
{
    QElapsedTimer t;
    t.start();
    for (const QString& f : files) {
        TVideoFileInfo info;
        AnalyzeMediaFileInProcess(f, library, info);
        if (info.NumberOfVideoStreams > 0 && (info.VideoStreams[0].Bitrate <= 0 || info.VideoStreams[0].FPS <= 0))
            GetVideoFileInfoInProcess(f, library, info);
    }
    return t.nsecsElapsed();
}

// Adds the folder as the window does (events handled while it scans and adds) and waits
// for the last answer; longestGapMs: the longest gap of a 10 ms timer meanwhile.
qint64 ListAdd(TAppParams& params, const QString& dir, int& rows, qint64* longestGapMs = nullptr)
{
    QElapsedTimer gapClock;
    qint64 longestGap = 0;
    QTimer probe;
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout, [&] { longestGap = std::max(longestGap, gapClock.restart()); });
    TAddProgress progress;
    progress.OnScan = [](int) { QCoreApplication::processEvents(); };
    progress.OnAdd = [](int, int) { QCoreApplication::processEvents(); };

    QElapsedTimer t;
    t.start();
    gapClock.start();
    probe.start();
    TFileListModel model(params);
    model.SetAnalysisPool(&AnalysisPool());
    model.AddFolder(dir, true, progress);
    model.WaitForAnalysis();
    const qint64 ns = t.nsecsElapsed();
    longestGap = std::max(longestGap, gapClock.elapsed());
    probe.stop();
    rows = model.rowCount();
    if (longestGapMs)
        *longestGapMs = longestGap;
    return ns;
}

int Ratio(TAppParams& params, const QString& dir, const QStringList& files, int rounds)
{
    int rows = 0;
    ListAdd(params, dir, rows); // warm the page cache and the library
    std::vector<qint64> bare, list;
    qint64 longestGap = 0;
    for (int r = 0; r < rounds; ++r) {
        qint64 gap = 0;
        list.push_back(ListAdd(params, dir, rows, &gap));
        longestGap = std::max(longestGap, gap);
        bare.push_back(BareAnalysis(files, params.MediaInfoDll));
        Print(QStringLiteral("round %1: list add %2 (longest event-loop block %3 ms), bare analysis %4")
                  .arg(r + 1)
                  .arg(Ms(list.back()))
                  .arg(gap)
                  .arg(Ms(bare.back())));
    }
    std::sort(bare.begin(), bare.end());
    std::sort(list.begin(), list.end());
    const qint64 b = bare[bare.size() / 2];
    const qint64 l = list[list.size() / 2];
    Print(QStringLiteral("files: %1, rows added: %2").arg(files.size()).arg(rows));
    Print(QStringLiteral("analysis workers: %1").arg(AnalysisPool().WorkerCount()));
    Print(QStringLiteral("list add, full analysis (median of %1): %2 (%3 ms per file)")
              .arg(rounds)
              .arg(Ms(l), QString::number(double(l) / 1e6 / double(files.size()), 'f', 3)));
    Print(QStringLiteral("bare analysis, both passes (median of %1): %2 (%3 ms per file)")
              .arg(rounds)
              .arg(Ms(b), QString::number(double(b) / 1e6 / double(files.size()), 'f', 3)));
    Print(QStringLiteral("ratio: %1 (target at most 0.6)").arg(QString::number(double(l) / double(b), 'f', 3)));
    Print(QStringLiteral("longest event-loop block: %1 ms (target at most 50)").arg(longestGap));

    TFileListModel kept(params);
    kept.SetAnalysisPool(&AnalysisPool());
    kept.AddFolder(dir, true);
    kept.WaitForAnalysis();
    Print(QStringLiteral("VmRSS with %1 rows listed: %2").arg(kept.rowCount()).arg(Mb(VmRssKb())));
    return 0;
}

int Memory(TAppParams& params, const QString& dir)
{
    // One analysis first, so the baseline includes the loaded library.
    TVideoFileInfo warm;
    const QStringList some = QDir(dir).entryList(QDir::Files, QDir::Name);
    if (!some.isEmpty())
        AnalyzeMediaFileInProcess(QDir(dir).filePath(some.first()), params.MediaInfoDll, warm);
    const qint64 before = VmRssKb();
    QElapsedTimer t;
    t.start();
    TFileListModel model(params);
    model.SetAnalysisPool(&AnalysisPool());
    model.AddFolder(dir, true);
    model.WaitForAnalysis();
    const qint64 after = VmRssKb();
    Print(QStringLiteral("rows: %1 in %2").arg(model.rowCount()).arg(Ms(t.nsecsElapsed())));
    Print(QStringLiteral("VmRSS before: %1, with the rows listed: %2 (target below 150 MB)").arg(Mb(before), Mb(after)));
    Print(QStringLiteral("growth: %1, %2 bytes per row")
              .arg(Mb(after - before))
              .arg(model.rowCount() > 0 ? (after - before) * 1024 / model.rowCount() : 0));
    Print(QStringLiteral("sizeof(TFileListRow): %1 bytes, sizeof(TVideoFileInfo): %2 bytes")
              .arg(sizeof(TFileListRow))
              .arg(sizeof(TVideoFileInfo)));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Platform::EnsureUtf8CType();
    // The program's own worker, built beside this one.
    SetWorkerProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/vexaconv"));
    const QStringList args = app.arguments();
    if (args.size() < 4 || (args.at(1) != QLatin1String("ratio") && args.at(1) != QLatin1String("memory"))) {
        QTextStream(stderr) << "usage: bench_filelist ratio|memory DIR LIBRARY [ROUNDS]\n";
        return 2;
    }
    const QString dir = args.at(2);
    TAppParams params;
    params.FileAnalysis = faFull;
    params.MediaInfoDll = args.at(3);
    if (!LoadMediaInfoLibrary(params.MediaInfoDll)) {
        QTextStream(stderr) << "bench_filelist: cannot load the MediaInfo library " << params.MediaInfoDll << '\n';
        return 2;
    }
    if (args.at(1) == QLatin1String("memory"))
        return Memory(params, dir);
    QStringList files;
    for (const QString& name : QDir(dir).entryList(QDir::Files, QDir::Name))
        files << QDir(dir).filePath(name);
    const int rounds = args.size() > 4 ? std::max(1, args.at(4).toInt()) : 3;
    return Ratio(params, dir, files, rounds);
}
