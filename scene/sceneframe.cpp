#include "sceneframe.h"

#include <Inventor/nodes/SoDirectionalLight.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>

SoPerspectiveCamera *frameScene(SoSeparator *root)
{
    auto *camera = new SoPerspectiveCamera;
    camera->nearDistance = 1;
    camera->farDistance = 1000;
    root->insertChild(camera, 0);
    auto *light = new SoDirectionalLight;
    light->color.setValue(0.8f, 0.8f, 0.8f);
    light->direction.setValue(0, -1, 0);
    root->insertChild(light, 1);
    return camera;
}
