// Times the content check of outputs against their sources and prints each verdict:
//   bench_content SOURCE OUTPUT [SOURCE OUTPUT...]
// Per pair: the probe's wall time, the output's length and the cost per output minute,
// whether pictures and sound were judged, the verdict's sentence and its figures.
#include "media/ContentProbe.h"
#include "outputs/ContentCheck.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2 || args.size() % 2) {
        QTextStream(stderr) << "usage: bench_content SOURCE OUTPUT [SOURCE OUTPUT...]\n";
        return 2;
    }
    QTextStream out(stdout);
    qint64 totalMs = 0;
    double totalMinutes = 0;
    for (qsizetype i = 0; i < args.size(); i += 2) {
        TContentRequest r;
        r.Source = args.at(i);
        r.Output = args.at(i + 1);
        QElapsedTimer clock;
        clock.start();
        const TContentSamples samples = ProbeContent(r);
        const qint64 ms = clock.elapsed();
        const TContentVerdict v = JudgeContent(samples);
        const double minutes = samples.SourceLengthMs / 60000.0;
        totalMs += ms;
        totalMinutes += minutes;
        out << r.Output << "\n  " << ms << " ms for " << QString::number(minutes * 60, 'f', 1) << " s"
            << (minutes > 0 ? QStringLiteral(" (%1 ms per minute)").arg(qRound64(ms / minutes)) : QString())
            << ", " << samples.PicturesDecoded << " pictures decoded" << (samples.TimedOut ? " TIMED OUT" : "") << "\n  pictures " << (v.PicturesJudged ? "judged" : "unjudged")
            << ", sound " << (v.SoundJudged ? QStringLiteral("judged (%1 ms, drift %2 ms)").arg(v.SoundLagMs).arg(v.SoundDriftMs) : QStringLiteral("unjudged"))
            << "\n  " << (v.Ok ? QStringLiteral("OK") : v.Sentence) << "\n  " << v.Detail << "\n";
    }
    if (totalMinutes > 0)
        out << "total: " << totalMs << " ms for " << QString::number(totalMinutes, 'f', 2) << " min, "
            << qRound64(totalMs / totalMinutes) << " ms per output minute\n";
    return 0;
}
