#pragma once

#include "codes.h"
#include "course.h"
#include "scenarionote.h"
#include "textlines.h"

#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Turns a treatment script, as curavant-sim plays it and the game's recorder
// writes it, into a plan: how many scenario steps to play and which treatment
// codes to apply before which step. Every check happens here, before the
// first step is played, so that bad input never leaves a partial table on
// standard output.
//
// The limits keep every int and float of the scenario in range: with at most
// maxTreatments codes the drain rates stay above -30000, and over maxSteps
// seconds the reserves, the vital signs and their readings stay below 1e9.

constexpr int defaultSteps = 120; // one four-minute game
constexpr int maxTreatments = 10000;

struct Treatment {
    int step; // 1..steps: applied just before this scenario step
    ActionCode code;
    // What it gave or cost, as a recorded game notes it after the treatment.
    std::optional<int> points;
};

struct Plan {
    int steps = defaultSteps;
    std::vector<Treatment> treatments; // by step; file order within a step
    // Noted in comment lines, as a recorded game's script notes them; in file order.
    std::vector<CourseEvent> complications;
    // The scenario a recorded game's script names; such a script notes every
    // complication of its game.
    std::optional<ScenarioNote> scenario;
};

// Both readers return an empty string on success and otherwise a one-line
// message without the program name.

// Reads `<step> <code>` lines for a plan of `plan.steps` steps, and the
// complications noted; `name` is how messages refer to the source.
std::string readScript(std::istream &in, const std::string &name, Plan &plan);

// Called by curavant-sim to play a script and by the record loader: reads
// the script at `path` (empty or "-": `standardInput`) for a plan of `steps`
// steps.
std::string loadPlan(const std::string &path, int steps, std::istream &standardInput, Plan &plan);

// A script's numbers and how its text is shown in messages; curavant-sim's
// command line reads and quotes its own values the same way.

enum class IntResult { Ok, NotInteger, OutOfRange };

// A decimal integer with an optional sign and nothing else; values outside
// lo..hi (however many digits they have) are OutOfRange.
IntResult parseInt(std::string_view text, long long lo, long long hi, int &value);

// User text quoted for a one-line message: control bytes become '?', and
// anything very long is cut short.
std::string quoted(std::string_view text);
