// The main window as a player meets it: built, idle, running a game and
// closed, driven from inside its own event loop.

#include "fenster.h"
#include "fraktur.h"
#include "gameclock.h"
#include "monitor.h"
#include "random.h"
#include "readings.h"
#include "scenestate.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLCDNumber>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QTest>
#include <QTimer>

#include <functional>

namespace
{
int argCount = 1;
char programName[] = "curavant";
char *arguments[] = {programName, nullptr};

Fraktur &scenario(Fenster &w)
{
    return *static_cast<Fraktur *>(w.level);
}

// Builds a window and runs `script` inside its inner event loop; the window
// is closed when the script returns, which ends the loop.
void insideGame(const std::function<void(Fenster &)> &script)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        script(*mainWindow);
        ran = true;
        mainWindow->close();
    });
    Fenster window(argCount, arguments);
    EXPECT_TRUE(ran);
}

// Starts a game and sets the clock so that the next tick shows `timeLeft`.
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

TEST(WindowAsBuilt, MenusAndSlots)
{
    insideGame([](Fenster &w) {
        const QList<QAction *> menus = w.menuBar()->actions();
        ASSERT_EQ(menus.size(), 2);
        EXPECT_EQ(menus[0]->text(), "Spiel");
        EXPECT_EQ(menus[1]->text(), "Help");
        EXPECT_EQ(w.gameMenu->actions(), (QList<QAction *>{w.startAction, w.endAction}));
        EXPECT_EQ(w.helpMenu->actions(), QList<QAction *>{w.infoAction});
        EXPECT_EQ(w.startAction->text(), "Start!");
        EXPECT_EQ(w.endAction->text(), "Ende");
        EXPECT_EQ(w.infoAction->text(), "Info");

        const QMetaObject *meta = w.metaObject();
        EXPECT_STREQ(meta->className(), "Fenster");
        EXPECT_EQ(w.qt_metacast("Fenster"), static_cast<void *>(&w));
        const int offset = meta->methodOffset();
        ASSERT_EQ(meta->methodCount() - offset, 4);
        const struct {
            const char *signature;
            QMetaMethod::Access access;
        } expected[] = {{"timerProc()", QMetaMethod::Public},
                        {"start()", QMetaMethod::Private},
                        {"ende()", QMetaMethod::Private},
                        {"info()", QMetaMethod::Private}};
        for (int i = 0; i < 4; ++i) {
            const QMetaMethod method = meta->method(offset + i);
            EXPECT_EQ(method.methodSignature(), expected[i].signature);
            EXPECT_EQ(method.methodType(), QMetaMethod::Slot);
            EXPECT_EQ(method.access(), expected[i].access);
        }
    });
}

TEST(WindowAsBuilt, SideColumnLogoAndSizes)
{
    insideGame([](Fenster &w) {
        const struct {
            QLabel *label;
            const char *text;
        } labels[] = {{w.timeLabel, "TIME: 4:00"},
                      {w.pointsLabel, "PUNKTE: 0"},
                      {w.healthLabel, "Health: 100"}};
        for (const auto &l : labels) {
            EXPECT_EQ(l.label->text(), l.text);
            EXPECT_EQ(l.label->font().family(), "Times");
            EXPECT_EQ(l.label->font().pointSize(), 16);
            EXPECT_FALSE(l.label->font().italic());
        }
        EXPECT_EQ(w.size(), QSize(1000, 600));
        EXPECT_EQ(w.logoLabel->size(), QSize(800, 600));
        EXPECT_EQ(w.viewWidget->size(), QSize(800, 600));
        EXPECT_EQ(w.timeLabel->size(), QSize(150, 30));
        EXPECT_EQ(w.pointsLabel->size(), QSize(150, 30));
        EXPECT_EQ(w.toolLabel->size(), QSize(150, 100));
        EXPECT_EQ(w.minimumSize(), w.maximumSize());

        EXPECT_TRUE(w.isVisible());
        EXPECT_TRUE(w.logoLabel->isVisible());
        EXPECT_FALSE(w.viewWidget->isVisible());
        EXPECT_EQ(w.logoLabel->pixmap(Qt::ReturnByValue).size(), QSize(800, 600));
        EXPECT_TRUE(w.toolLabel->text().isEmpty());
        EXPECT_TRUE(w.toolLabel->pixmap(Qt::ReturnByValue).isNull());
        EXPECT_FALSE(w.running);
        EXPECT_EQ(w.timeLeft, 2400);
        EXPECT_EQ(w.currentTool, 0);
        EXPECT_TRUE(w.mouseLook);
        EXPECT_EQ(w.viewWidget->cursor().shape(), Qt::ArrowCursor);
        EXPECT_TRUE(w.testAttribute(Qt::WA_MouseTracking));
        for (int i = 0; i < 11; ++i)
            EXPECT_FALSE(w.toolIcons[i].isNull()) << "icon " << i + 1;
    });
}

TEST(WindowAsBuilt, KeyPressAndInfoDoNothing)
{
    insideGame([](Fenster &w) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
        QApplication::sendEvent(&w, &press);
        w.infoAction->trigger();
        EXPECT_FALSE(w.running);
        EXPECT_EQ(w.timeLeft, 2400);
        EXPECT_EQ(w.timeLabel->text(), "TIME: 4:00");
        EXPECT_TRUE(w.logoLabel->isVisible());
        EXPECT_FALSE(w.viewWidget->isVisible());
    });
}

TEST(Clock, CountdownTexts)
{
    insideGame([](Fenster &w) {
        w.startAction->trigger();
        const struct {
            int timeLeft;
            const char *text;
        } cases[] = {{2399, "Time: 3:59"}, {1850, "Time: 3:05"}, {600, "Time: 1:00"},
                     {599, "Time: 0:59"},  {59, "Time: 0:05"},   {5, "Time: 0:00"},
                     {1, "Time: 0:00"},    {0, "Time: 0:00"},    {-40, "Time: 0:00"}};
        for (const auto &c : cases) {
            tickTo(w, c.timeLeft);
            EXPECT_EQ(w.timeLeft, c.timeLeft);
            EXPECT_EQ(w.timeLabel->text(), c.text) << "timeLeft " << c.timeLeft;
        }
    });
}

TEST(Clock, ScenarioStepsOnEveryTwentiethTick)
{
    insideGame([](Fenster &w) {
        w.startAction->trigger();
        calmScenario(w);
        const struct {
            int timeLeft;
            bool steps;
        } cases[] = {{2399, false}, {2381, false}, {2380, true}, {20, true},  {19, false},
                     {1, false},    {0, true},     {-1, false},  {-20, true}, {-40, true}};
        for (const auto &c : cases) {
            w.pointsLabel->setText("unchanged");
            tickTo(w, c.timeLeft);
            EXPECT_EQ(w.pointsLabel->text() != "unchanged", c.steps) << "timeLeft " << c.timeLeft;
        }
    });
}

TEST(Clock, LabelFormats)
{
    insideGame([](Fenster &w) {
        w.startAction->trigger();
        calmScenario(w);
        const struct {
            int score;
            float reserve;
            const char *points;
            const char *health;
        } cases[] = {{-5, 99.99f, "Punkte: -5", "Health: 99"},
                     {250, 100.0f, "Punkte: 250", "Health: 100"},
                     {0, 130.0f, "Punkte: 0", "Health: 130"}};
        for (const auto &c : cases) {
            scenario(w).score = c.score;
            scenario(w).circulation = scenario(w).respiration = c.reserve;
            tickTo(w, 2380);
            EXPECT_EQ(w.pointsLabel->text(), c.points);
            EXPECT_EQ(w.healthLabel->text(), c.health);
        }
    });
}

TEST(Clock, ReadingsReachTheMonitor)
{
    insideGame([](Fenster &w) {
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

TEST(Clock, IdleTicksChangeNothing)
{
    insideGame([](Fenster &w) {
        const double time = simulationTime;
        const int position = w.monitor->currentStripPosition();
        for (int i = 0; i < 40; ++i)
            w.advanceClock();
        EXPECT_EQ(w.timeLeft, 2400);
        EXPECT_EQ(simulationTime, time);
        EXPECT_EQ(w.monitor->currentStripPosition(), position);
        EXPECT_EQ(w.timeLabel->text(), "TIME: 4:00");
    });
}

TEST(GameControl, StartAndEnde)
{
    insideGame([](Fenster &w) {
        scenario(w).score = 500;
        w.currentTool = 7;
        w.startAction->trigger();
        EXPECT_TRUE(w.running);
        EXPECT_TRUE(w.viewWidget->isVisible());
        EXPECT_FALSE(w.logoLabel->isVisible());
        EXPECT_EQ(scenario(w).score, 0);
        EXPECT_EQ(scenario(w).circulationLoss, 1);
        EXPECT_EQ(w.timeLeft, 2400);
        EXPECT_EQ(w.currentTool, 7);
        EXPECT_EQ(w.timeLabel->text(), "TIME: 4:00");

        const double before = simulationTime;
        for (int i = 0; i < 25; ++i)
            w.advanceClock();
        EXPECT_EQ(w.timeLeft, 2375);
        EXPECT_NEAR(simulationTime - before, 2.5, 1e-9);
        const QString points = w.pointsLabel->text();

        w.endAction->trigger();
        EXPECT_FALSE(w.running);
        EXPECT_FALSE(w.viewWidget->isVisible());
        EXPECT_TRUE(w.logoLabel->isVisible());
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
        EXPECT_FALSE(w.viewWidget->isVisible());
        EXPECT_TRUE(w.logoLabel->isVisible());
    });
}

TEST(GameControl, RealClockCountsDown)
{
    insideGame([](Fenster &w) {
        w.startAction->trigger();
        // The chain's first tick comes 3 s after construction, then every 50 ms.
        for (int i = 0; i < 100 && w.timeLeft > 2390; ++i)
            QTest::qWait(100);
        EXPECT_LE(w.timeLeft, 2390);
        EXPECT_TRUE(w.timeLabel->text().startsWith("Time: 3:5"));
    });
}

TEST(Lifecycle, FirstCloseLeavesTheWindowIdleAndTheSecondEndsTheLoop)
{
    QTimer::singleShot(0, [] {
        mainWindow->startAction->trigger();
        mainWindow->close();
    });
    Fenster w(argCount, arguments);
    EXPECT_FALSE(w.running);
    EXPECT_FALSE(w.viewWidget->isVisible());
    EXPECT_EQ(renderArea, nullptr);
    EXPECT_EQ(sceneRoot, nullptr);
    for (SoPendulum *p : w.pendulums)
        EXPECT_EQ(p, nullptr);

    w.show();
    EXPECT_TRUE(w.logoLabel->isVisible());
    // "Start!" in the outer loop: a game without the room; the logo stays.
    QTimer::singleShot(0, [&] {
        w.startAction->trigger();
        EXPECT_TRUE(w.running);
        EXPECT_TRUE(w.logoLabel->isVisible());
        EXPECT_FALSE(w.viewWidget->isVisible());
        scenario(w).complicationDivisor = 1e9f; // every roll strikes: shock at once
        for (int i = 0; i < 200; ++i)
            w.advanceClock();
        EXPECT_TRUE(scenario(w).shock);
        EXPECT_EQ(w.timeLeft, 2200);
        w.endAction->trigger();
        w.close();
    });
    EXPECT_EQ(QApplication::exec(), 0);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
