#pragma once

#include <Inventor/SbVec3f.h>
#include <QImage>
#include <string>

class SoPerspectiveCamera;
class SoSeparator;

// Shows a room file the way the game does, without the game: the file's root
// gets the game's camera at child 0 and the game's downward light at child 1,
// and the result is rendered off screen into an 800 x 600 picture. Used to
// look at the room while building it and by the lighting tests.
class ScenePreview
{
  public:
    static constexpr int width = 800;
    static constexpr int height = 600;

    explicit ScenePreview(const std::string &scenePath);
    ~ScenePreview();
    ScenePreview(const ScenePreview &) = delete;
    ScenePreview &operator=(const ScenePreview &) = delete;

    bool loaded() const { return sceneRoot != nullptr; }

    // Puts the eye at `eye` looking at `target`, with y kept up.
    void aim(const SbVec3f &eye, const SbVec3f &target);
    // A null image when there is no scene or no GL context could be had.
    QImage render() const;

  private:
    SoSeparator *sceneRoot = nullptr;
    SoPerspectiveCamera *viewCamera = nullptr;
};
