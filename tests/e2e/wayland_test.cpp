// The game on a GNOME Wayland desktop (tests/mutter-run.sh), played by the
// compositor's pointer with Qt's Wayland platform installed: with no platform
// named, and with the Wayland platform named in QT_QPA_PLATFORM (in the other
// capitals Qt accepts too). The pick
// lines tell exactly where each click aimed.

#include "gameprocess.h"
#include "player.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace
{
const QRegularExpression pickLine(QStringLiteral(R"(^\d*(\w*) an Pos: ([-0-9.e+,]+)\.$)"));
} // namespace

class WaylandDesktop : public ::testing::TestWithParam<const char *>
{
};

TEST_P(WaylandDesktop, PlayedByTheCompositorsPointer)
{
    GameProcess game;
    game.environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (*GetParam())
        game.environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QLatin1String(GetParam()));
    Player player(game);
    ASSERT_TRUE(game.isValid() && player.isOpen()) << "no GNOME session with remote desktop";
    ASSERT_TRUE(game.start());
    // The window probe looks on XWayland's display: an X11 window.
    ASSERT_TRUE(player.waitForIdleWindow()) << game.errors();
    ASSERT_NO_FATAL_FAILURE(player.startGame());
    ASSERT_TRUE(player.enterView());

    // The system cursor is hidden; the view draws an arrow with its tip on
    // the held point.
    const QRect arrow = player.drawnPointer();
    EXPECT_LE((arrow.topLeft() - player.heldInView()).manhattanLength(), 1)
        << arrow.x() << "," << arrow.y();
    EXPECT_TRUE(arrow.width() >= 8 && arrow.height() >= 15)
        << arrow.width() << "x" << arrow.height();

    // A click after each move: a move and its reverse aim where the view
    // aimed before; two half moves where one whole move does; resting, the
    // aim stays. Then the door to the theatre is picked under the pointer.
    const int moves[][2] = {{0, 0}, {30, 0}, {-30, 0}, {15, 10}, {15, -10}, {0, 0}};
    for (const auto &[right, up] : moves)
        ASSERT_TRUE(player.turn(right, up) && player.click());
    ASSERT_TRUE(player.turn(85 - 30, 0) && player.click());

    // Thrown at the menu, the pointer leaves the view.
    EXPECT_TRUE(player.choose(QStringLiteral("Ende"), [&] { return player.showsIdleView(); }));
    ASSERT_NO_FATAL_FAILURE(player.closeTwice());
    player.expectCleanEnd();

    QStringList aims;
    for (const QString &line : QString::fromStdString(game.output()).split('\n'))
        aims << pickLine.match(line).captured(1) + pickLine.match(line).captured(2);
    ASSERT_GE(aims.size(), 7) << game.output();
    EXPECT_EQ(aims[2], aims[0]);
    EXPECT_NE(aims[1], aims[0]);
    EXPECT_EQ(aims[4], aims[1]);
    EXPECT_EQ(aims[5], aims[1]);
    EXPECT_TRUE(aims[6].startsWith(QLatin1String("OP"))) << game.output();
    const bool overridden = game.errors().find("running through XWayland") != std::string::npos;
    EXPECT_EQ(overridden, *GetParam() != '\0') << game.errors();
}

INSTANTIATE_TEST_SUITE_P(Platforms, WaylandDesktop, ::testing::Values("", "Wayland"),
                         [](const auto &info) {
                             return std::string(*info.param ? "Named" : "Chosen");
                         });
