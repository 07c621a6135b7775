#pragma once

// A real game window for tests, driven from inside its own event loop with the
// events a player would cause.

#include <QEvent>
#include <QImage>
#include <gtest/gtest.h>

#include <functional>

class Fenster;

// Builds the window from the program's start-up state (camera at the start,
// no cursor anchor, the random sequence from its beginning) and runs `body`
// inside its event loop with no game started; then closes the window, which
// ends the loop. `afterLoop` runs once the constructor has returned, while
// the window still exists.
void runWindow(const std::function<void(Fenster &)> &body,
               const std::function<void(Fenster &)> &afterLoop = nullptr);

// Makes a scratch folder tmp/build the working directory, whose ../data holds
// the real icons and, unless `text` is null, the room file with that text.
void useRoom(const char *text);

// Puts the eye at (x, y, z) looking straight along -z (yaw -90 degrees), so
// that the ray through the view's centre stays on x and y.
void lookAlongMinusZ(float x, float y, float z);

// A key event to the 3D view.
void sendKey(QEvent::Type type, int key);

// Renders one frame of the 3D view now and returns it as the screen shows it.
QImage grabView();
