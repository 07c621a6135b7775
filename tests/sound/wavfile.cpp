#include "wavfile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace
{
// WAV numbers are little-endian, `bytes` long.
std::string le(std::uint32_t value, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out.push_back(char(value >> (8 * i)));
    return out;
}

std::uint32_t get(const std::string &in, std::size_t at, int bytes)
{
    std::uint32_t value = 0;
    while (bytes-- > 0)
        value = value << 8 | std::uint8_t(in[at + std::size_t(bytes)]);
    return value;
}
} // namespace

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
    const auto rate = std::uint32_t(sound.rate), bytes = std::uint32_t(2 * sound.samples.size());
    std::string out = "RIFF" + le(36 + bytes, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) +
                      le(rate, 4) + le(2 * rate, 4) + le(2, 2) + le(16, 2) + "data" + le(bytes, 4);
    for (float s : sound.samples)
        out += le(std::uint16_t(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767)), 2);
    std::ofstream(path, std::ios::binary) << out;
}

WavReadResult readWav(const std::string &path)
{
    WavReadResult result;
    std::ifstream file(path, std::ios::binary);
    const std::string in{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (in.size() < 12 || in.compare(0, 4, "RIFF") != 0 || in.compare(8, 4, "WAVE") != 0)
        return result;
    // Plain or extensible, a 16-bit format can only be integer PCM.
    std::size_t bits = 0;
    for (std::size_t at = 12, size = 0; at + 8 <= in.size(); at += 8 + size + (size & 1)) {
        size = get(in, at + 4, 4);
        if (in.compare(at, 4, "fmt ") == 0 && at + 24 <= in.size()) {
            result.channels = int(get(in, at + 10, 2));
            result.sound.rate = int(get(in, at + 12, 4));
            bits = get(in, at + 22, 2);
        } else if (in.compare(at, 4, "data") == 0 && result.channels > 0 && bits == 16) {
            // While the writer is open its sizes are not yet true: take what there is.
            const std::size_t end = std::min(at + 8 + size, in.size());
            const std::size_t frame = 2 * std::size_t(result.channels);
            for (std::size_t f = at + 8; f + frame <= end; f += frame) {
                float sum = 0;
                for (std::size_t c = 0; c < frame; c += 2)
                    sum += float(std::int16_t(get(in, f + c, 2))) / 32768.0f;
                result.sound.samples.push_back(sum / float(result.channels));
            }
            result.ok = true;
            result.complete = get(in, 4, 4) + 8 == in.size() && at + 8 + size == in.size();
            return result;
        }
    }
    return result;
}
