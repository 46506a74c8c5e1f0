// The main window readable at every size: the status column on screen at the default
// size, no label of the settings panels cut at 800 x 600, a status bar one can read.
#include "test_ui_support.h"

#include "filelist/FileListColumns.h"
#include "filelist/FileListModel.h"
#include "ui/TFileGrid.h"
#include "ui/TFormMain.h"
#include "ui/UiMetrics.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace UiTest;

namespace {

// The labels and buttons of the settings area narrower than their text needs.
QStringList CutTexts(QWidget* area)
{
    QStringList cut;
    for (QLabel* l : area->findChildren<QLabel*>()) {
        if (l->isVisibleTo(area) && !l->text().isEmpty() && !l->wordWrap() && l->width() < l->minimumSizeHint().width())
            cut << l->text();
    }
    for (QAbstractButton* b : area->findChildren<QAbstractButton*>()) {
        if (b->isVisibleTo(area) && !b->text().isEmpty() && b->width() < b->minimumSizeHint().width())
            cut << b->text();
    }
    return cut;
}

} // namespace

TEST(UiLayout, StatusColumnIsOnScreenAtTheDefaultSize)
{
    MainWindowFixture f;
    DropFiles(f.w.get(), {TestSupport::Clip(QStringLiteral("clip_xvid_mp3.avi"))});
    QCoreApplication::processEvents();
    TFileGrid* grid = f.w->Grid();
    const QHeaderView* h = grid->horizontalHeader();
    ASSERT_FALSE(grid->isColumnHidden(colStatus));
    const int left = h->sectionViewportPosition(colStatus);
    EXPECT_GE(left, 0);
    EXPECT_LE(left + UiMetrics::ListRowHeight * 3, grid->viewport()->width())
        << "the status column starts at " << left << " of " << grid->viewport()->width();
    // Wider, the last column takes the room: nothing empty right of it.
    f.w->resize(1200, 712);
    QCoreApplication::processEvents();
    EXPECT_EQ(h->sectionViewportPosition(colStatus) + h->sectionSize(colStatus), grid->viewport()->width());
}

TEST(UiLayout, NothingIsCutAtEightHundredBySixHundred)
{
    MainWindowFixture f;
    f.w->resize(800, 600);
    QTest::qWait(50);
    auto* scroll = f.Find<QScrollArea>("sbConversionSettings");
    ASSERT_TRUE(scroll);
    QWidget* body = scroll->widget();
    EXPECT_EQ(CutTexts(body), QStringList());
    // The panels keep their size and the area scrolls sideways instead.
    EXPECT_GT(body->width(), scroll->viewport()->width());
    EXPECT_TRUE(scroll->horizontalScrollBar()->isVisible());
    // And at the default size there is nothing to scroll.
    f.w->resize(UiMetrics::MainInitial);
    QTest::qWait(50);
    EXPECT_EQ(CutTexts(body), QStringList());
    EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());

    const QStatusBar* bar = f.w->statusBar();
    EXPECT_GE(bar->height(), UiMetrics::StatusBarMinHeight);
    EXPECT_EQ(f.Find<QLabel>("lblListCounts")->text(), "0 files, 0 checked");
}
