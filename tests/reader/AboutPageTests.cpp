// The book's about page: UTF-16 with its byte-order mark, every bare LF made CR LF.
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <iterator>
#include <string>
#include "reader/book/AboutPage.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/StringPrinter.h"

TEST(AboutPage, LineBreaksBecomeCrLf)
{
    struct Case
    {
        const wchar_t* text;
        const wchar_t* converted;
    };
    const Case cases[] = {
        {L"a\nb\r\nc", L"a\r\nb\r\nc"}, {L"\n", L"\r\n"}, {L"\r\n\r\n", L"\r\n\r\n"},
        {L"a\n\nb", L"a\r\n\r\nb"},     {L"\r", L"\r"},   {L"", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CString(c.converted), ConvertLineBreaks(c.text));
}

TEST(AboutPage, PageIsWrittenAsUtf16WithItsMark)
{
    testsupport::TempFolder folder;
    const CString path = WriteAboutPage(L"a\nb\r\nc", folder.Path().c_str());
    ASSERT_FALSE(path.IsEmpty());
    EXPECT_EQ(CString(L".htm"), path.Right(4));
    std::ifstream in(path.GetString(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string expected("\xFF\xFE"
                               "a\0\r\0\n\0b\0\r\0\n\0c\0",
                               16);
    EXPECT_EQ(expected, bytes);
    // A folder that cannot be written gives no page.
    EXPECT_TRUE(WriteAboutPage(L"x", L"Q:\\no\\such\\drive\\").IsEmpty());
}
