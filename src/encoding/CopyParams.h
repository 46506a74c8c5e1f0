#pragma once

#include "encoding/EncodingSettings.h"

// The three copy buffers of the settings panels. Each panel copies into its own buffer;
// pasting applies the buffer with the checks below, so a stale or hand-edited text can
// never put an unusable value into a box.

struct TCopyParams_Video {
    int cbAviVideoThreads_Index = 0;
    int cbAviVideoCodec_Index = 0;
    int cbAViVideoBitrate_Index = 0;
    QString cbAViVideoBitrate_Text;
    int cbAviVideoFPS_Index = 0;
    QString cbAviVideoFPS_Text;
    int cbAviVideoAspect_Index = 0;
    QString cbAviVideoAspect_Text;
    bool chAviVideo2Pass_Checked = false;
    int cbVideoPreset_Index = 0;
    TContainer container = TContainer::Avi;
};

struct TCopyParams_Audio {
    int cbAudioCodec_Index = 0; // never filled: there is no audio codec list
    int cbAudioBitrate_Index = 0;
    QString cbAudioBitrate_Text;
    int cbAudioSampling_Index = 0;
    QString cbAudioSampling_Text;
    int cbAudioChannels_Index = 0;
    int cbAudioAlgoQuality_Index = 0;
    int cbAudioBitrateMode_Index = 0;
    bool chAudioDontCopy_Checked = false;
};

struct TCopyParams_Advanced {
    QString FFmpegParams; // the memo text
    int cbInterlacing_Index = 0;
    int cbResolution_Index = 0;
    int spedResWidth_Value = 0;
    int spedResHeight_Value = 0;
    bool chBrightness_Checked = false;
    int tbBrightness_Position = 0;
    bool chSaturation_Checked = false;
    int tbSaturation_Position = 0;
    bool chFlipHorizontal_Checked = false;
    bool chFlipVertical_Checked = false;
    bool chRotate_Checked = false;
    int cbRotate_Index = 0;
    bool chSkipLimit_Checked = false;
    int cbSkipLimit_Index = 0;
    bool chForceEncode_Checked = false;
};

TCopyParams_Video CopyVideoSettings(const EncodingSettings& s);
TCopyParams_Audio CopyAudioSettings(const EncodingSettings& s);
TCopyParams_Advanced CopyAdvancedSettings(const EncodingSettings& s);

// Texts that fail their check come back as "Auto" (a frame rate then also selects
// index 0); the output options are never touched.
void PasteVideoSettings(EncodingSettings& s, const TCopyParams_Video& p);
void PasteAudioSettings(EncodingSettings& s, const TCopyParams_Audio& p);
void PasteAdvancedSettings(EncodingSettings& s, const TCopyParams_Advanced& p);

// Real values to integers, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
int RoundHalfEven(double v);
