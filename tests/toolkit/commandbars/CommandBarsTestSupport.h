// Input and pixels for the command-bar tests: real input through SendInput (the thread's mouse
// and keyboard hooks see nothing else), plain top-level windows to click on, and pixels read
// from a window's own surface.
#pragma once

#include <windows.h>

#include <functional>
#include <thread>
#include <vector>

#include "tests/common/WineTestSupport.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/MouseManager.h"

namespace cbtest {

// A top-level window of a test's own class (registered on first use) and procedure.
inline HWND CreateWindowWithProc(LPCWSTR lpszClass, WNDPROC pfnProc, const RECT& rc,
                                 DWORD dwStyle = WS_POPUP | WS_VISIBLE, HWND hWndOwner = nullptr)
{
    WNDCLASSW wc = {};
    if (!GetClassInfoW(GetModuleHandleW(nullptr), lpszClass, &wc)) {
        wc.lpfnWndProc = pfnProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        wc.lpszClassName = lpszClass;
        RegisterClassW(&wc);
    }
    return CreateWindowExW(0, lpszClass, L"", dwStyle, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                           hWndOwner, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// A plain top-level window of a class with DefWindowProc, shown at a screen rectangle.
inline HWND CreatePlainWindow(const RECT& rc, DWORD dwStyle = WS_POPUP | WS_VISIBLE, HWND hWndOwner = nullptr)
{
    return CreateWindowWithProc(L"CommandBarsTestWindow", DefWindowProcW, rc, dwStyle, hWndOwner);
}

inline bool BringToFront(HWND hWnd)
{
    SetForegroundWindow(hWnd);
    return testsupport::PumpUntil([&] { return GetForegroundWindow() == hWnd; }, 2000);
}

// A mouse event at a screen point (the move goes with it).
inline void SendMouse(POINT pt, DWORD dwFlags = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = (pt.x * 65536 + cx - 1) / cx;
    input.mi.dy = (pt.y * 65536 + cy - 1) / cy;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | dwFlags;
    SendInput(1, &input, sizeof(input));
}

inline void SendClick(POINT pt)
{
    SendMouse(pt);
    SendMouse(pt, MOUSEEVENTF_LEFTDOWN);
    SendMouse(pt, MOUSEEVENTF_LEFTUP);
}

inline void SendKey(WORD vk, bool bUp = false)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
}

// A client point of a window in screen coordinates.
inline POINT ScreenPoint(HWND hWnd, int x, int y)
{
    POINT pt = {x, y};
    ClientToScreen(hWnd, &pt);
    return pt;
}

// Pixels of one rectangle that differ between two captures of a window.
inline int CountChanged(const testsupport::WindowCapture& a, const testsupport::WindowCapture& b, const RECT& rc)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            n += a.Pixel(x, y) != b.Pixel(x, y) ? 1 : 0;
    return n;
}

// What the window shows at a client point, read from its own surface.
inline COLORREF WindowPixel(HWND hWnd, int x, int y)
{
    HDC hDC = GetDC(hWnd);
    const COLORREF clr = GetPixel(hDC, x, y);
    ReleaseDC(hWnd, hDC);
    return clr;
}

// Dispatches messages for a while.
inline void PumpFor(DWORD dwMilliseconds)
{
    const DWORD dwStart = GetTickCount();
    while (GetTickCount() - dwStart < dwMilliseconds) {
        testsupport::PumpMessages();
        Sleep(1);
    }
}

// One step of input played by a helper thread, after a delay.
struct InputStep
{
    DWORD dwDelay;
    std::function<void()> action;
};

// Runs a modal piece of code on this thread (a press or drag loop) while a helper thread plays
// the input steps into it.
inline void RunWithInput(const std::vector<InputStep>& steps, const std::function<void()>& run)
{
    std::thread input([steps] {
        for (const InputStep& step : steps) {
            Sleep(step.dwDelay);
            step.action();
        }
    });
    run();
    input.join();
}

// Runs code once from this thread's message loop (a popup's own loop too) after a delay; a later
// call replaces an action that has not run yet.
inline std::function<void()>& PendingLaterAction()
{
    static std::function<void()> action;
    return action;
}
inline void CALLBACK RunPendingLaterAction(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    KillTimer(nullptr, nIDEvent);
    std::function<void()> action;
    action.swap(PendingLaterAction());
    if (action)
        action();
}
inline void RunLater(DWORD dwDelay, std::function<void()> action)
{
    PendingLaterAction() = std::move(action);
    SetTimer(nullptr, 0, dwDelay, RunPendingLaterAction);
}

// The bar that began tracking last: the popup opened last.
inline CQorCommandBar* InnermostTrackedBar()
{
    const CQorMouseManager::CTrackArray& tracked = GetMouseManager()->GetTrackArray();
    return tracked.IsEmpty() ? nullptr : tracked[tracked.GetSize() - 1];
}

} // namespace cbtest
