// The start-up benchmark's baseline: one top-level window that fills its client with one
// colour, built and linked like the reader. Arguments: the window's width and height.
#include <windows.h>

#include <cwchar>

namespace {

// The colour the start-up benchmark waits for on the screen.
const COLORREF kFill = RGB(0xC8, 0x3C, 0x28);

LRESULT CALLBACK BareWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int nShowCmd)
{
    int nWidth = CW_USEDEFAULT;
    int nHeight = CW_USEDEFAULT;
    if (__argc >= 3) {
        nWidth = _wtoi(__wargv[1]);
        nHeight = _wtoi(__wargv[2]);
    }
    WNDCLASSW wc = {};
    wc.lpfnWndProc = BareWndProc;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = ::CreateSolidBrush(kFill);
    wc.lpszClassName = L"FolionyxBareWindow";
    if (!::RegisterClassW(&wc))
        return 1;
    HWND hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"Bare window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, nWidth, nHeight, nullptr, nullptr, hInstance, nullptr);
    if (!hWnd)
        return 1;
    ::ShowWindow(hWnd, nShowCmd);
    ::UpdateWindow(hWnd);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
