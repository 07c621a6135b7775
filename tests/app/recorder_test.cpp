// The game's record, driven as the clock and a player's clicks drive it:
// curavant-sim redraws from its files the picture the game drew.

#include "fraktur.h"
#include "gamerecorder.h"
#include "readings.h"
#include "simrun.h"

#include <QGuiApplication>
#include <QImage>
#include <gtest/gtest.h>
#include <sstream>

namespace
{

// Plays one game, every roll striking: a shock; infusion and transfusion end
// it and it strikes again in the same step; bleeding 2 and 3; suture and
// plaster stop the bleeding and it starts again in their steps. The last
// treatment comes after the last step. Returns the record's path and name.
std::string play(const std::string &folder)
{
    std::ostringstream echo;
    Fraktur patient(30);
    patient.setEcho(echo);
    GameRecorder recorder(QString::fromStdString(folder), patient);
    patient.reset();
    recorder.gameStarted();
    patient.complicationDivisor = 1000;
    for (const std::vector<int> &codes :
         std::vector<std::vector<int>>{{}, {1, 2}, {}, {}, {5}, {3}, {7}}) {
        for (const int code : codes)
            patient.treat(code), recorder.treated(code);
        if (codes != std::vector<int>{7})
            patient.tick(), recorder.stepped(takeReadings(patient));
    }
    recorder.gameEnded();
    const std::set<std::string> names = listing(folder);
    return names.empty() ? "" : folder + "/" + names.begin()->substr(0, names.begin()->find('.'));
}

QImage belowSubtitle(const std::string &path)
{
    return QImage(QString::fromStdString(path)).copy(0, 66, 1600, 834);
}

} // namespace

TEST(Recorder, TheGamesPictureIsRedrawnFromItsFilesWithEveryComplication)
{
    const std::string folder = freshFolder("records"), record = play(folder);
    const std::string script = readFile(record + ".txt");
    EXPECT_EQ(script.substr(script.find('\n') + 1),
              "# 1 Schock\n2 1\n2 2\n# 2 Schock\n# 3 Blutung 2\n# 4 Blutung 3\n5 5\n"
              "# 5 Blutung 1\n6 3\n# 6 Blutung 1\n7 7\n");
    const SimRun again =
        runSim({"--plot", folder + "/again.png", "--course", record + ".csv", record + ".txt"});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(belowSubtitle(folder + "/again.png"), belowSubtitle(record + ".png"));
}

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
