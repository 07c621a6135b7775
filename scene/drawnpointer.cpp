#include "drawnpointer.h"

#include "scenestate.h"

#include <Inventor/system/gl.h>

#include <QPainter>
#include <QPainterPath>
#include <QWidget>

#include <cmath>

namespace
{
// The arrow's outline in pixels, its tip at the origin.
const QPointF outline[] = {{0, 0},      {0, 16.5},   {4, 12.8},   {6.8, 19.2},
                           {9.6, 18.0}, {6.9, 11.9}, {11.8, 11.9}};
const int margin = 2; // whole device pixels at ratios 1, 1.5 and 2
const QSize arrowSize(13 + 2 * margin, 20 + 2 * margin);
} // namespace

// A motion tells as well as an enter that the pointer is inside: an enter
// may come late, or not at all, through XWayland.
void DrawnPointer::track(QEvent::Type type)
{
    if (type == QEvent::Enter || type == QEvent::MouseMove)
        inside = true;
    else if (type == QEvent::Leave)
        inside = false;
}

QPoint DrawnPointer::heldPoint() const
{
    return inside && lastCursorX > -1 ? QPoint(lastCursorX, lastCursorY) : QPoint(-1, -1);
}

void DrawnPointer::draw(const QWidget *gl)
{
    drawnAt = heldPoint();
    if (drawnAt.x() > -1)
        drawArrow(gl, gl->mapFromGlobal(drawnAt));
}

// Drawn over the finished frame in device pixels; every GL state it changes
// is put back, so the next frame starts from what the scene left.
void DrawnPointer::drawArrow(const QWidget *gl, QPoint tip)
{
    const qreal ratio = gl->devicePixelRatioF();
    const QImage &image = arrow(ratio);
    const auto width = static_cast<int>(std::lround(gl->width() * ratio));
    const auto height = static_cast<int>(std::lround(gl->height() * ratio));
    const auto left = static_cast<int>(std::lround(tip.x() * ratio)) - tipOffset;
    const auto top = static_cast<int>(std::lround(tip.y() * ratio)) - tipOffset;

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glViewport(0, 0, width, height);
    for (GLenum capability : {GL_DEPTH_TEST, GL_LIGHTING, GL_TEXTURE_2D, GL_FOG, GL_ALPHA_TEST})
        glDisable(capability);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA); // the image's colours are premultiplied
    glPixelZoom(1, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    // A raster position off the view would be invalid and draw nothing: start
    // inside and move from there, so an arrow at the edge is drawn in part.
    glRasterPos2i(0, 0);
    glBitmap(0, 0, 0, 0, static_cast<GLfloat>(left),
             static_cast<GLfloat>(height - top - image.height()), nullptr);
    glDrawPixels(image.width(), image.height(), GL_RGBA, GL_UNSIGNED_BYTE, image.constBits());
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopClientAttrib();
    glPopAttrib();
}

// Painted at the view's own pixel density, so that the arrow stays sharp on a
// scaled desktop.
const QImage &DrawnPointer::arrow(qreal ratio)
{
    if (ratio == arrowRatio)
        return arrowImage;
    QImage image(arrowSize * ratio, QImage::Format_RGBA8888_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(ratio, ratio);
    painter.translate(margin, margin);
    QPainterPath path;
    path.addPolygon(QPolygonF(QVector<QPointF>(std::begin(outline), std::end(outline))));
    path.closeSubpath();
    // The outline lies inside the shape, so that the tip's pixel is the
    // shape's first: the held point itself.
    painter.fillPath(path, Qt::white);
    painter.setClipPath(path);
    painter.strokePath(path, QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.end();
#if QT_VERSION >= QT_VERSION_CHECK(6, 9, 0)
    arrowImage = image.flipped(Qt::Vertical);
#else
    arrowImage = image.mirrored();
#endif
    arrowRatio = ratio;
    tipOffset = static_cast<int>(std::lround(margin * ratio));
    return arrowImage;
}
