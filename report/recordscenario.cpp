#include "recordscenario.h"

#include "scenariofile.h"
#include "script.h"
#include "textlines.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace
{

// Far more than any case an instructor writes; a larger file is no copy.
constexpr std::uintmax_t largestCopy = 1 << 20;

std::string withoutSuffix(const std::string &table)
{
    const std::string suffix = ".csv";
    const bool has = table.size() >= suffix.size() &&
                     table.compare(table.size() - suffix.size(), suffix.size(), suffix) == 0;
    return has ? table.substr(0, table.size() - suffix.size()) : table;
}

// Returns the problem, if any.
std::string readCopy(const std::string &path, std::string &bytes)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return printableName(path) + ": not a file";
    if (std::filesystem::file_size(path, error) > largestCopy)
        return printableName(path) + ": larger than any scenario file";
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return in.bad() || !in.is_open() ? printableName(path) + ": cannot read" : std::string();
}

} // namespace

std::string RecordScenario::title() const
{
    if (scenario)
        return scenario->title;
    if (note.builtIn())
        return Scenario().title;
    return note.title.empty() ? note.file : note.title;
}

bool RecordScenario::sameAs(const RecordScenario &other) const
{
    return note.file == other.note.file && note.hash == other.note.hash;
}

RecordScenario readRecordScenario(const std::string &table)
{
    RecordScenario result;
    const std::string base = withoutSuffix(table);
    // The header comes first: a script that fails further on still names it.
    Plan plan;
    std::istringstream none;
    loadPlan(base + ".txt", maxSteps, none, plan);
    if (plan.scenario)
        result.note = *plan.scenario;

    const std::string copy = base + ".scenario.toml";
    std::error_code error;
    if (!std::filesystem::exists(copy, error)) {
        if (!result.note.builtIn())
            result.problem = printableName(copy) + ": missing, the copy of the scenario file " +
                             ::quoted(result.note.file) + " the game was played with";
        return result;
    }
    std::string bytes;
    result.problem = readCopy(copy, bytes);
    if (!result.problem.empty())
        return result;
    const std::string hash = scenarioHash(bytes);
    if (!result.note.hash.empty() && hash != result.note.hash) {
        result.problem = printableName(copy) + ": changed since the game (SHA-256 " + hash +
                         ", the record names " + ::quoted(result.note.hash) + ")";
        return result;
    }
    if (result.note.builtIn()) { // a copy beside a record that names none
        result.note.file = std::filesystem::path(copy).filename().string();
        result.note.hash = hash;
    }
    Scenario scenario;
    result.problem = parseScenario(bytes, copy, scenario);
    if (result.problem.empty())
        result.scenario = scenario;
    return result;
}
