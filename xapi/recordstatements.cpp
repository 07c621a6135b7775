#include "recordstatements.h"

#include "scenariofile.h"
#include "textlines.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSaveFile>

namespace
{

QString recordBase(const GameRecord &record)
{
    const QString table = QFile::decodeName(record.table.c_str());
    return table.left(table.size() - 4);
}

// The header's comment lines before the first treatment: "# Curavant game
// of DATE TIME", "# Szenario: TITLE", and a line naming the scenario's file
// (*.toml) with its short hash.
void readHeader(const QString &script, ScenarioNotes &notes, QDateTime &started)
{
    QFile file(script);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    static const QRegularExpression fileName(QStringLiteral("([^\\s/]+)\\.toml\\b"));
    static const QRegularExpression shortHash(QStringLiteral("\\b[0-9a-f]{12}\\b"));
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine(maxLineLength)).trimmed();
        if (!line.startsWith(QLatin1Char('#')))
            break;
        const QString text = line.mid(1).trimmed();
        if (text.startsWith(QLatin1String("Szenario:"))) {
            notes.title = text.mid(9).trimmed();
            continue;
        }
        if (text.startsWith(QLatin1String("Curavant game of ")) && !started.isValid())
            started = QDateTime::fromString(text.mid(17), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        const QRegularExpressionMatch file = fileName.match(text);
        if (file.hasMatch() && !file.captured(1).endsWith(QLatin1String(".scenario")))
            notes.id = file.captured(1);
        const QRegularExpressionMatch hash = shortHash.match(text);
        if (hash.hasMatch())
            notes.hash = hash.captured();
    }
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

// The game's scenario from the copy beside the record; none: the fracture
// as the program has it.
std::string judgeByCopy(const GameRecord &record, GameFacts &game)
{
    const QString copy = recordBase(record) + QStringLiteral(".scenario.toml");
    Scenario scenario;
    if (QFileInfo::exists(copy)) {
        ScenarioFile file;
        const std::string problem = loadScenarioFile(QFile::encodeName(copy).toStdString(), file);
        if (!problem.empty())
            return problem;
        scenario = file.scenario;
        if (scenario.rubric)
            game.verdict = judge(scenario, game.course, game.treatments);
    }
    if (game.scenario.title.isEmpty())
        game.scenario.title = QString::fromStdString(scenario.title);
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
    readHeader(QFile::decodeName(record.script().c_str()), game.scenario, game.started);
    const QFileInfo table(QFile::decodeName(record.table.c_str()));
    if (!game.started.isValid())
        game.started = table.birthTime().isValid() ? table.birthTime() : table.lastModified();
    if (!game.started.isValid())
        return printableName(record.table) + ": no time of its start in its name or script";
    if (game.scenario.id.isEmpty())
        game.scenario.id = QStringLiteral("fraktur");
    game.contents = contentsDigest(record);
    if (verdict)
        game.verdict = *verdict;
    return verdict ? std::string() : judgeByCopy(record, game);
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
