#include "settings/ProfileKeys.h"

#include "encoding/CmdLineBuilder.h"
#include "encoding/CopyParams.h"
#include "encoding/SettingsRules.h"
#include "lib/Conversion.h"

#include <cmath>

namespace {

using S = EncodingSettings;
using K = KeyTable::Rows<S, TProfileReadContext>;
using KeyTable::IndexText;
using KeyTable::Quoted;

const QString AutoText = QStringLiteral("Auto");

// The items of a fixed list, for warnings.
K::Items List(QStringList (*items)())
{
    return [items](const S&) { return items(); };
}

// A track bar position stored as an integer; outside lo..hi gives fallback.
K::Key Position(const char* name, double S::*member, double lo, double hi, int fallback)
{
    return K::Custom(
        "ADVANCED", name, TKeyType::Integer, [member](const S& s) { return QString::number(RoundHalfEven(s.*member)); },
        [member, lo, hi, fallback](S& s, const QString* v, const TProfileReadContext& c) {
            const int read = K::ReadInt(v, RoundHalfEven(s.*member), c, QString::number(s.*member));
            if (read >= lo && read <= hi) {
                s.*member = read;
                return;
            }
            K::Fallback(c, v, QStringLiteral("outside %1..%2").arg(lo).arg(hi), QString::number(fallback));
            s.*member = fallback;
        },
        // the whole numbers inside lo..hi
        QStringLiteral("%1..%2").arg(int(std::ceil(lo))).arg(int(std::floor(hi))));
}

// A spin box takes any integer and keeps it inside its own range.
K::Key Spin(const char* name, double S::*member)
{
    return K::Custom(
        "ADVANCED", name, TKeyType::Integer, [member](const S& s) { return QString::number(RoundHalfEven(s.*member)); },
        [member](S& s, const QString* v, const TProfileReadContext& c) {
            const int lo = EncodingLists::ResWidthMin, hi = EncodingLists::ResWidthMax;
            const int read = K::ReadInt(v, RoundHalfEven(s.*member), c, QString::number(s.*member));
            const int value = std::clamp(read, lo, hi);
            if (value != read)
                K::Fallback(c, v, QStringLiteral("outside %1..%2").arg(lo).arg(hi), QString::number(value));
            s.*member = value;
        },
        QStringLiteral("%1..%2").arg(EncodingLists::ResWidthMin).arg(EncodingLists::ResWidthMax));
}

// Sets an editable drop-down's text; the list shows the matching item selected.
void SetEditText(EditableListValue& box, const QString& text, const QStringList& items)
{
    box.Text = text;
    box.Index = items.indexOf(text);
}

// Bit rates and sampling rates: a whole number is kept (an empty value is written for
// anything else), anything else becomes "Auto".
K::Key WholeNumber(const char* section, const char* name, EditableListValue S::*member, QStringList (*items)(),
                   const char* unit)
{
    return K::Custom(
        section, name, TKeyType::Integer,
        [member](const S& s) { return IsWholeNumberText((s.*member).Text) ? (s.*member).Text : QString(); },
        [member, items](S& s, const QString* v, const TProfileReadContext& c) {
            EditableListValue& box = s.*member;
            const QString text = v ? *v : box.Text;
            if (IsWholeNumberText(text)) {
                SetEditText(box, text, items());
                return;
            }
            if (!text.isEmpty() && !IsAutoText(text))
                K::Fallback(c, v, QStringLiteral("not a whole number"), Quoted(AutoText));
            SetEditText(box, AutoText, items());
        },
        QStringLiteral("Auto or a whole number (%1)").arg(QLatin1String(unit)));
}

// The codec by name ("Xvid", "H.264", "x264"; case, blanks, dots and dashes ignored) or
// by list index; anything else gives the options dialog's default encoder.
void ReadVideoCodec(S& s, const QString* v, const TProfileReadContext& c)
{
    const QStringList items = EncodingLists::videoCodec();
    const int fallback = c.DefaultVideoCodec == 1 ? 1 : 0;
    const QString text = v ? *v : QStringLiteral("XVID");
    int index = 0;
    if (TryStrToInt(text, index)) {
        if (index < 0 || index >= items.size()) {
            K::Fallback(c, v, QStringLiteral("not an index of the list"), IndexText(items, fallback));
            index = fallback;
        }
        s.videoCodec = index;
        return;
    }
    QString name = text.toUpper();
    name.remove(QLatin1Char(' ')).remove(QLatin1Char('.')).remove(QLatin1Char('-'));
    if (name == QLatin1String("XVID")) {
        s.videoCodec = 0;
    } else if (name == QLatin1String("H264") || name == QLatin1String("X264")) {
        s.videoCodec = 1;
    } else {
        K::Fallback(c, v, QStringLiteral("unknown video codec"), IndexText(items, fallback));
        s.videoCodec = fallback;
    }
}

void ReadOutputFormat(S& s, const QString* v, const TProfileReadContext& c)
{
    if (!v)
        return;
    const std::optional<TContainer> container = ContainerFromWord(*v);
    if (!container)
        K::Fallback(c, v, QStringLiteral("not one of ") + ContainerWords().join(QLatin1Char('|')),
                    IndexText(EncodingLists::cbOutputFormat(), 0));
    s.container = container.value_or(TContainer::Avi);
}

QString WriteVideoAspect(const S& s)
{
    const QString text = s.videoAspect.Text.trimmed();
    return text == AutoText ? QString() : text;
}

void ReadVideoAspect(S& s, const QString* v, const TProfileReadContext& c)
{
    const QString text = v ? *v : s.videoAspect.Text;
    const bool valid = !text.isEmpty() && IsValidAspect(text);
    if (!valid && !text.isEmpty() && !IsAutoText(text))
        K::Fallback(c, v, QStringLiteral("not an aspect"), Quoted(AutoText));
    SetEditText(s.videoAspect, valid ? text : AutoText, EncodingLists::videoAspect());
}

QList<TProfileKeys::Key> MakeKeys()
{
    return {
        K::Custom("VIDEO", "VideoCodec", TKeyType::Word,
                  [](const S& s) { return s.videoCodec == 1 ? QStringLiteral("H.264") : QStringLiteral("Xvid"); },
                  ReadVideoCodec, QStringLiteral("Xvid|H.264|x264, or the index 0|1")),
        K::Custom("VIDEO", "OutputFormat", TKeyType::Word,
                  [](const S& s) { return QString(ContainerRow(s.container).Word); }, ReadOutputFormat,
                  ContainerWords().join(QLatin1Char('|'))),
        WholeNumber("VIDEO", "VideoBitrate", &S::videoBitrate, EncodingLists::videoBitrate, "kbit/s"),
        K::Custom("VIDEO", "VideoFPS", TKeyType::Text,
                  [](const S& s) { return s.frameRate.Text == AutoText ? QString() : s.frameRate.Text; },
                  [](S& s, const QString* v, const TProfileReadContext&) {
                      if (v)
                          SetEditText(s.frameRate, v->isEmpty() ? AutoText : *v, EncodingLists::frameRate());
                  },
                  QStringLiteral("empty for Auto, or frames per second (25, 29.97)")),
        K::Custom("VIDEO", "VideoAspect", TKeyType::Text, WriteVideoAspect, ReadVideoAspect,
                  QStringLiteral("Auto, W:H or a ratio (16:9, 1.85)")),
        K::Bool("VIDEO", "Video2Pass", &S::twoPass),
        K::Clamped("VIDEO", "EncoderThreads", &S::threads, 0, 16, List(EncodingLists::threads)),
        K::Clamped("VIDEO", "VideoPreset", &S::preset, 0, 9, List(EncodingLists::preset)),

        WholeNumber("AUDIO", "AudioBitrate", &S::audioBitrate, EncodingLists::audioBitrate, "kbit/s"),
        WholeNumber("AUDIO", "AudioSampling", &S::sampleRate, EncodingLists::sampleRate, "Hz"),
        K::Unchecked("AUDIO", "AudioChannels", &S::audioChannels, List(EncodingLists::audioChannels)),
        K::Clamped("AUDIO", "AudioAlgoQuality", &S::audioQuality, 0, 10, List(EncodingLists::audioQuality)),
        K::Word("AUDIO", "AudioBitrateMode", &S::audioRateMode, "CBR", "ABR", List(EncodingLists::audioRateMode)),
        K::Bool("AUDIO", "DoNotCopyAudio", &S::noAudio),

        // The list is the home's own (data/resolutions.txt).
        K::Described(K::Unchecked("ADVANCED", "Resolution", &S::resolution, [](const S& s) { return s.resolutionItems; }),
                     QStringLiteral("index of the home's resolution list, other: no selection")),
        Spin("ResWidth", &S::resolutionWidth),
        Spin("ResHeight", &S::resolutionHeight),
        // The memo's lines travel as one line; a double quote would end an INI value
        // written by other tools, so it is stored as an entity.
        K::Custom("ADVANCED", "AdditionalParams", TKeyType::Text,
                  [](const S& s) {
                      return GetAdditionalParamsStr(s).trimmed().replace(QLatin1Char('"'), QLatin1String("&quot;"));
                  },
                  [](S& s, const QString* v, const TProfileReadContext&) {
                      if (v)
                          s.extraParameters = QString(*v).replace(QLatin1String("&quot;"), QLatin1String("\""));
                  },
                  QStringLiteral("encoder options, one line")),
        K::Ranged("ADVANCED", "Interlacing", &S::interlacing, 0, 2, 0, List(EncodingLists::interlacing)),
        K::Bool("ADVANCED", "Brightness", &S::brightnessOn),
        Position("BrightnessValue", &S::brightness, EncodingLists::BrightnessMin, EncodingLists::BrightnessMax, 0),
        K::Bool("ADVANCED", "Saturation", &S::saturationOn),
        Position("SaturationValue", &S::saturation, EncodingLists::SaturationMin, EncodingLists::SaturationMax, 10),
        K::Bool("ADVANCED", "FlipHorizontal", &S::flipHorizontal),
        K::Bool("ADVANCED", "FlipVertical", &S::flipVertical),
        K::Bool("ADVANCED", "Rotate", &S::rotate),
        K::Word("ADVANCED", "RotateDirection", &S::rotateDirection, "right", "left", List(EncodingLists::rotateDirection)),
        K::Bool("ADVANCED", "SkipLimit", &S::skipLimitOn),
        K::Clamped("ADVANCED", "SkipLimitValue", &S::skipLimit, 0, 10, List(EncodingLists::skipLimit)),
        K::Bool("ADVANCED", "ForceEncodeDupFrames", &S::forceDuplicates),
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
    return KeyTable::Find(All(), name);
}
