#pragma once

#include <QTableView>

class QMenu;

// The file list grid (ng): the column layout of the list, header menu, row colours,
// bold file names and the icon click. The rows themselves are the model's.
class TFileGrid : public QTableView {
    Q_OBJECT
public:
    explicit TFileGrid(QWidget* parent = nullptr);

    // Captions, default widths, visibility and order of the 29 columns.
    void ApplyDefaultColumnLayout();
    // The menu shown at the mouse when the header is right-clicked (popColumns).
    void SetHeaderMenu(QMenu* menu) { m_headerMenu = menu; }
    // The selected rows (model indexes), in ascending order.
    QList<int> SelectedRows() const;
    // The current row when it is selected, else the first selected one, else -1.
    int SelectedRow() const;
    // A column's own width: for the file name (or the reasons), what it has without the
    // spare room it takes from a wide window.
    int ColumnWidth(int column) const;
    // The list's font, for the cells and both headers.
    void SetListFont(const QFont& font);
    // The default row height and, in one batched update, the height of every row there is.
    void SetRowHeight(int height);

Q_SIGNALS:
    void IconClicked(int row);
    void RowSelected(int row);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The column that takes the spare room: the reasons when they are shown last (their
    // sentences are the longest texts of the list), else the file name.
    int SpareRoomColumn() const;
    // That column takes whatever room the other columns leave; the others, Status too,
    // keep their own widths.
    void FitSpareRoomColumn();
    void OnSectionResized(int column, int oldSize, int newSize);
    // The own width of the file name or the reason column.
    int& OwnWidth(int column);

    QMenu* m_headerMenu = nullptr;
    int m_fileWidth = 0;     // the file name column's own width
    int m_reasonWidth = 0;   // the reason column's own width
    bool m_fitting = false;  // FitSpareRoomColumn is resizing it
};
