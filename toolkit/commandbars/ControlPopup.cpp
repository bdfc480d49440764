#include "toolkit/commandbars/ControlPopup.h"

#include <algorithm>
#include <vector>

#include "platform/framework/ThreadLocal.h"

#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/commandbars/PopupBar.h"
#include "toolkit/commandbars/Shadows.h"
#include "toolkit/foundation/CmdTargetReference.h"

IMPLEMENT_DYNCREATE(CQorControlPopup, CQorControlButton)

namespace {

using CReference = CQorCmdTargetReference;

// The parent bar's hover timer: a click on a split button's button part inside a popup stops
// it, so that the sub-popup does not open under the pointer before the release runs the command.
const UINT_PTR kHoverTimerId = 112223;

// The bars being cloned on a thread, outermost first: a bar met again inside itself is shared
// instead of cloned, so that a bar that contains itself does not clone for ever. Kept in the
// framework's per-thread holder, which frees it on threads of any origin.
class CBarsBeingCloned : public CNoTrackObject
{
public:
    std::vector<const CQorCommandBar*> bars;
};
CThreadLocal<CBarsBeingCloned> g_barsBeingCloned;

} // namespace

CQorControlPopup::CQorControlPopup()
    : m_pCommandBar(nullptr), m_bPopup(FALSE), m_bShadow(TRUE), m_bButtonPartHeld(FALSE)
{
    m_nType = qorControlPopup;
}

CQorControlPopup::~CQorControlPopup()
{
    SetCommandBar(nullptr);
}

void CQorControlPopup::SetCommandBar(CQorCommandBar* pBar)
{
    if (pBar == m_pCommandBar)
        return;
    if (m_pCommandBar)
        m_pCommandBar->InternalRelease();
    m_pCommandBar = pBar;
}

int CQorControlPopup::GetPressed() const
{
    return m_bButtonPartHeld && m_nPressed == pressedDown ? static_cast<int>(pressedButtonPart) : m_nPressed;
}

BOOL CQorControlPopup::IsDropDownOnly() const
{
    return GetEffectiveStyle() == qorButtonIconAndCaptionBelow;
}

CRect CQorControlPopup::GetButtonPartRect() const
{
    CQorPaintManager* pPaintManager = GetPaintManager();
    CRect rc = pPaintManager->GetSplitButtonRect(const_cast<CQorControlPopup*>(this));
    if (!rc.IsRectEmpty())
        return rc;
    // A look that draws no split button of its own: the drop-down part is the standard width.
    rc = m_rcControl;
    const BOOL bInPopup = m_pParent && m_pParent->IsPopupBar();
    rc.right -= bInPopup ? pPaintManager->m_nSplitButtonPopupWidth : pPaintManager->m_nSplitButtonDropDownWidth + 1;
    if (rc.right < rc.left)
        rc.right = rc.left;
    return rc;
}

BOOL CQorControlPopup::SetPopuped(BOOL bPopup)
{
    if (!m_pCommandBar)
        return FALSE;
    if (!bPopup) {
        // Closing always closes, with or without a parent window to redraw.
        const BOOL bWasOpen = m_bPopup;
        m_bPopup = FALSE;
        CReference self(this);
        m_pCommandBar->SetTrackingMode(0, TRUE, FALSE);
        if (bWasOpen)
            RedrawParent(FALSE);
        return TRUE;
    }
    if (m_nType == qorControlSplitButtonPopup && GetPressed() == pressedButtonPart)
        return FALSE;
    if (!m_pParent || !m_pParent->GetSafeHwnd())
        return FALSE;
    CReference self(this), bar(m_pCommandBar);
    m_bPopup = TRUE;
    // The control shows open before the popup appears over the bar.
    RedrawParent(FALSE);
    if (const HWND hWndSite = m_pParent->GetSite())
        ::UpdateWindow(hWndSite);
    m_pParent->UpdateWindow();
    if (m_pCommandBar->GetTrackingMode() != 0)
        return TRUE;
    const BOOL bKeyboard = m_nSelected == 2 || m_nSelected == 3;
    if (!m_pCommandBar->OpenPopup(this, bKeyboard)) {
        // Closed again, so that the next click tries to open it rather than to close it.
        m_bPopup = FALSE;
        RedrawParent(FALSE);
        return FALSE;
    }
    UpdateShadow();
    return TRUE;
}

void CQorControlPopup::OnClick(BOOL bKeyboard, CPoint point)
{
    if (!GetEnabled() || !m_pParent)
        return;
    CReference self(this);
    CQorCommandBar* pParent = m_pParent;
    const BOOL bCustomize = IsCustomizeMode();
    CQorCommandBars* pCommandBars = GetCommandBars();
    if (bCustomize && pCommandBars)
        pCommandBars->SetDragControl(this);

    if (m_bPopup && pParent->GetPosition() != qorBarPopup) {
        // A second click closes: the parent stops tracking, which closes its open popup.
        pParent->SetTrackingMode(0, TRUE, FALSE);
        if (m_bPopup && m_pParent == pParent)
            pParent->SetPopuped(-1);
        if (m_bPopup)
            SetPopuped(FALSE);
        return;
    }

    if (!bCustomize && m_nType == qorControlSplitButtonPopup && !IsDropDownOnly()) {
        if (bKeyboard) {
            OnExecute();
            return;
        }
        const CRect rcButton = GetButtonPartRect();
        if (rcButton.PtInRect(point)) {
            if (pParent->IsPopupBar()) {
                // The release runs the command.
                if (pParent->GetSafeHwnd())
                    pParent->KillTimer(kHoverTimerId);
                return;
            }
            m_bButtonPartHeld = TRUE;
            TrackButtonPress(rcButton);
            m_bButtonPartHeld = FALSE;
            return;
        }
    }

    if (bCustomize) {
        // Open, so that controls can be dragged out of the popup and into it, then drag this one.
        pParent->SetPopuped(m_nIndex, bKeyboard);
        if (m_pParent == pParent)
            OnCustomizeMouseDown(point);
        return;
    }
    pParent->SetPopuped(m_nIndex, bKeyboard);
}

void CQorControlPopup::OnLButtonUp(CPoint point)
{
    if (!m_pCommandBar) {
        CQorControlButton::OnLButtonUp(point);
        return;
    }
    if (m_nType != qorControlSplitButtonPopup || !GetEnabled() || !m_pParent || !m_pParent->IsPopupBar() ||
        IsDropDownOnly())
        return;
    if (GetButtonPartRect().PtInRect(point))
        OnExecute();
}

BOOL CQorControlPopup::OnLButtonDblClk(CPoint point)
{
    if (!m_pCommandBar || (m_nType != qorControlPopup && m_nType != qorControlButtonPopup) || !m_pParent)
        return CQorControlButton::OnLButtonDblClk(point);
    CReference self(this), bar(m_pCommandBar);
    if (!m_bPopup)
        m_pParent->SetPopuped(m_nIndex, FALSE);
    // The popup's default item, as a double click on a window's menu icon closes the window.
    const int nCount = m_pCommandBar->GetControlCount();
    for (int i = 0; i < nCount; i++) {
        CQorControl* pItem = m_pCommandBar->GetControl(i);
        if (pItem && pItem->m_bDefaultItem && pItem->IsVisible(qorHideMaskKeyboard)) {
            if (!pItem->GetEnabled())
                return FALSE;
            CReference item(pItem);
            pItem->OnExecute();
            return TRUE;
        }
    }
    // Without one, a menu that hides its rarely used controls shows them all.
    CQorPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CQorPopupBar, m_pCommandBar);
    if (pPopupBar && pPopupBar->IsExpandable() && !pPopupBar->IsExpanded()) {
        pPopupBar->ExpandBar();
        return TRUE;
    }
    return FALSE;
}

void CQorControlPopup::OnMouseMove(CPoint point)
{
    if (m_nType != qorControlSplitButtonPopup || !GetEnabled() || !m_pParent || m_pParent->IsPopupBar() ||
        m_nPressed == pressedNone)
        return;
    const int nPressed = GetButtonPartRect().PtInRect(point) ? pressedButtonPart : pressedArrowPart;
    if (nPressed != m_nPressed) {
        m_nPressed = nPressed;
        RedrawParent(FALSE);
    }
}

void CQorControlPopup::OnKeyboardActivate()
{
    if (m_pCommandBar && m_pParent)
        m_pParent->SetPopuped(m_nIndex, TRUE);
    else
        OnExecute();
}

void CQorControlPopup::ClosePopupOfBar()
{
    if (GetEnabled() && m_pCommandBar && m_pParent &&
        (m_pParent->GetTrackingMode() == 2 || m_pParent->GetPosition() == qorBarPopup)) {
        m_pParent->SetPopuped(m_nIndex, FALSE);
        return;
    }
    CQorControlButton::ClosePopupOfBar();
}

BOOL CQorControlPopup::SetSelected(int nSelected)
{
    if (!CQorControlButton::SetSelected(nSelected))
        return FALSE;
    if (!m_pCommandBar || !m_pParent)
        return TRUE;
    CQorCommandBar* pParent = m_pParent;
    const BOOL bKeyboard = nSelected == 2 || nSelected == 3;
    const BOOL bPopupParent = pParent->IsPopupBar();
    if ((m_nType == qorControlButtonPopup || m_nType == qorControlSplitButtonPopup) && !bPopupParent) {
        // Moving along a tool bar by the keyboard while a popup is open opens this one instead,
        // when the control was given a style of its own.
        if (bKeyboard && pParent->GetTrackingMode() == 2 && GetEnabled() && GetStyle() != qorButtonAutomatic)
            pParent->SetPopuped(m_nIndex, TRUE);
    } else if (m_nType == qorControlPopup || bPopupParent) {
        if (nSelected != 0 && GetEnabled() && pParent->GetTrackingMode() == 2 &&
            pParent->GetPosition() != qorBarPopup)
            pParent->SetPopuped(m_nIndex, bKeyboard);
        else if (nSelected == 0 && m_bPopup)
            pParent->SetPopuped(-1);
    }
    return TRUE;
}

void CQorControlPopup::OnCustomizeDragOver(CQorControl* pDataObject, CPoint point)
{
    const CQorControlPopup* pDragged = DYNAMIC_DOWNCAST(CQorControlPopup, pDataObject);
    if (!m_pCommandBar || !m_pParent || (pDragged && pDragged->IsPopupAncestor(this))) {
        // Nothing to drop into, or the dragged popup would end up inside itself.
        CQorControlButton::OnCustomizeDragOver(pDataObject, point);
        return;
    }
    // Open, so that the control can be dropped into the popup.
    if (!m_bPopup)
        m_pParent->SetPopuped(m_nIndex, FALSE);
}

BOOL CQorControlPopup::IsEqual(const CQorControl* pOther) const
{
    if (!CQorControlButton::IsEqual(pOther))
        return FALSE;
    const CQorControlPopup* pPopup = DYNAMIC_DOWNCAST(CQorControlPopup, const_cast<CQorControl*>(pOther));
    if (!pPopup)
        return FALSE;
    if (!m_pCommandBar || m_pCommandBar == pPopup->m_pCommandBar)
        return TRUE;
    return pPopup->m_pCommandBar && m_pCommandBar->GetControls()->IsEqual(pPopup->m_pCommandBar->GetControls());
}

void CQorControlPopup::Copy(const CQorControl* pSource, BOOL bRecursive)
{
    if (!pSource || pSource == this)
        return;
    CQorControlButton::Copy(pSource, bRecursive);
    const CQorControlPopup* pPopup = DYNAMIC_DOWNCAST(CQorControlPopup, const_cast<CQorControl*>(pSource));
    CQorCommandBar* pBar = pPopup ? pPopup->m_pCommandBar : nullptr;
    if (!pBar) {
        SetCommandBar(nullptr);
        return;
    }
    std::vector<const CQorCommandBar*>& cloning = g_barsBeingCloned->bars;
    if (bRecursive && std::find(cloning.begin(), cloning.end(), pBar) == cloning.end()) {
        cloning.push_back(pBar);
        CQorCommandBar* pClone = pBar->Clone(TRUE);
        cloning.pop_back();
        SetCommandBar(pClone);
    } else {
        pBar->InternalAddRef();
        SetCommandBar(pBar);
    }
}

void CQorControlPopup::AdjustExcludeRect(CRect& rc, BOOL bVertical)
{
    if (!m_pParent || m_nType == qorControlComboBox)
        return;
    if (m_pParent->IsPopupBar())
        rc.DeflateRect(1, 0);
    else if (bVertical)
        rc.InflateRect(0, 1);
    else
        rc.InflateRect(1, 0);
}

BOOL CQorControlPopup::IsPopupAncestor(const CQorControl* pOther) const
{
    std::vector<const CQorCommandBar*> visited;
    return IsPopupAncestor(pOther, visited);
}

BOOL CQorControlPopup::IsPopupAncestor(const CQorControl* pOther, std::vector<const CQorCommandBar*>& visited) const
{
    if (!pOther || !m_pCommandBar)
        return FALSE;
    // A bar met before answered already: shared bars and bars that contain themselves end here.
    if (std::find(visited.begin(), visited.end(), m_pCommandBar) != visited.end())
        return FALSE;
    visited.push_back(m_pCommandBar);
    if (pOther->GetParent() == m_pCommandBar || pOther->GetCommandBar() == m_pCommandBar)
        return TRUE;
    const int nCount = m_pCommandBar->GetControlCount();
    for (int i = 0; i < nCount; i++) {
        const CQorControlPopup* pChild = DYNAMIC_DOWNCAST(CQorControlPopup, m_pCommandBar->GetControl(i));
        if (pChild && pChild->IsPopupAncestor(pOther, visited))
            return TRUE;
    }
    return FALSE;
}

CQorCommandBar* CQorControlPopup::CreatePopupBar(CQorCommandBars* pCommandBars)
{
    return CQorPopupBar::CreatePopupBar(pCommandBars);
}

void CQorControlPopup::UpdateShadow()
{
    const CQorPopupBar* pBar = DYNAMIC_DOWNCAST(CQorPopupBar, m_pCommandBar);
    if (!pBar || !pBar->m_bShowShadow || !m_bShadow || !m_pParent)
        return;
    // Items of a popup lie inside their popup's own shadow.
    if (m_pParent->GetPosition() == qorBarPopup ||
        (m_pParent->IsPopupBar() && m_pParent->GetPosition() == qorBarFloating))
        return;
    GetShadowsManager()->SetControlShadow(this);
}

void CQorControlPopup::ExpandPopupBar()
{
    if (!m_bPopup || m_nType != qorControlPopup)
        return;
    if (CQorPopupBar* pBar = DYNAMIC_DOWNCAST(CQorPopupBar, m_pCommandBar))
        pBar->ExpandBar();
}
