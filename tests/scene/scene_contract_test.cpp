// What the game needs of its room file: every named object clickable.

#include "codes.h"
#include "nodename.h"

#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/SoPickedPoint.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/lists/SoNodeList.h>
#include <Inventor/lists/SoPathList.h>
#include <Inventor/nodekits/SoNodeKit.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoShape.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{

std::vector<std::string> clickables()
{
    std::vector<std::string> names;
    for (ToolId tool = 1; tool <= toolCount; ++tool)
        names.push_back(toolNodeName(tool));
    for (PickTarget target = 1; target <= targetCount; ++target)
        names.push_back(targetNodeName(target));
    return names;
}

struct Room {
    SoSeparator *root = nullptr;
    SoPathList shapes;

    Room()
    {
        SoDB::init();
        SoNodeKit::init();
        SoInput input;
        if (input.openFile("../data/scene002.iv", TRUE))
            root = SoDB::readAll(&input);
        root = root ? root : new SoSeparator;
        root->ref();
        SoSearchAction search;
        search.setType(SoShape::getClassTypeId());
        search.setInterest(SoSearchAction::ALL);
        search.apply(root);
        shapes = search.getPaths();
    }
};
const Room &room()
{
    static const Room theRoom;
    return theRoom;
}

std::string nameOf(const SoPath *path)
{
    return nearestName(path).getString();
}

// What a click in the middle of the view picks when `start` is the eye.
std::string castRay(const SbVec3f &start, const SbVec3f &direction)
{
    SoRayPickAction pick(SbViewportRegion(800, 600));
    pick.setRay(start, direction, 1, 1000);
    pick.apply(room().root);
    const SoPickedPoint *picked = pick.getPickedPoint();
    return picked ? nameOf(picked->getPath()) : "(nothing)";
}

// A tool's name hides that of the shelf it lies on.
TEST(SceneContract, ClickCountsForTheNearestName)
{
    SoDB::init();
    auto *shelf = new SoSeparator, *tool = new SoSeparator;
    shelf->ref();
    shelf->setName("Shelf");
    tool->setName("Pflaster");
    shelf->addChild(tool);
    shelf->addChild(new SoCube);
    tool->addChild(new SoCube);
    const auto nameAt = [shelf](std::initializer_list<int> indices) {
        SoPath *path = new SoPath(shelf);
        path->ref();
        for (int index : indices)
            path->append(index);
        const std::string name = nameOf(path);
        path->unref();
        return name;
    };
    EXPECT_EQ(nameAt({0, 0}), "Pflaster");
    EXPECT_EQ(nameAt({1}), "Shelf");
    shelf->setName("");
    EXPECT_EQ(nameAt({1}), "");
    shelf->unref();
}

// Each name is one group whose every shape takes its clicks, and some point of
// the walkable floor has an aim within the 72 degrees of pitch the mouse-look
// allows from which a click picks it.
TEST(SceneContract, EveryNamedObjectCanBeClickedFromTheFloor)
{
    const SoPathList &shapes = room().shapes;
    ASSERT_GT(shapes.getLength(), 0) << "cannot read ../data/scene002.iv";
    // Give or take the loose boxes of slanted shapes.
    const SbBox3f inRoom(-252.5f, -5, -232.5f, 252.5f, 285, 232.5f);
    for (const std::string &name : clickables()) {
        SoNodeList all;
        ASSERT_EQ(SoNode::getByName(name.c_str(), all), 1) << name;
        EXPECT_TRUE(all[0]->isOfType(SoGroup::getClassTypeId())) << name;
        std::vector<SbVec3f> aims;
        for (int i = 0; i < shapes.getLength(); ++i) {
            if (!shapes[i]->containsNode(all[0]))
                continue;
            EXPECT_EQ(nameOf(shapes[i]), name) << "a shape inside " << name;
            SoGetBoundingBoxAction box(SbViewportRegion(800, 600));
            box.apply(shapes[i]);
            const SbBox3f shape = box.getXfBoundingBox().project();
            EXPECT_TRUE(inRoom.intersect(shape.getMin()) && inRoom.intersect(shape.getMax()))
                << "a shape of " << name << " outside the room";
            if (aims.size() < 10)
                aims.push_back(shape.getCenter());
        }
        bool clickable = false;
        for (float x = -245; x < 250 && !clickable; x += 15) {
            for (float z = -225; z < 230 && !clickable; z += 15) {
                const SbVec3f eye(x, 160, z);
                const bool inBed = std::fabs(x) < 40 && std::fabs(z) < 90;
                for (const SbVec3f &aim : aims) {
                    const SbVec3f view = aim - eye;
                    clickable = clickable ||
                                (!inBed && std::asin(std::fabs(view[1]) / view.length()) < 1.25f &&
                                 castRay(eye, view) == name);
                }
            }
        }
        EXPECT_TRUE(clickable) << name << " cannot be clicked from anywhere";
    }
}

} // namespace
