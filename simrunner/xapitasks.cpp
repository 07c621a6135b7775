#include "xapitasks.h"

#include "commandline.h"
#include "credentials.h"
#include "gamerecord.h"
#include "lrssender.h"
#include "lrssettings.h"
#include "recordstatements.h"
#include "simtasks.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <iostream>

namespace
{

void say(const QString &line)
{
    std::cerr << "curavant-sim: " << line.toStdString() << '\n';
}

// The settings, and the records of `folders`; false when either is wrong.
bool readRecords(const std::vector<std::string> &folders, LrsSettings &settings,
                 std::vector<GameRecord> &records)
{
    settings = LrsSettings::load();
    QString problem = settings.check();
    if (problem.isEmpty())
        problem = QString::fromStdString(findRecords(folders, records));
    if (!problem.isEmpty())
        say(problem);
    return problem.isEmpty();
}

// Each record's statements unless it has them; a record that cannot be read
// is named and left without.
bool writeAllStatements(const std::vector<GameRecord> &records, const LrsSettings &settings)
{
    bool written = true;
    for (const GameRecord &record : records) {
        const std::string problem = writeStatements(record, settings);
        if (!problem.empty()) {
            say(QString::fromStdString(problem));
            written = false;
        }
    }
    return written;
}

} // namespace

int makeStatements(const std::vector<std::string> &folders)
{
    int argc = 1;
    char name[] = "curavant-sim";
    char *argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);
    LrsSettings settings;
    std::vector<GameRecord> records;
    if (!readRecords(folders, settings, records))
        return ExitBadInput;
    return writeAllStatements(records, settings) ? ExitSuccess : ExitCannotWrite;
}

int sendStatements(const CommandLine &commandLine)
{
    int argc = 1;
    char name[] = "curavant-sim";
    char *argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    LrsSender sender;
    Credentials credentials;
    QString problem = sender.setEndpoint(QString::fromStdString(commandLine.endpoint));
    if (problem.isEmpty())
        problem = credentials.read(QString::fromStdString(commandLine.credentialsPath));
    if (problem.isEmpty() && !commandLine.caFile.empty())
        problem = sender.addCaFile(QString::fromStdString(commandLine.caFile));
    LrsSettings settings;
    std::vector<GameRecord> records;
    if (!problem.isEmpty())
        say(problem);
    if (!problem.isEmpty() || !readRecords(commandLine.folders, settings, records))
        return ExitBadInput;
    sender.setAuthorization(credentials.authorization());

    bool allSent = writeAllStatements(records, settings);
    QObject::connect(&sender, &LrsSender::problem, &say);
    QObject::connect(&sender, &LrsSender::finished, &application, [&](bool sent) {
        allSent = allSent && sent;
        application.quit();
    });
    sender.send(records);
    application.exec();
    std::cout << sender.sentRecords() << " records sent (" << sender.sentStatements()
              << " statements)\n";
    return allSent ? ExitSuccess : ExitCannotWrite;
}
