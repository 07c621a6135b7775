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

// A sine tone with `fadeSeconds` of raised-cosine fade at each end: a faded
// beep has no clicks, an unfaded tone of whole periods loops seamlessly.
Sound makeTone(double hz, double seconds, double amplitude, double fadeSeconds, int rate = 44100);
// Writes 16-bit mono PCM, the format ALUT loads.
void writeWav(const std::string &path, const Sound &sound);

// Reads 16-bit PCM WAV, mixing all channels down to one. `complete` tells
// whether the RIFF sizes match the file, which the writer settles on closing.
struct WavReadResult {
    bool ok = false;
    bool complete = false;
    int channels = 0;
    Sound sound;
};
WavReadResult readWav(const std::string &path);
