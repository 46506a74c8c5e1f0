#include "lib/TerminationSignal.h"

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace TerminationSignal {

namespace {

volatile std::sig_atomic_t g_noted = 0;
volatile std::sig_atomic_t g_wakeFd = -1;
volatile std::sig_atomic_t g_wakeByte = 0;
bool g_installed = false;
struct sigaction g_oldInt = {};
struct sigaction g_oldTerm = {};
sigset_t g_blockedBefore{}; // of the two, those the mask held at Install

constexpr int Signals[] = {SIGINT, SIGTERM};

extern "C" void OnSignal(int signal)
{
    const int saved = errno;
    g_noted = signal;
    const int fd = g_wakeFd;
    if (fd >= 0) {
        const char byte = char(g_wakeByte);
        [[maybe_unused]] const ssize_t n = ::write(fd, &byte, 1); // a full pipe already holds a wake-up
    }
    errno = saved;
}

void Wake(int fd, char byte)
{
    [[maybe_unused]] const ssize_t n = ::write(fd, &byte, 1);
}

// The dispositions and mask back; the signal noted until they were back.
int TakeBack()
{
    g_wakeFd = -1;
    if (!g_installed)
        return 0;
    g_installed = false;
    ::sigaction(SIGINT, &g_oldInt, nullptr);
    ::sigaction(SIGTERM, &g_oldTerm, nullptr);
    ::sigprocmask(SIG_BLOCK, &g_blockedBefore, nullptr);
    const int noted = g_noted;
    g_noted = 0;
    return noted;
}

} // namespace

void Install()
{
    if (g_installed)
        return;
    struct sigaction sa = {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &sa, &g_oldInt);
    ::sigaction(SIGTERM, &sa, &g_oldTerm);
    sigset_t both, before;
    sigemptyset(&both);
    for (const int s : Signals)
        sigaddset(&both, s);
    ::sigprocmask(SIG_UNBLOCK, &both, &before);
    sigemptyset(&g_blockedBefore);
    for (const int s : Signals)
        if (sigismember(&before, s) == 1)
            sigaddset(&g_blockedBefore, s);
    g_installed = true;
}

bool Installed() { return g_installed; }

int Noted() { return g_noted; }

void WakeOnSignal(int fd, char byte)
{
    // the byte first: a signal between the two writes finds a whole pair
    g_wakeByte = byte;
    g_wakeFd = fd;
    if (fd >= 0 && g_noted != 0)
        Wake(fd, byte);
}

void Restore() { TakeBack(); }

void LeaveToSystem()
{
    if (const int noted = TakeBack(); noted != 0)
        ::raise(noted);
}

} // namespace TerminationSignal
