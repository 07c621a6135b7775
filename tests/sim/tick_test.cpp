// One second of the patient. While the patient lives, the vital signs and
// health follow the reserves as they stood before the second, the
// complication roll strikes, and the reserves drain. A reserve at or below
// zero kills; then only reset brings the patient back.

#include "game.h"
#include "readings.h"

// Heart rate and pressure follow circulation, respiratory rate and temperature
// follow respiration. The first rows hold both reserves alike; the others sit
// on either side of a truncation step, or where the float product matters.
TEST(VitalSigns, FollowTheReservesOnTheNextTick)
{
    const struct {
        float circulation, respiration;
        // heart rate, systolic, respiratory rate, temperature, health
        std::tuple<int, int, int, float, float> vitals;
    } table[] = {
        // clang-format off
        {130, 130, {75, 150, 19, 37.5f, 130}},   {110, 110, {85, 130, 16, 36.5f, 110}},
        {100, 100, {90, 120, 15, 36.5f, 100}},   {90, 90, {95, 116, 14, 36.5f, 90}},
        {80, 80, {100, 112, 13, 36.5f, 80}},     {60, 60, {110, 104, 11, 35.5f, 60}},
        {40, 40, {120, 96, 9, 35.5f, 40}},       {20, 20, {130, 88, 7, 34.5f, 20}},
        {1, 1, {139, 81, 6, 34.5f, 1}},          {60, 130, {110, 104, 19, 37.5f, 88.3176117f}},
        {101, 100.5f, {90, 121, 15, 36.5f, 100.749687f}},
        {97.5f, 129, {91, 119, 19, 37.5f, 112.149452f}},
        {98.5f, 97.9f, {90, 120, 15, 36.5f, 98.1995468f}},
        // clang-format on
    };
    for (const auto &row : table) {
        Game game;
        Fraktur &p = game.patient;
        p.circulation = row.circulation, p.respiration = row.respiration;
        p.tick();
        const auto vitals =
            std::make_tuple(p.heartRate, p.systolic, p.respiratoryRate, p.temperature, p.health);
        EXPECT_EQ(vitals, row.vitals) << "reserves " << row.circulation << "/" << row.respiration;
    }
}

// Without an event both reserves lose 0.3 per point of drain rate, and grow
// when the rate is negative.
TEST(Tick, DrainsThreeTenthsPerPointOfRate)
{
    for (const auto &[loss, reserves] : {std::pair{1, 99.7f}, {-2, 100.6f}}) {
        Game game;
        game.patient.circulationLoss = game.patient.respirationLoss = loss;
        arrangeNextRandom(20000);
        EXPECT_FALSE(game.patient.tick());
        EXPECT_EQ(game.patient.circulation, reserves);
        EXPECT_EQ(game.patient.respiration, reserves);
    }
}

// With the divisor 30 the draws 0..9830 make an event. The first is always the
// shock, even while the patient bleeds, and it forgets the fluids given before;
// later ones raise the bleeding stage up to 3, then change nothing.
TEST(Rolls, FirstTheShockThenTheBleedingUpToStageThreeThenNothing)
{
    Game game;
    Fraktur &p = game.patient;
    const auto rollWith = [&p](int draw) { arrangeNextRandom(draw), p.rollComplication(); };
    p.infusionGiven = p.transfusionGiven = true;
    Fraktur expected = p;
    rollWith(9831);
    EXPECT_EQ(fields(p), fields(expected)) << "a miss";
    expected.circulationLoss += 2, expected.respirationLoss += 2, expected.score -= 60;
    expected.complicationActive = 1, expected.infusionGiven = expected.transfusionGiven = false;
    rollWith(9830);
    EXPECT_EQ(fields(p), fields(expected)) << "the shock";
    for (int stage = 2; stage <= 3; ++stage) {
        expected.circulationLoss += 1, expected.score -= 40, expected.bleedingStage = stage;
        rollWith(0);
        EXPECT_EQ(fields(p), fields(expected)) << "to stage " << stage;
    }
    rollWith(0);
    EXPECT_EQ(fields(p), fields(expected)) << "stage 3 during a shock";
}

// A reserve at exactly 0 kills; the dead read 0 and the last temperature
// without jitter, and neither their tick nor their readings draw.
TEST(Death, ClearsTheStateOnEveryTickAndDrawsNothing)
{
    Game game;
    arrangeNextRandom(0);
    game.patient.tick(); // the shock, so that complicationActive is set
    game.patient.respiration = 0;
    Fraktur expected = game.patient;
    expected.health = 0, expected.alive = false, expected.ekgMode = -1;
    expected.bleedingStage = 0, expected.inPain = false, expected.shock = false;
    restartRandomSequence();
    for (int second = 0; second < 3; ++second) {
        EXPECT_FALSE(game.patient.tick());
        EXPECT_EQ(fields(game.patient), fields(expected)) << "second " << second;
        const Readings r = takeReadings(game.patient);
        EXPECT_EQ(
            std::make_tuple(r.heartRate, r.systolic, r.respiratoryRate, r.temperature, r.ekgMode),
            std::make_tuple(0, 0, 0, 36.5f, -1));
    }
    EXPECT_EQ(nextRandom(), 41);
}

// The constructor starts with drain rates 2; reset with 1, and it leaves the
// roll's divisor and the two fluid flags as they were.
TEST(Death, TreatmentsStillScoreAndResetBringsThePatientBack)
{
    Game game;
    game.patient.treat(1);
    game.patient.circulation = -3;
    game.patient.tick();
    game.patient.treat(3);
    EXPECT_EQ(game.patient.score, -20 - 20) << "bleeding stage 0 after death";

    game.patient.complicationDivisor = 7;
    game.patient.reset();
    Fraktur expected(30);
    EXPECT_STREQ(expected.title, "Curavant Beta       Diagnose: Unterschenkelfraktur");
    EXPECT_EQ(std::make_tuple(expected.circulationLoss, expected.respirationLoss),
              std::make_tuple(2, 2));
    expected.circulationLoss = expected.respirationLoss = 1;
    expected.shock = game.patient.shock, expected.complicationDivisor = 7;
    expected.infusionGiven = true;
    EXPECT_EQ(fields(game.patient), fields(expected));
}
