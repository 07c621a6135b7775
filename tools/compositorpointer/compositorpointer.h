#pragma once

#include "pointerdevice.h"

#include <QPoint>

#include <memory>

struct _XDisplay;

// The compositor's pointer in a Wayland session, seen from XWayland (the
// display of DISPLAY): moved and clicked through the compositor as a mouse
// would, since input sent into XWayland never reaches the compositor's
// pointer. Each call returns when XWayland has taken the input (its raw
// event). The end-to-end tests and curavant-pointer drive the game with it.
class CompositorPointer
{
  public:
    // "mutter" or "wlroots", as PointerDevice::open takes them.
    explicit CompositorPointer(const char *compositor);
    ~CompositorPointer();
    CompositorPointer(const CompositorPointer &) = delete;
    CompositorPointer &operator=(const CompositorPointer &) = delete;

    bool isOpen() const { return device && device->isOpen() && display != nullptr; }
    bool moveBy(int dx, int dy);
    // True when the X pointer stands at `at`, a point on an X window.
    bool moveTo(QPoint at);
    bool click();

  private:
    bool saw(int type);
    bool standsAt(QPoint at);

    std::unique_ptr<PointerDevice> device;
    _XDisplay *display;
};
