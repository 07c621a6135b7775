// A person at the real program: one game played the way it is meant to be
// played (the idle window, "Start!" from the menu, a look around with the
// mouse, the plaster taken from the trolley and put on the patient's wounded
// shin, a few steps, "Ende", the window closed twice), and the ways people
// misuse a game: the menu in every order, a burst of keys and clicks, and
// games started after the first close. Standard output goes to a pipe, where
// the unflushed pick lines and bare numbers must survive to the end.

#include "gameprocess.h"
#include "player.h"

#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/SoPath.h>
#include <Inventor/SoPickedPoint.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoRayPickAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>

#include <QDir>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
const SbVec3f eye(-80, 160, 0);
const double turnPerPixel = 0.01f;
const SbViewportRegion viewport(800, 600);
const QRegularExpression pickLine(
    QStringLiteral(R"(^(\d*)([A-Za-z]\w*|) an Pos: ([-0-9.e+]+),([-0-9.e+]+),([-0-9.e+]+)\.$)"));

// In radians: yaw 0 looks along +x, growing towards +z; pitch up.
struct Gaze {
    float yaw = 0, pitch = 0;
};

// The game's mouse-look, in its float and double steps.
Gaze turned(Gaze from, int right, int up)
{
    return {static_cast<float>(from.yaw + right * turnPerPixel),
            static_cast<float>(from.pitch + up * turnPerPixel)};
}

// A pointer movement after which a click at the anchor hits an object.
struct Turn {
    bool found = false;
    int right = 0, up = 0;
};

// The room read with Coin, with a camera first in the graph as in the game,
// so that picks are cast exactly as the game casts them.
class Room
{
  public:
    explicit Room(const QString &path)
    {
        SoDB::init();
        root = new SoSeparator;
        root->ref();
        root->addChild(camera = new SoPerspectiveCamera);
        camera->nearDistance = 1;
        camera->farDistance = 1000;
        SoInput input;
        if (input.openFile(path.toLocal8Bit().constData()))
            if (SoSeparator *file = SoDB::readAll(&input))
                root->addChild(file);
    }
    ~Room() { root->unref(); }

    bool isValid() const { return root->getNumChildren() == 2; }

    SbBox3f bounds(const SbName &name) const
    {
        SoSearchAction search;
        search.setName(name);
        search.apply(root);
        SoGetBoundingBoxAction box(viewport);
        if (search.getPath())
            box.apply(search.getPath());
        return box.getBoundingBox();
    }

    // The nearest name on the picked path, from the shape towards the root.
    SbName pick(Gaze gaze, SbVec2s pixel) const
    {
        const auto f = [](double value) { return static_cast<float>(value); };
        const float cp = f(std::cos(double(gaze.pitch))), sp = f(std::sin(double(gaze.pitch)));
        const float cy = f(std::cos(double(gaze.yaw))), sy = f(std::sin(double(gaze.yaw)));
        camera->position = eye;
        camera->pointAt(
            SbVec3f(f(eye[0] + 10.0 * cy * cp), f(eye[1] + 10.0 * sp), f(eye[2] + 10.0 * sy * cp)));
        SoRayPickAction action(viewport);
        action.setPoint(pixel);
        action.apply(root);
        const SoPath *path = action.getPickedPoint() ? action.getPickedPoint()->getPath() : nullptr;
        for (int i = 0; path && i < path->getLength(); ++i)
            if (path->getNodeFromTail(i)->getName().getLength() > 0)
                return path->getNodeFromTail(i)->getName();
        return SbName();
    }

    // Aims at the object's centre, then searches outwards for a movement
    // that hits it even if the pointer strays by two pixels: the click is at
    // the anchor, which need not be the view's centre.
    Turn turnTowards(const SbName &name, Gaze from, SbVec2s pixel) const
    {
        const SbVec3f to = bounds(name).getCenter() - eye;
        const int right = int(std::lround((std::atan2(to[2], to[0]) - from.yaw) / turnPerPixel));
        const int up = int(
            std::lround((std::atan2(to[1], std::hypot(to[0], to[2])) - from.pitch) / turnPerPixel));
        for (int ring = 0; ring <= 12; ++ring)
            for (int dy = -ring; dy <= ring; ++dy)
                for (int dx = -ring; dx <= ring; ++dx) {
                    bool hits = std::max(std::abs(dx), std::abs(dy)) == ring;
                    for (int stray = 0; hits && stray < 25; ++stray)
                        hits =
                            pick(turned(from, right + dx + stray % 5 - 2, up + dy + stray / 5 - 2),
                                 pixel) == name;
                    if (hits)
                        return {true, right + dx, up + dy};
                }
        return Turn();
    }

  private:
    SoSeparator *root;
    SoPerspectiveCamera *camera;
};

// The game's records, newest first, and the lines of one of its files.
QFileInfoList records(const QString &folder, const QString &suffix)
{
    return QDir(folder).entryInfoList({"curavant-*." + suffix}, QDir::Files, QDir::Time);
}

QStringList fileLines(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
} // namespace

TEST(Play, OneGameFromTheIdleWindowToTheEnd)
{
    GameProcess game;
    Player player(game);
    const Room room(game.dataPath(QStringLiteral("scene002.iv")));
    ASSERT_TRUE(game.isValid() && player.isOpen() && room.isValid());
    // Every game kept for a debrief, in a German desktop's locale.
    const QString kept = game.root() + QStringLiteral("/records");
    game.environment.insert(QStringLiteral("CURAVANT_RECORD_DIR"), kept);
    game.environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
    ASSERT_TRUE(game.start());

    // The idle window: the side column's first texts, the logo in the
    // view's place on the right, no tool in hand.
    ASSERT_TRUE(player.waitForIdleWindow()) << game.errors();
    EXPECT_GE(player.viewRect().left(), 150);
    EXPECT_TRUE(player.shows(Player::Time, QStringLiteral("TIME: 4:00")));
    EXPECT_TRUE(player.shows(Player::Points, QStringLiteral("PUNKTE: 0")));
    EXPECT_TRUE(player.shows(Player::Health, QStringLiteral("Health: 100")));
    EXPECT_TRUE(player.toolEmpty());

    // "Start!": the room replaces the logo and the clock counts down.
    ASSERT_NO_FATAL_FAILURE(player.startGame());
    EXPECT_FALSE(isPlain(player.viewShot())) << "the room is not drawn";
    ASSERT_TRUE(player.waitForSeconds([](int s) { return s >= 230 && s <= 237; }))
        << "the time label reads " << player.seconds() << " s";

    // From the anchor the probe finds the turns to the plaster and on to the
    // shin. The treatment is then played in a new game, quickly, before a
    // random strike makes the plaster the wrong dressing: the bleeding
    // worsens (-40 on the score, only during a shock, which costs 60). Then
    // the round is played again.
    ASSERT_TRUE(player.enterView());
    const SbVec2s pixel(static_cast<short>(player.anchorInView().x()),
                        static_cast<short>(599 - player.anchorInView().y()));
    const Turn toPlaster = room.turnTowards("Pflaster", Gaze(), pixel);
    const Turn toShin =
        room.turnTowards("L_Shin1", turned(Gaze(), toPlaster.right, toPlaster.up), pixel);
    ASSERT_TRUE(toPlaster.found) << "the plaster cannot be aimed at from the start";
    ASSERT_TRUE(toShin.found) << "the shin cannot be aimed at from the plaster";
    const Turn toFluid = room.turnTowards(
        "Transfusion",
        turned(turned(Gaze(), toPlaster.right, toPlaster.up), toShin.right, toShin.up), pixel);
    ASSERT_TRUE(toFluid.found) << "the transfusion cannot be aimed at from the shin";

    // Every value the points label shows in a game, once its first step is
    // done: the label changes about once a second, and it is read on every
    // poll of a wait, several times a second.
    std::vector<int> scores{0};
    bool ticking = false;
    int shown = -1;
    game.onPoll = [&] {
        const QImage window = player.shot();
        shown = player.seconds(window);
        ticking = ticking || shown >= 238;
        const QString points = player.points(window);
        const int score = points.section(QLatin1Char(' '), 1).toInt();
        if (ticking && shown >= 0 && shown <= 237 && !points.isNull() && score != scores.back())
            scores.push_back(score);
    };
    const auto struck = [&](int change) {
        return std::adjacent_find(scores.begin(), scores.end(),
                                  [&](int a, int b) { return b - a == change; }) != scores.end();
    };
    const QImage plasterIcon(game.dataPath(QStringLiteral("Icons/pflaster.bmp")));
    bool treated = false;
    bool atShin = false;
    int games = 1;
    QString record; // the game's files, without the suffix
    const auto steps = [&] { return fileLines(record + QStringLiteral(".csv")).size() - 1; };
    int before[2] = {}, after[2] = {}; // steps done around each treatment
    for (int attempt = 1; attempt <= 5 && !treated; ++attempt) {
        scores = {0};
        ticking = false;
        ASSERT_TRUE(player.choose(QStringLiteral("Start!")));
        ++games;
        ASSERT_TRUE(game.waitFor([&] { return records(kept, "txt").size() == games; }, 5000));
        record = records(kept, "txt").first().absoluteFilePath().chopped(4);
        ASSERT_TRUE(game.waitFor([&] { return ticking && shown >= 0 && shown <= 237; }, 5000));
        ASSERT_TRUE(player.enterView());
        // Back from the shin to the plaster, or once more at the plaster.
        const int right = attempt == 1 ? toPlaster.right : atShin ? -toShin.right : 0;
        const int up = attempt == 1 ? toPlaster.up : atShin ? -toShin.up : 0;
        ASSERT_TRUE(player.turn(right, up) && player.xdotool(QStringLiteral("click 1")));
        atShin = false;
        ASSERT_TRUE(game.waitFor([&] { return player.toolShows(plasterIcon); }, 3000))
            << "the plaster was not taken";
        if (struck(-40))
            continue;

        const size_t seen = scores.size();
        before[0] = steps();
        ASSERT_TRUE(player.turn(toShin.right, toShin.up) &&
                    player.xdotool(QStringLiteral("click 1")));
        atShin = true;
        ASSERT_TRUE(game.waitFor([&] { return player.toolEmpty(); }, 3000))
            << "the plaster was not applied";
        after[0] = steps();

        // The plaster's +100 shows at the next step, less a strike on that
        // same step: +40 with the shock, +60 with a worsening during one. A
        // shock on a step before is passed over; a worsening there made the
        // plaster the wrong dressing.
        int change = 0;
        ASSERT_TRUE(game.waitFor(
            [&] {
                for (size_t i = seen; i < scores.size(); ++i)
                    if ((change = scores[i] - scores[i - 1]) > 0 || change == -40)
                        return true;
                return false;
            },
            4000))
            << "the points label did not change after the plaster";
        if (change == -40)
            continue;
        ASSERT_TRUE(change == 100 || change == (struck(-60) ? 60 : 40))
            << "the score changed by " << change
            << "; scores seen: " << ::testing::PrintToString(scores);
        treated = true;
    }
    ASSERT_TRUE(treated) << "the bleeding worsened before the plaster in every attempt";
    game.onPoll = nullptr;
    before[1] = steps();
    ASSERT_TRUE(player.turn(toFluid.right, toFluid.up) &&
                player.xdotool(QStringLiteral("click 1")));
    ASSERT_TRUE(game.waitFor([&] { return fileLines(record + ".txt").size() == 3; }, 3000))
        << "the transfusion was not given";
    after[1] = steps();
    // tools/make-screenshots.sh keeps a longer game for the README.
    const QString keep = qEnvironmentVariable("CURAVANT_DEBRIEF_PICTURE");
    if (!keep.isEmpty())
        game.waitFor([] { return false; }, 60000);

    // Up and Down walk: the view moves (and no key picks, as the output shows).
    for (const char *key : {"Up", "Down"}) {
        const QImage before = player.viewShot();
        ASSERT_TRUE(player.xdotool(QStringLiteral("key ") + QLatin1String(key)));
        EXPECT_TRUE(
            game.waitFor([&] { return changedShare(before, player.viewShot()) > 0.05; }, 3000))
            << key << " did not move the view";
    }

    // "Ende" brings the logo back; the first close leaves the idle window,
    // the second ends the program.
    ASSERT_TRUE(player.choose(QStringLiteral("Ende")));
    EXPECT_TRUE(game.waitFor([&] { return player.showsIdleView(); }, 5000)) << "no logo";
    ASSERT_NO_FATAL_FAILURE(player.closeTwice());
    player.expectCleanEnd();

    // Every game was kept whole. The last one's table has a row per step, its
    // script the two treatments before the steps that followed them.
    for (const char *suffix : {"csv", "txt", "png"})
        EXPECT_EQ(records(kept, suffix).size(), games) << suffix;
    const QStringList table = fileLines(record + ".csv"), script = fileLines(record + ".txt");
    EXPECT_EQ(table.value(0), "step,score,health,alive,shock,bleeding,circulation,respiration,"
                              "circulation_loss,respiration_loss,heart_rate,systolic,diastolic,"
                              "temperature,respiratory_rate,ekg_mode");
    EXPECT_GE(table.size(), after[1] + 1);
    for (int i = 1; i < table.size(); ++i)
        EXPECT_TRUE(table[i].startsWith(QString::number(i) + ",") && table[i].count(',') == 15)
            << table[i].toStdString();
    ASSERT_EQ(script.size(), 3);
    EXPECT_TRUE(script[0].startsWith("# Curavant game of "));
    for (int i = 0; i < 2; ++i) {
        const int step = script[i + 1].section(' ', 0, 0).toInt();
        EXPECT_TRUE(step > before[i] && step <= after[i] + 1) << script[i + 1].toStdString();
        EXPECT_EQ(script[i + 1].section(' ', 1), i ? "2" : "3");
    }
    const QImage picture(record + ".png");
    EXPECT_EQ(picture.size(), QSize(1600, 900));
    if (!keep.isEmpty())
        QFile::remove(keep), QFile::copy(record + ".png", keep);

    // Everything written is pick lines with the numbers that ran into them,
    // each at a point of the object it names, and the last treatment code.
    QStringList lines = QString::fromStdString(game.output()).split(QLatin1Char('\n'));
    EXPECT_EQ(lines.takeLast().toStdString(), "2");
    ASSERT_FALSE(lines.isEmpty());
    for (const QString &line : lines) {
        const QRegularExpressionMatch m = pickLine.match(line);
        ASSERT_TRUE(m.hasMatch()) << line.toStdString();
        const QString name = m.captured(2);
        EXPECT_TRUE(name == QLatin1String("Pflaster") || name == QLatin1String("Transfusion") ||
                    (name == QLatin1String("L_Shin1") && m.captured(1) == QLatin1String("6")))
            << line.toStdString();
        SbBox3f box = room.bounds(name.toLatin1().constData());
        box.extendBy(box.getMin() - SbVec3f(3, 3, 3));
        box.extendBy(box.getMax() + SbVec3f(3, 3, 3));
        EXPECT_TRUE(box.intersect(
            SbVec3f(m.captured(3).toFloat(), m.captured(4).toFloat(), m.captured(5).toFloat())))
            << name.toStdString() << " picked outside itself: " << line.toStdString();
    }
}

TEST(Misuse, MenuInAnyOrderBurstsOfInputAndGamesAfterTheFirstClose)
{
    GameProcess game;
    Player player(game);
    const QString kept = game.root() + QStringLiteral("/records");
    game.environment.insert(QStringLiteral("CURAVANT_RECORD_DIR"), kept);
    ASSERT_TRUE(game.isValid() && player.isOpen() && game.start());
    ASSERT_TRUE(player.waitForIdleWindow()) << game.errors();

    // "Ende" while idle and "Start!" during a game (a restart) among them.
    for (const QChar step : QStringLiteral("ESSEESESSSES")) {
        const bool start = step == QLatin1Char('S');
        ASSERT_TRUE(player.choose(start ? QStringLiteral("Start!") : QStringLiteral("Ende")));
        EXPECT_TRUE(
            game.waitFor([&] { return start ? player.showsGameView() : player.showsIdleView(); },
                         stepTimeoutMs));
    }

    // Walking, other keys (each picks where the pointer is), clicks, and the
    // mouse thrown about without waiting for the game to put it back.
    ASSERT_TRUE(player.enterView());
    ASSERT_TRUE(player.xdotool(
        QStringLiteral("key --delay 4") +
        QStringLiteral(" Up Down Left Right space a Return Escape 1 Up").repeated(20)));
    ASSERT_TRUE(player.xdotool(QStringLiteral("click --repeat 60 --delay 8 1")));
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(player.xdotool(QStringLiteral("mousemove_relative -- %1 %2 click 1")
                                       .arg((i % 2 ? 1 : -1) * (7 + i))
                                       .arg((i % 3 - 1) * 11)));
    const int shown = player.seconds();
    EXPECT_TRUE(player.waitForSeconds([&](int s) { return s >= 0 && s != shown; }))
        << "the clock stopped";

    // Once the room is gone, a game counts and scores in the side column
    // while the idle view stays.
    ASSERT_TRUE(player.closeToIdle());
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(player.choose(QStringLiteral("Start!")));
        ASSERT_NO_FATAL_FAILURE(player.keepsPlaying(true));
        EXPECT_TRUE(player.showsIdleView()) << "the view took the idle view's place";
        ASSERT_TRUE(player.choose(QStringLiteral("Ende")));
    }
    ASSERT_TRUE(player.closeToExit());
    player.expectCleanEnd();
    // Nine games, each kept whole under a name of its own (a suffix for a
    // game started in the same second as the one before).
    for (const char *suffix : {"csv", "txt", "png"})
        EXPECT_EQ(records(kept, suffix).size(), 9) << suffix;

    // Only pick lines, with the numbers that ran into them; most of the keys
    // and clicks picked something.
    QStringList lines = QString::fromStdString(game.output()).split(QLatin1Char('\n'));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d*$")).match(lines.takeLast()).hasMatch());
    EXPECT_GE(lines.size(), 100);
    for (const QString &line : lines)
        ASSERT_TRUE(pickLine.match(line).hasMatch()) << line.toStdString();
}

// On a scaling desktop the room fills the view as it does unscaled, and a
// click at the cursor picks what lies under it.
class Scaled : public ::testing::TestWithParam<std::pair<const char *, const char *>>
{
};

TEST_P(Scaled, RoomFillsTheViewAndAClickPicksUnderTheCursor)
{
    GameProcess game;
    game.environment.insert(QLatin1String(GetParam().first), QLatin1String(GetParam().second));
    Player player(game);
    const Room room(game.dataPath(QStringLiteral("scene002.iv")));
    ASSERT_TRUE(game.isValid() && player.isOpen() && room.isValid() && game.start());
    ASSERT_TRUE(player.waitForIdleWindow()) << game.errors();
    ASSERT_NO_FATAL_FAILURE(player.startGame());
    const QImage view = player.viewShot();
    for (int quarter = 0; quarter < 4; ++quarter)
        EXPECT_FALSE(
            isPlain(view.copy(quarter % 2 * view.width() / 2, quarter / 2 * view.height() / 2,
                              view.width() / 2, view.height() / 2)))
            << "quarter " << quarter << " of the view is blank";

    // The first motion only anchors the cursor; the camera still looks at
    // (0, 120, 0), as it was set up. The pick line comes out at the end.
    ASSERT_TRUE(player.enterView() && player.xdotool(QStringLiteral("click 1")));
    const QPointF at = QPointF(player.anchorInView()) / player.scale();
    const SbName expected =
        room.pick({0, std::atan2(-40.f, 80.f)}, SbVec2s(short(at.x()), short(599 - at.y())));
    ASSERT_NO_FATAL_FAILURE(player.closeTwice());
    player.expectCleanEnd();
    const QRegularExpressionMatch m =
        pickLine.match(QString::fromStdString(game.output()).section('\n', 0, 0));
    EXPECT_EQ(m.captured(2).toStdString(), expected.getString()) << game.output();
}

INSTANTIATE_TEST_SUITE_P(Factors, Scaled,
                         ::testing::Values(std::pair("QT_SCALE_FACTOR", "2"),
                                           std::pair("QT_SCREEN_SCALE_FACTORS", "2"),
                                           std::pair("QT_SCALE_FACTOR", "1.5")));
