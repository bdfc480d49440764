// The thread's mouse manager with real input: the tracked chain closes on an outside click
// (root first, the click still reaching its window) but not on a trusted window; the release
// after an expansion is swallowed; same-point moves are dropped while bars track; the 50 ms
// mouse-leave emulation; and the keyboard manager closing the same chain.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "demos/commandbars/CellBar.h"
#include "tests/common/MessageLog.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/MouseManager.h"
#include "toolkit/foundation/HookManager.h"
#include "toolkit/foundation/KeyboardManager.h"

namespace {

using testsupport::PumpUntil;

int CountMessages(const testsupport::MessageLog& log, HWND hWnd, UINT nMessage)
{
    int nCount = 0;
    for (const auto& msg : log.Messages()) {
        if (msg.hwnd == hWnd && msg.message == nMessage)
            nCount++;
    }
    return nCount;
}

// A window to click on, with two popup bars of cells owned by it (made once: every shown
// top-level window costs the display server seconds to take down).
class MouseManagerTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_hWnd = cbtest::CreatePlainWindow({100, 100, 500, 400}, WS_OVERLAPPED | WS_VISIBLE);
        s_pBars = new CCellBar[2];
        for (int i = 0; i < 2; ++i) {
            const CRect rc(120 + i * 160, 120, 120 + i * 160 + CCellBar::GetBarWidth(2), 160);
            s_pBars[i].CreateBar(WS_POPUP | WS_VISIBLE, rc, s_hWnd);
            s_pBars[i].AddCell(new CColorCell(RGB(0, 0, 255)));
            s_pBars[i].AddCell(new CColorCell(RGB(0, 0, 255)));
        }
    }

    static void TearDownTestSuite()
    {
        delete[] s_pBars;
        s_pBars = nullptr;
        DestroyWindow(s_hWnd);
        testsupport::PumpMessages();
    }

    void SetUp() override
    {
        ASSERT_TRUE(IsWindow(m_hWnd));
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(m_bars[i].GetSafeHwnd());
            m_bars[i].m_pEndLog = &m_endLog;
            m_bars[i].m_nMouseMoves = 0;
        }
        ASSERT_TRUE(cbtest::BringToFront(m_hWnd));
        testsupport::PumpMessages();
        m_log.Watch(m_hWnd);
    }

    void TearDown() override
    {
        GetMouseManager()->CloseTrackedPopups();
        for (int i = 0; i < 2; ++i)
            m_bars[i].m_pEndLog = nullptr;
        testsupport::PumpMessages();
    }

    void OpenChain()
    {
        for (int i = 0; i < 2; ++i)
            m_bars[i].SetTrackingMode(1, FALSE, FALSE);
        ASSERT_EQ(2, GetMouseManager()->GetTrackArray().GetSize());
    }

    // A point of the window that no bar covers.
    POINT FreePoint() const { return cbtest::ScreenPoint(m_hWnd, 200, 200); }

    static HWND s_hWnd;
    static CCellBar* s_pBars;
    HWND m_hWnd = s_hWnd;
    CCellBar* m_bars = s_pBars;
    std::vector<CQorCommandBar*> m_endLog;
    testsupport::MessageLog m_log{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE, WM_MOUSELEAVE};
};

TEST_F(MouseManagerTest, ClickOutsideTheChainEndsBothBarsRootFirstAndStillReachesItsWindow)
{
    OpenChain();
    cbtest::SendClick(FreePoint());
    ASSERT_TRUE(PumpUntil([&] { return CountMessages(m_log, m_hWnd, WM_LBUTTONUP) == 1; }));

    EXPECT_EQ(1, CountMessages(m_log, m_hWnd, WM_LBUTTONDOWN));
    ASSERT_EQ(2u, m_endLog.size());
    EXPECT_EQ(&m_bars[0], m_endLog[0]);
    EXPECT_EQ(&m_bars[1], m_endLog[1]);
    EXPECT_TRUE(GetMouseManager()->GetTrackArray().IsEmpty());
}

TEST_F(MouseManagerTest, ClickOnAVisibleTrustedWindowKeepsTheChain)
{
    HWND hTrusted = cbtest::CreatePlainWindow({200, 250, 300, 300}, WS_POPUP | WS_VISIBLE, m_hWnd);
    GetMouseManager()->AddTrustedWindow(hTrusted);
    OpenChain();
    m_log.Watch(hTrusted);

    cbtest::SendClick(cbtest::ScreenPoint(hTrusted, 10, 10));
    ASSERT_TRUE(PumpUntil([&] { return CountMessages(m_log, hTrusted, WM_LBUTTONUP) == 1; }));
    EXPECT_EQ(2, GetMouseManager()->GetTrackArray().GetSize());
    EXPECT_TRUE(m_endLog.empty());

    // Hidden, it protects nothing.
    ShowWindow(hTrusted, SW_HIDE);
    cbtest::SendClick(cbtest::ScreenPoint(m_hWnd, 150, 170));
    ASSERT_TRUE(PumpUntil([&] { return CountMessages(m_log, m_hWnd, WM_LBUTTONUP) == 1; }));
    EXPECT_TRUE(GetMouseManager()->GetTrackArray().IsEmpty());

    GetMouseManager()->RemoveTrustedWindow(hTrusted);
    DestroyWindow(hTrusted);
}

TEST_F(MouseManagerTest, AClickOnTheBarOfANestedLoopEndsOnlyTheBarsOutsideTheLoop)
{
    OpenChain();
    m_bars[0].AdjustModalLockCount(1);
    cbtest::SendClick(cbtest::ScreenPoint(m_bars[0].GetSafeHwnd(), 2, 2));
    ASSERT_TRUE(PumpUntil([&] { return m_endLog.size() == 1; }));
    cbtest::PumpFor(50);
    EXPECT_EQ(&m_bars[1], m_endLog[0]);
    ASSERT_EQ(1, GetMouseManager()->GetTrackArray().GetSize());
    EXPECT_EQ(0, GetMouseManager()->FindTrackedBar(&m_bars[0]));

    // The count never goes below 0.
    m_bars[0].AdjustModalLockCount(-3);
    EXPECT_EQ(0, m_bars[0].GetModalLockCount());
}

TEST_F(MouseManagerTest, AfterAnExpansionTheNextReleaseIsSwallowedAndAPressClearsTheFlag)
{
    CQorMouseManager* pManager = GetMouseManager();
    const POINT pt = FreePoint();
    cbtest::SendMouse(pt);

    pManager->SetExpanded(TRUE);
    cbtest::SendMouse(pt, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return !pManager->IsSwallowRelease(); }));
    cbtest::PumpFor(50);
    EXPECT_EQ(0, CountMessages(m_log, m_hWnd, WM_LBUTTONUP));

    pManager->SetExpanded(TRUE);
    cbtest::SendMouse(pt, MOUSEEVENTF_LEFTDOWN);
    cbtest::SendMouse(pt, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return CountMessages(m_log, m_hWnd, WM_LBUTTONUP) == 1; }));
    EXPECT_EQ(1, CountMessages(m_log, m_hWnd, WM_LBUTTONDOWN));
    EXPECT_FALSE(pManager->IsSwallowRelease());
    pManager->SetExpanded(FALSE);
}

TEST_F(MouseManagerTest, TheExpansionEndsWithTheChain)
{
    CQorMouseManager* pManager = GetMouseManager();
    OpenChain();
    pManager->SetExpanded(TRUE);
    m_bars[1].SetTrackingMode(0);
    EXPECT_TRUE(pManager->IsExpanded()); // the rest of the menu stays expanded
    pManager->CloseTrackedPopups();
    EXPECT_FALSE(pManager->IsExpanded());
    EXPECT_FALSE(pManager->IsSwallowRelease());
}

TEST_F(MouseManagerTest, ABarThatNeverLeavesTheChainStillLetsItClose)
{
    // Added without entering tracking: ending its tracking changes nothing.
    CQorMouseManager* pManager = GetMouseManager();
    pManager->AddTrackedBar(&m_bars[0]);
    m_bars[1].SetTrackingMode(1, FALSE, FALSE);
    pManager->CloseTrackedPopups();
    EXPECT_TRUE(pManager->GetTrackArray().IsEmpty());
    ASSERT_EQ(1u, m_endLog.size());
    EXPECT_EQ(&m_bars[1], m_endLog[0]);
}

TEST_F(MouseManagerTest, AMoveToTheSamePointIsSwallowedWhileBarsTrackAndMovesReachTheTrackedBars)
{
    const POINT pt = FreePoint();
    cbtest::SendMouse({pt.x - 3, pt.y});
    cbtest::SendMouse(pt);
    ASSERT_TRUE(PumpUntil([&] { return CountMessages(m_log, m_hWnd, WM_MOUSEMOVE) >= 1; }));
    OpenChain();
    m_log.Clear();

    const POINT ptNext = {pt.x + 5, pt.y};
    SetCursorPos(ptNext.x, ptNext.y);
    ASSERT_TRUE(PumpUntil([&] { return CountMessages(m_log, m_hWnd, WM_MOUSEMOVE) == 1; }));
    EXPECT_EQ(1, m_bars[0].m_nMouseMoves);
    EXPECT_EQ(1, m_bars[1].m_nMouseMoves);

    SetCursorPos(ptNext.x, ptNext.y);
    cbtest::PumpFor(100);
    EXPECT_EQ(1, CountMessages(m_log, m_hWnd, WM_MOUSEMOVE));

    // Without tracked bars the same point moves again.
    GetMouseManager()->CloseTrackedPopups();
    m_log.Clear();
    SetCursorPos(ptNext.x, ptNext.y);
    EXPECT_TRUE(PumpUntil([&] { return CountMessages(m_log, m_hWnd, WM_MOUSEMOVE) >= 1; }, 1000));
}

TEST_F(MouseManagerTest, WatchingAnotherWindowEndsTheFirstWatchOnceAndLeavingGivesOneMouseLeave)
{
    CQorMouseManager* pManager = GetMouseManager();
    HWND hA = m_bars[0].GetSafeHwnd();
    HWND hB = m_bars[1].GetSafeHwnd();
    m_log.Watch(hA);
    m_log.Watch(hB);
    const POINT ptA = cbtest::ScreenPoint(hA, 10, 10);
    const POINT ptB = cbtest::ScreenPoint(hB, 10, 10);

    SetCursorPos(ptA.x, ptA.y);
    pManager->TrackMouseLeave(hA);
    cbtest::PumpFor(120); // the cursor stays: nothing
    EXPECT_EQ(0, CountMessages(m_log, hA, WM_MOUSELEAVE));

    SetCursorPos(ptB.x, ptB.y);
    pManager->TrackMouseLeave(hB);
    EXPECT_EQ(1, CountMessages(m_log, hA, WM_MOUSELEAVE));
    // The first window's timer went with its watch.
    EXPECT_FALSE(KillTimer(hA, CQorMouseManager::kMouseLeaveTimerId));

    const POINT ptOutside = FreePoint();
    SetCursorPos(ptOutside.x, ptOutside.y);
    EXPECT_TRUE(PumpUntil([&] { return CountMessages(m_log, hB, WM_MOUSELEAVE) == 1; }, 100));
    cbtest::PumpFor(150);
    EXPECT_EQ(1, CountMessages(m_log, hA, WM_MOUSELEAVE));
    EXPECT_EQ(1, CountMessages(m_log, hB, WM_MOUSELEAVE));
    EXPECT_EQ(nullptr, pManager->GetMouseLeaveWindow());
    EXPECT_FALSE(KillTimer(hB, CQorMouseManager::kMouseLeaveTimerId));
}

HWND MouseManagerTest::s_hWnd = nullptr;
CCellBar* MouseManagerTest::s_pBars = nullptr;

// Asks to see the thread's messages, which installs the keyboard manager's hooks.
class CListener : public CQorHookManagerHookAble
{
public:
    int OnHookMessage(HWND, UINT, WPARAM&, LPARAM&, LRESULT&) override { return 0; }
};

TEST_F(MouseManagerTest, TheKeyboardManagerClosesThisChainWhenTheApplicationIsDeactivated)
{
    CQorMouseManager* pManager = GetMouseManager();
    EXPECT_EQ(pManager, GetKeyboardManager()->GetPopupChainTracker());
    CListener listener;
    GetKeyboardManager()->HookKeyboard(&listener);
    OpenChain();
    EXPECT_TRUE(pManager->IsTrackingPopup());

    SendMessageW(m_hWnd, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(pManager->IsTrackingPopup());
    EXPECT_EQ(2u, m_endLog.size());
    GetKeyboardManager()->UnhookKeyboard(&listener);
}

} // namespace
