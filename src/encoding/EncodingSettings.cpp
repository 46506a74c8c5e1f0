#include "encoding/EncodingSettings.h"

#include "base/AppParams.h"

#include <QCoreApplication>
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

// An item marked with QT_TRANSLATE_NOOP("Encoding", ...): English here, translated by Shown.
static QString Marked(const char* text) { return QString::fromUtf8(text); }

static QStringList Numbers(int from, int to, int step)
{
    QStringList list;
    for (int v = from; v <= to; v += step)
        list << QString::number(v);
    return list;
}

QStringList videoCodec()
{
    return {QStringLiteral("Xvid"), QStringLiteral("H.264 / MPEG-4 AVC"), QStringLiteral("HEVC / H.265"), QStringLiteral("AV1")};
}

QStringList encoder()
{
    //: The encoder setting: MEncoder, and FFmpeg where MEncoder cannot convert a file faithfully
    return {Marked(QT_TRANSLATE_NOOP("Encoding", "Automatic")), QStringLiteral("MEncoder"), QStringLiteral("FFmpeg")};
}

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

// What each of the encoder's speed words means for a newcomer; the words themselves stay.
QStringList presetCaptions()
{
    return {QString(),
            Marked(QT_TRANSLATE_NOOP("Encoding", "fastest, largest files")),
            Marked(QT_TRANSLATE_NOOP("Encoding", "very quick, very large files")),
            Marked(QT_TRANSLATE_NOOP("Encoding", "quicker, larger files")),
            Marked(QT_TRANSLATE_NOOP("Encoding", "a bit quicker, a bit larger")),
            Marked(QT_TRANSLATE_NOOP("Encoding", "slightly quicker")),
            Marked(QT_TRANSLATE_NOOP("Encoding", "balanced")),
            Marked(QT_TRANSLATE_NOOP("Encoding", "slower, smaller files")),
            Marked(QT_TRANSLATE_NOOP("Encoding", "much slower, smallest files")),
            Marked(QT_TRANSLATE_NOOP("Encoding", "extremely slow, hardly smaller"))};
}

// What each tuning is for, beside its word in the drop-down; marked for the catalogue.
QStringList tuneCaptions()
{
    return {QString(),
            Marked(QT_TRANSLATE_NOOP("Encoding", "live-action footage")),
            Marked(QT_TRANSLATE_NOOP("Encoding", "cartoons and anime")),
            Marked(QT_TRANSLATE_NOOP("Encoding", "keeps film grain")),
            Marked(QT_TRANSLATE_NOOP("Encoding", "slide shows")),
            Marked(QT_TRANSLATE_NOOP("Encoding", "for PSNR measurements")),
            Marked(QT_TRANSLATE_NOOP("Encoding", "for SSIM measurements")),
            Marked(QT_TRANSLATE_NOOP("Encoding", "plays on slow devices")),
            Marked(QT_TRANSLATE_NOOP("Encoding", "live streaming"))};
}

QStringList audioCodec() { return {QStringLiteral("MP3"), QStringLiteral("AAC"), QStringLiteral("Opus")}; }

QStringList audioBitrate()
{
    QStringList list{QStringLiteral("Auto")};
    for (int v : {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 448,
                  512, 576, 640})
        list << QString::number(v);
    return list;
}

QStringList audioRateMode()
{
    return {Marked(QT_TRANSLATE_NOOP("Encoding", "CBR - Constant")), Marked(QT_TRANSLATE_NOOP("Encoding", "ABR - Average"))};
}

QStringList sampleRate()
{
    return {QStringLiteral("Auto"), QStringLiteral("16000"), QStringLiteral("22050"), QStringLiteral("24000"),
            QStringLiteral("32000"), QStringLiteral("44100"), QStringLiteral("48000")};
}

QStringList audioChannels()
{
    return {QStringLiteral("Auto"), Marked(QT_TRANSLATE_NOOP("Encoding", "Stereo")),
            Marked(QT_TRANSLATE_NOOP("Encoding", "Joint-Stereo")),
            //: Two independent mono channels in one stream
            Marked(QT_TRANSLATE_NOOP("Encoding", "Dual channel")), Marked(QT_TRANSLATE_NOOP("Encoding", "Mono"))};
}

QStringList audioQuality()
{
    return {QStringLiteral("Auto"),
            Marked(QT_TRANSLATE_NOOP("Encoding", "0 - Highest quality")),
            QStringLiteral("1"),
            Marked(QT_TRANSLATE_NOOP("Encoding", "2 - Recommended")),
            QStringLiteral("3"),
            QStringLiteral("4"),
            //: LAME is the MP3 encoder's name
            Marked(QT_TRANSLATE_NOOP("Encoding", "5 - LAME default")),
            QStringLiteral("6"),
            QStringLiteral("7"),
            Marked(QT_TRANSLATE_NOOP("Encoding", "8 - Low quality")),
            QStringLiteral("9")};
}

QStringList subtitles()
{
    // short: the box shares its column with the other advanced settings
    return {Marked(QT_TRANSLATE_NOOP("Encoding", "None")),
            //: Subtitles: burn the file's subtitle track in the languages typed below
            Marked(QT_TRANSLATE_NOOP("Encoding", "By language")),
            //: Subtitles: burn the file's forced subtitle track (the lines in a foreign language)
            Marked(QT_TRANSLATE_NOOP("Encoding", "Forced only")),
            //: Subtitles: burn a subtitle file of the same name beside the video
            Marked(QT_TRANSLATE_NOOP("Encoding", "File beside it"))};
}

QStringList languages()
{
    return {QStringLiteral("Auto"),    QStringLiteral("English"), QStringLiteral("German"),
            QStringLiteral("French"),  QStringLiteral("Spanish"), QStringLiteral("Italian"),
            QStringLiteral("Japanese")};
}

QStringList rotateDirection()
{
    //: Rotate by 90°: clockwise
    return {Marked(QT_TRANSLATE_NOOP("Encoding", "to the right")), Marked(QT_TRANSLATE_NOOP("Encoding", "to the left"))};
}

QStringList interlacing()
{
    return {QStringLiteral("Auto"), Marked(QT_TRANSLATE_NOOP("Encoding", "Deinterlace")),
            //: Keep the interlaced picture as it is
            Marked(QT_TRANSLATE_NOOP("Encoding", "Keep original"))};
}

QStringList skipLimit() { return Numbers(0, 10, 1); }

QStringList outputExists()
{
    //: What to do when the output file exists already: give the new one another name
    return {Marked(QT_TRANSLATE_NOOP("Encoding", "Rename file")), Marked(QT_TRANSLATE_NOOP("Encoding", "Overwrite")),
            //: What to do when the output file exists already: leave the input out
            Marked(QT_TRANSLATE_NOOP("Encoding", "Skip file"))};
}

QStringList afterBatch()
{
    return {Marked(QT_TRANSLATE_NOOP("Encoding", "Do nothing")), Marked(QT_TRANSLATE_NOOP("Encoding", "Close application"))};
}

QString ItemText(const QStringList& items, int index)
{
    return (index >= 0 && index < items.size()) ? items.at(index) : QString();
}

QStringList Shown(const QStringList& items)
{
    QStringList shown;
    shown.reserve(items.size());
    for (const QString& item : items)
        shown << QCoreApplication::translate("Encoding", item.toUtf8().constData());
    return shown;
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
