#include "ui/TWordCaptionDelegate.h"

#include <QAbstractItemView>
#include <QComboBox>

void TWordCaptionDelegate::Attach(QComboBox* box, const QStringList& captions)
{
    for (int i = 0; i < box->count(); ++i)
        box->setItemData(i, captions.value(i), CaptionRole);
    if (!qobject_cast<TWordCaptionDelegate*>(box->itemDelegate()))
        box->setItemDelegate(new TWordCaptionDelegate(box));
    // The box sizes its list to the bare words; the captions must not be cut off.
    QAbstractItemView* view = box->view();
    view->setMinimumWidth(view->sizeHintForColumn(0) + 2 * view->frameWidth());
}

QString TWordCaptionDelegate::ShownText(const QModelIndex& index)
{
    const QString word = index.data(Qt::DisplayRole).toString();
    const QString caption = index.data(CaptionRole).toString();
    return caption.isEmpty() ? word : word + QStringLiteral(" \u2014 ") + caption;
}

void TWordCaptionDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = ShownText(index);
}
