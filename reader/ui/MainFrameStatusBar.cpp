// The frame's status bar: the bar with its indicators, the zoom,
// icon and advertisement panes added after the start gate, and the panes' clicks.
#include "reader/ui/MainFrame.h"

#include "reader/app/AppFolders.h"
#include "reader/ui/FolionyxReaderView.h"
#include "resources/resource.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/PopupBar.h"

namespace {

const int kZoomPaneId = 0xE800;
const int kIconPaneId = 59394;
const int kAdPaneId = 59393;
const int kZoomPaneWidth = 80;
const int kIconPaneWidth = 20;
const int kAdPaneWidth = 200;

} // namespace

BOOL CMainFrame::CreateStatusBar()
{
    return m_wndStatusBar.Create(this) && m_wndStatusBar.SetIndicators();
}

BOOL CMainFrame::AddStatusPane(int nID, int nIndex, int nWidth, CQorStatusBarPaneWnd& wnd)
{
    if (!wnd.GetSafeHwnd() && !wnd.Create(L"", &m_wndStatusBar, WS_CHILD | WS_VISIBLE, 0xFFFF))
        return FALSE; // the bar goes on without this pane
    CQorStatusBarPane* pPane = m_wndStatusBar.AddPane(nID, nIndex);
    if (!pPane)
        return FALSE;
    m_wndStatusBar.SetPaneWidth(pPane->m_nIndex, nWidth);
    m_wndStatusBar.SetPaneWindow(&wnd, nID);
    return TRUE;
}

void CMainFrame::AddStatusPanes()
{
    // The zoom pane is the only way to the zoom menu: shown when the page engine zooms.
    // Not yet the active view while the frame is being created: the first pane window.
    CFolionyxReaderView* pView = DYNAMIC_DOWNCAST(CFolionyxReaderView, GetDlgItem(AFX_IDW_PANE_FIRST));
    if (pView && (pView->QueryStatusWB(OLECMDID_OPTICAL_ZOOM) & OLECMDF_SUPPORTED)) {
        m_wndZoomPane.SetIcon(IDI_ZOOM);
        if (AddStatusPane(kZoomPaneId, m_wndStatusBar.GetPaneCount(), kZoomPaneWidth, m_wndZoomPane))
            m_wndZoomPane.SetText(m_strZoomPaneText);
    }
    m_wndIconPane.SetIcon(IDI_BOOK);
    AddStatusPane(kIconPaneId, m_wndStatusBar.GetPaneCount(), kIconPaneWidth, m_wndIconPane);
    AddStatusPane(kAdPaneId, 1, kAdPaneWidth, m_wndAdPane);
    RecalcLayout();
}

void CMainFrame::StartFeed(LPCTSTR lpszCachePath, LPCTSTR lpszFeedAddress)
{
    if (m_wndAdPane.GetSafeHwnd())
        m_wndAdPane.StartFeed(lpszCachePath, lpszFeedAddress);
}

void CMainFrame::SetZoomPaneText(LPCTSTR lpszText)
{
    m_strZoomPaneText = lpszText ? lpszText : L"";
    m_wndZoomPane.SetText(m_strZoomPaneText);
}

LRESULT CMainFrame::OnQorPaneClicked(WPARAM, LPARAM lParam)
{
    const HWND hPane = reinterpret_cast<HWND>(lParam);
    if (hPane && hPane == m_wndZoomPane.GetSafeHwnd()) {
        if (CFolionyxReaderView* pView = GetReaderView())
            pView->CycleZoom();
    } else if (hPane && hPane == m_wndIconPane.GetSafeHwnd()) {
        SendMessage(WM_COMMAND, ID_APP_ABOUT);
    }
    return 0;
}

LRESULT CMainFrame::OnQorPaneRightClicked(WPARAM, LPARAM lParam)
{
    const HWND hPane = reinterpret_cast<HWND>(lParam);
    if (hPane && hPane == m_wndZoomPane.GetSafeHwnd()) {
        if (!m_menuZoom.GetSafeHmenu() && !m_menuZoom.LoadMenu(IDR_ZOOM_MENU))
            return 0;
        CMenu* pMenu = m_menuZoom.GetSubMenu(0);
        if (pMenu == nullptr)
            return 0;
        // The menu hangs from the pane's top-right corner, drawn as the frame's bars are.
        CRect rc;
        m_wndZoomPane.GetWindowRect(&rc);
        CQorCommandBar* pPopup = CQorPopupBar::CreatePopupBar(GetCommandBars());
        if (pPopup->LoadMenu(pMenu, TRUE)) {
            const UINT nFlags = CQorCommandBars::trackRightAlign;
            if (m_trackZoomMenu)
                m_trackZoomMenu(pPopup, nFlags, CPoint(rc.right, rc.top));
            else
                CQorCommandBars::TrackPopupBarAt(pPopup, nFlags, rc.right, rc.top, nullptr, m_hWnd);
        }
        pPopup->InternalRelease();
    } else if (hPane && hPane == m_wndIconPane.GetSafeHwnd()) {
        SendMessage(WM_COMMAND, ID_APP_ABOUT);
    }
    return 0;
}
