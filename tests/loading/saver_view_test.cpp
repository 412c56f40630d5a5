#include <gtest/gtest.h>

#include "tools/xrender/saver_view.h"

namespace {

int Covered(const SaverViewImage& image, std::uint32_t background) {
    int covered = 0;
    for (std::uint32_t pixel : image.pixels) covered += pixel != background;
    return covered;
}

// xrender's options reach the picture the way the saver's settings do.
TEST(SaverView, RenderOptionsAndBackgroundShapeThePicture) {
    const std::string model = VARNOKA_MODELS_DIR "/vk2.x";
    SaverSettings settings = DefaultSaverSettings();
    settings.backgroundRed = 10;
    settings.backgroundGreen = 20;
    settings.backgroundBlue = 30;
    SaverViewImage solid;
    ASSERT_EQ(DrawSaverView(model, 96, 72, 30, solid, settings), D3DRM_OK);
    EXPECT_EQ(solid.pixels.front(), 0x0A141Eu);

    SaverViewImage wireframe;
    settings.fillMode = 1;
    ASSERT_EQ(DrawSaverView(model, 96, 72, 30, wireframe, settings), D3DRM_OK);
    EXPECT_NE(wireframe.pixels, solid.pixels);
    EXPECT_EQ(wireframe.pixels.front(), 0x0A141Eu);

    SaverViewImage mono;
    settings.fillMode = 2;
    settings.colorModel = 0;
    ASSERT_EQ(DrawSaverView(model, 96, 72, 30, mono, settings), D3DRM_OK);
    EXPECT_NE(mono.pixels, solid.pixels);
    EXPECT_EQ(Covered(mono, 0x0A141E), Covered(solid, 0x0A141E)) << "the same faces cover the same pixels";
}

// The rows a picture's car covers, top and bottom.
std::pair<int, int> CoveredRows(const SaverViewImage& image) {
    int top = -1, bottom = -1;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.pixels[static_cast<size_t>(y) * image.width + x] != 0) {
                if (top < 0) top = y;
                bottom = y;
            }
    return {top, bottom};
}

// Drawn as a user's own car, one of the nine only stands on the common ground line: the same
// size, a little lower. A glTF file is fitted the same way.
TEST(SaverView, AnOwnCarIsDrawnFittedToTheView) {
    const std::string model = VARNOKA_MODELS_DIR "/vk3.x";
    SaverViewImage ours, own;
    ASSERT_EQ(DrawSaverView(model, 160, 120, 0, ours), D3DRM_OK);
    ASSERT_EQ(DrawSaverView(model, 160, 120, 0, own, DefaultSaverSettings(), ModelRole::OwnCar), D3DRM_OK);
    const auto [oursTop, oursBottom] = CoveredRows(ours);
    const auto [ownTop, ownBottom] = CoveredRows(own);
    EXPECT_NEAR(ownBottom - ownTop, oursBottom - oursTop, 1);
    EXPECT_GT(ownTop, oursTop);
    EXPECT_NEAR(Covered(own, 0), Covered(ours, 0), Covered(ours, 0) / 50);

    SaverViewImage boxes;
    ASSERT_EQ(DrawSaverView(VARNOKA_TEST_DATA "/gltf/two_boxes.gltf", 160, 120, 0, boxes, DefaultSaverSettings(),
                            ModelRole::OwnCar),
              D3DRM_OK);
    EXPECT_GT(Covered(boxes, 0), Covered(ours, 0) / 4) << "as large as a car on the screen";
}

}  // namespace
