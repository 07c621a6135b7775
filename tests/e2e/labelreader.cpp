#include "labelreader.h"

#include <QFont>
#include <QLabel>
#include <QPixmap>

#include <cstdlib>

namespace
{
// A pixel counts as different beyond this distance in any channel; a match
// allows a couple of them, for safety against a stray pixel of the cursor.
const int pixelTolerance = 48;
const int allowedMismatches = 2;

bool differs(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) > pixelTolerance ||
           std::abs(qGreen(a) - qGreen(b)) > pixelTolerance ||
           std::abs(qBlue(a) - qBlue(b)) > pixelTolerance;
}
} // namespace

LabelReader::LabelReader(QSize labelSize) : size(labelSize) {}

const LabelReader::Rendered &LabelReader::rendered(const QString &text)
{
    auto it = cache.find(text);
    if (it != cache.end())
        return *it;
    QLabel label(text);
    label.setFont(QFont(QStringLiteral("Times"), 16));
    label.setFixedSize(size);
    const QImage image = label.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb background = image.pixel(0, 0);
    int first = image.height();
    int last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background) {
                first = std::min(first, y);
                last = std::max(last, y);
            }
    Rendered result;
    if (last >= 0) {
        result.top = std::max(0, first - 1);
        const int bottom = std::min(image.height() - 1, last + 1);
        result.band = image.copy(0, result.top, image.width(), bottom - result.top + 1);
    }
    return *cache.insert(text, result);
}

int LabelReader::mismatches(const QImage &shot, QPoint at, const QImage &band, int limit)
{
    if (!shot.rect().contains(QRect(at, band.size())))
        return limit + 1;
    int count = 0;
    for (int y = 0; y < band.height(); ++y) {
        const auto *want = reinterpret_cast<const QRgb *>(band.constScanLine(y));
        const auto *have = reinterpret_cast<const QRgb *>(shot.constScanLine(at.y() + y)) + at.x();
        for (int x = 0; x < band.width(); ++x)
            if (differs(want[x], have[x]) && ++count > limit)
                return count;
    }
    return count;
}

std::optional<QPoint> LabelReader::locate(const QImage &shot, const QString &text,
                                          const QRect &area)
{
    const Rendered &r = rendered(text);
    if (r.band.isNull())
        return std::nullopt;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (mismatches(shot, QPoint(x, y), r.band, allowedMismatches) <= allowedMismatches)
                return QPoint(x, y - r.top);
    return std::nullopt;
}

bool LabelReader::shows(const QImage &shot, QPoint origin, const QString &text)
{
    const Rendered &r = rendered(text);
    return !r.band.isNull() && mismatches(shot, origin + QPoint(0, r.top), r.band,
                                          allowedMismatches) <= allowedMismatches;
}

QString LabelReader::read(const QImage &shot, QPoint origin, const QStringList &candidates)
{
    for (const QString &text : candidates)
        if (shows(shot, origin, text))
            return text;
    return QString();
}

QStringList pointsTexts()
{
    // Every change of the score is a multiple of ten.
    QStringList texts{QStringLiteral("PUNKTE: 0")};
    for (int points = -3000; points <= 3000; points += 10)
        texts << QStringLiteral("Punkte: %1").arg(points);
    return texts;
}

QStringList timeTexts()
{
    QStringList texts{QStringLiteral("TIME: 4:00")};
    for (int tenths = 2399; tenths >= 0; tenths -= 10)
        texts << QStringLiteral("Time: %1:%2")
                     .arg(tenths / 600)
                     .arg(tenths % 600 / 10, 2, 10, QLatin1Char('0'));
    return texts;
}

int shownSeconds(const QString &timeText)
{
    if (!timeText.startsWith(QLatin1String("Time: ")))
        return -1;
    const QStringList parts = timeText.mid(6).split(QLatin1Char(':'));
    return parts.size() == 2 ? parts[0].toInt() * 60 + parts[1].toInt() : -1;
}
