// The services scene with real input: a hovered cell fades to its hot colour, a click outside
// the tracked chain closes both bars and reaches the window, Ctrl+Shift+F3 becomes the
// command whose shortcut text it is, and a cell dragged to the other bar moves there.
#include <gtest/gtest.h>
#include <windows.h>

#include "demos/commandbars/ServicesScene.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBarAnimation.h"
#include "toolkit/commandbars/MouseManager.h"

namespace {

using testsupport::PumpUntil;

class ServicesSceneTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_scene.Create(100, 100));
        ASSERT_TRUE(cbtest::BringToFront(m_scene.GetSafeHwnd()));
        // Start from a resting cursor outside the bars.
        cbtest::SendMouse(Screen(CServicesScene::GetFreeArea().CenterPoint()));
        cbtest::PumpFor(100);
    }

    POINT Screen(CPoint ptClient) { return cbtest::ScreenPoint(m_scene.GetSafeHwnd(), ptClient.x, ptClient.y); }
    POINT CellPoint(int nBar, int nCell)
    {
        CPoint pt = m_scene.GetBar(nBar)->GetCellRect(nCell).CenterPoint();
        return cbtest::ScreenPoint(m_scene.GetBar(nBar)->GetSafeHwnd(), pt.x, pt.y);
    }

    // Pumps as the scene's loop does, with the shortcut manager first.
    void Pump(DWORD dwMilliseconds)
    {
        const DWORD dwStart = GetTickCount();
        do {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (m_scene.TranslateMessage(&msg))
                    continue;
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            Sleep(1);
        } while (GetTickCount() - dwStart < dwMilliseconds);
    }

    CServicesScene m_scene;
};

TEST_F(ServicesSceneTest, AHoveredCellFadesToItsHotColour)
{
    CCellBar* pBar = m_scene.GetBar(0);
    const CPoint ptCell = pBar->GetCellRect(1).CenterPoint();
    cbtest::SendMouse(CellPoint(0, 1));
    ASSERT_TRUE(PumpUntil([&] { return pBar->GetSelected() == 1; }));

    // Mid-fade: between the cell's colour and the hot colour in every channel that differs.
    const COLORREF clrMid = cbtest::WindowPixel(pBar->GetSafeHwnd(), ptCell.x, ptCell.y);
    EXPECT_TRUE(pBar->GetAnimation()->IsTimerRunning());
    EXPECT_GT(GetRValue(clrMid), GetRValue(CServicesScene::kCellColor));
    EXPECT_LT(GetRValue(clrMid), GetRValue(CServicesScene::kHotColor));
    EXPECT_GT(GetBValue(clrMid), GetBValue(CServicesScene::kHotColor));
    EXPECT_LT(GetBValue(clrMid), GetBValue(CServicesScene::kCellColor));

    ASSERT_TRUE(PumpUntil([&] { return !pBar->GetAnimation()->IsTimerRunning(); }, 2000));
    EXPECT_EQ(CServicesScene::kHotColor, cbtest::WindowPixel(pBar->GetSafeHwnd(), ptCell.x, ptCell.y));

    // Leaving the bar fades the cell back.
    cbtest::SendMouse(Screen(CServicesScene::GetFreeArea().CenterPoint()));
    ASSERT_TRUE(PumpUntil([&] { return pBar->GetSelected() == -1 && !pBar->GetAnimation()->IsTimerRunning(); }, 2000));
    EXPECT_EQ(CServicesScene::kCellColor, cbtest::WindowPixel(pBar->GetSafeHwnd(), ptCell.x, ptCell.y));
}

TEST_F(ServicesSceneTest, AClickOutsideTheChainClosesBothBarsAndReachesTheWindow)
{
    m_scene.OpenChain();
    cbtest::SendClick(Screen(CServicesScene::GetFreeArea().CenterPoint()));
    ASSERT_TRUE(PumpUntil([&] { return m_scene.GetClickCount() == 1; }));
    ASSERT_EQ(2u, m_scene.GetEndLog().size());
    EXPECT_EQ(m_scene.GetBar(0), m_scene.GetEndLog()[0]);
    EXPECT_EQ(m_scene.GetBar(1), m_scene.GetEndLog()[1]);
    EXPECT_TRUE(GetMouseManager()->GetTrackArray().IsEmpty());
}

TEST_F(ServicesSceneTest, CtrlShiftF3BecomesTheCommandItNames)
{
    cbtest::SendKey(VK_CONTROL);
    cbtest::SendKey(VK_SHIFT);
    cbtest::SendKey(VK_F3);
    cbtest::SendKey(VK_F3, true);
    cbtest::SendKey(VK_SHIFT, true);
    cbtest::SendKey(VK_CONTROL, true);
    Pump(200);
    ASSERT_EQ(1u, m_scene.GetCommands().size());
    EXPECT_EQ(static_cast<UINT>(CServicesScene::kCommandFind), m_scene.GetCommands()[0]);

    CString text;
    EXPECT_TRUE(m_scene.GetShortcutManager()->FindDefaultAccelerator(CServicesScene::kCommandFind, text));
    EXPECT_STREQ(L"Ctrl+Shift+F3", text);
}

TEST_F(ServicesSceneTest, ACellDraggedToTheOtherBarMovesThere)
{
    CCellBar* pFrom = m_scene.GetBar(0);
    CCellBar* pTo = m_scene.GetBar(1);
    const int nFrom = pFrom->GetCellCount();
    const int nTo = pTo->GetCellCount();
    CColorCell* pCell = pFrom->GetCell(0);
    const POINT ptStart = CellPoint(0, 0);
    CRect rcTo;
    pTo->GetWindowRect(&rcTo);
    const POINT ptEnd = {rcTo.right - 10, rcTo.CenterPoint().y};

    cbtest::SendMouse(ptStart);
    cbtest::SendMouse(ptStart, MOUSEEVENTF_LEFTDOWN);
    cbtest::SendMouse({ptStart.x, ptStart.y + 20});
    cbtest::SendMouse(ptEnd);
    cbtest::SendMouse(ptEnd, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return pTo->m_nDrops == 1; }));

    EXPECT_EQ(static_cast<DROPEFFECT>(DROPEFFECT_MOVE), pFrom->m_lastDragResult);
    EXPECT_EQ(nFrom - 1, pFrom->GetCellCount());
    EXPECT_EQ(nTo + 1, pTo->GetCellCount());
    EXPECT_EQ(pCell, pTo->GetCell(nTo));
    EXPECT_EQ(nullptr, GetCapture());
}

} // namespace
