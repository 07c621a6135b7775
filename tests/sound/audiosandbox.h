#pragma once

#include <filesystem>
#include <string>

// A throw-away folder tree laid out like the game's (build/ beside
// data/Sound/), with OpenAL Soft set up to use `driver` for this whole
// process. It must exist before the process's first OpenAL call, since OpenAL
// Soft reads its configuration only once. While it lives, the working
// directory is its build/, so the bank finds the test's own sounds through
// ../data/Sound/. With the "wave" driver every audio device opened writes its
// mix to outputPath() in real time, and finishes the file when it is closed.
class AudioSandbox
{
  public:
    explicit AudioSandbox(const std::string &driver);
    ~AudioSandbox();
    AudioSandbox(const AudioSandbox &) = delete;
    AudioSandbox &operator=(const AudioSandbox &) = delete;

    std::filesystem::path soundPath(const std::string &fileName) const;
    std::filesystem::path outputPath() const { return root / "out" / "mix.wav"; }

    // The three sounds of the game as pure tones at distinct frequencies.
    static constexpr double beepHz = 1000;
    static constexpr double alarmHz = 440;
    static constexpr double ambienceHz = 200;
    static constexpr double toneAmplitude = 0.25;
    void writeGameSounds() const;

  private:
    std::filesystem::path root;
    std::filesystem::path previousDirectory;
};
