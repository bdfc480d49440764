// Whole text files into UTF-16: byte-order marks, the statistical UTF-16 test, line
// ends, zero bytes, and 8-bit text decoded by extension and declared charset.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "reader/app/FileUtil.h"
#include "reader/book/TextFileLoader.h"
#include "tests/common/WineTestSupport.h"

namespace {

std::vector<BYTE> Wide(const std::wstring& text, bool bom)
{
    std::vector<BYTE> bytes;
    if (bom) {
        bytes.push_back(0xFF);
        bytes.push_back(0xFE);
    }
    for (wchar_t ch : text) {
        bytes.push_back(BYTE(ch));
        bytes.push_back(BYTE(ch >> 8));
    }
    return bytes;
}

std::vector<BYTE> Narrow(const std::string& text)
{
    return std::vector<BYTE>(text.begin(), text.end());
}

std::wstring Load(const testsupport::TempFolder& temp, const wchar_t* name, const std::vector<BYTE>& bytes)
{
    std::wstring path = temp.File(name);
    EXPECT_TRUE(WriteBytesToFile(path.c_str(), bytes.data(), bytes.size()));
    CString text = L"(not loaded)";
    EXPECT_TRUE(LoadTextFile(path.c_str(), text));
    return text.GetString();
}

} // namespace

TEST(TextFileLoader, DecodesByMarkStatisticsAndExtension)
{
    testsupport::TempFolder temp;
    struct Case
    {
        const char* what;
        const wchar_t* name;
        std::vector<BYTE> bytes;
        std::wstring text;
    };
    const Case cases[] = {
        {"UTF-16 with BOM, CR LF", L"a.txt", Wide(L"one\r\ntwo\r\n", true), L"one\ntwo\n"},
        {"UTF-16 with BOM, lone CR", L"b.txt", Wide(L"one\rtwo", true), L"one\ntwo"},
        {"UTF-16 without BOM", L"c.txt", Wide(L"This is some plain text.\r\n", false), L"This is some plain text.\n"},
        // Ten bytes are too few for the statistical test: read as 8-bit text, zeros dropped.
        {"ten bytes of UTF-16", L"d.txt", Wide(L"a\u0414a\u0414a", false), L"a\u0014\u0004a\u0014\u0004a"},
        {"8-bit lone CR and CR LF", L"e.txt", Narrow("one\rtwo\r\nthree\n\r"), L"one\ntwo\nthree\n\n"},
        {"8-bit with zero bytes", L"f.txt", Narrow(std::string("ab\0c\0\0d", 7)), L"abcd"},
        {"UTF-8 with BOM", L"g.txt", Narrow("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F\x65\r\n"), L"Gr\u00fc\u00dfe\n"},
        {"HTML by its meta charset", L"h.html",
         Narrow("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\"></head>"
                "<body>\xCF\xF0\xE8\xE2\xE5\xF2</body></html>"),
         L"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\"></head>"
         L"<body>\u041f\u0440\u0438\u0432\u0435\u0442</body></html>"},
        {"XML by its declaration", L"i.xml", Narrow("<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>\xC3\xA4</a>"),
         L"<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>\u00e4</a>"},
        {"empty file", L"j.txt", std::vector<BYTE>(), L""},
        {"BOM only", L"k.txt", Wide(L"", true), L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.text, Load(temp, c.name, c.bytes));
    }
}

TEST(TextFileLoader, Utf8WithoutBomFollowsTheAutomaticChoice)
{
    testsupport::TempFolder temp;
    const std::string utf8 = "Gr\xC3\xBC\xC3\x9F\x65";
    EXPECT_EQ(L"Gr\u00fc\u00dfe", Load(temp, L"bom.txt", Narrow("\xEF\xBB\xBF" + utf8)));
    if (GetACP() != 1252)
        GTEST_SKIP() << "needs the ANSI code page 1252";
    // Every byte is valid in 1252, so without a BOM the ANSI code page wins.
    EXPECT_EQ(L"Gr\u00c3\u00bc\u00c3\u0178e", Load(temp, L"plain.txt", Narrow(utf8)));
}

TEST(TextFileLoader, NormalizersWorkInPlaceAndTerminate)
{
    wchar_t wide[] = {L'a', L'\r', L'\n', 0, L'b', L'\r', L'c', L'X', 0};
    EXPECT_EQ(5u, NormalizeWideLineEnds(wide, 7 * sizeof(wchar_t)));
    EXPECT_STREQ(L"a\nb\nc", wide);
    char narrow[] = {'a', '\r', '\r', '\n', '\0', 'b', 'Y', 0};
    EXPECT_EQ(4u, NormalizeByteLineEnds(narrow, 6));
    EXPECT_STREQ("a\n\nb", narrow);
}

TEST(TextFileLoader, MissingFileFails)
{
    testsupport::TempFolder temp;
    CString text = L"kept";
    EXPECT_FALSE(LoadTextFile(temp.File(L"missing.txt").c_str(), text));
    EXPECT_STREQ(L"kept", text.GetString());
}
