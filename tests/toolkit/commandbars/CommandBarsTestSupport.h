// Input and pixels for the command-bar tests: real input through SendInput (the thread's mouse
// and keyboard hooks see nothing else), plain top-level windows to click on, and pixels read
// from a window's own surface.
#pragma once

#include <windows.h>

#include "tests/common/WineTestSupport.h"

namespace cbtest {

// A plain top-level window of a class with DefWindowProc, shown at a screen rectangle.
inline HWND CreatePlainWindow(const RECT& rc, DWORD dwStyle = WS_POPUP | WS_VISIBLE, HWND hWndOwner = nullptr)
{
    static ATOM s_atom = 0;
    if (!s_atom) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        wc.lpszClassName = L"CommandBarsTestWindow";
        s_atom = RegisterClassW(&wc);
    }
    return CreateWindowExW(0, L"CommandBarsTestWindow", L"", dwStyle, rc.left, rc.top, rc.right - rc.left,
                           rc.bottom - rc.top, hWndOwner, nullptr, GetModuleHandleW(nullptr), nullptr);
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

} // namespace cbtest
