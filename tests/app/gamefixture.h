#pragma once

// A real game window for tests: built in a scratch folder whose data/ holds
// the files the test writes, and driven from inside the window's own event
// loop with the events a player would cause.

#include <Inventor/SbLinear.h>

#include <QImage>
#include <QPoint>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

class QWidget;

// Every test starts from the program's start-up state: camera at the start
// position, no cursor anchor, the random sequence from its beginning. The
// working directory is tmp/build, so the game reads tmp/data/ as ../data/.
// Standard output is captured for the whole test.
class GameTest : public ::testing::Test
{
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the room the next window reads: ../data/scene002.iv.
    void writeScene(const std::string &text);
    void removeScene();
    // Writes the eleven tool icons, each filled with iconColour(tool).
    void writeIcons();

    // Builds the window and runs `body` inside its event loop with no game
    // started; then closes the window, which ends the loop. `afterLoop` runs
    // once the constructor has returned, while the window still exists.
    void runWindow(const std::function<void()> &body,
                   const std::function<void()> &afterLoop = nullptr);

    // What the program has written to standard output since the last call.
    std::string takeOutput();

  private:
    QTemporaryDir root;
    QString previousDirectory;
    std::ostringstream output;
    std::streambuf *previousBuffer = nullptr;
};

// The colour of the test icon of tool 1..11.
QRgb iconColour(int tool);
// The colour at the centre of the tool label's picture, or noPicture.
QRgb toolLabelColour();
const QRgb noPicture = 0;

// The 3D view's OpenGL widget, which receives the player's input.
QWidget *glWidget();
// The centre of the view in the GL widget's coordinates.
QPoint viewCentre();

void startGame();
// Waits until the window is on screen, with the spray switched off meanwhile.
void showRunningGame();

// Puts the eye at (x, y, z) looking straight along -z (yaw -90 degrees), so
// that the ray through the view's centre stays on x and y.
void lookAlongMinusZ(float x, float y, float z);
// The world direction the camera looks in.
SbVec3f viewDirection();
// Where a world point appears in the view, in the GL widget's pixels.
QPoint projectToView(const SbVec3f &point);

void pressButton(QPoint at, Qt::MouseButton button = Qt::LeftButton);
void releaseButton(QPoint at, Qt::MouseButton button = Qt::LeftButton);
void click(QPoint at);
void pressKey(int key, const QString &text = QString());
void releaseKey(int key, const QString &text = QString());
// A mouse-motion event over the view; the cursor itself is not moved.
void moveMouse(QPoint at);

// Renders one frame of the 3D view now and returns it as the screen shows it.
QImage grabView();
bool isRed(QRgb pixel);
// The number of red pixels inside `box` of the image.
int redPixels(const QImage &image, const QRect &box);
