#pragma once

// Where the game's window can be drawn, settled before the application object
// is built. The 3D view draws through GLX: on a Wayland desktop the game runs
// through XWayland, and Qt aborts the process when its X11 platform cannot
// reach a display, so the program asks first and says so in one line.

// On a Wayland desktop (XDG_SESSION_TYPE or WAYLAND_DISPLAY says so).
bool waylandSession();

// Chooses Qt's X11 platform unless another platform that is not Wayland was
// named (-platform, else QT_QPA_PLATFORM). A Wayland platform named is
// replaced, with one line on stderr saying why. On a Wayland desktop a Qt 6
// build also takes X11's core input. Called by main first.
void chooseX11Platform(int argc, char **argv);

// True when another platform was chosen or the X display Qt would connect to
// (-display NAME, else DISPLAY) can be opened; otherwise writes the reason to
// `why`. Called by main after chooseX11Platform.
bool graphicalDisplayAvailable(int argc, char **argv, const char *&why);
