#pragma once

#include "encoding/Containers.h"

#include <QString>
#include <QStringList>

// One complete set of encoding settings, as the settings panels hold it. A plain value:
// the panels read and write it, the command-line builders, the profiles and the headless
// front end use it. Members are named after the controls that show them.
//
// Kinds: a list is an item index (-1 or any index outside its list means "no selection",
// which the builders treat as Auto or none); an editable list is an index plus the text
// the user sees (the text is what counts); a check box is a flag; a track bar and a spin
// box hold a real-valued position; a memo holds its whole text with "\n" line breaks.

// An editable drop-down: the text is the value, the index is what the list shows selected.
struct EditableListValue {
    int Index = 0;
    QString Text = QStringLiteral("Auto");

    // Selects item index of items; the text follows the item (empty for no selection).
    void SetIndex(int index, const QStringList& items);
    bool operator==(const EditableListValue&) const = default;
};

struct EncodingSettings {
    // ---- "Output file format / Video settings" (pnVideo) ----
    int cbAviVideoCodec = 0;              // 0 "Xvid", 1 "H.264 / MPEG-4 AVC"
    TContainer container = TContainer::Avi; // cbOutputFormat: the row's position in the list
    EditableListValue cbAviVideoBitrate;  // "Auto" or kbit/s
    EditableListValue cbAviVideoFPS;      // "Auto" or frames per second
    EditableListValue cbAviVideoAspect;   // "Auto" or an aspect such as "16:9"
    bool chAviVideo2Pass = false;
    int cbAviVideoThreads = 0;            // 0 "Auto", n = n threads
    int cbVideoPreset = 0;                // 0 "Auto", then the x264 presets

    // ---- "Audio settings" (pnAudio); the audio encoder is always MP3 ----
    bool chAudioDontCopy = false;         // "No audio"
    EditableListValue cbAudioBitrate;     // "Auto" or kbit/s
    int cbAudioBitrateMode = 0;           // 0 "CBR - Constant", 1 "ABR - Average"
    EditableListValue cbAudioSampling;    // "Auto" or Hz
    int cbAudioChannels = 0;              // 0 "Auto", 1 Stereo, 2 Joint-Stereo, 3 Dual, 4 Mono
    int cbAudioAlgoQuality = 0;           // 0 "Auto", n = LAME quality n-1

    // ---- "Advanced settings" (pnAdvancedSettings) ----
    int cbResolution = 0;                 // 0 "Auto", 1 "Custom", 2.. cbResolution_Items[n]
    double spedResWidth = 854;            // 2..30000
    double spedResHeight = 480;           // 2..30000
    bool chBrightness = false;
    double tbBrightness = 0;              // position -10..10, value = position / 10
    bool chSaturation = false;
    double tbSaturation = 10;             // position -0.01..30, value = position / 10
    bool chFlipHorizontal = false;
    bool chFlipVertical = false;
    bool chRotate = false;
    int cbRotate = 0;                     // 0 "to the right", 1 "to the left"
    int cbInterlacing = 0;                // 0 "Auto", 1 "Deinterlace", 2 "Keep original"
    bool chSkipLimit = true;
    int cbSkipLimit = 1;                  // index n is the value n (0..10)
    bool chForceEncode = true;
    QString meParams;                     // additional encoder parameters, lines split by "\n"

    // The items of cbResolution: "Auto", "Custom", then the resolution list file's
    // entries or the built-in ones. Not a setting, but the builders read entry texts.
    QStringList cbResolution_Items = BuiltInResolutionItems();

    // ---- output options (strip under the file list; not part of a profile) ----
    int cbOutputExists = 0;               // 0 "Rename file", 1 "Overwrite", 2 "Skip file"
    int cbAfterConversion = 0;            // 0 "Do nothing", 1 "Close application"
    bool chKeepDates = false;
    bool rbOutDir = false;                // false: rbOutDirIsInDir (output beside the input)
    QString edOutDir;                     // filled with DefaultOutDir() by the window

    bool rbOutDirIsInDir() const { return !rbOutDir; }

    // "Auto", "Custom", then entries; no entries (a missing or empty resolution list
    // file) gives the 15 built-in ones, so the list never shrinks to the two fixed items.
    static QStringList ResolutionItems(const QStringList& entries);
    // "Auto", "Custom" and the 15 built-in entries used when there is no list file.
    static QStringList BuiltInResolutionItems();

    bool operator==(const EncodingSettings&) const = default;
};

// ---- value lists, in the order the controls hold them ----
namespace EncodingLists {

QStringList cbAviVideoCodec();     // "Xvid", "H.264 / MPEG-4 AVC"
QStringList cbOutputFormat();      // the containers' words: "AVI", "MP4", "MKV"
QStringList cbAviVideoBitrate();   // "Auto", 50..20000 (55 items)
QStringList cbAviVideoFPS();       // "Auto", "5", ... "60"
QStringList cbAviVideoAspect();    // "Auto", "1:1", ... "12:5"
QStringList cbAviVideoThreads();   // "Auto", "1".."16"
QStringList cbVideoPreset();       // "Auto", "ultrafast", ... "placebo"
QStringList cbAudioBitrate();      // "Auto", "8", ... "640"
QStringList cbAudioBitrateMode();  // "CBR - Constant", "ABR - Average"
QStringList cbAudioSampling();     // "Auto", "16000", ... "48000"
QStringList cbAudioChannels();     // "Auto", "Stereo", "Joint-Stereo", "Dual channel", "Mono"
QStringList cbAudioAlgoQuality();  // "Auto", "0 - Highest quality", ... "9"
QStringList cbRotate();            // "to the right", "to the left"
QStringList cbInterlacing();       // "Auto", "Deinterlace", "Keep original"
QStringList cbSkipLimit();         // "0".."10"
QStringList cbOutputExists();      // "Rename file", "Overwrite", "Skip file"
QStringList cbAfterConversion();   // "Do nothing", "Close application"

// Item text of a list, empty for an index outside it.
QString ItemText(const QStringList& items, int index);

inline constexpr int ResWidthMin = 2, ResWidthMax = 30000;
inline constexpr double BrightnessMin = -10, BrightnessMax = 10;
inline constexpr double SaturationMin = -0.01, SaturationMax = 30;

} // namespace EncodingLists

// ---- panel defaults ----
// The video panel's defaults; defaultVideoCodec is the options dialog's default video
// encoder index (0 Xvid, 1 H.264).
void SetDefaultVideoSettings_Avi(EncodingSettings& s, int defaultVideoCodec);
void SetDefaultAudioSettings(EncodingSettings& s);
void SetDefaultAdvancedSettings(EncodingSettings& s);
// All three panels in this order; the output options are left as they are.
void SetDefaultParams(EncodingSettings& s, int defaultVideoCodec);

// The user's Desktop directory, edOutDir's default.
QString DefaultOutDir();
