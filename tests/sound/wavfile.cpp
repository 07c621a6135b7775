#include "wavfile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace
{
constexpr double pi = 3.14159265358979323846;

void putU32(std::string &out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(char((v >> (8 * i)) & 0xff));
}

void putU16(std::string &out, std::uint16_t v)
{
    out.push_back(char(v & 0xff));
    out.push_back(char(v >> 8));
}

std::uint32_t getU32(const std::string &in, std::size_t at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | std::uint8_t(in[at + i]);
    return v;
}

std::uint16_t getU16(const std::string &in, std::size_t at)
{
    return std::uint16_t(std::uint8_t(in[at]) | (std::uint8_t(in[at + 1]) << 8));
}

float sampleAt(const std::string &data, std::size_t at, bool isFloat)
{
    if (isFloat) {
        const std::uint32_t bits = getU32(data, at);
        float v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    return std::int16_t(getU16(data, at)) / 32768.0f;
}
} // namespace

Sound makeTone(double hz, double seconds, double amplitude, double fadeSeconds, int rate)
{
    Sound sound;
    sound.rate = rate;
    const auto count = std::size_t(std::lround(seconds * rate));
    const double fadeSamples = fadeSeconds * rate;
    sound.samples.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        double gain = amplitude;
        const double fromEdge = double(std::min(i, count - 1 - i));
        if (fromEdge < fadeSamples)
            gain *= 0.5 - 0.5 * std::cos(pi * fromEdge / fadeSamples);
        sound.samples[i] = float(gain * std::sin(2 * pi * hz * double(i) / rate));
    }
    return sound;
}

void writeWav(const std::string &path, const Sound &sound)
{
    const auto dataBytes = std::uint32_t(sound.samples.size() * 2);
    std::string out = "RIFF";
    putU32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    putU32(out, 16);
    putU16(out, 1); // PCM
    putU16(out, 1); // mono
    putU32(out, std::uint32_t(sound.rate));
    putU32(out, std::uint32_t(sound.rate * 2));
    putU16(out, 2);
    putU16(out, 16);
    out += "data";
    putU32(out, dataBytes);
    for (float s : sound.samples)
        putU16(out, std::uint16_t(std::int16_t(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767))));
    std::ofstream(path, std::ios::binary) << out;
}

WavReadResult readWav(const std::string &path)
{
    WavReadResult result;
    std::ifstream file(path, std::ios::binary);
    const std::string in{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (in.size() < 12 || in.compare(0, 4, "RIFF") != 0 || in.compare(8, 4, "WAVE") != 0)
        return result;

    int format = 0, bits = 0;
    std::size_t at = 12;
    while (at + 8 <= in.size()) {
        const std::string id = in.substr(at, 4);
        const std::size_t size = getU32(in, at + 4);
        const std::size_t body = at + 8;
        if (id == "fmt " && body + 16 <= in.size()) {
            format = getU16(in, body);
            result.channels = getU16(in, body + 2);
            result.sound.rate = int(getU32(in, body + 4));
            bits = getU16(in, body + 14);
            if (format == 0xfffe && size >= 26) // extensible: the sub-format decides
                format = getU16(in, body + 24);
        } else if (id == "data") {
            const bool isFloat = format == 3 && bits == 32;
            if (result.channels <= 0 || !(isFloat || (format == 1 && bits == 16)))
                return result;
            const std::size_t frameBytes = std::size_t(result.channels) * bits / 8;
            const std::size_t available = std::min(size, in.size() - body);
            for (std::size_t f = 0; f + frameBytes <= available; f += frameBytes) {
                float sum = 0;
                for (int c = 0; c < result.channels; ++c)
                    sum += sampleAt(in, body + f + std::size_t(c) * bits / 8, isFloat);
                result.sound.samples.push_back(sum / float(result.channels));
            }
            result.ok = true;
            result.complete = getU32(in, 4) + 8 == in.size() && body + size == in.size();
            return result;
        }
        at = body + size + (size & 1);
    }
    return result;
}
