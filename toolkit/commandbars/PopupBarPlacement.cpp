// Where a popup goes: the exclude rectangle and flags from its parent control, the placement
// against the work area (below or above a drop-down's control, beside a submenu's, at a
// context point), the choice between scrolling and columns, and moving the window there.
#include "toolkit/commandbars/PopupBar.h"

#include <algorithm>

#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/ControlPopup.h"

int QorPopupFlagsFromParent(int nControlFlags, BOOL bRightToLeft, DWORD dwParentBarFlags, int nParentPosition,
                            BOOL bParentFloatingPopup, int nParentPopupFlags)
{
    const DWORD kLargeButtonLayout = 0x200000;
    int nFlags = 0;
    if ((nControlFlags & qorFlagLeftPopup) || bRightToLeft)
        nFlags |= qorPopupLeft;
    if ((dwParentBarFlags & kLargeButtonLayout) && nParentPosition == qorBarPopup)
        return nFlags | qorPopupDropDown;
    switch (nParentPosition) {
    case qorBarTop:
    case qorBarBottom:
        return nFlags | qorPopupDropDown;
    case qorBarFloating:
        return bParentFloatingPopup ? nFlags : nFlags | qorPopupDropDown;
    case qorBarRight:
        return qorPopupLeft;
    case qorBarPopup:
        // Submenus keep opening the way their parent opened once it had to turn left.
        return (nParentPopupFlags & qorPopupLeft) ? qorPopupLeft : nFlags;
    default:
        return nFlags;
    }
}

void QorCalcPopupPlacement(QorPopupPlacement& p)
{
    CRect rcWork = p.rcWork;
    CRect& rcExclude = p.rcExclude;
    int& nFlags = p.nFlags;
    int cx = p.size.cx, cy = p.size.cy;
    int x = p.ptPopup.x, y = p.ptPopup.y;
    p.bScroll = FALSE;

    // A point on a part of the monitor the work area leaves out (the task bar) uses the monitor.
    if (rcExclude.IsRectEmpty() && p.rcMonitor.PtInRect(p.ptPopup) && !rcWork.PtInRect(p.ptPopup))
        rcWork = p.rcMonitor;
    rcWork.bottom -= 5;

    const BOOL bFlatExclude = rcExclude.Height() == 0;
    if (bFlatExclude && y > rcWork.bottom) {
        // Above an anchor in the strip kept free at the bottom: its bottom edge on the strip's,
        // so that a popup that fits is not shortened.
        y = rcWork.bottom - cy;
    } else if (y + cy > rcWork.bottom) {
        if (bFlatExclude) {
            y = (y < (rcWork.bottom - rcWork.top) / 2 ? rcWork.bottom : y) - cy;
        } else if (nFlags & qorPopupDropDown) {
            y = rcExclude.top - cy;
            if (y < rcWork.top) {
                if (p.bRelayoutMode) {
                    // Neither below nor above: beside the control, in columns.
                    nFlags &= ~qorPopupDropDown;
                    if (p.excludeBeside)
                        rcExclude = p.excludeBeside();
                    y = rcWork.bottom - cy;
                    if (!(nFlags & qorPopupLeft))
                        x = rcExclude.right;
                } else if (rcExclude.CenterPoint().y < (rcWork.top + rcWork.bottom) / 2) {
                    // The larger side: below a control in the upper half, above one in the lower.
                    y = rcExclude.bottom;
                    cy = rcWork.bottom - rcExclude.bottom;
                    p.bScroll = TRUE;
                } else {
                    y = rcWork.top;
                    cy = rcExclude.top - rcWork.top;
                    p.bScroll = TRUE;
                }
            }
        } else {
            y = rcWork.bottom - cy;
        }
    }
    y = std::max(y, static_cast<int>(rcWork.top));
    if (y + cy > rcWork.bottom) {
        if (!p.bRelayoutMode) {
            cy = rcWork.bottom - y;
            p.bScroll = TRUE;
        } else if (p.relayout) {
            // Columns as tall as the work area: with scrolling switched off this is the only way
            // every control stays reachable.
            const CSize sz = p.relayout(rcWork.Height());
            cx = sz.cx;
            cy = sz.cy;
            if (y + cy > rcWork.bottom)
                y = std::max(static_cast<int>(rcWork.top), static_cast<int>(rcWork.bottom - cy));
        }
    }

    const BOOL bThinExclude = rcExclude.Width() == 0;
    if (nFlags == (qorPopupLeft | qorPopupDropDown) && !bThinExclude)
        x = rcExclude.right - cx;
    else if (nFlags & qorPopupLeft)
        x = bThinExclude ? x - cx : rcExclude.left - cx;

    if (x + cx > rcWork.right) {
        if (bThinExclude && rcWork.right < x) {
            x -= cx;
        } else if (bThinExclude) {
            x = rcWork.right - cx;
        } else {
            nFlags |= qorPopupLeft;
            x = ((nFlags & qorPopupDropDown) ? rcWork.right : rcExclude.left) - cx;
        }
        x = std::max(x, static_cast<int>(rcWork.left));
    }
    if (x < rcWork.left) {
        nFlags &= ~qorPopupLeft;
        if (bThinExclude) {
            x = rcWork.left;
        } else {
            x = (nFlags & qorPopupDropDown) ? rcWork.left : rcExclude.right;
            // No room on either side of a submenu's control: as much of it shows as the screen holds.
            if (x + cx > rcWork.right)
                x = std::max(static_cast<int>(rcWork.left), static_cast<int>(rcWork.right - cx));
        }
    }
    p.rcPopup = CRect(x, y, x + cx, y + cy);
}

// ---- The bar ------------------------------------------------------------------------------

void CQorPopupBar::GetMonitorAreas(const CRect& rcAnchor, CRect& rcWork, CRect& rcMonitor) const
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    const HMONITOR hMonitor = rcAnchor.IsRectEmpty() ? ::MonitorFromPoint(rcAnchor.TopLeft(), MONITOR_DEFAULTTONEAREST)
                                                     : ::MonitorFromRect(&rcAnchor, MONITOR_DEFAULTTONEAREST);
    if (hMonitor && ::GetMonitorInfoW(hMonitor, &info)) {
        rcWork = info.rcWork;
        rcMonitor = info.rcMonitor;
        return;
    }
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    rcMonitor = CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

void CQorPopupBar::AdjustExcludeRect(CRect& rc, BOOL bVertical)
{
    if (m_pParentControl)
        m_pParentControl->AdjustExcludeRect(rc, bVertical);
}

void CQorPopupBar::UpdateExcludeRect()
{
    CQorControlPopup* pControl = m_pParentControl;
    CQorCommandBar* pParent = pControl ? pControl->GetParent() : nullptr;
    if (!pParent)
        return;
    const int nPosition = pParent->GetPosition();
    const BOOL bFloatingPopup = nPosition == qorBarFloating && pParent->GetType() == qorBarTypePopup;
    const CQorPopupBar* pParentPopup = DYNAMIC_DOWNCAST(CQorPopupBar, pParent);
    m_nPopupFlags = QorPopupFlagsFromParent(pControl->GetFlags(), IsRightToLeft(), pParent->m_dwFlags, nPosition,
                                            bFloatingPopup, pParentPopup ? pParentPopup->m_nPopupFlags : 0);
    CRect rc = pControl->GetRect();
    if (pControl->GetType() == qorControlComboBox && !pParent->IsPopupBar()) {
        m_nPopupFlags |= qorPopupDropDown;
    } else {
        const BOOL bVertical =
            nPosition == qorBarLeft || nPosition == qorBarRight || nPosition == qorBarPopup || bFloatingPopup;
        AdjustExcludeRect(rc, bVertical);
    }
    if (pParent->GetSafeHwnd())
        pParent->ClientToScreen(&rc);
    m_rcExclude = rc;
    m_ptPopup = (m_nPopupFlags & qorPopupDropDown) ? CPoint(rc.left, rc.bottom) : CPoint(rc.right, rc.top);
}

CRect CQorPopupBar::CalcPopupRect(CSize sz)
{
    QorPopupPlacement placement;
    placement.size = sz;
    placement.ptPopup = m_ptPopup;
    placement.rcExclude = m_rcExclude;
    placement.nFlags = m_nPopupFlags;
    const CRect rcAnchor = m_rcExclude.IsRectEmpty() ? CRect(m_ptPopup, m_ptPopup) : m_rcExclude;
    GetMonitorAreas(rcAnchor, placement.rcWork, placement.rcMonitor);
    CQorCommandBars* pCommandBars = GetCommandBars();
    placement.bRelayoutMode = m_bScrollDisabled || (pCommandBars && pCommandBars->m_bPopupRelayoutMode);
    placement.relayout = [this](int nMaxHeight) { return CalcPopupLayout(nMaxHeight); };
    if (m_pParentControl && m_pParentControl->GetParent()) {
        placement.excludeBeside = [this]() {
            CRect rc = m_pParentControl->GetRect();
            AdjustExcludeRect(rc, TRUE);
            if (m_pParentControl->GetParent()->GetSafeHwnd())
                m_pParentControl->GetParent()->ClientToScreen(&rc);
            return rc;
        };
    }
    QorCalcPopupPlacement(placement);
    m_nPopupFlags = placement.nFlags;
    m_rcExclude = placement.rcExclude;
    m_bScrollMode = placement.bScroll && m_barType == qorBarTypePopup && m_barPosition == qorBarPopup;
    if (m_bScrollMode) {
        m_nFirstShown = 0;
        LayoutScrolled(placement.rcPopup.Height());
    }
    return placement.rcPopup;
}

void CQorPopupBar::MoveToPoint(CSize sz, BOOL bShow)
{
    const CRect rc = CalcPopupRect(sz);
    if (!m_hWnd)
        return;
    UINT nFlags = SWP_NOACTIVATE;
    if (bShow)
        nFlags |= SWP_SHOWWINDOW;
    SetWindowPos(&CWnd::wndTopMost, rc.left, rc.top, rc.Width(), rc.Height(), nFlags);
}

void CQorPopupBar::RepositionPopup(int cx, int cy)
{
    MoveToPoint(CSize(cx, cy), m_hWnd && IsWindowVisible());
}
