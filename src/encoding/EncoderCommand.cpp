#include "encoding/EncoderCommand.h"

#include "encoding/CmdLineBuilder.h"

#include <QThread>

int MachineProcessorCount()
{
    return QThread::idealThreadCount();
}

QStringList SplitArgsWindowsWay(const QString& text)
{
    QStringList args;
    QString current;
    bool inQuotes = false;
    bool pending = false; // a quote counts as the start of an argument, even an empty one
    for (const QChar c : text) {
        if (c == QLatin1Char('"')) {
            inQuotes = !inQuotes;
            pending = true;
        } else if (!inQuotes && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))) {
            if (pending)
                args << current;
            current.clear();
            pending = false;
        } else {
            current += c;
            pending = true;
        }
    }
    if (pending)
        args << current;
    return args;
}

QString PathArg(const QString& path)
{
    return path.startsWith(QLatin1Char('-')) ? QStringLiteral("./") + path : path;
}

static QString Quoted(const QString& path)
{
    return QLatin1Char('"') + path + QLatin1Char('"');
}

QString JoinParamString(const QString& input, const TCmdLinePieces& p, const QString& vparams,
                        const QString& passLogFile, const QString& output)
{
    QStringList parts{Quoted(input), p.VCodec, vparams, p.ACodec, p.AParams, p.AdvParams, p.AddParams};
    if (!passLogFile.isEmpty())
        parts << QStringLiteral("-passlogfile") << Quoted(passLogFile);
    parts << QStringLiteral("-o") << Quoted(output);
    return parts.join(QLatin1Char(' '));
}

QStringList ParamArgs(const QString& input, const TCmdLinePieces& p, const QString& vparams,
                      const QString& passLogFile, const QString& output)
{
    QStringList args{PathArg(input)};
    for (const QString& piece : {p.VCodec, vparams, p.ACodec, p.AParams, p.AdvParams, p.AddParams})
        args += SplitArgsWindowsWay(piece);
    if (!passLogFile.isEmpty())
        args << QStringLiteral("-passlogfile") << PathArg(passLogFile);
    args << QStringLiteral("-o") << PathArg(output);
    return args;
}

TCmdLinePieces GetCmdLinePieces(const EncodingSettings& s, const TVideoFileInfo& CurrentFileInfo,
                                int processorCount, const TWarningSink& warn)
{
    TCmdLinePieces p;
    p.VCodec = GetVideoCodecStr(s).trimmed();
    p.VParams = GetVideoParamsStr(s, CurrentFileInfo, processorCount, warn).trimmed();
    p.ACodec = GetAudioCodecStr(s).trimmed();
    p.AParams = GetAudioParamsStr(s, CurrentFileInfo, warn).trimmed();
    p.AdvParams = GetAdvancedParamsStr(s, CurrentFileInfo).trimmed();
    p.AddParams = GetAdditionalParamsStr(s).trimmed();
    return p;
}

static TEncoderInvocation MakeRun(const QString& input, const TCmdLinePieces& p, const QString& vparams,
                           const QString& passLogFile, const QString& output)
{
    return {JoinParamString(input, p, vparams, passLogFile, output),
            ParamArgs(input, p, vparams, passLogFile, output)};
}

TEncoderJob BuildEncoderJob(const EncodingSettings& s, const TVideoFileInfo& CurrentFileInfo,
                            int processorCount, const QString& input, const QString& output,
                            const QString& passLogFile, const TWarningSink& warn)
{
    TEncoderJob job;
    job.Ext = GetExt(s, false);
    job.TwoPass = s.twoPass;
    TCmdLinePieces& p = job.Pieces;
    p.VCodec = GetVideoCodecStr(s).trimmed();
    p.ACodec = GetAudioCodecStr(s).trimmed();

    // The planner's order: the first failing builder ends the file, so the user sees
    // one warning, not one per piece.
    p.AdvParams = GetAdvancedParamsStr(s, CurrentFileInfo).trimmed();
    if (p.AdvParams == BuilderError) {
        job.FailedPiece = QStringLiteral("AdvParams");
        return job;
    }
    p.AddParams = GetAdditionalParamsStr(s).trimmed();
    p.VParams = GetVideoParamsStr(s, CurrentFileInfo, processorCount, warn).trimmed();
    if (p.VParams == BuilderError) {
        job.FailedPiece = QStringLiteral("VParams");
        return job;
    }
    p.AParams = GetAudioParamsStr(s, CurrentFileInfo, warn).trimmed();
    if (p.AParams == BuilderError) {
        job.FailedPiece = QStringLiteral("AParams");
        return job;
    }

    job.Ok = true;
    if (job.TwoPass) {
        job.VParams1 = InsertPassNumber(p.VParams, 1);
        job.VParams2 = InsertPassNumber(p.VParams, 2);
        job.Runs << MakeRun(input, p, job.VParams1, passLogFile, output)
                 << MakeRun(input, p, job.VParams2, passLogFile, output);
    } else {
        job.Runs << MakeRun(input, p, p.VParams, QString(), output);
    }
    return job;
}
