#include "base/AppParams.h"
#include "encoding/CmdLinePreview.h"
#include "media/MediaAnalysis.h"
#include "media/MediaInfoLib.h"
#include "settings/Profile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace TestSupport;

namespace {

// `--cmdline` runs against the real clip, the real MediaInfo library and a home of its own.
class CmdLineMode : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        m_clip = QFileInfo(Clip(QStringLiteral("clip_h264_aac.mp4"))).absoluteFilePath();
        ASSERT_TRUE(QFileInfo::exists(m_clip));
    }

    RunResult Run(const QStringList& args, const QString& workDir = QString())
    {
        return RunVexaconv(QStringList{QStringLiteral("--home"), m_home.path(), QStringLiteral("--cmdline")} + args
                               + QStringList{m_clip},
                           {}, 120000, workDir);
    }

    // What the preview window shows for the clip with settings s (one line), as printed:
    // with a line break after it.
    QString Expected(const EncodingSettings& s)
    {
        const QString dll = SystemMediaInfoLibrary();
        EXPECT_TRUE(LoadMediaInfoLibrary(dll));
        TVideoFileInfo info;
        GetVideoFileInfo(m_clip, dll, info);
        return GetCmdLinePreview(s, info, QThread::idealThreadCount(), m_clip, QString(), {}).Text + "\n";
    }

    static EncodingSettings Defaults()
    {
        EncodingSettings s;
        SetDefaultParams(s, 0);
        return s;
    }

    QTemporaryDir m_home;
    QString m_clip;
};

} // namespace

TEST_F(CmdLineMode, DefaultSettingsPrintThePreviewExactly)
{
    const RunResult r = Run({});
    ASSERT_FALSE(r.crashed);
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.constData();
    const QString out = QString::fromUtf8(r.out);
    EXPECT_EQ(out, Expected(Defaults()));
    EXPECT_TRUE(out.startsWith("\"" + m_clip + "\" -ovc xvid -xvidencopts bitrate=")) << r.out.constData();
    EXPECT_TRUE(out.contains(" -ofps 25.000 -mc 0 -oac mp3lame -lameopts br=96:cbr -audio-delay -0.040 -vf harddup"))
        << r.out.constData();
    EXPECT_TRUE(out.endsWith(" -o <output_file>\n"));
}

TEST_F(CmdLineMode, SetsApplyInOrderOverTheProfile)
{
    EncodingSettings profile = Defaults();
    profile.videoCodec = TVideoCodec::X264;
    profile.videoBitrate.Text = QStringLiteral("700");
    profile.audioBitrate.Text = QStringLiteral("160");
    ASSERT_TRUE(Profile::SaveProfile(m_home.filePath("mine.ini"), profile));

    // The profile's path is relative to the current directory.
    const RunResult r = Run({"--profile", "mine.ini", "--set", "encoderthreads=3", "--set", "VideoBitrate=900",
                             "--set", "OUTPUTFORMAT=mp4", "--set", "VideoBitrate=1100"},
                            m_home.path());
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.constData();
    EncodingSettings expected = profile;
    expected.threads = 3;
    expected.container = TContainer::Mp4;
    expected.videoBitrate.Text = QStringLiteral("1100");
    EXPECT_EQ(QString::fromUtf8(r.out), Expected(expected));
    // an MP4 is FFmpeg's under Automatic
    EXPECT_TRUE(r.out.contains("-c:v libx264 -threads 3 -b:v 1100k ")) << r.out.constData();
    EXPECT_TRUE(r.out.contains("-f mp4 -movflags +faststart")) << r.out.constData();
    EXPECT_TRUE(r.out.contains("-b:a 160k")) << r.out.constData();
}

TEST_F(CmdLineMode, LastSessionProfile)
{
    TAppParams p;
    FillDefaultAppParams(p, m_home.path(), false);
    EncodingSettings last = Defaults();
    last.noAudio = true;
    ASSERT_TRUE(QDir().mkpath(p.ProfilesDir));
    ASSERT_TRUE(Profile::SaveProfile(p.LastProfileFile, last));
    const RunResult r = Run({"--profile", "last"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.out.contains(" -nosound ")) << r.out.constData();
}

TEST_F(CmdLineMode, UnknownKeyAndMissingProfileAreUsageErrors)
{
    RunResult r = Run({"--set", "VideoBitrat=900"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("VideoBitrat")) << r.err.constData();

    // Keys of the MAIN section are not settings.
    r = Run({"--set", "AppName=x"});
    EXPECT_EQ(r.exitCode, 2);

    r = Run({"--profile", "no-such-profile.ini"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("no-such-profile.ini")) << r.err.constData();

    // No last-session profile yet.
    r = Run({"--profile", "last"});
    EXPECT_EQ(r.exitCode, 2);
}

TEST_F(CmdLineMode, FallbackValuesWarnAndStillPrint)
{
    const RunResult r = Run({"--set", "VideoCodec=1", "--set", "EncoderThreads=40", "--set", "VideoAspect=wide",
                             "--set", "AudioChannels=9"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    const QString err = QString::fromUtf8(r.err);
    EXPECT_EQ(err.count("warning"), 3) << r.err.constData();
    EXPECT_TRUE(err.contains("EncoderThreads=40")) << r.err.constData();
    EXPECT_TRUE(err.contains("VideoAspect=wide")) << r.err.constData();
    EXPECT_TRUE(r.out.contains("threads=16")) << r.out.constData();
    EXPECT_FALSE(r.out.contains("-aspect")) << r.out.constData();
    EXPECT_FALSE(r.out.contains("mode=")) << r.out.constData(); // no selection: like Auto
}

TEST_F(CmdLineMode, BuilderWarningLeavesThePieceOutAndExits2)
{
    const RunResult r = Run({"--set", "VideoFPS=fast", "--set", "AudioSampling=8000"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("Video FPS: fast")) << r.err.constData();
    EXPECT_TRUE(r.err.contains("FPS must be a float value!")) << r.err.constData();
    EncodingSettings expected = Defaults();
    expected.frameRate.Text = QStringLiteral("fast");
    expected.sampleRate.Text = QStringLiteral("8000");
    EXPECT_EQ(QString::fromUtf8(r.out), Expected(expected));
    EXPECT_TRUE(r.out.contains("\" -ovc xvid  -oac mp3lame -srate 8000")) << r.out.constData();
}

// `--profile` takes a file, `last`, or a name from the profiles folder as the window's
// profile box shows it; each profile here carries its own video bit rate to tell them apart.
TEST_F(CmdLineMode, ProfileByNameFromTheProfilesFolder)
{
    TAppParams p;
    FillDefaultAppParams(p, m_home.path(), false);
    ASSERT_TRUE(QDir().mkpath(p.ProfilesDir));
    auto save = [&](const QString& file, const char* main, const char* bitrate) {
        if (main)
            WriteFile(file, main);
        EncodingSettings s = Defaults();
        s.videoBitrate.Text = QLatin1String(bitrate);
        ASSERT_TRUE(Profile::SaveProfile(file, s));
    };
    const QString dir = p.ProfilesDir + "/";
    save(dir + "fast.ini", "[MAIN]\r\nDisplayName=Quick\\nand small[clb=#00FF00]\r\n", "710");
    save(dir + "a.ini", "[MAIN]\r\nDisplayName=Same\r\n", "720");
    save(dir + "b.ini", "[MAIN]\r\nDisplayName=Same\r\n", "730");
    save(p.LastProfileFile, nullptr, "740");
    save(dir + "mine.ini", nullptr, "750");
    // a file of the current directory wins over a profile of the same name
    save(m_home.filePath("mine.ini"), nullptr, "760");
    // not a profile of this program: the box does not list it
    WriteFile(dir + "other.ini", "[MAIN]\r\nAppName=Something else\r\n[VIDEO]\r\nVideoBitrate=770\r\n");

    const QList<std::pair<QString, QString>> cases = {
        {"fast", "bitrate=710"},
        {"FAST.INI", "bitrate=710"},
        {"quick and  small", "bitrate=710"}, // the box's text, its line break a blank
        {"last", "bitrate=740"},
        {"mine.ini", "bitrate=760"},
        {"mine", "bitrate=750"},
        {"Same", "several profiles, give one of their files: a.ini, b.ini"},
        {"other", "no such profile: other"},
        {"__Last", "no such profile: __Last"}, // the last session is only "last"
        {"sub/fast", "no such profile: sub/fast"},  // a path is never looked up by name
        // the profiles that come with the program, by shown name or file name
        {"Plays everywhere (MP4, H.264)", "-c:v libx264 -threads auto -crf 22 "},
        {"phones-and-sharing", "-crf 26 "},
    };
    for (const auto& [name, expected] : cases) {
        const RunResult r = Run({"--profile", name}, m_home.path());
        if (expected.startsWith("bitrate=") || expected.startsWith("-")) {
            const QString words = expected.startsWith("-") ? expected : "-xvidencopts " + expected + " ";
            EXPECT_EQ(r.exitCode, 0) << name.toStdString() << ": " << r.err.constData();
            EXPECT_TRUE(r.out.contains(words.toUtf8())) << name.toStdString() << ": " << r.out.constData();
        } else {
            EXPECT_EQ(r.exitCode, 2) << name.toStdString();
            EXPECT_TRUE(r.out.isEmpty()) << name.toStdString();
            EXPECT_TRUE(r.err.contains(expected.toUtf8())) << name.toStdString() << ": " << r.err.constData();
        }
    }
}
