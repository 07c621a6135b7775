// curavant-sim: plays one scripted game of the fracture scenario without the
// 3D view and prints the patient's course as CSV on standard output, and on
// request draws it into a picture.

#include "course.h"
#include "courseplot.h"
#include "plotfile.h"
#include "runner.h"
#include "script.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
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

std::string drawPlot(const Course &course, const std::string &script, PlotFile &file)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!CoursePlot(course, script).render().save(&buffer, "PNG"))
        return "cannot encode the plot as PNG";
    std::string problem = file.write(png.constData(), static_cast<std::size_t>(png.size()));
    return problem.empty() ? file.commit() : problem;
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
    Plan plan;
    if (problem.empty())
        problem = loadPlan(commandLine, std::cin, plan);
    // The picture's file is created before the game is played, so that a
    // path that cannot be written is refused before any of the table.
    std::unique_ptr<PlotFile> plotFile;
    if (problem.empty() && !commandLine.plotPath.empty()) {
        plotFile = std::make_unique<PlotFile>(commandLine.plotPath);
        problem = plotFile->open();
    }
    if (!problem.empty()) {
        std::cerr << "curavant-sim: " << problem << '\n';
        return 2;
    }

    // Text needs a GUI application; the offscreen platform needs no display,
    // and a run without a plot starts none of it.
    int qtArgc = 1;
    char qtName[] = "curavant-sim";
    char *qtArgv[] = {qtName, nullptr};
    std::unique_ptr<QGuiApplication> application;
    if (plotFile) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quietQtMessages);
        application = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
    }

    Course course;
    runPlan(plan, std::cout, std::cerr, plotFile ? &course : nullptr);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "curavant-sim: cannot write the table to standard output\n";
        return 1;
    }
    if (plotFile) {
        problem = drawPlot(course, scriptName(commandLine.scriptPath), *plotFile);
        if (!problem.empty()) {
            std::cerr << "curavant-sim: " << problem << '\n';
            return 1;
        }
    }
    return 0;
}
