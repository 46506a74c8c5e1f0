#include "encoding/EncoderCommand.h"

#include "encoding/CmdLineBuilder.h"

#include <QThread>

int MachineProcessorCount()
{
    return QThread::idealThreadCount();
}

QString PathArg(const QString& path)
{
    return path.startsWith(QLatin1Char('-')) ? QStringLiteral("./") + path : path;
}

static QString Quoted(const QString& path)
{
    return QLatin1Char('"') + path + QLatin1Char('"');
}

QString JoinParamString(const QString& input, const TCmdLinePieces& p, const TCmdPiece& vparams,
                        const QString& passLogFile, const QString& output)
{
    QStringList parts;
    if (!p.Reader.Text.isEmpty())
        parts << p.Reader.Text;
    parts << QStringList{Quoted(input), p.VCodec.Text, vparams.Text, p.ACodec.Text, p.AParams.Text, p.AdvParams.Text,
                      p.AddParams.Text};
    if (!passLogFile.isEmpty())
        parts << QStringLiteral("-passlogfile") << Quoted(passLogFile);
    parts << QStringLiteral("-o") << Quoted(output);
    return parts.join(QLatin1Char(' '));
}

QStringList ParamArgs(const QString& input, const TCmdLinePieces& p, const TCmdPiece& vparams,
                      const QString& passLogFile, const QString& output)
{
    QStringList args = p.Reader.Args;
    args << PathArg(input);
    for (const TCmdPiece* piece : {&p.VCodec, &vparams, &p.ACodec, &p.AParams, &p.AdvParams, &p.AddParams})
        args += piece->Args;
    if (!passLogFile.isEmpty())
        args << QStringLiteral("-passlogfile") << PathArg(passLogFile);
    args << QStringLiteral("-o") << PathArg(output);
    return args;
}

TCmdLinePieces FixedCmdLinePieces(const TRowPlan& plan)
{
    const EncodingSettings& s = plan.Settings;
    TCmdLinePieces p;
    if (plan.ReaderPlace == TReaderPlace::BeforeInput) {
        p.Reader.Args << QStringLiteral("-demuxer") << plan.Reader;
        p.Reader.Text = QStringLiteral("-demuxer ") + plan.Reader;
    }
    p.VCodec = GetVideoCodec(s);
    p.ACodec = GetAudioCodec(s);
    p.AdvParams = GetAdvancedParams(plan);
    p.AddParams = GetAdditionalParams(plan).Trimmed();
    return p;
}

static TEncoderInvocation MakeRun(const QString& input, const TCmdLinePieces& p, const TCmdPiece& vparams,
                                  const QString& passLogFile, const QString& output)
{
    return {JoinParamString(input, p, vparams, passLogFile, output),
            ParamArgs(input, p, vparams, passLogFile, output)};
}

TEncoderJob BuildEncoderJob(const EncodingSettings& s, const TVideoFileInfo& CurrentFileInfo,
                            int processorCount, const QString& input, const QString& output,
                            const QString& passLogFile, const TWarningSink& warn)
{
    return BuildEncoderJob(RowPlanBy(TEngine::MEncoder, s, CurrentFileInfo), processorCount, input, output, passLogFile, warn);
}

TEncoderJob EmptyJob(const TRowPlan& plan, int processorCount, const QString& input, const QString& output,
                     const QString& passLogFile)
{
    TEncoderJob job;
    job.Plan = plan;
    job.ProcessorCount = processorCount;
    job.Input = input;
    job.Output = output;
    job.PassLogFile = passLogFile;
    job.Ext = GetExt(plan.Settings, false);
    job.TwoPass = TwoPassInEffect(plan.Settings);
    return job;
}

TEncoderJob BuildEncoderJob(const TRowPlan& plan, int processorCount, const QString& input, const QString& output,
                            const QString& passLogFile, const TWarningSink& warn)
{
    TEncoderJob job = EmptyJob(plan, processorCount, input, output, passLogFile);
    TCmdLinePieces& p = job.Pieces = FixedCmdLinePieces(plan);

    // The planner's order: the first failing builder ends the file, so the user sees
    // one warning, not one per piece.
    const auto failed = [&job](const QString& piece, const QString& message) {
        job.FailedPiece = piece;
        job.FailureMessage = message;
        return job;
    };
    const TResultOf<TCmdPiece> v = GetVideoParams(plan, processorCount, warn);
    if (!v)
        return failed(QStringLiteral("VParams"), v.error());
    p.VParams = v.value().Trimmed();
    const TResultOf<TCmdPiece> a = GetAudioParams(plan, warn);
    if (!a)
        return failed(QStringLiteral("AParams"), a.error());
    p.AParams = a.value().Trimmed();

    job.Ok = true;
    if (job.TwoPass) {
        // (the typed values were checked above: the passes' options are built without a word)
        job.VParams1 = GetVideoParams(plan, processorCount, {}, 1).value().Trimmed();
        job.VParams2 = GetVideoParams(plan, processorCount, {}, 2).value().Trimmed();
        job.Runs << MakeRun(input, p, job.VParams1, passLogFile, output)
                 << MakeRun(input, p, job.VParams2, passLogFile, output);
    } else {
        job.Runs << MakeRun(input, p, p.VParams, QString(), output);
    }
    return job;
}

TEncoderJob RebuiltEncoderJob(const TEncoderJob& job, const TRowPlan& plan)
{
    return BuildEncoderJob(plan, job.ProcessorCount, job.Input, job.Output, job.PassLogFile, {});
}
