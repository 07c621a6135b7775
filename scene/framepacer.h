#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class SoCamera;
class SoGLRenderAction;
class SoNodeSensor;
class SoQtRenderArea;
class SoSceneManager;
class SoSensor;

// Decides when the 3D view draws a frame. Left to itself the render area
// redraws whenever anything in the scene graph changes: the trembling
// pendulums change with Coin's real-time clock, out of step with the game's,
// so that a shock drew up to two frames per tick, and a frame on the software
// renderer costs milliseconds. Here the render area's redraws go through
// this object, which lets through only those for an expose or a resize of
// the view on the screen and those asked for: once per move of the camera (mouse-look,
// walking) and once per tick while the room moves with the clock (the spray,
// the trembling), and once more when it has come to rest. Any number of asks
// before the next frame give that one frame, and no frame follows the one
// before sooner than the screen shows them: a mouse reports more motions a
// second than the screen has refreshes, and each would otherwise draw.
class FramePacer : public QObject
{
  public:
    FramePacer(SoQtRenderArea *area, SoCamera *camera);
    ~FramePacer() override;

    // Called by anything that changed what the view shows (the camera, the
    // clock, an expose, a pointer drawn into the view): one frame follows as
    // soon as the event loop is free and one refresh of the screen has passed
    // since the last frame, unless another frame is drawn first.
    void viewChanged();
    // Called by the view after each tick of a running game's clock, telling
    // whether something in the room moves with the clock.
    void ticked(bool roomMoves);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    bool onScreen() const;
    void drawWhenDue();
    qint64 refreshNanoseconds() const;
    static void redrawDue(void *self, SoSceneManager *manager);
    static void frameStarts(void *self, SoGLRenderAction *action);
    static void cameraMoved(void *self, SoSensor *sensor);

    SoQtRenderArea *area;
    SoNodeSensor *cameraSensor;
    QTimer nextRefresh;
    QElapsedTimer sinceFrame;
    bool wanted = false;
    bool movedAtLastTick = false;
};
