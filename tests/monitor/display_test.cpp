#include "ekg_tree.h"

#include <QBoxLayout>
#include <QLCDNumber>
#include <QLabel>

namespace
{

// The readings, the look of the five displays and the panel's layout. These
// do not depend on the ECG files, so the monitor reads none.
class DisplayTest : public ::testing::Test
{
  protected:
    EkgTree tree;
    std::unique_ptr<Monitor> monitor = tree.makeMonitor();
};

struct DisplayCase {
    const char *name;
    const QLCDNumber *(Monitor::*display)() const;
    QColor colour;
    QSize size;
};

const DisplayCase displays[] = {
    {"heart rate", &Monitor::heartRateDisplay, QColor(255, 0, 0), {50, 50}},
    {"systolic", &Monitor::systolicDisplay, QColor(0, 0, 255), {50, 25}},
    {"diastolic", &Monitor::diastolicDisplay, QColor(0, 0, 255), {50, 25}},
    {"temperature", &Monitor::temperatureDisplay, QColor(255, 255, 0), {50, 50}},
    {"respiratory rate", &Monitor::respiratoryDisplay, QColor(255, 255, 255), {50, 50}},
};

TEST_F(DisplayTest, EveryDisplayReads111InItsColourBeforeAnyReading)
{
    for (const DisplayCase &c : displays) {
        SCOPED_TRACE(c.name);
        const QLCDNumber *lcd = ((*monitor).*c.display)();
        EXPECT_EQ(lcd->value(), 111.0);
        EXPECT_EQ(lcd->intValue(), 111);
        EXPECT_EQ(lcd->digitCount(), 4);
        EXPECT_EQ(lcd->segmentStyle(), QLCDNumber::Filled);
        EXPECT_TRUE(lcd->autoFillBackground());
        EXPECT_EQ(lcd->palette().color(QPalette::Window), c.colour);
        EXPECT_EQ(lcd->palette().color(QPalette::Button), QColor(0, 0, 0));
        EXPECT_EQ(lcd->minimumSize(), c.size);
        EXPECT_EQ(lcd->maximumSize(), c.size);
        // The leftmost of the four digit places is blank: the face shows there.
        const QImage face = const_cast<QLCDNumber *>(lcd)->grab().toImage();
        EXPECT_EQ(QColor(face.pixel(6, c.size.height() / 2)), c.colour);
    }
}

TEST_F(DisplayTest, DiastolicIsTwoThirdsOfSystolicTruncatedTowardZero)
{
    const struct {
        int systolic;
        int diastolic;
    } cases[] = {{120, 80}, {121, 80}, {119, 79}, {100, 66}, {1, 0},
                 {0, 0},    {-1, 0},   {-3, -2},  {-4, -2}};
    for (const auto &c : cases) {
        monitor->showReadings(70, c.systolic, 36.0f, 12, 0);
        EXPECT_EQ(monitor->systolicDisplay()->intValue(), c.systolic);
        EXPECT_EQ(monitor->diastolicDisplay()->value(), c.diastolic) << "systolic " << c.systolic;
    }
}

TEST_F(DisplayTest, ReadingsGoToTheirDisplaysAndTheModeWaits)
{
    const QImage stripBefore = monitor->stripPixmap().toImage();
    monitor->showReadings(90, 120, 36.5f, 15, -1);
    EXPECT_EQ(monitor->heartRateDisplay()->value(), 90.0);
    EXPECT_EQ(monitor->systolicDisplay()->value(), 120.0);
    EXPECT_EQ(monitor->diastolicDisplay()->value(), 80.0);
    EXPECT_EQ(monitor->temperatureDisplay()->value(), 36.5);
    EXPECT_EQ(monitor->respiratoryDisplay()->value(), 15.0);
    EXPECT_EQ(monitor->pendingStripMode(), -1);
    EXPECT_EQ(monitor->currentStripMode(), 0);
    EXPECT_EQ(monitor->currentStripPosition(), 30);
    EXPECT_TRUE(sameImage(monitor->stripPixmap().toImage(), stripBefore));

    // The float reading is widened, not rounded to a decimal text.
    monitor->showReadings(90, 120, 36.6f, 15, 0);
    EXPECT_EQ(monitor->temperatureDisplay()->value(), static_cast<double>(36.6f));
    EXPECT_EQ(monitor->pendingStripMode(), 0);
}

// Checks that a layout holds exactly the given widgets and layouts, in order,
// packed without spacing.
void expectItems(const QLayout *layout, const std::vector<const QObject *> &items)
{
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->spacing(), 0);
    ASSERT_EQ(layout->count(), static_cast<int>(items.size()));
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        const QObject *held = item->widget() ? static_cast<QObject *>(item->widget())
                                             : static_cast<QObject *>(item->layout());
        EXPECT_EQ(held, items[static_cast<size_t>(i)]) << "item " << i;
    }
}

const QLabel *labelAt(const QLayout *layout, int index)
{
    return qobject_cast<const QLabel *>(layout->itemAt(index)->widget());
}

TEST_F(DisplayTest, PanelLayout)
{
    EXPECT_STREQ(monitor->metaObject()->className(), "Monitor");
    EXPECT_EQ(monitor->parent(), nullptr);
    EXPECT_EQ(monitor->minimumSize(), QSize(160, 180));
    EXPECT_EQ(monitor->maximumSize(), QSize(160, 180));
    EXPECT_EQ(monitor->size(), QSize(160, 180));
    EXPECT_EQ(monitor->stripPixmap().size(), QSize(150, 50));

    const QLayout *main = monitor->layout();
    ASSERT_NE(qobject_cast<const QVBoxLayout *>(main), nullptr);
    ASSERT_EQ(main->count(), 3);
    const QLayout *header = main->itemAt(0)->layout();
    const QLabel *stripLabel = labelAt(main, 1);
    const QLayout *readings = main->itemAt(2)->layout();
    ASSERT_NE(qobject_cast<const QHBoxLayout *>(header), nullptr);
    ASSERT_NE(qobject_cast<const QHBoxLayout *>(readings), nullptr);
    ASSERT_NE(stripLabel, nullptr);
    EXPECT_EQ(stripLabel->text(), QString());
    expectItems(main, {header, stripLabel, readings});

    expectItems(header, {labelAt(header, 0), monitor->heartRateDisplay()});
    EXPECT_EQ(labelAt(header, 0)->text(), QStringLiteral("Vitalparameter"));

    ASSERT_EQ(readings->count(), 3);
    const QLayout *pressure = readings->itemAt(0)->layout();
    const QLayout *temperature = readings->itemAt(1)->layout();
    const QLayout *respiration = readings->itemAt(2)->layout();
    expectItems(readings, {pressure, temperature, respiration});
    for (const QLayout *column : {pressure, temperature, respiration})
        ASSERT_NE(qobject_cast<const QVBoxLayout *>(column), nullptr);
    expectItems(pressure,
                {labelAt(pressure, 0), monitor->systolicDisplay(), monitor->diastolicDisplay()});
    expectItems(temperature, {labelAt(temperature, 0), monitor->temperatureDisplay()});
    expectItems(respiration, {labelAt(respiration, 0), monitor->respiratoryDisplay()});
    EXPECT_EQ(labelAt(pressure, 0)->text(), QStringLiteral("RR"));
    EXPECT_EQ(labelAt(temperature, 0)->text(), QString::fromUtf8("T/\xC2\xB0"
                                                                 "C"));
    EXPECT_EQ(labelAt(respiration, 0)->text(), QStringLiteral("AF"));

    for (const QObject *child : {static_cast<const QObject *>(stripLabel),
                                 static_cast<const QObject *>(monitor->heartRateDisplay())})
        EXPECT_EQ(child->parent(), monitor.get());
}

} // namespace
