#include "imagecompare.h"

#include <algorithm>
#include <cstdlib>

namespace
{
int channelDistance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

int channelSum(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

QImage rgb(const QImage &image)
{
    return image.format() == QImage::Format_RGB32 ? image
                                                  : image.convertToFormat(QImage::Format_RGB32);
}

// Mean difference of `picture` placed at `at` in `shot`, sampling every
// `step`-th pixel in both directions.
double placedDifference(const QImage &shot, const QImage &picture, QPoint at, int step)
{
    long long sum = 0;
    long long count = 0;
    for (int y = 0; y < picture.height(); y += step)
        for (int x = 0; x < picture.width(); x += step) {
            sum += channelSum(shot.pixel(at.x() + x, at.y() + y), picture.pixel(x, y));
            ++count;
        }
    return count ? static_cast<double>(sum) / (3.0 * count) : 0;
}
} // namespace

double meanDifference(const QImage &a, const QImage &b)
{
    const QImage first = rgb(a);
    const QImage second = rgb(b);
    const int w = std::min(first.width(), second.width());
    const int h = std::min(first.height(), second.height());
    long long sum = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            sum += channelSum(first.pixel(x, y), second.pixel(x, y));
    return w > 0 && h > 0 ? static_cast<double>(sum) / (3.0 * w * h) : 0;
}

double changedShare(const QImage &a, const QImage &b, int tolerance)
{
    const QImage first = rgb(a);
    const QImage second = rgb(b);
    const int w = std::min(first.width(), second.width());
    const int h = std::min(first.height(), second.height());
    long long changed = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (channelDistance(first.pixel(x, y), second.pixel(x, y)) > tolerance)
                ++changed;
    return w > 0 && h > 0 ? static_cast<double>(changed) / (static_cast<double>(w) * h) : 0;
}

bool isPlain(const QImage &image, int tolerance)
{
    const QImage picture = rgb(image);
    const QRgb first = picture.pixel(0, 0);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (channelDistance(picture.pixel(x, y), first) > tolerance)
                return false;
    return true;
}

std::optional<QPoint> findPicture(const QImage &shot, const QImage &picture, const QRect &area,
                                  double tolerance)
{
    const QImage haystack = rgb(shot);
    const QImage needle = rgb(picture);
    const int coarse = std::max(1, std::min(needle.width(), needle.height()) / 12);
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QPoint at(x, y);
            if (!haystack.rect().contains(QRect(at, needle.size())))
                continue;
            if (placedDifference(haystack, needle, at, coarse) < 2 * tolerance &&
                placedDifference(haystack, needle, at, 1) < tolerance)
                return at;
        }
    return std::nullopt;
}
