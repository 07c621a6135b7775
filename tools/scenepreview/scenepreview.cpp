#include "scenepreview.h"

#include "offscreencontext.h"
#include "sceneframe.h"

#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/SoOffscreenRenderer.h>
#include <Inventor/nodekits/SoNodeKit.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <cstring>

ScenePreview::ScenePreview(const std::string &scenePath)
{
    SoDB::init();
    SoNodeKit::init();

    SoInput input;
    if (!input.openFile(scenePath.c_str(), TRUE))
        return;
    sceneRoot = SoDB::readAll(&input);
    input.closeFile();
    if (!sceneRoot)
        return;
    sceneRoot->ref();

    viewCamera = frameScene(sceneRoot);

    aim(SbVec3f(-80, 160, 0), SbVec3f(0, 120, 0));
}

ScenePreview::~ScenePreview()
{
    if (sceneRoot)
        sceneRoot->unref();
}

void ScenePreview::aim(const SbVec3f &eye, const SbVec3f &target)
{
    if (!viewCamera)
        return;
    viewCamera->position = eye;
    viewCamera->pointAt(target);
}

QImage ScenePreview::render() const
{
    if (!sceneRoot)
        return QImage();
    OffscreenContext::install();
    SoOffscreenRenderer renderer(SbViewportRegion(width, height));
    renderer.setComponents(SoOffscreenRenderer::RGB);
    renderer.setBackgroundColor(SbColor(0, 0, 0));
    if (!renderer.render(sceneRoot))
        return QImage();

    // The renderer's rows run bottom to top, the picture's top to bottom.
    QImage image(width, height, QImage::Format_RGB888);
    const unsigned char *pixels = renderer.getBuffer();
    const int rowBytes = width * 3;
    for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), pixels + (height - 1 - y) * rowBytes, rowBytes);
    return image;
}
