// Scripts that resume: the .sh and the GNU parallel job list run for real, killed in
// the middle and run again; nothing partial ever stands under a final name.

#include "base/AppParams.h"
#include "base/Platform.h"
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

TVideoFileInfo Analyse(const QString& file)
{
    Platform::EnsureUtf8CType();
    TVideoFileInfo info;
    GetVideoFileInfo(file, SystemMediaInfoLibrary(), info);
    return info;
}

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
    const TVideoFileInfo whole = Analyse(out + "/long.avi");
    EXPECT_EQ(whole.VideoStreams[0].Width, 320);
    EXPECT_GT(whole.Duration, 38000);
    EXPECT_EQ(Analyse(out + "/b.avi").VideoStreams[0].Width, 320);
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
    TestSupport::RunResult r = Vexaconv({"--script", jobs, "--set", "Video2Pass=1", "--out-dir", out, a, longClip, b});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QByteArray text = TestSupport::ReadFile(jobs);
    ASSERT_EQ(text.count('\n'), 3) << text.constData();
    EXPECT_FALSE(QFileInfo(jobs).isExecutable());

    // one job at a time: a ends, then long is killed half-way
    const QString log = m_dir + "/jobs.log";
    QProcess p;
    Start(p, {"parallel", "-j", "1", "--joblog", log}, jobs);
    ASSERT_TRUE(WaitFor([&] {
        const QStringList t = Hidden(out);
        return QFileInfo::exists(out + "/a.avi") && t.size() == 1 && t[0].startsWith(".long.")
               && QFileInfo(out + "/" + t[0]).size() > 100000;
    })) << p.readAllStandardError().constData();
    KillTree(p);
    EXPECT_FALSE(QFileInfo::exists(out + "/long.avi"));
    EXPECT_FALSE(QFileInfo::exists(out + "/b.avi"));
    const QDateTime firstDone = QFileInfo(out + "/a.avi").lastModified();

    r = Parallel({"-j", "2", "--resume", "--joblog", log}, jobs);
    ASSERT_EQ(r.exitCode, 0) << r.err.right(2000).constData();
    EXPECT_EQ(QFileInfo(out + "/a.avi").lastModified(), firstDone); // not run again
    // the job log: a from the first run, then long and b; every one ended with 0
    const QStringList entries = QString::fromUtf8(TestSupport::ReadFile(log)).split('\n', Qt::SkipEmptyParts).mid(1);
    ASSERT_EQ(entries.size(), 3) << TestSupport::ReadFile(log).constData();
    for (const QString& e : entries)
        EXPECT_EQ(e.section('\t', 6, 6), "0") << e.toStdString();
    EXPECT_GT(Analyse(out + "/long.avi").Duration, 38000);
    EXPECT_EQ(Analyse(out + "/b.avi").VideoStreams[0].Width, 320);
    // the killed line's temporary stays hidden (its process id is in its name); the line's
    // second run used the same pass log name and removed it
    EXPECT_EQ(Hidden(out).size(), 1);
    EXPECT_TRUE(QDir(m_dir + "/tmp").entryList({"vexaconv_2pass*"}, QDir::Files).isEmpty());
}

// Any name goes through a job line as one word: parallel's own replacement strings,
// quotes, command substitutions, leading dashes, line breaks and blanks.
TEST_F(ScriptResume, HostileNamesInAJobListStayWords)
{
    if (!TestSupport::HaveTool("parallel"))
        return;
    FakeEncoder();
    const QStringList names{"it's \"q\" $(touch pwned) `touch pwned2`.avi", "-dash.avi", "new\nline.avi",
                            "  blanks  .avi", "{} {.} ::: $HOME %s.avi", "semi;colon & | > x.avi", "back\\slash.avi",
                            "bad one.avi"};
    QStringList inputs;
    for (const QString& n : names)
        inputs << Input("clip_xvid_mp3.avi", n);
    const QString out = m_dir + "/out";
    const QString jobs = m_dir + "/hostile.jobs";
    TestSupport::RunResult r = Vexaconv(QStringList{"--script", jobs, "--set", "Video2Pass=1", "--out-dir", out, "--"} + inputs);
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    ASSERT_EQ(TestSupport::ReadFile(jobs).count('\n'), names.size());

    // dash runs the lines: they are plain POSIX shell
    r = Parallel({"-j", "4", "--joblog", m_dir + "/jobs.log"}, jobs, {"PARALLEL_SHELL=/bin/sh"});
    EXPECT_EQ(r.exitCode, 1) << r.err.constData(); // parallel's status: one job failed
    const QList<QByteArray> words = TestSupport::ReadFile(m_dir + "/args.log").split('\0');
    for (const QString& in : inputs) {
        QString name = QFileInfo(in).fileName();
        name.replace(".avi", "");
        // both passes; a failed first pass ends the line
        EXPECT_EQ(words.count(QFile::encodeName(in)), name == "bad one" ? 1 : 2) << in.toStdString();
        if (name == "bad one")
            EXPECT_FALSE(QFileInfo::exists(out + "/" + name + ".avi"));
        else
            EXPECT_EQ(TestSupport::ReadFile(out + "/" + name + ".avi"), "data") << name.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(m_dir + "/pwned"));
    EXPECT_FALSE(QFileInfo::exists(m_dir + "/pwned2"));
    EXPECT_FALSE(QFileInfo::exists(m_dir + "/x.avi"));
    EXPECT_TRUE(Hidden(out).isEmpty()) << Hidden(out).join(' ').toStdString();
    EXPECT_TRUE(QDir(m_dir + "/tmp").entryList({"vexaconv_2pass*"}, QDir::Files).isEmpty());
}
