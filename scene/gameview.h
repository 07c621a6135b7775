#pragma once

#include <Inventor/Qt/SoQtRenderArea.h>

#include <memory>

class DrawnPointer;
class FrameCache;
class FramePacer;
class SoGroup;
class ViewScaling;

// The 3D view of the room: the render area inside the main window's view
// widget, with the helpers that decide what it draws and when. The pacer
// draws a frame only when the view changed, at most one per refresh of the
// screen; the frame cache keeps the picture of a room that stands still; the
// view scaling fits the picture to a scaling desktop; on a Wayland desktop
// the drawn pointer shows where a click picks. The view owns them all, builds
// them in one step and frees them in one.
class GameView : public SoQtRenderArea
{
  public:
    // Built by the viewer set-up inside the 3D view widget.
    GameView(QWidget *parent, bool drawPointer);
    ~GameView() override;
    GameView(const GameView &) = delete;
    GameView &operator=(const GameView &) = delete;

    // Called by the viewer set-up once the scene graph is complete and the
    // view's GL widget is final (a new accumulation buffer may replace it):
    // the children of `root` before `roomEnd` are the room, whose picture is
    // kept while it stands still; the first camera below `root` is the eye.
    void buildHelpers(SoGroup *root, int roomEnd);
    // Called by the game clock after each tick of a running game, telling
    // whether something in the room moves with the clock.
    void clockTicked(bool roomMoves);

  protected:
    void actualRedraw() override;
    void processEvent(QEvent *event) override;

  private:
    void cleanup();

    std::unique_ptr<DrawnPointer> pointer;
    std::unique_ptr<FrameCache> frameCache;
    std::unique_ptr<ViewScaling> scaling;
    std::unique_ptr<FramePacer> pacer;
};
