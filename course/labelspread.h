#pragma once

#include <vector>

// Spreads the marker labels of a plot along the step axis so that none covers
// another. Each label is a column of text standing upright above its marker;
// where markers crowd, their labels move apart as little as they must (a
// crowd is centred on its markers) and a leader line joins label and marker.
//
// `targets` are the markers' positions in ascending order; the result holds
// one position per label, each at least `spacing` after the one before and
// all within low..high. There must be room: (n - 1) x spacing <= high - low.
std::vector<double> spreadLabels(const std::vector<double> &targets, double spacing, double low,
                                 double high);

// How many labels fit between low and high.
int labelCapacity(double spacing, double low, double high);
