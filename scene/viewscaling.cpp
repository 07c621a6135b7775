#include "viewscaling.h"

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/system/gl.h>

#include <QEvent>
#include <QWidget>

#include <cmath>

ViewScaling::ViewScaling(SoQtRenderArea *area) : area(area)
{
    area->getGLWidget()->installEventFilter(this);
    area->getGLWidget()->parentWidget()->installEventFilter(this);
    area->getGLRenderAction()->addPreRenderCallback(beforeFrame, this);
    fit();
}

ViewScaling::~ViewScaling()
{
    area->getGLRenderAction()->removePreRenderCallback(beforeFrame, this);
}

bool ViewScaling::eventFilter(QObject *, QEvent *event)
{
    // SoQt sizes its widget in its own handling of the same events, so the
    // fit comes after it, queued.
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
        QMetaObject::invokeMethod(
            this, [this] { fit(); }, Qt::QueuedConnection);
    return false;
}

void ViewScaling::fit()
{
    QWidget *gl = area->getGLWidget();
    const QRect inside = gl->parentWidget()->contentsRect();
    if (gl->geometry() != inside)
        gl->setGeometry(inside);
}

// Runs with the frame's viewport set; the picture keeps its aspect ratio.
void ViewScaling::beforeFrame(void *self, SoGLRenderAction *action)
{
    const QWidget *gl = static_cast<ViewScaling *>(self)->area->getGLWidget();
    const qreal ratio = gl->devicePixelRatioF();
    const auto width = static_cast<GLsizei>(std::lround(gl->width() * ratio));
    const auto height = static_cast<GLsizei>(std::lround(gl->height() * ratio));
    const SbVec2s viewport = action->getViewportRegion().getViewportSizePixels();
    if (viewport[0] != width || viewport[1] != height)
        glViewport(0, 0, width, height);
}
