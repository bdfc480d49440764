// The clean-up of a written log: spaces, bracketed pieces and collapsed empty lines.
#include "tools/pendoric/Findings.h"
#include "tools/pendoric/LogCleanup.h"
#include <gtest/gtest.h>

using namespace pendoric;

TEST(LogCleanup, RemovesSpacesBlanksBracketPiecesAndCollapsesEmptyLines)
{
    struct Case
    {
        const wchar_t* log;
        const wchar_t* cleaned;
    } cases[] = {
        {L"", L""},
        {L"\r\n", L"\r\n"}, // the empty entry 0 of an empty run keeps its line break
        {L"\r\na b[行号：1]\r\n", L"\r\nab[行号：1]\r\n"},
        {L"\r\n  a\u3000b  [行号：1]\r\n", L"\r\na\u3000b[行号：1]\r\n"}, // only ASCII spaces go
        {L"\r\n[Section][行号：4]\r\nx[行号：5]\r\n", L"\r\nx[行号：5]\r\n"},
        {L"\r\n  [Sec tion][行号：4]\r\nx[行号：5]\r\n", L"\r\nx[行号：5]\r\n"}, // "[" after its spaces
        {L"\r\nx[行号：1]\r\n[a]\r\n[b]\r\n[c]\r\ny[行号：9]\r\n", L"\r\nx[行号：1]\r\ny[行号：9]\r\n"},
        {L"\r\nx[\r\n", L"\r\nx[\r\n"}, // a "[" later in a piece keeps it
        {L"a\r\n\r\n\r\n\r\n\r\nb", L"a\r\nb\r\n"},
        {L"no break", L"nobreak\r\n"},
        {L"a\rb\nc\r\n", L"a\rb\nc\r\n"}, // lone CR and LF are not piece breaks
        {L"[only", L"\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case #" << (&c - cases));
        EXPECT_EQ(CleanUpLog(c.log), c.cleaned);
    }
}

// Each pass replaces left to right without overlaps, so ten passes collapse a run of up to
// 1024 empty lines into one line break and leave longer runs partly standing.
TEST(LogCleanup, CollapsesInExactlyTenPasses)
{
    auto breaks = [](size_t count) {
        std::wstring text;
        for (size_t i = 0; i < count; ++i)
            text += L"\r\n";
        return text;
    };
    EXPECT_EQ(CleanUpLog(L"a" + breaks(1024) + L"b"), L"a\r\nb\r\n");
    EXPECT_EQ(CleanUpLog(L"a" + breaks(1100) + L"b"), L"a" + breaks(2) + L"b\r\n");
}

TEST(LogCleanup, HandlesLogsOfMoreThan40000Pieces)
{
    Findings findings;
    std::wstring text;
    for (int i = 0; i < 45000; ++i)
        text += (i % 3 == 2) ? L"[Sec tion]\r\n" : L"short line\r\n";
    findings.Check(CheckKind::Column9, text);
    ASSERT_EQ(findings.Count(), 45000u);

    std::wstring cleaned = CleanUpLog(findings.BuildLog());
    std::wstring expected = L"\r\n";
    for (int i = 0; i < 45000; ++i) {
        if (i % 3 != 2)
            expected += L"shortline[行号：" + std::to_wstring(i + 1) + L"]\r\n";
    }
    ASSERT_EQ(cleaned.size(), expected.size());
    EXPECT_TRUE(cleaned == expected);
    EXPECT_NE(cleaned.find(L"shortline[行号：44999]\r\n"), std::wstring::npos);
}
