#pragma once

#include "codes.h"
#include "course.h"

#include <string>
#include <string_view>

// The German names of what a course marks, for labelling a plotted course
// and for the complications noted in a recorded game: the treatments behind
// the action codes, as the room's objects call them, the complications, and
// the points a treatment gave or cost.

// The name of treatment `code`, or nullptr for 12 and codes outside 1..15,
// which stand for no treatment.
const char *treatmentName(ActionCode code);

// "Pflaster (3)"; "Code 12" for a code without a name.
std::string treatmentLabel(ActionCode code);

// "Schock", "Blutung 2", "Tod"; for a treatment its label.
std::string eventLabel(const CourseEvent &event);

// A complication as a recorded game's script notes it, in a comment line
// that leaves the script playable: "# 30 Schock", "# 41 Blutung 2", "# 95 Tod".
std::string complicationNote(const CourseEvent &event);
// Reads such a line (without its line end); false for any other line.
bool readComplicationNote(std::string_view line, CourseEvent &event);

// What a treatment gave or cost, as a recorded game's script notes it in a
// comment line after the treatment's own: "# 12 Pflaster (3): +100 Punkte",
// "# 20 Sauerstoff (13): -20 Punkte", "# 30 OP (15): 0 Punkte".
// Called by the game's recorder after each treatment.
std::string pointsNote(int step, ActionCode code, int points);
// Called by curavant-sim for each comment line of a script: reads such a
// line (without its line end); false for any other line.
bool readPointsNote(std::string_view line, int &step, ActionCode &code, int &points);
