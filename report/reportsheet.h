#pragma once

#include <QPainter>
#include <QRect>
#include <QString>
#include <QStringList>

class QPdfWriter;

// The pages of a course report as they are drawn, one after the other, in
// units of a 96 dpi screen: each page with its heading and a numbered foot,
// and the body between them to draw on.
class ReportSheet
{
  public:
    // A column of a table: its head, its width (0: the rest of the row) and
    // how its cells align.
    struct Column {
        const char *title;
        int width;
        Qt::Alignment align;
    };

    // The writer must stay until end().
    explicit ReportSheet(QPdfWriter &writer);

    // Called by the report's pages for each page they fill: starts the next
    // page (the first on the first call) with its heading and foot.
    void startPage(const QString &heading, const QString &subheading);
    // The room between the heading and the foot of the current page.
    QRect body() const;
    QPainter &painter() { return paint; }

    // Draws `text` in `rect` in the report's font, cut short with "..." when
    // it would not fit on one line.
    void text(const QRect &rect, int flags, const QString &text, int pixels, bool bold = false,
              const QColor &color = QColor(40, 40, 40));

    // Called by the report's pages for each row of a table: draws `texts`,
    // one per column, in the row `line` of the page; `line`'s height is the
    // row's.
    void row(const Column *columns, const QStringList &texts, const QRect &line, bool bold);
    // The heads of `count` columns, as `row` takes them.
    static QStringList heads(const Column *columns, int count);

    // Finishes the document; false when the writer could not.
    bool end() { return paint.end(); }

  private:
    QPdfWriter &writer;
    QPainter paint;
    int pages = 0;
};
