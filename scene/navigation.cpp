#include "navigation.h"

#include "fenster.h"
#include "scenestate.h"

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/events/SoKeyboardEvent.h>
#include <Inventor/nodes/SoEventCallback.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>

#include <QCursor>
#include <QWidget>

#include <cmath>

float cameraPosition[3] = {-80, 160, 0};
float yaw = 0;
float pitch = 0;
int lastCursorX = -1;
int lastCursorY = -1;

namespace
{
const float turnPerPixel = 0.01f;
const float pitchLimit = 1.2566371f;
const float fullTurn = 6.2831855f;

bool walkable(float x, float z)
{
    const bool inRoom = x > -250 && x < 250 && z > -230 && z < 230;
    const bool outsideBed = x <= -40 || x >= 40 || z <= -90 || z >= 90;
    return inRoom && outsideBed;
}

void aimAlongView()
{
    const float cp = static_cast<float>(std::cos(static_cast<double>(pitch)));
    const float sp = static_cast<float>(std::sin(static_cast<double>(pitch)));
    const float cy = static_cast<float>(std::cos(static_cast<double>(yaw)));
    const float sy = static_cast<float>(std::sin(static_cast<double>(yaw)));
    const SbVec3f target(static_cast<float>(cameraPosition[0] + 10.0 * cy * cp),
                         static_cast<float>(cameraPosition[1] + 10.0 * sp),
                         static_cast<float>(cameraPosition[2] + 10.0 * sy * cp));
    camera->pointAt(target);
}
} // namespace

void walk(float step)
{
    const float cy = static_cast<float>(std::cos(static_cast<double>(yaw)));
    const float sy = static_cast<float>(std::sin(static_cast<double>(yaw)));
    const float x = static_cast<float>(cameraPosition[0] + static_cast<double>(step) * cy);
    const float z = static_cast<float>(cameraPosition[2] + static_cast<double>(step) * sy);
    if (walkable(x, z)) {
        cameraPosition[0] = x;
        cameraPosition[2] = z;
    }
    camera->position.setValue(cameraPosition);
}

void onKey(void *, SoEventCallback *node)
{
    const SoEvent *event = node->getEvent();
    if (SO_KEY_PRESS_EVENT(event, UP_ARROW)) {
        walk(5);
        node->setHandled();
    } else if (SO_KEY_PRESS_EVENT(event, DOWN_ARROW)) {
        walk(-5);
        node->setHandled();
    }
}

void onMouseMove(void *, SoEventCallback *node)
{
    const QPoint cursor = QCursor::pos();
    // Behind a compositor a motion may be handled after the pointer has left
    // the view on a fast move to the menu: it must neither turn the view by
    // the way the pointer went nor fetch the pointer back.
    const QWidget *view = renderArea->getGLWidget();
    if (mainWindow->pointerDrawn && !view->rect().contains(view->mapFromGlobal(cursor))) {
        node->setHandled();
        return;
    }
    if (lastCursorX > -1) {
        const int dx = cursor.x() - lastCursorX;
        const int dy = lastCursorY - cursor.y();
        yaw = static_cast<float>(yaw + dx * static_cast<double>(turnPerPixel));
        const float p = static_cast<float>(pitch + dy * static_cast<double>(turnPerPixel));
        if (p > -pitchLimit && p < pitchLimit)
            pitch = p;
        if (yaw > fullTurn)
            yaw -= fullTurn;
        if (yaw < -fullTurn)
            yaw += fullTurn;
        aimAlongView();
    }
    const SbVec2s size = renderArea->getSize();
    const QPoint anchor(mainWindow->pos().x() + mainWindow->viewWidget->pos().x() + size[0] / 2,
                        mainWindow->pos().y() + mainWindow->viewWidget->pos().y() + size[1] / 2);
    if (mainWindow->mouseLook)
        QCursor::setPos(anchor);
    lastCursorX = anchor.x();
    lastCursorY = anchor.y();
    node->setHandled();
}
