#include <QApplication>

#include "lib/WorkerProgram.h"

#include <gtest/gtest.h>

// Window tests: offscreen platform unless the caller chose another.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Media analysis runs in workers of the built program, as in the program itself.
    SetWorkerProgram(QStringLiteral(VEXA_BIN_DIR "/vexaconv"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
