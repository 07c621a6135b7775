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
};

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
        const SimRun run = runSim({"--steps", std::to_string(course.steps)}, course.script);
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
