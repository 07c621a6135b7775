#pragma once

#include <QEvent>
#include <QImage>
#include <QPoint>

class QWidget;

// The pointer the 3D view draws itself on a Wayland desktop. There the
// compositor puts the pointer back on mouse-look's held point only while no
// cursor shows, so the view hides the cursor and draws into every frame an
// arrow whose tip is the held point, where a click picks. It shows while the
// pointer is inside the view and mouse-look holds it.
class DrawnPointer
{
  public:
    // Called by the view for each of its input events, before handling it.
    void track(QEvent::Type type);
    // Called by the view after handling an input event: the arrow needs a
    // frame of its own when it comes, goes, or the held point moves without
    // a turn of the view.
    bool needsFrame() const { return heldPoint() != drawnAt; }
    // Called by the view at the end of every frame, with its GL widget's
    // context current.
    void draw(const QWidget *gl);

  private:
    // The held point in global coordinates while the arrow shows, else (-1, -1).
    QPoint heldPoint() const;
    void drawArrow(const QWidget *gl, QPoint tip);
    const QImage &arrow(qreal ratio);

    bool inside = false;
    QPoint drawnAt{-1, -1};
    // The arrow at the view's device pixel ratio, its rows bottom up as GL
    // draws them, its tip at the pixel `tipOffset` from the top left.
    QImage arrowImage;
    qreal arrowRatio = 0;
    int tipOffset = 0;
};
