#include "logopainter.h"

#include "artkit.h"
#include "ecgpainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace
{

const QColor glowGreen(90, 255, 140);
const QColor accent(110, 214, 220);

QFont logoFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Draws `path` as a soft glowing line: wide faint strokes under a bright core.
void glowStroke(QPainter &painter, const QPainterPath &path, const QColor &colour, double core)
{
    for (int i = 4; i >= 1; --i) {
        QColor halo = colour;
        halo.setAlpha(22);
        painter.setPen(QPen(halo, core + i * 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(path);
    }
    painter.setPen(QPen(colour, core, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
}

} // namespace

QImage LogoPainter::paint() const
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    drawBackground(painter);
    drawTrace(painter);
    drawEmblem(painter);
    drawTitle(painter);
    drawDiagnosis(painter);
    drawHint(painter);
    return image;
}

void LogoPainter::drawBackground(QPainter &painter) const
{
    QRadialGradient light(QPointF(400, 230), 560);
    light.setColorAt(0.0, QColor(26, 86, 112));
    light.setColorAt(0.6, QColor(12, 44, 64));
    light.setColorAt(1.0, QColor(5, 20, 32));
    painter.fillRect(QRect(0, 0, width, height), light);
    // The faint squares of monitor paper.
    painter.setPen(QPen(QColor(255, 255, 255, 10), 1.0));
    for (int x = 20; x < width; x += 40)
        painter.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, height));
    for (int y = 20; y < height; y += 40)
        painter.drawLine(QPointF(0, y + 0.5), QPointF(width, y + 0.5));
}

// A white cross in a glowing ring.
void LogoPainter::drawEmblem(QPainter &painter) const
{
    const QPointF centre(400, 128);
    QRadialGradient halo(centre, 100);
    halo.setColorAt(0.0, QColor(110, 214, 220, 90));
    halo.setColorAt(1.0, QColor(110, 214, 220, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(halo);
    painter.drawEllipse(centre, 100, 100);
    QLinearGradient disc(centre - QPointF(0, 62), centre + QPointF(0, 62));
    disc.setColorAt(0.0, QColor(40, 170, 150));
    disc.setColorAt(1.0, QColor(14, 104, 110));
    painter.setBrush(disc);
    painter.setPen(QPen(QColor(255, 255, 255, 220), 4.0));
    painter.drawEllipse(centre, 62, 62);
    ArtKit::cross(painter, centre + QPointF(2, 3), 78, QColor(0, 0, 0, 60));
    ArtKit::cross(painter, centre, 78, QColor(255, 255, 255));
}

// "Curavant" in white and "Beta" in the accent colour, centred as one line.
void LogoPainter::drawTitle(QPainter &painter) const
{
    const QFont font = logoFont(76, true);
    const QFontMetricsF metrics(font);
    const QString name = QStringLiteral("Curavant ");
    const QString stage = QStringLiteral("Beta");
    const double total = metrics.horizontalAdvance(name + stage);
    const double left = (width - total) / 2;
    const double baseline = 296;
    QPainterPath first, second;
    first.addText(QPointF(left, baseline), font, name);
    second.addText(QPointF(left + metrics.horizontalAdvance(name), baseline), font, stage);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 90));
    painter.drawPath(first.translated(3, 4));
    painter.drawPath(second.translated(3, 4));
    QLinearGradient white(0, baseline - 60, 0, baseline);
    white.setColorAt(0.0, QColor(255, 255, 255));
    white.setColorAt(1.0, QColor(214, 236, 242));
    painter.setBrush(white);
    painter.drawPath(first);
    painter.setBrush(accent);
    painter.drawPath(second);
}

// A monitor trace across the whole picture, one heartbeat under the title.
void LogoPainter::drawTrace(QPainter &painter) const
{
    QPainterPath path;
    const double baseline = 384;
    const double scale = 2.4;
    path.moveTo(0, baseline);
    for (double x = 0; x <= width; x += 0.5) {
        // The beat's QRS complex lands in the middle of the picture.
        const double column = (x - 400) / (scale * 1.6) + 25.0;
        const double height =
            column >= 0 && column < EcgPainter::width ? EcgPainter::sinusBeat(column) * scale : 0.0;
        path.lineTo(x, baseline - height);
    }
    painter.setBrush(Qt::NoBrush);
    glowStroke(painter, path, glowGreen, 2.6);
}

// The diagnosis on a frosted panel, with a broken shinbone beside it.
void LogoPainter::drawDiagnosis(QPainter &painter) const
{
    const QFont large = logoFont(34, true);
    const QString diagnosis = QStringLiteral("Unterschenkelfraktur");
    const double textWidth = QFontMetricsF(large).horizontalAdvance(diagnosis);
    const double panelWidth = textWidth + 140;
    const QRectF panel((width - panelWidth) / 2, 428, panelWidth, 100);
    painter.setPen(QPen(QColor(255, 255, 255, 60), 1.2));
    painter.setBrush(QColor(255, 255, 255, 22));
    painter.drawRoundedRect(panel, 16, 16);
    drawBone(painter, QPointF(panel.left() + 52, panel.center().y()));

    QFont small = logoFont(17, true);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 4.0);
    painter.setFont(small);
    painter.setPen(accent);
    const QRectF text = panel.adjusted(104, 16, -20, -18);
    ArtKit::text(painter, text, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("DIAGNOSE"));
    painter.setFont(large);
    painter.setPen(QColor(255, 255, 255));
    ArtKit::text(painter, text, Qt::AlignLeft | Qt::AlignBottom, diagnosis);
}

// A shinbone drawn upright, cracked across the middle.
void LogoPainter::drawBone(QPainter &painter, const QPointF &centre) const
{
    painter.save();
    painter.translate(centre);
    painter.rotate(18);
    QPainterPath bone;
    bone.setFillRule(Qt::WindingFill);
    bone.addRoundedRect(QRectF(-6, -34, 12, 68), 5, 5);
    bone.addEllipse(QPointF(-6, -36), 9, 7);
    bone.addEllipse(QPointF(6, -36), 9, 7);
    bone.addEllipse(QPointF(-5, 36), 8, 6);
    bone.addEllipse(QPointF(5, 36), 8, 6);
    // Split along a jagged line; the lower fragment is displaced.
    QPainterPath above;
    above.moveTo(-20, -60);
    above.lineTo(20, -60);
    above.lineTo(20, -2);
    above.lineTo(8, 2);
    above.lineTo(3, -3);
    above.lineTo(-2, 3);
    above.lineTo(-8, -1);
    above.lineTo(-20, 4);
    above.closeSubpath();
    const QPainterPath whole = bone.simplified();
    QPainterPath broken = whole.intersected(above);
    broken.addPath(whole.subtracted(above).translated(5, 4));
    QLinearGradient ivory(-15, 0, 15, 0);
    ivory.setColorAt(0.0, QColor(250, 246, 234));
    ivory.setColorAt(1.0, QColor(214, 204, 182));
    painter.setPen(QPen(QColor(255, 255, 255, 160), 1.2));
    painter.setBrush(ivory);
    painter.drawPath(broken);
    painter.restore();
}

void LogoPainter::drawHint(QPainter &painter) const
{
    painter.setFont(logoFont(15, false));
    painter.setPen(QColor(255, 255, 255, 150));
    ArtKit::text(
        painter, QRectF(0, 536, width, 26), Qt::AlignCenter,
        QStringLiteral(
            "Men\u00fc \u201eSpiel\u201c \u2192 \u201eStart!\u201c beginnt die Behandlung"));
}
