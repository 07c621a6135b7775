#pragma once

#include <string>
#include <vector>

// An independent model of the fracture scenario and the runner's table, written
// straight from the scenario's rules to check curavant-sim against; no game code.

struct ScriptLine {
    int step, code;
};

struct Reference {
    std::string table, echo; // the CSV with its header; the codes as applied, run together
};

Reference referenceRun(int steps, std::vector<ScriptLine> script);
