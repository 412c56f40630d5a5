#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>
#include <utility>

#include "interaction/mouse_handlers.h"
#include "interaction/selection.h"
#include "scene/model_shelf.h"
#include "scene/render_thread.h"
#include "scene/report_error.h"
#include "scene/report_route.h"
#include "scene/saver_window_proc.h"
#include "scene/viewer_context.h"
#include "shell/platform_calls.h"
#include "shell/saver_messages.h"
#include "windows_support/pump_until.h"
#include "windows_support/saver_window_fixture.h"

namespace {

COLORREF PixelOf(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}

D3DVECTOR PositionOf(IDirect3DRMFrame* frame) {
    D3DVECTOR position{};
    frame->GetPosition(viewerContext->scene, &position);
    return position;
}

using SaverWindowProcTest = SaverWindowTest;

TEST_F(SaverWindowProcTest, TheSceneIsBuiltAtCreationAndDrawnFromTheFirstErase) {
    Setting("RED", "0");
    Setting("GREEN", "0");
    Setting("BLUE", "255");
    HWND window = CreateSaver();
    ASSERT_NE(viewerContext, nullptr);
    ASSERT_NE(viewerContext->viewport, nullptr);
    EXPECT_TRUE(fakeScene.boxes.empty());

    // Showing the window erases it, which starts drawing; erasing again starts nothing more.
    SendMessageA(window, WM_ERASEBKGND, 0, 0);
    ASSERT_NE(renderThread, nullptr);
    const HANDLE first = renderThread;
    SendMessageA(window, WM_ERASEBKGND, 0, 0);
    EXPECT_EQ(renderThread, first) << "one render thread however often the window erases";
    EXPECT_EQ(fakeScene.threadsStarted, 1);
    EXPECT_EQ(GetThreadPriority(renderThread), THREAD_PRIORITY_HIGHEST);

    // The first frames reach the window.
    EXPECT_TRUE(PumpUntil([&] { return GetBValue(PixelOf(window, 2, 2)) >= 250; }));
    const COLORREF corner = PixelOf(window, 2, 2);
    EXPECT_LE(GetRValue(corner) + GetGValue(corner), 4) << "the configured background";
    EXPECT_GE(GetBValue(corner), 250) << "the configured background";
    EXPECT_LT(GetBValue(PixelOf(window, 160, 120)), 250) << "the car";

    Destroy(window);
    EXPECT_EQ(renderThread, nullptr);
    EXPECT_EQ(viewerContext, nullptr);
    EXPECT_EQ(d3drm, nullptr);
    EXPECT_EQ(clipper, nullptr);
}

TEST_F(SaverWindowProcTest, TheCameraPositionIsWrittenWhenTheWindowGoes) {
    HWND window = CreateSaver();
    ASSERT_NE(viewerContext, nullptr);
    Destroy(window);
    EXPECT_EQ(StoredSetting("X"), 0);
    EXPECT_EQ(StoredSetting("Y"), 510);
    EXPECT_EQ(StoredSetting("Z"), -1275);

    window = CreateSaver();
    ASSERT_NE(viewerContext, nullptr);
    const D3DVECTOR start = PositionOf(viewerContext->camera);
    EXPECT_FLOAT_EQ(start.y, 2.0f) << "the next start places the camera where it was saved";
    viewerContext->camera->SetPosition(viewerContext->scene, 0.5f, -0.001f, 3.3f);
    Destroy(window);
    EXPECT_EQ(StoredSetting("X"), 127);
    EXPECT_EQ(StoredSetting("Y"), 0);
    EXPECT_EQ(StoredSetting("Z"), 841);
}

TEST_F(SaverWindowProcTest, CameraAndObjectKeysAreConsumedAndOtherKeysEndTheSaver) {
    HWND window = CreateSaver();
    for (WPARAM key : {WPARAM(VK_LEFT), WPARAM(VK_UP), WPARAM(VK_RIGHT), WPARAM(VK_DOWN), WPARAM('E'), WPARAM('Y'),
                       WPARAM('T'), WPARAM('R'), WPARAM(VK_ADD), WPARAM(VK_SUBTRACT), WPARAM('X'), WPARAM('Z')}) {
        EXPECT_EQ(SendMessageA(window, WM_KEYDOWN, key, 0), 0) << key;
        EXPECT_EQ(TakePosted(window, WM_CLOSE), 0) << key;
    }
    EXPECT_EQ(SendMessageA(window, WM_KEYUP, VK_UP, 0), 0);

    // Held up for two units of time, the camera rises by half a unit, then stops.
    const D3DVECTOR start = PositionOf(viewerContext->camera);
    SendMessageA(window, WM_KEYDOWN, VK_UP, 0);
    viewerContext->scene->Move(2.0f);
    SendMessageA(window, WM_KEYUP, VK_UP, 0);
    viewerContext->scene->Move(2.0f);
    D3DVECTOR direction{}, up{};
    viewerContext->camera->GetOrientation(viewerContext->scene, &direction, &up);
    EXPECT_NEAR(PositionOf(viewerContext->camera).y - start.y, 0.5f * up.y, 1e-4);

    SendMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(TakePosted(window, WM_CLOSE), 1);
    SendMessageA(window, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(TakePosted(window, WM_CLOSE), 0);
}

TEST_F(SaverWindowProcTest, AMissingModelIsReportedThenTheDeviceAndTheWindowStillCloses) {
    WithoutModels();
    HWND window = CreateSaver();
    ASSERT_EQ(fakeScene.boxes.size(), 2u);
    EXPECT_EQ(fakeScene.boxes[0], "Viewer Message|Failed to load .x file.\nThe file was not found.\r\n");
    EXPECT_EQ(fakeScene.boxes[1], "Error|Error creating main device");
    EXPECT_TRUE(fakeScene.boxTypes[1] & MB_ICONERROR);
    EXPECT_TRUE(fakeScene.boxTypes[0] & MB_TOPMOST) << "above the topmost saver";
    EXPECT_EQ(fakeScene.boxOwners[1], nullptr) << "not owned by a window that is not shown yet";

    SendMessageA(window, WM_ERASEBKGND, 0, 0);
    EXPECT_EQ(renderThread, nullptr) << "nothing to draw";
    EXPECT_EQ(SendMessageA(window, WM_KEYDOWN, VK_UP, 0), 0);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(160, 120));
    EXPECT_EQ(SelectedFrame(), nullptr);
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(160, 120));
    Destroy(window);
    EXPECT_EQ(StoredSetting("X"), -99999) << "no camera, nothing written";
}

// The user's own cars folder in the test's Documents folder, with copies of one of the nine and a
// damaged car in it.
std::string OwnCarsWith(const std::string& models) {
    const std::string cars = fakeScene.documentsFolder + "\\Varnoka Cars";
    CreateDirectoryA(cars.c_str(), nullptr);
    for (const char* name : {"vk3plate.bmp", "vkgrille.bmp", "vktread.bmp"})
        CopyFileA((models + "\\" + name).c_str(), (cars + "\\" + name).c_str(), FALSE);
    CopyFileA((models + "\\vk3.x").c_str(), (cars + "\\My Car.x").c_str(), FALSE);
    HANDLE broken = CreateFileA((cars + "\\Broken.glb").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(broken, "glTF", 4, &written, nullptr);
    CloseHandle(broken);
    return cars;
}

TEST_F(SaverWindowProcTest, TheOwnCarChosenIsShownAndOneThatCannotBeReadIsReportedOnceAndPassedOver) {
    const std::string cars = OwnCarsWith(fakeScene.windowsDirectory);
    Setting("CARS", "5");
    Setting("OWNCAR", "My Car.x");
    HWND window = CreateSaver();
    EXPECT_TRUE(fakeScene.boxes.empty());
    EXPECT_EQ(saverSettings.modelIndex, ModelCount + 1) << "after the nine and Broken";
    EXPECT_EQ(std::string(ModelPath(ModelCount + 1)), cars + "\\My Car.x");
    Destroy(window);

    // The damaged car, chosen: one box with its reason, then the stored one of the nine.
    Setting("OWNCAR", "Broken.glb");
    window = CreateSaver();
    ASSERT_EQ(fakeScene.boxes.size(), 1u);
    EXPECT_EQ(fakeScene.boxes[0],
              "Viewer Message|Your car \"Broken\" cannot be shown.\nThe .glb file is cut short.\r\n");
    EXPECT_EQ(saverSettings.modelIndex, 5);
    EXPECT_TRUE(ModelUnreadable(ModelCount));
    Destroy(window);

    // A stored own car whose file is gone: CARS, silently.
    Setting("OWNCAR", "Sold.glb");
    fakeScene.boxes.clear();
    window = CreateSaver();
    EXPECT_TRUE(fakeScene.boxes.empty());
    EXPECT_EQ(saverSettings.modelIndex, 5);
    Destroy(window);
}

TEST_F(SaverWindowProcTest, ModelLookupGoesWindowsProgramInstalled) {
    const std::string installed = fakeScene.windowsDirectory;  // every model with its textures
    // A short name: the Windows directory is read into a buffer of 100 characters.
    const std::string windows = FreshTestFolder("lookup-windows");
    const std::string program = FreshTestFolder("lookup-program");
    for (const auto& [folder, name] : {std::pair{windows, "vk1.x"}, {program, "vk1.x"}, {program, "vk2.x"}})
        ASSERT_TRUE(CopyFileA((installed + "\\" + name).c_str(), (folder + "\\" + name).c_str(), FALSE));
    fakeScene.windowsDirectory = windows;
    fakeScene.programPath = program + "\\varnoka.scr";
    RecordInstalledFolder(installed);
    Setting("CARS", "2");

    CreateSaver();
    EXPECT_TRUE(fakeScene.boxes.empty()) << "the third model and its textures load from the installed folder";
    EXPECT_EQ(std::string(ModelPath(0)), windows + "\\vk1.x");
    EXPECT_EQ(std::string(ModelPath(1)), program + "\\vk2.x");
    EXPECT_EQ(std::string(ModelPath(2)), installed + "\\vk3.x");
    EXPECT_EQ(fakeScene.installKeysOpen, 0);
    for (const auto& [folder, name] : {std::pair{windows, "vk1.x"}, {program, "vk1.x"}, {program, "vk2.x"}})
        DeleteFileA((folder + "\\" + name).c_str());
    RemoveDirectoryA(windows.c_str());
    RemoveDirectoryA(program.c_str());
}

TEST_F(SaverWindowProcTest, TheScreenDepthChoosesShadesAndDithering) {
    struct Case {
        int bits;
        DWORD shades;
        BOOL dither;
    };
    // Dithering is switched over once by the default settings after the depth has had its say.
    for (const Case c : {Case{32, 256, TRUE}, Case{16, 256, TRUE}, Case{8, 32, TRUE}, Case{1, 4, FALSE}}) {
        fakeScene.bitsPerPixel = c.bits;
        HWND window = CreateSaver();
        ASSERT_NE(viewerContext, nullptr);
        ASSERT_NE(viewerContext->device2, nullptr) << c.bits;
        EXPECT_EQ(viewerContext->device2->GetShades(), c.shades) << c.bits;
        EXPECT_EQ(viewerContext->device2->GetDither(), c.dither) << c.bits;
        Destroy(window);
    }
}

TEST_F(SaverWindowProcTest, PressesPickAndDragsTurnOrMoveTheCarWithoutEndingTheSaver) {
    HWND window = CreateSaver();
    ASSERT_NE(modelFrame, nullptr);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(160, 120));
    EXPECT_EQ(SelectedFrame(), static_cast<IDirect3DRMFrame*>(modelFrame));
    EXPECT_TRUE(dragState.rotating);
    EXPECT_EQ(GetCapture(), window);
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(160, 120));
    EXPECT_FALSE(dragState.rotating);
    EXPECT_EQ(GetCapture(), nullptr);

    SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ(SelectedFrame(), nullptr) << "the background clears the selection";
    EXPECT_TRUE(dragState.moving);
    SendMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(3, 3));

    // A right drag moves the car's screen point with the cursor.
    auto screenPoint = [&] {
        D3DVECTOR position = PositionOf(modelFrame);
        D3DRMVECTOR4D screen{};
        viewerContext->viewport->Transform(&screen, &position);
        return std::pair<float, float>(screen.x / screen.w, screen.y / screen.w);
    };
    const auto before = screenPoint();
    SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(160, 120));
    SendMessageA(window, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(172, 111));
    const auto after = screenPoint();
    EXPECT_NEAR(after.first - before.first, 12.0f, 0.01f);
    EXPECT_NEAR(after.second - before.second, -9.0f, 0.01f);

    // With both buttons held, moves turn and do not move.
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(172, 111));
    ASSERT_EQ(SelectedFrame(), static_cast<IDirect3DRMFrame*>(modelFrame));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(175, 107));
    const auto turned = screenPoint();
    EXPECT_NEAR(turned.first, after.first, 0.01f);
    SendMessageA(window, WM_LBUTTONUP, MK_RBUTTON, MAKELPARAM(175, 107));
    SendMessageA(window, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(180, 107));
    EXPECT_NEAR(screenPoint().first - turned.first, 5.0f, 0.01f) << "left released: moves translate again";
    SendMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(180, 107));

    // A double click's second press neither picks nor starts a drag.
    ClearSelection();
    SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(160, 120));
    EXPECT_EQ(SelectedFrame(), nullptr);
    EXPECT_FALSE(dragState.rotating);

    EXPECT_EQ(TakePosted(window, WM_CLOSE), 0) << "the mouse never ends the saver";
    SendMessageA(window, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(160, 120));
    EXPECT_EQ(TakePosted(window, WM_CLOSE), 1) << "the middle button does";
}

TEST_F(SaverWindowProcTest, TheScrollBarShowsAProgressiveMeshesDetail) {
    HWND window = CreateSaver();
    SetScrollRange(window, SB_VERT, 0, 100, FALSE);
    IDirect3DRMProgressiveMesh* mesh = nullptr;
    ASSERT_EQ(d3drm2->CreateProgressiveMesh(&mesh), D3DRM_OK);
    mesh->SetDetail(0.255f);
    IDirect3DRMProgressiveMesh* held = nullptr;
    SetDetailMesh(window, held, mesh);
    EXPECT_EQ(held, mesh);
    EXPECT_EQ(GetScrollPos(window, SB_VERT), 75) << "truncated, not rounded";
    SetDetailMesh(window, held, mesh);
    EXPECT_EQ(mesh->AddRef(), 3u) << "picking the same mesh twice holds it once";
    mesh->Release();
    SetDetailMesh(window, held, nullptr);
    EXPECT_EQ(held, nullptr);
    SetScrollPos(window, SB_VERT, 40, FALSE);
    SetDetailMesh(window, held, nullptr);
    EXPECT_EQ(GetScrollPos(window, SB_VERT), 40) << "with none held nothing is touched";
    mesh->Release();

    EXPECT_EQ(DetailScrollPosition(1.0f), 0);
    EXPECT_EQ(DetailScrollPosition(0.0f), 100);
    EXPECT_EQ(DetailScrollPosition(0.29f), 72) << "the product is formed in double precision";
}

TEST_F(SaverWindowProcTest, WithoutARenderThreadTheWindowStaysUpAndCloses) {
    fakeScene.threadStartFails = true;
    HWND window = CreateSaver();
    SendMessageA(window, WM_ERASEBKGND, 0, 0);
    EXPECT_EQ(renderThread, nullptr);
    Destroy(window);
    EXPECT_EQ(StoredSetting("Y"), 510);
}

// With a clock that only moves while the render thread waits for the next frame, frames come
// at the screen's refresh rate, in small windows at most 30 a second, and the car turns 0.6
// radian per second of that clock.
TEST_F(SaverWindowProcTest, FramesFollowTheRefreshAndTheCarTurnsWithTheClock) {
    struct Case {
        int rate;
        int width;
        int height;
        double framesPerSecond;
    };
    for (const Case c :
         {Case{50, 320, 240, 50}, Case{120, 320, 240, 120}, Case{60, 152, 112, 30}, Case{144, 152, 112, 28.8}}) {
        const int rate = c.rate;
        fakeScene.fakeClock = true;
        fakeScene.refreshRate = rate;
        fakeScene.microseconds = 0;
        fakeScene.displayWaits = 0;
        HWND window = CreateSaver(c.width, c.height);
        ASSERT_NE(modelFrame, nullptr);
        modelFrame->SetOrientation(viewerContext->scene, 0, 0, 1, 0, 1, 0);
        SendMessageA(window, WM_ERASEBKGND, 0, 0);
        EXPECT_TRUE(PumpUntil([] { return fakeScene.displayWaits >= 120; })) << rate;
        StopRenderThread();
        const double seconds = fakeScene.microseconds / 1e6;
        const int frames = fakeScene.displayWaits;
        ASSERT_GT(frames, 10) << rate;
        EXPECT_NEAR(frames / seconds, c.framesPerSecond, c.framesPerSecond * 0.05) << rate;
        D3DVECTOR direction{}, up{};
        modelFrame->GetOrientation(viewerContext->scene, &direction, &up);
        const double turned = std::acos(std::max(-1.0f, std::min(1.0f, direction.z)));
        const double expected = std::fmod(0.6 * seconds + 0.6 / c.framesPerSecond, 2 * 3.14159265358979);
        EXPECT_NEAR(turned, expected > 3.14159265 ? 2 * 3.14159265358979 - expected : expected, 0.05) << rate;
        Destroy(window);
    }
}

// A report made on the render thread is shown by the window thread, once however often it
// repeats; a render thread waiting on its report lets the window close.
TEST_F(SaverWindowProcTest, RenderThreadReportsAreShownOnceByTheWindowAndNeverHoldItsClosing) {
    HWND window = CreateSaver(64, 48);
    SendMessageA(window, WM_ERASEBKGND, 0, 0);
    ASSERT_NE(renderThread, nullptr);
    auto reportOnAnotherThread = [](const char* text) {
        return std::thread([text] {
            SetThreadReportRoute(ReportFromRenderThread);
            ReportError("%s", text);
        });
    };

    std::thread first = reportOnAnotherThread("Render failed");
    EXPECT_TRUE(PumpUntil([] { return !fakeScene.boxes.empty(); }));
    first.join();
    ASSERT_EQ(fakeScene.boxes.size(), 1u);
    EXPECT_EQ(fakeScene.boxes[0], "Viewer Message|Render failed\r\n");
    EXPECT_EQ(fakeScene.boxOwners[0], window) << "owned by the saver, so it stands above it";
    std::thread again = reportOnAnotherThread("Render failed");
    again.join();  // returns at once: no second box to wait for
    EXPECT_EQ(fakeScene.boxes.size(), 1u);

    std::thread pending = reportOnAnotherThread("Clear failed");
    MSG message;
    EXPECT_TRUE(WaitUntil([&] {
        return PeekMessageA(&message, window, WM_SAVER_SHOW_REPORT, WM_SAVER_SHOW_REPORT, PM_NOREMOVE) != 0;
    })) << "posted, waiting for the window thread";
    Destroy(window);
    pending.join();
    EXPECT_EQ(renderThread, nullptr);
}

// The preview's parent, in Screen Saver Settings' process, closes while the window thread shows a
// report of the render thread: the box goes with the parent, drawing stops and the saver quits
// with 0. A thread of the test's own stands for the other process.
TEST_F(SaverWindowProcTest, APreviewWhoseParentClosesDuringARenderThreadReportEndsWithIt) {
    platform.MessageBoxA = MessageBoxA;  // a real box, with its own message loop
    std::atomic<HWND> parent{nullptr};
    std::atomic<bool> closeParent{false};
    std::thread settingsPage([&] {
        HWND window = CreateWindowExA(0, "STATIC", "Preview parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 200, 150,
                                      nullptr, nullptr, nullptr, nullptr);
        parent = window;
        WaitUntil([&] {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
            if (closeParent && IsWindow(window)) DestroyWindow(window);
            return !IsWindow(window);
        });
    });
    ASSERT_TRUE(WaitUntil([&] { return parent.load() != nullptr; }));
    HWND preview = CreatePreview(parent);
    ASSERT_NE(viewerContext, nullptr);
    SendMessageA(preview, WM_ERASEBKGND, 0, 0);
    ASSERT_NE(renderThread, nullptr);
    std::thread reporter([] {
        SetThreadReportRoute(ReportFromRenderThread);
        ReportError("Render failed");
    });
    // Once the box shows, the user picks another saver and the page closes the preview's parent;
    // a box still there long after that is closed here, so that a fault fails the test instead of
    // hanging it.
    bool boxOutlivedParent = false;
    std::thread user([&] {
        WaitUntil([] { return FindWindowA("#32770", "Viewer Message") != nullptr; });
        closeParent = true;
        boxOutlivedParent = !WaitUntil([] { return FindWindowA("#32770", "Viewer Message") == nullptr; });
        if (HWND box = FindWindowA("#32770", "Viewer Message")) PostMessageA(box, WM_COMMAND, IDOK, 0);
    });

    // The window thread's message loop, until its quit.
    MSG message{};
    bool quit = false;
    WaitUntil([&] {
        while (!quit && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                quit = true;
            else
                DispatchMessageA(&message);
        }
        return quit;
    });
    user.join();
    reporter.join();
    settingsPage.join();
    EXPECT_FALSE(boxOutlivedParent);
    ASSERT_TRUE(quit);
    EXPECT_EQ(message.wParam, 0u);
    EXPECT_FALSE(IsWindow(preview));
    EXPECT_EQ(renderThread, nullptr);
    EXPECT_EQ(viewerContext, nullptr);
}

}  // namespace
