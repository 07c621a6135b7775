// The fracture scenario played through curavant-sim, against courses worked
// out by hand. The random sequence is never seeded, so its draws are known:
// 41, 18467, 6334, 26500, 19169, 15724, ... Each living step draws the
// complication roll, then the four readings; the roll strikes for a draw of
// at most 9830 (below 1 in 0..3.33), which happens at steps 1, 3, 4, 7, 10,
// 21, 23, ... The first strike is the shock (-60, both drain rates +2), each
// later one during the shock raises the bleeding a stage (-40, circulation
// drain +1) up to stage 3. A game starts with score 0, bleeding stage 1,
// drain rates 1 and 1 and both reserves at 100; each living step takes 0.3
// times its drain rate off each reserve.

#include "simrun.h"

#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace
{

// A row of the course table as a person works it out: the patient after the step.
struct After {
    int step, score;
    bool alive, shock;
    int bleeding, circulationLoss, respirationLoss;
    double circulation, respiration;
};

struct HandCourse {
    const char *name;
    int steps;
    std::string script;
    std::string echo; // the codes the scenario wrote as it was treated
    std::vector<After> rows;
    // Played under this scenario file, for its steps, when it is not empty.
    std::string scenario = "";
    const char *shipped = nullptr; // or under this one of data/scenarios/
};

constexpr bool lives = true, dead = false, shock = true, calm = false;

const HandCourse handCourses[] = {
    // Circulation drains 0.9 a second at rate 3, 1.2 at 4, 1.5 at 5;
    // respiration 0.9 throughout.
    {"untreated",
     7,
     "",
     "",
     {{1, -60, lives, shock, 1, 3, 3, 99.1, 99.1},
      {2, -60, lives, shock, 1, 3, 3, 98.2, 98.2},
      {3, -100, lives, shock, 2, 4, 3, 97.0, 97.3},
      {4, -140, lives, shock, 3, 5, 3, 95.5, 96.4},
      {7, -140, lives, shock, 3, 5, 3, 91.0, 93.7}}},
    // Circulation reaches 95.5 - 64 x 1.5 = -0.5 at step 68, respiration
    // 100 - 68 x 0.9 = 38.8; step 69 finds the patient dead, and the reserves
    // stay. The dead patient's treatments still count: the plaster finds no
    // bleeding (-20), the infusion the shock that was never ended (+150,
    // drain rates -2), the wound cleaning its +150 and then +50, the
    // painkiller +100.
    {"death and the dead patient's treatments",
     72,
     "72 7\n70 3\n70 1\n71 6\n71 6\n",
     "31667\n",
     {{68, -140, lives, shock, 3, 5, 3, -0.5, 38.8},
      {69, -140, dead, calm, 0, 5, 3, -0.5, 38.8},
      {70, -10, dead, calm, 0, 3, 1, -0.5, 38.8},
      {71, 190, dead, calm, 0, 1, 1, -0.5, 38.8},
      {72, 290, dead, calm, 0, 0, 0, -0.5, 38.8}}},
    // The infusion before the shock costs 20; the shock forgets it, so the
    // one given during it earns 150 and lowers both drain rates by 2.
    {"an infusion before the shock and one during it",
     2,
     "1 1\n2 1\n",
     "11\n",
     {{1, -80, lives, shock, 1, 3, 3, 99.1, 99.1}, {2, 70, lives, shock, 1, 1, 1, 98.8, 98.8}}},
    // Untreated to step 10 (-140, rates 5 and 3, stage 3; reserves 86.5 and
    // 91). Infusion and transfusion end the shock; a third fluid costs 40 and
    // raises the circulation drain; the strike of step 21 is a new shock.
    {"both fluids end the shock",
     21,
     "11 1\n12 2\n13 1\n",
     "121\n",
     {{11, 10, lives, shock, 3, 3, 1, 85.6, 90.7},
      {12, 160, lives, calm, 3, 1, -1, 85.3, 91.0},
      {13, 120, lives, calm, 3, 2, -1, 84.7, 91.3},
      {21, 60, lives, shock, 3, 4, 1, 79.3, 93.1}}},
    // Each dressing at its stage and off it. The plaster stops stage 1 before
    // the shock; the strikes of steps 3, 4 and 7 raise the bleeding from 0.
    // The bandage at stage 1 and the suture at stage 1 cost 20; the bandage
    // at stage 2 earns 100 (circulation drain -1), the plaster at stage 3
    // costs 20, the suture at stage 3 earns 200 (circulation drain -3).
    // Written as a person might: comments, blank lines, CRLF, tabs, a sign,
    // leading zeros, and no line end after the last line.
    {"each dressing at its stage and off it",
     22,
     "# dressings\r\n\n1\t3\r\n  +4   4  \n005 4\n   # note\n\f\v\n8 \t 5\t\r\n22 3\n22 5",
     "344535\n",
     {{1, 40, lives, shock, 0, 2, 3, 99.4, 99.1},
      {3, 0, lives, shock, 1, 3, 3, 97.9, 97.3},
      {4, -60, lives, shock, 2, 4, 3, 96.7, 96.4},
      {5, 40, lives, shock, 0, 3, 3, 95.8, 95.5},
      {7, 0, lives, shock, 1, 4, 3, 93.7, 93.7},
      {8, -20, lives, shock, 1, 4, 3, 92.5, 92.8},
      {21, -100, lives, shock, 3, 6, 3, 73.0, 81.1},
      {22, 80, lives, shock, 0, 3, 3, 72.1, 80.2}}},
    // After the shock: the wound cleaned twice (+150 with circulation drain
    // -2, then +50), three painkillers (+100 each, both drain rates -1): the
    // circulation drain below zero fills its reserve.
    {"wound cleaning and painkillers",
     2,
     "2 6\n2 6\n2 7\n2 7\n2 7\n",
     "66777\n",
     {{2, 440, lives, shock, 1, -2, 0, 99.7, 99.1}}},
    // The codes that only cost, and those that change nothing (12, 15 and
    // codes no click makes): -40 and both rates +1 for 8 and 9, -60 and +2
    // for 10 and 11, -20 for 13, -80 and +3 for 14; then the shock.
    {"codes that cost and codes that change nothing",
     1,
     "1 8\n1 9\n1 10\n1 11\n1 13\n1 14\n1 12\n1 15\n1 0\n1 99\n1 -2147483648\n1 2147483647\n",
     "89101113141215099-21474836482147483647\n",
     {{1, -360, lives, shock, 1, 12, 12, 96.4, 96.4}}},

    // Under scenario files, each game as long as its file's tenths say
    // (20 a step), and without random complications unless they say so.
    // The events strike in the tick of their step: the shock of step 5
    // (-60, both drain rates 3, 0.9 a step off each reserve), the bleeding
    // of step 7 (stage 2, -40, circulation drain 4: 1.2 a step); the shock
    // of step 7 finds the patient in shock and changes nothing.
    {"events at set steps",
     7,
     "",
     "",
     {{4, 0, lives, calm, 1, 1, 1, 98.8, 98.8},
      {5, -60, lives, shock, 1, 3, 3, 97.9, 97.9},
      {6, -60, lives, shock, 1, 3, 3, 97.0, 97.0},
      {7, -100, lives, shock, 2, 4, 3, 95.8, 96.1}},
     "tenths = 140\n[random]\ncomplications = false\n"
     "[[event]]\nstep = 5\nwhat = \"shock\"\n[[event]]\nstep = 7\nwhat = \"bleeding\"\n"
     "[[event]]\nstep = 7\nwhat = \"shock\"\n"},
    // Step 5 is the first to begin with circulation below 99 (100 - 4 x 0.3
    // = 98.8): the shock strikes there. Infusion and transfusion end it
    // before step 7 (+150 each, both drain rates 3 - 4 = -1, the reserves
    // grow 0.3 a step); circulation is still below 99, but the event has
    // fired and fires no more.
    {"a condition that strikes once",
     10,
     "7 1\n7 2\n",
     "12\n",
     {{4, 0, lives, calm, 1, 1, 1, 98.8, 98.8},
      {5, -60, lives, shock, 1, 3, 3, 97.9, 97.9},
      {7, 240, lives, calm, 1, -1, -1, 97.3, 97.3},
      {10, 240, lives, calm, 1, -1, -1, 98.2, 98.2}},
     "tenths = 200\n[random]\ncomplications = false\n"
     "[[event]]\nwhen = \"circulation < 99\"\nwhat = \"shock\""},
    // The first lesson: 120 steps, no random complications, 0.2 a step per
    // drain rate; one shock in step 30 (from 100 - 29 x 0.2 = 94.2 to 93.6),
    // 0.6 a step off each reserve to 88.2 after step 39; infusion and
    // transfusion end it (rates -1): 0.2 a step back, 88.4 after step 40,
    // 104.4 after step 120, and no other shock comes.
    {"the first lesson's single shock",
     120,
     "40 1\n40 2\n",
     "12\n",
     {{29, 0, lives, calm, 1, 1, 1, 94.2, 94.2},
      {30, -60, lives, shock, 1, 3, 3, 93.6, 93.6},
      {40, 240, lives, calm, 1, -1, -1, 88.4, 88.4},
      {120, 240, lives, calm, 1, -1, -1, 104.4, 104.4}},
     "",
     "erste-stunde.toml"},
    // Without complications the fracture's patient only drains: 120 x 0.3.
    {"complications off",
     120,
     "",
     "",
     {{120, 0, lives, calm, 1, 1, 1, 64.0, 64.0}},
     "[random]\ncomplications = false\n"},
    // Divisor 100: the roll draws from [0, 1), so every living second
    // strikes: the shock (here -10, drain rates 3 and 3), then the bleeding
    // from stage 0 up to 3 (-40 and circulation drain +1 each). Circulation
    // starts at 50. The painkiller of step 3 earns the file's 5 points and
    // keeps the fracture's drain changes, -1 and -1.
    {"numbers of the file",
     4,
     "3 7\n",
     "7\n",
     {{1, -10, lives, shock, 0, 3, 3, 49.1, 99.1},
      {2, -50, lives, shock, 1, 4, 3, 47.9, 98.2},
      {3, -85, lives, shock, 2, 4, 2, 46.7, 97.6},
      {4, -125, lives, shock, 3, 5, 2, 45.2, 97.0}},
     "tenths = 80\n[random]\ndivisor = 100\n[patient]\ncirculation = 50\n"
     "bleeding_stage = 0\n[shock]\npoints = -10\n[treatment.7]\nalways = { points = 5 }\n"},
};

// The arguments that play `course`: its scenario file, written to a fresh
// folder, gives the steps; without one, --steps does.
std::vector<std::string> playing(const HandCourse &course)
{
    if (course.shipped)
        return {"--scenario", std::string("../data/scenarios/") + course.shipped};
    if (course.scenario.empty())
        return {"--steps", std::to_string(course.steps)};
    return {"--scenario", writeFile(freshFolder("scenario") + "/case.toml", course.scenario)};
}

// The table's rows, each cell by its column's name.
std::vector<std::map<std::string, double>> tableRows(const std::string &csv)
{
    const std::vector<std::string> text = lines(csv);
    std::vector<std::string> names;
    std::vector<std::map<std::string, double>> rows;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::istringstream cells(text[i]);
        std::map<std::string, double> row;
        std::size_t column = 0;
        for (std::string cell; std::getline(cells, cell, ','); ++column) {
            if (i == 0)
                names.push_back(cell);
            else if (column < names.size())
                row[names[column]] = std::stod(cell);
        }
        if (i > 0)
            rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(Scenario, PlaysCoursesWorkedOutByHand)
{
    for (const HandCourse &course : handCourses) {
        SCOPED_TRACE(course.name);
        const SimRun run = runSim(playing(course), course.script);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, course.echo);
        const auto rows = tableRows(run.out);
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(course.steps));
        for (const After &after : course.rows) {
            SCOPED_TRACE("step " + std::to_string(after.step));
            auto cell = rows.at(after.step - 1);
            EXPECT_EQ(cell["step"], after.step);
            EXPECT_EQ(cell["score"], after.score);
            EXPECT_EQ(cell["alive"], after.alive);
            EXPECT_EQ(cell["shock"], after.shock);
            EXPECT_EQ(cell["bleeding"], after.bleeding);
            EXPECT_EQ(cell["circulation_loss"], after.circulationLoss);
            EXPECT_EQ(cell["respiration_loss"], after.respirationLoss);
            EXPECT_NEAR(cell["circulation"], after.circulation, 0.001);
            EXPECT_NEAR(cell["respiration"], after.respiration, 0.001);
            // Death empties health and flattens the ECG.
            if (!after.alive) {
                EXPECT_EQ(cell["health"], 0);
            }
            EXPECT_EQ(cell["ekg_mode"], after.alive ? 0 : -1);
        }
    }
}

// The readings of step 1, from the draws 18467, 6334, 26500 and 19169 in the
// order respiratory rate, temperature, systolic, heart rate: 15 x 1.0282 =
// 15.4, 36.5 x 1.00193 = 36.5706, 120 x 1.0404 = 124.85, 90 x 1.0292 = 92.6;
// the diastolic pressure two thirds of the systolic.
TEST(Scenario, FirstRowOfAnUntreatedGameIsKnown)
{
    EXPECT_EQ(lines(runSim({}).out).at(1),
              "1,-60,100,1,1,1,99.0999985,99.0999985,3,3,92,124,82,36.5705528,15,0");
}

// The shipped fracture file and an empty file play the built-in fracture: the
// same bytes on both streams for every script of the courses above, and for
// the README's example script.
TEST(Scenario, FractureFileAndEmptyFilePlayTheBuiltInFracture)
{
    const std::string empty = writeFile(freshFolder("empty") + "/empty.toml", "");
    std::vector<std::string> scripts{readFile(CURAVANT_SOURCE_DIR "/docs/example-script.txt")};
    for (const HandCourse &course : handCourses)
        scripts.push_back(course.script);
    for (const std::string &script : scripts) {
        SCOPED_TRACE(script);
        const SimRun builtIn = runSim({}, script);
        ASSERT_EQ(lines(builtIn.out).size(), 121u);
        for (const std::string &file : {std::string("../data/scenarios/fraktur.toml"), empty}) {
            const SimRun run = runSim({"--scenario", file}, script);
            EXPECT_EQ(run.status, builtIn.status);
            EXPECT_EQ(run.out, builtIn.out);
            EXPECT_EQ(run.err, builtIn.err);
        }
    }
}

// Ten thousand painkillers that each lower both drain rates by 100, at ten
// times the usual drain per rate: each reserve grows by 10 x 1000100 a step,
// and before step 500 stands at 100 + 499 x 10001000 = 4990499100. Half its
// excess is beyond any int; the vital signs' change stops at a billion: heart
// rate 90 - 1e9, systolic 120 + 1e9, each read up to 5 % higher.
TEST(Scenario, VitalSignsOfReservesBeyondAnyIntStopAtABillion)
{
    const std::string file = writeFile(freshFolder("huge") + "/huge.toml",
                                       "[random]\ncomplications = false\n[drain]\nper_rate = 10\n"
                                       "[treatment.7]\nalways = { circulation_loss = -100, "
                                       "respiration_loss = -100 }\n");
    std::string script;
    for (int i = 0; i < 10000; ++i)
        script += "1 7\n";
    const SimRun run = runSim({"--scenario", file, "--steps", "500"}, script);
    ASSERT_EQ(run.status, 0) << run.err;
    auto last = tableRows(run.out).back();
    EXPECT_LE(last["heart_rate"], 90 - 1e9);
    EXPECT_GE(last["heart_rate"], (90 - 1e9) * 1.05);
    EXPECT_GE(last["systolic"], 120 + 1e9);
    EXPECT_LE(last["systolic"], (120 + 1e9) * 1.05);
}
