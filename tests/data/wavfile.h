#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reads a RIFF/WAVE file as the tests see it: the header fields of its
// "fmt " chunk and the samples of its "data" chunk, for 16-bit PCM only.
class WavFile
{
  public:
    explicit WavFile(const std::string &path);

    bool valid = false;
    std::uint32_t formatChunkSize = 0;
    int audioFormat = 0;
    int channels = 0;
    int sampleRate = 0;
    int byteRate = 0;
    int blockAlign = 0;
    int bitsPerSample = 0;
    std::uint32_t riffSize = 0;
    std::uint64_t fileSize = 0;
    std::vector<std::int16_t> samples;

    double seconds() const { return static_cast<double>(samples.size()) / sampleRate; }
    // Measures in units of full scale.
    double peak() const;
    double mean() const;
    double rms(std::size_t first, std::size_t count) const;
};
