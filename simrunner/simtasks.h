#pragma once

#include <istream>
#include <string>
#include <vector>

struct CommandLine;

// What curavant-sim does once its command line has been read: play a script
// or draw a recorded course, with or without a picture, or report a course of
// recorded games. Each says what went wrong in one line on standard error
// and returns the program's exit status.

enum ExitStatus {
    ExitSuccess = 0,
    ExitCannotWrite = 1, // the table, the picture or the report
    ExitBadInput = 2,    // also a picture that cannot be created, a report without games
};

// Called by main for the Play and Draw tasks: reads the script or the
// recorded course (from `standardInput` when the command line says so),
// prints the played course as CSV on standard output and draws the picture
// asked for. A picture file that cannot be created is refused before the game
// is played.
int playOrDraw(const CommandLine &commandLine, std::istream &standardInput);

// Called by main for the Check task: loads each scenario file and names the
// first problem of each bad one in a line on standard error.
int checkScenarios(const std::vector<std::string> &paths);

// Called by main for the Report task: the PDF report of the games recorded in
// `folders`.
int writeReport(const std::string &path, const std::vector<std::string> &folders);
