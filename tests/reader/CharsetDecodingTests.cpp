// Charset detection in HTML and XML text, resolution through MLang and the
// conversions, including the choice between an ANSI code page and UTF-8.
#include <gtest/gtest.h>
#include <windows.h>
#include "tests/reader/StringPrinter.h"
#include <fstream>
#include <sstream>
#include "reader/book/CharsetDecoding.h"
#include "tests/common/WineTestSupport.h"
#include "tests/reader/LocaleProcess.h"

namespace {

// Puts mlang back whatever a test did.
struct MLangNameGuard
{
    ~MLangNameGuard() { charset_detail::SetMLangLibraryName(nullptr); }
};

} // namespace

TEST(CharsetDecoding, MetaCharsetCases)
{
    struct Case
    {
        const char* text;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1251\"></HEAD>",
         L"windows-1251"},
        {"<meta charset=\"utf-8\">", L""}, // value begins with the quote
        {"<meta name=\"a\"><p>x</p><meta content=\"text/html; charset=koi8-r\">", L"koi8-r"},
        {"<meta content=\"text/html; charset= iso-8859-2\">", L""}, // blank before the name
        {"<meta content='text/html; charset='iso-8859-2''>", L"'iso-8859-2''"},
        {"<meta http-equiv=Content-Type content=text/html;charset=shift_jis>", L"shift_jis"},
        {"<meta content=\"charset=big5 extra\">", L"big5"}, // cut at the first blank
        {"<meta content=\"charset=euc-kr", L""},            // no closing '>'
        {"<p>no meta here</p>", L""},
        {"", L""},
        // The first meta tag with charset= counts, even with an empty value.
        {"<meta content=\"charset=\"><meta content=\"charset=utf-8\">", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindMetaCharset(c.text), CString(c.expected)) << c.text;
}

TEST(CharsetDecoding, XmlEncodingCases)
{
    struct Case
    {
        const char* text;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"<?xml version=\"1.0\" encoding='windows-1252' standalone=\"yes\"?><a/>", L"windows-1252"},
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", L"UTF-8"},
        {"<?XML VERSION='1.0' ENCODING='iso-8859-5'?>", L"iso-8859-5"},
        {"<?xml version=\"1.0\" encoding = \"UTF-8\"?>", L""}, // blanks around '='
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"", L""},     // no closing '>'
        {"<?xml version=\"1.0\"?><a encoding=\"x\"/>", L""},   // only the declaration counts
        {"<?xml version=\"1.0\" encoding=?>", L""},
        {"   <!-- x --><?xml encoding=\"koi8-u\"?>", L"koi8-u"}, // anywhere in the text
        {"<a/>", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindXmlEncoding(c.text), CString(c.expected)) << c.text;
}

TEST(CharsetDecoding, CharsetNamesResolveThroughMLang)
{
    struct Case
    {
        const wchar_t* name;
        UINT codePage;
    };
    const Case cases[] = {
        {L"windows-1251", 1251},
        {L"utf-8", 65001},
        {L"UTF-8", 65001},
        {L"shift_jis", 932},
        {L"koi8-r", 20866},
        {L"euc-jp", 51932},
        {L"'iso-8859-2''", 0},
        {L"no-such-charset", 0},
        {L"", 0},
        {nullptr, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetCodePageOfCharset(c.name), c.codePage) << (c.name ? c.name : L"(null)");
}

TEST(CharsetDecoding, DecodesByTheDeclaredCharset)
{
    CString out;
    // Cyrillic "Мир" in windows-1251.
    EXPECT_TRUE(DecodeHtmlText("<meta content=\"text/html; charset=windows-1251\">\xCC\xE8\xF0", out));
    EXPECT_EQ(out.Right(3), CString(L"\x041C\x0438\x0440"));
    // The same bytes in KOI8-R are other letters.
    EXPECT_TRUE(DecodeXmlText("<?xml version=\"1.0\" encoding=\"koi8-r\"?>\xED\xC9\xD2", out));
    EXPECT_EQ(out.Right(3), CString(L"\x041C\x0438\x0440"));
    // An unknown name falls back to the automatic choice.
    const char unknown[] = "<meta content=\"charset=bogus\">\xC3\xA9";
    EXPECT_TRUE(DecodeHtmlText(unknown, out));
    EXPECT_EQ(out, ConvertCodePageText(unknown, ChooseUrlCodePage(unknown)));
    // EUC-JP goes through MLang's converter ("日本").
    EXPECT_TRUE(DecodeHtmlText("<meta content=\"charset=euc-jp\">\xC6\xFC\xCB\xDC", out));
    EXPECT_EQ(out.Right(2), CString(L"\x65E5\x672C"));
}

TEST(CharsetDecoding, EucJpWithoutMLangUsesTheThreadCodePage)
{
    MLangNameGuard guard;
    charset_detail::SetMLangLibraryName(L"no-such-mlang.dll");
    DWORD mode = 0;
    wchar_t buffer[8] = {};
    UINT count = 8;
    EXPECT_EQ(MLangConvertToUnicode(&mode, 51932, "abc", buffer, &count), E_FAIL);
    const char text[] = "\xC6\xFC\xCB\xDC";
    wchar_t expected[8] = {};
    MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, expected, 8);
    EXPECT_EQ(ConvertCodePageText(text, 51932), CString(expected));
    EXPECT_NE(ConvertCodePageText(text, 51932), CString(L"\x65E5\x672C"));
}

TEST(CharsetDecoding, RejectedCodePageUsesTheThreadCodePage)
{
    const char text[] = "plain \xE9";
    wchar_t expected[16] = {};
    MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, expected, 16);
    EXPECT_EQ(ConvertCodePageText(text, 12345), CString(expected));
    EXPECT_EQ(ConvertCodePageText("", 65001), CString());
}

// Under code page 1252 every byte is valid, so the ANSI code page always wins.
TEST(CharsetDecoding, WesternCodePageAlwaysWins)
{
    if (GetACP() != 1252)
        GTEST_SKIP() << "needs the ANSI code page 1252";
    EXPECT_EQ(ChooseUrlCodePage("caf\xC3\xA9"), 1252u);
    EXPECT_EQ(ChooseUrlCodePage(""), 1252u);
    EXPECT_EQ(ConvertCodePageText("caf\xC3\xA9", 0), CString(L"caf\x00C3\x00A9"));
}

// Run in a child process whose ANSI code page is 932 (Japanese), where some
// byte sequences are invalid.
TEST(CharsetDecodingJapanese, AnsiOrUtf8Choice)
{
    if (GetACP() != 932)
        GTEST_SKIP() << "needs the ANSI code page 932";
    struct Case
    {
        const char* text;
        UINT codePage;
        const wchar_t* decoded;
    };
    const Case cases[] = {
        // "テスト" in UTF-8 holds pairs that code page 932 does not define.
        {"\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88", 65001, L"\x30C6\x30B9\x30C8"},
        // "日本" in Shift-JIS is valid 932 and not UTF-8.
        {"\x93\xFA\x96\x7B", 932, L"\x65E5\x672C"},
        // "日本" in UTF-8 is also a valid 932 text: the ANSI code page wins.
        {"\xE6\x97\xA5\xE6\x9C\xAC", 932, nullptr},
        // Invalid in both: the lenient UTF-8 conversion still succeeds, so UTF-8
        // with replacement characters.
        {"\x86\xE3\xFF", 65001, L"\xFFFD\xFFFD\xFFFD"},
        {"ascii only", 932, L"ascii only"},
        {"", 932, L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseUrlCodePage(c.text), c.codePage) << testing::PrintToString(std::string(c.text));
        CString decoded = ConvertCodePageText(c.text, 0);
        if (c.decoded != nullptr) {
            EXPECT_EQ(decoded, CString(c.decoded)) << c.text;
        }
        CString html;
        DecodeHtmlText(c.text, html);
        EXPECT_EQ(html, decoded) << c.text;
    }
    // A declared charset overrides the choice.
    CString out;
    DecodeXmlText("<?xml version=\"1.0\" encoding=\"shift_jis\"?>\x93\xFA", out);
    EXPECT_EQ(out.Right(1), CString(L"\x65E5"));
}

TEST(CharsetDecoding, JapaneseCasesRunUnderCodePage932)
{
    testsupport::TempFolder folder;
    readertest::LocaleProcess child;
    ASSERT_TRUE(child.Start("ja_JP.UTF-8", testsupport::ExecutableFolder() + L"reader_tests.exe",
                            L"--gtest_filter=CharsetDecodingJapanese.*", folder.File(L"out.txt")));
    int exitCode = -1;
    ASSERT_TRUE(child.Wait(60000, exitCode));
    std::ifstream in(folder.File(L"out.txt").c_str());
    std::stringstream output;
    output << in.rdbuf();
    EXPECT_EQ(exitCode, 0) << output.str();
    EXPECT_NE(output.str().find("[  PASSED  ] 1 test"), std::string::npos) << output.str();
    EXPECT_EQ(output.str().find("SKIPPED"), std::string::npos) << output.str();
}
