// curavant-readmeshots DIR: builds the real game window and photographs it
// for the README: idle, a game in progress, the spray at the wound and the
// patient trembling in a shock. Run it from a folder whose ../data holds the
// game's files, on a display of its own (tools/make-screenshots.sh does both).

#include "fenster.h"
#include "level.h"
#include "scenestate.h"

#include <Inventor/Qt/SoQtRenderArea.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace
{
QString folder;
bool failed = false;

void place(const SbVec3f &eye, const SbVec3f &target)
{
    for (int i = 0; i < 3; ++i)
        cameraPosition[i] = eye[i];
    camera->position.setValue(eye);
    camera->pointAt(target);
}

// Lets the event loop run for a while, as the player would wait.
void idleFor(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

QImage grabWindow()
{
    if (renderArea && mainWindow->viewWidget->isVisible())
        renderArea->render();
    QApplication::processEvents();
    return QGuiApplication::primaryScreen()->grabWindow(mainWindow->winId()).toImage();
}

void save(const QImage &picture, const char *name)
{
    const QString file = folder + QLatin1Char('/') + QLatin1String(name);
    if (picture.size() != QSize(1000, 600) || !picture.save(file, "PNG")) {
        std::fprintf(stderr, "curavant-readmeshots: cannot write %s\n", qPrintable(file));
        failed = true;
    } else {
        std::printf("%s\n", qPrintable(file));
    }
}

// Ticks the clock as the timer chain would, drawing a frame after each tick.
// A bleeding stage of 0 or more is held for the whole run.
void play(int ticks, int bleedingStage = -1)
{
    Fenster &w = *mainWindow;
    for (int i = 0; i < ticks; ++i) {
        if (bleedingStage >= 0)
            w.level->bleedingStage = bleedingStage;
        w.advanceClock();
        renderArea->render();
        QApplication::processEvents();
    }
}

// A still cannot show trembling, so the 3D view is the average of frames
// taken over about a second while the pendulums swing; the rest of the window
// is the last frame.
QImage trembling(const QRect &view)
{
    const int count = 12;
    std::vector<int> sum(static_cast<size_t>(view.width() * view.height() * 3), 0);
    QImage last;
    for (int n = 0; n < count; ++n) {
        idleFor(80);
        last = grabWindow().convertToFormat(QImage::Format_RGB32);
        size_t k = 0;
        for (int y = view.top(); y <= view.bottom(); ++y)
            for (int x = view.left(); x <= view.right(); ++x) {
                const QRgb p = last.pixel(x, y);
                sum[k++] += qRed(p);
                sum[k++] += qGreen(p);
                sum[k++] += qBlue(p);
            }
    }
    size_t k = 0;
    for (int y = view.top(); y <= view.bottom(); ++y)
        for (int x = view.left(); x <= view.right(); ++x, k += 3)
            last.setPixel(x, y, qRgb(sum[k] / count, sum[k + 1] / count, sum[k + 2] / count));
    return last;
}

bool exposed(QWidget *window)
{
    if (QTest::qWaitForWindowExposed(window))
        return true;
    std::fprintf(stderr, "curavant-readmeshots: the window did not come up\n");
    failed = true;
    return false;
}

void photograph()
{
    Fenster &w = *mainWindow;
    if (!exposed(&w))
        return;
    idleFor(300);
    save(grabWindow(), "screenshot-idle.png");

    w.startAction->trigger();
    if (!exposed(w.viewWidget))
        return;
    place(SbVec3f(-80, 160, 0), SbVec3f(0, 120, 0));
    play(100);
    w.applyTool(4); // an infusion, as a click on the stand gives it
    play(140);
    w.selectTool(6); // the plaster in hand, its icon in the side column
    save(grabWindow(), "screenshot-game.png");

    place(SbVec3f(50, 140, 80), SbVec3f(10, 92, 62));
    play(12, 3);
    save(grabWindow(), "screenshot-spray.png");

    // A new game, played until the shock strikes: the scenario step that
    // finds it switches the pendulums on.
    w.startAction->trigger();
    place(SbVec3f(-150, 190, 0), SbVec3f(0, 90, 0));
    for (int step = 0; step < 200 && !(w.level->alive && w.level->shock); ++step)
        play(20);
    play(60);
    if (!(w.level->alive && w.level->shock)) {
        std::fprintf(stderr, "curavant-readmeshots: no shock with the patient alive\n");
        failed = true;
    }
    const QRect view =
        QRect(w.viewWidget->mapTo(&w, QPoint(0, 0)), w.viewWidget->size()).intersected(w.rect());
    save(trembling(view), "screenshot-shock.png");
}
} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: curavant-readmeshots DIR\n");
        return 2;
    }
    QApplication app(argc, argv);
    folder = QString::fromLocal8Bit(argv[1]);
    QTimer::singleShot(0, [] {
        photograph();
        mainWindow->close();
    });
    Fenster window(argc, argv);
    return failed ? 1 : 0;
}
