// Windows shown in status-bar panes: the base that continues the bar's background and keeps
// its text as window text, and the icon pane.
#include "toolkit/commandbars/StatusBar.h"

#include "platform/framework/AfxState.h"
#include "platform/framework/WinApp.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/foundation/DrawHelpers.h"

IMPLEMENT_DYNAMIC(CQorStatusBarPaneWnd, CWnd)

BEGIN_MESSAGE_MAP(CQorStatusBarPaneWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, &CQorStatusBarPaneWnd::OnPrintClient)
    ON_MESSAGE(WM_SETTEXT, &CQorStatusBarPaneWnd::OnSetText)
END_MESSAGE_MAP()

BOOL CQorStatusBarPaneWnd::Create(LPCTSTR lpszText, CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_HREDRAW | CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    m_strText = lpszText ? lpszText : L"";
    return CWnd::Create(lpszClass, m_strText, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

LRESULT CQorStatusBarPaneWnd::OnSetText(WPARAM, LPARAM lParam)
{
    const LRESULT lResult = Default();
    if (lResult)
        m_strText = lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"";
    return lResult;
}

void CQorStatusBarPaneWnd::DrawContent(CDC*, CRect) {}

void CQorStatusBarPaneWnd::FillBarBackground(CDC* pDC, const CRect& rc)
{
    CWnd* pBar = GetParent();
    if (!pBar || !pBar->IsKindOf(RUNTIME_CLASS(CQorStatusBar))) {
        pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
        return;
    }
    // The bar's own fill with the bar's coordinates moved onto this window: the pane continues
    // the background around it, gradients and visual-style parts included.
    POINT ptOffset = {0, 0};
    ::MapWindowPoints(m_hWnd, pBar->m_hWnd, &ptOffset, 1);
    const int nSaved = ::SaveDC(pDC->GetSafeHdc());
    ::IntersectClipRect(pDC->GetSafeHdc(), rc.left, rc.top, rc.right, rc.bottom);
    POINT ptOld;
    ::OffsetViewportOrgEx(pDC->GetSafeHdc(), -ptOffset.x, -ptOffset.y, &ptOld);
    CQorStatusBar* pStatusBar = static_cast<CQorStatusBar*>(pBar);
    pStatusBar->GetPaintManager()->FillStatusBar(pDC, pStatusBar);
    ::RestoreDC(pDC->GetSafeHdc(), nSaved);
}

void CQorStatusBarPaneWnd::PaintInto(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    FillBarBackground(pDC, rc);
    DrawContent(pDC, rc);
}

void CQorStatusBarPaneWnd::OnPaint()
{
    CPaintDC paintDC(this);
    CRect rc;
    GetClientRect(&rc);
    CQorBufferDC dc(paintDC.GetSafeHdc(), rc);
    PaintInto(&dc);
}

LRESULT CQorStatusBarPaneWnd::OnPrintClient(WPARAM wParam, LPARAM)
{
    CRect rc;
    GetClientRect(&rc);
    CQorBufferDC dc(reinterpret_cast<HDC>(wParam), rc);
    PaintInto(&dc);
    return 0;
}

BOOL CQorStatusBarPaneWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

// ---------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CQorStatusBarIconPane, CQorStatusBarPaneWnd)

BEGIN_MESSAGE_MAP(CQorStatusBarIconPane, CQorStatusBarPaneWnd)
    ON_WM_ENABLE()
END_MESSAGE_MAP()

CQorStatusBarIconPane::CQorStatusBarIconPane()
    : m_hIcon(nullptr), m_szIcon(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON))
{
}

CQorStatusBarIconPane::~CQorStatusBarIconPane()
{
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
}

BOOL CQorStatusBarIconPane::SetIcon(UINT nIDResource)
{
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
    m_hIcon = static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource), IMAGE_ICON,
                                              m_szIcon.cx, m_szIcon.cy, 0));
    if (m_hWnd)
        Invalidate(FALSE);
    return m_hIcon != nullptr;
}

void CQorStatusBarIconPane::DrawIcon(CDC* pDC, int x, int y)
{
    if (!m_hIcon)
        return;
    const BOOL bEnabled = !m_hWnd || IsWindowEnabled();
    CQorPaintManager* pPaintManager = GetGlobalPaintManager();
    // Disabled: one flat colour, none of the icon's own.
    CBrush brush;
    if (!bEnabled)
        brush.CreateSolidBrush(pPaintManager ? pPaintManager->GetColor(16) : ::GetSysColor(COLOR_BTNSHADOW));
    ::DrawStateW(pDC->GetSafeHdc(), static_cast<HBRUSH>(brush.GetSafeHandle()), nullptr,
                 reinterpret_cast<LPARAM>(m_hIcon), 0, x, y, m_szIcon.cx, m_szIcon.cy,
                 DST_ICON | (bEnabled ? 0 : DSS_MONO));
}

void CQorStatusBarIconPane::DrawContent(CDC* pDC, CRect rc)
{
    DrawIcon(pDC, rc.left + (rc.Width() - m_szIcon.cx) / 2, rc.top + (rc.Height() - m_szIcon.cy) / 2);
}

void CQorStatusBarIconPane::OnEnable(BOOL)
{
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}
