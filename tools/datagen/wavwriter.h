#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes mono 16-bit PCM sound as a plain RIFF/WAVE file: one 16-byte "fmt "
// chunk and one "data" chunk, the simplest layout every loader understands.
class WavWriter
{
  public:
    explicit WavWriter(int sampleRate) : rate(sampleRate) {}

    // Samples are in [-1, 1]; anything beyond is clamped to full scale.
    std::vector<std::uint8_t> encode(const std::vector<double> &samples) const;
    bool write(const std::string &path, const std::vector<double> &samples) const;

    static std::int16_t toPcm(double sample);

  private:
    int rate;
};
