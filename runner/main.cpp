// curavant-sim: plays one scripted game of the fracture scenario without the
// 3D view and prints the patient's course as CSV on standard output.

#include "runner.h"
#include "script.h"

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
    std::string problem = parseCommandLine(args, commandLine);
    if (problem.empty() && commandLine.help) {
        std::cout << usageText();
        return 0;
    }
    Plan plan;
    if (problem.empty())
        problem = loadPlan(commandLine, std::cin, plan);
    if (!problem.empty()) {
        std::cerr << "curavant-sim: " << problem << '\n';
        return 2;
    }

    runPlan(plan, std::cout, std::cerr);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "curavant-sim: cannot write the table to standard output\n";
        return 1;
    }
    return 0;
}
