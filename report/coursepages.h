#pragma once

#include "gamerecord.h"
#include "gamesummary.h"

#include <QRect>
#include <QString>
#include <optional>
#include <string>
#include <vector>

class QPainter;
class ReportSheet;

// A record as the course report lists it: read, with its measures, or
// skipped, with the reason.
struct ReportEntry {
    GameRecord record;
    std::optional<GameSummary> summary;
    std::string problem;
};

// The course pages of the report: a row per game in time order with its
// measures, the records skipped and why, and below them a chart of the final
// scores over the games and the course's figures.
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
    void drawChart(ReportSheet &sheet, const QRect &area) const;
    void drawKey(ReportSheet &sheet, const QPoint &at) const;
    void drawFigures(ReportSheet &sheet, const QRect &area) const;
    void startPage(ReportSheet &sheet, bool first) const;

    const std::vector<ReportEntry> &entries;
    QString subheading;
    std::vector<GameSummary> games; // those read, in time order
};

// "2026-12-07 10:15:00", or the name of a record without a date in it.
QString startedText(const GameRecord &record);
