#pragma once

#include "encoding/Containers.h"

#include <QString>
#include <QStringList>

// One complete set of encoding settings, as the settings panels hold it. A plain value:
// the panels read and write it, the command-line builders, the profiles and the headless
// front end use it. Members speak the domain; the widgets that show them keep their own object names.
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

// The choices that code decides on, by name; each value is also the item's index in its list.
// The video codec: Xvid and H.264 by either engine; HEVC (x265) and AV1 (SVT-AV1) by FFmpeg alone.
enum class TVideoCodec { Xvid, X264, Hevc, Av1 };
enum class TX264Preset { Auto, Ultrafast, Superfast, Veryfast, Faster, Fast, Medium, Slow, Veryslow, Placebo };
enum class TAudioRateMode { Cbr, Abr };
// The sound's codec: MP3 by either engine; AAC and Opus by FFmpeg alone.
enum class TAudioCodec { Mp3, Aac, Opus };
// Which program converts a row: Automatic keeps MEncoder for every file it converts
// faithfully and takes FFmpeg where the row's plan knows MEncoder cannot.
enum class TEncoderChoice { Automatic, MEncoder, FFmpeg };
// What happens when an output's name is taken.
enum class TOutputPolicy { Rename, Overwrite, Skip };

// How the video's size is steered.
inline constexpr int RateByBitrate = 0;
inline constexpr int RateByQuality = 1;

struct EncodingSettings {
    // ---- "Output file format / Video settings" (pnVideo) ----
    TVideoCodec videoCodec = TVideoCodec::Xvid;
    TContainer container = TContainer::Avi;
    TEncoderChoice encoder = TEncoderChoice::Automatic;
    // How the video's size is steered: 0 by a bit rate (videoBitrate), 1 by a quality the
    // encoder keeps (x264's constant rate factor, Xvid's fixed quantizer), the size following it.
    int videoRateControl = 0;
    double x264Quality = 22;          // constant rate factor 0..51: lower is better and larger
    double xvidQuality = 4;           // fixed quantizer 1..31: lower is better and larger
    double hevcQuality = 28;          // x265's constant rate factor 0..51, its own scale
    double av1Quality = 35;           // SVT-AV1's constant rate factor 1..63
    EditableListValue videoBitrate;  // "Auto" or kbit/s
    EditableListValue frameRate;      // "Auto" or frames per second
    EditableListValue videoAspect;   // "Auto" or an aspect such as "16:9"
    bool twoPass = false;
    int threads = 0;            // 0 "Auto", n = n threads
    TX264Preset preset = TX264Preset::Auto;
    int x264Tune = 0;                     // 0 "Auto", then the x264 tunings

    // ---- "Audio settings" (pnAudio) ----
    bool noAudio = false;         // "No audio"
    TAudioCodec audioCodec = TAudioCodec::Mp3;
    EditableListValue audioBitrate;     // "Auto" or kbit/s
    TAudioRateMode audioRateMode = TAudioRateMode::Cbr;
    EditableListValue sampleRate;    // "Auto" or Hz
    int audioChannels = 0;              // 0 "Auto", 1 Stereo, 2 Joint-Stereo, 3 Dual, 4 Mono
    int audioQuality = 0;           // 0 "Auto", n = LAME quality n-1
    EditableListValue soundLanguage; // "Auto" (the file's default track) or languages, "de, en"

    // ---- "Advanced settings" (pnAdvancedSettings) ----
    int resolution = 0;                 // 0 "Auto", 1 "Custom", 2.. resolutionItems[n]
    double resolutionWidth = 854;            // 2..30000
    double resolutionHeight = 480;           // 2..30000
    // With resolution "Auto": a taller picture is scaled down to this many lines, a smaller
    // one keeps its size; 0 keeps every input's size.
    double maxHeight = 0;                    // 0..30000
    bool brightnessOn = false;
    double brightness = 0;              // position -10..10, value = position / 10
    bool saturationOn = false;
    double saturation = 10;             // position -0.01..30, value = position / 10
    bool flipHorizontal = false;
    bool flipVertical = false;
    bool rotate = false;
    int rotateDirection = 0;                     // 0 "to the right", 1 "to the left"
    int interlacing = 0;                // 0 "Auto", 1 "Deinterlace", 2 "Keep original"
    bool skipLimitOn = true;
    int skipLimit = 1;                  // index n is the value n (0..10)
    bool forceDuplicates = true;
    int subtitles = 0;                  // TSubtitleMode: 0 none, 1 by language, 2 forced only, 3 file beside the input
    EditableListValue subtitleLanguage; // "Auto" or languages, for subtitles by language
    // Every sound and subtitle track of the file kept, each as a track a player switches to,
    // with its language and title (FFmpeg alone).
    bool keepAllTracks = false;
    QString extraParameters;                     // additional encoder parameters, lines split by "\n"

    // The items of resolution: "Auto", "Custom", then the resolution list file's
    // entries or the built-in ones. Not a setting, but the builders read entry texts.
    QStringList resolutionItems = BuiltInResolutionItems();

    // ---- output options (strip under the file list; not part of a profile) ----
    TOutputPolicy outputExists = TOutputPolicy::Rename;
    int afterBatch = 0;            // 0 "Do nothing", 1 "Close application"
    bool keepDates = false;
    bool keepTree = false;                    // outputs keep the inputs' folders under their roots
    bool outputToFolder = false;                // false: outputBesideInput (output beside the input)
    QString outputFolder;                     // filled with DefaultOutDir() by the window

    bool outputBesideInput() const { return !outputToFolder; }

    // "Auto", "Custom", then entries; no entries (a missing or empty resolution list
    // file) gives the 15 built-in ones, so the list never shrinks to the two fixed items.
    static QStringList ResolutionItems(const QStringList& entries);
    // "Auto", "Custom" and the 15 built-in entries used when there is no list file.
    static QStringList BuiltInResolutionItems();

    bool operator==(const EncodingSettings&) const = default;
};

// ---- value lists, in the order the controls hold them ----
// The items are English: some are written to files or command lines, and warnings and the
// help name them. The words of the lists read back by index only are marked for the
// catalogue (context "Encoding"); Shown gives a list as a control shows it.
namespace EncodingLists {

QStringList videoCodec();     // "Xvid", "H.264 / MPEG-4 AVC", "HEVC / H.265", "AV1"
QStringList encoder();        // "Automatic", "MEncoder", "FFmpeg"
QStringList videoBitrate();   // "Auto", 50..20000 (55 items)
QStringList frameRate();       // "Auto", "5", ... "60"
QStringList videoAspect();    // "Auto", "1:1", ... "12:5"
QStringList threads();   // "Auto", "1".."16"
QStringList preset();       // "Auto", "ultrafast", ... "placebo"
QStringList presetCaptions(); // beside preset's words: "", "fastest, largest files", ...
QStringList tuneCaptions();   // beside the x264 tunings: "", "live-action footage", ...
QStringList audioCodec();        // "MP3", "AAC", "Opus"
QStringList audioBitrate();      // "Auto", "8", ... "640"
QStringList audioRateMode();  // "CBR - Constant", "ABR - Average"
QStringList sampleRate();     // "Auto", "16000", ... "48000"
QStringList audioChannels();     // "Auto", "Stereo", "Joint-Stereo", "Dual channel", "Mono"
QStringList audioQuality();  // "Auto", "0 - Highest quality", ... "9"
QStringList rotateDirection();            // "to the right", "to the left"
QStringList interlacing();       // "Auto", "Deinterlace", "Keep original"
QStringList subtitles();         // "None", "By language", "Forced only", "File beside it"
QStringList languages();         // "Auto", "English", "German", ...: values, shown as they are
QStringList skipLimit();         // "0".."10"
QStringList outputExists();      // "Rename file", "Overwrite", "Skip file"
QStringList afterBatch();   // "Do nothing", "Close application"

// Item text of a list, empty for an index outside it.
QString ItemText(const QStringList& items, int index);

// The items in the user's language, for a control that is read by its index: the marked
// words are translated; "Auto", numbers, names and entries typed by the user stay.
QStringList Shown(const QStringList& items);

inline constexpr int ResWidthMin = 2, ResWidthMax = 30000;
inline constexpr double BrightnessMin = -10, BrightnessMax = 10;
inline constexpr double SaturationMin = -0.01, SaturationMax = 30;

} // namespace EncodingLists

// The output policy's word on command lines and in job files: "rename", "overwrite",
// "skip"; any other word reads as rename.
QString OutputPolicyWord(TOutputPolicy policy);
TOutputPolicy OutputPolicyFromWord(const QString& word);

// The user's Desktop directory, outputFolder's default.
QString DefaultOutDir();

// The video's size follows a quality rather than a bit rate.
inline bool ByQuality(const EncodingSettings& s) { return s.videoRateControl == RateByQuality; }
// FFmpeg's SVT-AV1 encoder keeps no pass log: AV1 is made in one pass at the bit rate.
inline bool TwoPassMadeAsOne(const EncodingSettings& s)
{
    return s.twoPass && !ByQuality(s) && s.videoCodec == TVideoCodec::Av1;
}
// Two passes share a bit rate between them; a quality needs one pass.
inline bool TwoPassInEffect(const EncodingSettings& s) { return s.twoPass && !ByQuality(s) && !TwoPassMadeAsOne(s); }
