#include "encoding/CmdLinePreview.h"

#include "encoding/CmdLineBuilder.h"
#include "encoding/EncoderCommand.h"

static QString PreviewLine(const TCmdLinePieces& p, const QString& vparams, bool withLog, const QString& passLogFile)
{
    QString line = InputFilePlaceholder + QLatin1Char(' ') + p.VCodec + QLatin1Char(' ') + vparams
                 + QLatin1Char(' ') + p.ACodec + QLatin1Char(' ') + p.AParams + QLatin1Char(' ')
                 + p.AdvParams + QLatin1Char(' ') + p.AddParams;
    if (withLog)
        line += QStringLiteral(" -passlogfile \"") + passLogFile + QLatin1Char('"');
    return line + QStringLiteral(" -o ") + OutputFilePlaceholder;
}

TCmdLinePreview GetCmdLinePreview(const EncodingSettings& s, const TVideoFileInfo& CurrentFileInfo,
                                  int processorCount, const QString& inputFile,
                                  const QString& passLogFile1, const TWarningSink& warn)
{
    TCmdLinePreview preview;
    TCmdLinePieces p = GetCmdLinePieces(s, CurrentFileInfo, processorCount, warn);
    for (QString* piece : {&p.VParams, &p.AParams, &p.AdvParams}) {
        if (*piece == BuilderError) {
            piece->clear(); // the builder has already shown its warning
            preview.Failed = true;
        }
    }

    QString text;
    if (s.twoPass) {
        text = PreviewLine(p, InsertPassNumber(p.VParams, 1), true, passLogFile1) + QStringLiteral("\r\n\r\n")
             + PreviewLine(p, InsertPassNumber(p.VParams, 2), true, passLogFile1);
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
