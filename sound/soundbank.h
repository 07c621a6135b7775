#pragma once

#include <AL/al.h>

#include <memory>

// The game's three sounds: the heartbeat beep, the alarm and the looping room
// ambience, each a WAV file from ../data/Sound/ in its own OpenAL buffer and
// source, all at the listener's position. The bank owns the audio library
// for its whole life: it initialises ALUT when built and shuts it down when
// destroyed. Without an audio device (or while another bank owns ALUT) the
// bank stays silent, and a sound whose file cannot be loaded plays silence;
// the game runs on either way.
class SoundBank
{
  public:
    // The sounds by index; play and stop take these or the bare number.
    enum Sound { Beep = 0, Alarm = 1, Ambience = 2 };

    SoundBank();
    ~SoundBank();
    SoundBank(const SoundBank &) = delete;
    SoundBank &operator=(const SoundBank &) = delete;

    // Starts sound `index` from its beginning, also when it is playing already.
    void play(int index);
    void stop(int index);

  private:
    bool isSound(int index) const { return index >= 0 && index < sourceCount; }

    int sourceCount = 0;
    std::unique_ptr<ALuint[]> sources;
    std::unique_ptr<ALuint[]> buffers;
    std::unique_ptr<ALfloat[]> sourcePositions;
    ALfloat listenerPosition[3] = {};
    ALfloat listenerOrientation[6] = {};
    // Whether alutInit succeeded: only then may the bank call OpenAL at all.
    bool audioOpen = false;
};
