#include <QApplication>
#include <gtest/gtest.h>

// The tests render labels and menus and take screenshots as a Qt client of
// the display the game runs on.
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
