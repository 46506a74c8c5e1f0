#include "settings/ProfileKeys.h"

#include "encoding/CmdLineBuilder.h"
#include "encoding/CopyParams.h"
#include "encoding/SettingsRules.h"
#include "lib/Conversion.h"

namespace {

const QString AutoText = QStringLiteral("Auto");

// Reports a value that cannot be used as given; only values actually given are
// reported (a missing key silently keeps what the panel holds).
void Fallback(const TProfileReadContext& c, const QString* given, const QString& why, const QString& used)
{
    if (given && c.Fallback)
        c.Fallback(why, used);
}

QString BoolText(bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); }

QString Quoted(const QString& s) { return QLatin1Char('"') + s + QLatin1Char('"'); }

// How a list index is shown in a warning.
QString IndexText(const QStringList& items, int index)
{
    if (index < 0 || index >= items.size())
        return QStringLiteral("no selection");
    return QStringLiteral("%1 (%2)").arg(index).arg(Quoted(items.at(index)));
}

// The stored integer, or current when the key is missing or its text is no integer.
int ReadInt(const QString* v, int current, const TProfileReadContext& c, const QString& currentText)
{
    if (!v)
        return current;
    int value = 0;
    if (TryStrToInt(*v, value))
        return value;
    Fallback(c, v, QStringLiteral("not an integer"), currentText);
    return current;
}

bool ReadBool(const QString* v, bool current, const TProfileReadContext& c)
{
    return ReadInt(v, current ? 1 : 0, c, BoolText(current)) != 0;
}

// An index list read with a clamp to lo..hi.
int ReadClampedIndex(const QString* v, int current, int lo, int hi, const QStringList& items,
                     const TProfileReadContext& c)
{
    const int read = ReadInt(v, current, c, IndexText(items, current));
    const int value = read < lo ? lo : (read > hi ? hi : read);
    if (value != read)
        Fallback(c, v, QStringLiteral("outside %1..%2").arg(lo).arg(hi), IndexText(items, value));
    return value;
}

// An index list read without a range check: an index the list does not have selects
// nothing, as a drop-down does.
int ReadUncheckedIndex(const QString* v, int current, const QStringList& items, const TProfileReadContext& c)
{
    const int read = ReadInt(v, current, c, IndexText(items, current));
    if (read >= 0 && read < items.size())
        return read;
    if (read != -1)
        Fallback(c, v, QStringLiteral("not an index of the list"), IndexText(items, -1));
    return -1;
}

// An index list whose values outside lo..hi give fallback.
int ReadRangedIndex(const QString* v, int current, int lo, int hi, int fallback, const QStringList& items,
                    const TProfileReadContext& c)
{
    const int read = ReadInt(v, current, c, IndexText(items, current));
    if (read >= lo && read <= hi)
        return read;
    Fallback(c, v, QStringLiteral("outside %1..%2").arg(lo).arg(hi), IndexText(items, fallback));
    return fallback;
}

// A track bar position stored as an integer; outside lo..hi gives fallback.
double ReadPosition(const QString* v, double current, double lo, double hi, int fallback,
                    const TProfileReadContext& c)
{
    const int read = ReadInt(v, RoundHalfEven(current), c, QString::number(current));
    if (read >= lo && read <= hi)
        return read;
    Fallback(c, v, QStringLiteral("outside %1..%2").arg(lo).arg(hi), QString::number(fallback));
    return fallback;
}

// A spin box takes any integer and keeps it inside its own range.
double ReadSpin(const QString* v, double current, const TProfileReadContext& c)
{
    const int lo = EncodingLists::ResWidthMin, hi = EncodingLists::ResWidthMax;
    const int read = ReadInt(v, RoundHalfEven(current), c, QString::number(current));
    const int value = read < lo ? lo : (read > hi ? hi : read);
    if (value != read)
        Fallback(c, v, QStringLiteral("outside %1..%2").arg(lo).arg(hi), QString::number(value));
    return value;
}

// Sets an editable drop-down's text; the list shows the matching item selected.
void SetEditText(EditableListValue& box, const QString& text, const QStringList& items)
{
    box.Text = text;
    box.Index = items.indexOf(text);
}

// Bit rates and sampling rates: a whole number is kept, anything else becomes "Auto".
void ReadWholeNumberText(EditableListValue& box, const QString* v, const QStringList& items,
                         const TProfileReadContext& c)
{
    const QString text = v ? *v : box.Text;
    if (IsWholeNumberText(text)) {
        SetEditText(box, text, items);
        return;
    }
    if (!text.isEmpty() && !IsAutoText(text))
        Fallback(c, v, QStringLiteral("not a whole number"), Quoted(AutoText));
    SetEditText(box, AutoText, items);
}

QString WholeNumberOrEmpty(const EditableListValue& box)
{
    return IsWholeNumberText(box.Text) ? box.Text : QString();
}

// "One of two words": first gives 0, anything else 1 (reported unless it is second).
int ReadWord(const QString* v, int current, const char* first, const char* second, const QStringList& items,
             const TProfileReadContext& c)
{
    if (!v)
        return current;
    const QString word = v->trimmed().toUpper();
    if (word == QLatin1String(first))
        return 0;
    if (word != QLatin1String(second))
        Fallback(c, v, QStringLiteral("neither %1 nor %2").arg(QLatin1String(first), QLatin1String(second)),
                 IndexText(items, 1));
    return 1;
}

// ---- VIDEO ----

QString WriteVideoCodec(const EncodingSettings& s)
{
    return s.cbAviVideoCodec == 1 ? QStringLiteral("H.264") : QStringLiteral("Xvid");
}

void ReadVideoCodec(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    const QStringList items = EncodingLists::cbAviVideoCodec();
    const int fallback = c.DefaultVideoCodec == 1 ? 1 : 0;
    const QString text = v ? *v : QStringLiteral("XVID");
    int index = 0;
    if (TryStrToInt(text, index)) {
        if (index < 0 || index >= items.size()) {
            Fallback(c, v, QStringLiteral("not an index of the list"), IndexText(items, fallback));
            index = fallback;
        }
        s.cbAviVideoCodec = index;
        return;
    }
    QString name = text.toUpper();
    name.remove(QLatin1Char(' ')).remove(QLatin1Char('.')).remove(QLatin1Char('-'));
    if (name == QLatin1String("XVID")) {
        s.cbAviVideoCodec = 0;
    } else if (name == QLatin1String("H264") || name == QLatin1String("X264")) {
        s.cbAviVideoCodec = 1;
    } else {
        Fallback(c, v, QStringLiteral("unknown video codec"), IndexText(items, fallback));
        s.cbAviVideoCodec = fallback;
    }
}

QString WriteOutputFormat(const EncodingSettings& s)
{
    return s.cbOutputFormat == 1 ? QStringLiteral("MP4") : QStringLiteral("AVI");
}

void ReadOutputFormat(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    if (!v)
        return;
    const QString word = v->trimmed().toUpper();
    if (word != QLatin1String("AVI") && word != QLatin1String("MP4"))
        Fallback(c, v, QStringLiteral("neither AVI nor MP4"), IndexText(EncodingLists::cbOutputFormat(), 0));
    s.cbOutputFormat = word == QLatin1String("MP4") ? 1 : 0;
}

QString WriteVideoBitrate(const EncodingSettings& s) { return WholeNumberOrEmpty(s.cbAviVideoBitrate); }

void ReadVideoBitrate(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    ReadWholeNumberText(s.cbAviVideoBitrate, v, EncodingLists::cbAviVideoBitrate(), c);
}

QString WriteVideoFPS(const EncodingSettings& s)
{
    return s.cbAviVideoFPS.Text == AutoText ? QString() : s.cbAviVideoFPS.Text;
}

void ReadVideoFPS(EncodingSettings& s, const QString* v, const TProfileReadContext&)
{
    if (v)
        SetEditText(s.cbAviVideoFPS, v->isEmpty() ? AutoText : *v, EncodingLists::cbAviVideoFPS());
}

QString WriteVideoAspect(const EncodingSettings& s)
{
    const QString text = s.cbAviVideoAspect.Text.trimmed();
    return text == AutoText ? QString() : text;
}

void ReadVideoAspect(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    const QString text = v ? *v : s.cbAviVideoAspect.Text;
    const bool valid = !text.isEmpty() && IsValidAspect(text);
    if (!valid && !text.isEmpty() && !IsAutoText(text))
        Fallback(c, v, QStringLiteral("not an aspect"), Quoted(AutoText));
    SetEditText(s.cbAviVideoAspect, valid ? text : AutoText, EncodingLists::cbAviVideoAspect());
}

QString WriteVideo2Pass(const EncodingSettings& s) { return BoolText(s.chAviVideo2Pass); }

void ReadVideo2Pass(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.chAviVideo2Pass = ReadBool(v, s.chAviVideo2Pass, c);
}

QString WriteEncoderThreads(const EncodingSettings& s) { return QString::number(s.cbAviVideoThreads); }

void ReadEncoderThreads(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.cbAviVideoThreads = ReadClampedIndex(v, s.cbAviVideoThreads, 0, 16, EncodingLists::cbAviVideoThreads(), c);
}

QString WriteVideoPreset(const EncodingSettings& s) { return QString::number(s.cbVideoPreset); }

void ReadVideoPreset(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.cbVideoPreset = ReadClampedIndex(v, s.cbVideoPreset, 0, 9, EncodingLists::cbVideoPreset(), c);
}

// ---- AUDIO ----

QString WriteAudioBitrate(const EncodingSettings& s) { return WholeNumberOrEmpty(s.cbAudioBitrate); }

void ReadAudioBitrate(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    ReadWholeNumberText(s.cbAudioBitrate, v, EncodingLists::cbAudioBitrate(), c);
}

QString WriteAudioSampling(const EncodingSettings& s) { return WholeNumberOrEmpty(s.cbAudioSampling); }

void ReadAudioSampling(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    ReadWholeNumberText(s.cbAudioSampling, v, EncodingLists::cbAudioSampling(), c);
}

QString WriteAudioChannels(const EncodingSettings& s) { return QString::number(s.cbAudioChannels); }

void ReadAudioChannels(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.cbAudioChannels = ReadUncheckedIndex(v, s.cbAudioChannels, EncodingLists::cbAudioChannels(), c);
}

QString WriteAudioAlgoQuality(const EncodingSettings& s) { return QString::number(s.cbAudioAlgoQuality); }

void ReadAudioAlgoQuality(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.cbAudioAlgoQuality = ReadClampedIndex(v, s.cbAudioAlgoQuality, 0, 10, EncodingLists::cbAudioAlgoQuality(), c);
}

QString WriteAudioBitrateMode(const EncodingSettings& s)
{
    return s.cbAudioBitrateMode == 0 ? QStringLiteral("CBR") : QStringLiteral("ABR");
}

void ReadAudioBitrateMode(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.cbAudioBitrateMode = ReadWord(v, s.cbAudioBitrateMode, "CBR", "ABR", EncodingLists::cbAudioBitrateMode(), c);
}

QString WriteDoNotCopyAudio(const EncodingSettings& s) { return BoolText(s.chAudioDontCopy); }

void ReadDoNotCopyAudio(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.chAudioDontCopy = ReadBool(v, s.chAudioDontCopy, c);
}

// ---- ADVANCED ----

QString WriteResolution(const EncodingSettings& s) { return QString::number(s.cbResolution); }

void ReadResolution(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.cbResolution = ReadUncheckedIndex(v, s.cbResolution, s.cbResolution_Items, c);
}

QString WriteResWidth(const EncodingSettings& s) { return QString::number(RoundHalfEven(s.spedResWidth)); }

void ReadResWidth(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.spedResWidth = ReadSpin(v, s.spedResWidth, c);
}

QString WriteResHeight(const EncodingSettings& s) { return QString::number(RoundHalfEven(s.spedResHeight)); }

void ReadResHeight(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.spedResHeight = ReadSpin(v, s.spedResHeight, c);
}

// The memo's lines travel as one line; a double quote would end an INI value written by
// other tools, so it is stored as an entity.
QString WriteAdditionalParams(const EncodingSettings& s)
{
    return GetAdditionalParamsStr(s).trimmed().replace(QLatin1Char('"'), QLatin1String("&quot;"));
}

void ReadAdditionalParams(EncodingSettings& s, const QString* v, const TProfileReadContext&)
{
    if (v)
        s.meParams = QString(*v).replace(QLatin1String("&quot;"), QLatin1String("\""));
}

QString WriteInterlacing(const EncodingSettings& s) { return QString::number(s.cbInterlacing); }

void ReadInterlacing(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.cbInterlacing = ReadRangedIndex(v, s.cbInterlacing, 0, 2, 0, EncodingLists::cbInterlacing(), c);
}

QString WriteBrightness(const EncodingSettings& s) { return BoolText(s.chBrightness); }

void ReadBrightness(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.chBrightness = ReadBool(v, s.chBrightness, c);
}

QString WriteBrightnessValue(const EncodingSettings& s) { return QString::number(RoundHalfEven(s.tbBrightness)); }

void ReadBrightnessValue(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.tbBrightness = ReadPosition(v, s.tbBrightness, EncodingLists::BrightnessMin, EncodingLists::BrightnessMax, 0, c);
}

QString WriteSaturation(const EncodingSettings& s) { return BoolText(s.chSaturation); }

void ReadSaturation(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.chSaturation = ReadBool(v, s.chSaturation, c);
}

QString WriteSaturationValue(const EncodingSettings& s) { return QString::number(RoundHalfEven(s.tbSaturation)); }

void ReadSaturationValue(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.tbSaturation = ReadPosition(v, s.tbSaturation, EncodingLists::SaturationMin, EncodingLists::SaturationMax, 10, c);
}

QString WriteFlipHorizontal(const EncodingSettings& s) { return BoolText(s.chFlipHorizontal); }

void ReadFlipHorizontal(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.chFlipHorizontal = ReadBool(v, s.chFlipHorizontal, c);
}

QString WriteFlipVertical(const EncodingSettings& s) { return BoolText(s.chFlipVertical); }

void ReadFlipVertical(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.chFlipVertical = ReadBool(v, s.chFlipVertical, c);
}

QString WriteRotate(const EncodingSettings& s) { return BoolText(s.chRotate); }

void ReadRotate(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.chRotate = ReadBool(v, s.chRotate, c);
}

QString WriteRotateDirection(const EncodingSettings& s)
{
    return s.cbRotate == 0 ? QStringLiteral("right") : QStringLiteral("left");
}

void ReadRotateDirection(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.cbRotate = ReadWord(v, s.cbRotate, "RIGHT", "LEFT", EncodingLists::cbRotate(), c);
}

QString WriteSkipLimit(const EncodingSettings& s) { return BoolText(s.chSkipLimit); }

void ReadSkipLimit(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.chSkipLimit = ReadBool(v, s.chSkipLimit, c);
}

QString WriteSkipLimitValue(const EncodingSettings& s) { return QString::number(s.cbSkipLimit); }

void ReadSkipLimitValue(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.cbSkipLimit = ReadClampedIndex(v, s.cbSkipLimit, 0, 10, EncodingLists::cbSkipLimit(), c);
}

QString WriteForceEncode(const EncodingSettings& s) { return BoolText(s.chForceEncode); }

void ReadForceEncode(EncodingSettings& s, const QString* v, const TProfileReadContext& c)
{
    s.chForceEncode = ReadBool(v, s.chForceEncode, c);
}

QList<TProfileKeys::Key> MakeKeys()
{
    return {
        {"VIDEO", "VideoCodec", WriteVideoCodec, ReadVideoCodec},
        {"VIDEO", "OutputFormat", WriteOutputFormat, ReadOutputFormat},
        {"VIDEO", "VideoBitrate", WriteVideoBitrate, ReadVideoBitrate},
        {"VIDEO", "VideoFPS", WriteVideoFPS, ReadVideoFPS},
        {"VIDEO", "VideoAspect", WriteVideoAspect, ReadVideoAspect},
        {"VIDEO", "Video2Pass", WriteVideo2Pass, ReadVideo2Pass},
        {"VIDEO", "EncoderThreads", WriteEncoderThreads, ReadEncoderThreads},
        {"VIDEO", "VideoPreset", WriteVideoPreset, ReadVideoPreset},
        {"AUDIO", "AudioBitrate", WriteAudioBitrate, ReadAudioBitrate},
        {"AUDIO", "AudioSampling", WriteAudioSampling, ReadAudioSampling},
        {"AUDIO", "AudioChannels", WriteAudioChannels, ReadAudioChannels},
        {"AUDIO", "AudioAlgoQuality", WriteAudioAlgoQuality, ReadAudioAlgoQuality},
        {"AUDIO", "AudioBitrateMode", WriteAudioBitrateMode, ReadAudioBitrateMode},
        {"AUDIO", "DoNotCopyAudio", WriteDoNotCopyAudio, ReadDoNotCopyAudio},
        {"ADVANCED", "Resolution", WriteResolution, ReadResolution},
        {"ADVANCED", "ResWidth", WriteResWidth, ReadResWidth},
        {"ADVANCED", "ResHeight", WriteResHeight, ReadResHeight},
        {"ADVANCED", "AdditionalParams", WriteAdditionalParams, ReadAdditionalParams},
        {"ADVANCED", "Interlacing", WriteInterlacing, ReadInterlacing},
        {"ADVANCED", "Brightness", WriteBrightness, ReadBrightness},
        {"ADVANCED", "BrightnessValue", WriteBrightnessValue, ReadBrightnessValue},
        {"ADVANCED", "Saturation", WriteSaturation, ReadSaturation},
        {"ADVANCED", "SaturationValue", WriteSaturationValue, ReadSaturationValue},
        {"ADVANCED", "FlipHorizontal", WriteFlipHorizontal, ReadFlipHorizontal},
        {"ADVANCED", "FlipVertical", WriteFlipVertical, ReadFlipVertical},
        {"ADVANCED", "Rotate", WriteRotate, ReadRotate},
        {"ADVANCED", "RotateDirection", WriteRotateDirection, ReadRotateDirection},
        {"ADVANCED", "SkipLimit", WriteSkipLimit, ReadSkipLimit},
        {"ADVANCED", "SkipLimitValue", WriteSkipLimitValue, ReadSkipLimitValue},
        {"ADVANCED", "ForceEncodeDupFrames", WriteForceEncode, ReadForceEncode},
    };
}

} // namespace

const QList<TProfileKeys::Key>& TProfileKeys::All()
{
    static const QList<Key> keys = MakeKeys();
    return keys;
}

const TProfileKeys::Key* TProfileKeys::Find(const QString& name)
{
    for (const Key& key : All()) {
        if (name.compare(QLatin1String(key.Name), Qt::CaseInsensitive) == 0)
            return &key;
    }
    return nullptr;
}
