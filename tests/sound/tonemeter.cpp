#include "tonemeter.h"

#include <algorithm>
#include <cmath>
#include <complex>

ToneMeter::ToneMeter(const Sound &sound, double hz)
{
    // Correlation with a Hann-windowed complex tone at `hz`, scaled so that a
    // sine of amplitude A at that frequency reads A.
    const double pi = std::acos(-1.0);
    const auto frame = std::size_t(std::lround(frameSeconds * sound.rate));
    const auto hop = std::size_t(std::lround(hopSeconds * sound.rate));
    for (std::size_t at = 0; at + frame <= sound.samples.size(); at += hop) {
        std::complex<double> sum;
        double windowSum = 0;
        for (std::size_t i = 0; i < frame; ++i) {
            const double w = 0.5 - 0.5 * std::cos(2 * pi * double(i) / double(frame));
            sum +=
                w * sound.samples[at + i] * std::polar(1.0, -2 * pi * hz * double(i) / sound.rate);
            windowSum += w;
        }
        frameLevels.push_back(2 * std::abs(sum) / windowSum);
    }
}

double ToneMeter::peak() const
{
    return frameLevels.empty() ? 0.0 : *std::max_element(frameLevels.begin(), frameLevels.end());
}

std::vector<ToneMeter::Span> ToneMeter::spans(double on, double off) const
{
    std::vector<Span> found;
    bool sounding = false;
    for (std::size_t i = 0; i < frameLevels.size(); ++i) {
        const double centre = double(i) * hopSeconds + frameSeconds / 2;
        if (!sounding && frameLevels[i] > on)
            found.push_back({centre, centre});
        sounding = sounding ? frameLevels[i] >= off : frameLevels[i] > on;
        if (sounding)
            found.back().end = centre;
    }
    return found;
}
