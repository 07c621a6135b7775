// curavant-sim: plays one scripted game of the fracture scenario without the
// 3D view and prints the patient's course as CSV on standard output, and on
// request draws it into a picture; or draws a game recorded by the window.

#include "course.h"
#include "courseplot.h"
#include "coursetable.h"
#include "runner.h"
#include "script.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <algorithm>
#include <clocale>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace
{

std::string scriptName(const std::string &path)
{
    if (path.empty() || path == "-")
        return "standard input";
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string plotProblem(const std::string &path, const QString &why)
{
    return printableName(path) + ": cannot write the plot: " + why.toStdString();
}

// Opened before the game is played, so that a path that cannot be written is
// refused before any of the table. QSaveFile would replace a pipe or a
// device with the picture; those are refused.
std::string openPlot(QSaveFile &file, const std::string &path)
{
    const QFileInfo target(file.fileName());
    if (target.exists() && !target.isFile() && !target.isDir())
        return plotProblem(path, QStringLiteral("not a regular file"));
    return file.open(QIODevice::WriteOnly) ? std::string() : plotProblem(path, file.errorString());
}

std::string drawPlot(const Course &course, const std::string &subtitle, QSaveFile &file,
                     const std::string &path)
{
    const QString problem = CoursePlot(course, subtitle).save(file);
    return problem.isEmpty() ? std::string() : plotProblem(path, problem);
}

// The recorded course with the treatments of the script, if one is named.
// A treatment made after the last step (before "Ende") has no step to mark.
// The complications are those the script notes, as a recorded game's does;
// without such notes, those the table shows: it misses a shock that
// treatment ends and a new roll starts again within one step.
std::string loadCourse(const CommandLine &commandLine, Course &course)
{
    std::ifstream table(commandLine.coursePath, std::ios::binary);
    if (!table.is_open())
        return printableName(commandLine.coursePath) + ": cannot read";
    std::string problem = readCourseTable(table, commandLine.coursePath, course);
    if (!problem.empty() || commandLine.scriptPath.empty())
        return problem;
    CommandLine script = commandLine;
    const int steps = static_cast<int>(course.steps.size());
    script.steps = steps + 1;
    Plan plan;
    problem = loadPlan(script, std::cin, plan);
    std::vector<CourseEvent> events;
    for (const Treatment &t : plan.treatments)
        if (t.step <= steps)
            events.push_back({t.step, EventKind::Treatment, t.code});
    for (const CourseEvent &e : plan.complications.empty() ? course.events : plan.complications)
        if (e.step <= steps)
            events.push_back(e);
    std::stable_sort(events.begin(), events.end(),
                     [](const CourseEvent &a, const CourseEvent &b) { return a.step < b.step; });
    course.events = events;
    return problem;
}

// Qt's chatter about its runtime folder and fonts would mix with the codes
// echoed on standard error; only its serious messages get through.
void quietQtMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "curavant-sim: " << message.toStdString() << '\n';
}

} // namespace

int main(int argc, char **argv)
{
    // Unsynchronised streams report read errors on standard input (a
    // directory, say) as a bad stream instead of a silent end of file.
    std::ios::sync_with_stdio(false);

    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    CommandLine commandLine;
    std::string problem = parseCommandLine(args, commandLine);
    if (problem.empty() && commandLine.help) {
        std::cout << usageText();
        return 0;
    }
    const bool drawOnly = !commandLine.coursePath.empty();
    Plan plan;
    Course course;
    if (problem.empty())
        problem =
            drawOnly ? loadCourse(commandLine, course) : loadPlan(commandLine, std::cin, plan);
    std::unique_ptr<QSaveFile> plotFile;
    if (problem.empty() && !commandLine.plotPath.empty()) {
        plotFile = std::make_unique<QSaveFile>(QString::fromStdString(commandLine.plotPath));
        problem = openPlot(*plotFile, commandLine.plotPath);
    }
    if (!problem.empty()) {
        std::cerr << "curavant-sim: " << problem << '\n';
        return 2;
    }

    // Text needs a GUI application; the offscreen platform needs no display,
    // and a run without a plot starts none of it. The application takes its
    // locale from the environment; numbers and messages stay those of C.
    int qtArgc = 1;
    char qtName[] = "curavant-sim";
    char *qtArgv[] = {qtName, nullptr};
    std::unique_ptr<QGuiApplication> application;
    if (plotFile) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quietQtMessages);
        application = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
        std::setlocale(LC_NUMERIC, "C");
        std::setlocale(LC_MESSAGES, "C");
    }

    if (!drawOnly) {
        runPlan(plan, std::cout, std::cerr, &course);
        std::cout.flush();
        if (!std::cout) {
            std::cerr << "curavant-sim: cannot write the table to standard output\n";
            return 1;
        }
    }
    if (plotFile) {
        const std::string subtitle = drawOnly ? "course: " + scriptName(commandLine.coursePath)
                                              : "script: " + scriptName(commandLine.scriptPath);
        problem = drawPlot(course, subtitle, *plotFile, commandLine.plotPath);
        if (!problem.empty()) {
            std::cerr << "curavant-sim: " << problem << '\n';
            return 1;
        }
    }
    return 0;
}
