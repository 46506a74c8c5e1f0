// Batches of side-by-side conversions from the headless front end: fake encoders of known
// duration (tests/fake_encoder/timed_encode.py) log when each run starts and ends, so the
// order of the jobs is known; and the real encoder with two jobs. Also the batch's share
// arithmetic.

#include "base/AppParams.h"
#include "batch/BatchProgress.h"
#include "media/MediaAnalysis.h"
#include "base/Platform.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <csignal>

#include <gtest/gtest.h>

namespace {

using TestSupport::Lines;

// The state letter of /proc/PID/stat ('T' stopped, 'S' sleeping, 'R' running); 0 when gone.
char ProcState(qint64 pid)
{
    const QByteArray stat = TestSupport::ReadFile(QStringLiteral("/proc/%1/stat").arg(pid));
    const qsizetype close = stat.lastIndexOf(')');
    return close < 0 || close + 2 >= stat.size() ? 0 : stat.at(close + 2);
}

class HeadlessJobs : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = TestSupport::TestScratch("batch_queue", {"home/tools/Mencoder", "tmp", "in", "out"});
        const QString fake = m_dir + "/home/tools/Mencoder/mencoder";
        QFile::copy(QStringLiteral(VEXA_SOURCE_DIR "/tests/fake_encoder/timed_encode.py"), fake);
        QFile::setPermissions(fake, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // An input in its own folder (so that names can clash) that takes seconds to encode.
    QString Input(const QString& folder, const QString& name, double seconds)
    {
        QDir().mkpath(m_dir + "/in/" + folder);
        return TestSupport::WriteFile(m_dir + "/in/" + folder + "/" + name, QByteArray::number(seconds));
    }

    QStringList Env() const
    {
        return {"TMPDIR=" + m_dir + "/tmp", "VEXA_FAKE_LOG=" + m_dir + "/runs.log",
                "VEXA_FAKE_CLIP=" + TestSupport::Clip(QStringLiteral("clip_xvid_mp3.avi"))};
    }

    // The fake's output carries the name of the input it was made from as its comment.
    static QByteArray Encoded(const QString& output)
    {
        return TestSupport::RunProgram(QStringLiteral("ffprobe"), {"-v", "error", "-show_entries", "format_tags=comment",
                                                                  "-of", "default=nw=1:nk=1", output})
            .out.trimmed();
    }

    TestSupport::RunResult Run(const QStringList& args)
    {
        return TestSupport::RunVexaconv(QStringList{"--home", m_dir + "/home"} + args, Env(), 120000, m_dir);
    }

    // The fake encoder's log: "start|end PID INPUT PASSLOG".
    QList<QStringList> Runs() const
    {
        QList<QStringList> runs;
        for (const QString& line : Lines(TestSupport::ReadFile(m_dir + "/runs.log")))
            runs << line.split(' ');
        return runs;
    }

    QString m_dir;
};

} // namespace

TEST_F(HeadlessJobs, NamesAndStatusesFollowTheListWhateverOrderTheJobsEndIn)
{
    // Three inputs of one name: the first is slow, so the second and third end before it.
    const QString a = Input("a", "clip.avi", 4.0); // long enough for two short runs on a loaded machine
    const QString b = Input("b", "clip.avi", 0.2);
    const QString c = Input("c", "clip.avi", 0.2);
    const QString out = m_dir + "/out";
    const TestSupport::RunResult r = Run({"--convert", "--jobs", "2", "--out-dir", out, a, b, c});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    // One status line per row as it ends; the names were decided in list order.
    const QStringList lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 3) << r.out.constData();
    EXPECT_EQ(lines.at(0), "OK - Renamed\t" + b + "\t" + out + "/clip_001.avi");
    EXPECT_EQ(lines.at(1), "OK - Renamed\t" + c + "\t" + out + "/clip_002.avi");
    EXPECT_EQ(lines.at(2), "Done\t" + a + "\t" + out + "/clip.avi");
    EXPECT_EQ(Encoded(out + "/clip.avi"), "encoded " + a.toUtf8());
    EXPECT_EQ(Encoded(out + "/clip_001.avi"), "encoded " + b.toUtf8());
    EXPECT_EQ(Encoded(out + "/clip_002.avi"), "encoded " + c.toUtf8());
    // Never more than two encoders at once, and two did run side by side.
    int running = 0, most = 0;
    for (const QStringList& run : Runs()) {
        running += run.at(0) == "start" ? 1 : -1;
        most = std::max(most, running);
    }
    EXPECT_EQ(most, 2);
    // (progress to a pipe comes once a second: whether a line caught both jobs is chance)
    EXPECT_TRUE(r.err.contains("batch ")) << r.err.constData();
}

TEST_F(HeadlessJobs, RunsThatEndInTheSameMomentAreAllCheckedAndFinished)
{
    // Each pair of runs ends on the same tick; every output is checked while the other
    // job's end is waiting to be heard, over and over.
    QStringList inputs;
    for (int i = 0; i < 10; ++i)
        inputs << Input(QString::number(i), QStringLiteral("c%1.avi").arg(i), 0.1);
    const QString out = m_dir + "/out";
    const TestSupport::RunResult r = TestSupport::RunVexaconv(
        QStringList{"--home", m_dir + "/home", "--convert", "--jobs", "2", "--out-dir", out} + inputs,
        Env() << "VEXA_FAKE_TOGETHER=1", 60000, m_dir);
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QStringList lines = Lines(r.out);
    ASSERT_EQ(lines.size(), inputs.size()) << r.out.constData();
    for (const QString& line : lines)
        EXPECT_TRUE(line.startsWith("Done\t")) << line.toStdString();
}

TEST_F(HeadlessJobs, EachJobHasItsOwnTwoPassFilesAndNoneIsLeft)
{
    const QString a = Input("a", "a.avi", 0.6);
    const QString b = Input("b", "b.avi", 0.6);
    const QString c = Input("c", "c.avi", 0.2);
    const TestSupport::RunResult r = Run({"--convert", "--jobs", "2", "--set", "Video2Pass=1", "--out-dir",
                                          m_dir + "/out", a, b, c});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    // The runs that overlap never share a pass log; both passes of a row use the same one.
    QMap<QString, QString> logOfInput;
    QMap<QString, QString> busy; // pass log -> input of the run using it now
    for (const QStringList& run : Runs()) {
        ASSERT_EQ(run.size(), 4);
        const QString& input = run.at(2);
        const QString& log = run.at(3);
        EXPECT_TRUE(log.startsWith(m_dir + "/tmp/")) << log.toStdString();
        if (run.at(0) == "start") {
            EXPECT_FALSE(busy.contains(log)) << log.toStdString() << " is used by " << busy.value(log).toStdString();
            busy.insert(log, input);
            if (logOfInput.contains(input)) {
                EXPECT_EQ(logOfInput.value(input), log);
            }
            logOfInput.insert(input, log);
        } else {
            busy.remove(log);
        }
    }
    EXPECT_EQ(logOfInput.size(), 3);
    EXPECT_NE(logOfInput.value(a), logOfInput.value(b));
    EXPECT_EQ(QDir(m_dir + "/tmp").entryList(QDir::Files), QStringList());
}

TEST_F(HeadlessJobs, SigintWithTwoJobsRunningAbortsBothAndLeavesNoEncoder)
{
    const QString a = Input("a", "a.avi", 60);
    const QString b = Input("b", "b.avi", 60);
    const QString c = Input("c", "c.avi", 0.2);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& e : Env())
        env.insert(e.section('=', 0, 0), e.section('=', 1));
    p.setProcessEnvironment(env);
    p.start(TestSupport::VexaconvPath(), {"--home", m_dir + "/home", "--convert", "--jobs", "2", "--out-dir",
                                          m_dir + "/out", a, b, c});
    ASSERT_TRUE(p.waitForStarted(10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Runs().size() == 2; }, 30000));
    QElapsedTimer t;
    t.start();
    ::kill(static_cast<pid_t>(p.processId()), SIGINT);
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_LT(t.elapsed(), 10000);
    EXPECT_EQ(p.exitCode(), 130);
    QStringList lines = Lines(p.readAllStandardOutput());
    lines.sort();
    EXPECT_EQ(lines, QStringList({"Aborted\t" + a + "\t" + m_dir + "/out/a.avi", "Aborted\t" + b + "\t" + m_dir + "/out/b.avi"}));
    // both encoders are gone and the third row never started
    for (const QStringList& run : Runs()) {
        EXPECT_NE(run.at(2), c);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !TestSupport::ProcessAlive(run.at(1).toLongLong()); }, 3000))
            << run.join(' ').toStdString();
    }
}

TEST_F(HeadlessJobs, StopSignalPausesTheEncodersAndTheProgramContinueResumesBoth)
{
    const QString a = Input("a", "a.avi", 60);
    const QString b = Input("b", "b.avi", 60);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& e : Env())
        env.insert(e.section('=', 0, 0), e.section('=', 1));
    p.setProcessEnvironment(env);
    p.start(TestSupport::VexaconvPath(), {"--home", m_dir + "/home", "--convert", "--jobs", "2", "--out-dir",
                                          m_dir + "/out", a, b});
    ASSERT_TRUE(p.waitForStarted(10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Runs().size() == 2; }, 30000));
    const qint64 self = p.processId();
    const qint64 enc1 = Runs().at(0).at(1).toLongLong();
    const qint64 enc2 = Runs().at(1).at(1).toLongLong();
    const auto all = [&](auto test) { return test(ProcState(self)) && test(ProcState(enc1)) && test(ProcState(enc2)); };

    ::kill(static_cast<pid_t>(self), SIGTSTP);
    EXPECT_TRUE(QTest::qWaitFor([&] { return all([](char s) { return s == 'T'; }); }, 5000))
        << ProcState(self) << ProcState(enc1) << ProcState(enc2);
    QTest::qWait(300);
    EXPECT_EQ(ProcState(enc1), 'T'); // nothing ran on
    ::kill(static_cast<pid_t>(self), SIGCONT);
    EXPECT_TRUE(QTest::qWaitFor([&] { return all([](char s) { return s == 'S' || s == 'R'; }); }, 5000))
        << ProcState(self) << ProcState(enc1) << ProcState(enc2);

    ::kill(static_cast<pid_t>(self), SIGINT);
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 130);
}

TEST_F(HeadlessJobs, JobsTakeANumberOrAuto)
{
    for (const char* bad : {"0", "-1", "x", "17", ""}) {
        const TestSupport::RunResult r = Run({"--convert", "--jobs", bad, Input("a", "a.avi", 0)});
        EXPECT_EQ(r.exitCode, 2) << bad;
        EXPECT_TRUE(r.err.contains("--jobs")) << r.err.constData();
    }
    const TestSupport::RunResult r = Run({"--convert", "--jobs", "auto", "--out-dir", m_dir + "/out",
                                          Input("a", "a.avi", 0.1), Input("b", "b.avi", 0.1)});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Lines(r.out).size(), 2);
}

TEST(RealEncoderJobs, TwoJobsConvertTwoClips)
{
    if (!TestSupport::HaveTool("mencoder"))
        GTEST_SKIP() << "no encoder";
    const QString dir = TestSupport::ScratchDir() + "/batch_queue/real";
    QDir(dir).removeRecursively();
    QDir().mkpath(dir + "/in");
    QDir().mkpath(dir + "/tmp");
    // The home does not exist yet (the first write makes it): the encoders still start.
    const QString a = dir + "/in/a.avi";
    const QString b = dir + "/in/b.mp4";
    QFile::copy(TestSupport::Clip("clip_xvid_mp3.avi"), a);
    QFile::copy(TestSupport::Clip("clip_h264_aac.mp4"), b);
    const TestSupport::RunResult r = TestSupport::RunVexaconv(
        {"--home", dir + "/home", "--convert", "--jobs", "2", "--set", "Video2Pass=1", "--out-dir", dir + "/out", a, b},
        {"TMPDIR=" + dir + "/tmp"}, 300000, dir);
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    QStringList lines = Lines(r.out);
    lines.sort();
    EXPECT_EQ(lines, QStringList({"Done\t" + a + "\t" + dir + "/out/a.avi", "Done\t" + b + "\t" + dir + "/out/b.avi"}));
    for (const QString& out : {dir + "/out/a.avi", dir + "/out/b.avi"}) {
        Platform::EnsureUtf8CType();
        TVideoFileInfo info;
        GetVideoFileInfo(out, SystemMediaInfoLibrary(), info);
        EXPECT_GT(info.Duration, 0) << out.toStdString();
    }
    EXPECT_EQ(QDir(dir + "/tmp").entryList(QDir::Files), QStringList());
}

// ---- the batch's shares -------------------------------------------------------------

TEST(BatchProgress, SharesByDurationTimesPassesWithGuessesForRowsNotYetRead)
{
    TBatchProgress p;
    p.AddRow(0, FileWeight(10000, 0, 0, 2)); // 20 000
    p.AddRow(3, 0);                          // not read yet: the average of the known, 40 000
    p.AddRow(5, FileWeight(30000, 0, 0, 2)); // 60 000
    EXPECT_DOUBLE_EQ(p.TotalWeight(), 120000);
    EXPECT_DOUBLE_EQ(p.Fraction(), 0);
    EXPECT_EQ(p.LeftMs(5000), -1);
    // row 0 done, row 5 halfway through its first of two passes
    p.RowDone(0);
    p.SetRowFraction(5, 0.25);
    EXPECT_DOUBLE_EQ(p.Fraction(), (20000 + 15000) / 120000.0);
    // row 3 is reached: 250 frames at 25 fps, two passes
    p.SetRowWeight(3, FileWeight(0, 250, 25, 2));
    EXPECT_DOUBLE_EQ(p.TotalWeight(), 100000);
    EXPECT_DOUBLE_EQ(p.Fraction(), 0.35);
    // 35 % in 7 s: 13 s left
    EXPECT_EQ(p.LeftMs(7000), 13000);
    EXPECT_EQ(BatchProgressText(p.Fraction(), p.LeftMs(7000)), "batch 35% left 00:00:13");
    EXPECT_EQ(BatchProgressText(0, -1), "batch 0% left ?");
    p.RowDone(3);
    p.RowDone(5);
    EXPECT_DOUBLE_EQ(p.Fraction(), 1);
    EXPECT_EQ(p.LeftMs(9000), 0);
}

TEST(BatchProgress, ClockLeavesPausesOut)
{
    TActiveClock c;
    EXPECT_EQ(c.ElapsedMs(), 0);
    c.Start();
    c.SetPaused(true);
    const qint64 atPause = c.ElapsedMs();
    QTest::qSleep(120);
    EXPECT_EQ(c.ElapsedMs(), atPause); // stands still while paused
    c.SetPaused(true);                 // twice is once
    c.SetPaused(false);
    EXPECT_LT(c.ElapsedMs(), atPause + 100);
}
