// The real program given a scenario on its command line or in
// CURAVANT_SCENARIO: a file it cannot play ends it before any window with the
// file's one line and status 2; a good one is played, and Qt's own options
// still reach Qt.

#include "gameprocess.h"
#include "player.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace
{
struct BadStart {
    const char *name;
    QStringList arguments;
    const char *variable; // CURAVANT_SCENARIO, or null
    const char *error;    // a pattern for the whole of standard error
    bool display = true;
};

// The files lie in build/, the game's working directory: "gut.toml" plays,
// "kaputt.toml" has a syntax error, "tippfehler.toml" a key misspelt.
// The reader's line for a file that cannot be read.
const char *const missing = "fehlt.toml:[^\\n]+\\n";

const BadStart badStarts[] = {
    {"Missing", {"--scenario", "fehlt.toml"}, nullptr, missing},
    {"MissingAfterEquals", {"--scenario=fehlt.toml"}, nullptr, missing},
    {"MissingInVariable", {}, "fehlt.toml", missing},
    {"OptionWinsOverVariable", {"--scenario", "fehlt.toml"}, "gut.toml", missing},
    {"AmongQtOptions",
     {"-platform", "xcb", "--scenario", "fehlt.toml", "-name", "x"},
     nullptr,
     missing},
    {"NoFileAfterOption", {"--scenario"}, nullptr, "curavant: --scenario needs a file\n"},
    // The file is judged before the display.
    {"WithoutDisplay", {"--scenario", "fehlt.toml"}, nullptr, missing, false},
    {"SyntaxError", {"--scenario", "kaputt.toml"}, nullptr, "kaputt.toml:2:\\d+: [^\\n]+\\n"},
    {"UnknownKey", {}, "tippfehler.toml", "tippfehler.toml:1:1: [^\\n]+\\n"},
};

void PrintTo(const BadStart &start, std::ostream *out)
{
    *out << start.name;
}

bool writeScenarios(const GameProcess &game)
{
    const std::pair<const char *, const char *> files[] = {
        {"gut.toml", "title = \"Gut\"\ntenths = 1200\n"},
        {"kaputt.toml", "title = \"Kaputt\"\ntenths = = 3\n"},
        {"tippfehler.toml", "titel = \"Tippfehler\"\n"}};
    for (const auto &[name, text] : files) {
        QFile file(game.root() + "/build/" + name);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) < 0)
            return false;
    }
    return true;
}

class BadScenario : public ::testing::TestWithParam<BadStart>
{
};
} // namespace

TEST_P(BadScenario, OneLineAndStatusTwoBeforeAnyWindow)
{
    GameProcess game;
    ASSERT_TRUE(game.isValid() && writeScenarios(game));
    game.arguments = GetParam().arguments;
    game.environment.remove(QStringLiteral("CURAVANT_SCENARIO"));
    if (GetParam().variable)
        game.environment.insert(QStringLiteral("CURAVANT_SCENARIO"), GetParam().variable);
    if (!GetParam().display)
        game.environment.remove(QStringLiteral("DISPLAY"));
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.waitForExit(stepTimeoutMs)) << "the program did not end by itself";
    EXPECT_FALSE(game.crashed());
    EXPECT_EQ(game.exitCode(), 2);
    EXPECT_EQ(game.output(), "");
    EXPECT_TRUE(QRegularExpression(QRegularExpression::anchoredPattern(GetParam().error))
                    .match(QString::fromStdString(game.errors()))
                    .hasMatch())
        << game.errors();
    // No window was made: the program left before Qt and the viewer started.
    EXPECT_FALSE(QFile::exists(game.root() + QStringLiteral("/mix.wav")));
}

INSTANTIATE_TEST_SUITE_P(Cases, BadScenario, ::testing::ValuesIn(badStarts),
                         [](const ::testing::TestParamInfo<BadStart> &info) {
                             return std::string(info.param.name);
                         });

// The option wins over a bad file in the variable; Qt still takes -platform.
TEST(GoodScenario, PlaysWithQtOptionsBesideIt)
{
    GameProcess game;
    ASSERT_TRUE(game.isValid() && writeScenarios(game));
    game.arguments = QStringList{"-platform", "xcb", "--scenario", "gut.toml"};
    game.environment.insert(QStringLiteral("CURAVANT_SCENARIO"), QStringLiteral("kaputt.toml"));
    Player player(game);
    ASSERT_TRUE(player.isOpen() && game.start());
    ASSERT_TRUE(player.waitForIdleWindow()) << game.errors();
    EXPECT_TRUE(player.shows(Player::Time, QStringLiteral("TIME: 2:00")));
    ASSERT_NO_FATAL_FAILURE(player.startGame());
    ASSERT_NO_FATAL_FAILURE(player.keepsPlaying());
    ASSERT_NO_FATAL_FAILURE(player.closeTwice());
    player.expectCleanEnd();
    EXPECT_EQ(game.output(), "");
}
