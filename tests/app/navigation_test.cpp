// Walking with the arrow keys and looking around with the mouse, through the
// events a player's keyboard and mouse send to the 3D view.

#include "gamefixture.h"

#include "fenster.h"
#include "scenestate.h"

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>

#include <QAction>
#include <QCursor>

#include <cmath>
#include <string>
#include <vector>

namespace
{
// A closed box around the whole room: every ray from inside it hits a wall,
// so any key press that reached picking would write a line.
const char *const closedRoom =
    "#Inventor V2.1 ascii\n"
    "Separator { DEF Room Cube { width 1200 height 1200 depth 1200 } }\n";

const float quarterTurn = 1.5707964f;
const float eighthTurn = 0.7853982f;
const float halfTurn = 3.1415927f;

// cos and sin of the view angle as walking takes them: in double, kept as float.
float cosOf(float angle)
{
    return static_cast<float>(std::cos(static_cast<double>(angle)));
}

float sinOf(float angle)
{
    return static_cast<float>(std::sin(static_cast<double>(angle)));
}

SbVec3f lookDirection(float yawAngle, float pitchAngle)
{
    const float cp = cosOf(pitchAngle);
    return SbVec3f(cosOf(yawAngle) * cp, sinOf(pitchAngle), sinOf(yawAngle) * cp);
}

// The point the cursor is held at: the window's position plus the view's
// position in it plus half the render area.
QPoint anchor()
{
    const SbVec2s size = renderArea->getSize();
    return mainWindow->pos() + mainWindow->viewWidget->pos() + QPoint(size[0] / 2, size[1] / 2);
}

// The cursor moved by (dx, dy) from the anchor, then the motion event.
void moveCursorBy(int dx, int dy)
{
    QCursor::setPos(anchor() + QPoint(dx, dy));
    moveMouse(viewCentre());
}
} // namespace

class NavigationTest : public GameTest
{
  protected:
    void SetUp() override
    {
        GameTest::SetUp();
        writeScene(closedRoom);
    }
};

struct Walk {
    const char *name;
    float x;
    float z;
    float yaw;
    int key;
    int presses;
    float endX;
    float endZ;
};

void PrintTo(const Walk &walk, std::ostream *out)
{
    *out << walk.name;
}

class WalkTest : public NavigationTest, public ::testing::WithParamInterface<Walk>
{
};

// Walking moves the eye and nothing else: the view keeps its direction, the
// eye its height, and the arrow keys never pick.
TEST_P(WalkTest, StepsInsideTheRoomAndAroundTheBed)
{
    const Walk w = GetParam();
    runWindow([&] {
        startGame();
        cameraPosition[0] = w.x;
        cameraPosition[2] = w.z;
        yaw = w.yaw;
        const SbRotation aim = camera->orientation.getValue();
        for (int i = 0; i < w.presses; ++i) {
            pressKey(w.key);
            releaseKey(w.key);
            EXPECT_EQ(camera->position.getValue(),
                      SbVec3f(cameraPosition[0], cameraPosition[1], cameraPosition[2]));
        }
        EXPECT_NEAR(cameraPosition[0], w.endX, 1e-4);
        EXPECT_NEAR(cameraPosition[2], w.endZ, 1e-4);
        EXPECT_EQ(cameraPosition[1], 160);
        EXPECT_TRUE(camera->orientation.getValue() == aim);
        EXPECT_EQ(takeOutput(), "");
    });
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, WalkTest,
    ::testing::Values(
        Walk{"SevenUpsReachMinus45", -80, 0, 0, Qt::Key_Up, 7, -45, 0},
        Walk{"EighthUpReachesTheBedEdge", -80, 0, 0, Qt::Key_Up, 8, -40, 0},
        Walk{"NinthUpIsRefused", -80, 0, 0, Qt::Key_Up, 9, -40, 0},
        Walk{"DownReachesMinus245", -80, 0, 0, Qt::Key_Down, 33, -245, 0},
        Walk{"DownToTheBackWallIsRefused", -80, 0, 0, Qt::Key_Down, 34, -245, 0},
        Walk{"FrontWallIsRefused", 245, 0, 0, Qt::Key_Up, 1, 245, 0},
        Walk{"BedEdgeFromTheFootIsWalkable", 0, 95, -quarterTurn, Qt::Key_Up, 1, 0, 90},
        Walk{"BedFromTheFootIsRefused", 0, 95, -quarterTurn, Qt::Key_Up, 2, 0, 90},
        Walk{"BedFromThePlusXSideIsRefused", 45, 0, halfTurn, Qt::Key_Up, 2, 40, 0},
        Walk{"DiagonalStepBelowZ230", 100, 220, eighthTurn, Qt::Key_Up, 1,
             100 + 5 * cosOf(eighthTurn), 220 + 5 * sinOf(eighthTurn)},
        Walk{"DiagonalStepPastZ230IsRefusedWhole", 100, 227, eighthTurn, Qt::Key_Up, 1, 100, 227},
        Walk{"DiagonalStepPastMinusZ230IsRefusedWhole", 100, -227, -eighthTurn, Qt::Key_Up, 1, 100,
             -227},
        Walk{"BackwardsPastMinusZ230IsRefusedWhole", 100, -227, eighthTurn, Qt::Key_Down, 1, 100,
             -227}),
    [](const ::testing::TestParamInfo<Walk> &info) { return info.param.name; });

// The step is formed in double and stored as float: formed in float, this one
// would end one float step further along, at -249.504395.
TEST_F(NavigationTest, StepIsFormedInDoublePrecision)
{
    runWindow([&] {
        startGame();
        cameraPosition[0] = -245;
        yaw = 0.449002683f;
        pressKey(Qt::Key_Down);
        EXPECT_EQ(cameraPosition[0], -249.50441f);
        EXPECT_EQ(cameraPosition[2], -2.17033648f);
    });
}

// Only Up and Down walk; every other key goes on to picking like a click, and
// releases do nothing.
TEST_F(NavigationTest, OtherKeysNeitherWalkNorTurnButPick)
{
    runWindow([&] {
        startGame();
        const int keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_A, Qt::Key_Space, Qt::Key_PageUp};
        const SbRotation aim = camera->orientation.getValue();
        for (int key : keys) {
            SCOPED_TRACE(key);
            pressKey(key);
            EXPECT_EQ(takeOutput().rfind("Room an Pos: ", 0), 0u);
            releaseKey(key);
            EXPECT_EQ(takeOutput(), "");
            EXPECT_EQ(camera->position.getValue(), SbVec3f(-80, 160, 0));
            EXPECT_TRUE(camera->orientation.getValue() == aim);
            EXPECT_EQ(yaw, 0);
        }
    });
}

struct Look {
    const char *name;
    float yaw;
    float pitch;
    int dx;
    int dy;
    float endYaw;
    float endPitch;
};

void PrintTo(const Look &look, std::ostream *out)
{
    *out << look.name;
}

class LookTest : public NavigationTest, public ::testing::WithParamInterface<Look>
{
};

// Each pixel away from the anchor turns the view by 0.01 radian.
TEST_P(LookTest, TurnsByTheCursorsDistanceFromTheAnchor)
{
    const Look l = GetParam();
    runWindow([&] {
        startGame();
        yaw = l.yaw;
        pitch = l.pitch;
        lastCursorX = anchor().x();
        lastCursorY = anchor().y();
        moveCursorBy(l.dx, l.dy);
        EXPECT_FLOAT_EQ(yaw, l.endYaw);
        EXPECT_FLOAT_EQ(pitch, l.endPitch);
        EXPECT_EQ(camera->position.getValue(), SbVec3f(-80, 160, 0));
        EXPECT_TRUE(viewDirection().equals(lookDirection(yaw, pitch), 1e-5f));
        EXPECT_EQ(takeOutput(), "");
    });
}

// The expected angles, formed as the game forms them: the turn in double,
// each stored angle a float.
float turned(float angle, int pixels)
{
    return static_cast<float>(angle + pixels * static_cast<double>(0.01f));
}

const float fullTurn = 6.2831855f;

INSTANTIATE_TEST_SUITE_P(
    Moves, LookTest,
    ::testing::Values(
        Look{"TenRightTurnsTowardsPlusZ", 0, 0, 10, 0, turned(0, 10), 0},
        Look{"TenLeftTurnsTowardsMinusZ", 0, 0, -10, 0, turned(0, -10), 0},
        Look{"TenDownLooksDown", 0, 0, 0, 10, 0, turned(0, -10)},
        Look{"TenUpLooksUp", 0, 0, 0, -10, 0, turned(0, 10)},
        Look{"SixUpBeyondTheLimitIsDropped", 0, 1.25f, 0, -6, 0, 1.25f},
        Look{"OneUpBeyondTheLimitIsDropped", 0, 1.25f, 0, -1, 0, 1.25f},
        Look{"OneDownFromNearTheLimitIsKept", 0, 1.25f, 0, 1, 0, turned(1.25f, -1)},
        Look{"SixDownBeyondTheLowerLimitIsDropped", 0, -1.25f, 0, 6, 0, -1.25f},
        Look{"TurnIsKeptWhenThePitchIsDropped", 0.5f, 1.25f, 10, -6, turned(0.5f, 10), 1.25f},
        Look{"PastAFullTurnWrapsOnce", 6.28f, 0, 10, 0, turned(6.28f, 10) - fullTurn, 0},
        Look{"WrapsByOneFullTurnOnly", 12.5f, 0, 10, 0, turned(12.5f, 10) - fullTurn, 0},
        Look{"PastMinusAFullTurnWrapsOnce", -6.28f, 0, -10, 0, turned(-6.28f, -10) + fullTurn, 0},
        Look{"NegativeAnglesStayNegative", -1, 0, -10, 0, turned(-1, -10), 0}),
    [](const ::testing::TestParamInfo<Look> &info) { return info.param.name; });

// Every motion event puts the cursor back to the anchor and measures the next
// motion from there.
TEST_F(NavigationTest, MotionHoldsTheCursorAtTheAnchor)
{
    runWindow([&] {
        startGame();
        mainWindow->move(37, 21);
        const QPoint expected =
            mainWindow->pos() + mainWindow->viewWidget->pos() + QPoint(400, 300);
        EXPECT_EQ(anchor(), expected);
        lastCursorX = expected.x();
        lastCursorY = expected.y();
        moveCursorBy(25, -7);
        EXPECT_EQ(QCursor::pos(), expected);
        EXPECT_EQ(QPoint(lastCursorX, lastCursorY), expected);

        // Back at the anchor the view is aimed again without turning.
        const float yawBefore = yaw;
        const float pitchBefore = pitch;
        moveMouse(viewCentre());
        EXPECT_EQ(yaw, yawBefore);
        EXPECT_EQ(pitch, pitchBefore);
    });
}

TEST_F(NavigationTest, FirstMotionOnlyAnchors)
{
    runWindow([&] {
        startGame();
        const SbRotation aim = camera->orientation.getValue();
        QCursor::setPos(anchor() + QPoint(50, 40));
        moveMouse(viewCentre());
        EXPECT_EQ(yaw, 0);
        EXPECT_EQ(pitch, 0);
        EXPECT_TRUE(camera->orientation.getValue() == aim) << "still aimed at (0, 120, 0)";
        EXPECT_EQ(QCursor::pos(), anchor());
        EXPECT_EQ(QPoint(lastCursorX, lastCursorY), anchor());

        // The second one turns, from the horizontal +x view.
        moveCursorBy(10, 0);
        EXPECT_FLOAT_EQ(yaw, turned(0, 10));
        EXPECT_TRUE(viewDirection().equals(lookDirection(yaw, 0), 1e-5f));
    });
}

TEST_F(NavigationTest, WithoutMouseLookTheCursorStaysWhereItIs)
{
    runWindow([&] {
        startGame();
        mainWindow->mouseLook = false;
        const QPoint away = anchor() + QPoint(-30, 12);
        QCursor::setPos(away);
        moveMouse(viewCentre());
        EXPECT_EQ(QCursor::pos(), away);
        EXPECT_EQ(QPoint(lastCursorX, lastCursorY), anchor());
    });
}

// Neither walking nor the view angles are reset by a new game.
TEST_F(NavigationTest, NewGameKeepsTheEyeAndTheView)
{
    runWindow([&] {
        startGame();
        pressKey(Qt::Key_Up);
        lastCursorX = anchor().x();
        lastCursorY = anchor().y();
        moveCursorBy(20, 5);
        const SbVec3f position = camera->position.getValue();
        const SbRotation aim = camera->orientation.getValue();
        mainWindow->endAction->trigger();
        startGame();
        EXPECT_EQ(camera->position.getValue(), position);
        EXPECT_TRUE(camera->orientation.getValue() == aim);
        EXPECT_FLOAT_EQ(yaw, turned(0, 20));
        EXPECT_FLOAT_EQ(pitch, turned(0, -5));
    });
}
