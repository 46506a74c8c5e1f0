#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <span>

// The output containers. Everything that differs between them is a row here: the list's
// caption, the word profiles and --set store, the file name's extension, what the encoder
// is told, and how the output check knows a good file. A new container is a new row.
enum class TContainer { Avi = 0, Mp4 = 1, Mkv = 2 }; // the values are the list's positions

struct TContainerRow {
    TContainer Id;
    QLatin1StringView Word;          // the caption and the stored word: "AVI"
    QLatin1StringView Extension;     // without the dot
    QLatin1StringView LavfFormat;    // the lavf muxer's name; empty: the encoder's own AVI writer
    QLatin1StringView X264Options;   // what x264 adds for this muxer, or empty
    QLatin1StringView CheckedFormat; // MediaInfo's name of the file's format
    // Sound that starts after the first picture keeps its distance (the AVI header has a
    // field for it; the lavf muxers drop an -audio-delay).
    bool KeepsLateSound;
    // FFmpeg's muxer: "avi", "mp4", "matroska".
    QLatin1StringView FfmpegFormat;
    // The video is tagged by a four-character code (AVI), so Xvid's own (XVID) is written.
    bool FourCc;
    // The index goes in front, so that a player starts before the whole file is there (MP4).
    bool FastStart;
    // The sound has no timestamps of its own: a gap or a late start is filled with silence (AVI).
    bool SoundWithoutTimes;
    // Opus sound goes in (MKV; players of MP4 and AVI seldom play it).
    bool TakesOpus;
    // How FFmpeg writes the subtitle tracks it keeps: "copy" (MKV takes text and picture
    // tracks as they are), "mov_text" (MP4 takes text only); empty: none kept (AVI).
    QLatin1StringView SubtitleTracks;
    // H.264 is made for devices: High profile, level 4.1 where the picture fits it (MP4).
    bool DeviceH264;
    // HEVC and AV1 video go in (MP4, MKV; AVI has no sensible tag for either).
    bool TakesHevcAv1;
    // The tag HEVC is written under, or empty for the muxer's own: "hvc1" in MP4, the one
    // Apple's players play (the parameter sets in the header, not in the stream).
    QLatin1StringView HevcTag;
};

std::span<const TContainerRow> Containers();
// What the video options end with for the row: "-of lavf -lavfopts format=NAME", or none.
QStringList MuxerArgs(const TContainerRow& row);
// Any other value (a damaged setting) reads as the first row.
const TContainerRow& ContainerRow(TContainer id);
// Case and surrounding blanks do not count; nullopt for a word no row has.
std::optional<TContainer> ContainerFromWord(const QString& word);
// The list's captions in row order.
QStringList ContainerWords();
