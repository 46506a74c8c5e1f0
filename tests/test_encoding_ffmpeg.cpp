#include "support/AnalyseFile.h"
#include "support/DvdSubtitles.h"
#include "support/TestSupport.h"
#include "encoding/CmdPiece.h"
#include "encoding/EncodingSettings.h"
#include "encoding/CmdLinePreview.h"
#include "encoding/FfmpegCommand.h"
#include "encoding/RowPlan.h"
#include "encoding/SettingRows.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

// The FFmpeg engine's command lines, from plans of synthetic records: what each plan decided
// shows on the line, and the text is the arguments.

namespace {

const QString IN = QStringLiteral("/media/in put/clip.mkv");
const QString OUT = QStringLiteral("/media/out/.clip.vexa-1-1.avi");
const QString LOG = QStringLiteral("/tmp/vexa pass");
const QStringList Debian{"libx264", "libxvid", "mpeg4", "libmp3lame", "libx265", "libsvtav1"};
const QStringList WithOpus = Debian + QStringList{"aac", "libopus"};

EncodingSettings Defaults(int codec = 0)
{
    EncodingSettings s;
    SetDefaultParams(s, codec);
    return s;
}

// 320 x 240 at 25 fps, 44.1 kHz sound at 128 kbit/s unless sound is 0, as a full analysis gives it.
TVideoFileInfo Clip(int sounds = 1, int width = 320, int height = 240)
{
    TVideoFileInfo info;
    info.FileName = IN;
    info.Format = QStringLiteral("Matroska");
    info.NumberOfVideoStreams = 1;
    TVideoStreamInfo& v = info.VideoStreams[0];
    v.Exists = true;
    v.Width = uint16_t(width);
    v.Height = uint16_t(height);
    v.FPS = 25;
    v.Bitrate = 400;
    v.BitsPerPixel = 0.2;
    v.ScanType = QStringLiteral("Progressive");
    info.NumberOfAudioStreams = uint8_t(sounds);
    for (int i = 0; i < sounds; ++i) {
        TAudioStreamInfo& a = info.AudioStreams[size_t(i)];
        a.Exists = true;
        a.SamplingRate = 44100;
        a.Bitrate = 128;
        a.LanguageCode = i == 0 ? QStringLiteral("en") : QStringLiteral("de");
    }
    info.Probe.Opened = true;
    info.Probe.HasVideo = true;
    info.Probe.HasAudio = sounds > 0;
    info.Probe.Container = QStringLiteral("matroska,webm");
    return info;
}

} // namespace

TEST(FfmpegCommand, EachPlanOnItsLine)
{
    const struct {
        const char* name;
        std::function<TRowPlan()> plan;
        TFfmpegPass pass;
        QStringList encoders;
        QString text;
    } cases[] = {
        {"AVI, Xvid and MP3 by default",
         [] { return RowPlan(Defaults(), Clip()); }, TFfmpegPass::Single, Debian,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -map 0:a:0 -c:v libxvid -b:v 400k -g 125 -vtag XVID -pix_fmt yuv420p -r 25.000 -fps_mode cfr "
         "-c:a libmp3lame -b:a 128k -af aresample=async=1:first_pts=0,atrim=start=0.025057 -avoid_negative_ts disabled -f avi \"/media/out/.clip.vexa-1-1.avi\""},
        {"a still end held for as long as the source states",
         [] {
             TVideoFileInfo still = Clip(0);
             still.Probe.StillEndMs = 2067;
             return RowPlanBy(TEngine::FFmpeg, Defaults(), still);
         },
         TFfmpegPass::Single, Debian,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -vf tpad=stop_mode=clone:stop_duration=2.067 -c:v libxvid -b:v 400k -g 125 -vtag XVID -pix_fmt yuv420p "
         "-r 25.000 -fps_mode cfr -an -avoid_negative_ts disabled -f avi \"/media/out/.clip.vexa-1-1.avi\""},
        {"two recordings glued into one Matroska file: the second's times count on from the first's",
         [] {
             TVideoFileInfo glued = Clip();
             glued.Probe.PlayedMs = 5880;
             EncodingSettings s = Defaults();
             s.container = TContainer::Mkv;
             return RowPlan(s, glued);
         },
         TFfmpegPass::Single, Debian,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -vf setpts=N/FRAME_RATE/TB -map 0:a:0 -c:v libxvid -b:v 400k -g 125 -pix_fmt yuv420p -r 25.000 "
         "-fps_mode cfr -c:a libmp3lame -b:a 128k -af asetpts=N/SR/TB -f matroska \"/media/out/.clip.vexa-1-1.avi\""},
        {"an uneven rate (a recording with a gap): written at its highest, not at the mean MEncoder reads it at",
         [] {
             TVideoFileInfo uneven = Clip(0);
             uneven.Probe.VariableRate = true;
             uneven.Probe.MeanFps = 25.03;
             uneven.Probe.PeakFps = 30;
             EncodingSettings s = Defaults();
             s.container = TContainer::Mkv;
             return RowPlan(s, uneven);
         },
         TFfmpegPass::Single, Debian,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -c:v libxvid -b:v 400k -g 150 -pix_fmt yuv420p -r 30.000 -fps_mode cfr -an -f matroska "
         "\"/media/out/.clip.vexa-1-1.avi\""},
        {"ffmpeg's own MPEG-4 encoder without libxvid, at a fixed quantizer",
         [] {
             EncodingSettings s = Defaults();
             s.videoRateControl = RateByQuality;
             s.xvidQuality = 3.4;
             return RowPlan(s, Clip());
         },
         TFfmpegPass::Single, QStringList{"mpeg4"},
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -map 0:a:0 -c:v mpeg4 -q:v 3 -g 125 -vtag XVID -pix_fmt yuv420p -r 25.000 -fps_mode cfr "
         "-c:a libmp3lame -b:a 128k -af aresample=async=1:first_pts=0,atrim=start=0.025057 -avoid_negative_ts disabled -f avi \"/media/out/.clip.vexa-1-1.avi\""},
        {"MP4, x264 two passes: the first measures only",
         [] {
             EncodingSettings s = Defaults(1);
             s.container = TContainer::Mp4;
             s.videoBitrate.Text = "1000";
             s.twoPass = true;
             s.preset = TX264Preset::Slow;
             s.x264Tune = 1;
             s.threads = 3;
             return RowPlan(s, Clip());
         },
         TFfmpegPass::First, Debian,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -c:v libx264 -preset slow -tune film -threads 3 -b:v 1000k -g 125 -profile:v high -level:v 4.1 -pix_fmt yuv420p -r 25.000 "
         "-fps_mode cfr -pass 1 -passlogfile \"/tmp/vexa pass\" -an -f null -"},
        {"MP4, x264 two passes: the second writes, fast start",
         [] {
             EncodingSettings s = Defaults(1);
             s.container = TContainer::Mp4;
             s.videoBitrate.Text = "1000";
             s.twoPass = true;
             return RowPlan(s, Clip());
         },
         TFfmpegPass::Second, Debian,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -map 0:a:0 -c:v libx264 -threads 4 -b:v 1000k -g 125 -profile:v high -level:v 4.1 -pix_fmt yuv420p -r 25.000 -fps_mode cfr "
         "-pass 2 -passlogfile \"/tmp/vexa pass\" -c:a libmp3lame -b:a 128k -f mp4 -movflags +faststart "
         "\"/media/out/.clip.vexa-1-1.avi\""},
        {"MKV, x264 quality, the German sound track, a subtitle file beside it in Latin-1",
         [] {
             EncodingSettings s = Defaults(1);
             s.container = TContainer::Mkv;
             s.videoRateControl = RateByQuality;
             s.soundLanguage.Text = "German";
             TRowPlan plan = RowPlan(s, Clip(2));
             plan.Subtitles.File = "/media/in put/it's [a],b;c.srt";
             plan.Subtitles.CodePage = "cp1252";
             return plan;
         },
         TFfmpegPass::Single, Debian,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -vf \"subtitles=filename=\\'/media/in put/it\\'\\\\\\'\\'s \\[a\\]\\,b\\;c.srt\\':charenc=cp1252\" "
         "-map 0:a:1 -c:v libx264 -threads 4 -crf 22 -g 125 -pix_fmt yuv420p -r 25.000 -fps_mode cfr "
         "-c:a libmp3lame -b:a 128k -f matroska \"/media/out/.clip.vexa-1-1.avi\""},
        {"A text track of the file drawn last, after the stated shape's filters",
         [] {
             EncodingSettings s = Defaults();
             s.container = TContainer::Mkv;
             TVideoFileInfo info = Clip(1, 720, 576);
             info.VideoStreams[0].DAR = 16.0 / 9;
             TRowPlan plan = RowPlan(s, info);
             plan.Subtitles.Track = 1;
             return plan;
         },
         TFfmpegPass::Single, Debian,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -vf \"subtitles=filename=\\'/media/in put/clip.mkv\\':si=1,setdar=1.7778\" -map 0:a:0 "
         "-c:v libxvid -b:v 1037k -g 125 -pix_fmt yuv420p -r 25.000 -fps_mode cfr -c:a libmp3lame -b:a 128k "
         "-f matroska \"/media/out/.clip.vexa-1-1.avi\""},
        {"A picture track laid over the picture before the chain scales it",
         [] {
             EncodingSettings s = Defaults();
             s.container = TContainer::Mkv;
             s.maxHeight = 120;
             TRowPlan plan = RowPlan(s, Clip());
             plan.Subtitles.Track = 0;
             plan.Subtitles.Pictures = true;
             return plan;
         },
         TFfmpegPass::Single, Debian,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-filter_complex [0:s:0][0:V:0]scale2ref[sub][pic];[pic][sub]overlay,scale=160:120,setsar=1[v] -map [v] -map 0:a:0 -c:v libxvid "
         "-b:v 144k -g 125 -pix_fmt yuv420p -r 25.000 -fps_mode cfr -c:a libmp3lame -b:a 128k -f matroska "
         "\"/media/out/.clip.vexa-1-1.avi\""},
        {"A DVD pair beside the input: its pictures are a second input, the picture made their canvas's size",
         [] {
             TRowPlan plan = RowPlan(Defaults(), Clip());
             plan.Subtitles.File = "/media/in put/clip.idx";
             plan.Subtitles.VobSub = "/media/in put/clip";
             plan.Subtitles.VobSubId = "1";
             return plan;
         },
         TFfmpegPass::Single, Debian,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-i \"/media/in put/clip.idx\" -filter_complex [0:V:0][1:s:1]scale2ref[canvas][sub];[canvas][sub]overlay,scale=320:240[v] "
         "-map [v] -map 0:a:0 "
         "-c:v libxvid -b:v 400k -g 125 -vtag XVID -pix_fmt yuv420p -r 25.000 -fps_mode cfr -c:a libmp3lame -b:a 128k "
         "-af aresample=async=1:first_pts=0,atrim=start=0.025057 -avoid_negative_ts disabled -f avi \"/media/out/.clip.vexa-1-1.avi\""},
        {"Deinterlaced, flipped, turned by the user: ffmpeg's own turn undone first",
         [] {
             EncodingSettings s = Defaults();
             s.interlacing = 1;
             s.flipHorizontal = s.flipVertical = true;
             s.rotate = true;
             s.rotateDirection = 1;
             s.forceDuplicates = false;
             TVideoFileInfo info = Clip();
             info.Probe.Rotation = 90;
             return RowPlan(s, info);
         },
         TFfmpegPass::Single, Debian,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -vf transpose=cclock,yadif,vflip,hflip,transpose=cclock -map 0:a:0 -c:v libxvid -b:v 400k -g 125 "
         "-vtag XVID -pix_fmt yuv420p -r 25.000 -fps_mode vfr -c:a libmp3lame -b:a 128k "
         "-af aresample=async=1:first_pts=0,atrim=start=0.025057 -avoid_negative_ts disabled -f avi \"/media/out/.clip.vexa-1-1.avi\""},
        {"A mirrored phone clip: ffmpeg's turn is the plan's",
         [] {
             TVideoFileInfo info = Clip();
             info.Probe.Rotation = 90;
             info.Probe.Mirrored = true;
             return RowPlan(Defaults(), info);
         },
         TFfmpegPass::Single, Debian,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -map 0:a:0 -c:v libxvid -b:v 400k -g 125 "
         "-vtag XVID -pix_fmt yuv420p -r 25.000 -fps_mode cfr -c:a libmp3lame -b:a 128k "
         "-af aresample=async=1:first_pts=0,atrim=start=0.025057 -avoid_negative_ts disabled -f avi \"/media/out/.clip.vexa-1-1.avi\""},
        {"No audio asked for",
         [] {
             EncodingSettings s = Defaults();
             s.noAudio = true;
             return RowPlan(s, Clip());
         },
         TFfmpegPass::Single, Debian,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -c:v libxvid -b:v 400k -g 125 -vtag XVID -pix_fmt yuv420p -r 25.000 -fps_mode cfr -an "
         "-avoid_negative_ts disabled -f avi \"/media/out/.clip.vexa-1-1.avi\""},
        {"A silent file",
         [] { return RowPlan(Defaults(), Clip(0)); }, TFfmpegPass::Single, Debian,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -c:v libxvid -b:v 400k -g 125 -vtag XVID -pix_fmt yuv420p -r 25.000 -fps_mode cfr -an "
         "-avoid_negative_ts disabled -f avi \"/media/out/.clip.vexa-1-1.avi\""},
        {"Every picture and sound option typed, the title kept",
         [] {
             EncodingSettings s = Defaults();
             s.container = TContainer::Mkv;
             s.resolution = 1;
             s.resolutionWidth = 639;
             s.resolutionHeight = 360;
             s.videoAspect.Text = "16/9";
             s.frameRate.Text = "29,97";
             s.brightnessOn = s.saturationOn = true;
             s.brightness = 2;
             s.saturation = 15;
             s.audioBitrate.Text = "96";
             s.audioRateMode = TAudioRateMode::Abr;
             s.sampleRate.Text = "22050";
             s.audioChannels = 4;
             s.audioQuality = 3;
             TVideoFileInfo info = Clip();
             info.Title = "A Film: Part 1";
             return RowPlan(s, info);
         },
         TFfmpegPass::Single, Debian,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -vf scale=640:360,setsar=1,eq=brightness=0.2:saturation=1.5 -map 0:a:0 -c:v libxvid "
         "-b:v 691k -g 150 -pix_fmt yuv420p -aspect 16:9 -r 29.97 -fps_mode cfr -c:a libmp3lame -b:a 96k -abr 1 "
         "-ar 22050 -ac 1 -compression_level 2 -metadata \"title=A Film: Part 1\" -f matroska "
         "\"/media/out/.clip.vexa-1-1.avi\""},
        {"MP4 for devices: AAC at a mono track's rate, High profile at level 4.1",
         [] {
             EncodingSettings s = Defaults(1);
             s.container = TContainer::Mp4;
             s.videoRateControl = RateByQuality;
             s.audioCodec = TAudioCodec::Aac;
             TVideoFileInfo info = Clip();
             info.AudioStreams[0].Channels = 1;
             return RowPlan(s, info);
         },
         TFfmpegPass::Single, WithOpus,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -map 0:a:0 -c:v libx264 -threads 4 -crf 22 -g 125 -profile:v high -level:v 4.1 -pix_fmt yuv420p "
         "-r 25.000 -fps_mode cfr -c:a aac -b:a 96k -f mp4 -movflags +faststart \"/media/out/.clip.vexa-1-1.avi\""},
        {"A 1080p picture at 50 fps is beyond level 4.1: x264's own; AAC at the typed rate, in stereo",
         [] {
             EncodingSettings s = Defaults(1);
             s.container = TContainer::Mp4;
             s.videoRateControl = RateByQuality;
             s.audioCodec = TAudioCodec::Aac;
             s.audioBitrate.Text = "112";
             s.audioChannels = 1;
             TVideoFileInfo info = Clip(1, 1920, 1080);
             info.VideoStreams[0].FPS = 50;
             return RowPlan(s, info);
         },
         TFfmpegPass::Single, WithOpus,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -map 0:a:0 -c:v libx264 -threads 4 -crf 22 -g 250 -profile:v high -pix_fmt yuv420p -r 50.000 "
         "-fps_mode cfr -c:a aac -b:a 112k -ac 2 -f mp4 -movflags +faststart \"/media/out/.clip.vexa-1-1.avi\""},
        {"MKV with every track: the German sound first, each at its channels' rate, MP4's text as SubRip",
         [] {
             EncodingSettings s = Defaults(1);
             s.container = TContainer::Mkv;
             s.videoRateControl = RateByQuality;
             s.audioCodec = TAudioCodec::Opus;
             s.soundLanguage.Text = "German";
             s.keepAllTracks = true;
             TVideoFileInfo info = Clip(2);
             info.AudioStreams[0].Channels = 6;
             info.AudioStreams[0].Bitrate = 448;
             info.AudioStreams[1].Channels = 2;
             info.NumberOfTextStreams = 2;
             info.TextStreams[0] = {"Timed Text", "English", "en", false, false, 3};
             info.TextStreams[1] = {"Timed Text", "German", "de", false, true, 4};
             info.VideoStreams[0].FPS = 0;
             return RowPlan(s, info);
         },
         TFfmpegPass::Single, WithOpus,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -map 0:a:1 -map 0:a:0? -map 0:s? -c:v libx264 -threads 4 -crf 22 "
         "-force_key_frames expr:gte(t,n_forced*5) -pix_fmt yuv420p -fps_mode cfr -c:a libopus -b:a:0 128k -b:a:1 288k "
         "-disposition:a:0 default -disposition:a:1 -default -c:s srt -f matroska \"/media/out/.clip.vexa-1-1.avi\""},
        {"Every track into MP4: a picture track leaves the subtitle tracks out",
         [] {
             EncodingSettings s = Defaults(1);
             s.container = TContainer::Mp4;
             s.videoRateControl = RateByQuality;
             s.audioCodec = TAudioCodec::Aac;
             s.keepAllTracks = true;
             TVideoFileInfo info = Clip(2);
             info.NumberOfTextStreams = 2;
             info.TextStreams[0] = {"UTF-8", "English", "en", false, false, 3};
             info.TextStreams[1] = {"PGS", "German", "de", false, false, 4};
             return RowPlan(s, info);
         },
         TFfmpegPass::Single, WithOpus,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -map 0:a:0 -map 0:a:1? -c:v libx264 -threads 4 -crf 22 -g 125 -profile:v high -level:v 4.1 "
         "-pix_fmt yuv420p -r 25.000 -fps_mode cfr -c:a aac -b:a 128k -f mp4 -movflags +faststart "
         "\"/media/out/.clip.vexa-1-1.avi\""},
        {"HEVC into MP4 by quality: x265's own rate factor, the preset's word, tagged hvc1; no x264 tuning",
         [] {
             EncodingSettings s = Defaults(1);
             s.videoCodec = TVideoCodec::Hevc, s.container = TContainer::Mp4, s.videoRateControl = RateByQuality;
             s.preset = TX264Preset::Slow, s.x264Tune = 2;
             return RowPlan(s, Clip());
         },
         TFfmpegPass::Single, Debian,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -map 0:a:0 -c:v libx265 -preset slow -crf 28 -g 125 -tag:v hvc1 -pix_fmt yuv420p -r 25.000 "
         "-fps_mode cfr -c:a libmp3lame -b:a 128k -f mp4 -movflags +faststart \"/media/out/.clip.vexa-1-1.avi\""},
        {"HEVC's second pass: x265 keeps its pass log by its own parameters, beside a typed thread count",
         [] {
             EncodingSettings s = Defaults(1);
             s.videoCodec = TVideoCodec::Hevc, s.container = TContainer::Mkv;
             s.videoBitrate.Text = "500", s.twoPass = true, s.threads = 3;
             return RowPlan(s, Clip(0));
         },
         TFfmpegPass::Second, Debian,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -c:v libx265 -b:v 500k -x265-params \"pools=3:pass=2:stats=/tmp/vexa pass-0.log\" -g 125 "
         "-pix_fmt yuv420p -r 25.000 -fps_mode cfr -an -f matroska \"/media/out/.clip.vexa-1-1.avi\""},
        {"AV1 into MKV: SVT-AV1's numbered preset and rate factor, a thread count as its own",
         [] {
             EncodingSettings s = Defaults(1);
             s.videoCodec = TVideoCodec::Av1, s.container = TContainer::Mkv, s.videoRateControl = RateByQuality;
             s.preset = TX264Preset::Ultrafast, s.threads = 2;
             return RowPlan(s, Clip(0));
         },
         TFfmpegPass::Single, Debian,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -c:v libsvtav1 -preset 12 -crf 35 -svtav1-params lp=2 -g 125 -pix_fmt yuv420p -r 25.000 "
         "-fps_mode cfr -an -f matroska \"/media/out/.clip.vexa-1-1.avi\""},
        {"AV1 of a picture under SVT-AV1's least: libaom's constant quality",
         [] {
             EncodingSettings s = Defaults(1);
             s.videoCodec = TVideoCodec::Av1, s.container = TContainer::Mkv, s.videoRateControl = RateByQuality;
             return RowPlan(s, Clip(0, 84, 32));
         },
         TFfmpegPass::Single, Debian,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -c:v libaom-av1 -cpu-used 6 -row-mt 1 -crf 35 -b:v 0 -g 125 -pix_fmt yuv420p -r 25.000 "
         "-fps_mode cfr -an -f matroska \"/media/out/.clip.vexa-1-1.avi\""},
        {"AV1 into MP4 at a bit rate, the presets at Auto: the encoder's own",
         [] {
             EncodingSettings s = Defaults(1);
             s.videoCodec = TVideoCodec::Av1, s.container = TContainer::Mp4, s.videoBitrate.Text = "800";
             return RowPlan(s, Clip(0));
         },
         TFfmpegPass::Single, Debian,
         "-hide_banner -nostdin -y -progress pipe:1 -nostats -i \"/media/in put/clip.mkv\" "
         "-map 0:V:0 -c:v libsvtav1 -b:v 800k -g 125 -pix_fmt yuv420p -r 25.000 -fps_mode cfr -an -f mp4 "
         "-movflags +faststart \"/media/out/.clip.vexa-1-1.avi\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList warnings;
        const TFfmpegCommand cmd = BuildFfmpegCommand(c.plan(), c.pass, IN, OUT, LOG, c.encoders, 4,
                                                      [&](const QString& w) { warnings << w; });
        ASSERT_TRUE(cmd.Ok);
        EXPECT_TRUE(warnings.isEmpty());
        EXPECT_EQ(cmd.Line.Text, c.text);
        // the text is the arguments: each word, quoted where it holds a blank
        EXPECT_EQ(cmd.Line.Args, SplitArgsWindowsWay(cmd.Line.Text));
    }
}

TEST(FfmpegCommand, TypedValuesFailOnceAndPassesShareThePlan)
{
    EncodingSettings s = Defaults(1);
    s.twoPass = true;
    s.videoBitrate.Text = "500";
    QStringList warnings;
    const auto warn = [&](const QString& w) { warnings << w; };
    const TEncoderJob job = BuildFfmpegJob(RowPlan(s, Clip()), 4, "-in.avi", "a:b.mp4", LOG, Debian, warn);
    ASSERT_TRUE(job.Ok);
    ASSERT_EQ(job.Runs.size(), 2);
    EXPECT_TRUE(job.Runs[0].Params.contains("-pass 1 "));
    EXPECT_TRUE(job.Runs[1].Params.contains("-pass 2 "));
    // relative names reach ffmpeg as files, never as an option or a protocol
    EXPECT_TRUE(job.Runs[1].Args.contains("file:-in.avi"));
    EXPECT_EQ(job.Runs[1].Args.last(), "file:a:b.mp4");
    EXPECT_TRUE(job.Runs[1].Params.endsWith("\"a:b.mp4\""));
    EXPECT_EQ(FfmpegPassLogFiles(LOG).mid(0, 3), (QStringList{LOG + "-0.log", LOG + "-0.log.mbtree", LOG + "-0.log.cutree"}));
    EXPECT_TRUE(FfmpegPassLogFiles(LOG).contains(LOG + "-0.log.cutree.temp"));

    // x265's passes: its own parameters, the log's name escaped inside their list; no -pass
    EncodingSettings hevc = s;
    hevc.videoCodec = TVideoCodec::Hevc;
    hevc.container = TContainer::Mkv;
    const TEncoderJob x265 = BuildFfmpegJob(RowPlan(hevc, Clip()), 4, IN, OUT, "/tmp/a:b=c\\d", Debian, warn);
    ASSERT_EQ(x265.Runs.size(), 2);
    EXPECT_TRUE(x265.Runs[0].Args.contains("pass=1:stats=/tmp/a\\:b\\=c\\\\d-0.log"));
    EXPECT_FALSE(x265.Runs[1].Args.contains("-pass") || x265.Runs[1].Args.contains("-passlogfile"));
    // SVT-AV1 keeps no pass log through ffmpeg: one pass at the bit rate
    EncodingSettings av1 = hevc;
    av1.videoCodec = TVideoCodec::Av1;
    const TEncoderJob svt = BuildFfmpegJob(RowPlan(av1, Clip()), 4, IN, OUT, LOG, Debian, warn);
    ASSERT_EQ(svt.Runs.size(), 1);
    EXPECT_TRUE(svt.Runs[0].Params.contains("-b:v 500k") && !svt.Runs[0].Params.contains("-pass"));
    // a picture under SVT-AV1's least is refused only where there is no libaom to make it
    const TRowPlan tiny = RowPlanBy(TEngine::FFmpeg, av1, Clip(0, 84, 32));
    EXPECT_EQ(FfmpegPictureRefusal(tiny, Debian), "The AV1 encoder takes pictures of at least 64x64 pixels, and this "
                                                  "file's is 84x32: choose H.264 or HEVC video, or a larger size.");
    EXPECT_EQ(FfmpegPictureRefusal(tiny, Debian + QStringList{"libaom-av1"}), QString());
    EXPECT_TRUE(warnings.isEmpty());

    const struct {
        const char* name;
        std::function<void(EncodingSettings&)> set;
        QString piece;
        QString message = {}; // where the sentence is the point
        QStringList encoders = Debian;
    } failures[] = {
        {"a video bit rate", [](EncodingSettings& e) { e.videoBitrate.Text = "fast"; }, "VParams"},
        {"a frame rate", [](EncodingSettings& e) { e.frameRate.Text = "25 fps"; }, "VParams"},
        {"a sound bit rate", [](EncodingSettings& e) { e.audioBitrate.Text = "loud"; }, "AParams"},
        {"a sampling rate", [](EncodingSettings& e) { e.sampleRate.Text = "44.1k"; }, "AParams"},
        {"Opus into AVI", [](EncodingSettings& e) { e.audioCodec = TAudioCodec::Opus; }, "AParams"},
        {"Opus where ffmpeg lacks libopus",
         [](EncodingSettings& e) { e.audioCodec = TAudioCodec::Opus, e.container = TContainer::Mkv; }, "AParams"},
        {"HEVC into AVI", [](EncodingSettings& e) { e.videoCodec = TVideoCodec::Hevc; }, "VParams",
         "HEVC video goes into MP4 or MKV only: choose MP4 or MKV as the output format, or H.264 video for AVI."},
        {"AV1 where ffmpeg lacks libsvtav1",
         [](EncodingSettings& e) { e.videoCodec = TVideoCodec::Av1, e.container = TContainer::Mkv; }, "VParams",
         "This ffmpeg program has no AV1 encoder (libsvtav1): install Debian's package ffmpeg, which has it, or choose "
         "H.264 video.",
         {"libx264", "libx265", "libmp3lame"}},
    };
    for (const auto& c : failures) {
        SCOPED_TRACE(c.name);
        EncodingSettings bad = s;
        c.set(bad);
        warnings.clear();
        const TEncoderJob failed = BuildFfmpegJob(RowPlan(bad, Clip()), 4, IN, OUT, LOG, c.encoders, warn);
        EXPECT_FALSE(failed.Ok);
        EXPECT_TRUE(failed.Runs.isEmpty());
        EXPECT_EQ(failed.FailedPiece, c.piece);
        ASSERT_EQ(warnings.size(), 1);
        EXPECT_EQ(failed.FailureMessage, warnings.first());
        if (!c.message.isEmpty()) {
            EXPECT_EQ(failed.FailureMessage, c.message);
        }
    }
}

// What only FFmpeg makes chooses it under Automatic, for the setting's sake (the row names no
// reason); a row MEncoder would make is refused before its run, saying what to do.
TEST(FfmpegCommand, SettingsAndSourcesOnlyFfmpegMakesRightChooseIt)
{
    using S = EncodingSettings;
    const struct {
        const char* name;
        std::function<void(S&)> set;
        TEngine engine;
        QString refusal;
        std::function<void(TVideoFileInfo&)> source = {};
        QString reason = {}; // why Automatic chose FFmpeg for this source
    } cases[] = {
        {"MP3 into AVI stays MEncoder's", {}, TEngine::MEncoder, ""},
        {"a trimmed phone clip", {}, TEngine::FFmpeg, "", [](TVideoFileInfo& i) { i.Probe.TrimmedStart = true; },
         "MEncoder would show the pictures this trimmed clip hides before its start"},
        {"an Ogg recording that ends on a still screen", {}, TEngine::FFmpeg, "",
         [](TVideoFileInfo& i) { i.Probe.StillEndMs = 2067; }, "MEncoder would cut the still picture this file ends on"},
        {"a still end the check would not miss", {}, TEngine::MEncoder, "", [](TVideoFileInfo& i) { i.Probe.StillEndMs = 200; }},
        {"one picture a second into AVI", {}, TEngine::FFmpeg, "",
         [](TVideoFileInfo& i) { i.VideoStreams[0].FPS = 1; },
         "MEncoder's B-pictures would show each picture of this slow clip one picture late"},
        {"ten pictures a second into AVI", {}, TEngine::MEncoder, "", [](TVideoFileInfo& i) { i.VideoStreams[0].FPS = 10; }},
        {"variable rate in Ogg", {}, TEngine::FFmpeg, "",
         [](TVideoFileInfo& i) { i.Probe.VariableRate = true, i.Probe.Container = "ogg"; },
         "MEncoder's readers lose the timing of this file's variable rate"},
        {"AC-3 in MPEG-PS", {}, TEngine::FFmpeg, "",
         [](TVideoFileInfo& i) { i.Probe.Container = "mpeg", i.AudioStreams[0].Codec = "AC-3"; },
         "MEncoder's reader loses the AC-3 sound of this MPEG file"},
        {"MPEG-2 in MPEG-PS", {}, TEngine::FFmpeg, "",
         [](TVideoFileInfo& i) { i.Probe.Container = "mpeg", i.Probe.VideoCodec = "mpeg2video"; },
         "MEncoder would drop the last picture of this MPEG video"},
        {"H.264 in MPEG-TS stays MEncoder's", {}, TEngine::MEncoder, "",
         [](TVideoFileInfo& i) { i.Probe.Container = "mpegts", i.Probe.VideoCodec = "h264"; }},
        {"AAC", [](S& s) { s.audioCodec = TAudioCodec::Aac; }, TEngine::FFmpeg, ""},
        {"Opus", [](S& s) { s.audioCodec = TAudioCodec::Opus; }, TEngine::FFmpeg, ""},
        {"every track kept", [](S& s) { s.keepAllTracks = true; }, TEngine::FFmpeg, ""},
        {"AAC, but no sound", [](S& s) { s.audioCodec = TAudioCodec::Aac, s.noAudio = true; }, TEngine::MEncoder, ""},
        {"AAC with MEncoder chosen", [](S& s) { s.audioCodec = TAudioCodec::Aac, s.encoder = TEncoderChoice::MEncoder; },
         TEngine::MEncoder, "Only FFmpeg makes AAC sound, but the encoder setting is MEncoder: set it to Automatic or FFmpeg."},
        {"every track with MEncoder chosen", [](S& s) { s.keepAllTracks = true, s.encoder = TEncoderChoice::MEncoder; },
         TEngine::MEncoder,
         "Only FFmpeg makes outputs with all sound and subtitle tracks, but the encoder setting is MEncoder: set it to "
         "Automatic or FFmpeg."},
        {"HEVC", [](S& s) { s.videoCodec = TVideoCodec::Hevc; }, TEngine::FFmpeg, ""},
        {"AV1", [](S& s) { s.videoCodec = TVideoCodec::Av1; }, TEngine::FFmpeg, ""},
        // the video is named before the sound
        {"HEVC with AAC and MEncoder chosen",
         [](S& s) {
             s.videoCodec = TVideoCodec::Hevc, s.audioCodec = TAudioCodec::Aac, s.encoder = TEncoderChoice::MEncoder;
         },
         TEngine::MEncoder, "Only FFmpeg makes HEVC video, but the encoder setting is MEncoder: set it to Automatic or FFmpeg."},
        {"AV1 with MEncoder chosen", [](S& s) { s.videoCodec = TVideoCodec::Av1, s.encoder = TEncoderChoice::MEncoder; },
         TEngine::MEncoder, "Only FFmpeg makes AV1 video, but the encoder setting is MEncoder: set it to Automatic or FFmpeg."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        S s = Defaults();
        if (c.set)
            c.set(s);
        TVideoFileInfo source = Clip();
        if (c.source)
            c.source(source);
        const TRowPlan plan = RowPlan(s, source);
        EXPECT_EQ(plan.Engine, c.engine);
        EXPECT_EQ(plan.EngineReason, c.reason);
        EXPECT_EQ(plan.Engine == TEngine::MEncoder ? MencoderCannotMake(s) : QString(), c.refusal);
        // the command-line preview refuses alike instead of showing MEncoder's MP3 line
        if (!c.refusal.isEmpty()) {
            const TCmdLinePreview preview = GetCmdLinePreview(s, Clip(), 2, "in.avi", "log", {});
            EXPECT_TRUE(preview.Failed && preview.Messages.contains(c.refusal)) << preview.Text.toStdString();
        }
    }
    // Automatic falls to MEncoder where no ffmpeg is installed
    S opus = Defaults();
    opus.audioCodec = TAudioCodec::Opus;
    EXPECT_EQ(MencoderCannotMake(opus), "Only FFmpeg makes Opus sound, and no ffmpeg program was found: install the package ffmpeg.");
}

// Every setting row reaches the FFmpeg command line, but the few that are MEncoder's alone:
// a new row fails here until it is mapped or named among them.
TEST(FfmpegCommand, EverySettingRowMaps)
{
    using S = EncodingSettings;
    using Set = std::function<void(S&)>;
    const QStringList mencoderOnly{"encoder", "skipLimitOn", "skipLimit", "extraParameters"};
    const auto x264 = [](S& s) { s.videoCodec = TVideoCodec::X264; };
    const auto custom = [](S& s) { s.resolution = 1; };
    const struct {
        const char* id;
        Set on;     // what the row needs switched on to count
        Set change; // a value other than the default
    } rows[] = {
        {"videoCodec", {}, x264},
        {"container", {}, [](S& s) { s.container = TContainer::Mp4; }},
        {"videoRateControl", {}, [](S& s) { s.videoRateControl = RateByQuality; }},
        {"videoBitrate", {}, [](S& s) { s.videoBitrate.Text = "900"; }},
        {"x264Quality", [](S& s) { s.videoCodec = TVideoCodec::X264, s.videoRateControl = RateByQuality; },
         [](S& s) { s.x264Quality = 30; }},
        {"xvidQuality", [](S& s) { s.videoRateControl = RateByQuality; }, [](S& s) { s.xvidQuality = 9; }},
        {"hevcQuality",
         [](S& s) { s.videoCodec = TVideoCodec::Hevc, s.container = TContainer::Mkv, s.videoRateControl = RateByQuality; },
         [](S& s) { s.hevcQuality = 24; }},
        {"av1Quality",
         [](S& s) { s.videoCodec = TVideoCodec::Av1, s.container = TContainer::Mkv, s.videoRateControl = RateByQuality; },
         [](S& s) { s.av1Quality = 40; }},
        {"frameRate", {}, [](S& s) { s.frameRate.Text = "30"; }},
        {"videoAspect", {}, [](S& s) { s.videoAspect.Text = "4:3"; }},
        {"twoPass", {}, [](S& s) { s.twoPass = true; }},
        {"threads", x264, [](S& s) { s.threads = 5; }},
        {"preset", x264, [](S& s) { s.preset = TX264Preset::Fast; }},
        {"x264Tune", x264, [](S& s) { s.x264Tune = 2; }},
        {"audioCodec", {}, [](S& s) { s.audioCodec = TAudioCodec::Aac; }},
        {"audioBitrate", {}, [](S& s) { s.audioBitrate.Text = "64"; }},
        {"sampleRate", {}, [](S& s) { s.sampleRate.Text = "32000"; }},
        {"audioChannels", {}, [](S& s) { s.audioChannels = 1; }},
        {"audioQuality", {}, [](S& s) { s.audioQuality = 1; }},
        {"audioRateMode", {}, [](S& s) { s.audioRateMode = TAudioRateMode::Abr; }},
        {"soundLanguage", {}, [](S& s) { s.soundLanguage.Text = "de"; }},
        {"noAudio", {}, [](S& s) { s.noAudio = true; }},
        {"resolution", {}, [](S& s) { s.resolution = 2; }},
        {"resolutionWidth", custom, [](S& s) { s.resolutionWidth = 200; }},
        {"resolutionHeight", custom, [](S& s) { s.resolutionHeight = 200; }},
        {"maxHeight", {}, [](S& s) { s.maxHeight = 120; }},
        {"interlacing", {}, [](S& s) { s.interlacing = 1; }},
        {"brightnessOn", {}, [](S& s) { s.brightnessOn = true; }},
        {"brightness", [](S& s) { s.brightnessOn = true; }, [](S& s) { s.brightness = -3; }},
        {"saturationOn", {}, [](S& s) { s.saturationOn = true; }},
        {"saturation", [](S& s) { s.saturationOn = true; }, [](S& s) { s.saturation = 20; }},
        {"flipHorizontal", {}, [](S& s) { s.flipHorizontal = true; }},
        {"flipVertical", {}, [](S& s) { s.flipVertical = true; }},
        {"rotate", {}, [](S& s) { s.rotate = true; }},
        {"rotateDirection", [](S& s) { s.rotate = true; }, [](S& s) { s.rotateDirection = 1; }},
        {"forceDuplicates", {}, [](S& s) { s.forceDuplicates = false; }},
        {"subtitles", {}, [](S& s) { s.subtitles = int(TSubtitleMode::Forced); }},
        {"subtitleLanguage", [](S& s) { s.subtitles = int(TSubtitleMode::Language), s.subtitleLanguage.Text = "en"; },
         [](S& s) { s.subtitleLanguage.Text = "de"; }},
        {"keepAllTracks", {}, [](S& s) { s.keepAllTracks = true; }},
    };
    // two sound tracks and two subtitle tracks, the English one forced
    TVideoFileInfo info = Clip(2);
    info.NumberOfTextStreams = 2;
    info.TextStreams[0] = {"UTF-8", "English", "en", false, true, 3};
    info.TextStreams[1] = {"UTF-8", "German", "de", false, false, 4};
    const auto line = [&info](const S& s) {
        QString text;
        for (const TEncoderInvocation& run : BuildFfmpegJob(RowPlan(s, info), 4, IN, OUT, LOG, Debian, {}).Runs)
            text += run.Params + "\n";
        return text;
    };
    for (const TSettingRow& row : SettingRows()) {
        SCOPED_TRACE(row.Id.toStdString());
        if (mencoderOnly.contains(row.Id))
            continue;
        const auto* mapped = std::find_if(std::begin(rows), std::end(rows), [&](const auto& r) { return row.Id == r.id; });
        ASSERT_NE(mapped, std::end(rows)) << "a setting row the FFmpeg command line does not take";
        S s = Defaults();
        if (mapped->on)
            mapped->on(s);
        const QString before = line(s);
        mapped->change(s);
        EXPECT_NE(line(s), before);
    }
}

namespace {

// What ffprobe reads of an output: its format, and per stream "video mpeg4 XVID 320x240 25/1",
// "audio mp3", with "turned" for a display matrix that turns the picture.
QStringList Probed(const QString& file)
{
    const TestSupport::RunResult r = TestSupport::RunProgram(
        "ffprobe", {"-v", "error", "-show_entries",
                    "format=format_name:stream=codec_type,codec_name,codec_tag_string,width,height,r_frame_rate"
                    ":stream_side_data=rotation",
                    "-of", "json", file});
    const QJsonObject root = QJsonDocument::fromJson(r.out).object();
    QStringList seen{root["format"].toObject()["format_name"].toString()};
    for (const QJsonValue v : root["streams"].toArray()) {
        const QJsonObject st = v.toObject();
        QString line = st["codec_type"].toString() + " " + st["codec_name"].toString();
        if (st["codec_type"].toString() == "video") {
            line += QStringLiteral(" %1 %2x%3 %4")
                        .arg(st["codec_tag_string"].toString())
                        .arg(st["width"].toInt())
                        .arg(st["height"].toInt())
                        .arg(st["r_frame_rate"].toString());
            for (const QJsonValue sd : st["side_data_list"].toArray())
                if (sd.toObject()["rotation"].toInt() != 0)
                    line += " turned";
        }
        seen << line;
    }
    return seen;
}

// Each sound and subtitle track as ffprobe reads it: "audio opus ger Commentary default".
QStringList Tracks(const QString& file)
{
    const TestSupport::RunResult r = TestSupport::RunProgram(
        "ffprobe", {"-v", "error", "-show_entries",
                    "stream=codec_type,codec_name:stream_tags=language,title:stream_disposition=default", "-of", "json", file});
    QStringList seen;
    for (const QJsonValue v : QJsonDocument::fromJson(r.out).object()["streams"].toArray()) {
        const QJsonObject st = v.toObject();
        if (st["codec_type"].toString() == "video")
            continue;
        const QJsonObject tags = st["tags"].toObject();
        seen << QStringList{st["codec_type"].toString(), st["codec_name"].toString(), tags["language"].toString(),
                            tags["title"].toString(), st["disposition"].toObject()["default"].toInt() ? "default" : ""}
                    .join(' ')
                    .trimmed();
    }
    return seen;
}

// An MP4's top-level boxes in their order: "ftyp moov mdat".
QString TopBoxes(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList boxes;
    while (!f.atEnd()) {
        const QByteArray head = f.read(16);
        if (head.size() < 8)
            break;
        quint64 size = qFromBigEndian<quint32>(head.constData());
        if (size == 1 && head.size() == 16)
            size = qFromBigEndian<quint64>(head.constData() + 8);
        boxes << QString::fromLatin1(head.mid(4, 4));
        if (size < 8 || !f.seek(f.pos() - head.size() + qint64(size)))
            break;
    }
    return boxes.join(' ');
}

} // namespace

// The real ffmpeg on clips analysed by the real MediaInfo library: the options the builder
// writes are ones Debian's ffmpeg takes, names with quotes, brackets and commas reach it
// whole (also inside the subtitles filter), and the output is what the plan says.
TEST(RealFfmpeg, OutputsAreWhatThePlansSay)
{
    if (!TestSupport::HaveTool("ffmpeg"))
        return;
    const QString dir = TestSupport::TestScratch("encoding_ffmpeg", {});
    const struct {
        const char* name;
        const char* clip;
        std::function<void(EncodingSettings&)> set;
        QStringList encoders;
        QByteArray subtitles; // a subtitle file beside the input ("dvd": a DVD pair), or none
        QStringList probed;
        QString upright;      // what ffmpeg's own reading of the input must become to look the same
        QStringList tracks;   // with a French subtitle track and titles added to the input: the output's tracks
    } cases[] = {
        {"AVI, Xvid and MP3", "clip_xvid_mp3.avi", {}, Debian, {},
         {"avi", "video mpeg4 XVID 320x240 25/1", "audio mp3"}, {}, {}},
        {"MP4, x264 in two passes", "clip_h264_aac.mp4",
         [](EncodingSettings& s) {
             s.videoCodec = TVideoCodec::X264;
             s.container = TContainer::Mp4;
             s.videoBitrate.Text = "300";
             s.twoPass = true;
             s.preset = TX264Preset::Ultrafast;
         },
         Debian, {}, {"mov,mp4,m4a,3gp,3g2,mj2", "video h264 avc1 320x240 25/1", "audio mp3"}, {}, {}},
        {"MKV with a Latin-1 subtitle file beside it burnt in", "clip_h264_aac.mp4",
         [](EncodingSettings& s) {
             s.container = TContainer::Mkv;
             s.subtitles = int(TSubtitleMode::FileBeside);
         },
         Debian, "1\r\n00:00:00,500 --> 00:00:02,500\r\nGr\xFC\xDF" "e, M\xE4rchen\r\n",
         {"matroska,webm", "video mpeg4 [0][0][0][0] 320x240 25/1", "audio mp3"}, {}, {}},
        {"Deinterlaced, turned and flipped, silent, by ffmpeg's own MPEG-4 encoder", "clip_interlaced.ts",
         [](EncodingSettings& s) {
             s.rotate = s.flipVertical = true;
             s.noAudio = true;
         },
         QStringList{"mpeg4", "libmp3lame"}, {}, {"avi", "video mpeg4 XVID 288x352 25/1"}, {}, {}},
        {"A DVD pair beside it laid over the picture at the picture's size", "clip_xvid_mp3.avi",
         [](EncodingSettings& s) {
             s.container = TContainer::Mkv;
             s.subtitles = int(TSubtitleMode::FileBeside);
         },
         Debian, "dvd", {"matroska,webm", "video mpeg4 [0][0][0][0] 320x240 25/1", "audio mp3"},
         // the pair's white bar, x 100 to 619 and y 440 to 559 of 720x576
         "drawbox=x=iw*100/720:y=ih*440/576:w=iw*520/720:h=ih*120/576:color=white:t=fill", {}},
        {"A phone clip scaled before the chain turns it upright, no turn stated", "probe_rotated.mp4",
         [](EncodingSettings& s) {
             s.videoCodec = TVideoCodec::X264;
             s.container = TContainer::Mp4;
             s.preset = TX264Preset::Ultrafast;
             s.maxHeight = 160;
         },
         Debian, {}, {"mov,mp4,m4a,3gp,3g2,mj2", "video h264 avc1 120x160 25/1", "audio mp3"}, "scale=120:160", {}},
        {"MP4 for devices: AAC", "clip_h264_aac.mp4",
         [](EncodingSettings& s) {
             s.videoCodec = TVideoCodec::X264;
             s.container = TContainer::Mp4;
             s.preset = TX264Preset::Ultrafast;
             s.audioCodec = TAudioCodec::Aac;
         },
         WithOpus, {}, {"mov,mp4,m4a,3gp,3g2,mj2", "video h264 avc1 320x240 25/1", "audio aac"}, {}, {}},
        {"MKV keeping every track, the German sound first, in Opus", "clip_two_audio.mkv",
         [](EncodingSettings& s) {
             s.videoCodec = TVideoCodec::X264;
             s.container = TContainer::Mkv;
             s.preset = TX264Preset::Ultrafast;
             s.audioCodec = TAudioCodec::Opus;
             s.soundLanguage.Text = "German";
             s.keepAllTracks = true;
         },
         WithOpus, {}, {"matroska,webm", "video h264 [0][0][0][0] 320x240 25/1", "audio opus", "audio opus", "subtitle subrip"},
         {}, {"audio opus ger Kommentar default", "audio opus eng Main", "subtitle subrip fre Français"}},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString base = dir + QStringLiteral("/%1 it's [a],b;c ü").arg(++n);
        QString input = TestSupport::CopyClip(c.clip, base + "." + QFileInfo(c.clip).suffix());
        if (!c.tracks.isEmpty()) {
            const QString srt = TestSupport::WriteFile(base + " fr.srt", "1\n00:00:00,200 --> 00:00:01,500\nBonjour\n\n");
            const QString tracked = base + " tracks.mkv";
            ASSERT_EQ(TestSupport::RunProgram("ffmpeg", {"-nostdin", "-v", "error", "-y", "-i", input, "-i", srt, "-map", "0",
                                                         "-map", "1", "-t", "2", "-c", "copy", "-metadata:s:a:0", "title=Main",
                                                         "-metadata:s:a:1", "title=Kommentar", "-metadata:s:s:0",
                                                         "language=fre", "-metadata:s:s:0", "title=Français", tracked})
                          .exitCode,
                      0);
            input = tracked;
        }
        if (c.subtitles == "dvd")
            TestSupport::WriteDvdSubtitles(base, "en", 10);
        else if (!c.subtitles.isEmpty())
            TestSupport::WriteFile(base + ".srt", c.subtitles);
        EncodingSettings s = Defaults();
        if (c.set)
            c.set(s);
        const TRowPlan plan = RowPlan(s, AnalyseFile(input));
        const QString output = dir + QStringLiteral("/%1 out 'put'.").arg(n) + GetExt(s, false);
        const TEncoderJob job = BuildFfmpegJob(plan, 2, input, output, dir + "/pass log", c.encoders, {});
        ASSERT_TRUE(job.Ok);
        for (const TEncoderInvocation& run : job.Runs) {
            const TestSupport::RunResult r = TestSupport::RunProgram("ffmpeg", run.Args);
            ASSERT_EQ(r.exitCode, 0) << run.Params.toStdString() << "\n" << r.err.right(2000).constData();
            // the progress report on its own channel, the last block its end
            EXPECT_TRUE(r.out.trimmed().endsWith("progress=end")) << r.out.right(300).constData();
        }
        EXPECT_EQ(Probed(output), c.probed) << job.Runs.last().Params.toStdString();
        if (!c.tracks.isEmpty()) {
            EXPECT_EQ(Tracks(output), c.tracks);
        }
        if (s.container == TContainer::Mp4) {
            // a player starts before the whole file is there
            const QString boxes = TopBoxes(output);
            EXPECT_TRUE(boxes.contains(QRegularExpression("^ftyp moov .*mdat"))) << boxes.toStdString();
            // and decodes where H.264 level 4.1 does
            if (s.videoCodec == TVideoCodec::X264) {
                EXPECT_EQ(TestSupport::RunProgram("ffprobe", {"-v", "error", "-select_streams", "v:0", "-show_entries",
                                                              "stream=level", "-of", "csv=p=0", output})
                              .out.trimmed(),
                          "41");
            }
        }
        if (!c.upright.isEmpty()) {
            // the same picture: a turned or squeezed one, or one without its subtitles, is far below 25 dB
            const TestSupport::RunResult r = TestSupport::RunProgram(
                "ffmpeg", {"-hide_banner", "-nostdin", "-i", output, "-i", input, "-lavfi",
                           "[1:v]" + c.upright + "[r];[0:v][r]psnr", "-f", "null", "-"});
            const QRegularExpressionMatch m = QRegularExpression("average:([0-9.]+|inf)").match(r.err);
            ASSERT_TRUE(m.hasMatch()) << r.err.right(500).constData();
            EXPECT_GT(m.captured(1) == "inf" ? 99.0 : m.captured(1).toDouble(), 25.0);
        }
    }
}
