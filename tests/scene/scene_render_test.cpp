// The room as the game draws it: every view lit and closed (no black gaps
// where a wall is missing), and the wound visible where the spray starts.

#include "scenepreview.h"

#include <Inventor/nodes/SoDirectionalLight.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <gtest/gtest.h>
#include <string>

namespace
{

const char *const scenePath = "../data/scene002.iv";

struct Brightness {
    double mean = 0;
    double darkShare = 0; // share of pixels that are nearly black
};

Brightness measure(const QImage &image)
{
    Brightness result;
    long dark = 0;
    double sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(image.pixel(x, y));
            sum += grey;
            dark += grey < 16 ? 1 : 0;
        }
    }
    const double count = double(image.width()) * image.height();
    result.mean = sum / count;
    result.darkShare = dark / count;
    return result;
}

TEST(ScenePreview, BuildsTheGraphLikeTheGame)
{
    ScenePreview preview(scenePath);
    ASSERT_TRUE(preview.loaded());
    SoSeparator *root = preview.root();
    ASSERT_GT(root->getNumChildren(), 2);
    ASSERT_EQ(root->getChild(0), preview.camera());
    EXPECT_EQ(preview.camera()->nearDistance.getValue(), 1.0f);
    EXPECT_EQ(preview.camera()->farDistance.getValue(), 1000.0f);
    EXPECT_EQ(preview.camera()->position.getValue(), SbVec3f(-80, 160, 0));
    ASSERT_TRUE(root->getChild(1)->isOfType(SoDirectionalLight::getClassTypeId()));
    auto *light = static_cast<SoDirectionalLight *>(root->getChild(1));
    EXPECT_EQ(light->direction.getValue(), SbVec3f(0, -1, 0));
    EXPECT_EQ(light->color.getValue(), SbColor(0.8f, 0.8f, 0.8f));
}

TEST(ScenePreview, MissingFileGivesNoPicture)
{
    ScenePreview preview("../data/no-such-room.iv");
    EXPECT_FALSE(preview.loaded());
    EXPECT_TRUE(preview.render().isNull());
}

TEST(ScenePreview, RendersTheGameViewSize)
{
    ScenePreview preview(scenePath);
    const QImage image = preview.render();
    ASSERT_FALSE(image.isNull()) << "no GL context";
    EXPECT_EQ(image.width(), 800);
    EXPECT_EQ(image.height(), 600);
}

struct View {
    const char *what;
    SbVec3f eye;
    SbVec3f aim;
};

// Views from where the player can stand, towards every wall, the floor and
// the ceiling (pitch up to the 72 degree limit).
const View views[] = {
    {"start", {-80, 160, 0}, {0, 120, 0}},
    {"counter wall", {60, 160, -30}, {252, 140, -30}},
    {"desk wall", {100, 160, 100}, {-252, 140, 60}},
    {"door wall", {0, 160, -100}, {100, 140, 232}},
    {"window wall", {-150, 160, 100}, {-20, 140, -232}},
    {"corner", {-240, 160, 220}, {60, 90, -60}},
    {"ceiling", {-150, 160, 150}, {-140, 285, 110}},
    {"floor", {150, 160, 150}, {140, 0, 110}},
};

TEST(SceneRender, EveryViewIsLitAndClosed)
{
    ScenePreview preview(scenePath);
    ASSERT_TRUE(preview.loaded());
    for (const View &view : views) {
        preview.aim(view.eye, view.aim);
        const QImage image = preview.render();
        ASSERT_FALSE(image.isNull()) << view.what;
        const Brightness b = measure(image);
        std::printf("%-12s mean grey %5.1f  nearly black %4.1f %%\n", view.what, b.mean,
                    100 * b.darkShare);
        EXPECT_GT(b.mean, 90) << view.what << " is too dark";
        EXPECT_LT(b.mean, 230) << view.what << " is washed out";
        EXPECT_LT(b.darkShare, 0.03) << view.what << " shows black gaps or unlit surfaces";
    }
}

// Standing beside the bed and looking at the spray's start, the middle of
// the view is the red of the open wound.
TEST(SceneRender, WoundShowsRedWhereTheSprayStarts)
{
    ScenePreview preview(scenePath);
    ASSERT_TRUE(preview.loaded());
    preview.aim(SbVec3f(70, 160, 63), SbVec3f(10, 93, 63));
    const QImage image = preview.render();
    ASSERT_FALSE(image.isNull());
    int red = 0;
    for (int y = 296; y <= 304; ++y) {
        for (int x = 396; x <= 404; ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 2 * c.green() && c.red() > 2 * c.blue() && c.red() > 80 ? 1 : 0;
        }
    }
    EXPECT_GE(red, 60) << "of 81 pixels round the middle";
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
