#include "script.h"

#include "eventnames.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fstream>
#include <string_view>

IntResult parseInt(std::string_view text, long long lo, long long hi, int &value)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return IntResult::NotInteger;
    long long magnitude = 0;
    bool huge = false;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return IntResult::NotInteger;
        if (magnitude > LLONG_MAX / 10 - 10)
            huge = true;
        else
            magnitude = magnitude * 10 + (text[i] - '0');
    }
    const long long number = negative ? -magnitude : magnitude;
    if (huge || number < lo || number > hi)
        return IntResult::OutOfRange;
    value = static_cast<int>(number);
    return IntResult::Ok;
}

std::string quoted(std::string_view text)
{
    constexpr std::size_t shown = 40;
    std::string result = "'";
    for (std::size_t i = 0; i < text.size() && i < shown; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        result += c < 0x20 || c == 0x7f ? '?' : text[i];
    }
    result += text.size() > shown ? "...'" : "'";
    return result;
}

namespace
{

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::vector<std::string_view> splitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i]))
            ++i;
        if (i > start)
            fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

// A comment line may note a complication, or the points the treatment just
// before it gave or cost, as a recorded game's script does.
void readNote(std::string_view line, Plan &plan)
{
    CourseEvent complication{};
    int step = 0, code = 0, points = 0;
    if (readComplicationNote(line, complication))
        plan.complications.push_back(complication);
    else if (ScenarioNote note = plan.scenario.value_or(ScenarioNote()); note.read(line))
        plan.scenario = std::move(note);
    else if (readPointsNote(line, step, code, points) && !plan.treatments.empty() &&
             plan.treatments.back().step == step && plan.treatments.back().code == code)
        plan.treatments.back().points = points;
}

// Checks one script line and appends its treatment or what it notes; returns
// the problem, if any.
std::string parseLine(std::string_view line, Plan &plan)
{
    const std::vector<std::string_view> fields = splitFields(line);
    const bool crlf = !line.empty() && line.back() == '\r';
    if (!fields.empty() && fields[0][0] == '#')
        readNote(line.substr(0, line.size() - crlf), plan);
    if (fields.empty() || fields[0][0] == '#')
        return {};
    const std::string expected = "expected two integers '<step> <code>'";
    if (fields.size() != 2)
        return expected;
    Treatment treatment{};
    const IntResult step = parseInt(fields[0], 1, plan.steps, treatment.step);
    if (step == IntResult::NotInteger)
        return expected;
    const IntResult code = parseInt(fields[1], INT_MIN, INT_MAX, treatment.code);
    if (code == IntResult::NotInteger)
        return expected;
    if (step == IntResult::OutOfRange)
        return "step " + quoted(fields[0]) + " is outside 1.." + std::to_string(plan.steps);
    if (code == IntResult::OutOfRange)
        return "code " + quoted(fields[1]) + " does not fit in an int";
    if (plan.treatments.size() == static_cast<std::size_t>(maxTreatments))
        return "more than " + std::to_string(maxTreatments) + " treatments";
    plan.treatments.push_back(treatment);
    return {};
}

} // namespace

std::string readScript(std::istream &in, const std::string &name, Plan &plan)
{
    const std::string shownName = printableName(name);
    std::string line;
    for (long long lineNumber = 1;; ++lineNumber) {
        const LineResult got = readLine(in, line);
        if (in.bad()) {
            const int error = errno;
            return shownName + ": cannot read" +
                   (error ? ": " + std::string(std::strerror(error)) : "");
        }
        if (got == LineResult::End)
            break;
        const std::string where = shownName + ":" + std::to_string(lineNumber) + ": ";
        if (got == LineResult::TooLong)
            return where + "line longer than " + std::to_string(maxLineLength) + " characters";
        const std::string problem = parseLine(line, plan);
        if (!problem.empty())
            return where + problem;
    }
    std::stable_sort(plan.treatments.begin(), plan.treatments.end(),
                     [](const Treatment &a, const Treatment &b) { return a.step < b.step; });
    return {};
}

std::string loadPlan(const std::string &path, int steps, std::istream &standardInput, Plan &plan)
{
    plan.steps = steps;
    plan.treatments.clear();
    plan.complications.clear();
    plan.scenario.reset();
    if (path.empty() || path == "-")
        return readScript(standardInput, "<stdin>", plan);
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        const int error = errno;
        return printableName(path) + ": cannot read" +
               (error ? ": " + std::string(std::strerror(error)) : "");
    }
    return readScript(file, path, plan);
}
