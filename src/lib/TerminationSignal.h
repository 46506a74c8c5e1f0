#pragma once

// SIGINT and SIGTERM from the program's first moment on: the handler only notes the
// signal and, when someone listens, writes a byte to their pipe. Whoever runs the program
// then (the headless modes' abort, the window's close) looks at the note when it starts
// listening, so a signal that came during start-up is not lost. A parent that left the
// two signals blocked does not keep them from us either.
namespace TerminationSignal {

// Installs the handler and unblocks the two signals; the dispositions and mask found are
// kept for Restore. A second call does nothing.
void Install();
bool Installed();

// The signal noted since Install (SIGINT or SIGTERM); 0 when none came.
int Noted();

// From now on a signal writes byte to fd (the write end of a non-blocking pipe); a signal
// noted already writes it at once. fd -1 stops it.
void WakeOnSignal(int fd, char byte);

// The dispositions and mask found by Install come back; the note is forgotten.
void Restore();

// For what leaves the two signals to the system: Restore, then a signal noted meanwhile
// is raised again, so that it does what it would have done without us.
void LeaveToSystem();

} // namespace TerminationSignal
