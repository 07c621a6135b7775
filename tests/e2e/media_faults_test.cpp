// The real program with broken pictures and sounds, and without a sound
// device: each case breaks some files, plays a short game and closes the
// window twice. None of these files is checked by the program, so it must
// keep running, write nothing to standard output and end cleanly.

#include "gameprocess.h"
#include "gameround.h"
#include "gamescreen.h"
#include "imagecompare.h"
#include "player.h"
#include "scratchtree.h"

#include <AL/alut.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QtEndian>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

namespace
{
const QStringList icons = {QStringLiteral("schmerzmittel.bmp"),
                           QStringLiteral("antidurchfall.bmp"),
                           QStringLiteral("antibrechmittel.bmp"),
                           QStringLiteral("paracetamol.bmp"),
                           QStringLiteral("blutdrucksenker.bmp"),
                           QStringLiteral("pflaster.bmp"),
                           QStringLiteral("druckverband.bmp"),
                           QStringLiteral("naehen.bmp"),
                           QStringLiteral("reinigen.bmp"),
                           QStringLiteral("o2.bmp"),
                           QStringLiteral("defi.bmp")};
const QStringList ecgImages = {QStringLiteral("ekg1.bmp"), QStringLiteral("ekg2.bmp")};
const QStringList sounds = {QStringLiteral("Sound/beep.wav"), QStringLiteral("Sound/alarm.wav"),
                            QStringLiteral("Sound/atmosphere2.wav")};
const QByteArray notAnImage = "This is a text file, not a picture.\n";

QStringList inFolder(const QString &folder, const QStringList &names)
{
    QStringList paths;
    for (const QString &name : names)
        paths << folder + name;
    return paths;
}

bool writeAll(ScratchTree &tree, const QStringList &paths, const QByteArray &bytes)
{
    for (const QString &path : paths)
        if (!tree.write(path, bytes))
            return false;
    return true;
}

bool fillAllWithNoise(ScratchTree &tree, const QStringList &paths)
{
    for (const QString &path : paths)
        if (!tree.fillWithNoise(path, 20000))
            return false;
    return true;
}

// An ECG picture smaller than the 60 x 50 the strip reads.
QByteArray smallBitmap()
{
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::green);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// A well-formed WAV file of 32-bit float samples: a format that ALUT's
// loader does not take (it reads PCM and mu-law).
QByteArray floatWav()
{
    const quint32 samples = 4410;
    QByteArray bytes;
    auto u32 = [&](quint32 v) {
        v = qToLittleEndian(v);
        bytes.append(reinterpret_cast<const char *>(&v), 4);
    };
    auto u16 = [&](quint16 v) {
        v = qToLittleEndian(v);
        bytes.append(reinterpret_cast<const char *>(&v), 2);
    };
    bytes.append("RIFF");
    u32(36 + samples * 4);
    bytes.append("WAVEfmt ");
    u32(16);
    u16(3); // IEEE float
    u16(1);
    u32(44100);
    u32(44100 * 4);
    u16(4);
    u16(32);
    bytes.append("data");
    u32(samples * 4);
    for (quint32 i = 0; i < samples; ++i) {
        const float value = static_cast<float>(i % 100) / 100.0f - 0.5f;
        quint32 raw = 0;
        std::memcpy(&raw, &value, 4);
        u32(raw);
    }
    return bytes;
}

bool alutRejects(const QString &path)
{
    alutInitWithoutContext(nullptr, nullptr);
    ALenum format = 0;
    ALsizei size = 0;
    ALfloat frequency = 0;
    ALvoid *data =
        alutLoadMemoryFromFile(path.toLocal8Bit().constData(), &format, &size, &frequency);
    free(data);
    alutExit();
    return data == nullptr;
}

struct MediaCase {
    const char *name;
    std::function<bool(ScratchTree &)> breakData;
    GameProcess::Audio audio = GameProcess::Audio::WaveFile;
    bool blankLogo = false;
};

void PrintTo(const MediaCase &c, std::ostream *os)
{
    *os << c.name;
}

const MediaCase mediaCases[] = {
    {"IconsMissing", [](ScratchTree &t) { return t.remove(QStringLiteral("Icons")); }},
    {"IconsEmpty",
     [](ScratchTree &t) { return writeAll(t, inFolder(QStringLiteral("Icons/"), icons), {}); }},
    {"IconsNotImages",
     [](ScratchTree &t) {
         return writeAll(t, inFolder(QStringLiteral("Icons/"), icons), notAnImage);
     }},
    {"LogoMissing", [](ScratchTree &t) { return t.remove(QStringLiteral("logo.png")); },
     GameProcess::Audio::WaveFile, true},
    {"LogoEmpty", [](ScratchTree &t) { return t.write(QStringLiteral("logo.png"), {}); },
     GameProcess::Audio::WaveFile, true},
    {"LogoNotAnImage",
     [](ScratchTree &t) { return t.write(QStringLiteral("logo.png"), notAnImage); },
     GameProcess::Audio::WaveFile, true},
    {"EcgMissing", [](ScratchTree &t) { return t.remove(ecgImages[0]) && t.remove(ecgImages[1]); }},
    {"EcgEmpty", [](ScratchTree &t) { return writeAll(t, ecgImages, {}); }},
    {"EcgNotImages", [](ScratchTree &t) { return writeAll(t, ecgImages, notAnImage); }},
    {"EcgSmallerThanTheStrip",
     [](ScratchTree &t) { return writeAll(t, ecgImages, smallBitmap()); }},
    {"SoundsMissing", [](ScratchTree &t) { return t.remove(QStringLiteral("Sound")); }},
    {"SoundsEmpty", [](ScratchTree &t) { return writeAll(t, sounds, {}); }},
    {"SoundsCorrupt", [](ScratchTree &t) { return fillAllWithNoise(t, sounds); }},
    {"SoundsInAFormatAlutRejects",
     [](ScratchTree &t) {
         return writeAll(t, sounds, floatWav()) && alutRejects(t.dataPath(sounds[0]));
     }},
    {"NoAudioDevice", [](ScratchTree &) { return true; }, GameProcess::Audio::NoDevice},
};

class MediaFaults : public ::testing::TestWithParam<MediaCase>
{
};
} // namespace

TEST_P(MediaFaults, GameRunsSilentlyAndEndsCleanly)
{
    ScratchTree tree;
    ASSERT_TRUE(tree.isValid());
    ASSERT_TRUE(GetParam().breakData(tree)) << "the case could not be set up";
    GameScreen screen;
    ASSERT_TRUE(screen.isOpen());
    GameProcess::Options options;
    options.audio = GetParam().audio;
    GameProcess game(tree, options);
    ASSERT_TRUE(game.start());
    Player player(game, screen);
    GameRound round(game, player);

    // A logo that cannot be read leaves its place blank.
    ASSERT_NO_FATAL_FAILURE(round.openIdleWindow(!GetParam().blankLogo));
    EXPECT_EQ(isPlain(player.viewShot()), GetParam().blankLogo);
    ASSERT_NO_FATAL_FAILURE(round.startGame());
    ASSERT_NO_FATAL_FAILURE(round.keepsPlaying());
    ASSERT_NO_FATAL_FAILURE(round.closeTwice());
    round.expectCleanEnd("");
    // The wave writer stands in for a sound card: its file shows that the
    // program opened a device (and so loaded its sounds) or found none.
    EXPECT_EQ(QFile::exists(tree.root() + QStringLiteral("/mix.wav")),
              GetParam().audio == GameProcess::Audio::WaveFile);
}

INSTANTIATE_TEST_SUITE_P(Cases, MediaFaults, ::testing::ValuesIn(mediaCases),
                         [](const ::testing::TestParamInfo<MediaCase> &info) {
                             return std::string(info.param.name);
                         });
