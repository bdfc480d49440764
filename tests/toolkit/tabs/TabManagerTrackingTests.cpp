// The row's mouse loops, driven by mouse messages posted before the loop starts: clicks,
// drag-reorder, tabs deleted while a loop runs, and WM_QUIT inside a loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>

#include "tests/common/WineTestSupport.h"
#include "tests/toolkit/tabs/TabRowFixture.h"
#include "tests/toolkit/tabs/TabTestRow.h"

using tabstest::CCountingItem;
using tabstest::CTestTabRow;
using tabstest::g_onApp;
using tabstest::MakeActionWindow;
using tabstest::Post;
using tabstest::TakeQuit;

namespace {

using TrackingRow = tabstest::CWindowedRow<CTestTabRow>;

} // namespace

TEST_F(TrackingRow, AClickCountsOnlyWhenReleasedOverTheTab)
{
    painter.m_bSelectOnPress = FALSE;
    row->SetAllowReorder(FALSE);
    row->AddTabs(3); // 0-50, 50-100, 100-150
    struct
    {
        const char* name;
        std::function<void()> post;
        int nClicks;
    } cases[] = {
        {"released inside",
         [&] {
             Post(hWnd, WM_MOUSEMOVE, 70, 10);
             Post(hWnd, WM_LBUTTONUP, 70, 10);
         },
         1},
        {"released outside",
         [&] {
             Post(hWnd, WM_MOUSEMOVE, 130, 10);
             Post(hWnd, WM_LBUTTONUP, 130, 10);
         },
         0},
        {"Esc", [&] { PostMessageW(hWnd, WM_KEYDOWN, VK_ESCAPE, 0); }, 0},
        {"right button", [&] { Post(hWnd, WM_RBUTTONDOWN, 70, 10); }, 0},
    };
    for (const auto& c : cases) {
        row->SetSelectedItem(row->GetItem(0));
        row->m_nItemClicks = 0;
        c.post();
        EXPECT_TRUE(row->PerformClick(hWnd, CPoint(60, 10))) << c.name;
        EXPECT_EQ(c.nClicks, row->m_nItemClicks) << c.name;
        EXPECT_EQ(c.nClicks ? row->GetItem(1) : row->GetItem(0), row->GetSelectedItem()) << c.name;
        EXPECT_EQ(nullptr, row->GetPressedItem()) << c.name;
        EXPECT_EQ(nullptr, GetCapture()) << c.name;
        testsupport::PumpMessages();
    }
    EXPECT_FALSE(row->PerformClick(hWnd, CPoint(300, 10))) << "no tab under the point";
}

TEST_F(TrackingRow, DraggingATabOverTwoNeighboursTradesItTwice)
{
    row->AddTabs(3);
    CQorTabManagerItem* pTabs[] = {row->GetItem(0), row->GetItem(1), row->GetItem(2)};
    row->SetSelectedItem(pTabs[1]);
    row->m_nItemClicks = 0;
    Post(hWnd, WM_MOUSEMOVE, 60, 10);  // over tab 1: they trade
    Post(hWnd, WM_MOUSEMOVE, 120, 10); // over tab 2's place as the drag began: they trade again
    PostMessageW(hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(row->PerformClick(hWnd, CPoint(10, 10)));
    EXPECT_EQ(pTabs[1], row->GetItem(0));
    EXPECT_EQ(pTabs[2], row->GetItem(1));
    EXPECT_EQ(pTabs[0], row->GetItem(2));
    EXPECT_EQ(pTabs[0], row->GetSelectedItem()) << "the dragged tab ends selected";
    EXPECT_EQ(1, row->m_nItemClicks);
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(TrackingRow, TabsDeletedWhileALoopRunsAreNeitherSelectedNorClicked)
{
    int nDestroyed = 0;
    for (int i = 0; i < 3; ++i)
        row->InsertItem(-1, new CCountingItem(&nDestroyed))->m_nLength = 50;
    // Drag tab 0 while a handled message deletes the remembered selected tab (2).
    row->SetSelectedItem(row->GetItem(2));
    g_onApp = [&] {
        row->DeleteItem(2);
        EXPECT_EQ(0, nDestroyed) << "the drag still holds the remembered tab";
    };
    PostMessageW(hAction, WM_APP, 0, 0);
    Post(hWnd, WM_MOUSEMOVE, 60, 10);
    Post(hWnd, WM_LBUTTONUP, 60, 10);
    EXPECT_TRUE(row->PerformClick(hWnd, CPoint(10, 10)));
    EXPECT_EQ(1, nDestroyed) << "freed once the drag let go of it";
    ASSERT_EQ(2, row->GetItemCount());
    EXPECT_EQ(row->GetItem(1), row->GetSelectedItem()) << "the dragged tab, now second";

    // Drag a tab that a handled message deletes: the drag ends, nothing freed is selected.
    CQorTabManagerItem* pDragged = row->GetItem(0);
    g_onApp = [&] { row->DeleteItem(0); };
    PostMessageW(hAction, WM_APP, 0, 0);
    Post(hWnd, WM_MOUSEMOVE, 60, 10);
    Post(hWnd, WM_LBUTTONUP, 60, 10);
    EXPECT_TRUE(row->PerformClick(hWnd, CPoint(10, 10)));
    EXPECT_EQ(2, nDestroyed);
    ASSERT_EQ(1, row->GetItemCount());
    EXPECT_NE(pDragged, row->GetSelectedItem());
    EXPECT_EQ(nullptr, GetCapture());

    testsupport::PumpMessages(); // the release the ended drag left queued

    // Click tracking on a tab deleted meanwhile: no click.
    painter.m_bSelectOnPress = FALSE;
    row->SetAllowReorder(FALSE);
    row->InsertItem(-1, new CCountingItem(&nDestroyed))->m_nLength = 50;
    row->Reposition();
    row->m_nItemClicks = 0;
    g_onApp = [&] { row->DeleteItem(1); };
    PostMessageW(hAction, WM_APP, 0, 0);
    Post(hWnd, WM_LBUTTONUP, 60, 10);
    EXPECT_TRUE(row->PerformClick(hWnd, CPoint(60, 10)));
    EXPECT_EQ(0, row->m_nItemClicks);
    EXPECT_EQ(3, nDestroyed);
    EXPECT_EQ(nullptr, row->GetPressedItem());
}

TEST_F(TrackingRow, QuitInsideALoopEndsItAndStaysQueued)
{
    row->AddTabs(3);
    struct
    {
        const char* name;
        BOOL bReorder;
    } cases[] = {{"drag", TRUE}, {"click", FALSE}};
    painter.m_bSelectOnPress = FALSE;
    for (const auto& c : cases) {
        row->SetAllowReorder(c.bReorder);
        row->SetSelectedItem(row->GetItem(2));
        row->m_nItemClicks = 0;
        PostQuitMessage(3);
        EXPECT_TRUE(row->PerformClick(hWnd, CPoint(60, 10))) << c.name;
        EXPECT_EQ(nullptr, GetCapture()) << c.name;
        EXPECT_TRUE(TakeQuit()) << c.name;
        EXPECT_EQ(nullptr, row->GetPressedItem()) << c.name;
    }
}

namespace {

class CLockableRow : public CTestTabRow
{
public:
    using CTestTabRow::CTestTabRow;
    BOOL IsMouseLocked() const override { return m_bLocked; }
    BOOL m_bLocked = FALSE;
};

} // namespace

TEST(TabHotTracking, TheTabUnderTheMouseIsHotWhileTheWindowIsInFront)
{
    CQorTabPaintManager painter;
    painter.m_bHotTracking = TRUE;
    CLockableRow row(&painter);
    row.m_rcControl = CRect(0, 0, 400, 200);
    ASSERT_TRUE(
        row.CreateEx(WS_EX_TOPMOST, L"STATIC", L"row", WS_POPUP | WS_VISIBLE, 0, 0, 400, 200, nullptr, nullptr));
    HWND hWnd = row.GetSafeHwnd();
    SetForegroundWindow(hWnd);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return GetForegroundWindow() == hWnd; }));
    row.AddTabs(3);
    row.Reposition();

    row.PerformMouseMove(hWnd, CPoint(60, 10));
    EXPECT_EQ(row.GetItem(1), row.GetHotItem());
    row.PerformMouseMove(hWnd, CPoint(300, 10));
    EXPECT_EQ(nullptr, row.GetHotItem()) << "beyond the tabs";
    row.PerformMouseMove(hWnd, CPoint(10, 10));
    EXPECT_EQ(row.GetItem(0), row.GetHotItem());
    row.m_bLocked = TRUE; // a popup of the owner is being tracked
    row.PerformMouseMove(hWnd, CPoint(60, 10));
    EXPECT_EQ(nullptr, row.GetHotItem());
    row.m_bLocked = FALSE;

    painter.m_bHotTracking = FALSE;
    row.PerformMouseMove(hWnd, CPoint(60, 10));
    EXPECT_EQ(nullptr, row.GetHotItem()) << "hot tracking off";
    row.DestroyWindow();
}
