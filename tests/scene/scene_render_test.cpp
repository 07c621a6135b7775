// The room as the game draws it: every view lit and closed (no black gaps
// where a wall is missing), and the wound visible where the spray starts.

#include "scenepreview.h"

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <gtest/gtest.h>

namespace
{

// Views from where the player can stand, towards every wall, the floor and
// the ceiling (pitch up to the 72 degree limit): bright, not washed out, and
// with hardly a pixel nearly black. Beside the bed, looking at the spray's
// start, the middle of the view is the red of the open wound.
TEST(SceneRender, ViewsAreLitAndClosedAndShowTheWound)
{
    const struct {
        const char *what;
        SbVec3f eye, aim;
    } views[] = {
        {"start", {-80, 160, 0}, {0, 120, 0}},
        {"counter wall", {60, 160, -30}, {252, 140, -30}},
        {"desk wall", {100, 160, 100}, {-252, 140, 60}},
        {"door wall", {0, 160, -100}, {100, 140, 232}},
        {"window wall", {-150, 160, 100}, {-20, 140, -232}},
        {"corner", {-240, 160, 220}, {60, 90, -60}},
        {"ceiling", {-150, 160, 150}, {-140, 285, 110}},
        {"floor", {150, 160, 150}, {140, 0, 110}},
    };
    ScenePreview preview("../data/scene002.iv");
    for (const auto &view : views) {
        preview.aim(view.eye, view.aim);
        const QImage image = preview.render();
        ASSERT_EQ(image.size(), QSize(800, 600)) << view.what;
        double sum = 0, dark = 0;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x) {
                sum += qGray(image.pixel(x, y));
                dark += qGray(image.pixel(x, y)) < 16 ? 1 : 0;
            }
        const double mean = sum / (800 * 600), darkShare = dark / (800 * 600);
        EXPECT_TRUE(mean > 90 && mean < 230) << view.what << ": mean grey " << mean;
        EXPECT_LT(darkShare, 0.03) << view.what << " shows black gaps or unlit surfaces";
    }
    preview.aim(SbVec3f(70, 160, 63), SbVec3f(10, 93, 63));
    const QImage image = preview.render();
    int red = 0;
    for (int y = 296; y <= 304; ++y)
        for (int x = 396; x <= 404; ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 2 * c.green() && c.red() > 2 * c.blue() && c.red() > 80 ? 1 : 0;
        }
    EXPECT_GE(red, 60) << "of 81 pixels round the middle of the wound view";
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
