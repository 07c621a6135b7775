#include "displaycheck.h"

#include <QtGlobal>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{
// Qt reads "--name" as "-name".
bool isOption(const char *arg, const char *name)
{
    if (arg[0] == '-' && arg[1] == '-')
        ++arg;
    return std::strcmp(arg, name) == 0;
}

// Whether the platform Qt tries first is NAME or one of its kind
// ("wayland-egl"). Qt takes a platform's name in any capitals and passes over
// the empty entries of a list of platforms to try ("Wayland;xcb").
bool prefers(const std::string &platforms, const char *name)
{
    const std::size_t first = platforms.find_first_not_of(';');
    if (first == std::string::npos)
        return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; name[i]; ++i)
        if (first + i >= platforms.size() || lower(platforms[first + i]) != name[i])
            return false;
    return true;
}

const char *environment(const char *name)
{
    const char *value = std::getenv(name);
    return value && *value ? value : nullptr;
}

// The index of the value of the last "-platform NAME", or 0 for none.
int platformOption(int argc, char **argv)
{
    int found = 0;
    for (int i = 1; i + 1 < argc; ++i)
        if (isOption(argv[i], "-platform"))
            found = ++i;
    return found;
}

// QGuiApplication takes its own options, each with the argument after it,
// out of the command line (learning the platform from them) and hands the
// rest to the platform plugin.
std::vector<const char *> pluginArguments(int argc, char **argv, std::string &platform)
{
    std::vector<const char *> rest;
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        const bool xcb = prefers(platform, "xcb");
        if (arg[0] != '-') {
            rest.push_back(arg);
        } else if (isOption(arg, "-platform")) {
            if (++i < argc)
                platform = argv[i];
        } else if (isOption(arg, "-platformpluginpath") || isOption(arg, "-platformtheme") ||
                   isOption(arg, "-qwindowgeometry") || isOption(arg, "-qwindowtitle") ||
                   isOption(arg, "-qwindowicon") ||
                   (xcb && (isOption(arg, "-geometry") || isOption(arg, "-title") ||
                            isOption(arg, "-icon")))) {
            ++i;
        } else {
            rest.push_back(arg);
        }
    }
    return rest;
}

// The display named to the xcb plugin by its last "-display NAME", or null
// for the one in DISPLAY.
const char *displayOption(const std::vector<const char *> &args)
{
    const char *name = nullptr;
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (isOption(args[i], "-display"))
            name = args[++i];
        else if (isOption(args[i], "-name") || isOption(args[i], "-visual"))
            ++i;
    }
    return name;
}
} // namespace

bool waylandSession()
{
    const char *session = environment("XDG_SESSION_TYPE");
    return (session && std::strcmp(session, "wayland") == 0) || environment("WAYLAND_DISPLAY");
}

void chooseX11Platform(int argc, char **argv)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    // Through XWayland, Qt 6's X11 platform ignores the clicks of a pointer
    // device that the compositor adds while the game runs (a remote desktop's,
    // a mouse plugged in): the menus stayed shut. X11's core input serves the
    // game as well.
    if (waylandSession())
        setenv("QT_XCB_NO_XI2", "1", 0);
#endif
    static char xcb[] = "xcb";
    const int option = platformOption(argc, argv);
    const char *named = option ? argv[option] : environment("QT_QPA_PLATFORM");
    if (named && !prefers(named, "wayland"))
        return;
    if (named)
        std::fprintf(stderr,
                     "curavant: running through XWayland, not on the Wayland platform named by "
                     "%s: the 3D view draws through X11 only\n",
                     option ? "-platform" : "QT_QPA_PLATFORM");
    if (option)
        argv[option] = xcb;
    else
        setenv("QT_QPA_PLATFORM", xcb, 1);
}

bool graphicalDisplayAvailable(int argc, char **argv, const char *&why)
{
    const char *chosen = environment("QT_QPA_PLATFORM");
    std::string platform = chosen ? chosen : "xcb";
    const std::vector<const char *> rest = pluginArguments(argc, argv, platform);
    if (!prefers(platform, "xcb"))
        return true;
    const char *name = displayOption(rest);
    const char *display = std::getenv("DISPLAY");
    if (!name && (!display || !*display)) {
        why = "DISPLAY is not set";
        return false;
    }
    Display *connection = XOpenDisplay(name);
    if (!connection) {
        why = "the X display cannot be opened";
        return false;
    }
    XCloseDisplay(connection);
    return true;
}
