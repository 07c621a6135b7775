// Recognising the logo in a picture, and finding, reading and closing a real
// window on the X display the way the start-up benchmark and the package
// check do.

#include "logomatcher.h"
#include "windowprobe.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QTest>

#include <functional>

namespace
{
QImage logo()
{
    static const QImage image(QStringLiteral("../data/logo.png"));
    return image;
}

// A grey canvas with the logo drawn at `at`, cut off where the canvas ends.
QImage canvasWithLogo(QSize size, QPoint at, const QImage &picture = logo())
{
    QImage canvas(size, QImage::Format_RGB32);
    canvas.fill(QColor(239, 239, 239));
    QPainter painter(&canvas);
    painter.drawImage(at, picture);
    return canvas;
}

QImage withNoise(const QImage &picture, int amplitude)
{
    QImage noisy = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < noisy.height(); ++y)
        for (int x = 0; x < noisy.width(); ++x) {
            const QRgb p = noisy.pixel(x, y);
            const int d = (x * 7 + y * 13) % (2 * amplitude + 1) - amplitude;
            noisy.setPixel(x, y,
                           qRgb(qBound(0, qRed(p) + d, 255), qBound(0, qGreen(p) - d, 255),
                                qBound(0, qBlue(p) + d, 255)));
        }
    return noisy;
}

// The logo's first rows only, as in a window that is still being painted.
QImage topRows(int rows)
{
    return logo().copy(0, 0, logo().width(), rows);
}
} // namespace

TEST(LogoMatcher, FindsTheLogoWhereverItIsShown)
{
    ASSERT_FALSE(logo().isNull());
    const LogoMatcher matcher(logo());
    ASSERT_TRUE(matcher.valid());
    const struct {
        const char *what;
        QImage picture;
        QPoint expected;
    } cases[] = {
        {"beside the side column, bottom cut off",
         canvasWithLogo({1000, 600}, {169, 31}),
         {169, 31}},
        {"exactly the logo", logo(), {0, 0}},
        {"at the right edge", canvasWithLogo({1000, 600}, {200, 80}), {200, 80}},
        {"with slight colour noise",
         withNoise(canvasWithLogo({1000, 600}, {169, 31}), 6),
         {169, 31}},
        {"with strong colour noise",
         withNoise(canvasWithLogo({1000, 600}, {169, 31}), 40),
         {-1, -1}},
        {"not at all", canvasWithLogo({1000, 600}, {2000, 0}), {-1, -1}},
        {"only its first rows painted",
         canvasWithLogo({1000, 600}, {169, 31}, topRows(200)),
         {-1, -1}},
        {"cut off too far", canvasWithLogo({1000, 600}, {169, 200}), {-1, -1}},
        {"in a picture smaller than the logo", logo().scaled(400, 300), {-1, -1}},
        {"in no picture", QImage(), {-1, -1}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(matcher.find(c.picture), c.expected) << c.what;
}

TEST(LogoMatcher, WithoutALogoFindsNothing)
{
    const LogoMatcher matcher{QImage()};
    EXPECT_FALSE(matcher.valid());
    EXPECT_EQ(matcher.find(logo()), QPoint(-1, -1));
}

namespace
{
int argCount = 1;
char programName[] = "probe_test";
char *arguments[] = {programName, nullptr};

// A top-level window that counts the close requests it receives.
class Window : public QWidget
{
  public:
    int closeRequests = 0;

  protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++closeRequests;
        QWidget::closeEvent(event);
    }
};

// Runs the event loop until `done` holds, for at most ten seconds.
bool waitFor(const std::function<bool()> &done)
{
    for (int i = 0; i < 1000 && !done(); ++i)
        QTest::qWait(10);
    return done();
}
} // namespace

TEST(WindowProbe, FindsReadsAndClosesTheProgramsWindow)
{
    QApplication app(argCount, arguments);
    Window big;
    big.setFixedSize(1000, 600);
    auto *label = new QLabel(&big);
    label->setPixmap(QPixmap::fromImage(logo()));
    label->setGeometry(169, 31, 800, 600);
    Window small;
    small.setFixedSize(300, 200);

    WindowProbe probe(programName);
    ASSERT_TRUE(probe.connected());
    EXPECT_EQ(probe.findWindow(), 0UL) << "nothing mapped yet";

    small.show();
    big.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&big));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&small));
    const unsigned long window = probe.findWindow();
    EXPECT_EQ(window, static_cast<unsigned long>(big.winId())) << "the larger one";
    EXPECT_EQ(WindowProbe("another-program").findWindow(), 0UL);

    const LogoMatcher matcher(logo());
    QImage picture;
    ASSERT_TRUE(waitFor([&] {
        picture = probe.grab(window);
        return matcher.find(picture) == QPoint(169, 31);
    }));
    EXPECT_EQ(picture.size(), QSize(1000, 600));

    label->hide();
    EXPECT_TRUE(waitFor([&] { return matcher.find(probe.grab(window)).x() < 0; }));

    probe.requestClose(window);
    EXPECT_TRUE(waitFor([&] { return big.closeRequests == 1 && !big.isVisible(); }));
    EXPECT_EQ(small.closeRequests, 0);
    EXPECT_TRUE(waitFor([&] { return probe.findWindow() == small.winId(); }));
    EXPECT_TRUE(probe.grab(window).isNull()) << "an unmapped window cannot be read";
    probe.requestClose(0); // nothing to close: no harm done
}

TEST(ProbeCommand, ExitStatusTellsWhatHappened)
{
    const struct {
        QStringList arguments;
        int status;
        const char *says;
    } cases[] = {
        {{}, 2, "usage"},
        {{"wait"}, 2, "usage"},
        {{"wait", "../data/logo.png", "--timeout"}, 2, "usage"},
        {{"wait", "../data/logo.png", "--colour", "red"}, 2, "usage"},
        {{"close", "now"}, 2, "usage"},
        {{"wait", "no-such-logo.png"}, 2, "cannot read the logo"},
        {{"wait", "../data/logo.png", "--timeout", "0.3"}, 1, "showed the logo within"},
        {{"close"}, 1, ""},
    };
    for (const auto &c : cases) {
        QProcess probe;
        probe.start(QStringLiteral(CURAVANT_PROBE), c.arguments);
        ASSERT_TRUE(probe.waitForFinished(30000)) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(probe.exitCode(), c.status) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(probe.readAllStandardError().contains(c.says))
            << c.arguments.join(' ').toStdString();
    }
}
