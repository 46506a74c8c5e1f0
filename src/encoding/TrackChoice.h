#pragma once

#include "encoding/EncodingSettings.h"
#include "media/VideoFileInfo.h"

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

// The reader's way of numbering tracks.
enum class TTrackNumbering { FilePlace, KindOrder, Unknown };
TTrackNumbering TrackNumbering(const TVideoFileInfo& info, const QString& demuxer);

struct TSoundChoice {
    int Track = -1;        // among the audio streams; -1: the encoder's own choice
    int DefaultTrack = 0;  // the track the encoder takes unless told
    QString Aid;           // "-aid" for the reader the command line uses; empty: none
    QString LavfAid;       // "-aid" for the lavf reader (the remedy's run)
};
TSoundChoice ChooseSoundTrack(const EncodingSettings& s, const TVideoFileInfo& info);
// The sound track (among the audio streams) the output carries: the chosen one, else the
// one the reader takes by itself (its default-flagged one for the lavf reader, the first
// elsewhere). The content check listens to it.
int ConvertedSoundTrack(const EncodingSettings& s, const TVideoFileInfo& info);

// The items of the subtitle list, by index.
enum class TSubtitleMode { None, Language, Forced, FileBeside };

struct TSubtitleChoice {
    int Track = -1;        // among the subtitle streams; -1: none from the file
    QString Sid;           // "-sid" for the reader the command line uses
    QString File;          // a subtitle file beside the input; empty: none
};
TSubtitleChoice ChooseSubtitles(const EncodingSettings& s, const TVideoFileInfo& info);

// A subtitle file with the input's base name (.srt, .ass, .ssa, .sub), or empty.
QString SubtitleFileBeside(const QString& input);

// What happens to a file's sound tracks and subtitles, in plain sentences for the check
// before a batch; nothing for a file with one sound track and no subtitles to speak of.
QStringList TrackNotes(const EncodingSettings& s, const TVideoFileInfo& info);
