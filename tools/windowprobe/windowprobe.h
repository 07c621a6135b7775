#pragma once

#include <QImage>
#include <QRect>

#include <string>
#include <vector>

struct _XDisplay;

// Looks at a program's window from outside its process, on the X display of
// $DISPLAY: finds the mapped top-level windows of a window class and the
// windows inside them, reads what they show, and asks one to close as a
// window manager would. The start-up benchmark, the package check and the
// end-to-end tests see the game through it, on a private Xvfb server without
// a window manager or on XWayland, whose window manager frames each window.
class WindowProbe
{
  public:
    explicit WindowProbe(const std::string &windowClass);
    ~WindowProbe();

    bool connected() const { return display != nullptr; }

    // The largest mapped top-level window of the class, or 0 if none is.
    unsigned long findWindow();
    // All mapped top-level windows of the class (the main window, popups).
    std::vector<unsigned long> windows();
    // The mapped windows inside `window`, at any depth.
    std::vector<unsigned long> descendants(unsigned long window);
    // Where the window is on the screen; a null rectangle if it is gone.
    QRect geometry(unsigned long window);
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
