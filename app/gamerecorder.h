#pragma once

#include "codes.h"
#include "scenario.h"
#include "script.h"

#include <QDateTime>
#include <QString>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

class CourseLog;
class Fraktur;
struct Readings;
struct ScenarioFile;

// Keeps every game played in the window for a debrief, in the folder that
// CURAVANT_RECORD_DIR names: curavant-YYYYMMDD-HHMMSS.csv, the course as
// curavant-sim prints it, one row written and flushed per step; .txt, the
// treatments as a curavant-sim script, with the points each gave or cost and
// every complication noted in comments, and the scenario named in its header;
// .scenario.toml, a copy of the scenario file played, if any; .png, the
// course drawn at the game's end with the rubric's verdict, as curavant-sim
// redraws it from the others. It only reads what the game hands it and
// draws no random number.
// When the folder cannot be written it says so once on standard error and
// records nothing more.
class GameRecorder
{
  public:
    // An empty folder: nothing is recorded and no file is touched.
    GameRecorder(QString folder, const Fraktur &patient);
    ~GameRecorder(); // ends a game still running
    GameRecorder(const GameRecorder &) = delete;
    GameRecorder &operator=(const GameRecorder &) = delete;

    // After "Start!" has reset the scenario; ends a game still running first.
    // `scenario` is the file the game plays (an empty path: none).
    void gameStarted(const ScenarioFile &scenario);
    // After the scenario has been given `code`.
    void treated(ActionCode code);
    // After a scenario step, with the readings the monitor was given.
    void stepped(const Readings &readings);
    void gameEnded();
    // Read by the window after gameEnded(): the NAME.csv of the game that
    // call closed whole; empty when it closed none.
    const QString &endedTable() const { return ended; }

  private:
    bool openFiles();
    bool openNamed(const QString &base);
    void copyScenario(const std::string &bytes);
    void write(std::FILE *file, const std::string &text);
    void drawPicture();
    void closeFiles();
    void fail(const QString &reason);

    QString folder;
    const Fraktur &patient;
    bool recording = false;
    QDateTime started;
    QString path; // of the game's files, without the suffix
    QString ended;
    std::FILE *table = nullptr;
    std::FILE *treatments = nullptr;
    std::unique_ptr<CourseLog> log;
    // The scenario file played, for the verdict; unset without one.
    std::optional<Scenario> judgedBy;
    std::vector<Treatment> given; // all of the game's, also after its last step
    int steps = 0;
    // As last seen: the score moves only with treatments and steps, and the
    // recorder sees each of them.
    int score = 0;
};
