// The game's own send to the real test LRS: games reach it as the game showed
// them; with the LRS down the window goes on and the records wait for
// curavant-sim --send. The secret appears in no output and no file.

#include "gameprocess.h"
#include "lrsprocess.h"
#include "player.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace
{
const QByteArray secret = "Geheimnis-e2e-4711";

class GameSend : public ::testing::Test
{
  protected:
    // The settings name the LRS, and the credentials file either in the
    // settings or in CURAVANT_LRS_CREDENTIALS.
    void SetUp() override
    {
        ASSERT_TRUE(game.isValid() && player.isOpen());
        QDir(game.root()).mkpath("config/curavant");
        QFile key(game.root() + "/key"), ini(game.root() + "/config/curavant/curavant.ini");
        ASSERT_TRUE(key.open(QIODevice::WriteOnly) && ini.open(QIODevice::WriteOnly));
        key.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        key.write("curavant-test:" + secret + "\n");
        ini.write("[xapi]\nendpoint=" + lrs.endpoint().toUtf8() +
                  "\nhomePage=https://lms.example/\n");
        if (credentialsInSettings())
            ini.write("credentials=" + key.fileName().toUtf8() + "\n");
        else
            game.environment.insert("CURAVANT_LRS_CREDENTIALS", key.fileName());
        game.environment.insert("XDG_CONFIG_HOME", game.root() + "/config");
        game.environment.insert("CURAVANT_RECORD_DIR", records());
        game.environment.insert("CURAVANT_LEARNER", "spielerin-7");
        game.arguments = QStringList{"--scenario", "../data/scenarios/pruefung.toml"};
    }

    void TearDown() override
    {
        QByteArray everything = QByteArray::fromStdString(game.output() + game.errors()) + said;
        for (QDirIterator it(records(), QDir::Files); it.hasNext();) {
            QFile file(it.next());
            everything += file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }
        EXPECT_FALSE(everything.contains(secret));
        EXPECT_FALSE(everything.contains(("curavant-test:" + secret).toBase64()));
    }

    // The game's own lines on standard error; Coin warns of a GL without an
    // accumulation buffer (Mesa of Debian 13) on its own.
    QStringList saidByGame() const
    {
        QStringList lines;
        for (const QString &line :
             QString::fromStdString(game.errors()).split('\n', Qt::SkipEmptyParts))
            if (!line.startsWith("Coin warning"))
                lines << line;
        return lines;
    }
    virtual bool credentialsInSettings() const { return true; }
    QString records() const { return game.root() + "/records"; }
    QStringList games() const
    {
        return QDir(records())
            .entryList({"*.csv"}, QDir::Files, QDir::Name)
            .replaceInStrings(QRegularExpression("(.*)\\.csv"), records() + "/\\1");
    }
    static bool sent(const QString &game) { return QFile::exists(game + ".xapi.sent"); }

    static QJsonArray written(const QString &game)
    {
        QFile file(game + ".xapi.json");
        return QJsonDocument::fromJson(file.open(QIODevice::ReadOnly) ? file.readAll() : "")
            .array();
    }
    QJsonArray stored(const QString &game)
    {
        return lrs.statements(written(game).at(0)["context"]["registration"].toString());
    }

    void playOneGame(bool afterEarlierGame)
    {
        ASSERT_NO_FATAL_FAILURE(player.startGame());
        ASSERT_NO_FATAL_FAILURE(player.keepsPlaying(afterEarlierGame));
        ASSERT_TRUE(player.choose("Ende", [&] { return panelShown().has_value(); }));
    }
    // Passed or failed, by the colour of the verdict panel's band.
    std::optional<bool> panelShown()
    {
        const QImage view = player.viewShot();
        int passed = 0, failed = 0;
        for (int y = 0; y < view.height(); y += 2)
            for (int x = 0; x < view.width(); x += 2) {
                const QColor c = view.pixelColor(x, y);
                passed += qAbs(c.red() - 46) + qAbs(c.green() - 125) + qAbs(c.blue() - 50) < 12;
                failed += qAbs(c.red() - 198) + qAbs(c.green() - 40) + qAbs(c.blue() - 40) < 12;
            }
        if (std::max(passed, failed) < 200)
            return std::nullopt;
        return passed > failed;
    }

    GameProcess game;
    Player player{game};
    LrsProcess lrs;
    QByteArray said; // by curavant-sim
};

class GameSendLrsDown : public GameSend
{
    bool credentialsInSettings() const override { return false; }
};

double lastScore(const QString &game)
{
    QFile table(game + ".csv");
    if (!table.open(QIODevice::ReadOnly))
        return -1e9;
    return QString(table.readAll()).trimmed().section('\n', -1).section(',', 1, 1).toDouble();
}
} // namespace

// Two games ended with "Ende", and a third by closing the window.
TEST_F(GameSend, GamesReachTheLrsAsThePanelShowedThem)
{
    ASSERT_TRUE(lrs.start());
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(player.waitForIdleWindow()) << game.errors();
    std::optional<bool> shown[3];
    for (int i = 0; i < 2; ++i) {
        ASSERT_NO_FATAL_FAILURE(playOneGame(i > 0));
        shown[i] = panelShown();
    }
    ASSERT_NO_FATAL_FAILURE(player.startGame());
    ASSERT_NO_FATAL_FAILURE(player.keepsPlaying(true));
    ASSERT_TRUE(player.closeToIdle());
    ASSERT_EQ(games().size(), 3);
    EXPECT_TRUE(game.waitFor(
        [&] { return sent(games()[0]) && sent(games()[1]) && sent(games()[2]); }, 60000))
        << game.errors();

    for (int i = 0; i < 3; ++i) {
        const QString name = games()[i];
        QStringList verbs;
        EXPECT_EQ(stored(name).size(), written(name).size()) << name.toStdString();
        for (const QJsonValue &statement : stored(name)) {
            verbs << statement["verb"]["id"].toString().section('/', -1);
            const QJsonValue account = statement["actor"]["account"];
            EXPECT_EQ(account["name"].toString() + " " + account["homePage"].toString(),
                      "spielerin-7 https://lms.example/");
            if (verbs.last() == "completed") {
                EXPECT_EQ(statement["result"]["score"]["raw"].toDouble(), lastScore(name));
            }
        }
        EXPECT_EQ(verbs.count("completed"), 1);
        EXPECT_EQ(verbs.count("passed") + verbs.count("failed"), 1);
        if (i < 2) { // as the panel showed
            EXPECT_EQ(verbs.count(shown[i].value_or(false) ? "passed" : "failed"), 1);
        }
    }
    ASSERT_TRUE(player.closeToExit());
    player.expectCleanEnd();
    EXPECT_EQ(saidByGame(), QStringList());
}

TEST_F(GameSendLrsDown, WindowGoesOnRecordsWaitForTheNextSend)
{
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(player.waitForIdleWindow()) << game.errors();
    ASSERT_NO_FATAL_FAILURE(playOneGame(false));
    // While the send retries, a menu click and each clock tick are handled
    // at once. Then the window is closed while a send is under way.
    ASSERT_NO_FATAL_FAILURE(player.startGame());
    for (int i = 0; i < 3; ++i) {
        const int shown = player.seconds();
        EXPECT_TRUE(game.waitFor([&] { return player.seconds() != shown; }, 1000)) << shown;
    }
    EXPECT_EQ(saidByGame(), QStringList()) << "the send gave up before the clock was seen";
    // The running game ends with the window's close, and both are sent.
    ASSERT_TRUE(player.closeToIdle());
    QElapsedTimer closing;
    closing.start();
    ASSERT_TRUE(player.closeToExit());
    EXPECT_LT(closing.elapsed(), 5000);
    player.expectCleanEnd();
    for (const QString &line : saidByGame())
        EXPECT_TRUE(line.startsWith("curavant: ")) << line.toStdString();

    ASSERT_EQ(games().size(), 2);
    for (const QString &name : games())
        EXPECT_TRUE(!written(name).isEmpty() && !sent(name)) << name.toStdString();
    ASSERT_TRUE(lrs.start());
    QProcess sim;
    sim.start(CURAVANT_SIM_PATH,
              {"--send", lrs.endpoint(), "--credentials", game.root() + "/key", records()});
    ASSERT_TRUE(sim.waitForFinished(120000));
    said = sim.readAllStandardOutput() + sim.readAllStandardError();
    EXPECT_EQ(sim.exitCode(), 0) << said.toStdString();
    for (const QString &name : games()) {
        EXPECT_TRUE(sent(name));
        EXPECT_EQ(stored(name).size(), written(name).size());
    }
}
