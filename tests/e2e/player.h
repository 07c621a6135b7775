#pragma once

#include "compositorpointer.h"
#include "windowprobe.h"

#include <QHash>
#include <QImage>
#include <QRect>

#include <functional>
#include <memory>

class GameProcess;
struct _XDisplay;

// Timeouts generous enough for a build with sanitizers on a loaded machine.
constexpr int windowTimeoutMs = 30000;
constexpr int stepTimeoutMs = 15000;

// Mouse movements, in pixels right and up, that aim the cursor's anchor from
// the opening view at the plaster on the trolley, from there at the middle
// of the patient's left shin, and on to the transfusion; each leaves two
// pixels' room for error. They follow the room file (tools/scenegen).
const QPoint toPlaster(198, -41), toShin(-138, -18), toFluid(-98, 28);

// The share of pixels that differ by more than `tolerance` in some channel.
double changedShare(const QImage &a, const QImage &b, int tolerance = 24);
bool isPlain(const QImage &image);

// A person at the running game: sees the window through the window probe,
// reads the labels off its pictures, and uses menu, mouse and keys through
// xdotool (XTest, as a real mouse), or the mouse through the compositor in a
// Wayland session (CURAVANT_SESSION_POINTER, tools/wayland-session.sh). Every action waits, within
// a time limit, until the game has visibly taken it.
class Player
{
  public:
    enum Label { Time, Points, Health };

    explicit Player(GameProcess &game);
    ~Player();
    Player(const Player &) = delete;
    Player &operator=(const Player &) = delete;

    bool isOpen() const
    {
        return probe.connected() && display != nullptr && (!compositor || compositor->isOpen());
    }
    // The game's scale factor (QT_SCALE_FACTOR or QT_SCREEN_SCALE_FACTORS):
    // its window measures this many device pixels per pixel.
    double scale() const { return factor; }

    // The window with its idle view: the logo, or a blank without one.
    bool waitForIdleWindow();
    QRect viewRect() const { return view; }
    QImage shot(const QRect &part = QRect());
    QImage viewShot() { return shot(view); }

    // Label texts, in a given or fresh picture; -1 seconds for another text.
    bool shows(Label label, const QString &text, const QImage &window = QImage());
    int seconds(const QImage &window = QImage());
    QString points(const QImage &window = QImage());
    bool waitForSeconds(const std::function<bool(int)> &wanted);

    // At a fractional scale factor the logo may lie a pixel off.
    bool showsIdleView() { return changedShare(viewShot(), idle) < (factor == 1 ? 0.01 : 0.05); }
    // Whatever the room holds (even nothing, a black view), it is not idle.
    bool showsGameView() { return changedShare(viewShot(), idle) > 0.3; }
    bool toolShows(const QImage &icon) { return changedShare(shot(tool), icon) < 0.01; }
    bool toolEmpty() { return isPlain(shot(tool)); }

    bool xdotool(const QString &arguments) const;
    // With `done`, until it holds (three tries).
    bool choose(const QString &item, const std::function<bool()> &done = {});
    bool click();
    // The first motion in the view anchors the mouse-look: the game puts the
    // cursor back on the anchor after every move, and a click picks there.
    bool enterView();
    bool turn(int right, int up);
    // Where the view draws a pointer of its own around the held cursor: the
    // pixels, in the view, of the arrow's white and black.
    QRect drawnPointer();
    QPoint heldInView() const { return anchor - frame.topLeft() - view.topLeft(); }

    bool closeToIdle();
    bool closeToExit();

    void startGame();
    // The clock runs past the first scenario step, which rewrites the points.
    void keepsPlaying(bool afterEarlierGame = false);
    void closeTwice();
    void expectCleanEnd();

  private:
    bool locateParts();
    QString read(Label label, const QStringList &candidates, const QImage &window);
    bool chooseOnce(const QString &item);
    bool moveTo(QPoint at) const;
    bool moveBy(int right, int up) const;
    // Over the tool in hand, where the pointer does nothing.
    QPoint aside() const { return frame.topLeft() + tool.center(); }
    bool waitForAnchor();
    bool settled();
    bool unmapped();

    GameProcess &game;
    WindowProbe probe{"curavant"};
    _XDisplay *display; // for the window's unmap events
    unsigned long window = 0;
    QRect frame, view, tool, labels[3];
    QImage idle;
    QHash<QString, QImage> rendered;
    QPoint anchor{-1, -1};
    double factor = 1;
    std::unique_ptr<CompositorPointer> compositor;
};
