// The application icon at the sizes an icon theme asks for: transparent
// outside its rounded tile, the white cross on the teal disc in the middle,
// the green heartbeat below it.

#include "appiconpainter.h"

#include <gtest/gtest.h>

namespace
{
bool near(QColor colour, int r, int g, int b, int tolerance)
{
    return std::abs(colour.red() - r) <= tolerance && std::abs(colour.green() - g) <= tolerance &&
           std::abs(colour.blue() - b) <= tolerance;
}

double opaqueShare(const QImage &icon)
{
    int opaque = 0;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x)
            opaque += qAlpha(icon.pixel(x, y)) == 255 ? 1 : 0;
    return static_cast<double>(opaque) / (icon.width() * icon.height());
}
} // namespace

TEST(AppIcon, DrawsTheEmblemAtEverySize)
{
    const AppIconPainter painter;
    for (int size : {16, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage icon = painter.paint(size);
        ASSERT_EQ(icon.size(), QSize(size, size));
        ASSERT_TRUE(icon.hasAlphaChannel());
        const int last = size - 1;
        for (QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
            EXPECT_EQ(qAlpha(icon.pixel(corner)), 0)
                << "corner " << corner.x() << "," << corner.y();
        EXPECT_GT(opaqueShare(icon), 0.7);
        EXPECT_LT(opaqueShare(icon), 0.98);

        const QColor cross = icon.pixelColor(size / 2, size * 42 / 100);
        EXPECT_TRUE(near(cross, 255, 255, 255, 10)) << cross.name().toStdString();
        const QColor disc = icon.pixelColor(size * 40 / 100, size * 32 / 100);
        EXPECT_GT(disc.green(), disc.red() + 40) << "teal: " << disc.name().toStdString();
        EXPECT_GT(disc.blue(), disc.red() + 40) << "teal: " << disc.name().toStdString();
        if (size >= 48) {
            const QColor trace = icon.pixelColor(size * 20 / 100, size * 84 / 100);
            EXPECT_GT(trace.green(), 180) << "heartbeat: " << trace.name().toStdString();
            EXPECT_LT(trace.red(), 160) << "heartbeat: " << trace.name().toStdString();
        }
    }
}
