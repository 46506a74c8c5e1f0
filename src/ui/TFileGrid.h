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

Q_SIGNALS:
    void IconClicked(int row);
    void RowSelected(int row);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    QMenu* m_headerMenu = nullptr;
};
