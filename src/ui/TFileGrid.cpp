#include "ui/TFileGrid.h"

#include "filelist/FileListColumns.h"
#include "ui/TFileGridDelegate.h"
#include "ui/UiMetrics.h"

#include <algorithm>

#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>

TFileGrid::TFileGrid(QWidget* parent)
    : QTableView(parent)
{
    setObjectName(QStringLiteral("ng"));
    setItemDelegate(new TFileGridDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(true);
    setWordWrap(false);
    setAlternatingRowColors(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Tab leaves the list for the settings (the arrows move between cells).
    setTabKeyNavigation(false);
    verticalHeader()->setDefaultSectionSize(UiMetrics::ListRowHeight);
    verticalHeader()->setSectionsMovable(true); // rows are dragged by their indicator
    verticalHeader()->setMinimumWidth(UiMetrics::RowIndicatorWidth);
    QHeaderView* h = horizontalHeader();
    h->setSectionsMovable(true);
    h->setHighlightSections(false);
    h->setDefaultSectionSize(DefaultColumnWidth);
    h->setContextMenuPolicy(Qt::CustomContextMenu);
    h->setSortIndicatorShown(true);
    connect(h, &QHeaderView::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (m_headerMenu)
            m_headerMenu->popup(horizontalHeader()->mapToGlobal(pos));
    });
    connect(h, &QHeaderView::sectionResized, this, &TFileGrid::OnSectionResized);
    connect(h, &QHeaderView::sectionCountChanged, this, &TFileGrid::FitSpareRoomColumn);
}

int TFileGrid::ColumnWidth(int column) const
{
    const int own = column == colFileName ? m_fileWidth : column == colReason ? m_reasonWidth : 0;
    return own > 0 ? own : horizontalHeader()->sectionSize(column);
}

int& TFileGrid::OwnWidth(int column)
{
    return column == colReason ? m_reasonWidth : m_fileWidth;
}

void TFileGrid::SetListFont(const QFont& font)
{
    setFont(font);
    horizontalHeader()->setFont(font);
    verticalHeader()->setFont(font);
}

void TFileGrid::SetRowHeight(int height)
{
    QHeaderView* vh = verticalHeader();
    vh->setDefaultSectionSize(height);
    setUpdatesEnabled(false);
    for (int r = 0; r < vh->count(); ++r)
        vh->resizeSection(r, height);
    setUpdatesEnabled(true);
}

void TFileGrid::OnSectionResized(int column, int oldSize, int newSize)
{
    if (m_fitting)
        return;
    // The user (or the settings file) gave the column a width: its own from now on. One
    // just shown (from 0) may take the spare room.
    if (column == colFileName || column == colReason) {
        if (newSize > 0)
            OwnWidth(column) = newSize;
        if (column == SpareRoomColumn() && oldSize > 0)
            return;
    }
    FitSpareRoomColumn();
}

int TFileGrid::SpareRoomColumn() const
{
    const QHeaderView* h = horizontalHeader();
    for (int v = h->count() - 1; v >= 0; --v) {
        const int c = h->logicalIndex(v);
        if (!h->isSectionHidden(c))
            return c == colReason ? colReason : colFileName;
    }
    return colFileName;
}

void TFileGrid::FitSpareRoomColumn()
{
    QHeaderView* h = horizontalHeader();
    if (m_fitting || !model() || colReason >= h->count())
        return;
    const int spare = SpareRoomColumn();
    m_fitting = true;
    for (const int c : {colFileName, colReason}) {
        if (OwnWidth(c) <= 0 && !h->isSectionHidden(c))
            OwnWidth(c) = h->sectionSize(c);
        // the column that took the room before gives it back
        if (c != spare && !h->isSectionHidden(c) && h->sectionSize(c) != OwnWidth(c))
            h->resizeSection(c, OwnWidth(c));
    }
    if (!h->isSectionHidden(spare)) {
        int others = 0;
        for (int c = 0; c < h->count(); ++c)
            if (c != spare && !h->isSectionHidden(c))
                others += h->sectionSize(c);
        const int width = std::max(OwnWidth(spare), viewport()->width() - others);
        if (width != h->sectionSize(spare))
            h->resizeSection(spare, width);
    }
    m_fitting = false;
}

void TFileGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    FitSpareRoomColumn();
}

void TFileGrid::ApplyDefaultColumnLayout()
{
    if (!model())
        return;
    QHeaderView* h = horizontalHeader();
    for (int c = 0; c < FileListColumnCount && c < model()->columnCount(); ++c) {
        const TColumnDef& def = ColumnDef(c);
        h->moveSection(h->visualIndex(c), c);
        h->resizeSection(c, def.Width);
        setColumnHidden(c, !def.DefaultVisible);
    }
    h->resizeSection(colDirectory, UiMetrics::ListDirectoryWidth);
    h->resizeSection(colVideo, UiMetrics::ListSummaryWidth);
    h->resizeSection(colAudio, UiMetrics::ListSummaryWidth);
    h->setStretchLastSection(false);
    m_fileWidth = h->sectionSize(colFileName);
    m_reasonWidth = ColumnDef(colReason).Width; // hidden: its section has no size now
    FitSpareRoomColumn();
    // The check and icon columns are exactly as wide as their content.
    h->setSectionResizeMode(colActive, QHeaderView::Fixed);
    h->setSectionResizeMode(colIcon, QHeaderView::Fixed);
}

QList<int> TFileGrid::SelectedRows() const
{
    QList<int> rows;
    if (!selectionModel())
        return rows;
    for (const QModelIndex& i : selectionModel()->selectedRows())
        rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

int TFileGrid::SelectedRow() const
{
    if (!selectionModel())
        return -1;
    const QModelIndex cur = currentIndex();
    if (cur.isValid() && selectionModel()->isRowSelected(cur.row(), QModelIndex()))
        return cur.row();
    const QList<int> rows = SelectedRows();
    return rows.isEmpty() ? -1 : rows.first();
}

void TFileGrid::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    const QModelIndex i = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && i.isValid() && i.column() == colIcon)
        Q_EMIT IconClicked(i.row());
}

void TFileGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid() && current.row() != previous.row())
        Q_EMIT RowSelected(current.row());
}
