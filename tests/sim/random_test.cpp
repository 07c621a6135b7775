// The shared random sequence, and the first second of a game as the runner
// prints it: the tick and then the readings, drawing from it in a fixed order.

#include "game.h"
#include "readings.h"

TEST(Generator, StartsWith41_18467_6334)
{
    restartRandomSequence();
    EXPECT_EQ(nextRandom(), 41);
    EXPECT_EQ(nextRandom(), 18467);
    EXPECT_EQ(nextRandom(), 6334);
}

TEST(RandomRange, ZeroGivesTheLowerBoundAndTheLargestDrawStaysBelowTheUpper)
{
    for (const auto &r : {std::pair{0.f, 0.5f}, {-1.f, 1.f}}) {
        arrangeNextRandom(0);
        EXPECT_EQ(randomRange(r.first, r.second), r.first);
        arrangeNextRandom(32767);
        const float top = randomRange(r.first, r.second);
        EXPECT_TRUE(top > r.first && top < r.second) << top;
    }
}

// The roll draws 41, an event: the shock. The readings then draw respiratory
// rate, temperature, systolic and heart rate in that order, each once. Pain
// returns while no painkiller has been given.
TEST(FirstSecond, MatchesTheRunnersFirstRowToTheLastBit)
{
    restartRandomSequence();
    Game game;
    Fraktur &p = game.patient;
    p.inPain = false;
    EXPECT_TRUE(p.tick());
    const Readings r = takeReadings(p);
    EXPECT_EQ(std::make_tuple(p.inPain, p.score, p.circulationLoss, p.circulation, p.respiration),
              std::make_tuple(true, -60, 3, 99.0999985f, 99.0999985f));
    EXPECT_EQ(std::make_tuple(r.ekgMode, r.respiratoryRate, r.temperature, r.systolic, r.heartRate),
              std::make_tuple(0, 15, 36.5705528f, 124, 92));
    EXPECT_EQ(diastolicFor(r.systolic), 82);
}
