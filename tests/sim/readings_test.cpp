#include "patient_state.h"
#include "random.h"
#include "readings.h"

#include <algorithm>
#include <gtest/gtest.h>

TEST(Readings, AtTheStartOfAGameStayWithinTheirJitter)
{
    Game game;
    restartRandomSequence();
    int lowHeart = 1000, highHeart = 0, lowSystolic = 1000, highSystolic = 0;
    float highTemperature = 0;
    for (int i = 0; i < 20000; ++i) {
        const Readings r = takeReadings(game.patient);
        ASSERT_EQ(r.respiratoryRate, 15); // 15 x 1.05 stays below 16
        ASSERT_GE(r.temperature, 36.5f);
        ASSERT_LT(r.temperature, 36.87f);
        lowHeart = std::min(lowHeart, r.heartRate);
        highHeart = std::max(highHeart, r.heartRate);
        lowSystolic = std::min(lowSystolic, r.systolic);
        highSystolic = std::max(highSystolic, r.systolic);
        highTemperature = std::max(highTemperature, r.temperature);
        ASSERT_EQ(r.ekgMode, 0);
    }
    EXPECT_EQ(lowHeart, 90);
    EXPECT_EQ(highHeart, 94);
    EXPECT_EQ(lowSystolic, 120);
    EXPECT_EQ(highSystolic, 125);
    EXPECT_GT(highTemperature, 36.86f);
}

// Distinct field sizes make any change in the order of the four draws show.
TEST(Readings, DrawRespirationTemperatureSystolicHeartRateInThatOrder)
{
    Game game;
    game.patient.respiratoryRate = 2000;
    game.patient.temperature = 40;
    game.patient.systolic = 3000;
    game.patient.heartRate = 4000;

    restartRandomSequence();
    const double j1 = randomRange(0, 0.05f);
    const double j2 = randomRange(0, 0.01f);
    const double j3 = randomRange(0, 0.05f);
    const double j4 = randomRange(0, 0.05f);
    const int fifth = nextRandom();

    restartRandomSequence();
    const Readings r = takeReadings(game.patient);
    EXPECT_EQ(r.respiratoryRate, static_cast<int>(2000 * (1 + j1)));
    EXPECT_EQ(r.temperature, static_cast<float>(40 * (1 + j2)));
    EXPECT_EQ(r.systolic, static_cast<int>(3000 * (1 + j3)));
    EXPECT_EQ(r.heartRate, static_cast<int>(4000 * (1 + j4)));
    EXPECT_EQ(nextRandom(), fifth) << "each living reading draws exactly once";
}

TEST(Readings, OfTheDeadAreZeroAndTheBareTemperatureWithoutADraw)
{
    Game game;
    game.patient.circulation = 0;
    game.patient.tick();
    game.patient.temperature = 35.5f;

    restartRandomSequence();
    const Readings r = takeReadings(game.patient);
    EXPECT_EQ(r.heartRate, 0);
    EXPECT_EQ(r.systolic, 0);
    EXPECT_EQ(r.respiratoryRate, 0);
    EXPECT_EQ(r.temperature, 35.5f);
    EXPECT_EQ(r.ekgMode, -1);
    EXPECT_EQ(nextRandom(), 41) << "a dead patient's readings draw nothing";
}

TEST(Readings, NeverFallBelowTheFieldEvenAtTheLargestDraw)
{
    Game game;
    game.patient.heartRate = 139;
    arrangeNextRandom(0);
    EXPECT_EQ(game.patient.readHeartRate(), 139);
    arrangeNextRandom(32767);
    EXPECT_EQ(game.patient.readHeartRate(), 145); // 139 x 1.049998
}

TEST(Readings, DiastolicIsTwoThirdsOfSystolicTruncatedTowardZero)
{
    const struct {
        int systolic;
        int diastolic;
    } table[] = {{120, 80}, {121, 80}, {119, 79}, {100, 66}, {1, 0}, {0, 0}, {-1, 0}, {-3, -2}};
    for (const auto &row : table)
        EXPECT_EQ(diastolicFor(row.systolic), row.diastolic) << "systolic " << row.systolic;
}
