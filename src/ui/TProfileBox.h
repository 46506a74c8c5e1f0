#pragma once

#include "lib/Colors.h"

#include <QComboBox>
#include <QStyledItemDelegate>

class TProfileList;

// How one entry of the profile box is coloured: the two fixed entries in the box's
// default colours, a profile in its own (both white: the defaults; equal: dark grey with
// light text so it stays readable).
struct TProfileEntryColors {
    TColor Background = 0;
    TColor Text = 0;
    static TProfileEntryColors Default();
    static TProfileEntryColors ForProfile(TColor background, TColor text);
};

// The entries of the profile box: gradient background, the selected entry darkened with
// white text, "Default encoder settings" bold, several lines where the name has line
// breaks, a thin line above each entry while the list is dropped down.
class TProfileBoxDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Paints entry index into rect: dropped says whether it is in the open list.
    static void PaintEntry(QPainter* painter, const QRect& rect, const QModelIndex& index, const QFont& font,
                           bool selected, bool dropped);
};

// The profile box (cbProfileNew): the two fixed entries and the listed profiles, drawn
// by TProfileBoxDelegate; closed, it shows the current entry in that entry's colours.
class TProfileBox : public QComboBox {
    Q_OBJECT
public:
    explicit TProfileBox(QWidget* parent = nullptr);

    // Fills the box from list and selects index 0, without anyone applying anything.
    void Fill(const TProfileList& list);

    // The colours an entry is drawn in (not selected).
    TProfileEntryColors EntryColors(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
