#include "plotlayout.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr int leftMargin = 96; // tick labels and the turned axis titles
constexpr int rightAxis = 60;  // the temperature scale of the breathing panel
constexpr int legendWidth = 236;
constexpr int titleHeight = 66;
constexpr int bottomMargin = 66; // step numbers and the axis title
constexpr int panelGap = 20;
constexpr int cardWidth = 330;
constexpr double panelShares[PlotLayout::PanelCount] = {0.34, 0.2, 0.26, 0.2};

} // namespace

PlotLayout::PlotLayout(QSize size, int steps, bool withCard)
    : imageSize(size), stepCount(std::max(steps, 1))
{
    const int plotLeft = leftMargin;
    const int plotRight = size.width() - legendWidth - rightAxis;
    // Beside the card, the labels of the last steps lean left on their leaders.
    if (withCard)
        verdictCard =
            QRect(size.width() - 8 - cardWidth, titleHeight + 2, cardWidth, labelBandHeight - 2);
    const int bandRight = withCard ? verdictCard.left() - 12 : size.width() - 8;
    band = QRect(plotLeft, titleHeight, bandRight - plotLeft, labelBandHeight);

    const int top = band.bottom() + 1 + panelGap / 2;
    const int bottom = size.height() - bottomMargin;
    const int available = bottom - top - panelGap * (PanelCount - 1);
    int y = top;
    for (int i = 0; i < PanelCount; ++i) {
        const int height = i + 1 == PanelCount
                               ? bottom - y
                               : static_cast<int>(std::lround(available * panelShares[i]));
        panels[i] = QRect(plotLeft, y, plotRight - plotLeft, height);
        y += height + panelGap;
    }
}

QRect PlotLayout::legend(Panel which) const
{
    const int x = right() + rightAxis + 12;
    return QRect(x, panels[which].top(), imageSize.width() - x - 8, panels[which].height());
}

double PlotLayout::xForStep(double step) const
{
    return left() + step * (right() - 1 - left()) / stepCount;
}

int PlotLayout::columnForStep(int step) const
{
    return static_cast<int>(std::lround(xForStep(step)));
}
