#pragma once

#include "course.h"

#include <istream>
#include <string>

class Fraktur;
struct Readings;

// The patient's course as a CSV table: one row per scenario step, written by
// curavant-sim and by the game's record, and read back for drawing. Numbers
// are written and read the same in every locale: a period before decimals,
// no grouping, and every float with digits enough to read back its bits.

extern const char *const csvHeader;

// One row, with its line end.
std::string csvRow(int step, const Fraktur &patient, const Readings &readings);

// Reads a whole table into `course`, its complications taken from the rows
// (each shock that begins, each rise of the bleeding, the death). Returns an
// empty string, or a one-line problem naming `name` and the line.
std::string readCourseTable(std::istream &in, const std::string &name, Course &course);
