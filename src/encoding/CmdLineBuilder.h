#pragma once

#include "encoding/CmdPiece.h"
#include "encoding/EncodingSettings.h"
#include "encoding/SettingsRules.h"
#include "lib/ResultOf.h"
#include "media/VideoFileInfo.h"

#include <QString>

#include <cstdint>

// The encoder's command-line pieces, built from a row's plan (RowPlan.h: the settings, the
// media properties of the file at hand, and what was decided for them once). Each builder
// is a pure function and gives its piece in both forms (TCmdPiece); the text of the video,
// audio and additional options starts with a blank, as the pieces are glued. The forms that
// take the settings and a file's record (a cleared one when there is no file) plan it first.
// The video and audio options can fail on a typed value that is not valid: the failure's
// message is the validation message, which has been sent to the warning sink too.

struct TRowPlan;

// "-ovc xvid" or "-ovc x264".
TCmdPiece GetVideoCodec(const EncodingSettings& s);
// Video options: codec options (those of pass 1 or 2 begin "pass=N"), aspect, output
// frame rate, the container's muxer; its text is its arguments, each behind one blank.
TResultOf<TCmdPiece> GetVideoParams(const TRowPlan& plan, int processorCount, const TWarningSink& warn, int pass = 0);
TResultOf<TCmdPiece> GetVideoParams(const EncodingSettings& s, const TVideoFileInfo& CurrentFileInfo,
                                    int processorCount, const TWarningSink& warn);
// "-nosound" or "-oac mp3lame".
TCmdPiece GetAudioCodec(const EncodingSettings& s);
// MP3 options (sampling, LAME options); empty with "No audio".
TResultOf<TCmdPiece> GetAudioParams(const TRowPlan& plan, const TWarningSink& warn);
TResultOf<TCmdPiece> GetAudioParams(const EncodingSettings& s, const TVideoFileInfo& CurrentFileInfo,
                                    const TWarningSink& warn);
// Subtitle options: -nosub, a track (-sid) or a file beside the input (-sub, or -vobsub for a
// DVD pair) to burn.
TCmdPiece SubtitleOptions(const TRowPlan& plan);
TCmdPiece SubtitleOptions(const EncodingSettings& s, const TVideoFileInfo& info);
// Demuxer, subtitles, filter chain, frame-skip limit and the source's title, trimmed; never fails.
TCmdPiece GetAdvancedParams(const TRowPlan& plan);
TCmdPiece GetAdvancedParams(const EncodingSettings& s, const TVideoFileInfo& CurrentFileInfo);
// Every line of the additional parameters, each preceded by one blank; the arguments are
// the user's text split the Windows way.
TCmdPiece GetAdditionalParams(const EncodingSettings& s);
// The same, with the plan's reader in place of the user's -demuxer where the plan says so.
TCmdPiece GetAdditionalParams(const TRowPlan& plan);
// A typed aspect ("16/9", "1,85") as "-aspect" takes it, or empty for Auto.
QString AspectArgument(const QString& typed);
// The audio encoder's name, used to look up the MP3 bit-rate table.
QString GetSelectedAudioCodecStr();
// The container's extension ("avi"), with a leading "." when includeDot.
QString GetExt(const EncodingSettings& s, bool includeDot);

// Decisions both engines' command lines share:
// the quality number of the chosen codec: x264's or x265's constant rate factor (0..51),
// SVT-AV1's (1..63) or Xvid's fixed quantizer (1..31), rounded;
int QualityNumber(const EncodingSettings& s);
// runs a typed value's check: its warning is sent on and is the failure's message;
TResult Checked(bool (*check)(const QString&, const TWarningSink&), const QString& text, const TWarningSink& warn);
// the x264 thread count: the one chosen, else AutoThreadCount ("auto": the encoder's own);
QString X264ThreadsText(const EncodingSettings& s, int processorCount);
// the MP3's sampling rate: the typed one (the caller checks it), 16000 for sound below what
// LAME takes, the faithful rate; empty: the source's own.
QString Mp3SampleRateText(const TRowPlan& plan);

// The x264 thread count for "Auto": processorCount is the cores this job may use, the
// machine's divided by the jobs that run side by side; 0 where one job runs alone: the
// encoder chooses for itself (the builders write "auto").
int AutoThreadCount(int processorCount);

// The "Auto" video bit rate in kbit/s, kept as an unsigned 16-bit number: the source's,
// cut down above 0.3 bit per pixel (of the scaled picture under a largest height), and
// never below 0.1 bit per pixel of the output's pictures nor below 64.
uint16_t GetAutoVideoBitrate(const TRowPlan& plan);
uint16_t GetAutoVideoBitrate(const EncodingSettings& s, const TVideoFileInfo& CurrentFileInfo);
// The "Auto" MP3 bit rate in kbit/s.
int GetAutoAudioBitrate(const TVideoFileInfo& CurrentFileInfo);
// The "Auto" bit rate of the settings' sound codec for the file's sound track (among its
// audio streams), in kbit/s: MP3's as above; AAC and Opus by the channels the output keeps
// (mono 96 and 64, stereo 160 and 128, more 64 and 48 a channel), never above the track's
// own rate where it is known, but at least 64.
int AutoSoundBitrate(const EncodingSettings& s, const TVideoFileInfo& info, int track = 0);

struct TResolution {
    int Width = 0;
    int Height = 0;
    bool operator==(const TResolution&) const = default;
};

// A resolution list entry ("640 x 480 - VGA", "50%") as a size, each side a multiple of
// 8; percentages are taken of the input size.
TResolution ParseResolutionEntry(const QString& entry, int inputWidth, int inputHeight);
