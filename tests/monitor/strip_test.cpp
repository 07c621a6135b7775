// The ECG strip, pixel for pixel against the images it copies from.

#include "monitor.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{

// Every pixel differs from its neighbours, so that any shift shows.
QImage pattern(QSize size, int blue)
{
    QImage image = size.isEmpty() ? QImage() : QImage(size, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 3 % 256, (y * 4 + 7) % 256, blue));
    return image;
}

// A monitor built from build/ beside a data/ with these ECG images.
std::unique_ptr<Monitor> monitorWith(const QImage &ekg1, const QImage &ekg2)
{
    QTemporaryDir root;
    QDir(root.path()).mkpath(QStringLiteral("data"));
    QDir(root.path()).mkpath(QStringLiteral("build"));
    EXPECT_TRUE(ekg1.isNull() || ekg1.save(root.filePath(QStringLiteral("data/ekg1.bmp"))));
    EXPECT_TRUE(ekg2.isNull() || ekg2.save(root.filePath(QStringLiteral("data/ekg2.bmp"))));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(root.filePath(QStringLiteral("build")));
    auto monitor = std::make_unique<Monitor>();
    QDir::setCurrent(previous);
    return monitor;
}

struct Piece {
    QImage image;
    int first, count;
};

// The last 150 columns of the pieces side by side, black where an image ends.
testing::AssertionResult stripShows(const Monitor &monitor, const std::vector<Piece> &pieces)
{
    QImage expected(150, 50, QImage::Format_RGB32);
    expected.fill(Qt::black);
    int x = 150;
    for (const Piece &p : pieces)
        x -= p.count;
    for (const Piece &p : pieces)
        for (int i = p.first; i < p.first + p.count; ++i, ++x)
            for (int y = 0; x >= 0 && i < p.image.width() && y < std::min(50, p.image.height());
                 ++y)
                expected.setPixel(x, y, p.image.pixel(i, y));
    const QImage strip = monitor.stripPixmap().toImage().convertToFormat(QImage::Format_RGB32);
    for (int column = 0; column < 150; ++column)
        for (int y = 0; y < 50; ++y)
            if (strip.pixel(column, y) != expected.pixel(column, y))
                return testing::AssertionFailure() << "column " << column << " differs, row " << y;
    const auto *label = qobject_cast<QLabel *>(monitor.layout()->itemAt(1)->widget());
    if (label->pixmap(Qt::ReturnByValue).toImage() != monitor.stripPixmap().toImage())
        return testing::AssertionFailure() << "the label shows another picture";
    return testing::AssertionSuccess();
}

void steps(Monitor &monitor, int count)
{
    for (int i = 0; i < count; ++i)
        monitor.stepEcg();
}

} // namespace

// Two and a half cycles of the first image, going on at its column 30; the
// first cycle boundary after 10 steps, then every 20. A new mode waits for
// it; the dead patient's mode -1 repeats the flat columns 0 to 2, and a later
// mode 0 starts again at column 0. Images missing or not 60 x 50 show what
// they hold, black elsewhere.
TEST(Strip, ModesChangeAtCycleBoundariesOnly)
{
    const QSize sizes[][2] = {{{60, 50}, {60, 50}}, {{0, 0}, {0, 0}},     {{60, 50}, {0, 0}},
                              {{40, 30}, {2, 10}},  {{31, 50}, {60, 49}}, {{80, 70}, {61, 51}}};
    for (const auto &size : sizes) {
        const QImage a = pattern(size[0], 40), b = pattern(size[1], 160);
        SCOPED_TRACE(testing::Message() << "images " << a.width() << "x" << a.height() << ", "
                                        << b.width() << "x" << b.height());
        const auto monitor = monitorWith(a, b);
        steps(*monitor, 2);
        monitor->showReadings(80, 120, 37.0f, 14, 1);
        steps(*monitor, 7);
        EXPECT_TRUE(stripShows(*monitor, {{a, 0, 60}, {a, 0, 60}, {a, 0, 57}}));
        steps(*monitor, 21);
        EXPECT_TRUE(stripShows(*monitor, {{a, 0, 60}, {a, 0, 60}, {b, 0, 60}}));
        monitor->showReadings(80, 120, 37.0f, 14, -1);
        steps(*monitor, 35);
        std::vector<Piece> tape{{b, 0, 60}, {b, 0, 60}};
        for (int i = 0; i < 15; ++i)
            tape.push_back({a, 0, 3});
        EXPECT_TRUE(stripShows(*monitor, tape));
        monitor->showReadings(80, 120, 37.0f, 14, 0);
        steps(*monitor, 20);
        for (int i = 0; i < 5; ++i)
            tape.push_back({a, 0, 3});
        tape.push_back({a, 0, 45});
        EXPECT_TRUE(stripShows(*monitor, tape));
        EXPECT_EQ(monitor->currentStripPosition(), 45);
    }
}

// Pixmaps and widgets need an application object before the first test runs.
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
