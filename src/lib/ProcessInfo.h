#pragma once

#include <QString>

// What /proc tells about another process. Every answer is read afresh: a process id may
// be reused the moment its process is reaped.
namespace ProcessInfo {

// Whether process pid exists and has not finished: a zombie (state 'Z') or a process
// being torn down ('X') has. Another user's process counts as alive.
bool IsAlive(qint64 pid);

// The command name the kernel keeps (/proc/<pid>/comm, at most 15 bytes); empty when
// unreadable.
QString Comm(qint64 pid);

// The executable's path (/proc/<pid>/exe); empty when the process is gone or belongs to
// another user. A program replaced on disk while it runs keeps its name.
QString Exe(qint64 pid);

} // namespace ProcessInfo
