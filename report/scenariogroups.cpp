#include "scenariogroups.h"

#include <QtGlobal>

ScenarioGroups::ScenarioGroups(const std::vector<ReportEntry> &entries)
{
    int number = 0;
    for (const ReportEntry &entry : entries) {
        if (!entry.summary)
            continue;
        anyFile = anyFile || !entry.scenario.note.builtIn();
        auto group = all.begin();
        while (group != all.end() && !group->scenario->sameAs(entry.scenario))
            ++group;
        if (group == all.end())
            group = all.insert(all.end(), Group{&entry.scenario, {}});
        group->games.push_back({++number, &entry});
        group->judged += entry.verdict.has_value();
        group->passed += entry.verdict && entry.verdict->passed;
        group->unjudged += !entry.scenario.problem.empty();
    }
}

QString ScenarioGroups::heading(const Group &group)
{
    const RecordScenario &scenario = *group.scenario;
    QString text = QStringLiteral("Scenario: ") + QString::fromStdString(scenario.title());
    text += scenario.note.builtIn() ? QStringLiteral(" \u00b7 built-in fracture")
                                    : QStringLiteral(" \u00b7 %1 (SHA-256 %2)")
                                          .arg(QString::fromStdString(scenario.note.file),
                                               QString::fromStdString(scenario.note.hash));
    if (group.judged > 0)
        text += QStringLiteral(" \u00b7 passed %1 of %2 judged games (%3 %)")
                    .arg(group.passed)
                    .arg(group.judged)
                    .arg(qRound(100.0 * group.passed / group.judged));
    else if (group.unjudged == 0)
        text += QStringLiteral(" \u00b7 no rubric");
    if (group.unjudged > 0)
        text += QStringLiteral(" \u00b7 %1 not judged").arg(group.unjudged);
    return text;
}

QString ScenarioGroups::resultText(const ReportEntry &entry)
{
    if (!entry.verdict)
        return entry.scenario.problem.empty() ? QStringLiteral("no rubric")
                                              : QStringLiteral("not judged");
    return QStringLiteral("%1 %2/%3")
        .arg(entry.verdict->passed ? QStringLiteral("passed") : QStringLiteral("not passed"))
        .arg(entry.verdict->points)
        .arg(entry.verdict->pass);
}
