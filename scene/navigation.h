#pragma once

// Walking with the Up and Down keys and mouse-look, as event callbacks of the
// 3D view. The eye stays at a fixed height; walking is confined to the room's
// floor outside the block of the treatment bed.

class SoEventCallback;

void onKey(void *userData, SoEventCallback *node);
void onMouseMove(void *userData, SoEventCallback *node);
void walk(float step);
