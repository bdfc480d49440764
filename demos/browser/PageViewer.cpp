// A small window around the page engine, for looking at pages by hand:
//   page_viewer.exe PAGE [--shot FILE.bmp] [--width W] [--height H] [--zoom PERCENT]
// With --shot the page is painted into a bitmap file once it has loaded, and the program ends.
#include "platform/browser/BrowserControl.h"
#include <windows.h>
#include <cstdio>
#include <string>

namespace {

fxb::BrowserControl* g_control = nullptr;

class Loaded : public fxb::BrowserEvents
{
public:
    bool done = false;
    void DocumentComplete(const std::wstring&) override { done = true; }
    void TitleChange(const std::wstring& title) override
    {
        if (g_control)
            SetWindowTextW(GetParent(g_control->Handle()), (title + L" - page viewer").c_str());
    }
};

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_SIZE:
        if (g_control && g_control->Handle())
            MoveWindow(g_control->Handle(), 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
        return 0;
    case WM_SETFOCUS:
        if (g_control && g_control->Handle())
            SetFocus(g_control->Handle());
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

bool SaveBitmap(HWND hwnd, const std::wstring& path)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = rc.right;
    bi.bmiHeader.biHeight = -rc.bottom; // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    DWORD size = rc.right * rc.bottom * 4;
    // GDI leaves the alpha byte undefined; image viewers would take it for transparency.
    for (DWORD i = 0; i < size / 4; ++i)
        static_cast<DWORD*>(bits)[i] |= 0xFF000000;
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
    fh.bfSize = fh.bfOffBits + size;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    bool ok = file != INVALID_HANDLE_VALUE;
    if (ok) {
        DWORD written;
        WriteFile(file, &fh, sizeof(fh), &written, nullptr);
        WriteFile(file, &bi.bmiHeader, sizeof(bi.bmiHeader), &written, nullptr);
        WriteFile(file, bits, size, &written, nullptr);
        CloseHandle(file);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bmp);
    return ok;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: page_viewer PAGE [--shot FILE.bmp] [--width W] [--height H] [--zoom PERCENT]\n");
        return 2;
    }
    OleInitialize(nullptr);
    std::wstring page = argv[1], shot;
    int width = 900, height = 700, zoom = 100;
    for (int i = 2; i + 1 < argc; i += 2) {
        std::wstring opt = argv[i];
        if (opt == L"--shot")
            shot = argv[i + 1];
        else if (opt == L"--width")
            width = _wtoi(argv[i + 1]);
        else if (opt == L"--height")
            height = _wtoi(argv[i + 1]);
        else if (opt == L"--zoom")
            zoom = _wtoi(argv[i + 1]);
    }
    if (page.size() < 2 || page[1] != L':') {
        wchar_t full[MAX_PATH];
        if (GetFullPathNameW(page.c_str(), MAX_PATH, full, nullptr))
            page = full;
    }
    WNDCLASSW wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"FolionyxPageViewerFrame";
    RegisterClassW(&wc);
    HWND frame = CreateWindowW(wc.lpszClassName, L"page viewer", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, width, height,
                               nullptr, nullptr, wc.hInstance, nullptr);
    fxb::BrowserControl control;
    Loaded events;
    g_control = &control;
    RECT rc;
    GetClientRect(frame, &rc);
    control.Create(frame, rc, 1);
    control.SetEvents(&events);
    control.SetOpticalZoom(zoom);
    control.Navigate2(page);
    SetFocus(control.Handle());
    MSG msg;
    int result = 0;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if (!shot.empty() && events.done) {
            UpdateWindow(control.Handle());
            result = SaveBitmap(control.Handle(), shot) ? 0 : 1;
            shot.clear();
            DestroyWindow(frame);
        }
    }
    control.SetEvents(nullptr);
    g_control = nullptr;
    OleUninitialize();
    return result;
}
