#pragma once

#include "reportentry.h"
#include "reportsheet.h"
#include "scenariogroups.h"

#include <QRect>
#include <QString>
#include <string>
#include <utility>
#include <vector>

class QPainter;

// The course pages of the report: a row per game in time order with its
// measures, the records skipped and why, and below them a chart of the final
// scores over the games and the course's figures. Once any game was played
// under a scenario file, the rows are grouped by scenario, each group headed
// by its pass rate, each row says how its game fared under the rubric, and
// the games whose scenario copy could not be used are listed with the reason.
class CoursePages
{
  public:
    // `entries` in time order; `subheading` says what the report was made of.
    CoursePages(const std::vector<ReportEntry> &entries, QString subheading);

    // Called by the course report first, on the first page of the sheet.
    void draw(ReportSheet &sheet) const;

  private:
    int drawRows(ReportSheet &sheet) const;
    int drawSkipped(ReportSheet &sheet, int y) const;
    int drawUnjudged(ReportSheet &sheet, int y) const;
    int drawNotes(ReportSheet &sheet, int y, const QString &heading,
                  const std::vector<std::pair<const ReportEntry *, std::string>> &notes) const;
    void drawChart(ReportSheet &sheet, const QRect &area) const;
    void drawKey(ReportSheet &sheet, const QPoint &at) const;
    void drawFigures(ReportSheet &sheet, const QRect &area) const;
    void startPage(ReportSheet &sheet, bool first) const;

    const std::vector<ReportEntry> &entries;
    QString subheading;
    ScenarioGroups scenarios;
    std::vector<ReportSheet::Column> columns;
    std::vector<GameSummary> games; // those read, in time order
};

// "2026-12-07 10:15:00", or the name of a record without a date in it.
QString startedText(const GameRecord &record);
