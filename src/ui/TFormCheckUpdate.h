#pragma once

#include "update/UpdateCheck.h"

#include <QColor>
#include <QTimer>
#include <QWidget>

class QAction;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class THttpTextFetch;

// Colours of the message box for one status.
struct TStatusColors {
    QColor Background;
    QColor Font;
};

// "Check for updates": asks the maker's server for the latest version and compares it
// with this one. The request runs in the background; the window stays responsive.
class TFormCheckUpdate : public QWidget {
    Q_OBJECT
public:
    explicit TFormCheckUpdate(QWidget* owner);

    // The main window's action: cleared, shown, and the check starts a second later.
    void Open();
    void ClearStatus();
    void actCheckNowExecute();
    void SetStatusColors(const TStatusColors& colors);

    static TStatusColors StatusColors(TUpdateStatus status);

    bool Checking() const;
    QString MessageText() const;
    QString LatestVersionText() const;
    QPlainTextEdit* Memo() const { return m_me; }
    // Replaces the address asked (tests); the default is UpdateCheck::VersionFileUrl().
    void SetUrl(const QString& url) { m_url = url; }
    void SetTimeoutMs(int ms);

Q_SIGNALS:
    void CheckFinished(TUpdateOutcome outcome);

private:
    void Finish(const QByteArray& reply);

    QLabel* m_lblUserVersion = nullptr;
    QLabel* m_lblLatestVersion = nullptr;
    QPlainTextEdit* m_me = nullptr;
    QAction* m_actCheckNow = nullptr;
    QAction* m_actGoToDownloadPage = nullptr;
    QPushButton* m_btnCheckNow = nullptr;
    QPushButton* m_btnDownload = nullptr;
    QTimer m_timer;
    THttpTextFetch* m_fetch = nullptr;
    QString m_url;
};
