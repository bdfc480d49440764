// Starts FolionyxReader.exe carrying a fixture book and reads it through its contents:
// the Home page shows at start, choosing an item extracts its page with the page's
// companion folder and shows it, and a link of the book's own scheme moves on.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>
#include "books/packer/BookPacker.h"
#include "platform/framework/FrameworkIds.h"
#include "reader/app/AppFolders.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/FixtureReader.h"
#include "tests/reader/ReaderProcess.h"
#include "tests/reader/ReaderProcess.h"

namespace {

// A 1 x 1 red GIF.
const BYTE kRedDot[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xFF, 0x00,
                        0x00, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00,
                        0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
const COLORREF kRed = RGB(0xFF, 0, 0);

struct FixturePage
{
    std::wstring name; // page file name, unique per run
    COLORREF background;
};

std::wstring HexColour(COLORREF colour)
{
    wchar_t text[8];
    swprintf(text, 8, L"#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

// A tall page filled with its colour. Its top shows red pictures from its companion folder,
// side by side, each linking to one of `links`; its end holds the anchor "end".
std::wstring PageHtml(const FixturePage& page, std::initializer_list<const wchar_t*> links)
{
    const std::wstring title = page.name.substr(0, page.name.size() - 4);
    std::wstring html =
        L"<html><body style='margin:0' bgcolor='" + HexColour(page.background) + L"'><p style='margin:0'>";
    for (const wchar_t* link : links) {
        html += L"<a href='" + std::wstring(link) + L"'><img src='" + title +
                L"_files/dot.gif' width='300' height='150' border='0'></a>";
    }
    return html + L"</p><div style='height:3000px'></div><p id='end'>" + title + L"</p></body></html>";
}

void RemoveExtracted(const std::wstring& work, const std::wstring& page)
{
    const std::wstring folder = work + page.substr(0, page.size() - 4) + L"_files\\";
    DeleteFileW((folder + L"dot.gif").c_str());
    RemoveDirectoryW(folder.c_str());
    DeleteFileW((work + page).c_str());
}

BOOL CALLBACK FindTree(HWND hwnd, LPARAM lp)
{
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if (lstrcmpiW(name, WC_TREEVIEWW) == 0) {
        *reinterpret_cast<HWND*>(lp) = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The innermost visible window under a point of `hwnd`'s client area; the point is
// converted to that window's client coordinates.
HWND DeepestChildAt(HWND hwnd, POINT& pt)
{
    for (;;) {
        HWND child = ChildWindowFromPointEx(hwnd, pt, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (child == nullptr || child == hwnd)
            return hwnd;
        MapWindowPoints(hwnd, child, &pt, 1);
        hwnd = child;
    }
}

// Counts the pixels of a colour on the screen inside a window's client area.
int CountOnScreen(HWND hwnd, COLORREF colour)
{
    testsupport::WindowCapture capture(hwnd, true);
    const RECT all = {0, 0, capture.Width(), capture.Height()};
    return capture.CountColor(colour, all);
}

HTREEITEM TreeItem(HWND tree, UINT code, HTREEITEM from)
{
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(from)));
}

} // namespace

TEST(ReaderContents, ShowsHomeThenChosenItemsAndFollowsCustomLinks)
{
    // Page names unique to this run, so that files an earlier run left cannot pass for new ones.
    const std::wstring token = std::to_wstring(GetTickCount());
    const FixturePage home = {L"fx" + token + L"home.htm", RGB(0x1E, 0x64, 0x32)};
    const FixturePage second = {L"fx" + token + L"second.htm", RGB(0x7A, 0x1E, 0x5A)};
    const FixturePage third = {L"fx" + token + L"third.htm", RGB(0x1E, 0x2E, 0x7A)};

    bookpacker::CBookPacker packer;
    packer.settings.bookName = L"Contents fixture";
    packer.settings.contentsWidth = 180;
    const int dot = packer.AddFile(std::vector<BYTE>(kRedDot, kRedDot + sizeof(kRedDot)));
    // The Home item is the second one in the tree: Home is found by its mark, not its place.
    bookpacker::BookNode intro;
    intro.title = L"Second";
    intro.url = L"http://fixture.example/second.htm";
    intro.files = {
        {packer.AddPage(PageHtml(second, {L"folionyx://next", L"HTTP://fixture.example/Second.htm#end"})), second.name},
        {dot, L"dot.gif"}};
    bookpacker::BookNode start;
    start.title = L"Home";
    start.home = true;
    start.url = L"http://fixture.example/home.htm";
    start.files = {{packer.AddPage(PageHtml(home, {L"http://fixture.example/second.htm#end"})), home.name},
                   {dot, L"dot.gif"}};
    bookpacker::BookNode last;
    last.title = L"Third";
    last.url = L"http://fixture.example/third.htm";
    last.files = {{packer.AddPage(PageHtml(third, {L"trawlmoss://prior"})), third.name}, {dot, L"dot.gif"}};
    packer.nodes = {intro, start, last}; // tree order: Second, Home, Third
    testsupport::TempFolder folder;
    const std::wstring exe = folder.File(L"ContentsReader.exe");
    ASSERT_TRUE(readertest::MakeFixtureReader(packer, exe));

    const std::wstring work(GetWorkFolder().GetString());
    auto pagePath = [&](const FixturePage& page) { return work + page.name; };
    auto companion = [&](const FixturePage& page) {
        return work + page.name.substr(0, page.name.size() - 4) + L"_files\\dot.gif";
    };

    readertest::ReaderProcess reader;
    HWND frame = reader.StartAndWaitForFrame(exe);
    ASSERT_NE(frame, nullptr);
    HWND tree = nullptr;
    EnumChildWindows(frame, FindTree, reinterpret_cast<LPARAM>(&tree));
    ASSERT_NE(tree, nullptr);
    HWND view = GetDlgItem(frame, AFX_IDW_PANE_FIRST);
    ASSERT_NE(view, nullptr);

    // The tree sits in the Contents group on the left, as wide as the book asks; the view takes
    // the rest. The reader runs in another process and lays out its panes one after the other,
    // so wait for both.
    RECT groupRect = {}, treeRect = {}, viewRect = {};
    EXPECT_TRUE(testsupport::PumpUntil(
        [&] {
            GetWindowRect(GetParent(tree), &groupRect);
            GetWindowRect(tree, &treeRect);
            GetWindowRect(view, &viewRect);
            return GetParent(tree) != frame && groupRect.right - groupRect.left == 180 &&
                   viewRect.left >= groupRect.right;
        },
        10000))
        << groupRect.right - groupRect.left << " " << viewRect.left << " " << groupRect.right;
    EXPECT_GE(treeRect.left, groupRect.left);
    EXPECT_LE(treeRect.right, groupRect.right);
    EXPECT_GT(treeRect.right - treeRect.left, 150);
    EXPECT_TRUE(IsWindowVisible(tree));
    EXPECT_EQ(SendMessageW(tree, TVM_GETCOUNT, 0, 0), 3);

    HTREEITEM first = TreeItem(tree, TVGN_ROOT, nullptr);
    HTREEITEM homeItem = TreeItem(tree, TVGN_NEXT, first);
    HTREEITEM thirdItem = TreeItem(tree, TVGN_NEXT, homeItem);

    const int viewArea = (viewRect.right - viewRect.left) * (viewRect.bottom - viewRect.top);
    const int picture = 300 * 150;
    auto selected = [&](HTREEITEM item) {
        return testsupport::PumpUntil([&] { return TreeItem(tree, TVGN_CARET, nullptr) == item; }, 10000);
    };
    // The page of that colour fills most of the view, at its top (pictures shown) or
    // scrolled to its end (none shown).
    auto shows = [&](const FixturePage& page, bool atTop) {
        return testsupport::PumpUntil(
            [&] {
                return CountOnScreen(view, page.background) > viewArea / 3 &&
                       (atTop ? CountOnScreen(view, kRed) > picture / 2 : CountOnScreen(view, kRed) == 0);
            },
            10000);
    };
    auto choose = [&](HTREEITEM item) {
        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    };
    // Clicks the nth picture of the page at the top of the view.
    auto click = [&](int picture) {
        POINT pt = {100 + 300 * picture, 60};
        HWND target = DeepestChildAt(view, pt);
        PostMessageW(target, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
        PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        PostMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    };

    // At start: the Home item is selected, its page and companion folder extracted and shown.
    // The window answers while the files are written: the selection can show before they are there.
    EXPECT_TRUE(selected(homeItem));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return testsupport::FileExists(pagePath(home)); }, 10000));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return testsupport::FileExists(companion(home)); }, 10000));
    EXPECT_TRUE(shows(home, true)) << CountOnScreen(view, home.background) << " of " << viewArea;

    // Choosing an item in the tree extracts and shows its page.
    choose(first);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return testsupport::FileExists(companion(second)); }, 10000));
    EXPECT_TRUE(testsupport::FileExists(pagePath(second)));
    EXPECT_TRUE(shows(second, true));
    EXPECT_EQ(CountOnScreen(view, home.background), 0);

    // "folionyx://next" opens the item after this one.
    click(0);
    EXPECT_TRUE(selected(homeItem));
    EXPECT_TRUE(shows(home, true));

    // A link to an item's address with an anchor finds the item and opens it at the anchor.
    click(0);
    EXPECT_TRUE(selected(first));
    EXPECT_TRUE(shows(second, false));

    // The next page chosen in the tree opens at its top.
    choose(thirdItem);
    EXPECT_TRUE(shows(third, true));
    EXPECT_TRUE(testsupport::FileExists(companion(third)));

    // "trawlmoss://prior" goes back one item.
    click(0);
    EXPECT_TRUE(selected(homeItem));
    EXPECT_TRUE(shows(home, true));

    // A link to the shown item's own address with an anchor moves within it...
    choose(first);
    EXPECT_TRUE(shows(second, true));
    click(1);
    EXPECT_TRUE(shows(second, false));
    EXPECT_TRUE(selected(first));
    // ...and leaves no anchor behind for the next page.
    choose(thirdItem);
    EXPECT_TRUE(shows(third, true));

    DWORD exitCode = 1;
    PostMessageW(frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(reader.WaitForExit(20000, exitCode));
    EXPECT_EQ(exitCode, 0u);
    for (const FixturePage* page : {&home, &second, &third})
        RemoveExtracted(work, page->name);
}

TEST(ReaderContents, HiddenContentsLeaveTheWholeWidthToTheView)
{
    bookpacker::CBookPacker packer;
    packer.settings.contentsVisible = true;
    packer.settings.contentsVisibleStartup = false;
    bookpacker::BookNode node;
    node.title = L"Only";
    const std::wstring page = L"fx" + std::to_wstring(GetTickCount()) + L"only.htm";
    node.files = {{packer.AddPage(L"<p>only</p>"), page}};
    packer.nodes = {node};
    testsupport::TempFolder folder;
    const std::wstring exe = folder.File(L"HiddenContents.exe");
    ASSERT_TRUE(readertest::MakeFixtureReader(packer, exe));

    readertest::ReaderProcess reader;
    HWND frame = reader.StartAndWaitForFrame(exe);
    ASSERT_NE(frame, nullptr);
    HWND tree = nullptr;
    EnumChildWindows(frame, FindTree, reinterpret_cast<LPARAM>(&tree));
    ASSERT_NE(tree, nullptr);
    HWND view = GetDlgItem(frame, AFX_IDW_PANE_FIRST);
    ASSERT_NE(view, nullptr);
    // The tree is still filled (and its Home item chosen), only not shown.
    EXPECT_TRUE(testsupport::PumpUntil([&] { return TreeItem(tree, TVGN_CARET, nullptr) != nullptr; }, 10000));
    EXPECT_FALSE(IsWindowVisible(tree));
    RECT viewRect, client;
    GetClientRect(frame, &client);
    EXPECT_TRUE(testsupport::PumpUntil(
        [&] {
            GetWindowRect(view, &viewRect);
            MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&viewRect), 2);
            return viewRect.left == 0 && viewRect.right == client.right;
        },
        10000))
        << viewRect.left << ".." << viewRect.right << " of " << client.right;
    DWORD exitCode = 1;
    PostMessageW(frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(reader.WaitForExit(20000, exitCode));
    EXPECT_EQ(exitCode, 0u);
    RemoveExtracted(GetWorkFolder().GetString(), page);
}

TEST(ReaderContents, AnItemWhosePageCannotBeExtractedLeavesThePageShown)
{
    const std::wstring token = std::to_wstring(GetTickCount());
    const FixturePage shown = {L"fx" + token + L"shown.htm", RGB(0x5A, 0x3C, 0x14)};
    bookpacker::CBookPacker packer;
    const int dot = packer.AddFile(std::vector<BYTE>(kRedDot, kRedDot + sizeof(kRedDot)));
    bookpacker::BookNode good;
    good.title = L"Shown";
    good.files = {{packer.AddPage(PageHtml(shown, {L"folionyx://next"})), shown.name}, {dot, L"dot.gif"}};
    bookpacker::BookNode broken;
    broken.title = L"Broken";
    broken.files = {{999, L"fx" + token + L"broken.htm"}}; // not among the packed files
    packer.nodes = {good, broken};
    testsupport::TempFolder folder;
    const std::wstring exe = folder.File(L"BrokenPage.exe");
    ASSERT_TRUE(readertest::MakeFixtureReader(packer, exe));
    const std::wstring work(GetWorkFolder().GetString());

    readertest::ReaderProcess reader;
    HWND frame = reader.StartAndWaitForFrame(exe);
    ASSERT_NE(frame, nullptr);
    HWND tree = nullptr;
    EnumChildWindows(frame, FindTree, reinterpret_cast<LPARAM>(&tree));
    ASSERT_NE(tree, nullptr);
    HWND view = GetDlgItem(frame, AFX_IDW_PANE_FIRST);
    ASSERT_NE(view, nullptr);
    RECT viewRect;
    GetClientRect(view, &viewRect);
    const int viewArea = viewRect.right * viewRect.bottom;
    auto showsPage = [&] { return CountOnScreen(view, shown.background) > viewArea / 3; };
    ASSERT_TRUE(testsupport::PumpUntil(showsPage, 10000));

    HTREEITEM second = TreeItem(tree, TVGN_NEXT, TreeItem(tree, TVGN_ROOT, nullptr));
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(second));
    EXPECT_EQ(TreeItem(tree, TVGN_CARET, nullptr), second);
    // Give a wrong navigation time to happen; the page stays.
    DWORD start = GetTickCount();
    testsupport::PumpUntil([&] { return GetTickCount() - start > 1500; }, 3000);
    EXPECT_TRUE(showsPage());
    EXPECT_FALSE(testsupport::FileExists(work + L"fx" + token + L"broken.htm"));

    DWORD exitCode = 1;
    PostMessageW(frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(reader.WaitForExit(20000, exitCode));
    EXPECT_EQ(exitCode, 0u);
    RemoveExtracted(work, shown.name);
}
