#pragma once

#include <QPainter>
#include <QRect>
#include <QString>

class QPdfWriter;

// The pages of a course report as they are drawn, one after the other, in
// units of a 96 dpi screen: each page with its heading and a numbered foot,
// and the body between them to draw on.
class ReportSheet
{
  public:
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

    // Finishes the document; false when the writer could not.
    bool end() { return paint.end(); }

  private:
    QPdfWriter &writer;
    QPainter paint;
    int pages = 0;
};
