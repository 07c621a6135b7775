#pragma once

#include "codes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A case an instructor writes: the patient after "Start!", the game's length,
// how the numbers of the fracture play (its complications and the points and
// drain changes of every treatment), complications that strike at a set step
// or once a condition holds, and what passing means. A default-made Scenario
// is the lower-leg fracture as the game has always played it; a scenario file
// only changes what it names. The conditions of the treatment table stay the
// program's own.

// What a complication or a treatment does to the score and the drain rates.
struct Effect {
    int points = 0;
    int circulationLoss = 0;
    int respirationLoss = 0;
};

// The effects of one treatment code, by the case the treatment's condition
// picks:
// - infusion, transfusion: `helps` during a shock, the first of its kind;
//   `again` once given since the shock began; `otherwise` before any shock;
// - plaster, pressure bandage, suture: `helps` at the bleeding stage it is
//   made for, `otherwise` at any other;
// - wound cleaning: `helps` the first time, `again` every later time;
// - every other code: `helps`, always.
struct TreatmentEffects {
    Effect helps;
    Effect otherwise;
    Effect again;
};

enum class Complication { Shock, Bleeding };

// What a `when` compares, as it stands when a scenario step begins.
enum class Measure { Circulation, Respiration, Health, Score };
enum class Comparison { Less, LessOrEqual, Greater, GreaterOrEqual };

struct Condition {
    Measure measure = Measure::Circulation;
    Comparison comparison = Comparison::Less;
    double value = 0;
};

// A complication that strikes in the tick of step `step`, or, with `when`
// set (and `step` 0), once, in the first living tick that begins with the
// condition true.
struct ScenarioEvent {
    int step = 0;
    std::optional<Condition> when;
    Complication what = Complication::Shock;
};

enum class CriterionKind { Alive, ShockWithin, BleedingWithin, Given, Avoid, ScoreAtLeast };

// One line of the rubric: met or missed by a whole game.
struct Criterion {
    std::string name;
    CriterionKind kind = CriterionKind::Alive;
    int limit = 0;                 // ShockWithin, BleedingWithin: steps; ScoreAtLeast: points
    std::vector<ActionCode> codes; // Given, Avoid
    int points = 0;
    bool critical = false; // missed, it fails the game whatever the points
};

struct Rubric {
    int pass = 0; // points needed to pass
    std::vector<Criterion> criteria;
};

// Which random sequence the blood spray draws from.
enum class SprayRandom { Shared, Own };

struct PatientStart {
    float circulation = 100;
    float respiration = 100;
    int circulationLoss = 1;
    int respirationLoss = 1;
    int bleedingStage = 1;
};

// The complication divisor the game has always played with: a complication
// in 30 % of the seconds.
constexpr int gameComplicationDivisor = 30;

// The game's length on the clock as it has always been: 4:00.
constexpr int gameTenths = 2400;

// Scenario steps every second of game time: one each 20 tenths on the clock.
constexpr int tenthsPerStep = 20;

struct Scenario {
    std::string title = "Curavant Beta       Diagnose: Unterschenkelfraktur";
    int tenths = gameTenths; // the game's length on the clock, in its tenths

    // Set: the shared random sequence restarts from this state at every
    // "Start!"; unset, it runs on from the program's start.
    std::optional<std::uint32_t> randomStart;
    bool complications = true;                // roll a complication every living second
    double divisor = gameComplicationDivisor; // the roll draws from [0, 100 / divisor)
    SprayRandom spray = SprayRandom::Shared;

    PatientStart patient;
    Effect shock{-60, 2, 2};
    Effect bleeding{-40, 1, 0};
    int highestBleedingStage = 3;
    double drainPerRate = 0.3; // each living second takes this times a drain rate

    // Indexed by code; index 0 and codes without a row stay all zero.
    std::array<TreatmentEffects, 16> treatments = defaultTreatments();

    std::vector<ScenarioEvent> events;
    std::optional<Rubric> rubric;

    // The steps of a game that runs for the whole clock.
    int steps() const { return tenths / tenthsPerStep; }

    static std::array<TreatmentEffects, 16> defaultTreatments();
};
