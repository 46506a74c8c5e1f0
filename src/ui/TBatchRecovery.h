#pragma once

#include "base/RowStatus.h"
#include "encoding/EncodingSettings.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QTimer;
class QWidget;
class TFileListModel;
struct TAppParams;

// A window's running batch kept on disk, so that a crash of the program (or of the
// machine) does not lose the list: every row (file name, check mark, status) and the
// settings the batch runs with, written atomically whenever a row's status changes, into
// "batch-<pid>.ini" under the state directory. A batch that ends, normally or aborted,
// removes its file; one the closed window cut short keeps it; at the next start a file
// whose program is gone is offered back.
//
// The state directory is ${XDG_STATE_HOME:-$HOME/.local/state}/vexaconv for the usual
// home; a home of its own (a portable copy, --home, $VEXACONV_HOME) keeps it in
// home/state, so a portable install carries its state and a separate home never sees
// another's batches.
class TBatchRecovery : public QObject {
public:
    // One row as saved.
    struct TRow {
        QString FullName;
        bool Checked = false;
        TRowStatus Status;      // saved without its percentage while converting
        QString Root;           // the folder the file was added from; empty when named
    };
    // What a state file holds.
    struct TSaved {
        qint64 Pid = 0;
        EncodingSettings Settings;
        QList<TRow> Rows;
    };

    // Writes are at least this far apart; a change within it is written when it has passed.
    static constexpr int MinWriteIntervalMs = 250;

    TBatchRecovery(TFileListModel& list, QObject* parent = nullptr);
    ~TBatchRecovery() override;

    static QString StateDir(const TAppParams& params);
    // This process's file in dir.
    static QString StateFileName(const QString& dir, qint64 pid);

    // The batch starts with settings: the file is written and kept up to date with every
    // status change of the list's rows until BatchEnded.
    void BatchStarted(const QString& dir, const EncodingSettings& settings);
    // Stops following the rows. A batch that ended by itself or by Abort removes the
    // file; one cut short by closing the window (keep) writes its last state and leaves
    // it, so the next start offers the unfinished rows back, as after a crash.
    void BatchEnded(bool keep = false);

    // The whole state of the list and settings as file bytes.
    static QByteArray Bytes(const TFileListModel& list, const EncodingSettings& settings, qint64 pid);
    // Reads file over base (keys the file lacks keep base's value). False for a file that
    // cannot be read or is not a state file.
    static bool Read(const QString& file, const EncodingSettings& base, int defaultVideoCodec, TSaved& saved);
    // Whether a live program of this kind (this process included) still owns the file
    // written by pid: its batch may be running.
    static bool OwnerAlive(qint64 pid);
    // Left by a batch whose program is gone: the state files of dir with no live owner,
    // newest first.
    static QStringList Orphans(const QString& dir);
    // A row status that says the row needs no more work (it succeeded or was skipped).
    static bool IsFinishedStatus(const TRowStatus& status);

    // Appends the saved rows to list, each checked when it was checked and is not
    // finished, with its status shown. The names of files that no longer exist (and so
    // cannot be listed) are returned.
    static QStringList Restore(TFileListModel& list, const TSaved& saved);

    // At start: asks whether to restore each orphaned batch of dir. Yes hands its saved
    // state to restore, No discards it; either way the file is removed. Damaged files
    // are left as they are.
    static void OfferRestore(QWidget* parent, const QString& dir, const EncodingSettings& base, int defaultVideoCodec,
                             const std::function<void(const TSaved&)>& restore);

private:
    void OnStatusChanged(int firstRow, int lastRow);
    void Write();

    TFileListModel& m_list;
    QString m_file;
    EncodingSettings m_settings;
    bool m_active = false;
    QHash<int, TRowStatus> m_saved; // the status each row had at the last write
    QElapsedTimer m_sinceWrite;
    QTimer* m_timer = nullptr;
};
