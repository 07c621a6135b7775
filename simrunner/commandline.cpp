#include "commandline.h"

#include "textlines.h"

#include <QCommandLineParser>

namespace
{

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
    for (const char *other : {"steps", "plot", "course", "scenario", "check", "statements", "send"})
        if (parser.isSet(QLatin1String(other)))
            return std::string("--report takes no --") + other;
    if (folders.isEmpty())
        return "--report needs the folders of the recorded games";
    for (const QString &folder : folders)
        commandLine.folders.push_back(folder.toStdString());
    return {};
}

// curavant-sim --check FILE...: checks scenario files and does nothing else.
std::string parseCheck(const QCommandLineParser &parser, const QStringList &files,
                       CommandLine &commandLine)
{
    for (const char *other : {"steps", "plot", "course", "scenario", "statements", "send"})
        if (parser.isSet(QLatin1String(other)))
            return std::string("--check takes no --") + other;
    if (files.isEmpty())
        return "--check needs the scenario files to check";
    for (const QString &file : files)
        commandLine.filesToCheck.push_back(file.toStdString());
    return {};
}

// curavant-sim --statements FOLDER... and --send ENDPOINT [--credentials
// FILE] [--ca-file FILE] FOLDER...: only the folders go with them.
std::string parseLearningRecords(const QCommandLineParser &parser, const QStringList &folders,
                                 CommandLine &commandLine)
{
    const bool send = parser.isSet(QStringLiteral("send"));
    const char *task = send ? "--send" : "--statements";
    if (send && parser.isSet(QStringLiteral("statements")))
        return "--send makes the statements a record lacks: it takes no --statements";
    for (const char *other : {"steps", "plot", "course", "report", "scenario", "check"})
        if (parser.isSet(QLatin1String(other)))
            return std::string(task) + " takes no --" + other;
    for (const char *sendOnly : {"credentials", "ca-file"})
        if (!send && parser.isSet(QLatin1String(sendOnly)))
            return std::string("--") + sendOnly + " only goes with --send";
    if (folders.isEmpty())
        return std::string(task) + " needs the folders of the recorded games";
    commandLine.statements = !send;
    commandLine.endpoint = parser.value(QStringLiteral("send")).toStdString();
    commandLine.credentialsPath = parser.value(QStringLiteral("credentials")).toStdString();
    commandLine.caFile = parser.value(QStringLiteral("ca-file")).toStdString();
    for (const QString &folder : folders)
        commandLine.folders.push_back(folder.toStdString());
    return {};
}

} // namespace

std::string CommandLine::parse(const std::vector<std::string> &args)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption helpOption(QStringList{"h", "help"}), stepsOption("steps", "", "N"),
        plotOption("plot", "", "FILE.png"), courseOption("course", "", "GAME.csv"),
        reportOption("report", "", "FILE.pdf"), scenarioOption("scenario", "", "FILE"),
        checkOption("check");
    parser.addOptions({helpOption, stepsOption, plotOption, courseOption, reportOption,
                       scenarioOption, checkOption});
    parser.addOptions({{"statements", ""},
                       {"send", "", "ENDPOINT"},
                       {"credentials", "", "FILE"},
                       {"ca-file", "", "FILE"}});
    QStringList arguments{QStringLiteral("curavant-sim")};
    for (const std::string &arg : args)
        arguments << QString::fromStdString(arg);
    if (!parser.parse(arguments)) {
        std::string error = printableName(parser.errorText().toStdString());
        if (!error.empty() && error.back() == '.')
            error.pop_back();
        return error + " (see --help)";
    }
    if (parser.isSet(helpOption)) {
        help = true;
        return {};
    }
    const QStringList positional = parser.positionalArguments();
    if (parser.isSet(reportOption))
        return parseReport(parser, positional, *this);
    if (parser.isSet(checkOption))
        return parseCheck(parser, positional, *this);
    if (parser.isSet("statements") || parser.isSet("send") || parser.isSet("credentials") ||
        parser.isSet("ca-file"))
        return parseLearningRecords(parser, positional, *this);
    scenarioPath = parser.value(scenarioOption).toStdString();
    if (parser.isSet(scenarioOption) && scenarioPath.empty())
        return "--scenario needs the name of a scenario file";
    if (positional.size() > 1)
        return "only one script can be played, got " + quoted(positional[0].toStdString()) +
               " and " + quoted(positional[1].toStdString());
    if (!positional.isEmpty())
        scriptPath = positional[0].toStdString();
    if (parser.isSet(stepsOption)) {
        const std::string value = parser.value(stepsOption).toStdString();
        switch (parseInt(value, 1, maxSteps, steps.emplace())) {
        case IntResult::Ok: break;
        case IntResult::NotInteger: return "--steps takes a whole number, not " + quoted(value);
        case IntResult::OutOfRange:
            return "--steps must lie between 1 and " + std::to_string(maxSteps) + ", not " +
                   quoted(value);
        }
    }
    if (parser.isSet(plotOption)) {
        plotPath = parser.value(plotOption).toStdString();
        if (!endsWith(plotPath, ".png"))
            return "--plot draws PNG pictures only: give a file name ending in .png, not " +
                   quoted(plotPath);
    }
    if (parser.isSet(courseOption)) {
        coursePath = parser.value(courseOption).toStdString();
        if (!parser.isSet(plotOption) || parser.isSet(stepsOption))
            return "--course only goes with --plot, and takes its steps from the table";
    }
    return {};
}

CommandLine::Task CommandLine::task() const
{
    if (help)
        return Task::Help;
    if (!reportPath.empty())
        return Task::Report;
    if (!filesToCheck.empty())
        return Task::Check;
    if (statements)
        return Task::Statements;
    if (!folders.empty())
        return Task::Send;
    return coursePath.empty() ? Task::Play : Task::Draw;
}

std::string CommandLine::usageText()
{
    return "Usage: curavant-sim [--scenario FILE] [--steps N] [SCRIPT]\n"
           "       curavant-sim [--scenario FILE] [--steps N] --plot FILE.png [SCRIPT]\n"
           "       curavant-sim [--scenario FILE] --plot FILE.png --course GAME.csv [SCRIPT]\n"
           "       curavant-sim --report FILE.pdf FOLDER...\n"
           "       curavant-sim --check FILE...\n"
           "       curavant-sim --statements FOLDER...\n"
           "       curavant-sim --send ENDPOINT [--credentials FILE] [--ca-file FILE] FOLDER...\n"
           "Plays one game of the lower-leg fracture scenario, or of the case a scenario\n"
           "file describes, without the 3D view and prints the patient's course as CSV,\n"
           "one row per scenario step (one second).\n"
           "\n"
           "  SCRIPT      treatments, one '<step> <code>' per line (two integers); blank\n"
           "              lines and lines starting with '#' are ignored; read from\n"
           "              standard input when omitted or '-' (with --course: only when\n"
           "              '-'; omitted, the picture has no treatments)\n"
           "  --steps N   number of scenario steps to play, 1.." +
           std::to_string(maxSteps) +
           " (default: the\n"
           "              scenario's game length, " +
           std::to_string(defaultSteps) +
           " for the fracture)\n"
           "  --scenario FILE\n"
           "              play the case that the scenario file FILE (TOML) describes\n"
           "              instead of the built-in fracture; with --course, FILE is\n"
           "              only checked\n"
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
           "  --check FILE...\n"
           "              play nothing: check the scenario FILEs; prints nothing for a\n"
           "              good file and 'FILE:LINE:COLUMN: problem' for a bad one\n"
           "  --statements\n"
           "              play nothing: write the xAPI statements of every game\n"
           "              recorded in the FOLDERs that has none (NAME.xapi.json), as the\n"
           "              game writes them when a game ends; the learner is\n"
           "              CURAVANT_LEARNER, else the login name\n"
           "  --send ENDPOINT\n"
           "              play nothing: send the statements of every game recorded in\n"
           "              the FOLDERs and not yet sent to the learning record store at\n"
           "              ENDPOINT (its base address, ending before 'statements'), and\n"
           "              mark each sent (NAME.xapi.sent) once the LRS took them all.\n"
           "              Plain http:// only to this machine\n"
           "  --credentials FILE\n"
           "              the LRS's key and secret, one line KEY:SECRET in a file only\n"
           "              its owner can read (default: CURAVANT_LRS_CREDENTIALS)\n"
           "  --ca-file FILE\n"
           "              also trust the certificates in FILE (PEM) for https\n"
           "  -h, --help  show this text\n"
           "\n"
           "A treatment for step S is applied just before the S-th step; treatments for\n"
           "the same step apply in script order. The codes treated are echoed on\n"
           "standard error. Numbers are written and read with a period before the\n"
           "decimals in every locale. Exit status: 0 on success, 1 when the table, the\n"
           "picture, the report or the statements cannot be written or a send\n"
           "failed, 2 on bad input (also a bad scenario file; a picture file that\n"
           "cannot be created is refused before the game is played; a report without\n"
           "any recorded game; a credentials file that others can read).\n";
}
