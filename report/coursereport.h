#pragma once

#include "coursepages.h"

#include <QString>
#include <string>
#include <vector>

class QSaveFile;

// curavant-sim's report of a first-aid course: every game recorded in the
// folders given, in one PDF of A4 landscape pages. First the course pages,
// a row per game with the measures an instructor asks for, the records that
// could not be read and why, a chart of the final scores and the course's
// figures; then a page per game with its course picture and its treatments.
// The same records give the same file: its date is the newest record's.
class CourseReport
{
  public:
    explicit CourseReport(std::vector<std::string> folders);

    // Called by curavant-sim first: finds the records and reads each.
    // Returns the problem when a folder cannot be read or holds no record.
    std::string read();
    // Then writes the report into `file`, open for writing, and commits it,
    // drawing one page at a time. Returns why it could not, or nothing.
    QString write(QSaveFile &file) const;

  private:
    QString subheading() const;

    std::vector<std::string> folders;
    std::vector<ReportEntry> entries; // in time order
};
