// curavant-sim --plot: the picture against the table it prints, the same drawn
// from the table and in a German locale, and no picture left on failure.

#include "courseplot.h"
#include "plotlayout.h"
#include "simrun.h"

#include <QImage>
#include <clocale>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace
{

int countColour(const QImage &image, const QRect &area, const QColor &color)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y) == color;
    return count;
}

} // namespace

TEST(Plot, DrawsEachCurveInItsPanelAndAMarkerAtEveryTreatmentAndComplication)
{
    const std::string folder = freshFolder("plot");
    const SimRun r = runSim({"--steps=40", "--plot", folder + "/course.png"},
                            "2 3\n5 7\n5 6\n8 13\n9 5\n14 14\n14 14\n14 10\n14 11\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(listing(folder), std::set<std::string>{"course.png"});
    const QImage image(QString::fromStdString(folder + "/course.png"));
    ASSERT_EQ(image.size(), QSize(1600, 900));
    const PlotLayout layout(image.size(), 40);
    for (const SeriesStyle &series : courseSeries())
        EXPECT_GT(countColour(image, layout.panel(series.panel), series.color), 100) << series.name;

    // The table shows the shock at step 1, the bleeding's rises (from 0 after
    // a dressing, too) and the death; the script the treatments.
    std::map<int, EventKind> marked = {{1, EventKind::ShockStart}, {40, EventKind::Death}};
    for (const int step : {2, 5, 8, 9, 14})
        marked[step] = EventKind::Treatment;
    for (const int step : {3, 4, 7, 10, 21, 23})
        marked[step] = EventKind::BleedingRise;
    for (int step = 0; step <= 40; ++step)
        for (int panel = 0; panel + 1 < PlotLayout::PanelCount; ++panel) {
            // The white between two panels, which only the markers cross.
            const auto above = PlotLayout::Panel(panel), below = PlotLayout::Panel(panel + 1);
            const int y = (layout.panel(above).bottom() + layout.panel(below).top()) / 2;
            const QColor want = marked.count(step) ? markerColor(marked[step]) : QColor(Qt::white);
            EXPECT_EQ(image.pixelColor(layout.columnForStep(step), y), want)
                << "step " << step << ", panel " << panel;
        }
}

TEST(Plot, LeavesAnOlderPictureAloneWhenTheTableOrThePictureCannotBeWritten)
{
    const std::string folder = freshFolder("replace");
    const std::string older = writeFile(folder + "/Course.PNG", "older");
    const SimRun full = runSim({"--plot", older}, "3 7\n", "> /dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "7\ncuravant-sim: cannot write the table to standard output\n");
    // The disk fills up while the picture is written: no file of 20 kB more.
    const std::string table = writeFile(folder + "/game.csv", runSim({}).out);
    SimRun filled;
    withFullDisk(20000, [&] { filled = runSim({"--plot", older, "--course", table}); });
    EXPECT_EQ(filled.status, 1);
    EXPECT_EQ(filled.err, "curavant-sim: " + older + ": cannot write the plot: File too large\n");
    EXPECT_EQ(listing(folder), (std::set<std::string>{"Course.PNG", "game.csv"}));
    EXPECT_EQ(std::filesystem::file_size(older), 5u);
}

TEST(Plot, RedrawsARecordedCourseAndDrawsTheSameInAGermanLocale)
{
    const std::string folder = freshFolder("course") + "/", script = folder + "s.txt";
    writeFile(script, "2 3\n5 7\n9 1\n9 2\n13 4\n");
    std::map<std::string, SimRun> runs;
    for (const char *locale : {"C", "de_DE.UTF-8"}) {
        ASSERT_TRUE(std::setlocale(LC_ALL, locale)) << "tools/setup.sh makes " << locale;
        setenv("LC_ALL", locale, 1);
        runs[locale] = runSim({"--steps=40", "--plot", folder + locale + ".png", script});
        writeFile(folder + locale + ".csv", runs[locale].out);
        runs[locale + std::string("course")] = runSim(
            {"--plot", folder + locale + "-course.png", "--course", folder + "C.csv", script});
    }
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(runs["de_DE.UTF-8"].out, runs["C"].out);
    const auto image = [&](const std::string &name) {
        return QImage(QString::fromStdString(folder + name + ".png")).copy(0, 66, 1600, 834);
    };
    for (const char *name : {"de_DE.UTF-8", "C-course", "de_DE.UTF-8-course"})
        EXPECT_EQ(image(name), image("C")) << name << " (below the subtitle)";
    EXPECT_EQ(runs["de_DE.UTF-8course"].out + runs["de_DE.UTF-8course"].err, "");
}
