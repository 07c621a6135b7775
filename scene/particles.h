#pragma once

// The blood spray at the leg wound: a fixed set of particles thrown up from
// the wound while the patient bleeds, advanced by the game's simulation time
// and drawn as red points by a callback node at the end of the scene graph.
// New drops draw from the random sequence the window names for the spray.

class SbVec3f;

extern const int particleCount;
extern SbVec3f *particlePositions;
extern SbVec3f *particleVelocities;
extern double *particleLastUpdate;
extern double *particleAges;

void allocateParticles();
void releaseParticles();
void renderBleeding(void *userData, class SoAction *action);
