// The sound bank on a machine without any audio device: OpenAL Soft is given
// no driver at all, so opening a device fails and the game must run silently.
#include "audiosandbox.h"
#include "soundbank.h"

#include <AL/alc.h>
#include <AL/alut.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace
{
AudioSandbox *sandbox = nullptr;

TEST(SoundBankWithoutDevice, StaysSilentAndLeavesTheAudioLibraryAlone)
{
    sandbox->writeGameSounds();
    alutGetError();
    for (int round = 0; round < 2; ++round) {
        {
            SoundBank bank;
            EXPECT_EQ(alutGetError(), ALUT_ERROR_OPEN_DEVICE);
            EXPECT_EQ(alcGetCurrentContext(), nullptr);
            for (int index : {-1, 0, 1, 2, 3}) {
                bank.play(index);
                bank.stop(index);
            }
        }
        // Shutting down an ALUT that never came up would leave an error here.
        EXPECT_EQ(alutGetError(), ALUT_ERROR_NO_ERROR) << "round " << round;
    }
    // ALUT is left uninitialised: it can still be brought up (without a device).
    EXPECT_EQ(alutInitWithoutContext(nullptr, nullptr), AL_TRUE);
    EXPECT_EQ(alutExit(), AL_TRUE);
    EXPECT_FALSE(std::filesystem::exists(sandbox->outputPath()));
}
} // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    AudioSandbox noDevice("none");
    sandbox = &noDevice;
    return RUN_ALL_TESTS();
}
