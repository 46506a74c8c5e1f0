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
    p.cbAviVideoThreads_Index = s.cbAviVideoThreads;
    p.cbAviVideoCodec_Index = s.cbAviVideoCodec;
    p.cbAViVideoBitrate_Index = s.cbAviVideoBitrate.Index;
    p.cbAViVideoBitrate_Text = s.cbAviVideoBitrate.Text;
    p.cbAviVideoFPS_Index = s.cbAviVideoFPS.Index;
    p.cbAviVideoFPS_Text = s.cbAviVideoFPS.Text;
    p.cbAviVideoAspect_Index = s.cbAviVideoAspect.Index;
    p.cbAviVideoAspect_Text = s.cbAviVideoAspect.Text;
    p.chAviVideo2Pass_Checked = s.chAviVideo2Pass;
    p.cbVideoPreset_Index = s.cbVideoPreset;
    p.container = s.container;
    return p;
}

TCopyParams_Audio CopyAudioSettings(const EncodingSettings& s)
{
    TCopyParams_Audio p;
    p.cbAudioBitrate_Index = s.cbAudioBitrate.Index;
    p.cbAudioBitrate_Text = s.cbAudioBitrate.Text;
    p.cbAudioSampling_Index = s.cbAudioSampling.Index;
    p.cbAudioSampling_Text = s.cbAudioSampling.Text;
    p.cbAudioChannels_Index = s.cbAudioChannels;
    p.cbAudioAlgoQuality_Index = s.cbAudioAlgoQuality;
    p.cbAudioBitrateMode_Index = s.cbAudioBitrateMode;
    p.chAudioDontCopy_Checked = s.chAudioDontCopy;
    return p;
}

TCopyParams_Advanced CopyAdvancedSettings(const EncodingSettings& s)
{
    TCopyParams_Advanced p;
    p.FFmpegParams = s.meParams;
    p.cbInterlacing_Index = s.cbInterlacing;
    p.cbResolution_Index = s.cbResolution;
    p.spedResWidth_Value = RoundHalfEven(s.spedResWidth);
    p.spedResHeight_Value = RoundHalfEven(s.spedResHeight);
    p.chBrightness_Checked = s.chBrightness;
    p.tbBrightness_Position = RoundHalfEven(s.tbBrightness);
    p.chSaturation_Checked = s.chSaturation;
    p.tbSaturation_Position = RoundHalfEven(s.tbSaturation);
    p.chFlipHorizontal_Checked = s.chFlipHorizontal;
    p.chFlipVertical_Checked = s.chFlipVertical;
    p.chRotate_Checked = s.chRotate;
    p.cbRotate_Index = s.cbRotate;
    p.chSkipLimit_Checked = s.chSkipLimit;
    p.cbSkipLimit_Index = s.cbSkipLimit;
    p.chForceEncode_Checked = s.chForceEncode;
    return p;
}

void PasteVideoSettings(EncodingSettings& s, const TCopyParams_Video& p)
{
    const QString autoText = QStringLiteral("Auto");
    s.cbAviVideoCodec = p.cbAviVideoCodec_Index;
    s.cbAviVideoThreads = p.cbAviVideoThreads_Index;

    s.cbAviVideoBitrate.SetIndex(p.cbAViVideoBitrate_Index, EncodingLists::cbAviVideoBitrate());
    s.cbAviVideoBitrate.Text = IsWholeNumberText(p.cbAViVideoBitrate_Text) ? p.cbAViVideoBitrate_Text : autoText;

    s.cbAviVideoFPS.SetIndex(p.cbAviVideoFPS_Index, EncodingLists::cbAviVideoFPS());
    s.cbAviVideoFPS.Text = IsDecimalNumberText(p.cbAviVideoFPS_Text) ? p.cbAviVideoFPS_Text : autoText;
    if (s.cbAviVideoFPS.Text == autoText)
        s.cbAviVideoFPS.Index = 0;

    s.cbAviVideoAspect.SetIndex(p.cbAviVideoAspect_Index, EncodingLists::cbAviVideoAspect());
    s.cbAviVideoAspect.Text = IsValidAspect(p.cbAviVideoAspect_Text) ? p.cbAviVideoAspect_Text : autoText;

    s.chAviVideo2Pass = p.chAviVideo2Pass_Checked;
    s.cbVideoPreset = p.cbVideoPreset_Index;
    s.container = p.container;
}

void PasteAudioSettings(EncodingSettings& s, const TCopyParams_Audio& p)
{
    const QString autoText = QStringLiteral("Auto");
    s.cbAudioBitrate.SetIndex(p.cbAudioBitrate_Index, EncodingLists::cbAudioBitrate());
    s.cbAudioBitrate.Text = IsWholeNumberText(p.cbAudioBitrate_Text) ? p.cbAudioBitrate_Text : autoText;
    s.cbAudioSampling.SetIndex(p.cbAudioSampling_Index, EncodingLists::cbAudioSampling());
    s.cbAudioSampling.Text = IsWholeNumberText(p.cbAudioSampling_Text) ? p.cbAudioSampling_Text : autoText;
    s.cbAudioChannels = p.cbAudioChannels_Index;
    s.cbAudioAlgoQuality = p.cbAudioAlgoQuality_Index;
    s.cbAudioBitrateMode = p.cbAudioBitrateMode_Index;
    s.chAudioDontCopy = p.chAudioDontCopy_Checked;
}

void PasteAdvancedSettings(EncodingSettings& s, const TCopyParams_Advanced& p)
{
    s.meParams = p.FFmpegParams;
    s.cbInterlacing = p.cbInterlacing_Index;
    s.cbResolution = p.cbResolution_Index;
    s.spedResWidth = p.spedResWidth_Value;
    s.spedResHeight = p.spedResHeight_Value;
    s.chBrightness = p.chBrightness_Checked;
    s.tbBrightness = p.tbBrightness_Position;
    s.chSaturation = p.chSaturation_Checked;
    s.tbSaturation = p.tbSaturation_Position;
    s.chFlipHorizontal = p.chFlipHorizontal_Checked;
    s.chFlipVertical = p.chFlipVertical_Checked;
    s.chRotate = p.chRotate_Checked;
    s.cbRotate = p.cbRotate_Index;
    s.chSkipLimit = p.chSkipLimit_Checked;
    s.cbSkipLimit = p.cbSkipLimit_Index;
    s.chForceEncode = p.chForceEncode_Checked;
}
