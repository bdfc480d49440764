// The thread's view of the mouse while bars track: a WH_MOUSE hook sees every mouse message of
// the thread, so that a click outside every open popup closes them all (and still reaches its
// window), a move over an open popup reaches it while another bar holds the mouse, and a
// window learns that the mouse left it (a 50 ms timer stands in for WM_MOUSELEAVE, which comes
// late or not at all where no window tracks it).
#pragma once

#include <windows.h>

#include "platform/framework/Collections.h"
#include "platform/framework/Geometry.h"
#include "platform/framework/ThreadLocal.h"
#include "toolkit/foundation/KeyboardManager.h"

class CQorCommandBar;

class CQorMouseManager : public CNoTrackObject, public CQorPopupChainTracker
{
public:
    // The tracked bars, in the order they began tracking (first = root popup). Not owned.
    class CTrackArray : public CArray<CQorCommandBar*, CQorCommandBar*>
    {
    };
    // Windows that may be clicked without closing the chain.
    class CTrustedArray : public CArray<HWND, HWND>
    {
    };

    enum : UINT_PTR { kMouseLeaveTimerId = 113341 };
    enum { kMouseLeaveMilliseconds = 50 };

    CQorMouseManager();
    ~CQorMouseManager() override;

    void AddTrackedBar(CQorCommandBar* pBar);
    void RemoveTrackedBar(CQorCommandBar* pBar);
    // Ends the tracking of every bar in the chain, root first, until the chain is empty.
    void CloseTrackedPopups() override;
    BOOL IsTrackingPopup() override { return !m_arrTracked.IsEmpty(); }
    int FindTrackedBar(CQorCommandBar* pBar) const;
    // TRUE while the chain holds bars and pBar is not one of them, is null or is suspended.
    BOOL IsOtherBarTracking(CQorCommandBar* pBar) const;
    const CTrackArray& GetTrackArray() const { return m_arrTracked; }

    void AddTrustedWindow(HWND hWnd);
    void RemoveTrustedWindow(HWND hWnd);

    // Watches the window until the mouse leaves it; it then gets one posted WM_MOUSELEAVE.
    // A window watched before gets its WM_MOUSELEAVE at once.
    void TrackMouseLeave(HWND hWnd);
    HWND GetMouseLeaveWindow() const { return m_hWndMouseLeave; }

    // While locked (a bar runs a drag of its own), a button release outside the tracked bars
    // does not close them.
    void LockMouseMove() { m_nLock++; }
    void UnlockMouseMove() { m_nLock = m_nLock > 0 ? m_nLock - 1 : 0; }
    BOOL IsMouseLocked() const { return m_nLock > 0; }

    // The bar that last made a control hot by the mouse.
    CQorCommandBar* GetHoverBar() const { return m_pHoverBar; }
    void SetHoverBar(CQorCommandBar* pBar) { m_pHoverBar = pBar; }

    // A popup was expanded to show all its controls: later popups of the chain open expanded,
    // and the release of the expanding click is swallowed. Both end with the chain.
    void SetExpanded(BOOL bExpanded);
    BOOL IsExpanded() const { return m_bExpanded; }
    BOOL IsSwallowRelease() const { return m_bSwallowRelease; }

private:
    static LRESULT CALLBACK MouseProc(int nCode, WPARAM wParam, LPARAM lParam);
    static void CALLBACK MouseLeaveTimerProc(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD);
    // A mouse message while bars track; TRUE swallows it.
    BOOL FilterMessage(UINT nMessage, CPoint pt);
    void ProcessTrackedMessage(UINT nMessage, CPoint pt);
    // The innermost tracked bar under the point, or null.
    CQorCommandBar* HitTrackedBar(CPoint pt) const;
    BOOL IsTrustedPoint(CPoint pt) const;
    void CheckMouseLeave(HWND hWnd);

    int m_nLock;
    CTrackArray m_arrTracked;
    HHOOK m_hHook;
    CQorCommandBar* m_pHoverBar;
    HWND m_hWndMouseLeave;
    BOOL m_bExpanded;
    CTrustedArray m_arrTrusted;
    BOOL m_bSwallowRelease;
};

// Makes the per-thread holder and enters its release in the exit list (the command bars' start-up
// does this in its place in the exit order).
void QorCreateMouseManagerHolder();
// The calling thread's mouse manager, made on first use.
CQorMouseManager* GetMouseManager();
// The calling thread's mouse manager when it has one; never makes one.
CQorMouseManager* FindMouseManager();
