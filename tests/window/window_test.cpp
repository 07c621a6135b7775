// The game clock of a running game, driven from inside the window's event
// loop. Starting, ending and closing are played by the end-to-end tests.

#include "gamefixture.h"

#include "fenster.h"
#include "fraktur.h"
#include "monitor.h"
#include "random.h"
#include "readings.h"
#include "ticktimeline.h"

#include <QAction>
#include <QLCDNumber>
#include <QLabel>

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
} // namespace

TEST(Clock, CountdownScenarioStepsAndLabels)
{
    runWindow([](Fenster &w) {
        w.startAction->trigger();
        scenario(w).complicationDivisor = 0.001f; // no strike unless the draw is 0
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

// Due every 50 ms: a late tick shortens the next wait; over a second late, afresh.
TEST(Clock, TicksKeepToTheirTimeline)
{
    using ms = std::chrono::milliseconds;
    TickTimeline timeline(ms(50), ms(1000));
    EXPECT_EQ(timeline.start(ms(3000)), ms(3000));
    const std::pair<int, int> ranAtAndWait[] = {{3000, 50}, {3070, 30}, {3260, 0}, {5000, 50}};
    for (const auto &[ranAt, wait] : ranAtAndWait)
        EXPECT_EQ(timeline.untilNext(ms(ranAt)), ms(wait)) << "tick at " << ranAt << " ms";
}

// The readings a copy of the scenario yields reach the monitor.
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
