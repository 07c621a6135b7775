#include "soundsynth.h"

#include "noisesource.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr double pi = 3.14159265358979323846;

double fromDecibels(double db)
{
    return std::pow(10.0, db / 20.0);
}

int samplesFor(double seconds)
{
    return static_cast<int>(std::lround(seconds * SoundSynth::sampleRate));
}

// Raised-cosine gain for sample i of a tone of n samples: rises from 0 over
// `in` samples and falls back to exactly 0 at the last sample over `out`.
// Without the ramps the tone would start and stop with a click.
double envelope(int i, int n, int in, int out)
{
    double gain = 1.0;
    if (i < in)
        gain = 0.5 - 0.5 * std::cos(pi * i / in);
    const int fromEnd = n - 1 - i;
    if (fromEnd < out)
        gain = std::min(gain, 0.5 - 0.5 * std::cos(pi * fromEnd / out));
    return gain;
}

void scaleToPeak(std::vector<double> &samples, double peak)
{
    double highest = 0.0;
    for (double s : samples)
        highest = std::max(highest, std::abs(s));
    for (double &s : samples)
        s *= peak / highest;
}

double rms(const std::vector<double> &samples)
{
    double sum = 0.0;
    for (double s : samples)
        sum += s * s;
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

// One-pole low-pass coefficient for a cut-off frequency.
double lowPass(double hertz)
{
    return 1.0 - std::exp(-2.0 * pi * hertz / SoundSynth::sampleRate);
}

} // namespace

std::vector<double> SoundSynth::beep() const
{
    const int n = samplesFor(0.14);
    std::vector<double> samples(n);
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        samples[i] =
            std::sin(2.0 * pi * 1000.0 * t) * envelope(i, n, samplesFor(0.006), samplesFor(0.02));
    }
    scaleToPeak(samples, fromDecibels(-4.0));
    return samples;
}

std::vector<double> SoundSynth::alarm() const
{
    // High and low tone a fourth apart, three times, with odd harmonics for
    // the hard edge that sets an alarm apart from the soft monitor beep.
    const double tones[] = {960.0, 720.0};
    const int toneLength = samplesFor(0.2);
    const int gap = samplesFor(0.04);
    std::vector<double> samples;
    for (int k = 0; k < 6; ++k) {
        const double f = tones[k % 2];
        for (int i = 0; i < toneLength; ++i) {
            const double t = static_cast<double>(i) / sampleRate;
            const double wave = std::sin(2 * pi * f * t) + 0.3 * std::sin(2 * pi * 3 * f * t) +
                                0.12 * std::sin(2 * pi * 5 * f * t);
            samples.push_back(wave * envelope(i, toneLength, samplesFor(0.008), samplesFor(0.012)));
        }
        samples.insert(samples.end(), gap, 0.0);
    }
    scaleToPeak(samples, fromDecibels(-4.0));
    return samples;
}

std::vector<double> SoundSynth::ambience() const
{
    const int n = samplesFor(12.0);
    std::vector<double> samples = airConditioning(n, samplesFor(1.0));
    addHum(samples);
    addChime(samples, 3.3);
    addChime(samples, 8.6);

    double mean = 0.0;
    for (double s : samples)
        mean += s;
    mean /= n;
    for (double &s : samples)
        s -= mean;
    const double gain = fromDecibels(-21.0) / rms(samples);
    for (double &s : samples)
        s *= gain;
    return samples;
}

// The ventilation: low rumble with a little airy hiss, slowly breathing in
// level. Noise has no period, so `crossfade` extra samples are made and
// faded under the head of the loop: the last sample then runs on into the
// first exactly as it ran on into the extra ones.
std::vector<double> SoundSynth::airConditioning(int length, int crossfade) const
{
    NoiseSource noise(20240611);
    const double rumbleCut = lowPass(260.0);
    const double airHigh = lowPass(3200.0);
    const double airLow = lowPass(700.0);
    double rumble1 = 0, rumble2 = 0, high = 0, low = 0;
    const int settle = samplesFor(0.5);
    std::vector<double> raw;
    raw.reserve(length + crossfade);
    for (int i = -settle; i < length + crossfade; ++i) {
        const double white = noise.next();
        rumble1 += rumbleCut * (white - rumble1);
        rumble2 += rumbleCut * (rumble1 - rumble2);
        high += airHigh * (white - high);
        low += airLow * (white - low);
        if (i >= 0)
            raw.push_back(4.0 * rumble2 + 0.35 * (high - low));
    }

    std::vector<double> samples(raw.begin(), raw.begin() + length);
    for (int i = 0; i < crossfade; ++i) {
        // Equal power: head and tail noise are unrelated, so their powers add.
        const double angle = 0.5 * pi * i / crossfade;
        samples[i] = raw[i] * std::sin(angle) + raw[length + i] * std::cos(angle);
    }
    const double loopSeconds = static_cast<double>(length) / sampleRate;
    for (int i = 0; i < length; ++i) {
        const double phase = 2.0 * pi * i / sampleRate / loopSeconds;
        samples[i] *= 1.0 + 0.18 * std::sin(2 * phase) + 0.08 * std::sin(3 * phase + 1.0);
    }
    return samples;
}

// Mains hum of the room's equipment. 50 Hz and its harmonics fit a whole
// number of times into the loop, so the hum needs no crossfade.
void SoundSynth::addHum(std::vector<double> &samples) const
{
    const double level = 0.045;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        samples[i] += level * (std::sin(2 * pi * 50 * t) + 0.5 * std::sin(2 * pi * 100 * t + 0.4) +
                               0.2 * std::sin(2 * pi * 150 * t + 1.1));
    }
}

// A soft two-note call chime from a room down the corridor; both notes have
// died away long before the loop ends.
void SoundSynth::addChime(std::vector<double> &samples, double start) const
{
    const double notes[] = {1046.5, 880.0};
    const double level = 0.03;
    for (int k = 0; k < 2; ++k) {
        const int first = samplesFor(start + 0.45 * k);
        const int n = samplesFor(1.6);
        for (int i = 0; i < n && first + i < static_cast<int>(samples.size()); ++i) {
            const double t = static_cast<double>(i) / sampleRate;
            const double decay = std::exp(-t / 0.3) * envelope(i, n, samplesFor(0.015), n / 4);
            samples[first + i] +=
                level * decay *
                (std::sin(2 * pi * notes[k] * t) + 0.25 * std::sin(2 * pi * 2 * notes[k] * t));
        }
    }
}
