// The shared string helpers: lower-casing and the two kinds of white space trimming.
#include "platform/browser/TextUtil.h"
#include <gtest/gtest.h>

using namespace fxb;

TEST(TextUtil, LowerFoldsLettersAndLeavesTheRest)
{
    EXPECT_EQ(L"abc-1[z]", Lower(L"AbC-1[Z]"));
    EXPECT_EQ(L"abc-1[z]", LowerAscii(std::wstring(L"AbC-1[Z]")));
    EXPECT_EQ(L'z', LowerAscii(L'Z'));
    EXPECT_EQ(L'@', LowerAscii(L'@'));
}

TEST(TextUtil, HexDigitOfEitherCaseAndNothingElse)
{
    EXPECT_EQ(0, HexDigit(L'0'));
    EXPECT_EQ(9, HexDigit(L'9'));
    EXPECT_EQ(10, HexDigit(L'a'));
    EXPECT_EQ(15, HexDigit(L'F'));
    for (wchar_t c : {L'g', L'G', L'/', L':', L'@', L'`', L' ', static_cast<wchar_t>(0xFF10)})
        EXPECT_EQ(-1, HexDigit(c)) << static_cast<int>(c);
}

TEST(TextUtil, TrimAndTrimHtmlSpaceDifferOnlyInWhatCountsAsSpace)
{
    struct Case
    {
        const wchar_t* in;
        const wchar_t* trimmed;
        const wchar_t* htmlTrimmed;
    };
    const Case cases[] = {
        {L"", L"", L""},
        {L" \t\r\n\f", L"", L""},
        {L"  a b  ", L"a b", L"a b"},
        {L"\va\v", L"a", L"\va\v"},
        {L"\x00a0x\x00a0", L"x", L"\x00a0x\x00a0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.trimmed, Trim(c.in)) << static_cast<const void*>(c.in);
        EXPECT_EQ(c.htmlTrimmed, TrimHtmlSpace(c.in)) << static_cast<const void*>(c.in);
    }
    EXPECT_TRUE(IsHtmlSpace(L'\f'));
    EXPECT_FALSE(IsHtmlSpace(L'\v'));
}
