// curavant-probe: waits until the game's window shows the logo, or asks it to
// close, on the display of $DISPLAY. The package check uses it to see the
// installed game come up.

#include "logomatcher.h"
#include "windowprobe.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace
{
const char *const windowClass = "curavant";

int usage()
{
    std::fprintf(stderr,
                 "usage: curavant-probe wait LOGO.png [--timeout SECONDS] [--shot FILE.png]\n"
                 "       curavant-probe close\n");
    return 2;
}

int waitForLogo(int argc, char **argv)
{
    if (argc < 3)
        return usage();
    const LogoMatcher matcher(QImage(QString::fromLocal8Bit(argv[2])));
    double timeout = 30;
    const char *shot = nullptr;
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "--timeout") == 0 && i + 1 < argc)
            timeout = std::atof(argv[++i]);
        else if (std::strcmp(argv[i], "--shot") == 0 && i + 1 < argc)
            shot = argv[++i];
        else
            return usage();
    }
    if (!matcher.valid()) {
        std::fprintf(stderr, "curavant-probe: cannot read the logo %s\n", argv[2]);
        return 2;
    }
    WindowProbe probe(windowClass);
    if (!probe.connected()) {
        std::fprintf(stderr, "curavant-probe: cannot open the display\n");
        return 2;
    }
    using Clock = std::chrono::steady_clock;
    const Clock::time_point begin = Clock::now();
    while (std::chrono::duration<double>(Clock::now() - begin).count() < timeout) {
        const QImage picture = probe.grab(probe.findWindow());
        const QPoint at = matcher.find(picture);
        if (at.x() >= 0) {
            std::printf("logo shown at %d,%d of the %dx%d window after %.2f s\n", at.x(), at.y(),
                        picture.width(), picture.height(),
                        std::chrono::duration<double>(Clock::now() - begin).count());
            if (shot && !picture.save(QString::fromLocal8Bit(shot), "PNG")) {
                std::fprintf(stderr, "curavant-probe: cannot write %s\n", shot);
                return 1;
            }
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::fprintf(stderr, "curavant-probe: no window of class %s showed the logo within %g s\n",
                 windowClass, timeout);
    return 1;
}

int closeWindow()
{
    WindowProbe probe(windowClass);
    const unsigned long window = probe.findWindow();
    if (!window)
        return 1;
    probe.requestClose(window);
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "wait") == 0)
        return waitForLogo(argc, argv);
    if (argc == 2 && std::strcmp(argv[1], "close") == 0)
        return closeWindow();
    return usage();
}
