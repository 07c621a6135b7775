// The pieces of the plot on their own: treatment names, round scales, the
// spreading of crowded labels, the layout and the all-or-nothing file.

#include "labelspread.h"
#include "plotfile.h"
#include "plotlayout.h"
#include "scratch.h"
#include "treatmentnames.h"
#include "valueaxis.h"

#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

TEST(TreatmentNames, FollowTheActionCodes)
{
    const struct {
        int code;
        const char *name;
    } table[] = {
        {1, "Infusion"},
        {2, "Transfusion"},
        {3, "Pflaster"},
        {4, "Druckverband"},
        {5, "Naht"},
        {6, "Wundreinigung"},
        {7, "Schmerzmittel"},
        {8, "Antidurchfallmittel"},
        {9, "Antibrechmittel"},
        {10, "Paracetamol"},
        {11, "Blutdrucksenker"},
        {12, nullptr},
        {13, "Sauerstoff"},
        {14, "Defibrillation"},
        {15, "OP"},
        {0, nullptr},
        {16, nullptr},
        {-1, nullptr},
        {INT_MIN, nullptr},
        {INT_MAX, nullptr},
    };
    for (const auto &row : table) {
        const char *name = treatmentName(row.code);
        if (row.name)
            EXPECT_STREQ(name, row.name) << row.code;
        else
            EXPECT_EQ(name, nullptr) << row.code;
    }
    EXPECT_EQ(treatmentLabel(3), "Pflaster (3)");
    EXPECT_EQ(treatmentLabel(12), "Code 12");
    EXPECT_EQ(treatmentLabel(INT_MIN), "Code -2147483648");
}

TEST(ValueAxis, CoversTheDataWithRoundTicks)
{
    const struct {
        double lo, hi;
        int ticks;
        double low, high, interval;
    } table[] = {
        {0, 160, 5, 0, 200, 50}, // 32 a tick is nearer 50 than 20
        {0, 100, 5, 0, 100, 20},          {-0.4, 100, 5, -20, 100, 20}, // a reserve just below zero
        {34, 38, 3, 34, 38, 1},           {-420, 0, 3, -500, 0, 100},
        {100, 100, 4, 90, 110, 5}, // a flat line gets room around it
        {1070, -500, 3, -500, 1500, 500}, {0, 1, 4, 0, 1, 0.2},
        {0, 1e9, 5, 0, 1e9, 2e8},
    };
    for (const auto &row : table) {
        const ValueAxis axis(row.lo, row.hi, row.ticks);
        EXPECT_DOUBLE_EQ(axis.low(), row.low) << row.lo << ".." << row.hi;
        EXPECT_DOUBLE_EQ(axis.high(), row.high) << row.lo << ".." << row.hi;
        EXPECT_DOUBLE_EQ(axis.interval(), row.interval) << row.lo << ".." << row.hi;
        const std::vector<double> ticks = axis.ticks();
        EXPECT_DOUBLE_EQ(ticks.front(), axis.low());
        EXPECT_DOUBLE_EQ(ticks.back(), axis.high());
        EXPECT_DOUBLE_EQ(axis.fraction(axis.high()), 1.0);
    }
    EXPECT_EQ(ValueAxis(0, 100, 5).label(40), "40");
    EXPECT_EQ(ValueAxis(0, 1, 4).label(0.4), "0.4");
    EXPECT_EQ(ValueAxis(-60000, 100000, 8).label(-60000), "-60k");
    EXPECT_EQ(ValueAxis(0, 1e9, 5).label(4e8), "400M");
    EXPECT_EQ(ValueAxis(0, 2.5e6, 5).label(1.5e6), "1.5M");
    const ValueAxis aroundZero(-0.3, 0.3, 3);
    ASSERT_EQ(aroundZero.ticks().size(), 5u);
    EXPECT_EQ(aroundZero.label(aroundZero.ticks()[2]), "0.0"); // not -0.0 from rounding
}

namespace
{

void expectSpread(const std::vector<double> &targets, const std::vector<double> &positions,
                  double spacing, double low, double high)
{
    ASSERT_EQ(positions.size(), targets.size());
    for (std::size_t i = 0; i < positions.size(); ++i) {
        EXPECT_GE(positions[i], low - 1e-9);
        EXPECT_LE(positions[i], high + 1e-9);
        if (i > 0) {
            EXPECT_GE(positions[i] - positions[i - 1], spacing - 1e-9) << "label " << i;
        }
    }
}

} // namespace

TEST(SpreadLabels, MovesCrowdedLabelsApartAsLittleAsNeeded)
{
    const struct {
        const char *name;
        std::vector<double> targets;
        std::vector<double> expected;
    } table[] = {
        {"Alone", {500}, {500}},
        {"FarApart", {100, 200, 300}, {100, 200, 300}},
        {"SameStepCentred", {500, 500, 500}, {484, 500, 516}},
        {"PairCentredOnItsMarkers", {500, 510}, {497, 513}},
        {"HeldInsideOnTheLeft", {0, 0, 0}, {10, 26, 42}},
        {"HeldInsideOnTheRight", {1000, 1000}, {974, 990}},
        {"PushedIntoTheCrowdBefore", {950, 990, 990, 990}, {942, 958, 974, 990}},
        {"ExactlyFull", {500, 500, 500, 500, 500, 500}, {10, 26, 42, 58, 74, 90}},
    };
    for (const auto &row : table) {
        const double high = std::string(row.name) == "ExactlyFull" ? 90 : 990;
        const std::vector<double> positions = spreadLabels(row.targets, 16, 10, high);
        expectSpread(row.targets, positions, 16, 10, high);
        ASSERT_EQ(positions.size(), row.expected.size()) << row.name;
        for (std::size_t i = 0; i < positions.size(); ++i)
            EXPECT_DOUBLE_EQ(positions[i], row.expected[i]) << row.name << " label " << i;
    }
    EXPECT_TRUE(spreadLabels({}, 16, 10, 990).empty());
}

TEST(SpreadLabels, NeverOverlapOnRandomMarkers)
{
    std::mt19937 random(42);
    for (int round = 0; round < 200; ++round) {
        const double spacing = 8 + random() % 12;
        const int capacity = labelCapacity(spacing, 96, 1592);
        std::vector<double> targets(random() % (capacity + 1));
        for (double &t : targets)
            t = 96 + random() % 1300;
        std::sort(targets.begin(), targets.end());
        const std::vector<double> positions = spreadLabels(targets, spacing, 96, 1592);
        expectSpread(targets, positions, spacing, 96, 1592);
        // A label whose neighbours are far off stays on its marker.
        for (std::size_t i = 0; i < targets.size(); ++i) {
            const bool clearBefore = i == 0 || targets[i] - targets[i - 1] > 40 * spacing;
            const bool clearAfter =
                i + 1 == targets.size() || targets[i + 1] - targets[i] > 40 * spacing;
            if (clearBefore && clearAfter) {
                EXPECT_DOUBLE_EQ(positions[i], targets[i]);
            }
        }
    }
    EXPECT_EQ(labelCapacity(16, 10, 90), 6);
    EXPECT_EQ(labelCapacity(16, 10, 89), 5);
    EXPECT_EQ(labelCapacity(16, 90, 10), 0);
}

TEST(PlotLayout, StacksThePanelsUnderTheLabelsAndBesideTheLegend)
{
    for (const int steps : {1, 10, 120, 100000}) {
        const PlotLayout layout(QSize(1600, 900), steps);
        const QRect image(0, 0, 1600, 900);
        EXPECT_TRUE(image.contains(layout.labelBand()));
        int previousBottom = layout.labelBand().bottom();
        for (int p = 0; p < PlotLayout::PanelCount; ++p) {
            const auto panel = static_cast<PlotLayout::Panel>(p);
            EXPECT_TRUE(image.contains(layout.panel(panel)));
            EXPECT_GE(layout.panel(panel).top(), previousBottom + 10) << "panel " << p;
            EXPECT_GE(layout.panel(panel).height(), 100) << "panel " << p;
            EXPECT_EQ(layout.panel(panel).left(), layout.left());
            EXPECT_GT(layout.legend(panel).left(), layout.right() + 40);
            EXPECT_TRUE(image.contains(layout.legend(panel)));
            previousBottom = layout.panel(panel).bottom();
        }
        EXPECT_LE(previousBottom, 900 - 50) << "room for the step numbers";
        EXPECT_EQ(layout.columnForStep(0), layout.left());
        EXPECT_EQ(layout.columnForStep(steps), layout.right() - 1);
    }
    const PlotLayout game(QSize(1600, 900), 120);
    for (int step = 1; step <= 120; ++step)
        EXPECT_GE(game.columnForStep(step) - game.columnForStep(step - 1), 10) << step;
}

namespace
{

std::string contents(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::size_t entries(const std::string &folder)
{
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

std::string emptyFolder(const std::string &name)
{
    const std::string folder = scratchDir() + "/" + name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

} // namespace

TEST(PlotFile, TheOldPictureStaysUntilTheNewOneIsComplete)
{
    const std::string folder = emptyFolder("plotfile-commit");
    const std::string path = folder + "/course.png";
    std::ofstream(path) << "old";
    PlotFile file(path);
    ASSERT_EQ(file.open(), "");
    ASSERT_EQ(file.write("new picture", 11), "");
    EXPECT_EQ(contents(path), "old");
    EXPECT_EQ(entries(folder), 2u);
    EXPECT_EQ(fs::path(file.temporaryPath()).parent_path(), fs::path(folder));
    ASSERT_EQ(file.commit(), "");
    EXPECT_EQ(contents(path), "new picture");
    EXPECT_EQ(entries(folder), 1u);
}

TEST(PlotFile, AnAbandonedPictureLeavesNothing)
{
    const std::string folder = emptyFolder("plotfile-abandon");
    {
        PlotFile file(folder + "/course.png");
        ASSERT_EQ(file.open(), "");
        ASSERT_EQ(file.write("half a pic", 10), "");
        EXPECT_EQ(entries(folder), 1u);
    }
    EXPECT_EQ(entries(folder), 0u);
}

TEST(PlotFile, NamesWhatStandsInTheWay)
{
    const std::string folder = emptyFolder("plotfile-refuse");
    fs::create_directory(folder + "/taken.png");
    const struct {
        std::string path;
        std::string problem;
    } table[] = {
        {folder + "/nowhere/course.png", std::strerror(ENOENT)},
        {folder + "/taken.png", std::strerror(EISDIR)},
        {"/dev/null", "not a regular file"},
    };
    for (const auto &row : table) {
        PlotFile file(row.path);
        EXPECT_EQ(file.open(), row.path + ": cannot write the plot: " + row.problem);
    }
    EXPECT_EQ(entries(folder), 1u);
}
