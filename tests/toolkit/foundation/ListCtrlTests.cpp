#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/framework/WinApp.h"
#include "toolkit/foundation/ListCtrl.h"

namespace {

const COLORREF kKeywordBack = 0x40FF00;

// A report list in a shown parent window: column 0 left-aligned, column 1 right-aligned.
template <class TList> struct ListFixtureT : testing::Test
{
    CWnd parent;
    TList list;

    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"List parent", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                    CRect(50, 50, 450, 350), nullptr, 0));
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS,
                                CRect(0, 0, 400, 300), &parent, 100));
        list.InsertColumn(0, L"Name", LVCFMT_LEFT, 180);
        list.InsertColumn(1, L"Size", LVCFMT_RIGHT, 180);
    }
    void TearDown() override
    {
        list.DestroyWindow();
        parent.DestroyWindow();
    }
    void AddRow(LPCTSTR name, LPCTSTR size, DWORD_PTR data = 0)
    {
        int n = list.InsertItem(list.GetItemCount(), name);
        list.SetItemText(n, 1, size);
        list.SetItemData(n, data);
    }
    std::vector<std::wstring> Column(int col)
    {
        std::vector<std::wstring> texts;
        for (int i = 0; i < list.GetItemCount(); ++i)
            texts.push_back(std::wstring(static_cast<LPCTSTR>(list.GetItemText(i, col))));
        return texts;
    }
    void ClickHeader(int col)
    {
        NMHEADERW nm = {};
        nm.hdr.hwndFrom = list.GetHeaderCtrl()->GetSafeHwnd();
        nm.hdr.idFrom = ::GetDlgCtrlID(nm.hdr.hwndFrom);
        nm.hdr.code = HDN_ITEMCLICKW;
        nm.iItem = col;
        list.SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
    }
    // The list painted through its own painting into a bitmap of its client size.
    std::vector<COLORREF> Paint(CSize& size)
    {
        CRect rc;
        list.GetClientRect(&rc);
        size = rc.Size();
        HDC hScreen = ::GetDC(nullptr);
        HDC hMem = ::CreateCompatibleDC(hScreen);
        HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, rc.Width(), rc.Height());
        HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
        {
            CDC dc;
            dc.Attach(hMem);
            list.OnDraw(&dc, TRUE);
            dc.Detach();
        }
        std::vector<COLORREF> pixels(static_cast<size_t>(rc.Width() * rc.Height()));
        for (int y = 0; y < rc.Height(); ++y)
            for (int x = 0; x < rc.Width(); ++x)
                pixels[static_cast<size_t>(y * rc.Width() + x)] = ::GetPixel(hMem, x, y);
        ::SelectObject(hMem, hOld);
        ::DeleteObject(hBitmap);
        ::DeleteDC(hMem);
        ::ReleaseDC(nullptr, hScreen);
        return pixels;
    }
};

using ListFixture = ListFixtureT<CQorListCtrl>;

// Runs of columns of a cell where the keyword colour shows (black glyphs on green leave green
// above and below them).
std::vector<std::pair<int, int>> GreenRuns(const std::vector<COLORREF>& pixels, CSize size, const CRect& cell)
{
    std::vector<std::pair<int, int>> runs;
    for (int x = cell.left; x < cell.right; ++x) {
        bool green = false;
        for (int y = cell.top; y < cell.bottom && !green; ++y)
            green = pixels[static_cast<size_t>(y * size.cx + x)] == kKeywordBack;
        if (green && (runs.empty() || runs.back().second != x - 1))
            runs.emplace_back(x, x);
        else if (green)
            runs.back().second = x;
    }
    return runs;
}

} // namespace

TEST_F(ListFixture, HeaderClicksSortNumericRightAlignedAndTextLeftAlignedColumnsByRow)
{
    // Every row has the same item data: the order must come from each row's own text.
    AddRow(L"300", L"300");
    AddRow(L"1,200", L"1,200");
    AddRow(L"25", L"25");
    AddRow(L"beta", L"2,000.5");

    struct Step
    {
        const char* name;
        int column;
        int compared;
        std::vector<std::wstring> expected;
    };
    const Step steps[] = {
        {"right-aligned: by value", 1, 1, {L"25", L"300", L"1,200", L"2,000.5"}},
        {"same header again: reversed", 1, 1, {L"2,000.5", L"1,200", L"300", L"25"}},
        {"left-aligned keeps the direction: by text", 0, 0, {L"beta", L"300", L"25", L"1,200"}},
        {"left-aligned again: ascending text", 0, 0, {L"1,200", L"25", L"300", L"beta"}},
    };
    for (const Step& step : steps) {
        ClickHeader(step.column);
        EXPECT_EQ(Column(step.compared), step.expected) << step.name;
        EXPECT_EQ(list.GetSortColumn(), step.column) << step.name;
    }
}

TEST_F(ListFixture, NumericTextsTooLongForTheBufferFallBackToText)
{
    std::wstring longNumber(2000, L'9');
    AddRow(L"a", longNumber.c_str());
    AddRow(L"b", L"5");
    ClickHeader(1);
    EXPECT_EQ(Column(1)[0], L"5"); // text order: "5" < "999..."
}

TEST_F(ListFixture, TheKeywordIsHighlightedAtBothEndsOfACell)
{
    AddRow(L"abc middle abc", L"abc middle abc");
    list.SetHighlightText(L"ABC");
    CSize size;
    std::vector<COLORREF> pixels = Paint(size);

    HDC hDC = ::GetDC(list.GetSafeHwnd());
    HGDIOBJ hOld = ::SelectObject(hDC, reinterpret_cast<HFONT>(list.SendMessage(WM_GETFONT)));
    SIZE text = {}, keyword = {};
    ::GetTextExtentPoint32W(hDC, L"abc middle abc", 14, &text);
    ::GetTextExtentPoint32W(hDC, L"abc", 3, &keyword);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(list.GetSafeHwnd(), hDC);

    struct Case
    {
        const char* name;
        int column;
    };
    for (const Case& c : {Case{"left-aligned", 0}, Case{"right-aligned", 1}}) {
        CRect cell;
        ASSERT_TRUE(list.GetSubItemRect(0, c.column, LVIR_LABEL, cell));
        int left = c.column == 0 ? cell.left + 2 : cell.right - 6 - text.cx;
        auto runs = GreenRuns(pixels, size, cell);
        ASSERT_EQ(runs.size(), 2u) << c.name;
        EXPECT_NEAR(runs[0].first, left, 1) << c.name;
        EXPECT_NEAR(runs[0].second + 1 - runs[0].first, keyword.cx, 1) << c.name;
        EXPECT_NEAR(runs[1].second + 1, left + text.cx, 1) << c.name;
    }
}

TEST_F(ListFixture, WithoutAKeywordTheDefaultPaintingShowsThroughTheMemoryDC)
{
    AddRow(L"abc middle abc", L"1");
    CSize size;
    std::vector<COLORREF> pixels = Paint(size);
    CRect cell;
    list.GetSubItemRect(0, 0, LVIR_LABEL, cell);
    EXPECT_TRUE(GreenRuns(pixels, size, cell).empty());
    bool text = false; // some text pixel differs from the window colour
    for (int x = cell.left; x < cell.right; ++x)
        text = text || pixels[static_cast<size_t>(cell.CenterPoint().y * size.cx + x)] != ::GetSysColor(COLOR_WINDOW);
    EXPECT_TRUE(text);
}

namespace {

// Counts the wheel messages a window gets, then lets them through.
struct WheelCounter
{
    static int count;
    static WNDPROC previous;
    static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (msg == WM_MOUSEWHEEL)
            ++count;
        return ::CallWindowProcW(previous, hWnd, msg, wParam, lParam);
    }
    static void Install(HWND hWnd)
    {
        count = 0;
        previous =
            reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
};
int WheelCounter::count = 0;
WNDPROC WheelCounter::previous = nullptr;

} // namespace

TEST_F(ListFixture, AWheelOverTheHeaderReturnsAndOneOutsideGoesToTheWindowUnderTheCursor)
{
    for (int i = 0; i < 50; ++i)
        AddRow(L"row", L"1");
    HWND header = list.GetHeaderCtrl()->GetSafeHwnd();
    WheelCounter::Install(header);
    CRect rcHeader;
    ::GetWindowRect(header, &rcHeader);
    CPoint over = rcHeader.CenterPoint();
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(over.x, over.y));
    EXPECT_LE(WheelCounter::count, 1); // never handed back and forth
    ::SetWindowLongPtrW(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WheelCounter::previous));

    CWnd other;
    ASSERT_TRUE(other.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), L"Other", WS_POPUP | WS_VISIBLE,
                               CRect(600, 600, 700, 700), nullptr, 0));
    WheelCounter::Install(other.GetSafeHwnd());
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(WHEEL_DELTA)), MAKELPARAM(650, 650));
    EXPECT_EQ(WheelCounter::count, 1);
    ::SetWindowLongPtrW(other.GetSafeHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WheelCounter::previous));
    other.DestroyWindow();
}

namespace {

struct RecordingList : CQorListCtrlEx
{
    std::vector<std::wstring> calls;
    void OnSelectionChanged() override { calls.push_back(L"selection"); }
    void OnEndLabelEdit(int, LPCTSTR text, BOOL&) override { calls.push_back(std::wstring(L"end ") + text); }
    void OnDeleteItem(DWORD_PTR data) override { calls.push_back(L"delete " + std::to_wstring(data)); }
};

using ListExFixture = ListFixtureT<RecordingList>;

} // namespace

TEST_F(ListExFixture, NotificationsBecomeVirtualCallsAndAnEmptyLabelEditIsRefused)
{
    AddRow(L"one", L"1", 11);
    AddRow(L"two", L"2", 22);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.DeleteItem(0);

    struct Case
    {
        const char* name;
        const wchar_t* text;
        LRESULT result;
    };
    const Case cases[] = {{"empty", L"", 0}, {"cancelled", nullptr, 0}, {"text", L"renamed", 1}};
    for (const Case& c : cases) {
        NMLVDISPINFOW info = {};
        info.hdr.hwndFrom = list.GetSafeHwnd();
        info.hdr.idFrom = 100;
        info.hdr.code = LVN_ENDLABELEDITW;
        info.item.iItem = 0;
        info.item.pszText = const_cast<LPWSTR>(c.text);
        EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&info)), c.result) << c.name;
    }
    const std::vector<std::wstring> expected = {L"selection", L"delete 11", L"end renamed"};
    EXPECT_EQ(list.calls, expected);
}
