#pragma once

#include "course.h"
#include "plotlayout.h"

#include <string>
#include <vector>

class QPainter;

// The markers of a plotted course: a line down through the panels at every
// treatment and complication, and in the band above the panels an upright
// label naming each (repeats of one treatment in one step share a label),
// spread so that none covers another and joined to its marker by a leader.
class MarkerBand
{
  public:
    MarkerBand(const Course &course, const PlotLayout &layout);

    // Called by CoursePlot::render after the grids, so that the curves
    // cross the marker lines.
    void draw(QPainter &painter) const;

  private:
    struct Label {
        int step;
        EventKind kind;
        std::string text;
    };

    // At most `capacity` labels, the most telling ones where there are more.
    std::vector<Label> labels(int capacity) const;
    void drawLines(QPainter &painter) const;
    void drawLabels(QPainter &painter) const;

    const Course &course;
    const PlotLayout &layout;
};
