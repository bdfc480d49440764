// Shared pieces of the docking tests: a frame with a view and a manager whose notifications
// go to a recording owner that can refuse closes and cancel actions.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <ostream>
#include <vector>

#include "platform/framework/FrameWnd.h"
#include "tests/common/WineTestSupport.h"
#include "toolkit/docking/DockingPane.h"
#include "toolkit/docking/DockingPaneLayout.h"
#include "toolkit/docking/DockingPaneManager.h"
#include "toolkit/docking/DockingPanePaintManager.h"
#include "toolkit/docking/DockingPaneSplitterContainer.h"
#include "toolkit/docking/DockingPaneSplitterWnd.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/foundation/DrawHelpers.h"

// Rectangles print as (left, top, right, bottom) in failure messages.
inline void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << ", " << rc.top << ", " << rc.right << ", " << rc.bottom << ")";
}

namespace dockingtest {

// Records every owner notification; answers -1 to closes and cancels actions when asked.
class Recorder
{
public:
    struct Entry
    {
        int nCode;
        LPARAM lParam;
        int nAction; // the action of code 4, else -1
    };

    Recorder()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &Recorder::WndProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"DockingTestRecorder";
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowExW(0, L"DockingTestRecorder", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance,
                                   nullptr);
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Recorder() { ::DestroyWindow(m_hWnd); }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    int Count(int nCode, int nAction = -1) const
    {
        int n = 0;
        for (const Entry& e : m_entries)
            n += e.nCode == nCode && (nAction < 0 || e.nAction == nAction);
        return n;
    }

    HWND m_hWnd;
    std::vector<Entry> m_entries;
    BOOL m_bKeepPanes = FALSE;     // answer -1 to code 3
    BOOL m_bCancelActions = FALSE; // set the cancel field of code 4
    BOOL m_bAllowActions = FALSE;  // clear the cancel field of code 4
    QOR_DOCKINGPANE_CAPTIONMENU m_lastMenu = {}; // the record of the last code 5

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        Recorder* pThis = reinterpret_cast<Recorder*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (message != WM_QOR_DOCKINGPANE_NOTIFY || !pThis)
            return ::DefWindowProcW(hWnd, message, wParam, lParam);
        Entry entry = {static_cast<int>(wParam), lParam, -1};
        if (wParam == qorDpnAction) {
            QOR_DOCKINGPANE_ACTION* pAction = reinterpret_cast<QOR_DOCKINGPANE_ACTION*>(lParam);
            entry.nAction = pAction->action;
            if (pThis->m_bCancelActions)
                pAction->bCancel = TRUE;
            if (pThis->m_bAllowActions)
                pAction->bCancel = FALSE;
        }
        if (wParam == qorDpnContextMenu)
            pThis->m_lastMenu = *reinterpret_cast<QOR_DOCKINGPANE_CAPTIONMENU*>(lParam);
        pThis->m_entries.push_back(entry);
        if (wParam == qorDpnClosePane && pThis->m_bKeepPanes)
            return -1;
        return 0;
    }
};

// A frame of a given client size with a view, its manager installed, notifications recorded.
class Frame : public CFrameWnd
{
public:
    BOOL CreateFrame(int cx = 640, int cy = 480, DWORD dwExStyle = 0)
    {
        CRect rc(0, 0, cx, cy);
        ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, FALSE, dwExStyle);
        rc.OffsetRect(60 - rc.left, 60 - rc.top);
        if (!Create(nullptr, L"Docking test", WS_OVERLAPPEDWINDOW, rc, nullptr, nullptr, dwExStyle))
            return FALSE;
        m_wndView.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST);
        if (!m_manager.InstallDockingPanes(this))
            return FALSE;
        m_manager.m_hWndOwner = m_recorder.m_hWnd;
        return TRUE;
    }
    CQorDockingPaneManager m_manager;
    Recorder m_recorder;
    CWnd m_wndView;
};

// Owns a frame for a test: made in SetUp, destroyed (it deletes itself) in TearDown.
class FrameTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new Frame();
        ASSERT_TRUE(m_pFrame->CreateFrame());
        m_pFrame->ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        if (m_pFrame && ::IsWindow(m_pFrame->GetSafeHwnd()))
            m_pFrame->DestroyWindow();
        testsupport::PumpMessages();
    }
    CQorDockingPaneManager& Manager() { return m_pFrame->m_manager; }
    CString Dump() { return Manager().DumpLayout(); }
    void Layout()
    {
        testsupport::PumpMessages();
        m_pFrame->RecalcLayout();
    }
    CQorDockingPane* Create(int nID, int nDirection, CQorDockingPaneBase* pNeighbour = nullptr, int cx = 200,
                            int cy = 120)
    {
        return Manager().CreatePane(nID, CRect(0, 0, cx, cy), nDirection, pNeighbour);
    }

    Frame* m_pFrame = nullptr;
};

// The pixels of a group, printed into a bitmap of its size.
class GroupPixels
{
public:
    explicit GroupPixels(CQorDockingPaneTabbedContainer* pGroup)
    {
        CRect rc;
        pGroup->GetClientRect(&rc);
        m_hDC = ::CreateCompatibleDC(nullptr);
        void* pBits = nullptr;
        m_hBitmap = CreateDIB32(m_hDC, rc.Width(), rc.Height(), &pBits);
        m_hOld = ::SelectObject(m_hDC, m_hBitmap);
        pGroup->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_hDC), PRF_CLIENT);
        ::GdiFlush();
    }
    ~GroupPixels()
    {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteObject(m_hBitmap);
        ::DeleteDC(m_hDC);
    }
    COLORREF Pixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    int Count(COLORREF clr, const CRect& rc) const
    {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; y++)
            for (int x = rc.left; x < rc.right; x++)
                n += ::GetPixel(m_hDC, x, y) == clr;
        return n;
    }

private:
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
};

// The rectangle of a window in its parent's client coordinates.
inline CRect RectInParent(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(hWnd), reinterpret_cast<LPPOINT>(&rc), 2);
    return rc;
}

inline std::string Narrow(const CString& str)
{
    std::string s;
    for (int i = 0; i < str.GetLength(); i++)
        s += static_cast<char>(str[i]);
    return s;
}

} // namespace dockingtest
