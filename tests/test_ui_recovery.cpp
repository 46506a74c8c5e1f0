// A window's batch survives the program's death: its state file follows the rows, a
// killed program's batch is offered back at the next start, and files that are not an
// orphaned batch (a live window's, damaged ones) are left alone.
#include "test_ui_support.h"

#include "base/AppParams.h"
#include "filelist/FileListModel.h"
#include "ui/TBatchRecovery.h"
#include "ui/TFormMain.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QGuiApplication>
#include <QScreen>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

using namespace UiTest;

namespace {

// Answers the restore offer with button; counts the offers.
struct OfferAnswer {
    explicit OfferAnswer(QMessageBox::StandardButton button)
        : watcher([this, button](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box || !box->text().contains(QLatin1String("Restore the list")))
                return false;
            ++offers;
            box->button(button)->click();
            return true;
        })
    {
    }
    int offers = 0;
    ModalWatcher watcher;
};

// The id of a process that has ended.
qint64 DeadPid()
{
    QProcess p;
    p.start(QStringLiteral("true"), {});
    p.waitForStarted();
    const qint64 pid = p.processId();
    p.waitForFinished();
    return pid > 0 ? pid : 999999;
}

// A state file for rows made of files, each "Done" or unfinished as status says.
QString WriteState(const QString& dir, qint64 pid, const QList<QPair<QString, QString>>& rows,
                   const EncodingSettings& s)
{
    TFileListModel list(AppParams());
    for (const auto& [name, status] : rows) {
        EXPECT_TRUE(list.AddToList(name, true)) << name.toStdString();
        list.SetRowStatus(list.rowCount() - 1, ParseRowStatus(status));
    }
    QDir().mkpath(dir);
    const QString file = TBatchRecovery::StateFileName(dir, pid);
    TestSupport::WriteFile(file, TBatchRecovery::Bytes(list, s, pid));
    return file;
}

// Not a state file: a NUL, a byte that is no UTF-8, an unclosed section, a count below zero.
constexpr char Junk[] = "\x00\xff[ROWS\r\nCount=-3\n\x01";

// A new window over the same home, as the next start of the program.
void Restart(MainWindowFixture& f)
{
    f.w.reset();
    f.w = std::make_unique<TFormMain>(QStringList{});
    f.w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(f.w.get()));
    QTest::qWait(300); // the offer comes once the window shows
}

} // namespace

// The real program on the offscreen platform converts two files with an encoder that hangs
// on the second; its state file follows; SIGKILL; the next window restores the list.
TEST(UiRecovery, AKilledWindowsBatchIsOfferedBackWithItsRowsAndSettings)
{
    QTemporaryDir tmp;
    const QDir root(tmp.path());
    const QString config = root.filePath(QStringLiteral("config"));
    const QString home = config + QStringLiteral("/vexaconv");
    const QString stateDir = root.filePath(QStringLiteral("state")) + QStringLiteral("/vexaconv");
    const QString out = root.filePath(QStringLiteral("out"));
    QDir().mkpath(home + QStringLiteral("/tools/Mencoder"));
    QDir().mkpath(home + QStringLiteral("/profiles"));
    QDir().mkpath(out);
    QDir().mkpath(root.filePath(QStringLiteral("media")));
    ASSERT_TRUE(QFile::copy(Fake("hang_on_marked.sh"), home + QStringLiteral("/tools/Mencoder/mencoder")));
    const QString a = root.filePath(QStringLiteral("media/first clip.avi"));
    const QString b = root.filePath(QStringLiteral("media/second_hang.avi"));
    ASSERT_TRUE(QFile::copy(TestSupport::Clip(QStringLiteral("clip_xvid_mp3.avi")), a));
    ASSERT_TRUE(QFile::copy(TestSupport::Clip(QStringLiteral("clip_xvid_mp3.avi")), b));
    TestSupport::WriteFile(home + QStringLiteral("/vexaconv.ini"),
                           "[MAIN]\r\nOutIn=0\r\nOutDir=" + out.toUtf8() + "\r\ncbOutputExists=2\r\nKeepFileDates=1\r\n");
    TestSupport::WriteFile(home + QStringLiteral("/profiles/__Last.ini"), "[VIDEO]\r\nVideoBitrate=555\r\n");

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), root.filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    env.insert(QStringLiteral("XDG_STATE_HOME"), root.filePath(QStringLiteral("state")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root.path()); // the killed window's socket goes with the directory
    env.insert(QStringLiteral("VEXACONV_CONVERT_AT_START"), QStringLiteral("1"));
    env.insert(QStringLiteral("VEXA_HANG_PIDFILE"), root.filePath(QStringLiteral("hang.pid")));
    env.remove(QStringLiteral("VEXACONV_HOME"));
    p.setProcessEnvironment(env);
    p.start(TestSupport::VexaconvPath(), {a, b});
    ASSERT_TRUE(p.waitForStarted(10000));
    const qint64 pid = p.processId();
    const QString stateFile = TBatchRecovery::StateFileName(stateDir, pid);

    // Row 1 done, row 2 converting (its encoder hanging), as the file says.
    TBatchRecovery::TSaved seen;
    const bool reached = QTest::qWaitFor(
        [&] {
            return TBatchRecovery::Read(stateFile, EncodingSettings(), 0, seen) && seen.Rows.size() == 2
                && RowStatusData(seen.Rows[0].Status) == QLatin1String("Done")
                && RowStatusData(seen.Rows[1].Status) == QLatin1String("Converting");
        },
        120000);
    ::kill(pid_t(pid), SIGKILL);
    p.waitForFinished(10000);
    for (const QByteArray& hung : TestSupport::ReadFile(root.filePath(QStringLiteral("hang.pid"))).split('\n'))
        if (hung.toInt() > 0)
            ::kill(hung.toInt(), SIGKILL);
    ASSERT_TRUE(reached) << p.readAllStandardError().toStdString();
    EXPECT_EQ(seen.Pid, pid);
    EXPECT_EQ(seen.Settings.videoBitrate.Text, QStringLiteral("555"));
    ASSERT_TRUE(QFile::exists(stateFile));

    // The next start, over a fresh home of the usual kind, sharing the state directory.
    const EnvVar configVar("XDG_CONFIG_HOME", root.filePath(QStringLiteral("config2")).toUtf8());
    const EnvVar stateVar("XDG_STATE_HOME", root.filePath(QStringLiteral("state")).toUtf8());
    const EnvVar homeVar("VEXACONV_HOME", QByteArray());
    InitAppParams(EditAppParams(), QString(), QCoreApplication::applicationDirPath());
    ASSERT_EQ(TBatchRecovery::StateDir(AppParams()), stateDir);
    OfferAnswer yes(QMessageBox::Yes);
    TFormMain w(QStringList{});
    w.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.List()->rowCount() == 2; }, 10000));
    EXPECT_EQ(yes.offers, 1);
    TFileListModel& list = *w.List();
    EXPECT_EQ(list.RowFullName(0), a);
    EXPECT_FALSE(list.IsChecked(0));
    EXPECT_EQ(RowStatusData(list.RowStatus(0)), QStringLiteral("Done"));
    EXPECT_EQ(list.RowFullName(1), b);
    EXPECT_TRUE(list.IsChecked(1));
    EXPECT_EQ(RowStatusData(list.RowStatus(1)), QStringLiteral("Interrupted"));
    const EncodingSettings s = w.Settings();
    EXPECT_EQ(s.videoBitrate.Text, QStringLiteral("555"));
    EXPECT_TRUE(s.outputToFolder);
    EXPECT_EQ(s.outputFolder, out);
    EXPECT_EQ(s.outputExists, TOutputPolicy::Skip);
    EXPECT_TRUE(s.keepDates);
    EXPECT_FALSE(QFile::exists(stateFile)); // offered once
}

// The file lives while the batch runs and is gone when it ends; a killed batch's file
// answered "No" is discarded and adds nothing. Odd names survive the round trip.
TEST(UiRecovery, AnEndedBatchLeavesNoFileAndNoDiscardsTheOffer)
{
    BatchFixture f;
    const QString odd = f.Copy("clip_xvid_mp3.avi", QStringLiteral("-odd =name %41\n two.avi"));
    DropFiles(f.w.get(), {f.a, odd});
    ASSERT_EQ(f.w->List()->rowCount(), 2);
    const int oddRow = f.w->List()->RowFullName(0) == odd ? 0 : 1;
    f.w->List()->SetChecked(oddRow, false);
    f.OutputTo(f.out.path());
    const QString dir = TBatchRecovery::StateDir(AppParams());
    EXPECT_EQ(dir, f.home.filePath(QStringLiteral("state"))); // a home of its own keeps its state
    const QString file = TBatchRecovery::StateFileName(dir, QCoreApplication::applicationPid());
    TBatchRecovery::TSaved during;
    bool seenDuring = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!seenDuring && EncoderRunning())
            seenDuring = TBatchRecovery::Read(file, EncodingSettings(), 0, during);
    });
    poll.start();
    RunBatchToEnd(f.w.get());
    poll.stop();
    ASSERT_TRUE(seenDuring);
    ASSERT_EQ(during.Rows.size(), 2);
    EXPECT_EQ(RowStatusData(during.Rows[1 - oddRow].Status), QStringLiteral("Converting"));
    EXPECT_EQ(during.Rows[oddRow].FullName, odd);
    EXPECT_FALSE(during.Rows[oddRow].Checked);
    EXPECT_EQ(RowStatusData(f.w->List()->RowStatus(1 - oddRow)), QStringLiteral("Done"));
    EXPECT_TRUE(QDir(dir).entryList({QStringLiteral("batch-*")}, QDir::Files | QDir::Hidden).isEmpty());

    // A killed program's batch: "No" discards it.
    const QString orphan = WriteState(dir, DeadPid(), {{f.b, QStringLiteral("Converting")}}, f.w->Settings());
    {
        OfferAnswer no(QMessageBox::No);
        Restart(f);
        EXPECT_EQ(no.offers, 1);
    }
    EXPECT_EQ(f.w->List()->rowCount(), 0);
    EXPECT_FALSE(QFile::exists(orphan));

    // "Yes" brings the odd name back; a file gone since is left out with a word.
    const QString gone = f.Copy("clip_h264_aac.mp4", QStringLiteral("gone.mp4"));
    WriteState(dir, DeadPid(), {{odd, QStringLiteral("Error (1)")}, {gone, QString()}}, f.w->Settings());
    QFile::remove(gone);
    {
        OfferAnswer yes(QMessageBox::Yes);
        Restart(f);
        EXPECT_EQ(yes.offers, 1);
        EXPECT_TRUE(yes.watcher.boxTexts.join(QLatin1Char('|')).contains(QLatin1String("gone.mp4")));
    }
    ASSERT_EQ(f.w->List()->rowCount(), 1);
    EXPECT_EQ(f.w->List()->RowFullName(0), odd);
    EXPECT_TRUE(f.w->List()->IsChecked(0));
    EXPECT_EQ(RowStatusData(f.w->List()->RowStatus(0)), QStringLiteral("Error (1)"));
}

// The folder each row was added from, odd as its name may be, and the kept tree come back;
// a row without one (as in a state file of an older version) stays without.
TEST(UiRecovery, RowRootsAndTheKeptTreeSurviveTheStateFile)
{
    QTemporaryDir tmp;
    const QString root = tmp.path() + QStringLiteral("/-c a=m %41\n");
    const QString inTree = TestSupport::WriteFile(root + QStringLiteral("/ev1/clip.avi"), "x");
    const QString named = TestSupport::WriteFile(tmp.path() + QStringLiteral("/named.avi"), "x");
    TFileListModel list(AppParams());
    ASSERT_TRUE(list.AddToList(inTree, true, TFileOrigin::FolderScan, root));
    ASSERT_TRUE(list.AddToList(named, true));
    EncodingSettings s;
    s.keepTree = true;
    const QString file =
        TestSupport::WriteFile(tmp.path() + QStringLiteral("/state.ini"), TBatchRecovery::Bytes(list, s, 1));

    TBatchRecovery::TSaved saved;
    ASSERT_TRUE(TBatchRecovery::Read(file, EncodingSettings(), 0, saved));
    EXPECT_TRUE(saved.Settings.keepTree);
    TFileListModel restored(AppParams());
    EXPECT_TRUE(TBatchRecovery::Restore(restored, saved).isEmpty());
    ASSERT_EQ(restored.rowCount(), 2);
    EXPECT_EQ(restored.Row(0).Root, root);
    EXPECT_TRUE(restored.Row(1).Root.isEmpty());
}

// Closing the window during a batch never refuses and loses nothing: the running row stops
// as on Abort, the state file stays, and the next start offers the unfinished rows back.
// An Abort, and the close after it, leave no state behind.
TEST(UiRecovery, ClosingDuringABatchKeepsItsStateForTheNextStart)
{
    BatchFixture f;
    DropFiles(f.w.get(), {f.a, f.b});
    ASSERT_EQ(f.w->List()->rowCount(), 2);
    const QString waiting = RowStatusData(f.w->List()->RowStatus(1));
    EditAppParams().mencoder = Fake("hang_deaf.sh");
    f.OutputTo(f.out.path());
    const QString dir = TBatchRecovery::StateDir(AppParams());
    const QString file = TBatchRecovery::StateFileName(dir, QCoreApplication::applicationPid());
    QSignalSpy closed(f.w.get(), &TFormMain::Closed);
    QTimer poll;
    WhenTheEncoderRuns(poll, f.w.get(), [&] {
        f.w->close();
        EXPECT_FALSE(f.w->isVisible()); // the close is never refused, only finished later
    });
    RunBatchToEnd(f.w.get());
    EXPECT_TRUE(closed.size() == 1 || closed.wait(5000));
    EXPECT_EQ(RowStatusData(f.w->List()->RowStatus(0)), QStringLiteral("Aborted"));
    EXPECT_EQ(RowStatusData(f.w->List()->RowStatus(1)), waiting);

    // The file holds the rows as the batch left them, not as a timed write saw them.
    TBatchRecovery::TSaved saved;
    ASSERT_TRUE(TBatchRecovery::Read(file, EncodingSettings(), 0, saved));
    ASSERT_EQ(saved.Rows.size(), 2);
    EXPECT_EQ(RowStatusData(saved.Rows[0].Status), QStringLiteral("Aborted"));
    EXPECT_EQ(RowStatusData(saved.Rows[1].Status), waiting);

    // The next start, once this program is gone (a dead pid stands for it).
    ASSERT_TRUE(QFile::rename(file, TBatchRecovery::StateFileName(dir, DeadPid())));
    {
        OfferAnswer yes(QMessageBox::Yes);
        Restart(f);
        EXPECT_EQ(yes.offers, 1);
    }
    TFileListModel& list = *f.w->List();
    ASSERT_EQ(list.rowCount(), 2);
    EXPECT_EQ(list.RowFullName(0), f.a);
    EXPECT_TRUE(list.IsChecked(0));
    EXPECT_EQ(RowStatusData(list.RowStatus(0)), QStringLiteral("Aborted"));
    EXPECT_TRUE(list.IsChecked(1));

    // Abort first, then close while it winds down: the batch ended by the Abort.
    EditAppParams().mencoder = Fake("hang_deaf.sh");
    QObject::connect(&poll, &QTimer::timeout, f.w.get(), [&] {
        if (!EncoderRunning())
            return;
        poll.stop();
        f.w->AbortConversion();
        f.w->close();
    });
    poll.start();
    RunBatchToEnd(f.w.get());
    EXPECT_TRUE(QDir(dir).entryList({QStringLiteral("batch-*")}, QDir::Files | QDir::Hidden).isEmpty());
}

// Many files of a batch gone since: the offer and the note after it list them in a
// scrolling list and stay on the screen; the note's text names the first 20 only.
TEST(UiRecovery, ManyMissingFilesAreListedInBoxesThatFitTheScreen)
{
    BatchFixture f;
    QList<QPair<QString, QString>> rows;
    QStringList names;
    for (int i = 0; i < 25; ++i) {
        names << f.Copy("clip_xvid_mp3.avi", QStringLiteral("gone%1.avi").arg(i, 2, 10, QLatin1Char('0')));
        rows << qMakePair(names.last(), QString());
    }
    WriteState(TBatchRecovery::StateDir(AppParams()), DeadPid(), rows, f.w->Settings());
    for (const QString& n : names)
        QFile::remove(n);

    struct TSeen {
        QString text;
        QStringList items;
        bool fits = false;
    };
    QList<TSeen> seen;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    {
        ModalWatcher watch([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box || box->property("vexaLooked").toBool())
                return false;
            box->setProperty("vexaLooked", true);
            TSeen s;
            s.text = box->text();
            if (auto* list = box->findChild<QListWidget*>())
                for (int i = 0; i < list->count(); ++i)
                    s.items << list->item(i)->text();
            s.fits = box->frameGeometry().height() <= screen.height();
            seen << s;
            if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                yes->click();
            else
                box->accept();
            return true;
        });
        Restart(f);
        EXPECT_TRUE(QTest::qWaitFor([&] { return seen.size() == 2; }, 5000));
    }
    ASSERT_EQ(seen.size(), 2);
    // The offer: the files not converted, all of them, in its list.
    EXPECT_TRUE(seen[0].text.contains(QLatin1String("(25 files, 25 not converted)"))) << seen[0].text.toStdString();
    EXPECT_EQ(seen[0].items, names);
    EXPECT_TRUE(seen[0].fits);
    // The note: 20 names and the count of the rest in its text, all 25 in its list.
    const QStringList lines = seen[1].text.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 22) << seen[1].text.toStdString();
    EXPECT_EQ(lines.mid(1, 20), names.mid(0, 20));
    EXPECT_EQ(lines.last(), QStringLiteral("and 5 more"));
    EXPECT_EQ(seen[1].items, names);
    EXPECT_TRUE(seen[1].fits);
    EXPECT_EQ(f.w->List()->rowCount(), 0);
}

// A file whose program still runs is another window's batch; damaged files are no batch.
// Neither is offered, touched or fatal; a live process of another program owns nothing.
TEST(UiRecovery, LiveWindowsAndDamagedFilesAreLeftAlone)
{
    MainWindowFixture f;
    const QString dir = TBatchRecovery::StateDir(AppParams());
    const QString clip = TestSupport::Clip(QStringLiteral("clip_xvid_mp3.avi"));

    QTemporaryDir otherHome;
    QProcess window;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("VEXACONV_QUIT_AFTER_MS"), QStringLiteral("60000"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), otherHome.path()); // the killed window's socket goes with the directory
    window.setProcessEnvironment(env);
    window.start(TestSupport::VexaconvPath(), {QStringLiteral("--home"), otherHome.path()});
    ASSERT_TRUE(window.waitForStarted(10000));
    QProcess sleeper;
    sleeper.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    ASSERT_TRUE(sleeper.waitForStarted(10000));

    const QString owned = WriteState(dir, window.processId(), {{clip, QString()}}, f.w->Settings());
    const QByteArray ownedBytes = TestSupport::ReadFile(owned);
    const QString junk = TestSupport::WriteFile(TBatchRecovery::StateFileName(dir, DeadPid()),
                                                QByteArray(Junk, sizeof Junk - 1));
    const QString noPid = TestSupport::WriteFile(TBatchRecovery::StateFileName(dir, DeadPid() + 1),
                                                 "[MAIN]\r\nAppName=x\r\n[ROWS]\r\nCount=99999999\r\n");
    {
        OfferAnswer yes(QMessageBox::Yes);
        Restart(f);
        EXPECT_EQ(yes.offers, 0);
    }
    EXPECT_EQ(f.w->List()->rowCount(), 0);
    EXPECT_EQ(TestSupport::ReadFile(owned), ownedBytes);
    EXPECT_TRUE(QFile::exists(junk));
    EXPECT_TRUE(QFile::exists(noPid));

    // The same file, its pid now a process of another program: the window that owned it is gone.
    QFile::remove(owned);
    WriteState(dir, sleeper.processId(), {{clip, QString()}}, f.w->Settings());
    {
        OfferAnswer yes(QMessageBox::Yes);
        Restart(f);
        EXPECT_EQ(yes.offers, 1);
    }
    EXPECT_EQ(f.w->List()->rowCount(), 1);
    window.kill();
    sleeper.kill();
    window.waitForFinished();
    sleeper.waitForFinished();
}
