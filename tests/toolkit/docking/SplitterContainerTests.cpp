// Sharing space among a splitter's children, and dragging its bars.
#include "tests/toolkit/docking/DockingTestSupport.h"
#include "toolkit/foundation/DrawHelpers.h"

#include <climits>

using dockingtest::FrameTest;
using dockingtest::Narrow;
using dockingtest::RectInParent;

namespace {

class SplitterContainer : public FrameTest
{
protected:
    // Two groups side by side with the given docking widths, nothing else in the splitter.
    CQorDockingPaneSplitterContainer* MakePair(int cxFirst, int cxSecond)
    {
        m_pFirst = Create(1, qorDockLeft, nullptr, cxFirst);
        m_pSecond = Create(2, qorDockRight, m_pFirst, cxSecond);
        return static_cast<CQorDockingPaneSplitterContainer*>(m_pFirst->GetContainer()->GetContainer());
    }
    CQorDockingPane* m_pFirst = nullptr;
    CQorDockingPane* m_pSecond = nullptr;
};

} // namespace

TEST_F(SplitterContainer, AdjustLengthsSharesByDockingSizeWithinTheTrackSizes)
{
    Manager().GetPaintManager()->m_nSplitterSize = 3;
    struct Row
    {
        const char* name;
        int cxFirst, cxSecond;
        int nMinFirst, nMaxFirst; // the first pane's track widths
        int cxRect;
        int nExpectedFirst, nExpectedSecond; // lengths; negative: fixed at a bound
    } rows[] = {
        {"proportional", 100, 300, 0, 32000, 419, 100, 300},
        {"over the maximum: fixed", 100, 100, 0, 150, 1003, -150, 100},
        {"the minimum wins over the maximum", 100, 100, 60, 40, 3, 60, 100},
        {"huge sizes stay positive", 30000, 30000, 0, 32000, 200000, -32000, -32000},
    };
    for (const Row& row : rows) {
        CQorDockingPane* pFirst =
            static_cast<CQorDockingPane*>(Manager().CreateNode(qorDockingPaneTypePane, Manager().GetLayout()));
        CQorDockingPane* pSecond =
            static_cast<CQorDockingPane*>(Manager().CreateNode(qorDockingPaneTypePane, Manager().GetLayout()));
        pFirst->m_nDockingCX = row.cxFirst;
        pSecond->m_nDockingCX = row.cxSecond;
        pFirst->SetMinTrackSize(CSize(row.nMinFirst, 0));
        pFirst->SetMaxTrackSize(CSize(row.nMaxFirst, 32000));
        CQorDockingPaneBaseList lst;
        lst.AddTail(pFirst);
        lst.AddTail(pSecond);
        int nTotal = 0, nAvailable = 0;
        CQorDockingPaneSplitterContainer::AdjustLengths(&Manager(), lst, TRUE, FALSE, CRect(0, 0, row.cxRect, 50),
                                                        nTotal, nAvailable);
        EXPECT_EQ(row.nExpectedFirst, pFirst->m_nLength) << row.name;
        EXPECT_EQ(row.nExpectedSecond, pSecond->m_nLength) << row.name;
        EXPECT_GE(nAvailable, 0) << row.name;
    }
}

TEST_F(SplitterContainer, TheLayoutPassGivesTheLastChildTheRest)
{
    // 100 and 300 in 419 pixels with 3-pixel bars: 416 to share, 100 x 416 / 400 = 104.
    Manager().GetPaintManager()->m_nSplitterSize = 3;
    Manager().m_bHideClient = TRUE;
    CQorDockingPaneSplitterContainer* pSplitter = MakePair(100, 300);
    CQorDockingPaneBaseList lst;
    pSplitter->GetVisibleChildren(lst);
    AFX_SIZEPARENTPARAMS layout = {};
    pSplitter->OnSizeParent(m_pFrame, CRect(0, 0, 419, 300), &layout);
    EXPECT_EQ(CRect(0, 0, 104, 300), lst.GetHead()->GetPaneWindowRect());
    EXPECT_EQ(CRect(107, 0, 419, 300), lst.GetTail()->GetPaneWindowRect());
}

TEST_F(SplitterContainer, TheClientStretchesAndTheGroupsKeepTheirSizes)
{
    Create(1, qorDockLeft, nullptr, 150);
    Create(2, qorDockRight, nullptr, 90);
    Layout();
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    EXPECT_EQ(CRect(154, 0, rcClient.right - 94, rcClient.bottom), RectInParent(m_pFrame->m_wndView.GetSafeHwnd()));
}

namespace {

// Posts a drag to the bar: press at its middle, moves by the offsets, and an ending message.
struct DragScript
{
    HWND hBar;
    std::vector<int> moves;
    UINT nEnd; // WM_LBUTTONUP, WM_KEYDOWN (Escape) or WM_QUIT
};

void PostDrag(const DragScript& script)
{
    CRect rc;
    ::GetClientRect(script.hBar, &rc);
    const int y = rc.Height() / 2;
    for (int dx : script.moves)
        ::PostMessageW(script.hBar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<short>(1 + dx), y));
    if (script.nEnd == WM_QUIT)
        ::PostQuitMessage(9);
    else if (script.nEnd == WM_KEYDOWN)
        ::PostMessageW(script.hBar, WM_KEYDOWN, VK_ESCAPE, 0);
    else
        ::PostMessageW(script.hBar, WM_LBUTTONUP, 0, MAKELPARAM(1, y));
}

int TakeQuit()
{
    MSG msg;
    return ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? static_cast<int>(msg.wParam) : -1;
}

} // namespace

TEST_F(SplitterContainer, ALiveDragStopsAtTheMinimumRoomOfTheNodeBefore)
{
    Manager().m_bSplitterTracker = FALSE;
    struct Row
    {
        const char* name;
        int nMinWidth;
        int nExpectedLeftEdge; // the bar's left edge over the left node's left edge
    } rows[] = {{"minimum 50", 50, 50}, {"minimum 10: the manager's room", 10, 22}};
    for (const Row& row : rows) {
        TearDown();
        SetUp();
        Manager().m_bSplitterTracker = FALSE;
        CQorDockingPane* pPane = Create(1, qorDockLeft, nullptr, 200);
        pPane->SetMinTrackSize(CSize(row.nMinWidth, 0));
        Layout();
        CQorDockingPaneSplitterWnd* pBar = Manager().GetTopContainer()->GetSplitter(0);
        ASSERT_NE(nullptr, pBar) << row.name;
        PostDrag({pBar->GetSafeHwnd(), {-50, -150, -300}, WM_LBUTTONUP});
        pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 5));
        Layout();
        CRect rcGroup = RectInParent(pPane->GetContainer()->GetPaneHwnd());
        EXPECT_EQ(row.nExpectedLeftEdge, rcGroup.Width()) << row.name;
        EXPECT_EQ(nullptr, ::GetCapture()) << row.name;
    }
}

TEST_F(SplitterContainer, EscapeKeepsTheSizesALiveDragReached)
{
    Manager().m_bSplitterTracker = FALSE;
    CQorDockingPane* pPane = Create(1, qorDockLeft, nullptr, 200);
    Layout();
    CQorDockingPaneSplitterWnd* pBar = Manager().GetTopContainer()->GetSplitter(0);
    ASSERT_NE(nullptr, pBar);
    PostDrag({pBar->GetSafeHwnd(), {40}, WM_KEYDOWN});
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 5));
    Layout();
    EXPECT_EQ(240, RectInParent(pPane->GetContainer()->GetPaneHwnd()).Width());
    EXPECT_EQ(244, RectInParent(m_pFrame->m_wndView.GetSafeHwnd()).left) << "the view follows the bar";
}

TEST_F(SplitterContainer, QuitDuringADragEndsItAndStaysQueued)
{
    for (BOOL bOutline : {FALSE, TRUE}) {
        Manager().m_bSplitterTracker = bOutline;
        CQorDockingPane* pPane = Manager().FindPane(1) ? Manager().FindPane(1) : Create(1, qorDockLeft);
        Layout();
        const int cxBefore = RectInParent(pPane->GetContainer()->GetPaneHwnd()).Width();
        CQorDockingPaneSplitterWnd* pBar = Manager().GetTopContainer()->GetSplitter(0);
        ASSERT_NE(nullptr, pBar);
        PostDrag({pBar->GetSafeHwnd(), {30}, WM_QUIT});
        pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 5));
        EXPECT_EQ(9, TakeQuit()) << (bOutline ? "outline" : "live");
        EXPECT_EQ(nullptr, ::GetCapture());
        Layout();
        if (bOutline) {
            EXPECT_EQ(cxBefore, RectInParent(pPane->GetContainer()->GetPaneHwnd()).Width()) << "a cancelled outline";
        }
    }
}

TEST_F(SplitterContainer, LockedSizingIgnoresTheMouse)
{
    Manager().m_bSplitterTracker = FALSE;
    Manager().m_bLockSplitters = TRUE;
    CQorDockingPane* pPane = Create(1, qorDockLeft, nullptr, 200);
    Layout();
    CQorDockingPaneSplitterWnd* pBar = Manager().GetTopContainer()->GetSplitter(0);
    ASSERT_NE(nullptr, pBar);
    PostDrag({pBar->GetSafeHwnd(), {60}, WM_LBUTTONUP});
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 5));
    Layout();
    EXPECT_EQ(200, RectInParent(pPane->GetContainer()->GetPaneHwnd()).Width());
}

TEST_F(SplitterContainer, ARightToLeftFrameMirrorsTheDrag)
{
    TearDown();
    m_pFrame = new dockingtest::Frame();
    ASSERT_TRUE(m_pFrame->CreateFrame(640, 480, WS_EX_LAYOUTRTL));
    m_pFrame->ShowWindow(SW_SHOW);
    Manager().m_bSplitterTracker = FALSE;
    CQorDockingPane* pPane = Create(1, qorDockLeft, nullptr, 200);
    Layout();
    CQorDockingPaneSplitterWnd* pBar = Manager().GetTopContainer()->GetSplitter(0);
    ASSERT_NE(nullptr, pBar);
    EXPECT_TRUE(pBar->GetExStyle() & WS_EX_LAYOUTRTL) << "the bar inherits the mirrored layout";
    // In a mirrored frame the first node stands at the right; moving the bar to the left on
    // the screen widens it.
    CRect rcBefore;
    ::GetWindowRect(pPane->GetContainer()->GetPaneHwnd(), &rcBefore);
    PostDrag({pBar->GetSafeHwnd(), {30}, WM_LBUTTONUP}); // client x grows leftwards when mirrored
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 5));
    Layout();
    CRect rcAfter;
    ::GetWindowRect(pPane->GetContainer()->GetPaneHwnd(), &rcAfter);
    EXPECT_EQ(rcBefore.right, rcAfter.right) << "anchored at the right edge";
    EXPECT_EQ(rcBefore.Width() + 30, rcAfter.Width());
}

TEST_F(SplitterContainer, TheOutlineDragAppliesTheTrackerAtRelease)
{
    CQorDockingPane* pPane = Create(1, qorDockLeft, nullptr, 200);
    Layout();
    CQorDockingPaneSplitterWnd* pBar = Manager().GetTopContainer()->GetSplitter(0);
    ASSERT_NE(nullptr, pBar);
    PostDrag({pBar->GetSafeHwnd(), {-20, -70}, WM_LBUTTONUP});
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 5));
    Layout();
    EXPECT_EQ(130, RectInParent(pPane->GetContainer()->GetPaneHwnd()).Width());
    EXPECT_EQ(134, RectInParent(m_pFrame->m_wndView.GetSafeHwnd()).left);
}
