#include "reader/ui/SplashWnd.h"
#include "platform/framework/WinApp.h"
#include <new>

BOOL CSplashWnd::c_bShowSplash = FALSE;
CSplashWnd* CSplashWnd::c_pSplashWnd = nullptr;

BEGIN_MESSAGE_MAP(CSplashWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CSplashWnd::~CSplashWnd()
{
    if (c_pSplashWnd == this)
        c_pSplashWnd = nullptr;
}

void CSplashWnd::ShowSplashScreen(CWnd* parent)
{
    if (!c_bShowSplash || c_pSplashWnd != nullptr)
        return;
    CSplashWnd* splash = new (std::nothrow) CSplashWnd;
    if (splash == nullptr)
        return;
    c_pSplashWnd = splash;
    if (!splash->Create(parent)) {
        delete splash;
        return;
    }
    splash->UpdateWindow();
}

BOOL CSplashWnd::Create(CWnd* parent)
{
    // The picture is the book's: it comes from the executable, not from the language module.
    HANDLE image = ::LoadImageW(::GetModuleHandleW(nullptr), L"SPLASH", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (image == nullptr || !m_bitmap.Attach(image))
        return FALSE;
    BITMAP info = {};
    m_bitmap.GetBitmap(&info);
    return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW)), nullptr, WS_POPUP | WS_VISIBLE, 0, 0,
                    info.bmWidth, info.bmHeight, parent ? parent->GetSafeHwnd() : nullptr, nullptr);
}

int CSplashWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CenterOnWorkArea();
    SetTimer(kTimerId, kShowMilliseconds, nullptr);
    return 0;
}

void CSplashWnd::CenterOnWorkArea()
{
    // The screen, not the owner: the main window may already show in any place and size. The
    // monitor is the owner's, so that a reader on a second screen starts there.
    const HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    const HMONITOR monitor = ::MonitorFromWindow(owner != nullptr ? owner : m_hWnd, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    RECT work = {};
    if (monitor != nullptr && ::GetMonitorInfoW(monitor, &info))
        work = info.rcWork;
    else
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    CRect window;
    GetWindowRect(&window);
    const int x = work.left + (work.right - work.left - window.Width()) / 2;
    const int y = work.top + (work.bottom - work.top - window.Height()) / 2;
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSplashWnd::OnPaint()
{
    CPaintDC dc(this);
    CDC memory;
    if (!memory.CreateCompatibleDC(&dc))
        return;
    BITMAP info = {};
    m_bitmap.GetBitmap(&info);
    CBitmap* old = memory.SelectObject(&m_bitmap);
    dc.BitBlt(0, 0, info.bmWidth, info.bmHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

void CSplashWnd::OnTimer(UINT_PTR)
{
    DestroyWindow();
    if (CWnd* main = AfxGetMainWnd())
        main->UpdateWindow();
}

void CSplashWnd::PostNcDestroy()
{
    delete this;
}
