#include "lrssender.h"

#include "credentials.h"
#include "recordstatements.h"

#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QSaveFile>
#include <QSslError>

namespace
{

enum HttpStatus {
    Unauthorized = 401,
    Forbidden = 403,
    RequestTimeout = 408,
    TooManyRequests = 429
};

bool isLoopback(const QString &host)
{
    return host == QLatin1String("localhost") || QHostAddress(host).isLoopback();
}

// The LRS's own words in one line: its message, or its warnings, or the
// start of its answer.
QString lrsMessage(const QByteArray &body)
{
    const QJsonObject answer = QJsonDocument::fromJson(body).object();
    QString message = answer.value(QStringLiteral("message")).toString();
    QStringList warnings;
    for (const QJsonValue &warning : answer.value(QStringLiteral("warnings")).toArray())
        warnings << warning.toString();
    if (message.isEmpty())
        message = warnings.isEmpty() ? QString::fromUtf8(body.left(300))
                                     : warnings.join(QStringLiteral("; "));
    for (QChar &c : message)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return message.simplified();
}

} // namespace

LrsSender::LrsSender(QObject *parent) : QObject(parent)
{
    pause.setSingleShot(true);
    connect(&pause, &QTimer::timeout, this, &LrsSender::postBatch);
    connect(&network, &QNetworkAccessManager::finished, this, &LrsSender::answered);
}

// A send dropped half-way, as when the game's window closes during one: the
// requests are abandoned unanswered, and the record stays unmarked.
LrsSender::~LrsSender()
{
    network.disconnect(this);
    pause.stop();
}

QString LrsSender::configure(const QString &endpoint, QString credentialsPath,
                             const QString &caFile)
{
    if (credentialsPath.isEmpty())
        credentialsPath = qEnvironmentVariable("CURAVANT_LRS_CREDENTIALS");
    Credentials credentials;
    QString problem = setEndpoint(endpoint);
    if (problem.isEmpty())
        problem = credentials.read(credentialsPath);
    if (problem.isEmpty() && !caFile.isEmpty())
        problem = addCaFile(caFile);
    authorization = credentials.authorization();
    return problem;
}

QString LrsSender::setEndpoint(const QString &endpoint)
{
    QUrl url(endpoint, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return QStringLiteral("the LRS address '%1' is not a web address").arg(endpoint);
    if (!url.userInfo().isEmpty())
        return QStringLiteral("the LRS address must not hold a user or password: "
                              "the credentials file holds them");
    if (url.scheme() == QLatin1String("http") && !isLoopback(url.host()))
        return QStringLiteral("plain http is refused except to this machine: use https://%1")
            .arg(url.authority() + url.path());
    if (url.scheme() != QLatin1String("https") && url.scheme() != QLatin1String("http"))
        return QStringLiteral("the LRS address must start with https://");
    if (!url.path().endsWith(QLatin1Char('/')))
        url.setPath(url.path() + QLatin1Char('/'));
    statementsUrl = url.resolved(QUrl(QStringLiteral("statements")));
    return {};
}

QString LrsSender::addCaFile(const QString &path)
{
    const QList<QSslCertificate> certificates = QSslCertificate::fromPath(path);
    if (certificates.isEmpty())
        return QStringLiteral("the CA file %1 holds no certificate").arg(path);
    tls.setCaCertificates(tls.caCertificates() + certificates);
    return {};
}

void LrsSender::send(const std::vector<GameRecord> &records)
{
    waiting.assign(records.begin(), records.end());
    // finished() comes from the event loop even when nothing is to be sent.
    QTimer::singleShot(0, this, &LrsSender::nextRecord);
}

void LrsSender::nextRecord()
{
    while (!waiting.empty()) {
        current = waiting.front();
        waiting.pop_front();
        if (QFileInfo::exists(sentMarkPath(current)))
            continue;
        QFile file(statementsPath(current));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
        if (!document.isArray() || document.array().isEmpty()) {
            emit problem(recordName() + QStringLiteral(": its statements cannot be read: ") +
                         file.fileName());
            failed = true;
            continue;
        }
        pending = document.array();
        recordStatements = pending.size();
        tries = 0;
        postBatch();
        return;
    }
    emit finished(!failed);
}

void LrsSender::postBatch()
{
    batch = QJsonArray();
    for (int i = 0; i < pending.size() && i < options.batchSize; ++i)
        batch.append(pending.at(i));
    QNetworkRequest request(statementsUrl);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    request.setRawHeader("X-Experience-API-Version", "1.0.3");
    request.setRawHeader("Authorization", authorization);
    request.setTransferTimeout(options.timeout);
    request.setSslConfiguration(tls);
    ++tries;
    tlsErrors.clear();
    QNetworkReply *reply =
        network.post(request, QJsonDocument(batch).toJson(QJsonDocument::Compact));
    connect(reply, &QNetworkReply::sslErrors, this, [this](const QList<QSslError> &errors) {
        for (const QSslError &error : errors)
            tlsErrors << error.errorString();
    });
}

void LrsSender::answered(QNetworkReply *reply)
{
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray body = reply->readAll();
    if (status >= 200 && status < 300) {
        for (int i = 0; i < batch.size(); ++i)
            pending.removeFirst();
        tries = 0;
        if (pending.isEmpty())
            return markSent();
        return postBatch();
    }
    if (status == Unauthorized || status == Forbidden) {
        emit problem(QStringLiteral("the LRS refused the credentials (%1): %2")
                         .arg(status)
                         .arg(lrsMessage(body)));
        emit finished(false);
        return;
    }
    if (status >= 300 && status < 400) {
        emit problem(QStringLiteral("the LRS at %1 sends elsewhere (%2): give the address %3")
                         .arg(statementsUrl.toString())
                         .arg(status)
                         .arg(reply->header(QNetworkRequest::LocationHeader).toString()));
        emit finished(false);
        return;
    }
    if (status >= 400 && status < 500 && status != RequestTimeout && status != TooManyRequests) {
        emit problem(QStringLiteral("%1: the LRS refused its statements (%2): %3")
                         .arg(recordName())
                         .arg(status)
                         .arg(lrsMessage(body)));
        failed = true;
        return nextRecord();
    }
    if (reply->error() == QNetworkReply::SslHandshakeFailedError) {
        emit problem(QStringLiteral("the LRS at %1 is not trusted: %2")
                         .arg(statementsUrl.host(), tlsErrors.isEmpty()
                                                        ? reply->errorString()
                                                        : tlsErrors.join(QStringLiteral("; "))));
        emit finished(false);
        return;
    }
    retryOrStop(status ? QStringLiteral("it answered %1: %2").arg(status).arg(lrsMessage(body))
                       : reply->errorString());
}

void LrsSender::retryOrStop(const QString &why)
{
    if (tries < options.tries) {
        pause.start(options.firstPause << (tries - 1));
        return;
    }
    emit problem(QStringLiteral("%1: not sent, the LRS could not take it after %2 tries (%3); "
                                "it stays for the next send")
                     .arg(recordName())
                     .arg(tries)
                     .arg(why));
    emit finished(false);
}

void LrsSender::markSent()
{
    QSaveFile mark(sentMarkPath(current));
    const QByteArray text = statementsUrl.toString().toUtf8() + '\n';
    if (!mark.open(QIODevice::WriteOnly) || mark.write(text) < 0 || !mark.commit()) {
        emit problem(recordName() + QStringLiteral(": sent, but cannot mark it sent: ") +
                     mark.errorString());
        failed = true;
    } else {
        ++sent;
        statements += recordStatements;
    }
    nextRecord();
}

QString LrsSender::recordName() const
{
    return QFile::decodeName(current.name.c_str());
}
