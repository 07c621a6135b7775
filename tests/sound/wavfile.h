#pragma once

#include <string>
#include <vector>

// Mono sound as floats in -1..1, the form in which the sound tests write the
// bank's input files and read back what OpenAL mixed.
struct Sound {
    int rate = 44100;
    std::vector<float> samples;

    double seconds() const { return double(samples.size()) / rate; }
};

// A sine tone; `fadeSeconds` of raised-cosine fade at each end keeps a short
// beep free of clicks, 0 leaves the ends hard so that a loop joins seamlessly.
Sound makeTone(double hz, double seconds, double amplitude, double fadeSeconds, int rate = 44100);

// Writes 16-bit mono PCM, the format ALUT loads.
void writeWav(const std::string &path, const Sound &sound);

// Reads 16-bit PCM or 32-bit float WAV (plain or extensible header), mixing
// all channels down to one. `complete` tells whether the RIFF header's sizes
// match the file, which the writer only settles when it is closed.
struct WavReadResult {
    bool ok = false;
    bool complete = false;
    int channels = 0;
    Sound sound;
};
WavReadResult readWav(const std::string &path);
