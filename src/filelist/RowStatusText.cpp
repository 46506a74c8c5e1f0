#include "filelist/RowStatusText.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

struct TFixedStatus {
    const char* Status;
    const char* Text;
};

// The statuses without a number, as the batch and the list write them.
constexpr TFixedStatus FixedStatuses[] = {
    {"Ready", QT_TRANSLATE_NOOP("RowStatus", "Ready")},
    {"Converting", QT_TRANSLATE_NOOP("RowStatus", "Converting")},
    {"Done", QT_TRANSLATE_NOOP("RowStatus", "Done")},
    //: Done, under a new numbered name because the output existed; the Status column is narrow
    {"OK - Renamed", QT_TRANSLATE_NOOP("RowStatus", "OK - Renamed")},
    //: Done, over the output that existed; the Status column is narrow
    {"OK - Overwritten", QT_TRANSLATE_NOOP("RowStatus", "OK - Overwritten")},
    //: The row was left out: its output exists and the policy says to skip it
    {"Skipped", QT_TRANSLATE_NOOP("RowStatus", "Skipped")},
    //: The row failed, not by the encoder's exit code: the output check or a refusal; the Reason column says why
    {"Error", QT_TRANSLATE_NOOP("RowStatus", "Error")},
    {"Aborted", QT_TRANSLATE_NOOP("RowStatus", "Aborted")},
    //: The batch the row belonged to ended before the row did (the program was closed or crashed)
    {"Interrupted", QT_TRANSLATE_NOOP("RowStatus", "Interrupted")},
    //: A file named by the user that is not a video the program can convert
    {"Refused", QT_TRANSLATE_NOOP("RowStatus", "Refused")},
};

QString Tr(const char* text) { return QCoreApplication::translate("RowStatus", text); }

} // namespace

QString RowStatusText(const QString& status)
{
    for (const TFixedStatus& f : FixedStatuses) {
        if (status == QLatin1String(f.Status))
            return Tr(f.Text);
    }
    // "Converting 45%", "Error (3)", "Error = 3" (the second pass): the number stays.
    static const QRegularExpression numbered(QStringLiteral("^(Converting (\\d+)%|Error \\((\\d+)\\)|Error = (\\d+))$"));
    const QRegularExpressionMatch m = numbered.match(status);
    if (!m.hasMatch())
        return status;
    if (!m.captured(2).isEmpty())
        return QCoreApplication::translate("RowStatus", "Converting %1%").arg(m.captured(2));
    // "Error (0)", stored before a failed check had a status of its own, was no exit code
    if (m.captured(3) == QLatin1String("0"))
        return Tr("Error");
    if (!m.captured(3).isEmpty())
        return QCoreApplication::translate("RowStatus", "Error (%1)").arg(m.captured(3));
    //: The second pass of a two-pass encode failed with this exit code
    return QCoreApplication::translate("RowStatus", "Error = %1").arg(m.captured(4));
}

QString RowStatusText(const TFileListRow& row)
{
    if (row.Status == QLatin1String("Refused") && row.Refusal != TInputProblem::None)
        //: The Status cell of a refused file: why, as the check before a batch says it
        return QCoreApplication::translate("RowStatus", "Refused: %1").arg(InputProblemText(row.Refusal));
    return RowStatusText(row.Status);
}

QString StatusToolTip(const TFileListRow& row)
{
    QStringList lines{RowStatusText(row)};
    if (!row.Reason.isEmpty() && row.Reason != InputProblemText(row.Refusal))
        lines << row.Reason;
    if (!row.Output.isEmpty())
        //: The Status cell's tool tip: where the row's output was written
        lines << QCoreApplication::translate("RowStatus", "Output: %1").arg(row.Output);
    return lines.join(QLatin1Char('\n'));
}
