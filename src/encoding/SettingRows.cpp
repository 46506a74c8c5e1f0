#include "encoding/SettingRows.h"

#include "encoding/CmdLineBuilder.h"
#include "encoding/SettingsRules.h"
#include "lib/Conversion.h"

#include <cmath>
#include <type_traits>

namespace {

using S = EncodingSettings;
using K = KeyTable::Rows<S, TProfileReadContext>;
using KeyTable::IndexText;
using KeyTable::Quoted;
using P = TSettingPanel;
using C = TControlKind;

const QString AutoText = QStringLiteral("Auto");

// ---- values: enumerations travel as their index ----

template <class T>
TSettingValue ToValue(const T& v)
{
    if constexpr (std::is_enum_v<T>)
        return int(v);
    else
        return v;
}

template <class T>
T FromValue(const TSettingValue& v)
{
    if constexpr (std::is_enum_v<T>)
        return static_cast<T>(std::get<int>(v));
    else
        return std::get<T>(v);
}

// ---- a row and its modifiers ----

template <class T>
TSettingRow Row(P panel, C kind, const char* id, const char* objectName, const char* caption, T S::*member,
                T def, TProfileKey key)
{
    TSettingRow r;
    r.Id = QLatin1String(id);
    r.Panel = panel;
    r.Kind = kind;
    r.ObjectName = QLatin1String(objectName);
    r.Caption = caption;
    r.Get = [member](const S& s) { return ToValue(s.*member); };
    r.Set = [member](S& s, const TSettingValue& v) { s.*member = FromValue<T>(v); };
    r.Reset = [member, def](S& s, int) { s.*member = def; };
    r.Key = std::move(key);
    return r;
}

TSettingRow Items(TSettingRow r, QStringList (*items)())
{
    r.Items = [items](const S&) { return items(); };
    r.ShownTranslated = r.Kind == C::List;
    return r;
}

TSettingRow EnabledWhen(TSettingRow r, std::function<bool(const S&)> when)
{
    r.EnabledWhen = std::move(when);
    return r;
}

TSettingRow Range(TSettingRow r, double lo, double hi)
{
    r.Min = lo;
    r.Max = hi;
    return r;
}

TSettingRow Unit(TSettingRow r, const char* unit)
{
    r.Unit = unit;
    return r;
}

// An editable list: its items, the unit after it, and the check a pasted text must pass.
TSettingRow Editable(TSettingRow r, QStringList (*items)(), std::function<bool(const QString&)> accepts,
                     const char* unit = "")
{
    r = Unit(Items(std::move(r), items), unit);
    r.Accepts = std::move(accepts);
    return r;
}

bool IsX264(const S& s) { return s.videoCodec == TVideoCodec::X264; }
bool HasAudio(const S& s) { return !s.noAudio; }

// ---- profile keys ----

// The items of a fixed list, for warnings.
K::Items List(QStringList (*items)())
{
    return [items](const S&) { return items(); };
}

// A track bar position stored as an integer; outside lo..hi gives fallback.
TProfileKey Position(const char* name, double S::*member, double lo, double hi, int fallback)
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

// A spin box takes any integer and keeps it inside its own range lo..hi.
TProfileKey Spin(const char* section, const char* name, double S::*member, int lo, int hi)
{
    return K::Custom(
        section, name, TKeyType::Integer, [member](const S& s) { return QString::number(RoundHalfEven(s.*member)); },
        [member, lo, hi](S& s, const QString* v, const TProfileReadContext& c) {
            const int read = K::ReadInt(v, RoundHalfEven(s.*member), c, QString::number(s.*member));
            const int value = std::clamp(read, lo, hi);
            if (value != read)
                K::Fallback(c, v, QStringLiteral("outside %1..%2").arg(lo).arg(hi), QString::number(value));
            s.*member = value;
        },
        QStringLiteral("%1..%2").arg(lo).arg(hi));
}

TProfileKey Spin(const char* name, double S::*member)
{
    return Spin("ADVANCED", name, member, EncodingLists::ResWidthMin, EncodingLists::ResWidthMax);
}

// How the video's size is steered, as the list shows it and the profile stores it.
QStringList RateControls()
{
    //: How the video's size is steered: by a bit rate, or by a quality the encoder keeps
    return {QStringLiteral(QT_TRANSLATE_NOOP("Encoding", "Bit rate")), QStringLiteral(QT_TRANSLATE_NOOP("Encoding", "Quality"))};
}

bool ByBitrate(const S& s) { return !ByQuality(s); }

// Sets an editable drop-down's text; the list shows the matching item selected.
void SetEditText(EditableListValue& box, const QString& text, const QStringList& items)
{
    box.Text = text;
    box.Index = items.indexOf(text);
}

// Bit rates and sampling rates: a whole number is kept (an empty value is written for
// anything else), anything else becomes "Auto".
TProfileKey WholeNumber(const char* section, const char* name, EditableListValue S::*member,
                        QStringList (*items)(), const char* unit)
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
        s.videoCodec = TVideoCodec(index);
        return;
    }
    QString name = text.toUpper();
    name.remove(QLatin1Char(' ')).remove(QLatin1Char('.')).remove(QLatin1Char('-'));
    if (name == QLatin1String("XVID")) {
        s.videoCodec = TVideoCodec::Xvid;
    } else if (name == QLatin1String("H264") || name == QLatin1String("X264")) {
        s.videoCodec = TVideoCodec::X264;
    } else {
        K::Fallback(c, v, QStringLiteral("unknown video codec"), IndexText(items, fallback));
        s.videoCodec = TVideoCodec(fallback);
    }
}

void ReadOutputFormat(S& s, const QString* v, const TProfileReadContext& c)
{
    if (!v)
        return;
    const std::optional<TContainer> container = ContainerFromWord(*v);
    if (!container)
        K::Fallback(c, v, QStringLiteral("not one of ") + ContainerWords().join(QLatin1Char('|')),
                    IndexText(ContainerWords(), 0));
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

TProfileKey FrameRateKey()
{
    return K::Custom(
        "VIDEO", "VideoFPS", TKeyType::Text,
        [](const S& s) { return s.frameRate.Text == AutoText ? QString() : s.frameRate.Text; },
        [](S& s, const QString* v, const TProfileReadContext&) {
            if (v)
                SetEditText(s.frameRate, v->isEmpty() ? AutoText : *v, EncodingLists::frameRate());
        },
        QStringLiteral("empty for Auto, or frames per second (25, 29.97)"));
}

// The memo's lines travel as one line; a double quote would end an INI value written by
// other tools, so it is stored as an entity.
TProfileKey ExtraParametersKey()
{
    return K::Custom(
        "ADVANCED", "AdditionalParams", TKeyType::Text,
        [](const S& s) { return GetAdditionalParams(s).Text.trimmed().replace(QLatin1Char('"'), QLatin1String("&quot;")); },
        [](S& s, const QString* v, const TProfileReadContext&) {
            if (v)
                s.extraParameters = QString(*v).replace(QLatin1String("&quot;"), QLatin1String("\""));
        },
        QStringLiteral("encoder options, one line"));
}

// A filter's track bar: enabled by its check box, stored as a whole position, shown with
// its value label; a stored position outside lo..hi gives the default.
TSettingRow Slider(const char* id, const char* objectName, double S::*member, int def, const char* key, double lo,
                   double hi, QString (*valueText)(double, QChar), bool S::*switchedOnBy)
{
    TSettingRow r = Range(Row(P::Advanced, C::Slider, id, objectName, "", member, double(def),
                              Position(key, member, lo, hi, def)),
                          lo, hi);
    r.ValueText = [valueText](double position) { return valueText(position, QChar()); };
    return EnabledWhen(r, [switchedOnBy](const S& s) { return s.*switchedOnBy; });
}

// A list choice stored as its item's text ("film"), read in any letter case; a word the
// list does not have gives its first item.
TProfileKey ItemWord(const char* section, const char* name, int S::*member, QStringList (*items)())
{
    return K::Custom(
        section, name, TKeyType::Word, [member, items](const S& s) { return EncodingLists::ItemText(items(), s.*member); },
        [member, items](S& s, const QString* v, const TProfileReadContext& c) {
            if (!v)
                return;
            const QStringList list = items();
            int index = int(list.size()) - 1;
            while (index >= 0 && list.at(index).compare(v->trimmed(), Qt::CaseInsensitive) != 0)
                --index;
            if (index < 0)
                K::Fallback(c, v, QStringLiteral("not one of ") + list.join(QLatin1Char('|')), Quoted(list.first()));
            s.*member = std::max(index, 0);
        },
        items().join(QStringLiteral(", ")));
}

QStringList X264Tunes()
{
    return {QStringLiteral("Auto"), QStringLiteral("film"), QStringLiteral("animation"), QStringLiteral("grain"),
            QStringLiteral("stillimage"), QStringLiteral("psnr"), QStringLiteral("ssim"), QStringLiteral("fastdecode"),
            QStringLiteral("zerolatency")};
}

bool IsValidAspectText(const QString& text) { return IsValidAspect(text); }

const EditableListValue AutoItem{0, AutoText};

// Captions and units stay English here and are only marked for the catalogue: the panels
// translate them where they show them, in the context "SettingRows".
QList<TSettingRow> MakeRows()
{
    TSettingRow codec = Items(Row(P::Video, C::List, "videoCodec", "cbAviVideoCodec", QT_TRANSLATE_NOOP("SettingRows", "Video codec:"),
                                  &S::videoCodec, TVideoCodec::Xvid,
                                  K::Custom("VIDEO", "VideoCodec", TKeyType::Word,
                                            [](const S& s) { return IsX264(s) ? QStringLiteral("H.264") : QStringLiteral("Xvid"); },
                                            ReadVideoCodec, QStringLiteral("Xvid|H.264|x264, or the index 0|1"))),
                              EncodingLists::videoCodec);
    codec.Reset = [](S& s, int defaultVideoCodec) {
        s.videoCodec = defaultVideoCodec == 1 ? TVideoCodec::X264 : TVideoCodec::Xvid;
    };

    return {
        // ---- "VIDEO" ----
        codec,
        Items(Row(P::Video, C::List, "container", "cbOutputFormat", QT_TRANSLATE_NOOP("SettingRows", "Output format:"),
                  &S::container, TContainer::Avi,
                  K::Custom("VIDEO", "OutputFormat", TKeyType::Word,
                            [](const S& s) { return QString(ContainerRow(s.container).Word); }, ReadOutputFormat,
                            ContainerWords().join(QLatin1Char('|')))),
              ContainerWords),
        //: How the video's size is steered (a list: bit rate or quality)
        Items(Row(P::Video, C::List, "videoRateControl", "cbVideoRateControl", QT_TRANSLATE_NOOP("SettingRows", "Size by:"),
                  &S::videoRateControl, RateByBitrate, ItemWord("VIDEO", "VideoRateControl", &S::videoRateControl, RateControls)),
              RateControls),
        EnabledWhen(Editable(Row(P::Video, C::EditableList, "videoBitrate", "cbAviVideoBitrate", QT_TRANSLATE_NOOP("SettingRows", "Bitrate:"),
                                 &S::videoBitrate, AutoItem,
                                 WholeNumber("VIDEO", "VideoBitrate", &S::videoBitrate, EncodingLists::videoBitrate, "kbit/s")),
                             EncodingLists::videoBitrate, IsWholeNumberText, QT_TRANSLATE_NOOP("SettingRows", "kbit/s")),
                    ByBitrate),
        //: x264's constant rate factor: lower is better and larger (18 looks like the source, 28 is small)
        EnabledWhen(Range(Row(P::Video, C::Spin, "x264Quality", "spedX264Quality", QT_TRANSLATE_NOOP("SettingRows", "Quality (H.264):"),
                              &S::x264Quality, 22.0, Spin("VIDEO", "X264Quality", &S::x264Quality, 0, 51)),
                          0, 51),
                    [](const S& s) { return ByQuality(s) && IsX264(s); }),
        //: Xvid's fixed quantizer: lower is better and larger (2 looks like the source, 6 is small)
        EnabledWhen(Range(Row(P::Video, C::Spin, "xvidQuality", "spedXvidQuality", QT_TRANSLATE_NOOP("SettingRows", "Quality (Xvid):"),
                              &S::xvidQuality, 4.0, Spin("VIDEO", "XvidQuality", &S::xvidQuality, 1, 31)),
                          1, 31),
                    [](const S& s) { return ByQuality(s) && !IsX264(s); }),
        Editable(Row(P::Video, C::EditableList, "frameRate", "cbAviVideoFPS", QT_TRANSLATE_NOOP("SettingRows", "Frames per sec.:"),
                     &S::frameRate, AutoItem, FrameRateKey()),
                 EncodingLists::frameRate, IsDecimalNumberText),
        //: The picture's display aspect ratio (16:9, 4:3)
        Editable(Row(P::Video, C::EditableList, "videoAspect", "cbAviVideoAspect", QT_TRANSLATE_NOOP("SettingRows", "Aspect:"),
                     &S::videoAspect, AutoItem,
                     K::Custom("VIDEO", "VideoAspect", TKeyType::Text, WriteVideoAspect, ReadVideoAspect,
                               QStringLiteral("Auto, W:H or a ratio (16:9, 1.85)"))),
                 EncodingLists::videoAspect, IsValidAspectText),
        EnabledWhen(Row(P::Video, C::Check, "twoPass", "chAviVideo2Pass", QT_TRANSLATE_NOOP("SettingRows", "2-pass encoding"),
                        &S::twoPass, false, K::Bool("VIDEO", "Video2Pass", &S::twoPass)),
                    ByBitrate),
        EnabledWhen(Items(Row(P::Video, C::List, "threads", "cbAviVideoThreads", QT_TRANSLATE_NOOP("SettingRows", "Threads:"),
                              &S::threads, 0,
                              K::Clamped("VIDEO", "EncoderThreads", &S::threads, 0, 16, List(EncodingLists::threads))),
                          EncodingLists::threads),
                    IsX264),
        //: x264's speed preset (ultrafast ... placebo)
        EnabledWhen(Items(Row(P::Video, C::List, "preset", "cbVideoPreset", QT_TRANSLATE_NOOP("SettingRows", "Preset:"),
                              &S::preset, TX264Preset::Auto,
                              K::Clamped("VIDEO", "VideoPreset", &S::preset, 0, 9, List(EncodingLists::preset))),
                          EncodingLists::preset),
                    IsX264),
        //: x264's tuning for a kind of picture (film, animation, grain)
        EnabledWhen(Items(Row(P::Video, C::List, "x264Tune", "cbVideoTune", QT_TRANSLATE_NOOP("SettingRows", "Tune:"), &S::x264Tune, 0,
                              ItemWord("VIDEO", "VideoTune", &S::x264Tune, X264Tunes)),
                          X264Tunes),
                    IsX264),

        // ---- "AUDIO" ----
        EnabledWhen(Editable(Row(P::Audio, C::EditableList, "audioBitrate", "cbAudioBitrate",
                                 QT_TRANSLATE_NOOP("SettingRows", "Bitrate:"), &S::audioBitrate, AutoItem,
                                 WholeNumber("AUDIO", "AudioBitrate", &S::audioBitrate, EncodingLists::audioBitrate, "kbit/s")),
                             EncodingLists::audioBitrate, IsWholeNumberText, QT_TRANSLATE_NOOP("SettingRows", "kbit/s")),
                    HasAudio),
        EnabledWhen(Editable(Row(P::Audio, C::EditableList, "sampleRate", "cbAudioSampling",
                                 QT_TRANSLATE_NOOP("SettingRows", "Sampling freq.:"), &S::sampleRate, AutoItem,
                                 WholeNumber("AUDIO", "AudioSampling", &S::sampleRate, EncodingLists::sampleRate, "Hz")),
                             EncodingLists::sampleRate, IsWholeNumberText, QT_TRANSLATE_NOOP("SettingRows", "Hz")),
                    HasAudio),
        EnabledWhen(Items(Row(P::Audio, C::List, "audioChannels", "cbAudioChannels", QT_TRANSLATE_NOOP("SettingRows", "Channels:"),
                              &S::audioChannels, 0,
                              K::Unchecked("AUDIO", "AudioChannels", &S::audioChannels, List(EncodingLists::audioChannels))),
                          EncodingLists::audioChannels),
                    HasAudio),
        //: The MP3 encoder's algorithm quality: 0 best and slowest, 9 fastest
        EnabledWhen(Items(Row(P::Audio, C::List, "audioQuality", "cbAudioAlgoQuality",
                              QT_TRANSLATE_NOOP("SettingRows", "Algorithm quality:"), &S::audioQuality, 0,
                              K::Clamped("AUDIO", "AudioAlgoQuality", &S::audioQuality, 0, 10, List(EncodingLists::audioQuality))),
                          EncodingLists::audioQuality),
                    HasAudio),
        EnabledWhen(Items(Row(P::Audio, C::List, "audioRateMode", "cbAudioBitrateMode", QT_TRANSLATE_NOOP("SettingRows", "Bitrate mode:"),
                              &S::audioRateMode, TAudioRateMode::Cbr,
                              K::Word("AUDIO", "AudioBitrateMode", &S::audioRateMode, "CBR", "ABR", List(EncodingLists::audioRateMode))),
                          EncodingLists::audioRateMode),
                    HasAudio),
        Row(P::Audio, C::Check, "noAudio", "chAudioDontCopy", QT_TRANSLATE_NOOP("SettingRows", "No audio"), &S::noAudio, false,
            K::Bool("AUDIO", "DoNotCopyAudio", &S::noAudio)),

        // ---- "ADVANCED" ----
        [] {
            // The list is the home's own (data/resolutions.txt).
            TSettingRow r = Row(P::Advanced, C::List, "resolution", "cbResolution", "", &S::resolution, 0,
                                K::Described(K::Unchecked("ADVANCED", "Resolution", &S::resolution,
                                                          [](const S& s) { return s.resolutionItems; }),
                                             QStringLiteral("index of the home's resolution list, other: no selection")));
            r.Items = [](const S& s) { return s.resolutionItems; };
            return r;
        }(),
        EnabledWhen(Range(Row(P::Advanced, C::Spin, "resolutionWidth", "spedResWidth", QT_TRANSLATE_NOOP("SettingRows", "Width:"),
                              &S::resolutionWidth, 854.0,
                              Spin("ResWidth", &S::resolutionWidth)),
                          EncodingLists::ResWidthMin, EncodingLists::ResWidthMax),
                    [](const S& s) { return s.resolution == 1; }),
        EnabledWhen(Range(Row(P::Advanced, C::Spin, "resolutionHeight", "spedResHeight", QT_TRANSLATE_NOOP("SettingRows", "Height:"),
                              &S::resolutionHeight, 480.0,
                              Spin("ResHeight", &S::resolutionHeight)),
                          EncodingLists::ResWidthMin, EncodingLists::ResWidthMax),
                    [](const S& s) { return s.resolution == 1; }),
        Row(P::Advanced, C::Memo, "extraParameters", "meParams",
            QT_TRANSLATE_NOOP("SettingRows", "Additional encoder command-line parameters:"), &S::extraParameters, QString(),
            ExtraParametersKey()),
        Items(Row(P::Advanced, C::List, "interlacing", "cbInterlacing", QT_TRANSLATE_NOOP("SettingRows", "Deinterlacing:"),
                  &S::interlacing, 0,
                  K::Ranged("ADVANCED", "Interlacing", &S::interlacing, 0, 2, 0, List(EncodingLists::interlacing))),
              EncodingLists::interlacing),
        Row(P::Advanced, C::Check, "brightnessOn", "chBrightness", QT_TRANSLATE_NOOP("SettingRows", "Brightness:"), &S::brightnessOn, false,
            K::Bool("ADVANCED", "Brightness", &S::brightnessOn)),
        Slider("brightness", "tbBrightness", &S::brightness, 0, "BrightnessValue", EncodingLists::BrightnessMin,
               EncodingLists::BrightnessMax, BrightnessValueText, &S::brightnessOn),
        Row(P::Advanced, C::Check, "saturationOn", "chSaturation", QT_TRANSLATE_NOOP("SettingRows", "Saturation:"), &S::saturationOn, false,
            K::Bool("ADVANCED", "Saturation", &S::saturationOn)),
        Slider("saturation", "tbSaturation", &S::saturation, 10, "SaturationValue", EncodingLists::SaturationMin,
               EncodingLists::SaturationMax, SaturationValueText, &S::saturationOn),
        Row(P::Advanced, C::Check, "flipHorizontal", "chFlipHorizontal", QT_TRANSLATE_NOOP("SettingRows", "Flip horizontal"),
            &S::flipHorizontal, false, K::Bool("ADVANCED", "FlipHorizontal", &S::flipHorizontal)),
        Row(P::Advanced, C::Check, "flipVertical", "chFlipVertical", QT_TRANSLATE_NOOP("SettingRows", "Flip vertical"),
            &S::flipVertical, false, K::Bool("ADVANCED", "FlipVertical", &S::flipVertical)),
        Row(P::Advanced, C::Check, "rotate", "chRotate", QT_TRANSLATE_NOOP("SettingRows", "Rotate by 90°:"), &S::rotate, false,
            K::Bool("ADVANCED", "Rotate", &S::rotate)),
        EnabledWhen(Items(Row(P::Advanced, C::List, "rotateDirection", "cbRotate", "", &S::rotateDirection, 0,
                              K::Word("ADVANCED", "RotateDirection", &S::rotateDirection, "right", "left",
                                      List(EncodingLists::rotateDirection))),
                          EncodingLists::rotateDirection),
                    [](const S& s) { return s.rotate; }),
        //: A check box; the number of frames the encoder may drop follows it
        Row(P::Advanced, C::Check, "skipLimitOn", "chSkipLimit", QT_TRANSLATE_NOOP("SettingRows", "Maximum number of skipped frames:"),
            &S::skipLimitOn, true,
            K::Bool("ADVANCED", "SkipLimit", &S::skipLimitOn)),
        EnabledWhen(Items(Row(P::Advanced, C::List, "skipLimit", "cbSkipLimit", "", &S::skipLimit, 1,
                              K::Clamped("ADVANCED", "SkipLimitValue", &S::skipLimit, 0, 10, List(EncodingLists::skipLimit))),
                          EncodingLists::skipLimit),
                    [](const S& s) { return s.skipLimitOn; }),
        Row(P::Advanced, C::Check, "forceDuplicates", "chForceEncode", QT_TRANSLATE_NOOP("SettingRows", "Force encoding of duplicate frames"),
            &S::forceDuplicates, true, K::Bool("ADVANCED", "ForceEncodeDupFrames", &S::forceDuplicates)),
    };
}

} // namespace

const QList<TSettingRow>& SettingRows()
{
    static const QList<TSettingRow> rows = MakeRows();
    return rows;
}

const TSettingRow* FindSettingRow(QStringView id)
{
    for (const TSettingRow& row : SettingRows()) {
        if (row.Id == id)
            return &row;
    }
    return nullptr;
}

QList<const TSettingRow*> PanelRows(TSettingPanel panel)
{
    QList<const TSettingRow*> rows;
    for (const TSettingRow& row : SettingRows()) {
        if (row.Panel == panel)
            rows << &row;
    }
    return rows;
}

bool IsSettingEnabled(const TSettingRow& row, const EncodingSettings& s)
{
    return !row.EnabledWhen || row.EnabledWhen(s);
}

QString SelectedItem(QStringView id, const EncodingSettings& s)
{
    const TSettingRow* row = FindSettingRow(id);
    if (!row || row->Kind != TControlKind::List)
        return QString();
    return EncodingLists::ItemText(row->Items(s), std::get<int>(row->Get(s)));
}

TPanelCopy CopyPanel(const EncodingSettings& s, TSettingPanel panel)
{
    TPanelCopy copy{panel, s};
    for (const TSettingRow* row : PanelRows(panel)) {
        if (row->Kind == TControlKind::Spin || row->Kind == TControlKind::Slider)
            row->Set(copy.Values, double(RoundHalfEven(std::get<double>(row->Get(s)))));
    }
    return copy;
}

void PastePanel(EncodingSettings& s, const TPanelCopy& copy)
{
    for (const TSettingRow* row : PanelRows(copy.Panel)) {
        TSettingValue value = row->Get(copy.Values);
        if (row->Kind == TControlKind::EditableList) {
            const EditableListValue copied = std::get<EditableListValue>(value);
            EditableListValue pasted;
            pasted.SetIndex(copied.Index, row->Items(s));
            pasted.Text = row->Accepts(copied.Text) ? copied.Text : AutoText;
            if (pasted.Text == AutoText)
                pasted.Index = 0;
            value = pasted;
        }
        row->Set(s, value);
    }
}

void ResetPanel(EncodingSettings& s, TSettingPanel panel, int defaultVideoCodec)
{
    for (const TSettingRow* row : PanelRows(panel))
        row->Reset(s, defaultVideoCodec);
}

void SetDefaultParams(EncodingSettings& s, int defaultVideoCodec)
{
    for (const TSettingRow& row : SettingRows())
        row.Reset(s, defaultVideoCodec);
}
