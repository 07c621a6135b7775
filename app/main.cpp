#include "fenster.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Fenster window(argc, argv);
    window.show();
    return app.exec();
}
