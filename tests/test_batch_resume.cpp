// Scripts that resume: the .sh and the GNU parallel job list run for real, killed in
// the middle and run again; nothing partial ever stands under a final name.

#include "support/AnalyseFile.h"
#include "base/AppParams.h"
#include "base/Platform.h"
#include "outputs/TempOutput.h"
#include "media/MediaAnalysis.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <csignal>

#include <gtest/gtest.h>

namespace {

// The processes below pid (children first, then theirs), read from /proc.
QList<qint64> Descendants(qint64 pid)
{
    QList<qint64> all;
    QList<qint64> todo{pid};
    while (!todo.isEmpty()) {
        const qint64 p = todo.takeFirst();
        const QByteArray children = TestSupport::ReadFile(QStringLiteral("/proc/%1/task/%1/children").arg(p));
        for (const QByteArray& c : children.simplified().split(' ')) {
            if (!c.isEmpty()) {
                all << c.toLongLong();
                todo << c.toLongLong();
            }
        }
    }
    return all;
}

// kill -9 of the whole tree: the process group and anything that left it.
void KillTree(QProcess& p)
{
    const qint64 pid = p.processId();
    const QList<qint64> below = Descendants(pid);
    ::kill(-static_cast<pid_t>(pid), SIGKILL);
    for (qint64 d : below)
        ::kill(static_cast<pid_t>(d), SIGKILL);
    p.waitForFinished(10000);
    for (int i = 0; i < 200; ++i) {
        bool alive = false;
        for (qint64 d : below)
            alive = alive || TestSupport::ProcessAlive(d);
        if (!alive)
            break;
        QThread::msleep(20);
    }
}

QStringList Hidden(const QString& dir) { return QDir(dir).entryList({".*vexa-tmp*"}, QDir::Files | QDir::Hidden); }

// The program's own temporary outputs in dir.
QStringList Temporaries(const QString& dir)
{
    QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden);
    names.removeIf([](const QString& n) { return !IsTempOutputName(n); });
    return names;
}

class ScriptResume : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = TestSupport::TestScratch("batch_resume", {"home", "tmp", "in", "out"});
    }

    QString Input(const QString& clip, const QString& name) { return TestSupport::CopyClip(clip, m_dir + "/in/" + name); }

    TestSupport::RunResult Vexaconv(const QStringList& args)
    {
        return TestSupport::RunVexaconv(QStringList{"--home", m_dir + "/home"} + args, {"TMPDIR=" + m_dir + "/tmp"},
                                        300000, m_dir);
    }

    // The encoder the program finds in its home: writes "data" to the file after -o,
    // logs its arguments (NUL-separated), and fails or writes nothing for some names.
    void FakeEncoder(const QByteArray& extra = {})
    {
        const QString fake = m_dir + "/home/tools/Mencoder/mencoder";
        TestSupport::WriteFile(fake, "#!/bin/sh\n"
                                     "for a in \"$@\"; do printf '%s\\0' \"$a\"; done >> '" + m_dir.toUtf8() + "/args.log'\n"
                                     "in=$1 out=\n"
                                     "while [ $# -gt 0 ]; do [ \"$1\" = -o ] && out=$2; shift; done\n"
                                     + extra +
                                     "case $in in *bad*) exit 3 ;; *empty*) exit 0 ;; esac\n"
                                     "printf data > \"$out\"\n");
        QFile::setPermissions(fake, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Starts program in a process group of its own (setsid), stdin from a file if given.
    void Start(QProcess& p, const QStringList& args, const QString& stdinFile = QString())
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", m_dir + "/tmp");
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(m_dir);
        if (!stdinFile.isEmpty())
            p.setStandardInputFile(stdinFile);
        p.start("setsid", args);
        ASSERT_TRUE(p.waitForStarted(10000));
    }

    // Waits until cond holds (polling), at most 120 s.
    static bool WaitFor(const std::function<bool()>& cond)
    {
        for (int i = 0; i < 6000; ++i) {
            if (cond())
                return true;
            QThread::msleep(20);
        }
        return false;
    }

    TestSupport::RunResult Parallel(const QStringList& args, const QString& jobs, const QStringList& env = {})
    {
        return TestSupport::RunProgram("sh", QStringList{"-c", "exec parallel \"$@\" < \"$0\"", jobs} + args,
                                       QStringList{"TMPDIR=" + m_dir + "/tmp"} + env, 300000, m_dir);
    }

    QString m_dir;
};

} // namespace

TEST_F(ScriptResume, ShellScriptKilledMidFileIsRunAgain)
{
    if (!TestSupport::HaveTool("mencoder"))
        return;
    const QString a = Input("clip_xvid_mp3.avi", "a.avi");
    const QString longClip = Input("clip_runner_40s.avi", "long.avi");
    const QString b = Input("clip_h264_aac.mp4", "b.mp4");
    const QString out = m_dir + "/out";
    const QString sh = m_dir + "/convert.sh";
    TestSupport::RunResult r = Vexaconv({"--script", sh, "--set", "Video2Pass=1", "--out-dir", out, a, longClip, b});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();

    QProcess p;
    Start(p, {"bash", sh});
    // the first file is done and the long one is being written
    ASSERT_TRUE(WaitFor([&] {
        const QStringList t = Hidden(out);
        return QFileInfo::exists(out + "/a.avi") && t.size() == 1 && t[0].startsWith(".long.")
               && QFileInfo(out + "/" + t[0]).size() > 100000;
    })) << p.readAllStandardError().constData();
    KillTree(p);
    EXPECT_TRUE(QFileInfo::exists(out + "/a.avi"));
    EXPECT_FALSE(QFileInfo::exists(out + "/long.avi"));
    EXPECT_FALSE(QFileInfo::exists(out + "/b.avi"));
    ASSERT_EQ(Hidden(out).size(), 1); // the partial file is hidden
    const QDateTime firstDone = QFileInfo(out + "/a.avi").lastModified();

    r = TestSupport::RunProgram("bash", {sh}, {"TMPDIR=" + m_dir + "/tmp"}, 300000, m_dir);
    ASSERT_EQ(r.exitCode, 0) << r.err.right(2000).constData();
    EXPECT_TRUE(r.out.contains("Skipped, complete: " + out.toUtf8() + "/a.avi\n")) << r.out.constData();
    EXPECT_TRUE(r.out.endsWith("Converted 2, skipped 1, failed 0\n")) << r.out.constData();
    EXPECT_EQ(QFileInfo(out + "/a.avi").lastModified(), firstDone);
    EXPECT_TRUE(Hidden(out).isEmpty()) << Hidden(out).join(' ').toStdString(); // the killed run's leftover is gone
    const TVideoFileInfo whole = AnalyseFile(out + "/long.avi");
    EXPECT_EQ(whole.VideoStreams[0].Width, 320);
    EXPECT_GT(whole.Duration, 38000);
    EXPECT_EQ(AnalyseFile(out + "/b.avi").VideoStreams[0].Width, 320);
}

// A failed file does not stop the script; it leaves nothing; the status tells; an output
// the batch writes over is written once, then counts as done.
TEST_F(ScriptResume, ShellScriptGoesOnAfterAFailureAndResumesOverwrites)
{
    FakeEncoder();
    const QString out = m_dir + "/out";
    QStringList inputs;
    for (const char* name : {"a.avi", "bad.avi", "empty.avi", "c.avi"})
        inputs << Input("clip_xvid_mp3.avi", name);
    TestSupport::WriteFile(out + "/c.avi", "old");
    const QString sh = m_dir + "/convert.sh";
    TestSupport::RunResult r = Vexaconv(QStringList{"--script", sh, "--if-exists", "overwrite", "--out-dir", out} + inputs);
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();

    r = TestSupport::RunProgram("bash", {sh}, {}, 60000, m_dir);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.endsWith("Converted 2, skipped 0, failed 2\n")) << r.out.constData();
    EXPECT_TRUE(r.err.contains("Failed (3): " + out.toUtf8() + "/bad.avi\n")) << r.err.constData();
    EXPECT_TRUE(r.err.contains("Failed (0): " + out.toUtf8() + "/empty.avi\n")) << r.err.constData();
    EXPECT_EQ(TestSupport::ReadFile(out + "/a.avi"), "data");
    EXPECT_EQ(TestSupport::ReadFile(out + "/c.avi"), "data");
    EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden), (QStringList{"a.avi", "c.avi"}));

    QFile::remove(m_dir + "/args.log");
    r = TestSupport::RunProgram("bash", {sh}, {}, 60000, m_dir);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.endsWith("Converted 0, skipped 2, failed 2\n")) << r.out.constData();
    // only the failed ones ran again
    const QByteArray args = TestSupport::ReadFile(m_dir + "/args.log");
    EXPECT_TRUE(args.contains("/bad.avi") && args.contains("/empty.avi"));
    EXPECT_FALSE(args.contains("/a.avi") || args.contains("/c.avi")) << args.constData();
}

TEST_F(ScriptResume, JobListRunByParallelIsInterruptedAndResumed)
{
    if (!TestSupport::HaveTool("mencoder") || !TestSupport::HaveTool("parallel"))
        return;
    const QString a = Input("clip_xvid_mp3.avi", "a.avi");
    const QString longClip = Input("clip_runner_40s.avi", "long.avi");
    const QString b = Input("clip_h264_aac.mp4", "b.mp4");
    const QString out = m_dir + "/out";
    const QString jobs = m_dir + "/batch.jobs";
    const QStringList args{"--script", jobs, "--set", "Video2Pass=1", "--out-dir", out, a, longClip, b};
    TestSupport::RunResult r = Vexaconv(args);
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QByteArray text = TestSupport::ReadFile(jobs);
    ASSERT_EQ(text.count('\n'), 3) << text.constData();
    EXPECT_FALSE(QFileInfo(jobs).isExecutable());
    EXPECT_TRUE(TestSupport::ReadFile(m_dir + "/batch.profile.ini").contains("Video2Pass=1"));

    // one job at a time: a ends, then long is killed half-way
    const QString log = m_dir + "/jobs.log";
    QProcess p;
    Start(p, {"parallel", "-j", "1", "--joblog", log}, jobs);
    ASSERT_TRUE(WaitFor([&] {
        const QStringList t = Temporaries(out);
        return QFileInfo::exists(out + "/a.avi") && t.size() == 1 && t[0].startsWith(".long.")
               && QFileInfo(out + "/" + t[0]).size() > 100000;
    })) << p.readAllStandardError().constData();
    KillTree(p);
    EXPECT_FALSE(QFileInfo::exists(out + "/long.avi"));
    EXPECT_FALSE(QFileInfo::exists(out + "/b.avi"));
    ASSERT_EQ(Temporaries(out).size(), 1); // the partial file is hidden
    const QDateTime firstDone = QFileInfo(out + "/a.avi").lastModified();

    // the same batch written again, now that an output exists, gives the same lines
    r = Vexaconv(args);
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(TestSupport::ReadFile(jobs), text);

    r = Parallel({"-j", "2", "--resume", "--joblog", log}, jobs);
    ASSERT_EQ(r.exitCode, 0) << r.err.right(2000).constData();
    EXPECT_EQ(QFileInfo(out + "/a.avi").lastModified(), firstDone); // not run again
    // the job log: a from the first run, then long and b; every one ended with 0
    const QStringList entries = QString::fromUtf8(TestSupport::ReadFile(log)).split('\n', Qt::SkipEmptyParts).mid(1);
    ASSERT_EQ(entries.size(), 3) << TestSupport::ReadFile(log).constData();
    for (const QString& e : entries)
        EXPECT_EQ(e.section('\t', 6, 6), "0") << e.toStdString();
    // the program's own lines: checked outputs under their final names
    EXPECT_TRUE(r.out.contains("Done\t" + longClip.toUtf8() + "\t" + out.toUtf8() + "/long.avi\n")) << r.out.constData();
    EXPECT_GT(AnalyseFile(out + "/long.avi").Duration, 38000);
    EXPECT_EQ(AnalyseFile(out + "/b.avi").VideoStreams[0].Width, 320);
    // the killed run's temporary went with the next run into that folder
    EXPECT_TRUE(Temporaries(out).isEmpty()) << Temporaries(out).join(' ').toStdString();
}

// Any name goes through a job line as one word: parallel's own replacement strings,
// quotes, command substitutions, leading dashes, line breaks and blanks, in the inputs and
// in the output folder. Each line runs the program, which checks and names the output: a
// second run under "rename" numbers every output, and --resume runs nothing again.
TEST_F(ScriptResume, HostileNamesInAJobListStayWords)
{
    if (!TestSupport::HaveTool("mencoder") || !TestSupport::HaveTool("parallel"))
        return;
    const QStringList names{"it's \"q\" $(touch pwned) `touch pwned2`.avi", "-dash.avi", "new\nline.avi",
                            "  blanks  .avi", "{} {.} ::: $HOME %s.avi", "semi;colon & | > x.avi", "back\\slash.avi",
                            "twin.mp4"};
    QStringList inputs;
    for (const QString& n : names)
        inputs << Input(n.endsWith(".mp4") ? "clip_h264_aac.mp4" : "clip_xvid_mp3.avi", n);
    inputs << Input("clip_xvid_mp3.avi", "twin.avi"); // the same output name as twin.mp4
    const QDateTime old = QDateTime::fromSecsSinceEpoch(1000000000);
    for (const QString& in : inputs) {
        QFile f(in);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.setFileTime(old, QFileDevice::FileModificationTime));
    }
    const QString out = m_dir + "/out $HOME 'q' `x`\nnl";
    const QString jobs = m_dir + "/hostile.jobs";
    TestSupport::RunResult r = Vexaconv(QStringList{"--script", jobs, "--keep-dates", "--out-dir", out, "--"} + inputs);
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    ASSERT_EQ(TestSupport::ReadFile(jobs).count('\n'), inputs.size());

    // dash runs the lines: they are plain POSIX shell
    const QString log = m_dir + "/jobs.log";
    r = Parallel({"-j", "4", "--joblog", log}, jobs, {"PARALLEL_SHELL=/bin/sh"});
    ASSERT_EQ(r.exitCode, 0) << r.err.right(3000).constData();
    QStringList expected;
    for (const QString& in : inputs)
        expected << QFileInfo(in).completeBaseName() + ".avi";
    expected.last() = "twin_001.avi"; // whichever of the twins ended second
    for (const QString& name : expected) {
        const QFileInfo o(out + "/" + name);
        EXPECT_EQ(AnalyseFile(o.filePath()).VideoStreams[0].Width, 320) << name.toStdString();
        EXPECT_EQ(o.lastModified(), old) << name.toStdString(); // --keep-dates reached the program
    }
    EXPECT_FALSE(QFileInfo::exists(m_dir + "/pwned"));
    EXPECT_FALSE(QFileInfo::exists(m_dir + "/pwned2"));
    EXPECT_FALSE(QFileInfo::exists(m_dir + "/x.avi"));
    EXPECT_TRUE(Temporaries(out).isEmpty()) << Temporaries(out).join(' ').toStdString();
    const QStringList outputs = QDir(out).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(outputs.size(), inputs.size()) << outputs.join(' ').toStdString();

    // every line done: --resume runs none of them again
    r = Parallel({"-j", "4", "--resume", "--joblog", log}, jobs, {"PARALLEL_SHELL=/bin/sh"});
    ASSERT_EQ(r.exitCode, 0) << r.err.right(3000).constData();
    EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden), outputs);

    // run afresh: the program renames around every output of the first run
    r = Parallel({"-j", "4"}, jobs, {"PARALLEL_SHELL=/bin/sh"});
    ASSERT_EQ(r.exitCode, 0) << r.err.right(3000).constData();
    for (const QString& in : inputs) {
        const QString stem = QFileInfo(in).completeBaseName();
        EXPECT_TRUE(QFileInfo::exists(out + "/" + stem + (stem == "twin" ? "_002.avi" : "_001.avi"))) << stem.toStdString();
    }
    EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden).size(), 2 * inputs.size());
}

// A host without the program at its path fails each line with 127 and says why; nothing
// is written.
TEST_F(ScriptResume, JobLineWithoutTheProgramExits127)
{
    if (!TestSupport::HaveTool("parallel"))
        return;
    // the program under a name of its own, gone once the list is written
    QDir().mkpath(m_dir + "/bin");
    const QString program = m_dir + "/bin/vexaconv";
    if (::link(QFile::encodeName(TestSupport::VexaconvPath()).constData(), QFile::encodeName(program).constData()) != 0) {
        ASSERT_TRUE(QFile::copy(TestSupport::VexaconvPath(), program));
    }
    const QString a = Input("clip_xvid_mp3.avi", "a.avi");
    const QString jobs = m_dir + "/batch.jobs";
    TestSupport::RunResult r = TestSupport::RunProgram(program, {"--home", m_dir + "/home", "--script", jobs, "--out-dir",
                                                                 m_dir + "/out", a});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    ASSERT_TRUE(TestSupport::ReadFile(jobs).startsWith("p='" + program.toUtf8() + "'; ")) << TestSupport::ReadFile(jobs).constData();
    ASSERT_TRUE(QFile::remove(program));

    const QString log = m_dir + "/jobs.log";
    r = Parallel({"--joblog", log}, jobs);
    EXPECT_EQ(r.exitCode, 1); // parallel's status: one job failed
    const QString host = QString::fromUtf8(TestSupport::RunProgram("uname", {"-n"}).out).trimmed();
    EXPECT_TRUE(r.err.contains(("vexaconv: " + program + " not found on " + host + "\n").toUtf8())) << r.err.constData();
    const QStringList entries = QString::fromUtf8(TestSupport::ReadFile(log)).split('\n', Qt::SkipEmptyParts).mid(1);
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].section('\t', 6, 6), "127");
    EXPECT_TRUE(QDir(m_dir + "/out").isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}
