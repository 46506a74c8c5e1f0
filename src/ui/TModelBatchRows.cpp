#include "ui/TModelBatchRows.h"

#include "filelist/FileListModel.h"

int TModelBatchRows::RowCount() const
{
    return m_model.rowCount();
}

bool TModelBatchRows::IsRowChecked(int row) const
{
    return m_model.IsChecked(row);
}

QString TModelBatchRows::RowFullFileName(int row) const
{
    return m_model.GetNgFullFileName(row);
}

void TModelBatchRows::SetRowStatus(int row, const QString& status, std::optional<TColor> colour)
{
    m_model.SetRowStatus(row, status, colour);
}
