// The 3D room in the real window. Broken room files, looking and clicking are
// played for real by the end-to-end tests.

#include "gamefixture.h"

#include "fenster.h"
#include "fraktur.h"
#include "gameclock.h"
#include "particles.h"
#include "scenestate.h"

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/nodes/SoCallback.h>
#include <Inventor/nodes/SoPendulum.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoRotor.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/sensors/SoNodeSensor.h>

#include <QAction>
#include <QLabel>
#include <QTest>

#include <algorithm>
#include <memory>

namespace
{
// Four top-level nodes with pendulums between them, all swinging; "pend1"
// names a rotor and "pend3" is missing.
const char *const fullRoom = "#Inventor V2.1 ascii\n"
                             "DEF First Cube { }\n"
                             "DEF pend1 Rotor { on FALSE } DEF pend2 Pendulum { on TRUE }\n"
                             "DEF Middle Separator { Cube { } }\n"
                             "DEF pend4 Pendulum { on TRUE } DEF pend5 Pendulum { on TRUE }\n"
                             "DEF pend6 Pendulum { on TRUE }\n"
                             "DEF Last Cube { }\n";
const char *const darkRoom = "#Inventor V2.1 ascii\nSeparator { }\n";

// The eye 100 units in front of the wound at (10, 93, 63), in a running game.
void faceTheWound(Fenster &w, int stage)
{
    w.startAction->trigger();
    w.level->bleedingStage = 0;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QCoreApplication::processEvents();
    lookAlongMinusZ(10, 93, 163);
    w.level->bleedingStage = stage;
}

int redPixels(const QImage &image, const QRect &box = QRect(0, 0, 800, 600))
{
    int count = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            count += qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 60;
    return count;
}
const QRect atTheWound(398, 298, 5, 5);
} // namespace

// Pendulums found by name and type swing only during a shock. The program
// holds one reference, on the root: the teardown destroys every node once.
TEST(Room, GraphIsBuiltAroundTheRoomAndDestroyedOnce)
{
    useRoom(fullRoom);
    std::vector<std::unique_ptr<SoNodeSensor>> sensors;
    std::vector<int> deaths(16, 0);
    const auto setUp = [&](Fenster &w) {
        // The room, camera, light, the end of what a standing view keeps, 4 callbacks.
        ASSERT_EQ(sceneRoot->getNumChildren(), 15);
        const int found[6] = {0, 4, 0, 6, 7, 8};
        const auto swinging = [&](bool on) {
            for (int i = 0; i < 6; ++i)
                EXPECT_TRUE(found[i] ? w.pendulums[i] == sceneRoot->getChild(found[i]) &&
                                           w.pendulums[i]->on.getValue() == on
                                     : !w.pendulums[i])
                    << "pend" << i + 1;
        };
        swinging(false);
        EXPECT_TRUE(w.logoLabel->isVisible() && !w.viewWidget->isVisible());
        w.startAction->trigger();
        EXPECT_TRUE(!w.logoLabel->isVisible() && w.viewWidget->isVisible());
        auto &patient = *static_cast<Fraktur *>(w.level);
        for (int shock : {1, 0}) {
            patient.complicationActive = shock;
            patient.complicationDivisor = 0.001f; // no strike unless the draw is 0
            for (int tick = 0; tick < 20; ++tick)
                w.advanceClock();
            swinging(shock);
        }
        EXPECT_FALSE(static_cast<const SoRotor *>(SoNode::getByName("pend1"))->on.getValue());

        for (int i = 0; i < 16; ++i) {
            sensors.push_back(std::make_unique<SoNodeSensor>());
            sensors.back()->attach(i < 15 ? sceneRoot->getChild(i) : sceneRoot);
            sensors.back()->setDeleteCallback(
                [](void *count, SoSensor *) { ++*static_cast<int *>(count); }, &deaths[i]);
        }
    };
    runWindow(setUp, [&](Fenster &w) {
        EXPECT_EQ(deaths, std::vector<int>(16, 1));
        EXPECT_TRUE(!sceneRoot && !camera && !renderArea);
        for (SoPendulum *pendulum : w.pendulums)
            EXPECT_EQ(pendulum, nullptr);
        EXPECT_TRUE(!particlePositions && !particleVelocities && !particleLastUpdate &&
                    !particleAges);
        EXPECT_FALSE(w.running);
        EXPECT_TRUE(w.viewWidget->isHidden() && !w.logoLabel->isHidden());
    });
}

// Only frames of a bleeding game throw blood, from the wound, moved by the
// clock: at stage 3 (10 to 20 units a second up, gravity 30) at most 7.7 units
// high, and falling back. Born aged 0 to 0.5, a drop is born again at its first
// frame after its age passed 1: with a frame a tick, 7 to 12 ticks later.
TEST(Room, SprayRisesFromTheWoundAndFallsBackWithTheClock)
{
    useRoom(darkRoom);
    runWindow([](Fenster &w) {
        faceTheWound(w, 0);
        EXPECT_EQ(redPixels(grabView()), 0);
        w.level->bleedingStage = 3;
        const QImage thrown = grabView();
        renderArea->render();
        EXPECT_GT(redPixels(thrown, atTheWound), 0);
        EXPECT_EQ(redPixels(thrown), redPixels(thrown, atTheWound));
        std::vector<int> born(particleCount, 0); // the tick of each drop's last birth
        float highest = 0, lowest = 0;
        for (int tick = 0; tick <= 40; ++tick) {
            for (int i = 0; i < particleCount; ++i) {
                highest = std::max(highest, particlePositions[i][1]);
                lowest = std::min(lowest, particlePositions[i][1]);
                const bool atWound = particlePositions[i] == SbVec3f(0, 0, 0);
                ASSERT_TRUE(atWound || tick > 0) << "drop " << i << " moved without the clock";
                if (!atWound)
                    continue;
                EXPECT_TRUE(tick == 0 || (tick - born[i] >= 7 && tick - born[i] <= 12))
                    << "drop " << i << " flew " << tick - born[i] << " ticks";
                born[i] = tick;
            }
            w.advanceClock();
            renderArea->render();
        }
        for (int i = 0; i < particleCount; ++i)
            EXPECT_GT(born[i], 40 - 12) << "drop " << i << " flies on";
        EXPECT_TRUE(highest > 3 && highest < 8) << "highest drop " << highest;
        EXPECT_LT(lowest, 0);
    });
}

// While nothing in the room moves, the view copies the room's last picture
// back instead of drawing it, depths and all: drops flying behind a box in
// front of the wound stay hidden. A step draws the room again, and so does a
// view that changed size, until a copy at the new size is kept.
TEST(Room, AStandingViewCopiesTheRoomItDrewLast)
{
    useRoom("#Inventor V2.1 ascii\n"
            "Separator { Separator { Translation { translation 10 98 100 }\n"
            "                        Cube { width 20 height 8 } } }\n");
    runWindow([](Fenster &w) {
        faceTheWound(w, 0);
        static int drawn = 0;
        auto *counter = new SoCallback;
        counter->setCallback([](void *, SoAction *action) {
            drawn += action->isOfType(SoGLRenderAction::getClassTypeId());
        });
        static_cast<SoGroup *>(sceneRoot->getChild(2))->addChild(counter);
        grabView(); // a grab right after the first frame at times still found the window black
        const QImage drawnImage = grabView();
        EXPECT_EQ(grabView(), drawnImage);
        EXPECT_EQ(drawn, 2) << "the room drawn by the first two frames only";
        const QRect box(300, 220, 200, 60);
        w.level->bleedingStage = 3;
        int hidden = 0, shown = 0;
        for (int tick = 0; tick < 30; ++tick) {
            w.advanceClock();
            const QImage frame = grabView();
            hidden += redPixels(frame, box);
            shown += redPixels(frame);
        }
        EXPECT_EQ(drawn, 2);
        EXPECT_EQ(hidden, 0);
        EXPECT_GT(shown, 30 * 4) << "the wound and falling drops";
        sendKey(QEvent::KeyPress, Qt::Key_Up);
        grabView();
        EXPECT_EQ(drawn, 3);

        // The game's own clock, due three seconds after the window was built,
        // must not change the room between the frames compared.
        w.running = false;
        w.level->bleedingStage = 0;
        grabView();
        grabView(); // kept as the copy
        w.viewWidget->setFixedSize(640, 480);
        ASSERT_TRUE(QTest::qWaitFor([] { return renderArea->getGLWidget()->width() == 640; }));
        QTest::qWait(50); // the view's own frames at its new size
        const QImage standing[] = {grabView(), grabView()};
        camera->position.touch(); // the room drawn whole
        const QImage resized = grabView();
        EXPECT_EQ(resized.size(), QSize(640, 480));
        for (const QImage &frame : standing)
            EXPECT_TRUE(frame == resized) << "the copy taken at the old size came back";
        for (int i = 0; i < 2; ++i)
            EXPECT_TRUE(grabView() == resized) << "a copy at the new size";
    });
}

// The view draws when what it shows changes, and only then: once when a
// game starts, however the window's events arrive, never while nothing
// moves, once per tick while the patient bleeds and once after, once for any
// number of steps before the next frame. The game's own clock ticks from
// three seconds after the window was built, which a loaded machine reaches
// before the game starts here: the game counts as running only for the
// test's own ticks, 50 ms apart, and the clock's ticks draw nothing.
TEST(Room, FramesAreDrawnOnlyWhenTheViewChanges)
{
    useRoom(darkRoom);
    runWindow([](Fenster &w) {
        static int frames = 0;
        SoGLPreRenderCB *const countFrame = [](void *count, SoGLRenderAction *) {
            ++*static_cast<int *>(count);
        };
        renderArea->getGLRenderAction()->addPreRenderCallback(countFrame, &frames);
        const auto tick = [&w](int stage, int ticks) {
            w.level->bleedingStage = stage;
            frames = 0;
            for (int i = 0; i < ticks; ++i) {
                w.running = true;
                w.advanceClock();
                w.running = false;
                QTest::qWait(50); // a tick of the game's clock
            }
            return frames;
        };
        w.startAction->trigger();
        w.running = false;
        static_cast<Fraktur *>(w.level)->complicationDivisor = 0.001f; // no shock
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.viewWidget));
        QTest::qWait(100);
        EXPECT_EQ(frames, 1) << "when the game starts";
        EXPECT_EQ(tick(0, 20), 0) << "standing still";
        EXPECT_EQ(tick(1, 5), 5) << "bleeding";
        EXPECT_EQ(tick(0, 3), 1) << "the spray stopped";
        frames = 0;
        for (int key : {Qt::Key_Up, Qt::Key_Down})
            sendKey(QEvent::KeyPress, key);
        QTest::qWait(50);
        EXPECT_EQ(frames, 1) << "after two steps";
        renderArea->getGLRenderAction()->removePreRenderCallback(countFrame, &frames);
    });
}

// A step is taken whole or not at all: the room's bounds are strict, the
// bed's edges walkable. Formed in float, not double, the last step would end
// one float step further along, at -249.504395.
TEST(Room, WalkingStopsAtTheWallsAndTheBed)
{
    const float quarterTurn = 1.5707964f;
    const struct {
        const char *name;
        float x, z, yaw;
        int key, presses;
        float endX, endZ;
    } walks[] = {
        {"eighth Up reaches the bed's edge, ninth refused", -80, 0, 0, Qt::Key_Up, 9, -40, 0},
        {"Down reaches -245, then refused", -80, 0, 0, Qt::Key_Down, 34, -245, 0},
        {"front wall", 245, 0, 0, Qt::Key_Up, 1, 245, 0},
        {"bed from its foot", 0, 95, -quarterTurn, Qt::Key_Up, 2, 0, 90},
        {"bed from the +x side", 45, 0, 2 * quarterTurn, Qt::Key_Up, 2, 40, 0},
        {"diagonal past z 230", 100, 227, quarterTurn / 2, Qt::Key_Up, 1, 100, 227},
        {"diagonal past z -230", 100, -227, -quarterTurn / 2, Qt::Key_Up, 1, 100, -227},
        {"double precision", -245, 0, 0.449002683f, Qt::Key_Down, 1, -249.50441f, -2.17033648f},
    };
    useRoom(darkRoom);
    runWindow([&](Fenster &w) {
        w.startAction->trigger();
        const SbRotation aim = camera->orientation.getValue();
        for (const auto &walk : walks) {
            SCOPED_TRACE(walk.name);
            cameraPosition[0] = walk.x;
            cameraPosition[2] = walk.z;
            yaw = walk.yaw;
            for (int i = 0; i < walk.presses; ++i) {
                sendKey(QEvent::KeyPress, walk.key);
                sendKey(QEvent::KeyRelease, walk.key);
            }
            // Less than a float step near 250.
            EXPECT_NEAR(cameraPosition[0], walk.endX, 1e-5);
            EXPECT_NEAR(cameraPosition[2], walk.endZ, 1e-5);
            EXPECT_EQ(camera->position.getValue(),
                      SbVec3f(cameraPosition[0], 160, cameraPosition[2]));
            EXPECT_TRUE(camera->orientation.getValue() == aim);
        }
    });
}
