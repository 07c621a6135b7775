// Scenarios in the real game window: a game played from a scenario (its
// length, its random start, the spray's own sequence, the rubric's result at
// "Ende"), and the menu that lists the installed scenarios and chooses one.

#include "gamefixture.h"

#include "fenster.h"
#include "fraktur.h"
#include "scenariomenu.h"
#include "scenestate.h"
#include "verdictpanel.h"

#include <Inventor/Qt/SoQtRenderArea.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace
{
// An exam: two minutes, a fixed start, the spray on its own sequence, and a
// rubric. Built here, not read, so that the game's side is tested alone.
ScenarioFile exam(SprayRandom spray)
{
    ScenarioFile file;
    file.path = "exam.toml";
    file.scenario.tenths = 1200;
    file.scenario.randomStart = 4711;
    file.scenario.spray = spray;
    Criterion alive;
    alive.name = "Patient lebt";
    alive.points = 60;
    alive.critical = true;
    file.scenario.rubric = Rubric{60, {alive}};
    return file;
}

// What the player sees of the complications after each scenario step.
struct Seen {
    bool shock;
    int bleedingStage, score;
    bool operator==(const Seen &o) const
    {
        return shock == o.shock && bleedingStage == o.bleedingStage && score == o.score;
    }
};

// Starts a game and plays its whole clock, drawing the room `frames` times
// after every tick; the spray draws random numbers in the frames that bleed.
std::vector<Seen> playGame(Fenster &w, int frames)
{
    w.startAction->trigger();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
    QCoreApplication::processEvents(); // the view learns that it is shown
    std::vector<Seen> course;
    while (w.timeLeft > 0) {
        w.advanceClock();
        for (int i = 0; i < frames; ++i)
            renderArea->render();
        if (w.timeLeft % 20 == 0)
            course.push_back({w.level->shock, w.level->bleedingStage, w.level->score});
    }
    w.endAction->trigger();
    return course;
}

std::vector<Seen> twoGames(SprayRandom spray, std::vector<Seen> &withFewFrames)
{
    std::vector<Seen> withManyFrames;
    runWindow(
        [&](Fenster &w) {
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
            withManyFrames = playGame(w, 1);
            withFewFrames = playGame(w, 0);
        },
        nullptr, exam(spray));
    return withManyFrames;
}
} // namespace

TEST(ScenarioGame, LengthFromTheScenarioAndTheResultShownFromEndeToStart)
{
    const auto body = [](Fenster &w) {
        EXPECT_EQ(w.timeLabel->text(), "TIME: 2:00");
        w.startAction->trigger();
        EXPECT_EQ(w.timeLeft, 1200);
        w.advanceClock();
        EXPECT_EQ(w.timeLabel->text(), "Time: 1:59");
        EXPECT_FALSE(w.verdictPanel->isVisible());
        w.endAction->trigger();
        ASSERT_TRUE(w.verdictPanel->isVisible()) << "no result at Ende";
        EXPECT_EQ(w.verdictPanel->verdict().pass, 60);
        const QString picture = qEnvironmentVariable("CURAVANT_VERDICT_PICTURE");
        if (!picture.isEmpty())
            w.grab().save(picture);
        w.endAction->trigger(); // while idle: the result stays
        EXPECT_TRUE(w.verdictPanel->isVisible());
        w.startAction->trigger();
        EXPECT_FALSE(w.verdictPanel->isVisible()) << "the result outlived Start!";
    };
    runWindow(body, nullptr, exam(SprayRandom::Own));

    // The built-in fracture: four minutes, and "Ende" shows the logo alone.
    runWindow([](Fenster &w) {
        EXPECT_EQ(w.timeLabel->text(), "TIME: 4:00");
        w.startAction->trigger();
        EXPECT_EQ(w.timeLeft, 2400);
        w.advanceClock();
        w.endAction->trigger();
        EXPECT_TRUE(w.logoLabel->isVisible());
        EXPECT_FALSE(w.verdictPanel->isVisible());
    });
}

// With its own sequence for the spray, a fixed start gives the same
// complications whatever the view draws; sharing the game's sequence, the
// frames drawn change them.
TEST(ScenarioGame, OwnSprayKeepsTheComplicationsApartFromTheFrames)
{
    std::vector<Seen> fewFrames;
    const std::vector<Seen> manyFrames = twoGames(SprayRandom::Own, fewFrames);
    ASSERT_EQ(manyFrames.size(), 60u);
    EXPECT_TRUE(manyFrames == fewFrames);
    EXPECT_TRUE(std::any_of(manyFrames.begin(), manyFrames.end(), [](const Seen &s) {
        return s.shock;
    })) << "no complication struck: the case tests nothing";

    const std::vector<Seen> shared = twoGames(SprayRandom::Shared, fewFrames);
    EXPECT_FALSE(shared == fewFrames) << "the frames drawn did not matter";
}
