// The main window readable at every size: the status column on screen at the default
// size, no label of the settings panels cut at 800 x 600, a status bar one can read, the
// list's totals and reasons whole on a laptop's screen in German.
#include "test_ui_support.h"

#include "base/Language.h"
#include "filelist/FileListColumns.h"
#include "filelist/FileListModel.h"
#include "ui/TFileGrid.h"
#include "ui/TFormMain.h"
#include "ui/TGridFooter.h"
#include "ui/UiMetrics.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QWheelEvent>
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

// The wheel over the advanced panel scrolls it: a box the pointer passes over keeps its
// value unless the user gave it the focus.
TEST(UiLayout, TheWheelScrollsTheAdvancedPanelPastItsBoxes)
{
    MainWindowFixture f;
    f.w->resize(1366, 768);
    QTest::qWait(50);
    auto* scroll = f.Find<QScrollArea>("sbAdvancedSettings");
    auto* box = f.Find<QComboBox>("cbSubtitles");
    ASSERT_TRUE(scroll && box);
    ASSERT_GT(scroll->verticalScrollBar()->maximum(), 0);
    const auto wheel = [&](QWidget* w) {
        const QPointF at(w->width() / 2.0, w->height() / 2.0);
        QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
        QCoreApplication::sendEvent(w, &e);
    };
    const struct {
        bool focused;
        bool changes;
    } cases[] = {{false, false}, {true, true}};
    for (const auto& c : cases) {
        scroll->verticalScrollBar()->setValue(0);
        box->setCurrentIndex(0);
        if (c.focused)
            box->setFocus();
        else
            box->clearFocus();
        QTest::qWait(20);
        wheel(box);
        EXPECT_EQ(box->currentIndex() != 0, c.changes) << "focused " << c.focused;
        if (!c.focused) { // (a box given the focus is scrolled into view by that alone)
            EXPECT_GT(scroll->verticalScrollBar()->value(), 0);
        }
    }
}

// A laptop's 1366 x 768 in German, where the words are longest: every total under the list
// fits its column (a big list's too), and a reason is whole in its tool tip, its column
// taking the spare room when it is the last one.
TEST(UiLayout, TotalsAndReasonsAreWholeOnALaptopInGerman)
{
    QObject catalogue;
    ASSERT_TRUE(Language::Install(QStringLiteral("de"), {QStringLiteral(VEXA_BIN_DIR "/translations")}, &catalogue));
    BatchFixture f;
    DropFiles(f.w.get(), {f.a, f.b});
    TFileListModel* list = f.w->List();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list->FooterText(colDuration).isEmpty(); }, 30000));
    auto* footer = f.Find<TGridFooter>("ngFooter");
    TFileGrid* grid = f.w->Grid();
    const QHeaderView* h = grid->horizontalHeader();
    QFont bold = footer->font();
    bold.setBold(true);
    const auto cut = [&] {
        QStringList texts;
        for (int c = 0; c < FileListColumnCount; ++c)
            if (!h->isSectionHidden(c) && h->sectionSize(c) < QFontMetrics(bold).horizontalAdvance(footer->Text(c)) + 4)
                texts << footer->Text(c);
        return texts;
    };
    const QString reason = QStringLiteral("Die Ausgabe zeigt das erste Bild für die ganze Länge, und der Ton kommt "
                                          "2,5 s zu spät gegenüber dem Bild.");
    list->SetRowStatus(1, TRowStatus::Of(TRowStatusKind::Failed));
    list->SetRowResult(1, QString(), reason);
    const struct {
        int width;
        bool reasons;
        QHash<int, QString> totals; // none: the list's own
    } cases[] = {
        {1366, false, {}},
        {1366, true, {}},
        {1366, true, {{colNo, "12.345"}, {colActive, "12.345"}, {colSize, "180,17 GB"}, {colDuration, "123:45:06"}}},
        {1920, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        if (grid->isColumnHidden(colReason) == c.reasons)
            f.w->Action(QStringLiteral("actColReasonVisible"))->trigger();
        if (!c.totals.isEmpty())
            footer->SetTexts(c.totals);
        f.w->resize(c.width, 768);
        QTest::qWait(20);
        EXPECT_EQ(cut(), QStringList());
        EXPECT_EQ(list->data(list->index(1, colReason), Qt::ToolTipRole).toString(), reason);
        if (c.reasons) { // last: nothing empty right of it, and the file names keep their own width
            EXPECT_GE(h->sectionViewportPosition(colReason) + h->sectionSize(colReason), grid->viewport()->width());
        }
    }
    EXPECT_GT(h->sectionSize(colReason), grid->ColumnWidth(colReason)); // the wide window's room went to the reasons
    EXPECT_EQ(h->sectionSize(colFileName), grid->ColumnWidth(colFileName));
}
