#pragma once

#include <memory>

// A virtual mouse of a Wayland compositor: its motions and clicks reach the
// compositor as a real mouse's would, so they move the compositor's pointer
// and pass through it to the programs, XWayland among them.
class PointerDevice
{
  public:
    virtual ~PointerDevice() = default;
    virtual bool isOpen() const = 0;
    virtual bool move(double dx, double dy) = 0;
    virtual bool button(bool pressed) = 0;

    // GNOME's mutter (through its remote-desktop interface on the session
    // bus) when "mutter", a wlroots compositor such as sway (through the
    // virtual-pointer protocol on WAYLAND_DISPLAY) when "wlroots"; else null.
    static std::unique_ptr<PointerDevice> open(const char *compositor);
};

// The left button in the kernel's input codes, which both interfaces take.
constexpr int leftButton = 0x110;
