#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes mono 16-bit PCM sound as a WAV file through libsndfile.
class WavWriter
{
  public:
    explicit WavWriter(int sampleRate) : rate(sampleRate) {}

    // Samples are in [-1, 1]; anything beyond is clamped to full scale.
    bool write(const std::string &path, const std::vector<double> &samples) const;

    static std::int16_t toPcm(double sample);

  private:
    int rate;
};
