// curavant-sim played as a program with bad input (status 2, one line naming
// the problem, nothing left behind) and with random bytes, which it plays or
// refuses but never crashes on.

#include "simrun.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

namespace
{

struct BadInput {
    std::string name;
    std::vector<std::string> args;
    std::string script;  // on standard input
    std::string message; // after "curavant-sim: "
    std::string redirect = "";
};

const std::string line1 = "<stdin>:1: ", twoInts = "expected two integers '<step> <code>'";
const std::string stepZero = "step '0' is outside 1..120";
const std::string stepsRange = "--steps must lie between 1 and 100000, not ";
const std::string noPlot = ": cannot write the plot: ";
const std::string sixteen = "expected 16 comma-separated values, found ";
const std::string pngOnly = "--plot draws PNG pictures only: give a file name ending in .png, not ";

// The cases, run in `folder`, which holds a folder dir.png and a pipe pipe.png.
std::vector<BadInput> badInputs(const std::string &folder)
{
    const std::string dir = folder + "/dir.png", pipe = folder + "/pipe.png";
    const std::string good = runSim({"--steps=3"}).out, courses = freshFolder("courses") + "/";
    std::string german = good;
    german[german.rfind('.')] = ',';
    const std::string png = folder + "/c.png", comma = writeFile(courses + "de", german);
    const std::string cut = writeFile(courses + "cut", good.substr(0, good.find('\n') + 20));
    const std::string game = writeFile(courses + "game", good), header = good.substr(0, 40);
    const std::string nowhere = folder + "/x/a.png", missing = folder + "/missing";
    std::string tooMany;
    for (int i = 0; i <= 10000; ++i)
        tooMany += "1 7\n";
    const std::string nines(40, '9'), tooLong = "line longer than 4096 characters";
    const std::string p = "--plot", c = "--course", other = writeFile(courses + "h", header);
    const std::string notTable = "not a course table: the header differs from curavant-sim's";
    const std::string step5 = "step '5' is outside 1..4",
                      ownSteps = "and takes its steps from the table";
    return {
        {"OneIntegerAfterABlankLine", {}, "\n5\n", "<stdin>:2: " + twoInts},
        {"StepZero", {}, "0 3", line1 + stepZero},
        {"StepPastSteps", {"--steps=9"}, "9 1\n10 1", "<stdin>:2: step '10' is outside 1..9"},
        {"EndlessStep", {}, nines + "9 3", line1 + "step '" + nines + "...' is outside 1..120"},
        {"CodeAboveInt", {}, "1 2147483648", line1 + "code '2147483648' does not fit in an int"},
        {"LongLine", {}, std::string(4094, ' ') + "1 3", line1 + tooLong},
        {"EndlessZeros", {"/dev/zero"}, "", "/dev/zero:1: " + tooLong},
        {"TooManyTreatments", {}, tooMany, "<stdin>:10001: more than 10000 treatments"},
        {"MissingFile", {missing}, "", missing + ": cannot read: No such file or directory"},
        {"DirectoryAsInput", {}, "", "<stdin>: cannot read: Is a directory", "< /"},
        {"StepsEscape", {"--steps", "\x1b[1m"}, "", "--steps takes a whole number, not '?[1m'"},
        {"StepsZero", {"--steps", "0"}, "", stepsRange + "'0'"},
        {"StepsMissing", {"--steps"}, "", "Missing value after '--steps' (see --help)"},
        {"TwoScripts", {"a", "b"}, "", "only one script can be played, got 'a' and 'b'"},
        {"PngInTheMiddle", {"--plot=c.png.txt"}, "", pngOnly + "'c.png.txt'"},
        {"NoFolder", {"--plot", nowhere}, "", nowhere + noPlot + "No such file or directory"},
        {"FolderInTheWay", {"--plot", dir}, "", dir + noPlot + "Filename refers to a directory"},
        {"Pipe", {"--plot", pipe}, "", pipe + noPlot + "not a regular file"},
        {"BadScriptAndPlot", {"--plot", png}, "0 3", line1 + stepZero},
        {"CourseCut", {p, png, c, cut}, "", cut + ":2: " + sixteen + "7"},
        {"CourseWithADecimalComma", {p, png, c, comma}, "", comma + ":4: " + sixteen + "17"},
        {"CourseOfSomethingElse", {p, png, c, other}, "", other + ":1: " + notTable},
        {"CourseBadTreatment", {p, png, c, game, "-"}, "4 7\n5 7", "<stdin>:2: " + step5},
        {"CourseWithoutPlot", {c, game}, "", "--course only goes with --plot, " + ownSteps},
        {"ScenarioWithoutName",
         {"--scenario="},
         "",
         "--scenario needs the name of a scenario file"},
        {"CheckNothing", {"--check"}, "", "--check needs the scenario files to check"},
        {"CheckAndPlay", {"--check", "a.toml", "--steps=3"}, "", "--check takes no --steps"},
        {"ReportOfAScenario",
         {"--report=r.pdf", "--scenario=a.toml", "f"},
         "",
         "--report takes no --scenario"},
    };
}

} // namespace

TEST(BadInput, ExitsWithStatus2AndOneLineNamingTheProblem)
{
    const std::string folder = freshFolder("bad");
    std::filesystem::create_directory(folder + "/dir.png");
    ASSERT_EQ(mkfifo((folder + "/pipe.png").c_str(), 0600), 0);
    for (const BadInput &c : badInputs(folder)) {
        SCOPED_TRACE(c.name);
        const SimRun r = runSim(c.args, c.script, c.redirect);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "curavant-sim: " + c.message + "\n");
        EXPECT_EQ(listing(folder), (std::set<std::string>{"dir.png", "pipe.png"}));
    }
}

TEST(Garbage, NeverCrashesTheRunner)
{
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        std::string bytes(random() % 20000, '\0');
        for (char &c : bytes) // every other round only digits, blanks, signs and '#'
            c = round % 2 ? "0123456789 \t\r\n-+#"[random() % 17] : static_cast<char>(random());
        const SimRun r = runSim({"--steps", "50000"}, bytes);
        ASSERT_TRUE(r.status == 0 || r.status == 2) << "round " << round << ": " << r.status;
        EXPECT_EQ(lines(r.status ? r.err : r.out).size(), r.status ? 1u : 50001u) << r.err;
    }
}
