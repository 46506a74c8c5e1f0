#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

// "Tools info": the report on the encoder and the MediaInfo library. The report starts
// the encoder to read its banner, so it is built on a worker thread; the window shows
// at once and the text arrives when ready.
class TFormToolsInfo : public QWidget {
    Q_OBJECT
public:
    explicit TFormToolsInfo(QWidget* owner);
    ~TFormToolsInfo() override;

    // Clears the view, shows the window and builds the report anew.
    void ShowReport();
    bool Building() const { return m_building; }
    QString Text() const;
    QPlainTextEdit* Memo() const { return m_me; }

Q_SIGNALS:
    void ReportShown();

private:
    void ReportReady(const QString& report, int generation);

    QPlainTextEdit* m_me = nullptr;
    bool m_building = false;
    int m_generation = 0;   // a report that arrives after a newer request is dropped
    QList<QThread*> m_threads;
};
