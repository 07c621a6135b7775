#pragma once

#include "lrssettings.h"
#include "verdict.h"

#include <QObject>
#include <QString>

class LrsSender;

// The game's learning records: at "Ende" the game's statements beside its
// record and then, when the settings name an LRS, every record of the
// folder not yet sent, in the background, one send at a time. What cannot
// be sent stays for the next game's send or for curavant-sim --send.
class LearningRecords : public QObject
{
    Q_OBJECT

  public:
    explicit LearningRecords(const LrsSettings &settings, QObject *parent = nullptr);

    // Called by the game at "Ende", once the recorder has closed the game's
    // files; `table` is its NAME.csv. Returns at once.
    void gameEnded(const QString &table, const Verdict *verdict = nullptr);

    bool sending() const { return sender != nullptr; }

  signals:
    // One line for each problem, without the program's name.
    void problem(const QString &line);
    void sendFinished(bool allSent);

  private:
    void startSend();

    LrsSettings settings;
    QString folder;
    LrsSender *sender = nullptr;
    bool sendAgain = false; // a game ended during a send
};
