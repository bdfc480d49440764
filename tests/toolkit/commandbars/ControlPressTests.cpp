// Press tracking with real input: a button on a bar in a frame that records what reaches it.
// The input comes from a helper thread while the press loop runs on the test's thread.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <vector>

#include "platform/framework/WinApp.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/Control.h"

namespace {

const int kId = 4321;

// What the frame saw; the command handler may act on the control or the frame.
struct SiteRecord
{
    int nCommands = 0;
    int nNotifies = 0;
    UINT nLastCode = 0;
    std::vector<BOOL> captureHeld; // per command: the bar held the capture
    HWND hWndBar = nullptr;
    std::function<void(int)> onCommand;
};
SiteRecord* g_pRecord = nullptr;

LRESULT CALLBACK SiteProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (g_pRecord && nMsg == QORWM_CONTROLNOTIFY) {
        g_pRecord->nNotifies++;
        g_pRecord->nLastCode = reinterpret_cast<QOR_CONTROL_NOTIFY*>(lParam)->nCode;
        return 0;
    }
    if (g_pRecord && nMsg == WM_COMMAND && LOWORD(wParam) == kId) {
        g_pRecord->nCommands++;
        g_pRecord->captureHeld.push_back(GetCapture() == g_pRecord->hWndBar);
        if (g_pRecord->onCommand)
            g_pRecord->onCommand(g_pRecord->nCommands);
        return 0;
    }
    return DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

HWND CreateSite()
{
    return cbtest::CreateWindowWithProc(L"ControlPressSite", SiteProc, {60, 60, 380, 220}, WS_OVERLAPPED | WS_VISIBLE);
}

// One step of the helper thread's script, after a delay.
using Step = cbtest::InputStep;

class ControlPress : public testing::Test
{
protected:
    void SetUp() override
    {
        g_pRecord = &m_record;
        m_hWndSite = CreateSite();
        ASSERT_TRUE(cbtest::BringToFront(m_hWndSite));
        m_pBar = new CQorCommandBar;
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
        ASSERT_TRUE(m_pBar->CreateEx(0, lpszClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 30, m_hWndSite, nullptr));
        m_record.hWndBar = m_pBar->GetSafeHwnd();
        m_pControl = new CQorControlButton;
        m_pControl->m_nId = kId;
        m_pControl->SetParent(m_pBar);
        m_pControl->SetRect(CRect(10, 4, 40, 26));
        m_ptInside = cbtest::ScreenPoint(m_pBar->GetSafeHwnd(), 20, 12);
        m_ptOutside = cbtest::ScreenPoint(m_pBar->GetSafeHwnd(), 150, 80);
        cbtest::SendMouse(m_ptInside);
        cbtest::PumpFor(50);
    }
    void TearDown() override
    {
        cbtest::SendMouse(m_ptOutside, MOUSEEVENTF_LEFTUP);
        cbtest::PumpFor(20);
        m_pControl->InternalRelease();
        if (::IsWindow(m_hWndSite))
            DestroyWindow(m_hWndSite);
        m_pBar->InternalRelease();
        g_pRecord = nullptr;
    }

    // Presses the button (the down goes first) and runs the script while the press loop runs.
    void Press(std::vector<Step> steps)
    {
        cbtest::SendMouse(m_ptInside, MOUSEEVENTF_LEFTDOWN);
        cbtest::RunWithInput(steps, [this] { m_pControl->TrackButtonPress(); });
    }
    Step Release(DWORD dwDelay, POINT pt)
    {
        return {dwDelay, [pt] { cbtest::SendMouse(pt, MOUSEEVENTF_LEFTUP); }};
    }

    SiteRecord m_record;
    HWND m_hWndSite = nullptr;
    CQorCommandBar* m_pBar = nullptr;
    CQorControl* m_pControl = nullptr;
    POINT m_ptInside = {}, m_ptOutside = {};
};

TEST_F(ControlPress, ReleaseInsideExecutesOnceThroughTheNotificationFirst)
{
    Press({Release(100, m_ptInside)});
    EXPECT_EQ(m_record.nCommands, 1);
    EXPECT_EQ(m_record.nNotifies, 1);
    EXPECT_EQ(m_record.nLastCode, static_cast<UINT>(qorNotifyExecute));
    EXPECT_EQ(m_pControl->GetPressed(), 0);
    EXPECT_EQ(m_pControl->GetSelected(), 0);
    EXPECT_EQ(m_pBar->m_nLastPressed, m_pControl->GetIndex());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ControlPress, ReleaseOutsideExecutesNothing)
{
    const POINT ptOutside = m_ptOutside;
    Press({{80, [ptOutside] { cbtest::SendMouse(ptOutside); }}, Release(80, m_ptOutside)});
    EXPECT_EQ(m_record.nCommands, 0);
    EXPECT_EQ(m_pControl->GetPressed(), 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ControlPress, AutoRepeatRunsAtOnceAndPerTickButNotOnRelease)
{
    m_pControl->m_nExecuteOnPressInterval = 200;
    Press({Release(1000, m_ptInside)});
    // One at once and about one per 200 ms tick; Wine's timers are not exact.
    EXPECT_GE(m_record.nCommands, 4);
    EXPECT_LE(m_record.nCommands, 7);
    for (BOOL bHeld : m_record.captureHeld)
        EXPECT_TRUE(bHeld) << "a command ran after the release";
    EXPECT_EQ(m_pControl->GetPressed(), 0);
}

TEST_F(ControlPress, AutoRepeatStopsOnceTheCommandDisablesTheControl)
{
    m_pControl->m_nExecuteOnPressInterval = 100;
    m_record.onCommand = [this](int nCount) {
        if (nCount == 2)
            m_pControl->SetEnabled(FALSE);
    };
    Press({Release(800, m_ptInside)});
    EXPECT_EQ(m_record.nCommands, 2);
}

TEST_F(ControlPress, QuitDuringThePressRunsNothingAndReachesTheOuterLoop)
{
    const DWORD dwThread = GetCurrentThreadId();
    Press({{100, [dwThread] { PostThreadMessageW(dwThread, WM_QUIT, 7, 0); }}, Release(100, m_ptInside)});
    EXPECT_EQ(m_record.nCommands, 0);
    MSG msg;
    BOOL bQuit = FALSE;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            bQuit = TRUE;
            EXPECT_EQ(msg.wParam, 7u);
            break;
        }
    }
    EXPECT_TRUE(bQuit);
}

TEST_F(ControlPress, CommandDestroyingTheFrameLeavesNoDanglingBar)
{
    m_record.onCommand = [this](int) { DestroyWindow(m_hWndSite); };
    Press({Release(100, m_ptInside)});
    EXPECT_EQ(m_record.nCommands, 1);
    EXPECT_FALSE(IsWindow(m_hWndSite));
    EXPECT_EQ(m_pBar->GetSafeHwnd(), nullptr);
    EXPECT_EQ(m_pControl->GetPressed(), 0);
}

TEST_F(ControlPress, AutoRepeatCommandDestroyingTheFrameEndsThePress)
{
    m_pControl->m_nExecuteOnPressInterval = 100;
    m_record.onCommand = [this](int nCount) {
        if (nCount == 2)
            DestroyWindow(m_hWndSite);
    };
    Press({Release(600, m_ptInside)});
    EXPECT_EQ(m_record.nCommands, 2);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ControlPress, ButtonOnAPopupBarWaitsForTheRelease)
{
    m_pBar->m_barType = qorBarTypePopup;
    m_pBar->m_barPosition = qorBarPopup;
    m_pControl->OnClick(FALSE, CPoint(20, 12));
    EXPECT_EQ(m_record.nCommands, 0);
    m_pControl->OnLButtonUp(CPoint(20, 12));
    EXPECT_EQ(m_record.nCommands, 1);
    EXPECT_EQ(m_pControl->GetPressed(), 0);
}

} // namespace
