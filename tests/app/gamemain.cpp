#include <QApplication>
#include <gtest/gtest.h>

// The window needs the application object before the first test runs.
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
