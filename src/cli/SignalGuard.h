#pragma once

#include <QtGlobal>

#include <csignal>
#include <functional>

class QSocketNotifier;

namespace Headless {

// The status of a mode ended by SIGINT or SIGTERM: 128 + SIGINT, what shells report for
// a program interrupted from the keyboard.
inline constexpr int ExitInterrupted = 130;

// The signals while a headless mode runs encoders: SIGINT and SIGTERM abort (the aborter,
// and the analysis workers are killed, not waited for), SIGTSTP pauses the encoders and
// stops the program, SIGCONT resumes. The termination signals are noted from the
// program's first moment (lib/TerminationSignal.h): one that came before the guard aborts
// as soon as the event loop runs, and Signalled tells it at once. The handlers only write
// a byte to a pipe; the event loop (the program's, or an analysis wait) reads it.
class TSignalGuard {
public:
    TSignalGuard();
    ~TSignalGuard();
    TSignalGuard(const TSignalGuard&) = delete;
    TSignalGuard& operator=(const TSignalGuard&) = delete;

    // How a stop and a continue reach the encoders.
    void SetPauser(std::function<void(bool)> pause) { m_pause = std::move(pause); }
    // The running batch's or preview's abort (none while inputs are added: the flag stops that).
    void SetAborter(std::function<void()> abort) { m_abort = std::move(abort); }

    static bool Signalled();

private:
    void OnWake();

    QSocketNotifier* m_notifier = nullptr;
    struct sigaction m_oldTstp = {};
    struct sigaction m_oldCont = {};
    std::function<void(bool)> m_pause;
    std::function<void()> m_abort;
};

} // namespace Headless
