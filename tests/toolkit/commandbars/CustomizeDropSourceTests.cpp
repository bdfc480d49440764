// The customize drag over registered bars, with the loop's input posted before it starts:
// how each way of ending it is reported, what the bars then hold, and which of two
// overlapping bars takes the drop.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "demos/commandbars/CellBar.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CustomizeDropSource.h"

namespace {

// One posted message of the drag, at a screen point where it has one.
struct Step
{
    UINT message;
    WPARAM wParam;
    int nBar; // the point is the centre of this bar (-1: a point on no bar)
};

const int kNoBar = -1;
const int kQuit = -2; // not a message: the thread is asked to quit

// Two bars of cells side by side, both registered; the drag takes the first cell of bar 0.
// The bars are made once: every shown top-level window costs seconds to take down.
class CustomizeDragTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_pBars = new CCellBar[2];
        for (int i = 0; i < 2; ++i) {
            const CRect rc(100 + i * 250, 100, 100 + i * 250 + CCellBar::GetBarWidth(3), 140);
            s_pBars[i].CreateBar(WS_POPUP | WS_VISIBLE, rc, nullptr);
        }
    }

    static void TearDownTestSuite()
    {
        delete[] s_pBars;
        s_pBars = nullptr;
    }

    void SetUp() override
    {
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(m_bars[i].GetSafeHwnd());
            m_source.AddTarget(&m_bars[i]);
        }
        SetUpCells();
    }

    void TearDown() override
    {
        for (int i = 0; i < 2; ++i)
            m_source.RemoveTarget(&m_bars[i]);
    }

    // Each row starts from one cell on each bar.
    void SetUpCells()
    {
        for (int i = 0; i < 2; ++i) {
            CCellBar& bar = m_bars[i];
            while (bar.GetCellCount() > 0) {
                CColorCell* pCell = bar.GetCell(0);
                bar.DetachCell(pCell);
                pCell->InternalRelease();
            }
            bar.AddCell(new CColorCell(RGB(0, 0, 255)));
            bar.m_nDragEnters = bar.m_nDragLeaves = bar.m_nDrops = 0;
        }
        testsupport::PumpMessages();
    }

    POINT PointOf(int nBar) const
    {
        if (nBar == kNoBar)
            return POINT{600, 400};
        CRect rc;
        m_bars[nBar].GetWindowRect(&rc);
        return rc.CenterPoint();
    }

    DROPEFFECT Drag(const std::vector<Step>& steps, BOOL bCopyOnly = FALSE)
    {
        HWND hCapture = m_bars[0].GetSafeHwnd();
        for (const Step& step : steps) {
            if (step.nBar == kQuit) {
                PostQuitMessage(0);
                continue;
            }
            POINT pt = PointOf(step.nBar);
            ScreenToClient(hCapture, &pt);
            PostMessageW(hCapture, step.message, step.wParam, MAKELPARAM(pt.x, pt.y));
        }
        CColorCell* pCell = m_bars[0].GetCell(0);
        return m_source.DoDragDrop(pCell, bCopyOnly);
    }

    static CCellBar* s_pBars;
    CCellBar* m_bars = s_pBars;
    CQorCustomizeDropSource m_source{nullptr};
};

CCellBar* CustomizeDragTest::s_pBars = nullptr;

TEST_F(CustomizeDragTest, ReportsHowTheDragEnded)
{
    const WPARAM kDown = MK_LBUTTON;
    const struct
    {
        const char* name;
        std::vector<Step> steps;
        BOOL bCopyOnly;
        DROPEFFECT expected;
        int nCellsLeft; // on bar 0
        int nCellsRight;
    } rows[] = {
        {"Escape", {{WM_MOUSEMOVE, kDown, 1}, {WM_KEYDOWN, VK_ESCAPE, 0}}, FALSE, 5, 1, 1},
        {"released over no bar", {{WM_MOUSEMOVE, kDown, kNoBar}, {WM_LBUTTONUP, 0, kNoBar}}, FALSE, 0, 1, 1},
        {"Ctrl over a bar", {{WM_MOUSEMOVE, kDown | MK_CONTROL, 1}, {WM_LBUTTONUP, MK_CONTROL, 1}}, FALSE, 1, 1, 2},
        {"Ctrl pressed during the drag",
         {{WM_MOUSEMOVE, kDown, 1}, {WM_KEYDOWN, VK_CONTROL, 0}, {WM_LBUTTONUP, MK_CONTROL, 1}},
         FALSE,
         1,
         1,
         2},
        {"plain over a bar", {{WM_MOUSEMOVE, kDown, 1}, {WM_LBUTTONUP, 0, 1}}, FALSE, 2, 0, 2},
        {"the button let go during a move", {{WM_MOUSEMOVE, kDown, 1}, {WM_MOUSEMOVE, 0, 1}}, FALSE, 2, 0, 2},
        {"right click", {{WM_MOUSEMOVE, kDown, 1}, {WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, 1}}, FALSE, 5, 1, 1},
        {"copy only", {{WM_MOUSEMOVE, kDown, 1}, {WM_LBUTTONUP, 0, 1}}, TRUE, 1, 1, 2},
        {"released without a move", {{WM_LBUTTONUP, 0, 1}}, FALSE, 5, 1, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SetUpCells();
        EXPECT_EQ(row.expected, Drag(row.steps, row.bCopyOnly));
        EXPECT_EQ(row.nCellsLeft, m_bars[0].GetCellCount());
        EXPECT_EQ(row.nCellsRight, m_bars[1].GetCellCount());
        EXPECT_EQ(nullptr, GetCapture());
        // A bar the drag entered was told when it left.
        EXPECT_EQ(m_bars[1].m_nDragEnters, m_bars[1].m_nDragLeaves + m_bars[1].m_nDrops);
    }
}

TEST_F(CustomizeDragTest, TheDraggedControlHearsOfTheFirstMove)
{
    CColorCell* pCell = m_bars[0].GetCell(0);
    Drag({{WM_MOUSEMOVE, MK_LBUTTON, 1}, {WM_MOUSEMOVE, MK_LBUTTON, 1}, {WM_KEYDOWN, VK_ESCAPE, 0}});
    EXPECT_EQ(1, pCell->m_nDragOvers);
}

TEST_F(CustomizeDragTest, WithoutACaptureWindowTheDragIsCancelled)
{
    CColorCell* pLoose = new CColorCell(RGB(1, 2, 3));
    EXPECT_EQ(5u, m_source.DoDragDrop(pLoose, FALSE));
    pLoose->InternalRelease();
}

TEST_F(CustomizeDragTest, QuitCancelsAndStaysQueued)
{
    EXPECT_EQ(5u, Drag({{WM_MOUSEMOVE, MK_LBUTTON, 1}, {0, 0, kQuit}}));
    EXPECT_EQ(1, m_bars[0].GetCellCount());
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    testsupport::PumpMessages();
}

TEST_F(CustomizeDragTest, OfTwoOverlappingBarsTheOneOnTopTakesTheDrop)
{
    // A floating bar over bar 1, registered before it.
    CCellBar floating;
    CRect rc;
    m_bars[1].GetWindowRect(&rc);
    ASSERT_TRUE(floating.CreateBar(WS_POPUP | WS_VISIBLE, rc, nullptr));
    floating.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_source.RemoveTarget(&m_bars[1]);
    m_source.AddTarget(&floating);
    m_source.AddTarget(&m_bars[1]);
    testsupport::PumpMessages();

    EXPECT_EQ(2u, Drag({{WM_MOUSEMOVE, MK_LBUTTON, 1}, {WM_LBUTTONUP, 0, 1}}));
    EXPECT_EQ(1, floating.GetCellCount());
    EXPECT_EQ(1, m_bars[1].GetCellCount());
    EXPECT_EQ(0, m_bars[1].m_nDragEnters);
    m_source.RemoveTarget(&floating);
}

} // namespace
