#include <QApplication>
#include <gtest/gtest.h>

// Pixmaps and widgets need an application object before the first test runs.
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
