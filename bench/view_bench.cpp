// The 3D view of a running game on the software renderer: the wall time and
// the process's CPU time of one 800 x 600 frame from the start position and
// of one looking at the bleeding wound with the spray, each with the room
// drawn and as a standing view copies it; and of one pick through the view's centre,
// both as a bare ray-pick action on the room as loaded and as a real click,
// whose handler first caches the separators' bounding boxes.

#include "gamebench.h"

#include "fenster.h"
#include "gameclock.h"
#include "level.h"
#include "scenestate.h"

#include <benchmark/benchmark.h>

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/SoPath.h>
#include <Inventor/SoPickedPoint.h>
#include <Inventor/actions/SoHandleEventAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/events/SoMouseButtonEvent.h>
#include <Inventor/nodes/SoNode.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/system/gl.h>

#include <iostream>
#include <sstream>
#include <string>

namespace
{
// A standing view draws the room once and copies it back after; a touched
// camera draws it on every frame, as after any change.
void frame(benchmark::State &state, void (*look)(), int bleedingStage, bool drawRoom)
{
    look();
    mainWindow->level->bleedingStage = bleedingStage;
    const SbVec2s size = renderArea->getViewportRegion().getViewportSizePixels();
    const double cpu = processCpuSeconds();
    for (auto _ : state) {
        simulationTime += timeStep; // the spray moves from frame to frame
        if (drawRoom)
            camera->position.touch();
        renderArea->render();
        glFinish();
    }
    // llvmpipe draws on threads of its own besides the GUI thread.
    state.counters["process_cpu_ms"] = benchmark::Counter((processCpuSeconds() - cpu) * 1e3 /
                                                          static_cast<double>(state.iterations()));
    state.SetLabel(std::to_string(size[0]) + "x" + std::to_string(size[1]));
}

void frameFromStart(benchmark::State &state)
{
    frame(state, lookFromStart, 0, true);
}

void frameAtWoundWithSpray(benchmark::State &state)
{
    frame(state, lookAtWound, 3, true);
}

void standingFrameFromStart(benchmark::State &state)
{
    frame(state, lookFromStart, 0, false);
}

void standingFrameAtWoundWithSpray(benchmark::State &state)
{
    frame(state, lookAtWound, 3, false);
}

// The name a click there would count for, for the report.
std::string pickedName(const SoPickedPoint *hit)
{
    if (!hit)
        return "nothing";
    const SoPath *path = hit->getPath();
    for (int i = 0; i < path->getLength(); ++i)
        if (path->getNodeFromTail(i)->getName().getLength() > 0)
            return path->getNodeFromTail(i)->getName().getString();
    return "an unnamed shape";
}

SbVec2s viewCentre()
{
    const SbVec2s size = renderArea->getViewportRegion().getViewportSizePixels();
    return SbVec2s(static_cast<short>(size[0] / 2), static_cast<short>(size[1] / 2));
}

void rayPick(benchmark::State &state, void (*look)())
{
    look();
    const SbViewportRegion region = renderArea->getViewportRegion();
    std::string name;
    for (auto _ : state) {
        SoRayPickAction action(region);
        action.setPoint(viewCentre());
        action.apply(sceneRoot);
        const SoPickedPoint *hit = action.getPickedPoint(0);
        benchmark::DoNotOptimize(hit);
        if (name.empty())
            name = pickedName(hit);
    }
    state.SetLabel("hits " + name);
}

// The whole of a click's handling: the press travels through the scene's
// event callbacks to the button handler, which picks and acts on the name.
void click(benchmark::State &state, void (*look)())
{
    look();
    SoMouseButtonEvent press;
    press.setButton(SoMouseButtonEvent::BUTTON1);
    press.setState(SoButtonEvent::DOWN);
    press.setPosition(viewCentre());
    SoHandleEventAction action(renderArea->getViewportRegion());
    action.setEvent(&press);
    std::ostringstream written; // the pick line the handler writes
    std::streambuf *console = std::cout.rdbuf(written.rdbuf());
    for (auto _ : state) {
        action.apply(sceneRoot);
        written.str(std::string());
    }
    action.apply(sceneRoot);
    std::cout.rdbuf(console);
    const std::string name = written.str().substr(0, written.str().find(" an Pos"));
    state.SetLabel("hits " + (name.empty() ? std::string("an unnamed shape") : name));
}

void rayPickFromStart(benchmark::State &state)
{
    rayPick(state, lookFromStart);
}

void rayPickAtWound(benchmark::State &state)
{
    rayPick(state, lookAtWound);
}

void clickFromStart(benchmark::State &state)
{
    click(state, lookFromStart);
}

void clickAtWound(benchmark::State &state)
{
    click(state, lookAtWound);
}
} // namespace

BENCHMARK(frameFromStart)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(frameAtWoundWithSpray)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly();
// Registered in this order on purpose: the bare picks run on the room as
// loaded, before the first click has cached any bounding box.
BENCHMARK(rayPickFromStart)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(rayPickAtWound)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(clickFromStart)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(clickAtWound)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
// After the picks: a standing view caches the separators' bounding boxes.
BENCHMARK(standingFrameFromStart)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(standingFrameAtWoundWithSpray)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly();

int main(int argc, char **argv)
{
    return runBenchmarksInGame(argc, argv);
}
