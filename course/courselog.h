#pragma once

#include "course.h"

#include <vector>

class Fraktur;
struct Readings;

// Keeps the course of a game while it is played, for drawing it: the values
// of every step and the moments worth marking. The scenario is watched, not
// driven: the log reads the patient and the readings it is handed and never
// draws a random number.
class CourseLog
{
  public:
    explicit CourseLog(const Fraktur &patient);

    // After the scenario has been given `code` just before step `step`.
    void treated(int step, ActionCode code);
    // After step `step`'s tick, with the readings the monitor was given.
    // Returns the complications that struck in the step, as they were noted.
    std::vector<CourseEvent> stepped(int step, const Readings &readings);

    const Course &course() const { return log; }

  private:
    struct Watched {
        int complicationActive;
        int bleedingStage;
        bool alive;
    };
    Watched watch() const;

    const Fraktur &patient;
    // The state before the coming tick. The shock flag alone would miss a
    // shock that a treatment ends and the tick starts again.
    Watched before;
    // Treatments join the course with their step: one made after the last
    // step (before "Ende") has no step to mark.
    std::vector<CourseEvent> treatments;
    Course log;
};
