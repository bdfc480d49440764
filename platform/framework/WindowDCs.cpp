// The DCs that belong to windows: paint, client-area and whole-window DCs.
#include "platform/framework/Gdi.h"
#include "platform/framework/Wnd.h"

IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CWnd* CDC::GetWindow() const
{
    HWND window = m_hDC ? ::WindowFromDC(m_hDC) : nullptr;
    return window ? CWnd::FromHandle(window) : nullptr;
}

int CDC::ExcludeUpdateRgn(CWnd* wnd)
{
    return wnd ? ::ExcludeUpdateRgn(m_hDC, wnd->GetSafeHwnd()) : ERROR;
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd ? wnd->GetSafeHwnd() : nullptr)
{
    if (m_hWnd)
        Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    if (m_hDC) {
        ::EndPaint(m_hWnd, &m_ps);
        Detach();
    }
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->GetSafeHwnd() : nullptr)
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    if (m_hDC)
        ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->GetSafeHwnd() : nullptr)
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    if (m_hDC)
        ::ReleaseDC(m_hWnd, Detach());
}
