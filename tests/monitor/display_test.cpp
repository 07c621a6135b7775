// The monitor's five displays and its panel: the look and "111" before any
// reading, where each reading goes, and the diastolic arithmetic.

#include "monitor.h"

#include <QLCDNumber>
#include <QLabel>
#include <gtest/gtest.h>

// Names colours and sizes in failure messages.
void PrintTo(const QColor &colour, std::ostream *out)
{
    *out << colour.name().toStdString();
}

void PrintTo(const QSize &size, std::ostream *out)
{
    *out << size.width() << "x" << size.height();
}

TEST(Displays, Read111InTheirColoursBeforeAnyReading)
{
    const Monitor monitor;
    const struct {
        const QLCDNumber *lcd;
        QColor colour;
        int height;
    } displays[] = {{monitor.heartRateDisplay(), Qt::red, 50},
                    {monitor.systolicDisplay(), Qt::blue, 25},
                    {monitor.diastolicDisplay(), Qt::blue, 25},
                    {monitor.temperatureDisplay(), Qt::yellow, 50},
                    {monitor.respiratoryDisplay(), Qt::white, 50}};
    for (const auto &d : displays) {
        SCOPED_TRACE(d.colour.name().toStdString());
        EXPECT_EQ(d.lcd->intValue(), 111);
        EXPECT_EQ(d.lcd->digitCount(), 4);
        EXPECT_EQ(d.lcd->segmentStyle(), QLCDNumber::Filled);
        EXPECT_TRUE(d.lcd->autoFillBackground());
        EXPECT_EQ(d.lcd->palette().color(QPalette::Window), d.colour);
        EXPECT_EQ(d.lcd->palette().color(QPalette::Button), QColor(Qt::black));
        EXPECT_EQ(d.lcd->minimumSize(), QSize(50, d.height));
        EXPECT_EQ(d.lcd->maximumSize(), QSize(50, d.height));
    }
}

// The float reading is widened, not rounded to a decimal text; the diastolic
// value is two thirds of the systolic, truncated toward zero.
TEST(Displays, ShowTheReadingsAndTheDiastolicValue)
{
    Monitor monitor;
    const int table[][2] = {{120, 80}, {121, 80}, {119, 79}, {1, 0}, {0, 0}, {-1, 0}, {-3, -2}};
    for (const auto &[systolic, diastolic] : table) {
        monitor.showReadings(90, systolic, 36.6f, 15, -1);
        EXPECT_EQ(monitor.systolicDisplay()->value(), systolic);
        EXPECT_EQ(monitor.diastolicDisplay()->value(), diastolic) << "systolic " << systolic;
    }
    EXPECT_EQ(monitor.heartRateDisplay()->value(), 90);
    EXPECT_EQ(monitor.temperatureDisplay()->value(), static_cast<double>(36.6f));
    EXPECT_EQ(monitor.respiratoryDisplay()->value(), 15);
    EXPECT_EQ(monitor.pendingStripMode(), -1);
    EXPECT_EQ(monitor.currentStripPosition(), 30) << "the strip waits for the clock";
}

TEST(Panel, Is160By180WithItsHeadings)
{
    const Monitor monitor;
    EXPECT_EQ(monitor.minimumSize(), QSize(160, 180));
    EXPECT_EQ(monitor.maximumSize(), QSize(160, 180));
    QStringList texts;
    for (const QLabel *label : monitor.findChildren<QLabel *>())
        texts << label->text();
    texts.sort();
    EXPECT_EQ(texts.join('|').toStdString(), "|AF|RR|T/\u00B0C|Vitalparameter");
}
