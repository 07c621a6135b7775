#include "courseplot.h"

#include "markerband.h"
#include "plotstyle.h"
#include "valueaxis.h"
#include "verdictcard.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace
{

using Panel = PlotLayout::Panel;

// The dense part of a long course: several steps share a pixel column, so
// each column keeps its first, lowest, highest and last value.
QPolygonF thinned(const QPolygonF &points)
{
    QPolygonF result;
    for (int i = 0; i < points.size();) {
        const int column = static_cast<int>(points[i].x());
        QPointF low = points[i], high = points[i];
        int j = i;
        for (; j < points.size() && static_cast<int>(points[j].x()) == column; ++j) {
            if (points[j].y() < low.y())
                low = points[j];
            if (points[j].y() > high.y())
                high = points[j];
        }
        const bool lowFirst = low.x() <= high.x();
        for (const QPointF &p : {points[i], lowFirst ? low : high, lowFirst ? high : low})
            result << p;
        result << points[j - 1];
        i = j;
    }
    return result;
}

double yFor(const QRect &rect, const ValueAxis &axis, double value)
{
    return rect.top() + (1 - axis.fraction(value)) * (rect.height() - 1);
}

} // namespace

CoursePlot::CoursePlot(const Course &course, std::string source)
    : course(course), source(std::move(source)),
      layout(QSize(width, height), static_cast<int>(course.steps.size()))
{
}

void CoursePlot::showVerdict(const Verdict &shown)
{
    verdict = shown;
    layout = PlotLayout(layout.size(), static_cast<int>(course.steps.size()), true);
}

QImage CoursePlot::render() const
{
    QImage image(layout.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    draw(painter);
    return image;
}

void CoursePlot::draw(QPainter &painter) const
{
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), layout.size()), Qt::white);
    painter.setRenderHint(QPainter::TextAntialiasing);

    drawShading(painter);
    std::vector<ValueAxis> left, right;
    for (int p = 0; p < PlotLayout::PanelCount; ++p) {
        const Panel panel = static_cast<Panel>(p);
        left.push_back(axisFor(panel, false));
        right.push_back(axisFor(panel, true));
        drawGrid(painter, panel, left.back(),
                 panelStyle(panel).rightUnit ? &right.back() : nullptr);
    }
    MarkerBand(course, layout).draw(painter);
    for (const SeriesStyle &series : courseSeries())
        drawSeries(painter, series, series.rightAxis ? right[series.panel] : left[series.panel]);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(PlotColors::frame());
    painter.setBrush(Qt::NoBrush);
    for (int p = 0; p < PlotLayout::PanelCount; ++p)
        painter.drawRect(layout.panel(static_cast<Panel>(p)).adjusted(0, 0, -1, -1));
    drawStepAxis(painter);
    drawLegends(painter);
    drawTitle(painter);
    drawKey(painter);
    if (verdict)
        VerdictCard(*verdict).draw(painter, layout.card());
    painter.restore();
}

QByteArray CoursePlot::png() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    return render().save(&buffer, "PNG") ? bytes : QByteArray();
}

QString CoursePlot::save(QSaveFile &file) const
{
    const QByteArray bytes = png();
    if (bytes.isEmpty())
        return QStringLiteral("the picture could not be encoded");
    // A full disk may take part of a write; the next part then fails with
    // the reason.
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return file.errorString();
        done += written;
    }
    return file.commit() ? QString() : file.errorString();
}

ValueAxis CoursePlot::axisFor(Panel panel, bool rightAxis) const
{
    const PanelStyle &style = panelStyle(panel);
    double low = rightAxis ? style.rightLow : style.low;
    double high = rightAxis ? style.rightHigh : style.high;
    for (const SeriesStyle &series : courseSeries()) {
        if (series.panel != panel || series.rightAxis != rightAxis)
            continue;
        for (const CourseStep &step : course.steps) {
            low = std::min(low, series.value(step));
            high = std::max(high, series.value(step));
        }
    }
    return ValueAxis(low, high, style.ticks);
}

ValueAxis CoursePlot::stepAxis() const
{
    // Whole steps only, however short the game.
    return ValueAxis(0, layout.steps(), std::min(layout.steps(), 12));
}

std::vector<int> CoursePlot::stepTicks() const
{
    std::vector<int> steps;
    for (const double tick : stepAxis().ticks())
        if (tick <= layout.steps())
            steps.push_back(static_cast<int>(std::lround(tick)));
    return steps;
}

void CoursePlot::drawShading(QPainter &painter) const
{
    // Runs of steps in shock or after death, each step filling the second
    // that led up to it.
    const auto shade = [&](auto inside, const QColor &color) {
        std::size_t i = 0;
        while (i < course.steps.size()) {
            if (!inside(course.steps[i])) {
                ++i;
                continue;
            }
            std::size_t j = i;
            while (j < course.steps.size() && inside(course.steps[j]))
                ++j;
            const double x0 = layout.xForStep(course.steps[i].step - 1);
            const double x1 = layout.xForStep(course.steps[j - 1].step);
            for (int p = 0; p < PlotLayout::PanelCount; ++p) {
                const QRect rect = layout.panel(static_cast<Panel>(p));
                painter.fillRect(QRectF(x0, rect.top(), x1 - x0, rect.height()), color);
            }
            i = j;
        }
    };
    shade([](const CourseStep &s) { return s.shock; }, PlotColors::shock());
    shade([](const CourseStep &s) { return !s.alive; }, PlotColors::death());
}

void CoursePlot::drawGrid(QPainter &painter, Panel panel, const ValueAxis &axis,
                          const ValueAxis *rightAxis) const
{
    const QRect rect = layout.panel(panel);
    const PanelStyle &style = panelStyle(panel);
    const bool twoScales = rightAxis != nullptr;
    painter.setFont(plotFont(13));
    for (const double tick : axis.ticks()) {
        const int y = static_cast<int>(std::lround(yFor(rect, axis, tick)));
        painter.setPen(tick == 0 && axis.low() < 0 ? PlotColors::frame() : PlotColors::grid());
        painter.drawLine(rect.left(), y, rect.right(), y);
        painter.setPen(twoScales ? scaleColor(panel, false) : PlotColors::ink());
        painter.drawText(QRect(rect.left() - 60, y - 10, 54, 20), Qt::AlignRight | Qt::AlignVCenter,
                         plotText(axis.label(tick)));
    }
    if (twoScales) {
        painter.setPen(scaleColor(panel, true));
        for (const double tick : rightAxis->ticks()) {
            const int y = static_cast<int>(std::lround(yFor(rect, *rightAxis, tick)));
            painter.drawText(QRect(rect.right() + 8, y - 10, 50, 20),
                             Qt::AlignLeft | Qt::AlignVCenter, plotText(rightAxis->label(tick)));
        }
    }
    painter.setPen(PlotColors::grid());
    for (const int step : stepTicks()) {
        const int x = layout.columnForStep(step);
        painter.drawLine(x, rect.top(), x, rect.bottom());
    }
    // The unit along the scale, turned to read upwards.
    painter.save();
    painter.setPen(PlotColors::ink());
    painter.translate(16, rect.center().y());
    painter.rotate(-90);
    painter.drawText(QRect(-rect.height() / 2 - 20, 0, rect.height() + 40, 18), Qt::AlignCenter,
                     QString::fromUtf8(style.unit));
    painter.restore();
}

void CoursePlot::drawStepAxis(QPainter &painter) const
{
    const QRect last = layout.panel(PlotLayout::Score);
    const ValueAxis steps = stepAxis();
    painter.setFont(plotFont(13));
    painter.setPen(PlotColors::ink());
    for (const int step : stepTicks()) {
        const int x = layout.columnForStep(step);
        painter.drawLine(x, last.bottom(), x, last.bottom() + 5);
        painter.drawText(QRect(x - 40, last.bottom() + 7, 80, 18), Qt::AlignCenter,
                         plotText(steps.label(step)));
    }
    painter.setFont(plotFont(14));
    painter.drawText(QRect(layout.left(), last.bottom() + 28, layout.right() - layout.left(), 22),
                     Qt::AlignCenter, QStringLiteral("step (one per second of game time)"));
}

void CoursePlot::drawSeries(QPainter &painter, const SeriesStyle &series,
                            const ValueAxis &axis) const
{
    const QRect rect = layout.panel(series.panel);
    QPolygonF points;
    points.reserve(static_cast<int>(course.steps.size()));
    for (const CourseStep &step : course.steps) {
        const QPointF point(layout.xForStep(step.step), yFor(rect, axis, series.value(step)));
        if (series.stepped && !points.isEmpty())
            points << QPointF(point.x(), points.back().y());
        points << point;
    }
    if (points.size() > 2 * rect.width())
        points = thinned(points);
    painter.save();
    painter.setClipRect(rect);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(series.color, series.width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    if (points.size() == 1) {
        // A game of one step is a dot, not a line.
        painter.setBrush(series.color);
        painter.drawEllipse(points.front(), 4.0, 4.0);
    } else {
        painter.drawPolyline(points);
    }
    painter.restore();
}

void CoursePlot::drawLegends(QPainter &painter) const
{
    constexpr int rowHeight = 21;
    painter.setRenderHint(QPainter::Antialiasing);
    for (int p = 0; p < PlotLayout::PanelCount; ++p) {
        const QRect area = layout.legend(static_cast<Panel>(p));
        painter.setFont(plotFont(15, true));
        painter.setPen(PlotColors::ink());
        painter.drawText(QRect(area.left(), area.top(), area.width(), rowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromUtf8(panelStyle(static_cast<Panel>(p)).heading));
        int y = area.top() + rowHeight + 2;
        painter.setFont(plotFont(14));
        for (const SeriesStyle &series : courseSeries()) {
            if (series.panel != p)
                continue;
            painter.setPen(QPen(series.color, series.width + 0.6, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(QPointF(area.left(), y + rowHeight / 2.0),
                             QPointF(area.left() + 26, y + rowHeight / 2.0));
            painter.setPen(PlotColors::ink());
            painter.drawText(QRect(area.left() + 34, y, area.width() - 34, rowHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(series.name));
            y += rowHeight;
        }
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
}

void CoursePlot::drawTitle(QPainter &painter) const
{
    const int left = layout.left();
    painter.setPen(PlotColors::ink());
    painter.setFont(plotFont(24, true));
    painter.drawText(QRect(left, 6, 900, 32), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Patient's course: lower-leg fracture (Unterschenkelfraktur)"));

    std::string summary = source + "   \u00b7   " + std::to_string(course.steps.size()) +
                          (course.steps.size() == 1 ? " step" : " steps");
    if (!course.steps.empty()) {
        summary += "   \u00b7   final score " + std::to_string(course.steps.back().score);
        const auto death =
            std::find_if(course.events.begin(), course.events.end(),
                         [](const CourseEvent &e) { return e.kind == EventKind::Death; });
        summary += death == course.events.end()
                       ? "   \u00b7   the patient lives"
                       : "   \u00b7   the patient died at step " + std::to_string(death->step);
    }
    painter.setFont(plotFont(15));
    painter.setPen(PlotColors::faint().darker(120));
    painter.drawText(QRect(left, 40, 900, 22), Qt::AlignLeft | Qt::AlignVCenter, plotText(summary));
}

// The key to the markers and the shading, at the right of the title.
void CoursePlot::drawKey(QPainter &painter) const
{
    struct Key {
        const char *name;
        QColor color;
        bool shade;
    };
    const Key keys[] = {
        {"treatment", markerColor(EventKind::Treatment), false},
        {"shock begins", markerColor(EventKind::ShockStart), false},
        {"bleeding worse", markerColor(EventKind::BleedingRise), false},
        {"death", markerColor(EventKind::Death), false},
        {"in shock", PlotColors::shock(), true},
        {"dead", PlotColors::death(), true},
    };
    painter.setFont(plotFont(14));
    const QFontMetrics metrics(painter.font());
    // Markers on the first line, shading on the second, each right-aligned.
    const int lineEnds[2] = {4, 6};
    for (int line = 0; line < 2; ++line) {
        int x = layout.size().width() - 10;
        const int y = 10 + line * 30;
        for (int k = lineEnds[line] - 1; k >= (line == 0 ? 0 : lineEnds[0]); --k) {
            const QString name = QString::fromUtf8(keys[k].name);
            const int width = metrics.horizontalAdvance(name);
            x -= width;
            painter.setPen(PlotColors::ink());
            painter.drawText(QRect(x, y, width + 2, 22), Qt::AlignLeft | Qt::AlignVCenter, name);
            x -= 26;
            if (keys[k].shade)
                painter.fillRect(QRect(x, y + 3, 20, 16), keys[k].color);
            else
                painter.fillRect(QRect(x + 9, y + 1, 2, 20), keys[k].color);
            x -= 22;
        }
    }
}
