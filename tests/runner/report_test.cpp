// curavant-sim --report read as a person reads it: the text of its pages
// (pdftotext) for a course worked out by hand, with broken records among its
// games; the same file in every locale and time zone; bad input.

#include "coursetable.h"
#include "simrun.h"

#include <QImage>
#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace
{

// A table row as a record has it; only the columns the report reads vary.
std::string row(int step, int score, bool alive, bool shock, int bleeding)
{
    return std::to_string(step) + "," + std::to_string(score) + ",90," + (alive ? "1," : "0,") +
           (shock ? "1," : "0,") + std::to_string(bleeding) + ",80,80,1,1,95,116,77,36.5,14," +
           (alive ? "0" : "-1") + "\n";
}

std::string table(const std::vector<std::string> &rows)
{
    std::string text = std::string(csvHeader) + "\n";
    for (const std::string &r : rows)
        text += r;
    return text;
}

void record(const std::string &folder, const std::string &name, const std::string &csv,
            const char *txt)
{
    writeFile(folder + "/" + name + ".csv", csv);
    if (txt)
        writeFile(folder + "/" + name + ".txt", txt);
}

std::string head(const std::string &time)
{
    return "# Curavant game of 2026-03-02 " + time + "\n";
}

// Three games: the shock treated in 2 steps, the bleeding stopped at 2, one
// treatment costing 20; a death with the shock untreated; a record made
// before treatments had their points noted. The medians are of 320, -100
// and 100, and of the one shock treated.
std::string handCourse()
{
    const std::string folder = freshFolder("course");
    record(folder, "curavant-20260302-090000",
           table({row(1, -60, 1, 1, 1), row(2, 40, 1, 1, 0), row(3, 340, 1, 0, 0),
                  row(4, 320, 1, 0, 0)}),
           (head("09:00:00") + "# 1 Schock\n2 3\n# 2 Pflaster (3): +100 Punkte\n3 1\n"
                               "# 3 Infusion (1): +150 Punkte\n3 2\n# 3 Transfusion (2): +150 "
                               "Punkte\n4 13\n# 4 Sauerstoff (13): -20 Punkte\n")
               .c_str());
    record(folder, "curavant-20260302-090500",
           table({row(1, -60, 1, 1, 1), row(2, -100, 1, 1, 2), row(3, -100, 0, 0, 0)}),
           (head("09:05:00") + "# 1 Schock\n# 2 Blutung 2\n# 3 Tod\n").c_str());
    record(folder, "curavant-20260302-091000", table({row(1, 0, 1, 0, 1), row(2, 100, 1, 0, 1)}),
           (head("09:10:00") + "2 7\n").c_str());
    return folder;
}

struct Broken {
    const char *name;
    std::string csv;
    const char *txt, *reason;
};

} // namespace

TEST(Report, ACourseWorkedOutByHandWithItsBrokenRecordsSkipped)
{
    const std::string folder = handCourse(), good = table({row(1, 0, 1, 0, 1)});
    const Broken broken[] = {
        {"curavant-20260302-092000", good + row(2, 0, 1, 0, 1), "", nullptr},
        {"curavant-20260302-092500", good, nullptr,
         "curavant-20260302-092500.txt: cannot read: No such file or directory"},
        {"curavant-20260302-093000", good, "1 x\n",
         "curavant-20260302-093000.txt:1: expected two integers '<step> <code>'"},
        {"curavant-20260302-093500", "step,score\n1,0\n", "",
         "curavant-20260302-093500.csv:1: not a course table: the header differs from "
         "curavant-sim's"},
        {"curavant-notes", good, "",
         "not named as the game names a record (curavant-YYYYMMDD-HHMMSS)"},
    };
    for (const Broken &b : broken) {
        std::string csv = b.csv;
        if (!b.reason)
            csv.pop_back(); // the last row cut short by a kill
        record(folder, b.name, csv, b.txt);
    }
    const SimRun run = runSim({"--report", folder + "/course.pdf", folder});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    const std::vector<std::string> pages = pdfPages(folder + "/course.pdf");
    ASSERT_EQ(pages.size(), 4u) << "the course page and one per game read";
    for (const char *line :
         {"1 2026-03-02 09:00:00 4 320 lives 1 2 2 4 1\n",
          "2 2026-03-02 09:05:00 3 -100 died at step 3 1 untreated not stopped 0 0\n",
          "3 2026-03-02 09:10:00 2 100 lives 0 none not stopped 1 unknown\n",
          "skipped curavant-20260302-092000: curavant-20260302-092000.csv: the last row "
          "is cut short\n",
          "Games 3\n", "Patients alive at the end 2\n", "Median final score 100\n",
          "Median steps to treat a shock 2\n", "Shocks untreated 1\n", "Records skipped 5\n"})
        EXPECT_NE(pages[0].find(line), std::string::npos) << line << "in:\n" << pages[0];
    for (const Broken &b : broken)
        if (b.reason) {
            EXPECT_NE(pages[0].find("skipped " + std::string(b.name) + ": " + b.reason + "\n"),
                      std::string::npos)
                << b.name;
        }
    // Records that name no scenario: the built-in fracture, reported as ever.
    for (const char *text : {"Scenario", "Rubric", "not judged"})
        EXPECT_EQ(pages[0].find(text), std::string::npos) << text;
    EXPECT_NE(pages[1].find("Game 1 of 3: 2026-03-02 09:00:00\n"), std::string::npos);
    for (const char *treatment : {"\n2 Pflaster 3 +100\n", "\n3 Infusion 1 +150\n",
                                  "\n3 Transfusion 2 +150\n", "\n4 Sauerstoff 13 -20\n"})
        EXPECT_NE(pages[1].find(treatment), std::string::npos) << treatment << pages[1];
    EXPECT_NE(pages[2].find("No treatments."), std::string::npos);
    EXPECT_NE(pages[3].find("\n2 Schmerzmittel 7 unknown\n"), std::string::npos) << pages[3];

    // Every page drawn, each with its heading in the top left corner.
    const std::string pictures = freshFolder("pictures") + "/page";
    ASSERT_EQ(std::system(("pdftoppm -r 40 -png " + folder + "/course.pdf " + pictures).c_str()),
              0);
    for (int page = 1; page <= 4; ++page) {
        const QImage image(QString::fromStdString(pictures + "-" + std::to_string(page) + ".png"));
        ASSERT_EQ(image.size(), QSize(468, 331)) << "A4 landscape, page " << page;
        int dark = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 200; ++x)
                dark += qGray(image.pixel(x, y)) < 128;
        EXPECT_GT(dark, 50) << "page " << page;
    }
    // The fonts go with the file.
    std::system(("pdffonts " + folder + "/course.pdf >" + pictures + "-fonts").c_str());
    const std::vector<std::string> fonts = lines(readFile(pictures + "-fonts"));
    ASSERT_GE(fonts.size(), 3u);
    for (std::size_t i = 2; i < fonts.size(); ++i)
        EXPECT_NE(fonts[i].find(" yes "), std::string::npos) << fonts[i];
}

// A scenario copy missing, changed since the game, or no longer readable:
// its game is reported, not judged, and the reason listed.
TEST(Report, AGameWhoseScenarioCopyCannotBeUsedIsListedAndNotJudged)
{
    const std::string folder = freshFolder("copies");
    const auto named = [](const char *time, const char *file, const char *hash) {
        return head(time) + "# Scenario title: Kurzprüfung\n# Scenario file: " + file +
               "\n# Scenario SHA-256: " + hash + "\n";
    };
    struct Case {
        const char *name;
        std::string txt;
        const char *copy; // nullptr: none
        std::string reason;
    };
    const Case cases[] = {
        {"curavant-20260302-100000", named("10:00:00", "kurz.toml", "79d1f63fb4d5"), nullptr,
         ".scenario.toml: missing, the copy of the scenario file 'kurz.toml' the game was played "
         "with"},
        {"curavant-20260302-100500", named("10:05:00", "kurz.toml", "79d1f63fb4d5"), "pass = 1\n",
         ".scenario.toml: changed since the game (SHA-256 5765b15940bc, the record names "
         "'79d1f63fb4d5')"},
        // Waits for the scenario file reader: the stub reads every text.
        {"curavant-20260302-101000", named("10:10:00", "kaputt.toml", "4f5edc235f12"), "title = \n",
         ".scenario.toml:1:"},
    };
    for (const Case &c : cases) {
        record(folder, c.name, table({row(1, 0, 1, 0, 1)}), c.txt.c_str());
        if (c.copy)
            writeFile(folder + "/" + c.name + ".scenario.toml", c.copy);
    }
    const SimRun run = runSim({"--report", folder + "/copies.pdf", folder});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> pages = pdfPages(folder + "/copies.pdf");
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_NE(pages[0].find("Games not judged (3): their scenario copy cannot be used\n"),
              std::string::npos)
        << pages[0];
    for (const Case &c : cases) {
        EXPECT_NE(pages[0].find(std::string("game ") + c.name + ": " + c.name + c.reason),
                  std::string::npos)
            << c.name << " in:\n"
            << pages[0];
    }
    EXPECT_NE(pages[0].find("kurz.toml (SHA-256 79d1f63fb4d5) \u00b7 2 not judged\n"),
              std::string::npos);
    EXPECT_NE(pages[0].find(" 1 0 lives 0 none not stopped 0 0 not judged\n"), std::string::npos);
    EXPECT_NE(pages[1].find("Not judged: curavant-20260302-100000.scenario.toml: missing"),
              std::string::npos)
        << pages[1];
}

// A record that names its scenario notes every complication: its table's
// bleeding at stage 2 from the start is no rise, as it would be in a record
// without notes, where a game starts at stage 1.
TEST(Report, ARecordNamingItsScenarioTakesOnlyTheComplicationsItNotes)
{
    const std::string folder = freshFolder("noted");
    const std::string csv = table({row(1, 0, 1, 0, 2), row(2, 0, 1, 0, 2)});
    record(folder, "curavant-20260302-110000", csv,
           (head("11:00:00") + "# Scenario: built-in fracture\n").c_str());
    record(folder, "curavant-20260302-110500", csv, head("11:05:00").c_str());
    ASSERT_EQ(runSim({"--report", folder + "/noted.pdf", folder}).status, 0);
    const std::vector<std::string> pages = pdfPages(folder + "/noted.pdf");
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[1].find("Blutung 2"), std::string::npos) << pages[1];
    EXPECT_NE(pages[2].find("Blutung 2"), std::string::npos) << pages[2];
}

TEST(Report, TheSameRecordsGiveTheSameFileInEveryLocaleAndTimeZone)
{
    const std::string folder = handCourse(), first = folder + "/first.pdf";
    ASSERT_EQ(runSim({"--report", first, folder}).status, 0);
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    setenv("TZ", "America/New_York", 1);
    const SimRun again = runSim({"--report", folder + "/again.pdf", folder});
    unsetenv("LC_ALL");
    unsetenv("TZ");
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(readFile(folder + "/again.pdf"), readFile(first));
    // Dated by the newest record, not the clock: today is nowhere in the file.
    EXPECT_NE(readFile(first).find("/CreationDate (D:20260302091000)"), std::string::npos);
    const std::time_t now = std::time(nullptr);
    char today[2][16];
    std::strftime(today[0], sizeof today[0], "%Y%m%d", std::gmtime(&now));
    std::strftime(today[1], sizeof today[1], "%Y-%m-%d", std::gmtime(&now));
    for (const char *date : today)
        EXPECT_EQ(readFile(first).find(date), std::string::npos) << date;
}

TEST(Report, BadInputSaysSoInOneLineAndLeavesNoFile)
{
    const std::string course = handCourse(), out = freshFolder("out"), empty = freshFolder("empty");
    const std::string older = writeFile(out + "/older.pdf", "older");
    mkfifo((out + "/pipe.pdf").c_str(), 0600);
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message; // after "curavant-sim: "
        unsigned long disk = 0;
    };
    const Case cases[] = {
        {{out + "/r.pdf", empty}, 2, "no recorded game (curavant-*.csv) in " + empty},
        {{out + "/r.pdf", course, out + "/none"}, 2, out + "/none: no such folder"},
        {{out + "/r.png", course},
         2,
         "--report writes PDF files only: give a file name ending in .pdf, not '" + out +
             "/r.png'"},
        {{out + "/r.pdf"}, 2, "--report needs the folders of the recorded games"},
        {{out + "/none/r.pdf", course},
         1,
         out + "/none/r.pdf: cannot write the report: No such file or directory"},
        {{out + "/pipe.pdf", course},
         1,
         out + "/pipe.pdf: cannot write the report: not a regular file"},
        {{older, course}, 1, older + ": cannot write the report: File too large", 20000},
    };
    for (const Case &c : cases) {
        std::vector<std::string> args = {"--report"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        SimRun run;
        withFullDisk(c.disk ? c.disk : 1ul << 40, [&] { run = runSim(args); });
        EXPECT_EQ(run.status, c.status) << c.message;
        EXPECT_EQ(run.err, "curavant-sim: " + c.message + "\n");
        EXPECT_EQ(listing(out), (std::set<std::string>{"older.pdf", "pipe.pdf"})) << c.message;
    }
    EXPECT_EQ(readFile(older), "older");
}
