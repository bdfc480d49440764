// Popups run as context menus: a popup opened at a point with its own message loop, which returns
// (or sends) the chosen command once the popup closed; and the tool-bars context menu.
#include "toolkit/commandbars/CommandBars.h"

#include <vector>

#include "platform/framework/Menu.h"
#include "platform/framework/WinApp.h"

#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarDefs.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/MouseManager.h"
#include "toolkit/commandbars/PopupBar.h"
#include "toolkit/foundation/CaptureLoop.h"
#include "toolkit/foundation/CmdTargetReference.h"

namespace {

using CReference = CQorCmdTargetReference;

// Expands the list placeholders of a bar (as its next layout would) and answers whether any
// control is left to show.
BOOL ExpandAndHasVisibleControls(CQorCommandBar* pBar)
{
    CQorControls* pControls = pBar->GetControls();
    for (int i = pControls->GetCount() - 1; i >= 0; i--) {
        if (CQorControl* pControl = pControls->GetAt(i))
            pControl->OnCalcDynamicSize(0);
    }
    for (int i = 0; i < pControls->GetCount(); i++) {
        if (pControls->GetAt(i)->IsVisible(qorHideScroll | qorHideExpand))
            return TRUE;
    }
    return FALSE;
}

// Gives a free popup its point, exclude rectangle and alignment: it drops from the point (or
// below the rectangle), extending to the left when right-aligned.
void PreparePopupAt(CQorCommandBar* pPopup, UINT nFlags, CPoint pt, LPCRECT lpExclude)
{
    CQorPopupBar* pPopupBar = dynamic_cast<CQorPopupBar*>(pPopup);
    if (!pPopupBar)
        return;
    pPopupBar->SetPopupPoint(pt);
    pPopupBar->SetExcludeRect(lpExclude ? CRect(*lpExclude) : CRect(pt, pt));
    pPopupBar->SetPopupFlags((nFlags & CQorCommandBars::trackRightAlign) ? (qorPopupDropDown | qorPopupLeft)
                                                                         : qorPopupDropDown);
}

} // namespace

BOOL CQorCommandBars::RunPopupLoop(CQorCommandBar* pPopup, BOOL bIdle)
{
    // The popup's own loop runs on the shared capture loop, so that a quit request reaching it
    // closes the popup and still ends the outer loop. The popup takes no capture: the thread's
    // mouse hook sees clicks outside it.
    CQorCaptureLoop loop(pPopup->GetSafeHwnd());
    loop.m_bTakeCapture = FALSE;
    loop.m_bPreTranslate = TRUE;
    loop.m_bIdle = bIdle;
    loop.m_stillTracking = [pPopup] { return pPopup->GetTrackingMode() != 0; };
    const CQorCaptureLoop::Result result = loop.Run();
    if (pPopup->GetTrackingMode() != 0)
        pPopup->SetTrackingMode(0, TRUE, FALSE);
    return result != CQorCaptureLoop::resultQuit;
}

void CQorCommandBars::ShowToolBarsContextMenu(CPoint ptScreen)
{
    if (m_bCustomizeMode)
        return;
    CReference self(this);
    CQorCommandBar* pPopup = CreateToolBarsContextMenu();
    if (m_hWndSite && ::IsWindow(m_hWndSite)) {
        ::SendMessageW(m_hWndSite, QORWM_TOOLBARCONTEXTMENU, reinterpret_cast<WPARAM>(&ptScreen),
                       reinterpret_cast<LPARAM>(pPopup));
    }
    if (ExpandAndHasVisibleControls(pPopup)) {
        ClosePopups();
        const BOOL bRightToLeft = m_bRightToLeft || (m_hWndSite && ::IsWindow(m_hWndSite) &&
                                                     (::GetWindowLongW(m_hWndSite, GWL_EXSTYLE) & WS_EX_LAYOUTRTL));
        TrackPopup(pPopup, bRightToLeft ? static_cast<UINT>(trackRightAlign) : 0u, ptScreen.x, ptScreen.y, nullptr,
                   m_hWndSite, nullptr, TRUE);
    }
    pPopup->InternalRelease();
}

int CQorCommandBars::TrackPopupBarAt(CQorCommandBar* pPopup, UINT nFlags, int x, int y, LPCRECT lpExclude,
                                     HWND hWndOwner, HWND hWndCommandOwner)
{
    return TrackPopup(pPopup, nFlags, x, y, lpExclude, hWndOwner, hWndCommandOwner, FALSE);
}

int CQorCommandBars::TrackCommandBarPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, HWND hWndOwner)
{
    if (!pMenu || !::IsMenu(pMenu->GetSafeHmenu()))
        return 0;
    CQorCommandBar* pPopup = CQorControlPopup::CreatePopupBar(nullptr);
    pPopup->SetSite(hWndOwner);
    int nResult = 0;
    if (pPopup->LoadMenu(pMenu, TRUE))
        nResult = TrackPopupBarAt(pPopup, nFlags, x, y, nullptr, hWndOwner);
    pPopup->InternalRelease();
    return nResult;
}

int CQorCommandBars::TrackPopup(CQorCommandBar* pPopup, UINT nFlags, int x, int y, LPCRECT lpExclude, HWND hWndOwner,
                                HWND hWndCommandOwner, BOOL bIdle)
{
    if (!pPopup)
        return 0;
    CReference popup(pPopup);
    CQorCommandBars* pCommandBars = pPopup->GetCommandBars();
    if (pCommandBars) {
        // Opened from the keyboard (Shift+F10, the menu key): the accelerators show.
        CWinThread* pThread = AfxGetThread();
        const MSG* pMsg = pThread ? pThread->GetCurrentMessage() : nullptr;
        if (pMsg && pMsg->message == WM_CONTEXTMENU && pMsg->lParam == -1)
            pCommandBars->ShowKeyboardCues(TRUE);
    }
    const HWND hWndSite = hWndOwner ? hWndOwner : pPopup->GetSite();
    pPopup->SetSite(hWndSite);
    pPopup->m_hWndOwner = hWndCommandOwner;
    if (hWndSite && ::IsWindow(hWndSite) && (::GetWindowLongW(hWndSite, GWL_EXSTYLE) & (WS_EX_LAYOUTRTL | WS_EX_RIGHT)))
        nFlags |= trackRightAlign;

    int nCommand = 0;
    pPopup->m_pReturnCommand = (nFlags & trackReturnCommand) ? &nCommand : nullptr;
    pPopup->m_bRightButtonPopup = (nFlags & trackRightButton) != 0;
    pPopup->m_bNoNotify = (nFlags & trackNoNotify) != 0;
    pPopup->m_bRecursive = (nFlags & trackRecursive) != 0;
    PreparePopupAt(pPopup, nFlags, CPoint(x, y), lpExclude);

    // A recursive popup leaves the bars below it open but deaf to hover and keys until it ends.
    // Each suspended bar is held, so that one destroyed meanwhile is not touched after it is
    // freed, and only the bars raised here are lowered again.
    CQorMouseManager* pMouseManager = GetMouseManager();
    std::vector<CQorCommandBar*> suspended;
    if (nFlags & trackRecursive) {
        const CQorMouseManager::CTrackArray& tracked = pMouseManager->GetTrackArray();
        for (INT_PTR i = 0; i < tracked.GetSize(); i++) {
            CQorCommandBar* pBar = tracked[i];
            if (pBar == pPopup)
                continue;
            pBar->InternalAddRef();
            pBar->AdjustModalLockCount(+1);
            suspended.push_back(pBar);
        }
    } else {
        pMouseManager->CloseTrackedPopups();
        ::ReleaseCapture();
    }

    int nResult = 0;
    if (pPopup->OpenPopup(nullptr, FALSE)) {
        const BOOL bQuit = !RunPopupLoop(pPopup, bIdle);
        nResult = bQuit ? 0 : ((nFlags & trackReturnCommand) ? nCommand : TRUE);
    }
    pPopup->m_pReturnCommand = nullptr;
    pPopup->m_bRecursive = FALSE;
    for (CQorCommandBar* pBar : suspended) {
        pBar->AdjustModalLockCount(-1);
        pBar->InternalRelease();
    }
    return nResult;
}
