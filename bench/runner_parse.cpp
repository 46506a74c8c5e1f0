// CPU time the encoder runner and the output parser spend on the encoder's status lines:
// once through a real child process (a fake encoder printing status lines) and once on
// the same bytes in memory, each with the display's own throttle and with every line
// parsed; and the time for 25 000 and 50 000 warning lines after one status line, which
// must grow linearly.
#include "runner/ConRun.h"
#include "runner/RunState.h"
#include "runner/IProgressSink.h"
#include "runner/LineAssembler.h"
#include "runner/ProgressHandler.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>

#include <cstdio>
#include <ctime>

namespace {

double CpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1.0e6;
}

class TCountingSink : public IProgressSink {
public:
    void OnEncoderLine(const QString&, bool) override { ++lines; }
    void OnProgress(const TProgressUpdate& u) override
    {
        ++updates;
        if (everyLine)
            everyLine->UpdateInterval = 1; // undo the speed's interval
        if (u.HasStatus)
            lastFrame = u.Status.Frame;
    }
    qint64 lines = 0;
    qint64 updates = 0;
    int lastFrame = -1;
    TRunState* everyLine = nullptr;
};

struct TFigure {
    double cpuMs = 0;
    double wallMs = 0;
    qint64 lines = 0;
    qint64 updates = 0;
};

void Prepare(TRunState& st, int fixedInterval)
{
    st = TRunState();
    st.UpdateInterval = fixedInterval > 0 ? fixedInterval : 4;
}

TFigure ThroughProcess(const QString& fake, int count, bool everyLine)
{
    TRunState st;
    Prepare(st, everyLine ? 1 : -1);
    TCountingSink sink;
    if (everyLine)
        sink.everyLine = &st;
    QElapsedTimer wall;
    wall.start();
    const double cpu0 = CpuMs();
    const TResultOf<int> ran =
        RunEncoder(fake, {QString::number(count), QStringLiteral("0"), QStringLiteral("250")}, st, sink, QStringLiteral("/"));
    if (!ran)
        std::fprintf(stderr, "%s\n", qPrintable(ran.error()));
    return {CpuMs() - cpu0, double(wall.elapsed()), sink.lines, sink.updates};
}

TFigure InMemory(const QByteArray& bytes, bool everyLine)
{
    TRunState st;
    Prepare(st, everyLine ? 1 : -1);
    TProgressHandler handler(st);
    TLineAssembler assembler(st.EncoderOutput);
    TFigure f;
    QElapsedTimer wall;
    wall.start();
    const double cpu0 = CpuMs();
    const auto onLine = [&](const QString&, bool) {
        ++f.lines;
        if (everyLine)
            st.UpdateInterval = 1;
        if (handler.UpdateAfterLine(false))
            ++f.updates;
    };
    const qsizetype chunk = 20481;
    for (qsizetype at = 0; at < bytes.size(); at += chunk)
        assembler.Feed(bytes.constData() + at, std::min(chunk, bytes.size() - at), onLine);
    assembler.Finish(onLine);
    f.cpuMs = CpuMs() - cpu0;
    f.wallMs = double(wall.elapsed());
    return f;
}

QString Row(const QString& what, const TFigure& f, int count)
{
    const double per100k = f.cpuMs * 100000.0 / count;
    return QStringLiteral("%1  %2 ms CPU per 100 000 status lines  (%3 lines, %4 updates, %5 ms wall)")
        .arg(what, -44)
        .arg(QString::number(per100k, 'f', 1), 8)
        .arg(f.lines)
        .arg(f.updates)
        .arg(QString::number(f.wallMs, 'f', 0));
}

// A damaged file: one status line, then nothing but warnings.
QByteArray WarningFlood(int count)
{
    QByteArray b = "Pos:   1.0s     25f ( 1%) 25.00fps Trem:   1min   1mb  A-V:0.000 [800:128]\r\n";
    for (int i = 0; i < count; ++i)
        b += "[h264 @ 0x55d0c0a1b2c0] error while decoding MB 12 34, bytestream -" + QByteArray::number(i) + "\n";
    return b;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: bench_runner FAKE_ENCODER [COUNT]\n";
        return 2;
    }
    const QString fake = args[1];
    const int count = args.size() > 2 ? args[2].toInt() : 100000;

    QProcess p;
    p.start(fake, {QString::number(count), QStringLiteral("0"), QStringLiteral("250")});
    p.waitForFinished(-1);
    const QByteArray bytes = p.readAllStandardOutput();

    QTextStream out(stdout);
    out << Row(QStringLiteral("runner + parser, child process, throttled"), ThroughProcess(fake, count, false), count) << '\n';
    out << Row(QStringLiteral("runner + parser, child process, every line"), ThroughProcess(fake, count, true), count) << '\n';
    out << Row(QStringLiteral("assembler + parser in memory, throttled"), InMemory(bytes, false), count) << '\n';
    out << Row(QStringLiteral("assembler + parser in memory, every line"), InMemory(bytes, true), count) << '\n';
    // Work per line must not grow with the output: twice the lines, twice the time.
    for (const int warnings : {25000, 50000}) {
        const TFigure f = InMemory(WarningFlood(warnings), false);
        out << QStringLiteral("%1 warning lines, assembler + parser, throttled: %2 ms CPU (%3 updates)")
                   .arg(warnings, 6)
                   .arg(QString::number(f.cpuMs, 'f', 1))
                   .arg(f.updates)
            << '\n';
    }
    return 0;
}
