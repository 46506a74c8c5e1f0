// Closing the window during a batch, and the signals that close it: the batch is
// aborted and wound down, no encoder is left, and the program ends.
#include "test_ui_support.h"

#include "base/AppParams.h"
#include "filelist/FileListModel.h"
#include "media/AnalysisPool.h"
#include "ui/TCloseOnSignal.h"
#include "ui/TFormMain.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFileInfoList>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

using namespace UiTest;

namespace {


// Whether the process catches both SIGINT and SIGTERM.
bool CatchesBothSignals(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:")) {
            const quint64 mask = line.mid(7).trimmed().toULongLong(nullptr, 16);
            return (mask & (1ull << (SIGTERM - 1))) && (mask & (1ull << (SIGINT - 1)));
        }
    return false;
}

} // namespace

TEST(UiClose, ClosingDuringABatchEndsTheProgramOnceTheBatchHasEnded)
{
    BatchFixture f;
    DropFiles(f.w.get(), {f.a});
    EditAppParams().mencoder = Fake("hang_deaf.sh");
    f.OutputTo(f.out.path());
    QSignalSpy closed(f.w.get(), &TFormMain::Closed);
    bool closedWhileConverting = false;
    QTimer poll;
    WhenTheEncoderRuns(poll, f.w.get(), [&] {
        closedWhileConverting = f.w->Converting();
        f.w->close();
        EXPECT_TRUE(closed.isEmpty()); // not before the batch has ended
    });
    QElapsedTimer t;
    t.start();
    RunBatchToEnd(f.w.get());
    EXPECT_TRUE(closedWhileConverting);
    EXPECT_EQ(RowStatusData(f.w->List()->RowStatus(0)), QStringLiteral("Aborted"));
    EXPECT_TRUE(closed.size() == 1 || closed.wait(5000));
    EXPECT_EQ(closed.size(), 1);
    EXPECT_LT(t.elapsed(), 10000);
    EXPECT_FALSE(f.w->isVisible());
    for (QWidget* aux : f.w->AuxiliaryWindows())
        EXPECT_FALSE(aux->isVisible()) << aux->objectName().toStdString();
}

TEST(UiClose, TermSignalDuringABatchAbortsItAndLeavesNoEncoder)
{
    BatchFixture f;
    DropFiles(f.w.get(), {f.a});
    EditAppParams().mencoder = Fake("hang_deaf.sh");
    f.OutputTo(f.out.path());
    TCloseOnSignal closer(f.w.get());
    ASSERT_TRUE(closer.Installed());
    QSignalSpy closed(f.w.get(), &TFormMain::Closed);
    QStringList pids;
    QElapsedTimer sinceSignal;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, f.w.get(), [&] {
        const QFileInfoList files = f.out.entryInfoList({QStringLiteral("*.pids")}, QDir::Files | QDir::Hidden);
        if (!EncoderRunning() || files.isEmpty())
            return;
        const QByteArray text = TestSupport::ReadFile(files.first().filePath()).trimmed();
        if (text.isEmpty())
            return;
        poll.stop();
        pids = QString::fromLatin1(text).split(QLatin1Char(' '));
        sinceSignal.start();
        ::kill(::getpid(), SIGTERM);
    });
    poll.start();
    RunBatchToEnd(f.w.get());
    ASSERT_EQ(pids.size(), 2);
    EXPECT_TRUE(closed.size() == 1 || closed.wait(5000));
    EXPECT_LT(sinceSignal.elapsed(), 5000);
    EXPECT_EQ(RowStatusData(f.w->List()->RowStatus(0)), QStringLiteral("Aborted"));
    // The encoder and its child are gone (the child may need a moment to be reaped).
    for (const QString& p : pids)
        EXPECT_TRUE(QTest::qWaitFor([&] { return !TestSupport::ProcessAlive(pid_t(p.toInt())); }, 2000)) << p.toStdString();
}

// The real program on the offscreen platform, a file added from its command line: each of
// the two signals ends it the way closing its window does, with exit code 0.
TEST(UiClose, SignalsEndTheWindowProcess)
{
    for (const int sig : {SIGTERM, SIGINT}) {
        QTemporaryDir home;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.start(TestSupport::VexaconvPath(),
                {QStringLiteral("--home"), home.path(), TestSupport::Clip(QStringLiteral("clip_xvid_mp3.avi"))});
        ASSERT_TRUE(p.waitForStarted(10000));
        const qint64 pid = p.processId();
        // Ready once the handler is in place (a signal before that would kill it).
        ASSERT_TRUE(QTest::qWaitFor([pid] { return CatchesBothSignals(pid); }, 30000)) << "signal " << sig;
        ::kill(pid_t(pid), sig);
        ASSERT_TRUE(p.waitForFinished(5000)) << "still running after signal " << sig;
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << "signal " << sig;
        EXPECT_EQ(p.exitCode(), 0) << "signal " << sig;
    }
}

// Adding never waits for analysis: the rows are there when the add returns, the damaged
// file (first in the folder) holds up only its own row while the others fill in and the
// footer follows, and closing the window meanwhile closes it at once, leaving nothing to
// analyse.
TEST(UiClose, AddingReturnsAtOnceAndClosingDuringAnalysisLeavesNothingRunning)
{
    BatchFixture f;
    const QString dir = f.media.filePath(QStringLiteral("adding"));
    ASSERT_TRUE(QDir().mkpath(dir));
    ASSERT_TRUE(QFile::copy(TestSupport::SpinningClip(), dir + "/a_spinning.mkv"));
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(QFile::copy(f.a, dir + QStringLiteral("/b%1.avi").arg(i)));
    TFileListModel* list = f.w->List();
    ASSERT_NE(AppParams().FileAnalysis, faNone);
    f.w->AddFolder(dir);
    ASSERT_EQ(list->rowCount(), 6);
    EXPECT_GT(list->PendingAnalyses(), 0) << "the add waited for the analysis";
    EXPECT_EQ(list->Row(0).FileName, "a_spinning.mkv");
    EXPECT_EQ(list->Row(1).Size, QFileInfo(f.a).size());

    ASSERT_TRUE(QTest::qWaitFor(
        [list] {
            for (int r = 1; r < 6; ++r)
                if (!list->Row(r).HasVideo)
                    return false;
            return true;
        },
        AnalysisTimeLimitMs));
    EXPECT_EQ(list->PendingAnalyses(), 1);
    EXPECT_FALSE(list->Row(0).Analysed);
    EXPECT_FALSE(list->FooterText(colDuration).isEmpty());

    QSignalSpy closed(f.w.get(), &TFormMain::Closed);
    f.w->close();
    EXPECT_TRUE(closed.size() == 1 || closed.wait(5000));
    EXPECT_FALSE(f.w->isVisible());
    f.w.reset();
    EXPECT_EQ(AnalysisPool().PendingCount(), 0);
}
