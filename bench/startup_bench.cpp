// Start-up of the game as a player meets it: the wall time from starting the
// process to its idle window on screen with the logo shown. The game runs as
// its own process, started from its folder; this program watches the display
// from outside (and closes the window afterwards the way a window manager
// would, twice: the first close only ends the 3D view).
//
// Usage: startup_bench --game=PATH/curavant [benchmark options]

#include "logomatcher.h"
#include "windowprobe.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
using Clock = std::chrono::steady_clock;
std::string gamePath;

double secondsSince(Clock::time_point begin)
{
    return std::chrono::duration<double>(Clock::now() - begin).count();
}

std::string folderOf(const std::string &path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

pid_t launch()
{
    const pid_t pid = fork();
    if (pid == 0) {
        // Without /dev/null the game's messages show among the figures.
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0) {
            dup2(quiet, 1);
            dup2(quiet, 2);
        }
        if (chdir(folderOf(gamePath).c_str()) == 0)
            execl(gamePath.c_str(), "curavant", static_cast<char *>(nullptr));
        _exit(127);
    }
    return pid;
}

// Closes the window until the game has ended; kills it if it does not.
void closeGame(WindowProbe &probe, pid_t pid)
{
    const Clock::time_point begin = Clock::now();
    while (secondsSince(begin) < 20) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        probe.requestClose(probe.findWindow());
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

void startUp(benchmark::State &state)
{
    WindowProbe probe("curavant");
    const LogoMatcher logo(
        QImage(QString::fromStdString(folderOf(gamePath) + "/../data/logo.png")));
    if (!probe.connected() || !logo.valid()) {
        state.SkipWithError("no display, or no logo beside the game");
        return;
    }
    for (auto _ : state) {
        const Clock::time_point begin = Clock::now();
        const pid_t pid = launch();
        double mapped = -1, shown = -1;
        while (shown < 0 && secondsSince(begin) < 60) {
            const unsigned long window = probe.findWindow();
            if (window && mapped < 0)
                mapped = secondsSince(begin);
            if (window && logo.find(probe.grab(window)).x() >= 0)
                shown = secondsSince(begin);
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        closeGame(probe, pid);
        if (shown < 0) {
            state.SkipWithError("the logo did not appear within 60 s");
            return;
        }
        state.SetIterationTime(shown);
        state.counters["mapped_s"] = mapped;
    }
}
} // namespace

BENCHMARK(startUp)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

int main(int argc, char **argv)
{
    const char *flag = "--game=";
    int kept = 0;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0)
            gamePath = argv[i] + std::strlen(flag);
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    if (gamePath.empty()) {
        std::fprintf(stderr, "usage: startup_bench --game=PATH/curavant [benchmark options]\n");
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
