#include "base/AppParams.h"
#include "encoding/SettingRows.h"
#include "lib/MemIniFile.h"
#include "settings/AppSettings.h"
#include "settings/HeadlessSettings.h"
#include "settings/Profile.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileList.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

using namespace TestSupport;

namespace {

EncodingSettings Defaults()
{
    EncodingSettings s;
    SetDefaultParams(s, 0);
    return s;
}

// Every profile setting away from its default.
EncodingSettings NonDefaults()
{
    EncodingSettings s = Defaults();
    s.videoCodec = TVideoCodec::X264;
    s.container = TContainer::Mp4;
    s.videoBitrate = {-1, QStringLiteral("1234")};
    s.frameRate = {-1, QStringLiteral("23,976")};
    s.videoAspect = {-1, QStringLiteral("2.35:1")};
    s.twoPass = true;
    s.threads = 7;
    s.preset = TX264Preset::Veryslow;
    s.noAudio = true;
    s.audioBitrate = {-1, QStringLiteral("200")};
    s.audioRateMode = TAudioRateMode::Abr;
    s.sampleRate = {-1, QStringLiteral("44100")};
    s.audioChannels = 4;
    s.audioQuality = 10;
    s.resolution = 5;
    s.resolutionWidth = 1280;
    s.resolutionHeight = 720;
    s.maxHeight = 576;
    s.brightnessOn = true;
    s.brightness = -3;
    s.saturationOn = true;
    s.saturation = 25;
    s.flipHorizontal = true;
    s.flipVertical = true;
    s.rotate = true;
    s.rotateDirection = 1;
    s.interlacing = 2;
    s.skipLimitOn = false;
    s.skipLimit = 9;
    s.forceDuplicates = false;
    s.extraParameters = QStringLiteral("-mc 0 -vf-add \"x y\"");
    return s;
}

// The settings a profile carries, with the list indexes of editable boxes left out
// (the text is the value; the index only follows it).
void ExpectSameProfileSettings(const EncodingSettings& a, const EncodingSettings& b)
{
    EXPECT_EQ(a.videoCodec, b.videoCodec);
    EXPECT_EQ(a.container, b.container);
    EXPECT_EQ(a.videoBitrate.Text, b.videoBitrate.Text);
    EXPECT_EQ(a.frameRate.Text, b.frameRate.Text);
    EXPECT_EQ(a.videoAspect.Text, b.videoAspect.Text);
    EXPECT_EQ(a.twoPass, b.twoPass);
    EXPECT_EQ(a.threads, b.threads);
    EXPECT_EQ(a.preset, b.preset);
    EXPECT_EQ(a.noAudio, b.noAudio);
    EXPECT_EQ(a.audioBitrate.Text, b.audioBitrate.Text);
    EXPECT_EQ(a.audioRateMode, TAudioRateMode(b.audioRateMode));
    EXPECT_EQ(a.sampleRate.Text, b.sampleRate.Text);
    EXPECT_EQ(a.audioChannels, b.audioChannels);
    EXPECT_EQ(a.audioQuality, b.audioQuality);
    EXPECT_EQ(a.resolution, b.resolution);
    EXPECT_EQ(a.resolutionWidth, b.resolutionWidth);
    EXPECT_EQ(a.resolutionHeight, b.resolutionHeight);
    EXPECT_EQ(a.maxHeight, b.maxHeight);
    EXPECT_EQ(a.brightnessOn, b.brightnessOn);
    EXPECT_EQ(a.brightness, b.brightness);
    EXPECT_EQ(a.saturationOn, b.saturationOn);
    EXPECT_EQ(a.saturation, b.saturation);
    EXPECT_EQ(a.flipHorizontal, b.flipHorizontal);
    EXPECT_EQ(a.flipVertical, b.flipVertical);
    EXPECT_EQ(a.rotate, b.rotate);
    EXPECT_EQ(a.rotateDirection, b.rotateDirection);
    EXPECT_EQ(a.interlacing, b.interlacing);
    EXPECT_EQ(a.skipLimitOn, b.skipLimitOn);
    EXPECT_EQ(a.skipLimit, b.skipLimit);
    EXPECT_EQ(a.forceDuplicates, b.forceDuplicates);
    EXPECT_EQ(a.extraParameters, b.extraParameters);
}

EncodingSettings LoadText(const QString& dir, const QByteArray& text, EncodingSettings start = Defaults(),
                          int defaultVideoCodec = 0)
{
    const QString path = WriteFile(dir + QStringLiteral("/p.ini"), text);
    TProfileReadContext context;
    context.DefaultVideoCodec = defaultVideoCodec;
    EXPECT_TRUE(Profile::LoadProfile(path, start, context));
    return start;
}

QByteArray ProfileText(const QByteArray& main)
{
    return "[MAIN]\r\nAppName=Vexa Video Converter\r\nAppVer=1.0\r\n" + main;
}

} // namespace

TEST(ProfileFile, EverySettingSurvivesSaveAndLoad)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("all.ini"));
    const EncodingSettings saved = NonDefaults();
    const TResult written = Profile::SaveProfile(path, saved);
    ASSERT_TRUE(written.ok()) << written.error().toStdString();

    EncodingSettings loaded = Defaults();
    ASSERT_TRUE(Profile::LoadProfile(path, loaded, {}));
    ExpectSameProfileSettings(loaded, saved);

    // And back to the defaults through the same file.
    ASSERT_TRUE(Profile::SaveProfile(path, Defaults()));
    ASSERT_TRUE(Profile::LoadProfile(path, loaded, {}));
    ExpectSameProfileSettings(loaded, Defaults());
}

TEST(ProfileFile, WrittenKeysAndValues)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("auto.ini"));
    EncodingSettings s = Defaults();
    s.extraParameters = QStringLiteral("-a \"b\"\n  -c");
    ASSERT_TRUE(Profile::SaveProfile(path, s));
    MemIniFile ini(path);
    EXPECT_EQ(ini.ReadString("MAIN", "AppName"), "Vexa Video Converter");
    EXPECT_EQ(ini.ReadString("MAIN", "AppVer"), "1.0");
    EXPECT_EQ(ini.ReadString("VIDEO", "VideoCodec"), "Xvid");
    EXPECT_EQ(ini.ReadString("VIDEO", "OutputFormat"), "AVI");
    EXPECT_EQ(ini.ReadString("AUDIO", "AudioBitrateMode"), "CBR");
    EXPECT_EQ(ini.ReadString("ADVANCED", "RotateDirection"), "right");
    // "Auto" is stored as empty in all five editable boxes, and loads back as "Auto".
    for (const auto& [section, key] : QList<QPair<const char*, const char*>>{
             {"VIDEO", "VideoBitrate"}, {"VIDEO", "VideoFPS"}, {"VIDEO", "VideoAspect"},
             {"AUDIO", "AudioBitrate"}, {"AUDIO", "AudioSampling"}}) {
        EXPECT_TRUE(ini.ValueExists(section, key)) << key;
        EXPECT_EQ(ini.ReadString(section, key, "missing"), "") << key;
    }
    // Two memo lines travel as one, quotes as entities; they come back as one line.
    EXPECT_EQ(ini.ReadString("ADVANCED", "AdditionalParams"), "-a &quot;b&quot;   -c");
    EncodingSettings loaded = NonDefaults();
    ASSERT_TRUE(Profile::LoadProfile(path, loaded, {}));
    EXPECT_EQ(loaded.videoBitrate.Text, "Auto");
    EXPECT_EQ(loaded.frameRate.Text, "Auto");
    EXPECT_EQ(loaded.videoAspect.Text, "Auto");
    EXPECT_EQ(loaded.audioBitrate.Text, "Auto");
    EXPECT_EQ(loaded.sampleRate.Text, "Auto");
    EXPECT_EQ(loaded.videoBitrate.Index, 0);
    EXPECT_EQ(loaded.extraParameters, "-a \"b\"   -c");
}

TEST(ProfileFile, VideoCodecNames)
{
    QTemporaryDir dir;
    const struct {
        TVideoCodec codec;
        QString written;
        std::vector<const char*> names;
    } known[] = {
        {TVideoCodec::X264, "H.264", {"x-264", "X264", "h.264", "1", "H.264", " h 264 ", "0x1"}},
        {TVideoCodec::Hevc, "HEVC", {"HEVC", "hevc", "H.265", "x-265", " h 265 ", "2"}},
        {TVideoCodec::Av1, "AV1", {"AV1", "av-1", "3"}},
    };
    for (const auto& k : known) {
        for (const char* name : k.names)
            EXPECT_EQ(LoadText(dir.path(), QByteArray("[VIDEO]\nVideoCodec=") + name).videoCodec, k.codec) << name;
        EncodingSettings s;
        s.videoCodec = k.codec;
        EXPECT_EQ(FindSettingRow(u"videoCodec")->Key.Write(s), k.written);
    }
    for (const char* name : {"xvid", "X-VID", "0"})
        EXPECT_EQ(LoadText(dir.path(), QByteArray("[VIDEO]\nVideoCodec=") + name, NonDefaults(), 1).videoCodec, TVideoCodec::Xvid) << name;
    // Unknown names and indexes give the default video encoder, whatever it is.
    for (const char* name : {"mpeg4", "h266", "4", "-1", ""}) {
        EXPECT_EQ(LoadText(dir.path(), QByteArray("[VIDEO]\nVideoCodec=") + name, Defaults(), 0).videoCodec, TVideoCodec::Xvid) << name;
        EXPECT_EQ(LoadText(dir.path(), QByteArray("[VIDEO]\nVideoCodec=") + name, Defaults(), 1).videoCodec, TVideoCodec::X264) << name;
    }
    // A missing key reads as XVID, not as the current choice.
    EncodingSettings h264 = Defaults();
    h264.videoCodec = TVideoCodec::X264;
    EXPECT_EQ(LoadText(dir.path(), "[VIDEO]\nOutputFormat=mp4\n", h264, 1).videoCodec, TVideoCodec::Xvid);
}

TEST(ProfileFile, OutOfRangeValuesAreClampedOrReplaced)
{
    QTemporaryDir dir;
    const EncodingSettings s = LoadText(dir.path(),
        "[VIDEO]\nEncoderThreads=40\nVideoPreset=-3\nVideoBitrate=1500 kbit\nVideoAspect=16:9:1\nVideoFPS=abc\n"
        "OutputFormat=ogm\n"
        "[AUDIO]\nAudioAlgoQuality=11\nAudioChannels=7\nAudioBitrateMode=vbr\nAudioBitrate=12.5\nAudioSampling=auto\n"
        "[ADVANCED]\nSaturationValue=31\nBrightnessValue=-11\nInterlacing=3\nSkipLimitValue=99\nResolution=500\n"
        "ResWidth=1\nResHeight=99999\nRotateDirection=up\nSaturation=yes\n", NonDefaults());
    EXPECT_EQ(s.threads, 16);
    EXPECT_EQ(s.preset, TX264Preset::Auto);
    EXPECT_EQ(s.videoBitrate.Text, "Auto");
    EXPECT_EQ(s.videoAspect.Text, "Auto");
    EXPECT_EQ(s.frameRate.Text, "abc"); // taken as it stands; the builder checks it
    EXPECT_EQ(s.container, TContainer::Avi);
    EXPECT_EQ(s.audioQuality, 10);
    EXPECT_EQ(s.audioChannels, -1);       // no selection
    EXPECT_EQ(s.audioRateMode, TAudioRateMode::Abr);
    EXPECT_EQ(s.audioBitrate.Text, "Auto");
    EXPECT_EQ(s.sampleRate.Text, "Auto");
    EXPECT_EQ(s.saturation, 10);
    EXPECT_EQ(s.brightness, 0);
    EXPECT_EQ(s.interlacing, 0);
    EXPECT_EQ(s.skipLimit, 10);
    EXPECT_EQ(s.resolution, -1);
    EXPECT_EQ(s.resolutionWidth, 2);
    EXPECT_EQ(s.resolutionHeight, 30000);
    EXPECT_EQ(s.rotateDirection, 1);
    EXPECT_TRUE(s.saturationOn);            // "yes" is no integer: the current state stays
}

TEST(ProfileFile, MissingKeysKeepTheCurrentValues)
{
    QTemporaryDir dir;
    EncodingSettings start = NonDefaults();
    start.videoCodec = TVideoCodec::Xvid; // a missing codec key reads as Xvid
    EncodingSettings loaded = LoadText(dir.path(), "[VIDEO]\n[AUDIO]\n", start);
    ExpectSameProfileSettings(loaded, start);

    // A current text the rules reject becomes "Auto", even with the key missing.
    start.videoBitrate.Text = QStringLiteral("fast");
    start.videoAspect.Text = QStringLiteral("wide");
    start.sampleRate.Text = QStringLiteral("x");
    loaded = LoadText(dir.path(), "", start);
    EXPECT_EQ(loaded.videoBitrate.Text, "Auto");
    EXPECT_EQ(loaded.videoAspect.Text, "Auto");
    EXPECT_EQ(loaded.sampleRate.Text, "Auto");
}

TEST(ProfileFile, MalformedFilesLoadWithoutHarm)
{
    QTemporaryDir dir;
    // Random bytes, a section without its bracket, keys outside sections, "=" only.
    QByteArray junk(70000, '\0');
    QRandomGenerator gen(7);
    for (char& c : junk)
        c = char(gen.bounded(256));
    for (const QByteArray& text : {junk, QByteArray("\xFF\xFE[VIDEO]\r\nVideoBitrate=9"),
                                   QByteArray("VideoCodec=1\n[VIDEO\nEncoderThreads=3\n[AUDIO]\n=\n==\nAudioChannels\n")}) {
        const EncodingSettings s = LoadText(dir.path(), text);
        EXPECT_GE(s.threads, 0);
        EXPECT_LE(s.threads, 16);
        EXPECT_GE(s.audioChannels, -1);
        EXPECT_LE(s.audioChannels, 4);
    }
    // A huge file is read whole and its keys still apply.
    QByteArray huge = "[VIDEO]\r\nEncoderThreads=5\r\n[JUNK]\r\n";
    const QByteArray line = "k=" + QByteArray(1000, 'x') + "\r\n";
    while (huge.size() < 20 * 1024 * 1024)
        huge += line;
    huge += "[AUDIO]\r\nAudioAlgoQuality=55\r\n";
    const EncodingSettings s = LoadText(dir.path(), huge);
    EXPECT_EQ(s.threads, 5);
    EXPECT_EQ(s.audioQuality, 10);

    // A missing file and a directory change nothing.
    EncodingSettings untouched = NonDefaults();
    EXPECT_FALSE(Profile::LoadProfile(dir.filePath("none.ini"), untouched, {}));
    EXPECT_FALSE(Profile::LoadProfile(dir.path(), untouched, {}));
    EXPECT_EQ(untouched, NonDefaults());
}

TEST(ProfileFile, SavingOverAProfileKeepsItsPresentationAndUnknownKeys)
{
    QTemporaryDir dir;
    const QString path = WriteFile(dir.filePath("p.ini"),
        "[MAIN]\r\nAppName=other\r\nDisplayName=Mine\\nTwo\r\nSortIndex=2.5\r\nBgColor=#102030\r\n"
        "FontColor=red\r\n[VIDEO]\r\nVideoBitrate=77\r\nCustom=keep me\r\n[EXTRA]\r\nx=1\r\n");
    ASSERT_TRUE(Profile::SaveProfile(path, NonDefaults()));
    MemIniFile ini(path);
    EXPECT_EQ(ini.ReadString("MAIN", "AppName"), "Vexa Video Converter");
    EXPECT_EQ(ini.ReadString("MAIN", "DisplayName"), "Mine\\nTwo");
    EXPECT_EQ(ini.ReadString("MAIN", "SortIndex"), "2.5");
    EXPECT_EQ(ini.ReadString("MAIN", "BgColor"), "#102030");
    EXPECT_EQ(ini.ReadString("MAIN", "FontColor"), "red");
    EXPECT_EQ(ini.ReadString("VIDEO", "VideoBitrate"), "1234");
    EXPECT_EQ(ini.ReadString("VIDEO", "Custom"), "keep me");
    EXPECT_EQ(ini.ReadString("EXTRA", "x"), "1");
}

TEST(ProfileFile, AFailedSaveIsReportedAndLosesNothing)
{
    QTemporaryDir dir;
    // Into a directory that does not exist, and over a directory.
    const TResult refused = Profile::SaveProfile(dir.filePath("no/such/dir/p.ini"), Defaults());
    EXPECT_FALSE(refused.ok());
    EXPECT_FALSE(refused.error().isEmpty());
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.ini"));
    EXPECT_FALSE(Profile::SaveProfile(dir.filePath("taken.ini"), Defaults()));
    EXPECT_TRUE(QFileInfo(dir.filePath("taken.ini")).isDir());
}

TEST(ProfileKeys, OneReaderPerKeyAndCaseInsensitiveLookup)
{
    EXPECT_EQ(TProfileKeys::All().size(), 43);
    ASSERT_NE(TProfileKeys::Find("videobitrate"), nullptr);
    EXPECT_STREQ(TProfileKeys::Find("VIDEOBITRATE")->Section, "VIDEO");
    EXPECT_STREQ(TProfileKeys::Find("forceencodedupframes")->Name, "ForceEncodeDupFrames");
    EXPECT_EQ(TProfileKeys::Find("AppName"), nullptr);
    EXPECT_EQ(TProfileKeys::Find("DisplayName"), nullptr);
    EXPECT_EQ(TProfileKeys::Find("cbAviVideoBitrate"), nullptr);
}

TEST(ProfileKeys, FallbacksAreReportedOnlyForUnusableValues)
{
    EncodingSettings s = Defaults();
    QStringList reports;
    TProfileReadContext context;
    context.Fallback = [&](const QString& why, const QString& used) { reports << why + " -> " + used; };
    auto read = [&](const char* key, const QString& value) {
        reports.clear();
        TProfileKeys::Find(key)->Read(s, &value, context);
        return reports;
    };
    EXPECT_TRUE(read("VideoBitrate", "").isEmpty());
    EXPECT_TRUE(read("VideoBitrate", "auto").isEmpty());
    EXPECT_TRUE(read("VideoBitrate", "900").isEmpty());
    EXPECT_EQ(s.videoBitrate.Text, "900");
    EXPECT_EQ(read("VideoBitrate", "fast").size(), 1);
    EXPECT_EQ(s.videoBitrate.Text, "Auto");
    EXPECT_TRUE(read("EncoderThreads", "16").isEmpty());
    EXPECT_EQ(read("EncoderThreads", "17"), QStringList{"outside 0..16 -> 16 (\"16\")"});
    EXPECT_EQ(read("EncoderThreads", "many").size(), 1);
    EXPECT_EQ(s.threads, 16);
    EXPECT_TRUE(read("AudioBitrateMode", "abr").isEmpty());
    EXPECT_EQ(read("AudioBitrateMode", "vbr").size(), 1);
    EXPECT_EQ(read("AudioChannels", "9"), QStringList{"not an index of the list -> no selection"});
    EXPECT_TRUE(read("AudioChannels", "-1").isEmpty());
    EXPECT_TRUE(read("Rotate", "2").isEmpty()); // any non-zero value is on
    EXPECT_TRUE(s.rotate);
    EXPECT_TRUE(read("VideoFPS", "whatever").isEmpty());
    EXPECT_EQ(read("VideoCodec", "h266").size(), 1);
    EXPECT_EQ(read("OutputFormat", "avi").size(), 0);
    EXPECT_EQ(read("OutputFormat", " Mkv ").size(), 0);
    EXPECT_EQ(s.container, TContainer::Mkv);
    EXPECT_EQ(read("OutputFormat", "ogm").size(), 1);
}

TEST(ProfileList, AdmissionNamesColoursAndOrder)
{
    QTemporaryDir dir;
    const QString d = dir.path();
    WriteFile(d + "/b.ini", ProfileText("DisplayName=Bee[clf=#FF0000]\r\nSortIndex=2\r\nBgColor=#F00\r\nFontColor=0000FF\r\n"));
    WriteFile(d + "/a.ini", ProfileText("SortIndex=1.5\r\n"));
    WriteFile(d + "/c.ini", ProfileText("DisplayName=Two\\nLines\\tTab[CLB=#000000] rest\r\nSortIndex=x\r\nBgColor=nonsense\r\n"));
    WriteFile(d + "/D.INI", "[main]\r\nappname=VEXA VIDEO CONVERTER\r\nappver=1.0\r\nsortindex=-5\r\n");
    WriteFile(d + "/__Last.ini", ProfileText(""));
    WriteFile(d + "/other.ini", "[MAIN]\r\nAppName=Other\r\nAppVer=1.0\r\n");
    WriteFile(d + "/old.ini", "[MAIN]\r\nAppName=Vexa Video Converter\r\nAppVer=0.9\r\n");
    WriteFile(d + "/none.ini", "[VIDEO]\r\nVideoCodec=1\r\n");
    WriteFile(d + "/bin.ini", QByteArray("\x00\x01\x02\xFF[MAIN]", 8));
    WriteFile(d + "/e.txt", ProfileText(""));
    QDir(d).mkdir("dir.ini");
    WriteFile(d + "/sub/f.ini", ProfileText(""));

    TProfileList list;
    list.Rebuild(d, d + "/__Last.ini");
    QStringList files;
    for (const TProfileInfo& p : list.Items())
        files << p.ShortFileName;
    // Sorted by sort index: D (-5), c (-1: not a number), a (1.5), b (2).
    EXPECT_EQ(files, QStringList({"D.INI", "c.ini", "a.ini", "b.ini"}));
    ASSERT_EQ(list.Items().size(), 4);
    const TProfileInfo& d_ = list.Items()[0];
    const TProfileInfo& c = list.Items()[1];
    const TProfileInfo& a = list.Items()[2];
    const TProfileInfo& b = list.Items()[3];
    EXPECT_EQ(d_.DisplayName, "D");
    EXPECT_EQ(a.DisplayName, "a");
    EXPECT_EQ(a.SortIndex, 1.5);
    EXPECT_EQ(c.SortIndex, -1);
    EXPECT_EQ(b.DisplayName, "Bee");
    EXPECT_EQ(c.DisplayName, "Two\\nLines\\tTab");
    EXPECT_EQ(b.BgColor, 0x0000FFu);   // red
    EXPECT_EQ(b.FontColor, 0x0000FFu); // $0000FF is red too
    EXPECT_EQ(c.BgColor, 0xFFFFFFu);   // unreadable: white
    EXPECT_EQ(a.FontColor, 0xFFFFFFu);
    EXPECT_TRUE(c.ProfileType.isEmpty());

    const QStringList box = list.BoxItems();
    ASSERT_EQ(box.size(), 6);
    EXPECT_EQ(box[0], "The last session settings");
    EXPECT_EQ(box[1], "Default encoder settings");
    EXPECT_EQ(box[3], "Two\r\nLines\tTab");

    EXPECT_EQ(list.ProfileFileForBoxIndex(0), QString());
    EXPECT_EQ(list.ProfileFileForBoxIndex(1), QString());
    EXPECT_EQ(list.ProfileFileForBoxIndex(4), QDir(d).filePath("a.ini"));
    EXPECT_EQ(list.ProfileFileForBoxIndex(40), QDir(d).filePath("D.INI")); // past the end: the first
    EXPECT_EQ(list.BoxIndexOfFile("B.ini"), 5);
    EXPECT_EQ(list.BoxIndexOfFile("other.ini"), 0);
}

TEST(ProfileList, EmptyDirectoryAndLastSessionProfile)
{
    QTemporaryDir dir;
    TProfileList list;
    list.Rebuild(dir.path(), dir.filePath("__Last.ini"));
    EXPECT_EQ(list.BoxItems(), QStringList({"The last session settings", "Default encoder settings"}));
    EXPECT_EQ(list.ProfileFileForBoxIndex(2), QString());

    // The last-session profile is a valid profile, yet never listed.
    ASSERT_TRUE(Profile::SaveProfile(dir.filePath("__Last.ini"), Defaults()));
    list.Rebuild(dir.path(), dir.filePath("__Last.ini"));
    EXPECT_TRUE(list.Items().isEmpty());
    list.Rebuild(dir.path() + "/", dir.path() + "/./__Last.ini");
    EXPECT_TRUE(list.Items().isEmpty());
}

TEST(ProfileList, QuicksortOrderOfEqualAndMixedIndexes)
{
    auto sorted = [](const QList<QPair<QString, double>>& in) {
        QList<TProfileInfo> items;
        for (const auto& [name, index] : in) {
            TProfileInfo p;
            p.ShortFileName = name;
            p.SortIndex = index;
            items << p;
        }
        TProfileList::SortBySortIndex(items);
        QString order;
        for (const TProfileInfo& p : items)
            order += p.ShortFileName;
        return order;
    };
    EXPECT_EQ(sorted({{"A", -1}, {"B", -1}, {"C", -1}, {"D", -1}, {"E", -1}}), "DECAB");
    EXPECT_EQ(sorted({{"A", 3}, {"B", 1}, {"C", 2}}), "BCA");
    EXPECT_EQ(sorted({{"A", 1}, {"B", 1}}), "BA");
    EXPECT_EQ(sorted({{"A", 0}}), "A");
    EXPECT_EQ(sorted({}), "");
    EXPECT_EQ(sorted({{"A", 2}, {"B", -1}, {"C", 2}, {"D", 0.5}, {"E", -1}, {"F", 2}}).size(), 6);
}

TEST(ProfileList, SortIndexText)
{
    EXPECT_EQ(TProfileList::ParseSortIndex("3"), 3);
    EXPECT_EQ(TProfileList::ParseSortIndex("-2.25"), -2.25);
    EXPECT_EQ(TProfileList::ParseSortIndex(""), -1);
    EXPECT_EQ(TProfileList::ParseSortIndex("first"), -1);
    EXPECT_EQ(TProfileList::ParseSortIndex("nan"), -1);
    EXPECT_EQ(TProfileList::ParseSortIndex("1.2.3"), -1);
}

TEST(HeadlessSettings, DefaultsProfileAndSetsInOrder)
{
    QTemporaryDir home;
    TAppParams p;
    FillDefaultAppParams(p, home.path(), false);
    QDir().mkpath(p.ProfilesDir);

    THeadlessSettings r = THeadlessSettings::Resolve(p, QString(), {});
    ASSERT_TRUE(r.Status.ok());
    EXPECT_EQ(r.Settings, Defaults());

    // The settings file's default video encoder is the one the defaults use.
    WriteFile(p.IniName, "[MAIN]\r\nDefaultVideoCodec= h.264 \r\n");
    r = THeadlessSettings::Resolve(p, QString(), {{"VideoCodec", "mpeg4"}});
    ASSERT_TRUE(r.Status.ok());
    EXPECT_EQ(r.Settings.videoCodec, TVideoCodec::X264);
    ASSERT_EQ(r.Warnings.size(), 1);
    EXPECT_TRUE(r.Warnings[0].contains("VideoCodec=mpeg4")) << r.Warnings[0].toStdString();

    EncodingSettings last = NonDefaults();
    ASSERT_TRUE(Profile::SaveProfile(p.LastProfileFile, last));
    r = THeadlessSettings::Resolve(p, "last", {{"videobitrate", " 700 "}, {"VIDEOBITRATE", "800"}, {"Rotate", "0"}});
    ASSERT_TRUE(r.Status.ok()) << r.Status.error().toStdString();
    last.videoBitrate.Text = "800";
    last.rotate = false;
    ExpectSameProfileSettings(r.Settings, last);
    EXPECT_TRUE(r.Warnings.isEmpty());

    r = THeadlessSettings::Resolve(p, QString(), {{"EncoderThreads", "99"}, {"AudioChannels", "5"}, {"Bogus", "1"}});
    EXPECT_FALSE(r.Status.ok());
    EXPECT_TRUE(r.Status.error().contains("Bogus"));
    EXPECT_EQ(r.Warnings.size(), 2);

    r = THeadlessSettings::Resolve(p, home.filePath("missing.ini"), {});
    EXPECT_FALSE(r.Status.ok());
    EXPECT_TRUE(r.Status.error().contains("missing.ini"));
    QFile::remove(p.LastProfileFile);
    EXPECT_FALSE(THeadlessSettings::Resolve(p, "last", {}).Status.ok());
}

TEST(AppSettingsFile, DefaultsClampsAndUnknownKeys)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("vexaconv.ini");
    TAppSettings fresh;
    EXPECT_FALSE(fresh.LoadFromFile(path, 1920, 1080));
    EXPECT_EQ(fresh.Width, 934);
    EXPECT_EQ(fresh.RowHeight, 20);
    EXPECT_EQ(fresh.FileAnalysis, faFull);

    WriteFile(path, "; comment\r\n[MAIN]\r\nEscExit=1\r\nLeft=5000\r\nTop=-5\r\nRowHeight=0x1E\r\nListFontSize=30\r\n"
                    "FileAnalysis=quick\r\nDefaultVideoCodec= h.264 \r\ncolSize_Position=99\r\ncolNo_Width=junk\r\n"
                    "colActive_Visible=0\r\nUnknown=1\r\n[OTHER]\r\nk=v\r\n");
    TAppSettings s;
    ASSERT_TRUE(s.LoadFromFile(path, 1920, 1080));
    EXPECT_TRUE(s.EscExit);
    EXPECT_EQ(s.Left, 0);
    EXPECT_EQ(s.Top, 0);
    EXPECT_EQ(s.RowHeight, 30);
    EXPECT_EQ(s.ListFontSize, 20);
    EXPECT_EQ(TAppSettings::HeaderHeightForFontSize(s.ListFontSize), 34);
    EXPECT_EQ(TAppSettings::HeaderHeightForFontSize(13), 22);
    EXPECT_EQ(s.FileAnalysis, faQuick);
    EXPECT_EQ(s.DefaultVideoCodec, 1);
    EXPECT_EQ(s.Columns[5].Name, "colSize");
    EXPECT_EQ(s.Columns[5].Position, 30); // clamped to the last of the 31 columns
    EXPECT_EQ(s.Columns[0].Width, 64);
    EXPECT_TRUE(s.Columns[1].Visible);

    for (const auto& [left, expected] : QList<QPair<int, int>>{{-1000, -1000}, {-3000, 0}, {1920, 1920}}) {
        TAppSettings t;
        WriteFile(path, QStringLiteral("[MAIN]\r\nLeft=%1\r\nRowHeight=3\r\nDefaultVideoCodec=x264\r\n").arg(left).toUtf8());
        t.LoadFromFile(path, 1920, 1080);
        EXPECT_EQ(t.Left, expected) << left;
        EXPECT_EQ(t.RowHeight, 12);
        EXPECT_EQ(t.DefaultVideoCodec, 0);
    }

    // Maximized: the normal geometry stays as the file had it; unknown keys survive.
    WriteFile(path, "[MAIN]\r\nEscExit=1\r\nLeft=17\r\nUnknown=1\r\n; gone\r\n[OTHER]\r\nk=v\r\n");
    s.Maximized = true;
    s.Left = 99;
    ASSERT_TRUE(s.SaveToFile(path));
    MemIniFile ini(path);
    EXPECT_EQ(ini.ReadString("MAIN", "Maximized"), "1");
    EXPECT_EQ(ini.ReadString("MAIN", "Left"), "17");
    EXPECT_EQ(ini.ReadString("MAIN", "EscExit"), "1");
    EXPECT_EQ(ini.ReadString("MAIN", "Unknown"), "1");
    EXPECT_EQ(ini.ReadString("OTHER", "k"), "v");
    EXPECT_EQ(ini.ReadString("MAIN", "FileAnalysis"), "Quick");
    EXPECT_FALSE(ini.ValueExists("MAIN", "colActive_Visible"));
    EXPECT_TRUE(ini.ValueExists("MAIN", "colAudioStreamSize_Visible"));
    EXPECT_EQ(ini.ReadString("PROGRESS", "AutoScrollMemoToBottom"), "1");
    EXPECT_FALSE(QString::fromUtf8(ReadFile(path)).contains("gone"));
}

TEST(AppSettingsFile, MissingKeysKeepWhatTheRecordHolds)
{
    // Every key, also those with a literal default in the table of the file, keeps the
    // window's value when the file lacks it.
    QTemporaryDir dir;
    const QString path = dir.filePath("vexaconv.ini");
    WriteFile(path, "[MAIN]\r\nUnrelated=1\r\n");
    TAppSettings s;
    s.GridLines = false;
    s.settingsExpanded = false;
    s.FileAnalysis = faNone;
    s.DefaultVideoCodec = 1;
    s.MediaInfoDll = "/lib/x.so";
    ASSERT_TRUE(s.LoadFromFile(path, 1920, 1080));
    EXPECT_FALSE(s.GridLines);
    EXPECT_FALSE(s.settingsExpanded);
    EXPECT_EQ(s.FileAnalysis, faNone);
    EXPECT_EQ(s.DefaultVideoCodec, 1);
    EXPECT_EQ(s.MediaInfoDll, "/lib/x.so");
    // Given but unreadable: the rule of the key.
    WriteFile(path, "[MAIN]\r\nGridLines=junk\r\nFileAnalysis=junk\r\nDefaultVideoCodec=junk\r\n");
    ASSERT_TRUE(s.LoadFromFile(path, 1920, 1080));
    EXPECT_FALSE(s.GridLines);
    EXPECT_EQ(s.FileAnalysis, faFull);
    EXPECT_EQ(s.DefaultVideoCodec, 0);
}

TEST(AppSettingsFile, ToolKeysMoveTheTools)
{
    QTemporaryDir tmp;
    auto Path = [&tmp](const QString& rel) { return tmp.filePath(rel); };
    // A tools directory named in the settings file, with an encoder in it.
    const QString tools = Path("mytools");
    QDir().mkpath(tools + "/Mencoder");
    WriteFile(tools + "/Mencoder/mencoder", "#!/bin/sh\n");
    QFile::setPermissions(tools + "/Mencoder/mencoder", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QDir().mkpath(Path("h"));
    WriteFile(Path("h/vexaconv.ini"), ("[MAIN]\r\nToolsDir=" + tools + "/.\r\nMediaInfoDll=no-such.so\r\n").toUtf8());
    TAppParams p;
    InitAppParams(p, Path("h"), Path("exe"));
    const QString libraryBefore = p.MediaInfoDll;
    // An encoder found at start (on the PATH) would be kept: as if none had been found.
    p.mencoder.clear();
    TAppSettings::LoadStartValues(p);
    EXPECT_EQ(p.ToolsDir, tools);
    EXPECT_EQ(p.mencoder, tools + "/Mencoder/mencoder");
    EXPECT_EQ(p.MplayerHelpFile, tools + "/Mencoder/MPlayer.man.html");
    // A library that is not there: the search runs again and finds what it found before.
    EXPECT_EQ(p.MediaInfoDll, libraryBefore);

    // A directory that does not exist (or an empty value) leaves the tools where they were.
    WriteFile(Path("h/vexaconv.ini"), "[MAIN]\r\nToolsDir=/no/such/dir\r\n");
    TAppParams q;
    InitAppParams(q, Path("h"), Path("exe"));
    TAppSettings::LoadStartValues(q);
    EXPECT_EQ(q.ToolsDir, Path("h") + "/tools");
    WriteFile(Path("h/vexaconv.ini"), "[MAIN]\r\nToolsDir=\r\n");
    TAppSettings::LoadStartValues(q);
    EXPECT_EQ(q.ToolsDir, Path("h") + "/tools");
}

TEST(AppSettingsFile, WriteOrderAndConditions)
{
    // A new file holds the keys in the order a reader of the file expects; read-only keys
    // are never written and the progress section only when the window exists.
    QTemporaryDir dir;
    const QString path = dir.filePath("vexaconv.ini");
    TAppSettings s;
    s.ProgressExists = false;
    ASSERT_TRUE(s.SaveToFile(path));
    const QList<QByteArray> lines = ReadFile(path).split('\n');
    QStringList keys;
    for (const QByteArray& line : lines) {
        if (const int eq = line.indexOf('='); eq > 0)
            keys << QString::fromLatin1(line.left(eq));
    }
    ASSERT_GE(keys.size(), 27 + 31 + 31 + 29);
    EXPECT_EQ(keys.mid(0, 6), QStringList({"Maximized", "Left", "Top", "Width", "Height", "cbOutputExists"}));
    EXPECT_EQ(keys.at(24), "DragAcceptDirectories");
    EXPECT_EQ(keys.at(25), "ParallelJobs");
    EXPECT_EQ(keys.at(26), "Language");
    EXPECT_EQ(keys.at(27), "colNo_Width");
    EXPECT_EQ(keys.at(27 + 31), "colNo_Position");
    EXPECT_EQ(keys.at(27 + 62), "colNo_Visible");
    EXPECT_EQ(keys.size(), 27 + 31 + 31 + 29);
    EXPECT_FALSE(keys.contains("EscExit"));
    EXPECT_FALSE(ReadFile(path).contains("[PROGRESS]"));

    // Reading what was written gives the same values back.
    s.Width = 1000;
    s.Columns[3].Position = 7;
    s.ListFontName = "Noto Sans";
    s.FileAnalysis = faNone;
    s.ProgressExists = true;
    s.ProgressWidth = 640;
    ASSERT_TRUE(s.SaveToFile(path));
    TAppSettings t;
    ASSERT_TRUE(t.LoadFromFile(path, 1920, 1080));
    MemIniFile ini(path);
    t.LoadProgress(ini);
    EXPECT_EQ(t.Width, 1000);
    EXPECT_EQ(t.Columns[3].Position, 7);
    EXPECT_EQ(t.ListFontName, "Noto Sans");
    EXPECT_EQ(t.FileAnalysis, faNone);
    EXPECT_EQ(t.ProgressWidth, 640);
}

// The profiles that come with the program follow the user's own, under names in the user's
// language; a name finds them in English too, and the user's own file name wins.
TEST(ProfileList, ShippedProfilesComeLastUnderTheirOwnNames)
{
    QTemporaryDir dir;
    const QString own = dir.path() + "/own", shipped = dir.path() + "/shipped";
    WriteFile(own + "/zz.ini", ProfileText("SortIndex=9\r\n"));
    WriteFile(own + "/old-players.ini", ProfileText("DisplayName=My old one\r\n"));
    WriteFile(shipped + "/plays-everywhere.ini", ProfileText("DisplayName=Plays everywhere (MP4, H.264)\r\nSortIndex=1\r\n"));
    WriteFile(shipped + "/old-players.ini", ProfileText("DisplayName=Old players (AVI, Xvid)\r\nSortIndex=4\r\n"));
    WriteFile(shipped + "/extra.ini", ProfileText("DisplayName=Not in the table\r\nSortIndex=2\r\n"));

    const MarkingLanguage marking;
    TProfileList list;
    list.Rebuild(own, own + "/__Last.ini", shipped);
    EXPECT_EQ(list.BoxItems().mid(TProfileList::FirstProfileIndex),
              QStringList({"My old one", "zz", Marked("Plays everywhere (MP4, H.264)"), "Not in the table",
                           Marked("Old players (AVI, Xvid)")}));
    EXPECT_FALSE(list.IsShippedEntry(3));
    EXPECT_TRUE(list.IsShippedEntry(4));
    EXPECT_EQ(list.ProfileFileForBoxIndex(4), shipped + "/plays-everywhere.ini");

    const struct {
        const char* name;
        QStringList files;
    } cases[] = {
        {"plays-everywhere", {shipped + "/plays-everywhere.ini"}},
        {"PLAYS EVERYWHERE (mp4,  H.264)", {shipped + "/plays-everywhere.ini"}},
        {"«Plays everywhere (MP4, H.264)»", {shipped + "/plays-everywhere.ini"}},
        {"old-players", {own + "/old-players.ini"}},
        {"Old players (AVI, Xvid)", {shipped + "/old-players.ini"}},
        {"not in the table", {shipped + "/extra.ini"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(list.FilesNamed(S(c.name)), c.files) << c.name;

    // Without a directory of its own, or with the user's, nothing is listed twice.
    list.Rebuild(own, own + "/__Last.ini", own);
    EXPECT_EQ(list.Items().size(), 2);
}

// Each profile that comes with the program is whole: loaded over any settings it leaves
// nothing of them, and its file names it as the program's table does.
TEST(ProfileList, EveryShippedProfileSetsEveryKey)
{
    const QString dir = QStringLiteral(VEXA_SOURCE_DIR) + "/data/profiles";
    const QTemporaryDir none;
    TProfileList list;
    list.Rebuild(none.path(), QString(), dir);
    ASSERT_EQ(list.Items().size(), 4);
    for (const TProfileInfo& info : list.Items()) {
        MemIniFile ini;
        ASSERT_TRUE(ini.Load(info.Path));
        for (const TProfileKeys::Key& key : TProfileKeys::All())
            EXPECT_TRUE(ini.ValueExists(key.Section, key.Name)) << info.ShortFileName.toStdString() << " lacks " << key.Name;
        EXPECT_EQ(info.DisplayName, info.StoredName) << info.ShortFileName.toStdString();
        EncodingSettings a = Defaults(), b = NonDefaults();
        ASSERT_TRUE(Profile::LoadProfile(info.Path, a, {}));
        ASSERT_TRUE(Profile::LoadProfile(info.Path, b, {}));
        ExpectSameProfileSettings(a, b);
        EXPECT_GT(a.maxHeight, 0) << info.ShortFileName.toStdString();
    }
}
