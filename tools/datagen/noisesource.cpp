#include "noisesource.h"

NoiseSource::NoiseSource(std::uint64_t seed) : state(seed ? seed : 0x9e3779b97f4a7c15ULL) {}

double NoiseSource::next()
{
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    const std::uint64_t mixed = state * 0x2545f4914f6cdd1dULL;
    // The top 53 bits make an exact double in [0, 1).
    const double unit = static_cast<double>(mixed >> 11) / 9007199254740992.0;
    return 2.0 * unit - 1.0;
}
