#pragma once

class QPainter;

// Pictures of the six dressings and instruments. Each draws into a
// 142 x 70 area whose top left corner is the painter's origin.
class InstrumentArt
{
  public:
    static void plaster(QPainter &painter);
    static void pressureBandage(QPainter &painter);
    static void sutureNeedle(QPainter &painter);
    static void cleaning(QPainter &painter);
    static void oxygen(QPainter &painter);
    static void defibrillator(QPainter &painter);

  private:
    static void plasterStrip(QPainter &painter, double angle);
    static void paddle(QPainter &painter, double x, double y);
};
