#pragma once

#include "gamerecord.h"
#include "gamesummary.h"
#include "recordscenario.h"
#include "verdict.h"

#include <optional>
#include <string>

// A record as the course report lists it: read, with its measures, its
// scenario and, when that has a rubric, its verdict; or skipped, with the
// reason.
struct ReportEntry {
    GameRecord record;
    std::optional<GameSummary> summary;
    std::string problem;
    RecordScenario scenario;
    std::optional<Verdict> verdict;
};
