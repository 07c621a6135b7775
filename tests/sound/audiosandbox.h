#pragma once

#include <filesystem>
#include <string>

// A throw-away tree laid out like the game's, the working directory while it
// lives, with OpenAL Soft using `driver`: make it before the first OpenAL call,
// which reads the set-up. The "wave" driver writes the mix to outputPath().
class AudioSandbox
{
  public:
    explicit AudioSandbox(const std::string &driver);
    ~AudioSandbox();
    AudioSandbox(const AudioSandbox &) = delete;
    AudioSandbox &operator=(const AudioSandbox &) = delete;

    std::filesystem::path soundPath(const std::string &file) const
    {
        return root / "data" / "Sound" / file;
    }
    std::filesystem::path outputPath() const { return root / "mix.wav"; }

    // Writes the game's three sounds as pure tones at distinct frequencies.
    void writeGameSounds() const;
    static constexpr double beepHz = 1000, alarmHz = 440, ambienceHz = 200;
    static constexpr double toneAmplitude = 0.25;

  private:
    std::filesystem::path root;
    std::filesystem::path previousDirectory = std::filesystem::current_path();
};
