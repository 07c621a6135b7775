#include "gamestatements.h"

#include "eventnames.h"

#include <QUrl>
#include <algorithm>

namespace
{

// Curavant's own namespace for its name-based UUIDs.
const QUuid curavantNamespace(QStringLiteral("{5d0c8f2e-7b1a-4f3c-9e62-1c4b8a7d3f90}"));

struct VerbName {
    const char *iri;
    const char *english;
    const char *german;
};

const VerbName verbNames[] = {
    {"http://adlnet.gov/expapi/verbs/initialized", "initialized", "begonnen"},
    {"https://w3id.org/xapi/seriousgames/verbs/used", "used", "angewandt"},
    {"http://adlnet.gov/expapi/verbs/experienced", "experienced", "erlebt"},
    {"http://adlnet.gov/expapi/verbs/completed", "completed", "abgeschlossen"},
    {"http://adlnet.gov/expapi/verbs/passed", "passed", "bestanden"},
    {"http://adlnet.gov/expapi/verbs/failed", "failed", "nicht bestanden"},
    {"http://adlnet.gov/expapi/verbs/terminated", "terminated", "beendet"},
};

const char seriousGameType[] = "https://w3id.org/xapi/seriousgames/activity-types/serious-game";
const char itemType[] = "https://w3id.org/xapi/seriousgames/activity-types/item";

QJsonObject german(const QString &text)
{
    return {{QStringLiteral("de-DE"), text}};
}

QJsonObject activity(const QString &id, const QJsonObject &definition)
{
    return {{QStringLiteral("objectType"), QStringLiteral("Activity")},
            {QStringLiteral("id"), id},
            {QStringLiteral("definition"), definition}};
}

} // namespace

GameStatements::GameStatements(const LrsSettings &settings, const GameFacts &game)
    : settings(settings), game(game)
{
    const QString name = settings.homePage + QLatin1Char('\n') + settings.learner +
                         QLatin1Char('\n') + game.record + QLatin1Char('\n') +
                         QString::fromLatin1(game.contents.toHex());
    registrationId = QUuid::createUuidV5(curavantNamespace, name);
}

QJsonArray GameStatements::statements() const
{
    QJsonArray all;
    all.append(statement(Verb::Initialized, gameActivity(), 0));
    const std::vector<CourseEvent> &events = game.course.events;
    auto event = events.begin();
    int lastSecond = static_cast<int>(game.course.steps.size());
    const auto complicationsUpTo = [&](int step) {
        for (; event != events.end() && event->step <= step; ++event)
            if (event->kind == EventKind::ShockStart || event->kind == EventKind::BleedingRise)
                all.append(statement(Verb::Experienced, complicationActivity(*event), event->step,
                                     {}, {{extension("step"), event->step}}));
    };
    for (const Treatment &treatment : game.treatments) {
        complicationsUpTo(treatment.step - 1);
        QJsonObject result;
        if (treatment.points)
            result = {{QStringLiteral("extensions"),
                       QJsonObject{{extension("points"), *treatment.points}}}};
        all.append(statement(Verb::Used, treatmentActivity(treatment.code), treatment.step - 1,
                             result, {{extension("step"), treatment.step}}));
        lastSecond = std::max(lastSecond, treatment.step - 1);
    }
    complicationsUpTo(lastSecond);
    all.append(statement(Verb::Completed, gameActivity(), lastSecond, completedResult()));
    if (game.verdict)
        all.append(statement(game.verdict->passed ? Verb::Passed : Verb::Failed, gameActivity(),
                             lastSecond, verdictResult(*game.verdict)));
    all.append(statement(Verb::Terminated, gameActivity(), lastSecond));
    numbered(all);
    return all;
}

// Each id is the statement's place among the game's and its verb.
void GameStatements::numbered(QJsonArray &all) const
{
    for (int i = 0; i < all.size(); ++i) {
        QJsonObject statement = all[i].toObject();
        const QString verb =
            statement
                .value(QStringLiteral("verb"))[QStringLiteral("display")][QStringLiteral("en-US")]
                .toString();
        const QUuid id =
            QUuid::createUuidV5(registrationId, QStringLiteral("%1 %2").arg(i).arg(verb));
        statement.insert(QStringLiteral("id"), id.toString(QUuid::WithoutBraces));
        all[i] = statement;
    }
}

QJsonObject GameStatements::statement(Verb verb, const QJsonObject &object, int seconds,
                                      const QJsonObject &result,
                                      const QJsonObject &extensions) const
{
    const VerbName &name = verbNames[static_cast<int>(verb)];
    const QJsonObject account{{QStringLiteral("homePage"), settings.homePage},
                              {QStringLiteral("name"), settings.learner}};
    QJsonObject context{
        {QStringLiteral("registration"), registrationId.toString(QUuid::WithoutBraces)},
        {QStringLiteral("platform"), QStringLiteral("Curavant")},
        {QStringLiteral("language"), QStringLiteral("de-DE")}};
    if (object.value(QStringLiteral("id")) != gameActivity().value(QStringLiteral("id")))
        context.insert(QStringLiteral("contextActivities"),
                       QJsonObject{{QStringLiteral("parent"), QJsonArray{gameActivity()}}});
    QJsonObject contextExtensions = extensions;
    if (!game.scenario.hash.isEmpty())
        contextExtensions.insert(extension("scenario-hash"), game.scenario.hash);
    if (!contextExtensions.isEmpty())
        context.insert(QStringLiteral("extensions"), contextExtensions);
    QJsonObject statement{
        {QStringLiteral("actor"),
         QJsonObject{{QStringLiteral("objectType"), QStringLiteral("Agent")},
                     {QStringLiteral("account"), account}}},
        {QStringLiteral("verb"),
         QJsonObject{{QStringLiteral("id"), QLatin1String(name.iri)},
                     {QStringLiteral("display"),
                      QJsonObject{{QStringLiteral("en-US"), QLatin1String(name.english)},
                                  {QStringLiteral("de-DE"), QString::fromUtf8(name.german)}}}}},
        {QStringLiteral("object"), object},
        {QStringLiteral("context"), context},
        {QStringLiteral("timestamp"), timestamp(seconds)}};
    if (!result.isEmpty())
        statement.insert(QStringLiteral("result"), result);
    return statement;
}

QJsonObject GameStatements::gameActivity() const
{
    // The file's name as the IRI's last segment, whatever characters it has.
    const QString id = QString::fromLatin1(QUrl::toPercentEncoding(game.scenario.id));
    return activity(settings.activityBase + QStringLiteral("scenarios/") + id,
                    {{QStringLiteral("name"), german(game.scenario.title)},
                     {QStringLiteral("type"), QLatin1String(seriousGameType)}});
}

QJsonObject GameStatements::treatmentActivity(ActionCode code) const
{
    const char *name = treatmentName(code);
    return activity(settings.activityBase + QStringLiteral("treatments/%1").arg(code),
                    {{QStringLiteral("name"),
                      german(name ? QString::fromUtf8(name) : QStringLiteral("Code %1").arg(code))},
                     {QStringLiteral("type"), QLatin1String(itemType)},
                     {QStringLiteral("extensions"), QJsonObject{{extension("code"), code}}}});
}

QJsonObject GameStatements::complicationActivity(const CourseEvent &event) const
{
    const bool shock = event.kind == EventKind::ShockStart;
    const QString id = shock ? QStringLiteral("complications/shock")
                             : QStringLiteral("complications/bleeding-%1").arg(event.value);
    return activity(settings.activityBase + id,
                    {{QStringLiteral("name"), german(QString::fromStdString(eventLabel(event)))}});
}

QJsonObject GameStatements::completedResult() const
{
    const std::vector<CourseStep> &steps = game.course.steps;
    const int score = steps.empty() ? 0 : steps.back().score;
    const bool lived = steps.empty() || steps.back().alive;
    return {{QStringLiteral("completion"), true},
            {QStringLiteral("score"), QJsonObject{{QStringLiteral("raw"), score}}},
            {QStringLiteral("duration"), QStringLiteral("PT%1S").arg(steps.size())},
            {QStringLiteral("extensions"),
             QJsonObject{{extension("steps"), static_cast<int>(steps.size())},
                         {extension("lived"), lived}}}};
}

QJsonObject GameStatements::verdictResult(const Verdict &verdict) const
{
    QJsonArray criteria;
    int most = 0;
    for (const CriterionResult &criterion : verdict.criteria) {
        most += criterion.points;
        criteria.append(
            QJsonObject{{QStringLiteral("name"), QString::fromStdString(criterion.name)},
                        {QStringLiteral("met"), criterion.met},
                        {QStringLiteral("points"), criterion.points},
                        {QStringLiteral("critical"), criterion.critical}});
    }
    QJsonObject score{{QStringLiteral("raw"), verdict.points},
                      {QStringLiteral("min"), 0},
                      {QStringLiteral("max"), std::max(most, verdict.points)}};
    if (most > 0)
        score.insert(QStringLiteral("scaled"), std::min(1.0, double(verdict.points) / most));
    return {{QStringLiteral("success"), verdict.passed},
            {QStringLiteral("score"), score},
            {QStringLiteral("extensions"), QJsonObject{{extension("criteria"), criteria},
                                                       {extension("pass-mark"), verdict.pass}}}};
}

QString GameStatements::extension(const char *name) const
{
    return settings.activityBase + QStringLiteral("extensions/") + QLatin1String(name);
}

// Local time with its offset from UTC, as xAPI wants every timestamp.
QString GameStatements::timestamp(int seconds) const
{
    const QDateTime when = game.started.addSecs(seconds);
    return when.toOffsetFromUtc(when.offsetFromUtc()).toString(Qt::ISODate);
}
