// Headless runs that end early: an encoder that hangs, and SIGINT from the program's first
// moment. Stand-in encoders (tests/fake_encoder) in the program home's tools folder.

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace {

// A fresh scratch folder whose home holds the stand-in encoder fake.
QString ScratchWithEncoder(const char* fake)
{
    const QString dir = TestSupport::TestScratch("headless_stops", {"home/tools/Mencoder", "in", "out", "tmp"});
    const QString encoder = dir + "/home/tools/Mencoder/mencoder";
    if (!QFile::copy(QStringLiteral(VEXA_SOURCE_DIR "/tests/fake_encoder/") + fake, encoder))
        ADD_FAILURE() << "cannot copy " << fake;
    return dir;
}

QStringList Entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// The processes alive whose environment holds entry ("NAME=value"): what a run of the
// program started with it left behind, the encoder and the analysis workers included.
QList<qint64> ProcessesWithEnvironment(const QByteArray& entry)
{
    QList<qint64> found;
    for (const QString& name : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 pid = name.toLongLong(&number);
        if (!number)
            continue;
        QFile environ(QStringLiteral("/proc/%1/environ").arg(pid));
        if (environ.open(QIODevice::ReadOnly) && environ.readAll().split('\0').contains(entry) &&
            TestSupport::ProcessAlive(pid))
            found << pid;
    }
    return found;
}

} // namespace

// A conversion whose encoder hangs ends its row at the stall limit, with the reason, and
// leaves no temporary output behind.
TEST(HeadlessStops, AHungEncoderEndsItsRowAtTheStallLimit)
{
    const QString dir = ScratchWithEncoder("status_stuck.sh");
    const QString in = TestSupport::CopyClip("clip_xvid_mp3.avi", dir + "/in/a.avi");
    const TestSupport::RunResult r = TestSupport::RunVexaconv(
        {"--home", dir + "/home", "--convert", "--out-dir", dir + "/out", in},
        {"TMPDIR=" + dir + "/tmp", "LANGUAGE=en", "VEXACONV_ENCODER_STALL_MS=1000"}, 60000);
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    // the row's line ends with the reason
    EXPECT_EQ(r.out.toStdString(), ("Error (258)\t" + in + "\t" + dir +
                                    "/out/a.avi\tThe encoder showed no progress for 1 s and was stopped: it hangs on "
                                    "this file.\n")
                                       .toStdString());
    EXPECT_EQ(Entries(dir + "/out"), QStringList());
}

// SIGINT counts from the program's first moment: it ends the conversion with status 130,
// leaving no output, no temporary and no process (encoder, analysis workers). A parent
// that blocks the signal (a launcher's thread, say) hands it over pending, so it counts at
// any delay; one that ignores it (a script's job in the background) or leaves it as it is
// loses what comes before the program runs at all, hence only the latest delay for them.
TEST(HeadlessStops, SigintFromTheFirstMomentEndsTheConversion)
{
    enum class Parent { Blocks, Ignores, Leaves };
    const struct {
        Parent parent;
        int delayMs;
    } cases[] = {
        {Parent::Blocks, 0}, {Parent::Blocks, 50}, {Parent::Blocks, 200}, {Parent::Blocks, 400},
        {Parent::Ignores, 400}, {Parent::Leaves, 400},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "parent " << int(c.parent) << ", " << c.delayMs << " ms");
        const QString dir = ScratchWithEncoder("timed_encode.py");
        const QString in = TestSupport::WriteFile(dir + "/in/a.avi", "30"); // a 30-s run
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", dir + "/tmp");
        p.setProcessEnvironment(env);
        const Parent parent = c.parent;
        p.setChildProcessModifier([parent] {
            if (parent == Parent::Ignores) {
                ::signal(SIGINT, SIG_IGN);
            } else if (parent == Parent::Blocks) {
                sigset_t interrupt;
                sigemptyset(&interrupt);
                sigaddset(&interrupt, SIGINT);
                ::sigprocmask(SIG_BLOCK, &interrupt, nullptr);
            }
        });
        p.start(TestSupport::VexaconvPath(), {"--home", dir + "/home", "--convert", "--out-dir", dir + "/out", in});
        ASSERT_TRUE(p.waitForStarted(10000));
        if (c.delayMs > 0)
            QThread::msleep(static_cast<unsigned long>(c.delayMs));
        ::kill(static_cast<pid_t>(p.processId()), SIGINT);
        const bool ended = p.waitForFinished(20000);
        if (!ended)
            p.kill();
        ASSERT_TRUE(ended) << "still converting";
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 130) << p.readAllStandardError().constData();
        // at most the row's "Aborted", never a finished one
        for (const QString& line : TestSupport::Lines(p.readAllStandardOutput()))
            EXPECT_TRUE(line.startsWith("Aborted\t")) << line.toStdString();
        EXPECT_EQ(Entries(dir + "/out"), QStringList());
        EXPECT_EQ(Entries(dir + "/tmp"), QStringList());
        const QByteArray mark = "TMPDIR=" + (dir + "/tmp").toUtf8();
        EXPECT_TRUE(QTest::qWaitFor([&] { return ProcessesWithEnvironment(mark).isEmpty(); }, 3000))
            << "left running: " << QString::number(ProcessesWithEnvironment(mark).value(0)).toStdString();
    }
}
