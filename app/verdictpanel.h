#pragma once

#include "verdict.h"

#include <QPixmap>
#include <QWidget>

class QPainter;

// The result of a game judged by its rubric, shown at "Ende" over the logo
// until the next "Start!": passed or not, the points earned of those needed,
// and each criterion met or missed, the critical ones marked.
class VerdictPanel : public QWidget
{
  public:
    // Lies over `logo`'s label, whose picture it dims behind the result.
    VerdictPanel(const QPixmap &logo, QWidget *label);

    // Called by "Ende" for a game whose scenario has a rubric.
    void showVerdict(const Verdict &verdict, const QString &title);
    const Verdict &verdict() const { return shown; }

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    int drawHeader(QPainter &painter, const QRect &card) const;
    void drawCriterion(QPainter &painter, const QRect &row, const CriterionResult &criterion) const;
    static void drawMark(QPainter &painter, const QRect &box, bool met);

    QPixmap logo;
    Verdict shown;
    QString title;
};
