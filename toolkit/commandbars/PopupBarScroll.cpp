// A popup taller than the screen scrolls: an arrow at the top and one at the bottom, each
// scrolling one control per 80 ms while the pointer rests on it; the controls scrolled out
// carry hide bit 0x08, and a control the keyboard selects is scrolled into view.
#include "toolkit/commandbars/PopupBar.h"

#include <algorithm>

#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/PaintManager.h"

namespace {

// A control shown in the popup unless scrolled out.
BOOL IsScrollable(const CQorControl* pControl)
{
    return pControl->IsVisible(qorHideScroll);
}

} // namespace

void CQorPopupBar::LayoutScrolled(int cy)
{
    const CRect rcBorder = GetBorders();
    const int nGripper = m_nResizable != resizeNone ? static_cast<int>(kResizeGripperHeight) : 0;
    const int cx = m_szLayout.cx;
    m_rcScrollUp = CRect(rcBorder.left, rcBorder.top, cx - rcBorder.right, rcBorder.top + kScrollArrowHeight);
    m_rcScrollDown = CRect(rcBorder.left, cy - rcBorder.bottom - nGripper - kScrollArrowHeight, cx - rcBorder.right,
                           cy - rcBorder.bottom - nGripper);
    const int nGap = GetPaintManager()->DrawSeparator(nullptr, this, nullptr, FALSE).cy;

    const int nCount = GetControlCount();
    m_nFirstShown = std::max(0, std::min(m_nFirstShown, nCount - 1));
    m_nLastShown = nCount;
    int y = m_rcScrollUp.bottom;
    BOOL bFirst = TRUE, bFull = FALSE;
    for (int i = 0; i < nCount; i++) {
        CQorControl* pControl = GetControl(i);
        if (!IsScrollable(pControl))
            continue;
        if (i < m_nFirstShown || bFull) {
            pControl->SetHideFlag(qorHideScroll, TRUE);
            continue;
        }
        const CRect rc = pControl->GetRect();
        const int nBefore = !bFirst && pControl->GetBeginGroup() ? nGap : 0;
        if (!bFirst && y + nBefore + rc.Height() > m_rcScrollDown.top) {
            bFull = TRUE;
            m_nLastShown = i;
            pControl->SetHideFlag(qorHideScroll, TRUE);
            continue;
        }
        y += nBefore;
        pControl->SetRect(CRect(rc.left, y, rc.right, y + rc.Height()));
        pControl->SetHideFlag(qorHideScroll, FALSE);
        y += rc.Height();
        bFirst = FALSE;
    }
}

BOOL CQorPopupBar::ScrollBy(BOOL bDown)
{
    if (!m_bScrollMode)
        return FALSE;
    const int nCount = GetControlCount();
    CRect rcClient(0, 0, 0, 0);
    if (m_hWnd)
        GetClientRect(&rcClient);
    if (bDown) {
        if (m_nLastShown >= nCount)
            return FALSE;
        const int nOldLast = m_nLastShown;
        // Past the first shown control until one more shows at the bottom.
        while (m_nLastShown <= nOldLast && m_nLastShown < nCount && m_nFirstShown < nCount - 1) {
            int nNext = m_nFirstShown + 1;
            while (nNext < nCount - 1 && !IsScrollable(GetControl(nNext)))
                nNext++;
            m_nFirstShown = nNext;
            LayoutScrolled(rcClient.Height());
        }
    } else {
        int nPrevious = m_nFirstShown - 1;
        while (nPrevious >= 0 && !IsScrollable(GetControl(nPrevious)))
            nPrevious--;
        if (nPrevious < 0)
            return FALSE;
        m_nFirstShown = nPrevious;
        LayoutScrolled(rcClient.Height());
    }
    Redraw(nullptr, FALSE);
    return TRUE;
}

void CQorPopupBar::EnsureVisible(CQorControl* pControl)
{
    if (!m_bScrollMode || !pControl || !(pControl->GetHideFlags() & qorHideScroll))
        return;
    const int nIndex = pControl->GetIndex();
    if (nIndex < m_nFirstShown) {
        CRect rcClient(0, 0, 0, 0);
        if (m_hWnd)
            GetClientRect(&rcClient);
        m_nFirstShown = nIndex;
        LayoutScrolled(rcClient.Height());
        Redraw(nullptr, FALSE);
        return;
    }
    while ((pControl->GetHideFlags() & qorHideScroll) && ScrollBy(TRUE)) {
    }
}

void CQorPopupBar::OnScrollTimer(BOOL bDown)
{
    const UINT_PTR nTimer = bDown ? kScrollDownTimerId : kScrollUpTimerId;
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    const CRect& rcArrow = bDown ? m_rcScrollDown : m_rcScrollUp;
    if (!m_bScrollMode || !rcArrow.PtInRect(pt) || !ScrollBy(bDown)) {
        KillTimer(nTimer);
        if (m_nScrollTimer == nTimer)
            m_nScrollTimer = 0;
    }
}

void CQorPopupBar::DrawScrollArrow(CDC* pDC, const CRect& rc, BOOL bDown, BOOL bEnabled)
{
    const COLORREF clr = ::GetSysColor(bEnabled ? COLOR_MENUTEXT : COLOR_GRAYTEXT);
    const CPoint ptCentre = rc.CenterPoint();
    // Three rows: 5, 3 and 1 pixels wide, the point towards where the scrolling goes.
    for (int r = 0; r < 3; r++) {
        const int nHalf = bDown ? 2 - r : r;
        pDC->FillSolidRect(ptCentre.x - nHalf, ptCentre.y - 1 + r, 2 * nHalf + 1, 1, clr);
    }
}
