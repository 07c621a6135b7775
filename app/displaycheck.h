#pragma once

// Qt aborts the process when its X11 platform cannot reach a display. The
// program asks first, so that it can say so in one line and exit cleanly.
// True when another platform was chosen (-platform, QT_QPA_PLATFORM) or the
// X display Qt would connect to (-display NAME, else DISPLAY) can be opened;
// otherwise writes the reason to `why`.
bool graphicalDisplayAvailable(int argc, char **argv, const char *&why);
