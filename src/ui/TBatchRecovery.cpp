#include "ui/TBatchRecovery.h"

#include "base/AppInfo.h"
#include "base/AppParams.h"
#include "filelist/FileListColumns.h"
#include "filelist/FileListModel.h"
#include "lib/Files.h"
#include "lib/MemIniFile.h"
#include "lib/NativeName.h"
#include "lib/ProcessInfo.h"
#include "lib/TextFile.h"
#include "settings/Profile.h"
#include "ui/TItemListBox.h"
#include "ui/UiKit.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>

namespace {

const QString Batch = QStringLiteral("BATCH");
const QString Output = QStringLiteral("OUTPUT");
const QString Rows = QStringLiteral("ROWS");

// A state file bigger than this is nothing this program wrote (2 000 rows take ~200 kB).
constexpr qint64 MaxStateFileBytes = 64LL * 1024 * 1024;

QString NumberedKey(const char* name, int i) { return QLatin1String(name) + QString::number(i); }

// "Converting 45%" is saved as "Converting": the percentage changes too often to be worth a
// write, and is stale after a crash anyway.
TRowStatus SavedStatus(const TRowStatus& status)
{
    return status.Is(TRowStatusKind::Converting) ? TRowStatus::Converting() : status;
}

} // namespace

TBatchRecovery::TBatchRecovery(TFileListModel& list, QObject* parent)
    : QObject(parent)
    , m_list(list)
    , m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &TBatchRecovery::Write);
    connect(&m_list, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to) {
                if (m_active && from.column() <= colStatus && to.column() >= colStatus)
                    OnStatusChanged(from.row(), to.row());
            });
}

TBatchRecovery::~TBatchRecovery() = default;

QString TBatchRecovery::StateDir(const TAppParams& params)
{
    const QString home = QDir::cleanPath(params.AppDir);
    // Only the usual home keeps its state in the XDG state directory.
    if (params.PortableLayout || home != XdgProgramHome())
        return home + QStringLiteral("/state");
    return XdgStateHome() + QStringLiteral("/vexaconv");
}

QString TBatchRecovery::StateFileName(const QString& dir, qint64 pid)
{
    return dir + QStringLiteral("/batch-%1.ini").arg(pid);
}

void TBatchRecovery::BatchStarted(const QString& dir, const EncodingSettings& settings)
{
    m_file = StateFileName(dir, QCoreApplication::applicationPid());
    m_settings = settings;
    m_active = true;
    m_saved.clear();
    for (int r = 0; r < m_list.rowCount(); ++r)
        m_saved.insert(r, SavedStatus(m_list.RowStatus(r)));
    QDir().mkpath(dir);
    Write();
}

void TBatchRecovery::BatchEnded(bool keep)
{
    if (!m_active)
        return;
    m_timer->stop();
    if (keep)
        Write(); // the stopped rows as they ended, not as the last timed write saw them
    m_active = false;
    if (!keep)
        QFile::remove(m_file);
}

void TBatchRecovery::OnStatusChanged(int firstRow, int lastRow)
{
    bool changed = false;
    for (int r = firstRow; r <= lastRow; ++r) {
        const TRowStatus status = SavedStatus(m_list.RowStatus(r));
        if (m_saved.value(r) != status) {
            m_saved.insert(r, status);
            changed = true;
        }
    }
    if (!changed || m_timer->isActive())
        return;
    // A burst of changes is written once, when the interval since the last write is up.
    const qint64 since = m_sinceWrite.isValid() ? m_sinceWrite.elapsed() : MinWriteIntervalMs;
    if (since >= MinWriteIntervalMs)
        Write();
    else
        m_timer->start(int(MinWriteIntervalMs - since));
}

void TBatchRecovery::Write()
{
    if (!m_active)
        return;
    m_sinceWrite.start();
    // A state directory that cannot be written costs the protection, never the batch.
    (void)TextFile::SaveBytes(m_file, Bytes(m_list, m_settings, QCoreApplication::applicationPid()));
}

QByteArray TBatchRecovery::Bytes(const TFileListModel& list, const EncodingSettings& settings, qint64 pid)
{
    MemIniFile ini;
    Profile::WriteProfile(ini, settings);
    ini.WriteInteger(Batch, QStringLiteral("Pid"), pid);
    ini.WriteString(Batch, QStringLiteral("Saved"), QDateTime::currentDateTime().toString(Qt::ISODate));
    ini.WriteBool(Output, QStringLiteral("OutIn"), settings.outputBesideInput());
    ini.WriteString(Output, QStringLiteral("OutDir"), settings.outputFolder);
    ini.WriteInteger(Output, QStringLiteral("cbOutputExists"), int(settings.outputExists));
    ini.WriteInteger(Output, QStringLiteral("cbAfterConversion"), settings.afterBatch);
    ini.WriteBool(Output, QStringLiteral("KeepFileDates"), settings.keepDates);
    ini.WriteBool(Output, QStringLiteral("KeepTree"), settings.keepTree);
    ini.WriteInteger(Rows, QStringLiteral("Count"), list.rowCount());
    for (int r = 0; r < list.rowCount(); ++r) {
        // Names are percent-encoded bytes: a file name may hold line ends, "=", leading blanks
        // or bytes that are not UTF-8.
        ini.WriteString(Rows, NumberedKey("Name", r + 1),
                        QString::fromLatin1(NativeName::Encode(list.RowFullName(r)).toPercentEncoding("/")));
        ini.WriteBool(Rows, NumberedKey("Checked", r + 1), list.IsChecked(r));
        ini.WriteString(Rows, NumberedKey("Status", r + 1), RowStatusData(SavedStatus(list.RowStatus(r))));
        if (const QString& root = list.Row(r).Root; !root.isEmpty())
            ini.WriteString(Rows, NumberedKey("Root", r + 1),
                            QString::fromLatin1(NativeName::Encode(root).toPercentEncoding("/")));
    }
    return TextFile::Encode(ini.Lines().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), TTextEncoding::Utf8);
}

bool TBatchRecovery::Read(const QString& file, const EncodingSettings& base, int defaultVideoCodec, TSaved& saved)
{
    const QFileInfo fi(file);
    if (!fi.isFile() || fi.size() > MaxStateFileBytes)
        return false;
    MemIniFile ini;
    if (!ini.Load(file))
        return false;
    saved = TSaved();
    saved.Pid = ini.ReadInt64(Batch, QStringLiteral("Pid"), 0);
    const int count = ini.ReadInteger(Rows, QStringLiteral("Count"), -1);
    if (saved.Pid <= 0 || count < 0 || ini.ReadString(QStringLiteral("MAIN"), QStringLiteral("AppName")).isEmpty())
        return false;
    EncodingSettings& s = saved.Settings;
    s = base;
    Profile::ReadProfile(ini, s, TProfileReadContext{defaultVideoCodec, {}});
    s.outputToFolder = !ini.ReadBool(Output, QStringLiteral("OutIn"), s.outputBesideInput());
    s.outputFolder = ini.ReadString(Output, QStringLiteral("OutDir"), s.outputFolder);
    const int exists = ini.ReadInteger(Output, QStringLiteral("cbOutputExists"), int(s.outputExists));
    s.outputExists = exists >= 0 && exists <= 2 ? TOutputPolicy(exists) : TOutputPolicy::Rename;
    const int after = ini.ReadInteger(Output, QStringLiteral("cbAfterConversion"), s.afterBatch);
    s.afterBatch = after >= 0 && after <= 1 ? after : 0;
    s.keepDates = ini.ReadBool(Output, QStringLiteral("KeepFileDates"), s.keepDates);
    s.keepTree = ini.ReadBool(Output, QStringLiteral("KeepTree"), s.keepTree);
    for (int i = 1; i <= count; ++i) {
        TRow row;
        row.FullName = NativeName::Decode(
            QByteArray::fromPercentEncoding(ini.ReadString(Rows, NumberedKey("Name", i)).toLatin1()));
        if (row.FullName.isEmpty())
            break; // the count promised more than the file holds
        row.Checked = ini.ReadBool(Rows, NumberedKey("Checked", i), true);
        row.Status = ParseRowStatus(ini.ReadString(Rows, NumberedKey("Status", i)));
        // A state file of an older version has no roots: its rows were named.
        row.Root = NativeName::Decode(
            QByteArray::fromPercentEncoding(ini.ReadString(Rows, NumberedKey("Root", i)).toLatin1()));
        saved.Rows << row;
    }
    return true;
}

bool TBatchRecovery::OwnerAlive(qint64 pid)
{
    if (pid == QCoreApplication::applicationPid())
        return true;
    return ProcessInfo::IsAlive(pid) && ProcessInfo::Comm(pid) == QLatin1String(AppInfo::ExecutableName);
}

QStringList TBatchRecovery::Orphans(const QString& dir)
{
    QStringList files;
    const QFileInfoList entries =
        QDir(dir).entryInfoList({QStringLiteral("batch-*.ini")}, QDir::Files | QDir::Hidden, QDir::Time);
    for (const QFileInfo& fi : entries) {
        bool ok = false;
        const qint64 pid = fi.completeBaseName().mid(6).toLongLong(&ok);
        if (ok && !OwnerAlive(pid))
            files << fi.absoluteFilePath();
    }
    return files;
}

bool TBatchRecovery::IsFinishedStatus(const TRowStatus& status)
{
    return status.Succeeded() || status.Is(TRowStatusKind::Skipped);
}

QStringList TBatchRecovery::Restore(TFileListModel& list, const TSaved& saved)
{
    QStringList missing;
    for (const TRow& row : saved.Rows) {
        const bool check = row.Checked && !IsFinishedStatus(row.Status);
        if (list.IsFileOnList(row.FullName))
            continue;
        if (!list.AddToList(row.FullName, check, TFileOrigin::Named, row.Root)) {
            missing << row.FullName;
            continue;
        }
        // The batch that was cut short left its running rows "Converting": they were not.
        const TRowStatus status =
            row.Status.Is(TRowStatusKind::Converting) ? TRowStatus::Of(TRowStatusKind::Interrupted) : row.Status;
        list.SetRowStatus(list.rowCount() - 1, status);
    }
    list.Renumber();
    list.CalcFooter();
    return missing;
}

void TBatchRecovery::OfferRestore(QWidget* parent, const QString& dir, const EncodingSettings& base,
                                  int defaultVideoCodec, const std::function<void(const TSaved&)>& restore)
{
    for (const QString& file : Orphans(dir)) {
        TSaved saved;
        if (!Read(file, base, defaultVideoCodec, saved))
            continue;
        QStringList unfinished;
        for (const TRow& row : saved.Rows)
            if (row.Checked && !IsFinishedStatus(row.Status))
                unfinished << row.FullName;
        const QString text =
            QCoreApplication::translate("TFormMain", "A batch was interrupted (%1 files, %2 not converted).\n\n"
                                                     "Restore the list from the interrupted batch?")
                .arg(saved.Rows.size())
                .arg(unfinished.size());
        TItemListBox box(QMessageBox::Question, QString::fromLatin1(AppInfo::ProgramName), text,
                         QMessageBox::Yes | QMessageBox::No, parent);
        box.setObjectName(QStringLiteral("RestoreBox"));
        box.setDefaultButton(QMessageBox::Yes);
        // The files not converted, however many: the list scrolls, the box fits the screen.
        if (!unfinished.isEmpty())
            box.SetItems(unfinished);
        const int answer = box.exec();
        if (answer == QMessageBox::Yes)
            restore(saved);
        // Taken either way: the offer is made once.
        QFile::remove(file);
    }
}
