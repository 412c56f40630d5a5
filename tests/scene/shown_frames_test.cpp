// The window shows only what changed from one frame to the next. Whatever happens to the picture,
// its pixels after every frame must be exactly those of a frame cleared, drawn and shown whole:
// the same long run of frames is played both ways and compared frame by frame.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "interaction/drag_steps.h"
#include "retained/mesh_data.h"
#include "retained/whole_frames.h"
#include "scene/camera_keys.h"
#include "scene/model_shelf.h"
#include "scene/render_frame.h"
#include "scene/render_options.h"
#include "scene/saver_picture.h"
#include "settings/saver_settings.h"
#include "shown_window.h"

namespace {

constexpr int Width = 160;
constexpr int Height = 120;
constexpr uint32_t KeyLeft = 0x25, KeyUp = 0x26, KeyRight = 0x27;

using Frames = std::vector<std::vector<std::uint32_t>>;

uint32_t FixedTick() { return 1000u; }

// One run of the picture, every frame's pixels kept.
class Run {
public:
    Run(bool whole, Frames& frames) : whole_(whole), frames_(frames) {}

    ShownWindow& Window() { return window_; }

    void Draw(int count = 1, float units = 1.0f) {
        for (int i = 0; i < count; ++i) {
            // A rebuilt device starts again with its own way of showing frames.
            if (whole_) {
                ASSERT_EQ(varnoka::rm::SetWholeFrames(viewerContext->device, TRUE), D3DRM_OK);
            }
            ASSERT_EQ(RenderFrame(viewerContext, units), 1);
            frames_.push_back(window_.Pixels());
        }
    }

private:
    bool whole_;
    Frames& frames_;
    ShownWindow window_{Width, Height};
};

IDirect3DRMFrame* Camera() { return viewerContext->camera; }
IDirect3DRMFrame* Scene() { return viewerContext->scene; }

void Key(Run& run, uint32_t key, int frames, float units = 1.0f) {
    SteerOnKeyDown(key, Camera(), Scene(), nullptr);
    run.Draw(frames, units);
    SteerOnKeyUp(key, Camera(), Scene(), nullptr);
}

// A half see-through red pane between the camera and the car.
void AddSeeThroughPane() {
    varnoka::rm::MeshData pane;
    pane.positions = {{-1.5f, -0.6f, 0}, {-1.5f, 0.6f, 0}, {1.5f, 0.6f, 0}, {1.5f, -0.6f, 0}};
    varnoka::rm::MeshMaterial glass;
    glass.faceColor = {0.9f, 0.1f, 0.1f};
    glass.alpha = 0.5f;
    pane.materials.push_back(glass);
    pane.faces.push_back({{0, 1, 2, 3}, {}, 0});
    IDirect3DRMFrame2* frame = nullptr;
    IDirect3DRMMeshBuilder2* builder = nullptr;
    ASSERT_EQ(d3drm2->CreateFrame(Camera(), &frame), D3DRM_OK);
    frame->SetPosition(Camera(), 0.5f, 0, 3);
    ASSERT_EQ(d3drm2->CreateMeshBuilder(&builder), D3DRM_OK);
    ASSERT_EQ(varnoka::rm::AssignMeshData(builder, pane), D3DRM_OK);
    frame->AddVisual(builder);
    builder->Release();
    frame->Release();
}

void ReplaceViewport(int x, int y, int width, int height) {
    IDirect3DRMViewport* viewport = nullptr;
    ASSERT_EQ(d3drm2->CreateViewport(viewerContext->device, viewerContext->camera, x, y, width, height, &viewport),
              D3DRM_OK);
    viewport->SetBack(5000.0f);
    viewerContext->viewport->Release();
    viewerContext->viewport = viewport;
}

// Everything that changes what the window shows, one after the other.
void Play(bool whole, Frames& frames) {
    saverSettings = DefaultSaverSettings();
    saverSettings.switchModels = 0;
    saverSettings.randomModels = 0;
    PlaceModelsFrom({VARNOKA_MODELS_DIR});
    Run run(whole, frames);
    ASSERT_EQ(OpenPicture(run.Window().Handle()), PictureStep::Ready);
    run.Draw(12);  // the car turns

    Key(run, KeyUp, 4);
    Key(run, 'T', 3);
    SteerOnKeyDown('E', Camera(), Scene(), nullptr);  // launched through the car and away
    run.Draw(2, 0.05f);
    SteerOnKeyDown('Y', Camera(), Scene(), nullptr);  // and back
    run.Draw(2, 0.05f);
    Key(run, 'R', 1, 0.0f);  // stops it

    Key(run, KeyRight, 8, 4.0f);  // the car leaves the screen
    Key(run, KeyLeft, 8, 4.0f);   // and comes back

    ASSERT_EQ(RotateStep(modelFrame, Camera(), 12, -5), D3DRM_OK);  // a left drag spins it
    run.Draw(6);
    for (int step = 0; step < 4; ++step) {  // a right drag moves it across the view
        ASSERT_EQ(MoveStep(modelFrame, Scene(), viewerContext->viewport, 9, 4), D3DRM_OK);
        run.Draw();
    }

    saverSettings.modelIndex = 4;
    ASSERT_EQ(SwitchModel(viewerContext, FixedTick), D3DRM_OK);
    run.Draw(4);

    for (int32_t color : {MonoColors, RgbColors})
        for (int32_t fill : {PointsFill, WireframeFill, SolidFill})
            for (int32_t shade : {FlatShading, GouraudShading, PhongShading}) {
                saverSettings.colorModel = color;
                saverSettings.fillMode = fill;
                saverSettings.shadeMode = shade;
                ApplyRenderSettings(viewerContext, saverSettings);
                run.Draw(2);
            }

    AddSeeThroughPane();
    run.Draw(5);

    Scene()->SetSceneBackgroundRGB(0.2f, 0.4f, 0.6f);
    run.Draw(3);

    run.Window().Damage(20, 15, 60, 40);
    frames.push_back(run.Window().Pixels());  // repainted from the last frame at once
    run.Draw(2);

    ReplaceViewport(16, 12, 100, 80);
    run.Draw(6);
    ClosePicture();
}

TEST(ShownFrames, EveryFrameIsExactlyAWholeFrame) {
    Frames changed;
    Frames whole;
    Play(false, changed);
    Play(true, whole);
    ASSERT_EQ(changed.size(), whole.size());
    ASSERT_GT(changed.size(), 100u);
    int differing = 0;
    for (std::size_t i = 0; i < changed.size(); ++i) {
        if (changed[i] == whole[i]) continue;
        if (++differing <= 5) ADD_FAILURE() << "frame " << i << " differs from the whole frame";
    }
    EXPECT_EQ(differing, 0);
}

}  // namespace
