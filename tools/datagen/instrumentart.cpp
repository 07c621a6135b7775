#include "instrumentart.h"

#include "artkit.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

// Two adhesive plasters laid crosswise.
void InstrumentArt::plaster(QPainter &painter)
{
    ArtKit::shadow(painter, QRectF(14, 56, 114, 12));
    plasterStrip(painter, 20);
    plasterStrip(painter, -20);
}

void InstrumentArt::plasterStrip(QPainter &painter, double angle)
{
    painter.save();
    painter.translate(71, 35);
    painter.rotate(angle);
    const QRectF strip(-54, -13, 108, 26);
    painter.setPen(ArtKit::outline());
    painter.setBrush(ArtKit::topLit(strip, ArtKit::skin));
    painter.drawRoundedRect(strip, 12, 12);
    // Air holes in the adhesive wings.
    painter.setPen(Qt::NoPen);
    painter.setBrush(ArtKit::skin.darker(125));
    for (double x : {-44.0, -34.0, -24.0, 24.0, 34.0, 44.0})
        for (double y : {-6.0, 0.0, 6.0})
            painter.drawEllipse(QPointF(x + (y == 0.0 ? 5 : 0), y), 1.2, 1.2);
    const QRectF pad(-16, -10, 32, 20);
    painter.setPen(QPen(ArtKit::skin.darker(135), 1.0));
    painter.setBrush(ArtKit::topLit(pad, QColor(248, 236, 232)));
    painter.drawRoundedRect(pad, 3, 3);
    painter.restore();
}

// A roll of bandage with its end unrolled, and the pressure pad on it.
void InstrumentArt::pressureBandage(QPainter &painter)
{
    ArtKit::shadow(painter, QRectF(10, 56, 126, 12));
    const QColor gauze(244, 242, 236);
    // The unrolled end of the bandage, curling away from the roll.
    QPainterPath tail;
    tail.moveTo(50, 50);
    tail.cubicTo(80, 46, 108, 58, 138, 52);
    tail.lineTo(138, 64);
    tail.cubicTo(108, 69, 80, 60, 50, 64);
    tail.closeSubpath();
    painter.setPen(ArtKit::outline());
    painter.setBrush(ArtKit::topLit(QRectF(50, 46, 88, 22), gauze));
    painter.drawPath(tail);
    painter.setPen(QPen(gauze.darker(112), 0.8));
    for (double x = 62; x < 136; x += 8)
        painter.drawLine(QPointF(x, 51 + (x - 50) * 0.02), QPointF(x - 2, 63));

    // The roll seen from its side: a cylinder lying with its end towards us.
    const QRectF body(14, 8, 40, 56);
    painter.setPen(ArtKit::outline());
    painter.setBrush(ArtKit::topLit(body, gauze));
    painter.drawRect(QRectF(14, 8, 34, 56));
    const QRectF end(36, 8, 24, 56);
    painter.setBrush(gauze.darker(104));
    painter.drawEllipse(end);
    painter.setPen(QPen(gauze.darker(125), 1.0));
    painter.setBrush(Qt::NoBrush);
    for (double r = 0.78; r > 0.2; r -= 0.18)
        painter.drawEllipse(end.center(), 12 * r, 28 * r);
    painter.setPen(ArtKit::outline());
    painter.setBrush(ArtKit::white.darker(110));
    painter.drawEllipse(end.center(), 3, 7);
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(8, 8, 12, 56), 90 * 16, 180 * 16);

    // The folded pressure pad in its wrapper.
    const QRectF pad(92, 24, 38, 26);
    painter.setBrush(ArtKit::topLit(pad, ArtKit::white));
    painter.drawRoundedRect(pad, 3, 3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ArtKit::red);
    painter.drawRect(QRectF(92.6, 34, 36.8, 6));
}

// A half-circle suture needle with its thread.
void InstrumentArt::sutureNeedle(QPainter &painter)
{
    ArtKit::shadow(painter, QRectF(16, 56, 112, 12));
    // The inner edge is an ellipse shifted to the right, so the steel is
    // thickest at the eye on the left and runs out to the point on the right.
    const QPointF centre(58, 52);
    const double outer = 32, innerX = 29.5, innerY = 27.5, shift = 2.5;
    QPainterPath needle;
    needle.moveTo(centre + QPointF(-outer, 0));
    needle.arcTo(QRectF(centre.x() - outer, centre.y() - outer, 2 * outer, 2 * outer), 180, -180);
    needle.arcTo(QRectF(centre.x() + shift - innerX, centre.y() - innerY, 2 * innerX, 2 * innerY),
                 0, 180);
    needle.closeSubpath();
    QLinearGradient steel(centre.x() - outer, centre.y() - outer, centre.x() + outer, centre.y());
    steel.setColorAt(0.0, ArtKit::metal.darker(125));
    steel.setColorAt(0.45, ArtKit::metal.lighter(135));
    steel.setColorAt(1.0, ArtKit::metal.darker(115));
    painter.setPen(ArtKit::outline(1.1));
    painter.setBrush(steel);
    painter.drawPath(needle);

    // The thread leaves the eye, dips and trails away to the right.
    const QPointF eye = centre + QPointF(-outer + 2, -1);
    painter.setPen(QPen(QColor(104, 54, 160), 1.8, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    QPainterPath thread;
    thread.moveTo(eye);
    thread.cubicTo(eye + QPointF(-16, 2), eye + QPointF(-10, 14), eye + QPointF(8, 12));
    thread.cubicTo(eye + QPointF(38, 10), eye + QPointF(70, 8), eye + QPointF(90, -6));
    thread.cubicTo(eye + QPointF(104, -16), eye + QPointF(96, -32), eye + QPointF(86, -24));
    thread.cubicTo(eye + QPointF(76, -16), eye + QPointF(90, 2), eye + QPointF(108, 0));
    painter.drawPath(thread);
    painter.setPen(QPen(ArtKit::ink, 0.9));
    painter.setBrush(ArtKit::white);
    painter.drawEllipse(eye, 1.3, 1.3);
}

// A bottle of antiseptic, a gauze swab and a cotton bud.
void InstrumentArt::cleaning(QPainter &painter)
{
    ArtKit::shadow(painter, QRectF(10, 56, 126, 12));
    const QRectF body(16, 16, 38, 48);
    painter.setPen(ArtKit::outline());
    painter.setBrush(ArtKit::cylinder(body, QColor(205, 225, 240)));
    painter.drawRoundedRect(body, 6, 6);
    // Liquid up to two thirds, seen through the bottle.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 130, 200, 150));
    painter.drawRoundedRect(QRectF(17, 30, 36, 33), 5, 5);
    painter.setPen(ArtKit::outline());
    painter.setBrush(ArtKit::cylinder(QRectF(24, 2, 22, 15), ArtKit::white));
    painter.drawRoundedRect(QRectF(24, 4, 22, 13), 2, 2);
    painter.drawRect(QRectF(30, 0, 10, 5));
    painter.setBrush(ArtKit::white);
    painter.drawRect(QRectF(20, 34, 30, 20));
    ArtKit::cross(painter, QPointF(35, 44), 13, ArtKit::blue);

    // The folded gauze swab with its weave.
    const QRectF swab(66, 30, 44, 32);
    painter.setPen(ArtKit::outline());
    painter.setBrush(ArtKit::topLit(swab, ArtKit::white));
    painter.drawRoundedRect(swab, 3, 3);
    painter.setPen(QPen(ArtKit::white.darker(115), 0.8));
    for (double d = 4; d < 44; d += 5)
        painter.drawLine(QPointF(swab.left() + d, swab.top() + 1),
                         QPointF(swab.left() + d, swab.bottom() - 1));
    for (double d = 4; d < 32; d += 5)
        painter.drawLine(QPointF(swab.left() + 1, swab.top() + d),
                         QPointF(swab.right() - 1, swab.top() + d));
    painter.setPen(QPen(ArtKit::white.darker(130), 1.0));
    painter.drawLine(swab.topLeft() + QPointF(22, 0), swab.bottomLeft() + QPointF(22, 0));

    // The cotton bud lies diagonally across the swab.
    painter.setPen(QPen(ArtKit::ink, 4.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(84, 18), QPointF(130, 52));
    painter.setPen(QPen(QColor(226, 214, 190), 2.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(84, 18), QPointF(130, 52));
    painter.setPen(ArtKit::outline(1.0));
    painter.setBrush(ArtKit::white);
    for (const QPointF &end : {QPointF(82, 16.5), QPointF(132, 53.5)}) {
        painter.save();
        painter.translate(end);
        painter.rotate(36.5);
        painter.drawEllipse(QPointF(0, 0), 7, 4.5);
        painter.restore();
    }
}

// An oxygen cylinder with its valve, a tube and a face mask.
void InstrumentArt::oxygen(QPainter &painter)
{
    ArtKit::shadow(painter, QRectF(12, 56, 124, 12));
    // The tube from the valve down and over to the mask.
    QPainterPath tube;
    tube.moveTo(46, 8);
    tube.cubicTo(70, 4, 66, 60, 90, 56);
    tube.cubicTo(100, 54, 104, 48, 106, 44);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ArtKit::green.darker(140), 4.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(tube);
    painter.setPen(QPen(ArtKit::green.lighter(150), 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(tube);

    const QRectF body(18, 22, 30, 42);
    painter.setPen(ArtKit::outline());
    painter.setBrush(ArtKit::cylinder(body, ArtKit::green));
    painter.drawRoundedRect(body, 4, 4);
    // The white shoulder that marks medical oxygen.
    QPainterPath shoulder;
    shoulder.moveTo(18, 26);
    shoulder.cubicTo(18, 14, 48, 14, 48, 26);
    shoulder.closeSubpath();
    painter.setBrush(ArtKit::cylinder(body, ArtKit::white));
    painter.drawPath(shoulder);
    painter.setBrush(ArtKit::cylinder(QRectF(26, 2, 14, 16), ArtKit::metal));
    painter.drawRect(QRectF(27, 8, 12, 10));
    painter.drawRoundedRect(QRectF(24, 2, 18, 7), 2, 2);
    painter.drawRect(QRectF(39, 6, 8, 5));
    painter.setPen(ArtKit::white);
    painter.setFont(ArtKit::font(12, true));
    ArtKit::text(painter, QRectF(18, 34, 30, 20), Qt::AlignCenter, QStringLiteral("O\u2082"));

    // The mask: a clear rounded cup with its elastic strap.
    painter.setPen(QPen(ArtKit::ink.lighter(150), 1.4));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(92, 10, 46, 30), 20 * 16, 140 * 16);
    QPainterPath mask;
    mask.moveTo(112, 12);
    mask.cubicTo(128, 12, 136, 28, 132, 40);
    mask.cubicTo(128, 50, 96, 50, 92, 40);
    mask.cubicTo(88, 28, 96, 12, 112, 12);
    QLinearGradient plastic(92, 12, 132, 48);
    plastic.setColorAt(0, QColor(235, 250, 242, 235));
    plastic.setColorAt(1, QColor(160, 210, 185, 235));
    painter.setPen(ArtKit::outline());
    painter.setBrush(plastic);
    painter.drawPath(mask);
    painter.setBrush(ArtKit::green.lighter(130));
    painter.drawEllipse(QPointF(112, 38), 6, 4);
}

// An external defibrillator with its two paddles.
void InstrumentArt::defibrillator(QPainter &painter)
{
    ArtKit::shadow(painter, QRectF(8, 56, 130, 12));
    // The cables first, so the device and paddles cover their ends.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ArtKit::ink, 2.0, Qt::SolidLine, Qt::RoundCap));
    QPainterPath cables;
    cables.moveTo(70, 52);
    cables.cubicTo(86, 64, 90, 40, 98, 30);
    cables.moveTo(70, 56);
    cables.cubicTo(96, 70, 112, 46, 124, 30);
    painter.drawPath(cables);

    const QRectF body(8, 8, 66, 56);
    painter.setPen(ArtKit::outline());
    painter.setBrush(ArtKit::topLit(body, ArtKit::red));
    painter.drawRoundedRect(body, 8, 8);
    const QRectF panel(14, 14, 54, 44);
    painter.setBrush(QColor(58, 64, 74));
    painter.drawRoundedRect(panel, 4, 4);
    const QRectF display(18, 18, 46, 16);
    painter.setBrush(QColor(14, 30, 22));
    painter.drawRect(display);
    painter.setPen(QPen(QColor(90, 255, 130), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({{19, 27},
                                    {28, 27},
                                    {31, 24},
                                    {33, 27},
                                    {36, 27},
                                    {38, 20},
                                    {40, 31},
                                    {42, 27},
                                    {50, 27},
                                    {52, 24},
                                    {55, 27},
                                    {63, 27}}));
    // The shock button with its lightning bolt.
    painter.setPen(ArtKit::outline());
    painter.setBrush(ArtKit::topLit(QRectF(30, 37, 18, 18), QColor(250, 190, 40)));
    painter.drawEllipse(QRectF(31, 37, 18, 18));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ArtKit::red.darker(120));
    painter.drawPolygon(
        QPolygonF({{41.5, 39.5}, {35.5, 47}, {39.5, 47}, {37.5, 53}, {44.5, 44.5}, {40.5, 44.5}}));
    ArtKit::heart(painter, QPointF(58, 46), 10, ArtKit::white);
    ArtKit::heart(painter, QPointF(22, 46), 10, ArtKit::white);

    paddle(painter, 86, 6);
    paddle(painter, 112, 6);
}

// A paddle standing on its electrode plate, grip upwards.
void InstrumentArt::paddle(QPainter &painter, double x, double y)
{
    painter.setPen(ArtKit::outline());
    const QRectF grip(x + 6, y, 12, 26);
    painter.setBrush(ArtKit::cylinder(grip, QColor(70, 76, 86)));
    painter.drawRoundedRect(grip, 5, 5);
    painter.setBrush(ArtKit::red);
    painter.drawRoundedRect(QRectF(x + 8, y + 3, 8, 5), 2, 2);
    const QRectF plate(x, y + 24, 24, 12);
    painter.setBrush(ArtKit::cylinder(plate, QColor(70, 76, 86)));
    painter.drawRoundedRect(plate, 3, 3);
    painter.setBrush(ArtKit::cylinder(plate, ArtKit::metal));
    painter.drawRect(QRectF(x + 1, y + 34, 22, 4));
}
