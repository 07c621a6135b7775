#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include <optional>

// Measured comparisons of screenshots: how much two pictures differ, and
// where a picture appears in another. Images are compared as RGB32.

// Mean absolute difference per channel over the common area, 0 to 255.
double meanDifference(const QImage &a, const QImage &b);
// The share of pixels (0 to 1) that differ by more than `tolerance` in any
// channel.
double changedShare(const QImage &a, const QImage &b, int tolerance = 24);
// True when every pixel has the colour of the first one, within `tolerance`.
bool isPlain(const QImage &image, int tolerance = 2);
// The top-left position in `area` of `shot` where `picture` appears with a
// mean difference below `tolerance`; the search tests a coarse grid of
// pixels first, so it is cheap where nothing matches.
std::optional<QPoint> findPicture(const QImage &shot, const QImage &picture, const QRect &area,
                                  double tolerance = 3);
