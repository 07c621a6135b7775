#pragma once

#include <string>
#include <vector>

struct CommandLine;

// curavant-sim's learning records: the xAPI statements of recorded games,
// made and sent. Each says what went wrong in one line per problem on
// standard error and returns the program's exit status.

// Called by main for --statements: NAME.xapi.json for every record in
// `folders` that has none.
int makeStatements(const std::vector<std::string> &folders);

// Called by main for --send: the statements of every record not yet sent.
int sendStatements(const CommandLine &commandLine);
