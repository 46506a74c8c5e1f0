#include "filelist/RowStatusText.h"

#include <QCoreApplication>

namespace {

struct TFixedStatus {
    TRowStatusKind Kind;
    const char* Text;
};

// The statuses without a number.
constexpr TFixedStatus FixedStatuses[] = {
    {TRowStatusKind::Ready, QT_TRANSLATE_NOOP("RowStatus", "Ready")},
    {TRowStatusKind::Converting, QT_TRANSLATE_NOOP("RowStatus", "Converting")},
    {TRowStatusKind::Done, QT_TRANSLATE_NOOP("RowStatus", "Done")},
    //: Done, under a new numbered name because the output existed; the Status column is narrow
    {TRowStatusKind::Renamed, QT_TRANSLATE_NOOP("RowStatus", "OK - Renamed")},
    //: Done, over the output that existed; the Status column is narrow
    {TRowStatusKind::Overwritten, QT_TRANSLATE_NOOP("RowStatus", "OK - Overwritten")},
    //: The row was left out: its output exists and the policy says to skip it
    {TRowStatusKind::Skipped, QT_TRANSLATE_NOOP("RowStatus", "Skipped")},
    //: The row failed, not by the encoder's exit code: the output check or a refusal; the Reason column says why
    {TRowStatusKind::Failed, QT_TRANSLATE_NOOP("RowStatus", "Error")},
    {TRowStatusKind::Aborted, QT_TRANSLATE_NOOP("RowStatus", "Aborted")},
    //: The batch the row belonged to ended before the row did (the program was closed or crashed)
    {TRowStatusKind::Interrupted, QT_TRANSLATE_NOOP("RowStatus", "Interrupted")},
    //: A file named by the user that is not a video the program can convert
    {TRowStatusKind::Refused, QT_TRANSLATE_NOOP("RowStatus", "Refused")},
};

QString Tr(const char* text) { return QCoreApplication::translate("RowStatus", text); }

} // namespace

QString RowStatusText(const TRowStatus& status)
{
    switch (status.Kind) {
    case TRowStatusKind::None:
        return {};
    case TRowStatusKind::Other:
        return status.Text;
    case TRowStatusKind::Converting:
        if (status.Percent >= 0)
            return QCoreApplication::translate("RowStatus", "Converting %1%").arg(status.Percent);
        break;
    case TRowStatusKind::ExitCode: {
        // the number as the saved text has it
        const QString n = QString::number(quint32(status.ExitCode));
        if (status.Pass != 2)
            return QCoreApplication::translate("RowStatus", "Error (%1)").arg(n);
        //: The second pass of a two-pass encode failed with this exit code
        return QCoreApplication::translate("RowStatus", "Error = %1").arg(n);
    }
    default:
        break;
    }
    for (const TFixedStatus& f : FixedStatuses) {
        if (f.Kind == status.Kind)
            return Tr(f.Text);
    }
    return {};
}

QString RowStatusText(const TFileListRow& row)
{
    if (row.Status.Is(TRowStatusKind::Refused) && row.Refusal != TInputProblem::None)
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
