// The command bars' scene with real input: a plain frame with a tool bar made from ids and a
// panel made from a menu, in the native XP look. The pointer makes a button hot and its pixels
// change; a click reaches the frame as one command; keys move the hot control and Enter runs
// it once; the frame's update handlers disable and check controls, shown after idle update.
// The pixels are read from the screen, where a bar that never redraws would show nothing new.
// One scene serves the whole suite: a shown top-level window costs seconds to destroy here.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "demos/commandbars/BarsScene.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarAnimation.h"
#include "toolkit/commandbars/Control.h"

namespace {

using testsupport::PumpUntil;
using cbtest::CountChanged;
using testsupport::WindowCapture;

class BarsScene : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_pScene = new CBarsScene;
        ASSERT_TRUE(s_pScene->Create(60, 60));
    }
    static void TearDownTestSuite()
    {
        delete s_pScene;
        s_pScene = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(s_pScene->GetSafeHwnd());
        ASSERT_TRUE(cbtest::BringToFront(s_pScene->GetSafeHwnd()));
        Rest();
    }
    void TearDown() override
    {
        ToolBar()->SetTrackingMode(0);
        Panel()->SetTrackingMode(0);
        Rest();
    }

    static CQorCommandBar* ToolBar() { return s_pScene->GetToolBar(); }
    static CQorCommandBar* Panel() { return s_pScene->GetPanelBar(); }
    static CQorControl* ControlOf(CQorCommandBar* pBar, int nId) { return pBar->GetControl(CBarsScene::IndexOf(pBar, nId)); }
    static CRect RectOf(CQorCommandBar* pBar, int nId) { return ControlOf(pBar, nId)->GetRect(); }
    static POINT ScreenPoint(CQorCommandBar* pBar, CPoint pt) { return cbtest::ScreenPoint(pBar->GetSafeHwnd(), pt.x, pt.y); }
    static POINT CentreOf(CQorCommandBar* pBar, int nId) { return ScreenPoint(pBar, RectOf(pBar, nId).CenterPoint()); }

    // The pointer rests in the frame's free client area, nothing hot, no fade running.
    static void Rest()
    {
        const HWND hWnd = s_pScene->GetSafeHwnd();
        CRect rc;
        ::GetClientRect(hWnd, &rc);
        cbtest::SendMouse(cbtest::ScreenPoint(hWnd, rc.right - 20, rc.bottom - 20));
        Settle();
    }
    // Waits until both bars show their final state.
    static void Settle()
    {
        PumpUntil(
            [] {
                return !ToolBar()->GetAnimation()->IsTimerRunning() && !Panel()->GetAnimation()->IsTimerRunning() &&
                       ToolBar()->GetSelected() == -1 && Panel()->GetSelected() == -1;
            },
            1000);
        cbtest::PumpFor(30);
    }
    static void WaitForFades()
    {
        PumpUntil([] {
            return !ToolBar()->GetAnimation()->IsTimerRunning() && !Panel()->GetAnimation()->IsTimerRunning();
        });
    }
    static void Press(WORD vk)
    {
        cbtest::SendKey(vk);
        cbtest::SendKey(vk, true);
        cbtest::PumpFor(60);
    }
    static size_t CommandCount() { return s_pScene->GetCommands().size(); }

    static CBarsScene* s_pScene;
};

CBarsScene* BarsScene::s_pScene = nullptr;

TEST_F(BarsScene, IdsStandInARowAndTheMenuInAColumnBelowIt)
{
    const int toolIds[] = {ID_SCENE_NEW, ID_SCENE_OPEN, ID_SCENE_SAVE, ID_SCENE_CUT,
                           ID_SCENE_COPY, ID_SCENE_PASTE, ID_SCENE_UNDO, ID_SCENE_BOLD};
    ASSERT_EQ(ToolBar()->GetControlCount(), 8);
    for (int i = 1; i < 8; ++i) {
        SCOPED_TRACE(i);
        const CRect rcPrev = RectOf(ToolBar(), toolIds[i - 1]), rc = RectOf(ToolBar(), toolIds[i]);
        EXPECT_GE(rc.left, rcPrev.right);
        EXPECT_EQ(rc.CenterPoint().y, rcPrev.CenterPoint().y);
        EXPECT_FALSE(rc.IsRectEmpty());
    }
    // A group leaves room for its separator; the split button is wider than a plain button.
    EXPECT_GT(RectOf(ToolBar(), ID_SCENE_CUT).left, RectOf(ToolBar(), ID_SCENE_SAVE).right);
    EXPECT_EQ(RectOf(ToolBar(), ID_SCENE_COPY).left, RectOf(ToolBar(), ID_SCENE_CUT).right);
    EXPECT_GT(RectOf(ToolBar(), ID_SCENE_UNDO).Width(), RectOf(ToolBar(), ID_SCENE_SAVE).Width());

    // The menu's four items (the separator makes none), stacked in one column.
    const int panelIds[] = {ID_SCENE_CONTENTS, ID_SCENE_BOOKMARKS, ID_SCENE_READONLY, ID_SCENE_ZOOMIN};
    ASSERT_EQ(Panel()->GetControlCount(), 4);
    for (int i = 1; i < 4; ++i) {
        SCOPED_TRACE(i);
        const CRect rcPrev = RectOf(Panel(), panelIds[i - 1]), rc = RectOf(Panel(), panelIds[i]);
        EXPECT_GE(rc.top, rcPrev.bottom);
        EXPECT_EQ(rc.CenterPoint().x, rcPrev.CenterPoint().x);
    }
    EXPECT_TRUE(ControlOf(Panel(), ID_SCENE_READONLY)->GetBeginGroup());
    const RECT rcTool = testsupport::WindowRectIn(ToolBar()->GetSafeHwnd(), s_pScene->GetSafeHwnd());
    const RECT rcPanel = testsupport::WindowRectIn(Panel()->GetSafeHwnd(), s_pScene->GetSafeHwnd());
    EXPECT_EQ(rcPanel.top, rcTool.bottom);
    EXPECT_LT(rcPanel.right - rcPanel.left, rcTool.right - rcTool.left);
}

TEST_F(BarsScene, TheButtonUnderThePointerTurnsHotAndBackWhenItLeaves)
{
    struct Case
    {
        const char* name;
        bool bPanel;
        int nId, nNeighbour;
    };
    const Case cases[] = {
        {"tool bar", false, ID_SCENE_SAVE, ID_SCENE_OPEN},
        {"split button", false, ID_SCENE_UNDO, ID_SCENE_BOLD},
        {"panel", true, ID_SCENE_BOOKMARKS, ID_SCENE_CONTENTS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CQorCommandBar* pBar = c.bPanel ? Panel() : ToolBar();
        const CRect rc = RectOf(pBar, c.nId);
        const WindowCapture before(pBar->GetSafeHwnd(), true);
        cbtest::SendMouse(CentreOf(pBar, c.nId));
        ASSERT_TRUE(PumpUntil([&] { return pBar->GetSelected() == CBarsScene::IndexOf(pBar, c.nId); }));
        WaitForFades();
        const WindowCapture hot(pBar->GetSafeHwnd(), true);
        EXPECT_GT(CountChanged(before, hot, rc), rc.Width() * 2);
        EXPECT_EQ(CountChanged(before, hot, RectOf(pBar, c.nNeighbour)), 0);

        Rest();
        const WindowCapture after(pBar->GetSafeHwnd(), true);
        EXPECT_EQ(CountChanged(before, after, rc), 0);
    }
}

TEST_F(BarsScene, AClickReachesTheFrameAsExactlyOneCommand)
{
    struct Case
    {
        const char* name;
        bool bPanel;
        int nId;
        int nDx; // from the control's centre
        int nExpected;
    };
    const int nUndoHalf = RectOf(ToolBar(), ID_SCENE_UNDO).Width() / 2;
    const Case cases[] = {
        {"tool bar button", false, ID_SCENE_SAVE, 0, ID_SCENE_SAVE},
        {"split button's button part", false, ID_SCENE_UNDO, -nUndoHalf + 5, ID_SCENE_UNDO},
        // Its arrow opens the popup bar, which the bar refuses until popup bars exist: no command.
        {"split button's arrow", false, ID_SCENE_UNDO, nUndoHalf - 3, 0},
        {"menu item with an icon", true, ID_SCENE_CONTENTS, 0, ID_SCENE_CONTENTS},
        {"menu item with a caption", true, ID_SCENE_ZOOMIN, 0, ID_SCENE_ZOOMIN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CQorCommandBar* pBar = c.bPanel ? Panel() : ToolBar();
        const size_t nBefore = CommandCount();
        CPoint pt = RectOf(pBar, c.nId).CenterPoint();
        pt.x += c.nDx;
        cbtest::SendClick(ScreenPoint(pBar, pt));
        PumpUntil([&] { return CommandCount() > nBefore; }, c.nExpected ? 3000 : 400);
        cbtest::PumpFor(150);
        if (c.nExpected) {
            ASSERT_EQ(CommandCount(), nBefore + 1);
            EXPECT_EQ(s_pScene->GetCommands().back(), static_cast<UINT>(c.nExpected));
        } else {
            EXPECT_EQ(CommandCount(), nBefore);
        }
        Rest();
    }
}

TEST_F(BarsScene, KeysMoveTheHotControlAndEnterRunsItOnce)
{
    // F10 hands the keyboard to the tool bar: its first control is hot.
    ::SetFocus(s_pScene->GetSafeHwnd());
    Press(VK_F10);
    ASSERT_EQ(ToolBar()->GetTrackingMode(), 1);
    EXPECT_EQ(ToolBar()->GetSelected(), 0);
    WaitForFades();
    const WindowCapture first(ToolBar()->GetSafeHwnd(), true);
    Press(VK_RIGHT);
    EXPECT_EQ(ToolBar()->GetSelected(), CBarsScene::IndexOf(ToolBar(), ID_SCENE_OPEN));
    WaitForFades();
    const WindowCapture second(ToolBar()->GetSafeHwnd(), true);
    EXPECT_GT(CountChanged(first, second, RectOf(ToolBar(), ID_SCENE_NEW)), 0);
    EXPECT_GT(CountChanged(first, second, RectOf(ToolBar(), ID_SCENE_OPEN)), 0);
    Press(VK_END);
    EXPECT_EQ(ToolBar()->GetSelected(), CBarsScene::IndexOf(ToolBar(), ID_SCENE_BOLD));
    Press(VK_LEFT);
    EXPECT_EQ(ToolBar()->GetSelected(), CBarsScene::IndexOf(ToolBar(), ID_SCENE_UNDO));
    size_t nBefore = CommandCount();
    Press(VK_RETURN);
    cbtest::PumpFor(100);
    ASSERT_EQ(CommandCount(), nBefore + 1);
    EXPECT_EQ(s_pScene->GetCommands().back(), static_cast<UINT>(ID_SCENE_UNDO));
    EXPECT_EQ(ToolBar()->GetTrackingMode(), 0);

    // The panel runs down its column, over the separator.
    ASSERT_TRUE(Panel()->SetTrackingMode(1, TRUE, TRUE));
    EXPECT_EQ(Panel()->GetSelected(), 0);
    Press(VK_DOWN);
    Press(VK_DOWN);
    EXPECT_EQ(Panel()->GetSelected(), CBarsScene::IndexOf(Panel(), ID_SCENE_READONLY));
    Press(VK_UP);
    EXPECT_EQ(Panel()->GetSelected(), CBarsScene::IndexOf(Panel(), ID_SCENE_BOOKMARKS));
    nBefore = CommandCount();
    Press(VK_RETURN);
    cbtest::PumpFor(100);
    ASSERT_EQ(CommandCount(), nBefore + 1);
    EXPECT_EQ(s_pScene->GetCommands().back(), static_cast<UINT>(ID_SCENE_BOOKMARKS));
}

TEST_F(BarsScene, UpdateHandlersDisableAndCheckAndThePixelsFollowAtIdleTime)
{
    const HWND hWndFrame = s_pScene->GetSafeHwnd();
    ASSERT_FALSE(s_pScene->IsReadOnly());
    ASSERT_FALSE(s_pScene->IsBold());
    const WindowCapture toolBefore(ToolBar()->GetSafeHwnd(), true);
    const WindowCapture panelBefore(Panel()->GetSafeHwnd(), true);
    const COLORREF clrCutRed = RGB(210, 40, 40); // the handles of the scissors
    ASSERT_GT(toolBefore.CountColor(clrCutRed, RectOf(ToolBar(), ID_SCENE_CUT)), 4);

    ::SendMessageW(hWndFrame, WM_COMMAND, ID_SCENE_READONLY, 0);
    ::SendMessageW(hWndFrame, WM_COMMAND, ID_SCENE_BOLD, 0);
    // Nothing shows before the idle-time update.
    EXPECT_TRUE(ControlOf(ToolBar(), ID_SCENE_CUT)->GetEnabled());
    s_pScene->UpdateCommandUI();
    cbtest::PumpFor(50);
    WaitForFades();
    EXPECT_FALSE(ControlOf(ToolBar(), ID_SCENE_CUT)->GetEnabled());
    EXPECT_FALSE(ControlOf(ToolBar(), ID_SCENE_PASTE)->GetEnabled());
    EXPECT_TRUE(ControlOf(ToolBar(), ID_SCENE_BOLD)->GetChecked());
    EXPECT_TRUE(ControlOf(Panel(), ID_SCENE_READONLY)->GetChecked());

    const WindowCapture toolAfter(ToolBar()->GetSafeHwnd(), true);
    const WindowCapture panelAfter(Panel()->GetSafeHwnd(), true);
    // Disabled: the icon is drawn grey, its colours gone.
    EXPECT_EQ(toolAfter.CountColor(clrCutRed, RectOf(ToolBar(), ID_SCENE_CUT)), 0);
    EXPECT_GT(CountChanged(toolBefore, toolAfter, RectOf(ToolBar(), ID_SCENE_PASTE)), 0);
    // Checked: the button's background changes around its icon.
    EXPECT_GT(CountChanged(toolBefore, toolAfter, RectOf(ToolBar(), ID_SCENE_BOLD)), RectOf(ToolBar(), ID_SCENE_BOLD).Width());
    EXPECT_GT(CountChanged(panelBefore, panelAfter, RectOf(Panel(), ID_SCENE_READONLY)), 0);
    // What no handler changed looks the same.
    EXPECT_EQ(CountChanged(toolBefore, toolAfter, RectOf(ToolBar(), ID_SCENE_COPY)), 0);
    EXPECT_EQ(CountChanged(panelBefore, panelAfter, RectOf(Panel(), ID_SCENE_CONTENTS)), 0);

    // Back again: the bars look as they did.
    ::SendMessageW(hWndFrame, WM_COMMAND, ID_SCENE_READONLY, 0);
    ::SendMessageW(hWndFrame, WM_COMMAND, ID_SCENE_BOLD, 0);
    s_pScene->UpdateCommandUI();
    cbtest::PumpFor(50);
    WaitForFades();
    const WindowCapture toolAgain(ToolBar()->GetSafeHwnd(), true);
    EXPECT_EQ(CountChanged(toolBefore, toolAgain, CRect(0, 0, toolAgain.Width(), toolAgain.Height())), 0);
}

} // namespace
