#pragma once

#include <string>
#include <vector>

// Mono sound as floats in -1..1.
struct Sound {
    int rate = 44100;
    std::vector<float> samples;

    double seconds() const { return double(samples.size()) / rate; }
};

// A sine tone with `fadeSeconds` of raised-cosine fade at each end: a faded
// beep has no clicks, an unfaded tone of whole periods loops seamlessly.
Sound makeTone(double hz, double seconds, double amplitude, double fadeSeconds, int rate = 44100);
// Throws std::runtime_error when the file cannot be made.
void writeWav(const std::string &path, const Sound &sound);

// Reads a WAV file, mixing all channels down to one. `complete` tells whether
// the RIFF size matches the file, which the writer settles on closing.
struct WavReadResult {
    bool ok = false;
    bool complete = false;
    int channels = 0;
    Sound sound;
};
WavReadResult readWav(const std::string &path);
