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
    EXPECT_EQ(2, pane.GetResultList().GetItemCount());      // a second search replaces the rows
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

namespace {

// A host whose one hit has a title that holds the keyword with more text after it.
struct TitleHost : FakeHost
{
    void SearchItems(LPCTSTR, std::vector<HTREEITEM>& items) override { items = {Item(7)}; }
    CString GetItemTitle(HTREEITEM) override { return L"Attachments"; }
};

// The columns of one row of a capture: where the keyword colour shows, and where the darkest
// (text) pixels are, left of and right of the keyword.
struct RowScan
{
    int greenLeft = -1, greenRight = -1; // inclusive
    int textRight = -1;                  // last text column inside the keyword colour
    int textAfter = -1;                  // first text column right of it
};

RowScan ScanRow(const testsupport::WindowCapture& capture, const CRect& cell, COLORREF keywordBack)
{
    RowScan scan;
    for (int x = cell.left; x < cell.right; ++x) {
        bool green = false, text = false;
        for (int y = cell.top; y < cell.bottom; ++y) {
            const COLORREF pixel = capture.Pixel(x, y);
            green = green || pixel == keywordBack;
            text = text || (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel)) < 200;
        }
        if (green) {
            if (scan.greenLeft < 0)
                scan.greenLeft = x;
            scan.greenRight = x;
            if (text)
                scan.textRight = x;
        } else if (text && scan.greenLeft >= 0 && scan.textAfter < 0) {
            scan.textAfter = x;
        }
    }
    return scan;
}

} // namespace

// The keyword colour spans the keyword's glyphs and nothing more, and the rest of the title
// follows straight after, in the pane's own list with the font of its dialog.
TEST_F(SearchPane, TheKeywordColourEndsWhereTheKeywordEnds)
{
    const COLORREF kKeywordBack = 0x40FF00;
    static TitleHost titles; // outlives the pane, which the fixture destroys after the test
    pane.SetHost(&titles);
    pane.GetKeywordEdit().SetWindowText(L"attachment");
    pane.Search();
    CQorListCtrl& list = pane.GetResultList();
    ASSERT_EQ(1, list.GetItemCount());
    list.UpdateWindow();
    testsupport::WindowCapture capture(list.GetSafeHwnd(), true);

    // The keyword's width in the list's font.
    HDC hDC = ::GetDC(list.GetSafeHwnd());
    HGDIOBJ hOld = ::SelectObject(hDC, reinterpret_cast<HFONT>(list.SendMessage(WM_GETFONT)));
    SIZE keyword = {};
    ::GetTextExtentPoint32W(hDC, L"Attachment", 10, &keyword);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(list.GetSafeHwnd(), hDC);

    CRect cell;
    ASSERT_TRUE(list.GetSubItemRect(0, 0, LVIR_LABEL, cell));
    const RowScan scan = ScanRow(capture, cell, kKeywordBack);
    ASSERT_GE(scan.greenLeft, 0);
    EXPECT_NEAR(scan.greenLeft, cell.left + 2, 1);
    EXPECT_NEAR(scan.greenRight + 1 - scan.greenLeft, keyword.cx, 1);
    // The last glyph of the keyword ("t") ends within two pixels of the colour's end, and the
    // "s" after it starts within two pixels of it.
    EXPECT_NEAR(scan.textRight, scan.greenRight, 2);
    EXPECT_NEAR(scan.textAfter, scan.greenRight + 1, 2);
}

namespace {

void ClickOnScreen(POINT pt)
{
    for (DWORD flags : {DWORD(MOUSEEVENTF_MOVE), DWORD(MOUSEEVENTF_LEFTDOWN), DWORD(MOUSEEVENTF_LEFTUP)}) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = pt.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = pt.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &input, sizeof(input));
    }
}

} // namespace

// The result list serves its rows from the pane, which sorts them when the title header is
// clicked: ascending first, descending on the next click; a new search keeps the order.
TEST_F(SearchPane, ClickingTheTitleHeaderSortsTheHitsByTitle)
{
    host.SetForegroundWindow();
    Type(L"alpha");
    pane.Search();
    CQorListCtrl& list = pane.GetResultList();
    ASSERT_EQ(CString(L"Seven"), list.GetItemText(0, 0));
    RECT rcTitle = {};
    ASSERT_TRUE(Header_GetItemRect(list.GetHeaderCtrl()->GetSafeHwnd(), 0, &rcTitle));
    ::MapWindowPoints(list.GetHeaderCtrl()->GetSafeHwnd(), nullptr, reinterpret_cast<POINT*>(&rcTitle), 2);
    // Two places on the header apart, so that the second click is not taken for a double-click.
    const int y = (rcTitle.top + rcTitle.bottom) / 2;
    const struct
    {
        const char* name;
        POINT at;
        const wchar_t* first;
        const wchar_t* second;
    } clicks[] = {{"first click: ascending", {rcTitle.left + 20, y}, L"Nine", L"Seven"},
                  {"second click: descending", {rcTitle.right - 40, y}, L"Seven", L"Nine"}};
    for (const auto& c : clicks) {
        SCOPED_TRACE(c.name);
        const int sortsBefore = list.GetSortColumn() == 0 ? (list.IsSortAscending() ? 1 : 2) : 0;
        ClickOnScreen(c.at);
        ASSERT_TRUE(testsupport::PumpUntil([&] {
            return list.GetSortColumn() == 0 && (list.IsSortAscending() ? 1 : 2) != sortsBefore;
        })) << "the header click did not arrive";
        EXPECT_EQ(CString(c.first), list.GetItemText(0, 0));
        EXPECT_EQ(CString(c.second), list.GetItemText(1, 0));
    }
    pane.Search();
    EXPECT_EQ(CString(L"Seven"), list.GetItemText(0, 0)); // still descending by title
}
