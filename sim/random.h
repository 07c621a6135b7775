#pragma once

// The one random generator of the game. The readings, the complication roll
// and the bleeding spray all draw from this single sequence, so the order of
// their calls decides which value each gets. The game never seeds it: every
// run of the program sees the same sequence.

// Next value of the sequence, 0..32767.
int nextRandom();

// A float in [a, b) for a < b, built on one nextRandom() draw.
float randomRange(float a, float b);

// Puts the sequence back to its start. Only tests and the headless runner
// call this; the game itself never does.
void restartRandomSequence();
