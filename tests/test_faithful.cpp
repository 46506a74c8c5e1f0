// Real footage and the traits families hold, through the real encoder under default
// settings: each output shows its input's pictures at their moments with the sound in lip
// sync (the program's content check ends the row "Done" only then), keeps its display
// shape, stands upright, lasts as long and starts its sound at the same moment (measured
// here with ffprobe, not with the program's own prober), for Xvid in AVI, x264 in MP4 and
// both in MKV, and on a clip or two for HEVC in MP4 and AV1 in MKV; what the encoder cannot
// make right ends its row with a reason.

#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace {

using TestSupport::Lines;

struct TProbe {
    double Aspect = 0;   // shown width ÷ height, the turn applied
    double Seconds = 0;  // the container's length
    double Played = 0;   // from the first packet to the end of the last one
    double Fps = 0;      // the declared rate
    std::optional<double> AudioStart;
    std::optional<double> VideoStart;
    QString Video;       // the codec's name and tag: "hevc,hvc1"
};

double Ratio(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 2 || parts[1].toDouble() <= 0)
        return 0;
    return parts[0].toDouble() / parts[1].toDouble();
}

// A JSON number or the number in a JSON string ("0.040000"); nullopt for neither.
std::optional<double> Number(const QJsonValue& v)
{
    if (v.isDouble())
        return v.toDouble();
    bool ok = false;
    const double d = v.toString().toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

// The first packet's time of one stream (what a player starts it at) and the last
// packet's end.
std::optional<double> FirstPacket(const QJsonArray& packets, int stream, double& end)
{
    std::optional<double> first;
    for (const QJsonValue& v : packets) {
        const QJsonObject packet = v.toObject();
        if (packet.value("stream_index").toInt(-1) != stream)
            continue;
        // an AVI's pictures carry only their decoding time
        const std::optional<double> pts = Number(packet.value("pts_time"));
        const std::optional<double> t = pts ? pts : Number(packet.value("dts_time"));
        // (a packet before time 0 is hidden by an edit list: no player shows it)
        if (!t || (*t < 0 && pts && *pts < 0))
            continue;
        if (!first || *t < *first)
            first = t;
        end = std::max(end, *t + Number(packet.value("duration_time")).value_or(0));
    }
    return first;
}

// What ffprobe reads of a file, in one run: its first picture stream and every packet.
TProbe Probe(const QString& file)
{
    TProbe p;
    const auto r = TestSupport::RunProgram(
        "ffprobe", {"-v", "error", "-show_entries",
                    "stream=index,codec_type,codec_name,codec_tag_string,width,height,sample_aspect_ratio,r_frame_rate:"
                    "stream_side_data=rotation:format=duration:packet=stream_index,pts_time,dts_time,duration_time",
                    "-of", "json", file});
    const QJsonObject all = QJsonDocument::fromJson(r.out).object();
    int video = -1, audio = -1;
    for (const QJsonValue& v : all.value("streams").toArray()) {
        const QJsonObject st = v.toObject();
        const QString type = st.value("codec_type").toString();
        if (type == "audio" && audio < 0)
            audio = st.value("index").toInt();
        if (type != "video" || video >= 0)
            continue;
        video = st.value("index").toInt();
        const double w = st.value("width").toDouble(), h = st.value("height").toDouble();
        double sar = Ratio(st.value("sample_aspect_ratio").toString());
        if (!(sar > 0))
            sar = 1;
        p.Aspect = h > 0 ? w * sar / h : 0;
        for (const QJsonValue& side : st.value("side_data_list").toArray())
            if (std::abs(std::lround(Number(side.toObject().value("rotation")).value_or(0))) % 180 == 90)
                p.Aspect = 1 / p.Aspect;
        p.Fps = Ratio(st.value("r_frame_rate").toString().replace('/', ':'));
        p.Video = st.value("codec_name").toString() + ',' + st.value("codec_tag_string").toString();
    }
    p.Seconds = Number(all.value("format").toObject().value("duration")).value_or(0);
    // sound that runs past the pictures makes the file longer than an AVI header says
    double audioEnd = 0;
    double videoEnd = 0;
    const QJsonArray packets = all.value("packets").toArray();
    if (audio >= 0)
        p.AudioStart = FirstPacket(packets, audio, audioEnd);
    if (video >= 0)
        p.VideoStart = FirstPacket(packets, video, videoEnd);
    if (p.AudioStart) {
        const double start = p.VideoStart ? std::min(*p.AudioStart, *p.VideoStart) : *p.AudioStart;
        p.Played = std::max(audioEnd - start, videoEnd - start);
        p.Seconds = std::max(p.Seconds, p.Played);
    }
    return p;
}

struct TTrait {
    const char* file;   // a clip of make_media.sh (traits/: make_traits.sh), or real/NAME of tests/data/real
    const char* what;
    // the output kinds (by name) where the encoder cannot make it right: the row ends with
    // a reason containing because, before any run or after the content check
    const char* refusedIn = "";
    const char* because = "";
    bool cut = false; // a copy broken off: it plays as long as its packets go, not its stated length
};

const TTrait Traits[] = {
    {"probe_pal_wide.mpg", "anamorphic PAL 16:9"},
    {"probe_rotated.mp4", "a phone clip turned a quarter"},
    {"probe_odd_size.mpg", "720x405"},
    // each 10-fps picture lasts two and a half of the first half's: repeated as often as it lasts
    {"probe_vfr.mp4", "2 s at 25 fps and 2 s at 10 fps, with sound"},
    // Matroska gives every picture the mean duration: the content check says so
    // (MEncoder's readers give every picture of a Matroska file the mean duration: FFmpeg converts it)
    {"probe_vfr.mkv", "the same without sound"},
    // (offsets into MP4 and MKV: FFmpeg keeps them)
    {"probe_late_audio.mp4", "sound 2 s after the picture"},
    {"probe_early_audio.mkv", "sound 1.5 s before the picture"},
    {"probe_nearly_still.avi", "a nearly still scene stored as empty chunks"},
    {"real/base_pal_wide.mpg", "a DVD menu, one picture shown 16:9"},
    // its last picture ends 2 s before the stream does (a still screen): FFmpeg holds it
    {"real/mahjongg-video.ogv", "an Ogg screen recording with uneven timing, a still end"},
    {"real/sage-example.avi", "84x33 at one picture a second (AV1 by libaom: under SVT-AV1's least)"},
    {"real/calais-1906-cut.ogv", "a Theora picture narrower than its frame (ffmpeg decodes it wider)"},
    {"traits/ffmpeg_25.avi", "an AVI as ffmpeg writes it (an empty chunk)"},
    {"traits/ffmpeg_2997_white.avi", "the same at 29.97 fps, a white picture first"},
    {"traits/camcorder.mts", "H.264 in MPEG-TS, as camcorders write it"},
    {"traits/late_picture_ts.ts", "MPEG-TS whose picture starts 0.5 s after the sound"},
    {"traits/late_picture.mkv", "a picture 0.5 s after the sound"},
    {"traits/phone_variable.mp4", "a phone's variable rate, 30 then 15 fps"},
    {"traits/pcm96k.mov", "96 kHz 24-bit PCM sound"},
    {"traits/trimmed.mp4", "a phone-trimmed MP4 (an edit list)"},
    // converted as far as it plays (its packets end): the length it states is not there
    {"traits/cut_short.mp4", "a copy broken off at two thirds", "", "", true},
    {"traits/ntsc.avi", "NTSC MPEG-4 with MP3 sound"},
    {"traits/two_pictures.mp4", "two pictures at one a second"},
    {"traits/interlaced.mkv", "interlaced H.264 in Matroska"},
};

QString Source(const TTrait& t)
{
    const QString name = QString::fromLatin1(t.file);
    if (name.startsWith("real/"))
        return QStringLiteral(VEXA_SOURCE_DIR "/tests/data/") + name;
    return TestSupport::Clip(name);
}

struct TOutputKind {
    const char* name;
    const char* codec;     // VideoCodec=
    const char* container; // OutputFormat=
    // An encoder too slow for every trait: the traits it converts (their files, blank
    // between), at the fastest preset in two passes, and its video as ffprobe names it and
    // tags it ("hevc,hvc1").
    const char* only = "";
    const char* video = "";
};

class Faithful : public ::testing::TestWithParam<TOutputKind> {};

TEST_P(Faithful, EveryTraitKeepsShapeLengthAndSound)
{
    if (!TestSupport::HaveTool("mencoder") || !TestSupport::HaveTool("ffprobe"))
        GTEST_SKIP() << "needs mencoder and ffprobe";
    const TOutputKind kind = GetParam();
    const QString dir = TestSupport::TestScratch(QStringLiteral("faithful_") + kind.name, {"home", "in", "out"});
    const QStringList only = QString::fromLatin1(kind.only).split(' ', Qt::SkipEmptyParts);
    std::vector<TTrait> traits;
    QStringList inputs;
    for (const TTrait& t : Traits) {
        if (!only.isEmpty() && !only.contains(QString::fromLatin1(t.file)))
            continue;
        const QString in = dir + "/in/" + QString::fromLatin1(t.file).replace('/', '_');
        ASSERT_TRUE(QFile::copy(Source(t), in)) << t.file;
        traits.push_back(t);
        inputs << in;
    }
    ASSERT_EQ(inputs.size(), only.isEmpty() ? qsizetype(std::size(Traits)) : only.size());
    QStringList args{"--home", dir + "/home", "--convert", "--jobs", "2", "--out-dir", dir + "/out"};
    args << "--set" << QStringLiteral("VideoCodec=") + kind.codec << "--set"
         << QStringLiteral("OutputFormat=") + kind.container;
    if (!only.isEmpty())
        args << "--set" << "VideoPreset=1" << "--set" << "Video2Pass=1";
    const auto r = TestSupport::RunVexaconv(args + inputs, {}, 600000);
    QHash<QString, QStringList> rows; // input -> its status line's fields
    for (const QString& line : Lines(r.out))
        rows.insert(line.section('\t', 1, 1), line.split('\t'));

    for (int i = 0; i < inputs.size(); ++i) {
        const TTrait& t = traits[size_t(i)];
        const QStringList fields = rows.value(inputs[i]);
        ASSERT_GE(fields.size(), 3) << t.what << "\n" << r.out.constData();
        if (QString::fromLatin1(t.refusedIn).split(' ').contains(QString::fromLatin1(kind.name))) {
            EXPECT_EQ(fields[0], "Error") << t.what;
            EXPECT_TRUE(fields.value(3).contains(QString::fromLatin1(t.because))) << t.what << ": "
                                                                                  << fields.value(3).toStdString();
            EXPECT_FALSE(QFileInfo::exists(fields[2])) << t.what;
            continue;
        }
        // (the two variable-rate clips share a base name: the second is numbered)
        EXPECT_TRUE(fields[0] == "Done" || fields[0] == "OK - Renamed") << t.what << ": "
                                                                         << fields.join(" | ").toStdString();
        EXPECT_EQ(QFileInfo(fields[2]).suffix(), QString::fromLatin1(kind.container).toLower()) << t.what;
        // the same inputs under every output kind: each read once
        static QHash<QString, TProbe> inputProbes;
        if (!inputProbes.contains(QString::fromLatin1(t.file)))
            inputProbes.insert(QString::fromLatin1(t.file), Probe(inputs[i]));
        TProbe in = inputProbes.value(QString::fromLatin1(t.file));
        const TProbe out = Probe(fields[2]);
        if (*kind.video) {
            EXPECT_EQ(out.Video, QString::fromLatin1(kind.video)) << t.what;
        }
        if (t.cut)
            in.Seconds = in.Played;
        ASSERT_GT(in.Aspect, 0) << t.what << ": ffprobe read no picture";
        EXPECT_NEAR(out.Aspect, in.Aspect, in.Aspect * 0.01) << t.what;
        // what the program's own check allows: 0.3 s, two pictures or 3 %
        const double picture = in.Fps > 0 ? 1 / in.Fps : 0;
        EXPECT_NEAR(out.Seconds, in.Seconds, std::max({0.3, 2 * picture, in.Seconds * 0.03})) << t.what;
        if (in.AudioStart && in.VideoStart) {
            ASSERT_TRUE(out.AudioStart && out.VideoStart) << t.what;
            // A picture that starts after the sound starts so in an AVI's header, or its first
            // picture is held from the sound's start (FFmpeg's constant rate): the content
            // check has seen the pictures after it at their moments either way.
            const double offset = *in.AudioStart - *in.VideoStart;
            const double kept = *out.AudioStart - *out.VideoStart;
            const bool held = offset < 0 && std::abs(kept) <= std::max(0.1, 2 * picture);
            if (!held) {
                EXPECT_NEAR(kept, offset, std::max(0.1, 2 * picture)) << t.what;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Outputs, Faithful,
                         ::testing::Values(TOutputKind{"xvid_avi", "Xvid", "AVI"}, TOutputKind{"x264_mp4", "H.264", "MP4"},
                                           TOutputKind{"xvid_mkv", "Xvid", "MKV"}, TOutputKind{"x264_mkv", "H.264", "MKV"},
                                           // x265's own two passes; AV1 one (a picture under 64x64 by libaom)
                                           TOutputKind{"hevc_mp4", "HEVC", "MP4", "probe_rotated.mp4", "hevc,hvc1"},
                                           TOutputKind{"av1_mkv", "AV1", "MKV", "probe_vfr.mp4 real/sage-example.avi",
                                                       "av1,[0][0][0][0]"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
