#include "encoding/TrackChoice.h"

#include "encoding/SettingsRules.h"

#include "lib/TextFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

struct TLanguage {
    const char* Part1;  // ISO 639-1
    const char* Part2T; // ISO 639-2, terminology
    const char* Part2B; // ISO 639-2, bibliographic (files often carry this one)
    const char* Name;   // the English name MediaInfo gives
};

// The languages films are most often dubbed or subtitled in.
constexpr TLanguage Languages[] = {
    {"ar", "ara", "ara", "arabic"},     {"bg", "bul", "bul", "bulgarian"},  {"ca", "cat", "cat", "catalan"},
    {"cs", "ces", "cze", "czech"},      {"da", "dan", "dan", "danish"},     {"de", "deu", "ger", "german"},
    {"el", "ell", "gre", "greek"},      {"en", "eng", "eng", "english"},    {"es", "spa", "spa", "spanish"},
    {"et", "est", "est", "estonian"},   {"fa", "fas", "per", "persian"},    {"fi", "fin", "fin", "finnish"},
    {"fr", "fra", "fre", "french"},     {"he", "heb", "heb", "hebrew"},     {"hi", "hin", "hin", "hindi"},
    {"hr", "hrv", "hrv", "croatian"},   {"hu", "hun", "hun", "hungarian"},  {"id", "ind", "ind", "indonesian"},
    {"is", "isl", "ice", "icelandic"},  {"it", "ita", "ita", "italian"},    {"ja", "jpn", "jpn", "japanese"},
    {"ko", "kor", "kor", "korean"},     {"lt", "lit", "lit", "lithuanian"}, {"lv", "lav", "lav", "latvian"},
    {"nl", "nld", "dut", "dutch"},      {"no", "nor", "nor", "norwegian"},  {"pl", "pol", "pol", "polish"},
    {"pt", "por", "por", "portuguese"}, {"ro", "ron", "rum", "romanian"},   {"ru", "rus", "rus", "russian"},
    {"sk", "slk", "slo", "slovak"},     {"sl", "slv", "slv", "slovenian"},  {"sr", "srp", "srp", "serbian"},
    {"sv", "swe", "swe", "swedish"},    {"th", "tha", "tha", "thai"},       {"tr", "tur", "tur", "turkish"},
    {"uk", "ukr", "ukr", "ukrainian"},  {"vi", "vie", "vie", "vietnamese"}, {"zh", "zho", "chi", "chinese"},
};

// MediaInfo tags a region too ("en-US", "pt-BR"): the language is the part before it.
QString WithoutRegion(const QString& word)
{
    const qsizetype dash = word.indexOf(QRegularExpression(QStringLiteral("[-_]")));
    return dash > 0 && word.size() <= 8 ? word.left(dash) : word;
}

const TLanguage* FindLanguage(const QString& lower)
{
    for (const TLanguage& l : Languages)
        if (lower == QLatin1String(l.Part1) || lower == QLatin1String(l.Part2T) || lower == QLatin1String(l.Part2B) ||
            lower == QLatin1String(l.Name))
            return &l;
    return nullptr;
}

QString Number(int n) { return QString::number(n); }

// The encoder's number of a track: its place in the file, or its place among its kind.
QString TrackId(TTrackNumbering numbering, int kindOrder, int filePlace)
{
    switch (numbering) {
    case TTrackNumbering::FilePlace:
        return Number(filePlace);
    case TTrackNumbering::KindOrder:
        return Number(kindOrder);
    case TTrackNumbering::Unknown:
        break;
    }
    return QString();
}

// A file's first bytes, up to limit; empty when it cannot be read.
QByteArray ReadHead(const QString& path, qint64 limit)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(limit) : QByteArray();
}

// Subtitle files are small; a bigger one is read no further than this.
constexpr qint64 SubtitleTextLimit = 64 << 20;

// A DVD subtitle file (.sub) is an MPEG program stream, starting with a pack header.
bool IsProgramStream(const QString& path) { return ReadHead(path, 4) == QByteArrayLiteral("\x00\x00\x01\xBA"); }

// The file base + ext, in lower or upper case, when it exists.
QString FileWithExtension(const QString& base, const QString& ext)
{
    for (const QString& e : {ext, ext.toUpper()}) {
        const QFileInfo candidate(base + e);
        if (candidate.isFile())
            return candidate.filePath();
    }
    return QString();
}

QString TrackName(const QString& language, int number)
{
    //: A sound or subtitle track without a language tag; %1 is its number, from 1
    return language.isEmpty() ? QCoreApplication::translate("TrackChoice", "track %1").arg(number) : language;
}

} // namespace

QString LanguageKey(const QString& word)
{
    const QString lower = WithoutRegion(word.trimmed()).toLower();
    const TLanguage* l = FindLanguage(lower);
    return l ? QLatin1String(l->Part1) : lower;
}

QStringList LanguageKeys(const QString& typed)
{
    if (typed.trimmed().isEmpty() || IsAutoText(typed))
        return {};
    QStringList keys;
    for (const QString& word : typed.split(QRegularExpression(QStringLiteral("[,;\\s]+")), Qt::SkipEmptyParts))
        keys << LanguageKey(word);
    return keys;
}

bool IsLanguageListText(const QString& typed)
{
    if (typed.trimmed().isEmpty() || IsAutoText(typed))
        return true;
    const QStringList keys = LanguageKeys(typed);
    static const QRegularExpression word(QStringLiteral("^[a-z]{2,}$"));
    return !keys.isEmpty() && std::all_of(keys.begin(), keys.end(), [](const QString& k) { return word.match(k).hasMatch(); });
}

int FirstTrackInLanguage(const QStringList& keys, const QList<QStringList>& tracks)
{
    QList<TTrackTags> tags;
    for (const QStringList& language : tracks)
        tags.append({language});
    return PreferredTrackInLanguage(keys, tags);
}

int PreferredTrackInLanguage(const QStringList& keys, const QList<TTrackTags>& tracks)
{
    const auto in = [](const TTrackTags& track, const QString& key) {
        return std::any_of(track.Language.begin(), track.Language.end(),
                           [&key](const QString& tag) { return !tag.isEmpty() && LanguageKey(tag) == key; });
    };
    const auto rank = [](const TTrackTags& track) { return (track.Default ? 0 : 2) + (track.Secondary ? 1 : 0); };
    for (const QString& key : keys) {
        int best = -1;
        for (int t = 0; t < tracks.size(); ++t)
            if (in(tracks.at(t), key) && (best < 0 || rank(tracks.at(t)) < rank(tracks.at(best))))
                best = t;
        if (best >= 0)
            return best;
    }
    return -1;
}

bool IsSecondarySoundTrack(const TVideoFileInfo& info, int track)
{
    // libav's flags count the streams as MediaInfo does unless the two list different ones
    const TAvProbeInfo& p = info.Probe;
    if (p.AudioStreamCount == info.NumberOfAudioStreams && track < 64 && (p.SecondaryAudio >> track & 1))
        return true;
    // the words films name such tracks by, in the languages they are most often in
    static const QRegularExpression words(
        QStringLiteral("commentary|kommentar|commentaire|comentario|commento|audio ?descri|audiodeskription|"
                       "h\u00f6rfilm|\\bsdh\\b|impaired"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    return words.match(info.AudioStreams[size_t(track)].Title).hasMatch();
}

TTrackNumbering TrackNumbering(const TVideoFileInfo& info, const QString& demuxer)
{
    if (demuxer == QLatin1String("lavf"))
        return TTrackNumbering::KindOrder;
    if (demuxer == QLatin1String("mov"))
        return TTrackNumbering::FilePlace;
    if (!demuxer.isEmpty())
        return TTrackNumbering::Unknown;
    const QString format = info.Format;
    if (format == QLatin1String("AVI"))
        return TTrackNumbering::FilePlace;
    // the formats the encoder hands to its lavf reader on its own
    for (const char* lavf : {"Matroska", "WebM", "MPEG-4", "QuickTime", "Ogg", "Flash Video"})
        if (format == QLatin1String(lavf))
            return TTrackNumbering::KindOrder;
    return TTrackNumbering::Unknown;
}

TSoundChoice ChooseSoundTrack(const EncodingSettings& s, const TVideoFileInfo& info, const QString& reader)
{
    TSoundChoice c;
    const int count = std::min(int(info.NumberOfAudioStreams), MaxAudioStreams);
    QList<TTrackTags> tracks;
    for (int i = 0; i < count; ++i) {
        const TAudioStreamInfo& a = info.AudioStreams[size_t(i)];
        tracks.append({{a.LanguageCode, a.Language}, a.Default, IsSecondarySoundTrack(info, i)});
        if (a.Default && c.DefaultTrack == 0 && !info.AudioStreams[0].Default)
            c.DefaultTrack = i;
    }
    if (s.noAudio || count < 2)
        return c;
    const int track = PreferredTrackInLanguage(LanguageKeys(s.soundLanguage.Text), tracks);
    if (track < 0)
        return c;
    const TTrackNumbering numbering = TrackNumbering(info, reader);
    c.Aid = TrackId(numbering, track, info.AudioStreams[size_t(track)].StreamIndex);
    if (c.Aid.isEmpty())
        return c;
    c.Track = track;
    return c;
}

int ConvertedSoundTrack(const TSoundChoice& c, const TVideoFileInfo& info, const QString& reader)
{
    if (c.Track >= 0)
        return c.Track;
    return TrackNumbering(info, reader) == TTrackNumbering::KindOrder ? c.DefaultTrack : 0;
}

TSubtitleChoice ChooseSubtitles(const EncodingSettings& s, const TVideoFileInfo& info, const QString& reader)
{
    TSubtitleChoice c;
    const TSubtitleMode mode = TSubtitleMode(s.subtitles);
    if (mode == TSubtitleMode::FileBeside) {
        c.File = SubtitleFileBeside(info.FileName);
        if (c.File.endsWith(QLatin1String(".idx"))) {
            c.VobSub = c.File.chopped(4);
            c.VobSubId = VobSubTrack(ReadHead(c.File, SubtitleTextLimit));
        } else if (!c.File.isEmpty()) {
            QFile f(c.File);
            if (f.open(QIODevice::ReadOnly) && f.size() <= SubtitleTextLimit)
                c.CodePage = SubtitleCodePage(f.readAll(), QLocale());
        }
        return c;
    }
    const int count = std::min(int(info.NumberOfTextStreams), MaxTextStreams);
    int track = -1;
    if (mode == TSubtitleMode::Language) {
        QList<QStringList> tracks;
        for (int i = 0; i < count; ++i)
            tracks << QStringList{info.TextStreams[size_t(i)].LanguageCode, info.TextStreams[size_t(i)].Language};
        track = FirstTrackInLanguage(LanguageKeys(s.subtitleLanguage.Text), tracks);
    } else if (mode == TSubtitleMode::Forced) {
        // the encoder's -forcedsubsonly picks no track: it only drops a DVD track's unforced pictures
        for (int i = 0; i < count && track < 0; ++i)
            if (info.TextStreams[size_t(i)].Forced)
                track = i;
    }
    if (track < 0)
        return c;
    const TTrackNumbering numbering = TrackNumbering(info, reader);
    c.Sid = TrackId(numbering, track, info.TextStreams[size_t(track)].StreamIndex);
    if (!c.Sid.isEmpty()) {
        c.Track = track;
        c.Pictures = IsPictureSubtitleFormat(info.TextStreams[size_t(track)].Format);
    }
    return c;
}

QString SubtitleFileBeside(const QString& input)
{
    if (input.isEmpty())
        return QString();
    const QFileInfo fi(input);
    const QString base = fi.path() + QLatin1Char('/') + fi.completeBaseName() + QLatin1Char('.');
    for (const char* ext : {"srt", "ass", "ssa"})
        if (const QString file = FileWithExtension(base, QString::fromLatin1(ext)); !file.isEmpty())
            return file;
    // the encoder opens a DVD pair by its lower-case names alone
    const QString idx = base + QStringLiteral("idx"), sub = base + QStringLiteral("sub");
    if (QFileInfo(idx).isFile() && QFileInfo(sub).isFile())
        return idx;
    // a .sub of text (MicroDVD, SubViewer), not the pictures of a pair without its .idx
    if (const QString file = FileWithExtension(base, QStringLiteral("sub")); !file.isEmpty() && !IsProgramStream(file))
        return file;
    return QString();
}

bool IsPictureSubtitleFormat(const QString& format)
{
    for (const char* pictures : {"VobSub", "PGS", "DVB Subtitle"})
        if (format.compare(QLatin1String(pictures), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString SubtitleCodePage(const QByteArray& text, const QLocale& locale)
{
    if (text.startsWith("\xEF\xBB\xBF") || TextFile::IsValidUtf8(text))
        return QStringLiteral("utf-8");
    if (text.startsWith("\xFF\xFE") || text.startsWith("\xFE\xFF"))
        return QStringLiteral("utf-16");
    return EightBitCodePage(locale);
}

QString EightBitCodePage(const QLocale& locale)
{
    switch (locale.language()) {
    case QLocale::Albanian:
    case QLocale::Bosnian:
    case QLocale::Croatian:
    case QLocale::Czech:
    case QLocale::Hungarian:
    case QLocale::Polish:
    case QLocale::Romanian:
    case QLocale::Slovak:
    case QLocale::Slovenian:
        return QStringLiteral("cp1250");
    case QLocale::Serbian:
        return locale.script() == QLocale::LatinScript ? QStringLiteral("cp1250") : QStringLiteral("cp1251");
    case QLocale::Belarusian:
    case QLocale::Bulgarian:
    case QLocale::Macedonian:
    case QLocale::Russian:
    case QLocale::Ukrainian:
        return QStringLiteral("cp1251");
    case QLocale::Greek:
        return QStringLiteral("cp1253");
    case QLocale::Azerbaijani:
    case QLocale::Turkish:
        return QStringLiteral("cp1254");
    case QLocale::Hebrew:
        return QStringLiteral("cp1255");
    case QLocale::Arabic:
    case QLocale::Persian:
    case QLocale::Urdu:
        return QStringLiteral("cp1256");
    case QLocale::Estonian:
    case QLocale::Latvian:
    case QLocale::Lithuanian:
        return QStringLiteral("cp1257");
    case QLocale::Vietnamese:
        return QStringLiteral("cp1258");
    case QLocale::Thai:
        return QStringLiteral("cp874");
    case QLocale::Japanese:
        return QStringLiteral("cp932");
    case QLocale::Korean:
        return QStringLiteral("cp949");
    case QLocale::Chinese:
        return locale.script() == QLocale::TraditionalChineseScript ? QStringLiteral("big5") : QStringLiteral("gbk");
    default:
        return QStringLiteral("cp1252");
    }
}

QString VobSubTrack(const QByteArray& idx)
{
    static const QRegularExpression langidx(QStringLiteral("^langidx:\\s*(\\d+)"), QRegularExpression::MultilineOption);
    static const QRegularExpression id(QStringLiteral("^id:[^,\\n]*,\\s*index:\\s*(\\d+)"),
                                       QRegularExpression::MultilineOption);
    const QString text = QString::fromLatin1(idx);
    if (const QRegularExpressionMatch m = langidx.match(text); m.hasMatch())
        return m.captured(1);
    if (const QRegularExpressionMatch m = id.match(text); m.hasMatch())
        return m.captured(1);
    return QStringLiteral("0");
}

QStringList TrackNotes(const EncodingSettings& s, const TVideoFileInfo& info, const TSoundChoice& sound,
                       const TSubtitleChoice& subtitles)
{
    QStringList notes;
    const int sounds = std::min(int(info.NumberOfAudioStreams), MaxAudioStreams);
    if (!s.noAudio && sounds >= 2) {
        const int track = sound.Track >= 0 ? sound.Track : sound.DefaultTrack;
        const TAudioStreamInfo& a = info.AudioStreams[size_t(track)];
        const QString name = TrackName(a.Language, track + 1);
        if (const QString title = a.Title.trimmed(); !title.isEmpty())
            //: The check before a batch; %1 the number of sound tracks (2 or more), %2 a language ("German") or
            //: "track 2", %3 the track's title as the file names it ("Director's commentary")
            notes << QCoreApplication::translate("TrackChoice", "%1 sound tracks; the %2 one, \"%3\", is converted")
                         .arg(sounds)
                         .arg(name, title);
        else
            //: The check before a batch; %1 the number of sound tracks (2 or more), %2 a language ("German") or "track 2"
            notes << QCoreApplication::translate("TrackChoice", "%1 sound tracks; the %2 one is converted")
                         .arg(sounds)
                         .arg(name);
    }
    const TSubtitleMode mode = TSubtitleMode(s.subtitles);
    const int texts = std::min(int(info.NumberOfTextStreams), MaxTextStreams);
    if (mode == TSubtitleMode::None) {
        if (texts > 0)
            notes << QCoreApplication::translate("TrackChoice", "%n subtitle track(s) left out", nullptr, texts);
        return notes;
    }
    const TSubtitleChoice& c = subtitles;
    if (!c.File.isEmpty()) {
        //: %1 is a file name
        notes << QCoreApplication::translate("TrackChoice", "the subtitles of %1 are burnt into the picture")
                     .arg(QFileInfo(c.File).fileName());
    } else if (c.Track >= 0) {
        notes << QCoreApplication::translate("TrackChoice", "the %1 subtitles are burnt into the picture")
                     .arg(TrackName(info.TextStreams[size_t(c.Track)].Language, c.Track + 1));
    } else {
        notes << QCoreApplication::translate("TrackChoice", "no subtitles to burn");
    }
    return notes;
}
