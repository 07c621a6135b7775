#include "scratch.h"
#include "subprocess.h"

#include <gtest/gtest.h>
#include <random>

namespace
{

const std::string simulator = CURAVANT_SIM_PATH;

std::string replaced(std::string text, const std::string &path)
{
    for (std::size_t at; (at = text.find('@')) != std::string::npos;)
        text.replace(at, 1, path);
    return text;
}

struct BadInput {
    BadInput(std::string name, std::vector<std::string> args, std::string script,
             std::string message, ProcessInput input = {})
        : name(std::move(name)), args(std::move(args)), script(std::move(script)),
          message(std::move(message)), input(std::move(input))
    {
    }

    std::string name;
    std::vector<std::string> args; // '@' stands for the script file
    std::string script;            // its contents
    std::string message;           // after "curavant-sim: "; '@' as above
    ProcessInput input;
};

const std::string twoIntegers = "expected two integers '<step> <code>'";

std::vector<BadInput> badInputs()
{
    const std::string manyTreatments = [] {
        std::string text;
        for (int i = 0; i <= 10000; ++i)
            text += "1 7\n";
        return text;
    }();
    return {
        {"OneInteger", {"@"}, "1 7\n5\n", "@:2: " + twoIntegers},
        {"ThreeIntegers", {"@"}, "1 2 3", "@:1: " + twoIntegers},
        {"Words", {"@"}, "\n\nstep code\n", "@:3: " + twoIntegers},
        {"Decimal", {"@"}, "1.5 3", "@:1: " + twoIntegers},
        {"Hexadecimal", {"@"}, "1 0x3", "@:1: " + twoIntegers},
        {"TrailingComment", {"@"}, "1 3 # plaster", "@:1: " + twoIntegers},
        {"SignWithoutDigits", {"@"}, "+ 3", "@:1: " + twoIntegers},
        {"NulByte", {"@"}, std::string("1\0 3", 4), "@:1: " + twoIntegers},
        {"StepZero", {"@"}, "0 3", "@:1: step '0' is outside 1..120"},
        {"StepAfterTheGame", {"@"}, "120 3\n121 3", "@:2: step '121' is outside 1..120"},
        {"StepAfterSteps", {"--steps", "10", "@"}, "10 1\n11 1", "@:2: step '11' is outside 1..10"},
        {"NegativeStep", {"@"}, "-1 3", "@:1: step '-1' is outside 1..120"},
        {"HugeStep",
         {"@"},
         "99999999999999999999999999 3",
         "@:1: step '99999999999999999999999999' is outside 1..120"},
        {"EndlessStep",
         {"@"},
         std::string(300, '9') + " 3",
         "@:1: step '" + std::string(40, '9') + "...' is outside 1..120"},
        {"CodeAboveInt", {"@"}, "1 2147483648", "@:1: code '2147483648' does not fit in an int"},
        {"CodeBelowInt", {"@"}, "1 -2147483649", "@:1: code '-2147483649' does not fit in an int"},
        {"LongLine",
         {"@"},
         std::string(5000, ' ') + "1 3",
         "@:1: line longer than 4096 characters"},
        {"LongLineLater",
         {"@"},
         "1 3\n" + std::string(100000, '7'),
         "@:2: line longer than 4096 characters"},
        {"TooManyTreatments", {"@"}, manyTreatments, "@:10001: more than 10000 treatments"},
        {"FromStandardInput", {}, "", "<stdin>:1: " + twoIntegers, standardInputText("x")},
        {"StepFromStandardInput",
         {"--steps", "2"},
         "",
         "<stdin>:2: step '3' is outside 1..2",
         standardInputText("# first\n3 1\n")},
        {"MissingFile",
         {"/nonexistent/script.txt"},
         "",
         "/nonexistent/script.txt: cannot read: No such file or directory"},
        {"Directory", {"/"}, "", "/: cannot read: Is a directory"},
        {"DirectoryAsInput",
         {},
         "",
         "<stdin>: cannot read: Is a directory",
         standardInputFile("/")},
        {"EndlessZeros", {"/dev/zero"}, "", "/dev/zero:1: line longer than 4096 characters"},
        {"StepsWord", {"--steps", "abc"}, "", "--steps takes a whole number, not 'abc'"},
        {"StepsEmpty", {"--steps="}, "", "--steps takes a whole number, not ''"},
        {"StepsDecimal", {"--steps", "1.5"}, "", "--steps takes a whole number, not '1.5'"},
        {"StepsControlBytes",
         {"--steps", "\x1b[31m"},
         "",
         "--steps takes a whole number, not '?[31m'"},
        {"StepsZero", {"--steps", "0"}, "", "--steps must lie between 1 and 100000, not '0'"},
        {"StepsNegative", {"--steps=-5"}, "", "--steps must lie between 1 and 100000, not '-5'"},
        {"StepsTooMany",
         {"--steps", "100001"},
         "",
         "--steps must lie between 1 and 100000, not '100001'"},
        {"StepsHuge",
         {"--steps", "99999999999999999999"},
         "",
         "--steps must lie between 1 and 100000, not '99999999999999999999'"},
        {"StepsMissing", {"--steps"}, "", "option --steps needs a number of steps"},
        {"UnknownOption", {"--bogus"}, "", "unknown option '--bogus' (see --help)"},
        {"OptionsAreCaseSensitive", {"--Steps", "5"}, "", "unknown option '--Steps' (see --help)"},
        {"ShortUnknownOption", {"-x", "@"}, "1 1", "unknown option '-x' (see --help)"},
        {"TwoScripts",
         {"a.txt", "b.txt"},
         "",
         "only one script can be played, got 'a.txt' and 'b.txt'"},
    };
}

class BadInputs : public testing::TestWithParam<BadInput>
{
};

INSTANTIATE_TEST_SUITE_P(Table, BadInputs, testing::ValuesIn(badInputs()),
                         [](const testing::TestParamInfo<BadInput> &info) {
                             return info.param.name;
                         });

} // namespace

TEST_P(BadInputs, ExitWithStatus2AndOneLineNamingTheProblem)
{
    const BadInput &c = GetParam();
    const std::string path = writeFile(c.name + ".txt", c.script);
    std::vector<std::string> args;
    for (const std::string &arg : c.args)
        args.push_back(replaced(arg, path));
    const ProcessResult r = runProcess(simulator, args, c.input);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "curavant-sim: " + replaced(c.message, path) + "\n");
}

// Whatever bytes the script holds, the runner either plays it or refuses it
// cleanly; it never dies of it.
TEST(Garbage, NeverCrashesTheRunner)
{
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        std::string bytes(random() % 20000, '\0');
        const bool digitsOnly = round % 2 == 1;
        const char alphabet[] = "0123456789 \t\r\n-+#";
        for (char &c : bytes)
            c = digitsOnly ? alphabet[random() % (sizeof alphabet - 1)]
                           : static_cast<char>(random());
        const std::string path = writeFile("garbage.bin", bytes);
        const ProcessResult r = runProcess(simulator, {"--steps", "50000", path});
        ASSERT_TRUE(r.status == 0 || r.status == 2) << "round " << round << ": " << r.status;
        if (r.status == 2) {
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(r.err.rfind("curavant-sim: " + path + ":", 0), 0u) << r.err;
            EXPECT_EQ(lines(r.err).size(), 1u);
        } else {
            EXPECT_EQ(lines(r.out).size(), 50001u);
        }
    }
}
