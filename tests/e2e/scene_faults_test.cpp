// The real program with a broken or incomplete room: each case breaks the
// scene file in the data folder, plays a short game and closes the window
// twice. The program must keep running with whatever room it could read,
// write exactly the scene loader's lines for the case, and end cleanly.

#include "gameprocess.h"
#include "gameround.h"
#include "gamescreen.h"
#include "player.h"
#include "scratchtree.h"

#include <QFile>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
const QString scene = QStringLiteral("scene002.iv");
const std::string notFound = "File not found: ../data/scene002.iv\n";
const std::string notRead = "Problem reading file: ../data/scene002.iv\n";

struct SceneCase {
    const char *name;
    std::function<bool(ScratchTree &)> breakData;
    std::string output;
};

void PrintTo(const SceneCase &c, std::ostream *os)
{
    *os << c.name;
}

const SceneCase sceneCases[] = {
    {"DataFolderMissing", [](ScratchTree &t) { return t.remove(QString()); }, notFound + notRead},
    {"SceneMissing", [](ScratchTree &t) { return t.remove(scene); }, notFound + notRead},
    {"SceneEmpty", [](ScratchTree &t) { return t.write(scene, QByteArray()); }, notRead},
    {"SceneCutInTheMiddle", [](ScratchTree &t) { return t.truncate(scene, 0.5); }, notRead},
    {"SceneOfRandomBytes", [](ScratchTree &t) { return t.fillWithNoise(scene, 40000); }, notRead},
    // A valid file with nothing in it is an empty room, and no problem.
    {"SceneHeaderOnly",
     [](ScratchTree &t) { return t.write(scene, "#Inventor V2.1 ascii\n\nSeparator { }\n"); }, ""},
    {"NoPendulums", [](ScratchTree &t) { return t.dropLines(scene, " Pendulum {"); }, ""},
    {"Pend1NotAPendulum",
     [](ScratchTree &t) {
         return t.replace(scene, "DEF pend1 Pendulum {", "DEF pend1 Info { } Pendulum {");
     },
     ""},
    {"NoPlasterTool",
     [](ScratchTree &t) { return t.replace(scene, "DEF Pflaster Separator", "Separator"); }, ""},
    {"NoShinTarget",
     [](ScratchTree &t) { return t.replace(scene, "DEF L_Shin1 Separator", "Separator"); }, ""},
};

class SceneFaults : public ::testing::TestWithParam<SceneCase>
{
};
} // namespace

TEST_P(SceneFaults, GameRunsAndEndsCleanly)
{
    ScratchTree tree;
    ASSERT_TRUE(tree.isValid());
    ASSERT_TRUE(GetParam().breakData(tree)) << "the case could not be set up";
    GameScreen screen;
    ASSERT_TRUE(screen.isOpen());
    GameProcess game(tree);
    ASSERT_TRUE(game.start());
    Player player(game, screen);
    GameRound round(game, player);

    ASSERT_NO_FATAL_FAILURE(
        round.openIdleWindow(QFile::exists(tree.dataPath(QStringLiteral("logo.png")))));
    ASSERT_NO_FATAL_FAILURE(round.startGame());
    ASSERT_NO_FATAL_FAILURE(round.keepsPlaying());
    ASSERT_NO_FATAL_FAILURE(round.closeTwice());
    round.expectCleanEnd(GetParam().output);
}

INSTANTIATE_TEST_SUITE_P(Cases, SceneFaults, ::testing::ValuesIn(sceneCases),
                         [](const ::testing::TestParamInfo<SceneCase> &info) {
                             return std::string(info.param.name);
                         });
