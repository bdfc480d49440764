#include "tests/common/WineTestSupport.h"
#include <shellapi.h>
#include <fstream>
#include <iterator>

namespace testsupport {

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::wstring ExecutableFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    size_t slash = folder.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash + 1);
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(path.c_str(), std::ios::binary);
    out << bytes;
}

void SetLockKeyToggles(bool caps, bool num, bool scroll)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CAPITAL] = caps ? 1 : 0;
    keys[VK_NUMLOCK] = num ? 1 : 0;
    keys[VK_SCROLL] = scroll ? 1 : 0;
    SetKeyboardState(keys);
}

RECT WindowRectIn(HWND hWnd, HWND hOther)
{
    RECT rc;
    GetWindowRect(hWnd, &rc);
    MapWindowPoints(nullptr, hOther, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

TempFolder::TempFolder()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static LONG counter = 0;
    wchar_t name[64];
    wsprintfW(name, L"fxtest_%lu_%lu_%ld\\", GetCurrentProcessId(), GetTickCount(), InterlockedIncrement(&counter));
    m_path = std::wstring(temp) + name;
    CreateDirectoryW(m_path.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    std::wstring from = m_path.substr(0, m_path.size() - 1);
    from.push_back(L'\0'); // SHFileOperation takes a double-terminated list
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&op);
}

bool GuiResourcesAreCounted(DWORD dwKind)
{
    const DWORD dwBefore = GetGuiResources(GetCurrentProcess(), dwKind);
    DWORD dwWith = dwBefore;
    if (dwKind == GR_GDIOBJECTS) {
        HBRUSH hBrush = CreateSolidBrush(RGB(1, 2, 3));
        dwWith = GetGuiResources(GetCurrentProcess(), dwKind);
        DeleteObject(hBrush);
    } else {
        HMENU hMenu = CreatePopupMenu();
        dwWith = GetGuiResources(GetCurrentProcess(), dwKind);
        DestroyMenu(hMenu);
    }
    return dwWith != dwBefore;
}

WindowCapture::WindowCapture(HWND hwnd, bool fromScreen)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    m_width = rc.right - rc.left;
    m_height = rc.bottom - rc.top;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = m_width;
    bi.bmiHeader.biHeight = -m_height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    m_bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    m_bits = static_cast<DWORD*>(bits);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, m_bitmap);
    if (fromScreen) {
        POINT origin = {0, 0};
        ClientToScreen(hwnd, &origin);
        HDC screenDc = GetDC(nullptr);
        BitBlt(dc, 0, 0, m_width, m_height, screenDc, origin.x, origin.y, SRCCOPY);
        ReleaseDC(nullptr, screenDc);
        GdiFlush();
    } else {
        SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
}

WindowCapture::~WindowCapture()
{
    if (m_bitmap)
        DeleteObject(m_bitmap);
}

COLORREF WindowCapture::Pixel(int x, int y) const
{
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    DWORD v = m_bits[y * m_width + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int WindowCapture::CountColor(COLORREF color, const RECT& area) const
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (Pixel(x, y) == color)
                ++count;
    return count;
}

} // namespace testsupport
