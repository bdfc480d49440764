// A page whose companion file inflates to a great deal, in the running reader: the file is
// written while the window keeps answering, without the reader holding it in memory, and a
// second visit to the page does not write it again.
#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>
#include <string>
#include "books/packer/BookPacker.h"
#include "reader/app/AppFolders.h"
#include "reader/book/ExeBookDocument.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/AnswerProbe.h"
#include "tests/reader/FixtureReader.h"
#include "tests/reader/ReaderProcess.h"

namespace {

ULONGLONG WriteTime(const std::wstring& path, ULONGLONG* size = nullptr)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    if (size)
        *size = (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return (ULONGLONG(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

double PeakMegabytesOf(DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    const BOOL read = process && K32GetProcessMemoryInfo(process, &counters, sizeof(counters));
    if (process)
        CloseHandle(process);
    return read ? counters.PeakPagefileUsage / (1024.0 * 1024.0) : -1;
}

} // namespace

TEST(ReaderLargeRecords, AHugeCompanionIsWrittenOnceWhileTheWindowAnswers)
{
    const DWORD huge = 256u << 20; // stored in about 256 KB
    bookpacker::CBookPacker packer;
    packer.settings.buttons[ExeBookButtonNext].accel = L"ctrl+DOWN";
    packer.settings.buttons[ExeBookButtonPrior].accel = L"ctrl+UP";
    const std::wstring home = readertest::UniqueName(L"huge", L".htm");
    const std::wstring page = readertest::UniqueName(L"huge", L".htm");
    readertest::AddHomePage(packer, home, L"the Home page");
    bookpacker::BookNode& node =
        readertest::AddPageNode(packer, L"Huge", page, L"<html><body><p>a page with a huge file</p></body></html>");
    node.files.push_back({packer.AddFile(std::vector<BYTE>(huge, 0)), L"huge.bin"});
    testsupport::TempFolder folder;
    const std::wstring exe = folder.File(L"HugeReader.exe");
    ASSERT_TRUE(readertest::MakeFixtureReader(packer, exe));
    const std::wstring work(GetWorkFolder().GetString());
    const std::wstring companion = work + page.substr(0, page.size() - 4) + L"_files\\huge.bin";

    readertest::ReaderProcess reader;
    HWND frame = reader.StartAndWaitForFrame(exe);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return readertest::FileExists(work + home); }, 10000));
    const double peakBefore = PeakMegabytesOf(reader.ProcessId());
    ASSERT_GT(peakBefore, 0);

    readertest::AnswerProbe probe(frame);
    ASSERT_TRUE(readertest::PressKeys(frame, {VK_CONTROL}, VK_DOWN));
    ULONGLONG size = 0;
    EXPECT_TRUE(testsupport::PumpUntil([&] { return WriteTime(companion, &size) != 0 && size == huge; }, 60000));
    // The window answered while the file was written, and still does once it is there.
    const LONG asked = probe.Asked();
    EXPECT_TRUE(testsupport::PumpUntil([&] { return probe.Asked() > asked + 5; }, 10000));
    probe.Stop();
    EXPECT_EQ(0, probe.Unanswered());
    EXPECT_LT(probe.LongestWaitMs(), 1000u);
    // Written piece by piece: the reader's memory grew far less than the file.
    EXPECT_LT(PeakMegabytesOf(reader.ProcessId()) - peakBefore, 64.0);

    // Back and on again: the page (removed here) is written anew, the huge file is not.
    const ULONGLONG written = WriteTime(companion);
    ASSERT_TRUE(DeleteFileW((work + home).c_str()));
    ASSERT_TRUE(readertest::PressKeys(frame, {VK_CONTROL}, VK_UP));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return readertest::FileExists(work + home); }, 10000));
    ASSERT_TRUE(DeleteFileW((work + page).c_str()));
    ASSERT_TRUE(readertest::PressKeys(frame, {VK_CONTROL}, VK_DOWN));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return readertest::FileExists(work + page); }, 10000));
    EXPECT_EQ(written, WriteTime(companion));

    DWORD exitCode = 0;
    EXPECT_TRUE(reader.CloseAndWaitForExit(frame, 20000, exitCode));
    DeleteFileW(companion.c_str());
    RemoveDirectoryW((work + page.substr(0, page.size() - 4) + L"_files").c_str());
    DeleteFileW((work + page).c_str());
    DeleteFileW((work + home).c_str());
}
