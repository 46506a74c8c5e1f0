#include "ui/TCloseOnSignal.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

volatile sig_atomic_t g_writeFd = -1;

extern "C" void WakeOnSignal(int)
{
    const int saved = errno;
    const int fd = g_writeFd;
    if (fd >= 0) {
        const char byte = 1;
        const ssize_t n = ::write(fd, &byte, 1); // a full pipe already holds a wake-up
        (void)n;
    }
    errno = saved;
}

} // namespace

TCloseOnSignal::TCloseOnSignal(QWidget* window, QObject* parent)
    : QObject(parent)
    , m_window(window)
{
    if (g_writeFd >= 0)
        return; // another one is in force
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_readFd = fds[0];
    m_writeFd = fds[1];
    g_writeFd = m_writeFd;
    m_notifier = new QSocketNotifier(m_readFd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TCloseOnSignal::OnSignal);
    struct sigaction sa = {};
    sa.sa_handler = WakeOnSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &sa, &m_oldInt);
    ::sigaction(SIGTERM, &sa, &m_oldTerm);
}

TCloseOnSignal::~TCloseOnSignal()
{
    if (!m_notifier)
        return;
    ::sigaction(SIGINT, &m_oldInt, nullptr);
    ::sigaction(SIGTERM, &m_oldTerm, nullptr);
    g_writeFd = -1;
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
