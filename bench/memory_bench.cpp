// Peak resident memory of a running game against that of a bare SoQt render
// area of the same size with an empty scene: the difference is what the game
// itself costs. Each repetition starts this program twice more, once as each
// of the two, and reads the children's peak from the kernel (wait4).
//
// Resident memory also counts the pages of shared libraries a process has
// run or read, which every other process using them shares; so each child
// also reports its private memory (anonymous and shared-memory pages: heap,
// driver buffers, the window's backing store) at the end of its run.

#include "gamebench.h"

#include "fenster.h"
#include "gameclock.h"
#include "level.h"
#include "scenestate.h"

#include <benchmark/benchmark.h>

#include <Inventor/Qt/SoQt.h>
#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/nodes/SoSeparator.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

namespace
{
// Written by a child as its last line on standard output.
const char *const privateMarker = "private_KiB ";

void reportPrivateMemory()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    long kib = 0;
    while (std::getline(status, line))
        if (line.rfind("RssAnon:", 0) == 0 || line.rfind("RssShmem:", 0) == 0)
            kib += std::stol(line.substr(line.find(':') + 1));
    std::cout << privateMarker << kib << std::endl;
}

// As many frames as about five seconds of a running game draw.
const int frames = 100;

// The game: start, bleed, go into shock (the pendulums swing), walk up to the
// wound and run the clock with a frame per tick, as a player sees it.
int playGame(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTimer::singleShot(0, [] {
        Fenster &w = *mainWindow;
        w.startAction->trigger();
        if (!QTest::qWaitForWindowExposed(w.viewWidget))
            std::abort();
        for (int i = 0; i < frames; ++i) {
            if (i == frames / 2)
                lookAtWound();
            w.level->bleedingStage = 3;
            w.level->shock = true;
            w.advanceClock();
            renderArea->render();
            QApplication::processEvents();
        }
        reportPrivateMemory();
        w.close();
    });
    Fenster window(argc, argv);
    return 0;
}

// The toolkit alone: the same render area in an 800 x 600 widget, drawing an
// empty scene as often.
int showBareRenderArea(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget *view = SoQt::init(argc, argv, argv[0], "SoQt");
    auto *root = new SoSeparator;
    root->ref();
    auto *area = new SoQtRenderArea(view, nullptr, TRUE, TRUE, TRUE);
    area->setSceneGraph(root);
    view->setFixedSize(800, 600);
    area->show();
    SoQt::show(view);
    QTimer::singleShot(0, [&] {
        if (!QTest::qWaitForWindowExposed(view))
            std::abort();
        for (int i = 0; i < frames; ++i) {
            area->render();
            QApplication::processEvents();
        }
        reportPrivateMemory();
        SoQt::exitMainLoop();
    });
    SoQt::mainLoop();
    delete area;
    root->unref();
    return 0;
}

struct ChildMemory {
    double peakMiB = -1;
    double privateMiB = -1;
};

// Runs this program as `--child=ROLE`; its figures stay negative if it fails.
ChildMemory runChild(const char *role)
{
    ChildMemory memory;
    const std::string flag = std::string("--child=") + role;
    int output[2];
    if (pipe(output) != 0)
        return memory;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(output[1], 1);
        close(output[0]);
        execl("/proc/self/exe", "memory_bench", flag.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    close(output[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(output[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<size_t>(n));
    close(output[0]);
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return memory;
    memory.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024; // ru_maxrss is in KiB
    const size_t at = text.rfind(privateMarker);
    if (at != std::string::npos)
        memory.privateMiB = std::stod(text.substr(at + std::strlen(privateMarker))) / 1024;
    return memory;
}

void peakMemory(benchmark::State &state)
{
    for (auto _ : state) {
        const ChildMemory game = runChild("game");
        const ChildMemory bare = runChild("bare");
        if (game.peakMiB < 0 || bare.peakMiB < 0 || game.privateMiB < 0 || bare.privateMiB < 0) {
            state.SkipWithError("a child process failed");
            return;
        }
        state.counters["game_MiB"] = game.peakMiB;
        state.counters["bare_MiB"] = bare.peakMiB;
        state.counters["cost_MiB"] = game.peakMiB - bare.peakMiB;
        state.counters["private_cost_MiB"] = game.privateMiB - bare.privateMiB;
    }
}
} // namespace

BENCHMARK(peakMemory)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

int main(int argc, char **argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--child=game") == 0)
        return playGame(argc, argv);
    if (argc == 2 && std::strcmp(argv[1], "--child=bare") == 0)
        return showBareRenderArea(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
