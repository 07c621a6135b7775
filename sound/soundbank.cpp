#include "soundbank.h"

#include <AL/alut.h>

#include <algorithm>
#include <iterator>

namespace
{
// By SoundBank::Sound.
const char *const soundFiles[] = {
    "../data/Sound/beep.wav",
    "../data/Sound/alarm.wav",
    "../data/Sound/atmosphere2.wav",
};
constexpr int soundCount = sizeof(soundFiles) / sizeof(soundFiles[0]);

// alutUnloadWAV is marked deprecated, but it is ALUT's own release for the
// samples that alutLoadMemoryFromFile hands out.
void unloadWav(ALenum format, ALvoid *data, ALsizei size, ALsizei frequency)
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    alutUnloadWAV(format, data, size, frequency);
#pragma GCC diagnostic pop
}

// Gives a source the bank's fixed attributes.
void setUpSource(ALuint source, const ALfloat *position)
{
    static const ALfloat direction[] = {0.0f, 1.0f, 0.0f};
    alSourcefv(source, AL_POSITION, position);
    alSourcefv(source, AL_DIRECTION, direction);
    alSourcef(source, AL_PITCH, 1.0f);
    alSourcei(source, AL_LOOPING, AL_FALSE);
    alSourcef(source, AL_GAIN, 1.0f);
    alSourcef(source, AL_MIN_GAIN, 0.1f);
    alSourcef(source, AL_MAX_GAIN, 1.0f);
    alSourcef(source, AL_MAX_DISTANCE, 2000.0f);
}
} // namespace

SoundBank::SoundBank()
{
    // Without a device (or while another bank holds ALUT) there is no context
    // to talk to: the bank then keeps silent and never calls OpenAL again.
    audioOpen = alutInit(nullptr, nullptr) == AL_TRUE;
    if (!audioOpen)
        return;

    const ALfloat position[] = {0.0f, 0.0f, 0.0f};
    const ALfloat orientation[] = {0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f};
    std::copy(std::begin(position), std::end(position), listenerPosition);
    std::copy(std::begin(orientation), std::end(orientation), listenerOrientation);
    alListenerfv(AL_POSITION, listenerPosition);
    alListenerfv(AL_ORIENTATION, listenerOrientation);

    sourceCount = soundCount;
    sources = std::make_unique<ALuint[]>(sourceCount);
    buffers = std::make_unique<ALuint[]>(sourceCount);
    sourcePositions = std::make_unique<ALfloat[]>(3 * sourceCount);

    for (int index = 0; index < sourceCount; ++index) {
        ALfloat *sourcePosition = &sourcePositions[3 * index];
        std::fill(sourcePosition, sourcePosition + 3, 0.0f);
        alGenBuffers(1, &buffers[index]);
        ALenum format = 0;
        ALsizei size = 0;
        ALfloat frequency = 0.0f;
        ALvoid *data = alutLoadMemoryFromFile(soundFiles[index], &format, &size, &frequency);
        const bool loaded = data != nullptr;
        if (loaded) {
            const auto rate = static_cast<ALsizei>(frequency);
            alBufferData(buffers[index], format, data, size, rate);
            unloadWav(format, data, size, rate);
        }
        alGenSources(1, &sources[index]);
        // OpenAL Soft 1.24 refuses to queue a buffer that holds no data; a
        // source with nothing queued plays silence on every version.
        if (loaded)
            alSourceQueueBuffers(sources[index], 1, &buffers[index]);
        setUpSource(sources[index], sourcePosition);
        alDistanceModel(AL_INVERSE_DISTANCE);
    }
    alSourcei(sources[Ambience], AL_LOOPING, AL_TRUE);
}

SoundBank::~SoundBank()
{
    if (!audioOpen)
        return;
    alDeleteSources(sourceCount, sources.get());
    alDeleteBuffers(sourceCount, buffers.get());
    alutExit();
}

void SoundBank::play(int index)
{
    if (isSound(index))
        alSourcePlay(sources[index]);
}

void SoundBank::stop(int index)
{
    if (isSound(index))
        alSourceStop(sources[index]);
}
