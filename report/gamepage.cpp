#include "gamepage.h"

#include "courseplot.h"
#include "eventnames.h"
#include "plotstyle.h"
#include "reportsheet.h"
#include "verdictcard.h"

#include <iterator>

namespace
{

constexpr int rowHeight = 15;
constexpr int groups = 4; // of treatments side by side
constexpr int pictureHeight = 490;

const ReportSheet::Column columns[] = {
    {"Step", 42, Qt::AlignRight},
    {"Treatment", 112, Qt::AlignLeft},
    {"Code", 42, Qt::AlignRight},
    {"Points", 0, Qt::AlignRight},
};

QString pointsText(const Treatment &treatment)
{
    if (!treatment.points)
        return QStringLiteral("unknown");
    const QString number = QString::number(*treatment.points);
    return *treatment.points > 0 ? QLatin1Char('+') + number : number;
}

void drawCells(ReportSheet &sheet, int x, int y, int width, const QStringList &texts, bool bold)
{
    sheet.row(columns, texts, QRect(x, y, width, rowHeight), bold);
}

} // namespace

GamePage::GamePage(const ReportEntry &entry, int number, int count)
    : entry(entry), number(number), count(count)
{
}

void GamePage::draw(ReportSheet &sheet) const
{
    const QString heading =
        QStringLiteral("Game %1 of %2: %3").arg(number).arg(count).arg(startedText(entry.record));
    Course course;
    std::vector<Treatment> treatments;
    const std::string problem = loadRecord(entry.record, course, treatments);
    startPage(sheet, heading);
    if (!problem.empty()) {
        sheet.text(sheet.body(), Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("The record could not be read again: ") +
                       QString::fromStdString(problem),
                   12);
        return;
    }
    const QRect body = sheet.body();
    const double scale = double(pictureHeight) / CoursePlot::height;
    const int pictureWidth = int(CoursePlot::width * scale);
    QPainter &painter = sheet.painter();
    painter.save();
    painter.translate((body.width() - pictureWidth) / 2.0, body.top());
    painter.scale(scale, scale);
    CoursePlot plot(course, "game of " + startedText(entry.record).toStdString());
    if (entry.verdict)
        plot.showVerdict(*entry.verdict);
    plot.draw(painter);
    painter.restore();

    int y = drawRubric(sheet, body.top() + pictureHeight + 6);
    // The heading, the column heads and a first row, or a page of their own.
    if (y + 3 * rowHeight + 7 > body.bottom()) {
        startPage(sheet, heading + QStringLiteral(", treatments"));
        y = body.top();
    }
    sheet.text(QRect(4, y, body.width(), rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
               treatments.empty()
                   ? QStringLiteral("No treatments.")
                   : QStringLiteral("Treatments in order (%1)").arg(treatments.size()),
               12, true);
    if (treatments.empty())
        return;
    y = drawHeads(sheet, y + rowHeight + 4);
    const int groupWidth = body.width() / groups;
    int group = 0, top = y;
    for (const Treatment &t : treatments) {
        if (y + rowHeight > sheet.body().bottom()) {
            y = top;
            if (++group == groups) {
                startPage(sheet, heading + QStringLiteral(", treatments continued"));
                group = 0;
                y = top = drawHeads(sheet, sheet.body().top());
            }
        }
        const char *name = treatmentName(t.code);
        drawCells(sheet, group * groupWidth, y, groupWidth,
                  {QString::number(t.step), name ? QString::fromUtf8(name) : QStringLiteral("-"),
                   QString::number(t.code), pointsText(t)},
                  false);
        y += rowHeight;
    }
}

void GamePage::startPage(ReportSheet &sheet, const QString &heading) const
{
    const GameSummary &game = *entry.summary;
    QString subheading = QStringLiteral("%1 \u00b7 %2 steps \u00b7 final score %3 \u00b7 %4")
                             .arg(QString::fromStdString(entry.record.name))
                             .arg(game.steps)
                             .arg(game.finalScore)
                             .arg(QString::fromStdString(game.outcome()));
    if (!entry.scenario.note.builtIn())
        subheading +=
            QStringLiteral(" \u00b7 scenario: ") + QString::fromStdString(entry.scenario.title());
    sheet.startPage(heading, subheading);
}

// Under the picture, the rubric's verdict in words: the result, then each
// criterion met or missed, side by side; or why the game was not judged.
// Returns where it ends.
int GamePage::drawRubric(ReportSheet &sheet, int y) const
{
    const int width = sheet.body().width();
    const QRect line(4, y, width - 8, rowHeight);
    if (!entry.scenario.problem.empty()) {
        sheet.text(line, Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Not judged: ") +
                       QString::fromStdString(entry.record.withoutFolder(entry.scenario.problem)),
                   12, true, VerdictCard::failColor());
        return y + rowHeight + 6;
    }
    if (!entry.verdict)
        return y;
    const Verdict &verdict = *entry.verdict;
    sheet.text(line, Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Rubric: %1 with %2 points, %3 needed")
                   .arg(verdict.passed ? QStringLiteral("passed") : QStringLiteral("not passed"))
                   .arg(verdict.points)
                   .arg(verdict.pass),
               12, true, verdict.passed ? VerdictCard::passColor() : VerdictCard::failColor());
    y += rowHeight + 2;
    const int columnWidth = width / 2;
    for (std::size_t i = 0; i < verdict.criteria.size(); ++i) {
        const CriterionResult &c = verdict.criteria[i];
        const int x = int(i % 2) * columnWidth;
        sheet.text(QRect(x + 4, y, 52, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   c.met ? QStringLiteral("met") : QStringLiteral("missed"), 11, !c.met,
                   c.met ? VerdictCard::passColor() : VerdictCard::failColor());
        sheet.text(QRect(x + 60, y, columnWidth - 66, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("%1 (%2 points%3)")
                       .arg(QString::fromStdString(c.name))
                       .arg(c.points)
                       .arg(c.critical ? QStringLiteral(", critical") : QString()),
                   11);
        if (i % 2 == 1 || i + 1 == verdict.criteria.size())
            y += rowHeight;
    }
    return y + 6;
}

// The column heads over each group of treatments; returns where the rows start.
int GamePage::drawHeads(ReportSheet &sheet, int y) const
{
    const int groupWidth = sheet.body().width() / groups;
    const QStringList titles = ReportSheet::heads(columns, static_cast<int>(std::size(columns)));
    for (int g = 0; g < groups; ++g)
        drawCells(sheet, g * groupWidth, y, groupWidth, titles, true);
    sheet.painter().setPen(PlotColors::grid());
    sheet.painter().drawLine(0, y + rowHeight + 1, sheet.body().width(), y + rowHeight + 1);
    return y + rowHeight + 3;
}
