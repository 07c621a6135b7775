#include "displaycheck.h"
#include "fenster.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>

#include <clocale>
#include <cstdio>

int main(int argc, char **argv)
{
    chooseX11Platform(argc, argv);
    const char *why = "";
    if (!graphicalDisplayAvailable(argc, argv, why)) {
        std::fprintf(stderr, "curavant: needs a graphical display: X11 or XWayland (%s)\n", why);
        return 1;
    }
    QApplication app(argc, argv);
    // The application set the C library's locale from the environment: keep
    // numbers and system messages as they are in every locale.
    std::setlocale(LC_NUMERIC, "C");
    std::setlocale(LC_MESSAGES, "C");
    Fenster window(argc, argv);
    // Closing the window destroyed its native windows, and with them Qt hid
    // the side column's widgets; show() lays the window out before it shows
    // them again, which would put the logo over the side column and then
    // move it. A moved logo at times kept a picture drawn for its old place,
    // so the logo stays out until the side column is laid out once more.
    window.logoLabel->hide();
    window.show();
    window.centralWidget()->layout()->invalidate();
    window.centralWidget()->layout()->activate();
    window.logoLabel->show();
    // The moved widgets must not keep what the old layout drew there.
    window.update();
    return app.exec();
}
