#pragma once

#include <Inventor/SbBox3f.h>
#include <Inventor/SbVec2s.h>
#include <Inventor/SbVec3f.h>

#include <functional>
#include <string>

class SoPerspectiveCamera;
class SoSeparator;

// The room as the game sees it, read from a scene file with Coin: where a
// named object is, what a click in the 800 x 600 view hits, and which
// pointer movement turns the game's mouse-look so that a click at the
// cursor anchor hits a given object. The camera stands first in the graph,
// as in the game, so picks are cast exactly as the game casts them.
class SceneProbe
{
  public:
    // The view angles in radians: yaw 0 looks along +x, growing towards +z;
    // positive pitch looks up.
    struct Gaze {
        float yaw = 0;
        float pitch = 0;
    };
    struct Hit {
        bool any = false;
        std::string name; // nearest name from the shape towards the root
        SbVec3f point;
    };
    struct Turn {
        bool found = false;
        int right = 0;  // pointer pixels to the right
        int up = 0;     // pointer pixels upwards
        int margin = 0; // pixels of movement in any direction that still hit
        Gaze after;
    };

    explicit SceneProbe(const std::string &scenePath);
    ~SceneProbe();
    SceneProbe(const SceneProbe &) = delete;
    SceneProbe &operator=(const SceneProbe &) = delete;

    bool isValid() const { return root != nullptr; }
    // World-space bounds of the node named `name` (empty when there is none).
    SbBox3f bounds(const char *name) const;
    // `pixel` is in Coin's convention: origin at the bottom left.
    Hit pick(const SbVec3f &eye, Gaze gaze, SbVec2s pixel) const;
    // `between` is called every few dozen picks: a search takes seconds, and
    // a caller may have a game to watch meanwhile.
    Turn turnTowards(const char *name, const SbVec3f &eye, Gaze from, SbVec2s pixel,
                     const std::function<void()> &between = nullptr) const;

    // The game's mouse-look: 0.01 rad per pixel, pitch kept strictly inside
    // +-72 degrees (a move beyond drops its vertical part), yaw folded back
    // by one full turn once it passes +-2 pi.
    static Gaze turned(Gaze from, int right, int up);
    static constexpr float pitchLimit = 1.2566371f;

  private:
    SoSeparator *root = nullptr;
    SoPerspectiveCamera *camera = nullptr;
};
