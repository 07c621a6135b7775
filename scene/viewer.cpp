// Reading the room, building the scene graph around it, and running the 3D
// view inside the main window until the event loop ends.

#include "fenster.h"
#include "gameview.h"
#include "navigation.h"
#include "particles.h"
#include "picking.h"
#include "sceneframe.h"
#include "scenestate.h"

#include "level.h"

#include <Inventor/Qt/SoQt.h>
#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/SbTime.h>
#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/SoSceneManager.h>
#include <Inventor/events/SoButtonEvent.h>
#include <Inventor/events/SoKeyboardEvent.h>
#include <Inventor/events/SoLocation2Event.h>
#include <Inventor/nodes/SoCallback.h>
#include <Inventor/nodes/SoEventCallback.h>
#include <Inventor/nodes/SoPendulum.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>

#include <QLabel>

#include <iostream>

SoSeparator *sceneRoot = nullptr;
SoPerspectiveCamera *camera = nullptr;
SoQtRenderArea *renderArea = nullptr;

namespace
{
const char *const scenePath = "../data/scene002.iv";

SoEventCallback *eventCallback(SoType eventType, SoEventCallbackCB *routine)
{
    auto *node = new SoEventCallback;
    node->addEventCallback(eventType, routine);
    return node;
}

SoPendulum *pendulumNamed(const char *name)
{
    SoNode *node = SoNode::getByName(name);
    if (node && node->isOfType(SoPendulum::getClassTypeId()))
        return static_cast<SoPendulum *>(node);
    return nullptr;
}
} // namespace

void Fenster::loadScene()
{
    mouseLook = true;
    SoInput input;
    // SoInput reads standard input when no file is open, so a file that
    // cannot be opened is not read at all.
    const bool opened = input.openFile(scenePath, FALSE);
    if (!opened)
        std::cout << "File not found: " << scenePath << std::endl;
    sceneRoot = opened ? SoDB::readAll(&input) : nullptr;
    if (!sceneRoot) {
        std::cout << "Problem reading file: " << scenePath << std::endl;
        sceneRoot = new SoSeparator; // an empty room keeps the game playable
    }
    input.closeFile();
    sceneRoot->ref();
}

void Fenster::runViewer()
{
    camera = frameScene(sceneRoot);
    const int roomEnd = sceneRoot->getNumChildren();
    sceneRoot->addChild(eventCallback(SoKeyboardEvent::getClassTypeId(), onKey));
    sceneRoot->addChild(eventCallback(SoLocation2Event::getClassTypeId(), onMouseMove));
    sceneRoot->addChild(eventCallback(SoButtonEvent::getClassTypeId(), onButton));
    allocateParticles();
    auto *spray = new SoCallback;
    spray->setCallback(renderBleeding, nullptr);
    sceneRoot->addChild(spray);

    // Showing the render area brings the window up. The logo must not be laid
    // out beside the view meanwhile: its native window would be painted off
    // the window's edge and then moved, and at times kept a garbled picture.
    logoLabel->hide();
    // Coin advances animations (the patient's trembling) by the time of each
    // frame, and a frame that animates asks for the next at once: on the
    // software renderer the loop would do nothing but draw, and the clock's
    // ticks would come late. Animations advance 20 times a second instead, as
    // often as the clock ticks.
    SoSceneManager::enableRealTimeUpdate(FALSE);
    SoDB::setRealTimeInterval(SbTime(0.05));
    gameView = new GameView(viewWidget, pointerDrawn);
    renderArea = gameView;
    // A native window, as the GL view is one itself with Qt 5; with Qt 6 the
    // GL window sits in a container, which then holds it in the view's place.
    // Like the GL view, it makes the window's other widgets native too.
    renderArea->getGLWidget()->setAttribute(Qt::WA_NativeWindow);
    renderArea->setSceneGraph(sceneRoot);
    renderArea->setTitle(level->title);
    renderArea->show();
    camera->position.setValue(cameraPosition);
    camera->pointAt(SbVec3f(0, 120, 0));
    renderArea->setAccumulationBuffer(TRUE);
    gameView->buildHelpers(sceneRoot, roomEnd);
    static const char *const names[6] = {"pend1", "pend2", "pend3", "pend4", "pend5", "pend6"};
    for (int i = 0; i < 6; ++i)
        pendulums[i] = pendulumNamed(names[i]);
    stopPendulums();
    viewWidget->hide();
    logoLabel->show();

    SoQt::mainLoop();

    viewWidget->hide();
    logoLabel->show();
    stopGame();
    delete gameView;
    gameView = nullptr;
    renderArea = nullptr;
    for (SoPendulum *&pendulum : pendulums)
        pendulum = nullptr;
    camera = nullptr;
    sceneRoot->unref();
    sceneRoot = nullptr;
    releaseParticles();
}
