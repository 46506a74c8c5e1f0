#include "ui/TGridFooter.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

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
    update();
}

QSize TGridFooter::sizeHint() const
{
    return {100, fontMetrics().height() + 6};
}

void TGridFooter::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().button());
    p.setPen(palette().mid().color());
    p.drawLine(rect().topLeft(), rect().topRight());
    QHeaderView* h = m_view->horizontalHeader();
    // The view's cells start after its frame and the vertical header.
    const int x0 = mapFromGlobal(m_view->viewport()->mapToGlobal(QPoint(0, 0))).x();
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(palette().buttonText().color());
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it) {
        const int col = it.key();
        if (it.value().isEmpty() || h->isSectionHidden(col))
            continue;
        const QRect cell(x0 + h->sectionViewportPosition(col), 0, h->sectionSize(col), height());
        p.setClipRect(cell.intersected(QRect(x0, 0, m_view->viewport()->width(), height())));
        p.drawText(cell.adjusted(2, 0, -2, 0), Qt::AlignCenter, it.value());
    }
}
