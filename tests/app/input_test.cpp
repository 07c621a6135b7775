// The player's input to the 3D view: walking with the arrow keys, looking
// around with the mouse, and clicking to take tools in hand and apply them to
// the patient and the treatment objects.

#include "gamefixture.h"

#include "fenster.h"
#include "scenestate.h"

#include <Inventor/nodes/SoPerspectiveCamera.h>

#include <QAction>
#include <QCursor>
#include <QLabel>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace
{
// The point the cursor is held at: the window's position plus the view's
// position in it plus half the 800 by 600 render area.
QPoint anchor()
{
    return mainWindow->pos() + mainWindow->viewWidget->pos() + QPoint(400, 300);
}

void moveCursorBy(int dx, int dy)
{
    QCursor::setPos(anchor() + QPoint(dx, dy));
    sendMouse(QEvent::MouseMove);
}

// A row of 20 by 20 boards, board i at x = 40 (i - 12) and y = 150, their
// fronts facing +z at z = -2, so that "Head" (board 12) is at x = 0. Names
// sit at different depths of the graph: on the shape itself (Head), on a
// group above an unnamed separator (Torso), on the board's separator (the
// rest); board 0 has no name; the tools stand on boards 1 to 11, by id, on a
// named shelf, which their own names hide.
const std::vector<std::string> boards = [] {
    std::istringstream names("- Schmerzmittel Antidurchfallmittel Antibrechmittel Paracetamol "
                             "Blutdrucksenker Pflaster Druckverband Nadel Reinigen O2 Defi Head "
                             "L_Shin1 Torso Infusion Transfusion OP Lamp");
    return std::vector<std::string>(std::istream_iterator<std::string>(names), {});
}();

std::string boardRoom()
{
    const std::string cube = "Cube { width 20 height 20 depth 2 } ";
    std::string text = "#Inventor V2.1 ascii\nSeparator {\n";
    for (int i = 0; i < static_cast<int>(boards.size()); ++i) {
        const std::string &name = boards[static_cast<size_t>(i)];
        const std::string at =
            "Translation { translation " + std::to_string(40 * (i - 12)) + " 150 -3 } ";
        text += i == 1 ? "DEF Shelf Separator {\n" : i == 12 ? "}\n" : "";
        if (name == "Head")
            text += "Separator { " + at + "DEF Head " + cube + "}\n";
        else if (name == "Torso")
            text += "Separator { " + at + "DEF Torso Group { Separator { " + cube + "} } }\n";
        else
            text += (name == "-" ? "" : "DEF " + name + " ") + "Separator { " + at + cube + "}\n";
    }
    return text + "}\n";
}

// Clicks the view's centre aimed at a board a little off its middle; returns
// the line that writes.
std::string clickBoard(int board)
{
    const float x = 40.0f * static_cast<float>(board - 12) + 1.5f;
    lookAlongMinusZ(x, 151.25f, 100);
    sendMouse(QEvent::MouseButtonPress);
    sendMouse(QEvent::MouseButtonRelease);
    std::ostringstream line;
    line << boards[static_cast<size_t>(board)] << " an Pos: " << x << ",151.25,-2.\n";
    return line.str();
}

// The picture the tool label shows, or a null image.
QImage toolLabelImage()
{
    return mainWindow->toolLabel->pixmap(Qt::ReturnByValue).toImage();
}
} // namespace

// Walking moves the eye and nothing else, and a step is taken whole or not at
// all: the bounds of the room are strict, the edges of the bed walkable. The
// step is formed in double and stored as float: formed in float, the last one
// would end one float step further along, at -249.504395.
TEST(Input, WalkingStopsAtTheWallsAndTheBed)
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
    useRoom(boardRoom().c_str());
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

// The first motion only anchors the cursor; every motion puts it back to the
// anchor, which follows the window, and turns the view by 0.01 radian for
// each pixel the cursor was away from it. A pitch beyond the limit is dropped
// whole, and yaw wraps by one full turn at most. A new game keeps the view.
TEST(Input, MouseTurnsByTheCursorsDistanceFromTheAnchor)
{
    const float fullTurn = 6.2831855f;
    const struct {
        const char *name;
        float yaw, pitch;
        int dx, dy;
        float endYaw, endPitch;
    } looks[] = {
        {"ten right", 0, 0, 10, 0, 0.1f, 0},
        {"six up past the limit", 0.5f, 1.25f, 10, -6, 0.6f, 1.25f},
        {"one up to 1.26", 0, 1.25f, 0, -1, 0, 1.25f},
        {"ten down", 0, 1.25f, 0, 10, 0, 1.15f},
        {"six down past the lower limit", 0, -1.25f, 0, 6, 0, -1.25f},
        {"wraps by one full turn only", 12.5f, 0, 10, 0, 12.6f - fullTurn, 0},
        {"past minus a full turn", -6.28f, 0, -10, 0, -6.38f + fullTurn, 0},
        {"negative angles stay negative", -1, 0, -10, 0, -1.1f, 0},
    };
    useRoom(boardRoom().c_str());
    runWindow([&](Fenster &w) {
        w.startAction->trigger();
        const SbRotation aim = camera->orientation.getValue();
        moveCursorBy(50, 40);
        EXPECT_TRUE(yaw == 0 && pitch == 0);
        EXPECT_TRUE(camera->orientation.getValue() == aim) << "still aimed at (0, 120, 0)";
        EXPECT_EQ(QCursor::pos(), anchor());
        w.move(37, 21);
        moveCursorBy(25, -7);
        EXPECT_EQ(QCursor::pos(), QPoint(437, 321) + w.viewWidget->pos());
        EXPECT_EQ(QPoint(lastCursorX, lastCursorY), QCursor::pos());
        for (const auto &look : looks) {
            SCOPED_TRACE(look.name);
            yaw = look.yaw;
            pitch = look.pitch;
            moveCursorBy(look.dx, look.dy);
            EXPECT_FLOAT_EQ(yaw, look.endYaw);
            EXPECT_FLOAT_EQ(pitch, look.endPitch);
            EXPECT_EQ(camera->position.getValue(), SbVec3f(-80, 160, 0));
            SbVec3f view;
            camera->orientation.getValue().multVec(SbVec3f(0, 0, -1), view);
            const float cp = std::cos(pitch);
            const SbVec3f along(std::cos(yaw) * cp, std::sin(pitch), std::sin(yaw) * cp);
            EXPECT_TRUE(view.equals(along, 1e-5f));
        }
        const SbRotation turned = camera->orientation.getValue();
        w.endAction->trigger();
        w.startAction->trigger();
        EXPECT_TRUE(camera->orientation.getValue() == turned && yaw == -1.1f);
    });
}

// Each tool's id follows its pick line, and it shows its icon until a target
// uses it up: the scenario writes each code it receives, and whatever
// happened, the hand is empty afterwards. A tool stays in hand into the next
// game.
TEST(Input, ToolsAreTakenInHandAndTargetsUseThemUp)
{
    const struct {
        int tool;
        const char *target, *code;
    } treatments[] = {
        {0, "Infusion", "1"}, {6, "Infusion", "1"}, {0, "Transfusion", "2"}, {0, "OP", "15"},
        {1, "Head", "7"},     {2, "Head", "8"},     {3, "Head", "9"},        {4, "Head", "10"},
        {5, "Head", "11"},    {10, "Head", "13"},   {6, "Head", ""},         {6, "L_Shin1", "3"},
        {7, "L_Shin1", "4"},  {8, "L_Shin1", "5"},  {9, "L_Shin1", "6"},     {10, "L_Shin1", ""},
        {11, "Torso", "14"},  {10, "Torso", ""},    {0, "Torso", ""}};
    useRoom(boardRoom().c_str());
    runWindow([&](Fenster &w) {
        w.startAction->trigger();
        for (const auto &t : treatments) {
            SCOPED_TRACE(std::to_string(t.tool) + " on " + t.target);
            const std::string tool = t.tool ? clickBoard(t.tool) + std::to_string(t.tool) : "";
            EXPECT_EQ(w.currentTool, t.tool);
            EXPECT_TRUE(!t.tool || toolLabelImage() == w.toolIcons[t.tool - 1].toImage());
            const std::string line =
                clickBoard(std::find(boards.begin(), boards.end(), t.target) - boards.begin());
            EXPECT_EQ(takeOutput(), tool + line + t.code);
            EXPECT_EQ(w.currentTool, 0);
            EXPECT_TRUE(toolLabelImage().isNull());
        }
        clickBoard(1);
        clickBoard(8);
        w.endAction->trigger();
        w.startAction->trigger();
        const QImage naehen(CURAVANT_SOURCE_DIR "/data/Icons/naehen.bmp");
        EXPECT_EQ(toolLabelImage(), naehen.convertToFormat(toolLabelImage().format()));
        EXPECT_EQ(w.currentTool, 8);
    });
}

// A press of any mouse button, or of any key but Up and Down, picks at its
// position: a hit writes the name and the point, a miss nothing. Up and Down
// walk instead, and nothing else moves the eye. A name the game does not
// know, or none, changes nothing more: the tool stays in hand.
TEST(Input, PressesPickAtTheirPosition)
{
    const QEvent::Type press = QEvent::MouseButtonPress, key = QEvent::KeyPress;
    const char *const head = "Head an Pos: 1.5,151.25,-2.\n";
    const struct {
        const char *name;
        float x, y;
        QEvent::Type type;
        int button;
        const char *line;
        int toolAfter;
    } events[] = {
        {"unnamed", -478.5f, 151.25f, press, Qt::LeftButton, " an Pos: -478.5,151.25,-2.\n", 7},
        {"unknown name", 241, 150, press, Qt::LeftButton, "Lamp an Pos: 241,150,-2.\n", 7},
        {"miss", 20, 150, press, Qt::LeftButton, "", 7},
        {"release", 1.5f, 151.25f, QEvent::MouseButtonRelease, Qt::LeftButton, "", 7},
        {"motion", 1.5f, 151.25f, QEvent::MouseMove, Qt::NoButton, "", 7},
        {"Up", 1.5f, 151.25f, key, Qt::Key_Up, "", 7},
        {"Down", 1.5f, 151.25f, key, Qt::Key_Down, "", 7},
        {"off the head", 1.5f, 151.25f, press, 0, "", 7},
        {"six digits", 1.234567f, 145, press, Qt::LeftButton, "Head an Pos: 1.23457,145,-2.\n", 0},
        {"right button", 41, 141, press, Qt::RightButton, "L_Shin1 an Pos: 41,141,-2.\n", 0},
        {"A", 1.5f, 151.25f, key, Qt::Key_A, head, 0},
        {"Left", 1.5f, 151.25f, key, Qt::Key_Left, head, 0},
    };
    useRoom(boardRoom().c_str());
    runWindow([&](Fenster &w) {
        w.startAction->trigger();
        clickBoard(7);
        for (const auto &e : events) {
            SCOPED_TRACE(e.name);
            lookAlongMinusZ(e.x, e.y, 100);
            lastCursorX = -1;
            sendMouse(QEvent::MouseMove);
            takeOutput();
            if (e.type == key)
                sendKey(key, e.button);
            else if (e.button == 0)
                sendMouse(press, QPoint(5, 5));
            else
                sendMouse(e.type, viewCentre, static_cast<Qt::MouseButton>(e.button));
            EXPECT_EQ(takeOutput(), e.line);
            EXPECT_EQ(camera->position.getValue()[2] != 100,
                      e.button == Qt::Key_Up || e.button == Qt::Key_Down);
            EXPECT_EQ(yaw, -1.5707964f);
            EXPECT_EQ(w.currentTool, e.toolAfter);
            EXPECT_EQ(toolLabelImage().isNull(), e.toolAfter == 0);
        }
    });
}
