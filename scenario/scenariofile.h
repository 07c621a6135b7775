#pragma once

#include "scenario.h"

#include <string>
#include <string_view>

// Reads a case an instructor wrote: one TOML file, every value optional,
// every key known. The checks all happen here, so that a file that loads is
// one the game and curavant-sim can play.

// A scenario as read from its file, with the bytes it was read from (the
// record keeps a copy of them).
struct ScenarioFile {
    std::string path;
    std::string bytes;
    Scenario scenario;
};

// Both return an empty string on success and otherwise one line
// "NAME:LINE:COLUMN: what is wrong", without a line end (a file that cannot
// be read at all: "NAME: cannot read: REASON"). On failure they leave
// `file` and `scenario` as they were, so that the scenario in use stays.

// Called by the game before its window opens, by its scenario menu, and by
// curavant-sim for --scenario and --check.
std::string loadScenarioFile(const std::string &path, ScenarioFile &file);

// The same for text in memory; `name` stands for the file in messages.
std::string parseScenario(std::string_view text, const std::string &name, Scenario &scenario);
