#pragma once

// Gives Coin's off-screen renderer its GL contexts through Qt: an off-screen
// surface with a framebuffer object, current while Coin renders. Coin's own
// GLX route needs indirect rendering, which X servers refuse by default, so
// on Xvfb it finds no context at all. Needs a QGuiApplication.
class OffscreenContext
{
  public:
    // Hands the callbacks to Coin; later calls do nothing.
    static void install();
};
