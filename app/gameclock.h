#pragma once

// The simulation time of the bleeding spray: grows by timeStep on every clock
// tick of a running game and is never reset.
extern const double timeStep;
extern double simulationTime;
