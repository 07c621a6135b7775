#pragma once

#include "codes.h"
#include "course.h"

#include <string>

// The German names of what a course marks, for labelling a plotted course
// and for the complications noted in a recorded game: the treatments behind
// the action codes, as the room's objects call them, and the complications.

// The name of treatment `code`, or nullptr for 12 and codes outside 1..15,
// which stand for no treatment.
const char *treatmentName(ActionCode code);

// "Pflaster (3)"; "Code 12" for a code without a name.
std::string treatmentLabel(ActionCode code);

// "Schock", "Blutung 2", "Tod"; for a treatment its label.
std::string eventLabel(const CourseEvent &event);
