#include "valueaxis.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace
{

double niceInterval(double span, int ticks)
{
    // The round interval nearest to an even split, so the count of ticks
    // comes out close to the one asked for.
    const double raw = span / std::max(ticks, 1);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double scaled = raw / power;
    const double factor = scaled < 1.5 ? 1 : scaled < 3 ? 2 : scaled < 7 ? 5 : 10;
    return factor * power;
}

} // namespace

ValueAxis::ValueAxis(double lo, double hi, int ticks)
{
    if (lo > hi)
        std::swap(lo, hi);
    if (!(hi - lo > 0)) {
        // A flat line gets a little room around it.
        const double pad = std::max(1.0, std::fabs(lo) * 0.1);
        lo -= pad;
        hi += pad;
    }
    step = niceInterval(hi - lo, ticks);
    first = std::floor(lo / step + 1e-9) * step;
    last = std::ceil(hi / step - 1e-9) * step;
}

std::vector<double> ValueAxis::ticks() const
{
    std::vector<double> values;
    const long long count = std::llround((last - first) / step);
    for (long long i = 0; i <= count; ++i) {
        const double value = first + static_cast<double>(i) * step;
        values.push_back(std::fabs(value) < step * 1e-9 ? 0.0 : value);
    }
    return values;
}

std::string ValueAxis::label(double value) const
{
    // Six-digit scales count in thousands or millions to keep labels short.
    const double largest = std::max(std::fabs(first), std::fabs(last));
    const double unit = largest >= 1e6 ? 1e6 : largest >= 1e5 ? 1e3 : 1;
    const char *suffix = unit == 1e6 ? "M" : unit == 1e3 ? "k" : "";
    const double scaled = step / unit;
    const int decimals = scaled >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(scaled) - 1e-9));
    // Not printf: a German locale would write a decimal comma.
    char text[64];
    const auto end =
        std::to_chars(text, text + sizeof text, value / unit, std::chars_format::fixed, decimals)
            .ptr;
    return std::string(text, end) + suffix;
}
