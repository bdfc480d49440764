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
