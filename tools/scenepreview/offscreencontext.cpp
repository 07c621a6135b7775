#include "offscreencontext.h"

#include <Inventor/C/glue/gl.h>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>

namespace
{

struct Buffer {
    QOffscreenSurface surface;
    QOpenGLContext context;
    QOpenGLFramebufferObject *framebuffer = nullptr;
    QOpenGLContext *previousContext = nullptr;
    QSurface *previousSurface = nullptr;
};

cc_glglue_offscreen_data createBuffer(unsigned int width, unsigned int height)
{
    auto *buffer = new Buffer;
    QSurfaceFormat format;
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    buffer->context.setFormat(format);
    buffer->surface.setFormat(format);
    buffer->surface.create();
    if (!buffer->context.create() || !buffer->context.makeCurrent(&buffer->surface)) {
        delete buffer;
        return nullptr;
    }
    buffer->framebuffer = new QOpenGLFramebufferObject(
        int(width), int(height), QOpenGLFramebufferObject::CombinedDepthStencil);
    buffer->context.doneCurrent();
    return buffer;
}

SbBool makeCurrent(cc_glglue_offscreen_data data)
{
    auto *buffer = static_cast<Buffer *>(data);
    buffer->previousContext = QOpenGLContext::currentContext();
    buffer->previousSurface =
        buffer->previousContext ? buffer->previousContext->surface() : nullptr;
    if (!buffer->context.makeCurrent(&buffer->surface))
        return FALSE;
    return buffer->framebuffer->bind() ? TRUE : FALSE;
}

void reinstatePrevious(cc_glglue_offscreen_data data)
{
    auto *buffer = static_cast<Buffer *>(data);
    buffer->framebuffer->release();
    buffer->context.doneCurrent();
    if (buffer->previousContext)
        buffer->previousContext->makeCurrent(buffer->previousSurface);
}

void destroyBuffer(cc_glglue_offscreen_data data)
{
    auto *buffer = static_cast<Buffer *>(data);
    if (buffer->context.makeCurrent(&buffer->surface)) {
        delete buffer->framebuffer;
        buffer->context.doneCurrent();
    }
    delete buffer;
}

cc_glglue_offscreen_cb_functions callbacks = {createBuffer, makeCurrent, reinstatePrevious,
                                              destroyBuffer};

} // namespace

void OffscreenContext::install()
{
    cc_glglue_context_set_offscreen_cb_functions(&callbacks);
}
