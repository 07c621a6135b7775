// curavant-icongen DIR SIZE...: writes the program's icon at each size as
// DIR/<size>x<size>/apps/curavant.png, the layout of an icon theme.

#include "appiconpainter.h"

#include <QDir>
#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: curavant-icongen DIR SIZE...\n");
        return 2;
    }
    const AppIconPainter painter;
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 16 || size > 1024) {
            std::fprintf(stderr, "curavant-icongen: bad size %s\n", argv[i]);
            return 2;
        }
        const QString folder =
            QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        const QString file = folder + QStringLiteral("/curavant.png");
        if (!QDir().mkpath(folder) || !painter.paint(size).save(file, "PNG")) {
            std::fprintf(stderr, "curavant-icongen: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
