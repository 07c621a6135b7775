#include "framepacer.h"

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/SoSceneManager.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/sensors/SoNodeSensor.h>

#include <QEvent>
#include <QWidget>

FramePacer::FramePacer(SoQtRenderArea *area, SoCamera *camera)
    : area(area), cameraSensor(new SoNodeSensor(cameraMoved, this))
{
    // The render area still schedules a redraw for every change in the
    // scene graph and for every expose; the frame is drawn only when wanted.
    area->getSceneManager()->setRenderCallback(redrawDue, this);
    area->getGLRenderAction()->addPreRenderCallback(frameStarts, this);
    cameraSensor->setPriority(0); // wanted before the redraw comes due
    cameraSensor->attach(camera);
    area->getGLWidget()->installEventFilter(this);
}

FramePacer::~FramePacer()
{
    delete cameraSensor;
    area->getGLRenderAction()->removePreRenderCallback(frameStarts, this);
    area->setAutoRedraw(TRUE); // gives the area its own redraws back
}

void FramePacer::viewChanged()
{
    wanted = true;
    area->scheduleRedraw();
}

void FramePacer::ticked(bool roomMoves)
{
    // The tick after the room has come to rest still draws, so that the
    // view does not keep the last drops of a stopped spray.
    if (roomMoves || movedAtLastTick)
        viewChanged();
    movedAtLastTick = roomMoves;
}

// The render area schedules its own redraw for a paint event of the view.
bool FramePacer::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Paint)
        wanted = true;
    return false;
}

void FramePacer::redrawDue(void *self, SoSceneManager *)
{
    auto *pacer = static_cast<FramePacer *>(self);
    if (pacer->wanted)
        pacer->area->render();
}

// Runs for every frame, whoever asked for it.
void FramePacer::frameStarts(void *self, SoGLRenderAction *)
{
    static_cast<FramePacer *>(self)->wanted = false;
}

void FramePacer::cameraMoved(void *self, SoSensor *)
{
    static_cast<FramePacer *>(self)->viewChanged();
}
