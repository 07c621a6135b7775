#pragma once

#include <QImage>
#include <QString>

#include <vector>

class QPainter;

// Paints the tool icons shown in the side column: a picture of the item on
// a light card with the item's German name on a band below, all in one
// frame, one type and one palette.
class IconPainter
{
  public:
    static constexpr int width = 150;
    static constexpr int height = 100;

    struct Tool {
        QString file;  // under Icons/
        QString label; // the item's name as the room calls it
        void (*draw)(QPainter &);
    };

    // In tool id order, 1 to 11.
    static const std::vector<Tool> &tools();

    QImage paint(const Tool &tool) const;

  private:
    void drawCard(QPainter &painter) const;
    void drawLabel(QPainter &painter, const QString &label) const;
};
