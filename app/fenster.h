#pragma once

#include "random.h"
#include "scenariofile.h"
#include "ticktimeline.h"
#include "verdict.h"

#include <QMainWindow>
#include <optional>

class Fraktur;
class GameCourse;
class Level;
class Monitor;
class QAction;
class QCursor;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QMenu;
class QPixmap;
class QVBoxLayout;
class SoPendulum;
class ScenarioMenu;
class SoundBank;
class VerdictPanel;

// The one window of the game: the side column with time, points, health, the
// vital-signs monitor and the tool in hand, and beside it the 3D view while a
// game runs or the logo while none does. Its constructor builds everything
// and then runs the 3D viewer's event loop, so the whole interactive life of
// the program happens inside it; when that loop ends the window is left idle.
class GameRecorder;
class GameView;
class LearningRecords;

class Fenster : public QMainWindow
{
    Q_OBJECT

  public:
    // `scenario` is the one the first "Start!" plays (an empty path: the
    // built-in fracture).
    Fenster(int argc, char **argv, ScenarioFile scenario = {});
    ~Fenster() override;

    // One clock tick's work without arming the next tick (tests and
    // benchmarks drive the clock through this).
    void advanceClock();

    bool mouseLook = false;
    // On a Wayland desktop the 3D view hides the cursor and draws its own.
    bool pointerDrawn = false;
    QWidget *viewWidget = nullptr;
    SoundBank *soundBank = nullptr;
    int currentTool = 0;
    // A whole game in the time label's tenths: 4:00, unless a scenario sets it.
    static constexpr int gameLength = gameTenths;
    int timeLeft = gameLength;
    bool running = false;
    Level *level = nullptr;
    SoPendulum *pendulums[6] = {};
    QWidget *central = nullptr;
    Monitor *monitor = nullptr;
    QPixmap *toolIcons = nullptr;
    QPixmap *logoPixmap = nullptr;
    QHBoxLayout *mainLayout = nullptr;
    QVBoxLayout *sideLayout = nullptr;
    QLabel *toolLabel = nullptr;
    QLabel *timeLabel = nullptr;
    QLabel *pointsLabel = nullptr;
    QLabel *healthLabel = nullptr;
    QLabel *logoLabel = nullptr;
    QMenu *gameMenu = nullptr;
    QMenu *helpMenu = nullptr;
    QAction *startAction = nullptr;
    QAction *endAction = nullptr;
    QAction *infoAction = nullptr;
    // Keeps each game for a debrief when CURAVANT_RECORD_DIR asks for it.
    GameRecorder *recorder = nullptr;
    // The recorded games' statements, and their sending when an LRS is
    // configured; only while games are recorded.
    LearningRecords *learningRecords = nullptr;
    // The 3D view, the same object as the program-wide renderArea; exists
    // while the viewer runs.
    GameView *gameView = nullptr;
    // The scenario the next "Start!" plays: its file (none: an empty path)
    // and what was read from it.
    ScenarioFile scenarioInUse;
    // The menu "Spiel"'s list of installed scenarios.
    ScenarioMenu *scenarioMenu = nullptr;
    // The course of the game, for judging it at "Ende" by its rubric.
    GameCourse *course = nullptr;
    // The rubric's result, over the logo from "Ende" to the next "Start!".
    VerdictPanel *verdictPanel = nullptr;
    // What the blood spray draws from: the shared sequence, or with a
    // scenario's spray = "own" a sequence of its own, so that the frames
    // drawn do not change the complications.
    RandomSequence *sprayRandom = &sharedRandom();

    // Called by a click in the 3D view on a tool object, and on a target.
    void selectTool(int tool);
    void applyTool(int target);

  public slots:
    // The game clock: every 50 ms for the whole life of the program.
    void timerProc();

  private slots:
    void start();
    void ende();
    void info();

  protected:
    void keyPressEvent(QKeyEvent *event) override;

  private:
    void countDown();
    // "TIME: 4:00" for prefix "TIME: " and 2400 tenths.
    static QString clockText(const QString &prefix, int tenths);
    void scenarioStep();
    void startPendulums();
    void stopPendulums();
    bool pendulumsSwinging() const;
    void loadIcons();
    void loadScene();
    void runViewer();
    void createWidgets();
    void createMenus();
    void arrangeWidgets();
    void playScenario();
    std::optional<Verdict> stopGame();

    Fraktur *patient = nullptr; // the same as level
    RandomSequence ownSprayRandom;
    // The clock's ticks are due every 50 ms on a fixed timeline; more than a
    // second behind, it starts afresh.
    TickTimeline clockTimeline{std::chrono::milliseconds(50), std::chrono::milliseconds(1000)};

    Q_DISABLE_COPY(Fenster)
};

// The one window; the 3D event routines reach the game through it.
extern Fenster *mainWindow;
// The cursor shown over the 3D view; lives as long as the process.
extern QCursor *viewCursor;
