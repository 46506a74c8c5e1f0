#pragma once

#include <QStyledItemDelegate>

// Draws the list's cells: unchecked rows on the button face with dimmed text, the file
// name bold, and the selection without grid lines inside it.
class TFileGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Whether the row of index is checked (the check column's state).
    static bool IsRowChecked(const QModelIndex& index);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
