#pragma once

#include "encoding/CmdPiece.h"
#include "encoding/EncoderCommand.h"
#include "encoding/RowPlan.h"
#include "encoding/SettingsRules.h"

#include <QString>
#include <QStringList>

// The ffmpeg program's command line for one run of a row, built from the row's plan as the
// MEncoder builders build theirs: what the plan decided (tracks, filter chain, rate, sizes,
// the faithful adjustments) is followed, never decided again, so both engines make the same
// output of the same plan. An argument list, never a shell string, beside the text the
// preview, --cmdline and the error report show.
//
// Every setting row, as this command line takes it:
// - Video codec: Xvid by libxvid, or ffmpeg's own MPEG-4 encoder where the program lacks
//   it, tagged XVID in AVI; H.264 by libx264; HEVC by libx265, tagged hvc1 in MP4; AV1 by
//   libsvtav1. HEVC and AV1 go into MP4 and MKV only, and a program without their encoder
//   fails the command line with a sentence (FfmpegVideoRefusal). Pictures are 4:2:0, as
//   MEncoder writes them.
// - Size by, bit rate, quality: -b:v (the same Auto rate), -crf (H.264, HEVC and AV1, each
//   with its own quality row and scale), -q:v (Xvid's fixed quantizer). Two passes: -pass N
//   with -passlogfile; the first pass writes no output and no sound (ffmpeg names its log
//   PREFIX-0.log, and x264's PREFIX-0.log.mbtree beside it). libx265 ignores -pass: its
//   passes are -x265-params pass=N:stats=PREFIX-0.log (and x265's .cutree beside it).
//   libsvtav1 keeps no pass log through ffmpeg (5.1 and 7.1): AV1 is made in one pass at the
//   bit rate (TwoPassMadeAsOne), the row's note says so.
// - Threads, preset, tune: -threads, -preset, -tune for H.264. HEVC: the same preset words,
//   a typed thread count as x265's pools=N; AV1: SVT-AV1's numbered presets (ultrafast 12 ...
//   placebo 2), a typed thread count as its lp=N; under Auto both choose their own. Tune,
//   profile and level are H.264's only.
// - Frames per second: -r at the plan's rate. Force encoding of duplicate frames (or a rate
//   the plan follows with repeated pictures): -fps_mode cfr, repeated pictures encoded; else
//   vfr. The skip limit is MEncoder's alone: ffmpeg follows the timestamps and drops nothing
//   to keep the sound in step.
// - Aspect: -aspect; the plan's stated display shape (dsize) as setdar; a scale gives square
//   pixels (setsar=1), as MEncoder's do.
// - Resolution, width, height, largest height, deinterlacing, brightness, saturation, flips,
//   rotate: the plan's filter chain in its order, each filter as ffmpeg names it (MEncoder's
//   flip turns the picture upside down: vflip; its mirror is hflip; rotate=1 and rotate=2 are
//   transpose=clock and cclock; eq2 is eq). ffmpeg turns a picture upright as it reads it
//   and the output states no turn; the chain starts by undoing that turn, so that the plan's
//   chain, the player's turn in its place, works on the picture as it is stored.
// - Sound: MP3 by libmp3lame at the same bit rate (-b:a), ABR (-abr 1) or CBR, sampling
//   rate (-ar), channels (Stereo and Dual channel: -joint_stereo 0, the wrapper has no dual
//   mode; Joint-Stereo: -joint_stereo 1; Mono: -ac 1) and algorithm quality
//   (-compression_level); the plan's sound track by -map; No audio: -an. A sound offset is
//   kept by the timestamps; AVI has none for its sound, so a late start is filled with
//   silence (aresample).
// - Sound codec: AAC by ffmpeg's own aac encoder (into any container, though AVI players
//   seldom expect it), Opus by libopus into MKV only (a build without libopus, or another
//   container, fails the command line with a sentence saying what to choose instead). Both
//   take the typed bit rate or AutoSoundBitrate's, which follows each track's channels; the
//   MP3 table, ABR and algorithm quality are MP3's. Mono: -ac 1, the stereo modes -ac 2;
//   AAC takes the sampling rate, Opus keeps its own 48 kHz.
// - Keep all tracks: every sound track mapped, the plan's own first (a player's default
//   then), each at the rate of its own channels; the subtitle tracks (-map 0:s?) as they are
//   into MKV, MP4's text tracks as SubRip there, text as mov_text into MP4, none into AVI;
//   a kind of track the container cannot take leaves the subtitle tracks out. Languages,
//   titles, default and forced flags and chapters come along, as ffmpeg keeps them for the
//   streams it maps.
// - Key pictures at least every 5 seconds (-g, five times the rate; -force_key_frames where
//   the rate is not known). H.264 into MP4 is made for devices: High profile, and level
//   4.1 where the pictures fit it (8192 macroblocks each, 245760 a second); a larger or
//   faster picture gets x264's own level.
// - Burnt subtitles: a text track of the file or a text file beside it by the subtitles
//   filter (libass; the file's code page as charenc), drawn last as MEncoder draws them; a
//   picture track scaled to the picture (scale2ref) and laid over it (overlay), a DVD pair
//   beside the input laid over the picture made the size of their canvas and then its own
//   again, before the chain changes the picture's size. A track the plan leaves
//   unchosen (a reader MEncoder numbers its own way) is not burnt here either.
// - The source's title is written (-metadata title=).
// - Additional encoder command-line parameters: MEncoder's options, for MEncoder alone; the
//   reader the plan names, MEncoder's sync options (-mc, -noskip, -fps) and its muxers' x264
//   options are MEncoder's too: ffmpeg reads every input with libavformat.

enum class TFfmpegPass { Single, First, Second };

// One run's command line, or why it could not be built (a typed value that is not valid; the
// message has been sent to the warning sink too).
struct TFfmpegCommand {
    bool Ok = false;
    QString FailedPiece;    // "VParams" or "AParams" when !Ok
    QString FailureMessage;
    TCmdPiece Line;         // the arguments after the program's name, and their text
};

// The command line of one pass of the plan's row. encoders: what the ffmpeg program has
// (FfmpegEncoders); processorCount: for the Auto thread count. passLogFile is used for two
// passes only.
TFfmpegCommand BuildFfmpegCommand(const TRowPlan& plan, TFfmpegPass pass, const QString& input,
                                  const QString& output, const QString& passLogFile, const QStringList& encoders,
                                  int processorCount, const TWarningSink& warn);

// The row's runs (one, or two for two passes) as an encoder job: Runs, TwoPass, Ext, Plan and
// the paths filled in; the MEncoder pieces are left empty.
TEncoderJob BuildFfmpegJob(const TRowPlan& plan, int processorCount, const QString& input, const QString& output,
                           const QString& passLogFile, const QStringList& encoders, const TWarningSink& warn);

// The files two passes may leave under a pass-log prefix: PREFIX-0.log, its .mbtree (x264)
// and .cutree (x265), and each of them under .temp (a pass cut short).
QStringList FfmpegPassLogFiles(const QString& passLogFile);
// A value inside an encoder's key=value:key=value list (x265's pass log): ffmpeg splits it at
// ':' and '=' and takes a character after a backslash as it is.
QString FfmpegParamValue(const QString& value);

// Those of either engine: MEncoder's log and x264's tree beside it, then ffmpeg's.
QStringList PassLogFiles(const QString& passLogFile);

// Why ffmpeg cannot make the settings' video: HEVC or AV1 into a container that does not
// take it, or a program without the codec's encoder (encoders: FfmpegEncoders); empty when
// it can.
QString FfmpegVideoRefusal(const EncodingSettings& s, const QStringList& encoders);

// Why ffmpeg cannot make this row's picture: AV1 of a side under 64 pixels (SVT-AV1's
// least) where the program has no libaom to make it; empty when it can, or for a row of
// MEncoder's.
QString FfmpegPictureRefusal(const TRowPlan& plan, const QStringList& encoders);

// The plan's filter chain as ffmpeg's filters, in order (the rate mode and the stated shape are
// not among them).
QStringList FfmpegVideoFilters(const TRowPlan& plan);

// A text as one option value inside a filter graph: quoted for the filter's options, then
// escaped for the graph ("subtitles=filename=" + this).
QString FfmpegFilterValue(const QString& value);
