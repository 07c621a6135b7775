#pragma once

// Helpers for benchmarks that measure the real game window: they run inside
// its event loop (the window's constructor only returns when that loop ends)
// with a game started, and look at the room from the player's two typical
// places.

// Builds the window, starts a game and runs the registered benchmarks as the
// loop's first event; then closes the window. Returns the exit status.
int runBenchmarksInGame(int argc, char **argv);

// The camera as "Start!" finds it after start-up: at the door, looking at the
// bed.
void lookFromStart();
// Standing beside the bed and looking down at the wound on the left shin,
// where the blood sprays while the patient bleeds.
void lookAtWound();

// The CPU time the whole process has taken so far, its GUI thread and the GL
// driver's threads together, in seconds.
double processCpuSeconds();
