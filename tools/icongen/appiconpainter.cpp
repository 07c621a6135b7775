#include "appiconpainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>

QImage AppIconPainter::paint(int size) const
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    drawTile(painter, s);
    drawTrace(painter, s);
    drawEmblem(painter, s);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

void AppIconPainter::drawTile(QPainter &painter, double s) const
{
    const QRectF tile(s * 0.04, s * 0.04, s * 0.92, s * 0.92);
    QRadialGradient light(QPointF(s * 0.5, s * 0.38), s * 0.75);
    light.setColorAt(0.0, QColor(30, 96, 124));
    light.setColorAt(0.7, QColor(12, 44, 64));
    light.setColorAt(1.0, QColor(5, 20, 32));
    painter.setPen(QPen(QColor(255, 255, 255, 60), std::max(1.0, s / 64)));
    painter.setBrush(light);
    painter.drawRoundedRect(tile, s * 0.18, s * 0.18);
}

// One heartbeat across the lower part of the tile, as on the monitor.
void AppIconPainter::drawTrace(QPainter &painter, double s) const
{
    const double base = s * 0.84;
    QPainterPath path(QPointF(s * 0.10, base));
    path.lineTo(s * 0.36, base);
    path.lineTo(s * 0.42, base - s * 0.04);
    path.lineTo(s * 0.47, base);
    path.lineTo(s * 0.52, base - s * 0.11);
    path.lineTo(s * 0.56, base + s * 0.04);
    path.lineTo(s * 0.60, base);
    path.lineTo(s * 0.90, base);
    const double width = std::max(1.0, s / 40);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(
        QPen(QColor(90, 255, 140, 60), width * 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.setPen(QPen(QColor(90, 255, 140), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
}

void AppIconPainter::drawEmblem(QPainter &painter, double s) const
{
    const QPointF centre(s * 0.5, s * 0.42);
    const double radius = s * 0.28;
    QLinearGradient disc(centre - QPointF(0, radius), centre + QPointF(0, radius));
    disc.setColorAt(0.0, QColor(40, 170, 150));
    disc.setColorAt(1.0, QColor(14, 104, 110));
    painter.setBrush(disc);
    painter.setPen(QPen(QColor(255, 255, 255, 230), std::max(1.0, s * 0.03)));
    painter.drawEllipse(centre, radius, radius);
    const double arm = radius * 1.25;
    const double thickness = radius * 0.42;
    QPainterPath cross;
    cross.addRect(QRectF(centre.x() - thickness / 2, centre.y() - arm / 2, thickness, arm));
    cross.addRect(QRectF(centre.x() - arm / 2, centre.y() - thickness / 2, arm, thickness));
    cross.setFillRule(Qt::WindingFill);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawPath(cross.simplified().translated(s * 0.012, s * 0.018));
    painter.setBrush(Qt::white);
    painter.drawPath(cross.simplified());
}
