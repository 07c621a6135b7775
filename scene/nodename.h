#pragma once

#include <Inventor/SbName.h>

class SoPath;

// The name a click on `path` counts for: that of the nearest named node from
// the picked shape towards the root, or the empty name.
SbName nearestName(const SoPath *path);
