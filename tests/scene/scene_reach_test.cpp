// The room is playable: every object the game reacts to can be clicked from
// somewhere the player can stand, with a pitch the mouse-look allows, through
// the middle of the view, with nothing in front of it.

#include "scenefile.h"

#include <Inventor/nodes/SoNode.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

constexpr float eyeHeight = 160;
constexpr float pitchLimit = 1.2566371f; // the mouse-look keeps pitch strictly inside

bool walkable(float x, float z)
{
    const bool inRoom = -250 < x && x < 250 && -230 < z && z < 230;
    const bool inBed = -40 < x && x < 40 && -90 < z && z < 90;
    return inRoom && !inBed;
}

struct Standpoint {
    bool found = false;
    SbVec3f eye;
    SbVec3f aim;
    float pitch = 0;
};

// Tries standpoints on a grid over the floor, nearest to a comfortable
// arm's-length distance first, aiming at the object's centre and at the
// centre of each of its shapes.
Standpoint findStandpoint(const SceneFile &scene, const std::string &name)
{
    SoNode *node = SoNode::getByName(name.c_str());
    std::vector<SbVec3f> aims = scene.aimPoints(node);
    if (aims.empty())
        return Standpoint();
    // A handful of aim points is plenty, and keeps a failing search short.
    if (aims.size() > 10)
        aims.resize(10);
    const SbVec3f centre = aims.front();

    std::vector<SbVec3f> eyes;
    for (float x = -245; x <= 245; x += 15)
        for (float z = -225; z <= 225; z += 15)
            if (walkable(x, z))
                eyes.emplace_back(x, eyeHeight, z);
    auto preference = [&](const SbVec3f &eye) {
        const SbVec3f flat(centre[0] - eye[0], 0, centre[2] - eye[2]);
        return std::fabs(flat.length() - 110.0f);
    };
    std::sort(eyes.begin(), eyes.end(),
              [&](const SbVec3f &a, const SbVec3f &b) { return preference(a) < preference(b); });

    for (const SbVec3f &eye : eyes) {
        for (const SbVec3f &aim : aims) {
            const SbVec3f view = aim - eye;
            const float pitch = std::asin(view[1] / view.length());
            if (view.length() < 5 || std::fabs(pitch) >= pitchLimit - 0.01f)
                continue;
            if (scene.clickCentre(eye, aim).name == name)
                return Standpoint{true, eye, aim, pitch};
        }
    }
    return Standpoint();
}

TEST(SceneReach, EveryNamedObjectCanBeClickedFromTheFloor)
{
    SceneFile scene;
    ASSERT_NE(scene.root(), nullptr);
    for (const std::string &name : SceneFile::clickableNames()) {
        const Standpoint at = findStandpoint(scene, name);
        EXPECT_TRUE(at.found) << name << " cannot be clicked from anywhere";
        if (!at.found)
            continue;
        std::printf("%-20s eye (%6.1f, %5.1f)  aim (%6.1f, %5.1f, %6.1f)  pitch %5.1f deg\n",
                    name.c_str(), at.eye[0], at.eye[2], at.aim[0], at.aim[1], at.aim[2],
                    at.pitch * 180 / 3.14159265f);
        EXPECT_TRUE(walkable(at.eye[0], at.eye[2]));
        EXPECT_LT(std::fabs(at.pitch), pitchLimit);
    }
}

// The game's opening view, from (-80, 160, 0) towards (0, 120, 0), shows the
// patient: clicks a little below and above the middle land on body parts.
TEST(SceneReach, StartViewShowsThePatient)
{
    SceneFile scene;
    ASSERT_NE(scene.root(), nullptr);
    const SbVec3f eye(-80, 160, 0);
    EXPECT_EQ(scene.clickCentre(eye, SbVec3f(0, 100, 0)).name, "Torso");
    EXPECT_EQ(scene.clickCentre(eye, SbVec3f(0, 99, -71)).name, "Head");
    EXPECT_EQ(scene.clickCentre(eye, SbVec3f(10, 93, 63)).name, "L_Shin1");
}

} // namespace
