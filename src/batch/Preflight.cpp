#include "batch/Preflight.h"
#include "batch/BatchRow.h"
#include "lib/Conversion.h"
#include "lib/Files.h"
#include "lib/NativeName.h"

#include "encoding/CmdLineBuilder.h"
#include "encoding/FaithfulOutput.h"
#include "encoding/FfmpegCommand.h"
#include "encoding/RowPlan.h"
#include "encoding/TrackChoice.h"

#include "outputs/BatchFiles.h"
#include "outputs/OutputNaming.h"
#include "media/FfmpegEncoders.h"
#include "media/InputProblem.h"
#include "media/MediaAnalysis.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStorageInfo>

#include <cmath>
#include <unistd.h>

namespace {

// A run shorter than this says more about start-up than about speed: it only teaches
// settings that have no speed yet. Small clips on a quiet machine finish in well under a
// second and still give a usable forecast.
constexpr qint64 ShortestMeasuredRunMs = 200;
// A clip shorter than this times the program's start and check, not the encoder's pace (a
// single picture taught a speed nine times too slow).
constexpr double ShortestMeasuredMediaMs = 2000;

bool IsAuto(const QString& text) { return text.trimmed().compare(QLatin1String("Auto"), Qt::CaseInsensitive) == 0; }

QString Quoted(const QString& path) { return QLatin1Char('"') + path + QLatin1Char('"'); }

QString Megabytes(qint64 bytes) { return DecimalText(double(bytes) / (1024.0 * 1024.0), 1) + QStringLiteral(" MB"); }

QString Clock(double seconds)
{
    const qint64 s = qint64(std::llround(seconds));
    return QStringLiteral("%1:%2:%3").arg(s / 3600).arg(s / 60 % 60, 2, 10, QLatin1Char('0')).arg(s % 60, 2, 10, QLatin1Char('0'));
}

// The file probed: a failure says what keeps it from being converted as it is. info is
// filled when the file could be analysed.
TResult ProbeInput(const QString& input, const QString& mediaInfoDll, TVideoFileInfo& info, bool analysed)
{
    const TPathKind kind = PathKind(input);
    if (kind == TPathKind::Missing)
        return TResult::Failure(QCoreApplication::translate("Preflight", "the file does not exist"));
    if (kind != TPathKind::Regular)
        return TResult::Failure(QCoreApplication::translate("Preflight", "not a regular file"));
    if (::access(NativeName::Encode(input).constData(), R_OK) != 0)
        return TResult::Failure(QCoreApplication::translate("Preflight", "the file cannot be read (no permission)"));
    const int64_t size = GetFileSize64(input);
    if (size == 0)
        return TResult::Failure(InputProblemText(TInputProblem::Empty));
    if (mediaInfoDll.isEmpty())
        return {}; // told once for the whole batch
    // The complete analysis: what the batch adjusts (turns, rates, offsets) is told from it.
    if (!analysed)
        GetVideoFileInfo(input, mediaInfoDll, info);
    // In the words the batch uses when it refuses the row.
    const TInputProblem problem = InputProblemOf(info, size);
    return problem == TInputProblem::None ? TResult() : TResult::Failure(InputProblemText(problem));
}

// The nearest directory of path that exists (path itself when it does); empty when none.
QString ExistingAncestor(const QString& path)
{
    QString dir = QDir::cleanPath(path);
    while (PathKind(dir) == TPathKind::Missing) {
        const QString up = QFileInfo(dir).path();
        if (up == dir)
            return QString();
        dir = up;
    }
    return dir;
}

// Whether outputs can be written into dir (it is made when missing): a failure says why not.
TResult CheckOutputDirectory(const QString& dir)
{
    const QString existing = ExistingAncestor(dir);
    if (existing.isEmpty() || !DirExists(existing))
        return TResult::Failure(
            QCoreApplication::translate("Preflight", "the output directory %1 cannot be created").arg(Quoted(dir)));
    if (::access(NativeName::Encode(existing).constData(), W_OK | X_OK) != 0) {
        if (existing == QDir::cleanPath(dir))
            return TResult::Failure(
                QCoreApplication::translate("Preflight", "the output directory %1 cannot be written (no permission)")
                    .arg(Quoted(dir)));
        return TResult::Failure(
            QCoreApplication::translate("Preflight", "the output directory %1 cannot be created in %2 (no permission)")
                .arg(Quoted(dir), Quoted(existing)));
    }
    return {};
}

struct TVolume {
    QString Dir; // the first output directory on it, for the message
    qint64 Available = -1;
    qint64 Needed = 0;
};

// A line of the report about one input: "<input>: <text>".
QString OfInput(const QString& input, const QString& text) { return input + QStringLiteral(": ") + text; }

// "1 file", "3 files": the forecast's counts. English, the source language, has no
// catalogue, so the two forms are two texts rather than one with a plural.
QString FileCount(int n)
{
    if (n == 1)
        //: A count of files in the forecast before a batch: "1 file"
        return QCoreApplication::translate("Preflight", "%1 file").arg(n);
    //: A count of files in the forecast before a batch: "0 files", "3 files"
    return QCoreApplication::translate("Preflight", "%1 files").arg(n);
}

} // namespace

TResolution OutputResolution(const TRowPlan& plan)
{
    const EncodingSettings& s = plan.Settings;
    const TVideoStreamInfo& v = plan.Input.VideoStreams[0];
    if (s.resolution == 1)
        return {int(s.resolutionWidth), int(s.resolutionHeight)};
    if (s.resolution >= 2 && s.resolution < s.resolutionItems.size()) {
        const TResolution r = ParseResolutionEntry(s.resolutionItems.at(s.resolution), v.Width, v.Height);
        if (r.Width > 0 && r.Height > 0)
            return r;
    }
    // a largest height makes a taller picture smaller
    if (const TFaithfulOutput& f = plan.Faithful; !f.Scale.isEmpty())
        return {f.OutWidth, f.OutHeight};
    return {v.Width, v.Height};
}

TSpeedKey SpeedKeyFor(const TRowPlan& plan)
{
    const EncodingSettings& s = plan.Settings;
    const TResolution r = OutputResolution(plan);
    TSpeedKey k;
    k.Codec = int(s.videoCodec);
    k.Preset = k.Codec != 0 && s.preset != TX264Preset::Auto && int(s.preset) < EncodingLists::preset().size()
                   ? int(s.preset)
                   : 0;
    k.Band = TSpeedHistory::ResolutionBand(r.Width, r.Height);
    return k;
}

namespace {

int QualityCodec(const EncodingSettings& s) { return int(s.videoCodec); }
int QualityValue(const EncodingSettings& s) { return QualityNumber(s); }

// Pixels a second of the output's video.
double PixelRate(const TRowPlan& plan)
{
    const TVideoFileInfo& info = plan.Input;
    const TResolution r = OutputResolution(plan);
    const double fps = info.VideoStreams[0].FPS > 0 ? info.VideoStreams[0].FPS : 25.0;
    return double(std::max(r.Width, 0)) * std::max(r.Height, 0) * fps;
}

int AudioKbps(const EncodingSettings& s, const TVideoFileInfo& info)
{
    if (s.noAudio || info.NumberOfAudioStreams == 0)
        return 0;
    return std::max(IsAuto(s.audioBitrate.Text) ? AutoSoundBitrate(s, info) : s.audioBitrate.Text.trimmed().toInt(), 0);
}

} // namespace

TSizeForecast ForecastOutputBytes(const TRowPlan& plan, const TSizeHistory* sizes)
{
    TSizeForecast forecast;
    const EncodingSettings& s = plan.Settings;
    const TVideoFileInfo& info = plan.Input;
    if (info.Duration <= 0)
        return forecast;
    int video = 0;
    if (ByQuality(s)) {
        const double learned = sizes ? sizes->BitsPerPixel(QualityCodec(s), QualityValue(s)) : 0;
        // Bits per pixel of ordinary footage: x264's rate factor halves the size every six
        // steps (0.08 at 22), x265's likewise at about half x264's size (0.04 at 28 looks as
        // x264's 22), SVT-AV1's every eight or so (0.035 at 35), Xvid's quantizer about 0.6 / q.
        const double q = QualityNumber(s);
        const double guess = s.videoCodec == TVideoCodec::X264   ? 0.08 * std::pow(2.0, (22.0 - q) / 6.0)
                           : s.videoCodec == TVideoCodec::Hevc ? 0.04 * std::pow(2.0, (28.0 - q) / 6.0)
                           : s.videoCodec == TVideoCodec::Av1  ? 0.035 * std::pow(2.0, (35.0 - q) / 8.0)
                                                               : 0.6 / std::max(1.0, q);
        forecast.Guessed = !(learned > 0);
        video = int(std::lround((learned > 0 ? learned : guess) * PixelRate(plan) / 1000.0));
    } else {
        video = IsAuto(s.videoBitrate.Text) ? GetAutoVideoBitrate(s, info) : s.videoBitrate.Text.trimmed().toInt();
    }
    const int audio = AudioKbps(s, info);
    const double seconds = info.Duration / 1000.0;
    forecast.Bytes = qint64(double(std::max(video, 0) + std::max(audio, 0)) * 1000.0 / 8.0 * seconds);
    return forecast;
}

void NoteConversionSpeed(const QString& iniName, const TRowPlan& plan, int passes, qint64 elapsedMs, qint64 outputBytes)
{
    const EncodingSettings& settings = plan.Settings;
    const TVideoFileInfo& info = plan.Input;
    // A first conversion comes before any settings were saved: the folder may not exist yet.
    if (!iniName.isEmpty())
        QDir().mkpath(QFileInfo(iniName).path());
    // The size first: a run too short to time still says how large its quality came out.
    if (!iniName.isEmpty() && ByQuality(settings) && outputBytes > 0 && info.Duration > 0 && PixelRate(plan) > 0) {
        const double videoBits = double(outputBytes) * 8.0 - AudioKbps(settings, info) * 1000.0 * info.Duration / 1000.0;
        const double bpp = videoBits / (PixelRate(plan) * info.Duration / 1000.0);
        if (bpp > 0)
            (void)TSizeHistory::RecordToFile(iniName, QualityCodec(settings), QualityValue(settings), bpp);
    }
    if (iniName.isEmpty() || info.Duration < ShortestMeasuredMediaMs || info.NumberOfVideoStreams == 0)
        return;
    // A run too short to time well still teaches settings nothing was measured with yet: a
    // rough speed beats "time unknown", and longer runs blend it away.
    const TSpeedKey key = SpeedKeyFor(plan);
    if (elapsedMs < ShortestMeasuredRunMs && TSpeedHistory::LoadFromFile(iniName).Speed(key) > 0)
        return;
    const double speed = info.Duration / 1000.0 * std::max(passes, 1) / (double(std::max<qint64>(elapsedMs, 1)) / 1000.0);
    // The forecast is a convenience: a settings file that cannot be written costs it only.
    (void)TSpeedHistory::RecordToFile(iniName, key, speed);
}

QString TPreflightReport::ForecastText() const
{
    const auto Size = [this] {
        //: The forecast size of outputs whose video follows a quality; %1: the size ("210.7 MB")
        return SizeGuessed ? QCoreApplication::translate("Preflight", "%1 (a guess: the size follows the quality)")
                                 .arg(Megabytes(ForecastBytes))
                           : Megabytes(ForecastBytes);
    };
    const QString files = FileCount(Files);
    if (Files == 0)
        //: %1: "0 files"
        return QCoreApplication::translate("Preflight", "Forecast: %1.").arg(files);
    const QString lacking = Unmeasured.join(QStringLiteral("; "));
    if (FilesWithSpeed == 0)
        //: %1: "3 files", %2: the size of the outputs, %3: the settings never measured ("H.264 veryfast, HD")
        return QCoreApplication::translate("Preflight", "Forecast: %1, about %2, time unknown (no file converted on "
                                                        "this machine yet with %3).")
            .arg(files, Size(), lacking);
    if (FilesWithoutSpeed == 0)
        //: %1: "3 files", %2: the size of the outputs, %3: the time (h:mm:ss)
        return QCoreApplication::translate("Preflight", "Forecast: %1, about %2, about %3.")
            .arg(files, Size(), Clock(ForecastSeconds));
    //: %1: "3 files", %2: the size of the outputs, %3: the time (h:mm:ss), %4: "1 file" whose time is unknown,
    //: %5: the settings never measured ("H.264 veryfast, HD")
    return QCoreApplication::translate("Preflight", "Forecast: %1, about %2, about %3 and %4 of unknown time (none "
                                                    "converted yet with %5).")
        .arg(files, Size(), Clock(ForecastSeconds), FileCount(FilesWithoutSpeed), lacking);
}

TPreflightReport CheckBatch(IBatchRows& rows, const EncodingSettings& settings, const TBatchOptions& options,
                            const TAppParams& params)
{
    TPreflightReport report;
    const QString encoder = FindMencoder(params);
    if (encoder.isEmpty() || !QFileInfo(encoder).isFile() || !QFileInfo(encoder).isExecutable())
        report.Problems << MissingEncoderText();
    if (params.MediaInfoDll.isEmpty())
        report.Problems << QCoreApplication::translate("Preflight",
                                                       "the MediaInfo library was not found: the files were not probed");

    TBatchFiles files;
    for (int r = 0; r < rows.RowCount(); ++r)
        if (rows.IsRowChecked(r))
            files.AddInput(FoldInputPath(rows.RowFullFileName(r)));

    const QString outDir = options.OutDir.isEmpty() ? QString() : QDir().absoluteFilePath(options.OutDir);
    const QString ext = GetExt(settings, true);
    const TSpeedHistory speeds = TSpeedHistory::LoadFromFile(params.IniName);
    const TSizeHistory sizes = TSizeHistory::LoadFromFile(params.IniName);
    QHash<QString, QString> firstWriter; // planned output -> the input that writes it first
    QStringList dirs;                    // output directories, in order
    QHash<QString, qint64> bytesByDir;

    const QString ffmpeg = FindFfmpeg(params);
    const QStringList encoders = FfmpegEncoders(ffmpeg);
    for (int r = 0; r < rows.RowCount(); ++r) {
        if (!rows.IsRowChecked(r))
            continue;
        const QString input = FoldInputPath(rows.RowFullFileName(r));
        TVideoFileInfo info;
        const bool analysed = rows.FreshAnalysis(r, info);
        const TResult probed = ProbeInput(input, params.MediaInfoDll, info, analysed);
        const TRowPlan plan = PlanRow(settings, info, ffmpeg);
        if (!probed) {
            report.Problems << OfInput(input, probed.error());
        } else {
            const TFaithfulOutput& faithful = plan.Faithful;
            // what the engine that makes the row cannot make, as its run would refuse it
            if (!plan.Refusal.isEmpty())
                report.Problems << OfInput(input, plan.Refusal);
            for (const QString& note : faithful.Notes + TrackNotes(settings, info, plan.Sound, plan.Subtitles))
                report.Notes << OfInput(input, note);
            if (plan.Engine == TEngine::FFmpeg && !plan.Added.isEmpty())
                report.Notes << OfInput(input, LeftOutParametersNote());
            if (plan.Engine == TEngine::FFmpeg && !ffmpeg.isEmpty()) {
                if (const QString refused = FfmpegVideoRefusal(settings, encoders); !refused.isEmpty())
                    report.Problems << OfInput(input, refused);
                else if (TwoPassMadeAsOne(settings))
                    report.Notes << OfInput(input, OnePassNote());
                if (const QString refused = FfmpegPictureRefusal(plan, encoders); !refused.isEmpty())
                    report.Problems << OfInput(input, refused);
            }
        }

        if (!options.OutDirIsInDir && outDir.isEmpty()) {
            report.Problems << QCoreApplication::translate("Preflight", "no output directory is given");
            break;
        }
        const QString planned = PlannedOutputPath(input, options.OutDirIsInDir, outDir, ext, RowTreeRoot(rows, r, options));
        const TOutputChoice c = ChooseOutputName(planned, options.OutputExists, files);
        if (c.EarlierRow) {
            report.Notes << OfInput(input, QCoreApplication::translate(
                                               "Preflight", "its output %1 is also the output of %2; it is written as %3")
                                               .arg(Quoted(planned), Quoted(firstWriter.value(planned)), Quoted(c.Output)));
        } else if (c.Skipped) {
            report.Notes << OfInput(input, QCoreApplication::translate("Preflight", "the output %1 exists; the file is skipped")
                                               .arg(Quoted(planned)));
        } else if (c.OnDisk && SameFile(planned, input)) {
            // the output would name the input itself: a numbered name, always, as expected
        } else if (c.OnDisk && c.Output != planned) {
            report.Notes << OfInput(input, QCoreApplication::translate("Preflight", "the output %1 exists; it is written as %2")
                                               .arg(Quoted(planned), Quoted(c.Output)));
        } else if (c.OnDisk) {
            report.Problems << OfInput(input, QCoreApplication::translate("Preflight", "the output %1 exists and is written over")
                                                  .arg(Quoted(planned)));
        }
        if (c.Output.isEmpty())
            report.Problems << OfInput(input, QCoreApplication::translate("Preflight", "every numbered name of %1 is taken")
                                                  .arg(Quoted(planned)));
        if (c.Skipped)
            continue;
        if (!firstWriter.contains(planned))
            firstWriter.insert(planned, input);
        files.AddOutput(c.Output);

        ++report.Files;
        const QString dir = QFileInfo(c.Output).path();
        if (!dirs.contains(dir))
            dirs << dir;
        if (!probed)
            continue;
        const TSizeForecast forecast = ForecastOutputBytes(plan, &sizes);
        const qint64 bytes = forecast.Bytes;
        report.ForecastBytes += bytes;
        report.SizeGuessed = report.SizeGuessed || (forecast.Guessed && bytes > 0);
        bytesByDir[dir] += bytes;
        const double speed = speeds.Speed(SpeedKeyFor(plan));
        if (speed > 0 && info.Duration > 0) {
            report.ForecastSeconds += info.Duration / 1000.0 * (TwoPassInEffect(settings) ? 2 : 1) / speed;
            ++report.FilesWithSpeed;
        } else {
            ++report.FilesWithoutSpeed;
            const QString name = TSpeedHistory::ShownName(SpeedKeyFor(plan));
            if (!report.Unmeasured.contains(name))
                report.Unmeasured << name;
        }
    }

    // Free space per file system: outputs in several directories of one disk add up.
    QList<TVolume> volumes;
    QHash<QString, int> volumeOf;
    for (const QString& dir : dirs) {
        if (const TResult usable = CheckOutputDirectory(dir); !usable) {
            report.Problems << usable.error();
            continue;
        }
        const QStorageInfo storage(ExistingAncestor(dir));
        if (!storage.isValid())
            continue;
        const QString key = QString::fromLocal8Bit(storage.device()) + QLatin1Char('|') + storage.rootPath();
        if (!volumeOf.contains(key)) {
            volumeOf.insert(key, int(volumes.size()));
            volumes.append({dir, storage.bytesAvailable(), 0});
        }
        volumes[volumeOf.value(key)].Needed += bytesByDir.value(dir);
    }
    for (const TVolume& v : volumes) {
        if (v.Available >= 0 && v.Needed > v.Available)
            report.Problems << QCoreApplication::translate("Preflight",
                                                           "not enough free space for the outputs in %1: about %2 needed, %3 free")
                                   .arg(Quoted(v.Dir), Megabytes(v.Needed), Megabytes(v.Available));
    }
    return report;
}
