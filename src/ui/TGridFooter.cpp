#include "ui/TGridFooter.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <QToolTip>

namespace {

// Between a text and its cell's edges, on either side.
constexpr int TextMargin = 2;

} // namespace

TGridFooter::TGridFooter(QTableView* view, QWidget* parent)
    : QWidget(parent)
    , m_view(view)
{
    setObjectName(QStringLiteral("ngFooter"));
    QHeaderView* h = view->horizontalHeader();
    auto repaint = [this] { update(); };
    connect(h, &QHeaderView::sectionResized, this, repaint);
    connect(h, &QHeaderView::sectionMoved, this, repaint);
    connect(h, &QHeaderView::geometriesChanged, this, repaint);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void TGridFooter::SetTexts(const QHash<int, QString>& texts)
{
    if (texts == m_texts)
        return;
    m_texts = texts;
    FitColumnsToTexts();
    update();
}

QSize TGridFooter::sizeHint() const
{
    return {100, fontMetrics().height() + 6};
}

QFont TGridFooter::TextFont() const
{
    QFont f = font();
    f.setBold(true);
    return f;
}

int TGridFooter::TextWidth(const QString& text) const
{
    return QFontMetrics(TextFont()).horizontalAdvance(text) + 2 * TextMargin + 1;
}

// Only when a text changes or the footer is shown: a column the user narrows afterwards
// stays as narrow as they made it.
void TGridFooter::FitColumnsToTexts()
{
    if (isHidden())
        return;
    QHeaderView* h = m_view->horizontalHeader();
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it) {
        const int col = it.key();
        if (col < h->count() && !h->isSectionHidden(col) && h->sectionSize(col) < TextWidth(it.value()))
            h->resizeSection(col, TextWidth(it.value()));
    }
}

void TGridFooter::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FitColumnsToTexts();
}

QRect TGridFooter::Cell(int column) const
{
    // The view's cells start after its frame and the vertical header.
    const int x0 = mapFromGlobal(m_view->viewport()->mapToGlobal(QPoint(0, 0))).x();
    const QHeaderView* h = m_view->horizontalHeader();
    return {x0 + h->sectionViewportPosition(column), 0, h->sectionSize(column), height()};
}

bool TGridFooter::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QHeaderView* h = m_view->horizontalHeader();
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it) {
        const QRect cell = Cell(it.key());
        if (!h->isSectionHidden(it.key()) && cell.contains(help->pos()) && cell.width() < TextWidth(it.value())) {
            QToolTip::showText(help->globalPos(), it.value(), this, cell);
            return true;
        }
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}

void TGridFooter::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().button());
    p.setPen(palette().mid().color());
    p.drawLine(rect().topLeft(), rect().topRight());
    QHeaderView* h = m_view->horizontalHeader();
    const int x0 = mapFromGlobal(m_view->viewport()->mapToGlobal(QPoint(0, 0))).x();
    const QFont f = TextFont();
    const QFontMetrics metrics(f);
    p.setFont(f);
    p.setPen(palette().buttonText().color());
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it) {
        const int col = it.key();
        if (it.value().isEmpty() || h->isSectionHidden(col))
            continue;
        const QRect cell = Cell(col);
        p.setClipRect(cell.intersected(QRect(x0, 0, m_view->viewport()->width(), height())));
        const QRect room = cell.adjusted(TextMargin, 0, -TextMargin, 0);
        p.drawText(room, Qt::AlignCenter, metrics.elidedText(it.value(), Qt::ElideRight, room.width()));
    }
}
