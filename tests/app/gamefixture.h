#pragma once

// A real game window for tests, driven from inside its own event loop with the
// events a player would cause.

#include <QEvent>
#include <QImage>
#include <QPoint>
#include <gtest/gtest.h>

#include <functional>
#include <string>

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

// What the program has written to standard output since the last call.
std::string takeOutput();

// The centre of the 800 by 600 view in Qt's pixels (Coin counts rows from the
// bottom, Qt from the top).
const QPoint viewCentre(400, 299);

// Puts the eye at (x, y, z) looking straight along -z (yaw -90 degrees), so
// that the ray through the view's centre stays on x and y.
void lookAlongMinusZ(float x, float y, float z);

// Input to the 3D view; mouse motion does not move the cursor itself.
void sendMouse(QEvent::Type type, QPoint at = viewCentre, Qt::MouseButton button = Qt::LeftButton);
void sendKey(QEvent::Type type, int key);

// Renders one frame of the 3D view now and returns it as the screen shows it.
QImage grabView();
