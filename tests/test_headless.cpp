// `vexaconv --convert` and `--script` end to end: the real encoder on clips made with
// ffmpeg, outputs checked with the real MediaInfo library.

#include "support/AnalyseFile.h"
#include "base/AppParams.h"
#include "base/Platform.h"
#include "media/MediaAnalysis.h"

#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include <cstdio>

#include <gtest/gtest.h>

namespace {


QByteArray Checksum(const QString& file)
{
    return QCryptographicHash::hash(TestSupport::ReadFile(file), QCryptographicHash::Sha256);
}

// One frame decoded to grey bytes.
QByteArray Frame(const QString& file, int n)
{
    const TestSupport::RunResult r = TestSupport::RunProgram(
        "ffmpeg", {"-nostdin", "-v", "error", "-i", file, "-vf", QStringLiteral("select=eq(n\\,%1)").arg(n),
                   "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "gray", "-"});
    return r.out;
}

QStringList Lines(const QByteArray& out)
{
    QStringList l = QString::fromUtf8(out).split('\n');
    if (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    return l;
}

class HeadlessConvert : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!TestSupport::HaveTool("mencoder"))
            return;
        m_dir = TestSupport::TestScratch("batch_cli", {"home", "tmp", "in"});
    }

    // A copy of a test clip in this test's input directory, its checksum remembered.
    QString Input(const QString& clip, const QString& name)
    {
        const QString path = TestSupport::CopyClip(clip, m_dir + "/in/" + name);
        m_sums[path] = Checksum(path);
        return path;
    }

    TestSupport::RunResult Run(const QStringList& args, const QStringList& env = {})
    {
        QStringList e = env;
        e << "TMPDIR=" + m_dir + "/tmp";
        return TestSupport::RunVexaconv(QStringList{"--home", m_dir + "/home"} + args, e, 300000, m_dir);
    }

    void TearDown() override
    {
        for (auto it = m_sums.cbegin(); it != m_sums.cend(); ++it)
            EXPECT_EQ(Checksum(it.key()), it.value()) << "input changed: " << it.key().toStdString();
    }

    QString m_dir;
    QMap<QString, QByteArray> m_sums;
};

} // namespace

TEST_F(HeadlessConvert, XvidMp3AviIntoANewDirectory)
{
    const QString in = Input("clip_xvid_mp3.avi", "clip.avi");
    const QString outDir = m_dir + "/out/made/here";
    const TestSupport::RunResult r = Run({"--convert", "--out-dir", outDir, in});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QString out = outDir + "/clip.avi";
    EXPECT_EQ(Lines(r.out), QStringList{"Done\t" + in + "\t" + out});
    // progress, one line per update when stderr is no terminal
    EXPECT_TRUE(r.err.contains("file 1/1: ")) << r.err.constData();
    EXPECT_FALSE(r.err.contains('\r'));

    const TVideoFileInfo info = AnalyseFile(out);
    EXPECT_EQ(info.Format, "AVI");
    EXPECT_EQ(info.VideoStreams[0].Width, 320);
    EXPECT_EQ(info.VideoStreams[0].CodecID.toUpper(), "XVID");
    EXPECT_EQ(info.NumberOfAudioStreams, 1);
    EXPECT_TRUE(info.AudioStreams[0].Codec.contains("MPEG")) << info.AudioStreams[0].Codec.toStdString();
    EXPECT_NEAR(info.Duration, 3000, 300);
    // a moving picture, not one frame repeated
    const QByteArray f1 = Frame(out, 5), f2 = Frame(out, 60);
    ASSERT_EQ(f1.size(), 320 * 240);
    EXPECT_NE(f1, f2);
}

TEST_F(HeadlessConvert, H264Mp4TwoPassLeavesNoLogs)
{
    const QString in = Input("clip_xvid_mp3.avi", "clip.avi");
    const TestSupport::RunResult r = Run({"--convert", "--set", "VideoCodec=x264", "--set", "OutputFormat=MP4",
                                          "--set", "Video2Pass=1", "--out-dir", m_dir + "/out", in});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QString out = m_dir + "/out/clip.mp4";
    EXPECT_EQ(Lines(r.out), QStringList{"Done\t" + in + "\t" + out});
    // progress to a pipe comes at most once a second: a short second pass may not show
    EXPECT_TRUE(r.err.contains("pass 1")) << r.err.constData();
    const TVideoFileInfo info = AnalyseFile(out);
    EXPECT_EQ(info.Format, "MPEG-4");
    EXPECT_EQ(info.VideoStreams[0].Codec, "AVC");
    EXPECT_EQ(info.NumberOfAudioStreams, 1);
    EXPECT_TRUE(QDir(m_dir + "/tmp").entryList(QDir::Files | QDir::Hidden).isEmpty())
        << QDir(m_dir + "/tmp").entryList(QDir::Files).join(' ').toStdString();
}

// Each profile that comes with the program converts a clip into its own format and sound,
// never larger than the source; a largest height below the source's scales it down, and the
// output check takes the scaled size.
TEST_F(HeadlessConvert, EveryShippedProfileConvertsWithoutScalingUp)
{
    const QString in = Input("clip_h264_aac.mp4", "clip.mp4");
    const struct {
        const char* profile;
        QStringList sets;
        const char* output;
        const char* format;
        int width, height;
        const char* sound;
        int audioKbps; // 0: the format states none (MKV)
    } cases[] = {
        // AAC at the rate of the source's stereo sound (96), not more
        {"plays-everywhere", {}, "clip.mp4", "MPEG-4", 320, 240, "AAC", 96},
        {"Phones and sharing (smaller)", {}, "clip.mp4", "MPEG-4", 320, 240, "AAC", 96},
        {"tv-and-media-players", {}, "clip.mkv", "Matroska", 320, 240, "AAC", 0},
        {"old-players", {}, "clip.avi", "AVI", 320, 240, "MPEG Audio", 128},
        {"old-players", {"--set", "MaxHeight=120"}, "clip.avi", "AVI", 160, 120, "MPEG Audio", 128},
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString outDir = m_dir + "/out" + QString::number(n++);
        const TestSupport::RunResult r =
            Run(QStringList{"--convert", "--profile", c.profile} + c.sets + QStringList{"--out-dir", outDir, in});
        ASSERT_EQ(r.exitCode, 0) << c.profile << ": " << r.err.constData() << r.out.constData();
        const TVideoFileInfo info = AnalyseFile(outDir + "/" + c.output);
        EXPECT_EQ(info.Format, c.format) << c.profile;
        EXPECT_EQ(info.VideoStreams[0].Width, c.width) << c.profile;
        EXPECT_EQ(info.VideoStreams[0].Height, c.height) << c.profile;
        EXPECT_TRUE(info.AudioStreams[0].Codec.startsWith(c.sound)) << c.profile << info.AudioStreams[0].Codec.toStdString();
        if (c.audioKbps > 0) {
            EXPECT_EQ(info.AudioStreams[0].Bitrate, c.audioKbps) << c.profile;
        }
    }
}

TEST_F(HeadlessConvert, H264Mp4OnePassWithoutAudio)
{
    const QString in = Input("clip_h264_aac.mp4", "clip.mp4");
    const TestSupport::RunResult r =
        Run({"--convert", "--set", "VideoCodec=x264", "--set", "OutputFormat=MP4", "--set", "DoNotCopyAudio=1", in});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    // beside the input, whose own name is never written over
    const QString out = m_dir + "/in/clip_001.mp4";
    EXPECT_EQ(Lines(r.out), QStringList{"OK - Renamed\t" + in + "\t" + out});
    const TVideoFileInfo info = AnalyseFile(out);
    EXPECT_EQ(info.VideoStreams[0].Codec, "AVC");
    EXPECT_EQ(info.NumberOfAudioStreams, 0);
}

TEST_F(HeadlessConvert, ExistingOutputPolicies)
{
    const QString in = Input("clip_h264_aac.mp4", "clip.mp4");
    const QString out = m_dir + "/out";
    TestSupport::WriteFile(out + "/clip.avi", "old");
    TestSupport::WriteFile(out + "/clip_001.avi", "old");

    TestSupport::RunResult r = Run({"--convert", "--out-dir", out, in});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Lines(r.out), QStringList{"OK - Renamed\t" + in + "\t" + out + "/clip_002.avi"});
    EXPECT_GT(QFileInfo(out + "/clip_002.avi").size(), 10000);

    // "old" is no whole output: skip makes it again
    r = Run({"--convert", "--if-exists", "skip", "--out-dir", out, in});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Lines(r.out), QStringList{"OK - Overwritten\t" + in + "\t" + out + "/clip.avi\tThe existing output was "
                                        "incomplete (MediaInfo cannot read the output file): it was converted again."});
    EXPECT_EQ(AnalyseFile(out + "/clip.avi").VideoStreams[0].Width, 320);
    TestSupport::WriteFile(out + "/clip.avi", "old");

    r = Run({"--convert", "--if-exists", "overwrite", "--out-dir", out, in});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Lines(r.out), QStringList{"OK - Overwritten\t" + in + "\t" + out + "/clip.avi"});
    EXPECT_EQ(AnalyseFile(out + "/clip.avi").VideoStreams[0].Width, 320);
    EXPECT_EQ(TestSupport::ReadFile(out + "/clip_001.avi"), "old");
    EXPECT_FALSE(QFileInfo::exists(out + "/clip_003.avi"));
}

TEST_F(HeadlessConvert, TwoInputsOfOneNameAndAnAwkwardName)
{
    const QString a = Input("clip_xvid_mp3.avi", "clip.avi");
    const QString b = Input("clip_two_audio.mkv", "clip.mkv");
    const QString odd = Input("clip_h264_aac.mp4", "-odd 'q' \"d\" ü $(touch pwned).mp4");
    const QString out = m_dir + "/out";
    // with overwrite too: an earlier row's output is never written over
    const TestSupport::RunResult r = Run({"--convert", "--if-exists", "overwrite", "--out-dir", out, "--", a, b, odd});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Lines(r.out), (QStringList{"Done\t" + a + "\t" + out + "/clip.avi",
                                         "OK - Renamed\t" + b + "\t" + out + "/clip_001.avi",
                                         "Done\t" + odd + "\t" + out + "/-odd 'q' \"d\" ü $(touch pwned).avi"}));
    EXPECT_EQ(AnalyseFile(out + "/clip.avi").VideoStreams[0].Width, 320);
    EXPECT_EQ(AnalyseFile(out + "/clip_001.avi").VideoStreams[0].Width, 320);
    EXPECT_EQ(AnalyseFile(out + "/-odd 'q' \"d\" ü $(touch pwned).avi").VideoStreams[0].Width, 320);
    EXPECT_FALSE(QFileInfo::exists(m_dir + "/pwned"));
    EXPECT_FALSE(QFileInfo::exists(m_dir + "/home/pwned"));
}

// A folder converted with its tree kept, then again after a file was added to it: the
// rerun converts only the new file, and each run ends with its counts.
TEST_F(HeadlessConvert, KeptTreeRerunConvertsOnlyNewFiles)
{
    const QString clip = m_dir + "/one.avi";
    const TestSupport::RunResult made = TestSupport::RunProgram(
        "ffmpeg", {"-nostdin", "-v", "error", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=1", "-f",
                   "lavfi", "-i", "sine=frequency=440:duration=1", "-c:v", "mpeg4", "-c:a", "libmp3lame", clip});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    const QString cam = m_dir + "/in/cam", out = m_dir + "/out";
    const QByteArray bytes = TestSupport::ReadFile(clip);
    for (const char* name : {"ev1/clip.avi", "ev2/clip.avi", "top.avi"})
        TestSupport::WriteFile(cam + "/" + name, bytes);
    const QStringList args{"--convert", "--keep-tree", "--out-dir", out, "--if-exists", "skip", cam};

    TestSupport::RunResult r = Run(args);
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Lines(r.out), (QStringList{"Done\t" + cam + "/top.avi\t" + out + "/top.avi",
                                         "Done\t" + cam + "/ev1/clip.avi\t" + out + "/ev1/clip.avi",
                                         "Done\t" + cam + "/ev2/clip.avi\t" + out + "/ev2/clip.avi"}));
    EXPECT_TRUE(Lines(r.err).contains("Converted: 3, skipped: 0, failed: 0")) << r.err.constData();
    EXPECT_EQ(QDir(out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList{"ev1", "ev2", "top.avi"}));

    TestSupport::WriteFile(cam + "/ev2/new.avi", bytes);
    r = Run(args);
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Lines(r.out).filter(QRegularExpression("^Done\t")),
              QStringList{"Done\t" + cam + "/ev2/new.avi\t" + out + "/ev2/new.avi"});
    EXPECT_TRUE(Lines(r.err).contains("Converted: 1, skipped: 3, failed: 0")) << r.err.constData();
    EXPECT_GT(AnalyseFile(out + "/ev2/new.avi").VideoStreams[0].Width, 0);
}

TEST_F(HeadlessConvert, TabsAndLineBreaksInNamesAreEscaped)
{
    const QString in = TestSupport::WriteFile(m_dir + "/in/a\tb\nc.avi", "not really a video");
    TestSupport::WriteFile(m_dir + "/out/a\tb\nc.avi", TestSupport::ReadFile(TestSupport::Clip("clip_xvid_mp3.avi")));
    const TestSupport::RunResult r = Run({"--convert", "--if-exists", "skip", "--out-dir", m_dir + "/out", in});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(QString::fromUtf8(r.out),
              "Skipped\t" + m_dir + "/in/a\\tb\\nc.avi\t" + m_dir + "/out/a\\tb\\nc.avi\n");
}

TEST_F(HeadlessConvert, FailingRunsAreReportedAndTheBatchGoesOn)
{
    const QString a = Input("clip_xvid_mp3.avi", "a.avi");
    const QString b = Input("clip_h264_aac.mp4", "b.mp4");
    const QString log = m_dir + "/errors.log";
    const TestSupport::RunResult r = Run({"--convert", "--set", "AdditionalParams=-nonsense-option", "--out-dir",
                                          m_dir + "/out", "--error-log", log, a, b});
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    // each failed row's line ends with its reason in plain words
    const QString why = "\tThe encoder does not know an option of the command line: check the additional parameters.";
    EXPECT_EQ(Lines(r.out), (QStringList{"Error (1)\t" + a + "\t" + m_dir + "/out/a.avi" + why,
                                         "Error (1)\t" + b + "\t" + m_dir + "/out/b.avi" + why}));
    const QString err = QString::fromUtf8(r.err);
    EXPECT_TRUE(err.contains("Error # 1\n----------\n")) << err.toStdString();
    EXPECT_TRUE(err.contains("Error # 2\n"));
    EXPECT_TRUE(err.contains("ExitCode: 1\n"));
    EXPECT_TRUE(err.contains("-nonsense-option"));
    const QByteArray saved = TestSupport::ReadFile(log);
    EXPECT_TRUE(saved.contains("Error # 1\r\n----------\r\nDate & Time: ")) << saved.constData();
    EXPECT_TRUE(saved.contains("Input file: " + b.toUtf8() + "\r\n"));
    // the encoder's empty output is not left behind
    EXPECT_FALSE(QFileInfo::exists(m_dir + "/out/a.avi"));
}

TEST_F(HeadlessConvert, SetUpErrorsEndTheBatch)
{
    const QString in = Input("clip_xvid_mp3.avi", "a.avi");

    // an output directory below a regular file
    const QString file = TestSupport::WriteFile(m_dir + "/plain", "x");
    TestSupport::RunResult r = Run({"--convert", "--out-dir", file + "/sub", in});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("Couldn't create directory \"" + file.toUtf8() + "/sub\"!")) << r.err.constData();

    // the encoder missing: a home with an empty tools directory and nothing on PATH
    QDir().mkpath(m_dir + "/home/tools");
    QDir().mkpath(m_dir + "/emptybin");
    r = Run({"--convert", "--out-dir", m_dir + "/out", in}, {"PATH=" + m_dir + "/emptybin"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("Could not find the encoder: mencoder")) << r.err.constData();

    // (an invalid typed value cannot come through --set: the loader replaces it; the
    // planner's own test covers the builder's refusal)

    // nothing accepted
    r = Run({"--convert", m_dir + "/nothing.avi"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_FALSE(r.err.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(m_dir + "/out/a.avi"));
}

TEST_F(HeadlessConvert, SigintAbortsTheFileBeingEncoded)
{
    const QString longClip = Input("clip_runner_40s.avi", "long.avi");
    const QString next = Input("clip_xvid_mp3.avi", "next.avi");
    const QString out = m_dir + "/out";
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", m_dir + "/tmp");
    p.setProcessEnvironment(env);
    // the slowest preset keeps the encoder busy for many seconds
    p.start(TestSupport::VexaconvPath(), {"--home", m_dir + "/home", "--convert", "--set", "VideoCodec=x264", "--set",
                                          "VideoPreset=9", "--out-dir", out, longClip, next});
    ASSERT_TRUE(p.waitForStarted(10000));
    p.setReadChannel(QProcess::StandardError);
    // wait until the encoder is a few percent into the first file
    QByteArray err;
    bool started = false;
    while (!started && p.waitForReadyRead(30000)) {
        err += p.readAllStandardError();
        started = err.contains("file 1/2: ") && err.contains("% ");
    }
    ASSERT_TRUE(started) << err.constData();
    ::kill(static_cast<pid_t>(p.processId()), SIGINT);
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 130);
    EXPECT_EQ(Lines(p.readAllStandardOutput()), QStringList{"Aborted\t" + longClip + "\t" + out + "/long.avi"});
    // the part encoded until then is no output: nothing is left in the folder; the next
    // row was not touched
    EXPECT_EQ(QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList());
}

TEST_F(HeadlessConvert, ShellScriptRunsTheSameCommands)
{
    const QString a = Input("clip_xvid_mp3.avi", "clip.avi");
    const QString odd = Input("clip_h264_aac.mp4", "-x 'q' \"d\" ü $(touch pwned) `touch pwned2`.mp4");
    const QString out = m_dir + "/out";
    const QString sh = m_dir + "/convert.sh";
    TestSupport::RunResult r = Run({"--script", sh, "--set", "Video2Pass=1", "--out-dir", out, "--", a, odd});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(out + "/clip.avi")); // nothing was run
    EXPECT_TRUE(QFileInfo(sh).isExecutable());

    r = TestSupport::RunProgram("bash", {sh}, {"TMPDIR=" + m_dir + "/tmp"}, 300000, m_dir);
    ASSERT_EQ(r.exitCode, 0) << r.err.right(3000).constData();
    EXPECT_EQ(AnalyseFile(out + "/clip.avi").VideoStreams[0].Width, 320);
    EXPECT_EQ(AnalyseFile(out + "/-x 'q' \"d\" ü $(touch pwned) `touch pwned2`.avi").VideoStreams[0].Width, 320);
    EXPECT_FALSE(QFileInfo::exists(m_dir + "/pwned"));
    EXPECT_FALSE(QFileInfo::exists(m_dir + "/pwned2"));
    EXPECT_TRUE(QDir(m_dir + "/tmp").entryList(QDir::Files).isEmpty()); // the script removed its pass logs
    // so does one whose rows the second engine makes (x265 names its log in a list of its
    // own), run in another temp folder than it was written in; ffmpeg's progress is not shown
    const QString mkv = m_dir + "/mkv.sh";
    ASSERT_EQ(Run({"--script", mkv, "--set", "Video2Pass=1", "--set", "VideoCodec=HEVC", "--set", "OutputFormat=MKV",
                   "--set", "VideoPreset=1", "--out-dir", out, "--", a}).exitCode, 0);
    EXPECT_FALSE(TestSupport::ReadFile(mkv).contains((m_dir + "/tmp/").toUtf8())); // no log where it was written
    ASSERT_TRUE(QDir().mkpath(m_dir + "/tmp 2:b=c"));
    r = TestSupport::RunProgram("bash", {mkv}, {"TMPDIR=" + m_dir + "/tmp 2:b=c"}, 300000, m_dir);
    ASSERT_EQ(r.exitCode, 0) << r.err.right(3000).constData();
    EXPECT_EQ(r.out, "Converted 1, skipped 0, failed 0\n");
    EXPECT_EQ(AnalyseFile(out + "/clip.mkv").VideoStreams[0].Width, 320);
    EXPECT_EQ(QDir(m_dir + "/tmp 2:b=c").entryList(QDir::Files), QStringList());

    // a batch file is written as well, with the same decisions (outputs exist now)
    const QString bat = m_dir + "/convert.bat";
    r = Run({"--script", bat, "--out-dir", out, "--", a});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QByteArray text = TestSupport::ReadFile(bat);
    EXPECT_TRUE(text.startsWith("@echo off\r\nchcp 65001\r\n"));
    EXPECT_TRUE(text.contains("-o \"" + out.toUtf8() + "/clip_001.avi\"\r\n")) << text.constData();
    EXPECT_TRUE(text.endsWith("\r\npause\r\n"));
}

// The profile beside a job list holds the batch's settings, what --set changed included:
// the program loading it builds the very command line the batch would.
TEST_F(HeadlessConvert, JobListProfileGivesTheBatchsCommandLine)
{
    const QString a = Input("clip_h264_aac.mp4", "a.mp4");
    const QString jobs = m_dir + "/batch.jobs";
    const QList<QStringList> cases = {
        {},
        {"Video2Pass=1", "VideoBitrate=900", "AudioBitrate=96"},
        {"VideoCodec=H.264", "VideoPreset=3", "OutputFormat=MP4", "DoNotCopyAudio=1"},
        {"VideoCodec=HEVC", "Video2Pass=1", "EncoderThreads=2", "OutputFormat=MP4"},
        {"VideoCodec=AV1", "VideoRateControl=Quality", "Av1Quality=40", "VideoPreset=1", "OutputFormat=MKV"},
        {"Resolution=1", "ResWidth=160", "ResHeight=96", "FlipHorizontal=1", "Interlacing=1",
         "AdditionalParams=-noskip -mc 0 \"-vf-add\" harddup"},
    };
    for (const QStringList& sets : cases) {
        SCOPED_TRACE(sets.join(' ').toStdString());
        QStringList setArgs;
        for (const QString& set : sets)
            setArgs << "--set" << set;
        TestSupport::RunResult r = Run(QStringList{"--script", jobs} + setArgs + QStringList{"--", a});
        ASSERT_EQ(r.exitCode, 0) << r.err.constData();
        const TestSupport::RunResult direct = Run(QStringList{"--cmdline"} + setArgs + QStringList{"--", a});
        const TestSupport::RunResult loaded = Run({"--cmdline", "--profile", m_dir + "/batch.profile.ini", "--", a});
        EXPECT_EQ(loaded.exitCode, direct.exitCode);
        EXPECT_FALSE(direct.out.isEmpty());
        // every process makes its own two-pass log name
        const QRegularExpression passLog("vexaconv_2pass_[^\"]*");
        EXPECT_EQ(QString::fromUtf8(loaded.out).replace(passLog, "LOG").toStdString(),
                  QString::fromUtf8(direct.out).replace(passLog, "LOG").toStdString());
    }
}

// ---- targets that are inputs, encoders that lie, full disks, case-folding cards ------

namespace {

// Unmounts what a test mounted, also when the test fails half-way.
struct TMountGuard {
    QString Dir;
    ~TMountGuard()
    {
        if (!Dir.isEmpty() && TestSupport::RunProgram("fusermount", {"-u", Dir}).exitCode != 0)
            TestSupport::RunProgram("umount", {Dir});
    }
};

} // namespace

TEST_F(HeadlessConvert, ScriptAndLogNeverOverwriteAnInput)
{
    const QString a = Input("clip_xvid_mp3.avi", "a.avi");
    const QString b = Input("clip_h264_aac.mp4", "b.mp4");
    // `--script sc/*`: the shell hands the inputs over as script name and inputs
    TestSupport::RunResult r = Run({"--script", a, b});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("must end in .sh, .bat or .jobs")) << r.err.constData();
    // a script name that is an input under another name
    const QString link = m_dir + "/in/b.sh";
    ASSERT_EQ(::link(QFile::encodeName(b).constData(), QFile::encodeName(link).constData()), 0);
    r = Run({"--script", link, a, b});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("is one of the files to convert")) << r.err.constData();
    // the error log named after an input: refused before anything runs
    r = Run({"--convert", "--error-log", b, "--out-dir", m_dir + "/out", a, b});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("is one of the files to convert")) << r.err.constData();
    EXPECT_FALSE(QFileInfo::exists(m_dir + "/out/a.avi"));
    // (TearDown checks that both inputs are unchanged)
}

TEST_F(HeadlessConvert, SuccessWithoutAnOutputIsAnError)
{
    const QString a = Input("clip_xvid_mp3.avi", "a.avi");
    const QString out = m_dir + "/out";
    QDir().mkpath(m_dir + "/home/tools/Mencoder");
    const QString fake = m_dir + "/home/tools/Mencoder/mencoder";
    const auto useFake = [&](const QByteArray& body) {
        QFile::remove(fake);
        TestSupport::WriteFile(fake, "#!/bin/sh\n" + body);
        QFile::setPermissions(fake, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    // exits 0 and writes nothing (the output's temporary file stays empty)
    useFake("echo 'all fine'\nexit 0\n");
    TestSupport::RunResult r = Run({"--convert", "--out-dir", out, a});
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    EXPECT_EQ(Lines(r.out), QStringList{"Error\t" + a + "\t" + out + "/a.avi\tThe encoder ended without an error "
                                                                        "but wrote nothing: the output file is empty (0 "
                                                                        "bytes); it was deleted."});
    EXPECT_TRUE(r.err.contains("wrote nothing")) << r.err.constData();
    // exits 0 after removing the file it was to write
    useFake("while [ $# -gt 0 ]; do [ \"$1\" = -o ] && rm -f -- \"$2\"; shift; done\nexit 0\n");
    r = Run({"--convert", "--out-dir", out, a});
    EXPECT_EQ(Lines(r.out), QStringList{"Error\t" + a + "\t" + out + "/a.avi\tThe encoder ended without an error "
                                                                        "but wrote no output file."});
    EXPECT_TRUE(r.err.contains("wrote no output file")) << r.err.constData();
    // exits 0 with an empty output: deleted, and an error
    useFake("while [ $# -gt 0 ]; do [ \"$1\" = -o ] && : > \"$2\"; shift; done\nexit 0\n");
    r = Run({"--convert", "--out-dir", out, a});
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    EXPECT_EQ(Lines(r.out).value(0).section('\t', 0, 2), "Error\t" + a + "\t" + out + "/a.avi");
    EXPECT_TRUE(r.err.contains("empty (0 bytes)")) << r.err.constData();
    EXPECT_FALSE(QFileInfo::exists(out + "/a.avi"));
}

TEST_F(HeadlessConvert, FullDiskIsAnError)
{
    const QString a = Input("clip_xvid_mp3.avi", "a.avi");
    const QString full = m_dir + "/full";
    QDir().mkpath(full);
    const TestSupport::RunResult m = TestSupport::RunProgram("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", full});
    if (m.exitCode != 0)
        GTEST_SKIP() << "mount refused: " << m.err.constData();
    TMountGuard guard{full};
    // fill it to the last byte
    QFile filler(full + "/filler");
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    filler.close();

    const TestSupport::RunResult r = Run({"--convert", "--out-dir", full, a});
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    const QStringList lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith("Error")) << lines[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(full + "/a.avi")); // nothing fitted: the empty file is gone
}

TEST_F(HeadlessConvert, CaseFoldingCardKeepsItsInputs)
{
    const QString image = m_dir + "/card.img";
    const QString card = m_dir + "/card";
    QDir().mkpath(card);
    const QString mkfs = QStandardPaths::findExecutable("mkfs.vfat", {"/usr/sbin", "/sbin"});
    ASSERT_FALSE(mkfs.isEmpty()) << "scripts/deps.sh installs dosfstools";
    ASSERT_FALSE(QStandardPaths::findExecutable("fusefat").isEmpty()) << "scripts/deps.sh installs fusefat";
    {
        QFile img(image);
        ASSERT_TRUE(img.open(QIODevice::WriteOnly) && img.resize(24 * 1024 * 1024));
    }
    ASSERT_EQ(TestSupport::RunProgram(mkfs, {image}).exitCode, 0);
    const TestSupport::RunResult m = TestSupport::RunProgram("fusefat", {"-o", "rw+", image, card});
    if (m.exitCode != 0)
        GTEST_SKIP() << "the FAT image cannot be mounted here: " << m.err.constData();
    TMountGuard guard{card};

    QMap<QString, QByteArray> sums;
    const auto put = [&](const QString& clip, const QString& name) {
        const QString path = card + "/" + name;
        EXPECT_TRUE(QFile::copy(TestSupport::Clip(clip), path));
        sums[path] = Checksum(path);
        return path;
    };
    const QString mvi = put("clip_xvid_mp3.avi", "MVI_0001.AVI");
    const QString a = put("clip_two_audio.mkv", "a.mkv");
    const QString big = put("clip_h264_aac.mp4", "A.mp4");
    const TestSupport::RunResult r = Run({"--convert", "--if-exists", "overwrite", mvi, a, big});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(Lines(r.out), (QStringList{"OK - Renamed\t" + mvi + "\t" + card + "/MVI_0001_001.avi",
                                         "Done\t" + a + "\t" + card + "/a.avi",
                                         "OK - Renamed\t" + big + "\t" + card + "/A_001.avi"}));
    for (auto it = sums.cbegin(); it != sums.cend(); ++it)
        EXPECT_EQ(Checksum(it.key()), it.value()) << "input changed: " << it.key().toStdString();
    EXPECT_EQ(AnalyseFile(card + "/a.avi").VideoStreams[0].Width, 320);
    EXPECT_EQ(AnalyseFile(card + "/A_001.avi").VideoStreams[0].Width, 320);
}

// ---- inputs that must neither stall nor vanish ---------------------------------------

TEST_F(HeadlessConvert, InfoOnADamagedFileAndOnSpecialFilesReturns)
{
    const QString spinning = m_dir + "/in/spinning.mkv";
    QFile::copy(TestSupport::SpinningClip(), spinning);
    TestSupport::RunResult r = Run({"--info", spinning});
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.out.contains("File: " + spinning.toUtf8() + "\r\n"));
    EXPECT_TRUE(r.err.contains("spinning.mkv")) << r.err.constData();
    EXPECT_TRUE(r.err.contains("unreadable"));

    for (const QString& path : TestSupport::MakeSpecialFiles(m_dir + "/special")) {
        r = Run({"--info", path});
        EXPECT_FALSE(r.timedOut) << path.toStdString();
        EXPECT_EQ(r.exitCode, 1) << path.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(r.err, "vexaconv: not a regular file (a pipe, socket or device): " + path.toUtf8() + "\n");
    }
}

// The damaged file, a FIFO, a link to /dev/zero and a name that is not UTF-8 beside two
// good clips: the batch goes on, names every file it leaves out, treats the damaged file
// as unreadable and writes the name that is not UTF-8 with its bytes.
TEST_F(HeadlessConvert, AFolderWithADamagedFileSpecialFilesAndABadNameGoesOn)
{
    const QString a = Input("clip_xvid_mp3.avi", "a.avi");
    const QString z = Input("clip_h264_aac.mp4", "z.mp4");
    const QString spinning = m_dir + "/in/spinning.mkv";
    QFile::copy(TestSupport::SpinningClip(), spinning);
    const QStringList special = TestSupport::MakeSpecialFiles(m_dir + "/in");
    const QByteArray bad = QFile::encodeName(m_dir) + "/in/bad\xff" "name.avi";
    QFile::copy(TestSupport::Clip("clip_xvid_mp3.avi"), m_dir + "/tmp/plain.avi");
    ASSERT_EQ(::rename(QFile::encodeName(m_dir + "/tmp/plain.avi").constData(), bad.constData()), 0);

    const QString sh = m_dir + "/convert.sh";
    TestSupport::RunResult r = Run({"--script", sh, "--out-dir", m_dir + "/out", m_dir + "/in", special[0]});
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    const QString err = QString::fromUtf8(r.err);
    EXPECT_TRUE(err.contains("not a regular file (a pipe, socket or device), left out: " + special[0]))
        << err.toStdString();
    EXPECT_FALSE(err.contains("bad\\xFFname.avi")) << err.toStdString();
    EXPECT_TRUE(err.contains("spinning.mkv\" took longer than"));
    const QByteArray script = TestSupport::ReadFile(sh);
    EXPECT_TRUE(script.contains(a.toUtf8()) && script.contains(z.toUtf8())) << script.constData();
    EXPECT_TRUE(script.contains("/in/bad'$'\\xff''name.avi'")) << script.constData();
    EXPECT_FALSE(script.contains("pipe.avi") || script.contains("zero.avi") || script.contains("socket.avi"));
}

namespace {

// Starts vexaconv with args, sends SIGINT waitMs after its analysis worker started (it
// is analysing inputs then), and tells whether it ended within a generous bound, with its
// exit code.
struct Interrupted {
    bool ended = false;
    int exitCode = -1;
    qint64 afterSignalMs = -1; // from the signal to the end
    QByteArray err;
};

Interrupted InterruptAfter(const QStringList& args, const QString& tmp, int waitMs)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", tmp);
    p.setProcessEnvironment(env);
    p.start(TestSupport::VexaconvPath(), args);
    Interrupted result;
    if (!p.waitForStarted(10000))
        return result;
    const QString children = QStringLiteral("/proc/%1/task/%1/children").arg(p.processId());
    for (int i = 0; i < 600 && TestSupport::ReadFile(children).trimmed().isEmpty(); ++i)
        QThread::msleep(50);
    QThread::msleep(static_cast<unsigned long>(waitMs));
    QElapsedTimer clock;
    clock.start();
    ::kill(static_cast<pid_t>(p.processId()), SIGINT);
    result.ended = p.waitForFinished(20000);
    result.afterSignalMs = clock.elapsed();
    if (!result.ended) {
        p.kill();
        p.waitForFinished();
    }
    result.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    result.err = p.readAllStandardError();
    return result;
}

} // namespace

// Adding thousands of analysed files takes long; a signal ends it at once.
TEST_F(HeadlessConvert, SigintWhileManyFilesAreAddedEndsTheProgram)
{
    const QString clip = TestSupport::Clip("clip_xvid_mp3.avi");
    for (int i = 0; i < 3000; ++i)
        ASSERT_TRUE(QFile::link(clip, m_dir + QStringLiteral("/in/c%1.avi").arg(i, 4, 10, QLatin1Char('0'))));
    const QString sh = m_dir + "/convert.sh";
    const Interrupted r = InterruptAfter({"--home", m_dir + "/home", "--script", sh, m_dir + "/in"}, m_dir + "/tmp", 1000);
    EXPECT_TRUE(r.ended);
    EXPECT_EQ(r.exitCode, 130) << r.err.constData();
    EXPECT_FALSE(QFileInfo::exists(sh));
}

// The signal arrives while the library spins on the damaged file in the worker: the
// worker is killed, not waited for.
TEST_F(HeadlessConvert, SigintWhileTheDamagedFileIsAnalysedEndsTheProgramAtOnce)
{
    QFile::copy(TestSupport::SpinningClip(), m_dir + "/in/spinning.mkv");
    const QString sh = m_dir + "/convert.sh";
    for (const QStringList& mode : {QStringList{"--script", sh}, QStringList{"--convert", "--out-dir", m_dir + "/out"}}) {
        const Interrupted r = InterruptAfter(QStringList{"--home", m_dir + "/home"} + mode + QStringList{m_dir + "/in"},
                                             m_dir + "/tmp", 500);
        const std::string what = mode.first().toStdString();
        EXPECT_TRUE(r.ended) << what;
        EXPECT_EQ(r.exitCode, 130) << what << ": " << r.err.constData();
        EXPECT_LT(r.afterSignalMs, 1000) << what;
        EXPECT_FALSE(r.err.contains("took longer than")) << what << ": " << r.err.constData();
    }
    EXPECT_FALSE(QFileInfo::exists(m_dir + "/out/spinning.avi"));
}

// A file named on the command line is an input whatever its extension when it holds video;
// one that holds none ends its row with the check's reason before any encoder run.
TEST_F(HeadlessConvert, NamedInputsOfAnyKindAndTheRowsRefusedBeforeARun)
{
    const QString out = m_dir + "/out";
    const QString text = TestSupport::WriteFile(m_dir + "/in/notes.txt", "not a film\n");
    const QString notMedia = "not a media file the program can read (unknown container, or damaged)";
    const QString cover = "the file has no video stream, only a cover picture";
    const struct {
        QString Input;
        QString Line; // after the input
    } rows[] = {
        {Input("clip.dv", "tape.dv"), "\t" + out + "/tape.avi"},
        {Input("clip.y4m", "raw.y4m"), "\t" + out + "/raw.avi"},
        {Input("clip_video_only.mp4", "noext"), "\t" + out + "/noext.avi"},
        {text, "\t" + out + "/notes.avi\t" + notMedia},
        {Input("empty.avi", "empty.avi"), "\t" + out + "/empty.avi\tthe file is empty"},
        {Input("sound_only.mp4", "sound.mp4"), "\t" + out + "/sound.avi\tthe file has no video stream"},
        {Input("cover_only.mp4", "cover.mp4"), "\t" + out + "/cover.avi\t" + cover},
        {Input("cover_only.mkv", "attached.mkv"), "\t" + out + "/attached.avi\t" + cover},
    };
    QStringList inputs;
    for (const auto& row : rows)
        inputs << row.Input;
    TestSupport::RunResult r = Run(QStringList{"--convert", "--out-dir", out} + inputs);
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    const QStringList lines = Lines(r.out);
    EXPECT_EQ(lines.size(), 8) << r.out.constData();
    for (const auto& row : rows) {
        const QString status = row.Line.count('\t') > 1 ? "Error\t" : "Done\t";
        EXPECT_TRUE(lines.contains(status + row.Input + row.Line)) << row.Input.toStdString() << "\n" << r.out.constData();
    }
    EXPECT_EQ(AnalyseFile(out + "/raw.avi").VideoStreams[0].Width, 160);

    // alone, a refused file is a failed row, not an empty batch
    r = Run({"--convert", "--out-dir", out, text});
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    EXPECT_EQ(Lines(r.out), QStringList{"Error\t" + text + "\t" + out + "/notes.avi\t" + notMedia});
    // a script leaves it out and says why
    const QString sh = m_dir + "/convert.sh";
    r = Run({"--script", sh, "--out-dir", out, text, rows[1].Input});
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    EXPECT_TRUE(Lines(r.err).contains(text + ": " + notMedia)) << r.err.constData();
    const QByteArray script = TestSupport::ReadFile(sh);
    EXPECT_TRUE(script.contains("raw.y4m") && !script.contains("notes.txt")) << script.constData();
}

// A dot that ends a folder's name belongs to it: the report, the list file and the
// output paths name the real folders.
TEST_F(HeadlessConvert, FoldersWhoseNamesEndInADot)
{
    QDir().mkpath(m_dir + "/Vol.");
    const QString in = m_dir + "/Vol./clip.avi";
    QFile::copy(TestSupport::Clip("clip_xvid_mp3.avi"), in);
    TestSupport::RunResult r = Run({"--info", in});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.out.contains("File: " + in.toUtf8() + "\r\n")) << r.out.left(400).constData();

    const QString lst = TestSupport::WriteFile(m_dir + "/list.lst", in.toUtf8() + "\r\n");
    const QString sh = m_dir + "/convert.sh";
    r = Run({"--script", sh, "--out-dir", m_dir + "/Out.", lst});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QByteArray script = TestSupport::ReadFile(sh);
    EXPECT_TRUE(script.contains("/Vol./clip.avi")) << script.constData();
    EXPECT_TRUE(script.contains("/Out./clip.avi")) << script.constData();
}

namespace {

// The timed fake encoder as the home's encoder; each input's text is the seconds its run
// takes, and each output a copy of a real clip, which passes the check of finished outputs.
QStringList UseTimedFakeEncoder(const QString& dir)
{
    const QString fake = dir + "/home/tools/Mencoder/mencoder";
    QDir().mkpath(QFileInfo(fake).path());
    QFile::copy(QStringLiteral(VEXA_SOURCE_DIR "/tests/fake_encoder/timed_encode.py"), fake);
    QFile::setPermissions(fake, QFile::permissions(fake) | QFileDevice::ExeOwner);
    return {"VEXA_FAKE_CLIP=" + TestSupport::Clip("clip_xvid_mp3.avi")};
}

QStringList ProgressLines(const QByteArray& err)
{
    return Lines(err).filter(QRegularExpression("^file \\d+/\\d+: "));
}

} // namespace

// Progress into a pipe or file: a new line a second at most, never one that repeats the
// line before, with one job and with two side by side. The fake encoder tells its progress
// twenty times a second.
TEST_F(HeadlessConvert, PipedProgressComesAtMostOnceASecondWithoutRepeats)
{
    const QStringList env = UseTimedFakeEncoder(m_dir);
    QStringList inputs;
    for (const char* name : {"a", "b", "c"})
        inputs << TestSupport::WriteFile(m_dir + "/in/" + name + ".avi", "1.5");
    for (const QString& jobs : {QStringLiteral("1"), QStringLiteral("2")}) {
        QElapsedTimer wall;
        wall.start();
        const TestSupport::RunResult r = Run(QStringList{"--convert", "--jobs", jobs, "--if-exists", "overwrite",
                                                         "--out-dir", m_dir + "/out"} + inputs, env);
        const qint64 seconds = wall.elapsed() / 1000;
        ASSERT_EQ(r.exitCode, 0) << r.err.constData();
        EXPECT_EQ(Lines(r.out).size(), 3) << r.out.constData();
        EXPECT_FALSE(r.err.contains('\r'));
        const QStringList progress = ProgressLines(r.err);
        // lines at least a second apart fit the run's time: n lines take n - 1 seconds
        EXPECT_GE(progress.size(), 1) << r.err.constData();
        EXPECT_LE(progress.size(), 1 + seconds) << "--jobs " << jobs.toStdString() << "\n" << r.err.constData();
        for (qsizetype i = 1; i < progress.size(); ++i)
            EXPECT_NE(progress.at(i), progress.at(i - 1)) << "--jobs " << jobs.toStdString();
    }
}

// On a terminal the progress stays one line, rewritten in place as often as it changes.
TEST_F(HeadlessConvert, ATerminalKeepsItsRedrawnProgressLine)
{
    const QStringList env = UseTimedFakeEncoder(m_dir);
    const QString in = TestSupport::WriteFile(m_dir + "/in/a.avi", "1.5");
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);

    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const QString& kv : env + QStringList{"TMPDIR=" + m_dir + "/tmp"})
        e.insert(kv.section('=', 0, 0), kv.section('=', 1));
    p.setProcessEnvironment(e);
    p.setWorkingDirectory(m_dir);
    p.setStandardErrorFile(QString::fromLocal8Bit(::ptsname(master)));
    p.start(TestSupport::VexaconvPath(), {"--home", m_dir + "/home", "--convert", "--out-dir", m_dir + "/out", in});
    QByteArray terminal;
    auto drain = [&] {
        char buffer[4096];
        ssize_t n = 0;
        while ((n = ::read(master, buffer, sizeof buffer)) > 0)
            terminal.append(buffer, n);
    };
    // the terminal is read while the program writes, or it would fill up and stop it
    while (!p.waitForFinished(50) && p.state() != QProcess::NotRunning)
        drain();
    drain();
    ::close(master);
    ASSERT_EQ(p.exitCode(), 0) << terminal.constData();
    EXPECT_EQ(Lines(p.readAllStandardOutput()), QStringList{"Done\t" + in + "\t" + m_dir + "/out/a.avi"});
    // rewritten in place: back to the line's start, the text, the rest of the line erased
    EXPECT_GE(terminal.count("\rfile 1/1: "), 2) << terminal.constData();
    EXPECT_GE(terminal.count("\x1b[K"), 2);
    // and never ended as a line of its own (the terminal writes a line break as CR LF)
    EXPECT_FALSE(QRegularExpression("file 1/1: [^\r\n]*\r\n").match(QString::fromUtf8(terminal)).hasMatch())
        << terminal.constData();
}

// A list file that names missing files: each is named as a missing input named on the
// command line is, in every headless mode, and the rest of the list goes on.
TEST_F(HeadlessConvert, MissingFilesOfAListFileAreNamed)
{
    const QString a = Input("clip_xvid_mp3.avi", "a.avi");
    const QString absent = m_dir + "/in/nowhere.mkv";
    const QString lst = TestSupport::WriteFile(
        m_dir + "/list.lst", (a + "\r\ngone.avi\r\n\r\n" + absent + "\r\n" + a + "\r\nnotes.txt\r\n").toUtf8());
    const QString argument = m_dir + "/argument.avi";
    const QStringList missing{"gone.avi", absent, "notes.txt", argument};

    struct Mode {
        QStringList Args;
        int Exit;
        bool OnStdout; // --check lists them among the batch's problems
    };
    const QList<Mode> modes = {
        {{"--script", m_dir + "/convert.sh"}, 0, false},
        {{"--check"}, 1, true},
        {{"--convert"}, 0, false},
    };
    for (const Mode& mode : modes) {
        const TestSupport::RunResult r = Run(mode.Args + QStringList{"--out-dir", m_dir + "/out", lst, argument});
        const std::string what = mode.Args.first().toStdString();
        EXPECT_EQ(r.exitCode, mode.Exit) << what << ": " << r.err.constData();
        const QStringList lines = Lines(mode.OnStdout ? r.out : r.err);
        for (const QString& name : missing) {
            const QString line = (mode.OnStdout ? QString() : QStringLiteral("vexaconv: "))
                                 + "no such file, left out: " + name;
            EXPECT_EQ(lines.count(line), 1) << what << ": " << line.toStdString() << "\n"
                                            << (mode.OnStdout ? r.out : r.err).constData();
        }
        EXPECT_EQ(QString::fromUtf8(r.out + r.err).count("left out"), missing.size()) << what;
    }
    EXPECT_TRUE(TestSupport::ReadFile(m_dir + "/convert.sh").contains(a.toUtf8()));
    EXPECT_EQ(AnalyseFile(m_dir + "/out/a.avi").VideoStreams[0].Width, 320);
}
