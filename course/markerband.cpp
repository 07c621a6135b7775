#include "markerband.h"

#include "eventnames.h"
#include "labelspread.h"
#include "plotstyle.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace
{

// A label's leader line leaves its marker this far above the panels and
// bends into the label's column below the text.
constexpr int leaderFoot = 6;
constexpr int leaderHeight = 30;

// Too many to name them all: death first, then the treatments, then the
// shocks, then the bleeding.
int rank(EventKind kind)
{
    switch (kind) {
    case EventKind::Death: return 0;
    case EventKind::Treatment: return 1;
    case EventKind::ShockStart: return 2;
    case EventKind::BleedingRise: return 3;
    }
    return 4;
}

} // namespace

MarkerBand::MarkerBand(const Course &course, const PlotLayout &layout)
    : course(course), layout(layout)
{
}

void MarkerBand::draw(QPainter &painter) const
{
    drawLines(painter);
    drawLabels(painter);
}

std::vector<MarkerBand::Label> MarkerBand::labels(int capacity) const
{
    std::vector<Label> all;
    const auto &events = course.events;
    for (std::size_t i = 0; i < events.size();) {
        std::size_t j = i + 1;
        while (j < events.size() && events[j].step == events[i].step &&
               events[j].kind == events[i].kind && events[j].value == events[i].value)
            ++j;
        std::string label = eventLabel(events[i]);
        if (j - i > 1)
            label += " \u00d7" + std::to_string(j - i);
        all.push_back({events[i].step, events[i].kind, label});
        i = j;
    }
    if (static_cast<int>(all.size()) <= capacity)
        return all;

    // The most telling kinds first, each from the start of the game.
    std::vector<std::size_t> order(all.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return rank(all[a].kind) < rank(all[b].kind);
    });
    order.resize(static_cast<std::size_t>(std::max(capacity, 0)));
    std::sort(order.begin(), order.end());
    std::vector<Label> kept;
    for (const std::size_t i : order)
        kept.push_back(all[i]);
    return kept;
}

void MarkerBand::drawLines(QPainter &painter) const
{
    const QRect band = layout.labelBand();
    const int bottom = layout.panel(PlotLayout::Score).bottom();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Complications after treatments, so that they stay visible where both fall.
    for (const bool complications : {false, true}) {
        for (const CourseEvent &event : course.events) {
            if ((event.kind != EventKind::Treatment) != complications)
                continue;
            const int x = layout.columnForStep(event.step);
            painter.setPen(markerColor(event.kind));
            painter.drawLine(x, band.bottom() - leaderFoot, x, bottom);
        }
    }
}

void MarkerBand::drawLabels(QPainter &painter) const
{
    const QRect band = layout.labelBand();
    const QFont labelFont = plotFont(13);
    const QFontMetrics metrics(labelFont);
    const double spacing = metrics.height() + 1;
    const double low = band.left() + spacing / 2;
    const double high = band.right() - spacing / 2;
    const std::vector<Label> shown = labels(labelCapacity(spacing, low, high));
    std::vector<double> targets;
    for (const Label &label : shown)
        targets.push_back(layout.columnForStep(label.step));
    const std::vector<double> positions = spreadLabels(targets, spacing, low, high);

    const int textBottom = band.bottom() - leaderHeight;
    const int textLength = textBottom - band.top();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(labelFont);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const QColor color = markerColor(shown[i].kind);
        const double x = targets[i];
        painter.setPen(QPen(color, 1));
        painter.drawPolyline(QPolygonF({QPointF(x + 0.5, band.bottom() - leaderFoot),
                                        QPointF(positions[i], textBottom + leaderFoot),
                                        QPointF(positions[i], textBottom + 2)}));
        painter.save();
        painter.translate(positions[i], textBottom);
        painter.rotate(-90);
        painter.setPen(shown[i].kind == EventKind::Treatment ? PlotColors::ink() : color);
        const QString name =
            metrics.elidedText(plotText(shown[i].text), Qt::ElideRight, textLength);
        painter.drawText(QRectF(0, -spacing / 2, textLength, spacing),
                         Qt::AlignLeft | Qt::AlignVCenter, name);
        painter.restore();
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
}
