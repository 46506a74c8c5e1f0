#include <QCoreApplication>

#include <gtest/gtest.h>

// Tests run inside a core application so that QProcess, timers and signals work.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
