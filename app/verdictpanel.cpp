#include "verdictpanel.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace
{
const QColor passedColour(46, 125, 50), failedColour(198, 40, 40), criticalColour(183, 28, 28);
const QColor inkColour(33, 33, 33), quietColour(110, 110, 110), ruleColour(224, 224, 224);

constexpr int cardWidth = 640, headerHeight = 112, titleHeight = 36, footerHeight = 44;
constexpr int longestRow = 36, shortestRow = 18, margin = 24;

QFont sized(int pixels, bool bold = false)
{
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QString pointsText(int points)
{
    return points == 1 ? QStringLiteral("1 Punkt") : QStringLiteral("%1 Punkte").arg(points);
}
} // namespace

VerdictPanel::VerdictPanel(const QPixmap &logo, QWidget *label) : QWidget(label), logo(logo)
{
    setGeometry(0, 0, 800, 600);
    hide();
}

void VerdictPanel::showVerdict(const Verdict &verdict, const QString &scenarioTitle)
{
    shown = verdict;
    title = scenarioTitle;
    show();
    raise();
    update();
}

void VerdictPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawPixmap(0, 0, logo);
    painter.fillRect(rect(), QColor(16, 20, 28, 190));
    // The label may reach below the window's edge: the card keeps to what shows.
    const QRect area = rect().intersected(QRect(mapFrom(window(), QPoint(0, 0)), window()->size()));

    const int count = static_cast<int>(shown.criteria.size());
    const int room = area.height() - 2 * margin - headerHeight - titleHeight - footerHeight;
    const int rowHeight = std::clamp(count ? room / count : longestRow, shortestRow, longestRow);
    const int cardHeight = std::min(headerHeight + titleHeight + count * rowHeight + footerHeight,
                                    area.height() - 2 * margin);
    const QRect card(area.left() + (area.width() - cardWidth) / 2,
                     area.top() + (area.height() - cardHeight) / 2, cardWidth, cardHeight);
    QPainterPath outline;
    outline.addRoundedRect(card, 14, 14);
    painter.fillPath(outline, Qt::white);
    painter.save();
    painter.setClipPath(outline);
    int y = drawHeader(painter, card);
    painter.restore();

    painter.setPen(quietColour);
    painter.setFont(sized(14));
    const QRect titleRow(card.left() + margin, y, card.width() - 2 * margin, titleHeight);
    painter.drawText(titleRow, Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(title, Qt::ElideRight, titleRow.width()));
    y += titleHeight;
    for (const CriterionResult &criterion : shown.criteria) {
        if (y + rowHeight > card.top() + card.height() - footerHeight)
            break;
        drawCriterion(painter, QRect(card.left() + margin, y, titleRow.width(), rowHeight),
                      criterion);
        y += rowHeight;
    }

    const bool criticalMissed = !shown.passed && shown.points >= shown.pass;
    painter.setPen(criticalMissed ? criticalColour : quietColour);
    painter.setFont(sized(13));
    painter.drawText(
        QRect(card.left() + margin, card.bottom() - footerHeight, titleRow.width(), footerHeight),
        Qt::AlignVCenter | Qt::AlignLeft,
        criticalMissed ? QStringLiteral("Ein kritisches Kriterium wurde verfehlt.")
                       : QStringLiteral("Nächstes Spiel: Spiel \u2192 Start!"));
}

// The band in the result's colour; returns where the rows begin.
int VerdictPanel::drawHeader(QPainter &painter, const QRect &card) const
{
    const QRect band(card.left(), card.top(), card.width(), headerHeight);
    painter.fillRect(band, shown.passed ? passedColour : failedColour);
    painter.setPen(Qt::white);
    painter.setFont(sized(34, true));
    painter.drawText(
        band.adjusted(margin, 14, -margin, -headerHeight / 2), Qt::AlignLeft | Qt::AlignVCenter,
        shown.passed ? QStringLiteral("Bestanden") : QStringLiteral("Nicht bestanden"));
    painter.setFont(sized(16));
    painter.drawText(band.adjusted(margin, headerHeight / 2, -margin, -10),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("%1 erreicht, %2 zum Bestehen nötig")
                         .arg(pointsText(shown.points), pointsText(shown.pass)));
    return band.bottom() + 1;
}

void VerdictPanel::drawCriterion(QPainter &painter, const QRect &row,
                                 const CriterionResult &criterion) const
{
    painter.setPen(ruleColour);
    painter.drawLine(row.topLeft(), row.topRight());
    const int mark = std::min(22, row.height() - 6);
    drawMark(painter, QRect(row.left(), row.center().y() - mark / 2, mark, mark), criterion.met);

    const int fontSize = std::min(15, row.height() - 8);
    const QFont badgeFont = sized(std::max(9, fontSize - 4), true);
    const QString badge = QStringLiteral("KRITISCH");
    const int badgeWidth =
        criterion.critical ? QFontMetrics(badgeFont).horizontalAdvance(badge) + 12 : 0;
    const int statusWidth = 90, pointsWidth = 80;
    QRect name(row.left() + mark + 12, row.top(), 0, row.height());
    name.setRight(row.right() - statusWidth - pointsWidth - 12 - (badgeWidth ? badgeWidth + 8 : 0));

    painter.setFont(sized(fontSize));
    painter.setPen(inkColour);
    const QString text = painter.fontMetrics().elidedText(QString::fromStdString(criterion.name),
                                                          Qt::ElideRight, name.width());
    painter.drawText(name, Qt::AlignVCenter | Qt::AlignLeft, text);
    if (criterion.critical) {
        const int left = name.left() + painter.fontMetrics().horizontalAdvance(text) + 8;
        const QRect box(left, row.center().y() - fontSize / 2 - 1, badgeWidth, fontSize + 2);
        painter.setPen(criticalColour);
        painter.drawRoundedRect(box, 4, 4);
        painter.setFont(badgeFont);
        painter.drawText(box, Qt::AlignCenter, badge);
        painter.setFont(sized(fontSize));
    }

    painter.setPen(criterion.met ? passedColour : failedColour);
    const QRect status(row.right() - statusWidth - pointsWidth, row.top(), statusWidth,
                       row.height());
    painter.drawText(status, Qt::AlignVCenter | Qt::AlignLeft,
                     criterion.met ? QStringLiteral("erfüllt") : QStringLiteral("verfehlt"));
    painter.setPen(inkColour);
    painter.drawText(
        QRect(status.right(), row.top(), pointsWidth, row.height()),
        Qt::AlignVCenter | Qt::AlignRight,
        QStringLiteral("%1 / %2").arg(criterion.met ? criterion.points : 0).arg(criterion.points));
}

// A filled disc with a tick, or with a cross.
void VerdictPanel::drawMark(QPainter &painter, const QRect &box, bool met)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(met ? passedColour : failedColour);
    painter.drawEllipse(box);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, std::max(2.0, box.width() / 9.0), Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin));
    const QRectF in = QRectF(box).adjusted(box.width() * 0.28, box.height() * 0.28,
                                           -box.width() * 0.28, -box.height() * 0.28);
    if (met) {
        const QPointF tick[] = {{in.left(), in.center().y()},
                                {in.left() + in.width() * 0.4, in.bottom()},
                                {in.right(), in.top()}};
        painter.drawPolyline(tick, 3);
    } else {
        painter.drawLine(in.topLeft(), in.bottomRight());
        painter.drawLine(in.topRight(), in.bottomLeft());
    }
}
