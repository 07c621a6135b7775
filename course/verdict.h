#pragma once

#include "course.h"
#include "scenario.h"
#include "script.h"

#include <string>
#include <vector>

// A game judged by its scenario's rubric: each criterion met or missed, the
// points earned, and whether the game passed. A game passes with at least the
// pass mark's points and no critical criterion missed.
struct CriterionResult {
    std::string name;
    bool met = false;
    int points = 0; // the criterion's points, earned when met
    bool critical = false;
};

struct Verdict {
    bool passed = false;
    int points = 0; // earned
    int pass = 0;   // needed
    std::vector<CriterionResult> criteria;
};

// Called by the game at "Ende" and by the course report for each recorded
// game: judges the course played under `scenario`, whose rubric must be set.
// `treatments` are all the game's treatments, also those after its last step.
Verdict judge(const Scenario &scenario, const Course &course,
              const std::vector<Treatment> &treatments);
