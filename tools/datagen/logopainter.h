#pragma once

#include <QImage>

class QPainter;

// Paints the title picture that fills the right of the window whenever no
// game runs: the game's name, the patient's diagnosis and a monitor trace
// on a dark clinical blue.
class LogoPainter
{
  public:
    static constexpr int width = 800;
    static constexpr int height = 600;

    QImage paint() const;

  private:
    void drawBackground(QPainter &painter) const;
    void drawEmblem(QPainter &painter) const;
    void drawTitle(QPainter &painter) const;
    void drawTrace(QPainter &painter) const;
    void drawDiagnosis(QPainter &painter) const;
    void drawBone(QPainter &painter, const QPointF &centre) const;
    void drawHint(QPainter &painter) const;
};
