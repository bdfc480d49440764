// The capture-loop helper and the splitter drag that runs on it.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "tests/common/WineTestSupport.h"
#include "tests/toolkit/foundation/FoundationTestSupport.h"
#include "toolkit/foundation/CaptureLoop.h"
#include "toolkit/foundation/DrawHelpers.h"

using foundationtest::SendKey;
using foundationtest::SendMouse;

namespace {

HWND MakeWindow(int x = 100, int y = 100, int cx = 300, int cy = 200)
{
    HWND hwnd = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, x, y, cx, cy, nullptr, nullptr,
                                nullptr, nullptr);
    SetForegroundWindow(hwnd);
    testsupport::PumpMessages();
    return hwnd;
}

// After a loop nothing it took is still held: no capture, and the desktop can be locked again.
void ExpectEverythingReleased(const char* row)
{
    EXPECT_EQ(nullptr, GetCapture()) << row;
    EXPECT_TRUE(LockWindowUpdate(GetDesktopWindow())) << row;
    LockWindowUpdate(nullptr);
}

int TakeQuit()
{
    MSG msg;
    return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? static_cast<int>(msg.wParam) : -1;
}

} // namespace

TEST(CaptureLoop, EveryWayOutEndsTheLoopAndReleasesWhatItTook)
{
    HWND other = MakeWindow(500, 100, 50, 50);
    struct Row
    {
        const char* name;
        std::function<void(HWND)> event; // done by a timer inside the loop
        CQorCaptureLoop::Result expected;
    } rows[] = {
        {"quit", [](HWND) { PostQuitMessage(7); }, CQorCaptureLoop::resultQuit},
        {"capture lost", [other](HWND) { SetCapture(other); }, CQorCaptureLoop::resultCaptureLost},
        {"window gone", [](HWND hwnd) { DestroyWindow(hwnd); }, CQorCaptureLoop::resultWindowGone},
        {"cancel mode", [](HWND hwnd) { PostMessageW(hwnd, WM_CANCELMODE, 0, 0); }, CQorCaptureLoop::resultCancelled},
        {"button up", [](HWND hwnd) { PostMessageW(hwnd, WM_LBUTTONUP, 0, 0); }, CQorCaptureLoop::resultDone},
        {"not tracking", [](HWND) {}, CQorCaptureLoop::resultCancelled},
    };
    for (const Row& row : rows) {
        HWND hwnd = MakeWindow();
        SetTimer(hwnd, 1, 10, nullptr);
        bool fired = false, destroyed = false;
        int seenAfterDestroy = 0;
        CQorCaptureLoop loop(hwnd);
        loop.m_bLockDesktop = TRUE;
        loop.m_stillTracking = [&]() { return !(fired && std::string(row.name) == "not tracking"); };
        loop.m_onMessage = [&](MSG& msg) {
            if (destroyed)
                seenAfterDestroy++;
            if (msg.message == WM_TIMER && msg.hwnd == hwnd && !fired) {
                fired = true;
                EXPECT_NE(nullptr, loop.GetDesktopDC());
                KillTimer(hwnd, 1);
                row.event(hwnd);
                destroyed = !IsWindow(hwnd);
                return CQorCaptureLoop::actionHandled;
            }
            return msg.message == WM_LBUTTONUP ? CQorCaptureLoop::actionDone : CQorCaptureLoop::actionDispatch;
        };
        EXPECT_EQ(row.expected, loop.Run()) << row.name;
        EXPECT_TRUE(fired) << row.name;
        EXPECT_EQ(0, seenAfterDestroy) << row.name;
        EXPECT_EQ(nullptr, loop.GetDesktopDC()) << row.name;
        if (GetCapture() == other)
            ReleaseCapture();
        ExpectEverythingReleased(row.name);
        EXPECT_EQ(row.expected == CQorCaptureLoop::resultQuit ? 7 : -1, TakeQuit()) << row.name;
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
    }
    DestroyWindow(other);
}

TEST(CaptureLoop, PaintFirstDispatchesPendingPaintsAndSkipsKickIdle)
{
    for (BOOL paintFirst : {FALSE, TRUE}) {
        HWND hwnd = MakeWindow();
        testsupport::PumpMessages();
        InvalidateRect(hwnd, nullptr, FALSE);
        PostMessageW(hwnd, 0x036A, 0, 0); // WM_KICKIDLE: never reaches the handler
        PostMessageW(hwnd, WM_LBUTTONUP, 0, 0);
        int paintsSeen = 0, kickIdleSeen = 0;
        CQorCaptureLoop loop(hwnd);
        loop.m_bPaintFirst = paintFirst;
        loop.m_onMessage = [&](MSG& msg) {
            paintsSeen += msg.message == WM_PAINT;
            kickIdleSeen += msg.message == 0x036A;
            return msg.message == WM_LBUTTONUP ? CQorCaptureLoop::actionDone : CQorCaptureLoop::actionDispatch;
        };
        EXPECT_EQ(CQorCaptureLoop::resultDone, loop.Run());
        EXPECT_EQ(0, kickIdleSeen);
        // Posted messages come before paints: only the paint-first loop repaints before it ends.
        EXPECT_EQ(0, paintsSeen) << paintFirst;
        EXPECT_EQ(paintFirst, !GetUpdateRect(hwnd, nullptr, FALSE)) << paintFirst;
        ExpectEverythingReleased("paint first");
        DestroyWindow(hwnd);
    }
}

TEST(CaptureLoop, APaintFirstLoopStillEndsOnAQuitAndLeavesItQueued)
{
    // Looking for paints must not swallow the quit: PeekMessage returns WM_QUIT under any filter.
    HWND hwnd = MakeWindow();
    testsupport::PumpMessages();
    InvalidateRect(hwnd, nullptr, FALSE);
    PostQuitMessage(5);
    CQorCaptureLoop loop(hwnd);
    loop.m_bPaintFirst = TRUE;
    EXPECT_EQ(CQorCaptureLoop::resultQuit, loop.Run());
    EXPECT_EQ(5, TakeQuit());
    ExpectEverythingReleased("paint first, quit");
    DestroyWindow(hwnd);
}

namespace {

// A window that answers its paints without painting: its update region stays, so the system
// offers the paint again and again.
LRESULT CALLBACK NeverValidatingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return message == WM_PAINT ? 0 : DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

TEST(CaptureLoop, APaintFirstLoopEndsBesideAWindowThatNeverValidates)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = NeverValidatingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CaptureLoopNeverValidates";
    RegisterClassW(&wc);
    HWND hwnd = MakeWindow(); // pumps: before the stubborn window, which never lets a pump end
    HWND stubborn = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 450, 100, 40, 40, nullptr,
                                    nullptr, wc.hInstance, nullptr);
    InvalidateRect(stubborn, nullptr, FALSE);
    PostMessageW(hwnd, WM_LBUTTONUP, 0, 0);
    CQorCaptureLoop loop(hwnd);
    loop.m_bPaintFirst = TRUE;
    loop.m_onMessage = [](MSG& msg) {
        return msg.message == WM_LBUTTONUP ? CQorCaptureLoop::actionDone : CQorCaptureLoop::actionDispatch;
    };
    EXPECT_EQ(CQorCaptureLoop::resultDone, loop.Run());
    ExpectEverythingReleased("paint first, stubborn window");
    DestroyWindow(hwnd);
    DestroyWindow(stubborn);
}

namespace {

// A vertical splitter bar of the window at x = 150 (client), dragged along x within 100-220.
// Timer procedures are stdcall on i686, which a lambda cannot be converted to.
void CALLBACK CancelStalledDrag(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    PostMessageW(GetCapture(), WM_CANCELMODE, 0, 0);
}

void CALLBACK QuitOnce(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    PostQuitMessage(3);
}

class SplitterDrag : public testing::Test
{
protected:
    void SetUp() override
    {
        hwnd = MakeWindow();
        POINT origin = {0, 0};
        ClientToScreen(hwnd, &origin);
        start = {origin.x + 152, origin.y + 50};
        tracker = {origin.x + 150, origin.y, origin.x + 154, origin.y + 200};
        drag = {hwnd, TRUE, {origin.x + 100, origin.y}, {origin.x + 220, origin.y}, start};
        SendMouse(MOUSEEVENTF_MOVE, start);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        testsupport::PumpMessages();
        // A drag whose input never arrives must fail the test, not hang it.
        guard = SetTimer(nullptr, 0, 5000, CancelStalledDrag);
    }
    UINT_PTR guard = 0;
    void TearDown() override
    {
        KillTimer(nullptr, guard);
        SendMouse(MOUSEEVENTF_LEFTUP);
        testsupport::PumpMessages();
        DestroyWindow(hwnd);
    }
    HWND hwnd = nullptr;
    POINT start{};
    RECT tracker{};
    QOR_SPLITTER_DRAG drag{};
    QOR_TRACKER_DC trackerDC;
};

// Pixels of the screen around the splitter, to see that the tracker left nothing behind.
std::vector<COLORREF> ScreenStrip(POINT at)
{
    HDC screen = GetDC(nullptr);
    std::vector<COLORREF> pixels;
    for (int x = at.x - 80; x < at.x + 120; x += 2)
        pixels.push_back(GetPixel(screen, x, at.y));
    ReleaseDC(nullptr, screen);
    return pixels;
}

} // namespace

TEST_F(SplitterDrag, ButtonUpEndsWithTheClampedTracker)
{
    SendMouse(MOUSEEVENTF_MOVE, {start.x + 40, start.y + 30});
    // Past the range but still over the window: Wine routes injected input by the window under
    // the cursor when it is sent, before the loop holds the capture.
    SendMouse(MOUSEEVENTF_MOVE, {start.x + 100, start.y});
    SendMouse(MOUSEEVENTF_LEFTUP);
    RECT before = tracker;
    EXPECT_TRUE(TrackSplitterDrag(drag, tracker, trackerDC));
    EXPECT_EQ(drag.ptMax.x, tracker.left);
    EXPECT_EQ(before.top, tracker.top) << "a vertical bar moves only across";
    EXPECT_EQ(before.right - before.left, tracker.right - tracker.left);
    EXPECT_EQ(nullptr, trackerDC.hDC);
    ExpectEverythingReleased("button up");
}

TEST_F(SplitterDrag, EscapeCancelsAndRestoresTheScreen)
{
    std::vector<COLORREF> before = ScreenStrip(start);
    SendMouse(MOUSEEVENTF_MOVE, {start.x - 30, start.y});
    SendKey(VK_ESCAPE);
    RECT original = tracker;
    EXPECT_FALSE(TrackSplitterDrag(drag, tracker, trackerDC));
    EXPECT_EQ(original.left - 30, tracker.left);
    EXPECT_EQ(before, ScreenStrip(start));
    ExpectEverythingReleased("escape");
}

TEST_F(SplitterDrag, QuitDuringTheDragCancelsAndStaysQueued)
{
    SetTimer(nullptr, 0, 30, QuitOnce);
    EXPECT_FALSE(TrackSplitterDrag(drag, tracker, trackerDC));
    EXPECT_EQ(3, TakeQuit());
    ExpectEverythingReleased("quit");
}
