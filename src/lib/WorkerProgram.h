#pragma once

#include <QString>

// The executable that worker processes run: the program's own, started with a worker
// argument. The program sets it at start; test programs that link only the libraries
// point it at the built program. Empty until set.
void SetWorkerProgram(const QString& path);
QString WorkerProgram();
