// The main window over a real file list: enabling for the list states, column menus,
// drops of files, folders and list files, the footer, and a conversion with the encoder.
#include "test_ui_support.h"

#include "base/AppParams.h"
#include "filelist/FileListColumns.h"
#include "filelist/FileListModel.h"
#include "ui/TFileGrid.h"
#include "ui/TFormCmdLine.h"
#include "ui/TFormErrors.h"
#include "ui/TFormFileInfo.h"
#include "ui/TFormMain.h"
#include "ui/TFormOptions.h"
#include "ui/TFormProgress.h"
#include "ui/TGridFooter.h"

#include <QAction>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

using namespace UiTest;

namespace {

// Copies a test clip into dir under a new name.
QString CopyClip(const QDir& dir, const char* clip, const QString& name)
{
    const QString to = dir.filePath(name);
    QFile::copy(TestSupport::Clip(QLatin1String(clip)), to);
    return to;
}

void Drop(TFormMain* w, const QStringList& paths)
{
    auto* mime = new QMimeData;
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls << QUrl::fromLocalFile(p);
    mime->setUrls(urls);
    const QPoint at = w->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &drop);
    delete mime;
}

bool Enabled(const MainWindowFixture& f, const char* action)
{
    return f.w->Action(QLatin1String(action))->isEnabled();
}

struct ListFixture : MainWindowFixture {
    ListFixture()
    {
        EditAppParams().FileAnalysis = faQuick;
        EditAppParams().DragAcceptDirectories = true;
        media = QDir(tmp.filePath(QStringLiteral("media")));
        media.mkpath(QStringLiteral("."));
        a = CopyClip(media, "clip_xvid_mp3.avi", QStringLiteral("a.avi"));
        b = CopyClip(media, "clip_h264_aac.mp4", QStringLiteral("b.mp4"));
        c = CopyClip(media, "clip_video_only.mp4", QStringLiteral("c.mp4"));
    }
    QDir media;
    QString a, b, c;
};

} // namespace

TEST(UiFileList, DropOfFilesSortsThemAndEnablesTheListActions)
{
    ListFixture f;
    Drop(f.w.get(), {f.c, f.a});
    TFileListModel* list = f.w->List();
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->RowFileName(0), QStringLiteral("a.avi"));
    EXPECT_EQ(list->RowFileName(1), QStringLiteral("c.mp4"));
    // All checked.
    for (const char* n : {"actConvert", "actSaveBat", "actRemoveChecked", "actSaveFileList", "actClearFileList",
                          "actInvertSelection", "actUncheckAll", "actShowHideFileInfo"})
        EXPECT_TRUE(Enabled(f, n)) << n;
    EXPECT_FALSE(Enabled(f, "actCheckAll"));
    EXPECT_FALSE(Enabled(f, "actExploreDirectory"));
    EXPECT_EQ(f.w->Footer()->Text(colNo), QStringLiteral("2"));
    EXPECT_EQ(f.w->Footer()->Text(colActive), QStringLiteral("2"));

    // None checked.
    f.w->Action(QStringLiteral("actUncheckAll"))->trigger();
    EXPECT_FALSE(Enabled(f, "actConvert"));
    EXPECT_FALSE(Enabled(f, "actSaveBat"));
    EXPECT_FALSE(Enabled(f, "actRemoveChecked"));
    EXPECT_FALSE(Enabled(f, "actUncheckAll"));
    EXPECT_TRUE(Enabled(f, "actCheckAll"));
    EXPECT_TRUE(Enabled(f, "actClearFileList"));
    EXPECT_EQ(f.w->Footer()->Text(colActive), QStringLiteral("0"));
    EXPECT_TRUE(f.w->Footer()->Text(colSize).isEmpty());

    // Mixed, with a selection: the selected rows decide check / uncheck selected.
    f.w->Grid()->selectRow(1);
    EXPECT_TRUE(Enabled(f, "actCheckSelected"));
    EXPECT_FALSE(Enabled(f, "actUncheckSelected"));
    EXPECT_TRUE(Enabled(f, "actExploreDirectory"));
    EXPECT_EQ(f.w->Action(QStringLiteral("actExploreDirectory"))->text(), QStringLiteral("E&xplore directory ") + f.media.path());
    f.w->Action(QStringLiteral("actCheckSelected"))->trigger();
    EXPECT_TRUE(list->IsChecked(1));
    EXPECT_FALSE(list->IsChecked(0));
    EXPECT_TRUE(Enabled(f, "actConvert"));
    EXPECT_TRUE(Enabled(f, "actCheckAll"));
    EXPECT_TRUE(Enabled(f, "actUncheckAll"));
    EXPECT_TRUE(Enabled(f, "actUncheckSelected"));
    EXPECT_FALSE(Enabled(f, "actCheckSelected"));

    f.w->Action(QStringLiteral("actRemoveChecked"))->trigger();
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->RowFileName(0), QStringLiteral("a.avi"));
    f.w->Action(QStringLiteral("actClearFileList"))->trigger();
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_FALSE(Enabled(f, "actClearFileList"));
    Screenshot(f.w.get(), QStringLiteral("main_empty_after_clear"));
}

TEST(UiFileList, DropOfAFolderAndAListFile)
{
    ListFixture f;
    const QString lst = f.tmp.filePath(QStringLiteral("list.lst"));
    TestSupport::WriteFile(lst, (f.b + QStringLiteral("\r\n\r\n") + f.media.filePath(QStringLiteral("missing.avi")) + QStringLiteral("\r\n")).toUtf8());
    Drop(f.w.get(), {lst});
    ASSERT_EQ(f.w->List()->rowCount(), 1);
    EXPECT_EQ(f.w->List()->RowFileName(0), QStringLiteral("b.mp4"));
    Drop(f.w.get(), {f.media.path()});
    EXPECT_EQ(f.w->List()->rowCount(), 3); // b.mp4 is not listed twice
    EXPECT_EQ(f.w->List()->Row(2).No, 3);

    EditAppParams().DragAcceptDirectories = false;
    f.w->Action(QStringLiteral("actClearFileList"))->trigger();
    Drop(f.w.get(), {f.media.path()});
    EXPECT_EQ(f.w->List()->rowCount(), 0);
}

// "Open with" from a file manager: every file, folder and list file of the command line
// is added in the order given (not sorted as a drop is), through the list's adding rules.
TEST(UiFileList, EveryCommandLineInputIsAddedInOrder)
{
    QTemporaryDir in;
    const QDir d(in.path());
    d.mkpath(QStringLiteral("folder/sub"));
    const QString z = CopyClip(d, "clip_xvid_mp3.avi", QStringLiteral("z first.avi"));
    const QString dash = CopyClip(d, "clip_h264_aac.mp4", QStringLiteral("-dash.mp4"));
    CopyClip(d, "clip_video_only.mp4", QStringLiteral("folder/sub/deep.mp4"));
    CopyClip(d, "clip_xvid_mp3.avi", QStringLiteral("folder/b.avi"));
    TestSupport::WriteFile(d.filePath(QStringLiteral("folder/notes.txt")), "not a video");
    const QString listed = CopyClip(d, "clip_h264_aac.mp4", QStringLiteral("listed.mp4"));
    const QString lst = d.filePath(QStringLiteral("list.lst"));
    TestSupport::WriteFile(lst, (listed + QStringLiteral("\r\n") + z + QStringLiteral("\r\n")).toUtf8());
    const QStringList special = TestSupport::MakeSpecialFiles(in.path());

    QStringList inputs = {z, d.filePath(QStringLiteral("missing.avi")), dash, d.filePath(QStringLiteral("folder")),
                          lst, d.filePath(QStringLiteral("folder/notes.txt")), z};
    inputs += special;
    MainWindowFixture f(inputs);
    // The FIFO was never opened (the window would hang), z is listed once, the missing
    // name is passed over; the folder's text file is not taken, the named one is, and its
    // analysis refuses it.
    QStringList names;
    for (int i = 0; i < f.w->List()->rowCount(); ++i)
        names << QDir(in.path()).relativeFilePath(f.w->List()->RowFullName(i));
    EXPECT_EQ(names, QStringList({"z first.avi", "-dash.mp4", "folder/b.avi", "folder/sub/deep.mp4", "listed.mp4",
                                  "folder/notes.txt"}));
    TFileListModel& list = *f.w->List();
    ASSERT_TRUE(list.WaitForAnalysis());
    EXPECT_EQ(list.data(list.index(5, colStatus)).toString(),
              "Refused: not a media file the program can read (unknown container, or damaged)");
    EXPECT_EQ(list.data(list.index(4, colStatus)).toString(), "Ready");
    for (int i = 0; i < f.w->List()->rowCount(); ++i)
        EXPECT_EQ(f.w->List()->Row(i).No, i + 1);
    EXPECT_TRUE(f.w->Action(QStringLiteral("actConvert"))->isEnabled());
}

TEST(UiFileList, RelativeCommandLineNamesAreTakenFromTheWorkingDirectory)
{
    QTemporaryDir in;
    const QDir d(in.path());
    CopyClip(d, "clip_xvid_mp3.avi", QStringLiteral("a.avi"));
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(in.path());
    MainWindowFixture f({QStringLiteral("."), QStringLiteral("a.avi")});
    QDir::setCurrent(cwd);
    ASSERT_EQ(f.w->List()->rowCount(), 1);
    EXPECT_EQ(f.w->List()->RowFullName(0), d.filePath(QStringLiteral("a.avi")));
}

TEST(UiFileList, ColumnMenusStayInStepWithTheGrid)
{
    ListFixture f;
    TFileGrid* ng = f.w->Grid();
    EXPECT_FALSE(ng->isColumnHidden(colVideo));
    EXPECT_TRUE(ng->isColumnHidden(colVideoCodec));
    EXPECT_EQ(ng->ColumnWidth(colFileName), 220); // its own; it shows wider with room to spare
    EXPECT_EQ(ng->model()->headerData(colVideoFPS, Qt::Horizontal).toString(), QStringLiteral("Frames/sec"));
    // Hiding "Video" through the header menu shows unchecked in the other two menus.
    auto* pop = f.w->findChild<QMenu*>(QStringLiteral("popColumns"));
    auto* view = f.w->findChild<QMenu*>(QStringLiteral("mnuViewColumns"));
    auto* popLv = f.w->findChild<QMenu*>(QStringLiteral("popLvColumns"));
    QAction* video = f.w->Action(QStringLiteral("actColVideoVisible"));
    Q_EMIT pop->aboutToShow();
    EXPECT_TRUE(video->isChecked());
    video->trigger();
    EXPECT_TRUE(ng->isColumnHidden(colVideo));
    for (QMenu* m : {view, popLv}) {
        Q_EMIT m->aboutToShow();
        EXPECT_FALSE(video->isChecked());
    }
    // A column shown by dragging it back in the grid (not through a menu) is found too.
    ng->setColumnHidden(colVideo, false);
    Q_EMIT view->aboutToShow();
    EXPECT_TRUE(video->isChecked());
}

TEST(UiFileList, FileInfoWindowFollowsTheSelectedRow)
{
    ListFixture f;
    if (!TestSupport::HaveTool("mencoder"))
        return;
    Drop(f.w.get(), {f.a, f.b});
    QTest::keyClick(f.w.get(), Qt::Key_F10);
    ASSERT_TRUE(f.w->FormFileInfo()->isVisible());
    EXPECT_EQ(f.w->Grid()->SelectedRow(), 0);
    EXPECT_TRUE(f.w->FormFileInfo()->ValueLabel(QStringLiteral("lblVideoCodec"))->text().contains(QLatin1String("MPEG-4")));
    Screenshot(f.w->FormFileInfo(), QStringLiteral("FormFileInfo_clip"));
    f.w->Grid()->selectRow(1);
    f.w->Grid()->setCurrentIndex(f.w->List()->index(1, colFileName));
    EXPECT_TRUE(f.w->FormFileInfo()->ValueLabel(QStringLiteral("lblVideoCodec"))->text().contains(QLatin1String("AVC")));
    // The command-line preview follows too.
    f.w->Action(QStringLiteral("actShowCmdLine"))->trigger();
    EXPECT_TRUE(f.w->FormCmdLine()->isVisible());
    Screenshot(f.w.get(), QStringLiteral("main_two_rows"));
}

TEST(UiFileList, FileInfoWindowWithoutEncoderShowsNoOtherFilesData)
{
    ListFixture f;
    if (AppParams().mencoder.isEmpty())
        GTEST_SKIP() << "no encoder";
    Drop(f.w.get(), {f.a, f.b});
    QTest::keyClick(f.w.get(), Qt::Key_F10);
    ASSERT_TRUE(f.w->FormFileInfo()->isVisible());
    const auto shown = [&f](const char* label) { return f.w->FormFileInfo()->ValueLabel(QLatin1String(label))->text(); };
    ASSERT_FALSE(shown("lblVideoCodec").isEmpty());
    ASSERT_EQ(f.w->FormFileInfo()->Shown().FileName, QStringLiteral("a.avi"));

    // The encoder goes away: the next row shows nothing rather than a.avi's properties.
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "/nonexistent");
    EditAppParams().mencoder = f.tmp.filePath(QStringLiteral("gone"));
    f.w->Grid()->selectRow(1);
    EXPECT_TRUE(f.w->FormFileInfo()->Shown().FileName.isEmpty());
    EXPECT_TRUE(shown("lblVideoCodec").isEmpty());
    EXPECT_TRUE(shown("lblFileSize").isEmpty());

    // Opening the window again warns, once, and still shows nothing.
    f.w->FormFileInfo()->hide();
    f.w->Grid()->selectRow(0);
    {
        ModalWatcher watch;
        f.w->Action(QStringLiteral("actShowHideFileInfo"))->trigger();
        EXPECT_EQ(watch.boxTexts, QStringList{MissingEncoderText()});
    }
    EXPECT_TRUE(f.w->FormFileInfo()->isVisible());
    EXPECT_TRUE(f.w->FormFileInfo()->Shown().FileName.isEmpty());
    qputenv("PATH", path);

    // With the encoder back, taken up when the options close with OK, clearing the list
    // empties the window too.
    f.w->Action(QStringLiteral("actShowOptions"))->trigger();
    f.w->FormOptions()->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
    f.w->Grid()->selectRow(1);
    EXPECT_EQ(f.w->FormFileInfo()->Shown().FileName, QStringLiteral("b.mp4"));
    f.w->Action(QStringLiteral("actClearFileList"))->trigger();
    EXPECT_TRUE(f.w->FormFileInfo()->Shown().FileName.isEmpty());
    f.w->FormFileInfo()->hide();
}

TEST(UiConversion, TwoClipsThroughTheEncoderFromTheWindow)
{
    ListFixture f;
    if (!TestSupport::HaveTool("mencoder"))
        return;
    Drop(f.w.get(), {f.a, f.b});
    const QDir out(f.tmp.filePath(QStringLiteral("out")));
    out.mkpath(QStringLiteral("."));
    EncodingSettings s = f.w->Settings();
    s.outputToFolder = true;
    s.outputFolder = out.path();
    s.resolution = 1;
    s.resolutionWidth = 160;
    s.resolutionHeight = 120;
    f.w->SetSettings(s);
    const TBatchResult r = RunBatchToEnd(f.w.get());
    EXPECT_TRUE(r.EndedNormally) << r.EarlyExit.toStdString();
    EXPECT_EQ(r.ErrorCount, 0);
    EXPECT_EQ(RowStatusData(f.w->List()->RowStatus(0)), QStringLiteral("Done"));
    EXPECT_EQ(RowStatusData(f.w->List()->RowStatus(1)), QStringLiteral("Done"));
    EXPECT_TRUE(QFileInfo(out.filePath(QStringLiteral("a.avi"))).size() > 0);
    EXPECT_TRUE(QFileInfo(out.filePath(QStringLiteral("b.avi"))).size() > 0);
    // Unlocked afterwards, the rules in force again.
    EXPECT_FALSE(f.w->Converting());
    EXPECT_TRUE(f.w->Action(QStringLiteral("actConvert"))->isEnabled());
    EXPECT_TRUE(f.Find<QWidget>("pnVideo")->isEnabled());
    EXPECT_TRUE(f.w->FormProgress()->TimingLabel()->text().contains(QLatin1String("Batch: 100%")))
        << f.w->FormProgress()->TimingLabel()->text().toStdString();
    EXPECT_FALSE(f.w->FormProgress()->isVisible()); // "Close after conversion"
}

TEST(UiConversion, ScriptExportWritesAShellScriptOrAJobList)
{
    ListFixture f;
    Drop(f.w.get(), {f.a});
    const QString script = f.tmp.filePath(QStringLiteral("batch.sh"));
    TBatchResult r = f.w->SaveScript(script);
    EXPECT_TRUE(r.ScriptWritten) << r.EarlyExit.toStdString();
    EXPECT_TRUE(TestSupport::ReadFile(script).startsWith("#!/usr/bin/env bash"));
    EXPECT_FALSE(f.w->BatchPlanner()->IsRunning());
    EXPECT_FALSE(f.w->FormProgress()->isVisible());

    // a job list runs the program on the file, the outputs beside it, the window's settings
    // in the profile beside the list
    EncodingSettings s = f.w->Settings();
    s.twoPass = true;
    f.w->SetSettings(s);
    const QString jobs = f.tmp.filePath(QStringLiteral("batch.jobs"));
    r = f.w->SaveScript(jobs);
    EXPECT_TRUE(r.ScriptWritten) << r.EarlyExit.toStdString();
    const QString line = QString::fromUtf8(TestSupport::ReadFile(jobs));
    EXPECT_TRUE(line.contains(QStringLiteral(" '--out-dir' '%1' ").arg(QFileInfo(f.a).absolutePath())))
        << line.toStdString();
    EXPECT_TRUE(line.endsWith(QStringLiteral(" '--' '%1'\n").arg(f.a))) << line.toStdString();
    const QString profile = f.tmp.filePath(QStringLiteral("batch.profile.ini"));
    EXPECT_TRUE(line.contains(QStringLiteral(" '--profile' '%1' ").arg(profile)));
    EXPECT_TRUE(TestSupport::ReadFile(profile).contains("Video2Pass=1"));
}

TEST(UiConversion, ClosingTheWindowDuringABatchAbortsItFirst)
{
    ListFixture f;
    if (!TestSupport::HaveTool("mencoder"))
        return;
    const QString longClip = CopyClip(f.media, "clip_runner_40s.avi", QStringLiteral("long.avi"));
    Drop(f.w.get(), {longClip});
    const QDir out(f.tmp.filePath(QStringLiteral("out")));
    out.mkpath(QStringLiteral("."));
    EncodingSettings s = f.w->Settings();
    s.outputToFolder = true;
    s.outputFolder = out.path();
    f.w->SetSettings(s);
    bool closedWhileConverting = false;
    // Close as soon as the encoder runs.
    QTimer poll;
    WhenTheEncoderRuns(poll, f.w.get(), [&] {
        closedWhileConverting = f.w->Converting();
        f.w->close();
        EXPECT_FALSE(f.w->isVisible());
    });
    QElapsedTimer t;
    t.start();
    RunBatchToEnd(f.w.get());
    EXPECT_TRUE(closedWhileConverting);
    EXPECT_LT(t.elapsed(), 15000); // the 40 s clip was not converted to its end
    EXPECT_EQ(RowStatusData(f.w->List()->RowStatus(0)), QStringLiteral("Aborted"));
    EXPECT_FALSE(f.w->BatchPlanner()->IsRunning());
    EXPECT_FALSE(f.w->FormProgress()->isVisible());
}
