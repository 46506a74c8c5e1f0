#include "encoding/CopyParams.h"

#include "encoding/SettingsRules.h"

#include <cmath>
#include <limits>

int RoundHalfEven(double v)
{
    if (!std::isfinite(v))
        return 0;
    const double r = std::nearbyint(v); // the default rounding mode rounds halves to even
    if (r >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

TCopyParams_Video CopyVideoSettings(const EncodingSettings& s)
{
    TCopyParams_Video p;
    p.cbAviVideoThreads_Index = s.threads;
    p.cbAviVideoCodec_Index = s.videoCodec;
    p.cbAViVideoBitrate_Index = s.videoBitrate.Index;
    p.cbAViVideoBitrate_Text = s.videoBitrate.Text;
    p.cbAviVideoFPS_Index = s.frameRate.Index;
    p.cbAviVideoFPS_Text = s.frameRate.Text;
    p.cbAviVideoAspect_Index = s.videoAspect.Index;
    p.cbAviVideoAspect_Text = s.videoAspect.Text;
    p.chAviVideo2Pass_Checked = s.twoPass;
    p.cbVideoPreset_Index = s.preset;
    p.container = s.container;
    return p;
}

TCopyParams_Audio CopyAudioSettings(const EncodingSettings& s)
{
    TCopyParams_Audio p;
    p.cbAudioBitrate_Index = s.audioBitrate.Index;
    p.cbAudioBitrate_Text = s.audioBitrate.Text;
    p.cbAudioSampling_Index = s.sampleRate.Index;
    p.cbAudioSampling_Text = s.sampleRate.Text;
    p.cbAudioChannels_Index = s.audioChannels;
    p.cbAudioAlgoQuality_Index = s.audioQuality;
    p.cbAudioBitrateMode_Index = s.audioRateMode;
    p.chAudioDontCopy_Checked = s.noAudio;
    return p;
}

TCopyParams_Advanced CopyAdvancedSettings(const EncodingSettings& s)
{
    TCopyParams_Advanced p;
    p.FFmpegParams = s.extraParameters;
    p.cbInterlacing_Index = s.interlacing;
    p.cbResolution_Index = s.resolution;
    p.spedResWidth_Value = RoundHalfEven(s.resolutionWidth);
    p.spedResHeight_Value = RoundHalfEven(s.resolutionHeight);
    p.chBrightness_Checked = s.brightnessOn;
    p.tbBrightness_Position = RoundHalfEven(s.brightness);
    p.chSaturation_Checked = s.saturationOn;
    p.tbSaturation_Position = RoundHalfEven(s.saturation);
    p.chFlipHorizontal_Checked = s.flipHorizontal;
    p.chFlipVertical_Checked = s.flipVertical;
    p.chRotate_Checked = s.rotate;
    p.cbRotate_Index = s.rotateDirection;
    p.chSkipLimit_Checked = s.skipLimitOn;
    p.cbSkipLimit_Index = s.skipLimit;
    p.chForceEncode_Checked = s.forceDuplicates;
    return p;
}

void PasteVideoSettings(EncodingSettings& s, const TCopyParams_Video& p)
{
    const QString autoText = QStringLiteral("Auto");
    s.videoCodec = p.cbAviVideoCodec_Index;
    s.threads = p.cbAviVideoThreads_Index;

    s.videoBitrate.SetIndex(p.cbAViVideoBitrate_Index, EncodingLists::videoBitrate());
    s.videoBitrate.Text = IsWholeNumberText(p.cbAViVideoBitrate_Text) ? p.cbAViVideoBitrate_Text : autoText;

    s.frameRate.SetIndex(p.cbAviVideoFPS_Index, EncodingLists::frameRate());
    s.frameRate.Text = IsDecimalNumberText(p.cbAviVideoFPS_Text) ? p.cbAviVideoFPS_Text : autoText;
    if (s.frameRate.Text == autoText)
        s.frameRate.Index = 0;

    s.videoAspect.SetIndex(p.cbAviVideoAspect_Index, EncodingLists::videoAspect());
    s.videoAspect.Text = IsValidAspect(p.cbAviVideoAspect_Text) ? p.cbAviVideoAspect_Text : autoText;

    s.twoPass = p.chAviVideo2Pass_Checked;
    s.preset = p.cbVideoPreset_Index;
    s.container = p.container;
}

void PasteAudioSettings(EncodingSettings& s, const TCopyParams_Audio& p)
{
    const QString autoText = QStringLiteral("Auto");
    s.audioBitrate.SetIndex(p.cbAudioBitrate_Index, EncodingLists::audioBitrate());
    s.audioBitrate.Text = IsWholeNumberText(p.cbAudioBitrate_Text) ? p.cbAudioBitrate_Text : autoText;
    s.sampleRate.SetIndex(p.cbAudioSampling_Index, EncodingLists::sampleRate());
    s.sampleRate.Text = IsWholeNumberText(p.cbAudioSampling_Text) ? p.cbAudioSampling_Text : autoText;
    s.audioChannels = p.cbAudioChannels_Index;
    s.audioQuality = p.cbAudioAlgoQuality_Index;
    s.audioRateMode = p.cbAudioBitrateMode_Index;
    s.noAudio = p.chAudioDontCopy_Checked;
}

void PasteAdvancedSettings(EncodingSettings& s, const TCopyParams_Advanced& p)
{
    s.extraParameters = p.FFmpegParams;
    s.interlacing = p.cbInterlacing_Index;
    s.resolution = p.cbResolution_Index;
    s.resolutionWidth = p.spedResWidth_Value;
    s.resolutionHeight = p.spedResHeight_Value;
    s.brightnessOn = p.chBrightness_Checked;
    s.brightness = p.tbBrightness_Position;
    s.saturationOn = p.chSaturation_Checked;
    s.saturation = p.tbSaturation_Position;
    s.flipHorizontal = p.chFlipHorizontal_Checked;
    s.flipVertical = p.chFlipVertical_Checked;
    s.rotate = p.chRotate_Checked;
    s.rotateDirection = p.cbRotate_Index;
    s.skipLimitOn = p.chSkipLimit_Checked;
    s.skipLimit = p.cbSkipLimit_Index;
    s.forceDuplicates = p.chForceEncode_Checked;
}
