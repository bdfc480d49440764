// Books that are wrong in ways a reader meets in the field: settings that do not parse, page
// data that does not inflate, and a contents width no screen holds. The reader still shows something that makes sense.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <climits>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>
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

// Waits for a page the reader writes into the work folder after `before` was taken that holds
// the "could not be read" note; removes it. False when none comes.
bool WaitForUnreadableNote(const std::wstring& work, const std::set<std::wstring>& before)
{
    std::wstring note;
    testsupport::PumpUntil(
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
        15000);
    if (note.empty())
        return false;
    DeleteFileW(note.c_str());
    return true;
}

} // namespace

// Settings that do not parse, and settings that are sound over page data that is damaged: both
// show the same plain note rather than a blank view or the page engine's notice about web pages.
TEST(ReaderBookFaults, UnreadableSettingsOrPageDataShowAPlainNote)
{
    const std::wstring work(GetWorkFolder().GetString());
    for (bool damagedPage : {false, true}) {
        SCOPED_TRACE(damagedPage ? "damaged page data" : "unreadable settings");
        bookpacker::CBookPacker packer;
        const std::wstring page = readertest::UniqueName(L"unread", L".htm");
        readertest::AddHomePage(packer, page, L"never shown");
        testsupport::TempFolder folder;
        const std::wstring exe = folder.File(L"UnreadableReader.exe");
        ASSERT_TRUE(readertest::MakeFixtureReader(packer, exe));
        if (damagedPage) {
            // The page's zlib stream with its middle overwritten: the record no longer inflates.
            std::vector<BYTE> packed = packer.PackedFiles();
            const bookpacker::PackedRecord& record = packer.Records()[0];
            for (int i = 2; i < record.bufferSize - 4; ++i)
                packed[size_t(record.begin + bookpacker::RecordHeaderSize + i)] ^= 0x5A;
            std::vector<BYTE> settings;
            ASSERT_TRUE(packer.BuildSettingsResource(settings));
            ASSERT_TRUE(bookpacker::EmbedBookInExecutable(exe, settings, packed));
        } else {
            // Settings that are no XML at all, with the packed files left in place.
            ASSERT_TRUE(bookpacker::EmbedBookInExecutable(exe, bookpacker::PageBytes(L"<FolionyxExeBook><Nodes"),
                                                          packer.PackedFiles()));
        }
        const std::set<std::wstring> before = readertest::FilesIn(work, L"*.htm");
        readertest::ReaderProcess reader;
        ASSERT_TRUE(reader.Start(exe));
        ASSERT_NE(reader.WaitForFrame(), nullptr);
        EXPECT_TRUE(WaitForUnreadableNote(work, before));
        EXPECT_FALSE(readertest::FileExists(work + page));
    }
}

TEST(ReaderBookFaults, ContentsWidthIsClampedToTheFrame)
{
    struct Case
    {
        const char* name;
        int requested, client, expected;
    };
    const Case cases[] = {
        {"as asked", 200, 800, 200},
        {"zero keeps the titles in sight", 0, 800, 60},
        {"negative", -5, 800, 60},
        {"smallest integer", INT_MIN, 800, 60},
        {"largest integer leaves the view a third", INT_MAX, 800, 533},
        {"two thirds", 533, 800, 533},
        {"just past two thirds", 534, 800, 533},
        {"frame narrower than the least width", 50, 60, 40},
        {"no frame yet", 200, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ContentsStripWidth(c.requested, c.client)) << c.name;

    // Through the whole reader, with a width that no integer holds and with the smallest one.
    for (const wchar_t* width : {L"99999999999", L"-2147483648"}) {
        SCOPED_TRACE(testing::Message() << "Width " << std::string(width, width + wcslen(width)));
        bookpacker::CBookPacker packer;
        const std::wstring page = readertest::UniqueName(L"wide", L".htm");
        readertest::AddHomePage(packer, page, L"wide contents");
        packer.settings.contentsWidth = 4321;
        std::wstring xml;
        ASSERT_TRUE(packer.BuildSettingsXml(xml));
        const size_t at = xml.find(L"4321");
        ASSERT_NE(at, std::wstring::npos);
        xml.replace(at, 4, width);
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
        // The Contents group can be seen and read, and the view keeps at least a third.
        const int group = groupRect.right - groupRect.left;
        EXPECT_GE(group, 60);
        EXPECT_LE(group, client.right * 2 / 3 + 8); // the splitter beside it
        EXPECT_GE(viewRect.right - viewRect.left, client.right / 3 - 8);
        EXPECT_GE(viewRect.left, groupRect.right);
        DeleteFileW((GetWorkFolder() + page.c_str()).GetString());
    }
}
