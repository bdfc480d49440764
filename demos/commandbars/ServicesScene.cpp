#include "demos/commandbars/ServicesScene.h"

#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"

// The scene's top-level window: records commands and left presses.
class CServicesScene::CSceneWnd : public CWnd
{
public:
    std::vector<UINT> m_commands;
    int m_nClicks = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            m_commands.push_back(LOWORD(wParam));
        else if (message == WM_LBUTTONDOWN)
            m_nClicks++;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

CServicesScene::CServicesScene() : m_pWnd(new CSceneWnd), m_shortcuts(nullptr), m_dropSource(nullptr)
{
    ACCEL accel = {FVIRTKEY | FCONTROL | FSHIFT, VK_F3, kCommandFind};
    m_shortcuts.SetAcceleratorTable(::CreateAcceleratorTableW(&accel, 1));
}

CServicesScene::~CServicesScene()
{
    for (CCellBar& bar : m_bars) {
        m_dropSource.RemoveTarget(&bar);
        if (bar.GetSafeHwnd())
            bar.DestroyWindow();
    }
    if (m_pWnd->GetSafeHwnd())
        m_pWnd->DestroyWindow();
    delete m_pWnd;
}

HWND CServicesScene::Create(int x, int y)
{
    CRect rc(0, 0, kClientWidth, kClientHeight);
    const DWORD dwStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    ::AdjustWindowRectEx(&rc, dwStyle, FALSE, 0);
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE));
    if (!m_pWnd->CreateEx(0, lpszClass, L"Command-bar services", dwStyle, x, y, rc.Width(), rc.Height(), nullptr,
                          nullptr))
        return nullptr;
    for (int i = 0; i < kBars; ++i) {
        CCellBar& bar = m_bars[i];
        bar.m_bAnimation = TRUE;
        bar.m_clrHot = kHotColor;
        bar.m_pDropSource = &m_dropSource;
        bar.m_pEndLog = &m_endLog;
        const CRect rcBar(10, 10 + i * 60, 10 + CCellBar::GetBarWidth(kCells + 2), 10 + i * 60 + 40);
        bar.CreateBar(WS_CHILD | WS_VISIBLE, rcBar, m_pWnd->GetSafeHwnd());
        for (int n = 0; n < kCells - 2 * i; ++n)
            bar.AddCell(new CColorCell(kCellColor));
        m_dropSource.AddTarget(&bar);
    }
    m_pWnd->ShowWindow(SW_SHOW);
    m_pWnd->UpdateWindow();
    return m_pWnd->GetSafeHwnd();
}

HWND CServicesScene::GetSafeHwnd() const
{
    return m_pWnd->GetSafeHwnd();
}

BOOL CServicesScene::TranslateMessage(MSG* pMsg)
{
    return m_shortcuts.TranslateAccelerator(GetSafeHwnd(), pMsg);
}

void CServicesScene::OpenChain()
{
    for (CCellBar& bar : m_bars)
        bar.SetTrackingMode(1, FALSE, FALSE);
}

const std::vector<UINT>& CServicesScene::GetCommands() const
{
    return m_pWnd->m_commands;
}

int CServicesScene::GetClickCount() const
{
    return m_pWnd->m_nClicks;
}
