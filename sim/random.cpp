#include "random.h"

float RandomSequence::range(float a, float b)
{
    const int r = next();
    const float d = b - a;
    const float p = static_cast<float>(r / 32768.0 * d);
    return a + p;
}

namespace
{
RandomSequence shared;
}

RandomSequence &sharedRandom()
{
    return shared;
}

float randomRange(float a, float b)
{
    return sharedRandom().range(a, b);
}

void restartRandomSequence(std::uint32_t start)
{
    sharedRandom().restart(start);
}
