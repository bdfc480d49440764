#include "reader/ui/StatusBarAdLabelPane.h"

#include <shellapi.h>

IMPLEMENT_DYNAMIC(CQorStatusBarAdLabelPane, CQorStatusBarLabelPane)

BEGIN_MESSAGE_MAP(CQorStatusBarAdLabelPane, CQorStatusBarLabelPane)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONUP()
    ON_MESSAGE(WM_QOR_FEED_DOWNLOADED, &CQorStatusBarAdLabelPane::OnQorFeedDownloaded)
END_MESSAGE_MAP()

CQorStatusBarAdLabelPane::CQorStatusBarAdLabelPane() : m_hCursorHand(::LoadCursorW(nullptr, IDC_HAND))
{
    m_bCentered = FALSE;
    m_clrText = RGB(0, 0, 0xFF);
    m_launch = [](const CString& address) {
        ::ShellExecuteW(nullptr, L"open", address, nullptr, nullptr, SW_HIDE);
    };
}

int CQorStatusBarAdLabelPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CQorStatusBarLabelPane::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetTimer(kRotateTimer, kRotatePeriod, nullptr);
    return 0;
}

void CQorStatusBarAdLabelPane::OnDestroy()
{
    KillTimer(kRotateTimer);
    // The worker reports to this window; it must not outlive it.
    m_feed.Stop();
    CQorStatusBarLabelPane::OnDestroy();
}

void CQorStatusBarAdLabelPane::StartFeed(LPCTSTR lpszCachePath, LPCTSTR lpszFeedAddress)
{
    m_feed.StartFeed(lpszCachePath, lpszFeedAddress, m_hWnd);
    FitPaneWidth();
    ShowCurrent();
}

void CQorStatusBarAdLabelPane::ApplyFeed(const CAdFeedEntries& entries)
{
    m_feed.ApplyFeed(entries);
    FitPaneWidth();
    ShowCurrent();
}

void CQorStatusBarAdLabelPane::FitPaneWidth()
{
    CQorStatusBar* pBar = DYNAMIC_DOWNCAST(CQorStatusBar, GetParent());
    if (!pBar)
        return;
    for (int i = 0; i < pBar->GetPaneCount(); ++i) {
        if (pBar->GetPane(i)->m_hWndChild == m_hWnd) {
            pBar->SetPaneWidth(i, m_feed.GetEntries().empty() ? kWidthEmpty : kWidthWithEntries);
            pBar->PositionChildren();
            return;
        }
    }
}

void CQorStatusBarAdLabelPane::ShowCurrent()
{
    const ADFEEDENTRY* pEntry = m_feed.GetCurrentEntry();
    SetText(pEntry ? static_cast<LPCTSTR>(pEntry->strTitle) : L"");
}

void CQorStatusBarAdLabelPane::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kRotateTimer) {
        Default();
        return;
    }
    if (m_feed.GetEntries().size() < 2)
        return;
    m_feed.Rotate();
    ShowCurrent();
}

BOOL CQorStatusBarAdLabelPane::OnSetCursor(CWnd*, UINT, UINT)
{
    ::SetCursor(m_hCursorHand);
    return TRUE;
}

void CQorStatusBarAdLabelPane::OnLButtonUp(UINT nFlags, CPoint point)
{
    // Only web addresses open: a tampered feed must not start files or programs.
    const ADFEEDENTRY* pEntry = m_feed.GetCurrentEntry();
    if (pEntry && IsOpenableFeedAddress(pEntry->strURL) && m_launch)
        m_launch(pEntry->strURL);
    CQorStatusBarLabelPane::OnLButtonUp(nFlags, point);
}

LRESULT CQorStatusBarAdLabelPane::OnQorFeedDownloaded(WPARAM, LPARAM)
{
    if (m_feed.OnFeedDownloaded()) {
        FitPaneWidth();
        ShowCurrent();
    }
    return 0;
}
