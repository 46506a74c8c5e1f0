#pragma once

#include <QDateTime>
#include <QWidget>

#include <functional>

class QPlainTextEdit;
class QTabWidget;
class QTreeWidget;
class TErrorLog;

// "Errors": the error log of the last batch. The first page shows each report in the
// user's language, its sentence first and the encoder's output folded; the second holds
// the log's text in its stored form, which the user may edit, clear and save.
class TFormErrors : public QWidget {
    Q_OBJECT
public:
    explicit TFormErrors(QWidget* owner);

    // Appends one numbered report (the log's own format).
    void AddErrorReport(const QString& report, const QString& input, const QString& output, int number);
    // Shows one report on the reports page only (the log's text comes from the log).
    void ShowReport(const QString& report, const QString& input, const QString& output, int number,
                    const QDateTime& when);
    // Batch start: the text emptied, caption "Errors".
    void ClearLog();
    // Adds lines after what the window shows, the user's edits and a Clear included.
    void AppendLines(const QStringList& lines);
    // The end of a batch with errors: caption "Errors (N)".
    void ShowErrorCount(int count);
    QPlainTextEdit* Memo() const { return m_me; }
    QTreeWidget* Reports() const { return m_reports; }

    void actClearLogExecute();
    // Saves the text to fileName; false with the reason shown when it cannot be written.
    bool SaveLogTo(const QString& fileName);
    // The folder "Save log" starts in (the main window's dialog folder).
    void SetStartFolder(std::function<QString()> folder) { m_startFolder = std::move(folder); }

private:
    void actSaveLogExecute();

    QTabWidget* m_tabs = nullptr;
    QTreeWidget* m_reports = nullptr;
    QPlainTextEdit* m_me = nullptr;
    std::function<QString()> m_startFolder;
};
