// Books that are wrong in ways a reader meets in the field: settings that do not parse, and a
// contents width wider than any screen. The reader still shows something that makes sense.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include "books/packer/BookPacker.h"
#include "platform/framework/FrameworkIds.h"
#include "reader/app/AppFolders.h"
#include "reader/ui/MainFrame.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/FixtureReader.h"
#include "tests/reader/ReaderProcess.h"

namespace {

std::wstring ReadUtf16(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
}

} // namespace

TEST(ReaderBookFaults, UnreadableSettingsShowAPlainNoteInsteadOfTheWebNotice)
{
    bookpacker::CBookPacker packer;
    readertest::AddHomePage(packer, readertest::UniqueName(L"unread", L".htm"), L"never shown");
    testsupport::TempFolder folder;
    const std::wstring exe = folder.File(L"UnreadableReader.exe");
    ASSERT_TRUE(readertest::MakeFixtureReader(packer, exe));
    // Settings that are no XML at all, with the packed files left in place.
    ASSERT_TRUE(bookpacker::EmbedBookInExecutable(exe, bookpacker::PageBytes(L"<FolionyxExeBook><Nodes"),
                                                  packer.PackedFiles()));

    const std::wstring work(GetWorkFolder().GetString());
    const std::set<std::wstring> before = readertest::FilesIn(work, L"*.htm");
    readertest::ReaderProcess reader;
    ASSERT_TRUE(reader.Start(exe));
    ASSERT_NE(reader.WaitForFrame(), nullptr);
    std::wstring note;
    EXPECT_TRUE(testsupport::PumpUntil(
        [&] {
            for (const std::wstring& name : readertest::FilesIn(work, L"*.htm")) {
                if (before.count(name) == 0 &&
                    ReadUtf16(work + name).find(L"could not be read from the book") != std::wstring::npos) {
                    note = work + name;
                    return true;
                }
            }
            return false;
        },
        15000));
    if (!note.empty())
        DeleteFileW(note.c_str());
}

TEST(ReaderBookFaults, ContentsWidthIsClampedToTheFrame)
{
    struct Case
    {
        int requested, client, expected;
    };
    const Case cases[] = {
        {200, 800, 200}, {0, 800, 0},     {-5, 800, 0}, {2147483647, 800, 700},
        {700, 800, 700}, {701, 800, 700}, {50, 60, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ContentsStripWidth(c.requested, c.client)) << c.requested << " in " << c.client;

    // Through the whole reader, with a width that no integer holds.
    bookpacker::CBookPacker packer;
    const std::wstring page = readertest::UniqueName(L"wide", L".htm");
    readertest::AddHomePage(packer, page, L"wide contents");
    packer.settings.contentsWidth = 4321;
    std::wstring xml;
    ASSERT_TRUE(packer.BuildSettingsXml(xml));
    const size_t at = xml.find(L"4321");
    ASSERT_NE(at, std::wstring::npos);
    xml.replace(at, 4, L"99999999999");
    testsupport::TempFolder folder;
    const std::wstring exe = folder.File(L"WideReader.exe");
    ASSERT_TRUE(readertest::MakeFixtureReader(packer, exe));
    ASSERT_TRUE(bookpacker::EmbedBookInExecutable(exe, bookpacker::PageBytes(xml), packer.PackedFiles()));

    readertest::ReaderProcess reader;
    HWND frame = reader.StartAndWaitForFrame(exe);
    ASSERT_NE(frame, nullptr);
    HWND tree = nullptr;
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        tree = readertest::FindChildOfClass(frame, WC_TREEVIEWW);
        return tree != nullptr;
    }));
    RECT client, groupRect, viewRect;
    HWND view = GetDlgItem(frame, AFX_IDW_PANE_FIRST);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(testsupport::PumpUntil([&] {
        GetClientRect(frame, &client);
        GetWindowRect(GetParent(tree), &groupRect);
        GetWindowRect(view, &viewRect);
        return GetParent(tree) != frame && groupRect.right - groupRect.left > 0;
    }));
    // The Contents group is as wide as it may be, and the view keeps the rest.
    EXPECT_LT(groupRect.right - groupRect.left, client.right);
    EXPECT_GE(viewRect.right - viewRect.left, 60);
    EXPECT_GE(viewRect.left, groupRect.right);
    DeleteFileW((GetWorkFolder() + page.c_str()).GetString());
}
