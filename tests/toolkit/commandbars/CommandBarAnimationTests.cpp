// Painting through the animation object: the cross-fade's steps, fades replaced and skipped,
// unanimated redraws inside a fade, animation switched off, and a resize.
#include <gtest/gtest.h>
#include <windows.h>

#include "demos/commandbars/CellBar.h"
#include "tests/common/MessageLog.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBarAnimation.h"
#include "toolkit/commandbars/PaintManager.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// A bar of two white cells that turn black when hot, painted once.
class AnimationTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_bar.m_bAnimation = TRUE;
        m_bar.m_clrHot = kBlack;
        m_bar.AddCell(new CColorCell(kWhite));
        m_bar.AddCell(new CColorCell(kWhite));
        ASSERT_TRUE(
            m_bar.CreateBar(WS_POPUP | WS_VISIBLE, CRect(100, 100, 100 + CCellBar::GetBarWidth(2), 140), nullptr));
        m_bar.UpdateWindow();
    }

    void TearDown() override { m_bar.DestroyWindow(); }

    CQorCommandBarAnimation* Animation() { return m_bar.GetAnimation(); }
    BYTE Red(CPoint pt) { return GetRValue(cbtest::WindowPixel(m_bar.GetSafeHwnd(), pt.x, pt.y)); }
    CPoint CellCentre(int nCell) { return m_bar.GetCellRect(nCell).CenterPoint(); }

    CCellBar m_bar;
};

TEST_F(AnimationTest, AFadeFromWhiteToBlackTakesSixSteps)
{
    ASSERT_TRUE(Animation()->HasCache());
    m_bar.SetSelected(0); // the first step shows at once
    EXPECT_TRUE(Animation()->IsTimerRunning());
    EXPECT_EQ(212, Red(CellCentre(0)));
    const BYTE expected[] = {169, 127, 84, 42, 0};
    for (int nStep = 0; nStep < 5; ++nStep) {
        SCOPED_TRACE(nStep + 2);
        EXPECT_EQ(1, Animation()->GetFadeCount());
        Animation()->OnAnimationTimer();
        EXPECT_EQ(expected[nStep], Red(CellCentre(0)));
    }
    EXPECT_EQ(0, Animation()->GetFadeCount());
    EXPECT_FALSE(Animation()->IsTimerRunning());
    EXPECT_EQ(0, Red(CellCentre(0)));
    EXPECT_EQ(255, Red(CellCentre(1)));
}

TEST_F(AnimationTest, HoverAndUnhoverInQuickSuccessionLeaveOneFade)
{
    m_bar.SetSelected(0);
    Animation()->OnAnimationTimer();
    m_bar.SetSelected(-1);
    EXPECT_EQ(1, Animation()->GetFadeCount());
    // The fade back starts from the cache, which holds the first fade's end (black).
    EXPECT_EQ(41, Red(CellCentre(0)));
    testsupport::PumpUntil([&] { return !Animation()->IsTimerRunning(); }, 2000);
    EXPECT_EQ(255, Red(CellCentre(0)));
}

TEST_F(AnimationTest, AnUnchangedRectangleStartsNoFadeAndNoTimer)
{
    const CRect rc = m_bar.GetCellRect(1);
    m_bar.Redraw(&rc, TRUE);
    EXPECT_EQ(0, Animation()->GetFadeCount());
    EXPECT_FALSE(Animation()->IsTimerRunning());
}

TEST_F(AnimationTest, AnUnanimatedRedrawInsideAFadeSurvivesItsLaterSteps)
{
    m_bar.SetSelected(0);
    CRect rcInner = m_bar.GetCellRect(0);
    rcInner.DeflateRect(10, 10);
    m_bar.m_clrHot = RGB(255, 0, 0);
    m_bar.Redraw(&rcInner, FALSE);
    for (int nStep = 0; nStep < 6; ++nStep)
        Animation()->OnAnimationTimer();
    EXPECT_EQ(RGB(255, 0, 0),
              cbtest::WindowPixel(m_bar.GetSafeHwnd(), rcInner.CenterPoint().x, rcInner.CenterPoint().y));
    const CRect rcCell = m_bar.GetCellRect(0);
    EXPECT_EQ(kBlack, cbtest::WindowPixel(m_bar.GetSafeHwnd(), rcCell.left + 2, rcCell.top + 2));
}

TEST_F(AnimationTest, WithAnimationOffNoTimerRunsAndThePixelsAreRight)
{
    m_bar.m_bAnimation = FALSE;
    ASSERT_FALSE(GetGlobalPaintManager()->m_bEnableAnimation);
    testsupport::MessageLog log{WM_TIMER};
    log.Watch(m_bar.GetSafeHwnd());

    m_bar.SetSelected(0);
    cbtest::PumpFor(200);
    EXPECT_EQ(kBlack, cbtest::WindowPixel(m_bar.GetSafeHwnd(), CellCentre(0).x, CellCentre(0).y));
    m_bar.SetSelected(-1);
    cbtest::PumpFor(200);
    EXPECT_EQ(kWhite, cbtest::WindowPixel(m_bar.GetSafeHwnd(), CellCentre(0).x, CellCentre(0).y));
    EXPECT_FALSE(log.Contains(WM_TIMER));
    EXPECT_FALSE(Animation()->IsTimerRunning());
    EXPECT_FALSE(Animation()->HasCache());

    // The paint manager's option turns it on for every bar.
    GetGlobalPaintManager()->m_bEnableAnimation = TRUE;
    EXPECT_TRUE(Animation()->IsAnimationEnabled());
    GetGlobalPaintManager()->m_bEnableAnimation = FALSE;
}

TEST_F(AnimationTest, AResizeDropsTheCachedImage)
{
    // A change the cache does not know of shows only when the bar is drawn anew.
    m_bar.GetCell(0)->m_clr = RGB(0, 255, 0);
    m_bar.SetWindowPos(nullptr, 0, 0, CCellBar::GetBarWidth(3), 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    cbtest::PumpFor(50);
    EXPECT_EQ(RGB(0, 255, 0), cbtest::WindowPixel(m_bar.GetSafeHwnd(), CellCentre(0).x, CellCentre(0).y));
    ASSERT_TRUE(Animation()->HasCache());
    CRect rcClient;
    m_bar.GetClientRect(&rcClient);
    EXPECT_EQ(CCellBar::GetBarWidth(3), rcClient.Width());
}

} // namespace
