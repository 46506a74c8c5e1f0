#pragma once

#include <QStyledItemDelegate>

class QComboBox;

// Shows an encoder's word with a plain caption in an open drop-down ("veryfast — quicker,
// larger files"), while the item's text, and so the closed box and everything that reads
// it, stays the bare word.
class TWordCaptionDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int CaptionRole = Qt::UserRole + 1;

    using QStyledItemDelegate::QStyledItemDelegate;

    // Gives box's items their captions (empty: none) and widens its open list to show them.
    static void Attach(QComboBox* box, const QStringList& captions);
    // An item as the open list shows it.
    static QString ShownText(const QModelIndex& index);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
