#include "coursepages.h"

#include "plotstyle.h"
#include "reportsheet.h"
#include "valueaxis.h"

#include <QLocale>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <iterator>

namespace
{

constexpr int rowHeight = 17;
constexpr int chartHeight = 270;

const ReportSheet::Column plainColumns[] = {
    {"Game", 50, Qt::AlignRight},
    {"Date and time", 160, Qt::AlignLeft},
    {"Steps", 48, Qt::AlignRight},
    {"Score", 58, Qt::AlignRight},
    {"Outcome", 122, Qt::AlignLeft},
    {"Shocks", 52, Qt::AlignRight},
    {"Steps to treat each shock", 190, Qt::AlignLeft},
    {"Bleeding stopped at step", 170, Qt::AlignLeft},
    {"Treatments", 80, Qt::AlignRight},
    {"Costing points", 100, Qt::AlignRight},
};

// With scenarios, the lists give up room to the rubric's result.
const ReportSheet::Column scenarioColumns[] = {
    {"Game", 44, Qt::AlignRight},
    {"Date and time", 142, Qt::AlignLeft},
    {"Steps", 46, Qt::AlignRight},
    {"Score", 54, Qt::AlignRight},
    {"Outcome", 104, Qt::AlignLeft},
    {"Shocks", 52, Qt::AlignRight},
    {"Steps to treat shocks", 150, Qt::AlignLeft},
    {"Bleeding stopped at", 138, Qt::AlignLeft},
    {"Treatments", 80, Qt::AlignRight},
    {"Costing points", 100, Qt::AlignRight},
    {"Rubric", 0, Qt::AlignLeft},
};

// A list too long for its column shows its first items and its length.
template <typename T, typename F> QString joined(const std::vector<T> &items, F text)
{
    constexpr std::size_t shown = 4;
    QStringList parts;
    for (std::size_t i = 0; i < items.size() && i < shown + (items.size() == shown + 1); ++i)
        parts << text(items[i]);
    if (parts.size() < int(items.size()))
        parts << QStringLiteral("... (%1 in all)").arg(items.size());
    return parts.join(QStringLiteral(", "));
}

QStringList cells(int number, const GameRecord &record, const GameSummary &game)
{
    const QString shocks = joined(game.shocks, [](const GameSummary::Episode &shock) {
        return shock.stepsToEnd ? QString::number(*shock.stepsToEnd) : QStringLiteral("untreated");
    });
    const QString stopped =
        joined(game.bleedingStopped, [](int step) { return QString::number(step); });
    return {QString::number(number),
            startedText(record),
            QString::number(game.steps),
            QString::number(game.finalScore),
            QString::fromStdString(game.outcome()),
            QString::number(game.shocks.size()),
            game.shocks.empty() ? QStringLiteral("none") : shocks,
            stopped.isEmpty() ? QStringLiteral("not stopped") : stopped,
            QString::number(game.treatments),
            game.costly ? QString::number(*game.costly) : QStringLiteral("unknown")};
}

} // namespace

QString startedText(const GameRecord &record)
{
    if (!record.started.isValid())
        return QString::fromStdString(record.name);
    const QString text =
        QLocale::c().toString(record.started, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return record.sameSecond > 1 ? text + QStringLiteral(" (%1)").arg(record.sameSecond) : text;
}

CoursePages::CoursePages(const std::vector<ReportEntry> &entries, QString subheading)
    : entries(entries), subheading(std::move(subheading)), scenarios(entries)
{
    if (scenarios.shown())
        columns.assign(std::begin(scenarioColumns), std::end(scenarioColumns));
    else
        columns.assign(std::begin(plainColumns), std::end(plainColumns));
    for (const ReportEntry &entry : entries)
        if (entry.summary)
            games.push_back(*entry.summary);
}

void CoursePages::draw(ReportSheet &sheet) const
{
    startPage(sheet, true);
    const int y = drawUnjudged(sheet, drawSkipped(sheet, drawRows(sheet))) + 14;
    QRect area(0, y, sheet.body().width(), chartHeight);
    if (area.bottom() > sheet.body().bottom()) {
        startPage(sheet, false);
        area.moveTop(sheet.body().top());
    }
    drawChart(sheet, area.adjusted(0, 0, -360, 0));
    drawFigures(sheet, area.adjusted(area.width() - 330, 0, 0, 0));
}

void CoursePages::startPage(ReportSheet &sheet, bool first) const
{
    sheet.startPage(first
                        ? QStringLiteral("Course report: lower-leg fracture (Unterschenkelfraktur)")
                        : QStringLiteral("Course report, continued"),
                    subheading);
}

// Returns where the rows end.
int CoursePages::drawRows(ReportSheet &sheet) const
{
    const QStringList titles = ReportSheet::heads(columns.data(), static_cast<int>(columns.size()));
    const auto drawRow = [&](int y, const QStringList &texts, bool bold) {
        sheet.row(columns.data(), texts, QRect(0, y, sheet.body().width(), rowHeight), bold);
    };
    const auto header = [&] {
        drawRow(sheet.body().top(), titles, true);
        sheet.painter().setPen(PlotColors::frame());
        const int y = sheet.body().top() + rowHeight + 1;
        sheet.painter().drawLine(0, y, sheet.body().width(), y);
        return y + 3;
    };
    const auto room = [&](int y, int rows) {
        if (y + rows * rowHeight <= sheet.body().bottom())
            return y;
        startPage(sheet, false);
        return header();
    };
    int y = header();
    for (const ScenarioGroups::Group &group : scenarios.groups()) {
        if (scenarios.shown()) {
            y = room(y + 4, 2);
            sheet.text(QRect(4, y, sheet.body().width() - 8, rowHeight),
                       Qt::AlignLeft | Qt::AlignVCenter, ScenarioGroups::heading(group), 11, true,
                       QColor(10, 60, 120));
            y += rowHeight;
        }
        int shade = 0;
        for (const ScenarioGroups::Game &game : group.games) {
            y = room(y, 1);
            if (++shade % 2 == 0)
                sheet.painter().fillRect(QRect(0, y, sheet.body().width(), rowHeight),
                                         QColor(244, 246, 250));
            QStringList texts = cells(game.number, game.entry->record, *game.entry->summary);
            if (scenarios.shown())
                texts << ScenarioGroups::resultText(*game.entry);
            drawRow(y, texts, false);
            y += rowHeight;
        }
    }
    return y;
}

// The records that could not be read, below the rows; returns where they end.
int CoursePages::drawSkipped(ReportSheet &sheet, int y) const
{
    std::vector<std::pair<const ReportEntry *, std::string>> skipped;
    for (const ReportEntry &entry : entries)
        if (!entry.summary)
            skipped.emplace_back(&entry, entry.problem);
    return drawNotes(sheet, y,
                     QStringLiteral("Skipped records (%1), left out of the rows and figures")
                         .arg(skipped.size()),
                     skipped);
}

// The games read whose scenario copy could not be used; returns where they end.
int CoursePages::drawUnjudged(ReportSheet &sheet, int y) const
{
    std::vector<std::pair<const ReportEntry *, std::string>> unjudged;
    for (const ReportEntry &entry : entries)
        if (entry.summary && !entry.scenario.problem.empty())
            unjudged.emplace_back(&entry, entry.scenario.problem);
    return drawNotes(sheet, y,
                     QStringLiteral("Games not judged (%1): their scenario copy cannot be used")
                         .arg(unjudged.size()),
                     unjudged);
}

// A list under a heading, each record with what is wrong with it, the
// record's folder left out, as the report names it once; returns where it
// ends.
int CoursePages::drawNotes(
    ReportSheet &sheet, int y, const QString &heading,
    const std::vector<std::pair<const ReportEntry *, std::string>> &notes) const
{
    const int width = sheet.body().width();
    bool headed = false;
    y += notes.empty() ? 0 : 10;
    for (const auto &[entry, problem] : notes) {
        if (y + 2 * rowHeight > sheet.body().bottom()) {
            startPage(sheet, false);
            y = sheet.body().top();
            headed = false;
        }
        if (!headed) {
            sheet.text(QRect(4, y, width, rowHeight), Qt::AlignLeft | Qt::AlignVCenter, heading, 11,
                       true);
            y += rowHeight;
            headed = true;
        }
        sheet.text(QRect(4, y, width - 8, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("%1 %2: %3")
                       .arg(entry->summary ? QStringLiteral("game") : QStringLiteral("skipped"),
                            QString::fromStdString(entry->record.name),
                            QString::fromStdString(entry->record.withoutFolder(problem))),
                   11, false, markerColor(EventKind::BleedingRise));
        y += rowHeight;
    }
    return y;
}

void CoursePages::drawChart(ReportSheet &sheet, const QRect &area) const
{
    QPainter &painter = sheet.painter();
    sheet.text(QRect(area.left(), area.top(), area.width(), 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Final score of each game, in the order played"), 12, true);
    if (games.empty())
        return;
    const QRect plot(area.left() + 58, area.top() + 26, area.width() - 66, area.height() - 70);
    double low = 0, high = 0;
    for (const GameSummary &game : games) {
        low = std::min(low, double(game.finalScore));
        high = std::max(high, double(game.finalScore));
    }
    const ValueAxis scores(low, high, 4);
    const auto yFor = [&](double score) {
        return plot.top() + (1 - scores.fraction(score)) * plot.height();
    };
    for (const double tick : scores.ticks()) {
        painter.setPen(tick == 0 ? PlotColors::frame() : PlotColors::grid());
        painter.drawLine(QPointF(plot.left(), yFor(tick)), QPointF(plot.right(), yFor(tick)));
        sheet.text(QRect(plot.left() - 56, int(yFor(tick)) - 8, 50, 16),
                   Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(scores.label(tick)),
                   10);
    }
    const int count = static_cast<int>(games.size());
    const auto xFor = [&](int game) { return plot.left() + (game - 0.5) * plot.width() / count; };
    const ValueAxis numbers(1, std::max(count, 2), std::min(std::max(count - 1, 1), 10));
    for (const double tick : numbers.ticks())
        if (tick >= 1 && tick <= count)
            sheet.text(QRect(int(xFor(int(tick))) - 20, plot.bottom() + 4, 40, 14), Qt::AlignCenter,
                       QString::fromStdString(numbers.label(tick)), 10);
    sheet.text(QRect(plot.left(), plot.bottom() + 18, plot.width(), 16), Qt::AlignCenter,
               QStringLiteral("game (in the order played)"), 11);

    const QColor line(10, 60, 120), died = markerColor(EventKind::Death);
    QPolygonF points;
    for (int i = 0; i < count; ++i)
        points << QPointF(xFor(i + 1), yFor(games[i].finalScore));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(line, 1.2));
    painter.drawPolyline(points);
    const double r = std::clamp(plot.width() / (3.0 * count), 1.5, 4.0);
    for (int i = 0; i < count; ++i) {
        const QPointF at = points[i];
        if (games[i].diedAt) {
            painter.setPen(QPen(died, 1.8));
            painter.drawLine(at + QPointF(-r, -r), at + QPointF(r, r));
            painter.drawLine(at + QPointF(-r, r), at + QPointF(r, -r));
        } else {
            painter.setPen(Qt::NoPen);
            painter.setBrush(line);
            painter.drawEllipse(at, r, r);
        }
    }
    painter.restore();
    painter.setPen(PlotColors::frame());
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
    drawKey(sheet, QPoint(plot.left(), plot.bottom() + 36));
}

// A dot for a patient alive at the end, a cross for one who died.
void CoursePages::drawKey(ReportSheet &sheet, const QPoint &at) const
{
    QPainter &painter = sheet.painter();
    const QColor line(10, 60, 120), died = markerColor(EventKind::Death);
    const int keyY = at.y();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(line);
    painter.drawEllipse(QPointF(at.x() + 6, keyY + 7), 3.5, 3.5);
    painter.setPen(QPen(died, 1.8));
    const QPointF cross(at.x() + 146, keyY + 7);
    painter.drawLine(cross + QPointF(-3.5, -3.5), cross + QPointF(3.5, 3.5));
    painter.drawLine(cross + QPointF(-3.5, 3.5), cross + QPointF(3.5, -3.5));
    painter.restore();
    sheet.text(QRect(at.x() + 16, keyY, 120, 14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("patient lives"), 11);
    sheet.text(QRect(at.x() + 156, keyY, 160, 14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("patient died"), 11);
}

void CoursePages::drawFigures(ReportSheet &sheet, const QRect &area) const
{
    const CourseFigures figures(games);
    const auto skipped = std::count_if(entries.begin(), entries.end(),
                                       [](const ReportEntry &e) { return !e.summary; });
    const std::pair<QString, QString> rows[] = {
        {QStringLiteral("Games"), QString::number(figures.games)},
        {QStringLiteral("Patients alive at the end"), QString::number(figures.alive)},
        {QStringLiteral("Median final score"),
         QString::fromStdString(figureText(figures.medianScore))},
        {QStringLiteral("Median steps to treat a shock"),
         QString::fromStdString(figureText(figures.medianStepsToTreat))},
        {QStringLiteral("Shocks treated"), QString::number(figures.treatedShocks)},
        {QStringLiteral("Shocks untreated"), QString::number(figures.untreatedShocks)},
        {QStringLiteral("Records skipped"), QString::number(skipped)},
    };
    sheet.text(QRect(area.left(), area.top(), area.width(), 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("The course in figures"), 12, true);
    int y = area.top() + 26;
    for (const auto &[name, value] : rows) {
        sheet.text(QRect(area.left(), y, area.width() - 70, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   name, 12);
        sheet.text(QRect(area.right() - 70, y, 70, 20), Qt::AlignRight | Qt::AlignVCenter, value,
                   12, true);
        y += 22;
    }
    sheet.text(QRect(area.left(), y + 6, area.width(), 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("A shock is treated by infusion and transfusion both;"), 10, false,
               PlotColors::faint());
    sheet.text(QRect(area.left(), y + 22, area.width(), 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("its steps count from the step it struck."), 10, false,
               PlotColors::faint());
}
