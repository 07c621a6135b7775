#pragma once

#include <string>
#include <vector>

// A linear axis with round tick values, as a person would label it: the
// range is widened to whole multiples of a 1, 2 or 5 times a power of ten.
class ValueAxis
{
  public:
    // Covers lo..hi (in either order, possibly equal) with about `ticks` intervals.
    ValueAxis(double lo, double hi, int ticks);

    double low() const { return first; }
    double high() const { return last; }
    double interval() const { return step; }
    std::vector<double> ticks() const;

    // Where `value` falls between low (0) and high (1).
    double fraction(double value) const { return (value - first) / (last - first); }

    // A tick value as text, with as many decimals as the interval needs.
    std::string label(double value) const;

  private:
    double first;
    double last;
    double step;
};
