#pragma once

#include <QObject>

class SoGLRenderAction;
class SoQtRenderArea;

// Keeps the 3D view right on a scaling (HiDPI) desktop. SoQt sets the
// geometry of its GL widget from a size already multiplied by the device
// pixel ratio, so at a ratio of 2 the drawing lies mostly outside the view.
// At a fractional ratio SoQt scales by the ratio's whole part only: its
// viewport, and the positions of the events it delivers, cover only part of
// the GL widget's device pixels. This filter puts the GL widget back into
// the render area whenever SoQt has resized it, and has each frame drawn
// over all of the widget's device pixels; picks keep SoQt's viewport, which
// matches its events. At a ratio of 1 it changes nothing.
class ViewScaling : public QObject
{
  public:
    explicit ViewScaling(SoQtRenderArea *area);
    ~ViewScaling() override;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void fit();
    static void beforeFrame(void *self, SoGLRenderAction *action);

    SoQtRenderArea *area;
};
