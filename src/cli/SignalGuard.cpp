#include "cli/SignalGuard.h"

#include "lib/TerminationSignal.h"
#include "media/AnalysisClient.h"
#include "media/AnalysisPool.h"

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace Headless {

namespace {

int s_signalPipe[2] = {-1, -1};
// What the pipe's bytes ask for.
constexpr char SignalAbort = 1;
constexpr char SignalPause = 2;  // SIGTSTP: pause the encoders, then stop the program
constexpr char SignalResume = 3; // SIGCONT: the program goes on; the encoders too

void WriteSignalByte(char b)
{
    if (s_signalPipe[1] >= 0) {
        const int saved = errno;
        [[maybe_unused]] const ssize_t n = ::write(s_signalPipe[1], &b, 1);
        errno = saved;
    }
}

extern "C" void OnStopSignal(int) { WriteSignalByte(SignalPause); }

extern "C" void OnContinueSignal(int) { WriteSignalByte(SignalResume); }

} // namespace

TSignalGuard::TSignalGuard()
{
    // main installed it first thing; without main (a test) it starts here
    TerminationSignal::Install();
    if (::pipe2(s_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        s_signalPipe[0] = s_signalPipe[1] = -1;
    if (s_signalPipe[0] >= 0) {
        m_notifier = new QSocketNotifier(s_signalPipe[0], QSocketNotifier::Read);
        QObject::connect(m_notifier, &QSocketNotifier::activated, m_notifier, [this] { OnWake(); });
        TerminationSignal::WakeOnSignal(s_signalPipe[1], SignalAbort);
    }
    struct sigaction sa = {};
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sa.sa_handler = OnStopSignal;
    ::sigaction(SIGTSTP, &sa, &m_oldTstp);
    sa.sa_handler = OnContinueSignal;
    ::sigaction(SIGCONT, &sa, &m_oldCont);
}

TSignalGuard::~TSignalGuard()
{
    AnalysisClient().SetAbortCheck({});
    // the termination signals stay noted: the mode's status still follows them
    TerminationSignal::WakeOnSignal(-1, 0);
    ::sigaction(SIGTSTP, &m_oldTstp, nullptr);
    ::sigaction(SIGCONT, &m_oldCont, nullptr);
    delete m_notifier;
    for (int& fd : s_signalPipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

bool TSignalGuard::Signalled() { return TerminationSignal::Noted() != 0; }

void TSignalGuard::OnWake()
{
    char buffer[16];
    ssize_t n = 0;
    while ((n = ::read(s_signalPipe[0], buffer, sizeof buffer)) > 0) {
        for (ssize_t i = 0; i < n; ++i) {
            if (buffer[i] == SignalAbort) {
                if (m_abort)
                    m_abort();
                // A worker may spin inside the library for seconds: killed, not waited
                // for. Its rows end unread.
                AnalysisPool().Shutdown();
            } else if (buffer[i] == SignalPause) {
                // The encoders run in their own process groups: the terminal's stop never
                // reaches them, so they are stopped first.
                if (m_pause)
                    m_pause(true);
                ::raise(SIGSTOP);
            } else if (buffer[i] == SignalResume && m_pause) {
                m_pause(false);
            }
        }
    }
}

} // namespace Headless
