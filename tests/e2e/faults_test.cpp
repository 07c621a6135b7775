// The real program with broken data, without a sound device and without a
// display. With broken data it must keep running on whatever it could read,
// write exactly the scene loader's lines, and end cleanly; without a display
// it must say so in one line and fail, not abort.

#include "gameprocess.h"
#include "player.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <string>

namespace
{
const std::string notFound = "File not found: ../data/scene002.iv\n";
const std::string notRead = "Problem reading file: ../data/scene002.iv\n";

// Each case breaks the game's data with a script run in data/. Beside it lie
// small.bmp, smaller than the ECG strip reads, and float.wav, of 32-bit float
// samples, which ALUT's loader (PCM and mu-law only) rejects.
struct DataCase {
    const char *name;
    const char *script;
    std::string output;
    bool audioDevice = true;
    // The display named by this option; DISPLAY unset or `displayVariable`.
    const char *displayOption = nullptr;
    const char *displayVariable = nullptr;
    const char *recordDir = nullptr; // CURAVANT_RECORD_DIR; the game writes no file without it
};

const DataCase dataCases[] = {
    {"DataFolderMissing", "rm -r ../data", notFound + notRead},
    {"SceneIconsEcgAndSoundsMissing", "rm -r scene002.iv Icons ekg1.bmp ekg2.bmp Sound",
     notFound + notRead},
    {"SceneAndMediaEmpty", "truncate -s 0 scene002.iv Icons/* logo.png ekg?.bmp Sound/*", notRead},
    {"SceneCutPicturesNotImagesSoundsOfNoise",
     "truncate -s 30000 scene002.iv; for f in Icons/* logo.png ekg?.bmp; do echo text > $f; done;"
     " for f in Sound/*; do head -c 20000 /dev/urandom > $f; done",
     notRead},
    {"SceneOfNoiseSmallEcgSoundsAlutRejects",
     "head -c 40000 /dev/urandom > scene002.iv; cp ../small.bmp ekg1.bmp; cp ../small.bmp ekg2.bmp;"
     " for f in Sound/*; do cp ../float.wav $f; done",
     notRead},
    {"NoPendulumsLogoMissingNoAudioDevice",
     "grep -q ' Pendulum {' scene002.iv; sed -i '/ Pendulum {/d' scene002.iv; rm logo.png", "",
     false},
    // The pendulum is looked up by name and type; tools and targets by name.
    {"Pend1NotAPendulumNoPlasterNoShin",
     "for name in 'pend1 Pendulum {' 'Pflaster ' 'L_Shin1 '; do grep -q \"DEF $name\" scene002.iv;"
     " done; sed -i -e 's/DEF pend1 Pendulum {/DEF pend1 Info { } Pendulum {/'"
     " -e 's/DEF Pflaster //' -e 's/DEF L_Shin1 //' scene002.iv",
     ""},
    {"DisplayOnlyOnCommandLine", "true", "", true, "-display"},
    {"CommandLineDisplayOverUnreachableOne", "true", "", true, "--display", ":4095"},
    {"RecordFolderUnwritable", "", "", true, nullptr, nullptr, "../data/logo.png/records"},
};

void PrintTo(const DataCase &c, std::ostream *os)
{
    *os << c.name;
}

class BrokenData : public ::testing::TestWithParam<DataCase>
{
};
} // namespace

TEST_P(BrokenData, GameRunsAndEndsCleanly)
{
    GameProcess game;
    QImage small(20, 10, QImage::Format_RGB32);
    small.fill(Qt::green);
    QFile wav(game.root() + QStringLiteral("/float.wav"));
    ASSERT_TRUE(game.isValid() && small.save(game.root() + QStringLiteral("/small.bmp")) &&
                wav.open(QIODevice::WriteOnly));
    wav.write(QByteArray::fromHex("524946462440000057415645666d74201000000003000100"
                                  "44ac000010b10200040020006461746100400000") +
              QByteArray(0x4000, '\0'));
    wav.close();
    ASSERT_EQ(QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-ec"),
                                                       QStringLiteral("cd %1; %2")
                                                           .arg(game.dataPath(QString()),
                                                                QLatin1String(GetParam().script))}),
              0)
        << "the case could not be set up";
    if (GetParam().recordDir)
        game.environment.insert(QStringLiteral("CURAVANT_RECORD_DIR"), GetParam().recordDir);
    if (GetParam().displayOption) {
        game.arguments << GetParam().displayOption << qEnvironmentVariable("DISPLAY");
        game.environment.remove(QStringLiteral("DISPLAY"));
        if (GetParam().displayVariable)
            game.environment.insert(QStringLiteral("DISPLAY"), GetParam().displayVariable);
    }
    if (!GetParam().audioDevice) {
        game.environment.remove(QStringLiteral("ALSOFT_CONF"));
        game.environment.insert(QStringLiteral("ALSOFT_DRIVERS"), QStringLiteral("none"));
    }
    Player player(game);
    ASSERT_TRUE(player.isOpen() && game.start());

    ASSERT_TRUE(player.waitForIdleWindow()) << "no idle window; stderr: " << game.errors();
    ASSERT_NO_FATAL_FAILURE(player.startGame());
    ASSERT_NO_FATAL_FAILURE(player.keepsPlaying());
    ASSERT_NO_FATAL_FAILURE(player.closeTwice());
    player.expectCleanEnd();
    EXPECT_EQ(game.output(), GetParam().output);
    // The wave writer's file shows whether the program opened a device.
    EXPECT_EQ(QFile::exists(game.root() + QStringLiteral("/mix.wav")), GetParam().audioDevice);
    EXPECT_TRUE(QDir(game.root() + QStringLiteral("/build")).isEmpty());
    const std::string cannot = "curavant: cannot record games in ";
    const std::size_t said = game.errors().find(cannot);
    EXPECT_EQ(said == std::string::npos, !GetParam().recordDir) << game.errors();
    if (GetParam().recordDir) {
        EXPECT_EQ(game.errors().find(cannot, said + 1), std::string::npos) << "said twice";
        EXPECT_EQ(game.errors().substr(said, game.errors().find('\n', said) + 1 - said),
                  cannot + GetParam().recordDir + ": Not a directory\n");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BrokenData, ::testing::ValuesIn(dataCases),
                         [](const ::testing::TestParamInfo<DataCase> &info) {
                             return std::string(info.param.name);
                         });

TEST(NoDisplay, OneClearLineAndAFailureStatus)
{
    const struct {
        QString display, platform;
        QStringList arguments;
    } cases[] = {{{}, {}, {}},
                 {{}, {}, {"-platform", "xcb"}},
                 {{}, "xcb", {}},
                 {":4095", {}, {}},
                 {{}, "wayland", {}},
                 {{}, {}, {"-platform", "wayland"}},
                 // Qt takes a platform's name in any capitals.
                 {{}, "Wayland", {}},
                 {{}, "Wayland;xcb", {}},
                 {{}, ";wayland", {}},
                 {{}, {}, {"-platform", "WAYLAND-EGL"}},
                 {{}, "XCB", {}},
                 {qEnvironmentVariable("DISPLAY"), {}, {"-display", ":4095"}}};
    for (const auto &[display, platform, arguments] : cases) {
        SCOPED_TRACE(
            ("DISPLAY=" + display + " QT_QPA_PLATFORM=" + platform + " " + arguments.join(' '))
                .toStdString());
        GameProcess game;
        game.arguments = arguments;
        game.environment.remove(QStringLiteral("DISPLAY"));
        game.environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        if (!display.isEmpty())
            game.environment.insert(QStringLiteral("DISPLAY"), display);
        if (!platform.isEmpty())
            game.environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        ASSERT_TRUE(game.isValid() && game.start());
        ASSERT_TRUE(game.waitForExit(stepTimeoutMs)) << "the program did not end by itself";
        EXPECT_FALSE(game.crashed());
        EXPECT_NE(game.exitCode(), 0);
        EXPECT_EQ(game.output(), "");
        // A Wayland platform named is replaced first, and said so.
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^(curavant: running through XWayland.*\\n)?"
                                                      "curavant: needs a graphical display: X11 "
                                                      "or XWayland.*\\n$"))
                        .match(QString::fromStdString(game.errors()))
                        .hasMatch())
            << game.errors();
    }
}
