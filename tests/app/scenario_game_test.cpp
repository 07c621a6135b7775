// Scenarios in the real game window: a game played from a scenario (its
// length, its random start, the spray's own sequence, the rubric's result at
// "Ende"), and the menu that lists the installed scenarios and chooses one.

#include "gamefixture.h"

#include "fenster.h"
#include "fraktur.h"
#include "scenariomenu.h"
#include "scenestate.h"
#include "verdictpanel.h"

#include <Inventor/Qt/SoQtRenderArea.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <ostream>
#include <vector>

void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace
{
// An exam: two minutes, a fixed start, the spray on its own sequence, and a
// rubric. Built here, not read, so that the game's side is tested alone.
ScenarioFile exam(SprayRandom spray)
{
    ScenarioFile file;
    file.path = "exam.toml";
    file.scenario.tenths = 1200;
    file.scenario.randomStart = 4711;
    file.scenario.spray = spray;
    Criterion alive;
    alive.name = "Patient lebt";
    alive.points = 60;
    alive.critical = true;
    file.scenario.rubric = Rubric{60, {alive}};
    return file;
}

// What the player sees of the complications after each scenario step.
struct Seen {
    bool shock;
    int bleedingStage, score;
    bool operator==(const Seen &o) const
    {
        return shock == o.shock && bleedingStage == o.bleedingStage && score == o.score;
    }
};

// Starts a game and plays its whole clock, drawing the room `frames` times
// after every tick; the spray draws random numbers in the frames that bleed.
std::vector<Seen> playGame(Fenster &w, int frames)
{
    w.startAction->trigger();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
    QCoreApplication::processEvents(); // the view learns that it is shown
    std::vector<Seen> course;
    while (w.timeLeft > 0) {
        w.advanceClock();
        for (int i = 0; i < frames; ++i)
            renderArea->render();
        if (w.timeLeft % 20 == 0)
            course.push_back({w.level->shock, w.level->bleedingStage, w.level->score});
    }
    w.endAction->trigger();
    return course;
}

std::vector<Seen> twoGames(SprayRandom spray, std::vector<Seen> &withFewFrames)
{
    std::vector<Seen> withManyFrames;
    runWindow(
        [&](Fenster &w) {
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
            withManyFrames = playGame(w, 1);
            withFewFrames = playGame(w, 0);
        },
        nullptr, exam(spray));
    return withManyFrames;
}
} // namespace

TEST(ScenarioGame, LengthFromTheScenarioAndTheResultShownFromEndeToStart)
{
    const auto body = [](Fenster &w) {
        EXPECT_EQ(w.timeLabel->text(), "TIME: 2:00");
        w.startAction->trigger();
        EXPECT_EQ(w.timeLeft, 1200);
        w.advanceClock();
        EXPECT_EQ(w.timeLabel->text(), "Time: 1:59");
        EXPECT_FALSE(w.verdictPanel->isVisible());
        w.endAction->trigger();
        ASSERT_TRUE(w.verdictPanel->isVisible()) << "no result at Ende";
        EXPECT_EQ(w.verdictPanel->verdict().pass, 60);
        const QString picture = qEnvironmentVariable("CURAVANT_VERDICT_PICTURE");
        if (!picture.isEmpty())
            w.grab().save(picture);
        w.endAction->trigger(); // while idle: the result stays
        EXPECT_TRUE(w.verdictPanel->isVisible());
        w.startAction->trigger();
        EXPECT_FALSE(w.verdictPanel->isVisible()) << "the result outlived Start!";
    };
    runWindow(body, nullptr, exam(SprayRandom::Own));

    // The built-in fracture: four minutes, and "Ende" shows the logo alone.
    runWindow([](Fenster &w) {
        EXPECT_EQ(w.timeLabel->text(), "TIME: 4:00");
        w.startAction->trigger();
        EXPECT_EQ(w.timeLeft, 2400);
        w.advanceClock();
        w.endAction->trigger();
        EXPECT_TRUE(w.logoLabel->isVisible());
        EXPECT_FALSE(w.verdictPanel->isVisible());
    });
}

// With its own sequence for the spray, a fixed start gives the same
// complications whatever the view draws; sharing the game's sequence, the
// frames drawn change them.
TEST(ScenarioGame, OwnSprayKeepsTheComplicationsApartFromTheFrames)
{
    std::vector<Seen> fewFrames;
    const std::vector<Seen> manyFrames = twoGames(SprayRandom::Own, fewFrames);
    ASSERT_EQ(manyFrames.size(), 60u);
    EXPECT_TRUE(manyFrames == fewFrames);
    EXPECT_TRUE(std::any_of(manyFrames.begin(), manyFrames.end(), [](const Seen &s) {
        return s.shock;
    })) << "no complication struck: the case tests nothing";

    const std::vector<Seen> shared = twoGames(SprayRandom::Shared, fewFrames);
    EXPECT_FALSE(shared == fewFrames) << "the frames drawn did not matter";
}

namespace
{
// Scenario files installed for the user (XDG_DATA_HOME) and with the package
// (../data/scenarios), the user's fraktur.toml hiding the package's.
struct Installed {
    QTemporaryDir home;
    QString user, package;

    Installed()
    {
        useRoom("#Inventor V2.1 ascii\nSeparator { }\n");
        QCoreApplication::setApplicationName(QStringLiteral("curavant"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("share")));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(home.filePath("none")));
        user = home.filePath("share/curavant/scenarios/");
        package = QDir::cleanPath(QDir::current().absoluteFilePath("../data/scenarios")) + '/';
        QDir(package).removeRecursively();
        write(user + "eigener.toml", "title = \"Eigener Fall\"\ntenths = 600\n");
        write(user + "fraktur.toml", "title = \"Meine Fraktur\"\n");
        write(package + "fraktur.toml", "title = \"Unterschenkelfraktur\"\n");
        write(package + "kaputt.toml", "title = \n");
        write(package + "schwer.toml", "title = \"Schwer\"\ntenths = 1800\n");
        write(package + "notizen.txt", "not a scenario\n");
    }
    static void write(const QString &path, const char *text)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QStringList listed() const
    {
        return {"", user + "eigener.toml", user + "fraktur.toml", package + "kaputt.toml",
                package + "schwer.toml"};
    }
};

QList<QAction *> entries(Fenster &w)
{
    QList<QAction *> found;
    for (QAction *action : w.scenarioMenu->actions())
        if (!action->isSeparator())
            found << action;
    return found;
}

QStringList paths(Fenster &w)
{
    QStringList found;
    for (QAction *action : entries(w))
        found << action->data().toString();
    return found;
}

QString checkedPath(Fenster &w)
{
    for (QAction *action : entries(w))
        if (action->isChecked())
            return action->data().toString();
    return QStringLiteral("none");
}

// Chooses the entry of `path` as a click would; returns the text of the
// message box it brought up, which is closed.
QString choose(Fenster &w, const QString &path)
{
    QString shown;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->done(QMessageBox::Ok);
        }
    });
    poll.start(20);
    for (QAction *action : entries(w))
        if (action->data().toString() == path)
            action->trigger();
    return shown;
}
} // namespace

// Which files are listed, by their titles, and which is checked; a good choice
// plays from the next "Start!", a file the reader refuses changes nothing; the
// file the game was started with has its own entry unless installed.
TEST(ScenarioMenu, ListsTheInstalledFilesAndPlaysTheGoodChoicesOnly)
{
    Installed installed;
    const QString eigener = installed.user + "eigener.toml";
    const QString kaputt = installed.package + "kaputt.toml";
    runWindow([&](Fenster &w) {
        const QList<QAction *> spiel = w.gameMenu->actions();
        ASSERT_GE(spiel.size(), 3);
        EXPECT_TRUE(spiel[0] == w.startAction && spiel[1] == w.endAction);
        EXPECT_EQ(spiel.last()->menu(), w.scenarioMenu);
        EXPECT_EQ(w.scenarioMenu->title(), "Szenario");
        EXPECT_EQ(paths(w), installed.listed());
        QStringList texts;
        for (QAction *action : entries(w))
            texts << action->text();
        EXPECT_EQ(texts,
                  QStringList({"Curavant Beta \u2013 Diagnose: Unterschenkelfraktur (eingebaut)",
                               "Eigener Fall", "Meine Fraktur", "kaputt.toml", "Schwer"}));
        EXPECT_EQ(checkedPath(w), "") << "the built-in fracture is not in use";

        w.startAction->trigger();
        EXPECT_EQ(choose(w, eigener), "");
        EXPECT_EQ(checkedPath(w), eigener);
        EXPECT_EQ(w.timeLeft, 2400) << "the choice changed the game being played";
        w.startAction->trigger();
        EXPECT_EQ(w.timeLeft, 600);
        const QString refused = choose(w, kaputt);
        EXPECT_TRUE(refused.startsWith(kaputt + ":1:")) << refused.toStdString();
        EXPECT_FALSE(refused.contains('\n'));
        w.startAction->trigger();
        EXPECT_EQ(w.timeLeft, 600);
        EXPECT_EQ(checkedPath(w), eigener);
        EXPECT_EQ(w.scenarioInUse.path, eigener.toStdString());
        EXPECT_EQ(choose(w, ""), "");
        EXPECT_EQ(checkedPath(w), "");
    });

    const struct {
        QString given;
        QStringList listed;
    } starts[] = {{eigener, installed.listed()},
                  {installed.home.filePath("elsewhere.toml"),
                   installed.listed() << installed.home.filePath("elsewhere.toml")}};
    for (const auto &start : starts) {
        Installed::write(start.given, "title = \"Anderswo\"\n");
        ScenarioFile file;
        ASSERT_EQ(loadScenarioFile(start.given.toStdString(), file), "");
        runWindow(
            [&](Fenster &w) {
                EXPECT_EQ(paths(w), start.listed);
                EXPECT_EQ(checkedPath(w), start.given);
            },
            nullptr, file);
    }
}
