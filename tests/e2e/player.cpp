#include "player.h"

#include "gameprocess.h"
#include "imagecompare.h"

#include <algorithm>

#include <QMenu>
#include <QMenuBar>

namespace
{
const QSize windowSize(1000, 600);
const QSize viewSize(800, 600);
const QSize toolSize(150, 100);
const int sideWidth = 200;
// Label origins lie in the side column's top part.
const QRect labelArea(0, 0, 60, 200);
const int stepLimit = 200;

// Where the game's menu bar shows `title`: a menu bar built here with the
// same menus lays them out with the same style and font.
QRect menuTitleRect(const QString &title)
{
    QMenuBar bar;
    QAction *wanted = nullptr;
    for (const QString &name : {QStringLiteral("Spiel"), QStringLiteral("Help")}) {
        QMenu *menu = bar.addMenu(name);
        if (name == title)
            wanted = menu->menuAction();
    }
    bar.resize(windowSize.width(), bar.sizeHint().height());
    return wanted ? bar.actionGeometry(wanted) : QRect();
}

QRect menuItemRect(const QString &menuTitle, const QString &item)
{
    QMenu menu;
    QStringList items;
    if (menuTitle == QLatin1String("Spiel"))
        items = QStringList{QStringLiteral("Start!"), QStringLiteral("Ende")};
    else
        items = QStringList{QStringLiteral("Info")};
    QAction *wanted = nullptr;
    for (const QString &name : items) {
        QAction *action = menu.addAction(name);
        if (name == item)
            wanted = action;
    }
    menu.ensurePolished();
    menu.resize(menu.sizeHint());
    return wanted ? menu.actionGeometry(wanted) : QRect();
}
} // namespace

Player::Player(GameProcess &game, GameScreen &screen)
    : game(game), screen(screen), logo(QStringLiteral(CURAVANT_DATA_DIR "/logo.png"))
{
    logo = logo.convertToFormat(QImage::Format_RGB32);
}

bool Player::waitForIdleWindow(int timeoutMs)
{
    const bool found = game.waitFor(
        [this] {
            for (GameScreen::WindowId id : screen.topLevels(game.pid()))
                if (screen.geometry(id).size() == windowSize) {
                    window = id;
                    return true;
                }
            return false;
        },
        timeoutMs);
    if (!found)
        return false;
    screen.watch(window);
    return game.waitFor([this] { return locateLabels(); }, timeoutMs);
}

bool Player::locateLabels()
{
    const std::vector<QRect> views = screen.innerWindows(window, viewSize);
    if (views.empty())
        return false;
    view = views.front();
    // The tool label has a native window of its own, as every widget of the
    // window has once the 3D view (a native GL widget) is among them.
    const std::vector<QRect> tools = screen.innerWindows(window, toolSize);
    toolArea = tools.empty() ? QRect(0, 0, sideWidth, windowSize.height())
                             : tools.front().translated(-windowRect().topLeft());
    const QImage side = sideShot();
    const auto time = reader.locate(side, QStringLiteral("TIME: 4:00"), labelArea);
    const auto points = reader.locate(side, QStringLiteral("PUNKTE: 0"), labelArea);
    const auto health = reader.locate(side, QStringLiteral("Health: 100"), labelArea);
    if (!time || !points || !health)
        return false;
    timeOrigin = *time;
    pointsOrigin = *points;
    healthOrigin = *health;
    return true;
}

QRect Player::windowRect() const
{
    return screen.geometry(window);
}

QImage Player::windowShot() const
{
    return screen.grab(windowRect());
}

QImage Player::sideShot() const
{
    return screen.grab(QRect(windowRect().topLeft(), QSize(sideWidth, windowSize.height())));
}

QImage Player::viewShot() const
{
    return screen.grab(view.intersected(windowRect()));
}

QString Player::points()
{
    return points(sideShot());
}

QString Player::time()
{
    return time(sideShot());
}

QString Player::points(const QImage &side)
{
    static const QStringList texts = pointsTexts();
    return reader.read(side, pointsOrigin, texts);
}

QString Player::time(const QImage &side)
{
    static const QStringList texts = timeTexts();
    return reader.read(side, timeOrigin, texts);
}

bool Player::healthShows(const QString &text)
{
    return reader.shows(sideShot(), healthOrigin, text);
}

bool Player::waitForPoints(const std::function<bool(const QString &)> &wanted, int timeoutMs)
{
    return game.waitFor([&] { return wanted(points()); }, timeoutMs);
}

bool Player::waitForTime(const std::function<bool(const QString &)> &wanted, int timeoutMs)
{
    return game.waitFor([&] { return wanted(time()); }, timeoutMs);
}

bool Player::logoShown() const
{
    const QImage shown = viewShot();
    return !shown.isNull() &&
           meanDifference(shown, logo.copy(0, 0, shown.width(), shown.height())) < 3;
}

bool Player::roomShown() const
{
    const QImage shown = viewShot();
    return !shown.isNull() && !isPlain(shown) &&
           meanDifference(shown, logo.copy(0, 0, shown.width(), shown.height())) > 20;
}

bool Player::toolShows(const QImage &icon) const
{
    const QRect area(toolArea.topLeft(), toolArea.size() - icon.size() + QSize(1, 1));
    return findPicture(sideShot(), icon, area).has_value();
}

bool Player::toolLabelEmpty() const
{
    return isPlain(sideShot().copy(toolArea));
}

bool Player::waitForPopup(GameScreen::WindowId &popup)
{
    return game.waitFor(
        [&] {
            for (GameScreen::WindowId id : screen.topLevels(game.pid()))
                if (id != window) {
                    popup = id;
                    return true;
                }
            return false;
        },
        5000);
}

bool Player::choose(const QString &menu, const QString &item)
{
    const QRect title = menuTitleRect(menu);
    const QRect entry = menuItemRect(menu, item);
    if (title.isNull() || entry.isNull())
        return false;
    GameScreen::WindowId popup = 0;
    if (!screen.moveTo(windowRect().topLeft() + title.center()) || !screen.click() ||
        !waitForPopup(popup))
        return false;
    if (!screen.moveTo(screen.geometry(popup).topLeft() + entry.center()) || !screen.click())
        return false;
    // The pointer then rests beside the window, off the labels it reads.
    return game.waitFor([&] { return !screen.isViewable(popup); }, 5000) &&
           screen.moveTo(windowRect().topRight() + QPoint(100, 100));
}

bool Player::enterView()
{
    if (anchorPoint.x() >= 0) {
        // The anchor is remembered across games: entering anywhere else
        // would turn the view.
        return screen.moveTo(anchorPoint) && waitForAnchor();
    }
    const QPoint entry = view.center() + QPoint(17, 29);
    if (!screen.moveTo(entry))
        return false;
    if (!game.waitFor([&] { return screen.pointer() != entry; }, 5000))
        return false;
    anchorPoint = screen.pointer();
    return view.contains(anchorPoint);
}

bool Player::waitForAnchor()
{
    return game.waitFor([this] { return screen.pointer() == anchorPoint; }, 5000);
}

SbVec2s Player::anchorPixel() const
{
    const QPoint inView = anchorPoint - view.topLeft();
    return SbVec2s(static_cast<short>(inView.x()),
                   static_cast<short>(viewSize.height() - 1 - inView.y()));
}

bool Player::turn(int right, int up)
{
    while (right != 0 || up != 0) {
        const int dx = std::clamp(right, -stepLimit, stepLimit);
        const int dy = std::clamp(up, -stepLimit, stepLimit);
        if (!screen.moveBy(dx, -dy) || !waitForAnchor())
            return false;
        right -= dx;
        up -= dy;
    }
    return true;
}

bool Player::click()
{
    return screen.click();
}

bool Player::closeToIdle(int timeoutMs)
{
    screen.takeMapEvents(window);
    screen.requestClose(window);
    // The window goes away when the 3D view's loop ends: hidden, and its X
    // window may be destroyed and made anew when the program shows it again.
    bool gone = false;
    return game.waitFor(
        [&] {
            const GameScreen::MapEvents events = screen.takeMapEvents(window);
            gone = gone || events.unmapped > 0 || events.destroyed;
            if (!gone)
                return false;
            if (events.mapped > 0 && screen.isViewable(window))
                return true;
            for (GameScreen::WindowId id : screen.topLevels(game.pid()))
                if (screen.geometry(id).size() == windowSize) {
                    window = id;
                    screen.watch(window);
                    return true;
                }
            return false;
        },
        timeoutMs);
}

bool Player::closeToExit(int timeoutMs)
{
    screen.requestClose(window);
    return game.waitForExit(timeoutMs);
}
