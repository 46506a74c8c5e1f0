// The check before a batch (`vexaconv --check`) over real files, and the speeds it
// forecasts the time from.

#include "batch/Preflight.h"
#include "lib/MemIniFile.h"
#include "settings/SpeedHistory.h"

#include "support/FullDisk.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using TestSupport::Lines;

class Preflight : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = TestSupport::TestScratch("batch_preflight", {"home", "tmp", "in", "out"});
    }

    QString Input(const QString& clip, const QString& name) { return TestSupport::CopyClip(clip, m_dir + "/in/" + name); }

    TestSupport::RunResult Run(const QStringList& args, const QStringList& env = {})
    {
        return TestSupport::RunVexaconv(QStringList{"--home", m_dir + "/home"} + args,
                                        QStringList{"TMPDIR=" + m_dir + "/tmp"} + env, 300000, m_dir);
    }

    QString m_dir;
};

} // namespace

TEST_F(Preflight, EveryInputProblemIsOneLineAndTheExitStatusTells)
{
    const QString good = Input("clip_xvid_mp3.avi", "good.avi");
    const QString empty = Input("empty.avi", "empty.avi");
    const QString junk = Input("junk.avi", "junk.avi");
    const QString sound = m_dir + "/in/sound.mkv"; // a video container with sound only
    ASSERT_EQ(TestSupport::RunProgram("ffmpeg", {"-nostdin", "-v", "error", "-f", "lavfi", "-i", "sine=d=1", sound}).exitCode, 0);
    const QString gone = m_dir + "/in/gone.avi";
    const QString cover = Input("cover_only.mp4", "cover.mp4");
    const QString attached = Input("cover_only.mkv", "attached.mkv");
    // named files of any kind: the second prober decides
    const QString text = TestSupport::WriteFile(m_dir + "/in/notes.txt", "not a film\n");
    const QStringList videos{Input("clip.dv", "tape.dv"), Input("clip.y4m", "raw.y4m"), Input("clip_video_only.mp4", "noext")};

    TestSupport::RunResult r = Run(QStringList{"--check", "--out-dir", m_dir + "/out", good, empty, junk, sound, gone,
                                               cover, attached, text} + videos);
    EXPECT_EQ(r.exitCode, 1) << r.err.constData();
    const QStringList lines = Lines(r.out).filter(QRegularExpression("^(?!note: )"));
    ASSERT_EQ(lines.size(), 8) << r.out.constData();
    EXPECT_TRUE(lines.contains(empty + ": the file is empty"));
    EXPECT_TRUE(lines.contains(junk + ": not a media file the program can read (unknown container, or damaged)"));
    EXPECT_TRUE(lines.contains(text + ": not a media file the program can read (unknown container, or damaged)"));
    EXPECT_TRUE(lines.contains(sound + ": the file has no video stream"));
    EXPECT_TRUE(lines.contains(cover + ": the file has no video stream, only a cover picture"));
    EXPECT_TRUE(lines.contains(attached + ": the file has no video stream, only a cover picture"));
    EXPECT_EQ(lines.filter(gone).size(), 1);
    // the forecast counts the files that would be converted; no speed is known yet
    EXPECT_TRUE(lines.last().startsWith("Forecast: 10 files, about ")) << lines.last().toStdString();
    EXPECT_TRUE(lines.last().endsWith("time unknown (no file converted on this machine yet with Xvid, SD)."))
        << lines.last().toStdString();

    // a good file into a fresh directory: nothing to tell
    r = Run({"--check", "--out-dir", m_dir + "/out/new", good});
    EXPECT_EQ(r.exitCode, 0) << r.out.constData();
    EXPECT_EQ(Lines(r.out).size(), 1);
    EXPECT_FALSE(QFileInfo::exists(m_dir + "/out/new")); // the check makes nothing

    // usage errors as in the other modes
    EXPECT_EQ(Run({"--check"}).exitCode, 2);
    EXPECT_EQ(Run({"--check", "--error-log", "x", good}).exitCode, 2);
    EXPECT_EQ(Run({"--check", "--set", "NoSuchKey=1", good}).exitCode, 2);
}

TEST_F(Preflight, OutputNamesAfterThePolicyInTheBatchAndOnDisk)
{
    const QString a = Input("clip_xvid_mp3.avi", "a.avi");
    const QString aMkv = Input("clip_two_audio.mkv", "a.mkv");
    const QString b = Input("clip_h264_aac.mp4", "b.mp4");
    const QString out = m_dir + "/out";
    TestSupport::WriteFile(out + "/b.avi", "earlier");

    // Names the policy changes are notes, no reason for a failing status; writing over is
    // a problem.
    struct Case {
        QStringList args;
        int exitCode;
        QString line;
    };
    const Case cases[] = {
        // two inputs give one name; the second gets a numbered one
        {{"--if-exists", "rename", a, aMkv}, 0,
         "note: " + aMkv + ": its output \"" + out + "/a.avi\" is also the output of \"" + a + "\"; it is written as \""
             + out + "/a_001.avi\""},
        {{"--if-exists", "skip", a, b}, 0, "note: " + b + ": the output \"" + out + "/b.avi\" exists; the file is skipped"},
        {{"--if-exists", "rename", b}, 0,
         "note: " + b + ": the output \"" + out + "/b.avi\" exists; it is written as \"" + out + "/b_001.avi\""},
        {{"--if-exists", "overwrite", b}, 1, b + ": the output \"" + out + "/b.avi\" exists and is written over"},
    };
    for (const Case& c : cases) {
        const TestSupport::RunResult r = Run(QStringList{"--check", "--out-dir", out} + c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.out.constData();
        EXPECT_TRUE(Lines(r.out).contains(c.line)) << r.out.constData();
    }
    EXPECT_TRUE(Lines(Run({"--check", "--out-dir", out, "--if-exists", "skip", a, b}).out).last().startsWith(
        "Forecast: 1 file, "));

    // beside the input with the input's own extension: always numbered, nothing to tell
    const TestSupport::RunResult r = Run({"--check", a});
    EXPECT_EQ(r.exitCode, 0) << r.out.constData();
    EXPECT_FALSE(r.out.contains("note: ")) << r.out.constData();
}

TEST_F(Preflight, AdjustmentsAreNotesAndWhatARunWouldRefuseIsAProblem)
{
    const QString out = m_dir + "/out";
    struct Case {
        const char* clip;
        QStringList settings;
        int exitCode;
        QString line; // after "INPUT: "
    };
    const QStringList mp4{"--set", "VideoCodec=H.264", "--set", "OutputFormat=MP4"};
    const Case cases[] = {
        {"probe_odd_size.mpg", {}, 0, "note: %1: the picture size 720x405 becomes 720x404 (the codec needs even sides)"},
        {"probe_rotated.mp4", {}, 0, "note: %1: the picture is turned 270° clockwise to stand upright"},
        {"probe_pal_wide.mpg", mp4, 0, TestSupport::UserDecimals("note: %1: the picture is shown at 1.778:1 as in the source")},
        // times are shown with the user's decimal mark
        {"probe_late_audio.mp4", {}, 0,
         TestSupport::UserDecimals("note: %1: the sound starts 1.98 s after the picture, as in the source")},
        {"probe_late_audio.mp4", mp4 + QStringList{"--set", "Encoder=MEncoder"}, 1,
         TestSupport::UserDecimals("%1: The sound starts 1.98 s after the picture, and an MP4 file from the encoder "
                                   "cannot keep that offset: convert this file to AVI.")},
        // an MP4 is FFmpeg's: the encoder's own options typed for it are left out, and said so
        {"probe_plain.mp4", mp4 + QStringList{"--set", "AdditionalParams=-vf-add eq2=1.2"}, 0,
         "note: %1: The additional parameters are MEncoder's: FFmpeg makes this file without them."},
        // what the run would refuse is refused before it
        {"probe_plain.mp4", {"--set", "VideoCodec=HEVC"}, 1,
         "%1: HEVC video goes into MP4 or MKV only: choose MP4 or MKV as the output format, or H.264 video for AVI."},
        {"probe_plain.mp4", {"--set", "VideoCodec=AV1", "--set", "OutputFormat=MKV", "--set", "Encoder=MEncoder"}, 1,
         "%1: Only FFmpeg makes AV1 video, but the encoder setting is MEncoder: set it to Automatic or FFmpeg."},
        {"probe_plain.mp4", {"--set", "VideoCodec=AV1", "--set", "OutputFormat=MKV", "--set", "Video2Pass=1"}, 0,
         "note: %1: FFmpeg's AV1 encoder makes no second pass: this file is made in one pass at the bit rate."},
        // (a picture under SVT-AV1's least is libaom's)
        {"real/sage-example.avi", {"--set", "VideoCodec=AV1", "--set", "OutputFormat=MP4"}, 0,
         "note: %1: the picture size 84x33 becomes 84x32 (the codec needs even sides)"},
    };
    for (const Case& c : cases) {
        const QString name = QFileInfo(c.clip).fileName();
        QString in = m_dir + "/in/" + name;
        if (QString(c.clip).startsWith("real/"))
            QFile::copy(QStringLiteral(VEXA_SOURCE_DIR "/tests/data/") + c.clip, in);
        else
            in = Input(c.clip, name);
        const TestSupport::RunResult r = Run(QStringList{"--check", "--out-dir", out} + c.settings + QStringList{in});
        EXPECT_EQ(r.exitCode, c.exitCode) << c.clip << r.out.constData();
        EXPECT_TRUE(Lines(r.out).contains(c.line.arg(in))) << c.clip << "\n" << r.out.constData();
    }
}

TEST_F(Preflight, MissingEncoder)
{
    const QString a = Input("clip_xvid_mp3.avi", "a.avi");
    QDir().mkpath(m_dir + "/home/tools");
    QDir().mkpath(m_dir + "/emptybin");
    const TestSupport::RunResult r = Run({"--check", "--out-dir", m_dir + "/out", a}, {"PATH=" + m_dir + "/emptybin"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(Lines(r.out).first(), "Could not find the encoder: mencoder");
}

TEST_F(Preflight, UnwritableDirectoriesAndUnreadableInputs)
{
    if (TestSupport::RanAsUnprivilegedUser())
        return; // as root: checked by a child process as an unprivileged user
    QTemporaryDir tmp;
    const QString a = tmp.filePath("a.avi");
    QFile::copy(TestSupport::Clip("clip_xvid_mp3.avi"), a);
    const QString secret = tmp.filePath("secret.avi");
    QFile::copy(TestSupport::Clip("clip_xvid_mp3.avi"), secret);
    QFile::setPermissions(secret, QFileDevice::WriteOwner);
    const QString locked = tmp.filePath("locked");
    QDir().mkpath(locked);
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QStringList home{"--home", tmp.filePath("home")};

    TestSupport::RunResult r = TestSupport::RunVexaconv(home + QStringList{"--check", "--out-dir", locked, a});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Lines(r.out).contains("the output directory \"" + locked + "\" cannot be written (no permission)"))
        << r.out.constData();
    r = TestSupport::RunVexaconv(home + QStringList{"--check", "--out-dir", locked + "/sub", a});
    EXPECT_TRUE(Lines(r.out).contains("the output directory \"" + locked + "/sub\" cannot be created in \"" + locked
                                      + "\" (no permission)"))
        << r.out.constData();
    r = TestSupport::RunVexaconv(home + QStringList{"--check", "--out-dir", tmp.filePath("out"), a, secret});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(Lines(r.out).filter(secret).size(), 1) << r.out.constData();
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(Preflight, FullDiskAgainstTheSizeForecast)
{
    TFullDisk disk(1024);
    if (!disk.Ok())
        GTEST_SKIP() << disk.Why().toStdString();
    // 40 s at the Auto bit rates is far more than the 1 MiB the file system holds
    const QString longClip = Input("clip_runner_40s.avi", "long.avi");
    TestSupport::RunResult r = Run({"--check", "--out-dir", disk.Path(), longClip});
    EXPECT_EQ(r.exitCode, 1);
    const QStringList lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 2) << r.out.constData();
    EXPECT_TRUE(lines[0].startsWith("not enough free space for the outputs in \"" + disk.Path() + "\": about "))
        << lines[0].toStdString();
    // two outputs into one small directory add up; a short clip alone fits
    const QString a = Input("clip_xvid_mp3.avi", "a.avi");
    r = Run({"--check", "--out-dir", disk.Path(), a});
    EXPECT_EQ(r.exitCode, 0) << r.out.constData();
}

// A real run records its speed; the next check forecasts the time from it.
TEST_F(Preflight, ARealRunTeachesTheTimeForecast)
{
    if (!TestSupport::HaveTool("mencoder"))
        return;
    // The first conversion of a new user comes before any settings file or home exists.
    const QString shortClip = Input("clip_xvid_mp3.avi", "short.avi");
    ASSERT_TRUE(QDir(m_dir + "/home").removeRecursively());
    TestSupport::RunResult r = Run({"--convert", "--out-dir", m_dir + "/out0", shortClip});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_GT(QLocale::c().toDouble(MemIniFile(m_dir + "/home/vexaconv.ini").ReadString("SPEED", "Xvid_Auto_SD")), 0.0);
    r = Run({"--check", "--out-dir", m_dir + "/out1", shortClip});
    EXPECT_TRUE(r.out.contains(", about 0:00:")) << r.out.constData();

    const QString longClip = Input("clip_runner_40s.avi", "long.avi");
    TestSupport::WriteFile(m_dir + "/home/vexaconv.ini", "[MAIN]\r\nKeepFileDates=1\r\n");
    r = Run({"--convert", "--out-dir", m_dir + "/out", longClip});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    MemIniFile ini(m_dir + "/home/vexaconv.ini");
    EXPECT_EQ(ini.ReadString("MAIN", "KeepFileDates"), "1"); // the rest of the file stays
    // speeds are stored with a point whatever the locale, so the file travels
    const double speed = QLocale::c().toDouble(ini.ReadString("SPEED", "Xvid_Auto_SD"));
    EXPECT_GT(speed, 1.0); // 40 s of a small picture take far less than 40 s

    r = Run({"--check", "--out-dir", m_dir + "/out2", longClip});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith("Forecast: 1 file, about ")) << r.out.constData();
    EXPECT_TRUE(r.out.contains(", about 0:00:")) << r.out.constData();
    // H.264 has no speed yet
    r = Run({"--check", "--set", "VideoCodec=H.264", "--out-dir", m_dir + "/out2", longClip});
    EXPECT_TRUE(r.out.contains("time unknown (no file converted on this machine yet with H.264, SD).")) << r.out.constData();
}

// The forecast weighs the picture the output will have: a 1080-line source under a largest
// height of 720 is an HD one.
TEST(SpeedHistory, ALargestHeightLowersTheSizeBand)
{
    EncodingSettings s;
    TVideoFileInfo info;
    info.NumberOfVideoStreams = 1;
    info.VideoStreams[0].Width = 1920;
    info.VideoStreams[0].Height = 1080;
    EXPECT_EQ(SpeedKeyFor(RowPlan(s, info)).Band, 2);
    s.maxHeight = 720;
    EXPECT_EQ(SpeedKeyFor(RowPlan(s, info)).Band, 1);
}

TEST(SpeedHistory, KeysBlendingAndBadValues)
{
    EXPECT_EQ(TSpeedHistory::ResolutionBand(320, 240), 0);
    EXPECT_EQ(TSpeedHistory::ResolutionBand(720, 576), 0);
    EXPECT_EQ(TSpeedHistory::ResolutionBand(1280, 720), 1);
    EXPECT_EQ(TSpeedHistory::ResolutionBand(1920, 1080), 2);
    EXPECT_EQ(TSpeedHistory::ResolutionBand(3840, 2160), 3);
    EXPECT_EQ(TSpeedHistory::KeyName({1, 3, 1}), "H264_veryfast_HD");
    EXPECT_EQ(TSpeedHistory::KeyName({0, 3, 0}), "Xvid_Auto_SD"); // Xvid has no presets

    TSpeedHistory h;
    h.Record({1, 3, 1}, 4);
    h.Record({1, 3, 1}, 2);
    EXPECT_DOUBLE_EQ(h.Speed({1, 3, 1}), 3); // half the old, half the new
    h.Record({1, 3, 1}, -1);                 // nonsense changes nothing
    h.Record({1, 99, 1}, 5);
    EXPECT_DOUBLE_EQ(h.Speed({1, 3, 1}), 3);
    EXPECT_EQ(h.Speed({1, 99, 1}), 0);
    EXPECT_EQ(h.Speed({0, 0, 0}), 0);

    MemIniFile ini;
    ini.SetLines({"[SPEED]", "Xvid_Auto_SD=abc", "Xvid_Auto_HD=-2", "Xvid_Auto_UHD=inf", "H264_Auto_SD=1.5"});
    TSpeedHistory read;
    read.Load(ini);
    EXPECT_EQ(read.Speed({0, 0, 0}), 0);
    EXPECT_EQ(read.Speed({0, 0, 1}), 0);
    EXPECT_EQ(read.Speed({0, 0, 3}), 0);
    EXPECT_DOUBLE_EQ(read.Speed({1, 0, 0}), 1.5);

    // only measured speeds are written
    MemIniFile written;
    read.Save(written);
    EXPECT_EQ(written.ReadSection("SPEED"), QStringList{"H264_Auto_SD"});
}

// What a finished run teaches the forecast: a run too short to time well only where the
// settings have no speed yet; a longer one blends in by half.
TEST(SpeedHistory, AShortRunTeachesOnlyWhatIsUnknown)
{
    const QString dir = TestSupport::TestScratch("batch_preflight_speeds", {});
    TVideoFileInfo info;
    info.Duration = 4000;
    info.NumberOfVideoStreams = 1;
    info.VideoStreams[0].Width = 320;
    info.VideoStreams[0].Height = 240;
    const struct {
        const char* what;
        double known;
        qint64 elapsedMs;
        double after;
        double mediaMs = 4000;
    } cases[] = {
        {"nothing known, a short run", 0, 50, 80},
        {"known, a short run", 2, 50, 2},
        {"known, a long run", 2, 1000, 3},
        {"nothing known, a long run", 0, 2000, 2},
        // its time is the program's start and check, not the encoder's pace
        {"nothing known, a clip of one picture", 0, 350, 0, 40},
        {"known, a clip of one picture", 2, 350, 2, 40},
    };
    int n = 0;
    for (const auto& c : cases) {
        // in a folder that does not exist yet, as a new user's first conversion finds it
        const QString ini = dir + QStringLiteral("/home%1/vexaconv.ini").arg(n++);
        if (c.known > 0) {
            QDir().mkpath(QFileInfo(ini).path());
            TestSupport::WriteFile(ini, "[SPEED]\r\nXvid_Auto_SD=" + QByteArray::number(c.known) + "\r\n");
        }
        info.Duration = c.mediaMs;
        NoteConversionSpeed(ini, RowPlan(EncodingSettings(), info), 1, c.elapsedMs);
        EXPECT_DOUBLE_EQ(TSpeedHistory::LoadFromFile(ini).Speed({0, 0, 0}), c.after) << c.what;
    }
}
