// The docked layout of a tool bar: its controls in the length of the edge, the expand button
// at the end of the row with the sign for hidden controls, and the strip the bar takes when it
// stands directly in a frame.
#include "toolkit/commandbars/ToolBar.h"

#include <algorithm>

#include "platform/framework/ControlBar.h"
#include "platform/framework/Wnd.h"

#include "toolkit/commandbars/BarLayoutPass.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsOptions.h"
#include "toolkit/commandbars/CommandBarsResources.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/PaintManager.h"

CQorToolBar::CControlButtonExpand::CControlButtonExpand()
{
    m_nType = qorControlButtonPopup;
    // The bar's own button: no command routing enables it, and customizing never moves it. Its
    // popup hangs left from the chevron, which stands at the bar's far end.
    SetFlags(qorFlagLeftPopup | qorFlagNoCommandUI | qorFlagNoMovable);
}

void CQorToolBar::CControlButtonExpand::Draw(CDC* pDC)
{
    CQorToolBar* pBar = DYNAMIC_DOWNCAST(CQorToolBar, GetParent());
    CQorPaintManager* pPaintManager = pBar ? pBar->GetPaintManager() : GetGlobalPaintManager();
    pPaintManager->DrawExpandButton(pDC, this, pBar && pBar->HasHiddenControls());
}

CQorControl* CQorToolBar::GetExpandButton()
{
    if (CQorControl* pControl = m_pControls->FindControl(QOR_ID_TOOLBAR_EXPAND))
        return pControl;
    // Temporary: never part of the default set, of copies or of the comparison with them.
    return m_pControls->InsertControl(new CControlButtonExpand, QOR_ID_TOOLBAR_EXPAND, nullptr, -1, TRUE);
}

BOOL CQorToolBar::HasHiddenControls() const
{
    for (int i = 0; i < GetControlCount(); i++) {
        CQorControl* pControl = GetControl(i);
        if (pControl->GetID() != QOR_ID_TOOLBAR_EXPAND && (pControl->GetHideFlags() & qorHideWrap))
            return TRUE;
    }
    return FALSE;
}

CSize CQorToolBar::CalcDockingLayout(int nLength, DWORD dwMode, int nWidth)
{
    // The probe and the layout below measure each control once.
    CQorBarLayoutPass pass;
    CDC* pDC = pass.GetMeasureDC(GetPaintManager()->GetControlFont(nullptr));

    const BOOL bVertical = (dwMode & LM_VERTDOCK) != 0;
    const CRect rcBorders = GetBorders();
    // The row layout leaves the expand button alone; it takes the end of the bar afterwards.
    CQorControl* pExpand = m_bShowExpandButton ? GetExpandButton() : m_pControls->FindControl(QOR_ID_TOOLBAR_EXPAND);
    // A measuring pass leaves the button as the last placing pass left it.
    const int nExpandHideFlags = pExpand ? pExpand->GetHideFlags() : 0;
    if (pExpand)
        pExpand->SetHideFlag(qorHideGeneric, TRUE);
    if (CQorControl* pHide = m_pControls->FindControl(QOR_ID_TOOLBAR_HIDE))
        pHide->SetHideFlag(qorHideGeneric, TRUE);

    BOOL bExpand = FALSE;
    if (m_bShowExpandButton && pExpand) {
        CQorCommandBars* pCommandBars = GetCommandBars();
        bExpand = !pCommandBars || pCommandBars->GetCommandBarsOptions()->m_bShowExpandButtonAlways;
        if (!bExpand) {
            // Only when the full length does not hold every control.
            DWORD dwProbe = dwMode & ~(LM_COMMIT | LM_STRETCH);
            m_pControls->CalcDynamicSize(pDC, nLength, dwProbe, rcBorders, nWidth);
            bExpand = (dwProbe & LM_STRETCH) && (dwMode & LM_HIDEWRAP);
        }
    }
    CRect rcLayoutBorders = rcBorders;
    if (bExpand) {
        if (bVertical)
            rcLayoutBorders.bottom += kExpandButtonLength;
        else
            rcLayoutBorders.right += kExpandButtonLength;
    }
    DWORD dwLayout = dwMode;
    const CSize sz = m_pControls->CalcDynamicSize(pDC, nLength, dwLayout, rcLayoutBorders, nWidth);
    if (bExpand && (dwMode & LM_COMMIT)) {
        CRect rcExpand = bVertical ? CRect(rcBorders.left, sz.cy - rcLayoutBorders.bottom, sz.cx - rcBorders.right,
                                           sz.cy - rcBorders.bottom)
                                   : CRect(sz.cx - rcLayoutBorders.right, rcBorders.top, sz.cx - rcBorders.right,
                                           sz.cy - rcBorders.bottom);
        pExpand->SetRect(rcExpand);
        pExpand->SetHideFlag(qorHideGeneric, FALSE);
    } else if (pExpand && !(dwMode & LM_COMMIT)) {
        pExpand->SetHideFlags(nExpandHideFlags);
    }
    return sz;
}

LRESULT CQorToolBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!pLayout || !(GetStyle() & WS_VISIBLE) || !IsDocked())
        return 0;
    const BOOL bVertical = IsVerticalDocked();
    CRect rcFree(pLayout->rect);
    DWORD dwMode = bVertical ? LM_VERTDOCK : (LM_HORZ | LM_HORZDOCK);
    if (pLayout->hDWP)
        dwMode |= LM_COMMIT;
    if (m_dwFlags & flagStretched)
        dwMode |= LM_STRETCH;
    if (m_dwFlags & flagHideWrap)
        dwMode |= LM_HIDEWRAP;
    CSize sz = CalcDockingLayout(bVertical ? rcFree.Height() : rcFree.Width(), dwMode);
    sz.cx = std::min<LONG>(sz.cx, std::max<LONG>(rcFree.Width(), 0));
    sz.cy = std::min<LONG>(sz.cy, std::max<LONG>(rcFree.Height(), 0));

    CRect rcBar;
    switch (m_barPosition) {
    case qorBarBottom:
        rcBar = CRect(rcFree.left, rcFree.bottom - sz.cy, rcFree.left + sz.cx, rcFree.bottom);
        pLayout->rect.bottom -= sz.cy;
        break;
    case qorBarLeft:
        rcBar = CRect(rcFree.left, rcFree.top, rcFree.left + sz.cx, rcFree.top + sz.cy);
        pLayout->rect.left += sz.cx;
        break;
    case qorBarRight:
        rcBar = CRect(rcFree.right - sz.cx, rcFree.top, rcFree.right, rcFree.top + sz.cy);
        pLayout->rect.right -= sz.cx;
        break;
    default:
        rcBar = CRect(rcFree.left, rcFree.top, rcFree.left + sz.cx, rcFree.top + sz.cy);
        pLayout->rect.top += sz.cy;
        break;
    }
    if (bVertical) {
        pLayout->sizeTotal.cx += sz.cx;
        pLayout->sizeTotal.cy = std::max<LONG>(pLayout->sizeTotal.cy, sz.cy);
    } else {
        pLayout->sizeTotal.cy += sz.cy;
        pLayout->sizeTotal.cx = std::max<LONG>(pLayout->sizeTotal.cx, sz.cx);
    }
    if (pLayout->hDWP) {
        AfxRepositionWindow(pLayout, m_hWnd, &rcBar);
        Invalidate(FALSE);
        Redraw(nullptr, FALSE);
    }
    return 0;
}
