#include "ui/TCloseOnSignal.h"

#include "lib/TerminationSignal.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// the one in force
TCloseOnSignal* s_active = nullptr;

} // namespace

TCloseOnSignal::TCloseOnSignal(QWidget* window, QObject* parent)
    : QObject(parent)
    , m_window(window)
{
    if (s_active)
        return; // another one is in force
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_readFd = fds[0];
    m_writeFd = fds[1];
    s_active = this;
    m_notifier = new QSocketNotifier(m_readFd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TCloseOnSignal::OnSignal);
    // main installed the handler first thing; a signal since then closes the window as
    // soon as the event loop runs
    TerminationSignal::Install();
    TerminationSignal::WakeOnSignal(m_writeFd, 1);
}

TCloseOnSignal::~TCloseOnSignal()
{
    if (!m_notifier)
        return;
    TerminationSignal::Restore();
    s_active = nullptr;
    delete m_notifier;
    ::close(m_readFd);
    ::close(m_writeFd);
}

void TCloseOnSignal::OnSignal()
{
    char buffer[64];
    while (::read(m_readFd, buffer, sizeof buffer) > 0) {
    }
    if (!m_window)
        return;
    // nobody is there to answer a box: the window tells on stderr what it would have asked
    m_window->setProperty(ClosingOnSignalProperty, true);
    m_window->close();
    // A dialog or message box left open would hold the program until someone answers it:
    // each is dismissed, and whatever asked goes on as after a cancel.
    for (int guard = 0; guard < 16; ++guard) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            break;
        modal->close();
        if (QApplication::activeModalWidget() == modal)
            break;
    }
}
