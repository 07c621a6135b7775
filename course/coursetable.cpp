#include "coursetable.h"

#include "fraktur.h"
#include "readings.h"
#include "textlines.h"

#include <charconv>
#include <cmath>
#include <vector>

const char *const csvHeader =
    "step,score,health,alive,shock,bleeding,circulation,respiration,circulation_loss,"
    "respiration_loss,heart_rate,systolic,diastolic,temperature,respiratory_rate,ekg_mode";

namespace
{

constexpr int columnCount = 16;
// Far beyond anything a game reaches, and small enough for the plot's scales.
constexpr double largestValue = 1e9;

class RowWriter
{
  public:
    void add(int value) { put(std::to_chars(at, end, value).ptr); }
    void add(float value)
    {
        put(std::to_chars(at, end, static_cast<double>(value), std::chars_format::general, 9).ptr);
    }
    std::string line()
    {
        at[-1] = '\n';
        return std::string(text, at);
    }

  private:
    void put(char *next)
    {
        *next = ',';
        at = next + 1;
    }
    char text[512];
    char *at = text;
    char *const end = text + sizeof text - 1;
};

std::vector<std::string_view> splitCommas(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma - start));
        if (comma == std::string_view::npos)
            return fields;
        start = comma + 1;
    }
}

template <typename T> bool parseField(std::string_view field, T &value)
{
    const auto [rest, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return error == std::errc() && rest == field.data() + field.size() && !field.empty() &&
           std::isfinite(static_cast<double>(value)) &&
           std::fabs(static_cast<double>(value)) <= largestValue;
}

// Fills `step` from one row; returns the problem, if any.
std::string parseRow(std::string_view line, int expectedStep, CourseStep &step)
{
    const std::vector<std::string_view> f = splitCommas(line);
    if (f.size() != columnCount)
        return "expected " + std::to_string(columnCount) + " comma-separated values, found " +
               std::to_string(f.size());
    int alive = 0, shock = 0, losses[2], ekgMode = 0;
    const bool ok = parseField(f[0], step.step) && parseField(f[1], step.score) &&
                    parseField(f[2], step.health) && parseField(f[3], alive) &&
                    parseField(f[4], shock) && parseField(f[5], step.bleedingStage) &&
                    parseField(f[6], step.circulation) && parseField(f[7], step.respiration) &&
                    parseField(f[8], losses[0]) && parseField(f[9], losses[1]) &&
                    parseField(f[10], step.heartRate) && parseField(f[11], step.systolic) &&
                    parseField(f[12], step.diastolic) && parseField(f[13], step.temperature) &&
                    parseField(f[14], step.respiratoryRate) && parseField(f[15], ekgMode);
    if (!ok || ((alive | shock) & ~1) != 0)
        return "not a row of numbers in the columns of a course";
    if (step.step != expectedStep)
        return "step " + std::to_string(step.step) + " where step " + std::to_string(expectedStep) +
               " was due";
    step.alive = alive;
    step.shock = shock;
    return {};
}

void noteComplications(const CourseStep &before, const CourseStep &after, Course &course)
{
    if (!before.shock && after.shock)
        course.events.push_back({after.step, EventKind::ShockStart, 0});
    if (after.bleedingStage > before.bleedingStage)
        course.events.push_back({after.step, EventKind::BleedingRise, after.bleedingStage});
    if (before.alive && !after.alive)
        course.events.push_back({after.step, EventKind::Death, 0});
}

} // namespace

std::string csvRow(int step, const Fraktur &patient, const Readings &readings)
{
    RowWriter row;
    for (int value : {step, patient.score})
        row.add(value);
    row.add(patient.health);
    for (int value : {int(patient.alive), int(patient.shock), patient.bleedingStage})
        row.add(value);
    row.add(patient.circulation);
    row.add(patient.respiration);
    for (int value : {patient.circulationLoss, patient.respirationLoss, readings.heartRate,
                      readings.systolic, diastolicFor(readings.systolic)})
        row.add(value);
    row.add(readings.temperature);
    row.add(readings.respiratoryRate);
    row.add(readings.ekgMode);
    return row.line();
}

std::string readCourseTable(std::istream &in, const std::string &name, Course &course)
{
    course = Course();
    // A game starts with the bleeding at stage 1, alive and without a shock.
    CourseStep before{};
    before.alive = true;
    before.bleedingStage = 1;
    std::string line;
    for (int lineNumber = 1;; ++lineNumber) {
        const LineResult got = readLine(in, line);
        const std::string where = printableName(name) + ":" + std::to_string(lineNumber) + ": ";
        if (in.bad())
            return printableName(name) + ": cannot read";
        if (got == LineResult::End)
            return lineNumber == 1 ? where + "empty, not a course table" : std::string();
        if (got == LineResult::TooLong)
            return where + "line longer than " + std::to_string(maxLineLength) + " characters";
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (lineNumber == 1) {
            if (line != csvHeader)
                return where + "not a course table: the header differs from curavant-sim's";
            continue;
        }
        if (lineNumber - 1 > maxSteps)
            return where + "more than " + std::to_string(maxSteps) + " steps";
        CourseStep step{};
        const std::string problem = parseRow(line, lineNumber - 1, step);
        if (!problem.empty())
            return where + problem;
        noteComplications(before, step, course);
        course.steps.push_back(step);
        before = step;
    }
}
