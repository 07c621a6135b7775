// Scenario files that curavant-sim must refuse, each with the one line that
// names its first problem, from --check and from --scenario alike; and the
// shipped cases, which it must accept.

#include "simrun.h"

#include <gtest/gtest.h>

namespace
{

struct BadFile {
    const char *name;
    std::string text;
    std::string message; // after "curavant-sim: FILE:"
    // toml++ words its syntax errors, and places some, a little differently
    // from version to version: only their line is compared.
    bool syntax = false;
};

const std::string effect = "{ points = 1 }", kinds = "alive = true\nscore_at_least = 5\n";
const std::string unreadable = "\": write '<measure> <comparison> <number>' with circulation, "
                               "respiration, health or score and <, <=, > or >=";
const std::string noKind = "a criterion needs one of alive, shock_within, bleeding_within, "
                           "given, avoid or score_at_least";

const BadFile badFiles[] = {
    {"Syntax", "tenths = \n",
     "1:10: Error while parsing key-value pair: expected value, saw '\\n'"},
    {"NotUtf8", "title = \"\xff\"", "1:", true},
    {"TooDeep", "a = " + std::string(300, '[') + std::string(300, ']'), "1:", true},
    {"IntegerTooLarge", "\ntenths = 9223372036854775808", "2:", true},
    // toml++ once met undefined behaviour on a letter like this after a line-ending backslash.
    {"LetterAfterAnEscapedLineEnd", "s = \"\"\"\\\n\u00a7\"\"\"", "1:1: unknown key 's'"},
    {"TypoAtTheTop", "tenth = 2400", "1:1: unknown key 'tenth'"},
    {"TypoInATable", "[random]\nseed = 3", "2:1: unknown key 'random.seed'"},
    {"NoSuchCode", "[treatment.16]", "1:12: unknown key 'treatment.16': the codes are 1 to 15"},
    {"NoSuchCase", "[treatment.3]\nin_shock = " + effect,
     "2:1: unknown key 'treatment.3.in_shock': code 3 has at_stage and other_stage"},
    {"TypoInAnEffect", "[treatment.7]\nalways = { point = 5 }",
     "2:12: unknown key 'treatment.7.always.point'"},
    {"Text", "tenths = \"2400\"", "1:10: 'tenths' must be an integer, not a string"},
    {"Float", "tenths = 2400.0", "1:10: 'tenths' must be an integer, not a float"},
    {"NotATable", "random = 3", "1:10: 'random' must be a table, not an integer"},
    {"NotABoolean", "[random]\ncomplications = 0",
     "2:17: 'random.complications' must be true or false, not an integer"},
    {"TenthsZero", "tenths = 0", "1:10: 'tenths' must lie between 20 and 2000000, not 0"},
    {"TenthsHuge", "tenths = 2000001",
     "1:10: 'tenths' must lie between 20 and 2000000, not 2000001"},
    {"StartNegative", "[random]\nstart = -1",
     "2:9: 'random.start' must lie between 0 and 4294967295, not -1"},
    {"StartPast32Bits", "[random]\nstart = 4294967296",
     "2:9: 'random.start' must lie between 0 and 4294967295, not 4294967296"},
    {"DivisorZero", "[random]\ndivisor = 0",
     "2:11: 'random.divisor' must lie between 0.001 and 1000, not 0"},
    {"DivisorBeyondADouble", "[random]\ndivisor = 9007199254740993",
     "2:11: 'random.divisor' must lie between 0.001 and 1000, not 9.0072e+15"},
    {"DivisorNan", "[random]\ndivisor = nan",
     "2:11: 'random.divisor' must lie between 0.001 and 1000, not nan"},
    {"Spray", "[random]\nspray = \"eigen\"",
     "2:9: 'random.spray' must be \"own\" or \"shared\", not \"eigen\""},
    {"HighestStage", "[bleeding]\nhighest_stage = 4",
     "2:17: 'bleeding.highest_stage' must lie between 1 and 3, not 4"},
    {"StartPastHighestStage", "[patient]\nbleeding_stage = 2\n[bleeding]\nhighest_stage = 1",
     "2:18: 'patient.bleeding_stage' must lie between 0 and 1, not 2"},
    {"DeadAtTheStart", "[patient]\ncirculation = 0",
     "2:15: 'patient.circulation' must lie between 1 and 10000, not 0"},
    {"Points", "[shock]\npoints = -10001",
     "2:10: 'shock.points' must lie between -10000 and 10000, not -10001"},
    {"DrainChange", "[treatment.1]\nagain = { circulation_loss = 101 }",
     "2:30: 'treatment.1.again.circulation_loss' must lie between -100 and 100, not 101"},
    {"DrainPerRate", "[drain]\nper_rate = -0.1",
     "2:12: 'drain.per_rate' must lie between 0 and 10, not -0.1"},
    {"TitleOfTwoLines", "title = \"\"\"\nzwei\nZeilen\"\"\"",
     "1:9: 'title' must be one line of 1 to 100 characters without tabs"},
    {"EventNotAnArray", "[event]\nstep = 3", "1:1: 'event' must be an array of tables ([[event]])"},
    {"EventStepZero", "[[event]]\nstep = 0",
     "2:8: 'event.step' must lie between 1 and 100000, not 0"},
    {"EventBoth", "[[event]]\nstep = 3\nwhen = \"health < 50\"",
     "3:8: an event has 'step' or 'when', not both"},
    {"EventNeither", "[[event]]\nwhat = \"shock\"", "1:1: an event needs 'step' or 'when'"},
    {"WhenUnreadable", "[[event]]\nwhen = \"blood < 50\"",
     "2:8: cannot read 'event.when' \"blood < 50" + unreadable},
    {"WhenWithoutNumber", "[[event]]\nwhen = \"score >= 1e3\"",
     "2:8: cannot read 'event.when' \"score >= 1e3" + unreadable},
    {"What", "[[event]]\nstep = 1\nwhat = \"fever\"",
     "3:8: 'event.what' must be \"shock\" or \"bleeding\", not \"fever\""},
    {"CriterionWithoutKind", "[[rubric.criterion]]\nname = \"a\"", "1:1: " + noKind},
    {"CriterionOfTwoKinds", "[[rubric.criterion]]\nname = \"a\"\n" + kinds,
     "4:1: a criterion has one kind only, not both 'alive' and 'score_at_least'"},
    {"CriterionWithoutName", "[[rubric.criterion]]\nalive = true",
     "1:1: a criterion needs a 'name'"},
    {"AliveFalse", "[[rubric.criterion]]\nname = \"a\"\nalive = false",
     "3:9: 'rubric.criterion.alive' can only be true"},
    {"CodeOutside", "[[rubric.criterion]]\nname = \"a\"\ngiven = [7, 16]",
     "3:13: the codes in 'rubric.criterion.given' must be integers between 1 and 15"},
    {"NoCodes", "[[rubric.criterion]]\nname = \"a\"\navoid = []",
     "3:9: 'rubric.criterion.avoid' must list 1 to 100 codes"},
    {"WithinZero", "[[rubric.criterion]]\nname = \"a\"\nshock_within = 0",
     "3:16: 'rubric.criterion.shock_within' must lie between 1 and 100000, not 0"},
    {"PassAbovePoints",
     "[rubric]\npass = 61\n[[rubric.criterion]]\nname = \"a\"\nalive = true\npoints = 60",
     "2:8: the pass mark 61 is above the 60 points the criteria give"},
    // Checked after the table below it, reported first: it comes first in the file.
    {"FirstInTheFile", "[patient]\nbleeding_stage = 9\n[random]\ndivisor = 0",
     "2:18: 'patient.bleeding_stage' must lie between 0 and 3, not 9"},
};

} // namespace

TEST(ScenarioFile, BadFilesAreRefusedWithTheirFirstProblem)
{
    const std::string folder = freshFolder("scenarios");
    for (const BadFile &bad : badFiles) {
        SCOPED_TRACE(bad.name);
        const std::string path = writeFile(folder + "/" + bad.name + ".toml", bad.text);
        const std::string line = "curavant-sim: " + path + ":" + bad.message;
        for (const auto &args : {std::vector<std::string>{"--check", path},
                                 std::vector<std::string>{"--scenario", path, "--steps=2"}}) {
            const SimRun run = runSim(args);
            EXPECT_EQ(run.status, 2);
            EXPECT_EQ(run.out, "");
            if (bad.syntax) {
                EXPECT_EQ(run.err.substr(0, line.size()), line);
                EXPECT_EQ(lines(run.err).size(), 1u);
            } else {
                EXPECT_EQ(run.err, line + "\n");
            }
        }
    }
}

TEST(ScenarioFile, FilesThatCannotBeReadAreNamed)
{
    const std::string missing = freshFolder("missing") + "/no.toml";
    EXPECT_EQ(runSim({"--check", missing}).err,
              "curavant-sim: " + missing + ": cannot read: No such file or directory\n");
    EXPECT_EQ(runSim({"--check", "/"}).err, "curavant-sim: /: cannot read: Is a directory\n");
    EXPECT_EQ(runSim({"--check", "/dev/zero"}).err,
              "curavant-sim: /dev/zero: more than 1048576 bytes: not a scenario\n");
}

// --check names every bad file and stays silent about the good ones.
TEST(ScenarioFile, ShippedCasesPassTheCheck)
{
    const std::string dir = "../data/scenarios/";
    const std::string bad = writeFile(freshFolder("check") + "/bad.toml", "tenth = 1");
    const SimRun good = runSim({"--check", dir + "fraktur.toml", dir + "erste-stunde.toml",
                                dir + "pruefung.toml", dir + "schwer.toml"});
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.out + good.err, "");
    const SimRun mixed = runSim({"--check", dir + "fraktur.toml", bad, bad});
    EXPECT_EQ(mixed.status, 2);
    const std::string line = "curavant-sim: " + bad + ":1:1: unknown key 'tenth'\n";
    EXPECT_EQ(mixed.err, line + line);
}
