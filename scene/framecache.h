#pragma once

#include <Inventor/actions/SoGLRenderAction.h>

#include <vector>

class SoCallback;
class SoGroup;
class SoNodeSensor;
class SoSensor;

// The 3D view's render action, which keeps the picture of the room while
// nothing in it changes. A bleeding patient's spray asks for a frame on every
// tick, and on a software renderer drawing the whole room costs many times
// what the spray does. Once two frames in a row were drawn from an unchanged
// room, the room's colours and depths are copied aside; the frames after copy
// them back in place of drawing the room's separators, and draw only what
// comes after the room (the spray). Any change below the scene's root, the
// camera's included, or a new viewport draws the room again. Where the GL
// lacks framebuffer objects, or a copy fails, the room is always drawn.
class FrameCache
{
  public:
    // Called by the render area once the scene is complete: the separators
    // among the children of `root` before `roomEnd` are the room.
    FrameCache(SoGLRenderAction *action, SoGroup *root, int roomEnd);
    ~FrameCache();
    FrameCache(const FrameCache &) = delete;
    FrameCache &operator=(const FrameCache &) = delete;

    // Called by the render area with its GL context current, before that
    // context goes: frees the copy's buffers.
    void releaseGL();

  private:
    static SoGLRenderAction::AbortCode beforeNode(void *self);
    static void afterRoom(void *self, SoAction *action);
    static void roomChanged(void *self, SoSensor *sensor);
    bool restore();
    void capture();
    bool makeBuffers(int width, int height);
    unsigned copyMask() const;

    SoGLRenderAction *action;
    SoGroup *root;
    SoCallback *marker;
    SoNodeSensor *sensor;
    std::vector<SoNode *> room;
    bool changed = true;   // since the last frame
    bool kept = false;     // the copy holds the room as it is now
    bool restored = false; // this frame took the room from the copy
    bool unusable = false;
    bool stencil = false;
    int viewport[4] = {0, 0, 0, 0};
    unsigned context = 0;
    unsigned framebuffer = 0;
    unsigned colour = 0;
    unsigned depth = 0;
};
