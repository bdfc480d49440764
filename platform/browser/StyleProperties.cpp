// Applying one CSS declaration to a computed style. Properties are grouped by the grammar of
// their values: keywords, lengths, borders, colours and images, and fonts.
#include "platform/browser/Style.h"
#include "platform/browser/Dom.h"
#include "platform/browser/StyleValues.h"
#include "platform/browser/TextUtil.h"
#include <algorithm>
#include <cmath>
#include <cwctype>

namespace fxb {

namespace {

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

} // namespace

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

} // namespace fxb
