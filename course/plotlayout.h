#pragma once

#include <QRect>
#include <QSize>

// Where the parts of a course plot go: the title row, the band of marker
// labels, four panels stacked over one shared step axis, and the legend
// column on the right; with a verdict card, the card stands at the right of the
// label band, which then ends with the panels. Step 0 sits at the panels' left edge and the last
// step at their right edge, so a marker's column follows from its step alone.
class PlotLayout
{
  public:
    enum Panel { VitalSigns, Breathing, Reserves, Score, PanelCount };

    // The upright marker labels stand in a band of this height above the panels.
    static constexpr int labelBandHeight = 172;

    PlotLayout(QSize size, int steps, bool withCard = false);

    QSize size() const { return imageSize; }
    int steps() const { return stepCount; }
    QRect panel(Panel which) const { return panels[which]; }
    QRect labelBand() const { return band; }
    // Where the verdict card goes; empty without one.
    QRect card() const { return verdictCard; }
    // The legend entries of a panel go beside it, from its top.
    QRect legend(Panel which) const;
    // The left and right edge of a panel (one pixel past its last column).
    int left() const { return panels[0].left(); }
    int right() const { return panels[0].left() + panels[0].width(); }

    double xForStep(double step) const;
    // The pixel column of a marker at `step`.
    int columnForStep(int step) const;

  private:
    QSize imageSize;
    int stepCount;
    QRect band;
    QRect verdictCard;
    QRect panels[PanelCount];
};
