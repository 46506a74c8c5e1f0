#include "ui/TFileGridDelegate.h"

#include "filelist/FileListColumns.h"

#include <QApplication>
#include <QPalette>

bool TFileGridDelegate::IsRowChecked(const QModelIndex& index)
{
    const QModelIndex check = index.siblingAtColumn(colActive);
    return check.data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

void TFileGridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const TColumnDef& def = ColumnDef(index.column());
    if (def.Bold)
        option->font.setBold(true);
    if (def.LeftPadding > 0 && (def.Alignment & Qt::AlignLeft))
        option->rect.adjust(def.LeftPadding, 0, 0, 0);
    if (!(option->state & QStyle::State_Selected) && !IsRowChecked(index)) {
        const QPalette pal = QApplication::palette();
        option->backgroundBrush = pal.button();
        option->palette.setColor(QPalette::Text, pal.color(QPalette::Disabled, QPalette::WindowText));
    }
}
