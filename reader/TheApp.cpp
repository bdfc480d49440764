// Temporary entry point: shows the reader's frame window until the framework carries the application.
#include <windows.h>
#include "resources/resource.h"

static LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wp) == ID_APP_EXIT) { DestroyWindow(hwnd); return 0; }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = L"FolionyxReaderFrame";
    wc.lpszMenuName = MAKEINTRESOURCEW(IDR_MAINFRAME);
    RegisterClassW(&wc);
    HWND frame = CreateWindowW(wc.lpszClassName, L"FolionyxReader", WS_OVERLAPPEDWINDOW,
                               CW_USEDEFAULT, CW_USEDEFAULT, 900, 650, nullptr, nullptr, instance, nullptr);
    SendMessageW(frame, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(wc.hIcon));
    ShowWindow(frame, show);
    HACCEL accel = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!TranslateAcceleratorW(frame, accel, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return 0;
}
