// Layout of fixture pages at a fixed width: positions of boxes in relation to each other.
#include "tests/browser/BrowserTestSupport.h"
#include <gtest/gtest.h>
#include <cmath>

using namespace fxb;
using browsertest::ById;
using browsertest::LayOut;
using browsertest::Parse;

namespace {

const NodeGeometry& Geo(Document& doc, const wchar_t* id)
{
    Node* n = ById(doc, id);
    static NodeGeometry none;
    EXPECT_NE(nullptr, n) << id;
    return n ? n->geometry : none;
}

int Bottom(const NodeGeometry& g)
{
    return g.top + g.height;
}
int Right(const NodeGeometry& g)
{
    return g.left + g.width;
}

} // namespace

TEST(Layout, BlocksStackWithCollapsedMarginsAndInlinesFlow)
{
    auto doc = Parse(L"<body style='margin:10px'><p id=a style='margin:20px 0'>one <span id=s1>two</span> "
                     L"<span id=s2>three</span></p><p id=b style='margin:30px 0'>four</p><div id=c>five</div></body>");
    auto layout = LayOut(*doc, 400);
    const NodeGeometry &a = Geo(*doc, L"a"), &b = Geo(*doc, L"b"), &c = Geo(*doc, L"c");
    const NodeGeometry &s1 = Geo(*doc, L"s1"), &s2 = Geo(*doc, L"s2");
    ASSERT_TRUE(a.valid && b.valid && c.valid && s1.valid && s2.valid);
    EXPECT_EQ(10, a.left);
    EXPECT_EQ(380, a.width);
    EXPECT_EQ(30, b.top - Bottom(a)); // 20 and 30 collapse to 30
    EXPECT_EQ(30, c.top - Bottom(b));
    EXPECT_EQ(s1.top, s2.top);
    EXPECT_GT(s2.left, Right(s1));
    EXPECT_GT(a.height, 10);
    EXPECT_GE(layout->ContentHeight(), Bottom(c));
}

TEST(Layout, FirstAndLastChildMarginsJoinTheParents)
{
    auto doc = Parse(L"<body style='margin:16px'><h1 id=h style='margin:10px 0'>x</h1>"
                     L"<div id=d><p id=p style='margin:12px 0'>y</p></div><div id=e>z</div>"
                     L"<div id=f style='padding:5px'><p id=q style='margin:12px 0'>w</p></div></body>");
    LayOut(*doc, 400);
    EXPECT_EQ(16, Geo(*doc, L"h").top);                           // 10 inside the body's 16
    EXPECT_EQ(12, Geo(*doc, L"e").top - Bottom(Geo(*doc, L"p"))); // one 12, not two
    EXPECT_EQ(Geo(*doc, L"f").top + 5 + 12, Geo(*doc, L"q").top); // padding keeps them apart
}

TEST(Layout, WrapsLinesAndBreaksOverlongWords)
{
    std::wstring words;
    for (int i = 0; i < 60; ++i)
        words += L"word ";
    auto doc = Parse(L"<p id=p style='margin:0'>" + words + L"</p><p id=q style='margin:0'>" + std::wstring(300, L'x') +
                     L"</p>");
    LayOut(*doc, 600);
    int wide = Geo(*doc, L"p").height;
    LayOut(*doc, 200);
    int narrow = Geo(*doc, L"p").height;
    EXPECT_GT(narrow, wide * 2);
    // A word longer than the line is broken instead of running off the page.
    auto layout = LayOut(*doc, 200);
    EXPECT_LE(layout->ContentWidth(), 200);
    EXPECT_GT(Geo(*doc, L"q").height, wide);
}

TEST(Layout, PreformattedTextKeepsLinesAndSpaces)
{
    auto doc = Parse(L"<pre id=p style='margin:0'>a\n\n  b</pre><p id=n style='margin:0;white-space:nowrap'>" +
                     std::wstring(50, L'y') + L" " + std::wstring(50, L'z') +
                     L"</p><div id=one style='font-family:monospace'>a</div>");
    auto layout = LayOut(*doc, 100);
    const NodeGeometry& p = Geo(*doc, L"p");
    int line = Geo(*doc, L"one").height;
    EXPECT_NEAR(3 * line, p.height, 3);
    EXPECT_GT(layout->ContentWidth(), 100); // nowrap runs past the edge
    EXPECT_NE(std::wstring::npos, doc->Stream().find(L"a\n\n  b"));
}

TEST(Layout, TablesHonourSpansWidthsSpacingAndPadding)
{
    auto doc = Parse(L"<table id=t border=1 cellspacing=4 cellpadding=6 style='margin:0'>"
                     L"<tr><td id=c1>a</td><td id=c2 colspan=2>b</td></tr>"
                     L"<tr><td id=c3>c</td><td id=c4>dddddddd</td><td id=c5>e</td></tr></table>"
                     L"<table id=w width=300 cellspacing=0><tr><td id=f width=100>x</td><td id=g>y</td></tr></table>"
                     L"<table id=pc width=400 cellspacing=0 cellpadding=0><tr><td id=p1 width='25%'>x</td><td "
                     L"id=p2>y</td></tr></table>");
    LayOut(*doc, 800);
    const NodeGeometry &c1 = Geo(*doc, L"c1"), &c2 = Geo(*doc, L"c2"), &c3 = Geo(*doc, L"c3"), &c4 = Geo(*doc, L"c4"),
                       &c5 = Geo(*doc, L"c5"), &t = Geo(*doc, L"t");
    EXPECT_EQ(c1.left, c3.left);
    EXPECT_EQ(c2.left, c4.left);
    EXPECT_EQ(Right(c2), Right(c5));
    EXPECT_EQ(4, c2.left - Right(c1)); // cell spacing
    EXPECT_EQ(4, c3.top - Bottom(c1));
    EXPECT_EQ(c1.height, c2.height);    // cells of a row share its height
    EXPECT_GE(c1.left - t.left, 1 + 4); // table border and spacing before the first cell
    // Padding: the text of a cell starts inside it.
    auto range = doc->getElementById(L"c4").createTextRange();
    EXPECT_EQ(L"dddddddd", range->text());
    EXPECT_EQ(300, Geo(*doc, L"w").width);
    EXPECT_NEAR(100, Geo(*doc, L"f").width, 1);
    EXPECT_EQ(Right(Geo(*doc, L"w")), Right(Geo(*doc, L"g")));
    EXPECT_NEAR(100, Geo(*doc, L"p1").width, 1);
    EXPECT_NEAR(300, Geo(*doc, L"p2").width, 1);
}

TEST(Layout, CollapsedBordersAreShared)
{
    auto doc = Parse(L"<style>td { border: 2px solid #FF0000 }</style><table style='border-collapse: collapse'>"
                     L"<tr><td id=a>a</td><td id=b>b</td></tr><tr><td id=c>c</td><td id=d>d</td></tr></table>");
    LayOut(*doc, 400);
    EXPECT_EQ(Right(Geo(*doc, L"a")) - 2, Geo(*doc, L"b").left);
    EXPECT_EQ(Bottom(Geo(*doc, L"a")) - 2, Geo(*doc, L"c").top);
    EXPECT_EQ(Geo(*doc, L"b").left, Geo(*doc, L"d").left);
}

TEST(Layout, RowspanCellsSpanRows)
{
    auto doc = Parse(L"<table cellspacing=0><tr><td id=r rowspan=2>tall</td><td id=a>a</td></tr>"
                     L"<tr><td id=b>b</td></tr></table>");
    LayOut(*doc, 400);
    EXPECT_EQ(Right(Geo(*doc, L"r")), Geo(*doc, L"b").left);
    EXPECT_EQ(Geo(*doc, L"a").left, Geo(*doc, L"b").left);
    EXPECT_EQ(Bottom(Geo(*doc, L"b")), Bottom(Geo(*doc, L"r")));
}

TEST(Layout, ListsIndentAndImagesFloat)
{
    auto doc =
        Parse(L"<body style='margin:0'><ul id=u><li id=l1>a<li id=l2>b</ul>"
              L"<p style='margin:0'><img id=i align=left width=80 height=60 alt=''><span id=t>beside</span></p>"
              L"<p style='margin:0'><img id=r style='float:right' width=50 height=20><span id=t2>left of it</span></p>"
              L"<div style='clear:both' id=after>after</div></body>");
    LayOut(*doc, 500);
    EXPECT_EQ(40, Geo(*doc, L"l1").left);
    EXPECT_GT(Geo(*doc, L"l2").top, Geo(*doc, L"l1").top);
    const NodeGeometry &img = Geo(*doc, L"i"), &t = Geo(*doc, L"t");
    EXPECT_EQ(80, img.width);
    EXPECT_EQ(60, img.height);
    EXPECT_GE(t.left, Right(img));
    EXPECT_EQ(img.top, t.top);
    EXPECT_LT(t.height, 40); // the float does not make the line beside it taller
    const NodeGeometry& r = Geo(*doc, L"r");
    EXPECT_EQ(500, Right(r));
    EXPECT_LT(Right(Geo(*doc, L"t2")), r.left);
    EXPECT_GE(Geo(*doc, L"after").top, Bottom(img));
}

TEST(Layout, WidthsMarginsCentringAndAlignment)
{
    auto doc = Parse(
        L"<body style='margin:0'><div id=half style='width:50%'>x</div>"
        L"<div id=auto style='width:100px;margin:0 auto'>x</div>"
        L"<center><table id=ct width=100><tr><td>x</td></tr></table></center>"
        L"<p align=right style='margin:0'><span id=rs>right</span></p>"
        L"<p align=center style='margin:0'><span id=cs>mid</span></p>"
        L"<div style='padding:5px 7px;border:3px solid black' id=box>x</div>"
        L"<div id=hidden style='display:none'>gone</div><div id=next>n</div>"
        L"<hr id=hr width=100><p align=justify style='margin:0'>aa bb cc dd ee ff gg hh ii jj kk ll mm nn oo pp qq "
        L"rr ss tt uu vv ww xx yy zz aa bb cc dd ee ff gg hh ii jj kk ll mm nn oo pp <span "
        L"id=end>end</span></p></body>");
    LayOut(*doc, 400);
    EXPECT_EQ(200, Geo(*doc, L"half").width);
    EXPECT_EQ(150, Geo(*doc, L"auto").left);
    EXPECT_NEAR(150, Geo(*doc, L"ct").left, 1);
    EXPECT_NEAR(400, Right(Geo(*doc, L"rs")), 1);
    const NodeGeometry& cs = Geo(*doc, L"cs");
    EXPECT_NEAR(200, cs.left + cs.width / 2, 2);
    EXPECT_EQ(400, Geo(*doc, L"box").width);
    EXPECT_FALSE(Geo(*doc, L"hidden").valid);
    EXPECT_EQ(Bottom(Geo(*doc, L"box")), Geo(*doc, L"next").top);
    EXPECT_NEAR(150, Geo(*doc, L"hr").left, 1); // rules are centred
    EXPECT_LT(Right(Geo(*doc, L"end")), 300);   // the last line is not justified
}

TEST(Layout, ZoomAndTextSizeScaleProportionally)
{
    const std::wstring page = L"<body style='margin:8px'><h1 id=h>Title</h1><p id=p>Some text in a paragraph "
                              L"that is long enough to wrap on a narrow page, with more words.</p>"
                              L"<img id=i width=100 height=50></body>";
    auto doc = Parse(page);
    LayOut(*doc, 300);
    NodeGeometry h1 = Geo(*doc, L"h"), p1 = Geo(*doc, L"p"), i1 = Geo(*doc, L"i");
    LayOut(*doc, 600, 2.0f);
    NodeGeometry h2 = Geo(*doc, L"h"), p2 = Geo(*doc, L"p"), i2 = Geo(*doc, L"i");
    EXPECT_NEAR(2 * h1.top, h2.top, 3);
    EXPECT_NEAR(2 * h1.height, h2.height, 4);
    EXPECT_NEAR(2 * p1.top, p2.top, 6);
    EXPECT_EQ(2 * i1.width, i2.width);
    EXPECT_NEAR(2 * i1.top, i2.top, 12);

    // Text size: medium (2) against largest (4) scales text, not images.
    auto big = Parse(page, 4);
    LayOut(*big, 300);
    NodeGeometry hb = Geo(*big, L"h"), ib = Geo(*big, L"i");
    EXPECT_NEAR(hb.height, h1.height * TextSizeFactor(4), 4);
    EXPECT_EQ(i1.width, ib.width);
    auto small = Parse(page, 0);
    LayOut(*small, 300);
    EXPECT_LT(Geo(*small, L"h").height, h1.height);
}
