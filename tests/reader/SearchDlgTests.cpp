// The search pane inside a window of the test: Enter searches and Esc leaves it alone (both
// keep the pane showing), a double-click opens the hit with the keyword as edited since, and
// F3 released inside the pane moves on to the next hit. The rows show the keyword highlighted
// and the controls follow the pane's size.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>
#include "platform/framework/WinApp.h"
#include "reader/ui/ReaderNavigationHost.h"
#include "reader/ui/SearchDlg.h"
#include "resources/resource.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/StringPrinter.h"

namespace {

HTREEITEM Item(int n)
{
    return reinterpret_cast<HTREEITEM>(static_cast<INT_PTR>(n));
}

struct FakeHost : CReaderNavigationHost
{
    HTREEITEM ResolveTreeLink(LPCTSTR) override { return nullptr; }
    void SetZoomPaneText(LPCTSTR) override {}
    std::vector<CString> searched;
    std::vector<std::pair<HTREEITEM, CString>> opened;
    int located = 0;
    void SearchItems(LPCTSTR text, std::vector<HTREEITEM>& items) override
    {
        searched.push_back(text);
        items = {Item(7), Item(9)};
    }
    CString GetItemTitle(HTREEITEM item) override { return item == Item(7) ? L"Seven" : L"Nine"; }
    void SelectTreeItem(HTREEITEM item, LPCTSTR keyword) override { opened.push_back({item, keyword}); }
    void LocateKeywords() override { ++located; }
};

class SearchPane : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), L"search host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  400, 500, nullptr, nullptr));
        ASSERT_TRUE(pane.Create(&host));
        pane.SetHost(&fake);
        pane.ShowWindow(SW_SHOW);
    }
    void TearDown() override { host.DestroyWindow(); }

    BOOL Key(UINT message, WPARAM key)
    {
        MSG msg = {};
        msg.hwnd = pane.GetKeywordEdit().GetSafeHwnd();
        msg.message = message;
        msg.wParam = key;
        return pane.PreTranslateMessage(&msg);
    }
    void Type(LPCWSTR text) { pane.GetKeywordEdit().SetWindowText(text); }

    CWnd host;
    CSearchDlg pane;
    FakeHost fake;
};

} // namespace

TEST_F(SearchPane, SearchButtonFollowsTheKeywordAndRowsAreReplaced)
{
    HWND button = ::GetDlgItem(pane.GetSafeHwnd(), IDC_SEARCH_BUTTON);
    EXPECT_FALSE(::IsWindowEnabled(button));
    Type(L"alpha");
    EXPECT_TRUE(::IsWindowEnabled(button));
    ::SendMessageW(button, BM_CLICK, 0, 0);
    ASSERT_EQ(2, pane.GetResultList().GetItemCount());
    EXPECT_EQ(CString(L"Seven"), pane.GetResultList().GetItemText(0, 0));
    EXPECT_EQ(CString(L"alpha"), pane.GetResultList().GetItemText(0, 1));
    pane.GetResultList().SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    pane.Search();
    EXPECT_EQ(2, pane.GetResultList().GetItemCount()); // a second search replaces the rows
    EXPECT_EQ(0u, pane.GetResultList().GetSelectedCount()); // and chooses none of them
    Type(L"");
    EXPECT_FALSE(::IsWindowEnabled(button));
    pane.Search();
    EXPECT_EQ(0, pane.GetResultList().GetItemCount()); // an empty keyword clears and searches nothing
    EXPECT_EQ(2u, fake.searched.size());
}

TEST_F(SearchPane, EnterSearchesAndEscapeKeepsThePane)
{
    Type(L"alpha");
    Key(WM_KEYDOWN, VK_RETURN);
    testsupport::PumpMessages();
    EXPECT_TRUE(pane.IsWindowVisible());
    EXPECT_EQ(std::vector<CString>{L"alpha"}, fake.searched);
    Key(WM_KEYDOWN, VK_ESCAPE);
    testsupport::PumpMessages();
    EXPECT_TRUE(pane.IsWindowVisible());
    EXPECT_EQ(2, pane.GetResultList().GetItemCount());
}

TEST_F(SearchPane, DoubleClickOpensTheHitWithTheEditedKeyword)
{
    Type(L"alpha");
    pane.Search();
    Type(L"beta");
    pane.GetResultList().SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    NMITEMACTIVATE click = {};
    click.hdr.hwndFrom = pane.GetResultList().GetSafeHwnd();
    click.hdr.idFrom = IDC_SEARCH_RESULTS;
    click.hdr.code = NM_DBLCLK;
    click.iItem = 1;
    pane.SendMessage(WM_NOTIFY, IDC_SEARCH_RESULTS, reinterpret_cast<LPARAM>(&click));
    ASSERT_EQ(1u, fake.opened.size());
    EXPECT_EQ(Item(9), fake.opened[0].first);
    EXPECT_EQ(CString(L"beta"), fake.opened[0].second);
}

TEST_F(SearchPane, F3ReleasedInThePaneLocatesTheNextHit)
{
    Key(WM_KEYDOWN, VK_F3);
    EXPECT_EQ(0, fake.located); // on release only
    EXPECT_TRUE(Key(WM_KEYUP, VK_F3));
    EXPECT_EQ(1, fake.located);
    Key(WM_KEYUP, VK_F4);
    EXPECT_EQ(1, fake.located);
}

TEST_F(SearchPane, ResultListFollowsThePanesSize)
{
    CRect before;
    pane.GetResultList().GetWindowRect(&before);
    pane.SetWindowPos(nullptr, 0, 0, 360, 480, SWP_NOZORDER);
    CRect pane0;
    pane.GetClientRect(&pane0);
    pane.SetWindowPos(nullptr, 0, 0, 360 + 50, 480 + 30, SWP_NOZORDER);
    CRect after;
    pane.GetResultList().GetWindowRect(&after);
    pane.SetWindowPos(nullptr, 0, 0, 360, 480, SWP_NOZORDER);
    CRect back;
    pane.GetResultList().GetWindowRect(&back);
    EXPECT_EQ(back.Width() + 50, after.Width());
    EXPECT_EQ(back.Height() + 30, after.Height());
    EXPECT_EQ(back.left, after.left);
}

// The keyword column shows the searched word on the highlight's green; the titles, which do
// not hold it, show none.
TEST_F(SearchPane, RowsShowTheKeywordHighlighted)
{
    const COLORREF kKeywordBack = 0x40FF00;
    Type(L"Nine");
    pane.Search();
    CQorListCtrl& list = pane.GetResultList();
    ASSERT_EQ(2, list.GetItemCount());
    list.UpdateWindow();
    testsupport::WindowCapture capture(list.GetSafeHwnd(), true);
    CRect title, keyword, otherTitle;
    ASSERT_TRUE(list.GetSubItemRect(0, 1, LVIR_LABEL, keyword));
    ASSERT_TRUE(list.GetSubItemRect(0, 0, LVIR_LABEL, otherTitle)); // "Seven"
    ASSERT_TRUE(list.GetSubItemRect(1, 0, LVIR_LABEL, title));      // "Nine"
    EXPECT_GT(capture.CountColor(kKeywordBack, keyword), 0);
    EXPECT_GT(capture.CountColor(kKeywordBack, title), 0);
    EXPECT_EQ(0, capture.CountColor(kKeywordBack, otherTitle));
}
