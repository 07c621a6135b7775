#include "gamescreen.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QScreen>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace
{
long long windowPid(Display *display, Window window)
{
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    long long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data && count == 1 && format == 32)
        pid = static_cast<long long>(*reinterpret_cast<unsigned long *>(data));
    if (data)
        XFree(data);
    return pid;
}

// Errors about windows that vanished between two requests are expected: the
// game creates and destroys popups and GL windows all the time.
int ignoreErrors(Display *, XErrorEvent *)
{
    return 0;
}
} // namespace

GameScreen::GameScreen() : display(XOpenDisplay(nullptr))
{
    if (display)
        XSetErrorHandler(ignoreErrors);
}

GameScreen::~GameScreen()
{
    if (display)
        XCloseDisplay(display);
}

std::vector<GameScreen::WindowId> GameScreen::topLevels(long long pid) const
{
    std::vector<WindowId> found;
    Window root = 0;
    Window parent = 0;
    Window *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return found;
    // XQueryTree lists children bottom to top, which is creation order here.
    for (unsigned int i = 0; i < count; ++i)
        if (windowPid(display, children[i]) == pid && isViewable(children[i]))
            found.push_back(children[i]);
    if (children)
        XFree(children);
    return found;
}

QRect GameScreen::geometry(WindowId window) const
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        return QRect();
    Window child = 0;
    int x = 0;
    int y = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    return QRect(x, y, attributes.width, attributes.height);
}

std::vector<QRect> GameScreen::innerWindows(WindowId window, QSize size) const
{
    std::vector<QRect> found;
    Window root = 0;
    Window parent = 0;
    Window *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return found;
    for (unsigned int i = 0; i < count; ++i) {
        if (!isViewable(children[i]))
            continue;
        const QRect rect = geometry(children[i]);
        if (rect.size() == size)
            found.push_back(rect);
        const std::vector<QRect> inner = innerWindows(children[i], size);
        found.insert(found.end(), inner.begin(), inner.end());
    }
    if (children)
        XFree(children);
    return found;
}

bool GameScreen::isViewable(WindowId window) const
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

QPoint GameScreen::pointer() const
{
    Window root = 0;
    Window child = 0;
    int x = 0;
    int y = 0;
    int wx = 0;
    int wy = 0;
    unsigned int mask = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &wx, &wy, &mask);
    return QPoint(x, y);
}

QImage GameScreen::grab(const QRect &area) const
{
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

void GameScreen::requestClose(WindowId window)
{
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
}

void GameScreen::watch(WindowId window)
{
    XSelectInput(display, window, StructureNotifyMask);
    XSync(display, False);
}

GameScreen::MapEvents GameScreen::takeMapEvents(WindowId window)
{
    MapEvents events;
    XSync(display, False);
    XEvent event;
    while (XCheckWindowEvent(display, window, StructureNotifyMask, &event)) {
        if (event.type == UnmapNotify)
            ++events.unmapped;
        else if (event.type == MapNotify)
            ++events.mapped;
        else if (event.type == DestroyNotify)
            events.destroyed = true;
    }
    return events;
}

bool GameScreen::moveTo(QPoint at)
{
    return xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
}

bool GameScreen::moveBy(int dx, int dy)
{
    return xdotool({QStringLiteral("mousemove_relative"), QStringLiteral("--"), QString::number(dx),
                    QString::number(dy)});
}

bool GameScreen::click(int button)
{
    return xdotool({QStringLiteral("click"), QString::number(button)});
}

bool GameScreen::clickRepeatedly(int count, int delayMs)
{
    return xdotool({QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(count),
                    QStringLiteral("--delay"), QString::number(delayMs), QStringLiteral("1")});
}

bool GameScreen::keys(const QStringList &names, int delayMs)
{
    return xdotool(
        QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QString::number(delayMs)} +
        names);
}

bool GameScreen::xdotool(const QStringList &arguments) const
{
    // xdotool closes its connection with a round trip, so when it has exited
    // the server has carried out the input.
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}
