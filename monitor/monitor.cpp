#include "monitor.h"

#include "readings.h"

#include <QColor>
#include <QFont>
#include <QHBoxLayout>
#include <QLCDNumber>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QVBoxLayout>

#include <initializer_list>

namespace
{

constexpr int stripWidth = 150;
constexpr int stripHeight = 50;
constexpr int cycleLength = 60;
constexpr int columnWidth = 3;
const QColor stripBackground(Qt::black);

// Copies sourceRect of source to target without scaling, drawing only the
// part the source really holds. A missing ECG image is empty and a small one
// ends early; the painter's handling of a source rectangle that reaches past
// the pixmap is not something to rely on, so clip it here.
void copyRect(QPainter &painter, const QPoint &target, const QPixmap &source,
              const QRect &sourceRect)
{
    const QRect held = sourceRect.intersected(source.rect());
    if (held.isEmpty())
        return;
    painter.drawPixmap(target + (held.topLeft() - sourceRect.topLeft()), source, held);
}

} // namespace

Monitor::Monitor()
{
    ekg1.load(QStringLiteral("../data/ekg1.bmp"));
    ekg2.load(QStringLiteral("../data/ekg2.bmp"));
    strip = QPixmap(stripWidth, stripHeight);
    strip.fill(stripBackground);

    createChildren();
    drawStartingPicture();
    stripLabel->setPixmap(strip);
    styleDisplays();
    fillColumns();

    stripPosition = 30;
    nextStripMode = 0;
    stripMode = 0;

    assemble();
}

void Monitor::createChildren()
{
    heartRateLcd = new QLCDNumber;
    systolicLcd = new QLCDNumber;
    diastolicLcd = new QLCDNumber;
    temperatureLcd = new QLCDNumber;
    respiratoryLcd = new QLCDNumber;

    readingsRow = new QHBoxLayout;
    headerRow = new QHBoxLayout;
    pressureColumn = new QVBoxLayout;
    temperatureColumn = new QVBoxLayout;
    respirationColumn = new QVBoxLayout;
    mainColumn = new QVBoxLayout;

    pressureLabel = new QLabel(QStringLiteral("RR"));
    temperatureLabel = new QLabel(QStringLiteral("T/\u00B0C"));
    respirationLabel = new QLabel(QStringLiteral("AF"));
    titleLabel = new QLabel(QStringLiteral("Vitalparameter"));
    // Beside the heart-rate display the heading has about 90 pixels.
    QFont headingFont = titleLabel->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 0.85);
    titleLabel->setFont(headingFont);
    stripLabel = new QLabel;

    const std::initializer_list<QLayout *> layouts = {
        readingsRow, headerRow, pressureColumn, temperatureColumn, respirationColumn, mainColumn};
    for (QLayout *layout : layouts)
        layout->setSpacing(0);
}

// Two and a half cycles of the first image, ending at image column 30 where
// the first step carries on.
void Monitor::drawStartingPicture()
{
    QPainter painter(&strip);
    copyRect(painter, QPoint(0, 0), ekg1, QRect(0, 0, 60, 50));
    copyRect(painter, QPoint(60, 0), ekg1, QRect(0, 0, 60, 50));
    copyRect(painter, QPoint(120, 0), ekg1, QRect(0, 0, 30, 50));
}

void Monitor::styleDisplays()
{
    styleLcd(heartRateLcd, 255, 0, 0);
    styleLcd(systolicLcd, 0, 0, 255);
    styleLcd(temperatureLcd, 255, 255, 0);
    styleLcd(diastolicLcd, 0, 0, 255);
    styleLcd(respiratoryLcd, 255, 255, 255);
    // The two pressure displays share the height of one.
    systolicLcd->setFixedSize(50, 25);
    diastolicLcd->setFixedSize(50, 25);
}

void Monitor::fillColumns()
{
    pressureColumn->addWidget(pressureLabel);
    pressureColumn->addWidget(systolicLcd);
    pressureColumn->addWidget(diastolicLcd);
    temperatureColumn->addWidget(temperatureLabel);
    temperatureColumn->addWidget(temperatureLcd);
    respirationColumn->addWidget(respirationLabel);
    respirationColumn->addWidget(respiratoryLcd);
    readingsRow->addLayout(pressureColumn);
    readingsRow->addLayout(temperatureColumn);
    readingsRow->addLayout(respirationColumn);
}

void Monitor::assemble()
{
    headerRow->addWidget(titleLabel);
    headerRow->addWidget(heartRateLcd);
    mainColumn->addLayout(headerRow);
    mainColumn->addWidget(stripLabel);
    mainColumn->addLayout(readingsRow);
    setLayout(mainColumn);
    setFixedSize(160, 180);
}

void Monitor::styleLcd(QLCDNumber *display, int red, int green, int blue)
{
    display->setSegmentStyle(QLCDNumber::Filled);
    display->setDigitCount(4);
    display->display(QStringLiteral("111"));
    display->setAutoFillBackground(true);
    // The two-colour palette derives the digit colour from these as well.
    display->setPalette(QPalette(QColor(0, 0, 0, 255), QColor(red, green, blue, 255)));
    display->setFixedSize(50, 50);
}

void Monitor::stepEcg()
{
    const QPixmap before = strip;
    QPainter painter(&strip);
    copyRect(painter, QPoint(0, 0), before,
             QRect(columnWidth, 0, stripWidth - columnWidth, stripHeight));

    // Modes other than 0 and 1 (a dead patient) repeat the flat start of the
    // first image, wherever the cycle stands.
    const QPixmap &source = stripMode == 1 ? ekg2 : ekg1;
    const int x = (stripMode == 0 || stripMode == 1) ? stripPosition : 0;
    const QRect newColumn(stripWidth - columnWidth, 0, columnWidth, stripHeight);
    // Cleared first: where the image holds nothing, the strip shows background
    // rather than a repeat of the columns that were there before the shift.
    painter.fillRect(newColumn, stripBackground);
    copyRect(painter, newColumn.topLeft(), source, QRect(x, 0, columnWidth, stripHeight));

    stripPosition += columnWidth;
    if (stripPosition >= cycleLength) {
        stripPosition = 0;
        stripMode = nextStripMode;
    }
    painter.end();
    stripLabel->setPixmap(strip);
}

void Monitor::showReadings(int heartRate, int systolic, float temperature, int respiratoryRate,
                           int ekgMode)
{
    heartRateLcd->display(heartRate);
    systolicLcd->display(systolic);
    diastolicLcd->display(diastolicFor(systolic));
    temperatureLcd->display(static_cast<double>(temperature));
    respiratoryLcd->display(respiratoryRate);
    nextStripMode = ekgMode;
}
