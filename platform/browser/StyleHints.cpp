// Presentational attributes (align, width, bgcolor, border, cellpadding, font ...) turned into
// declarations that apply before the author's rules, or set on the style directly.
#include "platform/browser/Style.h"
#include "platform/browser/Dom.h"
#include "platform/browser/StyleValues.h"
#include "platform/browser/TextUtil.h"
#include <algorithm>
#include <cwctype>

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

const float kFontTagSizes[8] = {0, 10, 13, 16, 18, 24, 32, 48};

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
