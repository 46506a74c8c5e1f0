#pragma once

#include <QHash>
#include <QWidget>

class QTableView;

// The footer row under the file list: one centred text under each column that has one,
// following the columns as they are resized, moved, hidden and scrolled. A column too
// narrow for its total is widened to it; one the user narrows again shows the total cut
// with "…", whole in the tool tip.
class TGridFooter : public QWidget {
    Q_OBJECT
public:
    explicit TGridFooter(QTableView* view, QWidget* parent = nullptr);

    // Texts by logical column; columns without an entry show nothing.
    void SetTexts(const QHash<int, QString>& texts);
    QString Text(int column) const { return m_texts.value(column); }

    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The texts are bold: the totals stand apart from the rows.
    QFont TextFont() const;
    // The room a text takes in its cell, its margins included.
    int TextWidth(const QString& text) const;
    // Widens the shown columns narrower than their texts.
    void FitColumnsToTexts();
    // The cell of a column, in this widget's coordinates.
    QRect Cell(int column) const;

    QTableView* m_view;
    QHash<int, QString> m_texts;
};
