#pragma once

#include "reportentry.h"

#include <QString>
#include <vector>

// The games of a course report by the scenario they were played under: one
// group per scenario file (by name and hash) and one for the built-in
// fracture, in the order of each group's first game, its games in time order
// with the numbers of their pages, and the group's pass rate over the games
// its rubric judged.
class ScenarioGroups
{
  public:
    struct Game {
        int number; // counts the games read, in time order
        const ReportEntry *entry;
    };
    struct Group {
        const RecordScenario *scenario; // as the group's first game has it
        std::vector<Game> games;
        int judged = 0;
        int passed = 0;
        int unjudged = 0; // played under a rubric whose copy could not be used
    };

    // Called by the course pages with the entries in time order.
    explicit ScenarioGroups(const std::vector<ReportEntry> &entries);

    const std::vector<Group> &groups() const { return all; }
    // Whether any game was played under a scenario file: otherwise the
    // report shows no scenarios at all, as before there were any.
    bool shown() const { return anyFile; }

    // "Scenario: Prüfung · pruefung.toml (SHA-256 3f2a9c0d1e4b) · passed 2 of 3 judged games (67
    // %)"
    static QString heading(const Group &group);
    // The rubric column of a game's row: "passed 85/60", "not passed 40/60",
    // "no rubric", "not judged".
    static QString resultText(const ReportEntry &entry);

  private:
    std::vector<Group> all;
    bool anyFile = false;
};
