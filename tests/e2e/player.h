#pragma once

#include "gamescreen.h"
#include "labelreader.h"

#include <Inventor/SbVec2s.h>

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>

class GameProcess;

// A person at the running game: finds its window, reads what the window
// shows, uses the menus by mouse, looks around and clicks in the 3D view,
// and closes the window. Every action waits (with a time limit) until the
// game has visibly taken it, so tests never sleep for a fixed time.
class Player
{
  public:
    Player(GameProcess &game, GameScreen &screen);

    // Waits for the idle 1000 x 600 window, and learns where its labels and
    // its view stand.
    bool waitForIdleWindow(int timeoutMs = 20000);
    QRect windowRect() const;
    QRect viewRect() const { return view; }
    QImage windowShot() const;
    QImage sideShot() const;

    // What the labels show, in a fresh picture or in a given picture of the
    // side column.
    QString points();
    QString time();
    QString points(const QImage &side);
    QString time(const QImage &side);
    bool healthShows(const QString &text);
    bool waitForPoints(const std::function<bool(const QString &)> &wanted, int timeoutMs);
    bool waitForTime(const std::function<bool(const QString &)> &wanted, int timeoutMs);

    // The logo in the view's place, pixel for pixel within a small tolerance.
    bool logoShown() const;
    // The view shows neither the logo nor one plain colour: the 3D room.
    bool roomShown() const;
    bool toolShows(const QImage &icon) const;
    bool toolLabelEmpty() const;
    QImage viewShot() const;

    // Opens the menu titled `menu` by a click on the menu bar and clicks the
    // entry `item` in the popup.
    bool choose(const QString &menu, const QString &item);

    // Moves the pointer into the 3D view. The first motion there anchors
    // the mouse-look, and the game puts the cursor on the anchor.
    bool enterView();
    QPoint anchor() const { return anchorPoint; }
    // The anchor as a pixel of the view in Coin's convention (origin at the
    // bottom left), which is where a click picks.
    SbVec2s anchorPixel() const;
    // Moves the pointer by `right` and `up` pixels away from the anchor, in
    // steps that stay inside the view, each taken once the game has put the
    // cursor back.
    bool turn(int right, int up);
    bool click();

    // The close button: the first time the window comes back idle, the
    // second time the program ends.
    bool closeToIdle(int timeoutMs = 20000);
    bool closeToExit(int timeoutMs = 20000);

  private:
    bool locateLabels();
    bool waitForPopup(GameScreen::WindowId &popup);
    bool waitForAnchor();

    GameProcess &game;
    GameScreen &screen;
    GameScreen::WindowId window = 0;
    LabelReader reader{QSize(150, 30)};
    QPoint timeOrigin;
    QPoint pointsOrigin;
    QPoint healthOrigin;
    QRect view;
    QRect toolArea; // where the tool label stands in the window
    QImage logo;
    QPoint anchorPoint{-1, -1};
};
