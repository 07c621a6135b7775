// What a game sounds like, recorded through OpenAL Soft's wave driver: the
// ambience while the game runs, one beep per scenario step while the patient
// lives, silence from the patient's death on.

#include "audiosandbox.h"
#include "fenster.h"
#include "fraktur.h"
#include "tonemeter.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTimer>

namespace
{
int argCount = 1;
char programName[] = "curavant";
char *arguments[] = {programName, nullptr};

constexpr double onLevel = 0.4 * AudioSandbox::toneAmplitude;
constexpr double offLevel = 0.2 * AudioSandbox::toneAmplitude;

// Twenty ticks make one scenario step; a pause lets each beep be heard alone.
void scenarioStep(Fenster &w)
{
    for (int i = 0; i < 20; ++i)
        w.advanceClock();
    QTest::qWait(300);
}
} // namespace

TEST(GameSound, BeepsWhileThePatientLivesAndAmbienceWhileTheGameRuns)
{
    AudioSandbox sandbox("wave");
    sandbox.writeGameSounds();
    QTimer::singleShot(0, [] {
        Fenster &w = *mainWindow;
        QTest::qWait(200);
        w.startAction->trigger();
        for (int step = 0; step < 3; ++step)
            scenarioStep(w);
        static_cast<Fraktur *>(w.level)->circulation = 0;
        for (int step = 0; step < 2; ++step)
            scenarioStep(w);
        EXPECT_FALSE(w.level->alive);
        w.endAction->trigger();
        QTest::qWait(400);
        w.close();
    });
    {
        Fenster window(argCount, arguments);
    }
    const WavReadResult mix = readWav(sandbox.outputPath().string());
    ASSERT_TRUE(mix.ok && mix.complete);
    const auto beeps = ToneMeter(mix.sound, AudioSandbox::beepHz).spans(onLevel, offLevel);
    const auto ambience = ToneMeter(mix.sound, AudioSandbox::ambienceHz).spans(onLevel, offLevel);
    EXPECT_EQ(beeps.size(), 3u);
    ASSERT_EQ(ambience.size(), 1u);
    EXPECT_NEAR(ambience[0].end - ambience[0].start, 5 * 0.3, 0.25);
    for (const auto &beep : beeps) {
        EXPECT_GE(beep.start, ambience[0].start);
        EXPECT_LE(beep.end, ambience[0].end);
    }
    EXPECT_LT(ToneMeter(mix.sound, AudioSandbox::alarmHz).peak(), offLevel);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
