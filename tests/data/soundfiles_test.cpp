// The sounds under data/Sound/: plain mono 16-bit PCM that ALUT loads, short
// enough or long enough, at sensible levels without clipping, and an ambience
// that loops without a seam.

#include "wavfile.h"

#include <AL/alut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace
{
const std::string soundDir = "../data/Sound/";

struct SoundCase {
    const char *file;
    double shortest, longest;         // seconds
    double quietestPeak, loudestPeak; // dBFS
};

const SoundCase sounds[] = {
    {"beep.wav", 0.08, 0.3, -8.0, -2.0},
    {"alarm.wav", 0.5, 2.0, -8.0, -2.0},
    {"atmosphere2.wav", 10.0, 30.0, -20.0, -4.0},
};

double decibels(double level)
{
    return 20.0 * std::log10(level);
}
} // namespace

// Nothing but the format and data chunks: a 44-byte header and 2 bytes a sample.
TEST(SoundFiles, ArePlainMono16BitPcmWithHeadroom)
{
    for (const SoundCase &c : sounds) {
        SCOPED_TRACE(c.file);
        const WavReadResult wav = readWav(soundDir + c.file);
        ASSERT_TRUE(wav.ok && wav.complete);
        EXPECT_EQ(wav.channels, 1);
        EXPECT_TRUE(wav.sound.rate == 22050 || wav.sound.rate == 44100) << wav.sound.rate;
        EXPECT_EQ(std::filesystem::file_size(soundDir + c.file), 44 + 2 * wav.sound.samples.size());
        EXPECT_GE(wav.sound.seconds(), c.shortest);
        EXPECT_LE(wav.sound.seconds(), c.longest);
        float peak = 0;
        for (float s : wav.sound.samples)
            peak = std::max(peak, std::abs(s));
        EXPECT_GE(decibels(peak), c.quietestPeak);
        EXPECT_LE(decibels(peak), c.loudestPeak) << "headroom, no clipping";
    }
}

TEST(SoundFiles, AlutLoadsThemAsMono16)
{
    // ALUT's loader wants a current context; OpenAL Soft's null output gives
    // one without a sound card.
    setenv("ALSOFT_DRIVERS", "null", 1);
    ASSERT_TRUE(alutInit(nullptr, nullptr)) << alutGetErrorString(alutGetError());
    for (const SoundCase &c : sounds) {
        ALenum format = 0;
        ALsizei size = 0;
        ALfloat frequency = 0;
        ALvoid *data =
            alutLoadMemoryFromFile((soundDir + c.file).c_str(), &format, &size, &frequency);
        ASSERT_NE(data, nullptr) << c.file << ": " << alutGetErrorString(alutGetError());
        EXPECT_EQ(format, AL_FORMAT_MONO16) << c.file;
        free(data);
    }
    alutExit();
}

// The beep starts and ends in silence, so it does not click; the ambience
// joins its end to its start without a jump.
TEST(SoundFiles, BeepIsClickFreeAndTheAmbienceLoopsWithoutASeam)
{
    const std::vector<float> beep = readWav(soundDir + "beep.wav").sound.samples;
    ASSERT_FALSE(beep.empty());
    EXPECT_LT(std::abs(beep.front()), 0.01f);
    EXPECT_LT(std::abs(beep.back()), 0.01f);

    const Sound ambience = readWav(soundDir + "atmosphere2.wav").sound;
    const std::vector<float> &s = ambience.samples;
    ASSERT_GT(s.size(), std::size_t(ambience.rate));
    double steps = 0;
    for (std::size_t i = 1; i < s.size(); ++i)
        steps += std::abs(s[i] - s[i - 1]);
    EXPECT_LT(std::abs(s.front() - s.back()), 3.0 * steps / double(s.size() - 1)) << "a click";
}
