// Starting and ending a game, and the game clock that drives a running game.

#include "fenster.h"
#include "gameclock.h"
#include "gamecourse.h"
#include "gamerecorder.h"
#include "gameview.h"
#include "learningrecords.h"

#include "fraktur.h"
#include "level.h"
#include "monitor.h"
#include "readings.h"
#include "scenariomenu.h"
#include "scenestate.h"
#include "soundbank.h"
#include "verdictpanel.h"

#include <Inventor/nodes/SoPendulum.h>

#include <QLabel>
#include <QTimer>

#include <algorithm>

const double timeStep = 0.1;
double simulationTime = 0;

void Fenster::start()
{
    stopGame(); // a restart ends the game running
    // Once the viewer has been torn down (after the first close) there is no
    // room to show: the game then runs on the side column alone.
    if (renderArea) {
        viewWidget->show();
        logoLabel->hide();
    }
    verdictPanel->hide();
    playScenario();
    level->reset();
    if (renderArea)
        renderArea->setTitle(level->title);
    recorder->gameStarted(scenarioInUse);
    course->gameStarted();
    timeLeft = scenarioInUse.scenario.tenths;
    running = true;
    soundBank->play(SoundBank::Ambience);
}

// Called by start() before the reset: the scenario in use, its random start
// and the spray's sequence take effect.
void Fenster::playScenario()
{
    const Scenario &scenario = scenarioInUse.scenario;
    patient->useScenario(scenario);
    if (scenario.randomStart)
        restartRandomSequence(*scenario.randomStart);
    if (scenario.spray == SprayRandom::Own) {
        ownSprayRandom.restart(scenario.randomStart.value_or(RandomSequence::programStart));
        sprayRandom = &ownSprayRandom;
    } else {
        sprayRandom = &sharedRandom();
    }
}

void Fenster::ende()
{
    const std::optional<Verdict> verdict = stopGame();
    viewWidget->hide();
    logoLabel->show();
    if (verdict)
        verdictPanel->showVerdict(*verdict, ScenarioMenu::shownTitle(patient->scenario().title));
    soundBank->stop(SoundBank::Ambience);
}

// Called by ende(), start(), the viewer's teardown and the destructor: the
// game stops, and its record, judged as the verdict panel shows it, goes to
// the learning records. Returns the verdict when a game with a rubric ran.
std::optional<Verdict> Fenster::stopGame()
{
    const std::optional<Verdict> verdict = running ? course->judged() : std::nullopt;
    running = false;
    recorder->gameEnded();
    if (learningRecords && !recorder->endedTable().isEmpty())
        learningRecords->gameEnded(recorder->endedTable(), verdict ? &*verdict : nullptr);
    return verdict;
}

void Fenster::timerProc()
{
    advanceClock();
    QTimer::singleShot(static_cast<int>(clockTimeline.untilNext().count()), Qt::PreciseTimer, this,
                       SLOT(timerProc()));
}

void Fenster::advanceClock()
{
    if (!running)
        return;
    monitor->stepEcg();
    countDown();
    simulationTime += timeStep;
    if (timeLeft % tenthsPerStep == 0)
        scenarioStep();
    // The spray moves with simulationTime and the pendulums with Coin's
    // real-time clock: while either moves, each tick draws a frame.
    if (gameView)
        gameView->clockTicked(level->bleedingStage > 0 || pendulumsSwinging());
}

void Fenster::scenarioStep()
{
    level->tick();
    pointsLabel->setText(QStringLiteral("Punkte: ") + QString::number(level->score));
    healthLabel->setText(QStringLiteral("Health: ") +
                         QString::number(static_cast<int>(level->health)));
    const Readings r = takeReadings(*level);
    monitor->showReadings(r.heartRate, r.systolic, r.temperature, r.respiratoryRate, r.ekgMode);
    recorder->stepped(r);
    course->stepped(r);
    if (level->alive && level->shock)
        startPendulums();
    else
        stopPendulums();
    if (level->alive)
        soundBank->play(SoundBank::Beep);
}

void Fenster::countDown()
{
    --timeLeft;
    timeLabel->setText(clockText(QStringLiteral("Time: "), std::max(timeLeft, 0)));
}

QString Fenster::clockText(const QString &prefix, int tenths)
{
    const int seconds = tenths % 600 / 10;
    return prefix + QStringLiteral("%1:%2").arg(tenths / 600).arg(seconds, 2, 10, QLatin1Char('0'));
}

// A pendulum missing from the scene, or gone with it, is skipped.
void Fenster::startPendulums()
{
    for (SoPendulum *pendulum : pendulums)
        if (pendulum)
            pendulum->on = TRUE;
}

void Fenster::stopPendulums()
{
    for (SoPendulum *pendulum : pendulums)
        if (pendulum)
            pendulum->on = FALSE;
}

bool Fenster::pendulumsSwinging() const
{
    for (const SoPendulum *pendulum : pendulums)
        if (pendulum && pendulum->on.getValue())
            return true;
    return false;
}
