#include <gtest/gtest.h>

#include <cmath>

#include "scene_rig.h"

namespace {

constexpr float Pi = 3.14159265358979f;

struct Frames : ::testing::Test {
    rigs::SceneRig rig{8, 8};
};

D3DVECTOR PositionIn(IDirect3DRMFrame* frame, IDirect3DRMFrame* reference) {
    D3DVECTOR p{};
    EXPECT_EQ(frame->GetPosition(reference, &p), D3DRM_OK);
    return p;
}

TEST_F(Frames, PositionsAreRelativeToTheReferenceFrame) {
    IDirect3DRMFrame2* parent = rig.AddChildFrame(1, 2, 3);
    parent->SetOrientation(rig.scene, 1, 0, 0, 0, 1, 0);  // parent's z runs along the scene's x
    IDirect3DRMFrame2* child = nullptr;
    rig.d3drm2->CreateFrame(parent, &child);
    rig.owned.push_back(child);
    child->SetPosition(parent, 0, 0, 2);
    const D3DVECTOR inScene = PositionIn(child, rig.scene);
    EXPECT_NEAR(inScene.x, 3.0f, 1e-5f);
    EXPECT_NEAR(inScene.y, 2.0f, 1e-5f);
    EXPECT_NEAR(inScene.z, 3.0f, 1e-5f);
    // A null reference means the parent's space.
    const D3DVECTOR inParent = PositionIn(child, nullptr);
    EXPECT_NEAR(inParent.z, 2.0f, 1e-5f);
    child->SetPosition(rig.scene, 0, 0, 0);
    const D3DVECTOR local = PositionIn(child, parent);
    EXPECT_NEAR(local.x, 3.0f, 1e-5f);  // scene origin seen from the parent: its z runs along x
    EXPECT_NEAR(local.y, -2.0f, 1e-5f);
    EXPECT_NEAR(local.z, -1.0f, 1e-5f);
}

TEST_F(Frames, OrientationRoundTripsAndUpIsMadePerpendicular) {
    IDirect3DRMFrame2* frame = rig.AddChildFrame(0, 5, -5);
    ASSERT_EQ(frame->SetOrientation(rig.scene, 0, -1, 1, 0, 1, 0), D3DRM_OK);
    D3DVECTOR d{}, u{};
    ASSERT_EQ(frame->GetOrientation(rig.scene, &d, &u), D3DRM_OK);
    const float s = 1.0f / std::sqrt(2.0f);
    EXPECT_NEAR(d.x, 0.0f, 1e-6f);
    EXPECT_NEAR(d.y, -s, 1e-6f);
    EXPECT_NEAR(d.z, s, 1e-6f);
    EXPECT_NEAR(u.x, 0.0f, 1e-6f);
    EXPECT_NEAR(u.y, s, 1e-6f);
    EXPECT_NEAR(u.z, s, 1e-6f);
    EXPECT_NEAR(d.x * u.x + d.y * u.y + d.z * u.z, 0.0f, 1e-6f);
    // Position is untouched by orientation.
    EXPECT_NEAR(PositionIn(frame, rig.scene).y, 5.0f, 1e-6f);
}

TEST_F(Frames, StandingRotationMakesAFullTurnInAbout314Moves) {
    IDirect3DRMFrame2* model = rig.AddChildFrame(0, 0, 10);
    ASSERT_EQ(model->SetRotation(rig.scene, 0, 1, 0, -0.02f), D3DRM_OK);
    D3DVECTOR d{}, u{};
    int moves = 0;
    float previousAngle = 0;
    float turned = 0;
    while (turned < 2 * Pi && moves < 1000) {
        rig.scene->Move(1.0f);
        ++moves;
        model->GetOrientation(rig.scene, &d, &u);
        const float angle = std::atan2(d.x, d.z);
        float step = angle - previousAngle;
        if (step > Pi) step -= 2 * Pi;
        if (step < -Pi) step += 2 * Pi;
        EXPECT_NEAR(std::fabs(step), 0.02f, 1e-4f);
        turned += std::fabs(step);
        previousAngle = angle;
    }
    EXPECT_EQ(moves, 315);                                      // 2 pi / 0.02 = 314.16
    EXPECT_NEAR(u.y, 1.0f, 1e-5f);                              // turning about y keeps the frame upright
    EXPECT_NEAR(PositionIn(model, rig.scene).z, 10.0f, 1e-5f);  // turns in place
}

TEST_F(Frames, VelocityIsScaledByTheTimeStepAndReplacedNotAdded) {
    IDirect3DRMFrame2* frame = rig.AddChildFrame(0, 0, 0);
    frame->SetVelocity(rig.scene, 1, 0, 0, FALSE);
    frame->SetVelocity(rig.scene, 0, 0.25f, 0, FALSE);
    rig.scene->Move(2.0f);
    const D3DVECTOR p = PositionIn(frame, rig.scene);
    EXPECT_NEAR(p.x, 0.0f, 1e-6f);
    EXPECT_NEAR(p.y, 0.5f, 1e-6f);
    // A velocity given relative to a turned frame is taken in that frame's axes.
    IDirect3DRMFrame2* turned = rig.AddChildFrame(0, 0, 0);
    turned->SetOrientation(rig.scene, 1, 0, 0, 0, 1, 0);
    frame->SetVelocity(turned, 0, 0, 1, FALSE);
    rig.scene->Move(1.0f);
    EXPECT_NEAR(PositionIn(frame, rig.scene).x, 1.0f, 1e-6f);
}

TEST_F(Frames, LookAtAimsWithoutRoll) {
    IDirect3DRMFrame2* target = rig.AddChildFrame(0, 0, 10);
    rig.camera->SetPosition(rig.scene, 0, 2, -5);
    ASSERT_EQ(rig.camera->LookAt(target, rig.scene, D3DRMCONSTRAIN_Z), D3DRM_OK);
    D3DVECTOR d{}, u{};
    rig.camera->GetOrientation(rig.scene, &d, &u);
    const float length = std::sqrt(4.0f + 225.0f);
    EXPECT_NEAR(d.x, 0.0f, 1e-6f);
    EXPECT_NEAR(d.y, -2.0f / length, 1e-6f);
    EXPECT_NEAR(d.z, 15.0f / length, 1e-6f);
    EXPECT_NEAR(u.x, 0.0f, 1e-6f);  // no roll: right vector stays horizontal
    EXPECT_GT(u.y, 0.99f);
    // Aimed at, the target projects onto the viewport's centre.
    D3DVECTOR world{0, 0, 10};
    D3DRMVECTOR4D screen{};
    rig.viewport->Transform(&screen, &world);
    EXPECT_NEAR(screen.x / screen.w, 4.0f, 1e-4f);
    EXPECT_NEAR(screen.y / screen.w, 4.0f, 1e-4f);
}

struct Orientation {
    D3DVECTOR direction{}, up{};
};

Orientation OrientationIn(IDirect3DRMFrame* frame, IDirect3DRMFrame* reference) {
    Orientation o;
    EXPECT_EQ(frame->GetOrientation(reference, &o.direction, &o.up), D3DRM_OK);
    return o;
}

void ExpectAlong(const D3DVECTOR& v, float x, float y, float z) {
    const float length = std::sqrt(x * x + y * y + z * z);
    EXPECT_NEAR(v.x, x / length, 1e-6f);
    EXPECT_NEAR(v.y, y / length, 1e-6f);
    EXPECT_NEAR(v.z, z / length, 1e-6f);
}

// Without yaw the frame only pitches, so +z aims at the target as seen in the y-z plane and x
// stays the reference's x; without pitch it only turns, aiming in the x-z plane with y kept.
TEST_F(Frames, LookAtWithoutYawOnlyPitchesAndWithoutPitchOnlyTurns) {
    IDirect3DRMFrame2* frame = rig.AddChildFrame(1, 2, 3);
    IDirect3DRMFrame2* target = rig.AddChildFrame(4, 6, 15);  // 3, 4, 12 away
    // Where the frame pointed before must not matter.
    frame->SetOrientation(rig.scene, 1, 1, 0, 0, 0, 1);
    ASSERT_EQ(frame->LookAt(target, rig.scene, D3DRMCONSTRAIN_Y), D3DRM_OK);
    Orientation o = OrientationIn(frame, rig.scene);
    ExpectAlong(o.direction, 0, 4, 12);
    ExpectAlong(o.up, 0, 12, -4);
    frame->SetOrientation(rig.scene, 1, 1, 0, 0, 0, 1);
    ASSERT_EQ(frame->LookAt(target, rig.scene, D3DRMCONSTRAIN_X), D3DRM_OK);
    o = OrientationIn(frame, rig.scene);
    ExpectAlong(o.direction, 3, 0, 12);
    ExpectAlong(o.up, 0, 1, 0);
    // Behind and above: pitching on over the top rather than turning round.
    target->SetPosition(rig.scene, 1, 3, 2);
    ASSERT_EQ(frame->LookAt(target, rig.scene, D3DRMCONSTRAIN_Y), D3DRM_OK);
    o = OrientationIn(frame, rig.scene);
    ExpectAlong(o.direction, 0, 1, -1);
    ExpectAlong(o.up, 0, -1, -1);
    // Turning alone does turn round.
    ASSERT_EQ(frame->LookAt(target, rig.scene, D3DRMCONSTRAIN_X), D3DRM_OK);
    o = OrientationIn(frame, rig.scene);
    ExpectAlong(o.direction, 0, 0, -1);
    ExpectAlong(o.up, 0, 1, 0);
}

TEST_F(Frames, LookAtConstraintsAreTheReferenceFramesAxes) {
    // The reference is rolled a quarter turn: its y runs along the scene's x.
    IDirect3DRMFrame2* reference = rig.AddChildFrame(0, 0, 0);
    reference->SetOrientation(rig.scene, 0, 0, 1, 1, 0, 0);
    IDirect3DRMFrame2* frame = rig.AddChildFrame(0, 0, 0);
    IDirect3DRMFrame2* target = rig.AddChildFrame(0, 3, 4);
    // Turning about the reference's y, which is the scene's x, reaches this target exactly.
    ASSERT_EQ(frame->LookAt(target, reference, D3DRMCONSTRAIN_X), D3DRM_OK);
    Orientation o = OrientationIn(frame, rig.scene);
    ExpectAlong(o.direction, 0, 3, 4);
    ExpectAlong(o.up, 1, 0, 0);
    // Pitching about the reference's x, the scene's -y, cannot: the frame looks straight ahead.
    ASSERT_EQ(frame->LookAt(target, reference, D3DRMCONSTRAIN_Y), D3DRM_OK);
    o = OrientationIn(frame, rig.scene);
    ExpectAlong(o.direction, 0, 0, 1);
    ExpectAlong(o.up, 1, 0, 0);
}

TEST_F(Frames, LookAtWithNothingToTurnTowardLeavesTheOrientation) {
    IDirect3DRMFrame2* frame = rig.AddChildFrame(0, 0, 0);
    IDirect3DRMFrame2* target = rig.AddChildFrame(0, 0, 0);
    frame->SetOrientation(rig.scene, 1, 1, 0, 0, 0, 1);
    const auto expectUnturned = [&] {
        const Orientation o = OrientationIn(frame, rig.scene);
        ExpectAlong(o.direction, 1, 1, 0);
        ExpectAlong(o.up, 0, 0, 1);
    };
    for (D3DRMFRAMECONSTRAINT constraint : {D3DRMCONSTRAIN_Z, D3DRMCONSTRAIN_Y, D3DRMCONSTRAIN_X}) {
        EXPECT_EQ(frame->LookAt(target, rig.scene, constraint), D3DRM_OK);  // the target is where it stands
        expectUnturned();
    }
    target->SetPosition(rig.scene, 5, 0, 0);  // square to the side: no pitch comes nearer
    EXPECT_EQ(frame->LookAt(target, rig.scene, D3DRMCONSTRAIN_Y), D3DRM_OK);
    expectUnturned();
    target->SetPosition(rig.scene, 0, -5, 0);  // straight below: no turn comes nearer
    EXPECT_EQ(frame->LookAt(target, rig.scene, D3DRMCONSTRAIN_X), D3DRM_OK);
    expectUnturned();
    EXPECT_EQ(frame->LookAt(target, rig.scene, static_cast<D3DRMFRAMECONSTRAINT>(3)), D3DRMERR_BADVALUE);
    expectUnturned();
}

TEST_F(Frames, ParentKeepsChildrenLightsAndVisualsAlive) {
    IDirect3DRMFrame2* child = nullptr;
    rig.d3drm2->CreateFrame(rig.scene, &child);
    IDirect3DRMMeshBuilder2* builder = nullptr;
    rig.d3drm2->CreateMeshBuilder(&builder);
    child->AddVisual(builder);
    EXPECT_EQ(builder->AddRef(), 3u);  // the program's, the frame's, this one
    builder->Release();
    EXPECT_EQ(builder->Release(), 1u);  // only the frame's reference is left
    EXPECT_EQ(child->Release(), 1u);    // the scene still holds the child
    // Deleting the visual drops the frame's reference; adding twice keeps one.
    IDirect3DRMMeshBuilder2* second = nullptr;
    rig.d3drm2->CreateMeshBuilder(&second);
    rig.scene->AddVisual(second);
    rig.scene->AddVisual(second);
    EXPECT_EQ(rig.scene->DeleteVisual(second), D3DRM_OK);
    EXPECT_EQ(rig.scene->DeleteVisual(second), D3DRMERR_NOTFOUND);
    EXPECT_EQ(second->Release(), 0u);
}

TEST_F(Frames, AFrameCannotBecomeItsOwnAncestor) {
    IDirect3DRMFrame2* child = rig.AddChildFrame(0, 0, 0);
    EXPECT_EQ(child->AddChild(rig.scene), D3DRMERR_BADVALUE);
    EXPECT_EQ(child->AddChild(child), D3DRMERR_BADVALUE);
    rig.scene->Move(1.0f);  // would never return if a loop had been made
}

}  // namespace
