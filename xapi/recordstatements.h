#pragma once

#include "gamerecord.h"
#include "gamestatements.h"
#include "lrssettings.h"
#include "verdict.h"

#include <QString>
#include <string>

// A recorded game's learning records beside its other files: NAME.xapi.json,
// the statements to send, and NAME.xapi.sent, written once an LRS has
// accepted them all. Both are written whole or not at all.

QString statementsPath(const GameRecord &record);
QString sentMarkPath(const GameRecord &record);

// Called by writeStatements: the game in `record` with its scenario as the
// record's header and its copy of the scenario file name it. Without
// `verdict`, the copy's rubric judges the game. Returns the problem.
std::string loadGameFacts(const GameRecord &record, const Verdict *verdict, GameFacts &game);

// Called by the game at "Ende" and by curavant-sim --statements: writes
// NAME.xapi.json for `record`. A record that has its statements keeps them,
// so that their ids stay those an LRS may have stored. Returns the problem.
std::string writeStatements(const GameRecord &record, const LrsSettings &settings,
                            const Verdict *verdict = nullptr);
