#include "gamebench.h"

#include "fenster.h"
#include "scenariooption.h"
#include "scenestate.h"

#include <benchmark/benchmark.h>

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/system/gl.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace
{
std::string cpuModel()
{
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpuinfo, line))
        if (line.rfind("model name", 0) == 0)
            return line.substr(line.find(':') + 2);
    return "unknown";
}

// The figures depend on the processor and, for frames, on the renderer.
void describeMachine()
{
    benchmark::AddCustomContext("cpu_model", cpuModel());
    renderArea->render(); // makes the view's GL context current
    const auto *renderer = reinterpret_cast<const char *>(glGetString(GL_RENDERER));
    benchmark::AddCustomContext("gl_renderer", renderer ? renderer : "none");
}

void placeCamera(float x, float y, float z, const SbVec3f &target)
{
    cameraPosition[0] = x;
    cameraPosition[1] = y;
    cameraPosition[2] = z;
    camera->position.setValue(x, y, z);
    camera->pointAt(target);
}
} // namespace

int runBenchmarksInGame(int argc, char **argv)
{
    // As the game: --scenario FILE or CURAVANT_SCENARIO plays a scenario file.
    ScenarioFile scenario;
    std::string problem;
    if (!takeScenarioOption(argc, argv, scenario, problem)) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 2;
    }
    int status = 0;
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTimer::singleShot(0, [&status] {
        mainWindow->startAction->trigger();
        if (QTest::qWaitForWindowExposed(mainWindow->viewWidget)) {
            QApplication::processEvents();
            describeMachine();
            benchmark::RunSpecifiedBenchmarks();
        } else {
            status = 1;
        }
        mainWindow->close();
    });
    Fenster window(argc, argv, scenario);
    if (status)
        std::fprintf(stderr, "the game's 3D view did not come up\n");
    return status;
}

void lookFromStart()
{
    placeCamera(-80, 160, 0, SbVec3f(0, 120, 0));
}

void lookAtWound()
{
    // x = -60 lies outside the bed's block, a place the player can walk to.
    placeCamera(-60, 160, 60, SbVec3f(10, 93, 63));
}

double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}
