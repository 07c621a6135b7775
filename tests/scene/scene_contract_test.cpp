// What the game needs of its room file: the named objects with the right
// types, picks that find the right name, the wound where the spray starts,
// the bed where the player cannot walk, and pendulums that move the patient.

#include "scenefile.h"

#include <Inventor/SoPath.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/lists/SoNodeList.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoPendulum.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoShape.h>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace
{

const std::vector<std::string> &pendulums = SceneFile::pendulumNames;

std::vector<std::string> clickables()
{
    return SceneFile::clickableNames();
}

SoNode *named(const std::string &name)
{
    return SoNode::getByName(name.c_str());
}

bool holdsShapes(SoNode *node)
{
    SoSearchAction search;
    search.setType(SoShape::getClassTypeId());
    search.setInterest(SoSearchAction::FIRST);
    search.apply(node);
    return search.getPath() != nullptr;
}

// Every named node below `node`, `node` itself not counted.
void collectNames(SoNode *node, std::vector<SoNode *> &found)
{
    if (!node->isOfType(SoGroup::getClassTypeId()))
        return;
    auto *group = static_cast<SoGroup *>(node);
    for (int i = 0; i < group->getNumChildren(); ++i) {
        SoNode *child = group->getChild(i);
        if (child->getName().getLength() > 0)
            found.push_back(child);
        collectNames(child, found);
    }
}

class SceneContract : public ::testing::Test
{
  protected:
    static void SetUpTestSuite() { scene = new SceneFile; }
    static void TearDownTestSuite()
    {
        delete scene;
        scene = nullptr;
    }
    static SceneFile *scene;
};
SceneFile *SceneContract::scene = nullptr;

TEST_F(SceneContract, FileReadsIntoOneRoot)
{
    ASSERT_NE(scene->root(), nullptr) << "cannot read " << SceneFile::path;
    EXPECT_GT(scene->root()->getNumChildren(), 2);
}

TEST_F(SceneContract, EveryNameExistsOnceWithItsType)
{
    ASSERT_NE(scene->root(), nullptr);
    for (const std::string &name : clickables()) {
        SoNodeList all;
        EXPECT_EQ(SoNode::getByName(name.c_str(), all), 1) << name << " must be defined once";
        SoNode *node = named(name);
        ASSERT_NE(node, nullptr) << name;
        EXPECT_TRUE(node->isOfType(SoGroup::getClassTypeId())) << name << " is not a group";
        EXPECT_TRUE(holdsShapes(node)) << name << " holds no shape";
        EXPECT_TRUE(scene->contains(node)) << name << " is not in the room";
    }
    for (const std::string &name : pendulums) {
        SoNodeList all;
        EXPECT_EQ(SoNode::getByName(name.c_str(), all), 1) << name << " must be defined once";
        SoNode *node = named(name);
        ASSERT_NE(node, nullptr) << name;
        EXPECT_TRUE(node->isOfType(SoPendulum::getClassTypeId())) << name << " is no pendulum";
    }
}

// A click counts for the nearest name above the shape, so a name inside a
// named object (other than a pendulum, which is never on a pick path) would
// steal its clicks.
TEST_F(SceneContract, NamedObjectsHoldNoOtherNames)
{
    ASSERT_NE(scene->root(), nullptr);
    for (const std::string &name : clickables()) {
        std::vector<SoNode *> inner;
        collectNames(named(name), inner);
        for (SoNode *node : inner)
            EXPECT_TRUE(node->isOfType(SoPendulum::getClassTypeId()))
                << "\"" << node->getName().getString() << "\" inside " << name;
    }
}

TEST_F(SceneContract, NamedObjectsStandInsideTheRoom)
{
    ASSERT_NE(scene->root(), nullptr);
    for (const std::string &name : clickables()) {
        const SbBox3f box = scene->bounds(named(name));
        ASSERT_FALSE(box.isEmpty()) << name;
        float x0, y0, z0, x1, y1, z1;
        box.getBounds(x0, y0, z0, x1, y1, z1);
        EXPECT_GE(x0, -252.5f) << name;
        EXPECT_LE(x1, 252.5f) << name;
        EXPECT_GE(z0, -232.5f) << name;
        EXPECT_LE(z1, 232.5f) << name;
        // Boxes of slanted shapes are a little loose; the stands' feet
        // touch the floor, and their boxes reach a few centimetres below.
        EXPECT_GE(y0, -5.0f) << name;
        EXPECT_LE(y1, 285.0f) << name;
    }
}

TEST_F(SceneContract, PatientLiesOnTheBedHeadTowardsMinusZ)
{
    ASSERT_NE(scene->root(), nullptr);
    const SbVec3f head = scene->bounds(named("Head")).getCenter();
    const SbVec3f torso = scene->bounds(named("Torso")).getCenter();
    const SbVec3f shin = scene->bounds(named("L_Shin1")).getCenter();
    EXPECT_LT(head[2], torso[2]);
    EXPECT_LT(torso[2], shin[2]);
    EXPECT_GT(shin[0], 0) << "the left shin lies on the +x side";
    for (const SbVec3f &part : {head, torso, shin}) {
        EXPECT_LT(std::fabs(part[0]), 40);
        EXPECT_LT(std::fabs(part[2]), 90);
        EXPECT_GT(part[1], 85) << "above the mattress";
    }
}

TEST_F(SceneContract, WoundLiesOnTopOfTheLeftShin)
{
    ASSERT_NE(scene->root(), nullptr);
    const SbVec3f wound(10, 93, 63);
    float x0, y0, z0, x1, y1, z1;
    scene->bounds(named("L_Shin1")).getBounds(x0, y0, z0, x1, y1, z1);
    EXPECT_TRUE(x0 < wound[0] && wound[0] < x1 && z0 < wound[2] && wound[2] < z1);
    EXPECT_GE(wound[1], y1 - 1.5f) << "the spray starts on the shin's top";
    EXPECT_LE(wound[1], y1 + 1.0f);

    // Looking straight down at the spray's start, the shin is what is hit,
    // right at its surface.
    const SceneFile::Hit hit = scene->castRay(SbVec3f(10, 200, 63), SbVec3f(0, -1, 0));
    ASSERT_TRUE(hit.any);
    EXPECT_EQ(hit.name, "L_Shin1");
    EXPECT_NEAR(hit.point[1], 93.0f, 1.0f);
}

// Straight down anywhere inside the box the player cannot enter, the first
// thing met is the mattress (or the patient on it); at its rim, the bed frame;
// just beside its long sides, the floor.
TEST_F(SceneContract, BedFillsTheBlockedBox)
{
    ASSERT_NE(scene->root(), nullptr);
    for (float x = -36; x <= 36; x += 8) {
        for (float z = -84; z <= 84; z += 12) {
            const SceneFile::Hit hit = scene->castRay(SbVec3f(x, 280, z), SbVec3f(0, -1, 0));
            ASSERT_TRUE(hit.any) << x << "," << z;
            EXPECT_GE(hit.point[1], 84.0f) << "at " << x << "," << z;
        }
    }
    for (float x : {-39.5f, 39.5f}) {
        for (float z : {-89.5f, 0.0f, 89.5f}) {
            const SceneFile::Hit hit = scene->castRay(SbVec3f(x, 280, z), SbVec3f(0, -1, 0));
            ASSERT_TRUE(hit.any) << x << "," << z;
            EXPECT_GE(hit.point[1], 58.0f) << "rim at " << x << "," << z;
        }
    }
    for (float x : {-46.0f, 46.0f}) {
        for (float z : {0.0f, 40.0f}) {
            const SceneFile::Hit hit = scene->castRay(SbVec3f(x, 280, z), SbVec3f(0, -1, 0));
            ASSERT_TRUE(hit.any) << x << "," << z;
            EXPECT_LT(hit.point[1], 1.0f) << "beside the bed at " << x << "," << z;
        }
    }
}

// Each pendulum swings a few degrees and stands in front of body parts in
// its group; together they move the three named parts.
TEST_F(SceneContract, PendulumsMoveThePatient)
{
    ASSERT_NE(scene->root(), nullptr);
    std::set<std::string> moved;
    for (const std::string &name : pendulums) {
        auto *pendulum = static_cast<SoPendulum *>(named(name));
        ASSERT_NE(pendulum, nullptr) << name;
        const SbRotation swing =
            pendulum->rotation0.getValue().inverse() * pendulum->rotation1.getValue();
        SbVec3f axis;
        float angle = 0;
        swing.getValue(axis, angle);
        EXPECT_GT(angle, 0.01f) << name << " does not swing";
        EXPECT_LT(angle, 0.2f) << name << " swings more than a tremble";
        EXPECT_GT(pendulum->speed.getValue(), 1.0f) << name << " is too slow to tremble";

        SoPath *path = scene->pathTo(pendulum);
        ASSERT_NE(path, nullptr) << name;
        path->ref();
        auto *group = static_cast<SoGroup *>(path->getNodeFromTail(1));
        bool shapesAfter = false;
        for (int i = group->findChild(pendulum) + 1; i < group->getNumChildren(); ++i) {
            SoNode *child = group->getChild(i);
            shapesAfter = shapesAfter || holdsShapes(child);
            if (child->getName().getLength() > 0)
                moved.insert(child->getName().getString());
            std::vector<SoNode *> inner;
            collectNames(child, inner);
            for (SoNode *node : inner)
                moved.insert(node->getName().getString());
        }
        EXPECT_TRUE(shapesAfter) << name << " moves nothing";
        path->unref();
    }
    for (const char *part : {"Head", "Torso", "L_Shin1"})
        EXPECT_EQ(moved.count(part), 1u) << part << " never trembles";
}

} // namespace
