// The rubric judged on games played by the real scenario, each worked out by
// hand. The games run without random complications: the only ones are those
// the scenario sets at a step. A game starts at bleeding stage 1 (from step
// 1); infusion and transfusion both given end a shock; a plaster stops stage
// 1, a pressure bandage stage 2. A patient started at circulation 1 and
// struck by a shock at step 1 drains 0.9 a step: 0.1 after step 1, below 0
// after step 2, dead at step 3.

#include "course.h"
#include "runner.h"
#include "script.h"
#include "verdict.h"

#include <gtest/gtest.h>
#include <sstream>

namespace
{

constexpr ActionCode plaster = 3, oxygen = 13;

struct Start {
    std::vector<ScenarioEvent> events;
    float circulation = 100;
    int bleedingStage = 1;
};

const Start shockAt3{{{3, std::nullopt, Complication::Shock}}};
const Start dyingInShock{{{1, std::nullopt, Complication::Shock}}, 1};
const Start bleedingWorseAt2{{{2, std::nullopt, Complication::Bleeding}}};
const Start calm{}, notBleeding{{}, 100, 0};

Scenario scenarioFor(const Start &start, std::vector<Criterion> criteria, int pass)
{
    Scenario scenario;
    scenario.complications = false;
    scenario.events = start.events;
    scenario.patient.circulation = start.circulation;
    scenario.patient.bleedingStage = start.bleedingStage;
    scenario.rubric = Rubric{pass, std::move(criteria)};
    return scenario;
}

// Plays `steps` steps with the treatments of `script` (a step past the last
// is given after it) and judges the game.
Verdict play(const Scenario &scenario, int steps, const std::string &script)
{
    Plan plan;
    plan.steps = steps + 1;
    std::istringstream in(script);
    EXPECT_EQ(readScript(in, "script", plan), "");
    plan.steps = steps;
    Course course;
    std::ostringstream csv, echo;
    runPlan(plan, scenario, csv, echo, &course);
    return judge(scenario, course, plan.treatments);
}

struct CriterionCase {
    const char *what;
    Start start;
    CriterionKind kind;
    int limit;
    std::vector<ActionCode> codes;
    int steps;
    const char *script; // step and code, as curavant-sim reads them
    bool met;
};

using K = CriterionKind;
const bool met = true, missed = false;

// Infusion 1, transfusion 2, plaster 3, pressure bandage 4, oxygen 13.
const CriterionCase criterionCases[] = {
    {"shock at 3 ended at 5: 2 steps", shockAt3, K::ShockWithin, 2, {}, 8, "5 1\n5 2", met},
    {"shock at 3 ended at 6: 3 steps", shockAt3, K::ShockWithin, 2, {}, 8, "4 1\n6 2", missed},
    {"shock at 3 running at the end of step 4", shockAt3, K::ShockWithin, 2, {}, 4, "", met},
    {"shock at 3 running at the end of step 5", shockAt3, K::ShockWithin, 2, {}, 5, "", missed},
    {"shock at 1 running at death at 3", dyingInShock, K::ShockWithin, 5, {}, 4, "", missed},
    {"shock at 1 ended at 4, after death",
     dyingInShock,
     K::ShockWithin,
     5,
     {},
     6,
     "4 1\n4 2",
     missed},
    {"no shock", calm, K::ShockWithin, 0, {}, 10, "", met},
    {"bleeding from 1 stopped at 4: 3 steps", calm, K::BleedingWithin, 3, {}, 8, "4 3", met},
    {"bleeding from 1 stopped at 5: 4 steps", calm, K::BleedingWithin, 3, {}, 8, "5 3", missed},
    {"bleeding from 1 running after step 3", calm, K::BleedingWithin, 3, {}, 3, "", met},
    {"bleeding from 1 running after step 4", calm, K::BleedingWithin, 3, {}, 4, "", missed},
    {"no bleeding at the start", notBleeding, K::BleedingWithin, 3, {}, 10, "", met},
    {"worse at 2, bandage at 4: 3 from 1",
     bleedingWorseAt2,
     K::BleedingWithin,
     3,
     {},
     8,
     "4 4",
     met},
    {"worse at 2, bandage at 4: 2 from 2, 3 from 1",
     bleedingWorseAt2,
     K::BleedingWithin,
     2,
     {},
     8,
     "4 4",
     missed},
    {"a plaster does not stop stage 2",
     bleedingWorseAt2,
     K::BleedingWithin,
     5,
     {},
     8,
     "2 3",
     missed},
    {"bleeding running at death", dyingInShock, K::BleedingWithin, 5, {}, 4, "", missed},
    {"lives", calm, K::Alive, 0, {}, 10, "", met},
    {"dies at 3", dyingInShock, K::Alive, 0, {}, 6, "", missed},
    {"infusion and transfusion given", calm, K::Given, 0, {1, 2}, 10, "2 1\n3 2", met},
    {"only the infusion given", calm, K::Given, 0, {1, 2}, 10, "2 1", missed},
    {"transfusion after the last step", calm, K::Given, 0, {1, 2}, 10, "2 1\n11 2", met},
    {"no oxygen", calm, K::Avoid, 0, {13}, 10, "2 3", met},
    {"oxygen after the last step", calm, K::Avoid, 0, {13}, 10, "11 13", missed},
    {"plaster at 1: score 100, at least 100", calm, K::ScoreAtLeast, 100, {}, 5, "1 3", met},
    {"plaster at 1: score 100, at least 101", calm, K::ScoreAtLeast, 101, {}, 5, "1 3", missed},
};

} // namespace

TEST(Verdict, EachKindOfCriterionMetAndMissedAtItsEdge)
{
    for (const CriterionCase &c : criterionCases) {
        Criterion criterion{"c", c.kind, c.limit, c.codes, 10, false};
        const Verdict verdict = play(scenarioFor(c.start, {criterion}, 10), c.steps, c.script);
        ASSERT_EQ(verdict.criteria.size(), 1u) << c.what;
        EXPECT_EQ(verdict.criteria[0].met, c.met) << c.what;
        EXPECT_EQ(verdict.passed, c.met) << c.what;
        EXPECT_EQ(verdict.points, c.met ? 10 : 0) << c.what;
    }
}

// Pass mark 70 of 100: the patient lives (40), a plaster is given (40), no
// oxygen (20, critical).
TEST(Verdict, PassedFailedOnPointsAndFailedByACriticalCriterion)
{
    const std::vector<Criterion> rubric = {
        {"Patient lebt", K::Alive, 0, {}, 40, false},
        {"Pflaster", K::Given, 0, {plaster}, 40, false},
        {"Kein Sauerstoff", K::Avoid, 0, {oxygen}, 20, true},
    };
    struct Case {
        const char *what;
        const char *script;
        bool passed;
        int points;
        std::vector<bool> met;
    };
    const Case cases[] = {
        {"all met", "2 3", true, 100, {true, true, true}},
        {"no plaster: 60 of 70", "", false, 60, {true, false, true}},
        {"oxygen: 80 of 70, a critical one missed", "2 3\n3 13", false, 80, {true, true, false}},
    };
    for (const Case &c : cases) {
        const Verdict verdict = play(scenarioFor(calm, rubric, 70), 10, c.script);
        EXPECT_EQ(verdict.passed, c.passed) << c.what;
        EXPECT_EQ(verdict.points, c.points) << c.what;
        EXPECT_EQ(verdict.pass, 70) << c.what;
        ASSERT_EQ(verdict.criteria.size(), 3u) << c.what;
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(verdict.criteria[i].met, c.met[i]) << c.what << ", " << rubric[i].name;
            EXPECT_EQ(verdict.criteria[i].name, rubric[i].name);
            EXPECT_EQ(verdict.criteria[i].critical, rubric[i].critical);
        }
    }
}
