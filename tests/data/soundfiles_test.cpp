// The sounds under data/Sound/: plain mono 16-bit PCM that ALUT loads, at
// sensible levels, and shaped as the game needs them: a click-free beep, a
// two-tone alarm and an ambience that loops without a seam.

#include "wavfile.h"

#include <AL/alut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

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

// Frequency of a steady tone from its upward zero crossings.
double toneFrequency(const WavFile &wav, std::size_t first, std::size_t count)
{
    int crossings = 0;
    for (std::size_t i = first + 1; i < first + count; ++i)
        if (wav.samples[i - 1] < 0 && wav.samples[i] >= 0)
            ++crossings;
    return crossings * static_cast<double>(wav.sampleRate) / static_cast<double>(count);
}

} // namespace

TEST(SoundFiles, ArePlainMono16BitPcmWithSensibleLevels)
{
    for (const SoundCase &c : sounds) {
        SCOPED_TRACE(c.file);
        const WavFile wav(soundDir + c.file);
        ASSERT_TRUE(wav.valid);
        EXPECT_EQ(wav.formatChunkSize, 16u);
        EXPECT_EQ(wav.audioFormat, 1);
        EXPECT_EQ(wav.channels, 1);
        EXPECT_EQ(wav.bitsPerSample, 16);
        EXPECT_TRUE(wav.sampleRate == 22050 || wav.sampleRate == 44100) << wav.sampleRate;
        EXPECT_EQ(wav.blockAlign, 2);
        EXPECT_EQ(wav.byteRate, 2 * wav.sampleRate);
        EXPECT_EQ(wav.riffSize + 8, wav.fileSize);
        EXPECT_EQ(wav.fileSize, 44 + 2 * wav.samples.size()) << "nothing but fmt and data";
        EXPECT_GE(wav.seconds(), c.shortest);
        EXPECT_LE(wav.seconds(), c.longest);
        EXPECT_GE(decibels(wav.peak()), c.quietestPeak);
        EXPECT_LE(decibels(wav.peak()), c.loudestPeak) << "headroom, no clipping";
        EXPECT_LT(std::abs(wav.mean()), 0.001) << "DC offset";
    }
}

TEST(SoundFiles, AlutLoadsThemAsMono16)
{
    // ALUT's loader wants a current context; OpenAL Soft's null output
    // gives one without a sound card.
    setenv("ALSOFT_DRIVERS", "null", 1);
    ASSERT_TRUE(alutInit(nullptr, nullptr)) << alutGetErrorString(alutGetError());
    for (const SoundCase &c : sounds) {
        SCOPED_TRACE(c.file);
        ALenum format = 0;
        ALsizei size = 0;
        ALfloat frequency = 0;
        ALvoid *data =
            alutLoadMemoryFromFile((soundDir + c.file).c_str(), &format, &size, &frequency);
        ASSERT_NE(data, nullptr) << alutGetErrorString(alutGetError());
        const WavFile wav(soundDir + c.file);
        EXPECT_EQ(format, AL_FORMAT_MONO16);
        EXPECT_EQ(static_cast<std::size_t>(size), 2 * wav.samples.size());
        EXPECT_EQ(frequency, static_cast<ALfloat>(wav.sampleRate));
        free(data);
    }
    alutExit();
}

TEST(Beep, IsAClickFreeToneNearOneKilohertz)
{
    const WavFile wav(soundDir + "beep.wav");
    ASSERT_TRUE(wav.valid);
    const std::size_t n = wav.samples.size();
    const std::size_t ms = static_cast<std::size_t>(wav.sampleRate / 1000);
    EXPECT_LT(std::abs(wav.samples.front()), 330) << "starts at silence";
    EXPECT_LT(std::abs(wav.samples.back()), 330) << "ends at silence";
    // The ramps take a few milliseconds; the tone is loud in between.
    EXPECT_LT(wav.rms(0, ms), 0.3 * wav.rms(n / 3, n / 3));
    EXPECT_LT(wav.rms(n - ms, ms), 0.3 * wav.rms(n / 3, n / 3));
    const double f = toneFrequency(wav, n / 4, n / 2);
    EXPECT_GT(f, 700.0);
    EXPECT_LT(f, 1500.0);
}

TEST(Alarm, AlternatesBetweenTwoDistinctTones)
{
    const WavFile wav(soundDir + "alarm.wav");
    ASSERT_TRUE(wav.valid);
    const std::size_t window = static_cast<std::size_t>(wav.sampleRate / 20);
    const double loud = 0.5 * wav.rms(0, wav.samples.size());
    std::vector<double> tones;
    for (std::size_t at = 0; at + window <= wav.samples.size(); at += window)
        if (wav.rms(at, window) > loud)
            tones.push_back(toneFrequency(wav, at, window));
    ASSERT_GE(tones.size(), 4u);
    const auto [low, high] = std::minmax_element(tones.begin(), tones.end());
    EXPECT_GT(*high / *low, 1.15) << "two tones, clearly apart";
    int changes = 0;
    for (std::size_t i = 1; i < tones.size(); ++i)
        if (std::abs(tones[i] - tones[i - 1]) > 0.07 * *low)
            ++changes;
    EXPECT_GE(changes, 3) << "the tones alternate";
    EXPECT_LT(std::abs(wav.samples.front()), 330);
    EXPECT_LT(std::abs(wav.samples.back()), 330);
}

TEST(Ambience, IsQuietAndLoopsWithoutASeam)
{
    const WavFile wav(soundDir + "atmosphere2.wav");
    ASSERT_TRUE(wav.valid);
    const std::vector<std::int16_t> &s = wav.samples;
    const std::size_t n = s.size();
    const double level = decibels(wav.rms(0, n));
    EXPECT_GT(level, -26.0);
    EXPECT_LT(level, -16.0);

    double steps = 0;
    for (std::size_t i = 1; i < n; ++i)
        steps += std::abs(s[i] - s[i - 1]);
    const double typicalStep = steps / static_cast<double>(n - 1);
    EXPECT_LT(std::abs(s.front() - s.back()), 3.0 * typicalStep) << "a click at the loop point";

    // Neither end fades: the level runs on through the loop point.
    const std::size_t half = static_cast<std::size_t>(wav.sampleRate / 2);
    const double head = wav.rms(0, half), tail = wav.rms(n - half, half);
    EXPECT_LT(std::abs(decibels(head / tail)), 3.0);
    EXPECT_LT(std::abs(decibels(head / wav.rms(0, n))), 3.0);
}
