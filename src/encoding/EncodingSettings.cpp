#include "encoding/EncodingSettings.h"

#include "base/AppParams.h"

#include <QStandardPaths>

void EditableListValue::SetIndex(int index, const QStringList& items)
{
    Index = (index >= 0 && index < items.size()) ? index : -1;
    Text = EncodingLists::ItemText(items, index);
}

QStringList EncodingSettings::ResolutionItems(const QStringList& entries)
{
    QStringList items{QStringLiteral("Auto"), QStringLiteral("Custom")};
    items += entries.isEmpty() ? ::BuiltInResolutions() : entries;
    return items;
}

QStringList EncodingSettings::BuiltInResolutionItems()
{
    return ResolutionItems(::BuiltInResolutions());
}

namespace EncodingLists {

static QStringList Numbers(int from, int to, int step)
{
    QStringList list;
    for (int v = from; v <= to; v += step)
        list << QString::number(v);
    return list;
}

QStringList cbAviVideoCodec() { return {QStringLiteral("Xvid"), QStringLiteral("H.264 / MPEG-4 AVC")}; }

QStringList cbOutputFormat() { return ContainerWords(); }

QStringList cbAviVideoBitrate()
{
    QStringList list{QStringLiteral("Auto")};
    list += Numbers(50, 500, 50);
    list += Numbers(600, 1500, 100);
    list += Numbers(1750, 5000, 250);
    list += Numbers(5500, 10000, 500);
    list += Numbers(11000, 20000, 1000);
    return list;
}

QStringList cbAviVideoFPS()
{
    return {QStringLiteral("Auto"), QStringLiteral("5"), QStringLiteral("8"), QStringLiteral("10"),
            QStringLiteral("12"), QStringLiteral("14.985"), QStringLiteral("15"), QStringLiteral("20"),
            QStringLiteral("23.976"), QStringLiteral("24"), QStringLiteral("25"), QStringLiteral("29.97"),
            QStringLiteral("30"), QStringLiteral("50"), QStringLiteral("59.94"), QStringLiteral("60")};
}

QStringList cbAviVideoAspect()
{
    return {QStringLiteral("Auto"), QStringLiteral("1:1"), QStringLiteral("5:4"), QStringLiteral("4:3"),
            QStringLiteral("1.43"), QStringLiteral("3:2"), QStringLiteral("16:10"), QStringLiteral("16:9"),
            QStringLiteral("1.85"), QStringLiteral("2:1"), QStringLiteral("12:5")};
}

QStringList cbAviVideoThreads() { return QStringList{QStringLiteral("Auto")} + Numbers(1, 16, 1); }

QStringList cbVideoPreset()
{
    return {QStringLiteral("Auto"), QStringLiteral("ultrafast"), QStringLiteral("superfast"),
            QStringLiteral("veryfast"), QStringLiteral("faster"), QStringLiteral("fast"),
            QStringLiteral("medium"), QStringLiteral("slow"), QStringLiteral("veryslow"),
            QStringLiteral("placebo")};
}

QStringList cbAudioBitrate()
{
    QStringList list{QStringLiteral("Auto")};
    for (int v : {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 448,
                  512, 576, 640})
        list << QString::number(v);
    return list;
}

QStringList cbAudioBitrateMode() { return {QStringLiteral("CBR - Constant"), QStringLiteral("ABR - Average")}; }

QStringList cbAudioSampling()
{
    return {QStringLiteral("Auto"), QStringLiteral("16000"), QStringLiteral("22050"), QStringLiteral("24000"),
            QStringLiteral("32000"), QStringLiteral("44100"), QStringLiteral("48000")};
}

QStringList cbAudioChannels()
{
    return {QStringLiteral("Auto"), QStringLiteral("Stereo"), QStringLiteral("Joint-Stereo"),
            QStringLiteral("Dual channel"), QStringLiteral("Mono")};
}

QStringList cbAudioAlgoQuality()
{
    return {QStringLiteral("Auto"), QStringLiteral("0 - Highest quality"), QStringLiteral("1"),
            QStringLiteral("2 - Recommended"), QStringLiteral("3"), QStringLiteral("4"),
            QStringLiteral("5 - LAME default"), QStringLiteral("6"), QStringLiteral("7"),
            QStringLiteral("8 - Low quality"), QStringLiteral("9")};
}

QStringList cbRotate() { return {QStringLiteral("to the right"), QStringLiteral("to the left")}; }

QStringList cbInterlacing() { return {QStringLiteral("Auto"), QStringLiteral("Deinterlace"), QStringLiteral("Keep original")}; }

QStringList cbSkipLimit() { return Numbers(0, 10, 1); }

QStringList cbOutputExists() { return {QStringLiteral("Rename file"), QStringLiteral("Overwrite"), QStringLiteral("Skip file")}; }

QStringList cbAfterConversion() { return {QStringLiteral("Do nothing"), QStringLiteral("Close application")}; }

QString ItemText(const QStringList& items, int index)
{
    return (index >= 0 && index < items.size()) ? items.at(index) : QString();
}

} // namespace EncodingLists

void SetDefaultVideoSettings_Avi(EncodingSettings& s, int defaultVideoCodec)
{
    s.cbAviVideoCodec = defaultVideoCodec == 1 ? 1 : 0;
    s.cbAviVideoBitrate.SetIndex(0, EncodingLists::cbAviVideoBitrate());
    s.cbAviVideoFPS.SetIndex(0, EncodingLists::cbAviVideoFPS());
    s.cbAviVideoAspect.SetIndex(0, EncodingLists::cbAviVideoAspect());
    s.cbAviVideoThreads = 0;
    s.cbVideoPreset = 0;
    s.container = TContainer::Avi;
    s.chAviVideo2Pass = false;
}

void SetDefaultAudioSettings(EncodingSettings& s)
{
    s.cbAudioBitrate.SetIndex(0, EncodingLists::cbAudioBitrate());
    s.cbAudioSampling.SetIndex(0, EncodingLists::cbAudioSampling());
    s.cbAudioChannels = 0;
    s.cbAudioAlgoQuality = 0;
    s.cbAudioBitrateMode = 0;
    s.chAudioDontCopy = false;
}

void SetDefaultAdvancedSettings(EncodingSettings& s)
{
    s.cbInterlacing = 0;
    s.meParams.clear();
    s.cbResolution = 0;
    s.spedResWidth = 854;
    s.spedResHeight = 480;
    s.chBrightness = false;
    s.tbBrightness = 0;
    s.chSaturation = false;
    s.tbSaturation = 10;
    s.chFlipHorizontal = false;
    s.chFlipVertical = false;
    s.chRotate = false;
    s.cbRotate = 0;
    s.chSkipLimit = true;
    s.cbSkipLimit = 1;
    s.chForceEncode = true;
}

void SetDefaultParams(EncodingSettings& s, int defaultVideoCodec)
{
    SetDefaultVideoSettings_Avi(s, defaultVideoCodec);
    SetDefaultAudioSettings(s);
    SetDefaultAdvancedSettings(s);
}

QString DefaultOutDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}
