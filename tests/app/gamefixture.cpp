#include "gamefixture.h"

#include "fenster.h"
#include "level.h"
#include "random.h"
#include "scenestate.h"

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/SbViewVolume.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <iostream>

namespace
{
char programName[] = "curavant";
char *arguments[] = {programName, nullptr};

const char *const iconFiles[] = {"schmerzmittel.bmp",
                                 "antidurchfall.bmp",
                                 "antibrechmittel.bmp",
                                 "paracetamol.bmp",
                                 "blutdrucksenker.bmp",
                                 "pflaster.bmp",
                                 "druckverband.bmp",
                                 "naehen.bmp",
                                 "reinigen.bmp",
                                 "o2.bmp",
                                 "defi.bmp"};

void sendMouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, at, glWidget()->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(glWidget(), &event);
}

void sendKey(QEvent::Type type, int key, const QString &text)
{
    QKeyEvent event(type, key, Qt::NoModifier, text);
    QApplication::sendEvent(glWidget(), &event);
}
} // namespace

void GameTest::SetUp()
{
    ASSERT_TRUE(root.isValid());
    QDir(root.path()).mkpath(QStringLiteral("build"));
    QDir(root.path()).mkpath(QStringLiteral("data/Icons"));
    previousDirectory = QDir::currentPath();
    QDir::setCurrent(root.filePath(QStringLiteral("build")));
    previousBuffer = std::cout.rdbuf(output.rdbuf());

    cameraPosition[0] = -80;
    cameraPosition[1] = 160;
    cameraPosition[2] = 0;
    yaw = 0;
    pitch = 0;
    lastCursorX = -1;
    lastCursorY = -1;
    restartRandomSequence();
}

void GameTest::TearDown()
{
    if (previousBuffer)
        std::cout.rdbuf(previousBuffer);
    QDir::setCurrent(previousDirectory);
}

void GameTest::writeScene(const std::string &text)
{
    QFile file(root.filePath(QStringLiteral("data/scene002.iv")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.data(), static_cast<qint64>(text.size()));
}

void GameTest::removeScene()
{
    QFile::remove(root.filePath(QStringLiteral("data/scene002.iv")));
}

void GameTest::writeIcons()
{
    for (int tool = 1; tool <= 11; ++tool) {
        QImage icon(8, 8, QImage::Format_RGB32);
        icon.fill(iconColour(tool));
        const QString path =
            root.filePath(QStringLiteral("data/Icons/%1").arg(iconFiles[tool - 1]));
        ASSERT_TRUE(icon.save(path, "BMP"));
    }
}

void GameTest::runWindow(const std::function<void()> &body, const std::function<void()> &afterLoop)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        body();
        ran = true;
        mainWindow->close();
    });
    Fenster window(1, arguments);
    EXPECT_TRUE(ran);
    if (afterLoop)
        afterLoop();
}

std::string GameTest::takeOutput()
{
    std::string text = output.str();
    output.str(std::string());
    return text;
}

QRgb iconColour(int tool)
{
    return qRgb(20 * tool, 250 - 20 * tool, 100);
}

QRgb toolLabelColour()
{
    const QPixmap picture = mainWindow->toolLabel->pixmap(Qt::ReturnByValue);
    if (picture.isNull())
        return noPicture;
    const QImage image = picture.toImage();
    return image.pixel(image.width() / 2, image.height() / 2);
}

QWidget *glWidget()
{
    return renderArea->getGLWidget();
}

// Coin counts rows from the bottom, Qt from the top: the view's centre row
// 300 of 600 is Qt's row 299.
QPoint viewCentre()
{
    const QSize size = glWidget()->size();
    return QPoint(size.width() / 2, size.height() - 1 - size.height() / 2);
}

void startGame()
{
    mainWindow->startAction->trigger();
}

void showRunningGame()
{
    startGame();
    mainWindow->level->bleedingStage = 0;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mainWindow));
    QCoreApplication::processEvents();
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

SbVec3f viewDirection()
{
    SbVec3f direction;
    camera->orientation.getValue().multVec(SbVec3f(0, 0, -1), direction);
    return direction;
}

QPoint projectToView(const SbVec3f &point)
{
    const QSize size = glWidget()->size();
    const SbViewVolume volume =
        camera->getViewVolume(static_cast<float>(size.width()) / static_cast<float>(size.height()));
    SbVec3f screen;
    volume.projectToScreen(point, screen);
    return QPoint(static_cast<int>(screen[0] * static_cast<float>(size.width())),
                  static_cast<int>((1 - screen[1]) * static_cast<float>(size.height())));
}

void pressButton(QPoint at, Qt::MouseButton button)
{
    sendMouse(QEvent::MouseButtonPress, at, button, button);
}

void releaseButton(QPoint at, Qt::MouseButton button)
{
    sendMouse(QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

void click(QPoint at)
{
    pressButton(at);
    releaseButton(at);
}

void pressKey(int key, const QString &text)
{
    sendKey(QEvent::KeyPress, key, text);
}

void releaseKey(int key, const QString &text)
{
    sendKey(QEvent::KeyRelease, key, text);
}

void moveMouse(QPoint at)
{
    sendMouse(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
}

QImage grabView()
{
    renderArea->render();
    return QGuiApplication::primaryScreen()->grabWindow(glWidget()->winId()).toImage();
}

bool isRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
}

int redPixels(const QImage &image, const QRect &box)
{
    const QRect inside = box.intersected(image.rect());
    int count = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += isRed(image.pixel(x, y)) ? 1 : 0;
    return count;
}
