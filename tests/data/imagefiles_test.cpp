// The pictures under data/: the sizes the game's loaders and widgets expect,
// and the columns of the sinus beat that the monitor's strip relies on.

#include <QImage>
#include <QVector>

#include <gtest/gtest.h>

TEST(Pictures, HaveTheSizesTheGameUses)
{
    QVector<std::pair<QString, QSize>> pictures = {
        {"ekg1.bmp", {60, 50}}, {"ekg2.bmp", {60, 50}}, {"logo.png", {800, 600}}};
    for (const char *icon :
         {"schmerzmittel", "antidurchfall", "antibrechmittel", "paracetamol", "blutdrucksenker",
          "pflaster", "druckverband", "naehen", "reinigen", "o2", "defi"})
        pictures.push_back({QStringLiteral("Icons/%1.bmp").arg(icon), {150, 100}});
    for (const auto &[file, size] : pictures) {
        const QImage image("../data/" + file);
        EXPECT_EQ(image.width(), size.width()) << file.toStdString();
        EXPECT_EQ(image.height(), size.height()) << file.toStdString();
    }
}

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
