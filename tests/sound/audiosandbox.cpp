#include "audiosandbox.h"

#include "wavfile.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

AudioSandbox::AudioSandbox(const std::string &driver)
{
    std::string pattern = (fs::temp_directory_path() / "curavant-sound-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    root = pattern;
    fs::create_directories(root / "build");
    fs::create_directories(root / "data" / "Sound");
    fs::create_directories(root / "out");

    // Mono 16-bit output at the rate of the test sounds: the mix then holds
    // the tones unchanged and needs no resampling to be analysed.
    const fs::path config = root / "alsoft.conf";
    std::ofstream(config) << "[general]\n"
                          << "drivers = " << driver << "\n"
                          << "channels = mono\n"
                          << "sample-type = int16\n"
                          << "frequency = 44100\n"
                          << "[wave]\n"
                          << "file = " << outputPath().string() << "\n";
    setenv("ALSOFT_CONF", config.c_str(), 1);
    setenv("ALSOFT_DRIVERS", driver.c_str(), 1);

    previousDirectory = fs::current_path();
    fs::current_path(root / "build");
}

AudioSandbox::~AudioSandbox()
{
    std::error_code ignored;
    fs::current_path(previousDirectory, ignored);
    fs::remove_all(root, ignored);
}

fs::path AudioSandbox::soundPath(const std::string &fileName) const
{
    return root / "data" / "Sound" / fileName;
}

void AudioSandbox::writeGameSounds() const
{
    // A short beep with soft edges; a short ambience of whole periods, so
    // that it joins itself without a click and any stretch of it longer than
    // half a second shows it looping.
    writeWav(soundPath("beep.wav"), makeTone(beepHz, 0.1, toneAmplitude, 0.005));
    writeWav(soundPath("alarm.wav"), makeTone(alarmHz, 0.3, toneAmplitude, 0.005));
    writeWav(soundPath("atmosphere2.wav"), makeTone(ambienceHz, 0.5, toneAmplitude, 0.0));
}
