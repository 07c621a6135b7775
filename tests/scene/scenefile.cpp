#include "scenefile.h"

#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/SoPath.h>
#include <Inventor/SoPickedPoint.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/lists/SoPathList.h>
#include <Inventor/nodekits/SoNodeKit.h>
#include <Inventor/nodes/SoDirectionalLight.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoShape.h>

namespace
{

const SbViewportRegion gameView(800, 600);

SceneFile::Hit hitOf(const SoPickedPoint *picked)
{
    SceneFile::Hit hit;
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

} // namespace

const std::vector<std::string> SceneFile::toolNames = {
    "Schmerzmittel", "Antidurchfallmittel", "Antibrechmittel", "Paracetamol", "Blutdrucksenker",
    "Pflaster",      "Druckverband",        "Nadel",           "Reinigen",    "O2",
    "Defi"};
const std::vector<std::string> SceneFile::targetNames = {"Head",     "L_Shin1",     "Torso",
                                                         "Infusion", "Transfusion", "OP"};
const std::vector<std::string> SceneFile::pendulumNames = {"pend1", "pend2", "pend3",
                                                           "pend4", "pend5", "pend6"};

std::vector<std::string> SceneFile::clickableNames()
{
    std::vector<std::string> all = toolNames;
    all.insert(all.end(), targetNames.begin(), targetNames.end());
    return all;
}

SceneFile::SceneFile()
{
    SoDB::init();
    SoNodeKit::init();
    SoInput input;
    if (!input.openFile(path, TRUE))
        return;
    sceneRoot = SoDB::readAll(&input);
    input.closeFile();
    if (!sceneRoot)
        return;
    sceneRoot->ref();

    camera = new SoPerspectiveCamera;
    camera->nearDistance = 1;
    camera->farDistance = 1000;
    sceneRoot->insertChild(camera, 0);
    auto *light = new SoDirectionalLight;
    light->color.setValue(0.8f, 0.8f, 0.8f);
    light->direction.setValue(0, -1, 0);
    sceneRoot->insertChild(light, 1);

    cameraless = new SoSeparator;
    cameraless->ref();
    for (int i = 1; i < sceneRoot->getNumChildren(); ++i)
        cameraless->addChild(sceneRoot->getChild(i));
}

SceneFile::~SceneFile()
{
    if (cameraless)
        cameraless->unref();
    if (sceneRoot)
        sceneRoot->unref();
}

SoPath *SceneFile::pathTo(SoNode *node) const
{
    if (!sceneRoot || !node)
        return nullptr;
    SoSearchAction search;
    search.setNode(node);
    search.setInterest(SoSearchAction::FIRST);
    search.apply(sceneRoot);
    SoPath *found = search.getPath();
    return found ? found->copy() : nullptr;
}

bool SceneFile::contains(SoNode *node) const
{
    SoPath *path = pathTo(node);
    if (!path)
        return false;
    path->ref();
    path->unref();
    return true;
}

SbBox3f SceneFile::bounds(SoNode *node) const
{
    SoPath *path = pathTo(node);
    if (!path)
        return SbBox3f();
    path->ref();
    SoGetBoundingBoxAction action(gameView);
    action.apply(path);
    path->unref();
    return action.getXfBoundingBox().project();
}

std::vector<SbVec3f> SceneFile::aimPoints(SoNode *node) const
{
    std::vector<SbVec3f> points;
    SoPath *path = pathTo(node);
    if (!path)
        return points;
    path->ref();
    points.push_back(bounds(node).getCenter());

    SoSearchAction search;
    search.setType(SoShape::getClassTypeId());
    search.setInterest(SoSearchAction::ALL);
    search.apply(node);
    for (int i = 0; i < search.getPaths().getLength(); ++i) {
        // The shape's path below `node`, joined to the path down to `node`.
        SoPath *full = path->copy();
        full->ref();
        const SoPath *below = search.getPaths()[i];
        for (int k = 1; k < below->getLength(); ++k)
            full->append(below->getIndex(k));
        SoGetBoundingBoxAction action(gameView);
        action.apply(full);
        points.push_back(action.getXfBoundingBox().project().getCenter());
        full->unref();
    }
    path->unref();
    return points;
}

SceneFile::Hit SceneFile::clickCentre(const SbVec3f &eye, const SbVec3f &aim) const
{
    if (!sceneRoot)
        return Hit();
    camera->position = eye;
    camera->pointAt(aim);
    SoRayPickAction pick(gameView);
    pick.setPoint(SbVec2s(400, 300));
    pick.apply(sceneRoot);
    return hitOf(pick.getPickedPoint(0));
}

SceneFile::Hit SceneFile::castRay(const SbVec3f &start, const SbVec3f &direction) const
{
    if (!sceneRoot)
        return Hit();
    SoRayPickAction pick(gameView);
    pick.setRay(start, direction, 0.1f, 1000.0f);
    pick.apply(cameraless);
    return hitOf(pick.getPickedPoint(0));
}
