// Helpers the foundation's tests share: injected input, colour comparison and what the
// system answers by itself.
#pragma once

#include <windows.h>

#include <cstdlib>

namespace foundationtest {

// Injects one mouse event; a move goes to an absolute screen point.
inline void SendMouse(DWORD flags, POINT screen = {0, 0})
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_MOVE) {
        input.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
        input.mi.dx = MulDiv(screen.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
        input.mi.dy = MulDiv(screen.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    }
    SendInput(1, &input, sizeof(input));
}

// Injects a key press and release.
inline void SendKey(WORD vk)
{
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = vk;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

// The tree view's border colour as the visual-style library itself answers it (-1 when it
// cannot be asked), asked without the toolkit's wrapper.
inline COLORREF SystemTreeViewBorder()
{
    typedef HANDLE(WINAPI * OpenFn)(HWND, LPCWSTR);
    typedef HRESULT(WINAPI * ColorFn)(HANDLE, int, int, int, COLORREF*);
    typedef HRESULT(WINAPI * CloseFn)(HANDLE);
    HMODULE hUxTheme = LoadLibraryW(L"uxtheme.dll");
    if (!hUxTheme)
        return static_cast<COLORREF>(-1);
    auto pfnOpen = reinterpret_cast<OpenFn>(reinterpret_cast<void*>(GetProcAddress(hUxTheme, "OpenThemeData")));
    auto pfnColor = reinterpret_cast<ColorFn>(reinterpret_cast<void*>(GetProcAddress(hUxTheme, "GetThemeColor")));
    auto pfnClose = reinterpret_cast<CloseFn>(reinterpret_cast<void*>(GetProcAddress(hUxTheme, "CloseThemeData")));
    COLORREF clr = static_cast<COLORREF>(-1);
    HANDLE hTheme = pfnOpen && pfnColor && pfnClose ? pfnOpen(nullptr, L"TREEVIEW") : nullptr;
    if (hTheme) {
        COLORREF answer = 0;
        if (SUCCEEDED(pfnColor(hTheme, 0, 0, 3801, &answer))) // TMT_BORDERCOLOR
            clr = answer;
        pfnClose(hTheme);
    }
    return clr;
}

// Every channel within the tolerance.
inline bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

} // namespace foundationtest
