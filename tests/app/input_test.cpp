// Walking with the arrow keys: a step is taken whole or not at all, and
// never into a wall or the bed. Looking and clicking are played for real by
// the end-to-end tests.

#include "gamefixture.h"

#include "fenster.h"
#include "scenestate.h"

#include <Inventor/nodes/SoPerspectiveCamera.h>

#include <QAction>

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
    useRoom("#Inventor V2.1 ascii\nSeparator { Cube { } }\n");
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
