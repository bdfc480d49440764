// The running reader's main frame from the outside: no menu, the tool bar's dock bar at the
// top, the Contents group on the left with the tree, the view with the Home page, the status
// bar at the bottom; Search and Contents sharing the group; the book's keys; the zoom pane's
// popup; F3 in the search pane; Contents as the book asks for it; Alt and a letter; a clean
// close; the tool bar's tips and its chevron's popup with "Add or Remove Buttons".
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>
#include "books/packer/BookPacker.h"
#include "platform/framework/FrameworkIds.h"
#include "reader/app/AppFolders.h"
#include "resources/resource.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/FixtureReader.h"
#include "tests/reader/ReaderProcess.h"

namespace {

const COLORREF kHomeColour = RGB(0x2A, 0x6E, 0x3C);

RECT ScreenRect(HWND hwnd)
{
    RECT rc = {};
    GetWindowRect(hwnd, &rc);
    return rc;
}

RECT ClientOnScreen(HWND hwnd)
{
    RECT rc = {};
    GetClientRect(hwnd, &rc);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

BOOL CALLBACK FindZoomText(HWND hwnd, LPARAM lParam)
{
    wchar_t text[32] = {};
    GetWindowTextW(hwnd, text, 32);
    const std::wstring shown(text);
    if (!shown.empty() && shown.back() == L'%') {
        *reinterpret_cast<HWND*>(lParam) = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The status bar's zoom pane: the pane window that shows a percentage.
HWND ZoomPane(HWND status)
{
    HWND found = nullptr;
    EnumChildWindows(status, FindZoomText, reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace

TEST(ReaderFrame, BarsPanesViewAndKeysOfTheRunningReader)
{
    bookpacker::CBookPacker packer;
    packer.settings.bookName = L"Frame fixture";
    packer.settings.contentsWidth = 200;
    packer.settings.buttons[11].accel = L"ctrl+DOWN"; // Next
    const std::wstring home = readertest::UniqueName(L"frm", L".htm");
    const std::wstring next = readertest::UniqueName(L"frm", L".htm");
    readertest::AddPageNode(packer, L"Home", home, L"<html><body style='margin:0;background:#2A6E3C'></body></html>")
        .home = true;
    readertest::AddPageNode(packer, L"Next", next, L"<html><body>next</body></html>");
    testsupport::TempFolder folder;
    const std::wstring exe = folder.File(L"FrameReader.exe");
    ASSERT_TRUE(readertest::MakeFixtureReader(packer, exe));
    const std::wstring work(GetWorkFolder().GetString());

    readertest::ReaderProcess reader;
    HWND frame = reader.StartAndWaitForFrame(exe);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(GetMenu(frame), nullptr);
    wchar_t title[128] = {};
    GetWindowTextW(frame, title, 128);
    EXPECT_EQ(std::wstring(title), L"Frame fixture");

    HWND tree = readertest::FindChildOfClass(frame, WC_TREEVIEWW);
    HWND search = readertest::FindChildOfClass(frame, L"#32770");
    HWND bar = readertest::FindChildOfClass(frame, L"QorToolBar");
    HWND status = GetDlgItem(frame, AFX_IDW_STATUS_BAR);
    HWND view = GetDlgItem(frame, AFX_IDW_PANE_FIRST);
    ASSERT_TRUE(tree && search && bar && status && view);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return GetParent(tree) != frame; }, 10000));
    HWND group = GetParent(tree);

    // From the top: the tool bar's dock bar, then the Contents group beside the view showing
    // the Home page, then the status bar.
    const RECT client = ClientOnScreen(frame);
    HWND dock = GetParent(bar);
    const RECT dockRect = ScreenRect(dock);
    EXPECT_NE(dock, frame);
    EXPECT_EQ(dockRect.top, client.top);
    EXPECT_EQ(dockRect.right - dockRect.left, client.right - client.left);
    const RECT groupRect = ScreenRect(group);
    EXPECT_EQ(groupRect.left, client.left);
    EXPECT_EQ(groupRect.top, dockRect.bottom);
    EXPECT_EQ(200, groupRect.right - groupRect.left);
    const RECT statusRect = ScreenRect(status);
    EXPECT_EQ(statusRect.bottom, client.bottom);
    EXPECT_EQ(groupRect.bottom, statusRect.top);
    RECT viewRect = ScreenRect(view);
    EXPECT_GE(viewRect.left, groupRect.right);
    EXPECT_EQ(viewRect.top, dockRect.bottom);
    EXPECT_EQ(viewRect.bottom, statusRect.top);
    EXPECT_TRUE(testsupport::PumpUntil(
        [&] {
            testsupport::WindowCapture capture(view, true);
            const RECT all = {0, 0, capture.Width(), capture.Height()};
            return capture.CountColor(kHomeColour, all) > capture.Width() * capture.Height() / 2;
        },
        15000));

    // Search shows in the same group over the tree, with a tab row below; Contents comes back.
    PostMessageW(frame, WM_COMMAND, ID_SEARCH, 0);
    // The group lays itself out after the pane shows: wait for the tree to go as well.
    ASSERT_TRUE(testsupport::PumpUntil([&] { return IsWindowVisible(search) && !IsWindowVisible(tree); }, 10000));
    EXPECT_EQ(GetParent(search), group);
    EXPECT_GT(ScreenRect(group).bottom - ScreenRect(search).bottom, 10);
    PostMessageW(frame, WM_COMMAND, ID_CONTENTS, 0);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return IsWindowVisible(tree) && !IsWindowVisible(search); }, 10000));

    // The book's Ctrl+Down chooses the next item.
    ASSERT_TRUE(readertest::PressKeys(frame, {VK_CONTROL}, VK_DOWN));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return readertest::FileExists(work + next); }, 10000));

    // A right click on the zoom pane opens the bars' popup hanging from the pane's right edge;
    // Escape closes it.
    HWND zoom = nullptr;
    ASSERT_TRUE(testsupport::PumpUntil([&] { return (zoom = ZoomPane(status)) != nullptr; }, 10000));
    PostMessageW(zoom, WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
    HWND popup = reader.WaitForWindowOfClass(L"QorPopupBar", 10000);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(ScreenRect(popup).right, ScreenRect(zoom).right);
    ASSERT_TRUE(readertest::PressKeys(frame, {}, VK_ESCAPE));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return !IsWindow(popup) || !IsWindowVisible(popup); }, 10000));

    DWORD exitCode = 1;
    ASSERT_TRUE(reader.CloseAndWaitForExit(frame, 10000, exitCode));
    EXPECT_EQ(exitCode, 0u);
    DeleteFileW((work + home).c_str());
    DeleteFileW((work + next).c_str());
}

namespace {

const COLORREF kHitBackground = RGB(0x99, 0xFF, 0x99);
const COLORREF kAfterFirstHit = RGB(0xC8, 0x32, 0x32);
const COLORREF kAfterSecondHit = RGB(0x32, 0x32, 0xC8);

struct ViewColours
{
    int hit, afterFirst, afterSecond;
};

ViewColours ColoursOf(HWND view)
{
    testsupport::WindowCapture capture(view, true);
    const RECT all = {0, 0, capture.Width(), capture.Height()};
    return {capture.CountColor(kHitBackground, all), capture.CountColor(kAfterFirstHit, all),
            capture.CountColor(kAfterSecondHit, all)};
}

void ClickAt(POINT pt)
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

// Starts a reader of the book and waits until it has shown its Home page (the page's file
// was extracted); null when it does not get there.
HWND StartAtHome(const bookpacker::CBookPacker& packer, const std::wstring& exe, const std::wstring& homePath,
                 readertest::ReaderProcess& reader)
{
    if (!readertest::MakeFixtureReader(packer, exe))
        return nullptr;
    HWND frame = reader.StartAndWaitForFrame(exe);
    if (frame == nullptr || !testsupport::PumpUntil([&] { return readertest::FileExists(homePath); }, 10000))
        return nullptr;
    return frame;
}

} // namespace

// F3 is both the book's Locate Keywords key and the search pane's own: pressed there, it moves
// the page on by one hit, not two.
TEST(ReaderFrame, F3InTheSearchPaneStepsOneHit)
{
    bookpacker::CBookPacker packer;
    const std::wstring home = readertest::UniqueName(L"fthree", L".htm");
    const std::wstring hits = readertest::UniqueName(L"fthree", L".htm");
    readertest::AddHomePage(packer, home, L"nothing to find here");
    readertest::AddPageNode(packer, L"Jam", hits,
                            L"<html><body style='margin:0'><div style='height:1500px'></div><p>marmalade</p>"
                            L"<div style='height:2000px;background:#C83232'></div><p>marmalade</p>"
                            L"<div style='height:2000px;background:#3232C8'></div></body></html>");
    testsupport::TempFolder folder;
    const std::wstring work(GetWorkFolder().GetString());
    readertest::ReaderProcess reader;
    HWND frame = StartAtHome(packer, folder.File(L"F3Reader.exe"), work + home, reader);
    ASSERT_NE(frame, nullptr);
    HWND pane = readertest::FindChildOfClass(frame, L"#32770");
    HWND view = GetDlgItem(frame, AFX_IDW_PANE_FIRST);
    ASSERT_TRUE(pane && view);
    PostMessageW(frame, WM_COMMAND, ID_SEARCH, 0);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return IsWindowVisible(pane) != FALSE; }, 10000));
    HWND edit = GetDlgItem(pane, IDC_SEARCH_KEYWORD);
    HWND list = GetDlgItem(pane, IDC_SEARCH_RESULTS);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"marmalade"));
    ASSERT_TRUE(readertest::PressKeys(frame, {}, VK_RETURN));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 1; }, 10000));

    // Open the hit's page: it shows its first hit at the top, with the block after it below.
    // A busy machine can split the double click (the list tracks the first press for a drag,
    // or the pane was still moving when the row was measured): measure and double-click again.
    POINT row = {};
    bool opened = false;
    for (int attempt = 0; attempt < 3 && !opened; ++attempt) {
        RECT header;
        GetWindowRect(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)), &header);
        row = {header.left + 20, header.bottom + 6};
        ClickAt(row);
        ClickAt(row);
        opened = testsupport::PumpUntil([&] { return readertest::FileExists(work + hits); }, 5000);
    }
    ASSERT_TRUE(opened);
    auto shows = [&](int expected) {
        const ViewColours now = ColoursOf(view);
        return now.hit > 20 && (expected == 1 ? now.afterFirst > 1000 && now.afterSecond == 0
                                              : now.afterSecond > 1000 && now.afterFirst == 0);
    };
    ASSERT_TRUE(testsupport::PumpUntil([&] { return shows(1); }, 10000));

    // The focus back in the pane (a click on the row), then F3: the second hit at the top, and
    // still there a while later (a second step would wrap round to the first); the next F3
    // wraps round.
    ClickAt(row);
    testsupport::PumpUntil([] { return false; }, 300);
    ASSERT_TRUE(readertest::PressKeys(frame, {}, VK_F3));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return shows(2); }, 10000));
    testsupport::PumpUntil([] { return false; }, 500);
    EXPECT_TRUE(shows(2)) << "F3 stepped more than one hit";
    ASSERT_TRUE(readertest::PressKeys(frame, {}, VK_F3));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return shows(1); }, 10000));

    DWORD exitCode = 1;
    ASSERT_TRUE(reader.CloseAndWaitForExit(frame, 10000, exitCode));
    DeleteFileW((work + home).c_str());
    DeleteFileW((work + hits).c_str());
}

TEST(ReaderFrame, ContentsShowsAsTheBookAsks)
{
    struct Case
    {
        const char* name;
        bool visible;          // Contents Visible2
        bool visibleStartup;   // Contents VisibleStartup
        bool shownByCommand;   // 32782 shows the group afterwards
    } cases[] = {
        {"no contents", false, true, false},
        {"contents closed at start", true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bookpacker::CBookPacker packer;
        packer.settings.contentsVisible = c.visible;
        packer.settings.contentsVisibleStartup = c.visibleStartup;
        const std::wstring home = readertest::UniqueName(L"cvis", L".htm");
        readertest::AddHomePage(packer, home, L"home");
        testsupport::TempFolder folder;
        const std::wstring work(GetWorkFolder().GetString());
        readertest::ReaderProcess reader;
        HWND frame = StartAtHome(packer, folder.File(L"ContentsReader.exe"), work + home, reader);
        ASSERT_NE(frame, nullptr);
        HWND tree = readertest::FindChildOfClass(frame, WC_TREEVIEWW);
        HWND search = readertest::FindChildOfClass(frame, L"#32770");
        HWND view = GetDlgItem(frame, AFX_IDW_PANE_FIRST);
        ASSERT_TRUE(tree && search && view);
        // No group on the left: the view starts at the frame's left edge.
        EXPECT_FALSE(IsWindowVisible(tree));
        EXPECT_EQ(ScreenRect(view).left, ClientOnScreen(frame).left);

        // Contents, then Search: once Search shows, Contents has had its turn.
        PostMessageW(frame, WM_COMMAND, ID_CONTENTS, 0);
        if (c.shownByCommand) {
            EXPECT_TRUE(testsupport::PumpUntil([&] { return IsWindowVisible(tree) != FALSE; }, 10000));
            // The frame lays out after the pane shows: the view moves aside a moment later.
            EXPECT_TRUE(testsupport::PumpUntil(
                [&] { return ScreenRect(view).left >= ScreenRect(GetParent(tree)).right; }, 10000));
            EXPECT_EQ(ScreenRect(GetParent(tree)).left, ClientOnScreen(frame).left);
        } else {
            PostMessageW(frame, WM_COMMAND, ID_SEARCH, 0);
            ASSERT_TRUE(testsupport::PumpUntil([&] { return IsWindowVisible(search) != FALSE; }, 10000));
            EXPECT_FALSE(IsWindowVisible(tree));
        }
        DWORD exitCode = 1;
        EXPECT_TRUE(reader.CloseAndWaitForExit(frame, 10000, exitCode));
        EXPECT_EQ(exitCode, 0u);
        DeleteFileW((work + home).c_str());
    }
}

namespace {

void MoveTo(POINT pt)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = pt.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = pt.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
}

struct ProcessWindows
{
    DWORD process;
    const wchar_t* classPrefix;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisibleOfClass(HWND hwnd, LPARAM lParam)
{
    auto* windows = reinterpret_cast<ProcessWindows*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    wchar_t className[64] = {};
    GetClassNameW(hwnd, className, 64);
    if (process == windows->process && IsWindowVisible(hwnd) &&
        std::wstring(className).rfind(windows->classPrefix, 0) == 0)
        windows->found.push_back(hwnd);
    return TRUE;
}

// The visible top-level windows of the reader's process whose class starts with the prefix.
std::vector<HWND> VisibleWindowsOf(HWND frame, const wchar_t* classPrefix)
{
    ProcessWindows windows = {0, classPrefix, {}};
    GetWindowThreadProcessId(frame, &windows.process);
    EnumWindows(CollectVisibleOfClass, reinterpret_cast<LPARAM>(&windows));
    return windows.found;
}

// What the reader's shown tool tip says (empty: none shows).
std::wstring ShownTip(HWND frame)
{
    for (HWND tip : VisibleWindowsOf(frame, TOOLTIPS_CLASSW)) {
        wchar_t text[128] = {};
        SendMessageW(tip, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text));
        if (text[0])
            return text;
    }
    return std::wstring();
}

// The popup menus the reader shows, most recent last (none: empty).
std::vector<HWND> ShownPopups(HWND frame)
{
    std::vector<HWND> popups = VisibleWindowsOf(frame, L"QorPopupBar");
    // Top-level windows come in z-order, the newest first.
    std::reverse(popups.begin(), popups.end());
    return popups;
}

POINT CentreOf(HWND hwnd)
{
    const RECT rc = ScreenRect(hwnd);
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

// Whether two captures of the same window differ anywhere.
bool Differ(const testsupport::WindowCapture& a, const testsupport::WindowCapture& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return true;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return true;
        }
    }
    return false;
}

// What the screen shows of a window once it has stopped changing (the keys pressed before have
// all been handled).
std::unique_ptr<testsupport::WindowCapture> SettledCapture(HWND hwnd)
{
    auto last = std::make_unique<testsupport::WindowCapture>(hwnd, true);
    testsupport::PumpUntil(
        [&] {
            testsupport::PumpUntil([] { return false; }, 300);
            auto now = std::make_unique<testsupport::WindowCapture>(hwnd, true);
            const bool same = !Differ(*last, *now);
            last = std::move(now);
            return same;
        },
        10000);
    return last;
}

} // namespace

// The tool bar as a new user meets it: a tip over a button names it with the book's key for it,
// and the chevron's popup reaches "Add or Remove Buttons", whose list hides and shows a button.
TEST(ReaderFrame, ToolBarTipsAndTheChevronsAddOrRemoveButtons)
{
    bookpacker::CBookPacker packer;
    packer.settings.buttons[0].accel = L"Ctrl+P"; // Print
    const std::wstring home = readertest::UniqueName(L"tips", L".htm");
    readertest::AddHomePage(packer, home, L"tips and buttons");
    testsupport::TempFolder folder;
    const std::wstring work(GetWorkFolder().GetString());
    readertest::ReaderProcess reader;
    HWND frame = StartAtHome(packer, folder.File(L"TipsReader.exe"), work + home, reader);
    ASSERT_NE(frame, nullptr);
    HWND bar = readertest::FindChildOfClass(frame, L"QorToolBar");
    ASSERT_NE(bar, nullptr);
    SetForegroundWindow(frame);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return GetForegroundWindow() == frame; }, 5000));

    // Over the first button (Print): its tip, with the book's key; away from the bar it goes.
    const RECT barRect = ScreenRect(bar);
    const int barMiddle = (barRect.top + barRect.bottom) / 2;
    const RECT client = ClientOnScreen(frame);
    const POINT away = {(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    MoveTo(away);
    MoveTo({barRect.left + 12, barMiddle});
    std::wstring tip;
    EXPECT_TRUE(testsupport::PumpUntil(
        [&] {
            tip = ShownTip(frame);
            return tip == L"Print (Ctrl+P)";
        },
        10000))
        << "shown: " << testing::PrintToString(tip);
    MoveTo(away);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return ShownTip(frame).empty(); }, 10000));

    // The chevron at the bar's end opens its popup: "Add or Remove Buttons" alone (nothing is
    // hidden), hanging inside the frame.
    ClickAt({barRect.right - 6, barMiddle});
    ASSERT_TRUE(testsupport::PumpUntil([&] { return ShownPopups(frame).size() == 1; }, 10000));
    HWND expand = ShownPopups(frame)[0];
    EXPECT_LE(ScreenRect(expand).right, ScreenRect(frame).right);
    // Resting on the entry opens its list of bars (a greyed entry would open nothing), and the
    // bar's entry its list of buttons.
    MoveTo(CentreOf(expand));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return ShownPopups(frame).size() == 2; }, 10000));
    MoveTo(CentreOf(ShownPopups(frame)[1]));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return ShownPopups(frame).size() == 3; }, 10000));
    HWND list = ShownPopups(frame)[2];
    const RECT listRect = ScreenRect(list);
    // The first entry (Print) hides the first button: the bar gets narrower; again shows it.
    const int widthBefore = barRect.right - barRect.left;
    const POINT first = {(listRect.left + listRect.right) / 2, listRect.top + 12};
    MoveTo(first);
    testsupport::PumpUntil([] { return false; }, 300);
    ClickAt(first);
    EXPECT_TRUE(testsupport::PumpUntil(
        [&] { return ScreenRect(bar).right - ScreenRect(bar).left < widthBefore; }, 10000));
    EXPECT_TRUE(IsWindowVisible(list)) << "the list stays open for the next choice";
    ClickAt(first);
    EXPECT_TRUE(testsupport::PumpUntil(
        [&] { return ScreenRect(bar).right - ScreenRect(bar).left == widthBefore; }, 10000));
    for (int i = 0; i < 3 && !ShownPopups(frame).empty(); ++i)
        readertest::PressKeys(frame, {}, VK_ESCAPE);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return ShownPopups(frame).empty(); }, 10000));

    DWORD exitCode = 1;
    EXPECT_TRUE(reader.CloseAndWaitForExit(frame, 10000, exitCode));
    DeleteFileW((work + home).c_str());
}

// Alt and a letter, pressed for real. A letter the book gives a command to runs that command,
// even where the letter begins a button's name ("Prior", "Print"; "Search", "Stop"), since no
// button marks it as its own. A letter the book leaves alone still reaches the bar, and the
// person sees what it did: the one button whose name it begins runs, or the first of several
// turns hot.
TEST(ReaderFrame, AltLettersRunTheBooksShortcutsAndOtherwiseShowWhatTheBarDid)
{
    const COLORREF kFirstColour = RGB(0x2A, 0x8E, 0x3C), kSecondColour = RGB(0x3C, 0x2A, 0x8E);
    bookpacker::CBookPacker packer;
    packer.settings.buttons[9].accel = L"alt+S";  // Search
    packer.settings.buttons[10].accel = L"alt+P"; // Prior
    const std::wstring first = readertest::UniqueName(L"altkey", L".htm");
    const std::wstring home = readertest::UniqueName(L"altkey", L".htm");
    readertest::AddPageNode(packer, L"First", first, L"<html><body style='margin:0;background:#2A8E3C'></body></html>");
    readertest::AddPageNode(packer, L"Second", home, L"<html><body style='margin:0;background:#3C2A8E'></body></html>")
        .home = true;
    testsupport::TempFolder folder;
    const std::wstring work(GetWorkFolder().GetString());
    readertest::ReaderProcess reader;
    HWND frame = StartAtHome(packer, folder.File(L"AltKeyReader.exe"), work + home, reader);
    ASSERT_NE(frame, nullptr);
    HWND search = readertest::FindChildOfClass(frame, L"#32770");
    HWND bar = readertest::FindChildOfClass(frame, L"QorToolBar");
    HWND view = GetDlgItem(frame, AFX_IDW_PANE_FIRST);
    ASSERT_TRUE(search && bar && view);
    auto shows = [&](COLORREF colour) {
        testsupport::WindowCapture capture(view, true);
        const RECT all = {0, 0, capture.Width(), capture.Height()};
        return capture.CountColor(colour, all) > capture.Width() * capture.Height() / 2;
    };
    ASSERT_TRUE(testsupport::PumpUntil([&] { return shows(kSecondColour); }, 15000));

    // The book's Alt+P: Prior.
    ASSERT_TRUE(readertest::PressKeys(frame, {VK_MENU}, 'P'));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return shows(kFirstColour); }, 10000));
    // "Back" is the only name that begins with B: it runs, and the view goes back.
    ASSERT_TRUE(readertest::PressKeys(frame, {VK_MENU}, 'B'));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return shows(kSecondColour); }, 10000));

    // "Auto Scroll" and "About e-Book" both begin with A: the first turns hot on the bar.
    std::unique_ptr<testsupport::WindowCapture> before = SettledCapture(bar);
    ASSERT_TRUE(readertest::PressKeys(frame, {VK_MENU}, 'A'));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return Differ(*before, testsupport::WindowCapture(bar, true)); }, 10000));
    ASSERT_TRUE(readertest::PressKeys(frame, {}, VK_ESCAPE));

    // Last, as the Search pane keeps the keys it gets once it has the focus.
    ASSERT_TRUE(readertest::PressKeys(frame, {VK_MENU}, 'S'));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return IsWindowVisible(search) != FALSE; }, 10000));

    DWORD exitCode = 1;
    EXPECT_TRUE(reader.CloseAndWaitForExit(frame, 10000, exitCode));
    DeleteFileW((work + first).c_str());
    DeleteFileW((work + home).c_str());
}
