// The comma rules of both checks, line splitting, and the findings and log of a run.
#include "tools/pendoric/ColumnRules.h"
#include "tools/pendoric/Findings.h"
#include "tools/pendoric/TextLines.h"
#include <gtest/gtest.h>

using namespace pendoric;

namespace {

struct RuleCase
{
    const wchar_t* line;
    bool offendsColumn9;
    bool offendsColumns11To13;
};

const RuleCase kRuleCases[] = {
    {L"", true, true},
    {L"12345678", true, true},       // 8 characters: no 9th character at all
    {L"12345678,", false, true},     // 9th is the comma, line too short for 11-13
    {L"1234567,9", true, true},      // comma one place too early
    {L"123456789,", true, true},     // 10 characters, comma at 10
    {L"1234567890", true, true},     // 10 characters: no 11th to 13th
    {L"1234567890,", true, false},   // comma at 11
    {L"12345678901,", true, false},  // comma at 12
    {L"123456789012,", true, false}, // comma at 13
    {L"1234567890123,", true, true}, // comma at 14 is too late
    {L"12345678,0,,,4", false, false},
    {L"12345678，abc", true, true},          // a full-width comma is not a comma
    {L"中文字符测试文本,", false, true},     // double-byte characters count as one position each
    {L"中文字符测试文本字符,", true, false}, // ... here the comma is the 11th character
    {L"        ,", false, true},             // spaces count as positions
};

} // namespace

TEST(ColumnRules, TellOffendingLinesForBothChecks)
{
    for (const RuleCase& c : kRuleCases) {
        SCOPED_TRACE(testing::Message() << "line length " << std::wstring(c.line).size() << " case #"
                                        << (&c - kRuleCases));
        EXPECT_EQ(IsOffendingLine(CheckKind::Column9, c.line), c.offendsColumn9);
        EXPECT_EQ(IsOffendingLine(CheckKind::Columns11To13, c.line), c.offendsColumns11To13);
    }
}

TEST(ColumnRules, EachCheckHasItsLogAndMessage)
{
    EXPECT_STREQ(LogFileName(CheckKind::Column9), L"logfile1.txt");
    EXPECT_STREQ(LogFileName(CheckKind::Columns11To13), L"logfile2.txt");
    EXPECT_STREQ(CompletionMessage(CheckKind::Column9), L"汉化文本格式第9列逗号串字符检查完毕！");
    EXPECT_STREQ(CompletionMessage(CheckKind::Columns11To13), L"汉化文本格式第11、12、13列逗号字符串检查完毕！");
}

TEST(TextLines, EndAtCarriageReturnLineFeedOrBoth)
{
    struct Case
    {
        const wchar_t* text;
        std::vector<std::wstring> lines;
    } cases[] = {
        {L"", {}},
        {L"a", {L"a"}},
        {L"a\r\nb\r\n", {L"a", L"b"}},
        {L"a\rb\r", {L"a", L"b"}},
        {L"a\nb\n", {L"a", L"b"}}, // lone line feeds end lines too
        {L"a\nb", {L"a", L"b"}},
        {L"a\r\n\r\nb", {L"a", L"", L"b"}},
        {L"a\n\rb", {L"a", L"", L"b"}}, // LF then CR are two breaks
        {L"\r\n", {L""}},
        {L"a\r\r\nb", {L"a", L"", L"b"}},
        {L"x\ty  z\r\n", {L"x\ty  z"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case #" << (&c - cases));
        EXPECT_EQ(SplitLines(c.text), c.lines);
    }
}

TEST(Findings, LogLineIsTheTextTaggedWithItsNumber)
{
    EXPECT_EQ(MakeLogLine(L"abc def", 7), L"abc def[行号：7]");
    EXPECT_EQ(MakeLogLine(L"", 123456), L"[行号：123456]");
}

TEST(Findings, StartWithAnEmptyEntryAndLogOnlyItsLineBreak)
{
    Findings findings;
    EXPECT_EQ(findings.Count(), 0u);
    ASSERT_EQ(findings.Entries().size(), 1u);
    EXPECT_EQ(findings.Entries()[0], L"");
    EXPECT_EQ(findings.BuildLog(), L"\r\n");

    findings.Check(CheckKind::Column9, L""); // an empty file adds nothing
    EXPECT_EQ(findings.Count(), 0u);
    EXPECT_EQ(findings.BuildLog(), L"\r\n");
}

TEST(Findings, NumberLinesFromOneCountingEveryLine)
{
    Findings findings;
    findings.Check(CheckKind::Column9, L"12345678,ok\r\nshort\n\r\n[Section]\r12345678,\r\nlast line");
    EXPECT_EQ(findings.Count(), 4u);
    EXPECT_EQ(findings.BuildLog(), L"\r\n"
                                   L"short[行号：2]\r\n"
                                   L"[行号：3]\r\n"
                                   L"[Section][行号：4]\r\n"
                                   L"last line[行号：6]\r\n");
}

// Findings are never reset: the second check's log also lists the first check's lines, and
// the same check run twice lists its lines twice with their numbers.
TEST(Findings, AccumulateOverTheChecksOfARun)
{
    Findings findings;
    findings.Check(CheckKind::Column9, L"1234567,\r\n12345678,\r\n");
    findings.Check(CheckKind::Columns11To13, L"1234567890,\r\n1234567890\r\n");
    findings.Check(CheckKind::Column9, L"1234567,\r\n12345678,\r\n");
    EXPECT_EQ(findings.Count(), 3u);
    EXPECT_EQ(findings.BuildLog(), L"\r\n"
                                   L"1234567,[行号：1]\r\n"
                                   L"1234567890[行号：2]\r\n"
                                   L"1234567,[行号：1]\r\n");
}
