// The game's send at "Ende", driven as the game will drive it: the statements
// are written and the folder's records sent to the real LRS in the
// background; with the LRS down the event loop runs on through the retries
// and the record stays unsent for the next send.

#include "learningrecords.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace
{

quint16 freePort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}

// The test LRS in memory, as tools/lrs/lrsserver.py runs it.
class Lrs
{
  public:
    explicit Lrs(const QString &folder) : port(freePort())
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *repo : {"AUTH_REPO=test", "EVENTS_REPO=test", "MODELS_REPO=memory",
                                 "STORAGE_REPO=memory", "WINSTON_CONSOLE_LEVEL=error"})
            env.insert(QString(repo).section('=', 0, 0), QString(repo).section('=', 1));
        env.insert("EXPRESS_PORT", QString::number(port));
        node.setProcessEnvironment(env);
        node.setWorkingDirectory(folder);
        node.start("node", {CURAVANT_LRS_DIR "/node_modules/xapi-statements/dist/index.js"});
        QNetworkAccessManager network;
        QElapsedTimer waited;
        waited.start();
        while (!answers(network) && waited.elapsed() < 90000)
            QTest::qWait(200);
    }
    ~Lrs()
    {
        node.terminate();
        node.waitForFinished();
    }
    QString endpoint() const { return QString("http://127.0.0.1:%1/xAPI/").arg(port); }

  private:
    bool answers(QNetworkAccessManager &network)
    {
        QNetworkReply *reply = network.get(QNetworkRequest(QUrl(endpoint() + "about")));
        QSignalSpy done(reply, &QNetworkReply::finished);
        done.wait(5000);
        reply->deleteLater();
        return reply->error() == QNetworkReply::NoError;
    }

    quint16 port;
    QProcess node;
};

class GameSend : public testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_EQ(QProcess::execute(CURAVANT_COURSEGEN_PATH, {folder.path(), "1", "60"}), 0);
        table = QDir(folder.path()).entryInfoList({"*.csv"}).value(0).filePath();
        settings.learner = "spieler";
        QFile key(folder.filePath("key"));
        ASSERT_TRUE(key.open(QIODevice::WriteOnly));
        key.write("k:s\n");
        key.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        settings.credentialsPath = key.fileName();
    }

    // Ends the game and counts the event loop's turns until the send is done.
    int endGame(LearningRecords &records, QSignalSpy &finished)
    {
        int turns = 0;
        QTimer turn;
        QObject::connect(&turn, &QTimer::timeout, [&] { ++turns; });
        turn.start(10);
        records.gameEnded(table);
        EXPECT_TRUE(finished.wait(60000));
        return turns;
    }

    QString sibling(const char *suffix) const { return QString(table).replace(".csv", suffix); }

    QTemporaryDir folder;
    QString table;
    LrsSettings settings;
};

} // namespace

TEST_F(GameSend, ReachesTheLrsAtTheGamesEnd)
{
    Lrs lrs(folder.path());
    settings.endpoint = lrs.endpoint();
    LearningRecords records(settings);
    QSignalSpy finished(&records, &LearningRecords::sendFinished);
    endGame(records, finished);
    EXPECT_EQ(finished.value(0).value(0), true);
    EXPECT_TRUE(QFile::exists(sibling(".xapi.sent")));
}

TEST_F(GameSend, WithTheLrsDownTheLoopRunsOnAndTheRecordStaysUnsent)
{
    settings.endpoint = QString("http://127.0.0.1:%1/xAPI/").arg(freePort());
    LearningRecords records(settings);
    QSignalSpy finished(&records, &LearningRecords::sendFinished),
        problems(&records, &LearningRecords::problem);
    QElapsedTimer sending;
    sending.start();
    const int turns = endGame(records, finished);
    // Five tries with pauses of 0.5 to 4 s: the loop turned all along.
    EXPECT_GT(turns, sending.elapsed() / 10 / 2);
    EXPECT_EQ(finished.value(0).value(0), false);
    EXPECT_EQ(problems.size(), 1);
    EXPECT_TRUE(QFile::exists(sibling(".xapi.json")));
    EXPECT_FALSE(QFile::exists(sibling(".xapi.sent")));
}

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
