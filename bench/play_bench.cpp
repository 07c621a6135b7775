// A running game left to its real clock and event loop, as a player has it:
// how many frames the 3D view draws per second and how much CPU time the
// whole process (the GUI thread and the GL driver's threads) takes per
// second of play: standing still with nothing happening, with the patient
// bleeding (the spray moves with every tick), bleeding and trembling in a
// shock, and while the player turns with the mouse. Frames are counted by the
// render action's pre-render hook, which runs once for every frame drawn.

#include "gamebench.h"

#include "fenster.h"
#include "fraktur.h"
#include "scenestate.h"

#include <benchmark/benchmark.h>

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/actions/SoGLRenderAction.h>

#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <X11/Xlib.h>

namespace
{
const int playMilliseconds = 5000;
// A mouse reports its motion about a hundred times a second.
const int mouseMillisecondsPerMove = 10;
const int pixelsPerMove = 4;

int framesDrawn = 0;

void countFrame(void *, SoGLRenderAction *)
{
    ++framesDrawn;
}

// A fresh game in which no further complication strikes: the patient bleeds
// at `stage` (0 for not at all), in a shock or not; the scenario's next step
// sets the pendulums trembling or stops them.
void steadyPatient(int stage, bool shock)
{
    auto &patient = static_cast<Fraktur &>(*mainWindow->level);
    patient.reset();
    patient.complicationDivisor = 0.001f; // no strike unless the draw is 0
    patient.complicationActive = shock ? 1 : 0;
    patient.bleedingStage = stage;
}

// Moves the pointer a few pixels to the right, as a player's mouse does,
// through a connection of its own to the X server: the server then sends the
// view a motion event, and mouse-look turns the view and holds the pointer.
void nudgeMouse()
{
    static Display *display = XOpenDisplay(nullptr);
    if (!display)
        return;
    XWarpPointer(display, None, None, 0, 0, 0, 0, pixelsPerMove, 0);
    XFlush(display);
}

void play(benchmark::State &state, int stage, bool shock, bool turning)
{
    lookFromStart();
    steadyPatient(stage, shock);
    QTest::qWait(1500); // a scenario step, and the frames of the changed view
    SoGLRenderAction *action = renderArea->getGLRenderAction();
    action->addPreRenderCallback(countFrame, nullptr);
    QTimer mouse;
    QObject::connect(&mouse, &QTimer::timeout, nudgeMouse);
    for (auto _ : state) {
        QEventLoop loop;
        QTimer::singleShot(playMilliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        if (turning)
            mouse.start(mouseMillisecondsPerMove);
        const int timeLeft = mainWindow->timeLeft;
        framesDrawn = 0;
        const double cpu = processCpuSeconds();
        QElapsedTimer wall;
        wall.start();
        loop.exec();
        mouse.stop();
        const double seconds = static_cast<double>(wall.nsecsElapsed()) * 1e-9;
        state.SetIterationTime(seconds);
        state.counters["frames_per_s"] = framesDrawn / seconds;
        state.counters["ticks_per_s"] = (timeLeft - mainWindow->timeLeft) / seconds;
        state.counters["cpu_%"] = (processCpuSeconds() - cpu) / seconds * 100;
    }
    action->removePreRenderCallback(countFrame, nullptr);
    lookFromStart();
}

void standingStill(benchmark::State &state)
{
    play(state, 0, false, false);
}

void standingBleeding(benchmark::State &state)
{
    play(state, 3, false, false);
}

void standingBleedingInShock(benchmark::State &state)
{
    play(state, 3, true, false);
}

void turningStill(benchmark::State &state)
{
    play(state, 0, false, true);
}

void turningBleeding(benchmark::State &state)
{
    play(state, 3, false, true);
}
} // namespace

BENCHMARK(standingStill)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly();
BENCHMARK(standingBleeding)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly();
BENCHMARK(standingBleedingInShock)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly();
BENCHMARK(turningStill)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly();
BENCHMARK(turningBleeding)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

int main(int argc, char **argv)
{
    return runBenchmarksInGame(argc, argv);
}
