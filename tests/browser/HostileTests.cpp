// Pages nobody should write: they must show something or nothing, never crash, hang or run away
// with memory. Each is parsed, styled, laid out, painted, searched and printed.
#include "tests/browser/BrowserTestSupport.h"
#include "platform/browser/PagePrinter.h"
#include "platform/browser/TextDecoder.h"
#include <gtest/gtest.h>
#include <random>

using namespace fxb;

namespace {

std::wstring Repeat(const std::wstring& s, int n)
{
    std::wstring out;
    out.reserve(s.size() * n);
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

// Runs every stage over a page; returns the time it took.
DWORD Exercise(const std::wstring& page)
{
    DWORD start = GetTickCount();
    auto doc = browsertest::Parse(page);
    auto layout = browsertest::LayOut(*doc, 500);
    browsertest::Rendering shot(*doc, *layout, 500, 300);
    auto range = doc->body().createTextRange();
    range->findText(L"x", 0, 0);
    range->htmlText();
    range->pasteHTML(L"<span id=p>y</span>");
    browsertest::LayOut(*doc, 300, 2.5f);
    doc->Restyle(4);
    PagePrinter(doc, 400, 500);
    for (HtmlElement& e : doc->getElementsByTagName(L"span"))
        e.offsetTop();
    return GetTickCount() - start;
}

} // namespace

TEST(HostilePages, ShowSomethingOrNothingQuickly)
{
    struct Case
    {
        const char* name;
        std::wstring page;
    };
    std::wstring binary;
    std::mt19937 rng(7);
    for (int i = 0; i < 200000; ++i)
        binary.push_back(static_cast<wchar_t>(rng() & 0xFFFF));
    const Case cases[] = {
        {"deep divs", Repeat(L"<div>", 20000) + L"x"},
        {"deep mixed", Repeat(L"<table><tr><td><ul><li><b><blockquote>", 3000) + L"x"},
        {"deep closed", Repeat(L"<span>", 10000) + L"x" + Repeat(L"</span>", 10000)},
        {"unclosed tables", Repeat(L"<table><tr><td>", 5000)},
        {"huge colspan", L"<table><tr><td colspan=99999999 rowspan=99999999>x</td><td colspan=-5>y</td></tr></table>"},
        {"many columns", L"<table><tr>" + Repeat(L"<td>x</td>", 5000) + L"</tr></table>"},
        {"huge sizes", L"<img width=999999999 height=999999999><div style='width:99999999px;height:99999999px;"
                       L"margin:-99999999px;padding:99999999px;font-size:99999px;line-height:99999'>x</div>"},
        {"negative sizes", L"<div style='width:-50px;margin:-1000px;text-indent:-5000px'>x y z</div>"},
        {"long word", std::wstring(300000, L'x')},
        {"binary", binary},
        {"nul bytes", std::wstring(1000, L'\0') + L"<p>x\0y</p>"},
        {"broken markup", Repeat(L"<<<>>><a href=\"\"\"'<p <b =x ></ / </!-- <! <? &&#;&#x; &#99999999999;", 2000)},
        {"attributes", L"<p " + Repeat(L"a=b ", 20000) + L">x"},
        {"entities", Repeat(L"&amp;&lt;&#65;&#x10FFFF;&#xD800;&nbsp&copy", 20000)},
        {"style bombs", L"<style>" + Repeat(L"a b c d e f g h i j k l m n o p q r s t u v w x y z {color:red}", 200) +
                            Repeat(L"@media screen { ", 5000) + L"</style>" + Repeat(L"<a><b><c><d>", 30) + L"x"},
        {"unterminated comment", L"<p>x<!-- " + Repeat(L"<p>", 10000)},
        {"unterminated script", L"<script>" + Repeat(L"<p>x", 10000)},
        {"many floats", Repeat(L"<img align=left width=30 height=30><img align=right width=40 height=10>", 3000)},
        {"pre tabs", L"<pre>" + Repeat(L"\t\tx\n", 5000) + L"</pre>"},
        {"empty", L""},
        {"only text", L"x"},
        {"fragments", L"</html></body><p></td></tr></table></li>x"},
        {"many lists", Repeat(L"<ol start=-2147483647><li value=2147483647>x", 2000)},
    };
    for (const Case& c : cases) {
        DWORD ms = Exercise(c.page);
        EXPECT_LT(ms, 20000u) << c.name;
    }
}

// Pages that once stalled the engine for many seconds: each is parsed, laid out and painted
// where its hostile part shows. The bound only catches a stall; it is far above the normal time.
TEST(HostilePages, StallingPagesFinish)
{
    struct Case
    {
        const char* name;
        std::wstring page;
    };
    std::wstring families;
    for (int i = 0; families.size() < 10000; ++i)
        families += L"NoSuchFace" + std::to_wstring(i) + L", ";
    families += L"serif";
    std::wstring text;
    text.reserve(10u << 20);
    for (int i = 0; text.size() < (10u << 20); ++i)
        text += (i % 97 == 0) ? L"\n<p>" : L"lorem ipsum dolor sit amet ";
    const Case cases[] = {
        {"right-to-left overrides", L"<p>" + std::wstring(50000, L'\x202E') + L"x</p>"},
        {"mixed direction controls", L"<p>" +
                                         Repeat(L"\x202E\x05D0\x202D"
                                                L"a\x200F\x202C",
                                                10000) +
                                         L"</p>"},
        {"long font-family over many elements",
         L"<style>p { font-family: " + families + L" }</style>" + Repeat(L"<p class=c>x", 100000)},
        {"long font face attributes", Repeat(L"<font face='" + families.substr(0, 2000) + L"'>x</font>", 2000)},
        {"nested unordered lists", Repeat(L"<ul><li>", 100000) + L"x"},
        {"nested ordered lists", Repeat(L"<ol>", 100000) + L"x"},
        {"nested definition lists", Repeat(L"<dl><dd>", 100000) + L"x"},
        {"nested tables", Repeat(L"<table><tr><td>", 100000) + L"x"},
        {"ten megabytes of text", L"<body>" + text + L"</body>"},
        {"ten megabytes of preformatted text", L"<pre>" + text + L"</pre>"},
    };
    for (const Case& c : cases) {
        DWORD start = GetTickCount();
        auto doc = browsertest::Parse(c.page);
        auto layout = browsertest::LayOut(*doc, 500);
        browsertest::Rendering shot(*doc, *layout, 500, 300);
        DWORD ms = GetTickCount() - start;
        EXPECT_GT(layout->ContentHeight(), 0) << c.name;
        EXPECT_LT(ms, 15000u) << c.name;
    }
}

TEST(HostilePages, DecodingGarbageNeverFails)
{
    std::mt19937 rng(11);
    for (int i = 0; i < 50; ++i) {
        std::string bytes(1 + rng() % 5000, '\0');
        for (char& b : bytes)
            b = static_cast<char>(rng());
        if (i % 3 == 0)
            bytes = "<meta charset=" + std::string(i % 2 ? "euc-jp>" : "utf-8>") + bytes;
        std::wstring text = DecodePage(bytes);
        EXPECT_FALSE(text.empty() && !bytes.empty());
    }
}

TEST(HostilePages, MutatedPagesSurvive)
{
    const std::wstring seed =
        L"<html><head><style>p.a { color: red } td { border: 1px solid } .x b { font-size: 200% }</style></head>"
        L"<body><h1 id=t>Title</h1><p class=a>Some <b>bold</b> and <i>italic <u>text</u></i>.</p>"
        L"<table border=1 cellpadding=2><tr><td "
        L"colspan=2>a</td></tr><tr><td>b</td><td><ul><li>c<li>d</ul></td></tr></table>"
        L"<pre>x  y\n z</pre><img src=none.png alt='pic' align=left width=40><a href='#t' name=n>link</a>&amp;&copy;"
        L"<div style='margin:1em;padding:2px;background:#eee'><span>in div</span></div></body></html>";
    const wchar_t* fragments[] = {
        L"<",  L">", L"</",   L"<td>", L"<table>", L"<tr>", L"<li>",           L"<b>", L"</b>", L"\"", L"'", L"&",
        L"&#", L"=", L"<!--", L"-->",  L"<pre>",   L"<img", L" style='width:", L"%",   L"\n"};
    std::mt19937 rng(20240601);
    for (int round = 0; round < 300; ++round) {
        std::wstring page = seed;
        int edits = 1 + rng() % 8;
        for (int e = 0; e < edits; ++e) {
            size_t at = rng() % (page.size() + 1);
            switch (rng() % 4) {
            case 0:
                page.insert(at, fragments[rng() % (sizeof(fragments) / sizeof(fragments[0]))]);
                break;
            case 1:
                page.erase(at, rng() % 20);
                break;
            case 2: {
                size_t len = std::min<size_t>(rng() % 200, page.size() - std::min(at, page.size()));
                std::wstring piece = page.substr(at, len);
                page.insert(rng() % (page.size() + 1), piece);
                break;
            }
            default:
                if (at < page.size())
                    page[at] = static_cast<wchar_t>(rng() % 128);
            }
        }
        DWORD ms = Exercise(page);
        ASSERT_LT(ms, 5000u) << "round " << round;
    }
}
