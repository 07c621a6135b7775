#pragma once

#include "scenario.h"
#include "scenarionote.h"

#include <optional>
#include <string>

// The scenario a recorded game was played under: what the header of its
// script NAME.txt names, and the copy of the scenario file that the game's
// recorder left beside it as NAME.scenario.toml. The copy is what counts:
// the instructor may have edited the file since. A record made before
// records named their scenario is a game of the built-in fracture.
struct RecordScenario {
    ScenarioNote note;
    // Read from the copy; unset for the built-in fracture and for a copy
    // that is missing, differs from the file played or no longer reads.
    std::optional<Scenario> scenario;
    // Why the copy cannot be used, in one line; empty when it can.
    std::string problem;

    // The scenario's title as the copy gives it, else as the header names it.
    std::string title() const;
    // Whether games are of one scenario: the same file by name and hash, or
    // both the built-in fracture.
    bool sameAs(const RecordScenario &other) const;
    const Rubric *rubric() const
    {
        return scenario && scenario->rubric ? &*scenario->rubric : nullptr;
    }
    int bleedingAtStart() const { return scenario.value_or(Scenario()).patient.bleedingStage; }
};

// Called by the course report for each record it reads and by curavant-sim
// --course: the scenario of the game whose table is `table` (NAME.csv).
RecordScenario readRecordScenario(const std::string &table);
