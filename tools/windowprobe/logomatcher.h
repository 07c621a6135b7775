#pragma once

#include <QImage>
#include <QPoint>

#include <vector>

// Decides whether a picture of the window shows the logo: the logo's colours
// at a grid of sample points must all reappear, at one common offset, in the
// picture. Only the logo's upper part is sampled, since the window may cut
// off its bottom rows.
class LogoMatcher
{
  public:
    explicit LogoMatcher(const QImage &logo);

    bool valid() const { return !samples.empty(); }
    // The logo's top-left corner in `picture`, or (-1, -1) if it is not there.
    QPoint find(const QImage &picture) const;

  private:
    struct Sample {
        QPoint at;
        QRgb colour;
    };
    std::vector<Sample> samples;
    QSize sampledSize;

    bool matchesAt(const QImage &picture, QPoint offset) const;
};
