// curavant-sim --plot run as a program: the picture it leaves, checked
// against the table it prints, and the paths it must refuse.

#include "course.h"
#include "courseplot.h"
#include "plotlayout.h"
#include "scratch.h"
#include "subprocess.h"

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

const std::string simulator = CURAVANT_SIM_PATH;

// A fresh folder for each run, so that stray files show up in its listing.
std::string freshFolder(const std::string &name)
{
    const std::string path = scratchDir() + "/" + name;
    fs::remove_all(path);
    fs::create_directories(path);
    return path;
}

std::set<std::string> listing(const std::string &folder)
{
    std::set<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

struct Row {
    int step, bleeding;
    bool alive, shock;
};

std::vector<Row> rowsOf(const std::string &csv)
{
    std::vector<Row> rows;
    const std::vector<std::string> text = lines(csv);
    for (std::size_t i = 1; i < text.size(); ++i) {
        std::vector<std::string> cells;
        std::stringstream line(text[i]);
        for (std::string cell; std::getline(line, cell, ',');)
            cells.push_back(cell);
        rows.push_back(
            {std::stoi(cells[0]), std::stoi(cells[5]), cells[3] == "1", cells[4] == "1"});
    }
    return rows;
}

// The colour a complication marker should have at each step, read off the
// table: a shock flag that rises, a bleeding stage that rises, a death.
std::map<int, QColor> complicationsOf(const std::vector<Row> &rows)
{
    std::map<int, QColor> markers;
    Row before{0, 1, true, false};
    for (const Row &row : rows) {
        if (row.shock && !before.shock)
            markers[row.step] = markerColor(EventKind::ShockStart);
        if (row.bleeding > before.bleeding)
            markers[row.step] = markerColor(EventKind::BleedingRise);
        if (before.alive && !row.alive)
            markers[row.step] = markerColor(EventKind::Death);
        before = row;
    }
    return markers;
}

bool near(QRgb pixel, const QColor &color, int tolerance)
{
    return std::abs(qRed(pixel) - color.red()) <= tolerance &&
           std::abs(qGreen(pixel) - color.green()) <= tolerance &&
           std::abs(qBlue(pixel) - color.blue()) <= tolerance;
}

int countNear(const QImage &image, const QRect &area, const QColor &color, int tolerance = 8)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += near(image.pixel(x, y), color, tolerance);
    return count;
}

// The row of white between a panel and the one below it, which only the
// marker lines cross.
int gapBelow(const PlotLayout &layout, PlotLayout::Panel panel)
{
    const auto next = static_cast<PlotLayout::Panel>(panel + 1);
    return (layout.panel(panel).bottom() + layout.panel(next).top()) / 2;
}

struct Plotted {
    ProcessResult run;
    QImage image;
};

Plotted plot(const std::string &name, int steps, const std::string &script)
{
    const std::string folder = freshFolder(name);
    const std::string scriptPath = writeFile(name + ".txt", script);
    const std::string png = folder + "/course.png";
    Plotted result;
    result.run =
        runProcess(simulator, {"--steps", std::to_string(steps), "--plot", png, scriptPath});
    result.image.load(QString::fromStdString(png));
    return result;
}

} // namespace

TEST(Plot, LeavesTheTableAndTheEchoAsTheyAreWithoutIt)
{
    const std::string script = writeFile("same.txt", "2 3\n5 7\n5 6\n8 13\n40 1\n40 2\n");
    const ProcessResult plain = runProcess(simulator, {"--steps", "60", script});
    const std::string png = freshFolder("same") + "/same.png";
    const ProcessResult plotted = runProcess(simulator, {"--steps=60", "--plot=" + png, script});
    ASSERT_EQ(plotted.status, 0) << plotted.err;
    EXPECT_EQ(plotted.out, plain.out);
    EXPECT_EQ(plotted.err, plain.err);
    EXPECT_EQ(listing(fs::path(png).parent_path()), std::set<std::string>{"same.png"});
}

TEST(Plot, DrawsEveryCurveInItsOwnPanel)
{
    const Plotted p = plot("curves", 10, "");
    ASSERT_EQ(p.run.status, 0) << p.run.err;
    ASSERT_FALSE(p.image.isNull());
    EXPECT_EQ(p.image.size(), QSize(1600, 900));
    const PlotLayout layout(p.image.size(), 10);
    for (const SeriesStyle &series : courseSeries()) {
        for (int panel = 0; panel < PlotLayout::PanelCount; ++panel) {
            const int count = countNear(
                p.image, layout.panel(static_cast<PlotLayout::Panel>(panel)), series.color);
            if (panel == series.panel) {
                EXPECT_GT(count, 100) << series.name;
            } else {
                EXPECT_LT(count, 5) << series.name << " in panel " << panel;
            }
        }
    }
}

TEST(Plot, PutsAMarkerAtEveryTreatmentAndComplicationAndNowhereElse)
{
    const std::string script = "2 3\n5 7\n5 6\n8 13\n14 14\n14 14\n14 10\n14 11\n";
    const Plotted p = plot("markers", 40, script);
    ASSERT_EQ(p.run.status, 0) << p.run.err;
    std::map<int, QColor> expected = {
        {2, markerColor(EventKind::Treatment)},
        {5, markerColor(EventKind::Treatment)},
        {8, markerColor(EventKind::Treatment)},
        {14, markerColor(EventKind::Treatment)},
    };
    // Complications are drawn over treatments of the same step.
    for (const auto &[step, color] : complicationsOf(rowsOf(p.run.out)))
        expected[step] = color;
    ASSERT_TRUE(expected.count(1)) << "the first step always brings the shock";
    ASSERT_TRUE(std::any_of(expected.begin(), expected.end(), [](const auto &marker) {
        return marker.second == markerColor(EventKind::Death);
    })) << "the script is meant to kill the patient";

    const PlotLayout layout(p.image.size(), 40);
    for (int step = 0; step <= 40; ++step) {
        const int x = layout.columnForStep(step);
        for (int panel = 0; panel + 1 < PlotLayout::PanelCount; ++panel) {
            const QColor seen = p.image.pixelColor(x, gapBelow(layout, PlotLayout::Panel(panel)));
            const QColor want = expected.count(step) ? expected[step] : QColor(Qt::white);
            EXPECT_EQ(seen, want) << "step " << step << ", below panel " << panel;
        }
    }
}

TEST(Plot, NamesTheMarkersAboveThePanels)
{
    const Plotted p = plot("labels", 30, "12 4\n");
    ASSERT_EQ(p.run.status, 0) << p.run.err;
    const PlotLayout layout(p.image.size(), 30);
    const QRect band = layout.labelBand();
    // The shock of the first step is named in its own colour; the treatment
    // in dark text just above its marker.
    EXPECT_GT(countNear(p.image, band, markerColor(EventKind::ShockStart), 40), 40);
    const int x = layout.columnForStep(12);
    const QRect above(x - 10, band.top(), 21, band.height() - 40);
    int dark = 0;
    for (int y = above.top(); y <= above.bottom(); ++y)
        for (int column = above.left(); column <= above.right(); ++column)
            dark += qGray(p.image.pixel(column, y)) < 100;
    EXPECT_GT(dark, 40);
}

TEST(Plot, AcceptsCapitalsAndReplacesAnEarlierPicture)
{
    const std::string folder = freshFolder("replace");
    const std::string png = folder + "/Course.PNG";
    std::ofstream(png) << "an older picture";
    const ProcessResult r =
        runProcess(simulator, {"--steps", "5", "--plot", png}, standardInputText(""));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(1600, 900));
    EXPECT_EQ(listing(folder), std::set<std::string>{"Course.PNG"});
}

TEST(Plot, WritesThroughALinkToThePictureItNames)
{
    const std::string folder = freshFolder("link");
    fs::create_symlink("real.png", folder + "/link.png");
    const ProcessResult r = runProcess(simulator, {"--steps", "5", "--plot", folder + "/link.png"},
                                       standardInputText(""));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::is_symlink(folder + "/link.png"));
    EXPECT_EQ(QImage(QString::fromStdString(folder + "/real.png")).width(), 1600);
    EXPECT_EQ(listing(folder), (std::set<std::string>{"link.png", "real.png"}));
}

TEST(Plot, DrawsTheLongestGameWithTheMostTreatments)
{
    std::string script;
    for (int i = 0; i < 10000; ++i)
        script += std::to_string(1 + (i * 7919) % 100000) + " " + std::to_string(i % 17) + "\n";
    const Plotted p = plot("longest", 100000, script);
    ASSERT_EQ(p.run.status, 0) << p.run.err.substr(0, 200);
    EXPECT_EQ(p.image.size(), QSize(1600, 900));
    EXPECT_EQ(lines(p.run.out).size(), 100001u);
}

TEST(Plot, LeavesNoPictureWhenTheTableCannotBeWritten)
{
    const std::string folder = freshFolder("full");
    ProcessInput input = standardOutputFile("/dev/full");
    input.text = "3 7\n";
    const ProcessResult r = runProcess(simulator, {"--plot", folder + "/full.png"}, input);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(listing(folder).empty());
}

// ---------------------------------------------------------------------------
// Paths and names the runner refuses before it plays.

namespace
{

struct BadPlot {
    std::string name;
    std::vector<std::string> args; // '@' stands for the case's own folder
    std::string message;           // after "curavant-sim: "; '@' as above
};

std::string withFolder(std::string text, const std::string &folder)
{
    for (std::size_t at; (at = text.find('@')) != std::string::npos;)
        text.replace(at, 1, folder);
    return text;
}

const std::string pngOnly = "--plot draws PNG pictures only: give a file name ending in .png, not ";

std::vector<BadPlot> badPlots()
{
    return {
        {"Jpeg", {"--plot", "course.jpg"}, pngOnly + "'course.jpg'"},
        {"NoExtension", {"--plot", "course"}, pngOnly + "'course'"},
        {"PngInTheMiddle", {"--plot=course.png.txt"}, pngOnly + "'course.png.txt'"},
        {"EmptyName", {"--plot="}, pngOnly + "''"},
        {"NameMissing", {"--plot"}, "option --plot needs a file name ending in .png"},
        {"MissingFolder",
         {"--plot", "@/missing/course.png"},
         "@/missing/course.png: cannot write the plot: No such file or directory"},
        {"FolderInTheWay",
         {"--plot", "@/folder.png"},
         "@/folder.png: cannot write the plot: Is a directory"},
        {"FileAsFolder",
         {"--plot", "@/file.png/course.png"},
         "@/file.png/course.png: cannot write the plot: Not a directory"},
        {"Pipe", {"--plot", "@/pipe.png"}, "@/pipe.png: cannot write the plot: not a regular file"},
    };
}

class BadPlots : public testing::TestWithParam<BadPlot>
{
};

INSTANTIATE_TEST_SUITE_P(Table, BadPlots, testing::ValuesIn(badPlots()),
                         [](const testing::TestParamInfo<BadPlot> &info) {
                             return info.param.name;
                         });

void expectRefused(const ProcessResult &r, const std::string &message)
{
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "curavant-sim: " + message + "\n");
}

} // namespace

TEST_P(BadPlots, ExitWithStatus2BeforePlayingAndLeaveNothingBehind)
{
    const BadPlot &c = GetParam();
    const std::string folder = freshFolder("bad-" + c.name);
    fs::create_directory(folder + "/folder.png");
    std::ofstream(folder + "/file.png") << "not a folder";
    ASSERT_EQ(mkfifo((folder + "/pipe.png").c_str(), 0600), 0);
    const std::set<std::string> before = listing(folder);

    std::vector<std::string> args;
    for (const std::string &arg : c.args)
        args.push_back(withFolder(arg, folder));
    const ProcessResult r = runProcess(simulator, args, standardInputText("3 7\n"));
    expectRefused(r, withFolder(c.message, folder));
    EXPECT_EQ(listing(folder), before);
    EXPECT_FALSE(fs::exists("course.jpg") || fs::exists("course") || fs::exists("course.png.txt"));
}

TEST(BadPlot, AFolderThatMayNotBeWrittenInto)
{
    // Root may write into any folder whatever its mode, so root is sent to
    // sysfs, which takes no new files from anyone.
    const bool root = geteuid() == 0;
    const std::string folder = root ? "/sys" : freshFolder("locked");
    if (!root) {
        ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    }
    const std::string png = folder + "/curavant-course.png";
    const ProcessResult r = runProcess(simulator, {"--plot", png}, standardInputText("3 7\n"));
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("curavant-sim: " + png + ": cannot write the plot: ", 0), 0u) << r.err;
    EXPECT_EQ(lines(r.err).size(), 1u);
    EXPECT_FALSE(fs::exists(png));
    if (!root) {
        EXPECT_EQ(r.err, "curavant-sim: " + png + ": cannot write the plot: Permission denied\n");
        EXPECT_TRUE(listing(folder).empty());
        chmod(folder.c_str(), 0755);
    }
}

TEST(BadPlot, ABadScriptLeavesNoPicture)
{
    const std::string folder = freshFolder("bad-script");
    const ProcessResult r =
        runProcess(simulator, {"--plot", folder + "/course.png"}, standardInputText("0 3\n"));
    expectRefused(r, "<stdin>:1: step '0' is outside 1..120");
    EXPECT_TRUE(listing(folder).empty());
}
