#pragma once

#include "codes.h"

#include <string>

// The German names of the treatments behind the action codes, as the room's
// objects call them, for labelling a plotted course.

// The name of treatment `code`, or nullptr for 12 and codes outside 1..15,
// which stand for no treatment.
const char *treatmentName(ActionCode code);

// "Pflaster (3)"; "Code 12" for a code without a name.
std::string treatmentLabel(ActionCode code);
