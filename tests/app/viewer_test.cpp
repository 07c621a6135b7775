// The 3D view's set-up and teardown: the graph built around the room file,
// the render area in the window, the pendulums, and what a missing or broken
// room file leaves behind.

#include "gamefixture.h"

#include "fenster.h"
#include "fraktur.h"
#include "particles.h"
#include "scenestate.h"

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/actions/SoHandleEventAction.h>
#include <Inventor/events/SoKeyboardEvent.h>
#include <Inventor/events/SoLocation2Event.h>
#include <Inventor/events/SoMouseButtonEvent.h>
#include <Inventor/nodes/SoCallback.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoDirectionalLight.h>
#include <Inventor/nodes/SoEventCallback.h>
#include <Inventor/nodes/SoPendulum.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoRotor.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/sensors/SoNodeSensor.h>

#include <QLabel>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace
{
const char *const pendulumNames[6] = {"pend1", "pend2", "pend3", "pend4", "pend5", "pend6"};

// A room of four top-level nodes with the six pendulums between them, each
// swinging as the file has it.
const char *const fullRoom = "#Inventor V2.1 ascii\n"
                             "DEF First Cube { }\n"
                             "DEF pend1 Pendulum { on TRUE }\n"
                             "DEF pend2 Pendulum { on TRUE }\n"
                             "DEF pend3 Pendulum { on TRUE }\n"
                             "DEF Middle Separator { Cube { } }\n"
                             "DEF pend4 Pendulum { on TRUE }\n"
                             "DEF pend5 Pendulum { on TRUE }\n"
                             "DEF pend6 Pendulum { on TRUE }\n"
                             "DEF Last Cube { }\n";

std::string nameOf(const SoNode *node)
{
    return node->getName().getString();
}

// A node of type T as newly made, for comparing fields with their defaults->
template <class T> class Fresh
{
  public:
    Fresh() { node->ref(); }
    ~Fresh() { node->unref(); }
    const T *operator->() const { return node; }

  private:
    T *node = new T;
};

SbVec3f transformed(const SbRotation &rotation, const SbVec3f &v)
{
    SbVec3f result;
    rotation.multVec(v, result);
    return result;
}

// Runs the clock until the scenario steps with the shock active.
void stepInShock()
{
    static_cast<Fraktur *>(mainWindow->level)->complicationActive = 1;
    for (int tick = 0; tick < 20; ++tick)
        mainWindow->advanceClock();
    ASSERT_TRUE(mainWindow->level->shock);
}

// Counts how often each watched node is destroyed.
class DeathWatch
{
  public:
    void watch(SoNode *node)
    {
        auto sensor = std::make_unique<SoNodeSensor>();
        sensor->attach(node);
        deaths.push_back(0);
        sensor->setDeleteCallback(&DeathWatch::died, &deaths.back());
        sensors.push_back(std::move(sensor));
    }
    int deathsOf(size_t index) const { return deaths[index]; }
    size_t size() const { return deaths.size(); }

  private:
    static void died(void *counter, SoSensor *) { ++*static_cast<int *>(counter); }

    std::vector<std::unique_ptr<SoNodeSensor>> sensors;
    std::deque<int> deaths;
};
} // namespace

class ViewerTest : public GameTest
{
  protected:
    void SetUp() override
    {
        GameTest::SetUp();
        writeScene(fullRoom);
    }
};

TEST_F(ViewerTest, GraphHasCameraLightRoomEventNodesAndSprayInOrder)
{
    runWindow([] {
        struct Child {
            SoType type;
            const char *name;
        };
        const Child expected[] = {
            {SoPerspectiveCamera::getClassTypeId(), ""}, {SoDirectionalLight::getClassTypeId(), ""},
            {SoCube::getClassTypeId(), "First"},         {SoPendulum::getClassTypeId(), "pend1"},
            {SoPendulum::getClassTypeId(), "pend2"},     {SoPendulum::getClassTypeId(), "pend3"},
            {SoSeparator::getClassTypeId(), "Middle"},   {SoPendulum::getClassTypeId(), "pend4"},
            {SoPendulum::getClassTypeId(), "pend5"},     {SoPendulum::getClassTypeId(), "pend6"},
            {SoCube::getClassTypeId(), "Last"},          {SoEventCallback::getClassTypeId(), ""},
            {SoEventCallback::getClassTypeId(), ""},     {SoEventCallback::getClassTypeId(), ""},
            {SoCallback::getClassTypeId(), ""}};
        ASSERT_EQ(sceneRoot->getNumChildren(), 15);
        for (int i = 0; i < 15; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(sceneRoot->getChild(i)->getTypeId(), expected[i].type);
            EXPECT_EQ(nameOf(sceneRoot->getChild(i)), expected[i].name);
        }
        EXPECT_EQ(sceneRoot->getChild(0), camera);
    });
}

TEST_F(ViewerTest, CameraStandsAtTheStartLookingAtThePatient)
{
    runWindow([] {
        const Fresh<SoPerspectiveCamera> defaults;
        EXPECT_EQ(camera->nearDistance.getValue(), 1);
        EXPECT_EQ(camera->farDistance.getValue(), 1000);
        EXPECT_EQ(camera->position.getValue(), SbVec3f(-80, 160, 0));
        EXPECT_EQ(camera->heightAngle.getValue(), defaults->heightAngle.getValue());
        EXPECT_EQ(camera->focalDistance.getValue(), defaults->focalDistance.getValue());
        EXPECT_EQ(camera->aspectRatio.getValue(), defaults->aspectRatio.getValue());
        EXPECT_EQ(camera->viewportMapping.getValue(), defaults->viewportMapping.getValue());

        SbVec3f towardsTarget(80, -40, 0);
        towardsTarget.normalize();
        const SbRotation aim = camera->orientation.getValue();
        EXPECT_TRUE(transformed(aim, SbVec3f(0, 0, -1)).equals(towardsTarget, 1e-6f));
        // The scene's y axis stays up: the view's up lies in the vertical
        // plane of the view direction.
        const SbVec3f up = transformed(aim, SbVec3f(0, 1, 0));
        EXPECT_NEAR(up[2], 0, 1e-6);
        EXPECT_GT(up[1], 0.8f);
    });
}

TEST_F(ViewerTest, LightShinesStraightDown)
{
    runWindow([] {
        const Fresh<SoDirectionalLight> defaults;
        SoNode *second = sceneRoot->getChild(1);
        ASSERT_EQ(second->getTypeId(), SoDirectionalLight::getClassTypeId());
        const auto *light = static_cast<SoDirectionalLight *>(second);
        EXPECT_EQ(light->color.getValue(), SbColor(0.8f, 0.8f, 0.8f));
        EXPECT_EQ(light->direction.getValue(), SbVec3f(0, -1, 0));
        EXPECT_EQ(light->on.getValue(), defaults->on.getValue());
        EXPECT_EQ(light->intensity.getValue(), defaults->intensity.getValue());
    });
}

// Each event node answers its own kind of event. Key events are button
// events too, so the button node alone would pick on a key press: only the
// keyboard node standing before it, handling Up, keeps that from happening.
TEST_F(ViewerTest, EachEventNodeAnswersItsOwnEventType)
{
    struct Case {
        int fromEnd;
        const char *event;
        bool walks;
        bool anchors;
        bool picks;
    };
    const Case cases[] = {
        {4, "key Up", true, false, false},  {4, "motion", false, false, false},
        {4, "button", false, false, false}, {3, "key Up", false, false, false},
        {3, "motion", false, true, false},  {3, "button", false, false, false},
        {2, "key Up", false, false, true},  {2, "motion", false, false, false},
        {2, "button", false, false, true},
    };
    runWindow([&] {
        SoKeyboardEvent up;
        up.setKey(SoKeyboardEvent::UP_ARROW);
        up.setState(SoButtonEvent::DOWN);
        SoLocation2Event motion;
        SoMouseButtonEvent press;
        press.setButton(SoMouseButtonEvent::BUTTON1);
        press.setState(SoButtonEvent::DOWN);
        for (const Case &c : cases) {
            SCOPED_TRACE(std::to_string(c.fromEnd) + " from the end, " + c.event);
            const std::string kind = c.event;
            SoEvent *event = kind == "key Up"   ? static_cast<SoEvent *>(&up)
                             : kind == "motion" ? static_cast<SoEvent *>(&motion)
                                                : static_cast<SoEvent *>(&press);
            // The room's cubes fill the middle of the view, and a step
            // forwards is free.
            lookAlongMinusZ(0, 0, 150);
            lastCursorX = lastCursorY = -1;
            takeOutput();
            event->setPosition(SbVec2s(400, 300));
            SoHandleEventAction handle(renderArea->getViewportRegion());
            handle.setEvent(event);
            handle.apply(sceneRoot->getChild(sceneRoot->getNumChildren() - c.fromEnd));
            EXPECT_EQ(cameraPosition[2] != 150, c.walks);
            EXPECT_EQ(lastCursorX != -1, c.anchors);
            EXPECT_EQ(!takeOutput().empty(), c.picks);
        }
    });
}

TEST_F(ViewerTest, RenderAreaShowsTheRoomInsideTheViewUnderTheScenarioTitle)
{
    runWindow([] {
        ASSERT_NE(renderArea, nullptr);
        EXPECT_EQ(renderArea->getParentWidget(), mainWindow->viewWidget);
        EXPECT_FALSE(renderArea->isTopLevelShell());
        EXPECT_EQ(renderArea->getSceneGraph(), sceneRoot);
        // An embedded render area hands its title to the window holding it.
        EXPECT_EQ(mainWindow->windowTitle(),
                  QStringLiteral("Curavant Beta       Diagnose: Unterschenkelfraktur"));
        EXPECT_TRUE(mainWindow->viewWidget->isAncestorOf(glWidget()));

        // Before "Start!" the window shows the logo in the view's place.
        EXPECT_TRUE(mainWindow->isVisible());
        EXPECT_FALSE(mainWindow->viewWidget->isVisible());
        EXPECT_TRUE(mainWindow->logoLabel->isVisible());
        startGame();
        EXPECT_TRUE(mainWindow->viewWidget->isVisible());
        EXPECT_FALSE(mainWindow->logoLabel->isVisible());
        EXPECT_EQ(renderArea->getSize(), SbVec2s(800, 600));
    });
}

TEST_F(ViewerTest, PendulumsAreFoundAndStandStill)
{
    runWindow([] {
        for (int i = 0; i < 6; ++i) {
            SCOPED_TRACE(pendulumNames[i]);
            EXPECT_EQ(mainWindow->pendulums[i], SoNode::getByName(pendulumNames[i]));
            ASSERT_NE(mainWindow->pendulums[i], nullptr);
            EXPECT_FALSE(mainWindow->pendulums[i]->on.getValue());
        }
    });
}

TEST_F(ViewerTest, TeardownDestroysTheWholeGraphOnce)
{
    DeathWatch watch;
    SoNode *kept = nullptr;
    runWindow(
        [&] {
            for (int i = 0; i < sceneRoot->getNumChildren(); ++i)
                watch.watch(sceneRoot->getChild(i));
            watch.watch(sceneRoot);
            // A node of the room that the test holds on to itself.
            kept = SoNode::getByName("Middle");
            ASSERT_NE(kept, nullptr);
            kept->ref();
            EXPECT_EQ(kept->getRefCount(), 2);
            startGame();
        },
        [&] {
            EXPECT_EQ(kept->getRefCount(), 1) << "only the test's own reference is left";
            for (size_t i = 0; i < watch.size(); ++i) {
                SCOPED_TRACE(i);
                EXPECT_EQ(watch.deathsOf(i), i == 6 ? 0 : 1);
            }
            kept->unref();
            EXPECT_EQ(watch.deathsOf(6), 1);

            EXPECT_EQ(sceneRoot, nullptr);
            EXPECT_EQ(camera, nullptr);
            EXPECT_EQ(renderArea, nullptr);
            for (SoPendulum *pendulum : mainWindow->pendulums)
                EXPECT_EQ(pendulum, nullptr);
            EXPECT_EQ(particlePositions, nullptr);
            EXPECT_EQ(particleVelocities, nullptr);
            EXPECT_EQ(particleLastUpdate, nullptr);
            EXPECT_EQ(particleAges, nullptr);
            EXPECT_FALSE(mainWindow->running);
            EXPECT_TRUE(mainWindow->viewWidget->isHidden());
            EXPECT_FALSE(mainWindow->logoLabel->isHidden());
        });
}

// A room file that cannot be used is reported and the game goes on in an
// empty room: it starts, ticks through a shock, walks, turns, picks nothing
// and draws frames.
struct BrokenRoom {
    const char *name;
    bool present;
    const char *text;
    const char *report;
};

void PrintTo(const BrokenRoom &room, std::ostream *out)
{
    *out << room.name;
}

class BrokenRoomTest : public GameTest, public ::testing::WithParamInterface<BrokenRoom>
{
};

TEST_P(BrokenRoomTest, IsReportedAndTheGameGoesOnInAnEmptyRoom)
{
    const BrokenRoom room = GetParam();
    if (room.present)
        writeScene(room.text);
    else
        removeScene();
    runWindow([&] {
        EXPECT_EQ(takeOutput(), room.report);
        ASSERT_NE(sceneRoot, nullptr);
        EXPECT_EQ(sceneRoot->getNumChildren(), 6) << "camera, light, three event nodes, spray";
        for (SoPendulum *pendulum : mainWindow->pendulums)
            EXPECT_EQ(pendulum, nullptr);

        showRunningGame();
        mainWindow->level->bleedingStage = 2;
        stepInShock();
        click(viewCentre());
        pressKey(Qt::Key_Up);
        moveMouse(viewCentre());
        grabView();
        EXPECT_EQ(cameraPosition[0], -75);
        EXPECT_EQ(takeOutput(), "");
    });
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenRoomTest,
    ::testing::Values(BrokenRoom{"Missing", false, "",
                                 "File not found: ../data/scene002.iv\n"
                                 "Problem reading file: ../data/scene002.iv\n"},
                      BrokenRoom{"Empty", true, "", "Problem reading file: ../data/scene002.iv\n"},
                      BrokenRoom{"Corrupt", true,
                                 "#Inventor V2.1 ascii\nSeparator { Cube { width } \n",
                                 "Problem reading file: ../data/scene002.iv\n"},
                      BrokenRoom{"NotInventor", true, "<html>room</html>\n",
                                 "Problem reading file: ../data/scene002.iv\n"}),
    [](const ::testing::TestParamInfo<BrokenRoom> &info) { return info.param.name; });

// The shock switches on the pendulums the room has; a missing one is
// skipped, and so is a node that carries a pendulum's name without being one.
struct PendulumRoom {
    const char *name;
    const char *text;
    bool pendulum[6];
};

void PrintTo(const PendulumRoom &room, std::ostream *out)
{
    *out << room.name;
}

class PendulumRoomTest : public GameTest, public ::testing::WithParamInterface<PendulumRoom>
{
};

TEST_P(PendulumRoomTest, ShockSwingsOnlyTheRealPendulums)
{
    const PendulumRoom room = GetParam();
    writeScene(room.text);
    runWindow([&] {
        EXPECT_EQ(takeOutput(), "");
        startGame();
        stepInShock();
        for (int i = 0; i < 6; ++i) {
            SCOPED_TRACE(pendulumNames[i]);
            if (!room.pendulum[i]) {
                EXPECT_EQ(mainWindow->pendulums[i], nullptr);
                continue;
            }
            ASSERT_NE(mainWindow->pendulums[i], nullptr);
            EXPECT_TRUE(mainWindow->pendulums[i]->on.getValue());
        }
        SoNode *first = SoNode::getByName("pend1");
        if (first && first->isOfType(SoRotor::getClassTypeId())) {
            const auto *rotor = static_cast<SoRotor *>(first);
            EXPECT_FALSE(rotor->on.getValue());
            EXPECT_EQ(rotor->speed.getValue(), 0.25f);
        }
    });
}

INSTANTIATE_TEST_SUITE_P(
    Rooms, PendulumRoomTest,
    ::testing::Values(
        PendulumRoom{"AllSix", fullRoom, {true, true, true, true, true, true}},
        PendulumRoom{"None", "#Inventor V2.1 ascii\nSeparator { Cube { } }\n", {}},
        PendulumRoom{"ThirdMissing",
                     "#Inventor V2.1 ascii\nSeparator {\n"
                     "DEF pend1 Pendulum { } DEF pend2 Pendulum { } DEF pend4 Pendulum { }\n"
                     "DEF pend5 Pendulum { } DEF pend6 Pendulum { } }\n",
                     {true, true, false, true, true, true}},
        PendulumRoom{"FirstIsARotor",
                     "#Inventor V2.1 ascii\nSeparator {\n"
                     "DEF pend1 Rotor { on FALSE speed 0.25 } DEF pend2 Pendulum { }\n"
                     "DEF pend3 Pendulum { } DEF pend4 Pendulum { } DEF pend5 Pendulum { }\n"
                     "DEF pend6 Pendulum { } }\n",
                     {false, true, true, true, true, true}}),
    [](const ::testing::TestParamInfo<PendulumRoom> &info) { return info.param.name; });
