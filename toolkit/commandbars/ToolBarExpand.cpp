// The tool bar's popups: the expand button's list of what the row hides, "Add or Remove Buttons"
// with one check entry per control and "Reset Toolbar", and the tool-bars context menu on a
// right click.
#include "toolkit/commandbars/ToolBar.h"

#include <algorithm>
#include <vector>

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
        if (!pCopy)
            continue;
        pCopy->SetHideFlags(0);
        pCopy->SetBeginGroup(FALSE);
    }
}

// ---- "Add or Remove Buttons" -----------------------------------------------------------------------

namespace {

// The control of the bar that stands for a control of its default set: the first of the same id
// and type not taken by an earlier one.
CQorControl* FindCurrentControl(const CQorControls* pControls, const CQorControl* pDefault, std::vector<BOOL>& taken)
{
    for (int i = 0; i < pControls->GetCount(); i++) {
        CQorControl* pControl = pControls->GetAt(i);
        if (!taken[i] && pControl->GetID() == pDefault->GetID() && pControl->GetType() == pDefault->GetType()) {
            taken[i] = TRUE;
            return pControl;
        }
    }
    return nullptr;
}

} // namespace

void CQorToolBar::FillCustomizePopup(CQorCommandBar* pPopup)
{
    if (!pPopup)
        return;
    CQorControls* pControls = pPopup->GetControls();
    // The default set lists what the bar came with, so that a control dragged off comes back.
    CQorControls* pDefaults = m_pControls->GetOriginalControls();
    const CQorControls* pListed = pDefaults ? pDefaults : m_pControls;
    std::vector<BOOL> taken(static_cast<size_t>(GetControlCount()), FALSE);
    for (int i = 0; i < pListed->GetCount(); i++) {
        CQorControl* pListedControl = pListed->GetAt(i);
        const int nId = pListedControl->GetID();
        if (nId == QOR_ID_TOOLBAR_EXPAND || nId == QOR_ID_TOOLBAR_HIDE || pListedControl->m_bTemporary)
            continue;
        CQorControl* pTarget = pDefaults ? FindCurrentControl(m_pControls, pListedControl, taken) : pListedControl;
        const CQorControl* pShown = pTarget ? pTarget : pListedControl;
        if ((pShown->GetAction() && !pShown->GetAction()->IsVisible()) ||
            (pShown->GetHideFlags() & kNotListedHideFlags) || (pShown->GetFlags() & qorFlagNoMovable))
            continue;
        CControlButtonCustomize* pEntry = new CControlButtonCustomize;
        pControls->InsertControl(pEntry, nId);
        if (pDefaults)
            pEntry->SetDefault(pListedControl, i, this);
        pEntry->SetTarget(pTarget);
    }
    if (pDefaults && m_bListed && !m_bCreatedFloating) {
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
    SetDefault(nullptr, 0, nullptr);
}

void CQorToolBar::CControlButtonCustomize::SetDefault(CQorControl* pDefault, int nDefaultIndex, CQorToolBar* pToolBar)
{
    QorReplaceHeldReference(m_pDefault, pDefault);
    m_nDefaultIndex = nDefaultIndex;
    m_pToolBar = pToolBar;
    if (pDefault && !m_pTarget) {
        SetCaption(pDefault->GetCaption());
        m_nCustomIconId = pDefault->GetIconId();
        SetChecked(0);
    }
}

void CQorToolBar::CControlButtonCustomize::SetTarget(CQorControl* pTarget)
{
    QorReplaceHeldReference(m_pTarget, pTarget);
    if (!pTarget) {
        SetChecked(0);
        return;
    }
    SetCaption(pTarget->GetCaption());
    m_nCustomIconId = pTarget->GetIconId();
    SetChecked((pTarget->GetHideFlags() & qorHideCustomize) ? 0 : 1);
}

void CQorToolBar::CControlButtonCustomize::RestoreDefault()
{
    CQorCommandBars* pCommandBars = m_pToolBar ? m_pToolBar->GetCommandBars() : nullptr;
    if (!m_pDefault || !m_pToolBar || (pCommandBars && pCommandBars->GetToolBarIndex(m_pToolBar) < 0))
        return;
    CQorControls* pBarControls = m_pToolBar->GetControls();
    // At its default place, but never after the bar's own buttons at the end of the row.
    int nBefore = std::min(m_nDefaultIndex, pBarControls->GetCount());
    for (int i = 0; i < nBefore; i++) {
        const int nId = pBarControls->GetAt(i)->GetID();
        if (nId == QOR_ID_TOOLBAR_EXPAND || nId == QOR_ID_TOOLBAR_HIDE) {
            nBefore = i;
            break;
        }
    }
    CQorControl* pCopy = pBarControls->AddCopy(m_pDefault, nBefore);
    if (!pCopy)
        return;
    pCopy->SetHideFlag(qorHideCustomize, FALSE);
    SetTarget(pCopy);
}

void CQorToolBar::CControlButtonCustomize::OnExecute()
{
    CReference self(this);
    if (!m_pTarget) {
        // Gone from the bar: it comes back, shown.
        RestoreDefault();
        if (!m_pTarget)
            return;
    } else {
        const BOOL bShow = (m_pTarget->GetHideFlags() & qorHideCustomize) != 0;
        m_pTarget->SetHideFlag(qorHideCustomize, !bShow);
        SetChecked(bShow ? 1 : 0);
    }
    CQorControl* pTarget = m_pTarget;
    CReference target(pTarget);
    RedrawParent(FALSE);
    if (CQorCommandBar* pBar = pTarget->GetParent()) {
        CReference bar(pBar);
        pBar->DelayLayout();
        pBar->OnRecalcLayout();
        pBar->Redraw(nullptr, FALSE);
    }
    if (CQorCommandBars* pCommandBars = pTarget->GetCommandBars())
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
    if (CQorControl* pControl = m_pControls->HitTest(point)) {
        CReference self(this), control(pControl);
        if (pControl->OnRButtonDown(point))
            return;
    }
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
