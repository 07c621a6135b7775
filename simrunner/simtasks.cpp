#include "simtasks.h"

#include "commandline.h"
#include "course.h"
#include "courseplot.h"
#include "coursereport.h"
#include "gamerecord.h"
#include "recordscenario.h"
#include "runner.h"
#include "scenariofile.h"
#include "script.h"
#include "textlines.h"
#include "verdict.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QSaveFile>
#include <clocale>
#include <ctime>
#include <iostream>
#include <memory>

namespace
{

std::string scriptName(const std::string &path)
{
    if (path.empty() || path == "-")
        return "standard input";
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string outputProblem(const std::string &path, const char *what, const QString &why)
{
    return printableName(path) + ": cannot write the " + what + ": " + why.toStdString();
}

// Opened before the game is played or the records are read, so that a path
// that cannot be written is refused first. QSaveFile would replace a pipe or
// a device with the file; those are refused.
std::string openOutput(QSaveFile &file, const std::string &path, const char *what)
{
    const QFileInfo target(file.fileName());
    if (target.exists() && !target.isFile() && !target.isDir())
        return outputProblem(path, what, QStringLiteral("not a regular file"));
    return file.open(QIODevice::WriteOnly) ? std::string()
                                           : outputProblem(path, what, file.errorString());
}

std::string drawPlot(const Course &course, const std::string &subtitle,
                     const std::optional<Verdict> &verdict, QSaveFile &file,
                     const std::string &path)
{
    CoursePlot plot(course, subtitle);
    if (verdict)
        plot.showVerdict(*verdict);
    const QString problem = plot.save(file);
    return problem.isEmpty() ? std::string() : outputProblem(path, "plot", problem);
}

// A recorded game drawn with its treatments is judged by the rubric of the
// scenario copy beside its table. A copy that cannot be used is said on
// standard error, and the game is drawn without a verdict.
std::optional<Verdict> recordVerdict(const std::string &table, const Course &course,
                                     const std::vector<Treatment> &treatments)
{
    const RecordScenario scenario = readRecordScenario(table);
    if (!scenario.problem.empty())
        std::cerr << "curavant-sim: " << scenario.problem << "; drawn without its rubric\n";
    if (!scenario.rubric())
        return std::nullopt;
    return judge(*scenario.scenario, course, treatments);
}

// Qt's chatter about its runtime folder and fonts would mix with the codes
// echoed on standard error; only its serious messages get through.
void quietQtMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "curavant-sim: " << message.toStdString() << '\n';
}

// Text needs a GUI application; the offscreen platform needs no display.
// The application takes its locale from the environment; numbers and
// messages stay those of C. `argc` and `argv` must outlive it.
std::unique_ptr<QGuiApplication> startGui(int &argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQtMessages);
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    std::setlocale(LC_MESSAGES, "C");
    return application;
}

} // namespace

int playOrDraw(const CommandLine &commandLine, std::istream &standardInput)
{
    const bool drawOnly = commandLine.task() == CommandLine::Task::Draw;
    Plan plan;
    Course course;
    ScenarioFile scenario;
    std::vector<Treatment> treatments;
    std::string problem;
    if (!commandLine.scenarioPath.empty())
        problem = loadScenarioFile(commandLine.scenarioPath, scenario);
    if (problem.empty())
        problem = drawOnly ? loadRecordedCourse(commandLine.coursePath, commandLine.scriptPath,
                                                standardInput, course, &treatments)
                           : loadPlan(commandLine.scriptPath,
                                      commandLine.steps.value_or(scenario.scenario.steps()),
                                      standardInput, plan);
    std::unique_ptr<QSaveFile> plotFile;
    if (problem.empty() && !commandLine.plotPath.empty()) {
        plotFile = std::make_unique<QSaveFile>(QString::fromStdString(commandLine.plotPath));
        problem = openOutput(*plotFile, commandLine.plotPath, "plot");
    }
    if (!problem.empty()) {
        std::cerr << "curavant-sim: " << problem << '\n';
        return ExitBadInput;
    }

    // A run without a plot starts no GUI.
    int qtArgc = 1;
    char qtName[] = "curavant-sim";
    char *qtArgv[] = {qtName, nullptr};
    std::unique_ptr<QGuiApplication> application;
    if (plotFile)
        application = startGui(qtArgc, qtArgv);

    if (!drawOnly) {
        runPlan(plan, scenario.scenario, std::cout, std::cerr, &course);
        std::cout.flush();
        if (!std::cout) {
            std::cerr << "curavant-sim: cannot write the table to standard output\n";
            return ExitCannotWrite;
        }
    }
    if (plotFile) {
        const std::string subtitle = drawOnly ? "course: " + scriptName(commandLine.coursePath)
                                              : "script: " + scriptName(commandLine.scriptPath);
        std::optional<Verdict> verdict;
        if (drawOnly && !commandLine.scriptPath.empty())
            verdict = recordVerdict(commandLine.coursePath, course, treatments);
        else if (!drawOnly && scenario.scenario.rubric)
            verdict = judge(scenario.scenario, course, plan.treatments);
        problem = drawPlot(course, subtitle, verdict, *plotFile, commandLine.plotPath);
        if (!problem.empty()) {
            std::cerr << "curavant-sim: " << problem << '\n';
            return ExitCannotWrite;
        }
    }
    return ExitSuccess;
}

int checkScenarios(const std::vector<std::string> &paths)
{
    int status = ExitSuccess;
    for (const std::string &path : paths) {
        ScenarioFile file;
        const std::string problem = loadScenarioFile(path, file);
        if (!problem.empty()) {
            std::cerr << "curavant-sim: " << problem << '\n';
            status = ExitBadInput;
        }
    }
    return status;
}

int writeReport(const std::string &path, const std::vector<std::string> &folders)
{
    QSaveFile file(QString::fromStdString(path));
    std::string problem = openOutput(file, path, "report");
    if (!problem.empty()) {
        std::cerr << "curavant-sim: " << problem << '\n';
        return ExitCannotWrite;
    }
    // The records' names carry the local time of their start without a zone:
    // read in UTC, none falls into a gap of summer time. The PDF writer then
    // dates the file in UTC too, in a text of one length in every zone, for
    // the report's own date to take its place.
    qputenv("TZ", "UTC");
    tzset();
    // The PDF writer writes its fonts in the order of a hash: with Qt's
    // random seed, the same report would come out in different orders.
#if QT_VERSION >= QT_VERSION_CHECK(6, 2, 0)
    QHashSeed::setDeterministicGlobalSeed();
#else
    qSetGlobalQHashSeed(0);
#endif
    int qtArgc = 1;
    char qtName[] = "curavant-sim";
    char *qtArgv[] = {qtName, nullptr};
    const std::unique_ptr<QGuiApplication> application = startGui(qtArgc, qtArgv);
    CourseReport report(folders);
    problem = report.read();
    if (!problem.empty()) {
        std::cerr << "curavant-sim: " << problem << '\n';
        return ExitBadInput;
    }
    const QString why = report.write(file);
    if (!why.isEmpty()) {
        std::cerr << "curavant-sim: " << outputProblem(path, "report", why) << '\n';
        return ExitCannotWrite;
    }
    return ExitSuccess;
}
