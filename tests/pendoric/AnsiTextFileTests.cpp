// Reading and writing text files in the ANSI code page, and the errors they report.
#include "tests/common/WineTestSupport.h"
#include "tests/pendoric/PendoricTestSupport.h"
#include "tools/pendoric/AnsiTextFile.h"
#include <gtest/gtest.h>

using namespace pendoric;
using namespace pendoric_test;

TEST(AnsiTextFile, RoundTripsChineseTextInCodePage936)
{
    PENDORIC_ASSERT_CHINESE_CODE_PAGE();
    testsupport::TempFolder folder;
    // "中文,测试" then "汉字" in GBK, with a lone LF and a CR LF.
    WriteBytes(folder.File(L"in.txt"), "\xD6\xD0\xCE\xC4,\xB2\xE2\xCA\xD4\n\xBA\xBA\xD7\xD6\r\n");
    std::wstring text;
    ASSERT_EQ(ReadAnsiTextFile(folder.File(L"in.txt"), text), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(text, L"中文,测试\n汉字\r\n");

    ASSERT_EQ(WriteAnsiTextFile(folder.File(L"out.txt"), L"x[行号：12]\r\n"), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(ReadBytes(folder.File(L"out.txt")), "x[\xD0\xD0\xBA\xC5\xA3\xBA"
                                                  "12]\r\n");
}

TEST(AnsiTextFile, EmptyFilesReadAndWriteAsEmptyText)
{
    testsupport::TempFolder folder;
    ASSERT_EQ(WriteAnsiTextFile(folder.File(L"empty.txt"), L""), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(ReadBytes(folder.File(L"empty.txt")), "");
    std::wstring text = L"stale";
    ASSERT_EQ(ReadAnsiTextFile(folder.File(L"empty.txt"), text), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(text, L"");
}

TEST(AnsiTextFile, WritingReplacesAnExistingFile)
{
    testsupport::TempFolder folder;
    WriteBytes(folder.File(L"log.txt"), std::string(1000, 'x'));
    ASSERT_EQ(WriteAnsiTextFile(folder.File(L"log.txt"), L"short\r\n"), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(ReadBytes(folder.File(L"log.txt")), "short\r\n");
}

TEST(AnsiTextFile, ReportsTheSystemErrorOfFilesThatCannotBeUsed)
{
    testsupport::TempFolder folder;
    CreateDirectoryW(folder.File(L"a folder").c_str(), nullptr);
    WriteBytes(folder.File(L"locked.txt"), "text");
    HANDLE lock = CreateFileW(folder.File(L"locked.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);

    std::wstring text = L"stale";
    EXPECT_EQ(ReadAnsiTextFile(folder.File(L"missing.txt"), text), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(text, L"");
    EXPECT_EQ(ReadAnsiTextFile(folder.File(L"no folder\\in.txt"), text), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_NE(ReadAnsiTextFile(folder.File(L"a folder"), text), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(ReadAnsiTextFile(folder.File(L"locked.txt"), text), static_cast<DWORD>(ERROR_SHARING_VIOLATION));

    EXPECT_EQ(WriteAnsiTextFile(folder.File(L"no folder\\log.txt"), L"x"), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(WriteAnsiTextFile(folder.File(L"a folder"), L"x"), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(WriteAnsiTextFile(folder.File(L"locked.txt"), L"x"), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    CloseHandle(lock);
    EXPECT_EQ(ReadBytes(folder.File(L"locked.txt")), "text");
}

TEST(AnsiTextFile, DescribesErrorsInOneLine)
{
    const DWORD codes[] = {ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, 0xDEAD};
    for (DWORD code : codes) {
        std::wstring reason = DescribeSystemError(code);
        EXPECT_FALSE(reason.empty());
        EXPECT_NE(reason.back(), L'\n');
        EXPECT_NE(reason.back(), L'\r');
    }
}
