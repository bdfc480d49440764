// The manager's popups of the tool bars: the tool-bars context menu, the expand popups' lists, and
// the tool bars as bands of the site's rebar.
#include "toolkit/commandbars/CommandBars.h"

#include <commctrl.h>

#include <vector>

#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarList.h"
#include "toolkit/commandbars/CommandBarsOptions.h"
#include "toolkit/commandbars/CommandBarsResources.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/ControlToolbars.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/DockBar.h"
#include "toolkit/commandbars/ReBarBands.h"
#include "toolkit/commandbars/ToolBar.h"

namespace {

// The bars of the tool bar's dock row in the order they stand; the bar alone when it is not in
// a dock bar.
std::vector<CQorCommandBar*> GetRowBars(CQorToolBar* pToolBar)
{
    std::vector<CQorCommandBar*> bars;
    CQorDockBar* pDockBar = nullptr;
    if (pToolBar->GetSafeHwnd())
        pDockBar = dynamic_cast<CQorDockBar*>(CWnd::FromHandlePermanent(::GetParent(pToolBar->GetSafeHwnd())));
    const int nIndex = pDockBar ? pDockBar->FindBar(pToolBar) : -1;
    if (nIndex >= 0)
        pDockBar->GetRowBarsByPosition(nIndex, bars);
    if (bars.empty())
        bars.push_back(pToolBar);
    return bars;
}

} // namespace

CQorCommandBar* CQorCommandBars::CreateToolBarsContextMenu()
{
    CQorCommandBar* pPopup = CQorControlPopup::CreatePopupBar(this);
    pPopup->GetControls()->Add(qorControlButton, CQorControlToolbars::kPlaceholderId);
    return pPopup;
}

void CQorCommandBars::AddRowToolBarsToPopup(CQorToolBar* pToolBar, CQorCommandBar* pPopup)
{
    if (!pToolBar || !pPopup)
        return;
    for (CQorCommandBar* pBar : GetRowBars(pToolBar))
        CQorToolBar::CopyHiddenControls(pBar, pPopup);
}

void CQorCommandBars::AddToolBarsToExpandPopup(CQorToolBar* pToolBar, CQorCommandBar* pPopup)
{
    if (!pToolBar || !pPopup)
        return;
    CQorControls* pControls = pPopup->GetControls();
    for (CQorCommandBar* pBar : GetRowBars(pToolBar)) {
        CQorToolBar* pRowBar = dynamic_cast<CQorToolBar*>(pBar);
        if (!pRowBar)
            continue;
        CQorControl* pEntry = pControls->Add(qorControlPopup, 0);
        if (!pEntry)
            continue;
        pEntry->SetCaption(pRowBar->GetTitle());
        if (CQorCommandBar* pBarPopup = pEntry->GetCommandBar()) {
            pBarPopup->SetTitle(pRowBar->GetTitle());
            pRowBar->FillCustomizePopup(pBarPopup);
        }
    }
    if (IsCustomizable()) {
        if (CQorControl* pCustomize = pControls->Add(qorControlButton, QOR_ID_CUSTOMIZE))
            pCustomize->SetBeginGroup(TRUE);
    }
}

// ---- Rebar ------------------------------------------------------------------------------------------

HWND CQorCommandBars::GetReBar() const
{
    return m_hWndSite && ::IsWindow(m_hWndSite) ? ::GetDlgItem(m_hWndSite, kReBarId) : nullptr;
}

BOOL CQorCommandBars::AddToReBar(CQorCommandBar* pBar)
{
    CQorToolBar* pToolBar = dynamic_cast<CQorToolBar*>(pBar);
    const HWND hWndReBar = GetReBar();
    if (!pToolBar || !hWndReBar)
        return FALSE;
    // The band first: a refused band must leave the bar docked where it was.
    if (!QorInsertToolBarBand(hWndReBar, pToolBar))
        return FALSE;
    RemoveFromDockBar(pToolBar);
    // In a band the rebar moves and grips the bar: it neither docks, floats nor draws a gripper.
    pToolBar->m_dwFlags &= ~CQorToolBar::flagDockOrFloat;
    pToolBar->m_dwBarStyle &= ~CQorCommandBar::kStyleDrawFrame;
    if (::GetParent(pToolBar->GetSafeHwnd()) != hWndReBar)
        ::SetParent(pToolBar->GetSafeHwnd(), hWndReBar);
    RecalcFrameLayout();
    return TRUE;
}

void CQorCommandBars::RemoveFromReBar(CQorCommandBar* pBar)
{
    const HWND hWndReBar = GetReBar();
    if (!pBar || !hWndReBar)
        return;
    const int nBand = QorFindReBarBand(hWndReBar, pBar->GetSafeHwnd());
    if (nBand >= 0)
        ::SendMessageW(hWndReBar, RB_DELETEBAND, static_cast<WPARAM>(nBand), 0);
}
