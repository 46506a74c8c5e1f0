#pragma once

#include <QHash>
#include <QWidget>

class QTableView;

// The footer row under the file list: one centred text under each column that has one,
// following the columns as they are resized, moved, hidden and scrolled.
class TGridFooter : public QWidget {
    Q_OBJECT
public:
    explicit TGridFooter(QTableView* view, QWidget* parent = nullptr);

    // Texts by logical column; columns without an entry show nothing.
    void SetTexts(const QHash<int, QString>& texts);
    QString Text(int column) const { return m_texts.value(column); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTableView* m_view;
    QHash<int, QString> m_texts;
};
