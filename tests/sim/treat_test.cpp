#include "patient_state.h"

#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <string>

namespace
{

using Setup = std::function<void(Fraktur &)>;
using Change = std::function<void(PatientState &)>;

struct TreatCase {
    const char *name;
    Setup setup;
    ActionCode code;
    Change change; // applied to the state before treat gives the state after
};

void none(Fraktur &) {}
void same(PatientState &) {}

template <typename C, typename T> Setup with(T C::*field, T value)
{
    return [=](Fraktur &p) { p.*field = value; };
}
template <typename T> Change set(T PatientState::*field, T value)
{
    return [=](PatientState &s) { s.*field = value; };
}
template <typename F> F both(F first, F second)
{
    return [=](auto &x) { first(x), second(x); };
}
Change points(int delta, int circulationDelta = 0, int respirationDelta = 0)
{
    return [=](PatientState &s) {
        s.score += delta;
        s.circulationLoss += circulationDelta;
        s.respirationLoss += respirationDelta;
    };
}

const Setup inShock = with(&Fraktur::complicationActive, 1);
const Setup infused = with(&Fraktur::infusionGiven, true);
const Setup transfused = with(&Fraktur::transfusionGiven, true);
const Change helps = points(150, -2, -2);
const Change shockEnds = set(&PatientState::complicationActive, 0);
const Change infusion = set(&PatientState::infusionGiven, true);
const Change transfusion = set(&PatientState::transfusionGiven, true);
const Change stanched = set(&PatientState::bleedingStage, 0);
Setup atStage(int stage)
{
    return with(&Fraktur::bleedingStage, stage);
}

// clang-format off
const TreatCase treatCases[] = {
    {"InfusionRepeated", infused, 1, points(-40, 1)},
    {"InfusionInShock", inShock, 1, both(helps, infusion)},
    {"InfusionEndsShockAfterTransfusion", both(inShock, transfused), 1,
     both(both(helps, infusion), shockEnds)},
    {"InfusionWithoutShock", none, 1, both(points(-20), infusion)},
    {"TransfusionRepeated", transfused, 2, points(-40, 1)},
    {"TransfusionInShock", inShock, 2, both(helps, transfusion)},
    {"TransfusionEndsShockAfterInfusion", both(inShock, infused), 2,
     both(both(helps, transfusion), shockEnds)},
    {"TransfusionWithoutShock", none, 2, both(points(-20), transfusion)},
    {"PlasterAtStage1", atStage(1), 3, both(points(100, -1), stanched)},
    {"PlasterAtStage2", atStage(2), 3, points(-20)},
    {"PlasterWithoutBleeding", atStage(0), 3, points(-20)},
    {"BandageAtStage2", atStage(2), 4, both(points(100, -1), stanched)},
    {"BandageAtStage1", atStage(1), 4, points(-20)},
    {"BandageAtStage3", atStage(3), 4, points(-20)},
    {"SutureAtStage3", atStage(3), 5, both(points(200, -3), stanched)},
    {"SutureAtStage2", atStage(2), 5, points(-20)},
    {"CleaningFirst", none, 6, both(points(150, -2), set(&PatientState::woundUncleaned, 0))},
    {"CleaningAgain", with(&Fraktur::woundUncleaned, 0), 6, points(50)},
    {"Painkiller", none, 7, both(points(100, -1, -1), set(&PatientState::painUntreated, 0))},
    {"PainkillerAgain", with(&Fraktur::painUntreated, 0), 7, points(100, -1, -1)},
    {"Antidiarrhoeal", none, 8, points(-40, 1, 1)},
    {"Antiemetic", none, 9, points(-40, 1, 1)},
    {"Paracetamol", none, 10, points(-60, 2, 2)},
    {"Antihypertensive", none, 11, points(-60, 2, 2)},
    {"Code12", none, 12, same},
    {"Oxygen", none, 13, points(-20)},
    {"Defibrillation", none, 14, points(-80, 3, 3)},
    {"Operation", none, 15, same},
    {"Code0", none, 0, same},
    {"Code16", none, 16, same},
    {"Code99", none, 99, same},
    {"CodeMinus1", none, -1, same},
    {"CodeIntMin", none, INT_MIN, same},
    {"CodeIntMax", none, INT_MAX, same},
    {"PlasterWhenDead", [](Fraktur &p) { p.circulation = 0; p.tick(); }, 3, points(-20)},
};
// clang-format on

class Treatment : public testing::TestWithParam<TreatCase>
{
};

INSTANTIATE_TEST_SUITE_P(Table, Treatment, testing::ValuesIn(treatCases),
                         [](const testing::TestParamInfo<TreatCase> &info) {
                             return std::string(info.param.name);
                         });

} // namespace

TEST_P(Treatment, ChangesExactlyWhatTheTableSaysAndEchoesTheCode)
{
    const TreatCase &c = GetParam();
    Game game;
    c.setup(game.patient);
    PatientState expected = PatientState::of(game.patient);
    c.change(expected);
    game.patient.treat(c.code);
    EXPECT_EQ(PatientState::of(game.patient), expected);
    EXPECT_EQ(game.echo.str(), std::to_string(c.code));
}

TEST(Treatments, InfusionThenTransfusionEndTheShockAtTheNextTick)
{
    Game game;
    game.patient.complicationActive = 1;
    game.patient.shock = true;
    game.patient.treat(1);
    game.patient.treat(2);
    EXPECT_EQ(game.patient.score, 300);
    EXPECT_EQ(game.patient.complicationActive, 0);
    EXPECT_TRUE(game.patient.shock) << "shock follows at the next tick";
    arrangeNextRandom(20000); // no new complication in this second
    EXPECT_FALSE(game.patient.tick());
    EXPECT_FALSE(game.patient.shock);
    const int loss = game.patient.circulationLoss;
    game.patient.treat(1);
    EXPECT_EQ(game.patient.score, 260);
    EXPECT_EQ(game.patient.circulationLoss, loss + 1);
    EXPECT_EQ(game.echo.str(), "121");
}

TEST(Treatments, AnInfusionBeforeTheShockIsForgottenWhenTheShockBegins)
{
    Game game;
    game.patient.treat(1);
    EXPECT_EQ(game.patient.score, -20);
    arrangeNextRandom(0);
    game.patient.rollComplication();
    game.patient.treat(1);
    EXPECT_EQ(game.patient.score, -20 - 60 + 150);
}

TEST(Treatments, TheFlagsOutliveReset)
{
    Game game;
    game.patient.treat(1);
    game.patient.treat(2);
    game.patient.reset();
    EXPECT_TRUE(game.patient.infusionGiven);
    EXPECT_TRUE(game.patient.transfusionGiven);
    game.patient.treat(1);
    EXPECT_EQ(game.patient.score, -40) << "a second infusion, though in a new game";
}

TEST(Treatments, EchoRunsTheCodesTogetherOnStandardOutputByDefault)
{
    std::ostringstream captured;
    std::streambuf *const saved = std::cout.rdbuf(captured.rdbuf());
    Fraktur patient(30);
    patient.reset();
    for (ActionCode code : {7, 3, 12, -5, 15})
        patient.treat(code);
    std::cout.rdbuf(saved);
    EXPECT_EQ(captured.str(), "7312-515");
}
