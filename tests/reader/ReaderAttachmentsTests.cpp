// The running reader shows the attachment list for an item that has attachments and closes
// it for one that has none.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <string>
#include "books/packer/BookPacker.h"
#include "reader/app/AppFolders.h"
#include "resources/resource.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/FixtureReader.h"
#include "tests/reader/ReaderProcess.h"

TEST(ReaderAttachments, ListShowsForAnItemWithAttachmentsAndClosesForOneWithout)
{
    bookpacker::CBookPacker packer;
    const std::wstring first = readertest::UniqueName(L"att", L".htm");
    const std::wstring second = readertest::UniqueName(L"att", L".htm");
    readertest::AddHomePage(packer, first, L"with attachments");
    packer.nodes[0].attachments = {{packer.AddFile(std::vector<BYTE>(1536, 'x')), L"sheet.csv"},
                                   {packer.AddFile(std::vector<BYTE>(10, 'y')), L"notes.txt"}};
    const std::wstring third = readertest::UniqueName(L"att", L".htm");
    for (const std::wstring* name : {&second, &third})
        readertest::AddPageNode(packer, L"Plain", *name, L"<html><body>no attachments</body></html>");
    testsupport::TempFolder folder;
    const std::wstring exe = folder.File(L"AttachReader.exe");
    ASSERT_TRUE(readertest::MakeFixtureReader(packer, exe));

    readertest::ReaderProcess reader;
    HWND frame = reader.StartAndWaitForFrame(exe);
    ASSERT_NE(frame, nullptr);
    HWND list = readertest::FindChildOfClass(frame, WC_LISTVIEWW);
    ASSERT_NE(list, nullptr);
    // Made with the frame, the list moves into its pane when the Home item shows it.
    EXPECT_TRUE(testsupport::PumpUntil(
        [&] { return GetParent(list) != frame && IsWindowVisible(list) != FALSE; }, 15000));
    EXPECT_EQ(2, SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    // The list fills the Attachments group across the bottom of the frame, 100 high. The group
    // is placed before the windows inside it, so wait for both.
    RECT groupRect, listRect, client;
    GetClientRect(frame, &client);
    EXPECT_TRUE(testsupport::PumpUntil(
        [&] {
            GetWindowRect(GetParent(list), &groupRect);
            GetWindowRect(list, &listRect);
            return GetParent(list) != frame && groupRect.bottom - groupRect.top == 100 &&
                   listRect.right - listRect.left > client.right - 20;
        },
        10000));
    EXPECT_EQ(client.right, groupRect.right - groupRect.left);
    EXPECT_GE(listRect.top, groupRect.top);
    EXPECT_GT(listRect.right - listRect.left, client.right - 20);

    // Two items without attachments in a row: the first closes the group, the second finds it
    // closed; the reader goes on.
    const std::wstring work(GetWorkFolder().GetString());
    PostMessageW(frame, WM_COMMAND, ID_NEXT, 0);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return !IsWindowVisible(list); }, 10000));
    EXPECT_EQ(0, SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    PostMessageW(frame, WM_COMMAND, ID_NEXT, 0);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return readertest::FileExists(work + third); }, 10000));
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_TRUE(IsWindow(frame));
    DWORD exitCode = 1;
    ASSERT_TRUE(reader.CloseAndWaitForExit(frame, 20000, exitCode));
    EXPECT_EQ(exitCode, 0u);
    DeleteFileW((work + first).c_str());
    DeleteFileW((work + second).c_str());
    DeleteFileW((work + third).c_str());
}
