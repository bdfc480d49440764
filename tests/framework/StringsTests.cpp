#include "platform/framework/Strings.h"
#include "platform/framework/AfxState.h"
#include "platform/framework/ComSupport.h"

#include <gtest/gtest.h>

#include "tests/common/WineTestSupport.h"

#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// Construction, buffers and conversion

TEST(CStringConstruction, FromTextCharactersAndLengths)
{
    EXPECT_STREQ(L"", CString().GetString());
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_STREQ(L"abc", CString(L"abc").GetString());
    EXPECT_STREQ(L"", CString(static_cast<const wchar_t*>(nullptr)).GetString());
    EXPECT_STREQ(L"ab", CString(L"abcdef", 2).GetString());
    EXPECT_STREQ(L"", CString(L"abc", -1).GetString());
    EXPECT_STREQ(L"xxx", CString(L'x', 3).GetString());
    EXPECT_STREQ(L"", CString(L'x', 0).GetString());
    EXPECT_STREQ(L"", CString(L'x', -2).GetString());

    CString source(L"moved");
    CString copy(source);
    CString moved(std::move(source));
    EXPECT_STREQ(L"moved", copy.GetString());
    EXPECT_STREQ(L"moved", moved.GetString());
}

TEST(CStringConstruction, NarrowTextUsesTheAnsiCodePage)
{
    const char narrow[] = "caf\xE9 \x80";
    wchar_t expected[16] = {};
    MultiByteToWideChar(CP_ACP, 0, narrow, -1, expected, 16);
    EXPECT_STREQ(expected, CString(narrow).GetString());

    CString assigned;
    assigned = "plain";
    EXPECT_STREQ(L"plain", assigned.GetString());
    assigned += " more";
    EXPECT_STREQ(L"plain more", assigned.GetString());
}

TEST(CStringConversion, RoundTripsThroughCodePages)
{
    const wchar_t wide[] = L"\u00E9t\u00E9 \u65E5\u672C \U0001F600";
    CStringA utf8(CString(wide), CP_UTF8);
    EXPECT_STREQ("\xC3\xA9t\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80", utf8.GetString());
    EXPECT_STREQ(wide, CString(utf8, CP_UTF8).GetString());

    CStringA latin(CString(L"\u00E9"), 1252);
    EXPECT_STREQ("\xE9", latin.GetString());
    EXPECT_STREQ(L"\u00E9", CString(latin, 1252).GetString());
    EXPECT_STREQ(L"", CString(CStringA(), CP_UTF8).GetString());
}

TEST(CStringBuffer, ReleaseBufferFindsTheLengthOrTakesIt)
{
    CString s(L"old");
    wchar_t* buffer = s.GetBuffer(MAX_PATH);
    int written = GetWindowsDirectoryW(buffer, MAX_PATH);
    s.ReleaseBuffer();
    EXPECT_GT(written, 0);
    EXPECT_EQ(written, s.GetLength());
    EXPECT_EQ(static_cast<int>(wcslen(s)), s.GetLength());

    buffer = s.GetBuffer(10);
    wcscpy(buffer, L"abcdef");
    s.ReleaseBuffer(3);
    EXPECT_STREQ(L"abc", s.GetString());

    buffer = s.GetBufferSetLength(5);
    for (int i = 0; i < 5; ++i)
        buffer[i] = static_cast<wchar_t>(L'0' + i);
    s.ReleaseBuffer(-1);
    EXPECT_STREQ(L"01234", s.GetString());

    // A smaller request keeps the text; the length stays until released.
    buffer = s.GetBuffer(2);
    EXPECT_STREQ(L"01234", buffer);
    s.ReleaseBuffer();
    EXPECT_EQ(5, s.GetLength());
}

TEST(CStringAccess, CharactersByIndex)
{
    CString s(L"abc");
    EXPECT_EQ(L'b', s.GetAt(1));
    EXPECT_EQ(L'c', s[2]);
    EXPECT_EQ(L'a', s[static_cast<size_t>(0)]);
    EXPECT_EQ(L'\0', s.GetAt(3)); // the terminator
    EXPECT_EQ(L'\0', s.GetAt(-1));
    s.SetAt(0, L'X');
    s.SetAt(7, L'Y'); // outside: ignored
    EXPECT_STREQ(L"Xbc", s.GetString());
    const wchar_t* raw = s;
    EXPECT_STREQ(L"Xbc", raw);
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
}

// ---------------------------------------------------------------------------------------------
// Formatting

TEST(CStringFormat, FollowsTheWindowsRuntimeConventions)
{
    struct Case
    {
        const wchar_t* expected;
        CString actual;
    };
    auto format = [](const wchar_t* f, auto... args) {
        CString s;
        s.Format(f, args...);
        return s;
    };
    const Case cases[] = {
        {L"[wide]", format(L"[%s]", L"wide")},
        {L"[narrow]", format(L"[%S]", "narrow")},
        {L"[wide|narrow]", format(L"[%ls|%hs]", L"wide", "narrow")},
        {L"-42 0000BEEF beef", format(L"%d %08X %x", -42, 0xBEEFu, 0xBEEFu)},
        {L"|ab   |   ab|", format(L"|%-5s|%5s|", L"ab", L"ab")},
        // The Windows runtime writes three exponent digits.
        {L"3.14 2.5e+000", format(L"%.2f %.1e", 3.14159, 2.5)},
        {L"Z 100%", format(L"%c %d%%", L'Z', 100)},
        {L"(null)", format(L"%s", static_cast<const wchar_t*>(nullptr))},
        {L"12345678901", format(L"%I64d", 12345678901LL)},
        {L"no arguments", format(L"no arguments")},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, c.actual.GetString());
}

TEST(CStringFormat, LongOutputAndAppending)
{
    std::wstring longText(5000, L'q');
    CString s;
    s.Format(L"<%s>", longText.c_str());
    EXPECT_EQ(5002, s.GetLength());
    EXPECT_EQ(L'>', s[5001]);

    s = L"start";
    s.AppendFormat(L"-%d-%s", 7, L"end");
    EXPECT_STREQ(L"start-7-end", s.GetString());
    // Formatting into a string from its own text works on a copy.
    s.Format(L"[%s]", static_cast<const wchar_t*>(CString(s)));
    EXPECT_STREQ(L"[start-7-end]", s.GetString());
}

TEST(CStringAFormat, NarrowFormatTakesNarrowStringsForPercentS)
{
    CStringA a;
    a.Format("%s/%S/%d/%04x", "narrow", L"wide", 12, 0xABu);
    EXPECT_STREQ("narrow/wide/12/00ab", a.GetString());
    a.AppendFormat("+%c", 'z');
    EXPECT_STREQ("narrow/wide/12/00ab+z", a.GetString());
}

// ---------------------------------------------------------------------------------------------
// Searching and extraction

TEST(CStringFind, CharactersAndSubstrings)
{
    const CString s(L"abcabc");
    struct CharCase
    {
        wchar_t ch;
        int start;
        int expected;
    };
    const CharCase charCases[] = {
        {L'a', 0, 0},  {L'a', 1, 3},  {L'c', 0, 2},   {L'z', 0, -1},
        {L'a', 4, -1}, {L'a', 6, -1}, {L'a', 99, -1}, {L'a', -5, 0},
    };
    for (const CharCase& c : charCases)
        EXPECT_EQ(c.expected, s.Find(c.ch, c.start)) << c.ch << " from " << c.start;

    struct TextCase
    {
        const wchar_t* sub;
        int start;
        int expected;
    };
    const TextCase textCases[] = {
        {L"bc", 0, 1}, {L"bc", 2, 4}, {L"abcabc", 0, 0}, {L"abcd", 0, -1},
        {L"c", 5, 5},  {L"", 2, 2},   {L"a", 7, -1},     {L"ca", -1, 2},
    };
    for (const TextCase& c : textCases)
        EXPECT_EQ(c.expected, s.Find(c.sub, c.start)) << c.sub << " from " << c.start;

    EXPECT_EQ(5, s.ReverseFind(L'c'));
    EXPECT_EQ(-1, s.ReverseFind(L'x'));
    EXPECT_EQ(1, s.FindOneOf(L"xcb"));
    EXPECT_EQ(-1, s.FindOneOf(L"xyz"));
    EXPECT_EQ(-1, s.FindOneOf(L""));
    EXPECT_EQ(-1, CString().Find(L'a'));
}

TEST(CStringExtract, MidLeftRightClampToTheString)
{
    const CString s(L"hello");
    struct Case
    {
        CString actual;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {s.Mid(1), L"ello"},
        {s.Mid(1, 3), L"ell"},
        {s.Mid(0, 99), L"hello"},
        {s.Mid(-2, 3), L"hel"},
        {s.Mid(5), L""},
        {s.Mid(9, 2), L""},
        {s.Mid(2, -1), L""},
        {s.Left(2), L"he"},
        {s.Left(0), L""},
        {s.Left(-1), L""},
        {s.Left(50), L"hello"},
        {s.Right(3), L"llo"},
        {s.Right(0), L""},
        {s.Right(9), L"hello"},
        {s.Right(-3), L""},
        {s.SpanIncluding(L"leh"), L"hell"},
        {s.SpanIncluding(L"x"), L""},
        {s.SpanExcluding(L"lo"), L"he"},
        {s.SpanExcluding(L"xyz"), L"hello"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, c.actual.GetString());
}

TEST(CStringTokenize, SkipsDelimiterRunsAndEndsWithMinusOne)
{
    struct Case
    {
        const wchar_t* text;
        const wchar_t* delimiters;
        std::vector<std::wstring> tokens;
    };
    const Case cases[] = {
        {L"a,b;c", L",;", {L"a", L"b", L"c"}},
        {L",,a,,b,,", L",", {L"a", L"b"}},
        {L"single", L",", {L"single"}},
        {L",,,", L",", {}},
        {L"", L",", {}},
        {L"  two  words ", L" ", {L"two", L"words"}},
        {L"no delimiters given", L"", {L"no delimiters given"}},
    };
    for (const Case& c : cases) {
        CString text(c.text);
        std::vector<std::wstring> tokens;
        int position = 0;
        for (int guard = 0; guard < 20; ++guard) {
            CString token = text.Tokenize(c.delimiters, position);
            if (position == -1) {
                EXPECT_TRUE(token.IsEmpty());
                break;
            }
            tokens.push_back(token.GetString());
        }
        EXPECT_EQ(-1, position) << c.text;
        EXPECT_EQ(c.tokens, tokens) << c.text;
    }
}

TEST(CStringTokenize, StartOutsideTheStringEndsAtOnce)
{
    CString text(L"a b");
    for (int start : {-3, 3, 4, 100}) {
        int position = start;
        EXPECT_TRUE(text.Tokenize(L" ", position).IsEmpty());
        EXPECT_EQ(-1, position);
    }
    int position = 1; // on a delimiter: the next token follows it
    EXPECT_STREQ(L"b", text.Tokenize(L" ", position).GetString());
    EXPECT_EQ(4, position);
}

// ---------------------------------------------------------------------------------------------
// Editing

TEST(CStringEdit, ReplaceRemoveInsertDeleteReturnMfcCounts)
{
    struct ReplaceCase
    {
        const wchar_t* text;
        const wchar_t* from;
        const wchar_t* to;
        int count;
        const wchar_t* result;
    };
    const ReplaceCase replaceCases[] = {
        {L"a.b.c", L".", L"::", 2, L"a::b::c"},
        {L"aaa", L"aa", L"x", 1, L"xa"},
        {L"abcabc", L"abc", L"", 2, L""},
        {L"abc", L"", L"x", 0, L"abc"},
        {L"abc", L"zz", L"x", 0, L"abc"},
        {L"xx", L"x", L"xx", 2, L"xxxx"},
        {L"path\\to\\file", L"\\", nullptr, 2, L"pathtofile"},
    };
    for (const ReplaceCase& c : replaceCases) {
        CString s(c.text);
        EXPECT_EQ(c.count, s.Replace(c.from, c.to)) << c.text;
        EXPECT_STREQ(c.result, s.GetString());
    }

    CString s(L"a-b-c");
    EXPECT_EQ(2, s.Replace(L'-', L'+'));
    EXPECT_STREQ(L"a+b+c", s.GetString());
    EXPECT_EQ(0, s.Replace(L'+', L'+'));
    EXPECT_EQ(2, s.Remove(L'+'));
    EXPECT_STREQ(L"abc", s.GetString());
    EXPECT_EQ(0, s.Remove(L'z'));

    EXPECT_EQ(4, s.Insert(1, L'_'));
    EXPECT_STREQ(L"a_bc", s.GetString());
    EXPECT_EQ(6, s.Insert(99, L"!?"));
    EXPECT_STREQ(L"a_bc!?", s.GetString());
    EXPECT_EQ(8, s.Insert(-4, L"<<"));
    EXPECT_STREQ(L"<<a_bc!?", s.GetString());

    EXPECT_EQ(6, s.Delete(0, 2));
    EXPECT_STREQ(L"a_bc!?", s.GetString());
    EXPECT_EQ(5, s.Delete(1));
    EXPECT_EQ(2, s.Delete(2, 100));
    EXPECT_STREQ(L"ab", s.GetString());
    EXPECT_EQ(2, s.Delete(5, 1));
    EXPECT_EQ(2, s.Delete(0, 0));
    EXPECT_EQ(2, s.Delete(0, -1));
}

TEST(CStringEdit, OperationsOnTheirOwnText)
{
    CString s(L"ab");
    s += s;
    EXPECT_STREQ(L"abab", s.GetString());
    s.Insert(2, s.GetString());
    EXPECT_STREQ(L"ababababab" + 2, s.GetString());
    s = s.Mid(1, 3);
    EXPECT_STREQ(L"bab", s.GetString());
    s.SetString(s.GetString() + 1);
    EXPECT_STREQ(L"ab", s.GetString());
    s = s.GetString();
    EXPECT_STREQ(L"ab", s.GetString());
    s.Append(s.GetString(), 1);
    EXPECT_STREQ(L"aba", s.GetString());
}

TEST(CStringTrim, WhitespaceCharactersAndSets)
{
    struct Case
    {
        CString actual;
        const wchar_t* expected;
    };
    auto t = [](const wchar_t* text) { return CString(text); };
    const Case cases[] = {
        {t(L" \t\r\n x y \v\f").Trim(), L"x y"},
        {t(L"  x  ").TrimLeft(), L"x  "},
        {t(L"  x  ").TrimRight(), L"  x"},
        {t(L"   ").Trim(), L""},
        {t(L"").Trim(), L""},
        {t(L"--x--").Trim(L'-'), L"x"},
        {t(L"--x--").TrimLeft(L'-'), L"x--"},
        {t(L"--x--").TrimRight(L'-'), L"--x"},
        {t(L"<[x]>").Trim(L"<>[]"), L"x"},
        {t(L"<[x]>").TrimLeft(L"<["), L"x]>"},
        {t(L"<[x]>").TrimRight(L"]>"), L"<[x"},
        {t(L"abc").Trim(L""), L"abc"},
        {t(L"\u3000x\u00A0").Trim(), L"x"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, c.actual.GetString());
}

TEST(CStringCase, UpperLowerAndReverseIncludeNonAscii)
{
    CString s(L"Abc \u00E4\u00D6 123");
    s.MakeUpper();
    EXPECT_STREQ(L"ABC \u00C4\u00D6 123", s.GetString());
    s.MakeLower();
    EXPECT_STREQ(L"abc \u00E4\u00F6 123", s.GetString());
    EXPECT_STREQ(L"321 \u00F6\u00E4 cba", s.MakeReverse().GetString());
    CString empty;
    EXPECT_STREQ(L"", empty.MakeUpper().MakeLower().MakeReverse().GetString());

    CStringA a("MiXeD");
    EXPECT_STREQ("mixed", a.MakeLower().GetString());
    EXPECT_STREQ("MIXED", a.MakeUpper().GetString());
}

// ---------------------------------------------------------------------------------------------
// Comparison and operators

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

TEST(CStringCompare, OrdinalAndCaseInsensitive)
{
    struct Case
    {
        const wchar_t* a;
        const wchar_t* b;
        int compare;
        int compareNoCase;
    };
    const Case cases[] = {
        {L"abc", L"abc", 0, 0},
        {L"abc", L"ABC", 1, 0},
        {L"abc", L"abd", -1, -1},
        {L"ABC", L"abd", -1, -1},
        {L"", L"a", -1, -1},
        {L"a", L"", 1, 1},
        {L"ab", L"abc", -1, -1},
        // Case folding lowers both sides: '_' (0x5F) sorts before 'a' and after 'A' ordinally.
        {L"_", L"A", 1, -1},
        {L"\u00C4", L"\u00E4", -1, 0},
        {L"\u00E9", L"z", 1, 1},
    };
    for (const Case& c : cases) {
        CString a(c.a);
        EXPECT_EQ(c.compare, Sign(a.Compare(c.b))) << c.a << " / " << c.b;
        EXPECT_EQ(c.compareNoCase, Sign(a.CompareNoCase(c.b))) << c.a << " / " << c.b;
    }
    EXPECT_EQ(0, CString(L"x").Compare(CString(L"x")));
    EXPECT_EQ(1, Sign(CString(L"x").Compare(nullptr)));
    EXPECT_EQ(0, CString().CompareNoCase(nullptr));
    EXPECT_EQ(0, CString(L"Hello").CollateNoCase(L"hELLO"));
    EXPECT_LT(CString(L"apple").Collate(L"Banana"), 0); // the locale orders letters, not codes
    EXPECT_EQ(0, Sign(CStringA("Text").CompareNoCase("tEXT")));
}

TEST(CStringOperators, ConcatenationAndComparisonWithEveryOperandKind)
{
    const CString ab(L"ab");
    EXPECT_STREQ(L"abcd", (ab + CString(L"cd")).GetString());
    EXPECT_STREQ(L"abcd", (ab + L"cd").GetString());
    EXPECT_STREQ(L"cdab", (L"cd" + ab).GetString());
    EXPECT_STREQ(L"ab!", (ab + L'!').GetString());
    EXPECT_STREQ(L"!ab", (L'!' + ab).GetString());
    CString s;
    s += L'x';
    s += L"yz";
    s += ab;
    EXPECT_STREQ(L"xyzab", s.GetString());
    s = L'q';
    EXPECT_STREQ(L"q", s.GetString());

    EXPECT_TRUE(ab == L"ab");
    EXPECT_TRUE(L"ab" == ab);
    EXPECT_TRUE(ab == CString(L"ab"));
    EXPECT_TRUE(ab != L"aB");
    EXPECT_TRUE(L"ac" != ab);
    EXPECT_TRUE(s == L'q');
    EXPECT_TRUE(ab != L'a');
    EXPECT_TRUE(ab < L"b");
    EXPECT_TRUE(L"aa" < ab);
    EXPECT_TRUE(ab > L"aa");
    EXPECT_TRUE(ab <= L"ab");
    EXPECT_TRUE(ab >= CString(L"ab"));
    EXPECT_FALSE(ab < ab);

    const CStringA narrow("ab");
    EXPECT_TRUE(narrow == "ab");
    EXPECT_STREQ("abc", (narrow + 'c').GetString());
    EXPECT_STREQ("xab", ("x" + narrow).GetString());
}

// ---------------------------------------------------------------------------------------------
// BSTR and resources

TEST(CStringBstr, AllocAndSetSysString)
{
    CString s(L"text");
    BSTR b = s.AllocSysString();
    ASSERT_NE(nullptr, b);
    EXPECT_EQ(4u, SysStringLen(b));
    EXPECT_STREQ(L"text", b);
    EXPECT_STREQ(L"other", CString(L"other").SetSysString(&b));
    EXPECT_STREQ(L"other", b);
    SysFreeString(b);

    BSTR empty = CString().AllocSysString();
    ASSERT_NE(nullptr, empty); // an empty string is a real, empty BSTR
    EXPECT_EQ(0u, SysStringLen(empty));
    SysFreeString(empty);

    BSTR fromNarrow = CStringA("abc").AllocSysString();
    EXPECT_STREQ(L"abc", fromNarrow);
    SysFreeString(fromNarrow);
}

// A copy of this test program with a string table of our own, mapped as a data file.
class StringTableModule
{
public:
    explicit StringTableModule(const std::vector<std::pair<UINT, std::wstring>>& strings)
    {
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        m_path = m_folder.File(L"strings.exe");
        if (!CopyFileW(self, m_path.c_str(), FALSE))
            return;
        HANDLE update = BeginUpdateResourceW(m_path.c_str(), FALSE);
        if (!update)
            return;
        // Strings live in blocks of 16: block (id / 16) + 1, each entry a length and UTF-16 text.
        std::vector<std::vector<std::wstring>> blocks(4096);
        for (const auto& entry : strings) {
            auto& block = blocks[entry.first / 16];
            block.resize(16);
            block[entry.first % 16] = entry.second;
        }
        for (size_t i = 0; i < blocks.size(); ++i) {
            if (blocks[i].empty())
                continue;
            std::vector<WORD> data;
            for (const std::wstring& text : blocks[i]) {
                data.push_back(static_cast<WORD>(text.size()));
                data.insert(data.end(), text.begin(), text.end());
            }
            UpdateResourceW(update, RT_STRING, MAKEINTRESOURCEW(i + 1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                            data.data(), static_cast<DWORD>(data.size() * sizeof(WORD)));
        }
        if (!EndUpdateResourceW(update, FALSE))
            return;
        m_module = LoadLibraryExW(m_path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    ~StringTableModule()
    {
        if (m_module)
            FreeLibrary(m_module);
    }
    HINSTANCE Handle() const { return m_module; }

private:
    testsupport::TempFolder m_folder;
    std::wstring m_path;
    HINSTANCE m_module = nullptr;
};

TEST(CStringLoadString, ReadsTheStringTableOfAModule)
{
    const std::wstring longText(700, L'L');
    StringTableModule module({{101, L"Hello"}, {102, longText}, {4000, L"\u00C4rger %d"}});
    ASSERT_NE(nullptr, module.Handle());

    CString s(L"unchanged");
    EXPECT_TRUE(s.LoadString(module.Handle(), 101));
    EXPECT_STREQ(L"Hello", s.GetString());
    EXPECT_TRUE(s.LoadString(module.Handle(), 102));
    EXPECT_EQ(700, s.GetLength());
    EXPECT_TRUE(s.LoadString(module.Handle(), 4000));
    EXPECT_STREQ(L"\u00C4rger %d", s.GetString());

    // A missing id reports failure and leaves the string alone.
    EXPECT_FALSE(s.LoadString(module.Handle(), 103));
    EXPECT_FALSE(s.LoadString(module.Handle(), 9999));
    EXPECT_STREQ(L"\u00C4rger %d", s.GetString());

    CStringA narrow;
    EXPECT_TRUE(narrow.LoadString(module.Handle(), 101));
    EXPECT_STREQ("Hello", narrow.GetString());
}

TEST(CStringLoadString, ByIdReadsTheCurrentResourceModule)
{
    StringTableModule module({{7, L"from the module"}, {8, L"%d of %s"}});
    ASSERT_NE(nullptr, module.Handle());
    HINSTANCE previous = AfxGetResourceHandle();
    CString s;
    EXPECT_FALSE(s.LoadString(7)); // this program has no string 7
    AfxSetResourceHandle(module.Handle());
    EXPECT_TRUE(s.LoadString(7));
    CString formatted;
    formatted.Format(8u, 3, L"four");
    CComBSTR bstr;
    EXPECT_TRUE(bstr.LoadString(7));
    AfxSetResourceHandle(previous);
    EXPECT_STREQ(L"from the module", s.GetString());
    EXPECT_STREQ(L"3 of four", formatted.GetString());
    EXPECT_STREQ(L"from the module", bstr);
}

} // namespace
