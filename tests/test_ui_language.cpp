// The window in German: the catalogue's texts where the English ones stood, Qt's own
// dialogs too, and files written the same whatever the language.
#include "test_ui_support.h"

#include "base/AppParams.h"
#include "base/Language.h"
#include "filelist/FileListColumns.h"
#include "filelist/FileListModel.h"
#include "filelist/RowStatusText.h"
#include "settings/AppSettings.h"
#include "ui/TFormOptions.h"
#include "ui/TFormProgress.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>
#include <optional>

using namespace UiTest;

namespace {

// The German catalogues, as the program installs them, for one scope.
struct German {
    QObject owner;
    German() { EXPECT_TRUE(Language::Install(QStringLiteral("de"), {QStringLiteral(VEXA_BIN_DIR "/translations")}, &owner)); }
};

QString Tr(const char* context, const char* english) { return QCoreApplication::translate(context, english); }

} // namespace

TEST(UiLanguage, EveryWindowShowsTheCataloguesGermanAndQtsDialogsToo)
{
    std::optional<German> de(std::in_place);
    BatchFixture f;
    DropFiles(f.w.get(), {f.a});
    f.w->Action(QStringLiteral("actShowOptions"))->trigger();
    const QModelIndex status = f.w->List()->index(0, colStatus);
    const auto label = [&](const char* name) { return f.Find<QLabel>(name) ? f.Find<QLabel>(name)->text() : QString(); };
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Cancel);

    const struct {
        const char* where;
        QString shown;
        const char* context;
        const char* english;
    } cases[] = {
        {"menu action", f.w->Action(QStringLiteral("actConvert"))->text(), "TMainActions", "Con&vert"},
        {"menu action", f.w->Action(QStringLiteral("actAddFiles"))->text(), "TMainActions", "&Add files..."},
        {"settings panel", label("lblAviVideoCodec"), "SettingRows", "Video codec:"},
        {"list header", f.w->List()->headerData(colDuration, Qt::Horizontal).toString(), "FileList", "Duration"},
        {"row status", f.w->List()->data(status).toString(), "RowStatus", "Ready"},
        {"options", f.w->FormOptions()->windowTitle(), "TFormOptions", "Options"},
        {"progress window", f.w->FormProgress()->windowTitle(), "TFormProgress", "Conversion progress"},
        {"Qt's buttons", box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), "QPlatformTheme", "Cancel"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.shown.toStdString(), Tr(c.context, c.english).toStdString()) << c.where;
        EXPECT_NE(c.shown.toStdString(), c.english) << c.where << ": still English";
    }
    // What the list stores stays English: the batch compares and saves it.
    EXPECT_EQ(RowStatusData(f.w->List()->RowStatus(0)), QStringLiteral("Ready"));

    // With the translators gone the next window is English again.
    f.w.reset();
    de.reset();
    BatchFixture english;
    EXPECT_EQ(english.w->Action(QStringLiteral("actConvert"))->text(), QStringLiteral("Con&vert"));
}

// A row's status names an exit code only where the encoder ended with one; "Error (0)",
// which older batches stored for a failed check, reads as the plain error it was.
TEST(UiLanguage, AStatusNamesAnExitCodeOnlyWhereTheEncoderGaveOne)
{
    const struct {
        const char* stored;
        const char* english;
        const char* german;
    } cases[] = {
        {"Error (3)", "Error (3)", "Fehler (3)"},
        {"Error = 139", "Error = 139", "Fehler = 139"},
        {"Error", "Error", "Fehler"},
        {"Error (0)", "Error", "Fehler"},
    };
    for (const bool german : {false, true}) {
        std::optional<German> de;
        if (german)
            de.emplace();
        for (const auto& c : cases)
            EXPECT_EQ(RowStatusText(ParseRowStatus(QString::fromLatin1(c.stored))), QString::fromUtf8(german ? c.german : c.english))
                << c.stored;
    }
}

// The list, the script, the profile and the settings file come out byte for byte the same
// in German and in English (paths of the two runs' folders aside).
TEST(UiLanguage, SavedFilesAreTheSameInEitherLanguage)
{
    std::map<QString, QByteArray> written[2];
    for (int german = 0; german < 2; ++german) {
        std::optional<German> de;
        if (german)
            de.emplace();
        BatchFixture f;
        DropFiles(f.w.get(), {f.a, f.b});
        QTemporaryDir outside;
        f.w->UpdateInitialFolders(outside.path());
        const struct {
            const char* action;
            const char* name;
            int filter;
        } saves[] = {{"actSaveFileList", "list", 0}, {"actSaveBat", "run", 0}, {"actSaveBat", "jobs", 2},
                     {"actSaveProfile", "profile", 0}};
        for (const auto& s : saves) {
            auto driver = std::make_shared<SaveDialogDriver>();
            driver->name = QString::fromLatin1(s.name);
            driver->filter = s.filter;
            ModalWatcher watch([driver](QWidget* m) { return (*driver)(m); });
            f.w->Action(QLatin1String(s.action))->trigger();
            EXPECT_TRUE(driver->handled) << s.action;
        }
        f.w->close();
        f.w.reset();
        // The runs differ in their folders and in the two-pass log's random name only.
        const auto normal = [&](QByteArray bytes) {
            bytes.replace(f.tmp.path().toUtf8(), "<home>");
            bytes.replace(outside.path().toUtf8(), "<out>");
            return QString::fromUtf8(bytes)
                .replace(QRegularExpression(QStringLiteral("vexaconv_2pass_[0-9_]+_[0-9A-F]{8}")), QStringLiteral("<log>"))
                .toUtf8();
        };
        const QDir out(outside.path());
        for (const QString& name : out.entryList(QDir::Files))
            written[german][name] = normal(TestSupport::ReadFile(out.filePath(name)));
        written[german][QStringLiteral("vexaconv.ini")] = normal(TestSupport::ReadFile(f.home.filePath(QStringLiteral("vexaconv.ini"))));
        // a profile goes where the Profile box finds it
        written[german][QStringLiteral("profile.ini")] =
            normal(TestSupport::ReadFile(f.home.filePath(QStringLiteral("profiles/profile.ini"))));
    }
    EXPECT_EQ(written[0].size(), 6u); // list.lst, run.sh, jobs.jobs and its profile, profile.ini, the settings
    ASSERT_EQ(written[0].size(), written[1].size());
    for (const auto& [name, english] : written[0]) {
        EXPECT_FALSE(english.isEmpty()) << name.toStdString();
        EXPECT_EQ(written[1][name].toStdString(), english.toStdString()) << name.toStdString();
    }
}

// Options › Language lists the system's choice, English and each catalogue under its own
// name; the choice is stored when the window closes and waits for the next start.
TEST(UiLanguage, OptionsStoresTheChoiceForTheNextStart)
{
    MainWindowFixture f;
    f.w->Action(QStringLiteral("actShowOptions"))->trigger();
    auto* box = f.w->FormOptions()->findChild<QComboBox*>(QStringLiteral("cbLanguage"));
    ASSERT_NE(box, nullptr);
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown << box->itemText(i);
    EXPECT_EQ(shown, (QStringList{"System", "English", "Deutsch"}));

    box->setCurrentIndex(2);
    Q_EMIT box->activated(2);
    EXPECT_EQ(f.w->Action(QStringLiteral("actConvert"))->text(), QStringLiteral("Con&vert")); // until the next start
    f.w->close();
    f.w.reset();
    const QString ini = f.home.filePath(QStringLiteral("vexaconv.ini"));
    EXPECT_TRUE(TestSupport::ReadFile(ini).contains("\r\nLanguage=de\r\n"));
    TAppParams next;
    next.IniName = ini;
    TAppSettings::LoadStartValues(next);
    EXPECT_EQ(next.Language, QStringLiteral("de"));
}
