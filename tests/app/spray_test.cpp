// The blood spray at the wound: how the particles are thrown, aged, moved and
// drawn as frames of the running game are rendered, and that nothing but a
// frame of a running, bleeding game touches them.

#include "gamefixture.h"

#include "fenster.h"
#include "gameclock.h"
#include "level.h"
#include "particles.h"
#include "random.h"
#include "scenestate.h"

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/SbViewportRegion.h>
#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoGetMatrixAction.h>
#include <Inventor/actions/SoHandleEventAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/events/SoMouseButtonEvent.h>
#include <Inventor/nodes/SoSeparator.h>

#include <QAction>

#include <functional>
#include <vector>

namespace
{
const SbVec3f wound(10, 93, 63);

struct Particle {
    SbVec3f position;
    SbVec3f velocity;
    double lastUpdate;
    double age;

    bool operator==(const Particle &other) const
    {
        return position == other.position && velocity == other.velocity &&
               lastUpdate == other.lastUpdate && age == other.age;
    }
};

std::vector<Particle> particles()
{
    std::vector<Particle> all;
    for (int i = 0; i < particleCount; ++i)
        all.push_back(
            {particlePositions[i], particleVelocities[i], particleLastUpdate[i], particleAges[i]});
    return all;
}

// The random draws of one respawn, in the order the spray takes them.
struct Throw {
    float age;
    float rz;
    float ry;
    float rx;
};

std::vector<Throw> throwsFromSequenceStart()
{
    restartRandomSequence();
    std::vector<Throw> all;
    for (int i = 0; i < particleCount; ++i) {
        Throw t;
        t.age = static_cast<float>(nextRandom() / 32768.0 * 0.5);
        t.rz = static_cast<float>(nextRandom() / 32768.0 * 2);
        t.ry = static_cast<float>(nextRandom() / 32768.0 * 10);
        t.rx = static_cast<float>(nextRandom() / 32768.0 * 2);
        all.push_back(t);
    }
    return all;
}

// The next value of a sequence restarted and then drawn `drawn` times.
int sequenceValueAfter(int drawn)
{
    restartRandomSequence();
    for (int i = 0; i < drawn; ++i)
        nextRandom();
    return nextRandom();
}

// The eye 100 units in front of the wound, looking at it along -z.
void faceTheWound()
{
    lookAlongMinusZ(wound[0], wound[1], wound[2] + 100);
}

QRect around(QPoint centre, int radius)
{
    return QRect(centre - QPoint(radius, radius), centre + QPoint(radius, radius));
}

const char *const darkRoom = "#Inventor V2.1 ascii\nSeparator { }\n";
} // namespace

class SprayTest : public GameTest
{
  protected:
    void SetUp() override
    {
        GameTest::SetUp();
        writeScene(darkRoom);
    }
};

TEST_F(SprayTest, FirstFrameThrowsEveryParticleFromTheWound)
{
    runWindow([] {
        showRunningGame();
        faceTheWound();
        for (int i = 0; i < particleCount; ++i)
            ASSERT_EQ(particleAges[i], -1) << "particle " << i << " before the first frame";
        mainWindow->level->bleedingStage = 1;
        restartRandomSequence();
        const QImage frame = grabView();

        const std::vector<Throw> expected = throwsFromSequenceStart();
        for (int i = 0; i < particleCount; ++i) {
            SCOPED_TRACE(i);
            const Throw &t = expected[static_cast<size_t>(i)];
            EXPECT_DOUBLE_EQ(particleAges[i], t.age);
            EXPECT_EQ(particleLastUpdate[i], simulationTime);
            EXPECT_EQ(particlePositions[i], SbVec3f(0, 0, 0));
            EXPECT_FLOAT_EQ(particleVelocities[i][0], t.rx - 1);
            EXPECT_FLOAT_EQ(particleVelocities[i][1], 5 + (t.ry - 5));
            EXPECT_FLOAT_EQ(particleVelocities[i][2], -5 + (t.rz - 1));
        }
        // All 101 points sit on the wound, which is the view's centre.
        const QPoint centre = projectToView(wound);
        EXPECT_EQ(centre, QPoint(400, 300));
        EXPECT_GT(redPixels(frame, around(centre, 2)), 0);
        EXPECT_EQ(redPixels(frame, frame.rect()), redPixels(frame, around(centre, 2)));
    });
}

struct StageCase {
    int stage;
    float lowestUpward;
};

void PrintTo(const StageCase &c, std::ostream *out)
{
    *out << "stage " << c.stage;
}

class SprayStageTest : public SprayTest, public ::testing::WithParamInterface<StageCase>
{
};

TEST_P(SprayStageTest, ThrowsHigherAtHigherStages)
{
    const StageCase c = GetParam();
    runWindow([c] {
        showRunningGame();
        faceTheWound();
        mainWindow->level->bleedingStage = c.stage;
        renderArea->render();
        float lowest = 100;
        float highest = -100;
        for (int i = 0; i < particleCount; ++i) {
            const SbVec3f &v = particleVelocities[i];
            EXPECT_GE(v[0], -1);
            EXPECT_LT(v[0], 1);
            EXPECT_GE(v[1], c.lowestUpward);
            EXPECT_LT(v[1], c.lowestUpward + 10);
            EXPECT_GE(v[2], -6);
            EXPECT_LT(v[2], -4);
            lowest = std::min(lowest, v[1]);
            highest = std::max(highest, v[1]);
        }
        // A hundred throws spread over most of the range.
        EXPECT_LT(lowest, c.lowestUpward + 1);
        EXPECT_GT(highest, c.lowestUpward + 9);
    });
}

INSTANTIATE_TEST_SUITE_P(Stages, SprayStageTest,
                         ::testing::Values(StageCase{1, 0}, StageCase{2, 5}, StageCase{3, 10}),
                         [](const ::testing::TestParamInfo<StageCase> &info) {
                             return "Stage" + std::to_string(info.param.stage);
                         });

TEST_F(SprayTest, FramesBetweenTicksMoveNothing)
{
    runWindow([] {
        showRunningGame();
        faceTheWound();
        mainWindow->level->bleedingStage = 1;
        restartRandomSequence();
        renderArea->render();
        const std::vector<Particle> first = particles();
        renderArea->render();
        renderArea->render();
        EXPECT_EQ(particles(), first);
        // No particle was thrown again: the sequence stands after 400 draws.
        const int next = nextRandom();
        EXPECT_EQ(next, sequenceValueAfter(4 * particleCount));
    });
}

TEST_F(SprayTest, TickMovesAgesAndSlowsEveryParticle)
{
    runWindow([] {
        showRunningGame();
        faceTheWound();
        mainWindow->level->bleedingStage = 1;
        renderArea->render();
        const std::vector<Particle> before = particles();
        mainWindow->advanceClock();
        renderArea->render();
        for (int i = 0; i < particleCount; ++i) {
            SCOPED_TRACE(i);
            const Particle &old = before[static_cast<size_t>(i)];
            const double dt = simulationTime - old.lastUpdate;
            const float dtf = static_cast<float>(dt);
            EXPECT_NEAR(dt, 0.1, 1e-9);
            EXPECT_DOUBLE_EQ(particleAges[i], old.age + dt);
            EXPECT_EQ(particleLastUpdate[i], simulationTime);
            // The move uses the velocity from before the update; both are
            // formed in double and stored as float.
            for (int k = 0; k < 3; ++k)
                EXPECT_FLOAT_EQ(
                    particlePositions[i][k],
                    static_cast<float>(old.position[k] + double(old.velocity[k]) * dtf));
            EXPECT_FLOAT_EQ(particleVelocities[i][0], old.velocity[0]);
            EXPECT_FLOAT_EQ(particleVelocities[i][1],
                            static_cast<float>(old.velocity[1] - 30.0 * dtf));
            EXPECT_FLOAT_EQ(particleVelocities[i][2], old.velocity[2]);
        }
    });
}

TEST_F(SprayTest, ParticlePastAgeOneIsStillDrawnThenThrownAgain)
{
    runWindow([] {
        showRunningGame();
        faceTheWound();
        mainWindow->level->bleedingStage = 1;
        renderArea->render();
        const int old = 7;
        particleAges[old] = 0.95;
        particlePositions[old].setValue(0, 30, 0);
        particleVelocities[old].setValue(0, 10, 0);
        mainWindow->advanceClock();

        const QImage frame = grabView();
        EXPECT_GT(particleAges[old], 1);
        EXPECT_FLOAT_EQ(particlePositions[old][1], 31);
        EXPECT_FLOAT_EQ(particleVelocities[old][1], 7);
        // The others are still within two units of the wound; only the old
        // particle can be this far above it.
        const QPoint high = projectToView(wound + SbVec3f(0, 31, 0));
        EXPECT_GT(redPixels(frame, around(high, 2)), 0);

        mainWindow->advanceClock();
        renderArea->render();
        EXPECT_GE(particleAges[old], 0);
        EXPECT_LT(particleAges[old], 0.5);
        EXPECT_EQ(particleLastUpdate[old], simulationTime);
        EXPECT_EQ(particlePositions[old], SbVec3f(0, 0, 0));
    });
}

// Every traversal but a GL render passes the spray node without effect.
TEST_F(SprayTest, OtherTraversalsLeaveTheParticlesAlone)
{
    runWindow([] {
        showRunningGame();
        mainWindow->level->bleedingStage = 2;
        const SbViewportRegion viewport = renderArea->getViewportRegion();
        SoMouseButtonEvent release;
        release.setButton(SoMouseButtonEvent::BUTTON1);
        release.setState(SoButtonEvent::UP);
        release.setPosition(SbVec2s(400, 300));
        const std::vector<std::pair<const char *, std::function<void()>>> traversals = {
            {"bounding box", [&] { SoGetBoundingBoxAction(viewport).apply(sceneRoot); }},
            {"ray pick",
             [&] {
                 SoRayPickAction pick(viewport);
                 pick.setPoint(SbVec2s(400, 300));
                 pick.apply(sceneRoot);
             }},
            {"callback", [&] { SoCallbackAction().apply(sceneRoot); }},
            {"matrix", [&] { SoGetMatrixAction(viewport).apply(sceneRoot); }},
            {"search",
             [&] {
                 SoSearchAction search;
                 search.setInterest(SoSearchAction::ALL);
                 search.setType(SoSeparator::getClassTypeId());
                 search.apply(sceneRoot);
             }},
            {"button release",
             [&] {
                 SoHandleEventAction handle(viewport);
                 handle.setEvent(&release);
                 handle.apply(sceneRoot);
             }},
        };
        restartRandomSequence();
        for (const auto &traversal : traversals) {
            SCOPED_TRACE(traversal.first);
            traversal.second();
            for (int i = 0; i < particleCount; ++i)
                ASSERT_EQ(particleAges[i], -1) << "particle " << i;
        }
        const int next = nextRandom();
        EXPECT_EQ(next, sequenceValueAfter(0));
    });
}

TEST_F(SprayTest, FramesWithoutBleedingOrGameLeaveTheParticlesAlone)
{
    runWindow([] {
        showRunningGame();
        faceTheWound();
        mainWindow->level->bleedingStage = 1;
        renderArea->render();
        const std::vector<Particle> thrown = particles();
        mainWindow->advanceClock();

        mainWindow->level->bleedingStage = 0;
        renderArea->render();
        EXPECT_EQ(particles(), thrown);

        mainWindow->level->bleedingStage = 1;
        mainWindow->running = false;
        renderArea->render();
        EXPECT_EQ(particles(), thrown);
    });
}

class SprayFrameTest : public SprayTest, public ::testing::WithParamInterface<int>
{
};

TEST_P(SprayFrameTest, RedPointsAtTheWoundOnlyWhileBleeding)
{
    const int stage = GetParam();
    runWindow([stage] {
        showRunningGame();
        faceTheWound();
        mainWindow->level->bleedingStage = stage;
        grabView();
        for (int tick = 0; tick < 3; ++tick)
            mainWindow->advanceClock();
        const QImage frame = grabView();
        const int nearWound = redPixels(frame, around(projectToView(wound), 80));
        EXPECT_EQ(redPixels(frame, frame.rect()), nearWound);
        if (stage > 0) {
            EXPECT_GT(nearWound, 10);
        } else {
            EXPECT_EQ(nearWound, 0);
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Stages, SprayFrameTest, ::testing::Values(0, 1, 3));
