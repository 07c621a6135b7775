#include "framepacer.h"

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/SoSceneManager.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/sensors/SoNodeSensor.h>

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace
{
const qreal fallbackRefreshRate = 60; // a screen that reports no rate of its own
}

FramePacer::FramePacer(SoQtRenderArea *area, SoCamera *camera)
    : area(area), cameraSensor(new SoNodeSensor(cameraMoved, this))
{
    // The render area still schedules a redraw for every change in the
    // scene graph and for every expose; the frame is drawn only when wanted.
    area->getSceneManager()->setRenderCallback(redrawDue, this);
    area->getGLRenderAction()->addPreRenderCallback(frameStarts, this);
    cameraSensor->setPriority(0); // wanted before the redraw comes due
    if (camera)
        cameraSensor->attach(camera);
    area->getGLWidget()->installEventFilter(this);
    nextRefresh.setSingleShot(true);
    nextRefresh.setTimerType(Qt::PreciseTimer);
    connect(&nextRefresh, &QTimer::timeout, this, [this] { drawWhenDue(); });
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

bool FramePacer::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Paint && onScreen())
        viewChanged();
    return false;
}

// Qt 5 paints a view that is shown before the X server has put it on the
// screen, and again when it has: a frame drawn for the first paint would not
// be seen, since the view's own window stays mapped while the one holding it
// is not. Qt 6 paints the container of its GL window once, and the
// container, wholly under the GL window, is never exposed itself: its paint
// always counts.
bool FramePacer::onScreen() const
{
    const QWidget *view = area->getGLWidget();
    if (view->inherits("QWindowContainer"))
        return true;
    for (const QWidget *widget = view; widget; widget = widget->parentWidget())
        if (widget->windowHandle() && !widget->windowHandle()->isExposed())
            return false;
    return true;
}

// The one place that draws a wanted frame: at once when the screen has
// refreshed since the last frame, else when it next does. The wait is at
// most one refresh (rounded up to the timer's millisecond).
void FramePacer::drawWhenDue()
{
    // A frame wanted while the view is not on the screen (hidden between
    // games, or shown but not yet exposed) waits for the paint of its expose.
    if (!wanted || !onScreen())
        return;
    const qint64 wait = sinceFrame.isValid() ? refreshNanoseconds() - sinceFrame.nsecsElapsed() : 0;
    if (wait <= 0)
        area->render();
    else if (!nextRefresh.isActive())
        nextRefresh.start(static_cast<int>((wait + 999999) / 1000000));
}

// The screen the view is on now: the window may have been moved to another.
qint64 FramePacer::refreshNanoseconds() const
{
    const QScreen *screen = area->getGLWidget()->screen();
    const qreal rate =
        screen && screen->refreshRate() > 1 ? screen->refreshRate() : fallbackRefreshRate;
    return static_cast<qint64>(1e9 / rate);
}

void FramePacer::redrawDue(void *self, SoSceneManager *)
{
    static_cast<FramePacer *>(self)->drawWhenDue();
}

// Runs for every frame, whoever asked for it.
void FramePacer::frameStarts(void *self, SoGLRenderAction *)
{
    auto *pacer = static_cast<FramePacer *>(self);
    pacer->wanted = false;
    pacer->nextRefresh.stop();
    pacer->sinceFrame.start();
}

void FramePacer::cameraMoved(void *self, SoSensor *)
{
    static_cast<FramePacer *>(self)->viewChanged();
}
