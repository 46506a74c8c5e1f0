#pragma once

#include <QWidget>

class QPlainTextEdit;

// "Encoder command-line parameters": the parameter string the current settings give for
// the selected row. Read-only; Esc closes it.
class TFormCmdLine : public QWidget {
    Q_OBJECT
public:
    explicit TFormCmdLine(QWidget* owner);

    void SetText(const QString& text);
    QString Text() const;
    QPlainTextEdit* Memo() const { return m_me; }

private:
    QPlainTextEdit* m_me = nullptr;
};
