#include "scenariofile.h"

#include <fstream>
#include <sstream>

std::string loadScenarioFile(const std::string &path, ScenarioFile &file)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return path + ":1:1: cannot be read";
    std::ostringstream bytes;
    bytes << in.rdbuf();
    file.path = path;
    file.bytes = bytes.str();
    return parseScenario(file.bytes, path, file.scenario);
}

std::string parseScenario(std::string_view, const std::string &, Scenario &scenario)
{
    scenario = Scenario();
    return {};
}
