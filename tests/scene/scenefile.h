#pragma once

#include <Inventor/SbBox3f.h>
#include <Inventor/SbVec3f.h>
#include <string>
#include <vector>

class SoNode;
class SoPath;
class SoPerspectiveCamera;
class SoSeparator;

// The room file read and completed the way the game completes it (its camera
// at child 0, its downward light at child 1), with the questions the tests ask
// of it: where a named object is, and what a click would hit.
class SceneFile
{
  public:
    static constexpr const char *path = "../data/scene002.iv";
    // The names the game looks for: what it takes in hand, what it applies
    // tools to, and the pendulums it switches during a shock.
    static const std::vector<std::string> toolNames;
    static const std::vector<std::string> targetNames;
    static const std::vector<std::string> pendulumNames;
    // Tools and targets together: everything a click reacts to.
    static std::vector<std::string> clickableNames();

    struct Hit {
        bool any = false;
        std::string name; // the nearest name from the shape towards the root
        SbVec3f point;
    };

    SceneFile();
    ~SceneFile();
    SceneFile(const SceneFile &) = delete;
    SceneFile &operator=(const SceneFile &) = delete;

    SoSeparator *root() const { return sceneRoot; }

    // Path from the root to `node` (null when it is not in the graph); the
    // caller takes the first reference.
    SoPath *pathTo(SoNode *node) const;
    bool contains(SoNode *node) const;
    SbBox3f bounds(SoNode *node) const;
    // Centres of the node's own box and of each shape's box below it.
    std::vector<SbVec3f> aimPoints(SoNode *node) const;

    // A click in the middle of the game's 800 x 600 view with the eye at
    // `eye` looking at `aim`.
    Hit clickCentre(const SbVec3f &eye, const SbVec3f &aim) const;
    // The first thing a ray from `start` along `direction` meets.
    Hit castRay(const SbVec3f &start, const SbVec3f &direction) const;

  private:
    SoSeparator *sceneRoot = nullptr;
    SoPerspectiveCamera *camera = nullptr;
    // The same nodes without the camera: a camera met by a pick action
    // replaces a ray given in world space with one of its own.
    SoSeparator *cameraless = nullptr;
};
