#include "audiosandbox.h"

#include "wavfile.h"

#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

AudioSandbox::AudioSandbox(const std::string &driver)
    : root(fs::temp_directory_path() / ("curavant-sound-" + std::to_string(getpid())))
{
    fs::create_directories(root / "build");
    fs::create_directories(soundPath(""));
    // Mono 16-bit output at the rate of the test sounds: the mix then holds
    // the tones unchanged and needs no resampling to be analysed.
    const fs::path config = root / "alsoft.conf";
    std::ofstream(config) << "[general]\ndrivers = " << driver
                          << "\nchannels = mono\nsample-type = int16\nfrequency = 44100\n"
                          << "[wave]\nfile = " << outputPath().string() << "\n";
    setenv("ALSOFT_CONF", config.c_str(), 1);
    setenv("ALSOFT_DRIVERS", driver.c_str(), 1); // above any driver set outside
    fs::current_path(root / "build");
}

AudioSandbox::~AudioSandbox()
{
    std::error_code ignored;
    fs::current_path(previousDirectory, ignored);
    fs::remove_all(root, ignored);
}

void AudioSandbox::writeGameSounds() const
{
    // The ambience is whole periods long, so that it loops without a click,
    // and short, so that any stretch over half a second shows it looping.
    writeWav(soundPath("beep.wav"), makeTone(beepHz, 0.1, toneAmplitude, 0.005));
    writeWav(soundPath("alarm.wav"), makeTone(alarmHz, 0.3, toneAmplitude, 0.005));
    writeWav(soundPath("atmosphere2.wav"), makeTone(ambienceHz, 0.5, toneAmplitude, 0.0));
}
