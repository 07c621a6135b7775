#pragma once

#include <string>
#include <string_view>

// How a recorded game's script names the scenario the game was played under,
// in comment lines below its first, which every script reader skips. A
// scenario file is named by three lines,
//   # Scenario title: Prüfung: Unterschenkelfraktur
//   # Scenario file: pruefung.toml
//   # Scenario SHA-256: 3f2a9c0d1e4b
// and the built-in fracture by one, "# Scenario: built-in fracture". A copy
// of the file lies beside the record; the hash tells whether it is the file
// the game was played with.
struct ScenarioNote {
    std::string title;
    std::string file; // the file's name without its folder; empty: the built-in fracture
    std::string hash; // the first 12 hex digits of the SHA-256 of the file's bytes

    // Called by the game's recorder at "Start!": the lines, each with its line
    // end. Control characters become '?', and a very long title is cut short,
    // so that each line stays one line a script reader takes.
    std::string lines() const;
    // Called by the script reader for each comment line (without its line
    // end): takes what the line names; false for any other line.
    bool read(std::string_view line);

    bool builtIn() const { return file.empty(); }
};

// The short hash a record names its scenario file by.
std::string scenarioHash(std::string_view bytes);
