#include "conversion/ListModelRows.h"

#include "filelist/FileListModel.h"

TListModelRows::TListModelRows(TFileListModel& model)
    : m_model(model)
{
}

int TListModelRows::RowCount() const { return m_model.rowCount(); }

bool TListModelRows::IsRowChecked(int row) const { return m_model.IsChecked(row); }

QString TListModelRows::RowFullFileName(int row) const { return m_model.GetNgFullFileName(row); }

void TListModelRows::SetRowStatus(int row, const QString& status, std::optional<TColor> colour)
{
    m_model.SetRowStatus(row, status, colour);
}

bool TListModelRows::FreshAnalysis(int row, TVideoFileInfo& info) const { return m_model.FreshAnalysis(row, info); }
