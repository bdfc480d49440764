// The cascade: default rules, presentational attributes, author sheets, style attributes.
#include "tests/browser/BrowserTestSupport.h"
#include "tests/common/WineTestSupport.h"
#include <gtest/gtest.h>

using namespace fxb;
using browsertest::ById;
using browsertest::Parse;

namespace {

const ComputedStyle& StyleOf(Document& doc, const wchar_t* id)
{
    Node* n = ById(doc, id);
    EXPECT_NE(nullptr, n) << id;
    static ComputedStyle none;
    return n && n->style ? *n->style : none;
}

} // namespace

TEST(Style, SelectorsSpecificityAndOrder)
{
    auto doc =
        Parse(L"<style>p { color: red } .note { color: green } #one { color: blue } div p { font-weight: bold }"
              L" div > em { font-style: normal } p.note.big { font-size: 20px } a:link { color: #123456 } "
              L" span[title] { text-decoration: underline } h1 + p { text-align: center } p:hover { color: black }"
              L" .late { color: olive } .early { color: purple }</style>"
              L"<p id=plain>a</p><p id=note class=note>b</p><p id=one class=note>c</p>"
              L"<div><p id=inner>d</p><em id=em>e</em></div><p id=big class='big note'>f</p><a id=a href=x>g</a>"
              L"<span id=t title=x>h</span><h1>x</h1><p id=after>i</p><p id=order class='early late'>j</p>"
              L"<p id=inline class=note style='color: #010203 !important'>k</p>");
    EXPECT_EQ(RGB(255, 0, 0), StyleOf(*doc, L"plain").color);
    EXPECT_EQ(RGB(0, 128, 0), StyleOf(*doc, L"note").color);
    EXPECT_EQ(RGB(0, 0, 255), StyleOf(*doc, L"one").color);
    EXPECT_EQ(700, StyleOf(*doc, L"inner").fontWeight);
    EXPECT_EQ(400, StyleOf(*doc, L"plain").fontWeight);
    EXPECT_FALSE(StyleOf(*doc, L"em").italic);
    EXPECT_FLOAT_EQ(20, StyleOf(*doc, L"big").fontSize);
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), StyleOf(*doc, L"a").color);
    EXPECT_TRUE(StyleOf(*doc, L"t").decoration & kUnderline);
    EXPECT_EQ(TextAlign::Center, StyleOf(*doc, L"after").textAlign);
    EXPECT_EQ(RGB(128, 0, 128), StyleOf(*doc, L"order").color); // later rule of equal weight wins
    EXPECT_EQ(RGB(1, 2, 3), StyleOf(*doc, L"inline").color);
}

TEST(Style, PropertiesShorthandsAndInheritance)
{
    auto doc =
        Parse(L"<div id=d style='font: italic bold 12pt/2 Georgia, serif; margin: 1px 2px 3px; padding: 2em;"
              L" border: 2px dashed rgb(255, 0, 0); background: #abc; text-indent: 10px; white-space: pre;"
              L" list-style: square inside; width: 50%; height: 3em; text-align: justify'>"
              L"<span id=s style='text-decoration: line-through; vertical-align: super'>x<b id=b>y</b></span></div>"
              L"<ol id=ol type=a><li id=li>x</ol><font id=f size=5 color=#00ff00 face='Courier New'>x</font>"
              L"<font id=f2 size=+2>y</font><table id=t border=2 cellpadding=5><tr><td id=td>x</td></tr></table>"
              L"<table id=bs style='border-spacing: 5px; border-collapse: collapse'><tr><td>x</td></tr></table>"
              L"<body bgcolor=silver text=maroon link=teal><a id=link href=x>l</a></body>");
    const ComputedStyle& d = StyleOf(*doc, L"d");
    EXPECT_TRUE(d.italic);
    EXPECT_EQ(700, d.fontWeight);
    EXPECT_FLOAT_EQ(16, d.fontSize);
    EXPECT_TRUE(d.lineHeightIsFactor);
    EXPECT_FLOAT_EQ(2, d.lineHeight);
    EXPECT_EQ(L"DejaVu Serif", d.fontFace);
    EXPECT_FLOAT_EQ(1, d.margin[0].value);
    EXPECT_FLOAT_EQ(2, d.margin[1].value);
    EXPECT_FLOAT_EQ(3, d.margin[2].value);
    EXPECT_FLOAT_EQ(2, d.margin[3].value);
    EXPECT_FLOAT_EQ(32, d.padding[0].value);
    EXPECT_EQ(BorderStyle::Dashed, d.borderStyle[2]);
    EXPECT_EQ(RGB(255, 0, 0), d.borderColor[3]);
    EXPECT_TRUE(d.hasBackground);
    EXPECT_EQ(RGB(0xAA, 0xBB, 0xCC), d.background);
    EXPECT_EQ(WhiteSpace::Pre, d.whiteSpace);
    EXPECT_EQ(ListStyle::Square, d.listStyle);
    EXPECT_EQ(Length::Unit::Percent, d.width.unit);
    EXPECT_FLOAT_EQ(48, d.height.value);
    EXPECT_EQ(TextAlign::Justify, d.textAlign);

    const ComputedStyle& b = StyleOf(*doc, L"b");
    EXPECT_TRUE(b.italic);                        // inherited
    EXPECT_TRUE(b.decoration & kLineThrough);     // decorations reach descendants
    EXPECT_EQ(VAlign::Baseline, b.verticalAlign); // not inherited
    EXPECT_EQ(VAlign::Super, StyleOf(*doc, L"s").verticalAlign);
    EXPECT_FALSE(StyleOf(*doc, L"s").hasBackground);

    EXPECT_EQ(ListStyle::LowerAlpha, StyleOf(*doc, L"li").listStyle);
    EXPECT_FLOAT_EQ(24, StyleOf(*doc, L"f").fontSize);
    EXPECT_EQ(RGB(0, 255, 0), StyleOf(*doc, L"f").color);
    EXPECT_EQ(L"DejaVu Sans Mono", StyleOf(*doc, L"f").fontFace);
    EXPECT_FLOAT_EQ(24, StyleOf(*doc, L"f2").fontSize);
    EXPECT_EQ(2, StyleOf(*doc, L"t").tableBorder);
    EXPECT_FLOAT_EQ(5, StyleOf(*doc, L"bs").borderSpacing);
    EXPECT_TRUE(StyleOf(*doc, L"bs").borderCollapse);
    EXPECT_EQ(BorderStyle::Inset, StyleOf(*doc, L"td").borderStyle[0]);
    EXPECT_FLOAT_EQ(5, StyleOf(*doc, L"td").padding[1].value);
    EXPECT_EQ(RGB(0, 128, 128), StyleOf(*doc, L"link").color);
    EXPECT_EQ(RGB(192, 192, 192), doc->BodyNode()->style->background);
    EXPECT_EQ(RGB(128, 0, 0), doc->BodyNode()->style->color);
}

TEST(Style, LinkedAndImportedSheetsFromTheCompanionFolder)
{
    testsupport::TempFolder folder;
    CreateDirectoryW(folder.File(L"page_files").c_str(), nullptr);
    browsertest::WriteFile(
        folder.File(L"page_files\\main.css"),
        "@import url(\"more.css\");\r\n/* comment */ .a { color: #FF0000 } @media print { .a { color: blue } }");
    browsertest::WriteFile(folder.File(L"page_files\\more.css"),
                           "\xEF\xBB\xBF.b { color: #00FF00 } .a { color: black }");
    browsertest::WriteFile(folder.File(L"page.htm"),
                           browsertest::Utf16File(L"<html><head><link rel=stylesheet href='page_files/main.css'>"
                                                  L"<link rel=stylesheet media=print href='page_files/more.css'></head>"
                                                  L"<body><p id=a class=a>x</p><p id=b class=b>y</p></body></html>"));
    bool found = false;
    auto doc = Document::Load(folder.File(L"page.htm"), folder.File(L"page.htm"), 2, &found);
    ASSERT_TRUE(found);
    EXPECT_EQ(RGB(255, 0, 0), StyleOf(*doc, L"a").color); // the importing sheet wins over the import
    EXPECT_EQ(RGB(0, 255, 0), StyleOf(*doc, L"b").color);
}

TEST(Style, ColoursAndFontNames)
{
    struct ColorCase
    {
        const wchar_t* text;
        bool legacy;
        bool ok;
        COLORREF value;
    };
    const ColorCase cases[] = {
        {L"#f00", false, true, RGB(255, 0, 0)},
        {L"#00FF80", false, true, RGB(0, 255, 128)},
        {L"rgb(10, 20, 30)", false, true, RGB(10, 20, 30)},
        {L"rgb(100%, 0%, 50%)", false, true, RGB(255, 0, 127)},
        {L"Navy", false, true, RGB(0, 0, 128)},
        {L"00ff00", true, true, RGB(0, 255, 0)},
        {L"00ff00", false, false, 0},
        {L"#12", false, false, 0},
        {L"nonsense", false, false, 0},
    };
    for (const ColorCase& c : cases) {
        COLORREF v = 0;
        EXPECT_EQ(c.ok, ParseColor(c.text, v, c.legacy)) << c.text;
        if (c.ok) {
            EXPECT_EQ(c.value, v) << c.text;
        }
    }
    EXPECT_EQ(L"DejaVu Serif", ResolveFontFamily(L"'Times New Roman', serif"));
    EXPECT_EQ(L"DejaVu Sans", ResolveFontFamily(L"Arial, Helvetica"));
    EXPECT_EQ(L"DejaVu Sans Mono", ResolveFontFamily(L"\"Courier New\""));
    EXPECT_EQ(L"DejaVu Sans", ResolveFontFamily(L"NoSuchFont, sans-serif"));
    EXPECT_EQ(L"", ResolveFontFamily(L"NoSuchFont"));
}

TEST(Style, PlainElementsShareStylesOnlyWhereNoRuleTellsThemApart)
{
    auto elements = [](Document& doc, const wchar_t* tag) {
        std::vector<Node*> out;
        for (Node* n = doc.Root(); n; n = n->NextInOrder(doc.Root()))
            if (n->Is(tag))
                out.push_back(n);
        return out;
    };
    auto doc = Parse(L"<style>ul ul li { color: red }</style><ul><li>a<li>b<li><ul><li>c</ul></ul><ul><li>d</ul>");
    std::vector<Node*> li = elements(*doc, L"li");
    ASSERT_EQ(5u, li.size());
    EXPECT_EQ(li[0]->style, li[1]->style); // siblings
    EXPECT_EQ(li[0]->style, li[4]->style); // cousins in a like list
    EXPECT_NE(RGB(255, 0, 0), li[4]->style->color);
    EXPECT_EQ(RGB(255, 0, 0), li[3]->style->color); // the nested list still matches its own rule
    auto adjacent = Parse(L"<style>p + p { color: red }</style><p>a</p><p>b</p>");
    std::vector<Node*> p = elements(*adjacent, L"p");
    ASSERT_EQ(2u, p.size());
    EXPECT_NE(RGB(255, 0, 0), p[0]->style->color);
    EXPECT_EQ(RGB(255, 0, 0), p[1]->style->color);
}
