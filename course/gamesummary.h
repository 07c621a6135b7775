#pragma once

#include "course.h"
#include "script.h"

#include <optional>
#include <string>
#include <vector>

// The measures an instructor asks of a played game: how it ended, how
// quickly each shock was treated, when the bleeding was stopped, and which
// treatments cost points; and of a course of games, its few figures. The
// rubric's verdict is judged from the same measures.
struct GameSummary {
    // A shock, or a bleeding that began or grew worse.
    struct Episode {
        int step;                      // when it struck; the bleeding a game starts with: 1
        std::optional<int> stepsToEnd; // until the treatment that ended it while the patient lived
    };

    int steps = 0;
    int finalScore = 0;
    int diedAt = 0; // the step of death; 0: the patient lives
    std::vector<Episode> shocks;
    // The bleeding the game starts with and every rise of its stage; a
    // dressing that stops the bleeding ends all of them that are running.
    std::vector<Episode> bleedings;
    std::vector<int> bleedingStopped; // the steps of the dressings that stopped it
    int treatments = 0;               // all of the script, also after the last step
    std::optional<int> costly;        // unknown when a treatment's points are

    // Called by the course report once per game it reads and by the verdict.
    // Replays the course's treatments and complications step by step from a
    // game's start at bleeding stage `bleedingAtStart`, asking the scenario's
    // rules whether a treatment ended the shock or stopped the bleeding. A
    // complication ended only after the patient died counts as untreated.
    GameSummary(const Course &course, const std::vector<Treatment> &treatments,
                int bleedingAtStart);

    std::string outcome() const; // "lives" or "died at step K"
};

struct CourseFigures {
    int games = 0;
    int alive = 0;
    std::optional<double> medianScore;
    std::optional<double> medianStepsToTreat; // over the treated shocks of all games
    int treatedShocks = 0;
    int untreatedShocks = 0;

    // Called by the course pages below the rows.
    explicit CourseFigures(const std::vector<GameSummary> &games);
};

// A count or a median as the report shows it: "12", "12.5", "-3"; "none".
std::string figureText(const std::optional<double> &value);
