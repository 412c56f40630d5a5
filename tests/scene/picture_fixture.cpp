#include "picture_fixture.h"

#include "scene/model_shelf.h"
#include "scene/render_frame.h"

void PictureTest::SetUp() {
    saverSettings = DefaultSaverSettings();
    PlaceModelsFrom({VARNOKA_MODELS_DIR});
}

PictureStep PictureTest::Open(int width, int height) {
    window = std::make_unique<varnoka::rm::MemoryWindow>(width, height);
    return OpenPicture(window->Handle());
}

void PictureTest::Draw(float units) { ASSERT_EQ(RenderFrame(viewerContext, units), 1); }

D3DVECTOR PictureTest::PositionOf(IDirect3DRMFrame* frame) {
    D3DVECTOR position{};
    EXPECT_EQ(frame->GetPosition(viewerContext->scene, &position), D3DRM_OK);
    return position;
}

int PictureTest::PixelsNot(std::uint32_t color) const {
    int count = 0;
    for (std::uint32_t pixel : window->Pixels()) count += pixel != color;
    return count;
}
