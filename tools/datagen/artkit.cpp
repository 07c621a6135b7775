#include "artkit.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

const QColor ArtKit::ink(38, 50, 64);
const QColor ArtKit::red(208, 56, 56);
const QColor ArtKit::blue(46, 108, 184);
const QColor ArtKit::green(40, 150, 92);
const QColor ArtKit::amber(160, 88, 28);
const QColor ArtKit::white(250, 251, 252);
const QColor ArtKit::metal(172, 184, 196);
const QColor ArtKit::skin(232, 190, 142);
const QColor ArtKit::teal(22, 104, 128);

QPen ArtKit::outline(double width)
{
    return QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QLinearGradient ArtKit::cylinder(const QRectF &rect, const QColor &base)
{
    QLinearGradient gradient(rect.left(), 0, rect.right(), 0);
    gradient.setColorAt(0.0, base.darker(112));
    gradient.setColorAt(0.3, base.lighter(125));
    gradient.setColorAt(0.55, base);
    gradient.setColorAt(1.0, base.darker(135));
    return gradient;
}

QLinearGradient ArtKit::topLit(const QRectF &rect, const QColor &base)
{
    QLinearGradient gradient(0, rect.top(), 0, rect.bottom());
    gradient.setColorAt(0.0, base.lighter(118));
    gradient.setColorAt(1.0, base.darker(118));
    return gradient;
}

void ArtKit::shadow(QPainter &painter, const QRectF &rect)
{
    QRadialGradient gradient(rect.center(), rect.width() / 2);
    gradient.setColorAt(0.0, QColor(0, 0, 0, 70));
    gradient.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    // The gradient is round; squeeze it into the flat ellipse of a shadow.
    painter.translate(rect.center());
    painter.scale(1.0, rect.height() / rect.width());
    painter.drawEllipse(QPointF(0, 0), rect.width() / 2, rect.width() / 2);
    painter.restore();
}

void ArtKit::tablet(QPainter &painter, const QPointF &centre, double radius, const QColor &colour)
{
    QRadialGradient gradient(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.4);
    gradient.setColorAt(0.0, colour.lighter(110));
    gradient.setColorAt(1.0, colour.darker(128));
    painter.save();
    painter.setPen(outline(1.0));
    painter.setBrush(gradient);
    painter.drawEllipse(centre, radius, radius);
    // The score line across the middle.
    painter.setPen(QPen(colour.darker(150), 0.9));
    painter.drawLine(centre + QPointF(-radius * 0.6, 0), centre + QPointF(radius * 0.6, 0));
    painter.restore();
}

void ArtKit::capsule(QPainter &painter, const QPointF &centre, double length, double width,
                     double angle, const QColor &cap, const QColor &body)
{
    painter.save();
    painter.translate(centre);
    painter.rotate(angle);
    const QRectF whole(-length / 2, -width / 2, length, width);
    const QRectF capHalf(-length / 2, -width / 2, length / 2 + width / 4, width);
    painter.setPen(Qt::NoPen);
    painter.setBrush(topLit(whole, body));
    painter.drawRoundedRect(whole, width / 2, width / 2);
    painter.setBrush(topLit(whole, cap));
    painter.drawRoundedRect(capHalf, width / 2, width / 2);
    painter.setPen(QPen(QColor(255, 255, 255, 150), width / 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(-length / 2 + width / 2, -width / 5),
                     QPointF(length / 2 - width / 2, -width / 5));
    painter.setPen(outline(1.1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(whole, width / 2, width / 2);
    painter.restore();
}

void ArtKit::cross(QPainter &painter, const QPointF &centre, double size, const QColor &colour)
{
    const double arm = size / 3;
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addRect(centre.x() - arm / 2, centre.y() - size / 2, arm, size);
    path.addRect(centre.x() - size / 2, centre.y() - arm / 2, size, arm);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(path.simplified());
    painter.restore();
}

void ArtKit::heart(QPainter &painter, const QPointF &centre, double size, const QColor &colour)
{
    const double s = size / 2;
    QPainterPath path;
    path.moveTo(centre + QPointF(0, s * 0.95));
    path.cubicTo(centre + QPointF(-s * 1.3, s * 0.1), centre + QPointF(-s * 0.9, -s * 1.05),
                 centre + QPointF(0, -s * 0.4));
    path.cubicTo(centre + QPointF(s * 0.9, -s * 1.05), centre + QPointF(s * 1.3, s * 0.1),
                 centre + QPointF(0, s * 0.95));
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(path);
    painter.restore();
}

QFont ArtKit::font(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void ArtKit::text(QPainter &painter, const QRectF &rect, int flags, const QString &text)
{
    // Placed by the outlines' own bounds: Qt 5 and Qt 6 read a font's ascent
    // and descent from different tables.
    QPainterPath path;
    path.addText(QPointF(0, 0), painter.font(), text);
    const QRectF ink = path.boundingRect();
    double x = rect.left() - ink.left();
    if (flags & Qt::AlignHCenter)
        x += (rect.width() - ink.width()) / 2;
    double y = rect.top() - ink.top();
    if (flags & Qt::AlignBottom)
        y = rect.bottom() - ink.bottom();
    else if (flags & Qt::AlignVCenter)
        y += (rect.height() - ink.height()) / 2;
    painter.fillPath(path.translated(x, y), painter.pen().color());
}
