#include "reportsheet.h"

#include "plotstyle.h"

#include <QFontMetrics>
#include <QPdfWriter>

namespace
{

constexpr int headingHeight = 52;
constexpr int footHeight = 22;

} // namespace

ReportSheet::ReportSheet(QPdfWriter &writer) : writer(writer), paint(&writer) {}

void ReportSheet::startPage(const QString &heading, const QString &subheading)
{
    if (pages++ > 0)
        writer.newPage();
    const int width = writer.width();
    text(QRect(0, 0, width, 28), Qt::AlignLeft | Qt::AlignVCenter, heading, 20, true);
    text(QRect(0, 28, width, 20), Qt::AlignLeft | Qt::AlignVCenter, subheading, 12, false,
         PlotColors::faint().darker(120));
    paint.setPen(PlotColors::frame());
    paint.drawLine(0, headingHeight - 2, width, headingHeight - 2);
    const QRect foot(0, writer.height() - footHeight + 4, width, footHeight - 4);
    text(foot, Qt::AlignRight | Qt::AlignBottom,
         QStringLiteral("Curavant course report \u00b7 page %1").arg(pages), 10, false,
         PlotColors::faint());
}

QRect ReportSheet::body() const
{
    return QRect(0, headingHeight + 6, writer.width(),
                 writer.height() - headingHeight - 6 - footHeight);
}

void ReportSheet::text(const QRect &rect, int flags, const QString &text, int pixels, bool bold,
                       const QColor &color)
{
    // Unshaped, the text has no ligatures: it reads and searches in a PDF
    // viewer as it is written.
    QFont font = plotFont(pixels, bold);
    font.setStyleStrategy(QFont::PreferNoShaping);
    paint.setFont(font);
    paint.setPen(color);
    const QString shown =
        QFontMetrics(paint.font(), &writer).elidedText(text, Qt::ElideRight, rect.width());
    paint.drawText(rect, flags | Qt::TextSingleLine, shown);
}

void ReportSheet::row(const Column *columns, const QStringList &texts, const QRect &line, bool bold)
{
    const int right = line.right() - 5;
    int x = line.left();
    for (int c = 0; c < texts.size(); ++c) {
        const int width = columns[c].width ? columns[c].width : right - x;
        text(QRect(x + 4, line.top(), width - 8, line.height()),
             columns[c].align | Qt::AlignVCenter, texts[c], 11, bold);
        x += width;
    }
}

QStringList ReportSheet::heads(const Column *columns, int count)
{
    QStringList titles;
    for (int c = 0; c < count; ++c)
        titles << QString::fromUtf8(columns[c].title);
    return titles;
}
