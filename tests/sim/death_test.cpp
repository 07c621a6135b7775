#include "patient_state.h"
#include "random.h"
#include "readings.h"

#include <gtest/gtest.h>

TEST(Death, ComesOnTheTickThatFindsAReserveAtOrBelowZero)
{
    const struct {
        float circulation;
        float respiration;
        bool dies;
    } table[] = {{0, 50, true},   {50, 0, true},         {0, 0, true},      {-0.1f, 50, true},
                 {50, -12, true}, {1e-6f, 1e-6f, false}, {0.3f, 100, false}};
    for (const auto &row : table) {
        Game game;
        game.patient.circulation = row.circulation;
        game.patient.respiration = row.respiration;
        game.patient.tick();
        EXPECT_EQ(game.patient.alive, !row.dies)
            << "reserves " << row.circulation << "/" << row.respiration;
    }
}

TEST(Death, ClearsTheStateOnceAndLeavesTheRestAsItWas)
{
    Game game;
    arrangeNextRandom(0);
    game.patient.tick(); // the shock, so that complicationActive is set
    game.patient.circulation = 0;
    PatientState expected = PatientState::of(game.patient);
    expected.health = 0;
    expected.alive = false;
    expected.ekgMode = -1;
    expected.bleedingStage = 0;
    expected.inPain = false;
    expected.shock = false;

    restartRandomSequence();
    for (int second = 0; second < 3; ++second) {
        EXPECT_FALSE(game.patient.tick());
        EXPECT_EQ(PatientState::of(game.patient), expected) << "second " << second;
    }
    EXPECT_EQ(nextRandom(), 41) << "the dead roll no complications";
}

TEST(Death, AnUntreatedGameDiesOneTickAfterAReserveRunsOut)
{
    Game game;
    restartRandomSequence();
    int ticks = 0;
    while (game.patient.circulation > 0 && game.patient.respiration > 0) {
        ASSERT_TRUE(game.patient.alive);
        game.patient.tick();
        takeReadings(game.patient);
        ASSERT_LT(++ticks, 1000);
    }
    EXPECT_TRUE(game.patient.alive) << "the drain alone does not kill";
    EXPECT_GT(game.patient.health, 0.0f);
    const float lastTemperature = game.patient.temperature;
    game.patient.tick();
    EXPECT_FALSE(game.patient.alive);
    const Readings r = takeReadings(game.patient);
    EXPECT_EQ(r.heartRate, 0);
    EXPECT_EQ(r.temperature, lastTemperature);
    EXPECT_EQ(r.ekgMode, -1);
}

TEST(Death, TreatmentsStillScoreAndResetBringsThePatientBack)
{
    Game game;
    game.patient.treat(1);
    game.patient.respiration = -3;
    game.patient.tick();
    game.patient.treat(3);
    game.patient.treat(6);
    EXPECT_EQ(game.patient.score, -20 - 20 + 150);
    EXPECT_EQ(game.patient.bleedingStage, 0);

    game.patient.complicationDivisor = 7;
    game.patient.reset();
    PatientState expected = PatientState::of(Fraktur(30));
    expected.circulationLoss = 1;
    expected.respirationLoss = 1;
    expected.shock = game.patient.shock;
    expected.complicationDivisor = 7;
    expected.infusionGiven = true;
    EXPECT_EQ(PatientState::of(game.patient), expected);
}

TEST(Construction, StartsWithDrainRatesTwoAndTheTitle)
{
    const Fraktur patient(30);
    EXPECT_STREQ(patient.title, "Curavant Beta       Diagnose: Unterschenkelfraktur");
    EXPECT_EQ(patient.complicationDivisor, 30.0f);
    EXPECT_EQ(patient.circulationLoss, 2);
    EXPECT_EQ(patient.respirationLoss, 2);
    EXPECT_EQ(patient.bleedingStage, 1);
    EXPECT_TRUE(patient.alive);
    EXPECT_TRUE(patient.inPain);
    EXPECT_FALSE(patient.shock);
    EXPECT_EQ(patient.health, 100.0f);
    EXPECT_EQ(patient.heartRate, 90);
    EXPECT_EQ(patient.systolic, 120);
    EXPECT_EQ(patient.respiratoryRate, 15);
    EXPECT_EQ(patient.temperature, 36.5f);
    EXPECT_EQ(patient.circulation, 100.0f);
    EXPECT_EQ(patient.respiration, 100.0f);
}
