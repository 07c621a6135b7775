#include "medicineart.h"

#include "artkit.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

// A carton of painkillers with two tablets spilled in front of it.
void MedicineArt::painkiller(QPainter &painter)
{
    ArtKit::shadow(painter, QRectF(10, 56, 122, 12));
    const QPolygonF top({{22, 14}, {36, 4}, {96, 4}, {82, 14}});
    const QPolygonF side({{82, 14}, {96, 4}, {96, 52}, {82, 62}});
    const QRectF front(22, 14, 60, 48);
    painter.setPen(ArtKit::outline());
    painter.setBrush(ArtKit::white.darker(104));
    painter.drawPolygon(top);
    painter.setBrush(ArtKit::white.darker(118));
    painter.drawPolygon(side);
    painter.setBrush(ArtKit::topLit(front, ArtKit::white));
    painter.drawRect(front);
    // The red band runs round the front and the side.
    painter.setPen(Qt::NoPen);
    painter.setBrush(ArtKit::red);
    painter.drawRect(QRectF(22.6, 32, 59, 14));
    painter.setBrush(ArtKit::red.darker(120));
    painter.drawPolygon(QPolygonF({{82.6, 32}, {95.4, 23}, {95.4, 37}, {82.6, 46}}));
    ArtKit::cross(painter, QPointF(34, 23), 11, ArtKit::red);
    painter.setPen(QPen(ArtKit::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    // A zigzag for the ache the tablets take away.
    painter.drawPolyline(QPolygonF({{30, 41}, {38, 36}, {44, 42}, {52, 36}, {58, 42}, {66, 37}}));
    painter.setPen(QPen(ArtKit::ink.lighter(160), 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(44, 21), QPointF(74, 21));
    painter.drawLine(QPointF(44, 26), QPointF(66, 26));
    ArtKit::tablet(painter, QPointF(104, 56), 9);
    ArtKit::tablet(painter, QPointF(124, 50), 9);
}

// A brown bottle of capsules with a few of them in front.
void MedicineArt::antidiarrhoeal(QPainter &painter)
{
    ArtKit::shadow(painter, QRectF(12, 56, 122, 12));
    bottle(painter, 22, 2, 42, 62);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ArtKit::green);
    painter.drawRect(QRectF(23, 34, 40, 5));
    ArtKit::capsule(painter, QPointF(43, 47), 16, 7, 0, ArtKit::green, ArtKit::white);
    ArtKit::capsule(painter, QPointF(92, 55), 34, 13, -12, ArtKit::green, ArtKit::white);
    ArtKit::capsule(painter, QPointF(118, 40), 34, 13, 58, ArtKit::green, ArtKit::white);
    ArtKit::capsule(painter, QPointF(89, 33), 30, 12, 24, ArtKit::green, ArtKit::white);
}

// A dropper bottle and a spoon catching a drop.
void MedicineArt::antiemetic(QPainter &painter)
{
    ArtKit::shadow(painter, QRectF(10, 56, 126, 12));
    const QRectF body(24, 26, 40, 38);
    painter.setPen(ArtKit::outline());
    painter.setBrush(ArtKit::cylinder(body, ArtKit::amber));
    painter.drawRoundedRect(body, 7, 7);
    painter.setBrush(ArtKit::cylinder(QRectF(32, 16, 24, 12), ArtKit::white));
    painter.drawRoundedRect(QRectF(32, 16, 24, 12), 2, 2);
    // The rubber bulb of the pipette.
    painter.setBrush(ArtKit::cylinder(QRectF(36, 0, 16, 18), QColor(70, 74, 82)));
    painter.drawRoundedRect(QRectF(36, 1, 16, 17), 7, 7);
    painter.setBrush(ArtKit::white);
    painter.drawRect(QRectF(28, 36, 32, 20));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ArtKit::blue);
    painter.drawRect(QRectF(28.6, 36.6, 30.8, 5));
    ArtKit::cross(painter, QPointF(44, 49), 9, ArtKit::blue);

    // The spoon: a shallow bowl with its handle to the right.
    painter.setPen(ArtKit::outline());
    painter.setBrush(ArtKit::topLit(QRectF(104, 44, 36, 8), ArtKit::metal));
    QPainterPath handle;
    handle.moveTo(110, 50);
    handle.quadTo(124, 44, 139, 42);
    handle.lineTo(139, 46);
    handle.quadTo(124, 48, 112, 55);
    painter.drawPath(handle);
    painter.setBrush(ArtKit::topLit(QRectF(78, 46, 36, 16), ArtKit::metal));
    painter.drawEllipse(QRectF(78, 46, 36, 16));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(120, 170, 225, 200));
    painter.drawEllipse(QRectF(84, 50, 24, 8));

    // The falling drop, round below and pointed above.
    QPainterPath drop;
    drop.moveTo(96, 14);
    drop.cubicTo(100, 22, 104, 28, 104, 32);
    drop.arcTo(QRectF(88, 24, 16, 16), 0, -180);
    drop.cubicTo(88, 28, 92, 22, 96, 14);
    painter.setPen(ArtKit::outline(1.1));
    QLinearGradient water(88, 14, 104, 40);
    water.setColorAt(0, QColor(190, 225, 255));
    water.setColorAt(1, QColor(70, 130, 210));
    painter.setBrush(water);
    painter.drawPath(drop);
}

// A blister strip of ten tablets.
void MedicineArt::paracetamol(QPainter &painter)
{
    ArtKit::shadow(painter, QRectF(10, 56, 122, 12));
    painter.save();
    painter.translate(71, 34);
    painter.rotate(-6);
    const QRectF foil(-58, -25, 116, 50);
    QLinearGradient shine(foil.topLeft(), foil.bottomRight());
    shine.setColorAt(0.0, ArtKit::metal.lighter(125));
    shine.setColorAt(0.45, ArtKit::metal.lighter(108));
    shine.setColorAt(0.5, ArtKit::metal.lighter(130));
    shine.setColorAt(1.0, ArtKit::metal.darker(112));
    painter.setPen(ArtKit::outline());
    painter.setBrush(shine);
    painter.drawRoundedRect(foil, 6, 6);
    painter.setPen(QPen(ArtKit::metal.darker(140), 1.0, Qt::DashLine));
    painter.drawLine(QPointF(32.25, -25), QPointF(32.25, 25));
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 5; ++column) {
            const QPointF centre(-43 + column * 21.5, -11 + row * 22);
            painter.setPen(QPen(ArtKit::metal.darker(125), 1.0));
            painter.setBrush(QColor(255, 255, 255, 90));
            painter.drawEllipse(centre, 9.5, 9.5);
            ArtKit::tablet(painter, centre, 7.5);
        }
    }
    painter.restore();
}

// A pill bottle beside a blood-pressure gauge whose needle reads low.
void MedicineArt::antihypertensive(QPainter &painter)
{
    ArtKit::shadow(painter, QRectF(10, 56, 126, 12));
    const QRectF body(18, 18, 42, 46);
    painter.setPen(ArtKit::outline());
    painter.setBrush(ArtKit::cylinder(body, ArtKit::white.darker(103)));
    painter.drawRoundedRect(body, 5, 5);
    const QRectF cap(15, 4, 48, 16);
    painter.setBrush(ArtKit::cylinder(cap, ArtKit::blue));
    painter.drawRoundedRect(cap, 3, 3);
    painter.setPen(QPen(ArtKit::blue.darker(150), 1.0));
    for (double x = 20; x < 60; x += 5)
        painter.drawLine(QPointF(x, 7), QPointF(x, 17));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ArtKit::blue);
    painter.drawRect(QRectF(18.7, 27, 40.6, 4));
    ArtKit::heart(painter, QPointF(33, 43), 15, ArtKit::red);
    painter.setPen(QPen(ArtKit::blue, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPointF(49, 36), QPointF(49, 52));
    painter.drawPolyline(QPolygonF({{44, 47}, {49, 53}, {54, 47}}));

    const QPointF centre(104, 34);
    const double radius = 27;
    QRadialGradient face(centre - QPointF(6, 8), radius * 1.3);
    face.setColorAt(0, ArtKit::white);
    face.setColorAt(1, ArtKit::white.darker(118));
    painter.setPen(QPen(ArtKit::ink, 1.3));
    painter.setBrush(ArtKit::metal);
    painter.drawEllipse(centre, radius + 3, radius + 3);
    painter.setBrush(face);
    painter.drawEllipse(centre, radius, radius);
    // Scale marks over 270 degrees, the high end coloured red.
    const double pi = 3.14159265358979323846;
    for (int i = 0; i <= 12; ++i) {
        const double angle = (225.0 - i * 22.5) * pi / 180.0;
        const QPointF dir(std::cos(angle), -std::sin(angle));
        painter.setPen(QPen(i >= 9 ? ArtKit::red : ArtKit::ink, i % 3 == 0 ? 1.8 : 1.0));
        painter.drawLine(centre + dir * (radius - 3), centre + dir * (radius - (i % 3 ? 7 : 10)));
    }
    const double needle = (225.0 - 3.5 * 22.5) * pi / 180.0;
    painter.setPen(QPen(ArtKit::red.darker(110), 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(std::cos(needle), -std::sin(needle)) * (radius - 6));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ArtKit::ink);
    painter.drawEllipse(centre, 3, 3);
}

// A brown glass bottle with a white screw cap and a white label.
void MedicineArt::bottle(QPainter &painter, double left, double top, double width, double height)
{
    const QRectF cap(left + 6, top, width - 12, 12);
    const QRectF neck(left + 9, top + 11, width - 18, 6);
    const QRectF body(left, top + 16, width, height - 16);
    painter.setPen(ArtKit::outline());
    painter.setBrush(ArtKit::cylinder(body, ArtKit::amber));
    painter.drawRoundedRect(body, 7, 7);
    painter.setBrush(ArtKit::cylinder(neck, ArtKit::amber.darker(115)));
    painter.drawRect(neck);
    painter.setBrush(ArtKit::cylinder(cap, ArtKit::white));
    painter.drawRoundedRect(cap, 2, 2);
    painter.setBrush(ArtKit::white);
    painter.drawRect(QRectF(left + 1, top + 30, width - 2, 24));
}
