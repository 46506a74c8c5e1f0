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

QStringList videoCodec() { return {QStringLiteral("Xvid"), QStringLiteral("H.264 / MPEG-4 AVC")}; }

QStringList videoBitrate()
{
    QStringList list{QStringLiteral("Auto")};
    list += Numbers(50, 500, 50);
    list += Numbers(600, 1500, 100);
    list += Numbers(1750, 5000, 250);
    list += Numbers(5500, 10000, 500);
    list += Numbers(11000, 20000, 1000);
    return list;
}

QStringList frameRate()
{
    return {QStringLiteral("Auto"), QStringLiteral("5"), QStringLiteral("8"), QStringLiteral("10"),
            QStringLiteral("12"), QStringLiteral("14.985"), QStringLiteral("15"), QStringLiteral("20"),
            QStringLiteral("23.976"), QStringLiteral("24"), QStringLiteral("25"), QStringLiteral("29.97"),
            QStringLiteral("30"), QStringLiteral("50"), QStringLiteral("59.94"), QStringLiteral("60")};
}

QStringList videoAspect()
{
    return {QStringLiteral("Auto"), QStringLiteral("1:1"), QStringLiteral("5:4"), QStringLiteral("4:3"),
            QStringLiteral("1.43"), QStringLiteral("3:2"), QStringLiteral("16:10"), QStringLiteral("16:9"),
            QStringLiteral("1.85"), QStringLiteral("2:1"), QStringLiteral("12:5")};
}

QStringList threads() { return QStringList{QStringLiteral("Auto")} + Numbers(1, 16, 1); }

QStringList preset()
{
    return {QStringLiteral("Auto"), QStringLiteral("ultrafast"), QStringLiteral("superfast"),
            QStringLiteral("veryfast"), QStringLiteral("faster"), QStringLiteral("fast"),
            QStringLiteral("medium"), QStringLiteral("slow"), QStringLiteral("veryslow"),
            QStringLiteral("placebo")};
}

QStringList audioBitrate()
{
    QStringList list{QStringLiteral("Auto")};
    for (int v : {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 448,
                  512, 576, 640})
        list << QString::number(v);
    return list;
}

QStringList audioRateMode() { return {QStringLiteral("CBR - Constant"), QStringLiteral("ABR - Average")}; }

QStringList sampleRate()
{
    return {QStringLiteral("Auto"), QStringLiteral("16000"), QStringLiteral("22050"), QStringLiteral("24000"),
            QStringLiteral("32000"), QStringLiteral("44100"), QStringLiteral("48000")};
}

QStringList audioChannels()
{
    return {QStringLiteral("Auto"), QStringLiteral("Stereo"), QStringLiteral("Joint-Stereo"),
            QStringLiteral("Dual channel"), QStringLiteral("Mono")};
}

QStringList audioQuality()
{
    return {QStringLiteral("Auto"), QStringLiteral("0 - Highest quality"), QStringLiteral("1"),
            QStringLiteral("2 - Recommended"), QStringLiteral("3"), QStringLiteral("4"),
            QStringLiteral("5 - LAME default"), QStringLiteral("6"), QStringLiteral("7"),
            QStringLiteral("8 - Low quality"), QStringLiteral("9")};
}

QStringList rotateDirection() { return {QStringLiteral("to the right"), QStringLiteral("to the left")}; }

QStringList interlacing() { return {QStringLiteral("Auto"), QStringLiteral("Deinterlace"), QStringLiteral("Keep original")}; }

QStringList skipLimit() { return Numbers(0, 10, 1); }

QStringList outputExists() { return {QStringLiteral("Rename file"), QStringLiteral("Overwrite"), QStringLiteral("Skip file")}; }

QStringList afterBatch() { return {QStringLiteral("Do nothing"), QStringLiteral("Close application")}; }

QString ItemText(const QStringList& items, int index)
{
    return (index >= 0 && index < items.size()) ? items.at(index) : QString();
}

} // namespace EncodingLists

QString OutputPolicyWord(TOutputPolicy policy)
{
    switch (policy) {
    case TOutputPolicy::Overwrite: return QStringLiteral("overwrite");
    case TOutputPolicy::Skip: return QStringLiteral("skip");
    case TOutputPolicy::Rename: break;
    }
    return QStringLiteral("rename");
}

TOutputPolicy OutputPolicyFromWord(const QString& word)
{
    for (TOutputPolicy p : {TOutputPolicy::Overwrite, TOutputPolicy::Skip}) {
        if (word == OutputPolicyWord(p))
            return p;
    }
    return TOutputPolicy::Rename;
}

QString DefaultOutDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}
