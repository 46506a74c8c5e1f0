// The list's side of the analysis: each added row's request to the pool, its ticket while
// the answer is pending, and what the answer fills in.
#include "filelist/FileListModel.h"

#include "media/AnalysisPool.h"
#include "media/MediaAnalysis.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

namespace {

constexpr int AnalysisWaitPollMs = 50;

const TVideoFileInfo& EmptyInfo()
{
    static const TVideoFileInfo empty;
    return empty;
}

} // namespace

void TFileListModel::SetAnalysisPool(TAnalysisPool* pool)
{
    if (m_pool)
        disconnect(m_pool, nullptr, this, nullptr);
    m_pool = pool;
    if (pool)
        connect(pool, &TAnalysisPool::finished, this, &TFileListModel::OnAnalysisFinished);
}

TFileAnalysis TFileListModel::AnalysisDepth() const
{
    const TFileAnalysis analysis = m_params.FileAnalysis;
    if (analysis == faQuick || analysis == faFull)
        return analysis;
    return m_keepAnalysis ? faFull : faNone;
}

// row has its name and size; it is not in the list yet.
void TFileListModel::AnalyseInto(TFileListRow& row, const QString& fullName)
{
    // A file of an unknown kind must show video to the second prober, whatever the depth.
    const TFileAnalysis depth = row.Unproven ? faFull : AnalysisDepth();
    if (depth != faQuick && depth != faFull)
        return;
    const QString dll = FindMediaInfoDll(m_params);
    if (dll.isEmpty())
        return; // without the library a row keeps name, size and status only
    const TFileStamp stamp = CurrentFileStamp(fullName);
    TAnalysisReply reply;
    reply.Outcome = TAnalysisOutcome::Answered;
    // What the worker would refuse at once is not worth a request.
    if (!QFileInfo::exists(dll) || row.Size <= 0) {
        ApplyAnalysis(row, reply, depth, stamp);
        return;
    }
    // One plain analysis per file: the complete record differs from it only by what is
    // derived here (ApplyAnalysis).
    TAnalysisRequest request;
    request.FileName = fullName;
    request.DllPath = dll;
    // A list that keeps its records for a batch asks for the complete one, with the second
    // prober's findings the command line and the output check need.
    request.Depth = m_keepAnalysis || row.Unproven ? faFull : faQuick;
    if (m_pool) {
        row.AnalysisTicket = m_pool->Submit(request);
        m_pending.insert(row.AnalysisTicket, {int(m_rows.size()), depth, stamp});
        return;
    }
    reply = AnalysisClient().Analyse(request);
    ApplyAnalysis(row, reply, depth, stamp);
}

void TFileListModel::ApplyAnalysis(TFileListRow& row, const TAnalysisReply& reply, TFileAnalysis depth,
                                   const TFileStamp& stamp)
{
    const bool filled = reply.Outcome == TAnalysisOutcome::Answered && reply.Answer.Filled;
    const TVideoFileInfo& plain = filled ? reply.Answer.Info : EmptyInfo();
    // A full analysis completes a record whose video stream lacks a bitrate or a rate.
    const bool complete = depth == faFull && plain.NumberOfVideoStreams > 0 &&
                          (plain.VideoStreams[0].Bitrate <= 0 || plain.VideoStreams[0].FPS <= 0);
    // An aborted request or a missing worker says nothing about the file: not kept.
    const bool keep = m_keepAnalysis && reply.Outcome != TAnalysisOutcome::Aborted &&
                      reply.Outcome != TAnalysisOutcome::NoWorker;
    std::shared_ptr<TKeptAnalysis> kept;
    if (complete || keep) {
        kept = std::make_shared<TKeptAnalysis>();
        kept->Info = plain;
        kept->Info.FileName = row.FullName();
        kept->Info.FileSize = row.Size;
        DeriveVideoStreamSize(kept->Info);
        kept->Stamp = stamp;
    }
    FillRowMedia(row, complete ? kept->Info : plain);
    for (QString* text : {&row.VideoCodec, &row.VideoCodecID, &row.VideoProfile, &row.VideoDisplayAspect,
                          &row.VideoScanType, &row.VideoResolution, &row.AudioCodec, &row.AudioCodecID,
                          &row.AudioProfile, &row.Video, &row.Audio})
        *text = Interned(*text);
    // what the analysis says against converting the file, read before the record is kept
    const TInputProblem problem = InputProblemOf(complete ? kept->Info : plain, row.Size);
    if (keep)
        row.Kept = std::move(kept);
    // Refused with the reason the check before a batch gives; nothing is known after an abort.
    if (reply.Outcome != TAnalysisOutcome::Aborted && reply.Outcome != TAnalysisOutcome::NoWorker) {
        if (row.Unproven) {
            row.Refusal = problem;
            if (problem != TInputProblem::None)
                row.Status = TRowStatus::Of(TRowStatusKind::Refused);
        }
        // A file of a known kind stays an input (the encoder has the last word), but the list
        // says at once what the analysis found against it.
        row.Reason = problem == TInputProblem::None ? QString() : InputProblemText(problem);
    }
}

int TFileListModel::PendingRowIndex(quint64 ticket, int hint) const
{
    if (IsValidRowIndex(hint) && m_rows.at(hint).AnalysisTicket == ticket)
        return hint;
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows.at(i).AnalysisTicket == ticket)
            return i;
    return -1;
}

void TFileListModel::OnAnalysisFinished(quint64 ticket, const TAnalysisReply& reply)
{
    const auto it = m_pending.constFind(ticket);
    if (it == m_pending.cend())
        return; // another list's, or a row removed meanwhile
    const TPendingAnalysis pending = *it;
    m_pending.erase(it);
    const int r = PendingRowIndex(ticket, pending.RowHint);
    if (r >= 0) {
        TFileListRow& row = m_rows[r];
        row.AnalysisTicket = 0;
        ApplyAnalysis(row, reply, pending.Depth, pending.Stamp);
        Q_EMIT dataChanged(index(r, 0), index(r, FileListColumnCount - 1), {Qt::DisplayRole, StoredValueRole});
    }
    Q_EMIT analysisEnded(ticket);
    PendingChanged();
}

void TFileListModel::PendingChanged()
{
    if (m_pending.isEmpty()) {
        m_footerTimer->stop();
        CalcFooter();
        Q_EMIT analysisFinished();
    } else if (!m_footerTimer->isActive()) {
        m_footerTimer->start();
    }
}

void TFileListModel::ForgetPending(const TFileListRow& row)
{
    if (row.AnalysisTicket == 0)
        return;
    if (m_pool)
        m_pool->Cancel(row.AnalysisTicket);
    if (m_pending.remove(row.AnalysisTicket))
        Q_EMIT analysisEnded(row.AnalysisTicket);
}

void TFileListModel::RehintPending()
{
    if (m_pending.isEmpty())
        return;
    for (int i = 0; i < m_rows.size(); ++i)
        if (const quint64 t = m_rows.at(i).AnalysisTicket; t != 0)
            if (const auto it = m_pending.find(t); it != m_pending.end())
                it->RowHint = i;
}

void TFileListModel::CancelAnalysis()
{
    if (m_pending.isEmpty())
        return;
    for (TFileListRow& row : m_rows) {
        ForgetPending(row);
        row.AnalysisTicket = 0;
    }
    m_pending.clear();
    PendingChanged();
}

bool TFileListModel::WaitForAnalysis(const std::function<bool()>& stop)
{
    if (m_pending.isEmpty())
        return true;
    QEventLoop loop;
    connect(this, &TFileListModel::analysisFinished, &loop, &QEventLoop::quit);
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [&] {
        if (stop && stop())
            loop.quit();
    });
    poll.start(AnalysisWaitPollMs);
    loop.exec();
    return m_pending.isEmpty();
}

bool TFileListModel::FreshAnalysis(int row, TVideoFileInfo& info) const
{
    if (!IsValidRowIndex(row) || !m_rows.at(row).Kept)
        return false;
    const TFileListRow& r = m_rows.at(row);
    if (CurrentFileStamp(r.FullName()) != r.Kept->Stamp)
        return false; // changed since: read afresh
    info = r.Kept->Info;
    info.FileName = r.FullName();
    return true;
}
