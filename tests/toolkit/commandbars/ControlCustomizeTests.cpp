// Customize mode on one control with real input: a drag to nowhere removes the control and
// hands its group on, a click keeps it; the edge of a resizable control resizes it, Escape
// cancels, and a control that leaves its bar during the resize ends it without touching the bar.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <vector>

#include "platform/framework/WinApp.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/PaintManager.h"

namespace {

class CResizableControl : public CQorControlButton
{
public:
    BOOL IsCustomizeResizeAllowed() const override { return TRUE; }
    int GetCustomizeMinWidth() const override { return 20; }
};

using Step = cbtest::InputStep;

class ControlCustomize : public testing::Test
{
protected:
    void SetUp() override
    {
        m_hWndFrame = cbtest::CreatePlainWindow({80, 80, 480, 220}, WS_OVERLAPPED | WS_VISIBLE);
        ASSERT_TRUE(cbtest::BringToFront(m_hWndFrame));
        m_pCommandBars->SetCustomizeMode(TRUE);
        m_pBar->SetCommandBars(m_pCommandBars);
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
        ASSERT_TRUE(m_pBar->CreateEx(0, lpszClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 300, 30, m_hWndFrame, nullptr));
        for (int i = 0; i < 3; i++) {
            CQorControl* pControl = m_pBar->GetControls()->InsertControl(new CResizableControl, 100 + i);
            pControl->SetRect(CRect(10 + 40 * i, 4, 40 + 40 * i, 26));
        }
        At(1)->m_bBeginGroup = TRUE;
    }
    void TearDown() override
    {
        cbtest::SendMouse(cbtest::ScreenPoint(m_hWndFrame, 350, 100), MOUSEEVENTF_LEFTUP);
        cbtest::PumpFor(20);
        m_pBar->DestroyWindow();
        m_pBar->InternalRelease();
        m_pCommandBars->InternalRelease();
        DestroyWindow(m_hWndFrame);
    }
    CQorControl* At(int i) const { return m_pBar->GetControls()->GetAt(i); }
    POINT OnBar(int x, int y) const { return cbtest::ScreenPoint(m_pBar->GetSafeHwnd(), x, y); }

    // Presses at a bar point (the bar hands the press to the control there) and runs the script
    // while the control handles the press.
    void Press(CQorControl* pControl, CPoint point, std::vector<Step> steps)
    {
        ASSERT_EQ(m_pBar->GetControls()->HitTest(point), pControl);
        cbtest::SendMouse(OnBar(point.x, point.y));
        cbtest::PumpFor(30);
        cbtest::SendMouse(OnBar(point.x, point.y), MOUSEEVENTF_LEFTDOWN);
        std::atomic<bool> bDone(false);
        steps.push_back({60, [&bDone] { bDone = true; }});
        cbtest::RunWithInput(steps, [&bDone] {
            testsupport::PumpUntil([&bDone] { return bDone.load(); }, 5000);
            cbtest::PumpFor(30);
        });
    }
    Step Move(DWORD dwDelay, POINT pt)
    {
        return {dwDelay, [pt] { cbtest::SendMouse(pt); }};
    }
    Step Release(DWORD dwDelay, POINT pt)
    {
        return {dwDelay, [pt] { cbtest::SendMouse(pt, MOUSEEVENTF_LEFTUP); }};
    }

    HWND m_hWndFrame = nullptr;
    CQorCommandBars* m_pCommandBars = new CQorCommandBars;
    CQorCommandBar* m_pBar = new CQorCommandBar;
};

TEST_F(ControlCustomize, DragToNowhereRemovesTheFirstControlAndEndsItsGroup)
{
    const POINT ptAway = cbtest::ScreenPoint(m_hWndFrame, 350, 100);
    CQorControl* pSecond = At(1);
    Press(At(0), CPoint(20, 12), {Move(60, OnBar(60, 40)), Move(60, ptAway), Release(60, ptAway)});
    ASSERT_EQ(m_pBar->GetControlCount(), 2);
    EXPECT_EQ(At(0), pSecond);
    EXPECT_FALSE(pSecond->GetBeginGroup());
    EXPECT_EQ(m_pCommandBars->GetDragControl(), nullptr);
}

TEST_F(ControlCustomize, RemovingAGroupStartHandsTheGroupOn)
{
    const POINT ptAway = cbtest::ScreenPoint(m_hWndFrame, 350, 100);
    CQorControl* pThird = At(2);
    Press(At(1), CPoint(60, 12), {Move(60, OnBar(60, 40)), Move(60, ptAway), Release(60, ptAway)});
    ASSERT_EQ(m_pBar->GetControlCount(), 2);
    EXPECT_TRUE(pThird->GetBeginGroup());
}

TEST_F(ControlCustomize, AClickSelectsAndKeepsTheControl)
{
    CQorControl* pFirst = At(0);
    Press(pFirst, CPoint(20, 12), {Release(60, OnBar(20, 12))});
    EXPECT_EQ(m_pBar->GetControlCount(), 3);
    EXPECT_EQ(m_pCommandBars->GetDragControl(), pFirst);
}

TEST_F(ControlCustomize, EdgeOfTheSelectedControlResizesIt)
{
    CQorControl* pControl = At(0);
    m_pCommandBars->SetDragControl(pControl);
    // The right edge (x 39) dragged 25 pixels right.
    Press(pControl, CPoint(38, 12), {Move(60, OnBar(50, 12)), Move(60, OnBar(63, 12)), Release(60, OnBar(63, 12))});
    EXPECT_EQ(pControl->GetWidth(), 30 + 25);
    EXPECT_TRUE(m_pBar->IsLayoutDelayed());
    EXPECT_EQ(m_pCommandBars->GetDragControl(), pControl);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(m_pBar->GetControlCount(), 3);

    // The left edge cannot go past the least width.
    pControl->SetWidth(0);
    Press(pControl, CPoint(10, 12), {Move(60, OnBar(30, 12)), Move(60, OnBar(60, 12)), Release(60, OnBar(60, 12))});
    EXPECT_EQ(pControl->GetWidth(), 20);
}

TEST_F(ControlCustomize, PopupItemResizeLeavesOutTheIconColumnAndCaptionGap)
{
    // The same drag on an item of a menu-like popup: the popup gap before the item's own part
    // is not the control's width.
    m_pBar->m_barType = qorBarTypePopup;
    m_pBar->m_barPosition = qorBarPopup;
    const int nGap = m_pBar->GetPaintManager()->GetPopupBarGap(m_pBar);
    ASSERT_GT(nGap, 20);
    CQorControl* pControl = At(0);
    m_pCommandBars->SetDragControl(pControl);
    Press(pControl, CPoint(38, 12), {Move(60, OnBar(50, 12)), Move(60, OnBar(63, 12)), Release(60, OnBar(63, 12))});
    EXPECT_EQ(pControl->GetWidth(), 30 + 25 - nGap);

    // Dragged down to its least width, the item keeps that width: the gap never makes it
    // narrower, nor negative.
    pControl->SetWidth(0);
    Press(pControl, CPoint(10, 12), {Move(60, OnBar(30, 12)), Move(60, OnBar(60, 12)), Release(60, OnBar(60, 12))});
    EXPECT_EQ(pControl->GetWidth(), 20);
}

TEST_F(ControlCustomize, EscapeCancelsTheResize)
{
    CQorControl* pControl = At(0);
    m_pCommandBars->SetDragControl(pControl);
    Press(pControl, CPoint(38, 12),
          {Move(60, OnBar(70, 12)),
           {60, [] { cbtest::SendKey(VK_ESCAPE); }},
           {20, [] { cbtest::SendKey(VK_ESCAPE, true); }},
           Release(60, OnBar(70, 12))});
    EXPECT_EQ(pControl->GetWidth(), 0);
    EXPECT_EQ(m_pBar->GetControlCount(), 3);
}

// Removes the resized control from its bar while the resize runs.
CQorControl* g_pRemoved = nullptr;
void CALLBACK RemoveDuringResize(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    KillTimer(nullptr, nIDEvent);
    if (g_pRemoved)
        g_pRemoved->GetControls()->Remove(g_pRemoved);
}

TEST_F(ControlCustomize, ControlLeavingItsBarEndsTheResizeUntouched)
{
    CQorControl* pControl = At(0);
    pControl->InternalAddRef();
    g_pRemoved = pControl;
    m_pCommandBars->SetDragControl(pControl);
    SetTimer(nullptr, 0, 80, RemoveDuringResize);
    Press(pControl, CPoint(38, 12), {Move(40, OnBar(50, 12)), Move(200, OnBar(70, 12)), Release(60, OnBar(70, 12))});
    g_pRemoved = nullptr;
    EXPECT_EQ(pControl->GetParent(), nullptr);
    EXPECT_EQ(pControl->GetWidth(), 0);
    EXPECT_EQ(m_pBar->GetControlCount(), 2);
    EXPECT_EQ(m_pCommandBars->GetDragControl(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    pControl->InternalRelease();
}

} // namespace
