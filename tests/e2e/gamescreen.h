#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QStringList>

#include <vector>

struct _XDisplay;

// The test's side of the X display the game runs on: finding the game's
// windows, reading the pointer, taking pictures of the screen, synthetic
// input through xdotool (XTest, as a real mouse and keyboard), and the close
// request a window manager would send. Xvfb runs no window manager, so the
// game's top-level windows are children of the root window.
class GameScreen
{
  public:
    using WindowId = unsigned long;

    GameScreen();
    ~GameScreen();
    GameScreen(const GameScreen &) = delete;
    GameScreen &operator=(const GameScreen &) = delete;

    bool isOpen() const { return display != nullptr; }

    // The viewable top-level windows that process `pid` owns, oldest first.
    std::vector<WindowId> topLevels(long long pid) const;
    QRect geometry(WindowId window) const;
    // The screen rectangles of the viewable windows inside `window` (at any
    // depth) that have the given size.
    std::vector<QRect> innerWindows(WindowId window, QSize size) const;
    bool isViewable(WindowId window) const;
    QPoint pointer() const;
    QImage grab(const QRect &area) const;

    // Asks `window` to close, as a window manager does when the user clicks
    // the close button: WM_PROTOCOLS with WM_DELETE_WINDOW.
    void requestClose(WindowId window);

    // Counts the unmaps and maps of `window` from now on, through X events,
    // so that no short-lived state is missed between two polls.
    void watch(WindowId window);
    struct MapEvents {
        int unmapped = 0;
        int mapped = 0;
        bool destroyed = false;
    };
    MapEvents takeMapEvents(WindowId window);

    // Synthetic input; each call returns once the X server has it.
    bool moveTo(QPoint at);
    bool moveBy(int dx, int dy);
    bool click(int button = 1);
    bool clickRepeatedly(int count, int delayMs);
    bool keys(const QStringList &names, int delayMs = 12);

  private:
    bool xdotool(const QStringList &arguments) const;

    _XDisplay *display = nullptr;
};
