#pragma once

#include "course.h"
#include "plotlayout.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <string>
#include <vector>

class QPainter;
class ValueAxis;

// One curve of the plot: what it shows, in which panel and how it is drawn.
struct SeriesStyle {
    const char *name; // legend text
    PlotLayout::Panel panel;
    bool rightAxis; // on the panel's second scale (temperature)
    QColor color;
    double width;
    bool stepped; // a count that jumps within a step, drawn as a staircase
    double (*value)(const CourseStep &);
};

// The curves in drawing order.
const std::vector<SeriesStyle> &courseSeries();
QColor markerColor(EventKind kind);

// Draws a played game for a slide: the vital signs, the reserves with health
// and the score over the steps, with a marker at every treatment and
// complication, shaded stretches of shock and death, axes, legend and title.
class CoursePlot
{
  public:
    static constexpr int width = 1600;
    static constexpr int height = 900;

    // `source` begins the subtitle: the script played, or the game recorded.
    CoursePlot(const Course &course, std::string source);

    QImage render() const;
    // The picture as PNG bytes, encoded in memory: a file that cannot be
    // written then fails in one place, with the file's own message.
    QByteArray png() const;

  private:
    struct Label {
        int step;
        EventKind kind;
        std::string text;
    };

    // At most `capacity` labels, the most telling ones where there are more.
    std::vector<Label> labels(int capacity) const;
    ValueAxis axisFor(PlotLayout::Panel panel, bool rightAxis) const;
    ValueAxis stepAxis() const;
    std::vector<int> stepTicks() const;
    void drawTitle(QPainter &painter) const;
    void drawKey(QPainter &painter) const;
    void drawShading(QPainter &painter) const;
    void drawGrid(QPainter &painter, PlotLayout::Panel panel, const ValueAxis &axis,
                  const ValueAxis *rightAxis) const;
    void drawStepAxis(QPainter &painter) const;
    void drawMarkersAndLabels(QPainter &painter) const;
    void drawSeries(QPainter &painter, const SeriesStyle &series, const ValueAxis &axis) const;
    void drawLegends(QPainter &painter) const;

    const Course &course;
    std::string source;
    PlotLayout layout;
};
