#include "gamecourse.h"

#include "courselog.h"
#include "fraktur.h"

GameCourse::GameCourse(const Fraktur &patient) : patient(patient) {}

GameCourse::~GameCourse() = default;

void GameCourse::gameStarted()
{
    log.reset();
    treatments.clear();
    steps = 0;
    if (patient.scenario().rubric)
        log = std::make_unique<CourseLog>(patient);
}

void GameCourse::treated(ActionCode code)
{
    if (!log)
        return;
    log->treated(steps + 1, code);
    treatments.push_back({steps + 1, code, std::nullopt});
}

void GameCourse::stepped(const Readings &readings)
{
    if (log)
        log->stepped(++steps, readings);
}

std::optional<Verdict> GameCourse::judged() const
{
    if (!log)
        return std::nullopt;
    return judge(patient.scenario(), log->course(), treatments);
}
