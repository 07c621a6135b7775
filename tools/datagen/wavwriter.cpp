#include "wavwriter.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace
{

// RIFF is little-endian whatever the host is.
void put16(std::vector<std::uint8_t> &out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xff));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xff));
}

void put32(std::vector<std::uint8_t> &out, std::uint32_t value)
{
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

void putTag(std::vector<std::uint8_t> &out, const char *tag)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(tag[i]));
}

} // namespace

std::int16_t WavWriter::toPcm(double sample)
{
    const double clamped = std::clamp(sample, -1.0, 1.0);
    return static_cast<std::int16_t>(std::lround(clamped * 32767.0));
}

std::vector<std::uint8_t> WavWriter::encode(const std::vector<double> &samples) const
{
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, static_cast<std::uint32_t>(rate));
    put32(out, static_cast<std::uint32_t>(rate) * 2); // bytes per second
    put16(out, 2);                                    // bytes per frame
    put16(out, 16);                                   // bits per sample
    putTag(out, "data");
    put32(out, dataBytes);
    for (double sample : samples)
        put16(out, static_cast<std::uint16_t>(toPcm(sample)));
    return out;
}

bool WavWriter::write(const std::string &path, const std::vector<double> &samples) const
{
    const std::vector<std::uint8_t> bytes = encode(samples);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char *>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}
