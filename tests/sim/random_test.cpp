#include "patient_state.h"
#include "random.h"

#include <algorithm>
#include <gtest/gtest.h>

TEST(Generator, StartsWith41_18467_6334AndRestartsTheSameWay)
{
    for (int run = 0; run < 2; ++run) {
        restartRandomSequence();
        EXPECT_EQ(nextRandom(), 41);
        EXPECT_EQ(nextRandom(), 18467);
        EXPECT_EQ(nextRandom(), 6334);
    }
}

TEST(Generator, CoversAllFifteenBitsAndNoMore)
{
    restartRandomSequence();
    int lowest = 32767;
    int highest = 0;
    for (int i = 0; i < (1 << 20); ++i) {
        const int r = nextRandom();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, 32767);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, 32767);
}

struct Range {
    float a;
    float b;
};

class RandomRange : public testing::TestWithParam<Range>
{
};

// The ranges the game draws from: the particle age, the two jitters, the
// complication roll, and a range that does not start at zero.
INSTANTIATE_TEST_SUITE_P(GameRanges, RandomRange,
                         testing::Values(Range{0, 0.5f}, Range{0, 0.05f}, Range{0, 0.01f},
                                         Range{0, static_cast<float>(100.0 / 30.0f)}, Range{-1, 1},
                                         Range{2, 2.5f}));

TEST_P(RandomRange, ZeroGivesExactlyTheLowerBound)
{
    arrangeNextRandom(0);
    EXPECT_EQ(randomRange(GetParam().a, GetParam().b), GetParam().a);
}

TEST_P(RandomRange, TheLargestValueStaysBelowTheUpperBound)
{
    arrangeNextRandom(32767);
    const float v = randomRange(GetParam().a, GetParam().b);
    EXPECT_LT(v, GetParam().b);
    EXPECT_GT(v, GetParam().a);
}

TEST_P(RandomRange, StaysWithinTheBoundsOverManyDraws)
{
    restartRandomSequence();
    for (int i = 0; i < 100000; ++i) {
        const float v = randomRange(GetParam().a, GetParam().b);
        ASSERT_GE(v, GetParam().a);
        ASSERT_LT(v, GetParam().b);
    }
}

TEST(RandomRangeScale, DividesTheDrawBy32768)
{
    restartRandomSequence();
    EXPECT_EQ(randomRange(0, 32768), 41.0f);
    EXPECT_EQ(randomRange(10, 10 + 32768), 10 + 18467.0f);
    arrangeNextRandom(16384);
    EXPECT_EQ(randomRange(0, 0.5f), 0.25f);
}
