// The real program under the ways people misuse a game: the menu entries in
// every order and in quick succession, a game started after the first
// close, a burst of keys and clicks, output that must survive to the end,
// and no display at all.

#include "gameprocess.h"
#include "gameround.h"
#include "gamescreen.h"
#include "labelreader.h"
#include "player.h"
#include "sceneprobe.h"
#include "scratchtree.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <string>

namespace
{
// Every line a pick line (with the tool id or treatment code that ran into
// it), and nothing after the last newline but such a number.
bool onlyPickOutput(const std::string &output)
{
    static const QRegularExpression pickLine(
        QStringLiteral(R"(^\d*[A-Za-z0-9_]* an Pos: -?[0-9.e+-]+,-?[0-9.e+-]+,-?[0-9.e+-]+\.$)"));
    static const QRegularExpression number(QStringLiteral(R"(^\d*$)"));
    QStringList lines = QString::fromStdString(output).split(QLatin1Char('\n'));
    if (!number.match(lines.takeLast()).hasMatch())
        return false;
    for (const QString &line : lines)
        if (!pickLine.match(line).hasMatch())
            return false;
    return true;
}

class Sequences : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(tree.isValid());
        ASSERT_TRUE(screen.isOpen());
    }

    void launch(const GameProcess::Options &options = GameProcess::Options())
    {
        game = std::make_unique<GameProcess>(tree, options);
        ASSERT_TRUE(game->start());
        player = std::make_unique<Player>(*game, screen);
        round = std::make_unique<GameRound>(*game, *player);
        ASSERT_NO_FATAL_FAILURE(round->openIdleWindow());
    }

    void choose(const char *item)
    {
        ASSERT_TRUE(player->choose(QStringLiteral("Spiel"), QString::fromLatin1(item))) << item;
    }

    ScratchTree tree;
    GameScreen screen;
    std::unique_ptr<GameProcess> game;
    std::unique_ptr<Player> player;
    std::unique_ptr<GameRound> round;
};
} // namespace

TEST_F(Sequences, StartAndEndeInEveryOrderAndManyTimes)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    // Each step: the menu entry, and the view it leaves. "Ende" while idle
    // and "Start!" during a game (a restart) are among them.
    const std::pair<const char *, bool> steps[] = {
        {"Ende", false},  {"Start!", true}, {"Start!", true}, {"Ende", false},  {"Ende", false},
        {"Start!", true}, {"Ende", false},  {"Start!", true}, {"Start!", true}, {"Start!", true},
        {"Ende", false},  {"Start!", true}, {"Ende", false},  {"Start!", true}, {"Ende", false},
        {"Start!", true}, {"Ende", false},  {"Start!", true}, {"Ende", false},  {"Start!", true},
    };
    int index = 0;
    for (const auto &[item, inGame] : steps) {
        ASSERT_NO_FATAL_FAILURE(choose(item));
        EXPECT_TRUE(game->waitFor(
            [&, inGame = inGame] {
                return inGame ? round->showsGameView() : round->showsIdleView();
            },
            stepTimeoutMs))
            << "after step " << index << " (" << item << ")";
        ++index;
    }
    ASSERT_NO_FATAL_FAILURE(round->keepsPlaying());
    ASSERT_NO_FATAL_FAILURE(round->closeTwice());
    round->expectCleanEnd("");
}

TEST_F(Sequences, StartAfterTheFirstCloseRunsOnTheSideColumnAlone)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_NO_FATAL_FAILURE(round->startGame());
    ASSERT_NO_FATAL_FAILURE(round->keepsPlaying());
    ASSERT_TRUE(player->closeToIdle());
    ASSERT_TRUE(game->waitFor([&] { return round->showsIdleView(); }, stepTimeoutMs));

    // The room is gone; a game now counts and scores in the side column
    // while the logo stays.
    for (int game = 0; game < 2; ++game) {
        ASSERT_NO_FATAL_FAILURE(choose("Start!"));
        ASSERT_NO_FATAL_FAILURE(round->keepsPlaying(true));
        EXPECT_TRUE(round->showsIdleView());
        ASSERT_NO_FATAL_FAILURE(choose("Ende"));
        EXPECT_TRUE(round->showsIdleView());
    }
    ASSERT_TRUE(player->closeToExit());
    round->expectCleanEnd("");
}

TEST_F(Sequences, BurstOfKeysAndClicksDuringAGame)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_NO_FATAL_FAILURE(round->startGame());
    ASSERT_TRUE(player->enterView());

    // Walking, other keys (each picks where the pointer is), clicks, and
    // the mouse thrown about without waiting for the game to re-centre it.
    QStringList keys;
    const QStringList kinds = {QStringLiteral("Up"),     QStringLiteral("Down"),
                               QStringLiteral("Left"),   QStringLiteral("Right"),
                               QStringLiteral("space"),  QStringLiteral("a"),
                               QStringLiteral("Return"), QStringLiteral("Escape"),
                               QStringLiteral("1"),      QStringLiteral("Up")};
    for (int i = 0; i < 200; ++i)
        keys << kinds[i % kinds.size()];
    ASSERT_TRUE(screen.keys(keys, 4));
    ASSERT_TRUE(screen.clickRepeatedly(60, 8));
    for (int i = 0; i < 40; ++i) {
        ASSERT_TRUE(screen.moveBy((i % 2 ? 1 : -1) * (7 + i), (i % 3 - 1) * 11));
        if (i % 4 == 0) {
            ASSERT_TRUE(screen.click());
        }
    }
    ASSERT_TRUE(screen.moveTo(player->anchor()));
    ASSERT_TRUE(screen.keys(keys.mid(0, 60), 2));

    // The game is still going: its clock moves on.
    const QString shown = player->time();
    EXPECT_TRUE(player->waitForTime([&](const QString &t) { return !t.isNull() && t != shown; },
                                    stepTimeoutMs));
    ASSERT_NO_FATAL_FAILURE(round->keepsPlaying());
    ASSERT_NO_FATAL_FAILURE(round->closeTwice());
    EXPECT_TRUE(game->exitedNormally()) << game->errors();
    EXPECT_EQ(game->exitCode(), 0) << game->errors();
    EXPECT_FALSE(hasSanitizerReport(game->errors())) << game->errors();
    EXPECT_TRUE(onlyPickOutput(game->output())) << game->output();
    // The clicks and keys reached the 3D view: most of them picked something.
    EXPECT_GE(std::count(game->output().begin(), game->output().end(), '\n'), 100);
}

// Standard output goes to a pipe without stdbuf: the pick line ends in a
// newline but is not flushed, the tool id has no newline at all. Both must
// still be there when the program has ended.
TEST_F(Sequences, OutputWrittenDuringAGameSurvivesToTheEnd)
{
    const SceneProbe probe(tree.dataPath(QStringLiteral("scene002.iv")).toStdString());
    ASSERT_TRUE(probe.isValid());
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_NO_FATAL_FAILURE(round->startGame());
    ASSERT_TRUE(player->enterView());
    const SceneProbe::Turn turn =
        probe.turnTowards("Pflaster", SbVec3f(-80, 160, 0), {}, player->anchorPixel());
    ASSERT_TRUE(turn.found);
    ASSERT_TRUE(player->turn(turn.right, turn.up));
    ASSERT_TRUE(player->click());
    const QImage icon(tree.dataPath(QStringLiteral("Icons/pflaster.bmp")));
    ASSERT_TRUE(game->waitFor([&] { return player->toolShows(icon); }, stepTimeoutMs));
    EXPECT_EQ(game->output(), "") << "the pipe got output before the end";
    ASSERT_NO_FATAL_FAILURE(round->closeTwice());

    EXPECT_TRUE(game->exitedNormally());
    EXPECT_EQ(game->exitCode(), 0) << game->errors();
    EXPECT_FALSE(hasSanitizerReport(game->errors())) << game->errors();
    static const QRegularExpression expected(
        QStringLiteral(R"(^Pflaster an Pos: -?[0-9.e+-]+,-?[0-9.e+-]+,-?[0-9.e+-]+\.\n6$)"));
    EXPECT_TRUE(expected.match(QString::fromStdString(game->output())).hasMatch())
        << game->output();
}

namespace
{
struct DisplayCase {
    const char *name;
    QStringList unset;
    QMap<QString, QString> set;
};

void PrintTo(const DisplayCase &c, std::ostream *os)
{
    *os << c.name;
}

const DisplayCase displayCases[] = {
    {"DisplayUnset", {QStringLiteral("DISPLAY"), QStringLiteral("QT_QPA_PLATFORM")}, {}},
    {"DisplayUnsetWithX11Chosen",
     {QStringLiteral("DISPLAY")},
     {{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb")}}},
    {"DisplayUnreachable",
     {QStringLiteral("QT_QPA_PLATFORM")},
     {{QStringLiteral("DISPLAY"), QStringLiteral(":4095")}}},
};

class NoDisplay : public ::testing::TestWithParam<DisplayCase>
{
};
} // namespace

TEST_P(NoDisplay, OneClearLineAndAFailureStatus)
{
    ScratchTree tree;
    ASSERT_TRUE(tree.isValid());
    GameProcess::Options options;
    options.unset = GetParam().unset;
    options.set = GetParam().set;
    GameProcess game(tree, options);
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForExit(stepTimeoutMs)) << "the program did not end by itself";
    EXPECT_TRUE(game.exitedNormally()) << "the program crashed";
    EXPECT_NE(game.exitCode(), 0);
    EXPECT_EQ(game.output(), "");
    const std::string &errors = game.errors();
    EXPECT_EQ(errors.rfind("curavant: needs a graphical display", 0), 0u) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_EQ(errors.back(), '\n');
}

INSTANTIATE_TEST_SUITE_P(Cases, NoDisplay, ::testing::ValuesIn(displayCases),
                         [](const ::testing::TestParamInfo<DisplayCase> &info) {
                             return std::string(info.param.name);
                         });
