// The tab row's model: insert and delete with neighbour selection, hit testing, scrolling into
// view, keys, and the painter's list of the rows it serves.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "tests/toolkit/tabs/TabTestRow.h"
#include "toolkit/tabs/TabAppearanceSet.h"

using tabstest::CCountingItem;
using tabstest::CTestTabRow;

namespace {

struct TabRowFixture : ::testing::Test
{
    CQorTabPaintManager painter;
    std::unique_ptr<CTestTabRow> row;

    void SetUp() override
    {
        row = std::make_unique<CTestTabRow>(&painter);
        row->m_rcControl = CRect(0, 0, 400, 200);
    }
    void TearDown() override { row.reset(); }
};

} // namespace

TEST_F(TabRowFixture, RowIsASecondBaseOfAWindow)
{
    ASSERT_TRUE(row->CreateEx(0, L"STATIC", L"row", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr));
    row->AddTabs(2);
    EXPECT_EQ(2, row->GetItemCount());
    CQorTabManager* pManager = row.get();
    EXPECT_EQ(static_cast<CWnd*>(row.get()), CWnd::FromHandle(row->GetSafeHwnd()));
    EXPECT_EQ(pManager, row->GetItem(0)->GetTabManager());
    row->DestroyWindow();
}

TEST_F(TabRowFixture, InsertClampsIndexAndCyclesColours)
{
    CQorTabManagerItem* pFirst = row->InsertItem(-1);
    CQorTabManagerItem* pFront = row->InsertItem(0);
    CQorTabManagerItem* pEnd = row->InsertItem(99);
    ASSERT_EQ(3, row->GetItemCount());
    EXPECT_EQ(pFront, row->GetItem(0));
    EXPECT_EQ(pFirst, row->GetItem(1));
    EXPECT_EQ(pEnd, row->GetItem(2));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(i, row->GetItem(i)->GetIndex());
    // Colours follow the painter's running counter, which every row of that painter shares.
    EXPECT_EQ(0x1000000u, pFirst->GetColor());
    EXPECT_EQ(0x1000001u, pFront->GetColor());
    EXPECT_EQ(0x75DBFFu, row->GetItemColor(pFront));
    for (int i = 0; i < 6; ++i)
        row->InsertItem(-1);
    EXPECT_EQ(0x1000000u, row->GetItem(8)->GetColor()); // the ninth tab wraps around
    pFirst->SetColor(RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), row->GetItemColor(pFirst));
}

TEST_F(TabRowFixture, ItemsCarryAPointerSizedData)
{
    CQorTabManagerItem* pItem = row->InsertItem(-1);
    int nTarget = 0;
    pItem->SetData(reinterpret_cast<DWORD_PTR>(&nTarget));
    EXPECT_EQ(&nTarget, reinterpret_cast<int*>(pItem->GetData()));
    static_assert(sizeof(pItem->m_dwData) == sizeof(void*), "the data holds a pointer");
}

struct DeleteCase
{
    const char* name;
    int nTabs;
    int nSelected;    // -1: none
    int nHot;         // -1: none
    int nDelete;      // -1: DeleteAllItems
    int nNewSelected; // index after the delete, -1: none
};

TEST_F(TabRowFixture, DeleteSelectsTheNeighbourAndFreesEveryTab)
{
    const DeleteCase cases[] = {
        {"selected last tab", 3, 2, -1, 2, 1},    {"selected middle tab", 3, 1, -1, 1, 1}, {"only tab", 1, 0, 0, 0, -1},
        {"hot tab, not selected", 3, 0, 2, 2, 0}, {"all tabs", 3, 1, 2, -1, -1},
    };
    for (const DeleteCase& c : cases) {
        int nDestroyed = 0;
        {
            CTestTabRow rowUnderTest(&painter);
            rowUnderTest.m_rcControl = CRect(0, 0, 400, 200);
            std::vector<CQorTabManagerItem*> items;
            for (int i = 0; i < c.nTabs; ++i)
                items.push_back(rowUnderTest.InsertItem(-1, new CCountingItem(&nDestroyed)));
            if (c.nSelected >= 0)
                rowUnderTest.SetSelectedItem(items[c.nSelected]);
            if (c.nHot >= 0)
                rowUnderTest.SetHotItem(items[c.nHot]);
            if (c.nDelete >= 0) {
                EXPECT_TRUE(rowUnderTest.DeleteItem(c.nDelete)) << c.name;
                EXPECT_EQ(1, nDestroyed) << c.name;
            } else {
                rowUnderTest.DeleteAllItems();
                EXPECT_EQ(c.nTabs, nDestroyed) << c.name;
            }
            EXPECT_EQ(nullptr, rowUnderTest.GetHotItem()) << c.name;
            EXPECT_EQ(nullptr, rowUnderTest.GetPressedItem()) << c.name;
            CQorTabManagerItem* pExpected = c.nNewSelected < 0 ? nullptr : rowUnderTest.GetItem(c.nNewSelected);
            EXPECT_EQ(pExpected, rowUnderTest.GetSelectedItem()) << c.name;
            for (int i = 0; i < rowUnderTest.GetItemCount(); ++i)
                EXPECT_EQ(i, rowUnderTest.GetItem(i)->GetIndex()) << c.name;
            EXPECT_FALSE(rowUnderTest.DeleteItem(rowUnderTest.GetItemCount())) << c.name;
            EXPECT_FALSE(rowUnderTest.DeleteItem(-1)) << c.name;
        }
        EXPECT_EQ(c.nTabs, nDestroyed) << c.name << ": the row's destructor frees the rest";
    }
}

TEST_F(TabRowFixture, ATabHeldByItsOwnerOutlivesTheRow)
{
    int nDestroyed = 0;
    CCountingItem* pItem = new CCountingItem(&nDestroyed);
    pItem->InternalAddRef();
    row->InsertItem(-1, pItem);
    row.reset();
    EXPECT_EQ(0, nDestroyed);
    EXPECT_EQ(nullptr, pItem->GetTabManager());
    pItem->InternalRelease();
    EXPECT_EQ(1, nDestroyed);
}

TEST_F(TabRowFixture, HitTestSkipsHiddenAndDisabledTabsAndPointsOutsideTheHeader)
{
    row->AddTabs(4); // 0-50, 50-100, 100-150, 150-200 in a header 0..400 x 0..20
    row->GetItem(1)->SetEnabled(FALSE);
    row->GetItem(2)->SetVisible(FALSE); // the last tab moves to 100-150
    struct
    {
        const char* name;
        CPoint pt;
        int nExpected;
    } cases[] = {
        {"first tab", {10, 10}, 0},
        {"disabled tab", {60, 10}, -1},
        {"tab after a hidden one", {120, 10}, 3},
        {"header beyond the tabs", {300, 10}, -1},
        {"client below the header", {10, 100}, -1},
        {"outside the control", {-5, 10}, -1},
    };
    for (const auto& c : cases) {
        CQorTabManagerItem* pHit = row->HitTest(c.pt);
        EXPECT_EQ(c.nExpected < 0 ? nullptr : row->GetItem(c.nExpected), pHit) << c.name;
    }
}

TEST_F(TabRowFixture, ScrollOffsetStaysAtOrBelowZero)
{
    row->SetScrollOffset(35);
    EXPECT_EQ(0, row->GetScrollOffset());
    row->OnScroll(TRUE);
    EXPECT_EQ(-20, row->GetScrollOffset());
    row->OnScroll(FALSE);
    row->OnScroll(FALSE);
    EXPECT_EQ(0, row->GetScrollOffset());
}

TEST_F(TabRowFixture, EnsureVisibleScrollsATabIntoTheHeader)
{
    // The test row lays its tabs out without the header margin: so does the scroll here.
    painter.GetAppearanceSet()->m_rcHeaderMargin = CRect(0, 0, 0, 0);
    row->m_rcControl = CRect(0, 0, 120, 200);
    row->AddTabs(5); // 250 pixels in a 120-pixel header
    row->SetSelectedItem(row->GetItem(4));
    EXPECT_EQ(-130, row->GetScrollOffset()); // the last tab's end meets the header's end
    EXPECT_EQ(120, row->GetItem(4)->GetRect().right);
    row->SetSelectedItem(row->GetItem(1));
    EXPECT_EQ(-50, row->GetScrollOffset()); // its start meets the header's start
    EXPECT_EQ(0, row->GetItem(1)->GetRect().left);

    // Shrink-to-fit rows never scroll.
    painter.m_layout = qorTabLayoutSizeToFit;
    row->SetSelectedItem(row->GetItem(4));
    EXPECT_EQ(-50, row->GetScrollOffset());
}

TEST_F(TabRowFixture, KeysMoveTheSelectionAlongTheRow)
{
    // Tabs 0..4: 1 disabled, 3 hidden; the selection starts at tab 2.
    struct KeyCase
    {
        const char* name;
        QorTabPosition position;
        BOOL bRtl;
        UINT vk;
        int nExpected; // the selected tab afterwards
    };
    const int nStart = 2;
    const KeyCase cases[] = {
        {"top Home", qorTabPositionTop, FALSE, VK_HOME, 0},
        {"top End", qorTabPositionTop, FALSE, VK_END, 4},
        {"top Left skips disabled", qorTabPositionTop, FALSE, VK_LEFT, 0},
        {"top Right skips hidden", qorTabPositionTop, FALSE, VK_RIGHT, 4},
        {"top Up swallowed", qorTabPositionTop, FALSE, VK_UP, nStart},
        {"top Down swallowed", qorTabPositionTop, FALSE, VK_DOWN, nStart},
        {"top RTL Home", qorTabPositionTop, TRUE, VK_HOME, 0},
        {"top RTL End", qorTabPositionTop, TRUE, VK_END, 4},
        {"top RTL Left moves on", qorTabPositionTop, TRUE, VK_LEFT, 4},
        {"top RTL Right moves back", qorTabPositionTop, TRUE, VK_RIGHT, 0},
        {"top RTL Up swallowed", qorTabPositionTop, TRUE, VK_UP, nStart},
        {"top RTL Down swallowed", qorTabPositionTop, TRUE, VK_DOWN, nStart},
        {"left Home", qorTabPositionLeft, FALSE, VK_HOME, 0},
        {"left End", qorTabPositionLeft, FALSE, VK_END, 4},
        {"left Left swallowed", qorTabPositionLeft, FALSE, VK_LEFT, nStart},
        {"left Right swallowed", qorTabPositionLeft, FALSE, VK_RIGHT, nStart},
        {"left Up", qorTabPositionLeft, FALSE, VK_UP, 0},
        {"left Down", qorTabPositionLeft, FALSE, VK_DOWN, 4},
        {"left RTL Home", qorTabPositionLeft, TRUE, VK_HOME, 0},
        {"left RTL End", qorTabPositionLeft, TRUE, VK_END, 4},
        {"left RTL Left swallowed", qorTabPositionLeft, TRUE, VK_LEFT, nStart},
        {"left RTL Right swallowed", qorTabPositionLeft, TRUE, VK_RIGHT, nStart},
        {"left RTL Up", qorTabPositionLeft, TRUE, VK_UP, 0},
        {"left RTL Down", qorTabPositionLeft, TRUE, VK_DOWN, 4},
    };
    HWND hwndLtr = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND hwndRtl =
        CreateWindowExW(WS_EX_LAYOUTRTL, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(GetWindowLongPtrW(hwndRtl, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
    row->AddTabs(5);
    row->GetItem(1)->SetEnabled(FALSE);
    row->GetItem(3)->SetVisible(FALSE);
    for (const KeyCase& c : cases) {
        painter.m_position = c.position;
        row->SetSelectedItem(row->GetItem(nStart));
        EXPECT_TRUE(row->PerformKeyDown(c.bRtl ? hwndRtl : hwndLtr, c.vk)) << c.name;
        EXPECT_EQ(row->GetItem(c.nExpected), row->GetSelectedItem()) << c.name;
    }
    // Other keys are not the row's, and an empty row takes none.
    EXPECT_FALSE(row->PerformKeyDown(hwndLtr, VK_TAB));
    row->DeleteAllItems();
    EXPECT_FALSE(row->PerformKeyDown(hwndLtr, VK_HOME));
    DestroyWindow(hwndLtr);
    DestroyWindow(hwndRtl);
}

TEST_F(TabRowFixture, KeysStopAtTheEndsOfTheRow)
{
    row->AddTabs(3);
    row->SetSelectedItem(row->GetItem(2));
    EXPECT_TRUE(row->PerformKeyDown(nullptr, VK_RIGHT));
    EXPECT_EQ(row->GetItem(2), row->GetSelectedItem());
    row->SetSelectedItem(row->GetItem(0));
    EXPECT_TRUE(row->PerformKeyDown(nullptr, VK_LEFT));
    EXPECT_EQ(row->GetItem(0), row->GetSelectedItem());
}

TEST(TabPaintManagerRows, ARowLeavesItsPainterWhenDestroyed)
{
    CQorTabPaintManager painter;
    auto first = std::make_unique<CTestTabRow>(&painter);
    auto second = std::make_unique<CTestTabRow>(&painter);
    EXPECT_EQ(2, painter.GetRowCount());
    first.reset();
    EXPECT_EQ(1, painter.GetRowCount());
    const int nBefore = second->m_nRepositions;
    painter.OnPropertyChanged(); // must reach only the living row
    EXPECT_EQ(nBefore + 1, second->m_nRepositions);
}

TEST(TabPaintManagerRows, ARowOutlivingItsPainterForgetsIt)
{
    auto painter = std::make_unique<CQorTabPaintManager>();
    CTestTabRow row(painter.get());
    EXPECT_EQ(painter.get(), row.GetServingPaintManager());
    painter.reset(); // the row's destructor must not touch the freed painter's list
    EXPECT_EQ(nullptr, row.GetServingPaintManager());
    row.m_pPaintManager = nullptr;
}

// A row entered in a second painter leaves the first one's list, so that neither keeps it
// once it is gone.
TEST(TabPaintManagerRows, ARowMovedToAnotherPainterLeavesTheFirstOnesList)
{
    CQorTabPaintManager first, second;
    {
        CTestTabRow row(&first);
        second.AddRow(&row);
        row.m_pPaintManager = &second;
        EXPECT_EQ(0, first.GetRowCount());
        EXPECT_EQ(1, second.GetRowCount());
        EXPECT_EQ(&second, row.GetServingPaintManager());
    }
    EXPECT_EQ(0, first.GetRowCount());
    EXPECT_EQ(0, second.GetRowCount());
    first.OnPropertyChanged(); // reaches no freed row
    second.OnPropertyChanged();
}
