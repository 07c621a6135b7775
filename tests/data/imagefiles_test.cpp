// The columns of the sinus beat that the monitor's strip relies on.

#include <QImage>
#include <QVector>

#include <gtest/gtest.h>

// A dead patient's strip repeats columns 0 to 2 over and over: they must be
// one thin flat line. The beat ends as it starts, so the cycles join
// seamlessly.
TEST(Pictures, SinusBeatStartsFlatAndWrapsOnItsBaseline)
{
    const QImage image(QStringLiteral("../data/ekg1.bmp"));
    ASSERT_TRUE(image.size() == QSize(60, 50));
    const auto column = [&image](int x) {
        QVector<QRgb> pixels;
        for (int y = 0; y < image.height(); ++y)
            pixels << image.pixel(x, y);
        return pixels;
    };
    EXPECT_EQ(column(1), column(0));
    EXPECT_EQ(column(2), column(0));
    EXPECT_EQ(column(59), column(0));
    int traceRows = 0;
    for (const QRgb pixel : column(0))
        traceRows += qGreen(pixel) > 120;
    EXPECT_TRUE(traceRows >= 1 && traceRows <= 2) << traceRows << " bright rows";
    EXPECT_LT(qGray(image.pixel(0, 0)), 40) << "a dark monitor screen";
}
