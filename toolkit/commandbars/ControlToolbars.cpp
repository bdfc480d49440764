#include "toolkit/commandbars/ControlToolbars.h"

#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsResources.h"
#include "toolkit/commandbars/ControlSimple.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/ToolBar.h"
#include "toolkit/foundation/CmdTargetReference.h"

IMPLEMENT_DYNCREATE(CQorControlToolbars, CQorControlButton)
IMPLEMENT_DYNCREATE(CQorControlToolbar, CQorControlButton)

namespace {

BOOL IsBarShown(const CQorCommandBar* pBar)
{
    const HWND hWnd = pBar->GetSafeHwnd();
    return hWnd && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

BOOL IsEntryOf(const CQorControl* pControl)
{
    return pControl && pControl->m_bTemporary && pControl->m_strParameter == CQorControlToolbars::GetEntryParameter();
}

// The indexes of the bars the list shows, in the command bars' order.
void GetListedBars(CQorCommandBars* pCommandBars, CArray<int, int>& arrIndexes)
{
    for (int i = 0; pCommandBars && i < pCommandBars->GetCount(); i++) {
        if (IsToolBarListed(pCommandBars->GetToolBar(i)))
            arrIndexes.Add(i);
    }
}

BOOL IsCustomizeEntryWanted(CQorCommandBars* pCommandBars, BOOL bAddCustomize)
{
    return bAddCustomize && pCommandBars && pCommandBars->IsCustomizable();
}

void SetEntryState(CQorControlToolbar* pEntry, CQorCommandBar* pBar)
{
    const CString strCaption = FormatNumberedMenuCaption(pBar->GetTitle(), 0);
    if (pEntry->m_strCaption != strCaption)
        pEntry->SetCaption(strCaption);
    pEntry->SetChecked(IsBarShown(pBar) ? 1 : 0);
}

} // namespace

BOOL IsToolBarListed(const CQorCommandBar* pBar)
{
    const CQorToolBar* pToolBar = dynamic_cast<const CQorToolBar*>(pBar);
    return pToolBar && pToolBar->m_bListed && pToolBar->m_bSaved;
}

int FillToolbarsList(CQorCommandBar* pBar, int nIndex, int nId, BOOL bAddCustomize, BOOL bBeginGroup)
{
    CQorControls* pControls = pBar ? pBar->GetControls() : nullptr;
    CQorCommandBars* pCommandBars = pBar ? pBar->GetCommandBars() : nullptr;
    if (!pControls || !pCommandBars)
        return nIndex;
    BOOL bFirst = TRUE;
    for (int i = 0; i < pCommandBars->GetCount(); i++) {
        CQorCommandBar* pToolBar = pCommandBars->GetToolBar(i);
        if (!IsToolBarListed(pToolBar))
            continue;
        CQorControlToolbar* pEntry = new CQorControlToolbar;
        pEntry->m_nBarIndex = i;
        pEntry->m_pBarAtIndex = pToolBar;
        pControls->InsertControl(pEntry, nId, CQorControlToolbars::GetEntryParameter(), nIndex++, TRUE);
        SetEntryState(pEntry, pToolBar);
        if (bFirst && bBeginGroup)
            pEntry->SetBeginGroup(TRUE);
        bFirst = FALSE;
    }
    if (IsCustomizeEntryWanted(pCommandBars, bAddCustomize)) {
        CQorControl* pCustomize = pControls->InsertControl(new CQorControlButton, QOR_ID_CUSTOMIZE,
                                                           CQorControlToolbars::GetEntryParameter(), nIndex++, TRUE);
        pCustomize->SetBeginGroup(TRUE);
    }
    return nIndex;
}

// ---- The placeholder ---------------------------------------------------------------------------

CQorControlToolbars::CQorControlToolbars() = default;

BOOL CQorControlToolbars::IsCustomizeDragOverAvail(CQorCommandBar* pBar, CPoint, DROPEFFECT& dropEffect)
{
    if (pBar && pBar->IsPopupBar())
        return TRUE;
    dropEffect = 0;
    return FALSE;
}

BOOL CQorControlToolbars::RefreshEntries(const CArray<int, int>& arrIndexes, BOOL bWithCustomize)
{
    CQorCommandBars* pCommandBars = GetCommandBars();
    const int nEntries = static_cast<int>(arrIndexes.GetSize());
    const int nExpected = nEntries + (bWithCustomize ? 1 : 0);
    int nFollowing = 0;
    while (IsEntryOf(m_pControls->GetAt(m_nIndex + 1 + nFollowing)))
        nFollowing++;
    if (nFollowing != nExpected)
        return FALSE;
    for (int i = 0; i < nEntries; i++) {
        CQorControlToolbar* pEntry = dynamic_cast<CQorControlToolbar*>(m_pControls->GetAt(m_nIndex + 1 + i));
        CQorCommandBar* pToolBar = pCommandBars->GetToolBar(arrIndexes[i]);
        if (!pEntry || pEntry->m_nBarIndex != arrIndexes[i] || pEntry->m_pBarAtIndex != pToolBar)
            return FALSE;
    }
    if (bWithCustomize && m_pControls->GetAt(m_nIndex + 1 + nEntries)->GetID() != QOR_ID_CUSTOMIZE)
        return FALSE;
    for (int i = 0; i < nEntries; i++) {
        SetEntryState(static_cast<CQorControlToolbar*>(m_pControls->GetAt(m_nIndex + 1 + i)),
                      pCommandBars->GetToolBar(arrIndexes[i]));
    }
    return TRUE;
}

void CQorControlToolbars::OnCalcDynamicSize(DWORD)
{
    if (!m_pControls || m_pControls->GetAt(m_nIndex) != this)
        return;
    CQorCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars && pCommandBars->IsCustomizeMode()) {
        while (IsEntryOf(m_pControls->GetAt(m_nIndex + 1)))
            m_pControls->Remove(m_nIndex + 1);
        SetHideFlags(0);
        return;
    }
    SetHideFlag(qorHideGeneric, TRUE);
    CArray<int, int> arrIndexes;
    GetListedBars(pCommandBars, arrIndexes);
    const BOOL bWithCustomize = IsCustomizeEntryWanted(pCommandBars, TRUE);
    // An unchanged list keeps its controls: inserting anew would renumber the bar, flag it for
    // another layout and drop its keyboard selection on every pass.
    if (RefreshEntries(arrIndexes, bWithCustomize))
        return;
    CQorCmdTargetReference self(this);
    while (IsEntryOf(m_pControls->GetAt(m_nIndex + 1)))
        m_pControls->Remove(m_nIndex + 1);
    if (m_pParent)
        FillToolbarsList(m_pParent, m_nIndex + 1, GetID(), TRUE, GetBeginGroup());
}

// ---- One entry ----------------------------------------------------------------------------------

CQorControlToolbar::CQorControlToolbar()
{
    // Its state is the bar's visibility, not a command's.
    m_nFlags = qorFlagNoCommandUI;
}

void CQorControlToolbar::Copy(const CQorControl* pSource, BOOL bRecursive)
{
    CQorControlButton::Copy(pSource, bRecursive);
    if (const CQorControlToolbar* pEntry = dynamic_cast<const CQorControlToolbar*>(pSource)) {
        m_nBarIndex = pEntry->m_nBarIndex;
        m_pBarAtIndex = pEntry->m_pBarAtIndex;
    }
}

void CQorControlToolbar::OnExecute()
{
    CQorCmdTargetReference self(this);
    CQorCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return;
    CQorCmdTargetReference commandBars(pCommandBars);
    pCommandBars->ClosePopups();
    // The list may have changed since the entry was made (a bar removed): an index that no longer
    // names the same bar toggles nothing.
    CQorCommandBar* pBar = pCommandBars->GetToolBar(m_nBarIndex);
    if (!pBar || pBar != m_pBarAtIndex)
        return;
    pCommandBars->ToggleToolBarVisible(m_nBarIndex);
}
