#include "gameview.h"

#include "drawnpointer.h"
#include "framecache.h"
#include "framepacer.h"
#include "viewscaling.h"

#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/system/gl.h>

#include <QEvent>
#include <QWidget>

GameView::GameView(QWidget *parent, bool drawPointer)
    : SoQtRenderArea(parent, nullptr, TRUE, TRUE, TRUE),
      pointer(drawPointer ? std::make_unique<DrawnPointer>() : nullptr)
{
}

GameView::~GameView()
{
    cleanup();
}

void GameView::buildHelpers(SoGroup *root, int roomEnd)
{
    SoSearchAction search;
    search.setType(SoCamera::getClassTypeId());
    search.apply(root);
    auto *eye = search.getPath() ? static_cast<SoCamera *>(search.getPath()->getTail()) : nullptr;
    frameCache = std::make_unique<FrameCache>(getGLRenderAction(), root, roomEnd);
    scaling = std::make_unique<ViewScaling>(this);
    pacer = std::make_unique<FramePacer>(this, eye);
}

// The helpers go while the view's GL widget and the scene graph still exist:
// the pacer and the scaling first, which hook into the view's frames, then
// the frame cache, whose buffers belong to the view's GL context.
void GameView::cleanup()
{
    pacer.reset();
    scaling.reset();
    if (frameCache) {
        glLockNormal();
        frameCache->releaseGL();
        glUnlockNormal();
        frameCache.reset();
    }
}

void GameView::clockTicked(bool roomMoves)
{
    if (pacer)
        pacer->ticked(roomMoves);
}

void GameView::processEvent(QEvent *event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    // Qt 6 draws the view in a GL window, which, unlike a widget, gets the
    // second press of a double click as a press of its own before the double
    // click: that press is the click, and the double click would pick again.
    if (event->type() == QEvent::MouseButtonDblClick)
        return;
#endif
    if (pointer)
        pointer->track(event->type());
    SoQtRenderArea::processEvent(event);
    // Mouse-look asks for a frame when it turns; the arrow may need one of
    // its own.
    if (pointer && pacer && pointer->needsFrame())
        pacer->viewChanged();
}

void GameView::actualRedraw()
{
    SoQtRenderArea::actualRedraw();
    if (pointer)
        pointer->draw(getGLWidget());
}
