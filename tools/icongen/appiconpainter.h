#pragma once

#include <QImage>

class QPainter;

// Draws the program's icon for the desktop's application menu at any size:
// the logo's emblem (a white cross on a teal disc in a white ring) over a
// heartbeat trace, on a rounded square in the logo's night blue. Outside the
// rounded square the icon is transparent.
class AppIconPainter
{
  public:
    QImage paint(int size) const;

  private:
    void drawTile(QPainter &painter, double size) const;
    void drawTrace(QPainter &painter, double size) const;
    void drawEmblem(QPainter &painter, double size) const;
};
