#pragma once

#include "wavfile.h"

#include <vector>

// How loud one frequency is over the course of a recording: its amplitude in
// Hann-windowed frames of 50 ms, one every 25 ms, so that tests can tell which
// of several test tones sounded when (exactly, if the period divides 50 ms).
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
