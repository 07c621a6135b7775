#pragma once

// Clicking in the 3D view: a pick ray finds the named object under the
// cursor, which either becomes the tool in hand or receives it.

class SoEventCallback;

void onButton(void *userData, SoEventCallback *node);
