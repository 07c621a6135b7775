#pragma once

#include <string>
#include <vector>

// An independent model of the fracture scenario and the runner's table,
// written straight from the scenario's rules, to check curavant-sim against.
// It shares no code with the game.

struct ScriptLine {
    int step;
    int code;
};

// The CSV curavant-sim should print for these treatments (in script order)
// over `steps` steps, header included.
std::string referenceTable(int steps, const std::vector<ScriptLine> &script);

// The treatment codes in the order they are applied, run together.
std::string referenceEcho(const std::vector<ScriptLine> &script);
