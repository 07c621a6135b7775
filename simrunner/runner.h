#pragma once

#include <ostream>

struct Course;
struct Plan;
struct Scenario;

// Plays a plan the way a game plays `scenario`: the random sequence from the
// program's start or from the scenario's start, the game's Fraktur and reset
// as "Start!" does, then for every step the
// step's treatments, one tick and the monitor's readings. The patient's
// course goes to `csv`, one row per step; the codes echoed by the scenario
// go to `echo`. When `course` is given, it receives the same rows and the
// treatments and complications of every step, for the plot.
void runPlan(const Plan &plan, const Scenario &scenario, std::ostream &csv, std::ostream &echo,
             Course *course = nullptr);
