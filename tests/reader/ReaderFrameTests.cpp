// The running reader's main frame from the outside: no menu, the tool bar's dock bar at the
// top, the Contents group on the left with the tree, the view with the Home page, the status
// bar at the bottom; Search and Contents sharing the group; the book's keys; a clean close.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <string>
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

    DWORD exitCode = 1;
    ASSERT_TRUE(reader.CloseAndWaitForExit(frame, 10000, exitCode));
    EXPECT_EQ(exitCode, 0u);
    DeleteFileW((work + home).c_str());
    DeleteFileW((work + next).c_str());
}
