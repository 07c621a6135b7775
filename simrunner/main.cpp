// curavant-sim: plays one scripted game of the fracture scenario without the
// 3D view and prints the patient's course as CSV on standard output, and on
// request draws it into a picture; or draws a game recorded by the window;
// or reports a course of recorded games in a PDF; or makes and sends their
// learning records.

#include "commandline.h"
#include "simtasks.h"
#include "xapitasks.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    // Unsynchronised streams report read errors on standard input (a
    // directory, say) as a bad stream instead of a silent end of file.
    std::ios::sync_with_stdio(false);

    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    CommandLine commandLine;
    const std::string problem = commandLine.parse(args);
    if (!problem.empty()) {
        std::cerr << "curavant-sim: " << problem << '\n';
        return ExitBadInput;
    }
    switch (commandLine.task()) {
    case CommandLine::Task::Help: std::cout << CommandLine::usageText(); return ExitSuccess;
    case CommandLine::Task::Report: return writeReport(commandLine.reportPath, commandLine.folders);
    case CommandLine::Task::Check: return checkScenarios(commandLine.filesToCheck);
    case CommandLine::Task::Statements: return makeStatements(commandLine.folders);
    case CommandLine::Task::Send: return sendStatements(commandLine);
    case CommandLine::Task::Play:
    case CommandLine::Task::Draw: break;
    }
    return playOrDraw(commandLine, std::cin);
}
