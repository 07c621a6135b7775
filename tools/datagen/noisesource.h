#pragma once

#include <cstdint>

// A small seeded noise generator (xorshift64*). The generated files must be
// identical on every run and with every standard library, so neither
// std::rand nor the <random> distributions are used.
class NoiseSource
{
  public:
    explicit NoiseSource(std::uint64_t seed);

    // Uniform in [-1, 1).
    double next();

  private:
    std::uint64_t state;
};
