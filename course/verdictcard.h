#pragma once

#include "verdict.h"

#include <QColor>
#include <QRect>

class QPainter;

// The rubric's verdict on a game as its course picture shows it, on a card:
// a band saying whether the game passed, the points earned and needed, and a
// row per criterion, met (a green tick) or missed (a red cross), with its
// points. A critical criterion is marked "!", and the card says what that
// means. Criteria beyond the card's room are counted in its last row.
class VerdictCard
{
  public:
    explicit VerdictCard(const Verdict &verdict);

    // Called by the course picture to draw the card into `area`.
    void draw(QPainter &painter, const QRect &area) const;

    static QColor passColor() { return QColor(28, 125, 62); }
    static QColor failColor() { return QColor(190, 38, 38); }

  private:
    void drawBand(QPainter &painter, const QRect &band) const;
    void drawCriterion(QPainter &painter, const CriterionResult &criterion, const QRect &row) const;
    void drawMark(QPainter &painter, bool met, const QRectF &box) const;

    const Verdict &verdict;
};
