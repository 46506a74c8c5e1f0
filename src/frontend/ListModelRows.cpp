#include "frontend/ListModelRows.h"

#include "filelist/FileListModel.h"

TListModelRows::TListModelRows(TFileListModel& model)
    : m_model(model)
{
}

int TListModelRows::RowCount() const { return m_model.rowCount(); }

bool TListModelRows::IsRowChecked(int row) const { return m_model.IsChecked(row); }

QString TListModelRows::RowFullFileName(int row) const { return m_model.RowFullName(row); }

QString TListModelRows::RowRoot(int row) const
{
    return m_model.IsValidRowIndex(row) ? m_model.Row(row).Root : QString();
}

void TListModelRows::SetRowStatus(int row, const TRowStatus& status, std::optional<TColor> colour)
{
    m_model.SetRowStatus(row, status, colour);
}

void TListModelRows::SetRowResult(int row, const QString& output, const QString& reason)
{
    m_model.SetRowResult(row, output, reason);
}

double TListModelRows::RowDurationMs(int row) const
{
    const TFileListRow& r = m_model.Row(row);
    return r.Analysed && r.Duration > 0 ? r.Duration : 0;
}

bool TListModelRows::FreshAnalysis(int row, TVideoFileInfo& info) const { return m_model.FreshAnalysis(row, info); }

TInputProblem TListModelRows::RowRefusal(int row) const
{
    return m_model.IsValidRowIndex(row) ? m_model.Row(row).Refusal : TInputProblem::None;
}

bool TListModelRows::WhenAnalysed(int row, QObject* context, std::function<void()> done)
{
    const quint64 ticket = m_model.PendingAnalysisTicket(row);
    if (ticket == 0)
        return false;
    // Queued: the list finishes its own bookkeeping before the batch reads the row.
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(
        &m_model, &TFileListModel::analysisEnded, context,
        [ticket, connection, done = std::move(done)](quint64 ended) {
            if (ended != ticket)
                return;
            QObject::disconnect(*connection);
            done();
        },
        Qt::QueuedConnection);
    return true;
}
