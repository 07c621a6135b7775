#include "gamerecord.h"

#include "coursetable.h"
#include "textlines.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <tuple>

namespace
{

GameRecord recordAt(const QFileInfo &file)
{
    static const QRegularExpression named(
        QStringLiteral("^curavant-(\\d{8}-\\d{6})(?:-([1-9]\\d{0,3}))?$"));
    GameRecord record;
    record.table = QFile::encodeName(file.filePath()).toStdString();
    record.name = QFile::encodeName(file.completeBaseName()).toStdString();
    const QRegularExpressionMatch match = named.match(file.completeBaseName());
    if (match.hasMatch()) {
        record.started =
            QDateTime::fromString(match.captured(1), QStringLiteral("yyyyMMdd-HHmmss"));
        record.sameSecond = match.captured(2).isEmpty() ? 1 : match.captured(2).toInt();
    }
    return record;
}

bool endsWithLineEnd(const std::string &path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    char last = 0;
    return file.tellg() > 0 && file.seekg(-1, std::ios::end) && file.get(last) && last == '\n';
}

} // namespace

std::string GameRecord::withoutFolder(std::string problem) const
{
    const std::string folder = table.substr(0, table.size() - name.size() - 4);
    for (std::size_t at; !folder.empty() && (at = problem.find(folder)) != std::string::npos;)
        problem.erase(at, folder.size());
    return problem;
}

std::string findRecords(const std::vector<std::string> &folders, std::vector<GameRecord> &records)
{
    std::set<QString> seen; // a folder named twice is read once
    for (const std::string &folder : folders) {
        const QDir dir(QFile::decodeName(folder.c_str()));
        const QFileInfo info(dir.path());
        if (!info.exists())
            return printableName(folder) + ": no such folder";
        if (!info.isDir() || !info.isReadable())
            return printableName(folder) +
                   (info.isDir() ? ": cannot read the folder" : ": not a folder");
        if (!seen.insert(dir.canonicalPath()).second)
            continue;
        for (const QFileInfo &file :
             dir.entryInfoList({QStringLiteral("curavant-*.csv")}, QDir::Files, QDir::Name))
            records.push_back(recordAt(file));
    }
    std::stable_sort(records.begin(), records.end(), [](const GameRecord &a, const GameRecord &b) {
        return std::tie(a.started, a.sameSecond) < std::tie(b.started, b.sameSecond);
    });
    return {};
}

std::string loadRecordedCourse(const std::string &table, const std::string &script,
                               std::istream &standardInput, Course &course,
                               std::vector<Treatment> *treatments)
{
    std::ifstream in(table, std::ios::binary);
    if (!in.is_open())
        return printableName(table) + ": cannot read";
    std::string problem = readCourseTable(in, table, course);
    if (!problem.empty() || script.empty())
        return problem;
    const int steps = static_cast<int>(course.steps.size());
    Plan plan;
    problem = loadPlan(script, steps + 1, standardInput, plan);
    // The complications are those the script notes, as a recorded game's
    // does; without such notes, those the table shows: it misses a shock
    // that treatment ends and a new roll starts again within one step, and
    // takes every game to start at bleeding stage 1. A script that names its
    // scenario notes every complication, also when there were none.
    const bool noted = !plan.complications.empty() || plan.scenario;
    std::vector<CourseEvent> events;
    for (const Treatment &t : plan.treatments)
        if (t.step <= steps)
            events.push_back({t.step, EventKind::Treatment, t.code});
    for (const CourseEvent &e : noted ? plan.complications : course.events)
        if (e.step <= steps)
            events.push_back(e);
    std::stable_sort(events.begin(), events.end(),
                     [](const CourseEvent &a, const CourseEvent &b) { return a.step < b.step; });
    course.events = events;
    if (treatments)
        *treatments = plan.treatments;
    return problem;
}

std::string loadRecord(const GameRecord &record, Course &course, std::vector<Treatment> &treatments)
{
    std::istringstream none;
    const std::string problem =
        loadRecordedCourse(record.table, record.script(), none, course, &treatments);
    if (problem.empty() && !endsWithLineEnd(record.table))
        return printableName(record.table) + ": the last row is cut short";
    return problem;
}
