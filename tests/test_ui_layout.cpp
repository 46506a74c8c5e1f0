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
}

// The file name takes the room a wider window gives, the others keep their widths; a
// column hidden or shown gives or takes it back, and a narrower window scrolls instead
// of squeezing the names. The settings keep the file column's own width.
TEST(UiLayout, TheFileColumnTakesTheSpareWidth)
{
    MainWindowFixture f;
    DropFiles(f.w.get(), {TestSupport::Clip(QStringLiteral("clip_xvid_mp3.avi"))});
    TFileGrid* grid = f.w->Grid();
    QHeaderView* h = grid->horizontalHeader();
    const int statusWidth = h->sectionSize(colStatus);
    const int ownWidth = grid->ColumnWidth(colFileName);
    const auto rightEdge = [&] {
        int last = -1;
        for (int v = h->count() - 1; v >= 0 && last < 0; --v)
            if (!h->isSectionHidden(h->logicalIndex(v)))
                last = h->logicalIndex(v);
        return h->sectionViewportPosition(last) + h->sectionSize(last);
    };
    const struct {
        int width;
        int hide; // a column hidden before looking, -1 none
    } cases[] = {{1200, -1}, {1400, -1}, {1400, colDirectory}, {1000, -1}};
    for (const auto& c : cases) {
        grid->setColumnHidden(colDirectory, c.hide == colDirectory);
        f.w->resize(c.width, 712);
        QTest::qWait(20);
        EXPECT_EQ(h->sectionSize(colStatus), statusWidth) << c.width;
        EXPECT_EQ(rightEdge(), grid->viewport()->width()) << c.width << " nothing empty right of the last column";
        EXPECT_GT(h->sectionSize(colFileName), ownWidth) << c.width;
        EXPECT_EQ(grid->ColumnWidth(colFileName), ownWidth) << c.width;
    }
    // Narrow: the names keep their own width and the list scrolls.
    grid->setColumnHidden(colDirectory, false);
    f.w->resize(UiMetrics::MainMinimum);
    QTest::qWait(20);
    EXPECT_EQ(h->sectionSize(colFileName), ownWidth);
    EXPECT_GT(rightEdge(), grid->viewport()->width());
    // The user widening the names makes that their own width.
    h->resizeSection(colFileName, ownWidth + 50);
    EXPECT_EQ(grid->ColumnWidth(colFileName), ownWidth + 50);
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
