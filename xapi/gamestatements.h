#pragma once

#include "course.h"
#include "lrssettings.h"
#include "script.h"
#include "verdict.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QUuid>
#include <optional>
#include <vector>

// The scenario a game was played with, as its record names it.
struct ScenarioNotes {
    QString title; // as the game shows it
    QString id;    // the file's name without .toml: the last part of the game's IRI
    QString hash;  // the first 12 hex digits of the file's SHA-256; empty: none
};

// One recorded game, as the record loader gives it.
struct GameFacts {
    QString record;      // the record's name, NAME of NAME.csv
    QDateTime started;   // the local time of "Start!"
    QByteArray contents; // a digest of the record's files
    ScenarioNotes scenario;
    Course course;
    std::vector<Treatment> treatments; // all, also those after the last step
    std::optional<Verdict> verdict;    // set when the scenario has a rubric
};

// The xAPI 1.0.3 statements of one game: initialized; one `used` (the
// serious-games profile's verb) per treatment; `experienced` for each
// complication as it struck; completed with the result; passed or failed
// with each criterion when there is a verdict; terminated. The registration
// and every statement id are name-based UUIDs of the learner's account and
// the record, so that the same game always gives the same statements and an
// LRS stores a game sent twice once. The times are the start's and one
// second per scenario step after it, in the local zone.
class GameStatements
{
  public:
    GameStatements(const LrsSettings &settings, const GameFacts &game);

    QUuid registration() const { return registrationId; }
    QJsonArray statements() const;

  private:
    enum class Verb { Initialized, Used, Experienced, Completed, Passed, Failed, Terminated };

    QJsonObject statement(Verb verb, const QJsonObject &object, int seconds,
                          const QJsonObject &result = {}, const QJsonObject &extensions = {}) const;
    void numbered(QJsonArray &all) const;
    QJsonObject gameActivity() const;
    QJsonObject treatmentActivity(ActionCode code) const;
    QJsonObject complicationActivity(const CourseEvent &event) const;
    QJsonObject completedResult() const;
    QJsonObject verdictResult(const Verdict &verdict) const;
    QString extension(const char *name) const;
    QString timestamp(int seconds) const;

    const LrsSettings &settings;
    const GameFacts &game;
    QUuid registrationId;
};
