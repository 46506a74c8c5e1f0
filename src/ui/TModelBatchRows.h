#pragma once

#include "conversion/BatchPlanner.h"

class TFileListModel;

// The file list as the batch walks it.
class TModelBatchRows : public IBatchRows {
public:
    explicit TModelBatchRows(TFileListModel& model)
        : m_model(model)
    {
    }

    int RowCount() const override;
    bool IsRowChecked(int row) const override;
    QString RowFullFileName(int row) const override;
    void SetRowStatus(int row, const QString& status, std::optional<TColor> colour) override;

private:
    TFileListModel& m_model;
};
