#include "player.h"

#include "gameprocess.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>

namespace
{
int changedPixels(const QImage &a, const QImage &b, int tolerance, int limit = INT_MAX)
{
    int changed = 0;
    for (int y = 0; y < std::min(a.height(), b.height()) && changed <= limit; ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            changed += std::abs(qRed(p) - qRed(q)) > tolerance ||
                       std::abs(qGreen(p) - qGreen(q)) > tolerance ||
                       std::abs(qBlue(p) - qBlue(q)) > tolerance;
        }
    return changed;
}

} // namespace

double changedShare(const QImage &a, const QImage &b, int tolerance)
{
    return changedPixels(a, b, tolerance) / double(a.width() * a.height());
}

bool isPlain(const QImage &image)
{
    QImage plain(image.size(), QImage::Format_RGB32);
    plain.fill(image.pixel(0, 0));
    return changedPixels(image, plain, 2, 0) == 0;
}

Player::Player(GameProcess &game) : game(game), display(XOpenDisplay(nullptr))
{
    for (const char *variable : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS"})
        factor *= game.environment.value(QLatin1String(variable), QStringLiteral("1")).toDouble();
    const QByteArray compositorName = qgetenv("CURAVANT_SESSION_POINTER");
    if (!compositorName.isEmpty())
        compositor = std::make_unique<CompositorPointer>(compositorName.constData());
}

Player::~Player()
{
    if (display)
        XCloseDisplay(display);
}

bool Player::locateParts()
{
    // Every widget has a native window, as the GL view is one: the health
    // label is the one right under the points label.
    window = probe.findWindow();
    frame = probe.geometry(window);
    if (frame.size() != QSize(1000, 600) * factor)
        return false;
    XSelectInput(display, window, StructureNotifyMask);
    std::vector<QRect> rects, fixed;
    for (unsigned long id : probe.descendants(window)) {
        const QRect rect = rects.emplace_back(probe.geometry(id).translated(-frame.topLeft()));
        view = rect.size() == QSize(800, 600) * factor ? rect : view;
        tool = rect.size() == QSize(150, 100) * factor ? rect : tool;
        if (rect.size() == QSize(150, 30) * factor)
            fixed.insert(fixed.empty() || rect.top() > fixed[0].top() ? fixed.end() : fixed.begin(),
                         rect);
    }
    if (fixed.size() != 2)
        return false;
    labels[Time] = fixed[0];
    labels[Points] = fixed[1];
    for (const QRect &rect : rects)
        // (Within a pixel: a fractional scale factor rounds the layout.)
        if ((rect.topLeft() - labels[Points].bottomLeft() - QPoint(0, 1)).manhattanLength() <= 1)
            labels[Health] = rect;
    return !view.isNull() && !tool.isNull() && !labels[Health].isNull();
}

bool Player::waitForIdleWindow()
{
    idle = QImage(game.dataPath(QStringLiteral("logo.png")));
    if (idle.isNull()) {
        idle = QImage(800, 600, QImage::Format_RGB32);
        idle.fill(QApplication::palette().color(QPalette::Window));
    }
    idle = idle.scaled(idle.size() * factor);
    return game.waitFor([this] { return locateParts() && showsIdleView(); }, windowTimeoutMs);
}

QImage Player::shot(const QRect &part)
{
    const QImage picture = probe.grab(window);
    return part.isNull() ? picture : picture.copy(part & picture.rect());
}

bool Player::shows(Label label, const QString &text, const QImage &window)
{
    // A label made here with the game's font shows the same pixels; a couple
    // of stray pixels are allowed, for the cursor passing by.
    auto it = rendered.find(text);
    if (it == rendered.end()) {
        QLabel made(text);
        made.setFont(QFont(QStringLiteral("Times"), 16));
        made.setFixedSize(labels[label].size());
        it = rendered.insert(text, made.grab().toImage());
    }
    return changedPixels(*it, (window.isNull() ? shot() : window).copy(labels[label]), 48, 2) <= 2;
}

QString Player::read(Label label, const QStringList &candidates, const QImage &window)
{
    const QImage picture = window.isNull() ? shot() : window;
    for (const QString &text : candidates)
        if (shows(label, text, picture))
            return text;
    return QString();
}

int Player::seconds(const QImage &window)
{
    static QStringList candidates;
    for (int s = 239; candidates.size() < 240; --s)
        candidates
            << QStringLiteral("Time: %1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
    const int index = candidates.indexOf(read(Time, candidates, window));
    return index < 0 ? -1 : 239 - index;
}

QString Player::points(const QImage &window)
{
    // Every change of the score is a multiple of ten.
    static QStringList candidates{QStringLiteral("PUNKTE: 0")};
    for (int points = -3000; candidates.size() < 602; points += 10)
        candidates << QStringLiteral("Punkte: %1").arg(points);
    return read(Points, candidates, window);
}

bool Player::waitForSeconds(const std::function<bool(int)> &wanted)
{
    return game.waitFor([&] { return wanted(seconds()); }, stepTimeoutMs);
}

bool Player::xdotool(const QString &arguments) const
{
    // xdotool closes its connection with a round trip, so when it has exited
    // the server has carried out the input.
    return QProcess::execute(QStringLiteral("xdotool"), arguments.split(QLatin1Char(' '))) == 0;
}

bool Player::moveTo(QPoint at) const
{
    if (compositor)
        return compositor->moveTo(at);
    return xdotool(QStringLiteral("mousemove %1 %2").arg(at.x()).arg(at.y()));
}

bool Player::click()
{
    return compositor ? compositor->click() && settled() : xdotool(QStringLiteral("click 1"));
}

bool Player::chooseOnce(const QString &item)
{
    // A menu bar built here lays out its titles and entries as the game's does.
    QMenuBar bar;
    QMenu *menu = bar.addMenu(QStringLiteral("Spiel"));
    QAction *const entries[] = {menu->addAction(QStringLiteral("Start!")),
                                menu->addAction(QStringLiteral("Ende"))};
    menu->addSeparator();
    menu->addMenu(QStringLiteral("Szenario"));
    bar.resize(1000, bar.sizeHint().height());
    unsigned long popup = 0;
    const auto popupShown = [&] {
        for (unsigned long id : probe.windows())
            popup = id != window ? id : popup;
        return popup != 0;
    };
    const auto entry = [&] {
        const QRect place = menu->actionGeometry(entries[item == "Start!" ? 0 : 1]);
        return probe.geometry(popup).topLeft() + place.center() * factor;
    };
    return moveTo(frame.topLeft() + bar.actionGeometry(menu->menuAction()).center() * factor) &&
           click() && game.waitFor(popupShown, 5000) && moveTo(entry()) && click() &&
           game.waitFor([&] { return probe.windows().size() == 1; }, 5000) && moveTo(aside());
}

bool Player::choose(const QString &item, const std::function<bool()> &done)
{
    // sway at times keeps its pointer's focus on the window under a new menu,
    // and the click misses the entry: a person tries again.
    for (int attempt = 0; attempt < (done ? 3 : 1); ++attempt)
        if (chooseOnce(item) && (!done || game.waitFor(done, stepTimeoutMs / 3)))
            return true;
    return false;
}

bool Player::waitForAnchor()
{
    return game.waitFor([this] { return QCursor::pos() == anchor; }, 5000) && settled();
}

bool Player::settled()
{
    // The game reads the pointer when it sees the motion of its own warp,
    // late behind a compositor: a move made before would count twice.
    return !compositor || !game.waitFor([] { return false; }, 250);
}

bool Player::enterView()
{
    // The game keeps its anchor across games: entering anywhere else would
    // turn the view.
    if (anchor.x() >= 0)
        return moveTo(anchor) && waitForAnchor();
    // From the side column, where the pointer's place can be seen, into the view.
    const QPoint entry = frame.topLeft() + view.center() + QPoint(17, 29);
    if (!moveTo(aside()) || !moveBy(entry.x() - aside().x(), aside().y() - entry.y()) ||
        !game.waitFor([&] { return QCursor::pos() != entry; }, 5000))
        return false;
    anchor = QCursor::pos();
    // The game may see the motion of its own warp late.
    return !game.waitFor([] { return false; }, 250);
}

bool Player::moveBy(int right, int up) const
{
    return compositor ? compositor->moveBy(right, -up)
                      : xdotool(QStringLiteral("mousemove_relative -- %1 %2").arg(right).arg(-up));
}

bool Player::turn(int right, int up)
{
    while (right != 0 || up != 0) {
        const int dx = std::clamp(right, -200, 200);
        const int dy = std::clamp(up, -200, 200);
        if (!moveBy(dx, dy) || !waitForAnchor())
            return false;
        right -= dx;
        up -= dy;
    }
    return true;
}

QRect Player::drawnPointer()
{
    // The arrow's white and black, which the lit room shows nowhere near the
    // held point, in the view at rest.
    const QRect around(heldInView() - QPoint(8, 8), QSize(32, 40) * factor);
    QImage held, now = viewShot().copy(around);
    const auto still = [&] { return (held = std::exchange(now, viewShot().copy(around))) == now; };
    if (!game.waitFor(still, 3000))
        return QRect();
    QRect arrow;
    for (int y = 0; y < held.height(); ++y)
        for (int x = 0; x < held.width(); ++x)
            if (qGray(held.pixel(x, y)) >= 250 || qGray(held.pixel(x, y)) <= 5)
                arrow |= QRect(x, y, 1, 1);
    return arrow.translated(around.topLeft());
}

bool Player::unmapped()
{
    // Read from the window's events, so that no short-lived state is missed
    // between two polls.
    XSync(display, False);
    XEvent event;
    bool gone = false;
    while (XCheckWindowEvent(display, window, StructureNotifyMask, &event))
        gone = gone || event.type == UnmapNotify || event.type == DestroyNotify;
    return gone;
}

bool Player::closeToIdle()
{
    // The window goes away when the 3D view's loop ends, and its native
    // windows may be made anew when the program shows it again.
    unmapped();
    probe.requestClose(window);
    bool gone = false;
    return game.waitFor([&] { return (gone = gone || unmapped()); }, windowTimeoutMs) &&
           waitForIdleWindow();
}

bool Player::closeToExit()
{
    probe.requestClose(window);
    return game.waitForExit(windowTimeoutMs);
}

void Player::startGame()
{
    ASSERT_TRUE(choose(QStringLiteral("Start!"), [this] { return showsGameView(); }))
        << "the 3D view did not replace the idle view; " << game.errors();
}

void Player::keepsPlaying(bool afterEarlierGame)
{
    if (afterEarlierGame) {
        ASSERT_TRUE(waitForSeconds([](int s) { return s >= 238; }))
            << "the clock did not start again; it reads " << seconds() << " s";
    }
    // At 3:57 the first scenario step, 20 ticks after the start, is done.
    ASSERT_TRUE(waitForSeconds([](int s) { return s >= 0 && s <= 237; }))
        << "the clock did not count down; it reads " << seconds() << " s";
    EXPECT_TRUE(game.waitFor([this] { return points().startsWith(QLatin1String("Punkte: ")); },
                             stepTimeoutMs))
        << "no scenario step rewrote the points";
}

void Player::closeTwice()
{
    ASSERT_TRUE(closeToIdle()) << "the first close did not bring the idle window back (view idle: "
                               << showsIdleView() << "); " << game.errors();
    ASSERT_TRUE(closeToExit()) << "the second close did not end the program; " << game.errors();
}

void Player::expectCleanEnd()
{
    EXPECT_FALSE(game.crashed()) << game.errors();
    EXPECT_EQ(game.exitCode(), 0) << game.errors();
    for (const char *report : {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:"})
        EXPECT_EQ(game.errors().find(report), std::string::npos) << game.errors();
}
