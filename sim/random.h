#pragma once

#include <cstdint>

// The random generator of the game: a 15-bit linear congruential sequence.
// The readings, the complication roll and the bleeding spray all draw from one
// shared sequence, so the order of their calls decides which value each gets.
// The game never seeds it: every run of the program sees the same sequence,
// unless a scenario sets where it restarts at "Start!". A scenario may also
// give the spray a sequence of its own.
class RandomSequence
{
  public:
    static constexpr std::uint32_t programStart = 1;

    constexpr explicit RandomSequence(std::uint32_t state = programStart) : state(state) {}

    // Next value of the sequence, 0..32767.
    int next()
    {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 32767u);
    }
    // A float in [a, b) for a < b, built on one next() draw.
    float range(float a, float b);
    // Called at "Start!" when the scenario sets a start, and by the headless
    // runner before every game it plays.
    void restart(std::uint32_t start = programStart) { state = start; }

  private:
    std::uint32_t state;
};

// The one shared sequence.
RandomSequence &sharedRandom();

// nextRandom() and randomRange() draw from the shared sequence.
inline int nextRandom()
{
    return sharedRandom().next();
}
float randomRange(float a, float b);

// Puts the shared sequence back to `start`. Tests, the headless runner and
// "Start!" with a scenario that sets a start call this.
void restartRandomSequence(std::uint32_t start = RandomSequence::programStart);
