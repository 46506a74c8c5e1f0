#pragma once

#include "encoding/EncodingSettings.h"
#include "media/VideoFileInfo.h"

#include <QLocale>
#include <QString>
#include <QStringList>

// Which of a file's sound and subtitle tracks a conversion takes, by the user's list of
// languages ("de, en", "German"), and how the encoder is told. The encoder's readers number
// tracks differently (measured): its AVI and MOV readers by the stream's place in the file,
// the lavf reader (MP4, Matroska, WebM, Ogg, and any file read with -demuxer lavf) among the
// tracks of the kind. Its -alang and -slang take only the exact tag ("ger" misses "deu"), so
// the track is chosen here and named by number. A file read by another of its readers
// (MPEG-TS, MPEG-PS, ASF) keeps the encoder's own track.

// A language's key: ISO 639-1 where it has one ("de" for "de", "deu", "ger", "German",
// any case); an unknown word lower-cased; empty for an empty word.
QString LanguageKey(const QString& word);
// The keys of a typed list, separated by commas, semicolons or blanks; empty for Auto.
QStringList LanguageKeys(const QString& typed);
// Auto, or a list of words of two letters or more that each name a language.
bool IsLanguageListText(const QString& typed);
// The first of tracks (each a language code or name, as the file tags it) in the list's
// earliest language; -1 when none is in any.
int FirstTrackInLanguage(const QStringList& keys, const QList<QStringList>& tracks);

// A track as the choice by language weighs it.
struct TTrackTags {
    QStringList Language;   // its language code and name, as the file tags it
    bool Default = false;   // flagged as the one a player takes
    bool Secondary = false; // a commentary, a description for the blind, sound for the hard of hearing
};
// The track of the list's earliest language that has one; of several in it, the
// default-flagged one, then one that is not secondary, then the first. -1 when none is in any.
int PreferredTrackInLanguage(const QStringList& keys, const QList<TTrackTags>& tracks);
// Whether a sound track is a commentary, a description for the blind or sound for the hard
// of hearing: by the file's flags, else by its title ("Commentary", "Hörfilm").
bool IsSecondarySoundTrack(const TVideoFileInfo& info, int track);

// The reader's way of numbering tracks.
enum class TTrackNumbering { FilePlace, KindOrder, Unknown };
TTrackNumbering TrackNumbering(const TVideoFileInfo& info, const QString& demuxer);

struct TSoundChoice {
    int Track = -1;        // among the audio streams; -1: the encoder's own choice
    int DefaultTrack = 0;  // the track the encoder takes unless told
    QString Aid;           // "-aid" for the reader the command line uses; empty: none
};
// The sound track for the reader the command line names ("lavf", "mov"; empty: the encoder's own).
TSoundChoice ChooseSoundTrack(const EncodingSettings& s, const TVideoFileInfo& info, const QString& reader);
// The sound track (among the audio streams) the output carries: the chosen one, else the
// one the reader takes by itself (its default-flagged one for the lavf reader, the first
// elsewhere). The content check listens to it.
int ConvertedSoundTrack(const TSoundChoice& chosen, const TVideoFileInfo& info, const QString& reader);

// The items of the subtitle list, by index.
enum class TSubtitleMode { None, Language, Forced, FileBeside };

struct TSubtitleChoice {
    int Track = -1;        // among the subtitle streams; -1: none from the file
    QString Sid;           // "-sid" for the reader the command line uses
    bool Pictures = false; // the track's subtitles are pictures (DVD, Blu-ray, DVB), which libass leaves out
    QString File;          // a subtitle file beside the input (text, or a DVD pair's .idx); empty: none
    QString CodePage;      // a text file's encoding, for -subcp; empty: unknown (unreadable)
    QString VobSub;        // a DVD pair (.idx and .sub): its path without the extension, for -vobsub
    QString VobSubId;      // the pair's track, for -vobsubid
};
// The subtitles for the reader the command line names, as ChooseSoundTrack.
TSubtitleChoice ChooseSubtitles(const EncodingSettings& s, const TVideoFileInfo& info, const QString& reader);

// A subtitle file with the input's base name (.srt, .ass, .ssa, .idx with its .sub, a text
// .sub), or empty.
QString SubtitleFileBeside(const QString& input);

// Whether a subtitle format (as MediaInfo names it: "VobSub", "PGS") is made of pictures.
bool IsPictureSubtitleFormat(const QString& format);

// The encoding of a subtitle file's text, as the encoder's -subcp (iconv) names it: UTF-8 or
// UTF-16 by a byte-order mark, UTF-8 when all of it is valid UTF-8, else the 8-bit code page
// of the language of locale.
QString SubtitleCodePage(const QByteArray& text, const QLocale& locale);
// The 8-bit code page text in a locale's language was written in before UTF-8: "cp1252"
// for the Western European languages, "cp1250" for Polish and Czech, "cp1251" for Russian.
QString EightBitCodePage(const QLocale& locale);
// The track of an .idx file the encoder is told to burn: the one the file names as its
// default (langidx), else its first.
QString VobSubTrack(const QByteArray& idx);

// What happens to a file's sound tracks and subtitles, in plain sentences for the check
// before a batch; nothing for a file with one sound track and no subtitles to speak of.
QStringList TrackNotes(const EncodingSettings& s, const TVideoFileInfo& info, const TSoundChoice& sound,
                       const TSubtitleChoice& subtitles);
