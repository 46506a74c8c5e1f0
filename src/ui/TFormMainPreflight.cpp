// The main window's check before a batch: the problems it finds, in one dialog.
#include "ui/TFormMain.h"

#include "base/AppInfo.h"
#include "base/AppParams.h"
#include "conversion/ListModelRows.h"
#include "conversion/Preflight.h"
#include "filelist/FileListModel.h"

#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace {

// A longer list would push the buttons off the screen; the rest is counted.
constexpr int ShownProblems = 20;

} // namespace

bool TFormMain::ConfirmPreflight()
{
    if (m_converting || m_list->GetNgCheckedCount() == 0)
        return true; // nothing to check: the batch itself says what there is to say
    TListModelRows rows(*m_list);
    const TPreflightReport report = CheckBatch(rows, Settings(), BatchOptions(), AppParams());
    if (!report.HasProblems())
        return true;

    QStringList lines = report.Problems.mid(0, ShownProblems);
    if (report.Problems.size() > ShownProblems)
        lines << tr("... and %1 more").arg(report.Problems.size() - ShownProblems);
    // What the batch adjusts on its own follows, in the room the problems left.
    if (const qsizetype room = ShownProblems - std::min<qsizetype>(ShownProblems, report.Problems.size());
        !report.Notes.isEmpty() && room > 0) {
        lines << QString() << tr("Notes:") << report.Notes.mid(0, room);
        if (report.Notes.size() > room)
            lines << tr("... and %1 more").arg(report.Notes.size() - room);
    }
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(AppInfo::ProgramName),
                    tr("The check before converting found problems:") + QStringLiteral("\n\n") + lines.join(QLatin1Char('\n'))
                        + QStringLiteral("\n\n") + report.ForecastText(),
                    QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("PreflightBox"));
    QPushButton* convert = box.addButton(tr("Convert anyway"), QMessageBox::AcceptRole);
    convert->setObjectName(QStringLiteral("btnConvertAnyway"));
    QPushButton* cancel = box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == convert;
}
