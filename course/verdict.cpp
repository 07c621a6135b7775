#include "verdict.h"

#include "gamesummary.h"

#include <algorithm>

namespace
{

// A shock or a bleeding is handled in time when the treatment that ended it
// came at most `limit` steps after it struck. One still running at the
// game's end is missed only once the limit had passed; one running at death
// is missed.
bool inTime(const GameSummary::Episode &episode, int limit, const GameSummary &game)
{
    if (episode.stepsToEnd)
        return *episode.stepsToEnd <= limit;
    return game.diedAt == 0 && game.steps - episode.step < limit;
}

bool allInTime(const std::vector<GameSummary::Episode> &episodes, int limit,
               const GameSummary &game)
{
    return std::all_of(episodes.begin(), episodes.end(),
                       [&](const GameSummary::Episode &e) { return inTime(e, limit, game); });
}

bool wasGiven(ActionCode code, const std::vector<Treatment> &treatments)
{
    return std::any_of(treatments.begin(), treatments.end(),
                       [code](const Treatment &t) { return t.code == code; });
}

bool met(const Criterion &criterion, const GameSummary &game,
         const std::vector<Treatment> &treatments)
{
    const std::vector<ActionCode> &codes = criterion.codes;
    const auto given = [&](ActionCode code) { return wasGiven(code, treatments); };
    switch (criterion.kind) {
    case CriterionKind::Alive: return game.diedAt == 0;
    case CriterionKind::ShockWithin: return allInTime(game.shocks, criterion.limit, game);
    case CriterionKind::BleedingWithin: return allInTime(game.bleedings, criterion.limit, game);
    case CriterionKind::Given: return std::all_of(codes.begin(), codes.end(), given);
    case CriterionKind::Avoid: return std::none_of(codes.begin(), codes.end(), given);
    case CriterionKind::ScoreAtLeast: return game.finalScore >= criterion.limit;
    }
    return false;
}

} // namespace

Verdict judge(const Scenario &scenario, const Course &course,
              const std::vector<Treatment> &treatments)
{
    Verdict verdict;
    if (!scenario.rubric)
        return verdict;
    const GameSummary game(course, treatments, scenario.patient.bleedingStage);
    verdict.pass = scenario.rubric->pass;
    bool criticalMissed = false;
    for (const Criterion &criterion : scenario.rubric->criteria) {
        const bool ok = met(criterion, game, treatments);
        verdict.criteria.push_back({criterion.name, ok, criterion.points, criterion.critical});
        verdict.points += ok ? criterion.points : 0;
        criticalMissed = criticalMissed || (criterion.critical && !ok);
    }
    verdict.passed = verdict.points >= verdict.pass && !criticalMissed;
    return verdict;
}
