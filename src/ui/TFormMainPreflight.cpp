// The main window's check before a batch: the problems it finds, in one dialog.
#include "ui/TFormMain.h"

#include "base/AppInfo.h"
#include "base/AppParams.h"
#include "conversion/ListModelRows.h"
#include "conversion/Preflight.h"
#include "filelist/FileListModel.h"
#include "ui/UiKit.h"

#include <QMessageBox>
#include <QPushButton>

bool TFormMain::ConfirmPreflight()
{
    if (m_converting || m_list->GetNgCheckedCount() == 0)
        return true; // nothing to check: the batch itself says what there is to say
    TListModelRows rows(*m_list);
    const TPreflightReport report = CheckBatch(rows, Settings(), BatchOptions(), AppParams());
    if (!report.HasProblems())
        return true;

    // Every problem and note goes into the box's scrolling list: thousands of rows must
    // not make a box taller than the screen.
    QStringList items = report.Problems;
    if (!report.Notes.isEmpty())
        items << QString() << tr("Notes:") << report.Notes;
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(AppInfo::ProgramName),
                    tr("The check before converting found problems:"), QMessageBox::NoButton, this);
    box.setInformativeText(report.ForecastText());
    box.setObjectName(QStringLiteral("PreflightBox"));
    QPushButton* convert = box.addButton(tr("Convert anyway"), QMessageBox::AcceptRole);
    convert->setObjectName(QStringLiteral("btnConvertAnyway"));
    QPushButton* cancel = box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    UiKit::AddItemList(box, items);
    box.exec();
    return box.clickedButton() == convert;
}
