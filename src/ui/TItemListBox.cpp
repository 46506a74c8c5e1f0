#include "ui/TItemListBox.h"

#include "ui/UiMetrics.h"

#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

TItemListBox::TItemListBox(Icon icon, const QString& title, const QString& text, StandardButtons buttons,
                           QWidget* parent)
    : QMessageBox(icon, title, text, buttons, parent)
{
}

QListWidget* TItemListBox::SetItems(const QStringList& items)
{
    auto* list = new QListWidget(this);
    m_list = list;
    list->setObjectName(QStringLiteral("lstItems"));
    // Uniform rows keep a list of many thousand names quick; they also cut its width to
    // the first line's, so a short list measures every line.
    list->setUniformItemSizes(items.size() > 1000);
    list->setWordWrap(false);
    // A long line (a path and its problem) scrolls sideways rather than losing its end.
    list->setTextElideMode(Qt::ElideNone);
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->addItems(items);
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setToolTip(items.at(i));
    // A dozen rows at first, never more than a third of the screen: the box keeps its
    // buttons on screen however many items there are. The user may make it taller.
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    const int row = std::max(list->sizeHintForRow(0), list->fontMetrics().height());
    const int frame = 2 * list->frameWidth() + list->horizontalScrollBar()->sizeHint().height();
    const int shown = int(std::min<qsizetype>(std::max<qsizetype>(items.size(), 3), 12));
    m_wantedListHeight = std::min(row * shown + frame, avail.height() / 3);
    list->setMinimumHeight(std::min(row * 3 + frame, m_wantedListHeight));
    list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // As wide as its longest line (a full path and its problem), within most of the screen:
    // a line cut at a fixed width hid the problem itself.
    int longest = 0;
    const QFontMetrics metrics = list->fontMetrics();
    for (qsizetype i = 0; i < std::min<qsizetype>(items.size(), 2000); ++i)
        longest = std::max(longest, metrics.horizontalAdvance(items.at(i)));
    const int wanted = longest + 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width() + 8;
    const int narrowest = std::min(UiMetrics::ItemListWidth, avail.width() / 2);
    m_wantedListWidth = std::clamp(wanted, narrowest, avail.width() * 4 / 5);
    list->setMinimumWidth(narrowest);

    auto* grid = qobject_cast<QGridLayout*>(layout());
    auto* text = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    const int textAt = grid && text ? grid->indexOf(text) : -1;
    if (textAt < 0) {
        layout()->addWidget(list);
        return list;
    }
    // Right under the text: what stands below it (the informative text, the buttons)
    // moves down a row.
    int textRow, textCol, textRows, textCols;
    grid->getItemPosition(textAt, &textRow, &textCol, &textRows, &textCols);
    struct TMoved {
        QLayoutItem* item;
        int row, col, rows, cols;
    };
    QList<TMoved> moved;
    for (int i = grid->count() - 1; i >= 0; --i) {
        int r, c, rs, cs;
        grid->getItemPosition(i, &r, &c, &rs, &cs);
        if (r > textRow)
            moved << TMoved{grid->takeAt(i), r, c, rs, cs};
    }
    const int listRow = textRow + textRows;
    grid->addWidget(list, listRow, textCol, 1, textCols);
    for (const TMoved& m : moved)
        grid->addItem(m.item, m.row + 1, m.col, m.rows, m.cols);
    for (int r = 0; r < grid->rowCount(); ++r)
        grid->setRowStretch(r, r == listRow ? 1 : 0);
    return list;
}

// A message box fixes its size to its text whenever its layout changes; with a list the
// user sizes the box, so that is undone, and once shown it is not done again.
bool TItemListBox::event(QEvent* e)
{
    if (m_list && m_sized && e->type() == QEvent::LayoutRequest)
        return QDialog::event(e);
    const bool handled = QMessageBox::event(e);
    if (m_list && (e->type() == QEvent::LayoutRequest || e->type() == QEvent::LanguageChange))
        FreeSize();
    return handled;
}

void TItemListBox::showEvent(QShowEvent* e)
{
    QMessageBox::showEvent(e);
    if (!m_list || m_sized)
        return;
    FreeSize();
    m_sized = true;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    const int w = std::min(width() + std::max(0, m_wantedListWidth - m_list->width()), avail.width() * 9 / 10);
    const int h = std::min(height() + std::max(0, m_wantedListHeight - m_list->height()), avail.height() * 9 / 10);
    resize(w, h);
    // centred again on its parent, or the wider box hangs off to one side
    if (const QWidget* p = parentWidget()) {
        QRect r = frameGeometry();
        r.moveCenter(p->frameGeometry().center());
        r.moveTopLeft(QPoint(std::clamp(r.left(), avail.left(), std::max(avail.left(), avail.right() - r.width())),
                             std::clamp(r.top(), avail.top(), std::max(avail.top(), avail.bottom() - r.height()))));
        move(r.topLeft());
    }
}

void TItemListBox::FreeSize()
{
    setMinimumSize(UiMetrics::ErrorsMinimum);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setSizeGripEnabled(true);
}
