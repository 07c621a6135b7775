// The main window as a player meets it: built, idle, running a game and
// closed, driven from inside its own event loop.

#include "gamefixture.h"

#include "fenster.h"
#include "fraktur.h"
#include "gameclock.h"
#include "monitor.h"
#include "random.h"
#include "readings.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLCDNumber>
#include <QLabel>
#include <QTest>
#include <QTimer>

namespace
{
Fraktur &scenario(Fenster &w)
{
    return *static_cast<Fraktur *>(w.level);
}

// Sets the clock so that the next tick shows `timeLeft`.
void tickTo(Fenster &w, int timeLeft)
{
    w.timeLeft = timeLeft + 1;
    w.advanceClock();
}

// Makes the complication roll fail unless the generator yields 0.
void calmScenario(Fenster &w)
{
    scenario(w).complicationDivisor = 0.001f;
}
} // namespace

// The time label, and the scenario step with its labels on every 20th tick,
// at zero and below too.
TEST(Clock, CountdownScenarioStepsAndLabels)
{
    runWindow([](Fenster &w) {
        w.startAction->trigger();
        calmScenario(w);
        const struct {
            int timeLeft;
            const char *text;
            bool steps;
        } ticks[] = {{2399, "Time: 3:59", false}, {2380, "Time: 3:58", true},
                     {1850, "Time: 3:05", false}, {600, "Time: 1:00", true},
                     {599, "Time: 0:59", false},  {5, "Time: 0:00", false},
                     {0, "Time: 0:00", true},     {-1, "Time: 0:00", false},
                     {-20, "Time: 0:00", true},   {-40, "Time: 0:00", true}};
        for (const auto &tick : ticks) {
            w.pointsLabel->setText("unchanged");
            tickTo(w, tick.timeLeft);
            EXPECT_EQ(w.timeLeft, tick.timeLeft);
            EXPECT_EQ(w.timeLabel->text(), tick.text) << "timeLeft " << tick.timeLeft;
            EXPECT_EQ(w.pointsLabel->text() != "unchanged", tick.steps)
                << "timeLeft " << tick.timeLeft;
        }
        scenario(w).score = -5;
        scenario(w).circulation = scenario(w).respiration = 99.99f;
        tickTo(w, 2380);
        EXPECT_EQ(w.pointsLabel->text(), "Punkte: -5");
        EXPECT_EQ(w.healthLabel->text(), "Health: 99");
    });
}

// The monitor gets the readings a copy of the scenario yields from the same
// point of the random sequence; a dead patient's are 0 with no ECG mode.
TEST(Clock, ReadingsReachTheMonitor)
{
    runWindow([](Fenster &w) {
        w.startAction->trigger();
        for (int step = 0; step < 3; ++step) {
            Fraktur expected = scenario(w);
            std::ostringstream sink;
            expected.setEcho(sink);
            restartRandomSequence();
            expected.tick();
            const Readings r = takeReadings(expected);
            restartRandomSequence();
            tickTo(w, 2380);
            EXPECT_EQ(w.monitor->heartRateDisplay()->intValue(), r.heartRate);
            EXPECT_EQ(w.monitor->systolicDisplay()->intValue(), r.systolic);
            EXPECT_EQ(w.monitor->diastolicDisplay()->intValue(), diastolicFor(r.systolic));
            EXPECT_DOUBLE_EQ(w.monitor->temperatureDisplay()->value(), r.temperature);
            EXPECT_EQ(w.monitor->respiratoryDisplay()->intValue(), r.respiratoryRate);
            EXPECT_EQ(w.monitor->pendingStripMode(), r.ekgMode);
        }
        scenario(w).circulation = 0;
        tickTo(w, 2380);
        EXPECT_EQ(w.monitor->heartRateDisplay()->intValue(), 0);
        EXPECT_EQ(w.monitor->pendingStripMode(), -1);
    });
}

// Idle, a key press, "Info" and clock ticks change nothing. "Start!" resets
// the scenario and the time but leaves the labels, the tool and
// simulationTime; "Ende" only stops the game.
TEST(GameControl, StartAndEnde)
{
    runWindow([](Fenster &w) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
        QApplication::sendEvent(&w, &press);
        w.infoAction->trigger();
        const int stripPosition = w.monitor->currentStripPosition();
        const double time = simulationTime;
        for (int i = 0; i < 40; ++i)
            w.advanceClock();
        EXPECT_EQ(w.monitor->currentStripPosition(), stripPosition);
        EXPECT_EQ(simulationTime, time);
        EXPECT_EQ(w.timeLeft, 2400);

        scenario(w).score = 500;
        w.currentTool = 7;
        w.startAction->trigger();
        EXPECT_TRUE(w.running && w.viewWidget->isVisible() && !w.logoLabel->isVisible());
        EXPECT_EQ(scenario(w).score, 0);
        EXPECT_EQ(w.currentTool, 7);
        EXPECT_EQ(w.timeLabel->text(), "TIME: 4:00");

        const double before = simulationTime;
        for (int i = 0; i < 25; ++i)
            w.advanceClock();
        EXPECT_EQ(w.timeLeft, 2375);
        EXPECT_NEAR(simulationTime - before, 2.5, 1e-9);
        const QString points = w.pointsLabel->text();

        w.endAction->trigger();
        EXPECT_TRUE(!w.running && !w.viewWidget->isVisible() && w.logoLabel->isVisible());
        EXPECT_EQ(w.timeLeft, 2375);
        EXPECT_EQ(w.pointsLabel->text(), points);
        EXPECT_EQ(w.timeLabel->text(), "Time: 3:57");

        const double afterGame = simulationTime;
        w.startAction->trigger();
        w.startAction->trigger(); // restarting a running game
        EXPECT_EQ(w.timeLeft, 2400);
        EXPECT_EQ(simulationTime, afterGame);
        EXPECT_EQ(w.timeLabel->text(), "Time: 3:57");
        w.endAction->trigger();
        w.endAction->trigger(); // "Ende" while idle
        EXPECT_TRUE(!w.viewWidget->isVisible() && w.logoLabel->isVisible());
    });
}

// The timer chain's first tick comes 3 s after construction, then every 50 ms.
TEST(GameControl, RealClockCountsDown)
{
    runWindow([](Fenster &w) {
        w.startAction->trigger();
        for (int i = 0; i < 100 && w.timeLeft > 2390; ++i)
            QTest::qWait(100);
        EXPECT_LE(w.timeLeft, 2390);
        EXPECT_TRUE(w.timeLabel->text().startsWith("Time: 3:5"));
    });
}

// The first close leaves the window idle, without its room: "Start!" then
// runs a game on the side column alone, and the second close ends the
// program's loop with its status.
TEST(Lifecycle, FirstCloseLeavesTheWindowIdleAndTheSecondEndsTheLoop)
{
    runWindow([](Fenster &w) { w.startAction->trigger(); },
              [](Fenster &w) {
                  w.show();
                  EXPECT_TRUE(w.logoLabel->isVisible());
                  QTimer::singleShot(0, [&] {
                      w.startAction->trigger();
                      EXPECT_TRUE(w.running && w.logoLabel->isVisible());
                      EXPECT_FALSE(w.viewWidget->isVisible());
                      scenario(w).complicationDivisor = 1e9f; // shock at once
                      for (int i = 0; i < 200; ++i)
                          w.advanceClock();
                      EXPECT_TRUE(scenario(w).shock);
                      EXPECT_EQ(w.timeLeft, 2200);
                      w.endAction->trigger();
                      w.close();
                  });
                  EXPECT_EQ(QApplication::exec(), 0);
              });
}
