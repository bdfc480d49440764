#include "platform/framework/ControlBar.h"

#include "platform/framework/FrameWnd.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, &CControlBar::OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CControlBar::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar()
    : m_cxLeftBorder(0), m_cxRightBorder(0), m_cyTopBorder(0), m_cyBottomBorder(0), m_dwStyle(0)
{
}

BOOL CControlBar::PreCreateWindow(CREATESTRUCT& cs)
{
    // The bar style lives in m_dwStyle; its bits mean nothing to the window.
    if ((m_dwStyle & 0xFF00) == CBRS_BOTTOM)
        cs.style &= ~0xF80L;
    return CWnd::PreCreateWindow(cs);
}

CSize CControlBar::CalcFixedLayout(BOOL, BOOL)
{
    CRect rect;
    if (m_hWnd)
        ::GetWindowRect(m_hWnd, &rect);
    return rect.Size();
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL) const
{
    // A border line is two pixels: shadow and highlight.
    const int cxLine = 2 * ::GetSystemMetrics(SM_CXBORDER);
    const int cyLine = 2 * ::GetSystemMetrics(SM_CYBORDER);
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += cxLine;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += cyLine;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= cxLine;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= cyLine;
    rect.left += m_cxLeftBorder;
    rect.top += m_cyTopBorder;
    rect.right -= m_cxRightBorder;
    rect.bottom -= m_cyBottomBorder;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    const BOOL bHorz = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    CSize size = CalcFixedLayout(pLayout->bStretch, bHorz);
    CRect avail(pLayout->rect);
    CRect rect = avail;
    if (bHorz) {
        size.cy = std::min<LONG>(size.cy, std::max<LONG>(avail.Height(), 0));
        if (m_dwStyle & CBRS_ALIGN_TOP) {
            rect.bottom = rect.top + size.cy;
            pLayout->rect.top += size.cy;
        } else {
            rect.top = rect.bottom - size.cy;
            pLayout->rect.bottom -= size.cy;
        }
        pLayout->sizeTotal.cy += size.cy;
        pLayout->sizeTotal.cx = std::max<LONG>(pLayout->sizeTotal.cx, size.cx);
    } else if (m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) {
        size.cx = std::min<LONG>(size.cx, std::max<LONG>(avail.Width(), 0));
        if (m_dwStyle & CBRS_ALIGN_LEFT) {
            rect.right = rect.left + size.cx;
            pLayout->rect.left += size.cx;
        } else {
            rect.left = rect.right - size.cx;
            pLayout->rect.right -= size.cx;
        }
        pLayout->sizeTotal.cx += size.cx;
        pLayout->sizeTotal.cy = std::max<LONG>(pLayout->sizeTotal.cy, size.cy);
    } else {
        return 0; // a floating bar takes no strip
    }
    if (pLayout->hDWP)
        AfxRepositionWindow(pLayout, m_hWnd, &rect);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    // The owner routes the update handlers; a bar without a frame owner uses its parent frame.
    CWnd* pOwner = GetOwner();
    CFrameWnd* pTarget = (pOwner && pOwner->IsFrameWnd()) ? static_cast<CFrameWnd*>(pOwner) : GetParentFrame();
    if (pTarget)
        OnUpdateCmdUI(pTarget, static_cast<BOOL>(wParam));
    return 0;
}

// ---------------------------------------------------------------------------------------

void CStatusCmdUI::ChangeStyle(UINT nBit, BOOL bSet)
{
    const UINT nOld = m_pPanes->GetPaneStyle(static_cast<int>(m_nIndex));
    const UINT nNew = bSet ? (nOld | nBit) : (nOld & ~nBit);
    if (nNew != nOld)
        m_pPanes->SetPaneStyle(static_cast<int>(m_nIndex), nNew);
}

void CStatusCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    ChangeStyle(SBPS_DISABLED, !bOn);
}

void CStatusCmdUI::SetCheck(int nCheck)
{
    ChangeStyle(SBPS_POPOUT, nCheck != 0);
}

void CStatusCmdUI::SetText(LPCTSTR lpszText)
{
    m_pPanes->SetPaneText(static_cast<int>(m_nIndex), lpszText);
}
