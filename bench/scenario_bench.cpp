// Loading a scenario file, as the game does before its window opens and when
// a scenario is chosen from its menu: each shipped case read from the disk
// (from the page cache after the first round) and checked whole. The goal is
// well under 5 ms a file.

#include "scenariofile.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{

void loadScenario(benchmark::State &state, const std::string &name)
{
    const std::string path = std::string(CURAVANT_SCENARIO_DIR "/") + name;
    for (auto _ : state) {
        ScenarioFile file;
        const std::string problem = loadScenarioFile(path, file);
        if (!problem.empty()) {
            state.SkipWithError(problem.c_str());
            break;
        }
        benchmark::DoNotOptimize(file.scenario.tenths);
    }
}

} // namespace

BENCHMARK_CAPTURE(loadScenario, fraktur, std::string("fraktur.toml"))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(loadScenario, erste_stunde, std::string("erste-stunde.toml"))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(loadScenario, pruefung, std::string("pruefung.toml"))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(loadScenario, schwer, std::string("schwer.toml"))->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
