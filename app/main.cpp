#include "displaycheck.h"
#include "fenster.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    const char *why = "";
    if (!graphicalDisplayAvailable(argc, argv, why)) {
        std::fprintf(stderr, "curavant: needs a graphical display (%s)\n", why);
        return 1;
    }
    QApplication app(argc, argv);
    Fenster window(argc, argv);
    window.show();
    return app.exec();
}
