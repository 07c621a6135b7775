#pragma once

#include <Inventor/Qt/SoQtRenderArea.h>

#include <QImage>
#include <QPointer>

#include <memory>

class FrameCache;
class FramePacer;
class SoGroup;

// The 3D view's render area. On a Wayland desktop the compositor puts the
// pointer back on mouse-look's held point only while no cursor shows, so the
// view hides the cursor there and this area draws the pointer into every
// frame instead: an arrow whose tip is the held point, where a click picks.
// It shows while the pointer is inside the view and mouse-look holds it.
// Without the drawn pointer it is a plain render area.
class PointerArea : public SoQtRenderArea
{
  public:
    // Built by the viewer set-up inside the 3D view widget.
    PointerArea(QWidget *parent, bool drawPointer);
    ~PointerArea() override;
    // Called by the viewer set-up once the view's frames are paced: the
    // arrow's frames are asked of the pacer from then on.
    void paceWith(FramePacer *framePacer) { pacer = framePacer; }
    // Called by the viewer set-up once the scene is complete: the children of
    // `root` before `roomEnd` are kept as a picture while they stand still.
    void cacheRoom(SoGroup *root, int roomEnd);

  protected:
    void actualRedraw() override;
    void processEvent(QEvent *event) override;

  private:
    // The held point in global coordinates while the arrow shows, else (-1, -1).
    QPoint heldPoint() const;
    void drawArrow(QPoint tip);
    const QImage &arrow(qreal ratio);

    QPointer<FramePacer> pacer;
    std::unique_ptr<FrameCache> roomCache;
    bool pointerDrawn;
    bool inside = false;
    QPoint drawnAt{-1, -1};
    // The arrow at the view's device pixel ratio, its rows bottom up as GL
    // draws them, its tip at the pixel `tipOffset` from the top left.
    QImage arrowImage;
    qreal arrowRatio = 0;
    int tipOffset = 0;
};
