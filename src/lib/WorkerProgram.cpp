#include "lib/WorkerProgram.h"

namespace {

QString& Program()
{
    static QString program;
    return program;
}

} // namespace

void SetWorkerProgram(const QString& path) { Program() = path; }

QString WorkerProgram() { return Program(); }
