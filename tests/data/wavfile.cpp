#include "wavfile.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

namespace
{

std::uint32_t read32(const std::vector<unsigned char> &bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

int read16(const std::vector<unsigned char> &bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8;
}

bool tagAt(const std::vector<unsigned char> &bytes, std::size_t at, const char *tag)
{
    return at + 4 <= bytes.size() && std::memcmp(bytes.data() + at, tag, 4) == 0;
}

} // namespace

WavFile::WavFile(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)),
                                           std::istreambuf_iterator<char>());
    fileSize = bytes.size();
    if (!tagAt(bytes, 0, "RIFF") || !tagAt(bytes, 8, "WAVE"))
        return;
    riffSize = read32(bytes, 4);
    bool haveFormat = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::uint32_t size = read32(bytes, at + 4);
        const std::size_t body = at + 8;
        if (body + size > bytes.size())
            return;
        if (tagAt(bytes, at, "fmt ") && size >= 16) {
            formatChunkSize = size;
            audioFormat = read16(bytes, body);
            channels = read16(bytes, body + 2);
            sampleRate = static_cast<int>(read32(bytes, body + 4));
            byteRate = static_cast<int>(read32(bytes, body + 8));
            blockAlign = read16(bytes, body + 12);
            bitsPerSample = read16(bytes, body + 14);
            haveFormat = true;
        } else if (tagAt(bytes, at, "data") && haveFormat && bitsPerSample == 16) {
            for (std::size_t i = body; i + 1 < body + size; i += 2)
                samples.push_back(static_cast<std::int16_t>(read16(bytes, i)));
            valid = true;
        }
        at = body + size + (size & 1);
    }
}

double WavFile::peak() const
{
    int highest = 0;
    for (std::int16_t s : samples)
        highest = std::max(highest, std::abs(static_cast<int>(s)));
    return highest / 32768.0;
}

double WavFile::mean() const
{
    double sum = 0;
    for (std::int16_t s : samples)
        sum += s;
    return sum / static_cast<double>(samples.size()) / 32768.0;
}

double WavFile::rms(std::size_t first, std::size_t count) const
{
    double sum = 0;
    for (std::size_t i = first; i < first + count; ++i)
        sum += static_cast<double>(samples[i]) * samples[i];
    return std::sqrt(sum / static_cast<double>(count)) / 32768.0;
}
