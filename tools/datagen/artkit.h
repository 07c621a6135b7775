#pragma once

#include <QColor>
#include <QFont>
#include <QLinearGradient>
#include <QPen>
#include <QPointF>
#include <QRectF>

class QPainter;

// The shared palette and drawing helpers of the item pictures, so that all
// eleven tool icons share one look: soft shading, one outline colour, one
// set of colours.
class ArtKit
{
  public:
    static const QColor ink;
    static const QColor red;
    static const QColor blue;
    static const QColor green;
    static const QColor amber;
    static const QColor white;
    static const QColor metal;
    static const QColor skin;
    static const QColor teal;

    static QPen outline(double width = 1.3);
    // A horizontal gradient that makes a flat shape look round.
    static QLinearGradient cylinder(const QRectF &rect, const QColor &base);
    static QLinearGradient topLit(const QRectF &rect, const QColor &base);
    static void shadow(QPainter &painter, const QRectF &rect);
    static void tablet(QPainter &painter, const QPointF &centre, double radius,
                       const QColor &colour = white);
    static void capsule(QPainter &painter, const QPointF &centre, double length, double width,
                        double angle, const QColor &cap, const QColor &body);
    static void cross(QPainter &painter, const QPointF &centre, double size, const QColor &colour);
    static void heart(QPainter &painter, const QPointF &centre, double size, const QColor &colour);
    static QFont font(int pixelSize, bool bold);
    // Text in the painter's font and pen colour, its outlines placed in
    // `rect` (horizontally left or centred, vertically top, centre or bottom)
    // and filled: Qt 5 and Qt 6 render glyphs a little differently, outlines
    // alike, and the pictures stay the same.
    static void text(QPainter &painter, const QRectF &rect, int flags, const QString &text);
};
