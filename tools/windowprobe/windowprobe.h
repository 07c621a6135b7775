#pragma once

#include <QImage>

#include <string>

struct _XDisplay;

// Looks at a program's window from outside its process, on the X display of
// $DISPLAY: finds the mapped top-level window of a window class, reads what it
// shows, and asks it to close as a window manager would. The start-up
// benchmark and the package check see the game through it; both run on a
// private Xvfb server without a window manager, where top-level windows are
// direct children of the root window.
class WindowProbe
{
  public:
    explicit WindowProbe(const std::string &windowClass);
    ~WindowProbe();

    bool connected() const { return display != nullptr; }

    // The largest mapped top-level window of the class, or 0 if none is.
    unsigned long findWindow();
    // The window's contents; a null image when the window cannot be read
    // (for example because it was unmapped in the meantime).
    QImage grab(unsigned long window);
    // Sends WM_DELETE_WINDOW, the message a window manager sends when the
    // user clicks the close button.
    void requestClose(unsigned long window);

  private:
    _XDisplay *display = nullptr;
    std::string windowClass;

    WindowProbe(const WindowProbe &) = delete;
    WindowProbe &operator=(const WindowProbe &) = delete;
};
