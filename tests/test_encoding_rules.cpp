#include "encoding/SettingRows.h"
#include "encoding/EncodingSettings.h"
#include "encoding/Mp3BitrateTable.h"
#include "encoding/SettingsRules.h"
#include "lib/Conversion.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QSet>
#include <QFile>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <ostream>

// Readable failure output for Qt strings.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

// The settings model: value lists, defaults, checks, labels, enabling, copy and paste,
// and the MP3 bit-rate table file.

TEST(SettingsLists, OrderAndCounts)
{
    const QStringList br = EncodingLists::videoBitrate();
    ASSERT_EQ(br.size(), 55);
    EXPECT_EQ(br.mid(0, 3), QStringList({"Auto", "50", "100"}));
    EXPECT_EQ(br[10], "500");
    EXPECT_EQ(br[11], "600");
    EXPECT_EQ(br[20], "1500");
    EXPECT_EQ(br[21], "1750");
    EXPECT_EQ(br[34], "5000");
    EXPECT_EQ(br[35], "5500");
    EXPECT_EQ(br[44], "10000");
    EXPECT_EQ(br[45], "11000");
    EXPECT_EQ(br.last(), "20000");
    EXPECT_EQ(EncodingLists::threads().size(), 17);
    EXPECT_EQ(EncodingLists::preset().last(), "placebo");
    EXPECT_EQ(EncodingLists::audioBitrate().size(), 23);
    EXPECT_EQ(EncodingLists::audioQuality()[3], "2 - Recommended");
    EXPECT_EQ(EncodingLists::skipLimit().size(), 11);
    EXPECT_EQ(EncodingLists::frameRate()[5], "14.985");

    const QStringList res = EncodingSettings::BuiltInResolutionItems();
    EXPECT_EQ(EncodingSettings::ResolutionItems({}), res);
    EXPECT_EQ(EncodingSettings().resolutionItems, res);
    ASSERT_EQ(res.size(), 17);
    EXPECT_EQ(res.mid(0, 3), QStringList({"Auto", "Custom", "128 x 96 - SQCIF"}));
    EXPECT_EQ(res.last(), "1920 x 1080 - HD1080");
    EXPECT_EQ(EncodingSettings::ResolutionItems({"a", "b"}), QStringList({"Auto", "Custom", "a", "b"}));
}

TEST(SettingsDefaults, PanelsAndOutputOptions)
{
    EncodingSettings s;
    s.videoCodec = TVideoCodec::Xvid;
    s.videoBitrate = {-1, "1234"};
    s.twoPass = true;
    s.sampleRate = {-1, "8000"};
    s.noAudio = true;
    s.extraParameters = "-mc 0";
    s.saturation = 3;
    s.skipLimitOn = false;
    s.outputExists = TOutputPolicy::Skip;
    s.afterBatch = 1;
    s.keepDates = true;
    s.outputToFolder = true;
    s.outputFolder = "/out";
    SetDefaultParams(s, 1);

    EXPECT_EQ(s.videoCodec, TVideoCodec::X264);
    EXPECT_EQ(s.videoBitrate, (EditableListValue{0, "Auto"}));
    EXPECT_FALSE(s.twoPass);
    EXPECT_EQ(s.sampleRate, (EditableListValue{0, "Auto"}));
    EXPECT_FALSE(s.noAudio);
    EXPECT_TRUE(s.extraParameters.isEmpty());
    EXPECT_EQ(s.saturation, 10);
    EXPECT_TRUE(s.skipLimitOn);
    EXPECT_EQ(s.skipLimit, 1);
    // The output options are not encoder settings.
    EXPECT_EQ(s.outputExists, TOutputPolicy::Skip);
    EXPECT_EQ(s.afterBatch, 1);
    EXPECT_TRUE(s.keepDates);
    EXPECT_TRUE(s.outputToFolder);
    EXPECT_EQ(s.outputFolder, "/out");

    // A freshly made value already holds the defaults.
    EncodingSettings fresh;
    EncodingSettings reset = fresh;
    SetDefaultParams(reset, 0);
    EXPECT_EQ(fresh, reset);
    EXPECT_EQ(fresh.resolutionWidth, 854);
    EXPECT_EQ(fresh.resolutionHeight, 480);
}

TEST(SettingsChecks, TypedValues)
{
    EXPECT_TRUE(IsWholeNumberText(" 1500 "));
    EXPECT_TRUE(IsWholeNumberText("-12"));
    EXPECT_TRUE(IsWholeNumberText("+7"));
    EXPECT_FALSE(IsWholeNumberText("1-2"));
    EXPECT_FALSE(IsWholeNumberText("--1"));
    EXPECT_FALSE(IsWholeNumberText(""));
    EXPECT_FALSE(IsWholeNumberText("1500 kbit"));
    EXPECT_TRUE(IsAutoText(" aUTO "));

    QStringList warnings;
    const TWarningSink sink = [&](const QString& t) { warnings << t; };
    EXPECT_TRUE(CheckVideoFps("25,0", sink));
    EXPECT_TRUE(CheckVideoFps("25.0", sink));
    EXPECT_TRUE(CheckVideoFps("AUTO", sink));
    EXPECT_TRUE(CheckVideoBitrate(" Auto", sink));
    EXPECT_TRUE(warnings.isEmpty());
    EXPECT_FALSE(CheckVideoFps("", sink));
    EXPECT_FALSE(CheckAudioSampling("44100 Hz", sink));
    EXPECT_EQ(warnings, QStringList({"Video FPS: \r\nFPS must be a float value!",
                                     "Audio sampling frequency: 44100 Hz\r\nFrequency must be an integer value!"}));
    // An empty sink is allowed.
    EXPECT_FALSE(CheckAudioBitrate("x", {}));
}

TEST(SettingsChecks, Aspects)
{
    double v = 0;
    EXPECT_TRUE(IsValidAspect("16:9", &v));
    EXPECT_NEAR(v, 16.0 / 9.0, 1e-12);
    EXPECT_TRUE(IsValidAspect("16/9"));
    EXPECT_TRUE(IsValidAspect(" 4\\3 "));
    EXPECT_TRUE(IsValidAspect("1.85", &v));
    EXPECT_NEAR(v, 1.85, 1e-12);
    EXPECT_TRUE(IsValidAspect("2,35:1", &v));
    EXPECT_NEAR(v, 2.35, 1e-12);
    EXPECT_FALSE(IsValidAspect("wide"));
    EXPECT_FALSE(IsValidAspect("16:9:1"));
    EXPECT_FALSE(IsValidAspect(""));
    EXPECT_FALSE(IsValidAspect("Auto"));
}

TEST(SettingsLabels, TrackBars)
{
    EXPECT_EQ(BrightnessValueText(0, '.'), "0");
    EXPECT_EQ(BrightnessValueText(5, '.'), "0.5");
    EXPECT_EQ(BrightnessValueText(-10, '.'), "-1");
    EXPECT_EQ(BrightnessValueText(-3, ','), "-0,3");
    EXPECT_EQ(SaturationValueText(0, '.'), "0");
    EXPECT_EQ(SaturationValueText(-0.01, '.'), "0");
    EXPECT_EQ(SaturationValueText(15, ','), "1,5");
    EXPECT_EQ(SaturationValueText(30, '.'), "3");
    EXPECT_EQ(SaturationValueText(10, '.'), "1");
    // Without a separator the user's own is used.
    EXPECT_EQ(BrightnessValueText(5), QString("0") + UserDecimalSeparator() + "5");
}

// The rows disabled for a settings value, by id.
static QStringList DisabledRows(const EncodingSettings& s)
{
    QStringList off;
    for (const TSettingRow& row : SettingRows()) {
        if (!IsSettingEnabled(row, s))
            off << row.Id;
    }
    return off;
}

TEST(SettingsEnabling, FollowsTheSwitches)
{
    const QStringList notForXvid{"threads", "preset", "x264Tune"};
    const QStringList audio{"audioCodec", "audioBitrate", "sampleRate", "audioChannels", "audioQuality", "audioRateMode",
                            "soundLanguage"};
    const QStringList customSize{"resolutionWidth", "resolutionHeight"};
    const QStringList qualities{"x264Quality", "xvidQuality", "hevcQuality", "av1Quality"}; // by a bit rate, the default
    const QString largest = "maxHeight"; // with a chosen size
    const struct {
        const char* what;
        std::function<void(EncodingSettings&)> change;
        QStringList disabled;
    } cases[] = {
        {"defaults", [](EncodingSettings&) {}, notForXvid + customSize + qualities + QStringList{"brightness", "saturation", "rotateDirection", "subtitleLanguage"}},
        {"every switch on", [](EncodingSettings& s) {
             s.videoCodec = TVideoCodec::X264;
             s.brightnessOn = s.saturationOn = s.rotate = true;
             s.resolution = 1;
             s.subtitles = 1;
         }, qualities + QStringList{largest}},
        // by quality: each codec its own quality; no bit rate, and one pass
        {"H.264 by quality", [](EncodingSettings& s) {
             s.videoCodec = TVideoCodec::X264;
             s.brightnessOn = s.saturationOn = s.rotate = true;
             s.resolution = 1;
             s.videoRateControl = RateByQuality;
         }, {"videoBitrate", "twoPass", "xvidQuality", "hevcQuality", "av1Quality", largest, "subtitleLanguage"}},
        // HEVC and AV1 take the preset and a thread count, not x264's tuning; each its own quality
        {"HEVC by quality", [](EncodingSettings& s) {
             s.videoCodec = TVideoCodec::Hevc;
             s.videoRateControl = RateByQuality;
         }, customSize + QStringList{"x264Tune", "videoBitrate", "twoPass", "x264Quality", "xvidQuality", "av1Quality",
                                     "brightness", "saturation", "rotateDirection", "subtitleLanguage"}},
        // FFmpeg's SVT-AV1 keeps no pass log: one pass at the bit rate
        {"AV1 by a bit rate", [](EncodingSettings& s) { s.videoCodec = TVideoCodec::Av1; },
         customSize + qualities + QStringList{"x264Tune", "twoPass", "brightness", "saturation", "rotateDirection",
                                              "subtitleLanguage"}},
        {"Xvid by quality", [](EncodingSettings& s) {
             s.brightnessOn = s.saturationOn = s.rotate = true;
             s.resolution = 1;
             s.videoRateControl = RateByQuality;
         }, notForXvid + QStringList{"videoBitrate", "twoPass", "x264Quality", "hevcQuality", "av1Quality", largest,
                                     "subtitleLanguage"}},
        {"no audio, no skip limit", [](EncodingSettings& s) {
             s.videoCodec = TVideoCodec::X264;
             s.brightnessOn = s.saturationOn = s.rotate = true;
             s.resolution = 1;
             s.noAudio = true;
             s.skipLimitOn = false;
         }, audio + qualities + QStringList{"skipLimit", largest, "subtitleLanguage"}},
        {"AAC: the MP3 encoder's own settings are off", [](EncodingSettings& s) { s.audioCodec = TAudioCodec::Aac; },
         notForXvid + customSize + qualities + QStringList{"brightness", "saturation", "rotateDirection", "subtitleLanguage",
                                                         "audioQuality", "audioRateMode"}},
        // Back to Xvid: disabled, but the selection is kept for the next switch.
        {"a list size is no custom size", [](EncodingSettings& s) {
             s.videoCodec = TVideoCodec::X264;
             s.brightnessOn = s.saturationOn = s.rotate = true;
             s.resolution = 2;
         }, customSize + qualities + QStringList{largest, "subtitleLanguage"}},
    };
    for (const auto& c : cases) {
        EncodingSettings s;
        c.change(s);
        QStringList expected = c.disabled;
        QStringList got = DisabledRows(s);
        expected.sort();
        got.sort();
        EXPECT_EQ(got, expected) << c.what;
    }
}

// A value unlike the row's default, made from the row's own kind and range, so that a
// new row is covered by the round trips below without a line of its own.
static TSettingValue OtherValue(const TSettingRow& row, const EncodingSettings& s)
{
    const TSettingValue current = row.Get(s);
    switch (row.Kind) {
    case TControlKind::List:
        return int(row.Items(s).size()) - 1 == std::get<int>(current) ? 0 : int(row.Items(s).size()) - 1;
    case TControlKind::EditableList: {
        const QStringList items = row.Items(s);
        return EditableListValue{int(items.size()) - 1, items.last()};
    }
    case TControlKind::Check:
        return !std::get<bool>(current);
    case TControlKind::Spin:
    case TControlKind::Slider:
        return std::floor(row.Max) == std::get<double>(current) ? std::ceil(row.Min) : std::floor(row.Max);
    case TControlKind::Memo:
        return QStringLiteral("-mc 0 -noskip");
    }
    return current;
}

TEST(SettingRows, EveryRowRoundTrips)
{
    QStringList ids, keys, objectNames;
    for (const TSettingRow& row : SettingRows()) {
        SCOPED_TRACE(row.Id.toStdString());
        ids << row.Id;
        keys << QLatin1String(row.Key.Name);
        objectNames << row.ObjectName;
        EncodingSettings changed;
        const TSettingValue other = OtherValue(row, changed);
        row.Set(changed, other);
        ASSERT_NE(changed, EncodingSettings()) << "the row's setter reaches no member";
        EXPECT_EQ(row.Get(changed), other);

        // Through the profile key: written and read back.
        ASSERT_TRUE(row.Key.Write && row.Key.Read);
        EncodingSettings read;
        const QString text = row.Key.Write(changed);
        row.Key.Read(read, &text, TProfileReadContext{});
        EXPECT_EQ(read, changed) << "profile text " << text.toStdString();

        // Through its panel's copy and paste, into defaults.
        EncodingSettings pasted;
        PastePanel(pasted, CopyPanel(changed, row.Panel));
        EXPECT_EQ(pasted, changed);

        // Its panel's defaults undo it, the other panels' leave it.
        for (TSettingPanel panel : {TSettingPanel::Video, TSettingPanel::Audio, TSettingPanel::Advanced}) {
            EncodingSettings reset = changed;
            ResetPanel(reset, panel, 0);
            EXPECT_EQ(reset == EncodingSettings(), panel == row.Panel) << int(panel);
        }
        EXPECT_EQ(FindSettingRow(row.Id), &row);
        EXPECT_EQ(row.Items != nullptr, row.Kind == TControlKind::List || row.Kind == TControlKind::EditableList);
        // One sentence of help, short enough for a tool tip.
        const QString help = QString::fromUtf8(row.Help);
        EXPECT_TRUE(help.endsWith('.') && help.count(". ") == 0) << help.toStdString();
        EXPECT_LT(help.size(), 160) << help.toStdString();
        if (row.ItemCaptions) {
            EXPECT_EQ(row.ItemCaptions().size(), row.Items(changed).size());
        }
    }
    // Ids, profile keys and controls are each named once.
    for (const QStringList& names : {ids, keys, objectNames})
        EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size()) << names.join(' ').toStdString();
}

TEST(CopyPaste, RoundTripsEveryPanel)
{
    EncodingSettings a;
    a.videoCodec = TVideoCodec::X264;
    a.threads = 3;
    a.videoBitrate = {-1, "1234"};
    a.frameRate = {11, "29.97"};
    a.videoAspect = {-1, "2,35:1"};
    a.twoPass = true;
    a.preset = TX264Preset::Faster;
    a.container = TContainer::Mp4;
    a.audioBitrate = {12, "128"};
    a.sampleRate = {-1, "22050"};
    a.audioChannels = 4;
    a.audioQuality = 7;
    a.audioRateMode = TAudioRateMode::Abr;
    a.noAudio = true;
    a.extraParameters = "-mc 0\n-noskip";
    a.interlacing = 2;
    a.resolution = 5;
    a.resolutionWidth = 641;
    a.resolutionHeight = 359;
    a.brightnessOn = true;
    a.brightness = -4;
    a.saturationOn = true;
    a.saturation = 25;
    a.flipHorizontal = a.flipVertical = a.rotate = true;
    a.rotateDirection = 1;
    a.skipLimitOn = false;
    a.skipLimit = 7;
    a.forceDuplicates = false;
    a.outputExists = TOutputPolicy::Overwrite;

    EncodingSettings b;
    for (TSettingPanel panel : {TSettingPanel::Video, TSettingPanel::Audio, TSettingPanel::Advanced})
        PastePanel(b, CopyPanel(a, panel));
    b.outputExists = TOutputPolicy(a.outputExists); // not part of any panel
    EXPECT_EQ(a, b);
}

TEST(CopyPaste, RoundsRealValuesHalfToEven)
{
    EncodingSettings a;
    a.resolutionWidth = 640.5;
    a.resolutionHeight = 481.5;
    a.brightness = 2.5;
    a.saturation = 0.4;
    const EncodingSettings p = CopyPanel(a, TSettingPanel::Advanced).Values;
    EXPECT_EQ(p.resolutionWidth, 640);
    EXPECT_EQ(p.resolutionHeight, 482);
    EXPECT_EQ(p.brightness, 2);
    EXPECT_EQ(p.saturation, 0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(1e300), std::numeric_limits<int>::max());
}

TEST(CopyPaste, UnusableTextsBecomeAuto)
{
    TPanelCopy v = CopyPanel(EncodingSettings(), TSettingPanel::Video);
    v.Values.videoBitrate = {-1, "fast"};
    v.Values.frameRate = {7, "twenty"};
    v.Values.videoAspect = {-1, "16:9:1"};
    EncodingSettings s;
    PastePanel(s, v);
    EXPECT_EQ(s.videoBitrate.Text, "Auto");
    EXPECT_EQ(s.frameRate, (EditableListValue{0, "Auto"}));
    EXPECT_EQ(s.videoAspect.Text, "Auto");

    v.Values.frameRate.Text = "2,5E1";
    v.Values.videoAspect.Text = "16/9";
    PastePanel(s, v);
    EXPECT_EQ(s.frameRate, (EditableListValue{7, "2,5E1"}));
    EXPECT_EQ(s.videoAspect.Text, "16/9");

    TPanelCopy a = CopyPanel(EncodingSettings(), TSettingPanel::Audio);
    a.Values.audioBitrate.Text = "128k";
    a.Values.sampleRate.Text = "44100";
    PastePanel(s, a);
    EXPECT_EQ(s.audioBitrate.Text, "Auto");
    EXPECT_EQ(s.sampleRate.Text, "44100");
}

TEST(Mp3Table, AutoLookupsAndText)
{
    EXPECT_EQ(Mp3BitrateTable::LargestBitrate("mp3lame", 22050), 160);
    EXPECT_EQ(Mp3BitrateTable::LargestBitrate("mp3lame", 44100), 320);
    EXPECT_EQ(Mp3BitrateTable::LargestBitrate("mp3lame", 11025), 320);
    EXPECT_EQ(Mp3BitrateTable::RoundUpToStep(0), 32);
    EXPECT_EQ(Mp3BitrateTable::RoundUpToStep(129), 160);
    EXPECT_EQ(Mp3BitrateTable::RoundUpToStep(321), 128);

    const QStringList lines = Mp3BitrateTable::TextLines();
    ASSERT_EQ(lines.size(), 2 + 6 * 2 + 5);
    EXPECT_EQ(lines[0], "AUDIO BITRATE INFO");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "Sampling rate: 16000");
    EXPECT_EQ(lines[3], " MP3 bitrate:    8  16  24  32  40  48  56  64  80  96 112 128 160   -   -   -   -   -   -   -   -   -");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[lines.size() - 2], "Sampling rate: 48000");
    // 22 cells: 8..24 not allowed, 32..320 allowed, the five rates 384..640 not allowed.
    EXPECT_EQ(lines.last(), " MP3 bitrate:    -   -   -  32  40  48  56  64  80  96 112 128 160 192 224 256 320   -   -   -   -   -");

    const QString dir = TestSupport::ScratchDir() + "/encoding_mp3";
    QDir().mkpath(dir);
    const QString file = dir + "/audio_bitrates.txt";
    TestSupport::WriteFile(file, "old content that is longer than nothing");
    ASSERT_TRUE(Mp3BitrateTable::SaveToFile(file));
    EXPECT_EQ(TestSupport::ReadFile(file), (lines.join("\r\n") + "\r\n").toUtf8());
    EXPECT_FALSE(Mp3BitrateTable::SaveToFile(dir + "/missing/dir/x.txt"));
}
