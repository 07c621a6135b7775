#pragma once

#include "course.h"
#include "plotlayout.h"
#include "plotstyle.h"
#include "verdict.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>
#include <string>
#include <vector>

class QPainter;
class QSaveFile;
class ValueAxis;

// Draws a played game for a slide: the vital signs, the reserves with health
// and the score over the steps, with a marker at every treatment and
// complication, shaded stretches of shock and death, axes, legend and title;
// for a game judged by a rubric, the verdict on a card at the top right.
class CoursePlot
{
  public:
    static constexpr int width = 1600;
    static constexpr int height = 900;

    // `source` begins the subtitle: the script played, or the game recorded.
    CoursePlot(const Course &course, std::string source);

    // Called by the game's recorder, curavant-sim --course and the course
    // report for a game whose scenario has a rubric, before drawing.
    void showVerdict(const Verdict &verdict);

    QImage render() const;
    // Called by render and by curavant-sim's course report to draw the
    // picture into width x height units of `painter` from its origin.
    void draw(QPainter &painter) const;
    // The picture as PNG bytes, encoded in memory: a file that cannot be
    // written then fails in one place, with the file's own message. Empty
    // when the encoder fails.
    QByteArray png() const;
    // Called by curavant-sim and the game's recorder to write the picture
    // into `file`, open for writing, and commit it. Returns why it could not,
    // or an empty string; the file is then left uncommitted.
    QString save(QSaveFile &file) const;

  private:
    ValueAxis axisFor(PlotLayout::Panel panel, bool rightAxis) const;
    ValueAxis stepAxis() const;
    std::vector<int> stepTicks() const;
    void drawTitle(QPainter &painter) const;
    void drawKey(QPainter &painter) const;
    void drawShading(QPainter &painter) const;
    void drawGrid(QPainter &painter, PlotLayout::Panel panel, const ValueAxis &axis,
                  const ValueAxis *rightAxis) const;
    void drawStepAxis(QPainter &painter) const;
    void drawSeries(QPainter &painter, const SeriesStyle &series, const ValueAxis &axis) const;
    void drawLegends(QPainter &painter) const;

    const Course &course;
    std::string source;
    PlotLayout layout;
    std::optional<Verdict> verdict;
};
