#pragma once

#include <vector>

// Synthesises the game's three sounds as samples in [-1, 1]: the monitor
// beep, the two-tone alarm and the looping hospital-room ambience. Every
// sound starts and ends at silence or, for the loop, ends where it starts.
class SoundSynth
{
  public:
    static constexpr int sampleRate = 22050;

    std::vector<double> beep() const;
    std::vector<double> alarm() const;
    std::vector<double> ambience() const;

  private:
    std::vector<double> airConditioning(int length, int crossfade) const;
    void addHum(std::vector<double> &samples) const;
    void addChime(std::vector<double> &samples, double start) const;
};
