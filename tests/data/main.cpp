#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // The reproduction test runs the generator through QProcess.
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
