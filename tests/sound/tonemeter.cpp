#include "tonemeter.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double pi = 3.14159265358979323846;

// Goertzel filter on a Hann-windowed frame, scaled so that a sine of
// amplitude A at exactly `hz` reads A.
double toneAmplitude(const float *x, std::size_t n, double hz, int rate)
{
    const double coeff = 2 * std::cos(2 * pi * hz / rate);
    double s1 = 0, s2 = 0, windowSum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double w = 0.5 - 0.5 * std::cos(2 * pi * double(i) / double(n));
        windowSum += w;
        const double s = x[i] * w + coeff * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    const double power = std::max(0.0, s1 * s1 + s2 * s2 - coeff * s1 * s2);
    return 2 * std::sqrt(power) / windowSum;
}
} // namespace

ToneMeter::ToneMeter(const Sound &sound, double hz)
{
    const auto frame = std::size_t(std::lround(frameSeconds * sound.rate));
    const auto hop = std::size_t(std::lround(hopSeconds * sound.rate));
    for (std::size_t at = 0; at + frame <= sound.samples.size(); at += hop)
        frameLevels.push_back(toneAmplitude(&sound.samples[at], frame, hz, sound.rate));
}

double ToneMeter::peak() const
{
    return frameLevels.empty() ? 0.0 : *std::max_element(frameLevels.begin(), frameLevels.end());
}

std::vector<ToneMeter::Span> ToneMeter::spansOf(const std::vector<double> &levels, double on,
                                                double off)
{
    std::vector<Span> found;
    bool sounding = false;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const double centre = double(i) * hopSeconds + frameSeconds / 2;
        if (!sounding && levels[i] > on) {
            found.push_back({centre, centre});
            sounding = true;
        } else if (sounding && levels[i] < off) {
            sounding = false;
        }
        if (sounding)
            found.back().end = centre;
    }
    return found;
}

std::size_t ToneMeter::frameAt(double seconds)
{
    return std::size_t(std::max(0L, std::lround((seconds - frameSeconds / 2) / hopSeconds)));
}
