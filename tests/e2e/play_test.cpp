// One game played through the real program the way a person plays it: the
// idle window, "Start!" from the menu, a look around with the mouse, the
// plaster taken from the trolley and put on the patient's wounded shin, a
// few steps with the arrow keys, "Ende", and the window closed twice.

#include "gameprocess.h"
#include "gameround.h"
#include "gamescreen.h"
#include "imagecompare.h"
#include "player.h"
#include "sceneprobe.h"
#include "scratchtree.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <vector>

namespace
{
const SbVec3f eye(-80, 160, 0);
const int attempts = 5;

int scoreOf(const QString &text)
{
    return text.section(QLatin1Char(' '), 1).toInt();
}

// Every value the points label has shown in one game, in order. The label
// changes only at a scenario step, about a second apart, and the test looks
// every 50 ms or so, so it sees each change.
struct ScoreLog {
    std::vector<int> values{0};
    void see(const QString &text)
    {
        if (!text.isNull() && scoreOf(text) != values.back())
            values.push_back(scoreOf(text));
    }
    size_t changes() const { return values.size() - 1; }
    int change(size_t i) const { return values[i + 1] - values[i]; }
};

// What the scenario's random strikes have done, read from the score: a
// shock begins with -60, and each worsening of the bleeding (only possible
// during a shock) costs 40.
struct Strikes {
    bool shock = false;
    bool worseBleeding = false;
    void see(int change)
    {
        shock = shock || change == -60;
        worseBleeding = worseBleeding || change == -40;
    }
};

struct Pick {
    std::string prefix; // the bare number that ran into the line
    std::string name;
    SbVec3f point;
};

// The pick lines of the program's output; `rest` gets what follows the last
// newline. Empty when any line is something else.
std::vector<Pick> pickLines(const std::string &output, std::string &rest)
{
    static const QRegularExpression line(QStringLiteral(
        R"(^(\d*)([A-Za-z0-9_]*) an Pos: (-?[0-9.e+-]+),(-?[0-9.e+-]+),(-?[0-9.e+-]+)\.$)"));
    std::vector<Pick> picks;
    QStringList lines = QString::fromStdString(output).split(QLatin1Char('\n'));
    rest = lines.takeLast().toStdString();
    for (const QString &text : lines) {
        const QRegularExpressionMatch m = line.match(text);
        if (!m.hasMatch())
            return {};
        picks.push_back(
            {m.captured(1).toStdString(), m.captured(2).toStdString(),
             SbVec3f(m.captured(3).toFloat(), m.captured(4).toFloat(), m.captured(5).toFloat())});
    }
    return picks;
}

bool near(const SbBox3f &box, const SbVec3f &point, float slack)
{
    SbBox3f grown = box;
    grown.extendBy(box.getMin() - SbVec3f(slack, slack, slack));
    grown.extendBy(box.getMax() + SbVec3f(slack, slack, slack));
    return grown.intersect(point);
}
} // namespace

class PlayTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(tree.isValid());
        ASSERT_TRUE(probe.isValid());
        ASSERT_TRUE(screen.isOpen());
        ASSERT_TRUE(game.start());
        game.setPollHook([this] { watchScore(); });
    }

    // Keeps the score log of the current game. After "Start!" the labels
    // keep the last game's texts until the new game's first tick and first
    // step; the log takes the points once the time shows that step is done.
    void watchScore()
    {
        if (!watching)
            return;
        const QImage side = player.sideShot();
        const int seconds = shownSeconds(player.time(side));
        newGameTicking = newGameTicking || seconds >= 238;
        if (newGameTicking && seconds >= 0 && seconds <= 237)
            log.see(player.points(side));
    }

    void restartGame()
    {
        watching = false;
        log = ScoreLog();
        newGameTicking = false;
        ASSERT_TRUE(player.choose(QStringLiteral("Spiel"), QStringLiteral("Start!")));
        watching = true;
        ASSERT_TRUE(game.waitFor([&] { return newGameTicking && log.values.size() >= 1; }, 5000));
        ASSERT_TRUE(
            player.waitForTime([](const QString &t) { return shownSeconds(t) <= 237; }, 5000));
    }

    SceneProbe::Turn aimAt(const char *name, SceneProbe::Gaze from)
    {
        return probe.turnTowards(name, eye, from, player.anchorPixel(), [this] { watchScore(); });
    }

    // Turns by `turn` and clicks; waits for the pick line of `name`.
    void turnAndClick(int right, int up, const char *name)
    {
        ASSERT_TRUE(player.turn(right, up));
        const size_t before = game.output().size();
        ASSERT_TRUE(player.click());
        const std::string wanted = std::string(name) + " an Pos: ";
        ASSERT_TRUE(game.waitFor(
            [&] { return game.output().find(wanted, before) != std::string::npos; }, 5000))
            << "no pick line for " << name << " in: " << game.output();
    }

    ScratchTree tree;
    SceneProbe probe{tree.dataPath(QStringLiteral("scene002.iv")).toStdString()};
    GameScreen screen;
    GameProcess game{tree, [] {
                         GameProcess::Options options;
                         options.unbuffered = true;
                         return options;
                     }()};
    Player player{game, screen};
    ScoreLog log;
    bool watching = false;
    bool newGameTicking = false;
};

TEST_F(PlayTest, OneGameFromTheIdleWindowToTheEnd)
{
    // The idle window: the side column's first texts, the logo in the view's
    // place on the right, no tool in hand.
    ASSERT_TRUE(player.waitForIdleWindow());
    const QRect window = player.windowRect();
    EXPECT_EQ(window.size(), QSize(1000, 600));
    EXPECT_EQ(player.time(), QStringLiteral("TIME: 4:00"));
    EXPECT_EQ(player.points(), QStringLiteral("PUNKTE: 0"));
    EXPECT_TRUE(player.healthShows(QStringLiteral("Health: 100")));
    EXPECT_GE(player.viewRect().left() - window.left(), 150);
    EXPECT_EQ(player.viewRect().size(), QSize(800, 600));
    EXPECT_TRUE(game.waitFor([&] { return player.logoShown(); }, 10000));
    EXPECT_TRUE(player.toolLabelEmpty());

    // "Start!": the room replaces the logo and the clock counts down.
    ASSERT_TRUE(player.choose(QStringLiteral("Spiel"), QStringLiteral("Start!")));
    ASSERT_TRUE(game.waitFor([&] { return player.roomShown(); }, 5000));
    ASSERT_TRUE(player.waitForTime(
        [](const QString &t) {
            return t.startsWith(QLatin1String("Time: 3:5")) && shownSeconds(t) <= 237;
        },
        10000))
        << "the time label reads " << player.time().toStdString();

    // The first motion in the view anchors the mouse-look; from the anchor
    // the probe finds the turns to the plaster and on to the shin. Finding
    // them takes a few seconds, so the treatment itself is played in a new
    // game, quickly, before random strikes can make the plaster the wrong
    // dressing. If one does (the bleeding worsens first: -40 on the score),
    // the round is played again, turning back and forth between the two.
    ASSERT_TRUE(player.enterView());
    const SceneProbe::Turn toPlaster = aimAt("Pflaster", SceneProbe::Gaze());
    ASSERT_TRUE(toPlaster.found) << "the plaster cannot be aimed at from the start position";
    const SceneProbe::Turn toShin = aimAt("L_Shin1", toPlaster.after);
    ASSERT_TRUE(toShin.found) << "the shin cannot be aimed at after the plaster";
    for (const SceneProbe::Turn &turn : {toPlaster, toShin}) {
        EXPECT_GE(turn.margin, 2);
        EXPECT_LT(std::abs(turn.after.pitch), SceneProbe::pitchLimit);
    }

    const QImage plasterIcon(tree.dataPath(QStringLiteral("Icons/pflaster.bmp")));
    bool treated = false;
    bool atShin = false;
    for (int attempt = 1; attempt <= attempts && !treated; ++attempt) {
        ASSERT_NO_FATAL_FAILURE(restartGame());
        ASSERT_TRUE(player.enterView());
        Strikes strikes;
        const int right = attempt == 1 ? toPlaster.right : atShin ? -toShin.right : 0;
        const int up = attempt == 1 ? toPlaster.up : atShin ? -toShin.up : 0;
        ASSERT_NO_FATAL_FAILURE(turnAndClick(right, up, "Pflaster"));
        atShin = false;
        EXPECT_TRUE(game.waitFor([&] { return player.toolShows(plasterIcon); }, 3000));
        for (size_t i = 0; i < log.changes(); ++i)
            strikes.see(log.change(i));
        if (strikes.worseBleeding)
            continue;

        const size_t seen = log.changes();
        const size_t before = game.output().size();
        ASSERT_NO_FATAL_FAILURE(turnAndClick(toShin.right, toShin.up, "L_Shin1"));
        atShin = true;
        // The plaster's tool id ran into the shin's pick line, and the
        // treatment code follows it.
        EXPECT_EQ(game.output().find("6L_Shin1 an Pos: ", before - 1), before - 1) << game.output();
        ASSERT_TRUE(game.waitFor(
            [&] { return game.output().find(".\n3", before) != std::string::npos; }, 3000))
            << "no treatment code after the pick line: " << game.output();
        EXPECT_TRUE(game.waitFor([&] { return player.toolLabelEmpty(); }, 3000));

        // The next change of the score is the plaster's +100, unless a
        // strike fell on the same step (then 100 - 60 or 100 - 40).
        size_t next = seen;
        int change = 0;
        ASSERT_TRUE(game.waitFor(
            [&] {
                while (next < log.changes()) {
                    change = log.change(next++);
                    if (change != -60 || strikes.shock)
                        return true;
                    strikes.shock = true; // a step just before the plaster landed
                }
                return false;
            },
            4000))
            << "the points label did not change after the plaster";
        if (change == -40 && strikes.shock)
            continue; // the bleeding worsened just before the plaster landed
        const bool plasterScored =
            change == 100 || (change == 40 && !strikes.shock) || (change == 60 && strikes.shock);
        ASSERT_TRUE(plasterScored) << "the score changed by " << change
                                   << "; scores seen: " << ::testing::PrintToString(log.values);
        treated = true;
    }
    ASSERT_TRUE(treated) << "the bleeding worsened before the plaster in every attempt";
    watching = false;

    // Up and Down walk: the view moves, and no key picks.
    const size_t printed = game.output().size();
    for (const char *key : {"Up", "Down"}) {
        const QImage before = player.viewShot();
        ASSERT_TRUE(screen.keys({QString::fromLatin1(key)}));
        EXPECT_TRUE(
            game.waitFor([&] { return changedShare(before, player.viewShot()) > 0.05; }, 3000))
            << key << " did not move the view";
    }
    // A pick would have been written before the frame that shows the step;
    // a few more polls let any such output arrive.
    game.waitFor([] { return false; }, 300);
    EXPECT_EQ(game.output().substr(printed), "");

    // "Ende" brings the logo back; the first close leaves the idle window,
    // the second ends the program.
    ASSERT_TRUE(player.choose(QStringLiteral("Spiel"), QStringLiteral("Ende")));
    EXPECT_TRUE(game.waitFor([&] { return player.logoShown(); }, 5000));
    ASSERT_TRUE(player.closeToIdle());
    EXPECT_TRUE(game.waitFor([&] { return player.logoShown(); }, 5000));
    ASSERT_TRUE(player.closeToExit());
    EXPECT_TRUE(game.exitedNormally()) << game.errors();
    EXPECT_EQ(game.exitCode(), 0) << game.errors();

    // Everything written is pick lines with the numbers that ran into them,
    // each at a point of the object it names, and the last treatment code.
    std::string rest;
    const std::vector<Pick> picks = pickLines(game.output(), rest);
    ASSERT_FALSE(picks.empty()) << game.output();
    EXPECT_EQ(rest, "3");
    for (const Pick &pick : picks) {
        EXPECT_TRUE(pick.name == "Pflaster" || pick.name == "L_Shin1") << pick.name;
        EXPECT_TRUE(near(probe.bounds(pick.name.c_str()), pick.point, 3))
            << pick.name << " picked outside itself";
        if (pick.name == "L_Shin1") {
            EXPECT_EQ(pick.prefix, "6");
        }
    }
    EXPECT_FALSE(hasSanitizerReport(game.errors())) << game.errors();
}
