#pragma once

class QPainter;

// Pictures of the five medications. Each draws into a 142 x 70 area whose
// top left corner is the painter's origin.
class MedicineArt
{
  public:
    static void painkiller(QPainter &painter);
    static void antidiarrhoeal(QPainter &painter);
    static void antiemetic(QPainter &painter);
    static void paracetamol(QPainter &painter);
    static void antihypertensive(QPainter &painter);

  private:
    static void bottle(QPainter &painter, double left, double top, double width, double height);
};
