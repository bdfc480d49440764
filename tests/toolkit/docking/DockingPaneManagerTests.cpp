// The manager: installation, cycling through panes, icons, COM, the pane menu, accessibility.
#include "tests/toolkit/docking/DockingTestSupport.h"
#include "toolkit/foundation/ImageManager.h"

#include <functional>

using dockingtest::FrameTest;
using dockingtest::Narrow;

namespace {

class DockingPaneManager : public FrameTest
{
};

} // namespace

TEST_F(DockingPaneManager, InstallingTwiceFailsAndChangesNothing)
{
    CQorDockingPaneLayout* pLayout = Manager().GetLayout();
    EXPECT_FALSE(Manager().InstallDockingPanes(m_pFrame));
    EXPECT_EQ(pLayout, Manager().GetLayout());
    EXPECT_EQ(0, Manager().GetDlgCtrlID());
    EXPECT_FALSE(Manager().IsWindowVisible());
    EXPECT_EQ(WS_CLIPSIBLINGS | WS_CLIPCHILDREN, m_pFrame->GetStyle() & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN));
    EXPECT_EQ("S(h)[C]", Narrow(Dump()));
}

TEST_F(DockingPaneManager, CyclingShowsTheNextEnabledPaneAndWrapsOnce)
{
    CQorDockingPane* pFirst = Create(1, qorDockLeft);
    Manager().AttachPane(pFirst, Create(2, qorDockLeft));
    Manager().AttachPane(pFirst, Create(3, qorDockLeft));
    CQorDockingPaneTabbedContainer* pGroup = pFirst->GetTabbedContainer();
    struct Row
    {
        const char* name;
        int nActive; // 0: none
        BOOL bForward;
        DWORD dwSecondEnabled;
        BOOL bExpected;
        int nShown;
    } rows[] = {
        {"the first active, the second disabled", 1, TRUE, 2, TRUE, 3},
        {"the third active wraps to the first", 3, TRUE, 2, TRUE, 1},
        {"backwards from the first", 1, FALSE, 3, TRUE, 3},
        {"backwards skips the disabled", 3, FALSE, 2, TRUE, 1},
        {"nothing active: the first", 0, TRUE, 3, TRUE, 1},
        {"only the active one enabled: itself", 2, TRUE, 3, TRUE, 2},
    };
    for (const Row& row : rows) {
        Manager().FindPane(2)->SetEnabled(row.dwSecondEnabled);
        if (row.nActive == 2) {
            pFirst->SetEnabled(2);
            Manager().FindPane(3)->SetEnabled(2);
        } else {
            pFirst->SetEnabled(3);
            Manager().FindPane(3)->SetEnabled(3);
        }
        if (Manager().GetActivePane())
            Manager().SetActivePane(FALSE, Manager().GetActivePane());
        if (row.nActive)
            Manager().SetActivePane(TRUE, Manager().FindPane(row.nActive));
        pGroup->SelectPane(Manager().FindPane(row.nActive ? row.nActive : 2), FALSE, FALSE);
        EXPECT_EQ(row.bExpected, Manager().CyclePanes(row.bForward)) << row.name;
        EXPECT_EQ(row.nShown, pGroup->GetSelected()->GetId()) << row.name;
    }
    for (int nID : {1, 2, 3})
        Manager().FindPane(nID)->SetEnabled(2);
    EXPECT_FALSE(Manager().CyclePanes(TRUE)) << "no enabled pane";
}

TEST_F(DockingPaneManager, SetPaneIconDestroysOnlyWhatTheRecordOwns)
{
    for (BOOL bOwns : {FALSE, TRUE}) {
        QOR_DOCKINGPANE_ICON icon;
        icon.hIcon = ::CopyIcon(::LoadIconW(nullptr, IDI_APPLICATION));
        icon.hExtraBitmap = ::CreateBitmap(4, 4, 1, 32, nullptr);
        icon.bOwns = bOwns;
        HICON hIcon = icon.hIcon;
        HBITMAP hExtra = icon.hExtraBitmap;
        Manager().SetPaneIcon(7, icon);
        EXPECT_TRUE(Manager().GetImageManager()->HasIcon(7)) << bOwns;
        if (bOwns) {
            EXPECT_EQ(nullptr, icon.hIcon);
            EXPECT_EQ(nullptr, icon.hExtraBitmap);
            EXPECT_EQ(0, ::GetObjectType(hExtra)) << "deleted";
        } else {
            EXPECT_EQ(hIcon, icon.hIcon);
            EXPECT_EQ(hExtra, icon.hExtraBitmap);
            EXPECT_EQ(OBJ_BITMAP, static_cast<int>(::GetObjectType(hExtra))) << "the caller's to delete";
            ICONINFO info = {};
            EXPECT_TRUE(::GetIconInfo(hIcon, &info));
            ::DeleteObject(info.hbmColor);
            ::DeleteObject(info.hbmMask);
            ::DestroyIcon(hIcon);
            ::DeleteObject(hExtra);
        }
    }
}

namespace {

DWORD WINAPI ManagerOnMultithreadedThread(LPVOID pResult)
{
    HRESULT* pResults = static_cast<HRESULT*>(pResult);
    pResults[0] = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    {
        CQorDockingPaneManager manager;
        pResults[1] = manager.GetOleInitResult();
    }
    // Still initialised by this thread: a second call only counts up.
    pResults[2] = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    ::CoUninitialize();
    ::CoUninitialize();
    return 0;
}

} // namespace

TEST_F(DockingPaneManager, ComOfAMultithreadedThreadSurvivesTheManager)
{
    HRESULT results[3] = {E_FAIL, E_FAIL, E_FAIL};
    HANDLE hThread = ::CreateThread(nullptr, 0, &ManagerOnMultithreadedThread, results, 0, nullptr);
    ASSERT_NE(nullptr, hThread);
    ::WaitForSingleObject(hThread, 10000);
    ::CloseHandle(hThread);
    EXPECT_EQ(S_OK, results[0]);
    EXPECT_EQ(RPC_E_CHANGED_MODE, results[1]);
    EXPECT_EQ(S_FALSE, results[2]);
}

namespace {

HMENU g_hTrackedMenu = nullptr;
UINT TrackMenu(HMENU hMenu, CPoint)
{
    g_hTrackedMenu = hMenu;
    wchar_t szText[32] = {};
    ::GetMenuStringW(hMenu, SC_MOVE, szText, 32, MF_BYCOMMAND);
    EXPECT_STREQ(L"&Move", szText);
    return SC_MOVE;
}

} // namespace

TEST_F(DockingPaneManager, ThePaneMenuIsDestroyedAfterEachUse)
{
    CQorDockingPane* pPane = Create(1, qorDockLeft);
    Layout();
    CQorDockingPaneManager::SetTrackMenuForTest(&TrackMenu);
    for (int i = 0; i < 2; i++) {
        g_hTrackedMenu = nullptr;
        Manager().ShowPaneMenu(pPane);
        ASSERT_NE(nullptr, g_hTrackedMenu);
        EXPECT_FALSE(::IsMenu(g_hTrackedMenu));
    }
    CQorDockingPaneManager::SetTrackMenuForTest(nullptr);
}

TEST_F(DockingPaneManager, AClosedPaneAnswersItsLocationWithZeros)
{
    CQorDockingPane* pPane = Create(1, qorDockLeft);
    Layout();
    IAccessible* pAccessible = pPane->GetAccessibleInterface();
    VARIANT varSelf;
    varSelf.vt = VT_I4;
    varSelf.lVal = CHILDID_SELF;
    long x = 0, y = 0, cx = 0, cy = 0;
    EXPECT_EQ(S_OK, pAccessible->accLocation(&x, &y, &cx, &cy, varSelf));
    EXPECT_GT(cx, 0);

    Manager().ClosePaneById(1);
    x = y = cx = cy = 0x5A5A5A5A;
    EXPECT_EQ(S_FALSE, pAccessible->accLocation(&x, &y, &cx, &cy, varSelf));
    EXPECT_EQ(0, x);
    EXPECT_EQ(0, y);
    EXPECT_EQ(0, cx);
    EXPECT_EQ(0, cy);
    VARIANT varState;
    EXPECT_EQ(S_OK, pAccessible->get_accState(varSelf, &varState));
    EXPECT_TRUE(varState.lVal & STATE_SYSTEM_INVISIBLE);
}

TEST_F(DockingPaneManager, ActivatingAPaneNotifiesBothSides)
{
    CQorDockingPane* pFirst = Create(1, qorDockLeft);
    CQorDockingPane* pSecond = Create(2, qorDockRight);
    Manager().SetActivePane(TRUE, pFirst);
    Manager().SetActivePane(TRUE, pSecond);
    Manager().SetActivePane(FALSE, pFirst);
    EXPECT_EQ(2, m_pFrame->m_recorder.Count(qorDpnAction, qorActionActivated));
    EXPECT_EQ(1, m_pFrame->m_recorder.Count(qorDpnAction, qorActionDeactivated));
    EXPECT_EQ(pSecond, Manager().GetActivePane());
}

TEST_F(DockingPaneManager, TitlesAndTabCaptionsSplitAtALineFeed)
{
    CQorDockingPane* pPane = Create(1, qorDockLeft);
    pPane->SetTitle(L"Title\nTab");
    EXPECT_EQ("Title", Narrow(pPane->GetTitle()));
    EXPECT_EQ("Tab", Narrow(pPane->GetTabCaption()));
    pPane->SetTitle(L"Both");
    EXPECT_EQ("Both", Narrow(pPane->GetTabCaption()));
    pPane->m_nID = 32782;
    EXPECT_EQ(0x1000006u, pPane->GetTabColor());
}

namespace {

// Counts the framework's initial-update message per window; answers the tab colour message
// with the colour kept in the window's user data.
LRESULT CALLBACK CountingWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITIALUPDATE) {
        ::SetPropW(hWnd, L"InitialUpdates", reinterpret_cast<HANDLE>(::GetPropW(hWnd, L"InitialUpdates") ? 2 : 1));
        return 0;
    }
    if (message == WM_QOR_GETTABCOLOR)
        return ::GetWindowLongPtrW(hWnd, GWLP_USERDATA);
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

HWND CreateCountingWindow(HWND hWndParent)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &CountingWndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"DockingTestCounting";
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD, 0, 0, 10, 10, hWndParent, nullptr, wc.hInstance,
                             nullptr);
}

int InitialUpdates(HWND hWnd)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(::GetPropW(hWnd, L"InitialUpdates")));
}

} // namespace

TEST_F(DockingPaneManager, AttachingAfterTheInitialUpdateSendsItToTheWindowAndItsDescendants)
{
    CQorDockingPane* pBefore = Create(1, qorDockLeft);
    CQorDockingPane* pAfter = Create(2, qorDockLeft);
    struct
    {
        const char* name;
        CQorDockingPane* pPane;
        int nExpected;
    } cases[] = {{"before the initial update", pBefore, 0}, {"after it", pAfter, 1}};
    for (const auto& c : cases) {
        if (c.pPane == pAfter)
            Manager().SendMessage(WM_INITIALUPDATE);
        HWND hWnd = CreateCountingWindow(m_pFrame->GetSafeHwnd());
        HWND hChild = CreateCountingWindow(hWnd);
        HWND hGrandChild = CreateCountingWindow(hChild);
        c.pPane->Attach(hWnd);
        EXPECT_EQ(c.nExpected, InitialUpdates(hWnd)) << c.name;
        EXPECT_EQ(c.nExpected, InitialUpdates(hChild)) << c.name;
        EXPECT_EQ(c.nExpected, InitialUpdates(hGrandChild)) << c.name;
        EXPECT_EQ(c.pPane->GetContainer()->GetPaneHwnd(), ::GetParent(hWnd)) << c.name;
    }
}

TEST_F(DockingPaneManager, TheTabColourIsThePanesOwnTheWindowsAnswerOrThePanesPlaceInThePalette)
{
    CQorDockingPane* pPane = Create(32782, qorDockLeft);
    HWND hWnd = CreateCountingWindow(m_pFrame->GetSafeHwnd());
    struct
    {
        const char* name;
        COLORREF clrOwn;   // -1: none
        BOOL bWindow;
        LONG_PTR nAnswer; // the window's answer to the colour message
        COLORREF clrExpected;
    } cases[] = {
        {"no window", static_cast<COLORREF>(-1), FALSE, 0, 0x1000006},
        {"the window answers a colour", static_cast<COLORREF>(-1), TRUE, RGB(10, 20, 30), RGB(10, 20, 30)},
        {"the window answers nothing", static_cast<COLORREF>(-1), TRUE, 0, 0x1000006},
        {"the pane's own colour first", RGB(1, 2, 3), TRUE, RGB(10, 20, 30), RGB(1, 2, 3)},
    };
    for (const auto& c : cases) {
        pPane->m_clrItemTab = c.clrOwn;
        pPane->m_hwndChild = c.bWindow ? hWnd : nullptr;
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, c.nAnswer);
        EXPECT_EQ(c.clrExpected, pPane->GetTabColor()) << c.name;
    }
    pPane->m_hwndChild = nullptr;
    ::DestroyWindow(hWnd);
}

TEST_F(DockingPaneManager, BringingAPaneToTheFrontSelectsItWithoutTheFocus)
{
    CQorDockingPane* pFirst = Create(1, qorDockLeft);
    CQorDockingPane* pSecond = Create(2, qorDockLeft);
    Manager().AttachPane(pFirst, pSecond);
    HWND hWnd = CreateCountingWindow(m_pFrame->GetSafeHwnd());
    pFirst->Attach(hWnd);
    Layout();
    CQorDockingPaneTabbedContainer* pGroup = pFirst->GetTabbedContainer();
    ASSERT_EQ(pSecond, pGroup->GetSelected());
    ::SetFocus(m_pFrame->m_wndView.GetSafeHwnd());

    Manager().BringPaneToFront(pFirst);
    Layout();
    EXPECT_EQ(pFirst, pGroup->GetSelected());
    EXPECT_TRUE(::IsWindowVisible(hWnd));
    EXPECT_EQ(m_pFrame->m_wndView.GetSafeHwnd(), ::GetFocus()) << "the focus stays where it was";

    Manager().BringPaneToFront(pGroup);
    EXPECT_EQ(pFirst, pGroup->GetSelected()) << "a group brings its selected pane";
    Manager().ClosePaneById(2);
    Manager().BringPaneToFront(pSecond);
    EXPECT_FALSE(pSecond->IsClosed()) << "a closed pane comes back to its group";
    EXPECT_EQ(pSecond, pGroup->GetSelected());
    EXPECT_EQ(m_pFrame->m_wndView.GetSafeHwnd(), ::GetFocus());
}
