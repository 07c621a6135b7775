#pragma once

#include "scenario.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// What a scenario file may say beyond its names: the limits of its values and
// the names of the treatment table's cases and of the rubric's kinds.
//
// The limits keep every int of the simulation in range over the longest run
// curavant-sim plays (maxSteps steps with maxTreatments treatments): at most
// one complication a step and one per event, each treatment one effect, so at
// most 111000 effects, each within +-maxPoints points (a score within
// +-1.2e9) and +-maxLossChange on a drain rate (rates within +-1.2e7). The
// reserves are floats and cannot overflow; where thousands of treatments with
// a large per_rate take them far past 100, the vital signs stop at a billion.

constexpr int minTenths = 20;        // one scenario step
constexpr int maxTenths = 2000000;   // curavant-sim's longest run, 100000 steps
constexpr double minDivisor = 0.001; // a complication in 0.001 % of the seconds
constexpr double maxDivisor = 1000;  // at 100 and above: every second
constexpr double minReserve = 1;     // a patient who starts alive
constexpr double maxReserve = 10000;
constexpr double maxDrainPerRate = 10;
constexpr int maxBleedingStage = 3; // the dressings stop stages 1 to 3
constexpr int maxPoints = 10000;
constexpr int maxLossChange = 100;
constexpr int maxEventStep = 100000;
constexpr int maxScoreAtLeast = 1000000000;
constexpr std::size_t maxEvents = 1000;
constexpr std::size_t maxCriteria = 100;
constexpr std::size_t maxCodes = 100;
constexpr std::size_t maxTextCharacters = 100;
constexpr std::size_t maxFileBytes = 1 << 20;

// The code a [treatment.N] table names ("1" to "15"), or NoAction.
ActionCode treatmentCode(std::string_view key);

// The effect of `effects` that case `key` of `code` names (in_shock,
// before_shock, again; at_stage, other_stage; first, again; always), or
// nullptr when the code has no such case.
Effect *treatmentCase(TreatmentEffects &effects, ActionCode code, std::string_view key);

// The cases of `code` for a message: "in_shock, before_shock and again".
std::string treatmentCases(ActionCode code);

// The kind a criterion's key names (alive, shock_within, ...).
std::optional<CriterionKind> criterionKind(std::string_view key);
