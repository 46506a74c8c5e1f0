#include "encoding/SettingsRules.h"

#include "lib/Conversion.h"
#include "lib/Strings.h"

#include <QCoreApplication>

bool IsWholeNumberText(const QString& s)
{
    const QString t = s.trimmed();
    return !t.isEmpty() && IsIntText(t, false);
}

bool IsAutoText(const QString& s)
{
    return s.trimmed().compare(QLatin1String("Auto"), Qt::CaseInsensitive) == 0;
}

bool IsDecimalNumberText(const QString& s)
{
    const QString t = s.trimmed();
    return !t.isEmpty() && IsFloatText(t, false);
}

// A real number with the user's decimal separator (the caller already put it in).
static bool ToLocaleReal(const QString& s, double* value)
{
    double v = 0;
    if (!TryStrToFloat(s.trimmed(), v))
        return false;
    *value = v;
    return true;
}

bool IsValidAspect(const QString& text, double* value)
{
    const QString sep = UserDecimalSeparator();
    QString t = text.trimmed();
    const qsizetype dot = t.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        t.replace(dot, 1, sep);
    const qsizetype comma = t.indexOf(QLatin1Char(','));
    if (comma >= 0)
        t.replace(comma, 1, sep);
    t.replace(QLatin1Char('/'), QLatin1Char(':'));
    t.replace(QLatin1Char('\\'), QLatin1Char(':'));
    if (!t.contains(QLatin1Char(':')))
        t += QLatin1String(":1");
    const qsizetype colon = t.indexOf(QLatin1Char(':'));
    double a = 0, b = 0;
    if (!ToLocaleReal(t.left(colon), &a) || !ToLocaleReal(t.mid(colon + 1), &b))
        return false;
    if (value)
        *value = a / b;
    return true;
}

// The messages are FormatMsg patterns: %s is the text typed, a backslash and "n" a line break.
QString VideoBitrateMessage(const QString& text)
{
    return FormatMsg(QCoreApplication::translate("Encoding", "Video bitrate: %s\\nBitrate must be an integer value!"),
                     text);
}

QString VideoFpsMessage(const QString& text)
{
    return FormatMsg(QCoreApplication::translate("Encoding", "Video FPS: %s\\nFPS must be a float value!"), text);
}

QString AudioBitrateMessage(const QString& text)
{
    return FormatMsg(QCoreApplication::translate("Encoding", "Audio bitrate: %s\\nBitrate must be an integer value!"),
                     text);
}

QString AudioSamplingMessage(const QString& text)
{
    return FormatMsg(
        QCoreApplication::translate("Encoding", "Audio sampling frequency: %s\\nFrequency must be an integer value!"),
        text);
}

static bool Fail(const QString& message, const TWarningSink& warn)
{
    if (warn)
        warn(message);
    return false;
}

bool CheckVideoBitrate(const QString& text, const TWarningSink& warn)
{
    return IsAutoText(text) || IsWholeNumberText(text) || Fail(VideoBitrateMessage(text), warn);
}

bool CheckVideoFps(const QString& text, const TWarningSink& warn)
{
    double fps = 0;
    return IsAutoText(text) || TryFloatAnySep(text.trimmed(), fps) || Fail(VideoFpsMessage(text), warn);
}

bool CheckAudioBitrate(const QString& text, const TWarningSink& warn)
{
    return IsAutoText(text) || IsWholeNumberText(text) || Fail(AudioBitrateMessage(text), warn);
}

bool CheckAudioSampling(const QString& text, const TWarningSink& warn)
{
    return IsAutoText(text) || IsWholeNumberText(text) || Fail(AudioSamplingMessage(text), warn);
}

QString BrightnessValueText(double position, QChar decimalSeparator)
{
    return FloatToTrimmedStr(position / 10.0, 2, decimalSeparator);
}

QString SaturationValueText(double position, QChar decimalSeparator)
{
    if (position <= 0)
        return QStringLiteral("0");
    return BrightnessValueText(position, decimalSeparator);
}

bool NeedsFfmpegVideo(const EncodingSettings& s)
{
    return s.videoCodec == TVideoCodec::Hevc || s.videoCodec == TVideoCodec::Av1;
}

bool NeedsFfmpeg(const EncodingSettings& s)
{
    return NeedsFfmpegVideo(s) || (!s.noAudio && s.audioCodec != TAudioCodec::Mp3) || s.keepAllTracks;
}

QString MencoderCannotMake(const EncodingSettings& s)
{
    if (!NeedsFfmpeg(s))
        return {};
    // what only FFmpeg makes, as in "Only FFmpeg makes %1"
    QString what = QCoreApplication::translate("SettingsRules", "outputs with all sound and subtitle tracks");
    if (s.videoCodec == TVideoCodec::Hevc)
        what = QCoreApplication::translate("SettingsRules", "HEVC video");
    else if (s.videoCodec == TVideoCodec::Av1)
        what = QCoreApplication::translate("SettingsRules", "AV1 video");
    else if (!s.noAudio && s.audioCodec == TAudioCodec::Aac)
        what = QCoreApplication::translate("SettingsRules", "AAC sound");
    else if (!s.noAudio && s.audioCodec == TAudioCodec::Opus)
        what = QCoreApplication::translate("SettingsRules", "Opus sound");
    if (s.encoder != TEncoderChoice::MEncoder)
        //: %1: "HEVC video", "AAC sound", "Opus sound", "outputs with all sound and subtitle tracks"
        return QCoreApplication::translate("SettingsRules", "Only FFmpeg makes %1, and no ffmpeg program was found: "
                                                            "install the package ffmpeg.").arg(what);
    //: %1: "HEVC video", "AAC sound", "Opus sound", "outputs with all sound and subtitle tracks"
    return QCoreApplication::translate("SettingsRules", "Only FFmpeg makes %1, but the encoder setting is MEncoder: "
                                                        "set it to Automatic or FFmpeg.").arg(what);
}
