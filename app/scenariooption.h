#pragma once

#include "scenariofile.h"

#include <string>

// The scenario the game starts with: the file named by "--scenario FILE" (or
// "--scenario=FILE"), else by CURAVANT_SCENARIO; the option wins. Called by
// main before anything else reads the command line: the option is taken out
// of it, so that Qt and SoQt see only their own arguments. Returns false with
// `problem` set (one line, no line end) when the file cannot be played;
// without a file named, `file` stays the built-in fracture.
bool takeScenarioOption(int &argc, char **argv, ScenarioFile &file, std::string &problem);
