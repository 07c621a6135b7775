#include "learningrecords.h"

#include "gamerecord.h"
#include "lrssender.h"
#include "recordstatements.h"

#include <QFileInfo>

LearningRecords::LearningRecords(const LrsSettings &settings, QObject *parent)
    : QObject(parent), settings(settings)
{
}

void LearningRecords::gameEnded(const QString &table, const Verdict *verdict)
{
    const QFileInfo file(table);
    GameRecord record;
    record.table = QFile::encodeName(table).toStdString();
    record.name = QFile::encodeName(file.completeBaseName()).toStdString();
    const std::string problem = writeStatements(record, settings, verdict);
    if (!problem.empty())
        emit this->problem(QString::fromStdString(problem));
    if (settings.endpoint.isEmpty())
        return;
    folder = file.path();
    if (sender)
        sendAgain = true;
    else
        startSend();
}

void LearningRecords::startSend()
{
    sendAgain = false;
    sender = new LrsSender(this);
    std::vector<GameRecord> records;
    QString problem =
        sender->configure(settings.endpoint, settings.credentialsPath, settings.caFile);
    if (problem.isEmpty())
        problem =
            QString::fromStdString(findRecords({QFile::encodeName(folder).toStdString()}, records));
    if (!problem.isEmpty()) {
        emit this->problem(problem);
        delete sender;
        sender = nullptr;
        emit sendFinished(false);
        return;
    }
    connect(sender, &LrsSender::problem, this, &LearningRecords::problem);
    connect(sender, &LrsSender::finished, this, [this](bool allSent) {
        sender->deleteLater();
        sender = nullptr;
        emit sendFinished(allSent);
        if (sendAgain)
            startSend();
    });
    sender->send(records);
}
