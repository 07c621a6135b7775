#include "logomatcher.h"

#include <cstdlib>

namespace
{
const int columns = 24;
const int rows = 16;
// The window shows the logo below the menu bar and cuts off its last rows.
const double sampledHeight = 0.85;
const int tolerance = 12;
const int allowedMisses = 4;

bool similar(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}
} // namespace

LogoMatcher::LogoMatcher(const QImage &logo)
{
    if (logo.isNull())
        return;
    const QImage image = logo.convertToFormat(QImage::Format_RGB32);
    sampledSize = QSize(image.width(), static_cast<int>(image.height() * sampledHeight));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const QPoint at((2 * c + 1) * sampledSize.width() / (2 * columns),
                            (2 * r + 1) * sampledSize.height() / (2 * rows));
            samples.push_back({at, image.pixel(at)});
        }
}

QPoint LogoMatcher::find(const QImage &picture) const
{
    if (!valid() || picture.isNull())
        return QPoint(-1, -1);
    const QImage image =
        picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
            ? picture
            : picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y + sampledSize.height() <= image.height(); ++y)
        for (int x = 0; x + sampledSize.width() <= image.width(); ++x)
            if (matchesAt(image, QPoint(x, y)))
                return QPoint(x, y);
    return QPoint(-1, -1);
}

bool LogoMatcher::matchesAt(const QImage &picture, QPoint offset) const
{
    int misses = 0;
    for (const Sample &sample : samples) {
        const QPoint at = offset + sample.at;
        const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(at.y()));
        if (!similar(line[at.x()], sample.colour) && ++misses > allowedMisses)
            return false;
    }
    return true;
}
