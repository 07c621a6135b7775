// The game clock with the real window built: the CPU time of a plain tick of
// a running game and of a tick that also advances the scenario, and the
// clock's drift, the wall time the real chain of 50 ms timers takes for a
// number of ticks against the ideal.
//
// A whole game is 2,400 ticks (ideally 120 s); the drift measures 400 ticks
// by default and scales the result. --drift_ticks=2400 measures a whole game.

#include "gamebench.h"

#include "fenster.h"
#include "level.h"

#include <benchmark/benchmark.h>

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace
{
int driftTicks = 400;
const double tickSeconds = 0.05;
const int ticksPerGame = Fenster::gameLength;

void tickWithout(benchmark::State &state, int timeLeftBefore)
{
    Fenster &w = *mainWindow;
    int ticks = 0;
    for (auto _ : state) {
        w.timeLeft = timeLeftBefore;
        w.advanceClock();
        if (++ticks % 100 == 0)
            w.level->reset(); // keep the patient alive: a dead one reads nothing
    }
}

void plainTick(benchmark::State &state)
{
    tickWithout(state, Fenster::gameLength - 1);
}

void scenarioTick(benchmark::State &state)
{
    tickWithout(state, Fenster::gameLength - 19); // the scenario's next step is due
}

// Wall time from the first tick of a fresh game to the tick `driftTicks`
// later, while the event loop runs the real timer chain and draws the view.
// The loop's own signals time the ticks without waking it up: a tick is
// dated to the moment the loop woke for it.
double chainSeconds()
{
    Fenster &w = *mainWindow;
    w.startAction->trigger();
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    qint64 wokeAt = 0, first = -1, last = -1;
    int seen = w.timeLeft;
    auto *dispatcher = QAbstractEventDispatcher::instance();
    QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, &loop,
                     [&] { wokeAt = clock.nsecsElapsed(); });
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &loop, [&] {
        if (w.timeLeft == seen)
            return;
        seen = w.timeLeft;
        if (first < 0)
            first = wokeAt;
        if (w.timeLeft <= ticksPerGame - 1 - driftTicks) {
            last = wokeAt;
            loop.quit();
        }
    });
    loop.exec();
    return static_cast<double>(last - first) * 1e-9;
}

void reportDrift(benchmark::State &state, double seconds)
{
    const double ideal = driftTicks * tickSeconds;
    state.SetIterationTime(seconds);
    state.counters["ticks"] = driftTicks;
    state.counters["drift_%"] = (seconds - ideal) / ideal * 100;
    state.counters["game_s"] = seconds / driftTicks * ticksPerGame;
}

void clockDrift(benchmark::State &state)
{
    for (auto _ : state)
        reportDrift(state, chainSeconds());
}

// For comparison, the same number of 50 ms single-shot timers chained by a
// routine that does nothing else, in the same event loop: what the toolkit
// and the machine alone add to each tick.
double bareChainSeconds()
{
    QElapsedTimer clock;
    QEventLoop loop;
    QObject context;
    int ticks = 0;
    std::function<void()> tick = [&] {
        if (++ticks == driftTicks)
            loop.quit();
        else
            QTimer::singleShot(50, &context, tick);
    };
    clock.start();
    QTimer::singleShot(50, &context, tick);
    loop.exec();
    return static_cast<double>(clock.nsecsElapsed()) * 1e-9;
}

void bareTimerChainDrift(benchmark::State &state)
{
    mainWindow->endAction->trigger(); // the game's own chain only re-arms
    for (auto _ : state)
        reportDrift(state, bareChainSeconds());
}

// Takes --drift_ticks=N out of the arguments before the benchmark library
// sees them.
void takeDriftTicks(int &argc, char **argv)
{
    const char *flag = "--drift_ticks=";
    int kept = 0;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0)
            driftTicks = std::max(20, std::atoi(argv[i] + std::strlen(flag)));
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
}
} // namespace

BENCHMARK(plainTick)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(scenarioTick)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(clockDrift)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly();
BENCHMARK(bareTimerChainDrift)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

int main(int argc, char **argv)
{
    takeDriftTicks(argc, argv);
    return runBenchmarksInGame(argc, argv);
}
