#pragma once

#include "course.h"
#include "script.h"

#include <QDateTime>
#include <istream>
#include <string>
#include <vector>

// A game as the game's recorder left it in its folder: the course table
// NAME.csv and beside it the script NAME.txt with the treatments, the points
// each gave or cost, and the complications. curavant-sim draws one with
// --course and reports a folder of them with --report.
struct GameRecord {
    std::string table; // the path of NAME.csv
    std::string name;  // NAME
    // The local time of "Start!" that the name carries; invalid for a table
    // named otherwise.
    QDateTime started;
    int sameSecond = 1; // 2, 3, ... for a name with the suffix -2, -3, ...

    std::string script() const { return table.substr(0, table.size() - 4) + ".txt"; }
    // A problem with the record as the report shows it: without the folder.
    std::string withoutFolder(std::string problem) const;
};

// Called by the course report first: the records (curavant-*.csv) in
// `folders`, in the order their games were started. Returns the problem when
// a folder cannot be read.
std::string findRecords(const std::vector<std::string> &folders, std::vector<GameRecord> &records);

// Called by curavant-sim --course and by loadRecord: reads the course in
// `table` with the treatments of `script` (a path, "-"
// for `standardInput`, or empty for none), the complications as the script
// notes them and the treatments in script order into `treatments`, if given.
// Treatments after the last step join the list but not the course.
std::string loadRecordedCourse(const std::string &table, const std::string &script,
                               std::istream &standardInput, Course &course,
                               std::vector<Treatment> *treatments = nullptr);

// Called by the course report for its measures of a game and again for the
// game's page: as loadRecordedCourse, and a table whose last row lacks its
// line end (a game killed while writing it) is broken.
std::string loadRecord(const GameRecord &record, Course &course,
                       std::vector<Treatment> &treatments);
