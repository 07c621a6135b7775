#include "gameround.h"

#include "gameprocess.h"
#include "imagecompare.h"
#include "player.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <gtest/gtest.h>

GameRound::GameRound(GameProcess &game, Player &player) : game(game), player(player) {}

void GameRound::openIdleWindow(bool logoReadable)
{
    ASSERT_TRUE(player.waitForIdleWindow(windowTimeoutMs))
        << "no idle window; stderr: " << game.errors();
    // The window may come up before its view is painted; the blank left by
    // an unreadable logo is told from that by lasting.
    QImage last;
    QElapsedTimer unchanged;
    const bool settled = game.waitFor(
        [&] {
            const QImage now = player.viewShot();
            if (logoReadable)
                return player.logoShown();
            if (last.isNull() || !isPlain(now) || changedShare(last, now, 2) > 0)
                unchanged.start();
            last = now;
            return unchanged.elapsed() > 500;
        },
        windowTimeoutMs);
    idleView = player.viewShot();
    ASSERT_TRUE(settled) << (logoReadable ? "the logo did not appear" : "the view did not settle")
                         << "; pictures in " << keepPictures("idle").toStdString();
}

bool GameRound::showsIdleView() const
{
    return changedShare(idleView, player.viewShot(), 8) < 0.01;
}

bool GameRound::showsGameView() const
{
    // Whatever the room holds (even nothing, a black view), it is not the
    // idle view.
    return changedShare(idleView, player.viewShot(), 8) > 0.3;
}

QString GameRound::keepPictures(const QString &what) const
{
    // Kept for a person to look at when a comparison fails.
    const QString stem = QDir::temp().filePath(
        QStringLiteral("curavant-e2e-%1-%2").arg(what).arg(QCoreApplication::applicationPid()));
    idleView.save(stem + QStringLiteral("-idle.png"));
    player.windowShot().save(stem + QStringLiteral("-now.png"));
    return stem + QStringLiteral("-*.png");
}

void GameRound::startGame()
{
    ASSERT_TRUE(player.choose(QStringLiteral("Spiel"), QStringLiteral("Start!")));
    ASSERT_TRUE(game.waitFor([this] { return showsGameView(); }, stepTimeoutMs))
        << "the 3D view did not replace the idle view";
}

void GameRound::keepsPlaying(bool afterEarlierGame)
{
    if (afterEarlierGame) {
        ASSERT_TRUE(player.waitForTime([](const QString &t) { return shownSeconds(t) >= 238; },
                                       stepTimeoutMs))
            << "the clock did not start again; it reads " << player.time().toStdString();
    }
    // At 3:57 the first scenario step (20 ticks after the start) is done.
    ASSERT_TRUE(player.waitForTime(
        [](const QString &t) {
            const int seconds = shownSeconds(t);
            return seconds >= 0 && seconds <= 237;
        },
        stepTimeoutMs))
        << "the clock did not count down; it reads " << player.time().toStdString();
    EXPECT_TRUE(player.waitForPoints(
        [](const QString &p) { return p.startsWith(QLatin1String("Punkte: ")); }, stepTimeoutMs))
        << "no scenario step rewrote the points";
}

void GameRound::closeTwice()
{
    ASSERT_TRUE(player.closeToIdle()) << "the first close did not bring the idle window back";
    if (!game.waitFor([this] { return showsIdleView(); }, stepTimeoutMs)) {
        ADD_FAILURE() << "the window came back, but not idle; pictures in "
                      << keepPictures("not-idle").toStdString();
    }
    ASSERT_TRUE(player.closeToExit()) << "the second close did not end the program";
}

void GameRound::expectCleanEnd(const std::string &expectedOutput)
{
    EXPECT_TRUE(game.exitedNormally()) << "the program crashed; stderr: " << game.errors();
    EXPECT_EQ(game.exitCode(), 0) << game.errors();
    EXPECT_EQ(game.output(), expectedOutput);
    EXPECT_FALSE(hasSanitizerReport(game.errors())) << game.errors();
}

bool hasSanitizerReport(const std::string &errors)
{
    for (const char *mark : {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:"})
        if (errors.find(mark) != std::string::npos)
            return true;
    return false;
}
