#include "windowprobe.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>

namespace
{
// A window can vanish between finding and reading it; Xlib's default
// handler would end the whole program over that.
int ignoreError(Display *, XErrorEvent *)
{
    return 0;
}

bool hasClass(Display *display, Window window, const std::string &windowClass)
{
    XClassHint hint{};
    if (!XGetClassHint(display, window, &hint))
        return false;
    const bool match = hint.res_class && windowClass == hint.res_class;
    XFree(hint.res_name);
    XFree(hint.res_class);
    return match;
}

std::vector<unsigned long> mappedChildren(Display *display, Window parent)
{
    std::vector<unsigned long> mapped;
    Window root = 0, grandparent = 0;
    Window *children = nullptr;
    unsigned int count = 0;
    if (!display || !parent || !XQueryTree(display, parent, &root, &grandparent, &children, &count))
        return mapped;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable)
            mapped.push_back(children[i]);
    }
    XFree(children);
    return mapped;
}

int shift(unsigned long mask)
{
    int bits = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++bits;
    }
    return bits;
}

QImage toQImage(XImage *x)
{
    QImage image(x->width, x->height, QImage::Format_RGB32);
    const bool direct = x->bits_per_pixel == 32 && x->byte_order == LSBFirst &&
                        x->red_mask == 0xff0000 && x->green_mask == 0xff00 && x->blue_mask == 0xff;
    if (direct) {
        for (int y = 0; y < x->height; ++y)
            std::memcpy(image.scanLine(y), x->data + y * x->bytes_per_line,
                        static_cast<size_t>(x->width) * 4);
        return image;
    }
    const int r = shift(x->red_mask), g = shift(x->green_mask), b = shift(x->blue_mask);
    for (int y = 0; y < x->height; ++y)
        for (int i = 0; i < x->width; ++i) {
            const unsigned long p = XGetPixel(x, i, y);
            image.setPixel(i, y,
                           qRgb(static_cast<int>((p & x->red_mask) >> r),
                                static_cast<int>((p & x->green_mask) >> g),
                                static_cast<int>((p & x->blue_mask) >> b)));
        }
    return image;
}
} // namespace

WindowProbe::WindowProbe(const std::string &windowClass) : windowClass(windowClass)
{
    XSetErrorHandler(ignoreError);
    display = XOpenDisplay(nullptr);
}

WindowProbe::~WindowProbe()
{
    if (display)
        XCloseDisplay(display);
}

unsigned long WindowProbe::findWindow()
{
    unsigned long best = 0;
    long bestArea = 0;
    for (unsigned long window : windows()) {
        const QRect rect = geometry(window);
        const long area = static_cast<long>(rect.width()) * rect.height();
        if (area > bestArea) {
            best = window;
            bestArea = area;
        }
    }
    return best;
}

std::vector<unsigned long> WindowProbe::windows()
{
    std::vector<unsigned long> found;
    if (!display)
        return found;
    // A window manager puts each top-level window into a frame of its own.
    for (unsigned long window : mappedChildren(display, DefaultRootWindow(display)))
        if (hasClass(display, window, windowClass))
            found.push_back(window);
        else
            for (unsigned long framed : mappedChildren(display, window))
                if (hasClass(display, framed, windowClass))
                    found.push_back(framed);
    return found;
}

std::vector<unsigned long> WindowProbe::descendants(unsigned long window)
{
    std::vector<unsigned long> found = mappedChildren(display, window);
    for (std::size_t i = 0; i < found.size(); ++i)
        for (unsigned long child : mappedChildren(display, found[i]))
            found.push_back(child);
    return found;
}

QRect WindowProbe::geometry(unsigned long window)
{
    XWindowAttributes attributes{};
    Window child = 0;
    int x = 0, y = 0;
    if (!display || !window || !XGetWindowAttributes(display, window, &attributes) ||
        !XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child))
        return QRect();
    return QRect(x, y, attributes.width, attributes.height);
}

QImage WindowProbe::grab(unsigned long window)
{
    XWindowAttributes attributes{};
    if (!display || !window || !XGetWindowAttributes(display, window, &attributes) ||
        attributes.map_state != IsViewable)
        return QImage();
    XImage *x = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                          static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!x)
        return QImage();
    QImage image = toQImage(x);
    XDestroyImage(x);
    return image;
}

void WindowProbe::requestClose(unsigned long window)
{
    if (!display || !window)
        return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}
