#pragma once

#include "script.h"

#include <optional>
#include <string>
#include <vector>

// curavant-sim's command line: its options, the checks they must pass before
// anything is read or played, and the usage text that --help prints. The
// script and the recorded games the options name are read elsewhere.
struct CommandLine {
    // What the program is asked to do.
    enum class Task { Help, Play, Draw, Report, Check, Statements, Send };

    // Called by main first, with the arguments after the program's name.
    // Returns an empty string on success and otherwise a one-line message
    // without the program name.
    std::string parse(const std::vector<std::string> &args);
    // Called by main once parse has succeeded.
    Task task() const;

    // Called by main for --help: what it prints.
    static std::string usageText();

    bool help = false;
    std::optional<int> steps; // unset: the scenario's
    std::string scriptPath;   // empty or "-": standard input
    std::string plotPath;     // empty: no plot
    std::string coursePath;   // empty: play a game; else draw this recorded course
    std::string reportPath;   // empty: no report; else report the games recorded in `folders`
    std::vector<std::string> folders;
    std::string scenarioPath;              // empty: the built-in fracture
    std::vector<std::string> filesToCheck; // not empty: check these scenario files only
    // Learning records of the games in `folders`: made (--statements) or sent.
    bool statements = false;
    std::string endpoint;        // empty: send nothing; else the LRS to send to
    std::string credentialsPath; // empty: the file CURAVANT_LRS_CREDENTIALS names
    std::string caFile;          // empty: the system's certificates only
};
