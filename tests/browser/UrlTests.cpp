// Percent-decoding of references: escaped UTF-8 runs, and escapes that are not escapes.
#include "platform/browser/Url.h"
#include <gtest/gtest.h>

using fxb::PercentDecode;

TEST(Url, PercentDecodeTurnsEscapedUtf8RunsIntoText)
{
    struct Case
    {
        const wchar_t* in;
        const wchar_t* out;
    };
    const Case cases[] = {
        {L"plain.htm", L"plain.htm"},
        {L"a%20b.htm", L"a b.htm"},
        {L"caf%C3%A9.htm", L"caf\x00e9.htm"},     // one character from two escaped bytes
        {L"%E6%97%A5%E6%9C%AC", L"\x65e5\x672c"}, // a run at the very end
        {L"100%", L"100%"},                       // too short to be an escape
        {L"%zz%4", L"%zz%4"},
        {L"%41%4", L"A%4"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.out, PercentDecode(c.in)) << static_cast<const void*>(c.in);
}
