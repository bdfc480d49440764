// Text ranges: find across inline boundaries, HTML of a range, replacing a range with HTML,
// moving the ends, and the highlight loop the reader runs over a page with a table.
#include "tests/browser/BrowserTestSupport.h"
#include <gtest/gtest.h>

using namespace fxb;

namespace {

const wchar_t kTablePage[] =
    L"<body><p id=intro>Intro with <b>Bold</b>Text and abc</p>"
    L"<table border=1><tr><td id=c1>First ABC cell</td><td id=c2>a<i>b</i>c &amp; &lt;tag&gt;</td></tr>"
    L"<tr><td colspan=2 id=c3>last <span>row</span> AbC</td></tr></table><p>end</p></body>";

// The reader's highlight loop: wrap each match in a hit element and go on after it.
int Highlight(Document& doc, const std::wstring& text)
{
    auto range = doc.body().createTextRange();
    int hits = 0;
    bool found = range->findText(text, 0, 0);
    while (found && hits < 1000) {
        std::wstring html = range->htmlText();
        if (html.empty())
            html = L"&nbsp;";
        range->pasteHTML(
            L"<span id='fxsearchresult' style='color: black; background-color: #99FF99; font-weight: bold'>" + html +
            L"</span>");
        ++hits;
        range->moveStart(L"Character", 1);
        range->moveEnd(L"Textedit", 1);
        found = range->findText(text, 0, 0);
    }
    return hits;
}

} // namespace

TEST(TextRange, FindsAcrossInlineBoundariesIgnoringCase)
{
    auto doc = browsertest::Parse(kTablePage);
    struct Case
    {
        const wchar_t* find;
        long flags;
        bool found;
        const wchar_t* text;
        const wchar_t* html;
    };
    const Case cases[] = {
        {L"boldtext", 0, true, L"BoldText", L"<b>Bold</b>Text"},
        {L"ABC", 0, true, L"abc", L"abc"},
        {L"ABC", 4, true, L"ABC", L"ABC"},
        {L"abc", 2, true, L"abc", L"abc"},
        {L"c & <tag>", 0, true, L"c & <tag>", L"c &amp; &lt;tag&gt;"},
        {L"o with", 0, true, L"o with", L"o with"},
        {L"last row", 0, true, L"last row", L"last <span>row</span>"},
        {L"row AbC", 0, true, L"row AbC", L"<span>row</span> AbC"},
        {L"cell last", 0, false, L"", L""}, // different cells are different blocks
        {L"", 0, false, L"", L""},
    };
    for (const Case& c : cases) {
        auto range = doc->body().createTextRange();
        EXPECT_EQ(c.found, range->findText(c.find, 0, c.flags)) << c.find;
        if (c.found) {
            EXPECT_EQ(std::wstring(c.text), range->text()) << c.find;
            EXPECT_EQ(std::wstring(c.html), range->htmlText()) << c.find;
        }
    }
    // A match that starts inside an element keeps that element open in the HTML.
    auto range = doc->body().createTextRange();
    ASSERT_TRUE(range->findText(L"oldtext and"));
    EXPECT_EQ(L"<b>old</b>Text and", range->htmlText());
}

TEST(TextRange, MovesEndsByCharacterAndTextedit)
{
    auto doc = browsertest::Parse(L"<p>abcdef</p>");
    auto range = doc->body().createTextRange();
    size_t length = range->text().size();
    EXPECT_EQ(6u, length);
    struct Step
    {
        bool start;
        const wchar_t* unit;
        long count;
        long moved;
        size_t s, e;
    };
    const Step steps[] = {
        {true, L"Character", 2, 2, 2, 6},     {false, L"character", -1, -1, 2, 5},
        {true, L"Character", 10, 4, 6, 6}, // clamped at the end, dragging the end along
        {true, L"Textedit", -1, -1, 0, 6},    {false, L"Character", -2, -2, 0, 4},
        {false, L"TextEdit", 1, 1, 0, 6},     {false, L"Textedit", 1, 0, 0, 6},
        {true, L"Sentence", 1, 0, 0, 6}, // unknown units move nothing
        {false, L"Character", -10, -6, 0, 0},
    };
    for (const Step& st : steps) {
        long moved = st.start ? range->moveStart(st.unit, st.count) : range->moveEnd(st.unit, st.count);
        EXPECT_EQ(st.moved, moved) << st.unit << st.count;
        EXPECT_EQ(st.s, range->Start());
        EXPECT_EQ(st.e, range->End());
    }
}

TEST(TextRange, PasteReplacesContentAndRelaysOut)
{
    auto doc = browsertest::Parse(kTablePage);
    browsertest::LayOut(*doc, 500);
    auto range = doc->body().createTextRange();
    ASSERT_TRUE(range->findText(L"boldtext"));
    ASSERT_TRUE(range->pasteHTML(L"<em id=new>X&lt;</em>"));
    EXPECT_EQ(range->Start(), range->End());
    auto all = doc->body().createTextRange();
    EXPECT_NE(std::wstring::npos, all->text().find(L"Intro with X< and abc"));
    EXPECT_EQ(std::wstring::npos, all->text().find(L"Bold"));
    // The range sits right after the pasted text.
    range->moveEnd(L"Character", 4);
    EXPECT_EQ(L" and", range->text());
    std::vector<HtmlElement> ems = doc->getElementsByTagName(L"EM");
    ASSERT_EQ(1u, ems.size());
    EXPECT_EQ(L"new", ems[0].id());
    browsertest::LayOut(*doc, 500);
    EXPECT_TRUE(ems[0].node()->geometry.valid);
    EXPECT_GT(ems[0].node()->geometry.width, 5);
}

TEST(TextRange, HighlightLoopWrapsEveryMatchInTheTable)
{
    auto doc = browsertest::Parse(kTablePage);
    EXPECT_EQ(4, Highlight(*doc, L"abc")); // "abc", "ABC", "a<i>b</i>c", "AbC"
    std::vector<HtmlElement> spans = doc->getElementsByTagName(L"span");
    std::vector<std::wstring> texts;
    for (const HtmlElement& s : spans)
        if (s.id() == L"fxsearchresult")
            texts.push_back(s.createTextRange()->text());
    EXPECT_EQ((std::vector<std::wstring>{L"abc", L"ABC", L"abc", L"AbC"}), texts);
    // The hit inside the italic markup keeps its markup.
    HtmlElement c2 = doc->getElementById(L"c2");
    std::wstring html = c2.createTextRange()->htmlText();
    EXPECT_NE(std::wstring::npos, html.find(L"<i>b</i>")) << html;
    EXPECT_EQ(0, Highlight(*doc, L"nowhere"));
    // Elements of the table report offsets relative to their cells.
    browsertest::LayOut(*doc, 500);
    HtmlElement last;
    for (const HtmlElement& s : doc->getElementsByTagName(L"span"))
        if (s.id() == L"fxsearchresult")
            last = s;
    HtmlElement cell = last.offsetParent();
    EXPECT_EQ(L"TD", cell.tagName());
    EXPECT_EQ(L"TABLE", cell.offsetParent().tagName());
    EXPECT_EQ(L"BODY", cell.offsetParent().offsetParent().tagName());
}

TEST(TextRange, RepeatedAdjacentMatchesTerminate)
{
    auto doc = browsertest::Parse(L"<p>aaaaaaaaaa</p>");
    int hits = Highlight(*doc, L"a");
    EXPECT_GE(hits, 5);
    EXPECT_LE(hits, 10);
}
