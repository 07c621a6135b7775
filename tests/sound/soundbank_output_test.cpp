// The sound bank playing through OpenAL Soft's wave driver: every test runs a
// bank for real, then reads back the mix the device wrote and checks which of
// the test tones sounded when.
#include "audiosandbox.h"
#include "soundbank.h"
#include "tonemeter.h"
#include "wavfile.h"

#include <AL/alc.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

namespace
{
AudioSandbox *sandbox = nullptr;

constexpr int beep = 0;
constexpr int ambience = 2;

// Level thresholds relative to the test tones' amplitude: a tone counts as
// sounding above 40 %, as gone below 20 %, and a sound never played must
// stay below 10 % everywhere (edges of the other tones leak a little).
constexpr double onLevel = 0.4 * AudioSandbox::toneAmplitude;
constexpr double offLevel = 0.2 * AudioSandbox::toneAmplitude;
constexpr double silentLevel = 0.1 * AudioSandbox::toneAmplitude;

void wait(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

struct Recording {
    Sound sound;
    ToneMeter beep;
    ToneMeter alarm;
    ToneMeter ambience;

    double seconds() const { return sound.seconds(); }
    std::vector<ToneMeter::Span> beeps() const { return beep.spans(onLevel, offLevel); }
    std::vector<ToneMeter::Span> ambiences() const { return ambience.spans(onLevel, offLevel); }
};

// Runs `script` on a new bank and returns what the audio device wrote, read
// once the bank, and with it the device, is gone.
Recording record(const std::function<void(SoundBank &)> &script)
{
    std::filesystem::remove(sandbox->outputPath());
    {
        SoundBank bank;
        EXPECT_NE(alcGetCurrentContext(), nullptr);
        script(bank);
        EXPECT_EQ(alGetError(), AL_NO_ERROR);
    }
    EXPECT_EQ(alcGetCurrentContext(), nullptr) << "audio not shut down with the bank";
    const WavReadResult mix = readWav(sandbox->outputPath().string());
    EXPECT_TRUE(mix.ok && mix.complete) << "device not closed with the bank";
    return {mix.sound, ToneMeter(mix.sound, AudioSandbox::beepHz),
            ToneMeter(mix.sound, AudioSandbox::alarmHz),
            ToneMeter(mix.sound, AudioSandbox::ambienceHz)};
}

class SoundBankOutput : public ::testing::Test
{
  protected:
    void SetUp() override { sandbox->writeGameSounds(); }
};

// Two games as the game control drives the bank: "Ende" while idle, "Start!",
// a beep per scenario step, "Ende", and a second game.
TEST_F(SoundBankOutput, AmbienceFollowsTheGamesAndEachStepBeepsOnce)
{
    const Recording mix = record([](SoundBank &bank) {
        bank.stop(ambience);
        wait(200);
        bank.play(ambience);
        for (int step = 0; step < 3; ++step) {
            wait(300);
            bank.play(beep);
        }
        wait(300);
        bank.stop(ambience);
        wait(300);
        bank.play(ambience);
        wait(200);
        bank.play(beep);
        wait(300);
        bank.stop(ambience);
        wait(250);
    });

    const auto games = mix.ambiences();
    ASSERT_EQ(games.size(), 2u);
    EXPECT_GT(games[0].start, 0.1) << "ambience before the first start";
    // The ambience file lasts half a second: a longer stretch means it loops.
    EXPECT_GT(games[0].end - games[0].start, 0.9);
    EXPECT_GT(mix.seconds() - games[1].end, 0.15) << "ambience after the last stop";

    const auto beeps = mix.beeps();
    ASSERT_EQ(beeps.size(), 4u);
    for (const auto &b : beeps) {
        EXPECT_LT(b.end - b.start, 0.25) << "beep at " << b.start << " s plays on";
        const bool inGame = (b.start > games[0].start && b.end < games[0].end) ||
                            (b.start > games[1].start && b.end < games[1].end);
        EXPECT_TRUE(inGame) << "beep at " << b.start << " s outside a game";
    }
    EXPECT_LT(mix.alarm.peak(), silentLevel) << "the alarm is never played";
}

TEST_F(SoundBankOutput, IndicesOutsideTheBankAreIgnored)
{
    const Recording mix = record([](SoundBank &bank) {
        for (int index : {-1, 3, 4, INT_MIN, INT_MAX}) {
            bank.play(index);
            bank.stop(index);
        }
        wait(300);
        bank.play(beep);
        wait(250);
    });

    EXPECT_EQ(mix.beeps().size(), 1u) << "the bank stopped working";
    EXPECT_LT(mix.ambience.peak(), silentLevel);
    EXPECT_LT(mix.alarm.peak(), silentLevel);
}

// "Ende" then "Start!": the ambience starts again from its beginning rather
// than going on where it was stopped. Here the ambience is a short tone and
// then a long one, so its beginning can be told from its middle.
TEST_F(SoundBankOutput, AmbienceStoppedMidwayStartsAgainFromItsBeginning)
{
    constexpr double secondHz = 300;
    Sound twoTones = makeTone(AudioSandbox::ambienceHz, 0.3, AudioSandbox::toneAmplitude, 0.0);
    const Sound middle = makeTone(secondHz, 0.9, AudioSandbox::toneAmplitude, 0.0);
    twoTones.samples.insert(twoTones.samples.end(), middle.samples.begin(), middle.samples.end());
    writeWav(sandbox->soundPath("atmosphere2.wav"), twoTones);

    const Recording mix = record([](SoundBank &bank) {
        bank.play(ambience);
        wait(450);
        bank.stop(ambience);
        wait(200);
        bank.play(ambience);
        wait(150);
        bank.stop(ambience);
        wait(100);
    });

    const ToneMeter second(mix.sound, secondHz);
    const auto &first = mix.ambience.levels();
    ASSERT_EQ(first.size(), second.levels().size());
    std::vector<double> either(first.size());
    for (std::size_t i = 0; i < either.size(); ++i)
        either[i] = std::max(first[i], second.levels()[i]);
    const auto games = ToneMeter::spansOf(either, onLevel, offLevel);
    ASSERT_EQ(games.size(), 2u);
    // Stopped within the second tone, started again with the first one.
    const std::size_t stopped = ToneMeter::frameAt(games[0].end);
    EXPECT_GT(second.levels()[stopped], first[stopped]);
    const std::size_t restarted = ToneMeter::frameAt(games[1].start) + 1;
    EXPECT_GT(first[restarted], second.levels()[restarted]);
}

// ALUT allows one initialisation at a time: a second bank gets no audio and
// must not shut down the audio the first one still uses.
TEST_F(SoundBankOutput, SecondBankStaysSilentAndLeavesTheFirstPlaying)
{
    const Recording mix = record([](SoundBank &bank) {
        bank.play(ambience);
        {
            SoundBank second;
            second.play(beep);
            second.stop(ambience);
            wait(300);
        }
        EXPECT_NE(alcGetCurrentContext(), nullptr);
        bank.play(beep);
        wait(300);
        bank.stop(ambience);
        wait(150);
    });

    const auto beeps = mix.beeps();
    ASSERT_EQ(beeps.size(), 1u);
    EXPECT_GT(beeps[0].start, 0.25) << "the second bank played the beep";
    const auto games = mix.ambiences();
    ASSERT_EQ(games.size(), 1u);
    EXPECT_GT(games[0].end - games[0].start, 0.5);
}

// What is wrong with each of the three sound files.
enum class File { Good, Missing, NotWav };

struct BrokenFiles {
    const char *name;
    File beep;
    File alarm;
    File ambience;
};

void PrintTo(const BrokenFiles &files, std::ostream *out)
{
    *out << files.name;
}

class SoundBankBrokenFiles : public ::testing::TestWithParam<BrokenFiles>
{
  protected:
    void SetUp() override
    {
        sandbox->writeGameSounds();
        const BrokenFiles &files = GetParam();
        spoil("beep.wav", files.beep);
        spoil("alarm.wav", files.alarm);
        spoil("atmosphere2.wav", files.ambience);
    }

    static void spoil(const std::string &fileName, File how)
    {
        const auto path = sandbox->soundPath(fileName);
        if (how == File::Missing)
            std::filesystem::remove(path);
        else if (how == File::NotWav)
            std::ofstream(path) << "no sound here\n";
    }
};

TEST_P(SoundBankBrokenFiles, BrokenSoundsAreSilentAndTheOthersPlay)
{
    const Recording mix = record([](SoundBank &bank) {
        bank.play(ambience);
        wait(50);
        bank.play(beep);
        wait(200);
        bank.play(beep);
        wait(200);
        bank.stop(ambience);
        wait(100);
    });

    const BrokenFiles &files = GetParam();
    EXPECT_EQ(mix.beeps().size(), files.beep == File::Good ? 2u : 0u);
    EXPECT_EQ(mix.ambiences().size(), files.ambience == File::Good ? 1u : 0u);
    EXPECT_LT(mix.alarm.peak(), silentLevel);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SoundBankBrokenFiles,
    ::testing::Values(BrokenFiles{"BeepMissing", File::Missing, File::Good, File::Good},
                      BrokenFiles{"BeepNotWav", File::NotWav, File::Good, File::Good},
                      BrokenFiles{"AmbienceMissing", File::Good, File::Good, File::Missing},
                      BrokenFiles{"AllMissing", File::Missing, File::Missing, File::Missing}),
    [](const auto &info) { return std::string(info.param.name); });
} // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    AudioSandbox wave("wave");
    sandbox = &wave;
    return RUN_ALL_TESTS();
}
