// The window around a batch: one message box per early exit, the error window keeping
// the user's text, and the batch's shares without analysis at its start.
#include "test_ui_support.h"

#include "base/AppParams.h"
#include "runner/EncoderRun.h"
#include "encoding/SettingsRules.h"
#include "filelist/FileListModel.h"
#include "media/MediaAnalysis.h"
#include "ui/TFileGrid.h"
#include "ui/TFormErrors.h"
#include "ui/TFormMain.h"
#include "ui/TFormProgress.h"
#include "ui/TPlayerLauncher.h"
#include "ui/TWindowBatchSink.h"

#include <QAbstractButton>
#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <optional>

using namespace UiTest;

namespace {

// The PATH of the test, emptied while it lives: no encoder is found on it.
struct NoEncoderOnPath {
    NoEncoderOnPath() : saved(qgetenv("PATH")) { qputenv("PATH", "/nonexistent"); }
    ~NoEncoderOnPath() { qputenv("PATH", saved); }
    QByteArray saved;
};

// A fake input at FOLDER/clip.avi whose text tells the timed fake encoder how many seconds to take.
QString TimedInput(BatchFixture& f, const char* folder, const char* seconds)
{
    f.media.mkpath(QLatin1String(folder));
    return TestSupport::WriteFile(f.media.filePath(QLatin1String(folder) + QStringLiteral("/clip.avi")), seconds);
}

// Two jobs side by side on the timed fake encoder; its outputs are a real clip carrying the
// input's name, which pass the check of finished outputs.
void UseTwoTimedJobs(BatchFixture& f)
{
    EditAppParams().mencoder = Fake("timed_encode.py");
    qputenv("VEXA_FAKE_CLIP", QFile::encodeName(TestSupport::Clip(QStringLiteral("clip_xvid_mp3.avi"))));
    EditAppParams().ParallelJobs = 2;
    f.OutputTo(f.out.path());
}

// The comment the timed fake encoder wrote into an output.
QByteArray ClipComment(const QString& path)
{
    return TestSupport::RunProgram(QStringLiteral("ffprobe"), {"-v", "error", "-show_entries", "format_tags=comment", "-of",
                                                               "default=nw=1:nk=1", path})
        .out.trimmed();
}

} // namespace

TEST(UiBatch, EveryEarlyExitShowsOneBoxWithTheProgramsOwnText)
{
    {
        // The encoder is missing.
        BatchFixture f;
        DropFiles(f.w.get(), {f.a});
        NoEncoderOnPath noPath;
        EditAppParams().mencoder = f.tmp.filePath(QStringLiteral("no-encoder"));
        ModalWatcher watch;
        const TBatchResult r = RunBatchToEnd(f.w.get());
        EXPECT_FALSE(r.EarlyExit.isEmpty());
        EXPECT_EQ(watch.boxTexts, QStringList{MissingEncoderText()});
    }
    {
        // A typed setting the encoder cannot take: its own warning, nothing else.
        BatchFixture f;
        DropFiles(f.w.get(), {f.a});
        EditAppParams().mencoder = Fake("silent_fail.sh");
        f.OutputTo(f.out.path());
        EncodingSettings s = f.w->Settings();
        s.videoBitrate.Text = QStringLiteral("fast");
        f.w->SetSettings(s);
        ModalWatcher watch;
        const TBatchResult r = RunBatchToEnd(f.w.get());
        EXPECT_FALSE(r.EarlyExit.isEmpty());
        EXPECT_EQ(watch.boxTexts, QStringList{VideoBitrateMessage(QStringLiteral("fast"))});
        EXPECT_TRUE(f.w->Action(QStringLiteral("actConvert"))->isEnabled()); // unlocked again
    }
    {
        // The output directory cannot be made (its parent is a file).
        BatchFixture f;
        DropFiles(f.w.get(), {f.a});
        EditAppParams().mencoder = Fake("silent_fail.sh");
        const QString blocker = TestSupport::WriteFile(f.tmp.filePath(QStringLiteral("file")), "x");
        f.OutputTo(blocker + QStringLiteral("/sub"));
        ModalWatcher watch;
        const TBatchResult r = RunBatchToEnd(f.w.get());
        EXPECT_FALSE(r.EarlyExit.isEmpty());
        ASSERT_EQ(watch.boxTexts.size(), 1) << watch.boxTexts.join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(watch.boxTexts[0].startsWith(QStringLiteral("Couldn't create directory"))) << watch.boxTexts[0].toStdString();
    }
}

TEST(UiBatch, ErrorWindowKeepsClearAndEditsWhenLaterReportsArrive)
{
    BatchFixture f;
    const QString c = f.Copy("clip_video_only.mp4", QStringLiteral("c.mp4"));
    DropFiles(f.w.get(), {f.a, f.b, c});
    EditAppParams().mencoder = Fake("silent_fail.sh");
    f.OutputTo(f.out.path());
    QPlainTextEdit* me = f.w->FormErrors()->Memo();
    // After the first report the user clears the window; after the second, adds a note.
    int step = 0;
    QTimer user;
    user.setInterval(5);
    QObject::connect(&user, &QTimer::timeout, [&] {
        const QString text = me->toPlainText();
        if (step == 0 && text.contains(QLatin1String("Error # 1"))) {
            f.w->FormErrors()->actClearLogExecute();
            step = 1;
        } else if (step == 1 && text.contains(QLatin1String("Error # 2"))) {
            me->moveCursor(QTextCursor::End);
            me->insertPlainText(QStringLiteral("\nmy note"));
            step = 2;
        }
    });
    user.start();
    ModalWatcher watch;
    const TBatchResult r = RunBatchToEnd(f.w.get());
    user.stop();
    EXPECT_EQ(r.ErrorCount, 3);
    EXPECT_EQ(step, 2);
    const QString text = me->toPlainText();
    EXPECT_FALSE(text.contains(QLatin1String("Error # 1")));
    EXPECT_TRUE(text.startsWith(QLatin1String("Error # 2\n----------\n"))) << text.toStdString();
    EXPECT_LT(text.indexOf(QLatin1String("my note")), text.indexOf(QLatin1String("Error # 3")));
    EXPECT_TRUE(text.contains(QLatin1String("Input file: ") + c));
    // the reports page follows the Clear too: the second and third, each with its sentence
    QTreeWidget* reports = f.w->FormErrors()->Reports();
    ASSERT_EQ(reports->topLevelItemCount(), 2);
    EXPECT_TRUE(reports->topLevelItem(1)->text(0).endsWith(QLatin1String(" (c.mp4)")));
    EXPECT_EQ(f.w->FormErrors()->windowTitle(), QStringLiteral("Errors (3)"));
    EXPECT_TRUE(f.w->FormErrors()->isVisible());
    EXPECT_TRUE(watch.boxTexts.isEmpty());
    // The log the program keeps is whole.
    EXPECT_TRUE(f.w->ErrorLog().Text().contains(QLatin1String("Error # 1")));
    f.w->FormErrors()->hide();
}

TEST(UiBatch, RowsAreAnalysedWhenTheBatchReachesThemNotAtItsStart)
{
    BatchFixture f;
    EditAppParams().FileAnalysis = faNone;
    const QString longClip = f.Copy("clip_runner_40s.avi", QStringLiteral("long.avi"));
    DropFiles(f.w.get(), {f.a, longClip});
    TFileListModel* list = f.w->List();
    ASSERT_EQ(list->rowCount(), 2);
    ASSERT_FALSE(list->Row(0).Analysed);
    EditAppParams().mencoder = Fake("timed_encode.py");
    // its outputs are copies of the inputs, which pass the check of finished outputs
    qputenv("VEXA_FAKE_CLIP", "@input");
    f.OutputTo(f.out.path());

    // Starting a batch analyses nothing of the list; the batch reads each row itself.
    QSignalSpy ended(f.w.get(), &TFormMain::BatchEnded);
    f.w->StartBatch();
    EXPECT_FALSE(list->Row(0).Analysed);
    EXPECT_FALSE(list->Row(1).Analysed);
    ASSERT_TRUE(ended.wait(60000));
    EXPECT_EQ(RowStatusData(list->RowStatus(1)), QStringLiteral("Done"));
    EXPECT_TRUE(f.w->FormProgress()->TimingLabel()->text().contains(QLatin1String("Batch: 100%")))
        << f.w->FormProgress()->TimingLabel()->text().toStdString();
    f.w->FormProgress()->hide();
}

TEST(UiBatch, TwoJobsShowEveryRunningRowAndKeepTheListsOrder)
{
    BatchFixture f;
    // Three inputs of one name, the first slow: the others end before it.
    const QString a = TimedInput(f, "a", "3");
    const QString b = TimedInput(f, "b", "0.6");
    const QString c = TimedInput(f, "c", "0.6");
    DropFiles(f.w.get(), {a, b, c});
    TFileListModel* list = f.w->List();
    ASSERT_EQ(list->rowCount(), 3);
    UseTwoTimedJobs(f);

    QSignalSpy ended(f.w.get(), &TFormMain::BatchEnded);
    f.w->StartBatch();
    QTreeWidget* jobs = f.w->FormProgress()->JobList();
    // Both running rows are listed and show their percent in the list.
    int mostJobs = 0;
    bool percentInList = false;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        mostJobs = std::max(mostJobs, jobs->topLevelItemCount());
        percentInList = percentInList || QRegularExpression(QStringLiteral("^Converting \\d+%$")).match(RowStatusData(list->RowStatus(0))).hasMatch();
        return !ended.isEmpty();
    }, 60000));
    EditAppParams().ParallelJobs = 1;
    EXPECT_TRUE(jobs->isVisible() || !f.w->FormProgress()->isVisible());
    // two encode; a row whose output is being checked has given its place to the next and
    // stays listed until its check ends (a slow check, as under the sanitizers, shows it)
    EXPECT_GE(mostJobs, 2);
    EXPECT_LE(mostJobs, 3);
    EXPECT_TRUE(percentInList);
    EXPECT_EQ(jobs->topLevelItemCount(), 0);
    EXPECT_EQ(RowStatusData(list->RowStatus(0)), QStringLiteral("Done"));
    EXPECT_EQ(RowStatusData(list->RowStatus(1)), QStringLiteral("OK - Renamed"));
    EXPECT_EQ(RowStatusData(list->RowStatus(2)), QStringLiteral("OK - Renamed"));
    EXPECT_EQ(ClipComment(f.out.filePath(QStringLiteral("clip.avi"))), "encoded " + a.toUtf8());
    EXPECT_EQ(ClipComment(f.out.filePath(QStringLiteral("clip_001.avi"))), "encoded " + b.toUtf8());
    EXPECT_EQ(ClipComment(f.out.filePath(QStringLiteral("clip_002.avi"))), "encoded " + c.toUtf8());
    EXPECT_TRUE(f.w->LastBatchResult().EndedNormally);
    EXPECT_FALSE(f.w->Converting());
    f.w->FormProgress()->hide();
}

// A row's second pass, or its run started again, shows no figures of the run before.
TEST(UiBatch, JobListStartsEachRunFromNothing)
{
    BatchFixture f;
    TFormProgress* p = f.w->FormProgress();
    p->SetJobCount(2);
    p->JobStarted(0, QStringLiteral("/in/a.avi"));
    p->JobPassStarted(0, 1);
    TProgressUpdate u;
    u.Row = 0;
    u.HasStatus = true;
    u.PassNo = 1;
    u.Percent = 100;
    u.SpeedText = QStringLiteral("51");
    u.FileFraction = 1;
    p->JobProgress(u);
    QTreeWidgetItem* item = p->JobList()->topLevelItem(0);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(2), QStringLiteral("100%"));
    p->JobPassStarted(0, 2);
    EXPECT_EQ(item->text(1), QStringLiteral("2"));
    EXPECT_EQ(item->text(2), QStringLiteral("0%"));
    EXPECT_EQ(item->text(3), QStringLiteral("?"));
    EXPECT_EQ(item->text(4), QStringLiteral("?"));
    p->JobFinished(0);
}

// When the row shown ends first, the file labels move on to the row still running.
TEST(UiBatch, TwoJobsLabelsFollowTheRowStillRunning)
{
    BatchFixture f;
    const QString a = TimedInput(f, "a", "0.3");
    const QString b = TimedInput(f, "b", "4");
    DropFiles(f.w.get(), {a, b});
    ASSERT_EQ(f.w->List()->rowCount(), 2);
    UseTwoTimedJobs(f);

    QSignalSpy ended(f.w.get(), &TFormMain::BatchEnded);
    f.w->StartBatch();
    auto* label = f.w->FormProgress()->findChild<QLabel*>(QStringLiteral("lblInputFile"));
    ASSERT_NE(label, nullptr);
    bool followed = false;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        if (RowStatusData(f.w->List()->RowStatus(0)) == QStringLiteral("Done") && ended.isEmpty())
            followed = followed || label->text() == b;
        return !ended.isEmpty();
    }, 60000));
    EditAppParams().ParallelJobs = 1;
    EXPECT_TRUE(followed) << label->text().toStdString();
    EXPECT_EQ(RowStatusData(f.w->List()->RowStatus(1)), QStringLiteral("OK - Renamed"));
    f.w->FormProgress()->hide();
}

TEST(UiBatch, PauseStopsEveryEncoderAndResumeLetsThemGoOn)
{
    BatchFixture f;
    const QString a = TestSupport::WriteFile(f.media.filePath(QStringLiteral("a.avi")), "60");
    const QString b = TestSupport::WriteFile(f.media.filePath(QStringLiteral("b.avi")), "60");
    DropFiles(f.w.get(), {a, b});
    UseTwoTimedJobs(f);
    // Before a batch there is nothing to pause or abort.
    TFormProgress* progress = f.w->FormProgress();
    auto* abort = progress->findChild<QPushButton*>(QStringLiteral("btnAbort"));
    ASSERT_NE(abort, nullptr);
    EXPECT_FALSE(progress->PauseButton()->isEnabled());
    EXPECT_FALSE(abort->isEnabled());
    QSignalSpy ended(f.w.get(), &TFormMain::BatchEnded);
    f.w->StartBatch();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.w->BatchPlanner()->EncoderProcessGroups().size() == 2; }, 30000));
    EXPECT_TRUE(progress->PauseButton()->isEnabled());
    EXPECT_TRUE(abort->isEnabled());
    const QList<qint64> groups = f.w->BatchPlanner()->EncoderProcessGroups();
    const auto states = [&] {
        QString s;
        for (qint64 pid : groups) {
            const QByteArray stat = TestSupport::ReadFile(QStringLiteral("/proc/%1/stat").arg(pid));
            s += QLatin1Char(stat.at(stat.lastIndexOf(')') + 2));
        }
        return s;
    };
    QAction* tray = f.w->Action(QStringLiteral("actPauseResume"));
    ASSERT_TRUE(tray);
    EXPECT_TRUE(tray->isEnabled());

    progress->PauseButton()->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return states() == QLatin1String("TT"); }, 5000)) << states().toStdString();
    EXPECT_EQ(progress->windowTitle(), QStringLiteral("Paused"));
    EXPECT_TRUE(f.w->windowTitle().startsWith(QLatin1String("Paused"))) << f.w->windowTitle().toStdString();
    EXPECT_EQ(progress->PauseButton()->text(), QStringLiteral("Resume"));
    // the tray's item resumes as well
    tray->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !states().contains(QLatin1Char('T')); }, 5000)) << states().toStdString();
    EXPECT_EQ(progress->PauseButton()->text(), QStringLiteral("Pause"));
    EXPECT_FALSE(f.w->windowTitle().startsWith(QLatin1String("Paused")));

    // An abort during a pause ends the stopped encoders too.
    progress->PauseButton()->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return states() == QLatin1String("TT"); }, 5000)) << states().toStdString();
    f.w->AbortConversion();
    EXPECT_TRUE(ended.wait(15000));
    EditAppParams().ParallelJobs = 1;
    EXPECT_EQ(RowStatusData(f.w->List()->RowStatus(0)), QStringLiteral("Aborted"));
    EXPECT_EQ(RowStatusData(f.w->List()->RowStatus(1)), QStringLiteral("Aborted"));
    EXPECT_FALSE(tray->isEnabled());
    EXPECT_FALSE(progress->PauseButton()->isEnabled());
    EXPECT_EQ(abort->text(), QStringLiteral("Close")); // it closes the window now
    progress->hide();
}

// A failed row says why in its tool tip and in the Reason column, which the failure brings
// in; a second Convert over a row this list converted asks once, and "Only the others"
// leaves it out (its check mark goes), while "Convert them again" converts it.
TEST(UiBatch, FailuresSayWhyAndFinishedRowsAreNotConvertedTwiceUnasked)
{
    BatchFixture f;
    DropFiles(f.w.get(), {f.a});
    EditAppParams().mencoder = Fake("timed_encode.py");
    EnvVar clip("VEXA_FAKE_CLIP", "@input");
    f.OutputTo(f.out.path());
    TFileListModel* list = f.w->List();
    QStringList asked;
    const auto answer = [&](const char* button) {
        return [&asked, button](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box || box->objectName() != QLatin1String("ConvertAgainBox"))
                return false;
            asked << box->text();
            if (auto* b = box->findChild<QPushButton*>(QLatin1String(button)))
                b->click();
            return true;
        };
    };
    const auto convert = [&](const char* button) {
        ModalWatcher watch(answer(button));
        QSignalSpy ended(f.w.get(), &TFormMain::BatchEnded);
        f.w->Action(QStringLiteral("actConvert"))->trigger();
        return !ended.isEmpty() || ended.wait(60000);
    };
    ASSERT_TRUE(convert("btnCancel"));
    ASSERT_EQ(RowStatusData(list->RowStatus(0)), QStringLiteral("Done"));
    EXPECT_TRUE(asked.isEmpty()); // nothing was converted before
    const QString output = f.out.filePath(QStringLiteral("a.avi"));
    EXPECT_EQ(list->data(list->index(0, colStatus), Qt::ToolTipRole).toString(), "Done\nOutput: " + output);

    // a second file that fails, the first one left out
    DropFiles(f.w.get(), {f.b});
    EditAppParams().mencoder = Fake("silent_fail.sh");
    ASSERT_TRUE(convert("btnOnlyOthers"));
    EXPECT_EQ(asked, QStringList{"1 of the 2 checked files were converted already."});
    EXPECT_FALSE(list->IsChecked(0));
    EXPECT_EQ(RowStatusData(list->RowStatus(0)), QStringLiteral("Done"));
    const int b = list->rowCount() - 1;
    EXPECT_EQ(RowStatusData(list->RowStatus(b)), QStringLiteral("Error (1)"));
    const QString reason = list->Row(b).Reason;
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(list->data(list->index(b, colStatus), Qt::ToolTipRole).toString(), "Error (1)\n" + reason);
    EXPECT_EQ(list->data(list->index(b, colReason)).toString(), reason);
    EXPECT_TRUE(f.w->Action(QStringLiteral("actColReasonVisible"))->isChecked());
    f.w->FormErrors()->hide();

    // converted again when asked to: a numbered copy beside the first
    list->SetChecked(0, true);
    list->SetChecked(b, false);
    EditAppParams().mencoder = Fake("timed_encode.py");
    ASSERT_TRUE(convert("btnConvertAgain"));
    EXPECT_EQ(asked.size(), 2);
    EXPECT_EQ(RowStatusData(list->RowStatus(0)), QStringLiteral("OK - Renamed"));
    EXPECT_TRUE(QFileInfo::exists(f.out.filePath(QStringLiteral("a_001.avi"))));
    f.w->FormProgress()->hide();
}

namespace {

// Takes the URLs the window asks the desktop to open.
class TUrlCatcher : public QObject {
    Q_OBJECT
public:
    TUrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
    ~TUrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> opened;
public Q_SLOTS:
    void Open(const QUrl& url) { opened << url; }
};

} // namespace

// Preview needs a selected row; it plays the piece at once, the box says what the whole
// file would take and plays it again; the piece goes when the window does.
TEST(UiBatch, PreviewPlaysAPieceOfTheSelectedFile)
{
    BatchFixture f;
    DropFiles(f.w.get(), {f.a});
    QAction* preview = f.w->Action(QStringLiteral("actPreview"));
    f.w->Grid()->clearSelection();
    f.w->Grid()->setCurrentIndex(QModelIndex());
    EXPECT_FALSE(preview->isEnabled());
    f.w->Grid()->selectRow(0);
    ASSERT_TRUE(preview->isEnabled());
    NoEncoderOnPath noXdgOpen; // the desktop is asked through Qt, which the catcher answers
    TUrlCatcher player;
    preview->trigger();
    QMessageBox* box = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (box = f.w->findChild<QMessageBox*>(QStringLiteral("PreviewBox"))); }, 60000));
    ASSERT_EQ(player.opened.size(), 1);
    const QString piece = player.opened.at(0).toLocalFile();
    EXPECT_TRUE(QFileInfo(piece).size() > 0) << piece.toStdString();
    EXPECT_TRUE(box->informativeText().contains(QLatin1String("the whole file would take about")))
        << box->informativeText().toStdString();
    box->findChild<QAbstractButton*>(QStringLiteral("btnPlayAgain"))->click();
    EXPECT_EQ(player.opened.size(), 2);
    box->findChild<QAbstractButton*>(QStringLiteral("btnOpenFolder"))->click();
    ASSERT_EQ(player.opened.size(), 3);
    EXPECT_EQ(player.opened.at(2).toLocalFile(), QFileInfo(piece).absolutePath());
    EXPECT_TRUE(box->isVisible()); // the box stays for another look
    box->close();
    f.w.reset();
    EXPECT_FALSE(QFileInfo::exists(piece));
}

namespace {

// Stand-ins for xdg-open and the players in a folder of their own, the PATH while it lives:
// each writes its arguments, one a line, to NAME.args beside the folder.
struct TStandInPath {
    QTemporaryDir dir;
    EnvVar path{"PATH", QFile::encodeName(dir.filePath(QStringLiteral("bin")))};
    void Add(const QString& name, int status) const
    {
        const QString script = TestSupport::WriteFile(
            dir.filePath(QStringLiteral("bin/") + name),
            QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> '%1.args'; done\nexit %2\n")
                .arg(dir.filePath(name))
                .arg(status)
                .toUtf8());
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString Args(const QString& name) const
    {
        return QString::fromUtf8(TestSupport::ReadFile(dir.filePath(name + QStringLiteral(".args"))));
    }
};

} // namespace

// A desktop without a handler for video still plays it: where xdg-open is missing or finds
// nothing, the first of the usual players on the PATH gets the file, as one argument.
TEST(UiPreview, APlayerOnThePathPlaysWhatTheDesktopCannot)
{
    const struct {
        int xdgOpen; // its exit status; -1: none on the PATH
        QStringList players;
        bool started;
        const char* player; // who plays it; "" the desktop
    } cases[] = {
        {-1, {"vlc", "mpv"}, true, "mpv"},
        {3, {"vlc", "ffplay"}, true, "ffplay"}, // xdg-open found no handler
        {4, {"mplayer"}, true, "mplayer"},      // the handler failed
        {0, {"mpv"}, true, ""},                 // the desktop's handler took it
        {-1, {}, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xdgOpen);
        TStandInPath path;
        if (c.xdgOpen >= 0)
            path.Add(QStringLiteral("xdg-open"), c.xdgOpen);
        for (const QString& p : c.players)
            path.Add(p, 0);
        const QString file = TestSupport::WriteFile(path.dir.filePath(QStringLiteral("a b's.avi")), "x");
        TPlayerLauncher launcher;
        std::optional<TPlayed> played;
        launcher.Play(file, [&](const TPlayed& p) { played = p; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return played.has_value(); }, 10000));
        EXPECT_EQ(played->Started, c.started);
        EXPECT_EQ(played->Player, QLatin1String(c.player));
        const QString who = *c.player ? QString::fromLatin1(c.player) : c.started ? QStringLiteral("xdg-open") : QString();
        if (!who.isEmpty()) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return path.Args(who) == file + '\n'; }, 10000)) << path.Args(who).toStdString();
        }
        for (const QString& p : c.players)
            if (p != who) {
                EXPECT_EQ(path.Args(p), QString()) << p.toStdString();
            }
    }
}

// The preview in a session without a desktop handler: played by mpv from the PATH, and the
// box says so.
TEST(UiPreview, PreviewPlaysInAPlayerFromThePath)
{
    BatchFixture f;
    DropFiles(f.w.get(), {f.a});
    f.w->Grid()->selectRow(0);
    TStandInPath path;
    path.Add(QStringLiteral("mpv"), 0);
    f.w->Action(QStringLiteral("actPreview"))->trigger();
    QMessageBox* box = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (box = f.w->findChild<QMessageBox*>(QStringLiteral("PreviewBox"))); }, 60000));
    EXPECT_TRUE(box->text().endsWith(QLatin1String(" plays in mpv."))) << box->text().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !path.Args(QStringLiteral("mpv")).isEmpty(); }, 10000));
    const QString piece = path.Args(QStringLiteral("mpv")).trimmed();
    EXPECT_TRUE(box->informativeText().endsWith(piece)) << piece.toStdString();
    EXPECT_GT(QFileInfo(piece).size(), 0) << piece.toStdString();
    EXPECT_NE(box->findChild<QAbstractButton*>(QStringLiteral("btnOpenFolder")), nullptr);
    box->close();
}

#include "test_ui_batch.moc"
