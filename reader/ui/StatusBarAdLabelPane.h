// The advertisement pane: shows the titles of the maker's feed one at a time, every 30 s the
// next, and opens the shown entry's web address when clicked. The feed is the cached "Ad.xml"
// and then a fresh copy, each shown when the feed's worker has read it.
#pragma once

#include <functional>

#include "reader/feed/AdFeed.h"
#include "reader/ui/StatusBarLabelPane.h"

class CQorStatusBarAdLabelPane : public CQorStatusBarLabelPane
{
    DECLARE_DYNAMIC(CQorStatusBarAdLabelPane)
public:
    enum { kRotateTimer = 100, kRotatePeriod = 30000, kWidthWithEntries = 250, kWidthEmpty = 20 };

    CQorStatusBarAdLabelPane();

    // Starts the feed's worker, which reads the cached feed and downloads a fresh one; the pane
    // shows each as it arrives (the pane's window must exist).
    void StartFeed(LPCTSTR lpszCachePath, LPCTSTR lpszFeedAddress);
    // Replaces the entries: the pane's width follows, the first title shows.
    void ApplyFeed(const CAdFeedEntries& entries);
    // Ends a running download (the frame does this when it closes).
    void StopFeed() { m_feed.Stop(); }
    CAdFeed& GetFeed() { return m_feed; }

    // Opens an entry's address; tests replace it. The default asks the shell.
    typedef std::function<void(const CString& address)> Launcher;
    void SetLauncher(Launcher launcher) { m_launch = std::move(launcher); }

protected:
    void ShowCurrent();
    void FitPaneWidth();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnQorFeedDownloaded(WPARAM wParam, LPARAM lParam);

    CAdFeed m_feed;
    HCURSOR m_hCursorHand;
    Launcher m_launch;

    DECLARE_MESSAGE_MAP()
};
