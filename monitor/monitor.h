#pragma once

#include <QPixmap>
#include <QWidget>

class QHBoxLayout;
class QLabel;
class QLCDNumber;
class QVBoxLayout;

// The vital-signs panel of the side column: five LCD readings (heart rate,
// systolic and diastolic pressure, temperature, respiratory rate) and an ECG
// strip that scrolls by three pixel columns per clock tick. The strip cycles
// through the 60 columns of one of two ECG images; the image in use changes
// only at a cycle boundary so a beat is never cut in half on screen.
class Monitor : public QWidget
{
    Q_OBJECT

  public:
    Monitor();

    // Moves the strip on by one 3-pixel column and shows it.
    void stepEcg();
    // Shows one set of readings; ekgMode takes effect at the next cycle boundary.
    void showReadings(int heartRate, int systolic, float temperature, int respiratoryRate,
                      int ekgMode);

    // Read-only access to the strip state and the displays.
    int currentStripPosition() const { return stripPosition; }
    int pendingStripMode() const { return nextStripMode; }
    const QPixmap &stripPixmap() const { return strip; }
    const QLCDNumber *heartRateDisplay() const { return heartRateLcd; }
    const QLCDNumber *systolicDisplay() const { return systolicLcd; }
    const QLCDNumber *diastolicDisplay() const { return diastolicLcd; }
    const QLCDNumber *temperatureDisplay() const { return temperatureLcd; }
    const QLCDNumber *respiratoryDisplay() const { return respiratoryLcd; }

  private:
    void createChildren();
    void drawStartingPicture();
    void styleDisplays();
    void fillColumns();
    void assemble();
    void styleLcd(QLCDNumber *display, int red, int green, int blue);

    int stripPosition;
    int nextStripMode;
    int stripMode;
    QPixmap ekg1;
    QPixmap ekg2;
    QPixmap strip;
    QLCDNumber *heartRateLcd;
    QLCDNumber *systolicLcd;
    QLCDNumber *diastolicLcd;
    QLCDNumber *temperatureLcd;
    QLCDNumber *respiratoryLcd;
    QHBoxLayout *readingsRow;
    QHBoxLayout *headerRow;
    QVBoxLayout *pressureColumn;
    QVBoxLayout *temperatureColumn;
    QVBoxLayout *respirationColumn;
    QVBoxLayout *mainColumn;
    QLabel *pressureLabel;
    QLabel *temperatureLabel;
    QLabel *respirationLabel;
    QLabel *titleLabel;
    QLabel *stripLabel;
};
