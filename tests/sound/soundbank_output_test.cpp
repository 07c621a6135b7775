// The sound bank through OpenAL Soft's wave driver, whose mix shows which of
// the test tones sounded when.
#include "audiosandbox.h"
#include "soundbank.h"
#include "tonemeter.h"

#include <AL/alc.h>
#include <AL/alut.h>
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

namespace
{
// Made before the first OpenAL call, which reads its driver settings.
AudioSandbox sandbox("wave");
constexpr int beep = 0, ambience = 2;

void wait(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// A tone sounds from 40 % of the test tones' amplitude until it falls below 20 %.
std::vector<ToneMeter::Span> spans(const Sound &mix, double hz)
{
    return ToneMeter(mix, hz).spans(0.4 * AudioSandbox::toneAmplitude,
                                    0.2 * AudioSandbox::toneAmplitude);
}

Sound record(const std::function<void(SoundBank &)> &script)
{
    std::filesystem::remove(sandbox.outputPath());
    {
        SoundBank bank;
        EXPECT_NE(alcGetCurrentContext(), nullptr);
        script(bank);
        EXPECT_EQ(alGetError(), AL_NO_ERROR);
    }
    EXPECT_EQ(alcGetCurrentContext(), nullptr) << "audio not shut down with the bank";
    const WavReadResult mix = readWav(sandbox.outputPath().string());
    EXPECT_TRUE(mix.ok && mix.complete) << "device not closed with the bank";
    // Never played; the other tones' edges leak a little into its band.
    EXPECT_LT(ToneMeter(mix.sound, AudioSandbox::alarmHz).peak(),
              0.1 * AudioSandbox::toneAmplitude);
    return mix.sound;
}

// A missing beep and an alarm that is no WAV keep silent, and the ambience
// plays on its own; after "Ende" and "Start!" it plays from its beginning, not
// on from where it stopped: here 0.3 s at 200 Hz, then 300 Hz, where it stops.
TEST(SoundBankOutput, BrokenSoundsAreSilentAndTheAmbienceRestartsFromItsBeginning)
{
    std::filesystem::remove(sandbox.soundPath("beep.wav"));
    std::ofstream(sandbox.soundPath("alarm.wav")) << "no sound here\n";
    Sound twoTones = makeTone(AudioSandbox::ambienceHz, 0.3, AudioSandbox::toneAmplitude, 0.0);
    const Sound rest = makeTone(300, 0.9, AudioSandbox::toneAmplitude, 0.0);
    twoTones.samples.insert(twoTones.samples.end(), rest.samples.begin(), rest.samples.end());
    writeWav(sandbox.soundPath("atmosphere2.wav"), twoTones);
    const Sound mix = record([](SoundBank &bank) {
        for (int playing : {450, 150}) {
            bank.play(ambience);
            bank.play(beep);
            wait(playing);
            bank.stop(ambience);
            wait(200);
        }
    });
    EXPECT_TRUE(spans(mix, AudioSandbox::beepHz).empty());
    EXPECT_EQ(spans(mix, AudioSandbox::ambienceHz).size(), 2u);
    EXPECT_EQ(spans(mix, 300).size(), 1u);
}

// No audio device (the wave driver cannot open its file): the bank is silent,
// ignores any index and leaves ALUT as it found it, uninitialised.
TEST(SoundBankOutput, WithoutDeviceStaysSilent)
{
    std::filesystem::remove(sandbox.outputPath());
    std::filesystem::create_directory(sandbox.outputPath());
    alutGetError();
    {
        SoundBank bank;
        EXPECT_EQ(alutGetError(), ALUT_ERROR_OPEN_DEVICE);
        EXPECT_EQ(alcGetCurrentContext(), nullptr);
        for (int index : {-1, 0, 1, 2, 3, INT_MIN, INT_MAX}) {
            bank.play(index);
            bank.stop(index);
        }
    }
    EXPECT_EQ(alutGetError(), ALUT_ERROR_NO_ERROR);
    std::filesystem::remove(sandbox.outputPath());
}
} // namespace
