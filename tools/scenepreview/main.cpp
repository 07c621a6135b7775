// curavant-scenepreview: renders the room from a given eye and aim point.
//
//   curavant-scenepreview SCENE.iv OUT.png EYE_X EYE_Y EYE_Z AIM_X AIM_Y AIM_Z
//
// Needs an X display for its GL context; tests/xvfb-run.sh provides one.

#include "scenepreview.h"

#include <QGuiApplication>

#include <cstdlib>
#include <iostream>
#include <string>

namespace
{

bool parseNumber(const char *text, float &value)
{
    char *end = nullptr;
    value = std::strtof(text, &end);
    return end != text && *end == '\0';
}

} // namespace

int main(int argc, char **argv)
{
    float v[6];
    bool ok = argc == 9;
    for (int i = 0; ok && i < 6; ++i)
        ok = parseNumber(argv[3 + i], v[i]);
    if (!ok) {
        std::cerr << "usage: " << argv[0]
                  << " SCENE.iv OUT.png EYE_X EYE_Y EYE_Z AIM_X AIM_Y AIM_Z\n";
        return 2;
    }

    QGuiApplication application(argc, argv);
    ScenePreview preview(argv[1]);
    if (!preview.loaded()) {
        std::cerr << "cannot read the scene " << argv[1] << "\n";
        return 1;
    }
    preview.aim(SbVec3f(v[0], v[1], v[2]), SbVec3f(v[3], v[4], v[5]));
    const QImage image = preview.render();
    if (image.isNull()) {
        std::cerr << "rendering failed (is there an X display?)\n";
        return 1;
    }
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::cerr << "cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
