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

}  // namespace
