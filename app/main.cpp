#include "displaycheck.h"
#include "fenster.h"
#include "scenariooption.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>

#include <clocale>
#include <cstdio>
#include <string>
#include <utility>

int main(int argc, char **argv)
{
    ScenarioFile scenario;
    std::string problem;
    if (!takeScenarioOption(argc, argv, scenario, problem)) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 2;
    }
    chooseX11Platform(argc, argv);
    const char *why = "";
    if (!graphicalDisplayAvailable(argc, argv, why)) {
        std::fprintf(stderr, "curavant: needs a graphical display: X11 or XWayland (%s)\n", why);
        return 1;
    }
    QApplication app(argc, argv);
    // Where the user's scenarios are looked for: ~/.local/share/curavant/.
    QApplication::setApplicationName(QStringLiteral("curavant"));
    // The application set the C library's locale from the environment: keep
    // numbers and system messages as they are in every locale.
    std::setlocale(LC_NUMERIC, "C");
    std::setlocale(LC_MESSAGES, "C");
    Fenster window(argc, argv, std::move(scenario));
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
