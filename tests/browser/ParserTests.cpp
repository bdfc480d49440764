// Tree building from the markup authors write: implied, misnested and unclosed tags, entities,
// raw text, and decoding of page bytes.
#include "tests/browser/BrowserTestSupport.h"
#include "platform/browser/TextDecoder.h"
#include <gtest/gtest.h>

using namespace fxb;
using browsertest::DumpBody;

namespace {

struct TreeCase
{
    const wchar_t* html;
    const wchar_t* body;
};

const TreeCase kTreeCases[] = {
    {L"<p>one<p>two", L"p(\"one\"),p(\"two\")"},
    {L"<p>a<div>b</div>c", L"p(\"a\"),div(\"b\"),\"c\""},
    {L"<ul><li>a<li>b</ul>", L"ul(li(\"a\"),li(\"b\"))"},
    {L"<dl><dt>t<dd>d<dt>u</dl>", L"dl(dt(\"t\"),dd(\"d\"),dt(\"u\"))"},
    {L"<b><i>x</b>y</i>", L"b(i(\"x\")),i(\"y\")"},
    {L"<b>x<p>y</b>z</p>", L"b(\"x\",p(\"yz\"))"},
    {L"<table><td>a<td>b<tr><td>c</table>", L"table(tbody(tr(td(\"a\"),td(\"b\")),tr(td(\"c\"))))"},
    {L"<table><tr><td>a</td></tr>text</table>", L"\"text\",table(tbody(tr(td(\"a\"))))"},
    {L"<table><tr><td><table><tr><td>in</table>out</table>",
     L"table(tbody(tr(td(table(tbody(tr(td(\"in\")))),\"out\"))))"},
    {L"<td>lonely</td>", L"\"lonely\""},
    {L"<a href=x>1<a href=y>2</a>", L"a(\"1\"),a(\"2\")"},
    {L"x</span>y</div>z", L"\"xyz\""},
    {L"a<br>b</br>c", L"\"a\",br,\"b\",br,\"c\""},
    {L"<h1>a<h2>b</h2>", L"h1(\"a\"),h2(\"b\")"},
    {L"<p>&lt;&amp;&gt;&quot;&nbsp;&copy;&#65;&#x42;&bogus;&amp</p>", L"p(\"<&>\"\x00A0\x00A9"
                                                                      L"AB&bogus;&\")"},
    {L"<p>&#0;&#x110000;&#128;</p>", L"p(\"\xFFFD\xFFFD\x20AC\")"},
    // Names that differ only in case, the first and last in order, the longest, and unknown
    // names that extend or shorten a known one.
    {L"<p>&AElig;&aelig;&Zeta;&zeta;&thetasym;&zwnj;&zwnjx;&ae;</p>",
     L"p(\"\x00C6\x00E6\x0396\x03B6\x03D1\x200C&zwnjx;&ae;\")"},
    // A reference cut by the end of its attribute value or text run, with letters after it.
    {L"<p title=\"&amp\">a&#66<b>c</b>", L"p(\"aB\",b(\"c\"))"},
    {L"x<script>if (a<b) document.write('</p>')</script>t", L"\"x\",script(\"if (a<b) document.write('</p>')\"),\"t\""},
    {L"x<style>p > a {}</style>", L"\"x\",style(\"p > a {}\")"},
    {L"<textarea>&lt;b&gt; <i>raw</i></textarea>", L"textarea(\"<b> <i>raw</i>\")"},
    {L"<!-- hidden <p>not</p> --><p>shown", L"p(\"shown\")"},
    {L"<p title='a \"q\"' class=x id=\"y\" class=dup>t", L"p(\"t\")"},
    {L"<div/>after", L"div(\"after\")"},
    {L"<unknown>u</unknown>", L"unknown(\"u\")"},
    {L"< p>not a tag", L"\"< p>not a tag\""},
    {L"a<", L"\"a<\""},
    {L"<p attr=\"unterminated>x", L"p"},
    {L"<form><input value=v>text</form>", L"form(input,\"text\")"},
    {L"<pre>\r\nline\n</pre><textarea>\nt</textarea>", L"pre(\"line\n\"),textarea(\"t\")"},
    {L"<html><body bgcolor=red><p>x</body></html>after", L"p(\"xafter\")"},
};

} // namespace

TEST(HtmlParser, BuildsTheTreesBrowsersBuild)
{
    for (const TreeCase& c : kTreeCases)
        EXPECT_EQ(std::wstring(c.body), DumpBody(c.html)) << c.html;
}

TEST(HtmlParser, PlacesHeadElementsAndKeepsAttributes)
{
    auto doc = browsertest::Parse(
        L"<title>T</title><meta charset=utf-8><p class='a b' id=P1 ID=dup>x</p><link rel=stylesheet href=s.css>");
    EXPECT_EQ(L"html(head(title(\"T\"),meta),body(p(\"x\"),link))", browsertest::Dump(doc->Root()));
    Node* p = browsertest::ById(*doc, L"P1");
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(L"a b", p->GetAttribute(L"class"));
    EXPECT_EQ(2u, p->Attributes().size()); // the duplicate id was dropped
    EXPECT_EQ(L"T", doc->title());
}

TEST(HtmlParser, BoundsDepthAndNodeCount)
{
    std::wstring deep;
    for (int i = 0; i < 5000; ++i)
        deep += L"<div><span>";
    deep += L"bottom";
    auto doc = browsertest::Parse(deep);
    int maxDepth = 0;
    for (Node* n = doc->Root(); n; n = n->NextInOrder(doc->Root()))
        maxDepth = std::max(maxDepth, n->Depth());
    EXPECT_LE(maxDepth, ParseLimits().maxDepth + 2);
    EXPECT_NE(std::wstring::npos, doc->Stream().find(L"bottom"));

    ParseLimits small;
    small.maxNodes = 100;
    std::wstring many;
    for (int i = 0; i < 1000; ++i)
        many += L"<b>x</b>";
    auto root = ParseHtmlDocument(many, small);
    size_t count = 0;
    for (Node* n = root.get(); n; n = n->NextInOrder(root.get()))
        ++count;
    EXPECT_LE(count, 101u);
    DestroyTree(std::move(root));
}

// Pages are made and released in any order; each tree stays whole while others come and go,
// however many nodes they hold.
TEST(HtmlParser, TreesStayWholeWhileOthersComeAndGo)
{
    auto page = [](const wchar_t* word, int paragraphs) {
        std::wstring html;
        for (int i = 0; i < paragraphs; ++i)
            html += L"<p class=c>" + std::wstring(word) + std::to_wstring(i) + L"<b>" + word + L"</b></p>";
        return html;
    };
    // Every node's tag or text, in document order.
    auto signature = [](Node* root) {
        std::wstring out;
        for (Node* n = root; n; n = n->NextInOrder(root))
            out += (n->IsElement() ? n->Tag() : n->Text()) + L"|";
        return out;
    };
    const int kParagraphs = 3000; // thousands of nodes: many chunks of them
    auto first = ParseHtmlDocument(page(L"first", kParagraphs));
    auto second = ParseHtmlDocument(page(L"second", kParagraphs));
    const std::wstring secondBefore = signature(second.get());
    DestroyTree(std::move(first));
    auto third = ParseHtmlDocument(page(L"third", kParagraphs));
    EXPECT_EQ(secondBefore, signature(second.get()));
    // A tree released node by node, from its end, leaves the other trees alone too.
    Node* body = second->Child(second->ChildCount() - 1);
    while (body->ChildCount() > 1)
        body->RemoveChild(body->ChildCount() - 1);
    auto fourth = ParseHtmlDocument(page(L"fourth", 10));
    EXPECT_EQ(L"third2999|", signature(third->Child(1)->Child(kParagraphs - 1)->Child(0)));
    EXPECT_EQ(L"p|second0|b|second|", signature(body->Child(0)));
    EXPECT_NE(std::wstring::npos, signature(fourth.get()).find(L"|fourth9|b|fourth|"));
    DestroyTree(std::move(second));
    DestroyTree(std::move(third));
    DestroyTree(std::move(fourth));
}

TEST(HtmlParser, FragmentsParseInContext)
{
    auto nodes = ParseHtmlFragment(L"<span id='s' style='color: black'>a<b>b</b></span>tail", L"p");
    ASSERT_EQ(2u, nodes.size());
    EXPECT_EQ(L"span(\"a\",b(\"b\"))", browsertest::Dump(nodes[0].get()));
    EXPECT_EQ(L"\"tail\"", browsertest::Dump(nodes[1].get()));
}

TEST(TextDecoder, DecodesByMarkDeclarationAndContent)
{
    struct Case
    {
        std::string bytes;
        std::wstring expected;
        unsigned codePage;
    };
    const Case cases[] = {
        {std::string("\xFF\xFE<\0p\0>\0\xE9\0", 10), L"<p>\xE9", 1200},
        {std::string("\xFE\xFF\0<\0p", 6), L"<p", 1201},
        {"\xEF\xBB\xBF<p>\xC3\xA9", L"<p>\xE9", 65001},
        {"<p>\xC3\xA9 plain utf-8", L"<p>\xE9 plain utf-8", 65001},
        {"<meta http-equiv='Content-Type' content='text/html; charset=windows-1251'><p>\xCF",
         L"<meta http-equiv='Content-Type' content='text/html; charset=windows-1251'><p>\x041F", 1251},
        {"<meta charset=\"koi8-r\">\xF0", L"<meta charset=\"koi8-r\">\x041F", 20866},
        {"<meta charset=shift_jis>\x82\xA0", L"<meta charset=shift_jis>\x3042", 932},
        {std::string("<\0p\0>\0x\0y\0z\0<\0/\0p\0>\0", 20), L"<p>xyz</p>", 1200},
    };
    for (const Case& c : cases) {
        unsigned cp = 0;
        EXPECT_EQ(c.expected, DecodePage(c.bytes, &cp)) << c.bytes;
        EXPECT_EQ(c.codePage, cp) << c.bytes;
    }
}

TEST(TextDecoder, UsesTheMultiLanguageServiceForEucJp)
{
    // EUC-JP is not a system code page; the page still decodes.
    std::string page = "<meta charset=euc-jp>\xA4\xA2";
    EXPECT_EQ(L"<meta charset=euc-jp>\x3042", DecodePage(page));
}
