#pragma once

#include "wavfile.h"

#include <vector>

// How loud one frequency is in Hann-windowed frames of 50 ms, one every 25 ms:
// which of several test tones sounded when.
class ToneMeter
{
  public:
    struct Span {
        double start, end; // seconds
    };

    ToneMeter(const Sound &sound, double hz);

    double peak() const;
    // Where the tone sounds: from a level above `on` until one below `off`.
    std::vector<Span> spans(double on, double off) const;

  private:
    static constexpr double frameSeconds = 0.05, hopSeconds = 0.025;
    std::vector<double> frameLevels;
};
