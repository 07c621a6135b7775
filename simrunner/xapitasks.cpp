#include "xapitasks.h"

#include "commandline.h"
#include "gamerecord.h"
#include "lrssender.h"
#include "lrssettings.h"
#include "recordstatements.h"
#include "simtasks.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <iostream>

namespace
{

constexpr int stillRecordedSeconds = 10;

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

// A game being played writes a row every second: its record is left for a
// later run rather than made into the statements of half a game.
bool stillRecorded(const GameRecord &record)
{
    const QDateTime changed = QFileInfo(QFile::decodeName(record.table.c_str())).lastModified();
    return changed.secsTo(QDateTime::currentDateTime()) < stillRecordedSeconds;
}

// Each record's statements unless it has them; a record that cannot be read
// is named and left without.
bool writeAllStatements(const std::vector<GameRecord> &records, const LrsSettings &settings)
{
    bool written = true;
    for (const GameRecord &record : records) {
        if (stillRecorded(record) && !QFileInfo::exists(statementsPath(record))) {
            say(QFile::decodeName(record.name.c_str()) +
                QStringLiteral(": the game is still being recorded; left for later"));
            continue;
        }
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
    const QString problem = sender.configure(QString::fromStdString(commandLine.endpoint),
                                             QString::fromStdString(commandLine.credentialsPath),
                                             QString::fromStdString(commandLine.caFile));
    LrsSettings settings;
    std::vector<GameRecord> records;
    if (!problem.isEmpty())
        say(problem);
    if (!problem.isEmpty() || !readRecords(commandLine.folders, settings, records))
        return ExitBadInput;

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
