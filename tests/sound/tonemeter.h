#pragma once

#include "wavfile.h"

#include <vector>

// Follows how loud one frequency is over the course of a recording, so that
// tests can tell which of several test tones sounded when.
class ToneMeter
{
  public:
    // Stretches of time in which the tone was present.
    struct Span {
        double start;
        double end;
    };

    // Amplitudes of `hz` in Hann-windowed frames of 50 ms, one frame every
    // 25 ms. Tones whose period divides 50 ms are measured exactly.
    ToneMeter(const Sound &sound, double hz);

    static constexpr double frameSeconds = 0.05;
    static constexpr double hopSeconds = 0.025;

    const std::vector<double> &levels() const { return frameLevels; }
    double peak() const;
    // The tone counts as on from a level above `on` until one below `off`.
    std::vector<Span> spans(double on, double off) const { return spansOf(frameLevels, on, off); }

    // The same for any series of frame levels, e.g. the louder of two tones.
    static std::vector<Span> spansOf(const std::vector<double> &levels, double on, double off);
    // The frame whose centre lies nearest to `seconds`.
    static std::size_t frameAt(double seconds);

  private:
    std::vector<double> frameLevels;
};
