#include "random.h"

#include <cstdint>

namespace
{
std::uint32_t state = 1;
}

int nextRandom()
{
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 32767u);
}

float randomRange(float a, float b)
{
    const int r = nextRandom();
    const float d = b - a;
    const float p = static_cast<float>(r / 32768.0 * d);
    return a + p;
}

void restartRandomSequence()
{
    state = 1;
}
