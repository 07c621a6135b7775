#pragma once

#include "pointerdevice.h"

struct wl_display;
struct wl_registry;
struct wl_seat;
struct zwlr_virtual_pointer_manager_v1;
struct zwlr_virtual_pointer_v1;

// A virtual mouse of a wlroots compositor (sway and others), made through
// the virtual-pointer protocol on the Wayland display of WAYLAND_DISPLAY.
// Each motion and click is a frame of its own, sent before the call returns.
class WlrootsPointer : public PointerDevice
{
  public:
    WlrootsPointer();
    ~WlrootsPointer() override;

    bool isOpen() const override { return pointer != nullptr; }
    bool move(double dx, double dy) override;
    bool button(bool pressed) override;

  private:
    static void announced(void *self, wl_registry *registry, unsigned name, const char *interface,
                          unsigned version);
    bool sent();

    wl_display *display = nullptr;
    wl_registry *registry = nullptr;
    wl_seat *seat = nullptr;
    zwlr_virtual_pointer_manager_v1 *manager = nullptr;
    zwlr_virtual_pointer_v1 *pointer = nullptr;
};
