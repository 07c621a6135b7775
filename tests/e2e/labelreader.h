#pragma once

#include <QImage>
#include <QMap>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

// Reads the side column's text labels off a screenshot. The test process is
// a Qt client of the same display as the game, so a QLabel rendered here
// with the game's font ("Times", 16 points) and the label's size shows the
// same pixels as the game's label. A text is recognised by comparing the
// label's rows that carry ink, across the label's whole width, so that
// "Punkte: 10" does not pass for "Punkte: 100".
class LabelReader
{
  public:
    explicit LabelReader(QSize labelSize);

    // The top-left corner of the label that shows `text`, searched for in
    // `area` of `shot`.
    std::optional<QPoint> locate(const QImage &shot, const QString &text, const QRect &area);
    bool shows(const QImage &shot, QPoint origin, const QString &text);
    // The one of `candidates` that the label at `origin` shows, or a null
    // string when none does.
    QString read(const QImage &shot, QPoint origin, const QStringList &candidates);

  private:
    struct Rendered {
        QImage band; // the rows with ink, the label's full width
        int top = 0; // the band's first row within the label
    };
    const Rendered &rendered(const QString &text);
    // Pixels of `band` at `at` in `shot` that differ clearly, counting up to
    // `limit` + 1 at most.
    static int mismatches(const QImage &shot, QPoint at, const QImage &band, int limit);

    QSize size;
    QMap<QString, Rendered> cache;
};

// Texts the labels can show.
QStringList pointsTexts();
QStringList timeTexts();
// The seconds that a "Time: m:ss" text shows, or -1 for any other text.
int shownSeconds(const QString &timeText);
