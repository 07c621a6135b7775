#include "wavwriter.h"

#include <algorithm>
#include <cmath>
#include <sndfile.h>

std::int16_t WavWriter::toPcm(double sample)
{
    const double clamped = std::clamp(sample, -1.0, 1.0);
    return static_cast<std::int16_t>(std::lround(clamped * 32767.0));
}

bool WavWriter::write(const std::string &path, const std::vector<double> &samples) const
{
    // The samples are rounded here rather than by libsndfile, which rounds
    // halves to even: the sounds stay what they have always been.
    std::vector<short> pcm(samples.size());
    std::transform(samples.begin(), samples.end(), pcm.begin(), toPcm);
    SF_INFO format{};
    format.samplerate = rate;
    format.channels = 1;
    format.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *file = sf_open(path.c_str(), SFM_WRITE, &format);
    if (!file)
        return false;
    const auto count = static_cast<sf_count_t>(pcm.size());
    const bool written = sf_write_short(file, pcm.data(), count) == count;
    return sf_close(file) == 0 && written;
}
