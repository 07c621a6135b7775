#include "recordstatements.h"

#include "recordscenario.h"
#include "textlines.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>

namespace
{

QString recordBase(const GameRecord &record)
{
    const QString table = QFile::decodeName(record.table.c_str());
    return table.left(table.size() - 4);
}

// The time of "Start!" as the script's first line gives it, for a record
// whose name does not carry it.
QDateTime startInHeader(const QString &script)
{
    QFile file(script);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QString line = QString::fromUtf8(file.readLine(maxLineLength)).trimmed();
    const QLatin1String head("# Curavant game of ");
    if (!line.startsWith(head))
        return {};
    return QDateTime::fromString(line.mid(head.size()), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QByteArray contentsDigest(const GameRecord &record)
{
    QCryptographicHash digest(QCryptographicHash::Sha256);
    for (const std::string &path : {record.table, record.script()}) {
        QFile file(QFile::decodeName(path.c_str()));
        if (file.open(QIODevice::ReadOnly))
            digest.addData(&file);
    }
    return digest.result();
}

// The game's scenario as the course report reads it: named in the script's
// header, judged by the copy beside the record.
std::string takeScenario(const GameRecord &record, GameFacts &game)
{
    const RecordScenario scenario = readRecordScenario(record.table);
    if (!scenario.problem.empty())
        return scenario.problem;
    game.scenario.title = QString::fromStdString(scenario.title());
    game.scenario.id =
        scenario.note.builtIn()
            ? QStringLiteral("fraktur")
            : QFileInfo(QString::fromStdString(scenario.note.file)).completeBaseName();
    game.scenario.hash = QString::fromStdString(scenario.note.hash);
    if (scenario.rubric() && !game.verdict)
        game.verdict = judge(*scenario.scenario, game.course, game.treatments);
    return {};
}

} // namespace

QString statementsPath(const GameRecord &record)
{
    return recordBase(record) + QStringLiteral(".xapi.json");
}

QString sentMarkPath(const GameRecord &record)
{
    return recordBase(record) + QStringLiteral(".xapi.sent");
}

std::string loadGameFacts(const GameRecord &record, const Verdict *verdict, GameFacts &game)
{
    std::string problem = loadRecord(record, game.course, game.treatments);
    if (!problem.empty())
        return problem;
    game.record = QFile::decodeName(record.name.c_str());
    game.started = record.started;
    if (!game.started.isValid())
        game.started = startInHeader(QFile::decodeName(record.script().c_str()));
    const QFileInfo table(QFile::decodeName(record.table.c_str()));
    if (!game.started.isValid())
        game.started = table.birthTime().isValid() ? table.birthTime() : table.lastModified();
    if (!game.started.isValid())
        return printableName(record.table) + ": no time of its start in its name or script";
    game.contents = contentsDigest(record);
    if (verdict)
        game.verdict = *verdict;
    return takeScenario(record, game);
}

std::string writeStatements(const GameRecord &record, const LrsSettings &settings,
                            const Verdict *verdict)
{
    const QString path = statementsPath(record);
    if (QFileInfo::exists(path))
        return {};
    GameFacts game;
    std::string problem = loadGameFacts(record, verdict, game);
    if (!problem.empty())
        return problem;
    const QJsonDocument document(GameStatements(settings, game).statements());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(document.toJson()) < 0 || !file.commit())
        return printableName(QFile::encodeName(path).toStdString()) +
               ": cannot write the statements: " + file.errorString().toStdString();
    return {};
}
