#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "interaction/drag_steps.h"
#include "picture_fixture.h"
#include "scene/camera_keys.h"

namespace {

constexpr uint32_t KeyLeft = 0x25, KeyUp = 0x26, KeyRight = 0x27, KeyDown = 0x28, KeySpace = 0x20;
constexpr uint32_t KeyPadAdd = 0x6B;

class SteeringTest : public PictureTest {
protected:
    void SetUp() override {
        PictureTest::SetUp();
        saverSettings.cameraY = 0;  // looking straight along +z: up is +y, right is +x
        ASSERT_EQ(Open(64, 48), PictureStep::Ready);
        camera = viewerContext->camera;
        scene = viewerContext->scene;
        start = PositionOf(camera);
    }
    bool Down(uint32_t key, IDirect3DRMFrame* selected = nullptr) {
        return SteerOnKeyDown(key, camera, scene, selected);
    }
    bool Up(uint32_t key, IDirect3DRMFrame* selected = nullptr) { return SteerOnKeyUp(key, camera, scene, selected); }
    D3DVECTOR MovedBy() {
        const D3DVECTOR now = PositionOf(camera);
        return {now.x - start.x, now.y - start.y, now.z - start.z};
    }

    IDirect3DRMFrame* camera = nullptr;
    IDirect3DRMFrame* scene = nullptr;
    D3DVECTOR start{};
};

TEST_F(SteeringTest, ArrowsSlideTheCameraAQuarterUnitPerUnitOfTimeWhileHeld) {
    EXPECT_TRUE(Down(KeyUp));
    EXPECT_TRUE(Down(KeyUp)) << "a held key repeats and sets the same velocity";
    Draw(2.0f);
    EXPECT_NEAR(MovedBy().y, 0.5f, 1e-5);
    EXPECT_TRUE(Up(KeyUp));
    Draw(5.0f);
    EXPECT_NEAR(MovedBy().y, 0.5f, 1e-5) << "released: the camera stops";

    EXPECT_TRUE(Down(KeyRight));
    Draw(4.0f);
    EXPECT_NEAR(MovedBy().x, 1.0f, 1e-5);
    EXPECT_TRUE(Down(KeyLeft));
    Draw(4.0f);
    EXPECT_NEAR(MovedBy().x, 0.0f, 1e-5);
    EXPECT_TRUE(Down(KeyDown));
    Draw(2.0f);
    EXPECT_NEAR(MovedBy().y, 0.0f, 1e-5);
    Up(KeyDown);
}

TEST_F(SteeringTest, TAndRMoveAlongTheViewWhileHeldAndEAndYKeepGoing) {
    EXPECT_TRUE(Down(KeyPadAdd));
    Draw(1.0f);
    EXPECT_NEAR(MovedBy().z, 1.0f, 1e-5);
    EXPECT_TRUE(Up(KeyPadAdd));
    EXPECT_TRUE(Down('R'));
    Draw(1.0f);
    EXPECT_NEAR(MovedBy().z, 0.0f, 1e-5);
    EXPECT_TRUE(Up('R'));

    EXPECT_TRUE(Down('Y'));
    EXPECT_FALSE(Up('Y')) << "its release is not the camera's";
    Draw(0.01f);
    Draw(0.01f);
    EXPECT_NEAR(MovedBy().z, -2.0f, 1e-4) << "launched backward at 100 units";
    EXPECT_TRUE(Down('T'));
    EXPECT_TRUE(Up('T'));
    Draw(1.0f);
    EXPECT_NEAR(MovedBy().z, -2.0f, 1e-4) << "stopped by a key of the release table";
}

TEST_F(SteeringTest, ObjectKeysMoveTheSelectionAndDoNothingWithout) {
    EXPECT_TRUE(Down('X')) << "consumed, so the saver does not end";
    Draw(1.0f);
    const D3DVECTOR model = PositionOf(modelFrame);
    EXPECT_FLOAT_EQ(model.z, 10.0f);
    EXPECT_TRUE(Up('Z'));

    EXPECT_TRUE(Down('Z', modelFrame));
    Draw(2.0f);
    EXPECT_NEAR(PositionOf(modelFrame).z, 8.0f, 1e-5);
    EXPECT_TRUE(Up('X', modelFrame));
    Draw(2.0f);
    EXPECT_NEAR(PositionOf(modelFrame).z, 8.0f, 1e-5);

    EXPECT_FALSE(Down(KeySpace)) << "every other key is left to end the saver";
    EXPECT_FALSE(Up(KeySpace));
}

TEST(DragSteps, ARotateStepTurnsAboutTheAxisAcrossTheDrag) {
    DragRotation rotation{};
    ASSERT_TRUE(RotationForStep(3, -4, rotation));  // 3 right, 4 up
    EXPECT_FLOAT_EQ(rotation.axisX, 0.8f);
    EXPECT_FLOAT_EQ(rotation.axisY, -0.6f);
    EXPECT_EQ(rotation.axisZ, 0.0f);
    EXPECT_NEAR(rotation.angle, 5.0 / std::sqrt(2525.0), 1e-7);
    ASSERT_TRUE(RotationForStep(3, 0, rotation));
    EXPECT_FLOAT_EQ(rotation.axisY, -1.0f);
    EXPECT_NEAR(rotation.angle, 0.0599, 1e-4);
    ASSERT_TRUE(RotationForStep(50, 0, rotation));
    EXPECT_NEAR(rotation.angle, 0.7071, 1e-4);
    ASSERT_TRUE(RotationForStep(1, 0, rotation));
    EXPECT_NEAR(rotation.angle, 0.0200, 1e-4);
    EXPECT_FALSE(RotationForStep(0, 0, rotation));
}

TEST_F(SteeringTest, ARotateStepOfNoLengthKeepsTheSpin) {
    ASSERT_EQ(RotateStep(modelFrame, camera, 3, 0), D3DRM_OK);
    ASSERT_EQ(RotateStep(modelFrame, camera, 0, 0), D3DRM_OK);
    modelFrame->SetOrientation(scene, 0, 0, 1, 0, 1, 0);
    Draw(1.0f);
    D3DVECTOR direction{}, up{};
    modelFrame->GetOrientation(scene, &direction, &up);
    // About the camera's downward axis, 0.0599 radian per unit of time.
    EXPECT_NEAR(std::abs(std::atan2(direction.x, direction.z)), 0.0599, 1e-3);
}

TEST_F(SteeringTest, AMoveStepShiftsTheFramesScreenPointByTheDrag) {
    IDirect3DRMViewport* viewport = viewerContext->viewport;
    auto screenPoint = [&] {
        D3DVECTOR position = PositionOf(modelFrame);
        D3DRMVECTOR4D screen{};
        viewport->Transform(&screen, &position);
        return std::pair<float, float>(screen.x / screen.w, screen.y / screen.w);
    };
    const auto before = screenPoint();
    const float depth = PositionOf(modelFrame).z;
    ASSERT_EQ(MoveStep(modelFrame, scene, viewport, 7, -5), D3DRM_OK);
    const auto after = screenPoint();
    EXPECT_NEAR(after.first - before.first, 7.0f, 1e-3);
    EXPECT_NEAR(after.second - before.second, -5.0f, 1e-3);
    EXPECT_NEAR(PositionOf(modelFrame).z, depth, 1e-3) << "at unchanged depth";
}

}  // namespace
