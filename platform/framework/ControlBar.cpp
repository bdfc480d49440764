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
    const DWORD dwAlign = m_dwStyle & CBRS_ALIGN_ANY;
    if (!(GetStyle() & WS_VISIBLE) || !dwAlign)
        return 0; // hidden or floating: no strip
    const BOOL bHorz = (dwAlign & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    const CSize size = CalcFixedLayout(pLayout->bStretch, bHorz);
    RECT& avail = pLayout->rect;
    RECT rect = avail;
    // The strip's depth, never more than what is left.
    const LONG nDepth = bHorz ? std::min<LONG>(size.cy, std::max<LONG>(avail.bottom - avail.top, 0))
                              : std::min<LONG>(size.cx, std::max<LONG>(avail.right - avail.left, 0));
    if (dwAlign & CBRS_ALIGN_TOP)
        rect.bottom = avail.top += nDepth;
    else if (dwAlign & CBRS_ALIGN_BOTTOM)
        rect.top = avail.bottom -= nDepth;
    else if (dwAlign & CBRS_ALIGN_LEFT)
        rect.right = avail.left += nDepth;
    else
        rect.left = avail.right -= nDepth;
    LONG& nTotalDepth = bHorz ? pLayout->sizeTotal.cy : pLayout->sizeTotal.cx;
    LONG& nTotalLength = bHorz ? pLayout->sizeTotal.cx : pLayout->sizeTotal.cy;
    nTotalDepth += nDepth;
    nTotalLength = std::max<LONG>(nTotalLength, bHorz ? size.cx : size.cy);
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
