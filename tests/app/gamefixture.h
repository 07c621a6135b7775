#pragma once

// A real game window for tests, driven from inside its own event loop with the
// events a player would cause.

#include "scenariofile.h"

#include <QEvent>
#include <QImage>
#include <gtest/gtest.h>

#include <functional>

class Fenster;

// Builds the window from the program's start-up state, playing `scenario`,
// and runs `body` inside its event loop, then closes it; `afterLoop` runs
// once the constructor has returned, while the window still exists.
void runWindow(const std::function<void(Fenster &)> &body,
               const std::function<void(Fenster &)> &afterLoop = nullptr,
               const ScenarioFile &scenario = {});

// Makes a scratch folder tmp/build the working directory, whose ../data holds
// the real icons and, unless `text` is null, the room file with that text.
void useRoom(const char *text);

// Puts the eye at (x, y, z) looking straight along -z (yaw -90 degrees), so
// that the ray through the view's centre stays on x and y.
void lookAlongMinusZ(float x, float y, float z);

void sendKey(QEvent::Type type, int key);

// One frame of the 3D view, rendered now, as the screen shows it.
QImage grabView();
