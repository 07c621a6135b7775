#pragma once

#include <QImage>
#include <QString>

#include <string>

class GameProcess;
class Player;

// The run every robustness case shares, in steps that each check what a
// person would see: the idle window, a short game, and the two closes, then
// a clean end with exactly the expected standard output.
class GameRound
{
  public:
    GameRound(GameProcess &game, Player &player);

    // Waits for the idle window and keeps a picture of its view: the logo
    // when `logoReadable`, else a blank that has stayed for half a second.
    void openIdleWindow(bool logoReadable = true);
    // "Start!" by the menu; the 3D view takes the logo's place.
    void startGame();
    // The game goes on: the clock counts down past the first scenario step,
    // which rewrites the points label. After an earlier game the labels
    // show its last texts until the new game's first tick, so then the test
    // first waits for the clock to start again from the top.
    void keepsPlaying(bool afterEarlierGame = false);
    // The first close leaves the idle window as it was at the start, the
    // second ends the program with status 0.
    void closeTwice();
    void expectCleanEnd(const std::string &expectedOutput);

    // The idle view: the logo, or a blank where the logo cannot be read.
    bool showsIdleView() const;
    bool showsGameView() const;

  private:
    // Saves the idle view and the window as they are now; returns where.
    QString keepPictures(const QString &what) const;

    GameProcess &game;
    Player &player;
    QImage idleView;
};

// Timeouts generous enough for a build with sanitizers on a loaded machine.
constexpr int windowTimeoutMs = 30000;
constexpr int stepTimeoutMs = 15000;

// Whether standard error holds a report of AddressSanitizer, LeakSanitizer
// or UndefinedBehaviorSanitizer (in a build with -DCURAVANT_SANITIZE=ON).
bool hasSanitizerReport(const std::string &errors);
