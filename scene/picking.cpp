#include "picking.h"

#include "fenster.h"
#include "nodename.h"
#include "scenestate.h"

#include "codes.h"
#include "gamecourse.h"
#include "gamerecorder.h"
#include "level.h"

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/SoPath.h>
#include <Inventor/SoPickedPoint.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/events/SoButtonEvent.h>
#include <Inventor/nodes/SoEventCallback.h>
#include <Inventor/nodes/SoSeparator.h>

#include <QLabel>
#include <QPixmap>

#include <cstring>
#include <iostream>

namespace
{
const char *const iconFiles[toolCount] = {"../data/Icons/schmerzmittel.bmp",
                                          "../data/Icons/antidurchfall.bmp",
                                          "../data/Icons/antibrechmittel.bmp",
                                          "../data/Icons/paracetamol.bmp",
                                          "../data/Icons/blutdrucksenker.bmp",
                                          "../data/Icons/pflaster.bmp",
                                          "../data/Icons/druckverband.bmp",
                                          "../data/Icons/naehen.bmp",
                                          "../data/Icons/reinigen.bmp",
                                          "../data/Icons/o2.bmp",
                                          "../data/Icons/defi.bmp"};

void actOnName(const SbName &name)
{
    for (ToolId tool = 1; tool <= toolCount; ++tool)
        if (name == toolNodeName(tool)) {
            mainWindow->selectTool(tool);
            return;
        }
    static const PickTarget targets[] = {TargetInfusion, TargetTransfusion, TargetOp,
                                         TargetHead,     TargetShin,        TargetTorso};
    for (PickTarget target : targets)
        if (name == targetNodeName(target)) {
            mainWindow->applyTool(target);
            return;
        }
}
} // namespace

void Fenster::loadIcons()
{
    toolIcons = new QPixmap[toolCount];
    for (int i = 0; i < toolCount; ++i)
        toolIcons[i] = QPixmap(QString::fromLatin1(iconFiles[i]));
    logoPixmap = new QPixmap(QStringLiteral("../data/logo.png"));
}

void onButton(void *, SoEventCallback *node)
{
    const auto *event = static_cast<const SoButtonEvent *>(node->getEvent());
    if (event->getState() != SoButtonEvent::DOWN)
        return;
    const SbViewportRegion region = renderArea->getViewportRegion();
    // With the separators' bounding boxes cached, the ray skips every part of
    // the room it misses; without them it cuts each 3D text label into
    // triangles on every click. The boxes stay cached between clicks, so
    // this costs little after the first.
    SoGetBoundingBoxAction bounds(region);
    bounds.apply(sceneRoot);
    SoRayPickAction pick(region);
    pick.setPoint(event->getPosition());
    pick.apply(sceneRoot);
    const SoPickedPoint *hit = pick.getPickedPoint(0);
    if (!hit)
        return;
    const SbName name = nearestName(hit->getPath());
    const SbVec3f &point = hit->getPoint();
    std::cout << name.getString() << " an Pos: " << point[0] << "," << point[1] << "," << point[2]
              << ".\n";
    actOnName(name);
}

void Fenster::selectTool(int tool)
{
    std::cout << tool;
    if (tool >= 1 && tool <= toolCount) {
        currentTool = tool;
        toolLabel->setPixmap(toolIcons[tool - 1]);
    }
}

void Fenster::applyTool(int target)
{
    const ActionCode code = actionCodeFor(target, currentTool);
    if (code != NoAction) {
        level->treat(code);
        recorder->treated(code);
        course->treated(code);
    }
    currentTool = 0;
    toolLabel->clear();
}
