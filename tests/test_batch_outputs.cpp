// Outputs of real batches reach their final names only when complete and checked: the
// still picture mended by a second run, a program killed in the middle of an encode, an
// encoder that lies about success, a name taken while encoding, a full file system.

#include "outputs/TempOutput.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <csignal>

#include <gtest/gtest.h>

namespace {

using TestSupport::Lines;
using TestSupport::DistinctFrames;

QStringList EntriesOf(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QStringList TempsIn(const QString& dir)
{
    QStringList out;
    for (const QString& n : EntriesOf(dir))
        if (IsTempOutputName(n))
            out << n;
    return out;
}

class BatchOutputs : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = TestSupport::TestScratch("batch_outputs", {"home", "tmp", "in", "out"});
        m_out = m_dir + "/out";
    }

    QString Input(const QString& clip, const QString& name) { return TestSupport::CopyClip(clip, m_dir + "/in/" + name); }

    // A shell script in the program's tools folder stands in for the encoder.
    void FakeEncoder(const QByteArray& body)
    {
        QDir().mkpath(m_dir + "/home/tools/Mencoder");
        const QString fake = m_dir + "/home/tools/Mencoder/mencoder";
        QFile::remove(fake);
        TestSupport::WriteFile(fake, "#!/bin/sh\n" + body);
        QFile::setPermissions(fake, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    TestSupport::RunResult Run(const QStringList& args)
    {
        return TestSupport::RunVexaconv(QStringList{"--home", m_dir + "/home"} + args, {"TMPDIR=" + m_dir + "/tmp"},
                                        300000, m_dir);
    }

    QString m_dir;
    QString m_out;
};

} // namespace

// MPEG-4 in an AVI with empty chunks: the encoder's own reader repeats one picture for the
// whole file, so libavformat reads it from the start. That keeps ffmpeg's one empty chunk
// near the start, but not a gap of two seconds: its pictures come early, which the content
// check names, and FFmpeg makes the file again, holding the picture before the gap as a
// player does.
TEST_F(BatchOutputs, EmptyChunksAndGapsReadAsAPlayerShowsThem)
{
    if (!TestSupport::HaveTool("mencoder"))
        return;
    const QString made = Input("traits/ffmpeg_25.avi", "made by ffmpeg.avi");
    const QString gap = Input("gap.avi", "gap.avi");
    const TestSupport::RunResult r = Run({"--convert", "--out-dir", m_out, made, gap});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    const QStringList lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 2) << r.out.constData();
    EXPECT_EQ(lines[0], "Done\t" + made + "\t" + m_out + "/made by ffmpeg.avi");
    EXPECT_GE(DistinctFrames(m_out + "/made by ffmpeg.avi"), 90);
    if (TestSupport::HaveTool("ffmpeg")) {
        EXPECT_TRUE(lines[1].startsWith("Done\t" + gap + "\t" + m_out + "/gap.avi\tConverted by FFmpeg: MEncoder's output "
                                        "failed the check (The output's pictures come at the wrong moments"))
            << lines[1].toStdString();
        EXPECT_GE(DistinctFrames(m_out + "/gap.avi"), DistinctFrames(gap) - 2);
    }
}

TEST_F(BatchOutputs, DuplicateReportsAloneNeitherStopNorRepeatARunTwoPassesToo)
{
    const QString in = Input("clip_xvid_mp3.avi", "-still 'one'.avi");
    // A nearly still scene: the encoder reports a repeated picture frame after frame, and
    // its output (a copy of the input) is right. Only the pictures judge a still output.
    const QByteArray dir = QFile::encodeName(m_dir);
    FakeEncoder("echo \"run $*\" >> \"" + dir + "/runs.log\"\n"
                "i=1; while [ $i -le 80 ]; do\n"
                "  printf 'Pos: %d.0s %6df ( 1%%) 25.00fps Trem: 0min 1mb A-V:0.000 [0:0]\\r' $i $i\n"
                "  echo '1 duplicate frame(s)!'; i=$((i+1)); done\n"
                "while [ $# -gt 0 ]; do [ \"$1\" = -o ] && [ \"$2\" != /dev/null ] && cp -- \""
                + QFile::encodeName(in) + "\" \"$2\"; shift; done; exit 0\n");
    for (const bool twoPass : {false, true}) {
        QFile::remove(m_dir + "/runs.log");
        QDir(m_out).removeRecursively();
        QStringList args{"--convert", "--out-dir", m_out};
        if (twoPass)
            args << "--set" << "Video2Pass=1";
        const TestSupport::RunResult r = Run(args << in);
        EXPECT_EQ(r.exitCode, 0) << r.err.constData();
        EXPECT_EQ(Lines(r.out), QStringList{"Done\t" + in + "\t" + m_out + "/-still 'one'.avi"}) << twoPass;
        const QStringList runs = Lines(TestSupport::ReadFile(m_dir + "/runs.log"));
        ASSERT_EQ(runs.size(), twoPass ? 2 : 1) << runs.join('\n').toStdString();
        for (const QString& run : runs)
            EXPECT_FALSE(run.contains("-demuxer")) << run.toStdString();
        EXPECT_EQ(EntriesOf(m_out), QStringList{"-still 'one'.avi"});
    }
}

TEST_F(BatchOutputs, KilledInTheMiddleLeavesNothingUnderTheFinalNameAndTheRerunConverts)
{
    if (!TestSupport::HaveTool("mencoder"))
        return;
    const QString in = Input("clip_runner_40s.avi", "long.avi");
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", m_dir + "/tmp");
    env.insert("XDG_CONFIG_HOME", m_dir + "/config");
    p.setProcessEnvironment(env);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(TestSupport::VexaconvPath(), {"--home", m_dir + "/home", "--convert", "--set", "VideoCodec=x264", "--set",
                                          "VideoPreset=9", "--out-dir", m_out, in});
    ASSERT_TRUE(p.waitForStarted(10000));
    // wait until the encoder has written part of the output
    bool writing = false;
    for (int i = 0; i < 600 && !writing; ++i) {
        QThread::msleep(50);
        const QStringList temps = TempsIn(m_out);
        writing = temps.size() == 1 && QFileInfo(m_out + "/" + temps[0]).size() > 10000;
    }
    ASSERT_TRUE(writing) << EntriesOf(m_out).join(' ').toStdString();
    ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_FALSE(QFileInfo::exists(m_out + "/long.avi"));
    const QStringList leftover = TempsIn(m_out);
    ASSERT_EQ(leftover.size(), 1);

    // "Skip file" takes no broken leftover for a finished output; the leftover is swept.
    const TestSupport::RunResult r = Run({"--convert", "--if-exists", "skip", "--out-dir", m_out, in});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Lines(r.out), QStringList{"Done\t" + in + "\t" + m_out + "/long.avi"});
    EXPECT_EQ(EntriesOf(m_out), QStringList{"long.avi"});
}

TEST_F(BatchOutputs, OutputThatFailsItsCheckIsAnErrorAndIsRemoved)
{
    if (!TestSupport::HaveTool("mencoder"))
        return;
    const QString in = Input("clip_xvid_mp3.avi", "a b.avi");
    // Writes junk and calls it a success; logs each run's arguments.
    FakeEncoder("echo \"$*\" >> \"" + QFile::encodeName(m_dir) + "/runs.log\"\n"
                "while [ $# -gt 0 ]; do [ \"$1\" = -o ] && head -c 20000 /dev/urandom > \"$2\"; shift; done\n"
                "exit 0\n");
    // (the stand-in is MEncoder's: under Automatic FFmpeg would make the output again)
    const TestSupport::RunResult r = Run({"--convert", "--set", "Encoder=MEncoder", "--out-dir", m_out, in});
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    EXPECT_EQ(Lines(r.out), QStringList{"Error\t" + in + "\t" + m_out + "/a b.avi\tThe output file cannot be read: "
                                                                             "the encoder wrote no media file."});
    EXPECT_TRUE(r.err.contains("Output check failed: ")) << r.err.constData();
    EXPECT_EQ(EntriesOf(m_out), QStringList());
    // no second run: another demuxer cannot cure an output that is not a media file
    const QStringList runs = Lines(TestSupport::ReadFile(m_dir + "/runs.log"));
    ASSERT_EQ(runs.size(), 1);
    EXPECT_FALSE(runs[0].contains("-demuxer"));
}

TEST_F(BatchOutputs, AnEncoderThatDropsASecondOfThreeIsNotDone)
{
    const QString in = Input("clip_xvid_mp3.avi", "three.avi");
    // The encoder writes the first two seconds of the three and calls it a success, with
    // either demuxer: the row gets one second run (a wrong length may be the demuxer's
    // fault), then fails with its reason.
    const QString cut = m_dir + "/two.avi";
    const auto made = TestSupport::RunProgram("ffmpeg", {"-nostdin", "-loglevel", "error", "-y", "-i", in, "-t", "2",
                                                         "-c", "copy", cut});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    FakeEncoder("echo \"$*\" >> \"" + QFile::encodeName(m_dir) + "/runs.log\"\n"
                "while [ $# -gt 0 ]; do [ \"$1\" = -o ] && cp -- \"" + QFile::encodeName(cut) + "\" \"$2\"; shift; done\n"
                "exit 0\n");
    // (the stand-in is MEncoder's: under Automatic FFmpeg would make the output again)
    const TestSupport::RunResult r = Run({"--convert", "--set", "Encoder=MEncoder", "--out-dir", m_out, in});
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    const QStringList fields = Lines(r.out).value(0).split('\t');
    ASSERT_EQ(fields.size(), 4) << r.out.constData();
    EXPECT_EQ(fields[0], "Error");
    EXPECT_TRUE(fields[3].startsWith("The output lasts 2") && fields[3].endsWith("the encoder lost frames."))
        << fields[3].toStdString();
    EXPECT_EQ(EntriesOf(m_out), QStringList());
    const QStringList runs = Lines(TestSupport::ReadFile(m_dir + "/runs.log"));
    ASSERT_EQ(runs.size(), 2);
    EXPECT_TRUE(runs[1].contains("-demuxer lavf " + in)) << runs[1].toStdString();
}

TEST_F(BatchOutputs, NameTakenWhileEncodingGivesWayToTheNextNumber)
{
    if (!TestSupport::HaveTool("mencoder"))
        return;
    const QString in = Input("clip_xvid_mp3.avi", "a.avi");
    const QString taken = m_out + "/a.avi";
    // Another program writes the final name while the run is under way; the encoder
    // stands in with a copy of the input, which passes the check.
    FakeEncoder("echo 'someone else' > \"" + QFile::encodeName(taken) + "\"\n"
                "while [ $# -gt 0 ]; do [ \"$1\" = -o ] && cp -- \"" + QFile::encodeName(in)
                + "\" \"$2\"; shift; done\nexit 0\n");
    for (const char* policy : {"rename", "skip", "overwrite"}) {
        QDir(m_out).removeRecursively();
        QDir().mkpath(m_out);
        const TestSupport::RunResult r = Run({"--convert", "--if-exists", policy, "--out-dir", m_out, in});
        if (QByteArray(policy) == "rename") {
            EXPECT_EQ(Lines(r.out), QStringList{"OK - Renamed\t" + in + "\t" + m_out + "/a_001.avi"});
            EXPECT_EQ(TestSupport::ReadFile(m_out + "/a_001.avi"), TestSupport::ReadFile(in));
            EXPECT_EQ(TestSupport::ReadFile(taken), "someone else\n");
        } else if (QByteArray(policy) == "skip") {
            // the other program's file is never replaced: skipped, as if it had been there first
            EXPECT_EQ(r.exitCode, 0) << r.err.constData();
            EXPECT_EQ(Lines(r.out), QStringList{"Skipped\t" + in + "\t" + taken});
            EXPECT_EQ(TestSupport::ReadFile(taken), "someone else\n");
            EXPECT_EQ(EntriesOf(m_out), QStringList{"a.avi"});
        } else {
            EXPECT_EQ(Lines(r.out), QStringList{"Done\t" + in + "\t" + taken});
            EXPECT_EQ(TestSupport::ReadFile(taken), TestSupport::ReadFile(in));
        }
        EXPECT_TRUE(TempsIn(m_out).isEmpty()) << policy;
    }
}

TEST_F(BatchOutputs, SmallFileSystemThatFillsUpKeepsNoPartOfTheOutput)
{
    if (!TestSupport::HaveTool("mencoder"))
        return;
    // Room for the start of the output only: the encoder still exits with 0.
    TFullDisk disk(128);
    if (!disk.Ok())
        GTEST_SKIP() << disk.Why().toStdString();
    const QString in = Input("clip_runner_40s.avi", "long.avi");
    const TestSupport::RunResult r = Run({"--convert", "--out-dir", disk.Path(), in});
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    const QStringList lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 1) << r.out.constData();
    EXPECT_TRUE(lines[0].startsWith("Error")) << lines[0].toStdString();
    EXPECT_EQ(EntriesOf(disk.Path()), QStringList());
}
