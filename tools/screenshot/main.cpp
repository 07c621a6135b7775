// Saves a picture of the whole X screen (or of one window, given its id) as
// PNG: the tests and the documentation take their screenshots with it.

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: curavant-screenshot FILE.png [WINDOW-ID]\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const WId window = argc == 3 ? static_cast<WId>(std::strtoul(argv[2], nullptr, 0)) : 0;
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(window);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "curavant-screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
