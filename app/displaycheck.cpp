#include "displaycheck.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <cstring>

bool graphicalDisplayAvailable(int argc, char **argv, const char *&why)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform && std::strncmp(platform, "xcb", 3) != 0)
        return true;
    const char *display = std::getenv("DISPLAY");
    if (!display || !*display) {
        why = "DISPLAY is not set";
        return false;
    }
    Display *connection = XOpenDisplay(nullptr);
    if (!connection) {
        why = "the X display cannot be opened";
        return false;
    }
    XCloseDisplay(connection);
    return true;
}
