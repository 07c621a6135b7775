#include "pointerdevice.h"

#include "mutterpointer.h"
#include "wlrootspointer.h"

#include <cstring>

std::unique_ptr<PointerDevice> PointerDevice::open(const char *compositor)
{
    std::unique_ptr<PointerDevice> device;
    if (compositor && std::strcmp(compositor, "mutter") == 0)
        device = std::make_unique<MutterPointer>();
    else if (compositor && std::strcmp(compositor, "wlroots") == 0)
        device = std::make_unique<WlrootsPointer>();
    return device;
}
