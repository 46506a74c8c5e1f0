#pragma once

#include <QObject>
#include <QPointer>

class QSocketNotifier;
class QWidget;

// SIGINT and SIGTERM close the window as its close button does: a running batch is
// aborted and wound down, the settings are saved and the program ends; a signal that came
// while the program started closes it as soon as it shows. The handler
// (lib/TerminationSignal.h) only writes a byte to a pipe; the window is closed from the
// event loop. One at a time; the dispositions from before come back when it goes.
// Set on the window closed by a signal, for the time of its close.
inline constexpr char ClosingOnSignalProperty[] = "closingOnSignal";

class TCloseOnSignal : public QObject {
    Q_OBJECT
public:
    explicit TCloseOnSignal(QWidget* window, QObject* parent = nullptr);
    ~TCloseOnSignal() override;

    bool Installed() const { return m_notifier != nullptr; }

private:
    void OnSignal();

    QPointer<QWidget> m_window;
    QSocketNotifier* m_notifier = nullptr;
    int m_readFd = -1;
    int m_writeFd = -1;
};
