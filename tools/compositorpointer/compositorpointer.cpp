#include "compositorpointer.h"

#include <QCursor>
#include <QDeadlineTimer>
#include <QThread>

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

CompositorPointer::CompositorPointer(const char *compositor)
    : device(PointerDevice::open(compositor)), display(XOpenDisplay(nullptr))
{
    if (!display)
        return;
    // Raw events tell that XWayland has taken the input, whichever window the
    // pointer is over and whoever else listens there.
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawMotion);
    XISetMask(bits, XI_RawButtonRelease);
    XIEventMask mask{XIAllMasterDevices, sizeof bits, bits};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    XSync(display, False);
}

CompositorPointer::~CompositorPointer()
{
    if (display)
        XCloseDisplay(display);
}

bool CompositorPointer::saw(int type)
{
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.xcookie.type == GenericEvent && event.xcookie.evtype == type)
                return true;
        }
        QThread::msleep(2);
    }
    return false;
}

bool CompositorPointer::moveBy(int dx, int dy)
{
    XSync(display, True);
    return device->move(dx, dy) && saw(XI_RawMotion);
}

bool CompositorPointer::standsAt(QPoint at)
{
    const QDeadlineTimer deadline(2000);
    while (QCursor::pos() != at)
        if (deadline.hasExpired())
            return false;
        else
            QThread::msleep(5);
    return true;
}

bool CompositorPointer::moveTo(QPoint at)
{
    // By the way from where XWayland has the pointer: a pointer that the game
    // holds moves only there, and the compositor's follows it on leaving the
    // view (sway's only about). A pixel there and back shows whether the two
    // agree; when they do not, or the compositor has its pointer off
    // XWayland's windows, the move starts again from the screen's corner.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QPoint from = attempt == 0 ? QCursor::pos() : QPoint(0, 0);
        if ((attempt > 0 && !device->move(-1e5, -1e5)) ||
            !device->move(at.x() - from.x(), at.y() - from.y()))
            return false;
        if (standsAt(at) && moveBy(1, 0) && moveBy(-1, 0) && standsAt(at))
            return true;
    }
    return false;
}

bool CompositorPointer::click()
{
    // XWayland may hand on a motion that follows a click before the click.
    XSync(display, True);
    return device->button(true) && device->button(false) && saw(XI_RawButtonRelease);
}
