#pragma once

#include <QImage>

#include <functional>

// Draws the two ECG images that the monitor's strip scrolls through: one
// heartbeat per 60 columns, a green trace on a dark monitor screen. Both
// are periodic over the image width, so the last column runs on into the
// first. In the sinus beat the first columns lie on the flat baseline,
// because a dead patient's strip repeats exactly those.
class EcgPainter
{
  public:
    static constexpr int width = 60;
    static constexpr int height = 50;
    static constexpr double baselineRow = 32.0;

    QImage sinusRhythm() const;
    QImage ventricularFibrillation() const;

    // Height of the trace above the baseline, in pixels, at column x.
    static double sinusBeat(double x);
    static double fibrillation(double x);

  private:
    QImage screen() const;
    void drawTrace(QImage &image, double centreRow,
                   const std::function<double(double)> &wave) const;
};
