// The window from the keyboard: menu mnemonics, Delete on the list, and the command-line
// window following the settings while it is shown.
#include "test_ui_support.h"

#include "base/AppParams.h"
#include "filelist/FileListModel.h"
#include "ui/TFileGrid.h"
#include "ui/TFormCmdLine.h"
#include "ui/TFormMain.h"
#include "ui/UiKit.h"
#include "ui/UiMetrics.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QScrollBar>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

using namespace UiTest;

namespace {

// The mnemonic letters of the entries a menu shows (hidden entries and separators aside);
// an entry without one is reported as "?".
QString Mnemonics(const QList<QAction*>& actions)
{
    QString letters;
    for (const QAction* a : actions) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        const QChar c = UiKit::MnemonicOf(a->menu() ? a->menu()->title() : a->text());
        letters += c.isNull() ? QLatin1Char('?') : c;
    }
    return letters;
}

// The controls of parent a user sets something with: shown, enabled, reachable by Tab.
// Of a group of radio buttons only the checked one takes Tab (the arrows pick another).
QList<QWidget*> Controls(QWidget* parent, QWidget* window)
{
    QList<QWidget*> controls;
    for (QWidget* w : parent->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w)
                          || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QAbstractSlider*>(w)
                          || qobject_cast<QPlainTextEdit*>(w);
        if (!control || qobject_cast<QScrollBar*>(w) || !w->isVisibleTo(window) || !w->isEnabled()
            || !(w->focusPolicy() & Qt::TabFocus) || w->focusProxy())
            continue;
        if (auto* rb = qobject_cast<QRadioButton*>(w); rb && rb->autoExclusive() && !rb->isChecked())
            continue;
        controls << w;
    }
    return controls;
}

// Whether w lies whole inside the visible part of every scroll area around it.
bool ShownInItsScrollAreas(QWidget* w)
{
    for (QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        auto* area = qobject_cast<QScrollArea*>(p);
        if (!area)
            continue;
        const QRect r(w->mapTo(area->viewport(), QPoint(0, 0)), w->size());
        if (!area->viewport()->rect().contains(r))
            return false;
    }
    return true;
}

QString Name(const QWidget* w)
{
    return w ? w->objectName() + QLatin1Char('/') + QLatin1String(w->metaObject()->className()) : QStringLiteral("none");
}

bool Unique(const QString& letters)
{
    for (int i = 0; i < letters.size(); ++i) {
        if (letters[i] != QLatin1Char('?') && letters.indexOf(letters[i], i + 1) >= 0)
            return false;
    }
    return true;
}

} // namespace

TEST(UiKeyboard, EveryMenuHasItsOwnLetters)
{
    EXPECT_EQ(UiKit::MnemonicOf("Save &BAT file..."), QLatin1Char('b'));
    EXPECT_EQ(UiKit::MnemonicOf("Tom && Jerry"), QChar());
    EXPECT_EQ(UiKit::MnemonicOf("Tom && &Jerry"), QLatin1Char('j'));
    EXPECT_EQ(UiKit::WithoutMnemonic("E&xplore directory /v/Tom && Jerry"), "Explore directory /v/Tom & Jerry");

    MainWindowFixture f;
    const QString bar = Mnemonics(f.w->menuBar()->actions());
    EXPECT_EQ(bar, "fvleh");
    // Menus whose every entry must have a letter; the column menus and the tray need not,
    // but what letters they have must not clash either.
    const QStringList full = {"mnuFile", "mnuView", "mnuFileList", "mnuEncoder", "mnuHelp", "popLv"};
    const QList<QMenu*> menus = f.w->findChildren<QMenu*>();
    ASSERT_GE(menus.size(), full.size());
    for (const QMenu* m : menus) {
        const QString letters = Mnemonics(m->actions());
        EXPECT_TRUE(Unique(letters)) << m->objectName().toStdString() << ": " << letters.toStdString();
        if (full.contains(m->objectName())) {
            EXPECT_FALSE(letters.contains(QLatin1Char('?'))) << m->objectName().toStdString() << ": " << letters.toStdString();
        }
    }

    // A directory with "&" in its name shows it, and takes no letter away.
    const QString dir = f.tmp.filePath(QStringLiteral("Tom & Jerry"));
    QDir().mkpath(dir);
    QFile::copy(TestSupport::Clip(QStringLiteral("clip_xvid_mp3.avi")), dir + QStringLiteral("/a.avi"));
    DropFiles(f.w.get(), {dir + QStringLiteral("/a.avi")});
    ASSERT_EQ(f.w->List()->rowCount(), 1);
    f.w->Grid()->selectRow(0);
    const QAction* explore = f.w->Action(QStringLiteral("actExploreDirectory"));
    EXPECT_EQ(UiKit::WithoutMnemonic(explore->text()), "Explore directory " + dir);
    EXPECT_EQ(UiKit::MnemonicOf(explore->text()), QLatin1Char('x'));
}

TEST(UiKeyboard, DeleteRemovesExactlyTheSelectedRows)
{
    MainWindowFixture f;
    EditAppParams().FileAnalysis = faQuick;
    const QDir media(f.tmp.filePath(QStringLiteral("media")));
    media.mkpath(QStringLiteral("."));
    QStringList files;
    for (const char* name : {"a.avi", "b.avi", "c.avi", "d.avi", "e.avi"}) {
        files << media.filePath(QLatin1String(name));
        QFile::copy(TestSupport::Clip(QStringLiteral("clip_xvid_mp3.avi")), files.last());
    }
    DropFiles(f.w.get(), files);
    TFileListModel* list = f.w->List();
    ASSERT_EQ(list->rowCount(), 5);
    QAction* remove = f.w->Action(QStringLiteral("actRemoveSelected"));
    ASSERT_NE(remove, nullptr);
    f.w->Grid()->clearSelection();
    EXPECT_FALSE(remove->isEnabled()) << "nothing selected";
    list->SetChecked(1, false); // b unchecked, must stay so
    list->SetChecked(3, false); // d unchecked, removed

    // a, c and d selected: b and e stay, with their own check marks.
    TFileGrid* grid = f.w->Grid();
    QItemSelectionModel* sel = grid->selectionModel();
    for (int row : {0, 2, 3})
        sel->select(list->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_TRUE(remove->isEnabled());
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Delete);
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->RowFileName(0), "b.avi");
    EXPECT_EQ(list->RowFileName(1), "e.avi");
    EXPECT_FALSE(list->IsChecked(0));
    EXPECT_TRUE(list->IsChecked(1));
    EXPECT_EQ(list->Row(0).No, 1);
    EXPECT_EQ(list->Row(1).No, 2);
    EXPECT_FALSE(remove->isEnabled()) << "the selection went with its rows";

    // Every row selected empties the list; a removed file can be added again.
    grid->selectAll();
    remove->trigger();
    EXPECT_EQ(list->rowCount(), 0);
    DropFiles(f.w.get(), {files[0]});
    EXPECT_EQ(list->rowCount(), 1);

    // Delete typed in the output folder's field edits the field, the list keeps its row.
    grid->selectRow(0);
    auto* outputFolder = f.w->findChild<QLineEdit*>(QStringLiteral("edOutDir"));
    ASSERT_NE(outputFolder, nullptr);
    outputFolder->setEnabled(true);
    outputFolder->setText(QStringLiteral("/tmp/x"));
    outputFolder->setFocus();
    outputFolder->setCursorPosition(0);
    QTest::keyClick(outputFolder, Qt::Key_Delete);
    EXPECT_EQ(outputFolder->text(), "tmp/x");
    EXPECT_EQ(list->rowCount(), 1);
}

TEST(UiKeyboard, CommandLineWindowFollowsTheSettings)
{
    MainWindowFixture f;
    TFormCmdLine* cmd = f.w->FormCmdLine();
    f.w->Action(QStringLiteral("actShowCmdLine"))->trigger();
    ASSERT_TRUE(cmd->isVisible());
    EXPECT_FALSE(cmd->Text().contains(QLatin1String("scale=320:240")));
    // The user picks a size in the Advanced panel.
    auto* resolution = f.w->findChild<QComboBox*>(QStringLiteral("cbResolution"));
    ASSERT_NE(resolution, nullptr);
    const int qvga = resolution->findText(QStringLiteral("320 x 240 - QVGA"));
    ASSERT_GT(qvga, 1);
    resolution->setCurrentIndex(qvga);
    QTRY_VERIFY_WITH_TIMEOUT(cmd->Text().contains(QLatin1String("scale=320:240")), 3000);

    // Hidden, it is left alone (and not shown again).
    cmd->hide();
    resolution->setCurrentIndex(resolution->findText(QStringLiteral("640 x 480 - VGA")));
    QTest::qWait(400);
    EXPECT_FALSE(cmd->isVisible());
    EXPECT_TRUE(cmd->Text().contains(QLatin1String("scale=320:240")));
}

// Tab leaves the list for the settings panels, walks every setting (each scrolled into
// view in a window too narrow for the panels), then the output strip, and comes back to
// the list; Shift+Tab walks the same way back. In a window as narrow as allowed and at
// the default size.
TEST(UiKeyboard, TabWalksTheListTheSettingsAndTheOutputStrip)
{
    MainWindowFixture f;
    auto* outputToFolder = f.w->findChild<QRadioButton*>(QStringLiteral("rbOutDir"));
    ASSERT_NE(outputToFolder, nullptr);
    outputToFolder->setChecked(true); // the output folder's field and its button take part
    QWidget* body = f.Find<QScrollArea>("sbConversionSettings")->widget();
    QWidget* strip = f.Find<QWidget>("pnMid");
    TFileGrid* grid = f.w->Grid();
    for (const QSize size : {QSize(800, 600), UiMetrics::MainInitial}) {
        f.w->resize(size);
        QTest::qWait(20);
        f.w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(f.w.get()));
        grid->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), grid);

        QList<QWidget*> forward;
        for (int i = 0; i < 200 && (forward.isEmpty() || forward.last() != grid); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* now = QApplication::focusWidget();
            ASSERT_NE(now, nullptr);
            forward << now;
            if (body->isAncestorOf(now)) {
                EXPECT_TRUE(ShownInItsScrollAreas(now)) << Name(now).toStdString() << " not in view at " << size.width();
            }
        }
        ASSERT_EQ(forward.last(), grid) << "Tab never came back to the list";
        forward.removeLast();

        // Every setting once, the panels' before the strip's.
        const QList<QWidget*> settings = Controls(body, f.w.get()), outputs = Controls(strip, f.w.get());
        ASSERT_GT(settings.size(), 20);
        for (QWidget* c : settings + outputs)
            EXPECT_EQ(forward.count(c), 1) << Name(c).toStdString();
        qsizetype lastSetting = -1, firstOutput = forward.size();
        for (qsizetype i = 0; i < forward.size(); ++i) {
            if (settings.contains(forward[i]))
                lastSetting = i;
            if (outputs.contains(forward[i]))
                firstOutput = std::min(firstOutput, i);
        }
        EXPECT_LT(lastSetting, firstOutput);
        EXPECT_TRUE(settings.contains(forward.first()) || !strip->isAncestorOf(forward.first()))
            << "from the list Tab goes to the settings first: " << Name(forward.first()).toStdString();

        // Shift+Tab: the same walk backwards.
        QList<QWidget*> backward;
        for (int i = 0; i < 200 && (backward.isEmpty() || backward.last() != grid); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            backward << QApplication::focusWidget();
            if (body->isAncestorOf(backward.last())) {
                EXPECT_TRUE(ShownInItsScrollAreas(backward.last())) << Name(backward.last()).toStdString();
            }
        }
        ASSERT_EQ(backward.last(), grid);
        backward.removeLast();
        std::reverse(backward.begin(), backward.end());
        EXPECT_EQ(backward, forward);
    }
    // The list's own keys stay: the arrows move between rows, Delete removes.
    DropFiles(f.w.get(), {TestSupport::Clip(QStringLiteral("clip_xvid_mp3.avi"))});
    ASSERT_EQ(f.w->List()->rowCount(), 1);
    grid->setFocus();
    grid->selectionModel()->select(f.w->List()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(f.w->List()->rowCount(), 0);
}
