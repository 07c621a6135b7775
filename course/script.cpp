#include "script.h"

#include "eventnames.h"

#include <QCommandLineParser>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fstream>
#include <string_view>

namespace
{

enum class IntResult { Ok, NotInteger, OutOfRange };

// A decimal integer with an optional sign and nothing else; values outside
// lo..hi (however many digits they have) are OutOfRange.
IntResult parseInt(std::string_view text, long long lo, long long hi, int &value)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return IntResult::NotInteger;
    long long magnitude = 0;
    bool huge = false;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return IntResult::NotInteger;
        if (magnitude > LLONG_MAX / 10 - 10)
            huge = true;
        else
            magnitude = magnitude * 10 + (text[i] - '0');
    }
    const long long number = negative ? -magnitude : magnitude;
    if (huge || number < lo || number > hi)
        return IntResult::OutOfRange;
    value = static_cast<int>(number);
    return IntResult::Ok;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::vector<std::string_view> splitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i]))
            ++i;
        if (i > start)
            fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

// User text quoted for a one-line message: control bytes become '?', and
// anything very long is cut short.
std::string quoted(std::string_view text)
{
    constexpr std::size_t shown = 40;
    std::string result = "'";
    for (std::size_t i = 0; i < text.size() && i < shown; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        result += c < 0x20 || c == 0x7f ? '?' : text[i];
    }
    result += text.size() > shown ? "...'" : "'";
    return result;
}

// A comment line may note a complication, or the points the treatment just
// before it gave or cost, as a recorded game's script does.
void readNote(std::string_view line, Plan &plan)
{
    CourseEvent complication{};
    int step = 0, code = 0, points = 0;
    if (readComplicationNote(line, complication))
        plan.complications.push_back(complication);
    else if (readPointsNote(line, step, code, points) && !plan.treatments.empty() &&
             plan.treatments.back().step == step && plan.treatments.back().code == code)
        plan.treatments.back().points = points;
}

// Checks one script line and appends its treatment or what it notes; returns
// the problem, if any.
std::string parseLine(std::string_view line, Plan &plan)
{
    const std::vector<std::string_view> fields = splitFields(line);
    const bool crlf = !line.empty() && line.back() == '\r';
    if (!fields.empty() && fields[0][0] == '#')
        readNote(line.substr(0, line.size() - crlf), plan);
    if (fields.empty() || fields[0][0] == '#')
        return {};
    const std::string expected = "expected two integers '<step> <code>'";
    if (fields.size() != 2)
        return expected;
    Treatment treatment{};
    const IntResult step = parseInt(fields[0], 1, plan.steps, treatment.step);
    if (step == IntResult::NotInteger)
        return expected;
    const IntResult code = parseInt(fields[1], INT_MIN, INT_MAX, treatment.code);
    if (code == IntResult::NotInteger)
        return expected;
    if (step == IntResult::OutOfRange)
        return "step " + quoted(fields[0]) + " is outside 1.." + std::to_string(plan.steps);
    if (code == IntResult::OutOfRange)
        return "code " + quoted(fields[1]) + " does not fit in an int";
    if (plan.treatments.size() == static_cast<std::size_t>(maxTreatments))
        return "more than " + std::to_string(maxTreatments) + " treatments";
    plan.treatments.push_back(treatment);
    return {};
}

bool endsWith(const std::string &path, const std::string &suffix)
{
    if (path.size() < suffix.size())
        return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        const char c = path[path.size() - suffix.size() + i];
        if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != suffix[i])
            return false;
    }
    return true;
}

// curavant-sim --report OUT.pdf FOLDER...: nothing else goes with it.
std::string parseReport(const QCommandLineParser &parser, const QStringList &folders,
                        CommandLine &commandLine)
{
    commandLine.reportPath = parser.value(QStringLiteral("report")).toStdString();
    if (!endsWith(commandLine.reportPath, ".pdf"))
        return "--report writes PDF files only: give a file name ending in .pdf, not " +
               quoted(commandLine.reportPath);
    for (const char *other : {"steps", "plot", "course"})
        if (parser.isSet(QLatin1String(other)))
            return std::string("--report takes no --") + other;
    if (folders.isEmpty())
        return "--report needs the folders of the recorded games";
    for (const QString &folder : folders)
        commandLine.folders.push_back(folder.toStdString());
    return {};
}

} // namespace

std::string parseCommandLine(const std::vector<std::string> &args, CommandLine &commandLine)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{"h", "help"}), steps("steps", "", "N"),
        plot("plot", "", "FILE.png"), course("course", "", "GAME.csv"),
        report("report", "", "FILE.pdf");
    parser.addOptions({help, steps, plot, course, report});
    QStringList arguments{QStringLiteral("curavant-sim")};
    for (const std::string &arg : args)
        arguments << QString::fromStdString(arg);
    if (!parser.parse(arguments)) {
        std::string error = printableName(parser.errorText().toStdString());
        if (!error.empty() && error.back() == '.')
            error.pop_back();
        return error + " (see --help)";
    }
    if (parser.isSet(help)) {
        commandLine.help = true;
        return {};
    }
    const QStringList positional = parser.positionalArguments();
    if (parser.isSet(report))
        return parseReport(parser, positional, commandLine);
    if (positional.size() > 1)
        return "only one script can be played, got " + quoted(positional[0].toStdString()) +
               " and " + quoted(positional[1].toStdString());
    if (!positional.isEmpty())
        commandLine.scriptPath = positional[0].toStdString();
    if (parser.isSet(steps)) {
        const std::string value = parser.value(steps).toStdString();
        switch (parseInt(value, 1, maxSteps, commandLine.steps)) {
        case IntResult::Ok: break;
        case IntResult::NotInteger: return "--steps takes a whole number, not " + quoted(value);
        case IntResult::OutOfRange:
            return "--steps must lie between 1 and " + std::to_string(maxSteps) + ", not " +
                   quoted(value);
        }
    }
    if (parser.isSet(plot)) {
        commandLine.plotPath = parser.value(plot).toStdString();
        if (!endsWith(commandLine.plotPath, ".png"))
            return "--plot draws PNG pictures only: give a file name ending in .png, not " +
                   quoted(commandLine.plotPath);
    }
    if (parser.isSet(course)) {
        commandLine.coursePath = parser.value(course).toStdString();
        if (!parser.isSet(plot) || parser.isSet(steps))
            return "--course only goes with --plot, and takes its steps from the table";
    }
    return {};
}

std::string readScript(std::istream &in, const std::string &name, Plan &plan)
{
    const std::string shownName = printableName(name);
    std::string line;
    for (long long lineNumber = 1;; ++lineNumber) {
        const LineResult got = readLine(in, line);
        if (in.bad()) {
            const int error = errno;
            return shownName + ": cannot read" +
                   (error ? ": " + std::string(std::strerror(error)) : "");
        }
        if (got == LineResult::End)
            break;
        const std::string where = shownName + ":" + std::to_string(lineNumber) + ": ";
        if (got == LineResult::TooLong)
            return where + "line longer than " + std::to_string(maxLineLength) + " characters";
        const std::string problem = parseLine(line, plan);
        if (!problem.empty())
            return where + problem;
    }
    std::stable_sort(plan.treatments.begin(), plan.treatments.end(),
                     [](const Treatment &a, const Treatment &b) { return a.step < b.step; });
    return {};
}

std::string loadPlan(const CommandLine &commandLine, std::istream &standardInput, Plan &plan)
{
    plan.steps = commandLine.steps;
    plan.treatments.clear();
    plan.complications.clear();
    const std::string &path = commandLine.scriptPath;
    if (path.empty() || path == "-")
        return readScript(standardInput, "<stdin>", plan);
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        const int error = errno;
        return printableName(path) + ": cannot read" +
               (error ? ": " + std::string(std::strerror(error)) : "");
    }
    return readScript(file, path, plan);
}

std::string usageText()
{
    return "Usage: curavant-sim [--steps N] [SCRIPT]\n"
           "       curavant-sim [--steps N] --plot FILE.png [SCRIPT]\n"
           "       curavant-sim --plot FILE.png --course GAME.csv [SCRIPT]\n"
           "       curavant-sim --report FILE.pdf FOLDER...\n"
           "Plays one game of the lower-leg fracture scenario without the 3D view and\n"
           "prints the patient's course as CSV, one row per scenario step (one second).\n"
           "\n"
           "  SCRIPT      treatments, one '<step> <code>' per line (two integers); blank\n"
           "              lines and lines starting with '#' are ignored; read from\n"
           "              standard input when omitted or '-' (with --course: only when\n"
           "              '-'; omitted, the picture has no treatments)\n"
           "  --steps N   number of scenario steps to play, 1.." +
           std::to_string(maxSteps) + " (default " + std::to_string(defaultSteps) +
           ")\n"
           "  --plot FILE.png\n"
           "              also draw the patient's course into a picture of\n"
           "              1600 x 900 pixels; the table still goes to standard output\n"
           "  --course GAME.csv\n"
           "              play nothing: draw the course in GAME.csv, a table as this\n"
           "              program prints it (a game recorded with CURAVANT_RECORD_DIR),\n"
           "              with the treatments of SCRIPT (the game's .txt file); prints\n"
           "              nothing. The complications are those SCRIPT notes in lines\n"
           "              such as '# 30 Schock', as a recorded game's script does;\n"
           "              without such lines, those the table shows, which miss a shock\n"
           "              that a treatment ends and a new one starts in the same step\n"
           "  --report FILE.pdf\n"
           "              play nothing: report every game recorded in the FOLDERs\n"
           "              (curavant-*.csv with its .txt) in one PDF of A4 pages: a row\n"
           "              per game with its score, outcome, shocks and how many steps\n"
           "              each took to treat, when the bleeding was stopped, and its\n"
           "              treatments and those that cost points; a chart of the scores\n"
           "              and the course's figures; then a page per game with its\n"
           "              picture and treatments. A record that cannot be read is\n"
           "              listed as skipped, with the reason\n"
           "  -h, --help  show this text\n"
           "\n"
           "A treatment for step S is applied just before the S-th step; treatments for\n"
           "the same step apply in script order. The codes treated are echoed on\n"
           "standard error. Numbers are written and read with a period before the\n"
           "decimals in every locale. Exit status: 0 on success, 1 when the table, the\n"
           "picture or the report cannot be written, 2 on bad input (a picture file\n"
           "that cannot be created is refused before the game is played; a report\n"
           "without any recorded game).\n";
}
