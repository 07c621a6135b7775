#include "wlrootspointer.h"

#include "virtual-pointer-client.h"

#include <wayland-client.h>

#include <chrono>
#include <cstring>

namespace
{
unsigned now()
{
    using namespace std::chrono;
    return static_cast<unsigned>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void forgotten(void *, wl_registry *, unsigned) {}
} // namespace

WlrootsPointer::WlrootsPointer() : display(wl_display_connect(nullptr))
{
    if (!display)
        return;
    static const wl_registry_listener listener{announced, forgotten};
    registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, this);
    wl_display_roundtrip(display);
    if (manager)
        pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
    if (!sent())
        pointer = nullptr;
}

WlrootsPointer::~WlrootsPointer()
{
    if (pointer)
        zwlr_virtual_pointer_v1_destroy(pointer);
    if (manager)
        zwlr_virtual_pointer_manager_v1_destroy(manager);
    if (seat)
        wl_seat_destroy(seat);
    if (registry)
        wl_registry_destroy(registry);
    if (display)
        wl_display_disconnect(display);
}

void WlrootsPointer::announced(void *self, wl_registry *registry, unsigned name,
                               const char *interface, unsigned)
{
    auto *device = static_cast<WlrootsPointer *>(self);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && !device->seat)
        device->seat =
            static_cast<wl_seat *>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        device->manager = static_cast<zwlr_virtual_pointer_manager_v1 *>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
}

// A round trip: the compositor has taken every request sent so far.
bool WlrootsPointer::sent()
{
    return display && wl_display_roundtrip(display) >= 0;
}

bool WlrootsPointer::move(double dx, double dy)
{
    zwlr_virtual_pointer_v1_motion(pointer, now(), wl_fixed_from_double(dx),
                                   wl_fixed_from_double(dy));
    zwlr_virtual_pointer_v1_frame(pointer);
    return sent();
}

bool WlrootsPointer::button(bool pressed)
{
    zwlr_virtual_pointer_v1_button(pointer, now(), leftButton, pressed ? 1 : 0);
    zwlr_virtual_pointer_v1_frame(pointer);
    return sent();
}
