#pragma once

#include "codes.h"
#include "course.h"
#include "textlines.h"

#include <istream>
#include <optional>
#include <string>
#include <vector>

// Turns the command line and the treatment script of curavant-sim into a
// plan: how many scenario steps to play and which treatment codes to apply
// before which step. Every check happens here, before the first step is
// played, so that bad input never leaves a partial table on standard output.
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

struct CommandLine {
    bool help = false;
    int steps = defaultSteps;
    std::string scriptPath; // empty or "-": standard input
    std::string plotPath;   // empty: no plot
    std::string coursePath; // empty: play a game; else draw this recorded course
    std::string reportPath; // empty: no report; else report the games recorded in `folders`
    std::vector<std::string> folders;
};

struct Plan {
    int steps = defaultSteps;
    std::vector<Treatment> treatments; // by step; file order within a step
    // Noted in comment lines, as a recorded game's script notes them; in file order.
    std::vector<CourseEvent> complications;
};

// Each parser returns an empty string on success and otherwise a one-line
// message without the program name.

std::string parseCommandLine(const std::vector<std::string> &args, CommandLine &commandLine);

// Reads `<step> <code>` lines for a plan of `plan.steps` steps, and the
// complications noted; `name` is how messages refer to the source.
std::string readScript(std::istream &in, const std::string &name, Plan &plan);

// Reads the script the command line names, or `standardInput`.
std::string loadPlan(const CommandLine &commandLine, std::istream &standardInput, Plan &plan);

std::string usageText();
