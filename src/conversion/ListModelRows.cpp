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

double TListModelRows::RowDurationMs(int row) const
{
    const TFileListRow& r = m_model.Row(row);
    return r.Analysed && r.Duration > 0 ? r.Duration : 0;
}
bool TListModelRows::FreshAnalysis(int row, TVideoFileInfo& info) const { return m_model.FreshAnalysis(row, info); }
