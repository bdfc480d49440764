// The bar under the mouse: the hot control follows the pointer, the hover delay opens or closes
// popups, and clicks go to the control under the pointer.
#include "toolkit/commandbars/CommandBar.h"

#include "toolkit/commandbars/CommandBarAnimation.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsOptions.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/MouseManager.h"
#include "toolkit/foundation/CmdTargetReference.h"

namespace {

using CReference = CQorCmdTargetReference;

// The window a bar belongs to is the one the user works in: the last active popup of its top
// owner is the foreground window.
BOOL IsOwnerChainForeground(HWND hWnd)
{
    const HWND hWndTop = ::GetAncestor(hWnd, GA_ROOTOWNER);
    return hWndTop && ::GetLastActivePopup(hWndTop) == ::GetForegroundWindow();
}

} // namespace

void CQorCommandBar::OnMouseMove(UINT, CPoint point)
{
    TrackHotControl(point);
}

void CQorCommandBar::TrackHotControl(CPoint point)
{
    if (!m_hWnd)
        return;
    CQorCommandBars* pCommandBars = GetCommandBars();
    CQorMouseManager* pMouseManager = GetMouseManager();
    // While bars track, only the bars of the chain follow the mouse, and not while a nested
    // loop runs above them.
    if (!pMouseManager->GetTrackArray().IsEmpty() &&
        (m_nModalLockCount >= 1 || pMouseManager->FindTrackedBar(this) < 0))
        return;
    const BOOL bActive = m_nMode != 0 || IsOwnerChainForeground(m_hWnd);
    if (!bActive && m_barPosition != qorBarPopup)
        return;
    if (pMouseManager->IsMouseLocked() && !m_bIgnoreMouseLock)
        return;
    if (pCommandBars && pCommandBars->IsCustomizeMode()) {
        CQorControl* pDragControl = pCommandBars->GetDragControl();
        if (pDragControl && pDragControl->GetParent() == this)
            pDragControl->SetCustomizeCursor(point);
        return;
    }
    if (m_nPopuped != -1 && !m_bPopupOnHover)
        return;
    // A tracking bar keeps its hot control over empty space (a separator) unless it is a popup
    // followed by the mouse alone.
    const BOOL bKeepHot =
        m_nMode != 0 && (m_barPosition != qorBarPopup || m_nPopuped != -1 || m_nKeyboardSelection != 0);
    int nHot = bKeepHot ? m_nSelected : -1;
    if (CQorControl* pControl = m_pControls->HitTest(point)) {
        nHot = pControl->GetIndex();
        pMouseManager->TrackMouseLeave(m_hWnd);
        pControl->OnMouseMove(point);
    }
    SetSelected(nHot, 0);
}

void CQorCommandBar::OnMouseLeave()
{
    CQorMouseManager* pMouseManager = GetMouseManager();
    if (pMouseManager->IsOtherBarTracking(this))
        return;
    if (m_nMode == 0 || (m_barPosition == qorBarPopup && m_nPopuped == -1))
        SetSelected(-1, 0);
}

void CQorCommandBar::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    OnMouseLeave();
    CWnd::OnNcMouseMove(nHitTest, point);
}

void CQorCommandBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    CQorControl* pControl = m_pControls->HitTest(point);
    // A click in a popup tool bar beside its open popup closes that popup.
    if (m_nPopuped != -1 && m_barPosition == qorBarPopup && m_barType == qorBarTypeToolBar &&
        (!pControl || pControl->GetIndex() != m_nPopuped)) {
        if (m_nSelected == m_nPopuped)
            SetSelected(-1, 0);
        SetPopuped(-1);
    }
    if (!pControl) {
        CWnd::OnLButtonDown(nFlags, point);
        return;
    }
    CQorCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars && pCommandBars->IsCustomizeMode() && (pControl->GetFlags() & qorFlagNoMovable))
        return;
    CReference self(this), control(pControl);
    if (IsAltDragCustomization(pControl)) {
        // Alt+drag moves a tool-bar button without opening the customize dialog: customize mode
        // lasts as long as the drag.
        pCommandBars->SetCustomizeMode(TRUE);
        SetPopuped(-1);
        SetSelected(-1, 0);
        pControl->OnCustomizeMouseDown(point);
        pCommandBars->SetCustomizeMode(FALSE);
        pCommandBars->SetDragControl(nullptr);
        SetPopuped(-1);
        return;
    }
    pControl->OnClick(FALSE, point);
}

BOOL CQorCommandBar::IsAltDragCustomization(CQorControl* pControl) const
{
    CQorCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars && !pCommandBars->IsCustomizeMode() && !(pControl->GetFlags() & qorFlagNoMovable) &&
           m_barType == qorBarTypeToolBar && m_barPosition != qorBarPopup && ::GetKeyState(VK_MENU) < 0 &&
           pCommandBars->IsAltDragCustomizationAllowed();
}

void CQorCommandBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CQorCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars && pCommandBars->IsCustomizeMode())
        return;
    if (CQorControl* pControl = m_pControls->HitTest(point)) {
        CReference self(this), control(pControl);
        pControl->OnLButtonDblClk(point);
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

void CQorCommandBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    CQorCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars && pCommandBars->IsCustomizeMode())
        return;
    if (CQorControl* pControl = m_pControls->HitTest(point)) {
        CReference self(this), control(pControl);
        pControl->OnLButtonUp(point);
        return;
    }
    CWnd::OnLButtonUp(nFlags, point);
}

void CQorCommandBar::OnRButtonUp(UINT, CPoint point)
{
    CQorCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars && pCommandBars->IsCustomizeMode())
        return;
    CReference self(this);
    if (CQorControl* pControl = m_pControls->HitTest(point)) {
        CReference control(pControl);
        // The site may take the release first (its own context menu for the control).
        const HWND hWndSite = GetSite();
        if (hWndSite && ::SendMessageW(hWndSite, QORWM_CONTROLRBUTTONUP, reinterpret_cast<WPARAM>(&point),
                                       reinterpret_cast<LPARAM>(pControl)) == 1)
            return;
        // In a menu opened by the right button, that button chooses as the left one does.
        const CQorCommandBar* pTopBar = GetTopLevelCommandBar();
        if (pTopBar && pTopBar->m_bRightButtonPopup) {
            pControl->OnLButtonUp(point);
            return;
        }
    }
    CQorCommandBar* pTopBar = GetTopLevelCommandBar();
    if (pTopBar && pTopBar != this)
        pTopBar->OnRButtonUpOutside(this, point);
}

void CQorCommandBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == CQorCommandBarAnimation::kTimerId) {
        m_pAnimation->OnAnimationTimer();
        return;
    }
    if (nIDEvent == kHoverTimerId) {
        OnHoverTimer();
        return;
    }
    if (nIDEvent == kShowFullTimerId) {
        OnShowFullTimer();
        return;
    }
    CWnd::OnTimer(nIDEvent);
}

void CQorCommandBar::OnHoverTimer()
{
    ::KillTimer(m_hWnd, kHoverTimerId);
    if (m_nModalLockCount > 0)
        return;
    if (CQorControl* pControl = GetControl(m_nSelected)) {
        CReference self(this), control(pControl);
        pControl->ClosePopupOfBar();
    }
}

void CQorCommandBar::OnShowFullTimer()
{
    ::KillTimer(m_hWnd, kShowFullTimerId);
    if (m_nModalLockCount > 0 || m_nPopuped == -1 || m_nPopuped != m_nSelected)
        return;
    // Only while the pointer still rests on the control whose menu is open.
    CQorControlPopup* pControl = DYNAMIC_DOWNCAST(CQorControlPopup, GetControl(m_nPopuped));
    if (!pControl || !pControl->IsCursorOver())
        return;
    CReference self(this), control(pControl);
    pControl->ExpandPopupBar();
}
