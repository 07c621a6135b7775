// Before any GL header: the framebuffer functions are called directly.
#define GL_GLEXT_PROTOTYPES 1
#include "framecache.h"

#include <Inventor/SbPlane.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/elements/SoCacheElement.h>
#include <Inventor/elements/SoCullElement.h>
#include <Inventor/elements/SoGLCacheContextElement.h>
#include <Inventor/nodes/SoCallback.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/sensors/SoNodeSensor.h>
#include <Inventor/system/gl.h>

#include <GL/glext.h>

#include <algorithm>

namespace
{
// The framebuffer bindings, the read buffer and the scissor test a copy
// changes, put back as they were when it goes out of scope.
class CopyState
{
  public:
    CopyState()
    {
        glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawn);
        glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read);
        glGetIntegerv(GL_READ_BUFFER, &readBuffer);
        scissor = glIsEnabled(GL_SCISSOR_TEST);
        glDisable(GL_SCISSOR_TEST);
    }
    ~CopyState()
    {
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(drawn));
        glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(read));
        glReadBuffer(static_cast<GLenum>(readBuffer));
        if (scissor)
            glEnable(GL_SCISSOR_TEST);
    }
    CopyState(const CopyState &) = delete;
    CopyState &operator=(const CopyState &) = delete;

    GLint drawn = 0;
    GLint read = 0;
    GLint readBuffer = 0;
    GLboolean scissor = GL_FALSE;
};
} // namespace

FrameCache::FrameCache(SoGLRenderAction *action, SoGroup *root, int roomEnd)
    : action(action), root(root), marker(new SoCallback),
      sensor(new SoNodeSensor(roomChanged, this))
{
    const int end = std::min(roomEnd, root->getNumChildren());
    for (int i = 0; i < end; ++i) {
        if (!root->getChild(i)->isOfType(SoSeparator::getClassTypeId()))
            continue;
        room.push_back(root->getChild(i));
        // Culling is how a frame from the copy leaves the room undrawn.
        static_cast<SoSeparator *>(room.back())->renderCulling = SoSeparator::ON;
    }
    marker->ref();
    marker->setCallback(afterRoom, this);
    root->insertChild(marker, end);
    action->setAbortCallback(beforeNode, this);
    sensor->setPriority(0); // known before the frame that the change asks for
    sensor->attach(root);
}

FrameCache::~FrameCache()
{
    delete sensor;
    action->setAbortCallback(nullptr, nullptr);
    root->removeChild(marker);
    marker->unref();
}

void FrameCache::releaseGL()
{
    if (framebuffer)
        glDeleteFramebuffers(1, &framebuffer);
    if (colour)
        glDeleteRenderbuffers(1, &colour);
    if (depth)
        glDeleteRenderbuffers(1, &depth);
    framebuffer = colour = depth = 0;
    kept = false;
}

// Coin asks before each node it draws. In a frame from the copy, a plane that
// has everything on its outside culls the room's separators, for the rest of
// the root's traversal: only callbacks follow the room.
SoGLRenderAction::AbortCode FrameCache::beforeNode(void *self)
{
    auto *cache = static_cast<FrameCache *>(self);
    if (!cache->room.empty() && cache->action->getCurPathTail() == cache->room.front()) {
        // Frames differ where the graph does not: a render cache of the root
        // would replay one of them and skip this and the callbacks after it.
        SoCacheElement::invalidate(cache->action->getState());
        cache->restored = cache->restore();
        if (cache->restored)
            SoCullElement::addPlane(cache->action->getState(), SbPlane(SbVec3f(0, 1, 0), 1e30f));
    }
    return SoGLRenderAction::CONTINUE;
}

// Runs in every frame between the room and what is drawn after it.
void FrameCache::afterRoom(void *self, SoAction *action)
{
    auto *cache = static_cast<FrameCache *>(self);
    if (action != cache->action)
        return;
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    SoCacheElement::invalidate(action->getState()); // as above
    const bool sameView = std::equal(viewport, viewport + 4, cache->viewport) &&
                          cache->action->getCacheContext() == cache->context;
    if (!sameView)
        cache->kept = false; // a copy at another size would come back cropped
    else if (!cache->restored && !cache->changed && !cache->unusable)
        cache->capture();
    std::copy(viewport, viewport + 4, cache->viewport);
    cache->context = cache->action->getCacheContext();
    cache->changed = false;
    cache->restored = false;
}

void FrameCache::roomChanged(void *self, SoSensor *)
{
    auto *cache = static_cast<FrameCache *>(self);
    cache->changed = true;
    cache->kept = false;
}

// The copy is kept upside down, and depths are copied with their stencils:
// on Mesa's software drivers, whose windows keep their rows in the opposite
// order to a framebuffer object's, a frame from the copy cost a third less
// that way than with straight copies of the depths alone. Elsewhere both
// copies flip, and the picture comes back as it was.
unsigned FrameCache::copyMask() const
{
    return GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | (stencil ? GL_STENCIL_BUFFER_BIT : 0);
}

bool FrameCache::restore()
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (!kept || action->getCacheContext() != context ||
        !std::equal(viewport, viewport + 4, this->viewport))
        return false;
    CopyState state;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(state.drawn));
    glBlitFramebuffer(0, viewport[3], viewport[2], 0, viewport[0], viewport[1],
                      viewport[0] + viewport[2], viewport[1] + viewport[3], copyMask(), GL_NEAREST);
    if (glGetError() == GL_NO_ERROR)
        return true;
    // The room is not drawn yet in this frame: the caller draws it.
    unusable = true;
    kept = false;
    return false;
}

void FrameCache::capture()
{
    const int width = viewport[2];
    const int height = viewport[3];
    for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
    } // errors left by others are not the copy's
    if (!makeBuffers(width, height))
        return;
    CopyState state;
    GLint drawBuffer = GL_BACK;
    glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(state.drawn));
    glReadBuffer(static_cast<GLenum>(drawBuffer));
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
    glBlitFramebuffer(viewport[0], viewport[1], viewport[0] + width, viewport[1] + height, 0,
                      height, width, 0, copyMask(), GL_NEAREST);
    kept = glGetError() == GL_NO_ERROR;
    unusable = !kept;
    // A separator is culled only with its bounding box cached.
    if (kept)
        SoGetBoundingBoxAction(action->getViewportRegion()).apply(root);
}

// The copy's depths must have the format of the view's own for the copy
// back; a multisampled view cannot take a copy back at all.
bool FrameCache::makeBuffers(int width, int height)
{
    static const int extension = SoGLCacheContextElement::getExtID("GL_ARB_framebuffer_object");
    GLint samples = 0;
    glGetIntegerv(GL_SAMPLE_BUFFERS, &samples);
    if (!SoGLCacheContextElement::extSupported(action->getState(), extension) || samples > 0 ||
        width <= 0 || height <= 0) {
        unusable = true;
        return false;
    }
    GLint size[2] = {0, 0};
    if (framebuffer) {
        glBindRenderbuffer(GL_RENDERBUFFER, depth);
        glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_WIDTH, &size[0]);
        glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_HEIGHT, &size[1]);
        glBindRenderbuffer(GL_RENDERBUFFER, 0);
        if (size[0] == width && size[1] == height)
            return true;
        releaseGL();
    }
    GLint depthBits = 0;
    GLint stencilBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
    const GLenum depthFormat = stencilBits > 0   ? GL_DEPTH24_STENCIL8
                               : depthBits > 24  ? GL_DEPTH_COMPONENT32
                               : depthBits == 16 ? GL_DEPTH_COMPONENT16
                                                 : GL_DEPTH_COMPONENT24;
    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    glGenRenderbuffers(1, &colour);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glGenRenderbuffers(1, &depth);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, depthFormat, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    stencil = stencilBits > 0;
    if (stencil)
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(bound));
    if (!complete || glGetError() != GL_NO_ERROR) {
        releaseGL();
        unusable = true;
    }
    return !unusable;
}
