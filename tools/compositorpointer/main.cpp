// curavant-pointer: moves and clicks the pointer of a Wayland session's
// compositor, one command a line from standard input, as a mouse would: for
// trying the game in a headless session (tools/wayland-session.sh), where no
// real mouse reaches the compositor. Positions are XWayland's (DISPLAY).

#include "compositorpointer.h"

#include <QGuiApplication>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: curavant-pointer mutter|wlroots\n"
                             "  then one command a line: by DX DY | to X Y | click\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    CompositorPointer pointer(argv[1]);
    if (!pointer.isOpen()) {
        std::fprintf(stderr, "curavant-pointer: no %s pointer in this session\n", argv[1]);
        return 1;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string command;
        int x = 0, y = 0;
        words >> command >> x >> y;
        const bool done = command == "by"      ? pointer.moveBy(x, y)
                          : command == "to"    ? pointer.moveTo(QPoint(x, y))
                          : command == "click" ? pointer.click()
                                               : false;
        std::printf("%s\n", done ? "ok" : "failed");
        std::fflush(stdout);
    }
    return 0;
}
