#include <algorithm>
#include <cmath>

#include "scene/render_thread.h"
#include "scene/viewer_context.h"
#include "windows_support/pump_until.h"
#include "windows_support/saver_window_fixture.h"

namespace {

// How long a test looks for frames that must not come. A right render thread passes however
// long this is; the time only gives a wrong one the chance to draw.
constexpr DWORD HeldLook = 300;

constexpr DWORD DisplayOff = 0;
constexpr DWORD DisplayOn = 1;
constexpr DWORD DisplayDimmed = 2;

int Frames() { return fakeScene.displayWaits; }

// The render thread has stopped in its held wait for the `count`-th time.
bool Held(int count) { return fakeScene.heldWaits == count && fakeScene.heldWaitsEnded == count - 1; }

class PictureSightTest : public SaverWindowTest {
protected:
    HWND DrawingSaver() {
        HWND window = CreateSaver();
        SendMessageA(window, WM_ERASEBKGND, 0, 0);
        EXPECT_NE(renderThread, nullptr);
        EXPECT_TRUE(PumpUntil([] { return Frames() >= 3; })) << "drawing";
        return window;
    }

    // No frame comes and the held wait does not end for a while.
    static bool StaysHeld(int count) {
        const int frames = Frames();
        return !PumpUntil([&] { return Frames() != frames || !Held(count); }, HeldLook);
    }

    // Frames come again after the held wait's `count`-th end.
    static bool DrawsAgain(int count) {
        const int frames = Frames();
        return PumpUntil([&] { return fakeScene.heldWaitsEnded == count && Frames() >= frames + 2; });
    }
};

TEST_F(PictureSightTest, FullScreenAndPreviewFollowTheDisplayStateUntilTheyGo) {
    HWND window = CreateSaver();
    ASSERT_EQ(fakeScene.powerRegistrations.size(), 1u);
    const FakeScene::PowerRegistration registration = fakeScene.powerRegistrations[0];
    EXPECT_EQ(registration.recipient, window);
    EXPECT_TRUE(IsEqualGUID(registration.setting, ConsoleDisplayStateGuid));
    EXPECT_EQ(registration.flags, static_cast<DWORD>(DEVICE_NOTIFY_WINDOW_HANDLE));
    EXPECT_TRUE(fakeScene.powerUnregistered.empty());
    Destroy(window);
    ASSERT_EQ(fakeScene.powerUnregistered.size(), 1u);
    EXPECT_EQ(fakeScene.powerUnregistered[0], registration.notification);

    HWND page = CreateWindowExA(0, "STATIC", "Settings", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 200, 150, nullptr,
                                nullptr, nullptr, nullptr);
    HWND preview = CreatePreview(page);
    ASSERT_EQ(fakeScene.powerRegistrations.size(), 2u);
    EXPECT_EQ(fakeScene.powerRegistrations[1].recipient, preview);
    DestroyWindow(page);
    ASSERT_EQ(fakeScene.powerUnregistered.size(), 2u);
    EXPECT_EQ(fakeScene.powerUnregistered[1], fakeScene.powerRegistrations[1].notification);
}

TEST_F(PictureSightTest, WhileTheDisplayIsOffNothingIsDrawnAndOnOrDimmedDrawsAgain) {
    HWND window = DrawingSaver();

    SendDisplayState(window, DisplayOff);
    ASSERT_TRUE(WaitUntil([] { return Held(1); }));
    EXPECT_EQ(fakeScene.heldWaitTimeout, INFINITE) << "an event wakes it, not a clock";
    EXPECT_TRUE(StaysHeld(1));
    SendDisplayState(window, DisplayOn);
    EXPECT_TRUE(DrawsAgain(1));
    EXPECT_EQ(fakeScene.heldWaitResult, WAIT_OBJECT_0 + 1u) << "woken by the release, not the stop";

    // Dimmed, the picture can still be seen.
    SendDisplayState(window, DisplayOff);
    ASSERT_TRUE(WaitUntil([] { return Held(2); }));
    SendDisplayState(window, DisplayDimmed);
    EXPECT_TRUE(DrawsAgain(2));
}

// Other power settings, other power events and settings too short to hold a state change nothing.
TEST_F(PictureSightTest, OnlyAWholeDisplayStateHoldsDrawing) {
    HWND window = DrawingSaver();
    const GUID powerSource = {0x5d3e9a59, 0xe9d5, 0x4b00, {0xa6, 0xbd, 0xff, 0x34, 0xff, 0x51, 0x65, 0x48}};
    SendPowerSetting(window, powerSource, DisplayOff);
    SendPowerSetting(window, ConsoleDisplayStateGuid, DisplayOff, 0);
    SendPowerSetting(window, ConsoleDisplayStateGuid, DisplayOff, 3);
    SendMessageA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, 0);
    SendMessageA(window, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    const int frames = Frames();
    EXPECT_TRUE(PumpUntil([&] { return Frames() >= frames + 3; }));
    EXPECT_EQ(fakeScene.heldWaits, 0);
}

// The system tells a new window the display's state at once: off, the saver draws nothing until
// it comes on.
TEST_F(PictureSightTest, ASaverMadeWhileTheDisplayIsOffDrawsOnlyOnceItComesOn) {
    fakeScene.displayState = DisplayOff;
    HWND window = CreateSaver();
    SendMessageA(window, WM_ERASEBKGND, 0, 0);
    ASSERT_NE(renderThread, nullptr);
    ASSERT_TRUE(WaitUntil([] { return Held(1); }));
    EXPECT_TRUE(StaysHeld(1));
    EXPECT_EQ(Frames(), 0);
    SendDisplayState(window, DisplayOn);
    EXPECT_TRUE(DrawsAgain(1));
}

TEST_F(PictureSightTest, AWindowClosesWhileItsDrawingIsHeld) {
    HWND window = DrawingSaver();
    SendDisplayState(window, DisplayOff);
    ASSERT_TRUE(WaitUntil([] { return Held(1); }));
    Destroy(window);
    EXPECT_EQ(renderThread, nullptr);
    EXPECT_EQ(fakeScene.heldWaitsEnded, 1) << "the thread ended itself, it was not cut off";
    EXPECT_EQ(fakeScene.heldWaitResult, WAIT_OBJECT_0) << "woken by the stop";
    EXPECT_EQ(fakeScene.powerUnregistered.size(), 1u);
}

// Ten minutes with the display off: the car goes on turning from where it stood, as if the
// pause had not been, instead of by the time that passed or by the largest step of a frame.
TEST_F(PictureSightTest, AfterThePauseTheSceneGoesOnWhereItStood) {
    constexpr int Rate = 60;
    fakeScene.fakeClock = true;
    fakeScene.refreshRate = Rate;
    HWND window = CreateSaver();
    ASSERT_NE(modelFrame, nullptr);
    modelFrame->SetOrientation(viewerContext->scene, 0, 0, 1, 0, 1, 0);
    SendMessageA(window, WM_ERASEBKGND, 0, 0);
    ASSERT_TRUE(PumpUntil([] { return Frames() >= 20; }));
    SendDisplayState(window, DisplayOff);
    ASSERT_TRUE(WaitUntil([] { return Held(1); }));
    constexpr long long Pause = 600LL * 1000000;
    fakeScene.microseconds += Pause;
    SendDisplayState(window, DisplayOn);
    ASSERT_TRUE(
        PumpUntil([] { return fakeScene.heldWaitsEnded == 1 && Frames() >= fakeScene.framesBeforeHeldWait + 20; }));
    StopRenderThread();

    // The first frame and the first after the pause each move by one refresh; the clock may have
    // gone one refresh past the last frame.
    const double drawnSeconds = (fakeScene.microseconds - Pause) / 1e6;
    D3DVECTOR direction{}, up{};
    modelFrame->GetOrientation(viewerContext->scene, &direction, &up);
    const double turned = std::acos(std::max(-1.0f, std::min(1.0f, direction.z)));
    EXPECT_NEAR(turned, 0.6 * (drawnSeconds + 1.0 / Rate), 0.6 / Rate * 1.5);
}

// The Settings page's window, a page on it, and the preview on the page.
class PreviewSightTest : public PictureSightTest {
protected:
    void SetUp() override {
        PictureSightTest::SetUp();
        settings = CreateWindowExA(0, "STATIC", "Screen Saver Settings", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 400,
                                   300, nullptr, nullptr, nullptr, nullptr);
        page = CreateWindowExA(0, "STATIC", "page", WS_CHILD | WS_VISIBLE, 10, 10, 152, 112, settings, nullptr, nullptr,
                               nullptr);
        preview = CreatePreview(page);
        SendMessageA(preview, WM_ERASEBKGND, 0, 0);
        ASSERT_NE(renderThread, nullptr);
        ASSERT_TRUE(PumpUntil([] { return Frames() >= 3; }));
    }

    void TearDown() override {
        DestroyWindow(settings);
        PictureSightTest::TearDown();
    }

    HWND settings = nullptr;
    HWND page = nullptr;
    HWND preview = nullptr;
};

// The preview's own window is told of its change, and holds drawing before ShowWindow returns;
// its ancestors' changes are found by the check once a second, which needs the messages handled.
TEST_F(PreviewSightTest, APreviewDrawsOnlyWhileItCanBeSeen) {
    struct Step {
        const char* what;
        HWND window;
        int hide;
        int show;
        bool toldAtOnce;
    };
    int held = 0;
    for (const Step& step : {Step{"the preview hidden", preview, SW_HIDE, SW_SHOW, true},
                             Step{"its page hidden", page, SW_HIDE, SW_SHOW, false},
                             Step{"the Settings window minimised", settings, SW_MINIMIZE, SW_RESTORE, false},
                             Step{"the Settings window hidden", settings, SW_HIDE, SW_SHOW, false}}) {
        ShowWindow(step.window, step.hide);
        ++held;
        const auto isHeld = [&] { return Held(held); };
        ASSERT_TRUE(step.toldAtOnce ? WaitUntil(isHeld) : PumpUntil(isHeld)) << step.what;
        EXPECT_TRUE(StaysHeld(held)) << step.what;
        ShowWindow(step.window, step.show);
        EXPECT_TRUE(DrawsAgain(held)) << step.what;
    }
}

// Either reason alone holds drawing: the preview shown again while the display is off stays
// still, and so does the display coming on while the preview is hidden.
TEST_F(PreviewSightTest, DrawingWaitsForTheDisplayAndTheSightBoth) {
    ShowWindow(preview, SW_HIDE);
    ASSERT_TRUE(PumpUntil([] { return Held(1); }));
    SendDisplayState(preview, DisplayOff);
    ShowWindow(preview, SW_SHOW);
    EXPECT_TRUE(StaysHeld(1));
    ShowWindow(preview, SW_HIDE);
    SendDisplayState(preview, DisplayOn);
    EXPECT_TRUE(StaysHeld(1));
    ShowWindow(preview, SW_SHOW);
    EXPECT_TRUE(DrawsAgain(1));
}

}  // namespace
