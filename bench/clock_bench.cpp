// CPU time of the game clock's work with the real window built: a plain tick
// of a running game, and a tick that also advances the scenario.

#include "fenster.h"
#include "level.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QTimer>

namespace
{
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
    tickWithout(state, 2399);
}

void scenarioTick(benchmark::State &state)
{
    tickWithout(state, 2381);
}
} // namespace

BENCHMARK(plainTick)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(scenarioTick)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTimer::singleShot(0, [] {
        mainWindow->startAction->trigger();
        benchmark::RunSpecifiedBenchmarks();
        mainWindow->close();
    });
    Fenster window(argc, argv);
    return 0;
}
