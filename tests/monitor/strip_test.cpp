#include "ekg_tree.h"

#include <QLabel>
#include <QLayout>

namespace
{

enum class Images { Generated, Repository };

void PrintTo(Images images, std::ostream *out)
{
    *out << (images == Images::Generated ? "generated images" : "repository images");
}

// The strip as the widget shows it and the monitor's cycle state, checked
// against the two ECG files. Each case runs on images of our own, whose every
// column differs, and on the repository's data files when they exist.
class StripTest : public ::testing::TestWithParam<Images>
{
  protected:
    void SetUp() override
    {
        if (GetParam() == Images::Generated) {
            tree.writeImage(QStringLiteral("ekg1.bmp"), patternImage(60, 50, 40));
            tree.writeImage(QStringLiteral("ekg2.bmp"), patternImage(60, 50, 160));
        } else if (!tree.copyRepositoryFile(QStringLiteral("ekg1.bmp")) ||
                   !tree.copyRepositoryFile(QStringLiteral("ekg2.bmp"))) {
            GTEST_SKIP() << "data/ekg1.bmp or data/ekg2.bmp not there yet";
        }
        a = tree.load(QStringLiteral("ekg1.bmp"));
        b = tree.load(QStringLiteral("ekg2.bmp"));
        ASSERT_FALSE(a.isNull());
        ASSERT_FALSE(b.isNull());
        monitor = tree.makeMonitor();
    }

    void steps(int count)
    {
        for (int i = 0; i < count; ++i)
            monitor->stepEcg();
    }

    void setMode(int mode) { monitor->showReadings(80, 120, 37.0f, 14, mode); }

    ::testing::AssertionResult stripIs(const std::vector<Piece> &pieces) const
    {
        return sameImage(monitor->stripPixmap().toImage(), expectedStrip(pieces));
    }

    QImage shownStrip() const
    {
        const auto *label = qobject_cast<QLabel *>(monitor->layout()->itemAt(1)->widget());
        return label ? label->pixmap(Qt::ReturnByValue).toImage() : QImage();
    }

    EkgTree tree;
    QImage a;
    QImage b;
    std::unique_ptr<Monitor> monitor;
};

TEST_P(StripTest, StartsWithTwoAndAHalfCyclesOfTheFirstImage)
{
    EXPECT_TRUE(stripIs({{&a, 0, 60}, {&a, 0, 60}, {&a, 0, 30}}));
    EXPECT_TRUE(sameImage(shownStrip(), monitor->stripPixmap().toImage()));
    EXPECT_EQ(monitor->currentStripPosition(), 30);
    EXPECT_EQ(monitor->currentStripMode(), 0);
    EXPECT_EQ(monitor->pendingStripMode(), 0);
}

TEST_P(StripTest, FirstStepShiftsLeftAndAppendsColumns30To32)
{
    steps(1);
    EXPECT_TRUE(stripIs({{&a, 3, 57}, {&a, 0, 60}, {&a, 0, 30}, {&a, 30, 3}}));
    EXPECT_TRUE(sameImage(shownStrip(), monitor->stripPixmap().toImage()));
    EXPECT_EQ(monitor->currentStripPosition(), 33);
}

TEST_P(StripTest, PositionWrapsAfterTenStepsThenEveryTwenty)
{
    const struct {
        int steps;
        int position;
    } cases[] = {{1, 33}, {9, 57}, {10, 0}, {11, 3}, {29, 57}, {30, 0}, {50, 0}, {57, 21}};
    int done = 0;
    for (const auto &c : cases) {
        steps(c.steps - done);
        done = c.steps;
        EXPECT_EQ(monitor->currentStripPosition(), c.position) << "after " << c.steps << " steps";
    }
}

TEST_P(StripTest, NewModeWaitsForTheCycleBoundary)
{
    steps(2);
    setMode(1);
    EXPECT_EQ(monitor->pendingStripMode(), 1);
    for (int step = 3; step <= 9; ++step) {
        steps(1);
        EXPECT_EQ(monitor->currentStripMode(), 0) << "after step " << step;
        EXPECT_TRUE(stripIs({{&a, 0, 60}, {&a, 0, 60}, {&a, 0, 30 + 3 * step}}))
            << "after step " << step;
    }
    steps(1); // the tenth step finishes the first image's cycle
    EXPECT_EQ(monitor->currentStripMode(), 1);
    EXPECT_TRUE(stripIs({{&a, 30, 30}, {&a, 0, 60}, {&a, 0, 60}}));
    steps(1);
    EXPECT_TRUE(stripIs({{&a, 0, 60}, {&a, 0, 60}, {&a, 0, 60}, {&b, 0, 3}}));
    steps(19);
    EXPECT_TRUE(stripIs({{&a, 30, 30}, {&a, 0, 60}, {&b, 0, 60}}));
    EXPECT_TRUE(sameImage(shownStrip(), monitor->stripPixmap().toImage()));
}

// A dead patient's mode -1, and any other unknown mode, repeats the flat
// columns 0 to 2 of the first image while the cycle runs on underneath.
TEST_P(StripTest, UnknownModesRepeatTheFlatStartOfTheFirstImage)
{
    for (const int mode : {-1, 2, 99}) {
        SCOPED_TRACE(mode);
        monitor = tree.makeMonitor();
        setMode(mode);
        steps(10);
        EXPECT_EQ(monitor->currentStripMode(), mode);
        steps(25);
        EXPECT_EQ(monitor->currentStripPosition(), 15);
        std::vector<Piece> tape{{&a, 0, 60}, {&a, 0, 60}, {&a, 0, 30}, {&a, 30, 30}};
        for (int i = 0; i < 25; ++i)
            tape.push_back({&a, 0, 3});
        EXPECT_TRUE(stripIs(tape));

        setMode(0); // mid-cycle: flat until the boundary, then from column 0
        steps(15);
        EXPECT_EQ(monitor->currentStripMode(), 0);
        EXPECT_EQ(monitor->currentStripPosition(), 0);
        steps(5);
        for (int i = 0; i < 15; ++i)
            tape.push_back({&a, 0, 3});
        tape.push_back({&a, 0, 15});
        EXPECT_TRUE(stripIs(tape));
    }
}

INSTANTIATE_TEST_SUITE_P(Images, StripTest,
                         ::testing::Values(Images::Generated, Images::Repository),
                         [](const ::testing::TestParamInfo<Images> &info) {
                             return info.param == Images::Generated ? "Generated" : "Repository";
                         });

// ECG files that are missing, unreadable or of another size than 60 x 50: the
// strip shows what the files hold, black elsewhere, and keeps running.
struct FileCase {
    const char *name;
    QSize ekg1; // 0 x 0: no file; negative: a file that is not an image
    QSize ekg2;
};

void writeCase(EkgTree &tree, const QString &file, QSize size, int base)
{
    if (size.width() < 0)
        tree.writeBytes(file, QByteArrayLiteral("BM this is not a bitmap"));
    else if (!size.isEmpty())
        tree.writeImage(file, patternImage(size.width(), size.height(), base));
}

TEST(StripFiles, ShowOnlyWhatTheImagesHold)
{
    const FileCase cases[] = {
        {"both missing", {0, 0}, {0, 0}},         {"second missing", {60, 50}, {0, 0}},
        {"first unreadable", {-1, -1}, {60, 50}}, {"smaller", {40, 30}, {2, 10}},
        {"narrow first", {31, 50}, {60, 49}},     {"larger", {80, 70}, {61, 51}},
    };
    for (const FileCase &c : cases) {
        SCOPED_TRACE(c.name);
        EkgTree tree;
        writeCase(tree, QStringLiteral("ekg1.bmp"), c.ekg1, 40);
        writeCase(tree, QStringLiteral("ekg2.bmp"), c.ekg2, 160);
        const QImage a = tree.load(QStringLiteral("ekg1.bmp"));
        const QImage b = tree.load(QStringLiteral("ekg2.bmp"));
        const auto monitor = tree.makeMonitor();
        const auto stripIs = [&](const std::vector<Piece> &pieces) {
            return sameImage(monitor->stripPixmap().toImage(), expectedStrip(pieces));
        };

        EXPECT_TRUE(stripIs({{&a, 0, 60}, {&a, 0, 60}, {&a, 0, 30}}));
        monitor->showReadings(80, 120, 37.0f, 14, 1);
        for (int i = 0; i < 30; ++i)
            monitor->stepEcg();
        EXPECT_TRUE(stripIs({{&a, 30, 30}, {&a, 0, 60}, {&b, 0, 60}}));
        monitor->showReadings(80, 120, 37.0f, 14, -1);
        for (int i = 0; i < 40; ++i)
            monitor->stepEcg();
        std::vector<Piece> tape{{&a, 0, 60}, {&b, 0, 60}, {&b, 0, 60}};
        for (int i = 0; i < 20; ++i)
            tape.push_back({&a, 0, 3});
        EXPECT_TRUE(stripIs(tape));
        EXPECT_EQ(monitor->currentStripPosition(), 0);
    }
}

} // namespace
