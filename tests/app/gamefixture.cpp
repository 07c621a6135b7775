#include "gamefixture.h"

#include "fenster.h"
#include "random.h"
#include "scenestate.h"

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

// The window needs the application object before the first test runs.
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

void runWindow(const std::function<void(Fenster &)> &body,
               const std::function<void(Fenster &)> &afterLoop, const ScenarioFile &scenario)
{
    static char programName[] = "curavant";
    static char *arguments[] = {programName, nullptr};
    cameraPosition[0] = -80;
    cameraPosition[1] = 160;
    cameraPosition[2] = 0;
    yaw = pitch = 0;
    lastCursorX = lastCursorY = -1;
    restartRandomSequence();
    bool ran = false;
    QTimer::singleShot(0, [&] {
        body(*mainWindow);
        ran = true;
        mainWindow->close();
    });
    Fenster window(1, arguments, scenario);
    EXPECT_TRUE(ran);
    if (afterLoop)
        afterLoop(window);
}

void useRoom(const char *text)
{
    static QTemporaryDir root;
    static const bool made =
        QDir(root.path()).mkpath("build") && QDir(root.path()).mkpath("data") &&
        QFile::link(CURAVANT_SOURCE_DIR "/data/Icons", root.filePath("data/Icons"));
    ASSERT_TRUE(made);
    QDir::setCurrent(root.filePath("build"));
    QFile file(root.filePath("data/scene002.iv"));
    if (!text)
        file.remove();
    else if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text);
}

void lookAlongMinusZ(float x, float y, float z)
{
    cameraPosition[0] = x;
    cameraPosition[1] = y;
    cameraPosition[2] = z;
    yaw = -1.5707964f;
    pitch = 0;
    camera->position.setValue(x, y, z);
    camera->orientation.setValue(SbRotation::identity());
}

// The view takes its input in its GL widget, or with Qt 6 in the GL window
// that widget holds.
void sendKey(QEvent::Type type, int key)
{
    QKeyEvent event(type, key, Qt::NoModifier);
    QObject *input = renderArea->getGLWidget();
    for (QWindow *window : QGuiApplication::allWindows())
        input = window->inherits("QOpenGLWindow") ? window : input;
    QApplication::sendEvent(input, &event);
}

QImage grabView()
{
    renderArea->render();
    const WId view = renderArea->getGLWidget()->winId();
    return QGuiApplication::primaryScreen()->grabWindow(view).toImage();
}
