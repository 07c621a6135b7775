#pragma once

#include "course.h"
#include "plotlayout.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <string>
#include <vector>

// The look of a course plot: what each panel shows and the least range of
// its scales, the curves with their colours, the colours of markers, text,
// grid and shading, and the one font family.

struct PanelStyle {
    const char *heading;
    const char *unit;
    // The least range the scales cover, so that a calm course is not blown
    // up into wild swings.
    double low, high;
    const char *rightUnit; // nullptr: no second scale
    double rightLow, rightHigh;
    int ticks; // about as many intervals on the scales
};

const PanelStyle &panelStyle(PlotLayout::Panel panel);

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
// With two scales in a panel, each takes the colour of its curve.
QColor scaleColor(PlotLayout::Panel panel, bool rightAxis);

// The colours of everything that is not a curve or a marker.
struct PlotColors {
    static QColor ink() { return QColor(40, 40, 40); }
    static QColor faint() { return QColor(110, 110, 110); }
    static QColor grid() { return QColor(226, 226, 226); }
    static QColor frame() { return QColor(150, 150, 150); }
    static QColor shock() { return QColor(252, 229, 236); }
    static QColor death() { return QColor(232, 232, 232); }
};

QFont plotFont(int pixels, bool bold = false);

inline QString plotText(const std::string &text)
{
    return QString::fromStdString(text);
}
