// The game's record, driven as the game drives it: curavant-sim redraws from
// its files the game's picture and reports the points of its treatments; a
// game of a scenario file names it, keeps a copy and is judged by its rubric
// in the picture and the report; a full disk leaves no empty or cut file.

#include "fraktur.h"
#include "gamerecorder.h"
#include "readings.h"
#include "scenariofile.h"
#include "simrun.h"

#include <QImage>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
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

namespace
{

// A shock at step 2 and no other complication; the bleeding of stage 1 runs
// from step 1.
const std::string shortExam = R"(# Kurzprüfung: ein Schock in Sekunde 2, sonst keine Komplikationen
title = "Kurzprüfung"
[random]
complications = false
[[event]]
step = 2
what = "shock"
[rubric]
pass = 50
[[rubric.criterion]]
name = "Schock binnen 2 Sekunden beendet"
shock_within = 2
points = 40
critical = true
[[rubric.criterion]]
name = "Blutung binnen 3 Sekunden gestillt"
bleeding_within = 3
points = 30
[[rubric.criterion]]
name = "Kein Sauerstoff"
avoid = [13]
points = 30
)";

// The same case as the file says it.
ScenarioFile shortExamFile()
{
    ScenarioFile file{"/kurse/kurz.toml", shortExam, {}};
    file.scenario.title = "Kurzprüfung";
    file.scenario.complications = false;
    file.scenario.events = {{2, std::nullopt, Complication::Shock}};
    file.scenario.rubric = Rubric{
        50,
        {{"Schock binnen 2 Sekunden beendet", CriterionKind::ShockWithin, 2, {}, 40, true},
         {"Blutung binnen 3 Sekunden gestillt", CriterionKind::BleedingWithin, 3, {}, 30, false},
         {"Kein Sauerstoff", CriterionKind::Avoid, 0, {13}, 30, false}}};
    return file;
}

// Plays five steps of `file`'s scenario with the codes given before each step.
void playFive(GameRecorder &recorder, Fraktur &patient, const ScenarioFile &file,
              const std::map<int, std::vector<int>> &codes)
{
    patient.useScenario(file.scenario);
    patient.reset();
    recorder.gameStarted(file);
    for (int step = 1; step <= 5; ++step) {
        for (const int code : codes.count(step) ? codes.at(step) : std::vector<int>())
            patient.treat(code), recorder.treated(code);
        patient.tick(), recorder.stepped(takeReadings(patient));
    }
    recorder.gameEnded();
}

// Whether the verdict card's band at the picture's top right is green
// (passed) or red.
bool bandIsGreen(const std::string &picture)
{
    const QColor band = QImage(QString::fromStdString(picture)).pixelColor(1560, 80);
    return band.green() > 2 * band.red();
}

} // namespace

// Three games in one second: the short exam passed (plaster at 1, the shock
// at 2 ended at 4: 340 points), the short exam failed (the shock ended 3
// steps after, a critical miss, and the bleeding never stopped: 30 of 50),
// and a game of the built-in fracture.
TEST(Recorder, AGameOfAScenarioFileNamesItKeepsItsCopyAndIsJudged)
{
    const std::string folder = freshFolder("exam");
    std::ostringstream echo;
    Fraktur patient(gameComplicationDivisor);
    patient.setEcho(echo);
    GameRecorder recorder(QString::fromStdString(folder), patient);
    const ScenarioFile exam = shortExamFile();
    playFive(recorder, patient, exam, {{1, {3}}, {4, {1, 2}}});
    playFive(recorder, patient, exam, {{4, {1}}, {5, {2}}});
    playFive(recorder, patient, ScenarioFile(), {});

    std::vector<std::string> games;
    for (const std::string &name : listing(folder))
        if (name.size() > 4 && name.substr(name.size() - 4) == ".txt")
            games.push_back(folder + "/" + name.substr(0, name.size() - 4));
    ASSERT_EQ(games.size(), 3u);
    // In the order played: curavant-T, curavant-T-2, ..., then the next second.
    const auto order = [](const std::string &path) {
        const std::string name = path.substr(path.rfind('/') + 1);
        return std::pair(name.substr(0, 24), name.size() > 25 ? std::stoi(name.substr(25)) : 1);
    };
    std::sort(games.begin(), games.end(),
              [&](const std::string &a, const std::string &b) { return order(a) < order(b); });
    for (int game : {0, 1}) {
        const std::vector<std::string> header = lines(readFile(games[game] + ".txt"));
        ASSERT_GE(header.size(), 4u);
        EXPECT_EQ(header[1], "# Scenario title: Kurzprüfung");
        EXPECT_EQ(header[2], "# Scenario file: kurz.toml");
        EXPECT_EQ(header[3], "# Scenario SHA-256: 79d1f63fb4d5"); // as sha256sum has it
        EXPECT_EQ(readFile(games[game] + ".scenario.toml"), shortExam);
    }
    EXPECT_EQ(lines(readFile(games[2] + ".txt"))[1], "# Scenario: built-in fracture");
    EXPECT_EQ(listing(folder).count(games[2].substr(folder.size() + 1) + ".scenario.toml"), 0u);
    EXPECT_TRUE(bandIsGreen(games[0] + ".png"));
    EXPECT_FALSE(bandIsGreen(games[1] + ".png"));

    // curavant-sim --course judges the game by the copy beside it.
    const SimRun again =
        runSim({"--plot", folder + "/again.png", "--course", games[1] + ".csv", games[1] + ".txt"});
    ASSERT_EQ(again.status, 0) << again.err;
    const auto below = [](const std::string &path) { // the subtitle names the source
        return QImage(QString::fromStdString(path)).copy(0, 66, 1600, 834);
    };
    EXPECT_EQ(below(folder + "/again.png"), below(games[1] + ".png"));

    // The course report groups the games by scenario, each group with its
    // pass rate, each game with its result.
    const std::string report = freshFolder("exam-report") + "/report.pdf";
    const SimRun run = runSim({"--report", report, folder});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> pages = pdfPages(report);
    ASSERT_EQ(pages.size(), 4u);
    for (const char *text :
         {"Scenario: Kurzprüfung \u00b7 kurz.toml (SHA-256 79d1f63fb4d5) \u00b7 passed 1 of 2 "
          "judged games (50 %)\n",
          " 5 340 lives 1 2 1 3 0 passed 100/50\n",
          " 5 240 lives 1 3 not stopped 2 0 not passed 30/50\n",
          "Scenario: Curavant Beta Diagnose: Unterschenkelfraktur \u00b7 built-in fracture \u00b7 "
          "no "
          "rubric\n",
          " no rubric\n"})
        EXPECT_NE(pages[0].find(text), std::string::npos) << text << "in:\n" << pages[0];
    for (const char *text : {"Rubric: passed with 100 points, 50 needed\n",
                             "met Schock binnen 2 Sekunden beendet (40 points, critical)"})
        EXPECT_NE(pages[1].find(text), std::string::npos) << text << "in:\n" << pages[1];
    for (const char *text : {"Rubric: not passed with 30 points, 50 needed\n",
                             "missed Schock binnen 2 Sekunden beendet (40 points, critical)",
                             "missed Blutung binnen 3 Sekunden gestillt (30 points)",
                             "met Kein Sauerstoff (30 points)"})
        EXPECT_NE(pages[2].find(text), std::string::npos) << text << "in:\n" << pages[2];
    EXPECT_EQ(pages[3].find("Rubric"), std::string::npos) << pages[3];
}

// No room for the header; room for the headers, not the scenario's copy;
// room for the table and the script, not the picture.
TEST(Recorder, AFullDiskLeavesNoEmptyOrCutFileAndIsSaidOnce)
{
    struct Case {
        unsigned long bytes;
        bool scenario;
        std::size_t left;
    };
    for (const Case &c : {Case{100, false, 0}, Case{400, true, 0}, Case{20000, false, 2}}) {
        const std::string folder = freshFolder("full");
        testing::internal::CaptureStderr();
        withFullDisk(c.bytes, [&] {
            if (!c.scenario)
                return (void)play(folder);
            Fraktur patient(gameComplicationDivisor);
            std::ostringstream echo;
            patient.setEcho(echo);
            GameRecorder recorder(QString::fromStdString(folder), patient);
            playFive(recorder, patient, shortExamFile(), {});
        });
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "curavant: cannot record games in " + folder + ": File too large\n");
        EXPECT_EQ(listing(folder).size(), c.left) << c.bytes << " bytes";
    }
}
