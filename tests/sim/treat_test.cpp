// Treatments: every code's rule in each state it depends on, the codes that
// change nothing, and the code each call echoes.

#include "game.h"

#include <climits>

namespace
{
// The state a treatment looks at and changes, in this order: bleeding stage,
// complicationActive, infusionGiven, transfusionGiven, woundUncleaned,
// painUntreated. A game starts with {1, 0, 0, 0, 1, 1}.
void setFlags(Fraktur &p, const int *f)
{
    p.bleedingStage = f[0], p.complicationActive = f[1];
    p.infusionGiven = f[2] != 0, p.transfusionGiven = f[3] != 0;
    p.woundUncleaned = f[4], p.painUntreated = f[5];
}

struct TreatRow {
    ActionCode code;
    int before[6], after[6];
    int score, circulationLoss, respirationLoss;
};

// clang-format off
const TreatRow treatments[] = {
    {1, {1, 0, 1, 0, 1, 1}, {1, 0, 1, 0, 1, 1}, -40, 1, 0},   // again
    {1, {1, 1, 0, 0, 1, 1}, {1, 1, 1, 0, 1, 1}, 150, -2, -2}, // in a shock
    {1, {1, 1, 0, 1, 1, 1}, {1, 0, 1, 1, 1, 1}, 150, -2, -2}, // ends the shock
    {1, {1, 0, 0, 0, 1, 1}, {1, 0, 1, 0, 1, 1}, -20, 0, 0},   // without a shock
    {2, {1, 0, 0, 1, 1, 1}, {1, 0, 0, 1, 1, 1}, -40, 1, 0},
    {2, {1, 1, 1, 0, 1, 1}, {1, 0, 1, 1, 1, 1}, 150, -2, -2},
    {2, {1, 0, 0, 0, 1, 1}, {1, 0, 0, 1, 1, 1}, -20, 0, 0},
    {3, {1, 0, 0, 0, 1, 1}, {0, 0, 0, 0, 1, 1}, 100, -1, 0},  // each dressing at its stage
    {3, {2, 0, 0, 0, 1, 1}, {2, 0, 0, 0, 1, 1}, -20, 0, 0},   // and at another
    {4, {2, 0, 0, 0, 1, 1}, {0, 0, 0, 0, 1, 1}, 100, -1, 0},
    {4, {1, 0, 0, 0, 1, 1}, {1, 0, 0, 0, 1, 1}, -20, 0, 0},
    {5, {3, 0, 0, 0, 1, 1}, {0, 0, 0, 0, 1, 1}, 200, -3, 0},
    {5, {2, 0, 0, 0, 1, 1}, {2, 0, 0, 0, 1, 1}, -20, 0, 0},
    {6, {1, 0, 0, 0, 1, 1}, {1, 0, 0, 0, 0, 1}, 150, -2, 0},
    {6, {1, 0, 0, 0, 0, 1}, {1, 0, 0, 0, 0, 1}, 50, 0, 0},    // a gain, though cleaned
    {7, {1, 0, 0, 0, 1, 1}, {1, 0, 0, 0, 1, 0}, 100, -1, -1},
    {7, {1, 0, 0, 0, 1, 0}, {1, 0, 0, 0, 1, 0}, 100, -1, -1}, // every painkiller helps
    {8, {1, 0, 0, 0, 1, 1}, {1, 0, 0, 0, 1, 1}, -40, 1, 1},
    {9, {1, 0, 0, 0, 1, 1}, {1, 0, 0, 0, 1, 1}, -40, 1, 1},
    {10, {1, 0, 0, 0, 1, 1}, {1, 0, 0, 0, 1, 1}, -60, 2, 2},
    {11, {1, 0, 0, 0, 1, 1}, {1, 0, 0, 0, 1, 1}, -60, 2, 2},
    {13, {1, 0, 0, 0, 1, 1}, {1, 0, 0, 0, 1, 1}, -20, 0, 0},
    {14, {1, 0, 0, 0, 1, 1}, {1, 0, 0, 0, 1, 1}, -80, 3, 3},
    {12, {1, 1, 1, 0, 1, 1}, {1, 1, 1, 0, 1, 1}, 0, 0, 0},    // codes without a rule
    {15, {1, 1, 1, 0, 1, 1}, {1, 1, 1, 0, 1, 1}, 0, 0, 0},
    {INT_MIN, {1, 1, 1, 0, 1, 1}, {1, 1, 1, 0, 1, 1}, 0, 0, 0},
};
// clang-format on
} // namespace

// treat leaves `shock` alone: it follows complicationActive at the next tick.
TEST(Treatment, ChangesExactlyWhatTheTableSaysAndEchoesTheCode)
{
    for (const TreatRow &row : treatments) {
        Game game;
        setFlags(game.patient, row.before);
        game.patient.shock = row.before[1] != 0;
        Fraktur expected = game.patient;
        setFlags(expected, row.after);
        expected.score += row.score, expected.circulationLoss += row.circulationLoss;
        expected.respirationLoss += row.respirationLoss;
        game.patient.treat(row.code);
        EXPECT_EQ(fields(game.patient), fields(expected)) << "code " << row.code;
        EXPECT_EQ(game.echo.str(), std::to_string(row.code));
    }
}
