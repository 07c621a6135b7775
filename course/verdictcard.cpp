#include "verdictcard.h"

#include "plotstyle.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace
{

constexpr int padding = 8;
constexpr int bandHeight = 28;
constexpr int rowHeight = 17;

} // namespace

VerdictCard::VerdictCard(const Verdict &verdict) : verdict(verdict) {}

void VerdictCard::draw(QPainter &painter, const QRect &area) const
{
    const auto &criteria = verdict.criteria;
    const bool anyCritical = std::any_of(criteria.begin(), criteria.end(),
                                         [](const CriterionResult &c) { return c.critical; });
    const int listTop = padding + bandHeight + 4 + rowHeight + 2;
    const int rows = (area.height() - listTop - padding) / rowHeight - anyCritical;
    const int count = static_cast<int>(criteria.size());
    const int shown = count <= rows ? count : std::max(rows - 1, 0);
    const int lines = shown + (shown < count) + anyCritical;
    const QRect card(
        area.topLeft(),
        QSize(area.width(), std::min(area.height(), listTop + lines * rowHeight + padding)));

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(PlotColors::frame(), 1));
    painter.setBrush(QColor(250, 250, 250));
    painter.drawRoundedRect(QRectF(card).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    const QRect inside = card.adjusted(padding, padding, -padding, -padding);
    drawBand(painter, QRect(inside.left(), inside.top(), inside.width(), bandHeight));

    int total = 0;
    for (const CriterionResult &c : criteria)
        total += c.points;
    int y = inside.top() + bandHeight + 4;
    painter.setFont(plotFont(13));
    painter.setPen(PlotColors::ink());
    painter.drawText(QRect(inside.left(), y, inside.width(), rowHeight),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("%1 of %2 points, %3 needed to pass")
                         .arg(verdict.points)
                         .arg(total)
                         .arg(verdict.pass));
    y = card.top() + listTop;
    for (int i = 0; i < shown; ++i, y += rowHeight)
        drawCriterion(painter, criteria[i], QRect(inside.left(), y, inside.width(), rowHeight));
    painter.setFont(plotFont(12));
    painter.setPen(PlotColors::faint());
    if (shown < count) {
        const auto missed = std::count_if(criteria.begin() + shown, criteria.end(),
                                          [](const CriterionResult &c) { return !c.met; });
        painter.drawText(
            QRect(inside.left() + 20, y, inside.width() - 20, rowHeight),
            Qt::AlignLeft | Qt::AlignVCenter,
            QStringLiteral("... %1 more, %2 of them missed").arg(count - shown).arg(missed));
        y += rowHeight;
    }
    if (anyCritical)
        painter.drawText(QRect(inside.left(), y, inside.width(), rowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("! critical: missed, it fails the game"));
    painter.restore();
}

void VerdictCard::drawBand(QPainter &painter, const QRect &band) const
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(verdict.passed ? passColor() : failColor());
    painter.drawRoundedRect(band, 4, 4);
    painter.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    drawMark(painter, verdict.passed, QRectF(band.left() + 9, band.top() + 7, 14, 14));
    painter.setFont(plotFont(17, true));
    painter.setPen(Qt::white);
    painter.drawText(band.adjusted(32, 0, -8, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     verdict.passed ? QStringLiteral("Passed") : QStringLiteral("Not passed"));
}

void VerdictCard::drawCriterion(QPainter &painter, const CriterionResult &criterion,
                                const QRect &row) const
{
    const QColor color = criterion.met ? passColor() : failColor();
    painter.setPen(QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    drawMark(painter, criterion.met, QRectF(row.left() + 2, row.top() + 4, 10, 10));

    const QString points = criterion.met ? QStringLiteral("+%1").arg(criterion.points)
                                         : QStringLiteral("0 of %1").arg(criterion.points);
    painter.setFont(plotFont(13));
    const QFontMetrics metrics(painter.font());
    const int pointsWidth = metrics.horizontalAdvance(points) + 4;
    painter.setPen(criterion.met ? PlotColors::ink() : PlotColors::faint());
    painter.drawText(QRect(row.right() - pointsWidth, row.top(), pointsWidth, row.height()),
                     Qt::AlignRight | Qt::AlignVCenter, points);

    const QString name =
        (criterion.critical ? QStringLiteral("! ") : QString()) + plotText(criterion.name);
    painter.setFont(plotFont(13));
    const int nameWidth = row.width() - 20 - pointsWidth - 6;
    painter.setPen(criterion.critical && !criterion.met ? failColor() : PlotColors::ink());
    painter.drawText(QRect(row.left() + 20, row.top(), nameWidth, row.height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetrics(painter.font()).elidedText(name, Qt::ElideRight, nameWidth));
}

// A tick for met, a cross for missed, in the pen set.
void VerdictCard::drawMark(QPainter &painter, bool met, const QRectF &box) const
{
    painter.setBrush(Qt::NoBrush);
    if (met) {
        painter.drawPolyline(
            QPolygonF({box.topLeft() + QPointF(0, box.height() * 0.55),
                       box.topLeft() + QPointF(box.width() * 0.38, box.height()), box.topRight()}));
    } else {
        painter.drawLine(box.topLeft(), box.bottomRight());
        painter.drawLine(box.bottomLeft(), box.topRight());
    }
}
