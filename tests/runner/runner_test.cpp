#include "reference_model.h"
#include "scratch.h"
#include "subprocess.h"

#include <climits>
#include <gtest/gtest.h>
#include <random>

namespace
{

const std::string simulator = CURAVANT_SIM_PATH;

// Script text for the treatments. `decorated` mixes in what the reader must
// accept: comments, blank lines, CRLF, tabs, signs, leading zeros and blanks,
// and no line end after the last line.
std::string scriptText(const std::vector<ScriptLine> &script, bool decorated)
{
    std::string text = decorated ? "# generated script\r\n\n" : "";
    for (std::size_t i = 0; i < script.size(); ++i) {
        const std::string step = std::to_string(script[i].step);
        const std::string code = std::to_string(script[i].code);
        if (!decorated) {
            text += step + " " + code + "\n";
            continue;
        }
        switch (i % 5) {
        case 0: text += step + "\t" + code + "\r\n"; break;
        case 1: text += "  +" + step + "   " + code + "  \n"; break;
        case 2: text += "00" + step + " " + code + "\n   # note\n"; break;
        case 3: text += "\n" + step + " \t " + code + "\t\r\n"; break;
        default: text += step + " " + code + "\n"; break;
        }
    }
    if (decorated && !text.empty() && !script.empty())
        text.pop_back(); // the final '\n'; a lone '\r' before it is blank
    return text;
}

// Compares row by row, so that a failure names the first step that differs.
void expectSameTable(const std::string &actual, const std::string &expected)
{
    const std::vector<std::string> got = lines(actual);
    const std::vector<std::string> want = lines(expected);
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        ASSERT_EQ(got[i], want[i]) << "row " << i;
    EXPECT_EQ(actual, expected);
}

struct Scenario {
    std::string name;
    int steps;
    std::vector<ScriptLine> script;
};

std::vector<Scenario> scenarios()
{
    std::vector<Scenario> list = {
        {"Untreated", 120, {}},
        {"UntreatedUntilLongAfterDeath", 400, {}},
        {"OneStep", 1, {{1, 7}}},
        {"CarefulPlay",
         120,
         {{1, 3}, {1, 6}, {1, 7}, {2, 1}, {2, 2}, {5, 4}, {9, 5}, {30, 7}, {31, 1}, {31, 2}}},
        {"OutOfOrderWithSeveralPerStep", 60, {{40, 2}, {3, 7}, {40, 1}, {3, 6}, {12, 13}, {3, 3}}},
        {"EveryCode", 30, {}},
        {"DeathAndTreatmentsAfterIt",
         80,
         {{1, 14}, {1, 14}, {1, 10}, {1, 11}, {60, 3}, {60, 6}, {70, 1}, {70, 7}}},
        {"GrowingReserves", 300, {{1, 7}, {1, 7}, {1, 7}, {1, 7}, {1, 7}, {1, 7}, {1, 7}}},
        {"ExtremeCodes", 20, {{2, INT_MIN}, {2, INT_MAX}, {3, -7}, {4, 12}, {4, 15}, {5, 0}}},
    };
    for (int code = -1; code <= 16; ++code)
        list[5].script.push_back({1 + (code + 1) % 30, code});

    std::mt19937 random(20240611);
    for (int i = 0; i < 12; ++i) {
        Scenario scenario{"Random" + std::to_string(i), 1 + static_cast<int>(random() % 300), {}};
        const int count = static_cast<int>(random() % 80);
        for (int n = 0; n < count; ++n) {
            const int step = 1 + static_cast<int>(random() % scenario.steps);
            scenario.script.push_back({step, static_cast<int>(random() % 19) - 1});
        }
        list.push_back(scenario);
    }
    return list;
}

class AgainstTheReference : public testing::TestWithParam<Scenario>
{
};

INSTANTIATE_TEST_SUITE_P(Scripts, AgainstTheReference, testing::ValuesIn(scenarios()),
                         [](const testing::TestParamInfo<Scenario> &info) {
                             return info.param.name;
                         });

} // namespace

TEST(Runner, PrintsTheHeaderAndTheKnownFirstRowForAnEmptyScript)
{
    const ProcessResult r = runProcess(simulator, {});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> rows = lines(r.out);
    ASSERT_EQ(rows.size(), 121u);
    EXPECT_EQ(rows[0], "step,score,health,alive,shock,bleeding,circulation,respiration,"
                       "circulation_loss,respiration_loss,heart_rate,systolic,diastolic,"
                       "temperature,respiratory_rate,ekg_mode");
    EXPECT_EQ(rows[1], "1,-60,100,1,1,1,99.0999985,99.0999985,3,3,92,124,82,36.5705528,15,0");
    EXPECT_EQ(r.err, "");
}

TEST_P(AgainstTheReference, FromAFileAndFromStandardInput)
{
    const Scenario &s = GetParam();
    const std::string expected = referenceTable(s.steps, s.script);
    const std::string echo = s.script.empty() ? "" : referenceEcho(s.script) + "\n";
    const std::vector<std::string> steps = {"--steps", std::to_string(s.steps)};

    const std::string path = writeFile(s.name + ".txt", scriptText(s.script, true));
    std::vector<std::string> args = steps;
    args.push_back(path);
    const ProcessResult fromFile = runProcess(simulator, args);
    ASSERT_EQ(fromFile.status, 0) << fromFile.err;
    expectSameTable(fromFile.out, expected);
    EXPECT_EQ(fromFile.err, echo);

    const ProcessResult fromInput =
        runProcess(simulator, steps, standardInputText(scriptText(s.script, false)));
    ASSERT_EQ(fromInput.status, 0) << fromInput.err;
    expectSameTable(fromInput.out, expected);
}

TEST(Runner, RunsAtTheLimitsWithoutLosingTrack)
{
    std::vector<ScriptLine> script(10000, ScriptLine{1, 7});
    const std::string path = writeFile("limits.txt", scriptText(script, false));
    const ProcessResult r = runProcess(simulator, {"--steps=100000", path});
    ASSERT_EQ(r.status, 0) << r.err.substr(0, 200);
    expectSameTable(r.out, referenceTable(100000, script));
    const std::string last = lines(r.out).back();
    EXPECT_EQ(last.rfind("100000,", 0), 0u) << last;
}

TEST(Runner, HelpGoesToStandardOutput)
{
    for (const char *option : {"--help", "-h"}) {
        const ProcessResult r = runProcess(simulator, {"--steps", "5", option});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out.rfind("Usage: curavant-sim [--steps N] [SCRIPT]\n", 0), 0u) << r.out;
        EXPECT_EQ(r.err, "");
    }
}

TEST(Runner, AcceptsTheUsualWaysOfNamingTheScript)
{
    const std::string expected = referenceTable(3, {{2, 7}});
    const std::string dashed = writeFile("-dashed", "2 7\n");
    const struct {
        std::vector<std::string> args;
        std::string input;
    } table[] = {
        {{"--steps", "3", "-"}, "2 7"},
        {{"--steps=3", "--", dashed}, ""},
        {{writeFile("crlf.txt", "\r\n# comment\r\n2 7\r\n"), "--steps", "3"}, ""},
        {{"--steps", "003", writeFile("long.txt", std::string(4000, ' ') + "2 7\n")}, ""},
        {{"--steps", "+3", writeFile("blank.txt", "\t\n   \n \f\v\r\n2 7")}, ""},
    };
    for (const auto &row : table) {
        const ProcessResult r = runProcess(simulator, row.args, standardInputText(row.input));
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, expected) << r.err;
    }
}

TEST(Runner, ReportsAFailedWriteOfTheTable)
{
    const ProcessResult r = runProcess(simulator, {}, standardOutputFile("/dev/full"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "curavant-sim: cannot write the table to standard output\n");
}
