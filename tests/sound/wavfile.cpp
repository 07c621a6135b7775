#include "wavfile.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <stdexcept>

Sound makeTone(double hz, double seconds, double amplitude, double fadeSeconds, int rate)
{
    const double pi = std::acos(-1.0);
    Sound sound{rate, {}};
    const auto count = std::size_t(std::lround(seconds * rate));
    for (std::size_t i = 0; i < count; ++i) {
        const double fromEdge = double(std::min(i, count - 1 - i)) / rate;
        const double fade =
            fromEdge < fadeSeconds ? 0.5 - 0.5 * std::cos(pi * fromEdge / fadeSeconds) : 1.0;
        sound.samples.push_back(float(amplitude * fade * std::sin(2 * pi * hz * double(i) / rate)));
    }
    return sound;
}

void writeWav(const std::string &path, const Sound &sound)
{
    SF_INFO info{};
    info.samplerate = sound.rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        throw std::runtime_error("cannot write " + path + ": " + sf_strerror(nullptr));
    sf_writef_float(file, sound.samples.data(), sf_count_t(sound.samples.size()));
    sf_close(file);
}

WavReadResult readWav(const std::string &path)
{
    WavReadResult result;
    SF_INFO info{};
    SNDFILE *file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return result;
    std::vector<float> frames(std::size_t(info.frames) * std::size_t(info.channels));
    sf_readf_float(file, frames.data(), info.frames);
    sf_close(file);
    result.ok = true;
    result.channels = info.channels;
    result.sound.rate = info.samplerate;
    for (std::size_t f = 0; f < frames.size(); f += std::size_t(info.channels))
        result.sound.samples.push_back(
            float(std::accumulate(&frames[f], &frames[f] + info.channels, 0.0) / info.channels));
    // The writer settles the RIFF size on closing.
    std::uint8_t riff[8] = {};
    std::ifstream(path, std::ios::binary).read(reinterpret_cast<char *>(riff), 8);
    const std::uint32_t size =
        riff[4] | riff[5] << 8 | riff[6] << 16 | std::uint32_t(riff[7]) << 24;
    result.complete = size + 8 == std::filesystem::file_size(path);
    return result;
}
