// What a game sounds like, recorded through OpenAL Soft's wave driver.

#include "audiosandbox.h"
#include "fenster.h"
#include "fraktur.h"
#include "gamefixture.h"
#include "tonemeter.h"

#include <QAction>
#include <QElapsedTimer>
#include <QTest>

TEST(GameSound, BeepsWhileThePatientLivesAndAmbienceWhileTheGameRuns)
{
    AudioSandbox sandbox("wave");
    sandbox.writeGameSounds();
    // The wave driver plays in real time, so the ambience lasts as long as
    // the game did by the wall clock: on a loaded machine the ticks take
    // longer than the pauses between them.
    double gameSeconds = 0;
    runWindow([&gameSeconds](Fenster &w) {
        // Twenty ticks make one scenario step; a pause lets each beep be
        // heard alone.
        const auto scenarioStep = [&w] {
            for (int i = 0; i < 20; ++i)
                w.advanceClock();
            QTest::qWait(300);
        };
        QTest::qWait(200);
        QElapsedTimer game;
        game.start();
        w.startAction->trigger();
        for (int step = 0; step < 3; ++step)
            scenarioStep();
        static_cast<Fraktur *>(w.level)->circulation = 0;
        scenarioStep();
        scenarioStep();
        EXPECT_FALSE(w.level->alive);
        w.endAction->trigger();
        gameSeconds = game.nsecsElapsed() / 1e9;
        QTest::qWait(400);
    });
    const WavReadResult mix = readWav(sandbox.outputPath().string());
    ASSERT_TRUE(mix.ok && mix.complete);
    const double on = 0.4 * AudioSandbox::toneAmplitude, off = 0.2 * AudioSandbox::toneAmplitude;
    const auto beeps = ToneMeter(mix.sound, AudioSandbox::beepHz).spans(on, off);
    const auto ambience = ToneMeter(mix.sound, AudioSandbox::ambienceHz).spans(on, off);
    EXPECT_EQ(beeps.size(), 3u);
    ASSERT_EQ(ambience.size(), 1u);
    EXPECT_GE(gameSeconds, 5 * 0.3);
    EXPECT_NEAR(ambience[0].end - ambience[0].start, gameSeconds, 0.15);
    for (const auto &beep : beeps)
        EXPECT_TRUE(beep.start >= ambience[0].start && beep.end <= ambience[0].end);
    EXPECT_LT(ToneMeter(mix.sound, AudioSandbox::alarmHz).peak(), off);
}
