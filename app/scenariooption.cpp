#include "scenariooption.h"

#include <cstdlib>
#include <cstring>

namespace
{
constexpr char option[] = "--scenario";
constexpr std::size_t optionLength = sizeof option - 1;

// Removes `count` arguments from argv at `at`, keeping the closing null.
void removeArguments(int &argc, char **argv, int at, int count)
{
    for (int i = at; i + count <= argc; ++i)
        argv[i] = argv[i + count];
    argc -= count;
}
} // namespace

bool takeScenarioOption(int &argc, char **argv, ScenarioFile &file, std::string &problem)
{
    const char *named = std::getenv("CURAVANT_SCENARIO");
    if (named && !*named)
        named = nullptr;
    for (int i = 1; i < argc;) {
        const char *arg = argv[i];
        if (std::strcmp(arg, "--") == 0)
            break;
        if (std::strncmp(arg, option, optionLength) != 0 ||
            (arg[optionLength] != '\0' && arg[optionLength] != '=')) {
            ++i;
        } else if (arg[optionLength] == '=') {
            named = arg + optionLength + 1;
            removeArguments(argc, argv, i, 1);
        } else if (i + 1 < argc) {
            named = argv[i + 1];
            removeArguments(argc, argv, i, 2);
        } else {
            problem = "curavant: --scenario needs a file";
            return false;
        }
    }
    if (!named)
        return true;
    problem = loadScenarioFile(named, file);
    return problem.empty();
}
