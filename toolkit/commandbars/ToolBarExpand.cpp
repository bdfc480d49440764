// The tool bar's popups: the expand button's list of what the row hides, "Add or Remove Buttons"
// with one check entry per control and "Reset Toolbar", and the tool-bars context menu on a
// right click.
#include "toolkit/commandbars/ToolBar.h"

#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsOptions.h"
#include "toolkit/commandbars/CommandBarsResources.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/MouseManager.h"
#include "toolkit/foundation/CmdTargetReference.h"

namespace {

using CReference = CQorCmdTargetReference;

// The hide bits that keep a control out of the "Add or Remove Buttons" list: hidden by its owner,
// by another document template or another tab.
const int kNotListedHideFlags = qorHideGeneric | qorHideDocTemplate | qorHideRibbonTab;

void CloseAllPopups(CQorCommandBars* pCommandBars)
{
    if (pCommandBars)
        pCommandBars->ClosePopups();
    else if (CQorMouseManager* pMouseManager = FindMouseManager())
        pMouseManager->CloseTrackedPopups();
}

} // namespace

// ---- The expand button --------------------------------------------------------------------------

BOOL CQorToolBar::CControlButtonExpand::SetPopuped(BOOL bPopup)
{
    CQorToolBar* pBar = DYNAMIC_DOWNCAST(CQorToolBar, GetParent());
    if (bPopup && pBar) {
        CReference self(this), bar(pBar);
        if (!m_pCommandBar) {
            QOR_POPUPBAR_CREATE_REQUEST request = {};
            request.bPopup = TRUE;
            request.bExpandBar = TRUE;
            request.nId = QOR_ID_TOOLBAR_EXPAND;
            const HWND hWndSite = pBar->GetSite();
            if (hWndSite)
                ::SendMessageW(hWndSite, QORWM_POPUPBARCREATEREQUEST, 0, reinterpret_cast<LPARAM>(&request));
            SetCommandBar(request.pCommandBar ? request.pCommandBar : CreatePopupBar(pBar->GetCommandBars()));
        }
        if (m_pCommandBar->GetTrackingMode() == 0)
            pBar->FillExpandPopup(m_pCommandBar);
    }
    return CQorControlPopup::SetPopuped(bPopup);
}

void CQorToolBar::FillExpandPopup(CQorCommandBar* pPopup)
{
    if (!pPopup)
        return;
    CQorControls* pControls = pPopup->GetControls();
    pControls->RemoveAll();
    CQorCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars)
        pCommandBars->AddRowToolBarsToPopup(this, pPopup);
    else
        CopyHiddenControls(this, pPopup);
    const BOOL bAddOrRemove = pCommandBars && (pCommandBars->GetCommandBarsOptions()->m_bShowExpandButtonAlways ||
                                               pCommandBars->IsCustomizable());
    if (!bAddOrRemove)
        return;
    const BOOL bBeginGroup = pControls->GetCount() > 1;
    CQorControl* pEntry = pControls->Add(qorControlPopup, QOR_IDS_ADDORREMOVE);
    if (!pEntry)
        return;
    pEntry->SetBeginGroup(bBeginGroup);
    if (CQorCommandBar* pSubPopup = pEntry->GetCommandBar()) {
        pSubPopup->GetControls()->RemoveAll();
        pCommandBars->AddToolBarsToExpandPopup(this, pSubPopup);
    }
}

void CQorToolBar::CopyHiddenControls(const CQorCommandBar* pBar, CQorCommandBar* pPopup)
{
    CQorControls* pControls = pPopup->GetControls();
    for (int i = 0; i < pBar->GetControlCount(); i++) {
        CQorControl* pControl = pBar->GetControl(i);
        if (pControl->GetID() == QOR_ID_TOOLBAR_EXPAND || !(pControl->GetHideFlags() & qorHideWrap) ||
            !pControl->IsVisible(qorHideWrap))
            continue;
        CQorControl* pCopy = pControls->AddCopy(pControl);
        pCopy->SetHideFlags(0);
        pCopy->SetBeginGroup(FALSE);
    }
}

// ---- "Add or Remove Buttons" -----------------------------------------------------------------------

void CQorToolBar::FillCustomizePopup(CQorCommandBar* pPopup)
{
    if (!pPopup)
        return;
    CQorControls* pControls = pPopup->GetControls();
    for (int i = 0; i < GetControlCount(); i++) {
        CQorControl* pControl = GetControl(i);
        const int nId = pControl->GetID();
        if (nId == QOR_ID_TOOLBAR_EXPAND || nId == QOR_ID_TOOLBAR_HIDE || pControl->m_bTemporary)
            continue;
        if ((pControl->GetAction() && !pControl->GetAction()->IsVisible()) ||
            (pControl->GetHideFlags() & kNotListedHideFlags) || (pControl->GetFlags() & qorFlagNoMovable))
            continue;
        CControlButtonCustomize* pEntry = new CControlButtonCustomize;
        pControls->InsertControl(pEntry, nId);
        pEntry->SetTarget(pControl);
    }
    if (m_pControls->GetOriginalControls() && m_bListed && !m_bCreatedFloating) {
        CControlButtonReset* pReset = new CControlButtonReset;
        pControls->InsertControl(pReset, QOR_IDS_RESET_TOOLBAR);
        pReset->SetToolBar(this);
        pReset->SetBeginGroup(TRUE);
    }
}

CQorToolBar::CControlButtonCustomize::CControlButtonCustomize()
{
    // The check is the control's visibility, not a command's state; the list stays open while
    // the user picks.
    m_nFlags = qorFlagNoCommandUI | qorFlagNoMovable;
    m_bCloseSubMenuOnClick = FALSE;
}

CQorToolBar::CControlButtonCustomize::~CControlButtonCustomize()
{
    SetTarget(nullptr);
}

void CQorToolBar::CControlButtonCustomize::SetTarget(CQorControl* pTarget)
{
    if (pTarget)
        pTarget->InternalAddRef();
    if (m_pTarget)
        m_pTarget->InternalRelease();
    m_pTarget = pTarget;
    if (!pTarget)
        return;
    SetCaption(pTarget->GetCaption());
    m_nCustomIconId = pTarget->GetIconId();
    SetChecked((pTarget->GetHideFlags() & qorHideCustomize) ? 0 : 1);
}

void CQorToolBar::CControlButtonCustomize::OnExecute()
{
    if (!m_pTarget)
        return;
    CReference self(this), target(m_pTarget);
    const BOOL bShow = (m_pTarget->GetHideFlags() & qorHideCustomize) != 0;
    m_pTarget->SetHideFlag(qorHideCustomize, !bShow);
    SetChecked(bShow ? 1 : 0);
    RedrawParent(FALSE);
    if (CQorCommandBar* pBar = m_pTarget->GetParent()) {
        CReference bar(pBar);
        pBar->DelayLayout();
        pBar->OnRecalcLayout();
        pBar->Redraw(nullptr, FALSE);
    }
    if (CQorCommandBars* pCommandBars = m_pTarget->GetCommandBars())
        pCommandBars->GetCommandBarsOptions()->m_bDirty = TRUE;
}

// ---- "Reset Toolbar" --------------------------------------------------------------------------------

CQorToolBar::CControlButtonReset::CControlButtonReset()
{
    m_nFlags = qorFlagNoCommandUI | qorFlagNoMovable;
}

void CQorToolBar::CControlButtonReset::OnExecute()
{
    CQorCommandBars* pCommandBars = GetCommandBars();
    if (!m_pToolBar || (pCommandBars && pCommandBars->GetToolBarIndex(m_pToolBar) < 0))
        return;
    CReference self(this), bar(m_pToolBar);
    CQorToolBar* pToolBar = m_pToolBar;
    // The question must not stand over open menus.
    CloseAllPopups(pToolBar->GetCommandBars());
    pToolBar->ResetToolBar(TRUE);
}

// ---- Right click ------------------------------------------------------------------------------------

void CQorToolBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    CQorCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars) {
        CQorCommandBar::OnRButtonDown(nFlags, point);
        return;
    }
    // Customizing has a menu of its own for the control under the pointer.
    if (pCommandBars->IsCustomizeMode())
        return;
    CReference self(this), commandBars(pCommandBars);
    SetTrackingMode(0);
    SetSelected(-1);
    Redraw(nullptr, FALSE);
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    pCommandBars->ShowToolBarsContextMenu(ptScreen);
}
