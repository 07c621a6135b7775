#pragma once

#include "codes.h"
#include "script.h"
#include "verdict.h"

#include <memory>
#include <optional>
#include <vector>

class CourseLog;
class Fraktur;
struct Readings;

// The course of the game being played, kept whether it is recorded or not,
// so that "Ende" can judge it by the rubric of the scenario it was played
// with. Only a game whose scenario has a rubric is kept. It reads the
// patient and draws no random number.
class GameCourse
{
  public:
    explicit GameCourse(const Fraktur &patient);
    ~GameCourse();
    GameCourse(const GameCourse &) = delete;
    GameCourse &operator=(const GameCourse &) = delete;

    // After "Start!" has reset the scenario.
    void gameStarted();
    // After the scenario has been given `code`.
    void treated(ActionCode code);
    // After a scenario step, with the readings the monitor was given.
    void stepped(const Readings &readings);
    // At "Ende": the game judged by its rubric; none without a rubric.
    std::optional<Verdict> judged() const;

  private:
    const Fraktur &patient;
    std::unique_ptr<CourseLog> log;
    std::vector<Treatment> treatments;
    int steps = 0;
};
