#include "gamerecorder.h"

#include "courselog.h"
#include "courseplot.h"
#include "coursetable.h"
#include "eventnames.h"
#include "fraktur.h"
#include "scenariofile.h"
#include "scenarionote.h"
#include "verdict.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace
{

QString dateAndTime(const QDateTime &when)
{
    return QLocale::c().toString(when, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

ScenarioNote noteFor(const ScenarioFile &file)
{
    if (file.path.empty())
        return {};
    return {file.scenario.title, std::filesystem::path(file.path).filename().string(),
            scenarioHash(file.bytes)};
}

} // namespace

GameRecorder::GameRecorder(QString folder, const Fraktur &patient)
    : folder(std::move(folder)), patient(patient)
{
}

GameRecorder::~GameRecorder()
{
    gameEnded();
}

void GameRecorder::gameStarted(const ScenarioFile &scenario)
{
    gameEnded();
    if (folder.isEmpty())
        return;
    started = QDateTime::currentDateTime();
    recording = openFiles();
    if (!recording)
        return;
    log = std::make_unique<CourseLog>(patient);
    steps = 0;
    score = patient.score;
    given.clear();
    judgedBy.reset();
    if (!scenario.path.empty())
        judgedBy = scenario.scenario;
    write(table, std::string(csvHeader) + "\n");
    write(treatments, "# Curavant game of " + dateAndTime(started).toStdString() + "\n" +
                          noteFor(scenario).lines());
    if (recording && !scenario.path.empty())
        copyScenario(scenario.bytes);
    // A record without its header or its scenario would be no record: leave
    // no empty files.
    if (!recording)
        for (const char *suffix : {".csv", ".txt"})
            QFile::remove(path + QLatin1String(suffix));
}

// The file as the game read it, so that the debrief and the report judge the
// game by the rubric it was played with, whatever becomes of the file.
void GameRecorder::copyScenario(const std::string &bytes)
{
    // Unbuffered: a write that fails then fails here, and not in the commit's
    // flush, which QSaveFile does not check.
    QSaveFile copy(path + QStringLiteral(".scenario.toml"));
    if (!copy.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(copy.errorString());
    for (qint64 done = 0; done < qint64(bytes.size());) {
        const qint64 written = copy.write(bytes.data() + done, qint64(bytes.size()) - done);
        if (written <= 0)
            return fail(copy.errorString());
        done += written;
    }
    if (!copy.commit())
        fail(copy.errorString());
}

bool GameRecorder::openFiles()
{
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), error);
    if (error) {
        fail(QString::fromStdString(error.message()));
        return false;
    }
    const QString base = QDir(folder).filePath(
        QLocale::c().toString(started, QStringLiteral("'curavant-'yyyyMMdd-HHmmss")));
    for (int n = 1; n < 1000 && !folder.isEmpty(); ++n)
        if (openNamed(n == 1 ? base : base + QLatin1Char('-') + QString::number(n)))
            return true;
    if (!folder.isEmpty())
        fail(QStringLiteral("every name for this second is taken"));
    return false;
}

// Opens the game's files under `base` unless one of them is there already:
// a name once taken is never written over.
bool GameRecorder::openNamed(const QString &base)
{
    if (QFile::exists(base + QStringLiteral(".png")) ||
        QFile::exists(base + QStringLiteral(".scenario.toml")))
        return false;
    const QByteArray name = QFile::encodeName(base);
    table = std::fopen((name + ".csv").constData(), "wx");
    if (table)
        treatments = std::fopen((name + ".txt").constData(), "wx");
    if (treatments) {
        path = base;
        return true;
    }
    const int why = errno;
    if (table) {
        std::fclose(table);
        table = nullptr;
        std::remove((name + ".csv").constData());
    }
    if (why != EEXIST)
        fail(QString::fromLocal8Bit(std::strerror(why)));
    return false;
}

void GameRecorder::treated(ActionCode code)
{
    if (!recording)
        return;
    log->treated(steps + 1, code);
    const int points = patient.score - score;
    score = patient.score;
    given.push_back({steps + 1, code, points});
    write(treatments, std::to_string(steps + 1) + " " + std::to_string(code) + "\n" +
                          pointsNote(steps + 1, code, points) + "\n");
}

void GameRecorder::stepped(const Readings &readings)
{
    if (!recording)
        return;
    ++steps;
    score = patient.score;
    const std::vector<CourseEvent> struck = log->stepped(steps, readings);
    write(table, csvRow(steps, patient, readings));
    // The table's shock column would miss a shock that a treatment ended and
    // the step started again: the script notes each complication as it struck.
    for (const CourseEvent &event : struck)
        write(treatments, complicationNote(event) + "\n");
}

// Each line reaches the file at once, so that a game cut short by a crash
// or a kill leaves a valid record up to its last step.
void GameRecorder::write(std::FILE *file, const std::string &text)
{
    if (recording && (std::fputs(text.c_str(), file) < 0 || std::fflush(file) != 0))
        fail(QString::fromLocal8Bit(std::strerror(errno)));
}

void GameRecorder::gameEnded()
{
    ended.clear();
    if (!recording)
        return;
    closeFiles();
    if (recording)
        drawPicture();
    if (recording)
        ended = path + QStringLiteral(".csv");
    recording = false;
    log.reset();
}

void GameRecorder::drawPicture()
{
    const Course &course = log->course();
    QSaveFile picture(path + QStringLiteral(".png"));
    const QString source = QStringLiteral("game of ") + dateAndTime(started);
    if (!picture.open(QIODevice::WriteOnly))
        return fail(picture.errorString());
    CoursePlot plot(course, source.toStdString());
    if (judgedBy && judgedBy->rubric)
        plot.showVerdict(judge(*judgedBy, course, given));
    const QString problem = plot.save(picture);
    if (!problem.isEmpty())
        fail(problem);
}

void GameRecorder::closeFiles()
{
    for (std::FILE **file : {&table, &treatments}) {
        const bool closed = !*file || std::fclose(*file) == 0;
        *file = nullptr;
        if (!closed && recording)
            fail(QString::fromLocal8Bit(std::strerror(errno)));
    }
}

// The first failure is reported; from then on nothing is recorded.
void GameRecorder::fail(const QString &reason)
{
    std::fprintf(stderr, "curavant: cannot record games in %s: %s\n",
                 QFile::encodeName(folder).constData(), reason.toLocal8Bit().constData());
    recording = false;
    folder.clear();
    closeFiles();
}
