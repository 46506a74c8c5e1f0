#pragma once

#include "batch/BatchInput.h"

class TFileListModel;

// The file list model as the batch planner walks it (the headless front end's list).
class TListModelRows : public IBatchRows {
public:
    explicit TListModelRows(TFileListModel& model);

    int RowCount() const override;
    bool IsRowChecked(int row) const override;
    QString RowFullFileName(int row) const override;
    QString RowRoot(int row) const override;
    void SetRowStatus(int row, const TRowStatus& status, std::optional<TColor> colour) override;
    void SetRowResult(int row, const QString& output, const QString& reason) override;
    double RowDurationMs(int row) const override;
    bool FreshAnalysis(int row, TVideoFileInfo& info) const override;
    TInputProblem RowRefusal(int row) const override;
    bool WhenAnalysed(int row, QObject* context, std::function<void()> done) override;

private:
    TFileListModel& m_model;
};
