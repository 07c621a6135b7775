#include "fenster.h"

#include "displaycheck.h"
#include "fraktur.h"
#include "gamecourse.h"
#include "gamerecorder.h"
#include "learningrecords.h"
#include "monitor.h"
#include "scenariomenu.h"
#include "soundbank.h"
#include "verdictpanel.h"

#include <Inventor/Qt/SoQt.h>

#include <QAction>
#include <QCursor>
#include <QFile>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

Fenster *mainWindow = nullptr;
QCursor *viewCursor = nullptr;

namespace
{
// SoQt sets its classes up once per process and aborts when asked a second
// time (1.6.3), so only the first window initialises it; a window built after
// that one (tests build many) gets a plain widget of its own for the 3D view.
QWidget *initViewer(int argc, char **argv)
{
    static bool initialised = false;
    if (initialised)
        return new QWidget;
    initialised = true;
    return SoQt::init(argc, argv, argv[0], "SoQt");
}
} // namespace

Fenster::Fenster(int argc, char **argv, ScenarioFile scenario)
    : QMainWindow(nullptr), scenarioInUse(std::move(scenario))
{
    createWidgets();
    createMenus();
    patient = new Fraktur(scenarioInUse.scenario);
    level = patient;
    const QString recordFolder = QFile::decodeName(qgetenv("CURAVANT_RECORD_DIR"));
    recorder = new GameRecorder(recordFolder, *patient);
    if (!recordFolder.isEmpty()) {
        learningRecords = new LearningRecords(LrsSettings::load(), this);
        connect(learningRecords, &LearningRecords::problem, this, [](const QString &line) {
            std::fprintf(stderr, "curavant: %s\n", line.toLocal8Bit().constData());
        });
    }
    course = new GameCourse(*patient);
    soundBank = new SoundBank;
    viewWidget = initViewer(argc, argv);
    loadIcons();
    verdictPanel = new VerdictPanel(*logoPixmap, logoLabel);
    mainWindow = this;
    timeLeft = gameLength;
    running = false;
    currentTool = 0;
    arrangeWidgets();
    loadScene();
    // Qt gives long intervals a coarse timer that may fire 5 % off.
    QTimer::singleShot(
        static_cast<int>(clockTimeline.start(std::chrono::milliseconds(3000)).count()),
        Qt::PreciseTimer, this, SLOT(timerProc()));
    runViewer();
}

// A send still under way is dropped with the learning records, which the
// window deletes as their parent; its record stays unsent.
Fenster::~Fenster()
{
    stopGame();
    delete recorder;
    delete course;
    delete[] toolIcons;
    delete level;
    delete soundBank;
    delete logoPixmap;
    if (mainWindow == this)
        mainWindow = nullptr;
}

void Fenster::createWidgets()
{
    mainLayout = new QHBoxLayout;
    sideLayout = new QVBoxLayout;
    monitor = new Monitor;
    toolLabel = new QLabel;
    timeLabel = new QLabel(clockText(QStringLiteral("TIME: "), scenarioInUse.scenario.tenths));
    pointsLabel = new QLabel(QStringLiteral("PUNKTE: 0"));
    healthLabel = new QLabel(QStringLiteral("Health: 100"));
    logoLabel = new QLabel;
    // On Wayland the compositor lets the game hold a cursor that does not
    // show; the view draws the pointer itself there.
    pointerDrawn = waylandSession();
    if (!viewCursor)
        viewCursor = new QCursor(pointerDrawn ? Qt::BlankCursor : Qt::ArrowCursor);
    central = new QWidget;
}

void Fenster::createMenus()
{
    gameMenu = menuBar()->addMenu(tr("Spiel"));
    helpMenu = menuBar()->addMenu(tr("Help"));
    startAction = new QAction(tr("Start!"), this);
    infoAction = new QAction(tr("Info"), this);
    endAction = new QAction(tr("Ende"), this);
    gameMenu->addAction(startAction);
    gameMenu->addAction(endAction);
    gameMenu->addSeparator();
    scenarioMenu = new ScenarioMenu(scenarioInUse, this);
    gameMenu->addMenu(scenarioMenu);
    connect(scenarioMenu, &ScenarioMenu::chosen, this,
            [this](const ScenarioFile &file) { scenarioInUse = file; });
    helpMenu->addAction(infoAction);
    connect(startAction, SIGNAL(triggered()), this, SLOT(start()));
    connect(endAction, SIGNAL(triggered()), this, SLOT(ende()));
    connect(infoAction, SIGNAL(triggered()), this, SLOT(info()));
}

void Fenster::arrangeWidgets()
{
    for (QLabel *label : {timeLabel, pointsLabel, healthLabel})
        label->setFont(QFont(QStringLiteral("Times"), 16));
    logoLabel->setPixmap(*logoPixmap);
    logoLabel->setFixedSize(800, 600);
    viewWidget->setFixedSize(800, 600);
    timeLabel->setFixedSize(150, 30);
    pointsLabel->setFixedSize(150, 30);
    toolLabel->setFixedSize(150, 100);
    setFixedSize(1000, 600);
    mainLayout->setSpacing(0);
    sideLayout->setSpacing(0);
    for (QWidget *widget : {static_cast<QWidget *>(timeLabel), static_cast<QWidget *>(pointsLabel),
                            static_cast<QWidget *>(healthLabel), static_cast<QWidget *>(monitor),
                            static_cast<QWidget *>(toolLabel)})
        sideLayout->addWidget(widget, 0);
    sideLayout->addStretch(0);
    mainLayout->addLayout(sideLayout, 0);
    mainLayout->addWidget(viewWidget, 0);
    mainLayout->addWidget(logoLabel, 0);
    mainLayout->addStretch(0);
    central->setLayout(mainLayout);
    setCentralWidget(central);
    setAttribute(Qt::WA_MouseTracking, true);
    viewWidget->setCursor(*viewCursor);
}

void Fenster::keyPressEvent(QKeyEvent *) {}

void Fenster::info() {}
