#include "sceneprobe.h"

#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/SoPath.h>
#include <Inventor/SoPickedPoint.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>

#include <cmath>
#include <vector>

namespace
{
const SbViewportRegion view(800, 600);
const float turnPerPixel = 0.01f;
const float fullTurn = 6.2831855f;
const int searchRadius = 14;

double towardsZero(double angle)
{
    while (angle > M_PI)
        angle -= 2 * M_PI;
    while (angle <= -M_PI)
        angle += 2 * M_PI;
    return angle;
}
} // namespace

SceneProbe::SceneProbe(const std::string &scenePath)
{
    if (!SoDB::isInitialized())
        SoDB::init();
    SoInput input;
    if (!input.openFile(scenePath.c_str(), TRUE))
        return;
    SoSeparator *file = SoDB::readAll(&input);
    input.closeFile();
    if (!file)
        return;
    root = new SoSeparator;
    root->ref();
    camera = new SoPerspectiveCamera;
    camera->nearDistance = 1;
    camera->farDistance = 1000;
    root->addChild(camera);
    root->addChild(file);
}

SceneProbe::~SceneProbe()
{
    if (root)
        root->unref();
}

SbBox3f SceneProbe::bounds(const char *name) const
{
    SoSearchAction search;
    search.setName(SbName(name));
    search.setInterest(SoSearchAction::FIRST);
    search.apply(root);
    SoPath *path = search.getPath();
    if (!path)
        return SbBox3f();
    SoGetBoundingBoxAction box(view);
    box.apply(path);
    return box.getBoundingBox();
}

SceneProbe::Gaze SceneProbe::turned(Gaze from, int right, int up)
{
    Gaze to = from;
    to.yaw = static_cast<float>(from.yaw + right * static_cast<double>(turnPerPixel));
    const float pitch = static_cast<float>(from.pitch + up * static_cast<double>(turnPerPixel));
    if (pitch > -pitchLimit && pitch < pitchLimit)
        to.pitch = pitch;
    if (to.yaw > fullTurn)
        to.yaw -= fullTurn;
    if (to.yaw < -fullTurn)
        to.yaw += fullTurn;
    return to;
}

SceneProbe::Hit SceneProbe::pick(const SbVec3f &eye, Gaze gaze, SbVec2s pixel) const
{
    // The aim point 10 units along the view direction, each cosine and sine
    // taken in double and kept as a float, as the game aims its camera.
    auto f = [](double value) { return static_cast<float>(value); };
    const float cp = f(std::cos(static_cast<double>(gaze.pitch)));
    const float sp = f(std::sin(static_cast<double>(gaze.pitch)));
    const float cy = f(std::cos(static_cast<double>(gaze.yaw)));
    const float sy = f(std::sin(static_cast<double>(gaze.yaw)));
    const SbVec3f aim(f(eye[0] + 10.0 * cy * cp), f(eye[1] + 10.0 * sp),
                      f(eye[2] + 10.0 * sy * cp));
    camera->position = eye;
    camera->pointAt(aim);
    SoRayPickAction action(view);
    action.setPoint(pixel);
    action.apply(root);
    Hit hit;
    const SoPickedPoint *picked = action.getPickedPoint(0);
    if (!picked)
        return hit;
    hit.any = true;
    hit.point = picked->getPoint();
    const SoPath *path = picked->getPath();
    for (int i = 0; i < path->getLength(); ++i) {
        const SbName name = path->getNodeFromTail(i)->getName();
        if (name.getLength() > 0) {
            hit.name = name.getString();
            break;
        }
    }
    return hit;
}

SceneProbe::Turn SceneProbe::turnTowards(const char *name, const SbVec3f &eye, Gaze from,
                                         SbVec2s pixel, const std::function<void()> &between) const
{
    Turn best;
    const SbBox3f box = bounds(name);
    if (box.isEmpty())
        return best;
    const SbVec3f to = box.getCenter() - eye;
    const double yaw = std::atan2(to[2], to[0]);
    const double pitch = std::atan2(to[1], std::hypot(to[0], to[2]));
    if (std::fabs(pitch) >= pitchLimit)
        return best;
    const int right0 = static_cast<int>(std::lround(towardsZero(yaw - from.yaw) / turnPerPixel));
    const int up0 = static_cast<int>(std::lround((pitch - from.pitch) / turnPerPixel));

    // Which movements around the estimate hit the object; the click is at
    // the anchor, which need not be the view's centre, hence the search.
    const int side = 2 * searchRadius + 1;
    std::vector<char> hits(static_cast<size_t>(side * side));
    for (int j = 0; j < side; ++j) {
        if (between)
            between();
        for (int i = 0; i < side; ++i) {
            const Gaze gaze = turned(from, right0 + i - searchRadius, up0 + j - searchRadius);
            hits[static_cast<size_t>(j * side + i)] = pick(eye, gaze, pixel).name == name;
        }
    }
    auto hitAt = [&](int i, int j) {
        return i >= 0 && j >= 0 && i < side && j < side && hits[static_cast<size_t>(j * side + i)];
    };
    auto ringHits = [&](int i, int j, int k) {
        for (int d = -k; d <= k; ++d)
            if (!hitAt(i + d, j - k) || !hitAt(i + d, j + k) || !hitAt(i - k, j + d) ||
                !hitAt(i + k, j + d))
                return false;
        return true;
    };
    // The margin of a movement: how far the pointer may stray from it in any
    // direction with every movement in that square still hitting.
    for (int j = 0; j < side; ++j)
        for (int i = 0; i < side; ++i) {
            if (!hitAt(i, j))
                continue;
            int margin = 0;
            while (ringHits(i, j, margin + 1))
                ++margin;
            if (!best.found || margin > best.margin) {
                best.found = true;
                best.margin = margin;
                best.right = right0 + i - searchRadius;
                best.up = up0 + j - searchRadius;
            }
        }
    if (best.found)
        best.after = turned(from, best.right, best.up);
    return best;
}
