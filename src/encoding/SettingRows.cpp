#include "encoding/SettingRows.h"

#include "encoding/CmdLineBuilder.h"
#include "encoding/SettingsRules.h"
#include "encoding/TrackChoice.h"
#include "encoding/VideoCodecs.h"
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
TSettingRow Row(P panel, C kind, const char* id, const char* objectName, const char* caption, const char* help,
                T S::*member, T def, TProfileKey key)
{
    TSettingRow r;
    r.Id = QLatin1String(id);
    r.Panel = panel;
    r.Kind = kind;
    r.ObjectName = QLatin1String(objectName);
    r.Caption = caption;
    r.Help = help;
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

TSettingRow Captions(TSettingRow r, QStringList (*captions)())
{
    r.ItemCaptions = captions;
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
// The codecs whose encoder takes a speed preset and a thread count: all but Xvid.
bool HasPreset(const S& s) { return s.videoCodec != TVideoCodec::Xvid; }
bool HasAudio(const S& s) { return !s.noAudio; }
bool HasMp3(const S& s) { return !s.noAudio && s.audioCodec == TAudioCodec::Mp3; }

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

// The codec by name ("Xvid", "H.264", "x264", "HEVC", "H.265", "x265", "AV1"; case, blanks,
// dots and dashes ignored) or by list index; anything else gives the options dialog's
// default encoder.
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
    } else if (name == QLatin1String("HEVC") || name == QLatin1String("H265") || name == QLatin1String("X265")) {
        s.videoCodec = TVideoCodec::Hevc;
    } else if (name == QLatin1String("AV1")) {
        s.videoCodec = TVideoCodec::Av1;
    } else {
        K::Fallback(c, v, QStringLiteral("unknown video codec"), IndexText(items, fallback));
        s.videoCodec = TVideoCodec(fallback);
    }
}

QString VideoCodecWord(const S& s)
{
    return QString(VideoCodecRow(s.videoCodec).Word);
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
TSettingRow Slider(const char* id, const char* objectName, const char* help, double S::*member, int def,
                   const char* key, double lo, double hi, QString (*valueText)(double, QChar), bool S::*switchedOnBy)
{
    TSettingRow r = Range(Row(P::Advanced, C::Slider, id, objectName, "", help, member, double(def),
                              Position(key, member, lo, hi, def)),
                          lo, hi);
    r.ValueText = [valueText](double position) { return valueText(position, QChar()); };
    return EnabledWhen(r, [switchedOnBy](const S& s) { return s.*switchedOnBy; });
}

// A list choice stored as its item's text ("film"), read in any letter case; a word the
// list does not have gives its first item.
template <class T>
TProfileKey ItemWord(const char* section, const char* name, T S::*member, QStringList (*items)())
{
    return K::Custom(
        section, name, TKeyType::Word,
        [member, items](const S& s) { return EncodingLists::ItemText(items(), int(s.*member)); },
        [member, items](S& s, const QString* v, const TProfileReadContext& c) {
            if (!v)
                return;
            const QStringList list = items();
            int index = int(list.size()) - 1;
            while (index >= 0 && list.at(index).compare(v->trimmed(), Qt::CaseInsensitive) != 0)
                --index;
            if (index < 0)
                K::Fallback(c, v, QStringLiteral("not one of ") + list.join(QLatin1Char('|')), Quoted(list.first()));
            s.*member = T(std::max(index, 0));
        },
        items().join(QStringLiteral(", ")));
}

// A list of languages: empty for Auto; a text that names none gives Auto.
TProfileKey LanguageListKey(const char* section, const char* name, EditableListValue S::*member)
{
    return K::Custom(
        section, name, TKeyType::Text,
        [member](const S& s) { return IsAutoText((s.*member).Text) ? QString() : (s.*member).Text.trimmed(); },
        [member](S& s, const QString* v, const TProfileReadContext& c) {
            if (!v)
                return;
            const bool valid = IsLanguageListText(*v) && !v->trimmed().isEmpty();
            if (!valid && !v->trimmed().isEmpty())
                K::Fallback(c, v, QStringLiteral("not a list of languages"), Quoted(AutoText));
            SetEditText(s.*member, valid ? v->trimmed() : AutoText, EncodingLists::languages());
        },
        QStringLiteral("empty for Auto, or languages (de, en, German)"));
}

// The subtitle modes as profiles store them.
QStringList SubtitleWords()
{
    return {QStringLiteral("none"), QStringLiteral("language"), QStringLiteral("forced"), QStringLiteral("beside")};
}

QStringList X264Tunes()
{
    return {QStringLiteral("Auto"), QStringLiteral("film"), QStringLiteral("animation"), QStringLiteral("grain"),
            QStringLiteral("stillimage"), QStringLiteral("psnr"), QStringLiteral("ssim"), QStringLiteral("fastdecode"),
            QStringLiteral("zerolatency")};
}

bool IsValidAspectText(const QString& text) { return IsValidAspect(text); }

const EditableListValue AutoItem{0, AutoText};

// Captions, help and units stay English here and are only marked for the catalogue: the
// panels and --help translate them where they show them, in the context "SettingRows".
QList<TSettingRow> MakeRows()
{
    TSettingRow codec = Items(Row(P::Video, C::List, "videoCodec", "cbAviVideoCodec", QT_TRANSLATE_NOOP("SettingRows", "Video codec:"),
                                  QT_TRANSLATE_NOOP("SettingRows", "Xvid plays almost anywhere; H.264 looks better at the same "
                                                                   "size, HEVC and AV1 better still but slower (FFmpeg makes them)."),
                                  &S::videoCodec, TVideoCodec::Xvid,
                                  K::Custom("VIDEO", "VideoCodec", TKeyType::Word, VideoCodecWord, ReadVideoCodec,
                                            QStringLiteral("Xvid|H.264|x264|HEVC|H.265|x265|AV1, or the index 0..3"))),
                              EncodingLists::videoCodec);
    codec.Reset = [](S& s, int defaultVideoCodec) {
        s.videoCodec = defaultVideoCodec == 1 ? TVideoCodec::X264 : TVideoCodec::Xvid;
    };

    return {
        // ---- "VIDEO" ----
        codec,
        Items(Row(P::Video, C::List, "container", "cbOutputFormat", QT_TRANSLATE_NOOP("SettingRows", "Output format:"),
                  QT_TRANSLATE_NOOP("SettingRows", "The kind of file written: AVI for older players, MP4 for phones and"
                                                   " the web, MKV for computers."),
                  &S::container, TContainer::Avi,
                  K::Custom("VIDEO", "OutputFormat", TKeyType::Word,
                            [](const S& s) { return QString(ContainerRow(s.container).Word); }, ReadOutputFormat,
                            ContainerWords().join(QLatin1Char('|')))),
              ContainerWords),
        //: Which program converts the files (a list: Automatic, MEncoder, FFmpeg)
        Items(Row(P::Video, C::List, "encoder", "cbEncoder", QT_TRANSLATE_NOOP("SettingRows", "Encoder:"),
                  QT_TRANSLATE_NOOP("SettingRows", "The program that converts: Automatic uses MEncoder and FFmpeg for "
                                                   "the files MEncoder cannot convert faithfully; choose one to use it "
                                                   "for every file."),
                  &S::encoder, TEncoderChoice::Automatic,
                  ItemWord("VIDEO", "Encoder", &S::encoder, EncodingLists::encoder)),
              EncodingLists::encoder),
        //: How the video's size is steered (a list: bit rate or quality)
        Items(Row(P::Video, C::List, "videoRateControl", "cbVideoRateControl", QT_TRANSLATE_NOOP("SettingRows", "Size by:"),
                  QT_TRANSLATE_NOOP("SettingRows", "Bit rate gives a file size you can plan; Quality keeps the picture's "
                                                   "look and lets the size follow it, as most converters do."),
                  &S::videoRateControl, RateByBitrate, ItemWord("VIDEO", "VideoRateControl", &S::videoRateControl, RateControls)),
              RateControls),
        EnabledWhen(Editable(Row(P::Video, C::EditableList, "videoBitrate", "cbAviVideoBitrate", QT_TRANSLATE_NOOP("SettingRows", "Bitrate:"),
                                 QT_TRANSLATE_NOOP("SettingRows", "How many kilobits each second of video may take: more gives a "
                                                                  "better picture and a larger file; Auto chooses from the input."),
                                 &S::videoBitrate, AutoItem,
                                 WholeNumber("VIDEO", "VideoBitrate", &S::videoBitrate, EncodingLists::videoBitrate, "kbit/s")),
                             EncodingLists::videoBitrate, IsWholeNumberText, QT_TRANSLATE_NOOP("SettingRows", "kbit/s")),
                    ByBitrate),
        //: x264's constant rate factor: lower is better and larger (18 looks like the source, 28 is small)
        EnabledWhen(Range(Row(P::Video, C::Spin, "x264Quality", "spedX264Quality", QT_TRANSLATE_NOOP("SettingRows", "Quality (H.264):"),
                              QT_TRANSLATE_NOOP("SettingRows", "Lower numbers look better and make larger files: 18 looks like "
                                                               "the source, 22 is a good balance, 28 is small."),
                              &S::x264Quality, 22.0, Spin("VIDEO", "X264Quality", &S::x264Quality, 0, 51)),
                          0, 51),
                    [](const S& s) { return ByQuality(s) && IsX264(s); }),
        //: Xvid's fixed quantizer: lower is better and larger (2 looks like the source, 6 is small)
        EnabledWhen(Range(Row(P::Video, C::Spin, "xvidQuality", "spedXvidQuality", QT_TRANSLATE_NOOP("SettingRows", "Quality (Xvid):"),
                              QT_TRANSLATE_NOOP("SettingRows", "Lower numbers look better and make larger files: 2 looks like "
                                                               "the source, 4 is a good balance, 6 is small."),
                              &S::xvidQuality, 4.0, Spin("VIDEO", "XvidQuality", &S::xvidQuality, 1, 31)),
                          1, 31),
                    [](const S& s) { return ByQuality(s) && s.videoCodec == TVideoCodec::Xvid; }),
        //: x265's constant rate factor: lower is better and larger (22 looks like the source, 32 is small)
        EnabledWhen(Range(Row(P::Video, C::Spin, "hevcQuality", "spedHevcQuality", QT_TRANSLATE_NOOP("SettingRows", "Quality (HEVC):"),
                              QT_TRANSLATE_NOOP("SettingRows", "Lower numbers look better and make larger files: 22 looks like "
                                                               "the source, 28 is a good balance, 32 is small."),
                              &S::hevcQuality, 28.0, Spin("VIDEO", "HevcQuality", &S::hevcQuality, 0, 51)),
                          0, 51),
                    [](const S& s) { return ByQuality(s) && s.videoCodec == TVideoCodec::Hevc; }),
        //: SVT-AV1's constant rate factor: lower is better and larger (25 looks like the source, 45 is small)
        EnabledWhen(Range(Row(P::Video, C::Spin, "av1Quality", "spedAv1Quality", QT_TRANSLATE_NOOP("SettingRows", "Quality (AV1):"),
                              QT_TRANSLATE_NOOP("SettingRows", "Lower numbers look better and make larger files: 25 looks like "
                                                               "the source, 35 is a good balance, 45 is small."),
                              &S::av1Quality, 35.0, Spin("VIDEO", "Av1Quality", &S::av1Quality, 1, 63)),
                          1, 63),
                    [](const S& s) { return ByQuality(s) && s.videoCodec == TVideoCodec::Av1; }),
        Editable(Row(P::Video, C::EditableList, "frameRate", "cbAviVideoFPS", QT_TRANSLATE_NOOP("SettingRows", "Frames per sec.:"),
                     QT_TRANSLATE_NOOP("SettingRows", "Pictures per second in the output; Auto keeps the input's rate, "
                                                      "so change it only for a player that needs another."),
                     &S::frameRate, AutoItem, FrameRateKey()),
                 EncodingLists::frameRate, IsDecimalNumberText),
        //: The picture's display aspect ratio (16:9, 4:3)
        Editable(Row(P::Video, C::EditableList, "videoAspect", "cbAviVideoAspect", QT_TRANSLATE_NOOP("SettingRows", "Aspect:"),
                     QT_TRANSLATE_NOOP("SettingRows", "The picture's shape on screen (16:9 wide, 4:3 old TV); Auto "
                                                      "keeps the input's, so change it only when the picture looks "
                                                      "squeezed."),
                     &S::videoAspect, AutoItem,
                     K::Custom("VIDEO", "VideoAspect", TKeyType::Text, WriteVideoAspect, ReadVideoAspect,
                               QStringLiteral("Auto, W:H or a ratio (16:9, 1.85)"))),
                 EncodingLists::videoAspect, IsValidAspectText),
        EnabledWhen(Row(P::Video, C::Check, "twoPass", "chAviVideo2Pass", QT_TRANSLATE_NOOP("SettingRows", "2-pass encoding"),
                        QT_TRANSLATE_NOOP("SettingRows", "Encodes every file twice to spend the bitrate where the picture needs it:"
                                                         " better quality at the same size, but twice the time."),
                        &S::twoPass, false, K::Bool("VIDEO", "Video2Pass", &S::twoPass)),
                    // FFmpeg's SVT-AV1 keeps no pass log
                    [](const S& s) { return ByBitrate(s) && s.videoCodec != TVideoCodec::Av1; }),
        EnabledWhen(Items(Row(P::Video, C::List, "threads", "cbAviVideoThreads", QT_TRANSLATE_NOOP("SettingRows", "Threads:"),
                              QT_TRANSLATE_NOOP("SettingRows", "How many processor cores H.264, HEVC or AV1 encoding uses; Auto"
                                                               " suits the computer, fewer leave it free for other work."),
                              &S::threads, 0,
                              K::Clamped("VIDEO", "EncoderThreads", &S::threads, 0, 16, List(EncodingLists::threads))),
                          EncodingLists::threads),
                    HasPreset),
        //: The encoder's speed preset (ultrafast ... placebo), for H.264, HEVC and AV1
        EnabledWhen(Captions(Items(Row(P::Video, C::List, "preset", "cbVideoPreset", QT_TRANSLATE_NOOP("SettingRows", "Preset:"),
                                       QT_TRANSLATE_NOOP("SettingRows", "Slower presets make smaller files at the same quality; "
                                                                        "'medium' is a good balance."),
                                       &S::preset, TX264Preset::Auto,
                                       K::Clamped("VIDEO", "VideoPreset", &S::preset, 0, 9, List(EncodingLists::preset))),
                                   EncodingLists::preset),
                             EncodingLists::presetCaptions),
                    HasPreset),
        //: x264's tuning for a kind of picture (film, animation, grain)
        EnabledWhen(Captions(Items(Row(P::Video, C::List, "x264Tune", "cbVideoTune", QT_TRANSLATE_NOOP("SettingRows", "Tune:"),
                                       QT_TRANSLATE_NOOP("SettingRows", "Fits H.264 to a kind of picture, such as film, cartoons or "
                                                                        "grainy footage; Auto suits most videos."),
                                       &S::x264Tune, 0,
                                       ItemWord("VIDEO", "VideoTune", &S::x264Tune, X264Tunes)),
                                   X264Tunes),
                             EncodingLists::tuneCaptions),
                    IsX264),

        // ---- "AUDIO" ----
        //: The sound's codec (a list: MP3, AAC, Opus)
        EnabledWhen(Items(Row(P::Audio, C::List, "audioCodec", "cbAudioCodec", QT_TRANSLATE_NOOP("SettingRows", "Sound codec:"),
                              QT_TRANSLATE_NOOP("SettingRows", "MP3 plays everywhere; AAC sounds better at the same size "
                                                               "and suits MP4; Opus, smaller still, goes into MKV only "
                                                               "(FFmpeg makes AAC and Opus)."),
                              &S::audioCodec, TAudioCodec::Mp3,
                              ItemWord("AUDIO", "AudioCodec", &S::audioCodec, EncodingLists::audioCodec)),
                          EncodingLists::audioCodec),
                    HasAudio),
        EnabledWhen(Editable(Row(P::Audio, C::EditableList, "audioBitrate", "cbAudioBitrate",
                                 QT_TRANSLATE_NOOP("SettingRows", "Bitrate:"),
                                 QT_TRANSLATE_NOOP("SettingRows", "How many kilobits each second of MP3 sound takes: 128 to 192"
                                                                  " suits music; Auto chooses from the input."),
                                 &S::audioBitrate, AutoItem,
                                 WholeNumber("AUDIO", "AudioBitrate", &S::audioBitrate, EncodingLists::audioBitrate, "kbit/s")),
                             EncodingLists::audioBitrate, IsWholeNumberText, QT_TRANSLATE_NOOP("SettingRows", "kbit/s")),
                    HasAudio),
        EnabledWhen(Editable(Row(P::Audio, C::EditableList, "sampleRate", "cbAudioSampling",
                                 QT_TRANSLATE_NOOP("SettingRows", "Sampling freq.:"),
                                 QT_TRANSLATE_NOOP("SettingRows", "Sound samples per second; Auto keeps the input's rate, and "
                                                                  "44100 or 48000 play everywhere."),
                                 &S::sampleRate, AutoItem,
                                 WholeNumber("AUDIO", "AudioSampling", &S::sampleRate, EncodingLists::sampleRate, "Hz")),
                             EncodingLists::sampleRate, IsWholeNumberText, QT_TRANSLATE_NOOP("SettingRows", "Hz")),
                    HasAudio),
        EnabledWhen(Items(Row(P::Audio, C::List, "audioChannels", "cbAudioChannels", QT_TRANSLATE_NOOP("SettingRows", "Channels:"),
                              QT_TRANSLATE_NOOP("SettingRows", "How the MP3 stores the sound's channels; Auto lets the "
                                                               "encoder choose, and Mono suits speech and saves room."),
                              &S::audioChannels, 0,
                              K::Unchecked("AUDIO", "AudioChannels", &S::audioChannels, List(EncodingLists::audioChannels))),
                          EncodingLists::audioChannels),
                    HasAudio),
        //: The MP3 encoder's algorithm quality: 0 best and slowest, 9 fastest
        EnabledWhen(Items(Row(P::Audio, C::List, "audioQuality", "cbAudioAlgoQuality",
                              QT_TRANSLATE_NOOP("SettingRows", "Algorithm quality:"),
                              QT_TRANSLATE_NOOP("SettingRows", "How hard the MP3 encoder works: 0 is best and slowest, 9 "
                                                               "fastest; the file size stays the same."),
                              &S::audioQuality, 0,
                              K::Clamped("AUDIO", "AudioAlgoQuality", &S::audioQuality, 0, 10, List(EncodingLists::audioQuality))),
                          EncodingLists::audioQuality),
                    HasMp3),
        EnabledWhen(Items(Row(P::Audio, C::List, "audioRateMode", "cbAudioBitrateMode", QT_TRANSLATE_NOOP("SettingRows", "Bitrate mode:"),
                              QT_TRANSLATE_NOOP("SettingRows", "CBR keeps the bitrate the same throughout; ABR lets it vary "
                                                               "around it, which often sounds better at the same size."),
                              &S::audioRateMode, TAudioRateMode::Cbr,
                              K::Word("AUDIO", "AudioBitrateMode", &S::audioRateMode, "CBR", "ABR", List(EncodingLists::audioRateMode))),
                          EncodingLists::audioRateMode),
                    HasMp3),
        EnabledWhen(Editable(Row(P::Audio, C::EditableList, "soundLanguage", "cbSoundLanguage",
                                 QT_TRANSLATE_NOOP("SettingRows", "Sound language:"),
                                 QT_TRANSLATE_NOOP("SettingRows", "Which sound track of a file with several is converted: "
                                                                  "languages in order, such as \"de, en\" or \"German\"; "
                                                                  "Auto, or none found, takes the file's default track."),
                                 &S::soundLanguage, AutoItem,
                                 LanguageListKey("AUDIO", "SoundLanguage", &S::soundLanguage)),
                             EncodingLists::languages, IsLanguageListText),
                    HasAudio),
        Row(P::Audio, C::Check, "noAudio", "chAudioDontCopy", QT_TRANSLATE_NOOP("SettingRows", "No audio"),
            QT_TRANSLATE_NOOP("SettingRows", "Leaves the sound out, for a silent video."),
            &S::noAudio, false,
            K::Bool("AUDIO", "DoNotCopyAudio", &S::noAudio)),

        // ---- "ADVANCED" ----
        [] {
            // The list is the home's own (data/resolutions.txt).
            TSettingRow r = Row(P::Advanced, C::List, "resolution", "cbResolution", "",
                                QT_TRANSLATE_NOOP("SettingRows", "The output's picture size; Auto keeps the input's, and "
                                                                 "Custom takes the width and height you enter."),
                                &S::resolution, 0,
                                K::Described(K::Unchecked("ADVANCED", "Resolution", &S::resolution,
                                                          [](const S& s) { return s.resolutionItems; }),
                                             QStringLiteral("index of the home's resolution list, other: no selection")));
            r.Items = [](const S& s) { return s.resolutionItems; };
            return r;
        }(),
        EnabledWhen(Range(Row(P::Advanced, C::Spin, "resolutionWidth", "spedResWidth", QT_TRANSLATE_NOOP("SettingRows", "Width:"),
                              QT_TRANSLATE_NOOP("SettingRows", "The output's width in pixels when the picture size is "
                                                               "Custom."),
                              &S::resolutionWidth, 854.0,
                              Spin("ResWidth", &S::resolutionWidth)),
                          EncodingLists::ResWidthMin, EncodingLists::ResWidthMax),
                    [](const S& s) { return s.resolution == 1; }),
        EnabledWhen(Range(Row(P::Advanced, C::Spin, "resolutionHeight", "spedResHeight", QT_TRANSLATE_NOOP("SettingRows", "Height:"),
                              QT_TRANSLATE_NOOP("SettingRows", "The output's height in pixels when the picture size is "
                                                               "Custom."),
                              &S::resolutionHeight, 480.0,
                              Spin("ResHeight", &S::resolutionHeight)),
                          EncodingLists::ResWidthMin, EncodingLists::ResWidthMax),
                    [](const S& s) { return s.resolution == 1; }),
        EnabledWhen(Range(Row(P::Advanced, C::Spin, "maxHeight", "spedMaxHeight", QT_TRANSLATE_NOOP("SettingRows", "Largest height:"),
                              QT_TRANSLATE_NOOP("SettingRows", "With the picture size on Auto, a taller picture is made "
                                                               "smaller to this many lines, keeping its shape; a smaller one "
                                                               "keeps its size, and 0 keeps every size."),
                              &S::maxHeight, 0.0,
                              Spin("ADVANCED", "MaxHeight", &S::maxHeight, 0, EncodingLists::ResWidthMax)),
                          0, EncodingLists::ResWidthMax),
                    [](const S& s) { return s.resolution <= 0 || s.resolution >= s.resolutionItems.size(); }),
        Row(P::Advanced, C::Memo, "extraParameters", "meParams",
            QT_TRANSLATE_NOOP("SettingRows", "Additional encoder command-line parameters:"),
            QT_TRANSLATE_NOOP("SettingRows", "MEncoder's options, added to its command line as typed (a file FFmpeg "
                                             "makes is made without them); leave this empty unless you know them."),
            &S::extraParameters, QString(),
            ExtraParametersKey()),
        Items(Row(P::Advanced, C::List, "interlacing", "cbInterlacing", QT_TRANSLATE_NOOP("SettingRows", "Deinterlacing:"),
                  QT_TRANSLATE_NOOP("SettingRows", "Removes the comb-like lines of interlaced video (from TV or "
                                                   "camcorders); Auto does so only when the input is interlaced."),
                  &S::interlacing, 0,
                  K::Ranged("ADVANCED", "Interlacing", &S::interlacing, 0, 2, 0, List(EncodingLists::interlacing))),
              EncodingLists::interlacing),
        Row(P::Advanced, C::Check, "brightnessOn", "chBrightness", QT_TRANSLATE_NOOP("SettingRows", "Brightness:"),
            QT_TRANSLATE_NOOP("SettingRows", "Makes the picture lighter or darker by the amount set beside it."),
            &S::brightnessOn, false,
            K::Bool("ADVANCED", "Brightness", &S::brightnessOn)),
        Slider("brightness", "tbBrightness",
               QT_TRANSLATE_NOOP("SettingRows", "Right makes the picture lighter, left darker; 0 leaves it as it is."),
               &S::brightness, 0, "BrightnessValue", EncodingLists::BrightnessMin,
               EncodingLists::BrightnessMax, BrightnessValueText, &S::brightnessOn),
        Row(P::Advanced, C::Check, "saturationOn", "chSaturation", QT_TRANSLATE_NOOP("SettingRows", "Saturation:"),
            QT_TRANSLATE_NOOP("SettingRows", "Makes the colours stronger or paler by the amount set beside it."),
            &S::saturationOn, false,
            K::Bool("ADVANCED", "Saturation", &S::saturationOn)),
        Slider("saturation", "tbSaturation",
               QT_TRANSLATE_NOOP("SettingRows", "Right makes the colours stronger, left paler; 1 leaves them as they "
                                                "are and 0 turns the picture grey."),
               &S::saturation, 10, "SaturationValue", EncodingLists::SaturationMin,
               EncodingLists::SaturationMax, SaturationValueText, &S::saturationOn),
        Row(P::Advanced, C::Check, "flipHorizontal", "chFlipHorizontal", QT_TRANSLATE_NOOP("SettingRows", "Flip horizontal"),
            QT_TRANSLATE_NOOP("SettingRows", "Mirrors the picture left to right, for video filmed through a mirror."),
            &S::flipHorizontal, false, K::Bool("ADVANCED", "FlipHorizontal", &S::flipHorizontal)),
        Row(P::Advanced, C::Check, "flipVertical", "chFlipVertical", QT_TRANSLATE_NOOP("SettingRows", "Flip vertical"),
            QT_TRANSLATE_NOOP("SettingRows", "Mirrors the picture top to bottom; with the horizontal flip it turns an "
                                             "upside-down video the right way up."),
            &S::flipVertical, false, K::Bool("ADVANCED", "FlipVertical", &S::flipVertical)),
        Row(P::Advanced, C::Check, "rotate", "chRotate", QT_TRANSLATE_NOOP("SettingRows", "Rotate by 90°:"),
            QT_TRANSLATE_NOOP("SettingRows", "Turns the picture a quarter turn, for video filmed with the camera held "
                                             "on its side."),
            &S::rotate, false,
            K::Bool("ADVANCED", "Rotate", &S::rotate)),
        EnabledWhen(Items(Row(P::Advanced, C::List, "rotateDirection", "cbRotate", "",
                              QT_TRANSLATE_NOOP("SettingRows", "Which way the picture turns: to the right is clockwise."),
                              &S::rotateDirection, 0,
                              K::Word("ADVANCED", "RotateDirection", &S::rotateDirection, "right", "left",
                                      List(EncodingLists::rotateDirection))),
                          EncodingLists::rotateDirection),
                    [](const S& s) { return s.rotate; }),
        //: A check box; the number of frames the encoder may drop follows it
        Row(P::Advanced, C::Check, "skipLimitOn", "chSkipLimit", QT_TRANSLATE_NOOP("SettingRows", "Maximum number of skipped frames:"),
            QT_TRANSLATE_NOOP("SettingRows", "Limits how many frames in a row the encoder may drop to keep sound and "
                                             "picture in step."),
            &S::skipLimitOn, true,
            K::Bool("ADVANCED", "SkipLimit", &S::skipLimitOn)),
        EnabledWhen(Items(Row(P::Advanced, C::List, "skipLimit", "cbSkipLimit", "",
                              QT_TRANSLATE_NOOP("SettingRows", "The most frames in a row the encoder may drop; 0 keeps every"
                                                               " frame."),
                              &S::skipLimit, 1,
                              K::Clamped("ADVANCED", "SkipLimitValue", &S::skipLimit, 0, 10, List(EncodingLists::skipLimit))),
                          EncodingLists::skipLimit),
                    [](const S& s) { return s.skipLimitOn; }),
        Row(P::Advanced, C::Check, "forceDuplicates", "chForceEncode", QT_TRANSLATE_NOOP("SettingRows", "Force encoding of duplicate frames"),
            QT_TRANSLATE_NOOP("SettingRows", "Encodes repeated frames instead of leaving them out, which keeps sound "
                                             "and picture in step in more players."),
            &S::forceDuplicates, true, K::Bool("ADVANCED", "ForceEncodeDupFrames", &S::forceDuplicates)),
        Items(Row(P::Advanced, C::List, "subtitles", "cbSubtitles", QT_TRANSLATE_NOOP("SettingRows", "Burn subtitles:"),
                  QT_TRANSLATE_NOOP("SettingRows", "Subtitles burnt into the picture: the file's track in the "
                                                   "languages below, its forced track, or a file of the same name "
                                                   "beside it."),
                  &S::subtitles, 0, ItemWord("ADVANCED", "Subtitles", &S::subtitles, SubtitleWords)),
              EncodingLists::subtitles),
        EnabledWhen(Editable(Row(P::Advanced, C::EditableList, "subtitleLanguage", "cbSubtitleLanguage",
                                 QT_TRANSLATE_NOOP("SettingRows", "Subtitle language:"),
                                 QT_TRANSLATE_NOOP("SettingRows", "The subtitle languages to look for, in order, such as "
                                                                  "\"en, de\"; the first track found is burnt."),
                                 &S::subtitleLanguage, AutoItem,
                                 LanguageListKey("ADVANCED", "SubtitleLanguage", &S::subtitleLanguage)),
                             EncodingLists::languages, IsLanguageListText),
                    [](const S& s) { return s.subtitles == int(TSubtitleMode::Language); }),
        Row(P::Advanced, C::Check, "keepAllTracks", "chKeepAllTracks",
            QT_TRANSLATE_NOOP("SettingRows", "Keep all sound and subtitle tracks"),
            QT_TRANSLATE_NOOP("SettingRows", "Keeps every sound and subtitle track, with its language and title, for "
                                             "the player to switch between (subtitles in MKV and MP4; made by FFmpeg)."),
            &S::keepAllTracks, false, K::Bool("ADVANCED", "KeepAllTracks", &S::keepAllTracks)),
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
