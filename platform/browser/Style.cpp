#include "platform/browser/Style.h"
#include "platform/browser/Dom.h"
#include "platform/browser/TextUtil.h"
#include <algorithm>
#include <cmath>
#include <cwctype>
#include <mutex>
#include <set>
#include <unordered_map>

namespace fxb {

// Presentational attributes of one element, turned into declarations that apply before the
// author's rules.
struct PresentationalHints
{
    const Node* e;
    std::vector<CssDeclaration> list;

    const std::wstring* Attr(const wchar_t* name) const { return e->FindAttribute(name); }
    void Add(const wchar_t* prop, const std::wstring& value) { list.push_back({prop, value, false}); }
};

namespace {

// The defaults every page starts from, written as a style sheet.
const wchar_t kDefaultSheet[] = LR"CSS(
html, body, div, p, h1, h2, h3, h4, h5, h6, ul, ol, dl, dt, dd, blockquote, pre, center, address, form,
fieldset, noframes, listing, xmp, plaintext, article, section, header, footer, nav, aside, figure, figcaption,
main, menu, dir, details, summary, hr, legend, frameset { display: block }
head, script, style, title, meta, link, base, noembed, param, area, map, datalist, template, basefont, bgsound,
iframe, object, embed, applet, select, input, frame { display: none }
li { display: list-item }
table { display: table }
tr { display: table-row }
thead, tbody, tfoot { display: table-row-group }
td, th { display: table-cell; padding: 1px; vertical-align: middle }
th { font-weight: bold; text-align: center }
caption { display: table-caption; text-align: center }
body { margin: 8px }
p, dl, multicol { margin: 1em 0 }
h1 { font-size: 2em; margin: .67em 0; font-weight: bold }
h2 { font-size: 1.5em; margin: .83em 0; font-weight: bold }
h3 { font-size: 1.17em; margin: 1em 0; font-weight: bold }
h4 { margin: 1.33em 0; font-weight: bold }
h5 { font-size: .83em; margin: 1.67em 0; font-weight: bold }
h6 { font-size: .67em; margin: 2.33em 0; font-weight: bold }
ul, ol, menu, dir { margin: 1em 0; padding-left: 40px }
ul, menu, dir { list-style-type: disc }
ol { list-style-type: decimal }
ul ul, ol ul, ul menu, ul dir { list-style-type: circle }
ul ul ul, ol ul ul, ul ol ul, ol ol ul { list-style-type: square }
li ul, li ol, ul ul, ol ol, ul ol, ol ul { margin-top: 0; margin-bottom: 0 }
dd { margin-left: 40px }
blockquote { margin: 1em 40px }
pre, xmp, listing, plaintext { white-space: pre; font-family: monospace; margin: 1em 0 }
code, tt, kbd, samp { font-family: monospace }
textarea { font-family: monospace; white-space: pre }
b, strong { font-weight: bold }
i, em, cite, var, dfn, address { font-style: italic }
u, ins { text-decoration: underline }
s, strike, del { text-decoration: line-through }
sub { vertical-align: sub; font-size: smaller }
sup { vertical-align: super; font-size: smaller }
small { font-size: smaller }
big { font-size: larger }
a:link { color: #0000FF; text-decoration: underline }
center { text-align: center }
hr { border: 1px inset #808080; margin: 8px auto }
nobr { white-space: nowrap }
)CSS";

std::wstring Unquote(std::wstring s)
{
    s = Trim(s);
    if (s.size() >= 2 && (s[0] == L'"' || s[0] == L'\'') && s.back() == s[0])
        return s.substr(1, s.size() - 2);
    return s;
}

struct NamedColor
{
    const wchar_t* name;
    COLORREF value;
};
const NamedColor kColors[] = {
    {L"black", RGB(0, 0, 0)},
    {L"white", RGB(255, 255, 255)},
    {L"red", RGB(255, 0, 0)},
    {L"green", RGB(0, 128, 0)},
    {L"blue", RGB(0, 0, 255)},
    {L"yellow", RGB(255, 255, 0)},
    {L"gray", RGB(128, 128, 128)},
    {L"grey", RGB(128, 128, 128)},
    {L"silver", RGB(192, 192, 192)},
    {L"maroon", RGB(128, 0, 0)},
    {L"purple", RGB(128, 0, 128)},
    {L"fuchsia", RGB(255, 0, 255)},
    {L"magenta", RGB(255, 0, 255)},
    {L"lime", RGB(0, 255, 0)},
    {L"olive", RGB(128, 128, 0)},
    {L"navy", RGB(0, 0, 128)},
    {L"teal", RGB(0, 128, 128)},
    {L"aqua", RGB(0, 255, 255)},
    {L"cyan", RGB(0, 255, 255)},
    {L"orange", RGB(255, 165, 0)},
    {L"brown", RGB(165, 42, 42)},
    {L"pink", RGB(255, 192, 203)},
    {L"gold", RGB(255, 215, 0)},
    {L"darkblue", RGB(0, 0, 139)},
    {L"darkred", RGB(139, 0, 0)},
    {L"darkgreen", RGB(0, 100, 0)},
    {L"lightgray", RGB(211, 211, 211)},
    {L"lightgrey", RGB(211, 211, 211)},
    {L"darkgray", RGB(169, 169, 169)},
    {L"darkgrey", RGB(169, 169, 169)},
    {L"lightblue", RGB(173, 216, 230)},
    {L"lightyellow", RGB(255, 255, 224)},
    {L"lightgreen", RGB(144, 238, 144)},
    {L"beige", RGB(245, 245, 220)},
    {L"ivory", RGB(255, 255, 240)},
    {L"wheat", RGB(245, 222, 179)},
    {L"tan", RGB(210, 180, 140)},
    {L"khaki", RGB(240, 230, 140)},
    {L"indigo", RGB(75, 0, 130)},
    {L"violet", RGB(238, 130, 238)},
    {L"crimson", RGB(220, 20, 60)},
    {L"coral", RGB(255, 127, 80)},
    {L"salmon", RGB(250, 128, 114)},
    {L"tomato", RGB(255, 99, 71)},
    {L"orchid", RGB(218, 112, 214)},
    {L"steelblue", RGB(70, 130, 180)},
    {L"skyblue", RGB(135, 206, 235)},
    {L"royalblue", RGB(65, 105, 225)},
    {L"darkorange", RGB(255, 140, 0)},
    {L"darkviolet", RGB(148, 0, 211)},
    {L"forestgreen", RGB(34, 139, 34)},
    {L"seagreen", RGB(46, 139, 87)},
    {L"slategray", RGB(112, 128, 144)},
    {L"dimgray", RGB(105, 105, 105)},
    {L"whitesmoke", RGB(245, 245, 245)},
    {L"gainsboro", RGB(220, 220, 220)},
    {L"linen", RGB(250, 240, 230)},
    {L"lavender", RGB(230, 230, 250)},
    {L"honeydew", RGB(240, 255, 240)},
    {L"aliceblue", RGB(240, 248, 255)},
    {L"cornsilk", RGB(255, 248, 220)},
    {L"chocolate", RGB(210, 105, 30)},
    {L"firebrick", RGB(178, 34, 34)},
    {L"midnightblue", RGB(25, 25, 112)},
    {L"darkslategray", RGB(47, 79, 79)},
    {L"goldenrod", RGB(218, 165, 32)},
};

bool ParseHexColor(const std::wstring& h, COLORREF& out)
{
    for (wchar_t c : h)
        if (HexDigit(c) < 0)
            return false;
    if (h.size() == 3) {
        out = RGB(HexDigit(h[0]) * 17, HexDigit(h[1]) * 17, HexDigit(h[2]) * 17);
        return true;
    }
    if (h.size() == 6) {
        out = RGB(HexDigit(h[0]) * 16 + HexDigit(h[1]), HexDigit(h[2]) * 16 + HexDigit(h[3]),
                  HexDigit(h[4]) * 16 + HexDigit(h[5]));
        return true;
    }
    return false;
}

// Parses a length; `fontSize` is the element's font size for em, `absScale` the text size factor that
// absolute font sizes get (1 elsewhere). Percentages are returned as Percent.
bool ParseLength(const std::wstring& vIn, float fontSize, Length& out, bool allowUnitless = false, float absScale = 1)
{
    std::wstring v = Lower(Trim(vIn));
    if (v.empty())
        return false;
    if (v == L"auto") {
        out = Length();
        return true;
    }
    wchar_t* end = nullptr;
    double n = wcstod(v.c_str(), &end);
    if (end == v.c_str() || !std::isfinite(n))
        return false;
    std::wstring unit = Trim(std::wstring(end));
    double px;
    if (unit == L"%") {
        out = Length::Percent(static_cast<float>(std::max(-10000.0, std::min(10000.0, n))));
        return true;
    }
    if (unit == L"px")
        px = n * absScale;
    else if (unit == L"pt")
        px = n * 4.0 / 3.0 * absScale;
    else if (unit == L"em")
        px = n * fontSize;
    else if (unit == L"ex")
        px = n * fontSize * 0.5;
    else if (unit == L"in")
        px = n * 96 * absScale;
    else if (unit == L"cm")
        px = n * 96 / 2.54 * absScale;
    else if (unit == L"mm")
        px = n * 96 / 25.4 * absScale;
    else if (unit == L"pc")
        px = n * 16 * absScale;
    else if (unit.empty() && (allowUnitless || n == 0))
        px = n * absScale;
    else
        return false;
    px = std::max(-100000.0, std::min(100000.0, px));
    out = Length::Px(static_cast<float>(px));
    return true;
}

BorderStyle ParseBorderStyle(const std::wstring& v, bool& ok)
{
    ok = true;
    if (v == L"none" || v == L"hidden")
        return BorderStyle::None;
    if (v == L"solid")
        return BorderStyle::Solid;
    if (v == L"dashed")
        return BorderStyle::Dashed;
    if (v == L"dotted")
        return BorderStyle::Dotted;
    if (v == L"double")
        return BorderStyle::Double;
    if (v == L"inset")
        return BorderStyle::Inset;
    if (v == L"outset")
        return BorderStyle::Outset;
    if (v == L"groove")
        return BorderStyle::Groove;
    if (v == L"ridge")
        return BorderStyle::Ridge;
    ok = false;
    return BorderStyle::None;
}

bool ParseBorderWidth(const std::wstring& v, float fontSize, float& out)
{
    if (v == L"thin") {
        out = 1;
        return true;
    }
    if (v == L"medium") {
        out = 3;
        return true;
    }
    if (v == L"thick") {
        out = 5;
        return true;
    }
    Length l;
    if (ParseLength(v, fontSize, l) && l.unit == Length::Unit::Px) {
        out = std::max(0.f, std::min(l.value, 1000.f));
        return true;
    }
    return false;
}

float KeywordFontSize(const std::wstring& v)
{
    if (v == L"xx-small")
        return 9;
    if (v == L"x-small")
        return 10;
    if (v == L"small")
        return 13;
    if (v == L"medium")
        return 16;
    if (v == L"large")
        return 18;
    if (v == L"x-large")
        return 24;
    if (v == L"xx-large")
        return 32;
    return 0;
}

const float kFontTagSizes[8] = {0, 10, 13, 16, 18, 24, 32, 48};

// Four-sided shorthand: 1 to 4 values to top, right, bottom, left.
template <typename T, typename F> bool ApplyFourSides(const std::vector<std::wstring>& parts, T* target, F parse)
{
    if (parts.empty() || parts.size() > 4)
        return false;
    T v[4];
    for (size_t i = 0; i < parts.size(); ++i)
        if (!parse(parts[i], v[i]))
            return false;
    static const int kMap[5][4] = {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 1, 0, 1}, {0, 1, 2, 1}, {0, 1, 2, 3}};
    for (int s = 0; s < 4; ++s)
        target[s] = v[kMap[parts.size()][s]];
    return true;
}

int CALLBACK CollectFace(const LOGFONTW* f, const TEXTMETRICW*, DWORD, LPARAM p)
{
    reinterpret_cast<std::set<std::wstring>*>(p)->insert(Lower(f->lfFaceName));
    return 1;
}

std::set<std::wstring>& InstalledFaces()
{
    static std::set<std::wstring> faces = [] {
        std::set<std::wstring> set;
        HDC dc = GetDC(nullptr);
        LOGFONTW lf = {};
        lf.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExW(dc, &lf, CollectFace, reinterpret_cast<LPARAM>(&set), 0);
        ReleaseDC(nullptr, dc);
        return set;
    }();
    return faces;
}

// Side of a property name's side part: top, right, bottom, left as 0 to 3, or -1.
int SideIndex(const std::wstring& side)
{
    return side == L"top" ? 0 : side == L"right" ? 1 : side == L"bottom" ? 2 : side == L"left" ? 3 : -1;
}

// `inherit`: the few properties that do not inherit by themselves take the parent's value.
void ApplyInherited(const std::wstring& p, ComputedStyle& s, const ComputedStyle& parent)
{
    if (p == L"color") {
        s.color = parent.color;
    } else if (p == L"font-size") {
        s.fontSize = parent.fontSize;
    } else if (p == L"background-color") {
        s.hasBackground = parent.hasBackground;
        s.background = parent.background;
    }
}

ListStyle ListStyleKeyword(const std::wstring& t, ListStyle current)
{
    if (t == L"disc")
        return ListStyle::Disc;
    if (t == L"circle")
        return ListStyle::Circle;
    if (t == L"square")
        return ListStyle::Square;
    if (t == L"decimal" || t == L"decimal-leading-zero")
        return ListStyle::Decimal;
    if (t == L"lower-alpha" || t == L"lower-latin")
        return ListStyle::LowerAlpha;
    if (t == L"upper-alpha" || t == L"upper-latin")
        return ListStyle::UpperAlpha;
    if (t == L"lower-roman")
        return ListStyle::LowerRoman;
    if (t == L"upper-roman")
        return ListStyle::UpperRoman;
    if (t == L"none")
        return ListStyle::None;
    return current;
}

Display DisplayKeyword(const std::wstring& v, Display current)
{
    if (v == L"none")
        return Display::None;
    if (v == L"block" || v == L"flex" || v == L"grid" || v == L"flow-root")
        return Display::Block;
    if (v == L"inline" || v == L"inline-block" || v == L"inline-flex")
        return Display::Inline;
    if (v == L"list-item")
        return Display::ListItem;
    if (v == L"table" || v == L"inline-table")
        return Display::Table;
    if (v == L"table-row")
        return Display::TableRow;
    if (v == L"table-cell")
        return Display::TableCell;
    if (v == L"table-row-group" || v == L"table-header-group" || v == L"table-footer-group")
        return Display::TableRowGroup;
    if (v == L"table-caption")
        return Display::TableCaption;
    return current;
}

VAlign VerticalAlignKeyword(const std::wstring& v, VAlign current)
{
    if (v == L"baseline")
        return VAlign::Baseline;
    if (v == L"sub")
        return VAlign::Sub;
    if (v == L"super")
        return VAlign::Super;
    if (v == L"top")
        return VAlign::Top;
    if (v == L"middle")
        return VAlign::Middle;
    if (v == L"bottom")
        return VAlign::Bottom;
    if (v == L"text-top")
        return VAlign::TextTop;
    if (v == L"text-bottom")
        return VAlign::TextBottom;
    return current;
}

TextAlign TextAlignKeyword(const std::wstring& v, TextAlign current)
{
    if (v == L"left" || v == L"start")
        return TextAlign::Left;
    if (v == L"right" || v == L"end")
        return TextAlign::Right;
    if (v == L"center" || v == L"middle")
        return TextAlign::Center;
    if (v == L"justify")
        return TextAlign::Justify;
    return current;
}

WhiteSpace WhiteSpaceKeyword(const std::wstring& v, WhiteSpace current)
{
    if (v == L"normal")
        return WhiteSpace::Normal;
    if (v == L"pre")
        return WhiteSpace::Pre;
    if (v == L"nowrap")
        return WhiteSpace::NoWrap;
    if (v == L"pre-wrap")
        return WhiteSpace::PreWrap;
    if (v == L"pre-line")
        return WhiteSpace::PreLine;
    return current;
}

// Properties whose values are keywords (or lists of them).
bool ApplyKeywordProperty(const std::wstring& p, const std::wstring& v, const std::vector<std::wstring>& parts,
                          ComputedStyle& s, const ComputedStyle& parent)
{
    if (p == L"display") {
        s.display = DisplayKeyword(v, s.display);
    } else if (p == L"float") {
        s.floatSide = v == L"left" ? FloatSide::Left : v == L"right" ? FloatSide::Right : FloatSide::None;
    } else if (p == L"clear") {
        s.clear = v == L"left" ? 1 : v == L"right" ? 2 : v == L"both" ? 3 : 0;
    } else if (p == L"vertical-align") {
        s.verticalAlign = VerticalAlignKeyword(v, s.verticalAlign);
    } else if (p == L"text-align") {
        s.textAlign = TextAlignKeyword(v, s.textAlign);
    } else if (p == L"white-space") {
        s.whiteSpace = WhiteSpaceKeyword(v, s.whiteSpace);
    } else if (p == L"list-style-type" || p == L"list-style") {
        for (const std::wstring& t : parts)
            s.listStyle = ListStyleKeyword(t, s.listStyle);
    } else if (p == L"visibility") {
        s.hidden = v == L"hidden" || v == L"collapse";
    } else if (p == L"border-collapse") {
        s.borderCollapse = v == L"collapse";
    } else if (p == L"font-style") {
        s.italic = v == L"italic" || v == L"oblique";
    } else if (p == L"text-decoration") {
        uint8_t bits = 0;
        for (const std::wstring& t : parts) {
            if (t == L"underline")
                bits |= kUnderline;
            else if (t == L"overline")
                bits |= kOverline;
            else if (t == L"line-through")
                bits |= kLineThrough;
        }
        // Decorations of ancestors stay: they are drawn across the descendants' text.
        s.decoration = static_cast<uint8_t>(parent.decoration | bits);
        if (v == L"none")
            s.decoration = parent.decoration;
    } else {
        return false;
    }
    return true;
}

// Properties whose values are lengths: box edges, sizes, indents, line heights and spacing.
bool ApplyLengthProperty(const std::wstring& p, const std::wstring& v, const std::vector<std::wstring>& parts,
                         ComputedStyle& s)
{
    auto lengthOf = [&](const std::wstring& text, Length& out) { return ParseLength(text, s.fontSize, out); };
    Length l;
    if (p == L"margin" || p == L"padding") {
        ApplyFourSides(parts, p == L"margin" ? s.margin : s.padding, lengthOf);
    } else if (p.compare(0, 7, L"margin-") == 0 || p.compare(0, 8, L"padding-") == 0) {
        bool margin = p[0] == L'm';
        int idx = SideIndex(p.substr(margin ? 7 : 8));
        if (idx >= 0 && lengthOf(v, l))
            (margin ? s.margin : s.padding)[idx] = l;
    } else if (p == L"width" || p == L"height") {
        if (lengthOf(v, l) && !(l.unit != Length::Unit::Auto && l.value < 0))
            (p == L"width" ? s.width : s.height) = l;
    } else if (p == L"text-indent") {
        lengthOf(v, s.textIndent);
    } else if (p == L"line-height") {
        if (v == L"normal") {
            s.lineHeight = 0;
        } else if (v.find_first_not_of(L"0123456789.") == std::wstring::npos) {
            s.lineHeight = static_cast<float>(wcstod(v.c_str(), nullptr));
            s.lineHeightIsFactor = true;
        } else if (lengthOf(v, l)) {
            s.lineHeight = l.unit == Length::Unit::Percent ? s.fontSize * l.value / 100 : l.value;
            s.lineHeightIsFactor = false;
        }
        s.lineHeight = std::max(0.f, std::min(s.lineHeight, 5000.f));
    } else if (p == L"border-spacing") {
        if (!parts.empty() && lengthOf(parts[0], l) && l.unit == Length::Unit::Px)
            s.borderSpacing = std::max(0.f, std::min(l.value, 1000.f));
    } else {
        return false;
    }
    return true;
}

// `border` and `border-<side>`: width, style and colour in any order, for all sides or one.
void ApplyBorderShorthand(const std::wstring& p, const std::vector<std::wstring>& parts, ComputedStyle& s)
{
    int first = 0, last = 3;
    if (p != L"border")
        first = last = std::max(0, SideIndex(p.substr(7)));
    float width = 3;
    BorderStyle style = BorderStyle::None;
    COLORREF color = s.color;
    for (const std::wstring& t : parts) {
        bool ok;
        BorderStyle bs = ParseBorderStyle(t, ok);
        float w;
        COLORREF c;
        if (ok)
            style = bs;
        else if (ParseBorderWidth(t, s.fontSize, w))
            width = w;
        else if (ParseColor(t, c))
            color = c;
    }
    for (int i = first; i <= last; ++i) {
        s.borderStyle[i] = style;
        s.borderWidth[i] = width;
        s.borderColor[i] = color;
    }
}

// Border properties: the shorthands, the four-sided width, style and colour, and the one-sided
// `border-<side>-<width|style|color>`.
bool ApplyBorderProperty(const std::wstring& p, const std::wstring& v, const std::vector<std::wstring>& parts,
                         ComputedStyle& s)
{
    if (p.compare(0, 6, L"border") != 0)
        return false;
    if (p == L"border" || p == L"border-top" || p == L"border-right" || p == L"border-bottom" || p == L"border-left") {
        ApplyBorderShorthand(p, parts, s);
    } else if (p == L"border-width") {
        ApplyFourSides(parts, s.borderWidth,
                       [&](const std::wstring& t, float& w) { return ParseBorderWidth(t, s.fontSize, w); });
    } else if (p == L"border-style") {
        ApplyFourSides(parts, s.borderStyle, [&](const std::wstring& t, BorderStyle& b) {
            bool ok;
            b = ParseBorderStyle(t, ok);
            return ok;
        });
    } else if (p == L"border-color") {
        ApplyFourSides(parts, s.borderColor, [&](const std::wstring& t, COLORREF& c) { return ParseColor(t, c); });
    } else if (p.compare(0, 7, L"border-") == 0 && p.size() > 13) {
        size_t dash = p.find(L'-', 7);
        int idx = SideIndex(p.substr(7, dash == std::wstring::npos ? std::wstring::npos : dash - 7));
        std::wstring what = dash == std::wstring::npos ? L"" : p.substr(dash + 1);
        if (idx >= 0) {
            bool ok;
            if (what == L"width")
                ParseBorderWidth(v, s.fontSize, s.borderWidth[idx]);
            else if (what == L"style") {
                BorderStyle b = ParseBorderStyle(v, ok);
                if (ok)
                    s.borderStyle[idx] = b;
            } else if (what == L"color")
                ParseColor(v, s.borderColor[idx]);
        }
    } else {
        return false;
    }
    return true;
}

// A length attribute: plain numbers are pixels.
std::wstring PxOrPercent(std::wstring v)
{
    v = Trim(v);
    if (!v.empty() && v.back() != L'%' && v.find_first_not_of(L"0123456789.") == std::wstring::npos)
        v += L"px";
    return v;
}

// `align`: floats and centring for images, tables and rules, text alignment elsewhere.
void AlignHints(PresentationalHints& h, const std::wstring& tag)
{
    if (const std::wstring* a = h.Attr(L"align")) {
        std::wstring v = Lower(Trim(*a));
        if (tag == L"img") {
            if (v == L"left" || v == L"right")
                h.Add(L"float", v);
            else if (v == L"middle" || v == L"absmiddle" || v == L"center")
                h.Add(L"vertical-align", L"middle");
            else if (v == L"top" || v == L"texttop")
                h.Add(L"vertical-align", L"top");
        } else if (tag == L"table") {
            if (v == L"center") {
                h.Add(L"margin-left", L"auto");
                h.Add(L"margin-right", L"auto");
            } else if (v == L"left" || v == L"right") {
                h.Add(L"float", v);
            }
        } else if (tag == L"hr") {
            if (v == L"left")
                h.Add(L"margin-right", L"auto");
            else if (v == L"right")
                h.Add(L"margin-left", L"auto");
        } else {
            h.Add(L"text-align", v);
        }
    }
}

// Sizes, cell alignment, image spacing, rules and list numbering.
void BoxHints(PresentationalHints& h, const std::wstring& tag)
{
    if (tag == L"table" || tag == L"td" || tag == L"th" || tag == L"img" || tag == L"hr" || tag == L"col" ||
        tag == L"div" || tag == L"tr") {
        if (const std::wstring* a = h.Attr(L"width"))
            if (tag != L"tr")
                h.Add(L"width", PxOrPercent(*a));
        if (const std::wstring* a = h.Attr(L"height"))
            if (tag != L"hr")
                h.Add(L"height", PxOrPercent(*a));
    }
    if (tag == L"td" || tag == L"th" || tag == L"tr" || tag == L"tbody" || tag == L"thead" || tag == L"tfoot") {
        if (const std::wstring* a = h.Attr(L"valign"))
            h.Add(L"vertical-align", Lower(*a) == L"center" ? L"middle" : Lower(*a));
        if (h.Attr(L"nowrap"))
            h.Add(L"white-space", L"nowrap");
    }
    if (tag == L"img") {
        if (const std::wstring* a = h.Attr(L"hspace")) {
            h.Add(L"margin-left", PxOrPercent(*a));
            h.Add(L"margin-right", PxOrPercent(*a));
        }
        if (const std::wstring* a = h.Attr(L"vspace")) {
            h.Add(L"margin-top", PxOrPercent(*a));
            h.Add(L"margin-bottom", PxOrPercent(*a));
        }
        if (const std::wstring* a = h.Attr(L"border"))
            h.Add(L"border", PxOrPercent(*a) + L" solid");
    }
    if (tag == L"hr") {
        if (const std::wstring* a = h.Attr(L"size")) {
            int n = std::max(1, std::min(_wtoi(a->c_str()), 500));
            h.Add(L"height", std::to_wstring(std::max(0, n - 2)) + L"px");
        }
        if (const std::wstring* a = h.Attr(L"color")) {
            h.Add(L"border-color", *a);
            h.Add(L"background-color", *a);
            h.Add(L"border-style", L"solid");
        }
        if (h.Attr(L"noshade"))
            h.Add(L"border-style", L"solid");
    }
    if (tag == L"ul" || tag == L"ol" || tag == L"li") {
        if (const std::wstring* a = h.Attr(L"type")) {
            const std::wstring& t = *a;
            const wchar_t* v = t == L"1"   ? L"decimal"
                               : t == L"a" ? L"lower-alpha"
                               : t == L"A" ? L"upper-alpha"
                               : t == L"i" ? L"lower-roman"
                               : t == L"I" ? L"upper-roman"
                                           : nullptr;
            std::wstring lower = Lower(t);
            if (!v)
                v = lower == L"disc"     ? L"disc"
                    : lower == L"circle" ? L"circle"
                    : lower == L"square" ? L"square"
                                         : nullptr;
            if (v)
                h.Add(L"list-style-type", v);
        }
    }
}

// Borders, spacing and padding of tables, and of cells from their table.
void TableHints(PresentationalHints& h, const std::wstring& tag, ComputedStyle& s)
{
    const Node* e = h.e;
    if (tag == L"table") {
        if (const std::wstring* a = h.Attr(L"border")) {
            int b = a->empty() ? 1 : std::max(0, std::min(_wtoi(a->c_str()), 100));
            s.tableBorder = b;
            if (b > 0)
                h.Add(L"border", std::to_wstring(b) + L"px outset #808080");
        }
        if (const std::wstring* a = h.Attr(L"cellspacing"))
            s.borderSpacing = static_cast<float>(std::max(0, std::min(_wtoi(a->c_str()), 1000)));
        if (const std::wstring* a = h.Attr(L"cellpadding"))
            s.cellPadding = std::max(0, std::min(_wtoi(a->c_str()), 1000));
        COLORREF c;
        if (const std::wstring* a = h.Attr(L"bordercolor"))
            if (ParseColor(*a, c, true))
                for (COLORREF& bc : s.borderColor)
                    bc = c;
    }
    if (tag == L"td" || tag == L"th") {
        // Cells take the border and padding attributes of their table.
        const Node* table = e->Parent();
        while (table && !table->Is(L"table"))
            table = table->Parent();
        if (table && table->style) {
            if (table->style->tableBorder > 0)
                h.Add(L"border", L"1px inset #808080");
            if (table->style->cellPadding >= 0)
                h.Add(L"padding", std::to_wstring(table->style->cellPadding) + L"px");
        }
    }
}

} // namespace

int Length::Resolve(int base, float zoom, int autoValue) const
{
    switch (unit) {
    case Unit::Px:
        return static_cast<int>(std::lround(value * zoom));
    case Unit::Percent:
        return static_cast<int>(std::lround(static_cast<double>(base) * value / 100.0));
    default:
        return autoValue;
    }
}

float TextSizeFactor(int level)
{
    static const float kFactors[5] = {0.7f, 0.85f, 1.0f, 1.2f, 1.5f};
    return kFactors[std::max(0, std::min(4, level))];
}

bool ParseColor(const std::wstring& textIn, COLORREF& out, bool legacyAttribute)
{
    std::wstring t = Lower(Trim(textIn));
    if (t.empty())
        return false;
    if (t[0] == L'#')
        return ParseHexColor(t.substr(1), out) ||
               (legacyAttribute && t.size() > 1 && ParseColor(t.substr(1), out, true));
    for (const NamedColor& c : kColors)
        if (t == c.name) {
            out = c.value;
            return true;
        }
    if (t.compare(0, 4, L"rgb(") == 0 || t.compare(0, 5, L"rgba(") == 0) {
        size_t open = t.find(L'(');
        size_t close = t.find(L')', open);
        std::wstring inner = t.substr(open + 1, close == std::wstring::npos ? std::wstring::npos : close - open - 1);
        int ch[3] = {0, 0, 0};
        size_t pos = 0;
        for (int i = 0; i < 3; ++i) {
            size_t comma = inner.find(L',', pos);
            std::wstring part = Trim(inner.substr(pos, comma == std::wstring::npos ? std::wstring::npos : comma - pos));
            if (part.empty())
                return false;
            double v = wcstod(part.c_str(), nullptr);
            if (part.back() == L'%')
                v = v * 255 / 100;
            ch[i] = static_cast<int>(std::max(0.0, std::min(255.0, v)));
            if (comma == std::wstring::npos && i < 2)
                return false;
            pos = comma + 1;
        }
        out = RGB(ch[0], ch[1], ch[2]);
        return true;
    }
    if (legacyAttribute && t.size() == 6)
        return ParseHexColor(t, out);
    return false;
}

namespace {

std::wstring ResolveFamilyList(const std::wstring& familyList)
{
    auto& installed = InstalledFaces();
    auto pick = [&](const wchar_t* face, const wchar_t* fallback) -> std::wstring {
        return installed.count(Lower(face)) ? face : fallback;
    };
    size_t pos = 0;
    while (pos <= familyList.size()) {
        size_t comma = familyList.find(L',', pos);
        std::wstring name =
            Lower(Unquote(familyList.substr(pos, comma == std::wstring::npos ? std::wstring::npos : comma - pos)));
        pos = comma == std::wstring::npos ? familyList.size() + 1 : comma + 1;
        if (name.empty())
            continue;
        static const wchar_t* const kSerif[] = {L"serif",
                                                L"times",
                                                L"times new roman",
                                                L"georgia",
                                                L"garamond",
                                                L"palatino",
                                                L"palatino linotype",
                                                L"book antiqua",
                                                L"cambria",
                                                L"century schoolbook",
                                                L"bookman old style",
                                                L"simsun",
                                                L"mincho",
                                                L"ms mincho",
                                                L"batang"};
        static const wchar_t* const kSans[] = {L"sans-serif",
                                               L"arial",
                                               L"helvetica",
                                               L"verdana",
                                               L"trebuchet ms",
                                               L"segoe ui",
                                               L"calibri",
                                               L"lucida sans",
                                               L"lucida grande",
                                               L"ms sans serif",
                                               L"microsoft sans serif",
                                               L"geneva",
                                               L"arial narrow",
                                               L"century gothic",
                                               L"franklin gothic medium",
                                               L"cursive",
                                               L"fantasy",
                                               L"comic sans ms",
                                               L"impact",
                                               L"simhei",
                                               L"ms gothic",
                                               L"ms pgothic",
                                               L"gulim",
                                               L"microsoft yahei",
                                               L"system-ui"};
        static const wchar_t* const kMono[] = {L"monospace",   L"courier",        L"courier new",
                                               L"consolas",    L"lucida console", L"monaco",
                                               L"andale mono", L"fixedsys",       L"terminal"};
        for (const wchar_t* n : kMono)
            if (name == n)
                return pick(L"DejaVu Sans Mono", L"Courier New");
        if (installed.count(name) && name != L"serif" && name != L"sans-serif" && name != L"monospace") {
            // Use the installed face with its own capitalisation.
            std::wstring original = Unquote(familyList.substr(0, 0));
            size_t p2 = 0;
            while (p2 <= familyList.size()) {
                size_t c2 = familyList.find(L',', p2);
                std::wstring n2 =
                    Unquote(familyList.substr(p2, c2 == std::wstring::npos ? std::wstring::npos : c2 - p2));
                if (Lower(n2) == name)
                    return n2;
                p2 = c2 == std::wstring::npos ? familyList.size() + 1 : c2 + 1;
            }
            return name;
        }
        for (const wchar_t* n : kSerif)
            if (name == n)
                return pick(L"DejaVu Serif", L"Times New Roman");
        for (const wchar_t* n : kSans)
            if (name == n)
                return pick(L"DejaVu Sans", L"Tahoma");
    }
    return std::wstring();
}

} // namespace

// Pages repeat one family list over many elements, and a list may be long: each distinct list is
// resolved once. The cache is emptied when hostile pages fill it with endless distinct lists.
std::wstring ResolveFontFamily(const std::wstring& familyList)
{
    static std::mutex lock;
    static std::unordered_map<std::wstring, std::wstring> resolved;
    static size_t cachedChars = 0;
    const size_t kMaxCachedChars = 4u << 20;
    std::lock_guard<std::mutex> hold(lock);
    auto it = resolved.find(familyList);
    if (it != resolved.end())
        return it->second;
    if (cachedChars + familyList.size() > kMaxCachedChars) {
        resolved.clear();
        cachedChars = 0;
    }
    std::wstring face = ResolveFamilyList(familyList);
    cachedChars += familyList.size() + face.size();
    resolved.emplace(familyList, face);
    return face;
}

void StyleResolver::RuleIndex::Add(const CssRule* rule)
{
    RuleRef ref{rule, nextOrder++};
    const CssCompound& last = rule->selector.compounds.back();
    if (!last.id.empty())
        byId[last.id].push_back(ref);
    else if (!last.classes.empty())
        byClass[last.classes.front()].push_back(ref);
    else if (!last.tag.empty())
        byTag[last.tag].push_back(ref);
    else
        universal.push_back(ref);
}

void StyleResolver::RuleIndex::Collect(const Node* e, std::vector<RuleRef>& out) const
{
    auto add = [&](const std::vector<RuleRef>& list) {
        for (const RuleRef& r : list)
            if (r.rule->selector.Matches(e))
                out.push_back(r);
    };
    auto t = byTag.find(e->Tag());
    if (t != byTag.end())
        add(t->second);
    if (!byId.empty()) {
        const std::wstring* id = e->FindAttribute(L"id");
        if (id) {
            auto i = byId.find(*id);
            if (i != byId.end())
                add(i->second);
        }
    }
    if (!byClass.empty()) {
        const std::wstring* cls = e->FindAttribute(L"class");
        if (cls) {
            std::set<std::wstring> seen;
            size_t i = 0;
            while (i < cls->size()) {
                while (i < cls->size() && iswspace((*cls)[i]))
                    ++i;
                size_t start = i;
                while (i < cls->size() && !iswspace((*cls)[i]))
                    ++i;
                if (i > start) {
                    std::wstring name = cls->substr(start, i - start);
                    if (seen.insert(name).second) {
                        auto c = byClass.find(name);
                        if (c != byClass.end())
                            add(c->second);
                    }
                }
            }
        }
    }
    add(universal);
}

StyleResolver::StyleResolver(int textSizeLevel) : m_level(std::max(0, std::min(4, textSizeLevel)))
{
    static const std::shared_ptr<const StyleSheet> defaults = [] {
        auto sheet = std::make_shared<StyleSheet>();
        sheet->Parse(kDefaultSheet);
        return sheet;
    }();
    m_sheets.push_back(defaults);
    for (const CssRule& r : defaults->Rules())
        m_defaultIndex.Add(&r);
}

void StyleResolver::AddAuthorSheet(std::shared_ptr<const StyleSheet> sheet)
{
    if (!sheet)
        return;
    m_sheets.push_back(sheet);
    for (const CssRule& r : sheet->Rules()) {
        m_authorIndex.Add(&r);
        for (wchar_t combinator : r.selector.combinators)
            m_hasAdjacentRules = m_hasAdjacentRules || combinator == L'+';
    }
}

const ComputedStyle* StyleResolver::NewStyle(const ComputedStyle& s)
{
    m_styles.push_back(s);
    return &m_styles.back();
}

void StyleResolver::ComputeAll(Node* root)
{
    m_styles.clear();
    m_shared.clear();
    m_hasLinkColor = false;
    for (size_t i = 0; i < root->ChildCount(); ++i) {
        Node* c = root->Child(i);
        if (c->Is(L"body") && ParseColor(c->GetAttribute(L"link"), m_linkColor, true))
            m_hasLinkColor = true;
    }
    ComputedStyle initial;
    initial.fontSize = 16 * TextSizeFactor(m_level);
    initial.fontFace = ResolveFontFamily(L"serif");
    const ComputedStyle* rootParent = NewStyle(initial);
    ComputeElement(root, rootParent);
    ComputeSubtree(root);
}

void StyleResolver::ComputeSubtree(Node* subtreeRoot)
{
    // Iterative pre-order walk: parents are computed before their children.
    m_shared.clear();
    if (!subtreeRoot->style) {
        Node* p = subtreeRoot->Parent();
        ComputeElement(subtreeRoot, p && p->style ? p->style : nullptr);
    }
    for (Node* n = subtreeRoot->NextInOrder(subtreeRoot); n;) {
        if (n->IsElement()) {
            const ComputedStyle* ps = n->Parent()->style;
            if (ps && ps->display == Display::None) {
                n->style = ps;
                // Everything below a hidden element shares its style.
            } else if (const ComputedStyle* shared = SharedStyle(n, ps)) {
                n->style = shared;
            } else {
                ComputeElement(n, ps);
                RememberShared(n, ps);
            }
        }
        n = n->NextInOrder(subtreeRoot);
    }
}

// Elements without attributes of one tag whose parents have one style get one style: no rule can
// tell them apart unless it looks at siblings. By the same argument their parents' ancestors are
// alike, so long runs of plain paragraphs, list items, cells and whole repeated subtrees share.
const ComputedStyle* StyleResolver::SharedStyle(const Node* e, const ComputedStyle* parent) const
{
    if (m_hasAdjacentRules || !e->Attributes().empty())
        return nullptr;
    auto it = m_shared.find(std::make_pair(parent, e->Tag()));
    return it == m_shared.end() ? nullptr : it->second;
}

void StyleResolver::RememberShared(const Node* e, const ComputedStyle* parent)
{
    if (!m_hasAdjacentRules && e->Attributes().empty())
        m_shared.emplace(std::make_pair(parent, e->Tag()), e->style);
}

void StyleResolver::ComputeElement(Node* e, const ComputedStyle* parentIn)
{
    ComputedStyle fallback;
    if (!parentIn) {
        fallback.fontSize = 16 * TextSizeFactor(m_level);
        fallback.fontFace = ResolveFontFamily(L"serif");
    }
    const ComputedStyle& parent = parentIn ? *parentIn : fallback;
    ComputedStyle s;
    // Inherited properties.
    s.color = parent.color;
    s.fontFace = parent.fontFace;
    s.fontSize = parent.fontSize;
    s.fontWeight = parent.fontWeight;
    s.italic = parent.italic;
    s.decoration = parent.decoration;
    s.textAlign = parent.textAlign;
    s.textIndent = parent.textIndent;
    s.whiteSpace = parent.whiteSpace;
    s.lineHeight = parent.lineHeight;
    s.lineHeightIsFactor = parent.lineHeightIsFactor;
    s.listStyle = parent.listStyle;
    s.hidden = parent.hidden;
    s.borderCollapse = parent.borderCollapse;
    s.borderSpacing = parent.borderSpacing;
    s.background = parent.background; // kept for painting defaults; hasBackground decides
    s.hasBackground = false;
    s.display = Display::Inline;

    std::vector<const CssDeclaration*> decls;
    std::vector<const CssDeclaration*> important;
    auto collect = [&](const RuleIndex& index) {
        m_scratch.clear();
        index.Collect(e, m_scratch);
        std::sort(m_scratch.begin(), m_scratch.end(), [](const RuleRef& a, const RuleRef& b) {
            if (a.rule->selector.specificity != b.rule->selector.specificity)
                return a.rule->selector.specificity < b.rule->selector.specificity;
            return a.order < b.order;
        });
        for (const RuleRef& r : m_scratch)
            for (const CssDeclaration& d : *r.rule->declarations)
                (d.important ? important : decls).push_back(&d);
    };
    collect(m_defaultIndex);
    ApplyDeclarations(decls, s, parent);
    decls.clear();
    ApplyPresentational(e, s, parent);
    collect(m_authorIndex);
    std::vector<CssDeclaration> inlineDecls;
    if (const std::wstring* st = e->FindAttribute(L"style")) {
        inlineDecls = ParseDeclarations(*st);
        for (const CssDeclaration& d : inlineDecls)
            (d.important ? important : decls).push_back(&d);
    }
    decls.insert(decls.end(), important.begin(), important.end());
    ApplyDeclarations(decls, s, parent);

    // Floats and tables are block-level.
    if (s.floatSide != FloatSide::None && s.display == Display::Inline && !e->Is(L"img"))
        s.display = Display::Block;
    if (e->Is(L"br") || e->Is(L"img") || e->Is(L"wbr"))
        if (s.display != Display::None)
            s.display = Display::Inline;
    e->style = NewStyle(s);
}

void StyleResolver::ApplyDeclarations(const std::vector<const CssDeclaration*>& decls, ComputedStyle& s,
                                      const ComputedStyle& parent)
{
    // Font size first: em lengths of the other properties depend on it.
    for (const CssDeclaration* d : decls)
        if (d->property == L"font-size" || d->property == L"font")
            ApplyOne(*d, s, parent);
    for (const CssDeclaration* d : decls)
        if (d->property != L"font-size")
            ApplyOne(*d, s, parent);
}

// Properties are grouped by the grammar of their values: keywords, lengths, borders, colours and
// images, and fonts. Each group answers whether the property was one of its own.
void StyleResolver::ApplyOne(const CssDeclaration& d, ComputedStyle& s, const ComputedStyle& parent)
{
    const std::wstring& p = d.property;
    if (p == L"font-family") {
        // Resolved from the value as written: a long list is neither lowered nor split per element.
        std::wstring face = ResolveFontFamily(d.value);
        if (!face.empty())
            s.fontFace = face;
        return;
    }
    std::wstring loweredHere;
    const std::wstring& v = d.prepared ? d.lowered : (loweredHere = Lower(d.value));
    if (v == L"inherit") {
        ApplyInherited(p, s, parent);
        return;
    }
    std::vector<std::wstring> partsHere;
    const std::vector<std::wstring>& parts = d.prepared ? d.parts : (partsHere = SplitValue(v));
    if (ApplyKeywordProperty(p, v, parts, s, parent) || ApplyLengthProperty(p, v, parts, s) ||
        ApplyBorderProperty(p, v, parts, s) || ApplyColourProperty(d, v, parts, s))
        return;
    ApplyFontProperty(p, v, parts, s, parent);
}

// The url() of a background value, resolved against the page.
std::wstring StyleResolver::BackgroundUrl(const std::wstring& written) const
{
    std::wstring raw = written.substr(written.find(L'(') + 1);
    raw = Unquote(raw.substr(0, raw.find(L')')));
    return resolveUrl(raw, resolveContext);
}

// Properties whose values are colours and images: `color` and the backgrounds.
bool StyleResolver::ApplyColourProperty(const CssDeclaration& d, const std::wstring& v,
                                        const std::vector<std::wstring>& parts, ComputedStyle& s)
{
    const std::wstring& p = d.property;
    if (p == L"color") {
        ParseColor(v, s.color);
    } else if (p == L"background-color" || p == L"background") {
        for (const std::wstring& part : parts) {
            COLORREF c;
            if (part == L"transparent" || part == L"none") {
                if (p == L"background-color" || part == L"transparent")
                    s.hasBackground = false;
            } else if (ParseColor(part, c)) {
                s.background = c;
                s.hasBackground = true;
            } else if (p == L"background" && part.compare(0, 4, L"url(") == 0 && resolveUrl) {
                s.backgroundImage = BackgroundUrl(d.value);
            }
        }
    } else if (p == L"background-image") {
        if (v.compare(0, 4, L"url(") == 0 && resolveUrl)
            s.backgroundImage = BackgroundUrl(d.value);
        else if (v == L"none")
            s.backgroundImage.clear();
    } else {
        return false;
    }
    return true;
}

// Font sizes, weights and the `font` shorthand (families are resolved in ApplyOne).
void StyleResolver::ApplyFontProperty(const std::wstring& p, const std::wstring& v,
                                      const std::vector<std::wstring>& parts, ComputedStyle& s,
                                      const ComputedStyle& parent)
{
    if (p == L"font-size") {
        float factor = TextSizeFactor(m_level);
        float k = KeywordFontSize(v);
        Length l;
        if (k > 0)
            s.fontSize = k * factor;
        else if (v == L"smaller")
            s.fontSize = parent.fontSize / 1.2f;
        else if (v == L"larger")
            s.fontSize = parent.fontSize * 1.2f;
        else if (ParseLength(v, parent.fontSize, l, false, factor)) {
            if (l.unit == Length::Unit::Percent)
                s.fontSize = parent.fontSize * l.value / 100;
            else if (l.unit == Length::Unit::Px)
                s.fontSize = l.value;
        }
        s.fontSize = std::max(1.0f, std::min(s.fontSize, 2000.0f));
    } else if (p == L"font-weight") {
        if (v == L"bold" || v == L"bolder")
            s.fontWeight = 700;
        else if (v == L"normal" || v == L"lighter")
            s.fontWeight = 400;
        else {
            int w = _wtoi(v.c_str());
            if (w >= 100 && w <= 900)
                s.fontWeight = w;
        }
    } else if (p == L"font") {
        ApplyFontShorthand(parts, s, parent);
    }
}

// [style] [variant] [weight] size[/line-height] family
void StyleResolver::ApplyFontShorthand(const std::vector<std::wstring>& parts, ComputedStyle& s,
                                       const ComputedStyle& parent)
{
    size_t i = 0;
    for (; i < parts.size(); ++i) {
        const std::wstring& t = parts[i];
        if (t == L"italic" || t == L"oblique")
            s.italic = true;
        else if (t == L"bold" || t == L"bolder")
            s.fontWeight = 700;
        else if (t == L"normal" || t == L"small-caps" || t == L"lighter") {
        } else if (_wtoi(t.c_str()) >= 100 && t.find_first_not_of(L"0123456789") == std::wstring::npos)
            s.fontWeight = _wtoi(t.c_str());
        else
            break;
    }
    if (i >= parts.size())
        return;
    std::wstring size = parts[i];
    std::wstring lh;
    size_t slash = size.find(L'/');
    if (slash != std::wstring::npos) {
        lh = size.substr(slash + 1);
        size = size.substr(0, slash);
    }
    ApplyOne({L"font-size", size, false}, s, parent);
    if (!lh.empty())
        ApplyOne({L"line-height", lh, false}, s, parent);
    if (i + 1 < parts.size()) {
        std::wstring rest;
        for (size_t k = i + 1; k < parts.size(); ++k)
            rest += (k > i + 1 ? L" " : L"") + parts[k];
        ApplyOne({L"font-family", rest, false}, s, parent);
    }
}

// Colours, backgrounds, body margins and font attributes, which set the style directly (body
// margins become hints).
void StyleResolver::ApplyColourAndFontAttributes(PresentationalHints& h, const std::wstring& tag, ComputedStyle& s)
{
    const Node* e = h.e;
    if (const std::wstring* a = h.Attr(L"bgcolor")) {
        COLORREF c;
        if (ParseColor(*a, c, true)) {
            s.background = c;
            s.hasBackground = true;
        }
    }
    if (const std::wstring* a = h.Attr(L"background"))
        if (resolveUrl && (tag == L"body" || tag == L"table" || tag == L"td" || tag == L"th"))
            s.backgroundImage = resolveUrl(*a, resolveContext);
    if (tag == L"body") {
        COLORREF c;
        if (const std::wstring* a = h.Attr(L"text"))
            if (ParseColor(*a, c, true))
                s.color = c;
        for (const wchar_t* m : {L"leftmargin", L"marginwidth"})
            if (const std::wstring* a = h.Attr(m)) {
                h.Add(L"margin-left", PxOrPercent(*a));
                h.Add(L"margin-right", PxOrPercent(*a));
            }
        for (const wchar_t* m : {L"topmargin", L"marginheight"})
            if (const std::wstring* a = h.Attr(m)) {
                h.Add(L"margin-top", PxOrPercent(*a));
                h.Add(L"margin-bottom", PxOrPercent(*a));
            }
    }
    if (tag == L"a" && m_hasLinkColor && e->HasAttribute(L"href"))
        s.color = m_linkColor;
    if (tag == L"font") {
        COLORREF c;
        if (const std::wstring* a = h.Attr(L"color"))
            if (ParseColor(*a, c, true))
                s.color = c;
        if (const std::wstring* a = h.Attr(L"face")) {
            std::wstring face = ResolveFontFamily(*a);
            if (!face.empty())
                s.fontFace = face;
        }
        if (const std::wstring* a = h.Attr(L"size")) {
            std::wstring v = Trim(*a);
            int n = _wtoi(v.c_str());
            if (!v.empty() && (v[0] == L'+' || v[0] == L'-'))
                n = 3 + n;
            if (!v.empty()) {
                n = std::max(1, std::min(7, n));
                s.fontSize = kFontTagSizes[n] * TextSizeFactor(m_level);
            }
        }
    }
}

void StyleResolver::ApplyPresentational(Node* e, ComputedStyle& s, const ComputedStyle& parent)
{
    const std::wstring& tag = e->Tag();
    PresentationalHints h{e, {}};
    AlignHints(h, tag);
    ApplyColourAndFontAttributes(h, tag, s);
    BoxHints(h, tag);
    TableHints(h, tag, s);
    std::vector<const CssDeclaration*> ptrs;
    for (const CssDeclaration& d : h.list)
        ptrs.push_back(&d);
    ApplyDeclarations(ptrs, s, parent);
}

} // namespace fxb
