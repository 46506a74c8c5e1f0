// The save dialogs: the suffix of the chosen filter is added before the dialog asks
// about overwriting, so the prompt names the file that is then written.
#include "test_ui_support.h"

#include "filelist/FileListModel.h"

#include "base/AppParams.h"
#include "ui/TFormErrors.h"
#include "ui/TFormMain.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace UiTest;

TEST(UiSaveDialogs, FileListSuffixIsAddedBeforeTheOverwritePrompt)
{
    BatchFixture f;
    DropFiles(f.w.get(), {f.a});
    // A folder of the user's: no dialog starts inside the program home, where f.out lies.
    QTemporaryDir outside;
    f.out = QDir(outside.path());
    f.w->UpdateInitialFolders(f.out.path());
    const QString existing = f.out.filePath(QStringLiteral("name.lst"));
    TestSupport::WriteFile(existing, "old list\r\n");
    auto driver = std::make_shared<SaveDialogDriver>();
    driver->name = QStringLiteral("name");
    ModalWatcher watch([driver](QWidget* m) { return (*driver)(m); });
    f.w->Action(QStringLiteral("actSaveFileList"))->trigger();

    EXPECT_TRUE(driver->acceptSave);
    EXPECT_TRUE(driver->confirmsOverwrite);
    EXPECT_EQ(driver->defaultSuffix, QStringLiteral("lst"));
    ASSERT_EQ(driver->nameFilters.size(), 1);
    EXPECT_TRUE(driver->nameFilters[0].endsWith(QLatin1String("(*.lst)"))) << driver->nameFilters[0].toStdString();
    // The prompt asked about the file that was then written, and about no other.
    ASSERT_EQ(watch.boxTexts.size(), 1);
    EXPECT_TRUE(watch.boxTexts[0].startsWith(QStringLiteral("name.lst already exists"))) << watch.boxTexts[0].toStdString();
    EXPECT_TRUE(TestSupport::ReadFile(existing).contains(QFile::encodeName(f.a)));
    EXPECT_FALSE(QFileInfo::exists(f.out.filePath(QStringLiteral("name"))));
}

TEST(UiSaveDialogs, ScriptSuffixFollowsTheChosenFilter)
{
    BatchFixture f;
    DropFiles(f.w.get(), {f.a});
    // A folder of the user's: no dialog starts inside the program home, where f.out lies.
    QTemporaryDir outside;
    f.out = QDir(outside.path());
    f.w->UpdateInitialFolders(f.out.path());
    // "run.bat" exists, "run.sh" does not: typing "run" with the batch-file filter must ask.
    const QString existing = f.out.filePath(QStringLiteral("run.bat"));
    TestSupport::WriteFile(existing, "old script\n");
    auto driver = std::make_shared<SaveDialogDriver>();
    driver->name = QStringLiteral("run");
    driver->filter = 1;
    ModalWatcher watch([driver](QWidget* m) { return (*driver)(m); });
    f.w->Action(QStringLiteral("actSaveBat"))->trigger();

    // A shell script is what runs here: offered first.
    EXPECT_EQ(driver->defaultSuffix, QStringLiteral("sh")); // before the filter was changed
    EXPECT_EQ(driver->nameFilters, (QStringList{QStringLiteral("Shell scripts (*.sh)"), QStringLiteral("Batch files (*.bat)"),
                                                QStringLiteral("GNU parallel job lists (*.jobs)")}));
    ASSERT_EQ(watch.boxTexts.size(), 1);
    EXPECT_TRUE(watch.boxTexts[0].startsWith(QStringLiteral("run.bat already exists"))) << watch.boxTexts[0].toStdString();
    EXPECT_TRUE(TestSupport::ReadFile(existing).startsWith("@echo off"));
    EXPECT_FALSE(QFileInfo::exists(f.out.filePath(QStringLiteral("run"))));
    EXPECT_FALSE(QFileInfo::exists(f.out.filePath(QStringLiteral("run.sh"))));
}

TEST(UiOpenDialogs, AddFilesOpensWithAllVideoFilesSelected)
{
    MainWindowFixture f;
    QStringList filters;
    QString selected;
    ModalWatcher watch([&](QWidget* m) {
        auto* dlg = qobject_cast<QFileDialog*>(m);
        if (!dlg)
            return false;
        if (filters.isEmpty()) {
            filters = dlg->nameFilters();
            selected = dlg->selectedNameFilter();
        }
        QMetaObject::invokeMethod(dlg, "reject", Qt::QueuedConnection);
        return true;
    });
    f.w->Action(QStringLiteral("actAddFiles"))->trigger();
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(filters[0], "AVI video files (*.avi)"); // the list itself is unchanged
    EXPECT_TRUE(filters[1].startsWith("All video files (*.webm *.avi ")) << filters[1].toStdString();
    EXPECT_EQ(selected, filters[1]);
    EXPECT_TRUE(filters[1].contains(" *.mp4 ") && filters[1].contains(" *.mkv ") && filters[1].contains(" *.ts "));
    EXPECT_EQ(f.w->List()->rowCount(), 0);
}

// Every file dialog of the windows starts in the remembered folder, never inside the
// program home; without one in the user's Videos folder (as xdg-user-dirs names it),
// and without that in the home folder.
TEST(UiOpenDialogs, EveryDialogStartsOutsideTheProgramHome)
{
    BatchFixture f;
    DropFiles(f.w.get(), {f.a});
    // The user's home beside the program home, not in it.
    QTemporaryDir userTmp;
    const QString user = userTmp.path();
    const QString videos = user + QStringLiteral("/Filme");
    const QString elsewhere = user + QStringLiteral("/clips");
    QDir().mkpath(elsewhere);
    QDir().mkpath(user + QStringLiteral("/.config"));
    const EnvVar home("HOME", user.toUtf8());
    const EnvVar config("XDG_CONFIG_HOME", (user + QStringLiteral("/.config")).toUtf8());
    TestSupport::WriteFile(user + QStringLiteral("/.config/user-dirs.dirs"), "XDG_VIDEOS_DIR=\"$HOME/Filme\"\n");
    f.w->findChild<QRadioButton*>(QStringLiteral("rbOutDir"))->setChecked(true);
    f.w->findChild<QLineEdit*>(QStringLiteral("edOutDir"))->setText(f.tmp.filePath(QStringLiteral("no such folder")));

    QAction* saveLog = f.w->FormErrors()->findChild<QAction*>(QStringLiteral("actSaveLog"));
    ASSERT_NE(saveLog, nullptr);
    QList<QAction*> openers;
    for (const char* name : {"actAddFiles", "actAddFolder", "actLoadFileList", "actSaveFileList", "actSaveBat",
                             "actLoadProfile", "actSaveProfile", "actBrowseOutDir"})
        openers << f.w->Action(QLatin1String(name));
    openers << saveLog;

    const struct {
        const char* what;
        QString remembered;
        bool videosExist;
        QString expected;
    } cases[] = {
        {"nothing remembered", QString(), true, videos},
        {"the program home remembered", f.home.path(), true, videos},
        {"its profiles remembered", f.home.filePath(QStringLiteral("profiles")), true, videos},
        {"a folder of the user's", elsewhere, true, elsewhere},
        {"no Videos folder", QString(), false, user},
    };
    for (const auto& c : cases) {
        if (c.videosExist)
            QDir().mkpath(videos);
        else
            QDir(videos).removeRecursively();
        f.w->UpdateInitialFolders(c.remembered);
        for (QAction* a : openers) {
            ASSERT_TRUE(a->isEnabled()) << a->objectName().toStdString();
            QString started;
            ModalWatcher watch([&](QWidget* m) {
                auto* dlg = qobject_cast<QFileDialog*>(m);
                if (!dlg)
                    return false;
                if (started.isEmpty())
                    started = dlg->directory().absolutePath();
                QMetaObject::invokeMethod(dlg, "reject", Qt::QueuedConnection);
                return true;
            });
            a->trigger();
            // (a profile is saved where the Profile box finds it)
            const QString expected = a->objectName() == QLatin1String("actSaveProfile")
                                         ? f.home.filePath(QStringLiteral("profiles"))
                                         : c.expected;
            EXPECT_EQ(QDir::cleanPath(started).toStdString(), QDir::cleanPath(expected).toStdString())
                << c.what << ": " << a->objectName().toStdString();
        }
    }
}
