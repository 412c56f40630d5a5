#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "picture_fixture.h"
#include "scene/frame_pacer.h"
#include "scene/model_shelf.h"
#include "scene/render_frame.h"
#include "settings/random_generator.h"

namespace {

uint32_t fakeTick = 0;
uint32_t FakeTick() { return fakeTick; }

class SwitchTest : public PictureTest {
protected:
    void SetUp() override {
        PictureTest::SetUp();
        saverSettings.randomModels = 0;
        lastSwitchTick = 0;
        fakeTick = 0;
    }
};

TEST_F(SwitchTest, ASwitchIsDueOnlyWhenTheDelayHasPassed) {
    saverSettings.switchDelay = 30;
    lastSwitchTick = 1000;
    EXPECT_FALSE(ModelSwitchDue(31000));
    EXPECT_TRUE(ModelSwitchDue(31001));
    saverSettings.switchModels = 0;
    EXPECT_FALSE(ModelSwitchDue(0xFFFFFFFFu)) << "switching off";

    saverSettings.switchModels = 1;
    saverSettings.switchDelay = 0;
    EXPECT_FALSE(ModelSwitchDue(1000)) << "delay 0: only once the tick has moved";
    EXPECT_TRUE(ModelSwitchDue(1001));

    // The wrap of the tick count: the difference is taken unsigned.
    saverSettings.switchDelay = 30;
    lastSwitchTick = 0xFFFFF000u;
    EXPECT_FALSE(ModelSwitchDue(0x00005000u));
    EXPECT_TRUE(ModelSwitchDue(0xFFFFF000u + 30001u));

    // A delay of -1 s is 4294966296 ms read unsigned: only the last second before the tick
    // wraps could switch.
    saverSettings.switchDelay = -1;
    lastSwitchTick = 0;
    EXPECT_FALSE(ModelSwitchDue(0x7FFFFFFFu));
    EXPECT_TRUE(ModelSwitchDue(0xFFFFFFFFu));
}

TEST_F(SwitchTest, RandomSwitchesNeverShowTheSameModelTwiceInARow) {
    ASSERT_EQ(Open(), PictureStep::Ready);
    saverSettings.randomModels = 1;
    SeedRandom(12345);
    std::set<int32_t> seen;
    int32_t previous = saverSettings.modelIndex;
    for (int i = 0; i < 24; ++i) {
        fakeTick = 5000u + static_cast<uint32_t>(i);
        ASSERT_EQ(SwitchModel(viewerContext, FakeTick), D3DRM_OK);
        EXPECT_NE(saverSettings.modelIndex, previous);
        EXPECT_GE(saverSettings.modelIndex, 0);
        EXPECT_LT(saverSettings.modelIndex, ModelCount);
        EXPECT_EQ(lastSwitchTick, fakeTick) << "the delay counts from the end of the load";
        previous = saverSettings.modelIndex;
        seen.insert(previous);
    }
    EXPECT_GE(seen.size(), 5u);
    Draw();
    EXPECT_NE(Pixel(80, 60), 0u);
}

TEST_F(SwitchTest, WithoutRandomPicksTheSameFileIsLoadedAgain) {
    saverSettings.modelIndex = 4;
    ASSERT_EQ(Open(), PictureStep::Ready);
    IDirect3DRMMeshBuilder2* first = modelBuilder;
    const int faces = first->GetFaceCount();
    first->AddRef();
    ASSERT_EQ(SwitchModel(viewerContext, FakeTick), D3DRM_OK);
    EXPECT_NE(modelBuilder, first);
    EXPECT_EQ(modelBuilder->GetFaceCount(), faces);
    EXPECT_EQ(saverSettings.modelIndex, 4);
    first->Release();
}

TEST_F(SwitchTest, AModelThatFailsToLoadAtASwitchEndsDrawingSilently) {
    ASSERT_EQ(Open(), PictureStep::Ready);
    saverSettings.modelIndex = 42;  // an index outside the table means the first model
    PlaceModelsFrom({"/no/such/folder"});
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(SwitchModel(viewerContext, FakeTick), D3DRMERR_FILENOTFOUND);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(modelBuilder, nullptr);
    EXPECT_NE(modelFrame, nullptr) << "the frame, and with it the selection, stays";
}

TEST(FramePacer, FramesComeNoFasterThanTheRefresh) {
    FramePacer pacer(60.0);
    double now = 100.0;
    EXPECT_EQ(pacer.RemainingWait(now), 0.0) << "the first frame does not wait";
    pacer.FrameStarted(now);
    // A display wait that returns at once (no composition) leaves the rest of the period.
    now += 0.003;
    EXPECT_NEAR(pacer.RemainingWait(now), 1.0 / 60.0 - 0.003, 1e-9);
    now += pacer.RemainingWait(now);
    EXPECT_EQ(pacer.RemainingWait(now), 0.0);
    // A slow frame is not made to wait further.
    pacer.FrameStarted(now);
    EXPECT_EQ(pacer.RemainingWait(now + 0.05), 0.0);
    // An unknown refresh rate counts as 60 Hz.
    EXPECT_DOUBLE_EQ(FramePacer(0).Period(), 1.0 / 60.0);
    EXPECT_DOUBLE_EQ(FramePacer(1).Period(), 1.0 / 60.0);
    EXPECT_DOUBLE_EQ(FramePacer(144).Period(), 1.0 / 144.0);
}

TEST(FramePacer, ALongPauseMovesTheSceneByAtMostTheCap) {
    FramePacer pacer(60.0);
    EXPECT_NEAR(pacer.FrameStarted(10.0), 0.5f, 1e-6) << "a first frame moves by one period";
    EXPECT_NEAR(pacer.FrameStarted(10.1), 3.0f, 1e-4);
    EXPECT_EQ(pacer.FrameStarted(12.0), MaxUnitsPerFrame);
    EXPECT_EQ(pacer.FrameStarted(11.0), 0.0f) << "a clock that goes back moves nothing";
}

// Small windows draw on whole refreshes, as few as keep them at or under 30 frames a second, and
// move the scene by the time between their frames.
TEST(FramePacer, SmallWindowsDrawAtMostThirtyFramesASecond) {
    EXPECT_TRUE(IsSmallWindow(152, 112)) << "the preview";
    EXPECT_TRUE(IsSmallWindow(319, 239));
    EXPECT_FALSE(IsSmallWindow(320, 239));
    EXPECT_FALSE(IsSmallWindow(319, 240));

    struct Case {
        double refreshHz;
        int refreshesPerFrame;
    };
    for (const Case c :
         {Case{60, 2}, Case{59.94, 2}, Case{60.02, 2}, Case{75, 3}, Case{144, 5}, Case{30, 1}, Case{0, 2}}) {
        FramePacer pacer(c.refreshHz, true);
        const double interval = pacer.Period() * c.refreshesPerFrame;
        EXPECT_NEAR(pacer.FrameStarted(10.0), interval * UnitsPerSecond, 1e-5) << c.refreshHz << " first frame";
        EXPECT_NEAR(pacer.RemainingWait(10.0), interval, 1e-9) << c.refreshHz;
        // The display wait returns at the next refresh; the rest of the interval is still to wait.
        EXPECT_NEAR(pacer.RemainingWait(10.0 + pacer.Period()), interval - pacer.Period(), 1e-9) << c.refreshHz;
        EXPECT_EQ(pacer.RemainingWait(10.0 + interval), 0.0) << c.refreshHz;

        // Three seconds: no more than 30 frames a second, and the scene moves 30 units a second.
        double now = 10.0;
        double units = 0;
        int frames = 0;
        while (now < 13.0) {
            now += pacer.RemainingWait(now);
            units += pacer.FrameStarted(now);
            ++frames;
            now += 0.002;
        }
        EXPECT_LE(frames, 90) << c.refreshHz;
        EXPECT_GE(frames, 3 * c.refreshHz / c.refreshesPerFrame - 1) << c.refreshHz;
        EXPECT_NEAR(units, (now - 0.002 - 10.0) * UnitsPerSecond, 0.01) << c.refreshHz;
    }
    FramePacer large(60.0, false);
    large.FrameStarted(10.0);
    EXPECT_NEAR(large.RemainingWait(10.0), 1.0 / 60.0, 1e-9) << "other windows draw at every refresh";
}

// After drawing stood still, the next frame comes at once and moves the scene by one frame, not
// by the pause nor by the cap of a long frame.
TEST(FramePacer, AfterAPauseDrawingGoesOnAsFromTheFirstFrame) {
    for (const bool small : {false, true}) {
        FramePacer pacer(60.0, small);
        const D3DVALUE firstFrame = pacer.FrameStarted(10.0);
        pacer.FrameStarted(10.0 + 1.0 / 30.0);
        pacer.Restart();
        EXPECT_EQ(pacer.RemainingWait(10.04), 0.0) << small;
        EXPECT_FLOAT_EQ(pacer.FrameStarted(610.0), firstFrame) << small;
        EXPECT_NEAR(pacer.FrameStarted(610.0 + 1.0 / 30.0), 1.0f, 1e-4) << small << " then by the time that passed";
    }
}

// The car turns by the time that has passed, whatever the frame rate: at 30, 60 and 144 Hz it
// stands at the same angle after three seconds, 0.6 radian per second.
TEST_F(PictureTest, TheCarTurnsAtTheSameSpeedAtEveryFrameRate) {
    ASSERT_EQ(Open(16, 12), PictureStep::Ready);
    // Seven hundred frames: the car's frame turns, its mesh is left out of them.
    modelFrame->DeleteVisual(modelBuilder);
    const double rates[] = {30.0, 60.0, 144.0};
    for (double rate : rates) {
        modelFrame->SetOrientation(viewerContext->scene, 0, 0, 1, 0, 1, 0);
        FramePacer pacer(rate);
        double now = 50.0;
        int frames = 0;
        while (now < 53.0) {
            now += pacer.RemainingWait(now);
            Draw(pacer.FrameStarted(now));
            ++frames;
            now += 0.002;  // drawing takes a little time; the display wait returns at once
        }
        EXPECT_LE(frames, static_cast<int>(3 * rate) + 1) << rate;
        D3DVECTOR direction{}, up{};
        modelFrame->GetOrientation(viewerContext->scene, &direction, &up);
        EXPECT_NEAR(std::abs(std::atan2(direction.x, direction.z)), 1.8, 0.03) << rate;
    }
}

}  // namespace
