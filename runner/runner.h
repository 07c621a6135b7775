#pragma once

#include <ostream>

struct Plan;

// Plays a plan the way a game plays the fracture scenario: a fresh random
// sequence, Fraktur(30) and reset as "Start!" does, then for every step the
// step's treatments, one tick and the monitor's readings. The patient's
// course goes to `csv`, one row per step; the codes echoed by the scenario
// go to `echo`.
void runPlan(const Plan &plan, std::ostream &csv, std::ostream &echo);

extern const char *const csvHeader;
