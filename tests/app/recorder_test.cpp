// The game's record, driven as the game drives it: curavant-sim redraws from
// its files the game's picture and reports the points of its treatments; a
// full disk leaves no empty or cut file.

#include "fraktur.h"
#include "gamerecorder.h"
#include "readings.h"
#include "scenariofile.h"
#include "simrun.h"

#include <QImage>
#include <gtest/gtest.h>
#include <sstream>

namespace
{

// Every roll strikes: a shock, ended by infusion and transfusion and struck
// again in their step; bleeding 2, 3, stopped and started again in the steps
// of suture and plaster; oxygen, which costs; a treatment after the last
// step. Returns the record.
std::string play(const std::string &folder)
{
    std::ostringstream echo;
    Fraktur patient(gameComplicationDivisor);
    patient.setEcho(echo);
    GameRecorder recorder(QString::fromStdString(folder), patient);
    patient.reset();
    recorder.gameStarted(ScenarioFile());
    patient.complicationDivisor = 1000;
    for (const std::vector<int> &codes :
         std::vector<std::vector<int>>{{}, {1, 2}, {}, {}, {5}, {13, 3}, {7}}) {
        for (const int code : codes)
            patient.treat(code), recorder.treated(code);
        if (codes != std::vector<int>{7})
            patient.tick(), recorder.stepped(takeReadings(patient));
    }
    recorder.gameEnded();
    const std::set<std::string> names = listing(folder);
    return names.empty() ? "" : folder + "/" + names.begin()->substr(0, names.begin()->find('.'));
}

} // namespace

TEST(Recorder, TheGamesPictureIsRedrawnFromItsFilesWithEveryComplication)
{
    const std::string folder = freshFolder("records"), record = play(folder);
    const std::string script = readFile(record + ".txt");
    EXPECT_EQ(script.substr(script.find('\n') + 1),
              "# Scenario: built-in fracture\n# 1 Schock\n2 1\n# 2 Infusion (1): +150 Punkte\n2 2\n"
              "# 2 Transfusion (2): +150 Punkte\n# 2 Schock\n# 3 Blutung 2\n# 4 Blutung 3\n"
              "5 5\n# 5 Naht (5): +200 Punkte\n# 5 Blutung 1\n6 13\n"
              "# 6 Sauerstoff (13): -20 Punkte\n6 3\n# 6 Pflaster (3): +100 Punkte\n"
              "# 6 Blutung 1\n7 7\n# 7 Schmerzmittel (7): +100 Punkte\n");
    const SimRun again =
        runSim({"--plot", folder + "/again.png", "--course", record + ".csv", record + ".txt"});
    ASSERT_EQ(again.status, 0) << again.err;
    const auto below = [](const std::string &path) { // the subtitle names the source
        return QImage(QString::fromStdString(path)).copy(0, 66, 1600, 834);
    };
    EXPECT_EQ(below(folder + "/again.png"), below(record + ".png"));

    // The course report shows what each treatment gave or cost.
    const std::string report = freshFolder("report") + "/report.pdf";
    ASSERT_EQ(runSim({"--report", report, folder}).status, 0);
    const std::vector<std::string> pages = pdfPages(report);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_NE(pages[0].find(" 6 300 lives 2 1, untreated 5, 6 6 1\n"), std::string::npos)
        << pages[0];
    for (const char *treatment : {"\n2 Infusion 1 +150\n", "\n6 Sauerstoff 13 -20\n",
                                  "\n6 Pflaster 3 +100\n", "\n7 Schmerzmittel 7 +100\n"})
        EXPECT_NE(pages[1].find(treatment), std::string::npos) << treatment << pages[1];
}

// No room for the header; room for the table and the script, not the picture.
TEST(Recorder, AFullDiskLeavesNoEmptyOrCutFileAndIsSaidOnce)
{
    for (const auto &[bytes, left] : {std::pair(100ul, 0u), std::pair(20000ul, 2u)}) {
        const std::string folder = freshFolder("full");
        testing::internal::CaptureStderr();
        withFullDisk(bytes, [&] { play(folder); });
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "curavant: cannot record games in " + folder + ": File too large\n");
        EXPECT_EQ(listing(folder).size(), left) << bytes << " bytes: only the .csv and .txt";
    }
}
