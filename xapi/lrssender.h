#pragma once

#include "gamerecord.h"

#include <QJsonArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QSslConfiguration>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <deque>

class QNetworkReply;

// Sends recorded games' statements to a learning record store, one game
// after the other, each in batches to the LRS's statements resource, and
// marks a game sent once the LRS has accepted all its statements. It never
// blocks: the caller's event loop carries the requests, and finished()
// tells the outcome.
// A refused game (4xx) is said in one line with the LRS's own message and
// stays unsent while the others go on; an LRS that is down, slow or answers
// 5xx is asked again after a growing pause, a bounded number of times, and
// then the send stops with nothing lost.
class LrsSender : public QObject
{
    Q_OBJECT

  public:
    struct Options {
        int tries = 5;        // for each batch, the first included
        int firstPause = 500; // ms before the second try; doubled for each further one
        int timeout = 30000;  // ms without progress before a request counts as failed
        int batchSize = 100;  // statements in one request
    };

    explicit LrsSender(QObject *parent = nullptr);
    ~LrsSender() override;

    // Called by the game before a send, and by curavant-sim with its command
    // line's values: setEndpoint, the credentials file (empty: the one
    // CURAVANT_LRS_CREDENTIALS names) and addCaFile when `caFile` is set.
    // Returns an empty string or one line.
    QString configure(const QString &endpoint, QString credentialsPath, const QString &caFile);

    // The LRS's base address, as LRSs print it (the
    // statements resource is below it). Plain http is refused except to this
    // machine. Returns an empty string or one line.
    QString setEndpoint(const QString &endpoint);
    // The certificates in `path` are trusted besides the system's.
    QString addCaFile(const QString &path);
    void setOptions(const Options &options) { this->options = options; }

    // Starts sending the statements of `records` not yet marked sent;
    // records without statements are left.
    void send(const std::vector<GameRecord> &records);

    int sentRecords() const { return sent; }
    int sentStatements() const { return statements; }

  signals:
    // One line for each problem, without the program's name.
    void problem(const QString &line);
    // After the last record, or when the LRS could not be reached.
    void finished(bool allSent);

  private:
    void nextRecord();
    void postBatch();
    void answered(QNetworkReply *reply);
    void retryOrStop(const QString &why);
    void markSent();
    QString recordName() const;

    QNetworkAccessManager network;
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    QUrl statementsUrl;
    QByteArray authorization;
    Options options;

    std::deque<GameRecord> waiting;
    GameRecord current;
    QJsonArray batch;
    QJsonArray pending; // the current record's statements not yet accepted
    int recordStatements = 0;
    int tries = 0;
    QTimer pause;
    QStringList tlsErrors;
    bool failed = false;
    int sent = 0;
    int statements = 0;
};
