#include "ui/TFileGrid.h"

#include "filelist/FileListColumns.h"
#include "ui/TFileGridDelegate.h"
#include "ui/UiMetrics.h"

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
    h->setStretchLastSection(true);
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
