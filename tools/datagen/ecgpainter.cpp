#include "ecgpainter.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace
{

constexpr double pi = 3.14159265358979323846;

// A smooth hump of height 1 at `centre`, zero beyond `halfWidth`. A bump
// that is exactly zero away from its wave keeps the baseline truly flat.
double bump(double x, double centre, double halfWidth)
{
    const double d = (x - centre) / halfWidth;
    return std::abs(d) >= 1.0 ? 0.0 : 0.5 + 0.5 * std::cos(pi * d);
}

// Straight segments through (x, height) points; the QRS complex is sharp.
double polyline(double x, const double (*points)[2], int count)
{
    for (int i = 0; i + 1 < count; ++i) {
        const double x0 = points[i][0], x1 = points[i + 1][0];
        if (x >= x0 && x <= x1)
            return points[i][1] + (points[i + 1][1] - points[i][1]) * (x - x0) / (x1 - x0);
    }
    return 0.0;
}

} // namespace

// At the strip's 60 columns per second one column is about 17 ms: P wave
// 100 ms, PR interval 170 ms, QRS 100 ms, QT 370 ms, as in a healthy adult.
double EcgPainter::sinusBeat(double x)
{
    x = std::fmod(x + width, width);
    static const double qrs[][2] = {{22.0, 0.0},  {23.2, -2.5}, {25.0, 25.0},
                                    {26.7, -7.0}, {27.6, -1.0}, {28.4, 0.0}};
    const double p = 4.0 * bump(x, 15.0, 3.2);
    // The T wave rises slowly and falls faster.
    const double t = x < 39.0 ? 7.0 * bump(x, 39.0, 6.0) : 7.0 * bump(x, 39.0, 4.5);
    return p + polyline(x, qrs, 6) + t;
}

// Coarse ventricular fibrillation: irregular undulations without P waves or
// QRS complexes, waxing and waning. Every part fits a whole number of times
// into the width.
double EcgPainter::fibrillation(double x)
{
    const double w = 2.0 * pi * x / width;
    const double swell = 1.0 + 0.3 * std::sin(w + 0.7);
    const double wave = 0.55 * std::sin(4 * w + 0.3) + 0.35 * std::sin(5 * w + 2.1) +
                        0.22 * std::sin(7 * w + 4.0) + 0.12 * std::sin(11 * w + 1.3);
    return 11.0 * swell * wave;
}

QImage EcgPainter::sinusRhythm() const
{
    QImage image = screen();
    drawTrace(image, baselineRow, sinusBeat);
    return image;
}

QImage EcgPainter::ventricularFibrillation() const
{
    QImage image = screen();
    drawTrace(image, 27.0, fibrillation);
    return image;
}

// The dark screen with a faint grid. Grid columns avoid columns 0 to 2, so
// those carry nothing but the trace and its baseline row.
QImage EcgPainter::screen() const
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(6, 18, 12));
    QPainter painter(&image);
    const QColor grid(18, 48, 30);
    for (int y = 2; y < height; y += 10)
        painter.fillRect(0, y, width, 1, grid);
    for (int x = 5; x < width; x += 10)
        painter.fillRect(x, 0, 1, height, grid);
    return image;
}

void EcgPainter::drawTrace(QImage &image, double centreRow,
                           const std::function<double(double)> &wave) const
{
    // The path runs past both edges so that neither end shows a line cap.
    QPainterPath path;
    for (int i = -40; i <= (width + 4) * 10; ++i) {
        const double x = i / 10.0;
        const QPointF point(x, centreRow - wave(x));
        if (i == -40)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 255, 110, 55), 5.0, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.setPen(QPen(QColor(90, 255, 130), 2.0, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPath(path);
}
