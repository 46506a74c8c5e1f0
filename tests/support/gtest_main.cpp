#include <QCoreApplication>

#include "lib/WorkerProgram.h"

#include <gtest/gtest.h>

// Tests run inside a core application so that QProcess, timers and signals work.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // Media analysis runs in workers of the built program, as in the program itself.
    SetWorkerProgram(QStringLiteral(VEXA_BIN_DIR "/vexaconv"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
