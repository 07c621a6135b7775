#include "patient_state.h"
#include "random.h"

#include <gtest/gtest.h>

namespace
{
// Rolls once with the generator arranged to yield `draw`.
void rollWith(Fraktur &patient, int draw)
{
    arrangeNextRandom(draw);
    patient.rollComplication();
}
constexpr int hit = 0;
constexpr int miss = 20000;
} // namespace

TEST(Rolls, AnEventHappensForDrawsUpTo9830)
{
    const struct {
        int draw;
        bool event;
    } table[] = {{0, true},     {41, true},     {9830, true},
                 {9831, false}, {20000, false}, {32767, false}};
    for (const auto &row : table) {
        Game game;
        rollWith(game.patient, row.draw);
        EXPECT_EQ(game.patient.complicationActive, row.event ? 1 : 0) << "draw " << row.draw;
    }
}

TEST(Rolls, TheFirstEventIsAlwaysTheShock)
{
    for (int stage : {0, 1, 2, 3}) {
        Game game;
        game.patient.bleedingStage = stage;
        game.patient.infusionGiven = true;
        game.patient.transfusionGiven = true;
        PatientState expected = PatientState::of(game.patient);
        expected.circulationLoss += 2;
        expected.respirationLoss += 2;
        expected.score -= 60;
        expected.complicationActive = 1;
        expected.infusionGiven = false;
        expected.transfusionGiven = false;
        rollWith(game.patient, hit);
        EXPECT_EQ(PatientState::of(game.patient), expected) << "bleeding stage " << stage;
    }
}

TEST(Rolls, LaterEventsDuringTheShockRaiseTheBleedingToThree)
{
    Game game;
    game.patient.bleedingStage = 0;
    rollWith(game.patient, hit);
    for (int stage = 1; stage <= 3; ++stage) {
        PatientState expected = PatientState::of(game.patient);
        expected.circulationLoss += 1;
        expected.score -= 40;
        expected.bleedingStage = stage;
        rollWith(game.patient, 9830);
        EXPECT_EQ(PatientState::of(game.patient), expected) << "to stage " << stage;
    }
    const PatientState atThree = PatientState::of(game.patient);
    rollWith(game.patient, hit);
    EXPECT_EQ(PatientState::of(game.patient), atThree) << "stage 3 during a shock";
}

TEST(Rolls, AMissChangesNothing)
{
    Game game;
    const PatientState before = PatientState::of(game.patient);
    rollWith(game.patient, miss);
    EXPECT_EQ(PatientState::of(game.patient), before);
}

TEST(Rolls, TheEventAfterAnEndedShockStartsANewOne)
{
    Game game;
    rollWith(game.patient, hit);
    game.patient.treat(1);
    game.patient.treat(2);
    ASSERT_EQ(game.patient.complicationActive, 0);
    const int score = game.patient.score;
    rollWith(game.patient, hit);
    EXPECT_EQ(game.patient.complicationActive, 1);
    EXPECT_FALSE(game.patient.infusionGiven);
    EXPECT_FALSE(game.patient.transfusionGiven);
    EXPECT_EQ(game.patient.bleedingStage, 1);
    EXPECT_EQ(game.patient.score, score - 60);
}

TEST(Tick, FirstSecondWithoutAnEventKeepsTheStartValuesAndDrains)
{
    Game game;
    game.patient.heartRate = 0;
    game.patient.respiratoryRate = 0;
    game.patient.systolic = 0;
    game.patient.temperature = 0;
    game.patient.health = 0;
    arrangeNextRandom(miss);
    EXPECT_FALSE(game.patient.tick());
    EXPECT_EQ(game.patient.heartRate, 90);
    EXPECT_EQ(game.patient.respiratoryRate, 15);
    EXPECT_EQ(game.patient.systolic, 120);
    EXPECT_EQ(game.patient.temperature, 36.5f);
    EXPECT_EQ(game.patient.health, 100.0f);
    EXPECT_FALSE(game.patient.shock);
    EXPECT_EQ(game.patient.circulation, 99.7f);
    EXPECT_EQ(game.patient.respiration, 99.7f);
}

TEST(Tick, FirstEventStartsTheShockAndTheDrainUsesTheNewRates)
{
    Game game;
    arrangeNextRandom(hit);
    EXPECT_TRUE(game.patient.tick());
    EXPECT_TRUE(game.patient.shock);
    EXPECT_EQ(game.patient.score, -60);
    EXPECT_EQ(game.patient.circulationLoss, 3);
    EXPECT_EQ(game.patient.respirationLoss, 3);
    EXPECT_EQ(game.patient.circulation, 99.1f);
    EXPECT_EQ(game.patient.respiration, 99.1f);
}

TEST(Tick, ALivingSecondDrawsOnceAndPainFollowsTheUntreatedFlag)
{
    Game game;
    game.patient.inPain = false;
    restartRandomSequence();
    game.patient.tick();
    EXPECT_EQ(nextRandom(), 18467);
    EXPECT_TRUE(game.patient.inPain);

    game.patient.painUntreated = 0;
    game.patient.inPain = false;
    game.patient.tick();
    EXPECT_FALSE(game.patient.inPain);
}

TEST(Tick, NegativeDrainRatesLetTheReservesGrow)
{
    Game game;
    for (int i = 0; i < 10; ++i)
        game.patient.treat(7); // rates -9; the shock and the bleeding add at most 4
    restartRandomSequence();
    for (int i = 0; i < 100; ++i)
        game.patient.tick();
    EXPECT_TRUE(game.patient.alive);
    EXPECT_GT(game.patient.circulation, 130.0f);
    EXPECT_GT(game.patient.respiration, 130.0f);
    EXPECT_LT(game.patient.heartRate, 75);
    EXPECT_GT(game.patient.systolic, 150);
}
