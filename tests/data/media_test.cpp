// The committed sounds as the game loads them: a file that ALUT cannot read
// would leave its sound silent.

#include <AL/alut.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

TEST(SoundFiles, AlutLoadsThemAsMono16)
{
    // ALUT's loader wants a current context; OpenAL Soft's null output gives
    // one without a sound card.
    setenv("ALSOFT_DRIVERS", "null", 1);
    ASSERT_TRUE(alutInit(nullptr, nullptr)) << alutGetErrorString(alutGetError());
    for (const char *file : {"beep.wav", "alarm.wav", "atmosphere2.wav"}) {
        ALenum format = 0;
        ALsizei size = 0;
        ALfloat frequency = 0;
        ALvoid *data = alutLoadMemoryFromFile(("../data/Sound/" + std::string(file)).c_str(),
                                              &format, &size, &frequency);
        ASSERT_NE(data, nullptr) << file << ": " << alutGetErrorString(alutGetError());
        EXPECT_EQ(format, AL_FORMAT_MONO16) << file;
        free(data);
    }
    alutExit();
}
