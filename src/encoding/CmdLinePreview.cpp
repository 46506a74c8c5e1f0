#include "encoding/CmdLinePreview.h"

#include "encoding/CmdLineBuilder.h"
#include "encoding/EncoderCommand.h"
#include "encoding/FfmpegCommand.h"
#include "encoding/RowPlan.h"
#include "encoding/SettingsRules.h"

static QString PreviewLine(const TCmdLinePieces& p, const TCmdPiece& vparams, bool withLog, const QString& passLogFile)
{
    QString line = InputFilePlaceholder + QLatin1Char(' ') + p.VCodec.Text + QLatin1Char(' ') + vparams.Text
                 + QLatin1Char(' ') + p.ACodec.Text + QLatin1Char(' ') + p.AParams.Text + QLatin1Char(' ')
                 + p.AdvParams.Text + QLatin1Char(' ') + p.AddParams.Text;
    if (withLog)
        line += QStringLiteral(" -passlogfile \"") + passLogFile + QLatin1Char('"');
    return line + QStringLiteral(" -o ") + OutputFilePlaceholder;
}

TCmdLinePreview GetCmdLinePreview(const EncodingSettings& s, const TVideoFileInfo& CurrentFileInfo,
                                  int processorCount, const QString& inputFile,
                                  const QString& passLogFile1, const TWarningSink& warn,
                                  const QStringList& ffmpegEncoders)
{
    TCmdLinePreview preview;
    // Every builder runs; a piece that failed is left out, its builder has already shown
    // its warning.
    const auto kept = [&preview](const TResultOf<TCmdPiece>& built) {
        if (!built)
            preview.Messages << built.error();
        return built.value().Trimmed();
    };
    const TRowPlan plan = RowPlan(s, CurrentFileInfo);
    if (plan.Engine == TEngine::FFmpeg) {
        const QString input = inputFile.isEmpty() ? InputFilePlaceholder : inputFile;
        const TEncoderJob job =
            BuildFfmpegJob(plan, processorCount, input, OutputFilePlaceholder, passLogFile1, ffmpegEncoders, warn);
        if (!job.Ok)
            preview.Messages << job.FailureMessage;
        preview.Failed = !job.Ok;
        QStringList lines;
        for (const TEncoderInvocation& run : job.Runs)
            lines << QStringLiteral("ffmpeg ") + run.Params;
        preview.Text = lines.join(QStringLiteral("\r\n\r\n"));
        return preview;
    }
    // settings only FFmpeg makes, with MEncoder chosen: no command line would make them
    if (const QString refused = MencoderCannotMake(s); !refused.isEmpty()) {
        if (warn)
            warn(refused);
        preview.Messages << refused;
        preview.Failed = true;
        return preview;
    }
    TCmdLinePieces p = FixedCmdLinePieces(plan);
    p.VParams = kept(GetVideoParams(plan, processorCount, warn));
    p.AParams = kept(GetAudioParams(plan, warn));
    preview.Failed = !preview.Messages.isEmpty();

    QString text;
    if (TwoPassInEffect(s)) {
        // (a failed piece has warned already: its passes are empty)
        const auto passParams = [&](int pass) { return GetVideoParams(plan, processorCount, {}, pass).value(); };
        text = PreviewLine(p, passParams(1), true, passLogFile1) + QStringLiteral("\r\n\r\n")
             + PreviewLine(p, passParams(2), true, passLogFile1);
    } else {
        text = PreviewLine(p, p.VParams, false, QString());
    }
    // One left-to-right pass: longer runs of blanks shrink but need not reach one blank.
    text.replace(QStringLiteral("   "), QStringLiteral(" "));
    const QString input = inputFile.isEmpty() ? InputFilePlaceholder : QLatin1Char('"') + inputFile + QLatin1Char('"');
    text.replace(InputFilePlaceholder, input);
    preview.Text = text;
    return preview;
}
