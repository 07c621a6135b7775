#pragma once

class SoPerspectiveCamera;
class SoSeparator;

// Puts the view camera (near 1, far 1000) at child 0 of the room's root and
// the white light shining straight down at child 1, ahead of every node of
// the scene file; returns the camera. The game and the room's preview pictures
// both frame the room this way.
SoPerspectiveCamera *frameScene(SoSeparator *root);
