#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "shell/platform_calls.h"
#include "windows_support/pump_until.h"
#include "windows_support/shell_fixture.h"

namespace {

struct FakeMonitor {
    RECT area;
    bool primary;
};

std::vector<FakeMonitor> fakeMonitors;

BOOL WINAPI FakeEnumDisplayMonitors(HDC, LPCRECT, MONITORENUMPROC callback, LPARAM data) {
    for (size_t i = 0; i < fakeMonitors.size(); ++i) {
        RECT area = fakeMonitors[i].area;
        if (!callback(reinterpret_cast<HMONITOR>(i + 1), nullptr, &area, data)) return FALSE;
    }
    return TRUE;
}

// Each monitor's work area leaves room for a taskbar, so a cover of the wrong rectangle shows.
BOOL WINAPI FakeGetMonitorInfo(HMONITOR monitor, LPMONITORINFO info) {
    const size_t index = reinterpret_cast<size_t>(monitor) - 1;
    if (index >= fakeMonitors.size() || info->cbSize != sizeof(MONITORINFO)) return FALSE;
    info->rcMonitor = fakeMonitors[index].area;
    info->rcWork = info->rcMonitor;
    info->rcWork.bottom -= 40;
    info->dwFlags = fakeMonitors[index].primary ? MONITORINFOF_PRIMARY : 0;
    return TRUE;
}

using Area = std::tuple<LONG, LONG, LONG, LONG>;

Area AreaOf(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The top-level windows of this thread that `owner` owns.
std::vector<HWND> OwnedBy(HWND owner) {
    std::vector<HWND> found;
    std::pair<HWND, std::vector<HWND>*> search{owner, &found};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<std::pair<HWND, std::vector<HWND>*>*>(data);
            if (GetWindow(window, GW_OWNER) == s->first) s->second->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return found;
}

bool IsAbove(HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w != nullptr; w = GetWindow(w, GW_HWNDNEXT))
        if (w == lower) return true;
    return false;
}

// What the running saver had made, seen from inside its message loop.
struct Sight {
    HWND saver = nullptr;
    RECT saverArea{};
    HWND active = nullptr;
    std::vector<HWND> covers;
    std::vector<Area> coverAreas;
    bool coversAsMade = true;  // class, owner and styles
};

Sight sight;

void CALLBACK LookAndEnd(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    sight.saver = saverShellState.window;
    GetWindowRect(sight.saver, &sight.saverArea);
    sight.active = GetActiveWindow();
    sight.covers = OwnedBy(sight.saver);
    for (HWND cover : sight.covers) {
        RECT area{};
        GetWindowRect(cover, &area);
        sight.coverAreas.push_back(AreaOf(area));
        char className[64] = {};
        GetClassNameA(cover, className, sizeof className);
        const LONG_PTR extended = GetWindowLongPtrA(cover, GWL_EXSTYLE);
        sight.coversAsMade &= std::string(className) == MonitorCoverClassName &&
                              GetWindowLongPtrA(cover, GWL_STYLE) == (WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS) &&
                              (extended & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW)) == (WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    }
    DestroyWindow(sight.saver);
}

class MonitorCoverTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        platform.EnumDisplayMonitors = FakeEnumDisplayMonitors;
        platform.GetMonitorInfoA = FakeGetMonitorInfo;
        screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        fakeMonitors = {{screen, true}};
    }

    void TearDown() override {
        for (HWND window : made_)
            if (IsWindow(window)) DestroyWindow(window);
        ShellTest::TearDown();
    }

    // Runs the saver (full screen without a parent) until a look at its windows has ended it.
    Sight RunAndLook(HWND parent) {
        sight = Sight{};
        saverShellState.window = nullptr;
        UnregisterClassA("WindowsScreenSaverClass", saverShellState.instance);  // each start registers it
        SetTimer(nullptr, 0, 1, LookAndEnd);
        EXPECT_EQ(RunSaverWindow(parent), 0);
        return sight;
    }

    // A small saver window, with covers for the monitors now given.
    HWND SaverWithCovers(const char* title = "Test Saver") {
        if (RegisterSaverClass() == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) ADD_FAILURE();
        HWND saver = CreateWindowExA(WS_EX_TOPMOST, "WindowsScreenSaverClass", title, WS_POPUP | WS_VISIBLE, 0, 0, 120,
                                     90, nullptr, nullptr, saverShellState.instance, nullptr);
        made_.push_back(saver);
        SetForegroundWindow(saver);
        CoverOtherMonitors(saver);
        return saver;
    }

    // The saver window's own monitor, and a second one to its right, both inside the real screen.
    static void SmallPrimaryAndOneBeside() { fakeMonitors = {{{0, 0, 120, 90}, true}, {{120, 0, 420, 90}, false}}; }

    HWND Made(HWND window) {
        made_.push_back(window);
        return window;
    }

    RECT screen{};

private:
    std::vector<HWND> made_;
};

TEST_F(MonitorCoverTest, EveryMonitorButThePrimaryIsCoveredExactlyAndGoesWithTheSaver) {
    const LONG w = screen.right;
    const LONG h = screen.bottom;
    const std::vector<std::vector<FakeMonitor>> sets = {
        {{screen, true}},
        {{{-1280, -300, 0, 724}, false}, {screen, true}},
        {{{w, 200, w + 1600, 1100}, false}, {screen, true}, {{-800, -h, 0, 0}, false}},
    };
    for (const std::vector<FakeMonitor>& set : sets) {
        SCOPED_TRACE(set.size());
        fakeMonitors = set;
        std::vector<Area> expected;
        for (const FakeMonitor& monitor : set)
            if (!monitor.primary) expected.push_back(AreaOf(monitor.area));

        const Sight seen = RunAndLook(nullptr);
        std::vector<Area> covered = seen.coverAreas;
        std::sort(covered.begin(), covered.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(covered, expected);
        EXPECT_TRUE(seen.coversAsMade);
        // The car's window keeps its place and the focus.
        EXPECT_EQ(AreaOf(seen.saverArea), AreaOf(screen));
        EXPECT_EQ(seen.active, seen.saver);
        for (HWND cover : seen.covers) EXPECT_FALSE(IsWindow(cover));
    }
}

TEST_F(MonitorCoverTest, PreviewMakesNoCover) {
    fakeMonitors = {{{-1280, 0, 0, 1024}, false}, {screen, true}};
    HWND parent = Made(PlainWindow());
    const Sight seen = RunAndLook(parent);
    EXPECT_TRUE(seen.covers.empty());
    EXPECT_EQ(FindWindowExA(nullptr, nullptr, MonitorCoverClassName, nullptr), nullptr);
}

TEST_F(MonitorCoverTest, InputOnACoverAsksTheSaverWindowToClose) {
    SmallPrimaryAndOneBeside();
    HWND saver = SaverWithCovers();
    const std::vector<HWND> covers = OwnedBy(saver);
    ASSERT_EQ(covers.size(), 1u);
    HWND cover = covers[0];
    TakePosted(saver, WM_CLOSE);

    for (UINT message :
         {UINT(WM_KEYDOWN), UINT(WM_SYSKEYDOWN), UINT(WM_LBUTTONDOWN), UINT(WM_RBUTTONDOWN), UINT(WM_MBUTTONDOWN)}) {
        SendMessageA(cover, message, VK_LEFT, 0);
        EXPECT_EQ(TakePosted(saver, WM_CLOSE), 1) << message;
        EXPECT_EQ(TakePosted(cover, WM_CLOSE), 0) << message;
    }
    // Closing a cover is closing the saver: no monitor is left showing the desktop.
    SendMessageA(cover, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(cover));
    EXPECT_EQ(TakePosted(saver, WM_CLOSE), 1);
    // The saver window hears of a switch to another application itself.
    SendMessageA(cover, WM_ACTIVATEAPP, 0, 0);
    EXPECT_EQ(TakePosted(saver, WM_CLOSE), 0);
    EXPECT_EQ(SendMessageA(cover, WM_SETCURSOR, reinterpret_cast<WPARAM>(cover), HTCLIENT), 1);

    saverShellState.closeApproved = TRUE;
    SendMessageA(cover, WM_KEYDOWN, 'Q', 0);
    EXPECT_EQ(TakePosted(saver, WM_CLOSE), 0);
}

TEST_F(MonitorCoverTest, MouseTravelOnACoverCountsFromTheSaversReferencePoint) {
    SmallPrimaryAndOneBeside();
    HWND saver = SaverWithCovers();
    HWND cover = OwnedBy(saver).at(0);
    saverShellState.referenceCursor = {200, 50};
    TakePosted(saver, WM_CLOSE);

    CursorAt(202, 52);
    SendMessageA(cover, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(TakePosted(saver, WM_CLOSE), 0);
    CursorAt(203, 52);
    SendMessageA(cover, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(TakePosted(saver, WM_CLOSE), 1);
}

TEST_F(MonitorCoverTest, ARealClickOnACoverEndsTheSaverWhichKeepsTheFocus) {
    SmallPrimaryAndOneBeside();
    CursorAt(300, 40);  // where the saver takes its reference point: the click alone asks to close
    HWND saver = SaverWithCovers();
    ASSERT_EQ(GetActiveWindow(), saver);

    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(2, click, sizeof(INPUT)), 2u);
    // The click comes through the input queue; the cover turns it into a close request.
    MSG message;
    EXPECT_TRUE(WaitUntil([&] {
        while (PeekMessageA(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) DispatchMessageA(&message);
        return PeekMessageA(&message, saver, WM_CLOSE, WM_CLOSE, PM_NOREMOVE) != 0;
    }));

    EXPECT_EQ(TakePosted(saver, WM_CLOSE), 1);
    EXPECT_EQ(GetActiveWindow(), saver);
}

TEST_F(MonitorCoverTest, ASecondStartBringsTheCoversToTheFront) {
    SmallPrimaryAndOneBeside();
    HWND saver = SaverWithCovers("Screen Saver");
    HWND cover = OwnedBy(saver).at(0);
    HWND intruder = Made(PlainWindow());
    SetWindowPos(intruder, HWND_TOPMOST, 150, 0, 100, 80, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    ASSERT_TRUE(IsAbove(intruder, cover));

    EXPECT_EQ(RunSaverWindow(nullptr), 0);
    EXPECT_TRUE(IsAbove(cover, intruder));
    EXPECT_TRUE(IsWindow(saver));
}

}  // namespace
