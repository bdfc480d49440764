// The tool bars' scene with real windows and input: the manager's frame with "Standard" (tool-bar
// resource 128) and a second bar in the top row and a third in the left dock bar. The gripper
// and the group separators show in the pixels, the pointer makes a button hot, a click reaches
// the frame as one command, the view fits between the dock bars, and narrowing the frame first
// wraps the second bar to a new row, then squeezes "Standard" behind its expand button.
// One scene serves the whole suite: a shown top-level window costs seconds to destroy here.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>

#include "demos/commandbars/ToolBarsScene.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBarAnimation.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsResources.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/DockBar.h"
#include "toolkit/commandbars/ToolBar.h"

namespace {

using testsupport::PumpUntil;
using cbtest::CountChanged;
using testsupport::WindowCapture;

const UINT kPrintPreview = 32772, kBack = 32773, kRefresh = 32776; // resources/resource.h

// The distinct colours inside a rectangle of a capture.
size_t CountColours(const WindowCapture& capture, const CRect& rc)
{
    std::set<COLORREF> colours;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            colours.insert(capture.Pixel(x, y));
    return colours.size();
}

CRect ScreenRectOf(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc;
}

class ToolBarsScene : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_pScene = new CToolBarsScene;
        ASSERT_TRUE(s_pScene->Create(40, 40));
    }
    static void TearDownTestSuite()
    {
        delete s_pScene;
        s_pScene = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(s_pScene->GetSafeHwnd());
        s_pScene->SetClientWidth(CToolBarsScene::kClientWidth);
        ASSERT_TRUE(cbtest::BringToFront(s_pScene->GetSafeHwnd()));
        Rest();
    }

    static CQorToolBar* Standard() { return s_pScene->GetStandardBar(); }
    static CQorDockBar* DockBar(int nPosition)
    {
        return dynamic_cast<CQorDockBar*>(s_pScene->GetCommandBars()->GetDockBar(nPosition));
    }
    static int IndexOf(CQorToolBar* pBar, UINT nId)
    {
        for (int i = 0; i < pBar->GetControlCount(); ++i)
            if (pBar->GetControl(i)->GetID() == static_cast<int>(nId))
                return i;
        return -1;
    }
    static CRect RectOf(CQorToolBar* pBar, UINT nId) { return pBar->GetControl(IndexOf(pBar, nId))->GetRect(); }

    // The pointer rests on the view, nothing hot, no fade running.
    static void Rest()
    {
        CRect rc;
        s_pScene->GetView()->GetClientRect(&rc);
        cbtest::SendMouse(cbtest::ScreenPoint(s_pScene->GetView()->GetSafeHwnd(), rc.right - 10, rc.bottom - 10));
        PumpUntil([] { return !Standard()->GetAnimation()->IsTimerRunning() && Standard()->GetSelected() == -1; }, 1000);
        cbtest::PumpFor(30);
    }

    static CToolBarsScene* s_pScene;
};

CToolBarsScene* ToolBarsScene::s_pScene = nullptr;

TEST_F(ToolBarsScene, TwoBarsShareTheTopRowAndTheViewFitsBetweenTheDockBars)
{
    ASSERT_EQ(Standard()->GetControlCount(), 14) << "resource 128's 13 buttons and the expand button";
    EXPECT_EQ(Standard()->GetControl(13)->GetID(), QOR_ID_TOOLBAR_EXPAND);
    EXPECT_FALSE(Standard()->HasHiddenControls());
    CQorDockBar* pTop = DockBar(0);
    CQorDockBar* pLeft = DockBar(2);
    ASSERT_TRUE(pTop && pLeft);
    EXPECT_EQ(Standard()->GetParent(), pTop);
    EXPECT_EQ(s_pScene->GetNavigationBar()->GetParent(), pTop);
    EXPECT_EQ(s_pScene->GetPanesBar()->GetParent(), pLeft);
    EXPECT_TRUE(s_pScene->GetPanesBar()->IsVerticalDocked());

    const CRect rcStandard = ScreenRectOf(Standard()), rcNavigation = ScreenRectOf(s_pScene->GetNavigationBar());
    EXPECT_EQ(rcNavigation.top, rcStandard.top) << "one row";
    EXPECT_GE(rcNavigation.left, rcStandard.right);
    const CRect rcTop = ScreenRectOf(pTop), rcLeft = ScreenRectOf(pLeft), rcView = ScreenRectOf(s_pScene->GetView());
    EXPECT_EQ(rcTop.Height(), rcStandard.Height()) << "one row only";
    EXPECT_GT(rcLeft.Width(), 0);
    EXPECT_EQ(rcView.top, rcTop.bottom);
    EXPECT_EQ(rcView.left, rcLeft.right);
    EXPECT_TRUE(CRect().IntersectRect(ScreenRectOf(s_pScene->GetPanesBar()), rcLeft));
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(Standard()->GetControl(i)->GetHideFlags() & qorHideWrap, 0) << i;
}

TEST_F(ToolBarsScene, GripperSeparatorsAndImagesShowInThePixels)
{
    const WindowCapture capture(Standard()->GetSafeHwnd());
    const CRect rcGripper = Standard()->GetGripperRect();
    ASSERT_FALSE(rcGripper.IsRectEmpty());
    EXPECT_GE(CountColours(capture, rcGripper), 2u) << "the gripper's dots over the bar's fill";

    // The gap between Print Preview and Back holds a separator line; the one between two buttons
    // of a group holds only the fill.
    const CRect rcPreview = RectOf(Standard(), kPrintPreview), rcBack = RectOf(Standard(), kBack);
    ASSERT_GT(rcBack.left, rcPreview.right);
    const CRect rcGap(rcPreview.right, rcPreview.top + 3, rcBack.left, rcPreview.bottom - 3);
    EXPECT_GE(CountColours(capture, rcGap), 2u);
    EXPECT_EQ(RectOf(Standard(), kBack + 1).left, rcBack.right);

    // Every button shows an image: more than the fill within its square.
    for (int i = 0; i < 13; ++i) {
        CRect rc = Standard()->GetControl(i)->GetRect();
        rc.DeflateRect(3, 3);
        EXPECT_GE(CountColours(capture, rc), 2u) << i;
    }
}

TEST_F(ToolBarsScene, TheButtonUnderThePointerTurnsHot)
{
    const int nIndex = IndexOf(Standard(), kRefresh);
    const CRect rc = RectOf(Standard(), kRefresh);
    const WindowCapture before(Standard()->GetSafeHwnd());
    cbtest::SendMouse(cbtest::ScreenPoint(Standard()->GetSafeHwnd(), rc.CenterPoint().x, rc.CenterPoint().y));
    ASSERT_TRUE(PumpUntil([&] { return Standard()->GetSelected() == nIndex; }));
    PumpUntil([] { return !Standard()->GetAnimation()->IsTimerRunning(); });
    const WindowCapture hot(Standard()->GetSafeHwnd());
    EXPECT_GT(CountChanged(before, hot, rc), rc.Width() * 2);
    EXPECT_EQ(CountChanged(before, hot, RectOf(Standard(), kBack)), 0);
}

TEST_F(ToolBarsScene, AClickSendsTheFrameExactlyOneCommand)
{
    const size_t nBefore = s_pScene->GetCommands().size();
    const CRect rc = RectOf(Standard(), kBack);
    cbtest::SendClick(cbtest::ScreenPoint(Standard()->GetSafeHwnd(), rc.CenterPoint().x, rc.CenterPoint().y));
    PumpUntil([&] { return s_pScene->GetCommands().size() > nBefore; }, 3000);
    cbtest::PumpFor(150);
    ASSERT_EQ(s_pScene->GetCommands().size(), nBefore + 1);
    EXPECT_EQ(s_pScene->GetCommands().back(), kBack);
}

TEST_F(ToolBarsScene, NarrowingWrapsTheSecondBarThenSqueezesStandardBehindItsExpandButton)
{
    CQorToolBar* pNavigation = s_pScene->GetNavigationBar();
    const int nStandard = ScreenRectOf(Standard()).Width();
    const int nNavigation = ScreenRectOf(pNavigation).Width();
    auto hiddenCount = [] {
        int n = 0;
        for (int i = 0; i < 13; ++i)
            n += (Standard()->GetControl(i)->GetHideFlags() & qorHideWrap) ? 1 : 0;
        return n;
    };

    // Room for "Standard" but not for both: the second bar, which never hides buttons, opens a
    // row below.
    s_pScene->SetClientWidth(nStandard + nNavigation / 2);
    CRect rcStandard = ScreenRectOf(Standard()), rcNavigation = ScreenRectOf(pNavigation);
    const CRect rcTop = ScreenRectOf(DockBar(0));
    EXPECT_EQ(rcNavigation.top, rcStandard.bottom);
    EXPECT_EQ(rcTop.Height(), rcStandard.Height() + rcNavigation.Height());
    EXPECT_FALSE(CRect().IntersectRect(rcStandard, rcNavigation));
    for (const CRect& rc : {rcStandard, rcNavigation}) {
        CRect rcInside;
        EXPECT_TRUE(rcInside.IntersectRect(rc, rcTop) && rcInside == rc) << "inside the top dock bar";
    }
    EXPECT_EQ(hiddenCount(), 0);
    EXPECT_EQ(ScreenRectOf(s_pScene->GetView()).top, rcTop.bottom);
    EXPECT_EQ(ScreenRectOf(DockBar(2)).top, rcTop.bottom);

    // Less than "Standard" needs: its last buttons hide and the expand button shows.
    s_pScene->SetClientWidth(nStandard / 2);
    rcStandard = ScreenRectOf(Standard());
    EXPECT_LE(rcStandard.right, ScreenRectOf(DockBar(0)).right);
    EXPECT_GT(hiddenCount(), 0);
    EXPECT_LT(hiddenCount(), 13);
    EXPECT_TRUE(Standard()->HasHiddenControls());
    CQorControl* pExpand = Standard()->GetExpandButton();
    ASSERT_NE(pExpand, nullptr);
    EXPECT_EQ(pExpand->GetID(), QOR_ID_TOOLBAR_EXPAND);
    EXPECT_TRUE(pExpand->IsVisible());
    EXPECT_FALSE(pExpand->GetRect().IsRectEmpty());
    cbtest::PumpFor(30);
    const WindowCapture squeezed(Standard()->GetSafeHwnd());
    EXPECT_GE(CountColours(squeezed, pExpand->GetRect()), 2u) << "the expand sign";

    // Wide again: one row, nothing hidden.
    s_pScene->SetClientWidth(CToolBarsScene::kClientWidth);
    EXPECT_EQ(ScreenRectOf(pNavigation).top, ScreenRectOf(Standard()).top);
    EXPECT_EQ(hiddenCount(), 0);
}

} // namespace
