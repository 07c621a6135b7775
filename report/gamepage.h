#pragma once

#include "coursepages.h"

class ReportSheet;

// The pages of one game in the course report: the game's course picture as
// curavant-sim --course draws it, and below it the treatments in order, each
// with its step, German name, code and the points it gave or cost. A game
// judged by a rubric shows the verdict between the two. Treatments that do
// not fit go on to further pages.
class GamePage
{
  public:
    // `number` counts the games read, from 1 to `count`.
    GamePage(const ReportEntry &entry, int number, int count);

    // Called by the course report after the course pages, game by game: reads
    // the record again, so that only one game's course is held at a time.
    void draw(ReportSheet &sheet) const;

  private:
    void startPage(ReportSheet &sheet, const QString &heading) const;
    int drawHeads(ReportSheet &sheet, int y) const;
    int drawRubric(ReportSheet &sheet, int y) const;

    const ReportEntry &entry;
    int number;
    int count;
};
