// curavant-coursegen FOLDER GAMES STEPS: records a first-aid course of GAMES
// games of STEPS scenario steps each into FOLDER, as the game's recorder
// keeps them (the .csv table and the .txt script; no pictures). The fracture
// scenario runs as the window drives it, treated by trainees who watch the
// patient and react: slowly and with slips in the first games, quicker and
// knowing more from game to game. The records are named for a course
// morning, a game every four minutes from 2026-03-02 09:00, so that the same
// command gives the same files; the report benchmark and the README's
// example report are made of them.

#include "fraktur.h"
#include "gamerecorder.h"
#include "random.h"
#include "readings.h"
#include "scenariofile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace
{

// The dressing that stops a bleeding at `stage`.
ActionCode dressingFor(int stage)
{
    for (const Behandlung dressing :
         {Behandlung::Pflaster, Behandlung::Druckverband, Behandlung::Naht})
        if (Fraktur::stopsBleeding(actionCode(dressing), stage))
            return actionCode(dressing);
    return NoAction;
}

// A trainee in the `game`-th of `games` games: sees the shock and the
// bleeding after a step and treats them `delay` steps later.
class Trainee
{
  public:
    Trainee(int game, int games)
        : delay(std::max(1, 12 - 11 * game / std::max(games - 1, 1))),
          knows(4 * game / std::max(games - 1, 1)), slips(std::max(0, 3 - 6 * game / games))
    {
    }

    std::vector<ActionCode> treat(const Fraktur &patient, int step)
    {
        std::vector<ActionCode> codes;
        shockSeen = patient.shock ? (shockSeen ? shockSeen : step) : 0;
        bleedingSeen = patient.bleedingStage > 0 ? (bleedingSeen ? bleedingSeen : step) : 0;
        if (!patient.shock)
            infused = shockDone = false;
        if (shockSeen && step - shockSeen >= delay && !shockDone) {
            codes.push_back(actionCode(infused ? Behandlung::Transfusion : Behandlung::Infusion));
            // Both given, the shock is over. One that struck again at once
            // looks the same: only a trainee who knows sees it is new.
            shockDone = infused && knows < 2;
            shockSeen = infused ? 0 : shockSeen;
            infused = !infused;
        } else if (bleedingSeen && step - bleedingSeen >= delay) {
            const ActionCode right = dressingFor(patient.bleedingStage);
            // A slip: the plaster whatever the stage.
            codes.push_back(slips > 0 && step % 3 == 0 ? actionCode(Behandlung::Pflaster) : right);
            slips -= codes.back() != right;
        }
        if (step == 8 + delay && knows >= 1)
            codes.push_back(actionCode(Behandlung::Wundreinigung));
        if (step == 14 + delay && knows >= 2)
            codes.push_back(actionCode(Behandlung::Schmerzmittel));
        if (step % 37 == 11 && slips > 0) {
            codes.push_back(
                actionCode(step % 2 ? Behandlung::Sauerstoff : Behandlung::Paracetamol));
            --slips;
        }
        return codes;
    }

  private:
    int delay, knows, slips;
    int shockSeen = 0, bleedingSeen = 0;
    bool infused = false, shockDone = false;
};

// Moves the record just made to the name of its time in the course.
bool rename(const QString &scratch, const QString &folder, const QDateTime &when)
{
    const QStringList made = QDir(scratch).entryList({QStringLiteral("curavant-*.csv")});
    if (made.size() != 1)
        return false;
    const QString from = scratch + QLatin1Char('/') + made[0].chopped(4);
    const QString to = folder + QLatin1Char('/') +
                       QLocale::c().toString(when, QStringLiteral("'curavant-'yyyyMMdd-HHmmss"));
    QFile script(from + QStringLiteral(".txt"));
    if (!script.open(QIODevice::ReadOnly))
        return false;
    QByteArray text = script.readAll();
    text = "# Curavant game of " +
           QLocale::c().toString(when, QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLatin1() +
           text.mid(text.indexOf('\n'));
    QFile renamed(to + QStringLiteral(".txt"));
    return renamed.open(QIODevice::WriteOnly) && renamed.write(text) == text.size() &&
           QFile::remove(from + QStringLiteral(".txt")) &&
           QFile::remove(from + QStringLiteral(".png")) &&
           QFile::rename(from + QStringLiteral(".csv"), to + QStringLiteral(".csv"));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const int games = argc == 4 ? std::atoi(argv[2]) : 0,
              steps = argc == 4 ? std::atoi(argv[3]) : 0;
    if (games < 1 || steps < 1) {
        std::fprintf(stderr, "Usage: curavant-coursegen FOLDER GAMES STEPS\n");
        return 2;
    }
    const QString folder = QFile::decodeName(argv[1]), scratch = folder + "/.recording";
    const QDateTime start(QDate(2026, 3, 2), QTime(9, 0));
    restartRandomSequence();
    std::ostringstream echo;
    Fraktur patient(gameComplicationDivisor);
    patient.setEcho(echo);
    for (int game = 0; game < games; ++game) {
        {
            GameRecorder recorder(scratch, patient);
            Trainee trainee(game, games);
            patient.reset();
            recorder.gameStarted(ScenarioFile());
            for (int step = 1; step <= steps; ++step) {
                for (const ActionCode code : trainee.treat(patient, step))
                    patient.treat(code), recorder.treated(code);
                patient.tick();
                recorder.stepped(takeReadings(patient));
            }
        }
        if (!rename(scratch, folder, start.addSecs(240 * game))) {
            std::fprintf(stderr, "curavant-coursegen: cannot record in %s\n", argv[1]);
            return 1;
        }
    }
    QDir(scratch).removeRecursively();
    return 0;
}
