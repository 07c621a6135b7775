// The committed media as the game uses them: the flat start of the sinus
// beat that a dead patient's strip repeats, and sounds that ALUT can load (a
// file it cannot read would leave its sound silent).

#include <AL/alut.h>
#include <QImage>
#include <QVector>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

// A dead patient's strip repeats columns 0 to 2 over and over: they must be
// one thin flat line. The beat ends as it starts, so the cycles join
// seamlessly.
TEST(Pictures, SinusBeatStartsFlatAndWrapsOnItsBaseline)
{
    const QImage image(QStringLiteral("../data/ekg1.bmp"));
    ASSERT_TRUE(image.size() == QSize(60, 50));
    const auto column = [&image](int x) {
        QVector<QRgb> pixels;
        for (int y = 0; y < image.height(); ++y)
            pixels << image.pixel(x, y);
        return pixels;
    };
    EXPECT_EQ(column(1), column(0));
    EXPECT_EQ(column(2), column(0));
    EXPECT_EQ(column(59), column(0));
    int traceRows = 0;
    for (const QRgb pixel : column(0))
        traceRows += qGreen(pixel) > 120;
    EXPECT_TRUE(traceRows >= 1 && traceRows <= 2) << traceRows << " bright rows";
    EXPECT_LT(qGray(image.pixel(0, 0)), 40) << "a dark monitor screen";
}

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
