#include "platform/browser/Layout.h"
#include "platform/browser/Document.h"
#include "platform/browser/Fonts.h"
#include "platform/browser/ImageLoader.h"
#include "platform/browser/Url.h"
#include <algorithm>
#include <climits>
#include <cmath>

namespace fxb {

namespace {

constexpr int kMaxCoordinate = 50000000;   // no page grows beyond this, whatever it asks for
constexpr int kMaxColumns = 1000;

bool IsCjk(wchar_t c)
{
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x3000 && c <= 0x303F);
}

int Clamp(long long v)
{
    return static_cast<int>(std::max<long long>(-kMaxCoordinate, std::min<long long>(kMaxCoordinate, v)));
}

Font* FontFor(const ComputedStyle& s, float zoom)
{
    return FontCache::Instance().Get(s.fontFace, static_cast<int>(std::lround(s.fontSize * zoom)), s.fontWeight, s.italic);
}

const ComputedStyle* StyleOfText(const Node* text)
{
    return text->Parent() ? text->Parent()->style : nullptr;
}

int LineHeightOf(const ComputedStyle& s, Font* font, float zoom)
{
    if (s.lineHeight <= 0)
        return font->LineHeight();
    if (s.lineHeightIsFactor)
        return static_cast<int>(std::lround(s.lineHeight * s.fontSize * zoom));
    return static_cast<int>(std::lround(s.lineHeight * zoom));
}

// End of the piece of text that starts at i: a word with its trailing spaces, one ideograph, or
// (without wrapping) everything up to the next preserved newline.
size_t PieceEnd(const wchar_t* p, size_t n, size_t i, bool wraps)
{
    size_t j = i;
    if (!wraps) {
        while (j < n && p[j] != L'\n' && j - i < 4096)
            ++j;
        return j;
    }
    // Runs longer than any word are cut into pieces, so that no text makes breaking quadratic.
    const size_t kLongestPiece = 256;
    if (IsCjk(p[j])) {
        ++j;
    } else {
        while (j < n && j - i < kLongestPiece && p[j] != L' ' && p[j] != L'\n' && p[j] != L'\t' && !IsCjk(p[j])) {
            ++j;
            if (p[j - 1] == L'-' && j < n && p[j] != L' ' && j - i > 1)
                break;   // a hyphen is a break opportunity
        }
    }
    while (j < n && (p[j] == L' ' || (p[j] == L'\t')))
        ++j;
    return j == i ? i + 1 : j;
}

struct FloatRect {
    int left, top, right, bottom;
};

// The floats on one side of a formatting context. Queries come at growing y positions, so once
// there are many, floats that end above a query are retired and only their lowest bottom is kept.
struct SideFloats {
    std::vector<FloatRect> floats;
    int retiredBottom = INT_MIN;

    void Retire(int y)
    {
        if (floats.size() < 16)
            return;
        size_t kept = 0;
        for (const FloatRect& f : floats) {
            if (f.bottom <= y)
                retiredBottom = std::max(retiredBottom, f.bottom);
            else
                floats[kept++] = f;
        }
        floats.resize(kept);
    }
    // `x` narrowed by `pick` with every float that overlaps the band from y, h high (at least 1).
    template <class Pick>
    int Narrow(int y, int h, int x, Pick pick) const
    {
        for (const FloatRect& f : floats)
            if (f.top < y + std::max(h, 1) && f.bottom > y)
                x = pick(x, f);
        return x;
    }
    // The lowest bottom of all floats of the side, retired ones too, and at least y.
    int LowestBottom(int y) const
    {
        y = std::max(y, retiredBottom);
        for (const FloatRect& f : floats)
            y = std::max(y, f.bottom);
        return y;
    }
    // The nearest bottom below y, or INT_MAX.
    int NextBottom(int y) const
    {
        int next = INT_MAX;
        for (const FloatRect& f : floats)
            if (f.bottom > y)
                next = std::min(next, f.bottom);
        return next;
    }
};

// Floats of one formatting context.
struct FloatContext {
    SideFloats lefts, rights;

    void Retire(int y)
    {
        lefts.Retire(y);
        rights.Retire(y);
    }
    int LeftEdge(int y, int h, int base)
    {
        Retire(y);
        return lefts.Narrow(y, h, base, [](int x, const FloatRect& f) { return std::max(x, f.right); });
    }
    int RightEdge(int y, int h, int base)
    {
        Retire(y);
        return rights.Narrow(y, h, base, [](int x, const FloatRect& f) { return std::min(x, f.left); });
    }
    int ClearY(int side, int y) const
    {
        if (side & 1)
            y = lefts.LowestBottom(y);
        if (side & 2)
            y = rights.LowestBottom(y);
        return y;
    }
    int Bottom(int fallback) const { return ClearY(3, fallback); }
    int NextBottom(int y) const { return std::min(lefts.NextBottom(y), rights.NextBottom(y)); }
};

Node* LinkOf(Node* n, const Node* stop)
{
    for (Node* p = n; p && p != stop; p = p->Parent())
        if (p->Is(L"a") && p->HasAttribute(L"href"))
            return p;
    return nullptr;
}

// Inline elements whose padding, border or margins take room on the line.
bool HasInlineBox(const ComputedStyle& s)
{
    for (int side = 0; side < 4; ++side)
        if (s.HasBorder(side))
            return true;
    auto px = [](const Length& l) { return l.unit == Length::Unit::Px && l.value != 0; };
    return px(s.padding[1]) || px(s.padding[3]) || px(s.margin[1]) || px(s.margin[3]);
}

std::wstring RomanNumeral(int n)
{
    if (n <= 0 || n >= 4000)
        return std::to_wstring(n);
    static const int kValues[] = {1000, 900, 500, 400, 100, 90, 50, 40, 10, 9, 5, 4, 1};
    static const wchar_t* const kSymbols[] = {L"m", L"cm", L"d", L"cd", L"c", L"xc", L"l", L"xl", L"x", L"ix", L"v", L"iv", L"i"};
    std::wstring out;
    for (int i = 0; i < 13; ++i)
        while (n >= kValues[i]) {
            out += kSymbols[i];
            n -= kValues[i];
        }
    return out;
}

std::wstring MarkerText(ListStyle style, int n)
{
    std::wstring t;
    switch (style) {
    case ListStyle::Decimal: t = std::to_wstring(n); break;
    case ListStyle::LowerAlpha:
    case ListStyle::UpperAlpha: {
        int v = n;
        while (v > 0) {
            --v;
            t.insert(t.begin(), static_cast<wchar_t>((style == ListStyle::LowerAlpha ? L'a' : L'A') + v % 26));
            v /= 26;
        }
        if (t.empty())
            t = std::to_wstring(n);
        break;
    }
    case ListStyle::LowerRoman: t = RomanNumeral(n); break;
    case ListStyle::UpperRoman:
        t = RomanNumeral(n);
        for (wchar_t& c : t)
            c = static_cast<wchar_t>(towupper(c));
        break;
    default: return std::wstring();
    }
    return t + L".";
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Builder: the box tree from the document tree.

class LayoutTree::Builder {
public:
    explicit Builder(Document& doc) : m_doc(doc) {}

    std::unique_ptr<LayoutBox> BuildBlock(Node* e, int ordinal)
    {
        auto box = std::make_unique<LayoutBox>();
        box->node = e;
        box->style = e->style;
        const ComputedStyle& s = *e->style;
        if (s.display == Display::Table) {
            box->kind = LayoutBox::Kind::Table;
            BuildTable(box.get(), e);
            return box;
        }
        if (e->Is(L"hr")) {
            box->kind = LayoutBox::Kind::Rule;
            return box;
        }
        if (s.display == Display::ListItem && s.listStyle != ListStyle::None) {
            box->hasMarker = true;
            box->marker = MarkerText(s.listStyle, ordinal);
        }
        CollectChildren(box.get(), e);
        return box;
    }

private:
    void BuildTable(LayoutBox* table, Node* e)
    {
        for (size_t i = 0; i < e->ChildCount(); ++i) {
            Node* c = e->Child(i);
            if (!c->IsElement() || !c->style || c->style->display == Display::None)
                continue;
            Display d = c->style->display;
            if (d == Display::TableCaption) {
                auto cap = std::make_unique<LayoutBox>();
                cap->node = c;
                cap->style = c->style;
                CollectChildren(cap.get(), c);
                table->children.insert(table->children.begin(), std::move(cap));
            } else if (d == Display::TableRowGroup) {
                for (size_t k = 0; k < c->ChildCount(); ++k) {
                    Node* r = c->Child(k);
                    if (r->IsElement() && r->style && r->style->display == Display::TableRow)
                        table->children.push_back(BuildRow(r));
                }
            } else if (d == Display::TableRow) {
                table->children.push_back(BuildRow(c));
            }
        }
    }

    std::unique_ptr<LayoutBox> BuildRow(Node* tr)
    {
        auto row = std::make_unique<LayoutBox>();
        row->kind = LayoutBox::Kind::Row;
        row->node = tr;
        row->style = tr->style;
        for (size_t i = 0; i < tr->ChildCount(); ++i) {
            Node* c = tr->Child(i);
            if (!c->IsElement() || !c->style || c->style->display != Display::TableCell)
                continue;
            auto cell = std::make_unique<LayoutBox>();
            cell->kind = LayoutBox::Kind::Cell;
            cell->node = c;
            cell->style = c->style;
            cell->colspan = std::max(1, std::min(_wtoi(c->GetAttribute(L"colspan").c_str()), kMaxColumns));
            cell->rowspan = std::max(1, std::min(_wtoi(c->GetAttribute(L"rowspan").c_str()), 1000));
            CollectChildren(cell.get(), c);
            row->children.push_back(std::move(cell));
        }
        return row;
    }

    bool IsBlankText(const LayoutBox::InlineItem& item)
    {
        const std::wstring& s = m_doc.Stream();
        Node* t = item.node;
        for (size_t i = t->streamStart; i < t->streamStart + t->streamLength && i < s.size(); ++i)
            if (s[i] != L' ' && s[i] != L'\n')
                return false;
        return true;
    }

    void CollectChildren(LayoutBox* box, Node* e)
    {
        std::vector<LayoutBox::InlineItem> pending;
        std::vector<std::unique_ptr<LayoutBox>> blocks;
        int ordinal = 1;
        bool reversed = false;
        if (e->Is(L"ol")) {
            const std::wstring* start = e->FindAttribute(L"start");
            if (start)
                ordinal = _wtoi(start->c_str());
            reversed = false;
        }
        auto flush = [&]() {
            if (pending.empty())
                return;
            bool blank = true;
            for (const auto& it : pending)
                if (it.kind != LayoutBox::InlineItem::Kind::Text || !IsBlankText(it))
                    blank = false;
            if (!blank) {
                auto anon = std::make_unique<LayoutBox>();
                anon->style = box->style;
                anon->items = std::move(pending);
                blocks.push_back(std::move(anon));
            }
            pending.clear();
        };
        // Walk the children; inline elements are transparent, block descendants break the flow.
        struct Frame { Node* node; size_t next; bool boxed; };
        std::vector<Frame> stack{{e, 0, false}};
        while (!stack.empty()) {
            Frame& f = stack.back();
            if (f.next >= f.node->ChildCount()) {
                if (f.boxed)
                    pending.push_back({LayoutBox::InlineItem::Kind::Close, f.node});
                stack.pop_back();
                continue;
            }
            Node* c = f.node->Child(f.next++);
            if (c->IsText()) {
                if (c->streamLength)
                    pending.push_back({LayoutBox::InlineItem::Kind::Text, c});
                continue;
            }
            const ComputedStyle* s = c->style;
            if (!s || s->display == Display::None)
                continue;
            if (c->Is(L"br")) {
                pending.push_back({LayoutBox::InlineItem::Kind::Break, c});
                continue;
            }
            if (c->Is(L"img")) {
                pending.push_back({s->floatSide != FloatSide::None ? LayoutBox::InlineItem::Kind::FloatImage
                                                                   : LayoutBox::InlineItem::Kind::Image, c});
                continue;
            }
            if (s->IsBlockLevel()) {
                flush();
                if (s->display == Display::ListItem) {
                    if (const std::wstring* v = c->FindAttribute(L"value"))
                        ordinal = _wtoi(v->c_str());
                    ordinal = std::max(-1000000000, std::min(ordinal, 1000000000));
                    blocks.push_back(BuildBlock(c, ordinal));
                    ordinal += reversed ? -1 : 1;
                } else if (s->display == Display::TableRow || s->display == Display::TableCell ||
                           s->display == Display::TableRowGroup || s->display == Display::TableCaption) {
                    // Table parts outside a table behave as plain blocks.
                    auto b = std::make_unique<LayoutBox>();
                    b->node = c;
                    b->style = c->style;
                    CollectChildren(b.get(), c);
                    blocks.push_back(std::move(b));
                } else {
                    blocks.push_back(BuildBlock(c, 0));
                }
                continue;
            }
            if (c->HasAttribute(L"id") || c->HasAttribute(L"name"))
                pending.push_back({LayoutBox::InlineItem::Kind::Anchor, c});
            bool boxed = HasInlineBox(*s);
            if (boxed)
                pending.push_back({LayoutBox::InlineItem::Kind::Open, c});
            stack.push_back({c, 0, boxed});
        }
        if (blocks.empty()) {
            box->items = std::move(pending);
        } else {
            flush();
            box->children = std::move(blocks);
        }
    }

    Document& m_doc;
};

// ---------------------------------------------------------------------------------------------
// Engine: positions and sizes.

class LayoutTree::Engine {
public:
    Engine(Document& doc, float zoom) : m_doc(doc), m_stream(doc.Stream()), m_zoom(zoom) {}

    int maxRight = 0;

    void ResolveEdges(LayoutBox* b, int avail)
    {
        const ComputedStyle& s = *b->style;
        bool anonymous = b->node == nullptr;
        if (anonymous || b->kind == LayoutBox::Kind::Row) {
            b->margin = Edges();
            b->border = Edges();
            b->padding = Edges();
            return;
        }
        int* m[4] = {&b->margin.top, &b->margin.right, &b->margin.bottom, &b->margin.left};
        int* p[4] = {&b->padding.top, &b->padding.right, &b->padding.bottom, &b->padding.left};
        int* w[4] = {&b->border.top, &b->border.right, &b->border.bottom, &b->border.left};
        for (int i = 0; i < 4; ++i) {
            *m[i] = b->kind == LayoutBox::Kind::Cell ? 0 : Clamp(s.margin[i].Resolve(avail, m_zoom, 0));
            *p[i] = std::max(0, Clamp(s.padding[i].Resolve(avail, m_zoom, 0)));
            *w[i] = s.HasBorder(i) ? std::max(1, static_cast<int>(std::lround(s.borderWidth[i] * m_zoom))) : 0;
        }
        if (b->kind == LayoutBox::Kind::Rule) {
            // A rule is its border: two pixels tall unless a size asks otherwise.
            if (!s.HasBorder(0) && !s.HasBorder(2)) {
                b->border.top = b->border.bottom = 1;
            }
        }
    }

    void LayoutBlock(LayoutBox* b, int x, int y, int avail, FloatContext& fc, int depth = 0)
    {
        const ComputedStyle& s = *b->style;
        ResolveEdges(b, avail);
        int horizontal = b->border.left + b->border.right + b->padding.left + b->padding.right;
        int contentWidth;
        bool autoWidth = s.width.IsAuto() || b->node == nullptr || b->kind == LayoutBox::Kind::Cell ||
                         b->kind == LayoutBox::Kind::Row;
        if (b->kind == LayoutBox::Kind::Table) {
            LayoutTable(b, x, y, avail, fc, depth);
            return;
        }
        if (b->kind == LayoutBox::Kind::Cell) {
            contentWidth = std::max(0, avail - horizontal);
        } else if (!autoWidth) {
            contentWidth = std::max(0, s.width.Resolve(avail, m_zoom, 0));
            int free = avail - contentWidth - horizontal;
            bool ml = s.margin[3].IsAuto(), mr = s.margin[1].IsAuto();
            if (ml && mr) {
                b->margin.left = b->margin.right = std::max(0, free / 2);
            } else if (ml) {
                b->margin.left = std::max(0, free - b->margin.right);
            }
        } else {
            contentWidth = std::max(0, avail - b->margin.left - b->margin.right - horizontal);
        }
        b->x = Clamp(static_cast<long long>(x) + b->margin.left);
        b->y = Clamp(static_cast<long long>(y) + b->margin.top);
        b->width = contentWidth + horizontal;
        int cx = b->ContentLeft(), cy = b->ContentTop();
        int contentHeight = 0;
        bool ownsFloats = b->kind == LayoutBox::Kind::Cell;
        FloatContext local;
        FloatContext& ctx = ownsFloats ? local : fc;
        if (b->kind == LayoutBox::Kind::Rule) {
            contentHeight = s.height.unit == Length::Unit::Px ? s.height.Resolve(0, m_zoom) : 0;
        } else if (!b->children.empty()) {
            contentHeight = LayoutChildren(b, cx, cy, contentWidth, ctx, depth);
        } else {
            contentHeight = LayoutInline(b, cx, cy, contentWidth, ctx);
        }
        if (ownsFloats)
            contentHeight = std::max(contentHeight, local.Bottom(cy) - cy);
        if (s.height.unit == Length::Unit::Px && b->kind != LayoutBox::Kind::Rule)
            contentHeight = std::max(contentHeight, s.height.Resolve(0, m_zoom));
        b->height = Clamp(static_cast<long long>(contentHeight) + b->border.top + b->border.bottom + b->padding.top +
                          b->padding.bottom);
        b->visualBottom = b->y + b->height;
        for (auto& c : b->children)
            b->visualBottom = std::max(b->visualBottom, c->visualBottom);
        for (const Run& r : b->runs)
            b->visualBottom = std::max(b->visualBottom, r.y + r.height);
        maxRight = std::max(maxRight, b->x + b->width);
    }

    int LayoutChildren(LayoutBox* b, int cx, int cy, int cw, FloatContext& fc, int depth)
    {
        int cursor = cy;
        int prevMargin = 0;
        bool first = true;
        const ComputedStyle& parentStyle = *b->style;
        // Margins of the first and last child join the parent's own margins when nothing
        // (border, padding) separates them; the root and table cells keep theirs apart.
        bool joinsMargins = b->node && b->node != m_doc.Root() && b->kind == LayoutBox::Kind::Block &&
                            b->style->floatSide == FloatSide::None;
        bool joinTop = joinsMargins && b->border.top == 0 && b->padding.top == 0;
        bool joinBottom = joinsMargins && b->border.bottom == 0 && b->padding.bottom == 0 && b->style->height.IsAuto();
        for (auto& child : b->children) {
            ResolveEdges(child.get(), cw);
            const ComputedStyle& cs = *child->style;
            if (cs.clear)
                cursor = std::max(cursor, fc.ClearY(cs.clear, cursor));
            int mt = child->margin.top;
            int top;
            if (first)
                top = joinTop && mt > 0 ? cursor + std::max(0, mt - std::max(0, b->margin.top)) - mt : cursor;
            else
                top = cursor - prevMargin + std::max(prevMargin, mt) - mt;
            LayoutBlock(child.get(), cx, top, cw, fc, depth + 1);
            // Centred parents centre narrower tables and rules, as browsers do.
            if ((child->kind == LayoutBox::Kind::Table || child->kind == LayoutBox::Kind::Rule) &&
                parentStyle.textAlign == TextAlign::Center && child->width < cw && child->margin.left == 0 &&
                child->margin.right == 0) {
                int dx = (cw - child->width) / 2;
                Shift(child.get(), dx, 0);
            }
            cursor = child->y + child->height + child->margin.bottom;
            prevMargin = child->margin.bottom;
            first = false;
        }
        if (joinBottom && !first && prevMargin > 0) {
            cursor -= prevMargin;
            b->margin.bottom = std::max(b->margin.bottom, prevMargin);
        }
        return std::max(0, cursor - cy);
    }

    // --- inline content ---

    struct LineState {
        int top = 0;
        int left = 0, right = 0;
        int x = 0;
        size_t firstRun = 0;
        bool hasContent = false;
        bool firstLine = true;
        std::vector<Node*> pendingFloats;
    };

    void ImageSize(Node* img, const ComputedStyle& s, int cw, const Image*& image, int& w, int& h)
    {
        image = nullptr;
        std::wstring src = img->GetAttribute(L"src");
        if (!src.empty()) {
            std::wstring path = LocalPathOf(m_doc.Resolve(src));
            if (!path.empty())
                image = m_doc.Images().Get(path);
        }
        int sw = s.width.IsAuto() ? -1 : s.width.Resolve(cw, m_zoom);
        int sh = s.height.IsAuto() || s.height.unit == Length::Unit::Percent ? -1 : s.height.Resolve(0, m_zoom);
        if (image) {
            int iw = std::max(1, static_cast<int>(std::lround(image->Width() * m_zoom)));
            int ih = std::max(1, static_cast<int>(std::lround(image->Height() * m_zoom)));
            if (sw >= 0 && sh >= 0) { w = sw; h = sh; }
            else if (sw >= 0) { w = sw; h = static_cast<int>(static_cast<long long>(ih) * sw / iw); }
            else if (sh >= 0) { h = sh; w = static_cast<int>(static_cast<long long>(iw) * sh / ih); }
            else { w = iw; h = ih; }
        } else {
            Font* f = FontFor(s, m_zoom);
            std::wstring alt = img->GetAttribute(L"alt");
            int aw = alt.empty() ? static_cast<int>(20 * m_zoom) : f->TextWidth(alt.c_str(), alt.size()) + 6;
            int ah = alt.empty() ? static_cast<int>(20 * m_zoom) : f->Height() + 4;
            w = sw >= 0 ? sw : aw;
            h = sh >= 0 ? sh : ah;
        }
        w = std::max(0, std::min(w, 100000));
        h = std::max(0, std::min(h, 100000));
    }

    // Border plus padding of an inline element on each side, in device pixels.
    Edges InlineEdges(const ComputedStyle& s, int cw) const
    {
        auto border = [&](int side) {
            return s.HasBorder(side) ? std::max(1, static_cast<int>(std::lround(s.borderWidth[side] * m_zoom))) : 0;
        };
        Edges e;
        e.top = border(0) + std::max(0, s.padding[0].Resolve(cw, m_zoom));
        e.right = border(1) + std::max(0, s.padding[1].Resolve(cw, m_zoom));
        e.bottom = border(2) + std::max(0, s.padding[2].Resolve(cw, m_zoom));
        e.left = border(3) + std::max(0, s.padding[3].Resolve(cw, m_zoom));
        return e;
    }

    int LayoutInline(LayoutBox* b, int cx, int cy, int cw, FloatContext& fc)
    {
        const ComputedStyle& bs = *b->style;
        Font* strutFont = FontFor(bs, m_zoom);
        int strutHeight = LineHeightOf(bs, strutFont, m_zoom);
        int strutAscent = strutFont->Ascent() + (strutHeight - strutFont->Height()) / 2;
        int strutDescent = strutHeight - strutAscent;
        LineState ls;
        ls.top = cy;
        int indent = bs.textIndent.Resolve(cw, m_zoom, 0);
        auto startLine = [&]() {
            ls.left = fc.LeftEdge(ls.top, strutHeight, cx);
            ls.right = std::max(ls.left, fc.RightEdge(ls.top, strutHeight, cx + cw));
            ls.x = ls.left + (ls.firstLine ? indent : 0);
            ls.firstRun = b->runs.size();
            ls.hasContent = false;
        };
        auto placeFloat = [&](Node* img, int atY) {
            const ComputedStyle& s = *img->style;
            const Image* image;
            int w, h;
            ImageSize(img, s, cw, image, w, h);
            int ml = s.margin[3].Resolve(cw, m_zoom), mr = s.margin[1].Resolve(cw, m_zoom);
            int mt = s.margin[0].Resolve(cw, m_zoom), mb = s.margin[2].Resolve(cw, m_zoom);
            int bw = s.HasBorder(0) ? static_cast<int>(s.borderWidth[0] * m_zoom) : 0;
            int boxW = w + ml + mr + 2 * bw, boxH = h + mt + mb + 2 * bw;
            int y = atY;
            // Move down until the float fits beside the floats already there.
            for (int guard = 0; guard < 64; ++guard) {
                int l = fc.LeftEdge(y, boxH, cx), r = fc.RightEdge(y, boxH, cx + cw);
                if (r - l >= boxW || (l == cx && r == cx + cw))
                    break;
                int next = fc.NextBottom(y);
                if (next == INT_MAX)
                    break;
                y = next;
            }
            int left = s.floatSide == FloatSide::Left ? fc.LeftEdge(y, boxH, cx) : fc.RightEdge(y, boxH, cx + cw) - boxW;
            FloatRect rect{left, y, left + boxW, y + boxH};
            (s.floatSide == FloatSide::Left ? fc.lefts : fc.rights).floats.push_back(rect);
            Run run;
            run.kind = image ? Run::Kind::Image : Run::Kind::AltText;
            run.node = img;
            run.style = &s;
            run.font = FontFor(s, m_zoom);
            run.image = image;
            run.link = LinkOf(img, b->node);
            run.x = left + ml + bw;
            run.y = y + mt + bw;
            run.width = w;
            run.height = h;
            run.baseline = run.y + h;
            run.lineTop = run.y;
            run.lineHeight = h;
            run.floating = true;
            b->runs.push_back(run);
            maxRight = std::max(maxRight, rect.right);
        };
        struct OpenBox {
            Node* node;
            int x;
            size_t lines;
            size_t runIndex;
        };
        std::vector<OpenBox> openBoxes;
        // `forced`: a break ended the line; `last`: the content ended (neither is justified).
        auto finishLine = [&](bool forced, bool last = false) {
            // Anchors at the end of a wrapped line belong to what follows on the next line.
            std::vector<Run> carried;
            if (!forced && !last) {
                size_t k = b->runs.size();
                while (k > ls.firstRun && b->runs[k - 1].kind == Run::Kind::Anchor)
                    --k;
                if (k > ls.firstRun && k < b->runs.size()) {
                    carried.assign(b->runs.begin() + static_cast<std::ptrdiff_t>(k), b->runs.end());
                    b->runs.resize(k);
                }
            }
            size_t end = b->runs.size();
            bool any = end > ls.firstRun;
            if (!any && !forced) {
                for (Node* f : ls.pendingFloats)
                    placeFloat(f, ls.top);
                ls.pendingFloats.clear();
                return;
            }
            int maxA = strutAscent, maxD = strutDescent;
            bool onlyAnchors = true;
            for (size_t i = ls.firstRun; i < end; ++i) {
                Run& r = b->runs[i];
                if (r.kind == Run::Kind::Anchor || r.kind == Run::Kind::InlineBox || r.floating)
                    continue;
                onlyAnchors = false;
                int a, d;
                if (r.kind == Run::Kind::Text) {
                    int lh = LineHeightOf(*r.style, r.font, m_zoom);
                    a = r.font->Ascent() + (lh - r.font->Height()) / 2;
                    d = lh - a;
                    int shift = 0;
                    if (r.style->verticalAlign == VAlign::Sub)
                        shift = static_cast<int>(r.style->fontSize * m_zoom * 0.25f);
                    else if (r.style->verticalAlign == VAlign::Super)
                        shift = -static_cast<int>(r.style->fontSize * m_zoom * 0.4f);
                    a -= shift;
                    d += shift;
                    r.baseline = shift;   // remembered until the baseline is known
                } else {
                    VAlign va = r.style->verticalAlign;
                    if (va == VAlign::Middle) {
                        a = r.height / 2 + strutFont->Ascent() / 3;
                        d = r.height - a;
                    } else if (va == VAlign::Top || va == VAlign::TextTop) {
                        a = strutAscent;
                        d = r.height - a;
                    } else {
                        a = r.height;
                        d = 0;
                    }
                    r.baseline = a;
                }
                maxA = std::max(maxA, a);
                maxD = std::max(maxD, d);
            }
            if (onlyAnchors && !forced && !ls.hasContent) {
                // anchors alone take no height
                maxA = maxD = 0;
            }
            int lineHeight = maxA + maxD;
            int baseline = ls.top + maxA;
            // Alignment: trailing spaces do not count.
            int used = 0;
            for (size_t i = ls.firstRun; i < end; ++i)
                if (!b->runs[i].floating)
                    used = std::max(used, b->runs[i].x + b->runs[i].width - ls.left);
            int trailing = 0;
            for (size_t i = end; i > ls.firstRun; --i) {
                Run& r = b->runs[i - 1];
                if (r.kind == Run::Kind::Anchor || r.kind == Run::Kind::InlineBox || r.floating)
                    continue;
                if (r.kind == Run::Kind::Text)
                    for (size_t k = r.start + r.length; k > r.start && m_stream[k - 1] == L' '; --k)
                        trailing += r.font->CharWidth(L' ');
                break;
            }
            int free = (ls.right - ls.left) - (used - trailing);
            int dx = 0;
            TextAlign align = bs.textAlign;
            if (align == TextAlign::Center)
                dx = std::max(0, free / 2);
            else if (align == TextAlign::Right)
                dx = std::max(0, free);
            else if (align == TextAlign::Justify && !forced && !last && free > 0 && bs.Wraps()) {
                int spaces = 0;
                for (size_t i = ls.firstRun; i < end; ++i) {
                    const Run& r = b->runs[i];
                    if (r.kind == Run::Kind::Text)
                        for (size_t k = r.start; k < r.start + r.length; ++k)
                            spaces += m_stream[k] == L' ';
                }
                int trailingSpaces = r_trailingSpaces(b, ls.firstRun, end);
                spaces -= trailingSpaces;
                if (spaces > 0) {
                    int extra = free / spaces;
                    int shift = 0;
                    for (size_t i = ls.firstRun; i < end; ++i) {
                        Run& r = b->runs[i];
                        if (r.floating)
                            continue;
                        r.x += shift;
                        if (r.kind == Run::Kind::Text) {
                            int n = 0;
                            for (size_t k = r.start; k < r.start + r.length; ++k)
                                n += m_stream[k] == L' ';
                            r.justify = extra;
                            r.width += n * extra;
                            shift += n * extra;
                        }
                    }
                }
            }
            for (size_t i = ls.firstRun; i < end; ++i) {
                Run& r = b->runs[i];
                if (r.floating)
                    continue;
                r.x += dx;
                r.lineTop = ls.top;
                r.lineHeight = lineHeight;
                if (r.kind == Run::Kind::Text) {
                    int shift = r.baseline;
                    r.baseline = baseline + shift;
                    r.y = r.baseline - r.font->Ascent();
                    r.height = r.font->Height();
                } else if (r.kind == Run::Kind::Anchor) {
                    r.y = ls.top;
                    r.baseline = baseline;
                    r.height = 0;
                } else if (r.kind == Run::Kind::InlineBox) {
                    Edges e = InlineEdges(*r.style, cw);
                    r.y = baseline - r.font->Ascent() - e.top;
                    r.height = r.font->Height() + e.top + e.bottom;
                    r.baseline = baseline;
                } else {
                    int a = r.baseline;
                    r.baseline = baseline;
                    r.y = baseline - a;
                }
                maxRight = std::max(maxRight, r.x + r.width);
            }
            LineBox line;
            line.top = ls.top;
            line.height = lineHeight;
            line.baseline = baseline;
            line.firstRun = ls.firstRun;
            line.runCount = end - ls.firstRun;
            b->lines.push_back(line);
            ls.top = Clamp(static_cast<long long>(ls.top) + lineHeight);
            ls.firstLine = false;
            for (Node* f : ls.pendingFloats)
                placeFloat(f, ls.top);
            ls.pendingFloats.clear();
            startLine();
            for (Run& a : carried) {
                a.x = ls.x;
                b->runs.push_back(a);
            }
            // Inline boxes opened at the very end of the line start on the new one instead.
            for (OpenBox& box : openBoxes)
                if (box.runIndex >= end && box.lines + 1 == b->lines.size()) {
                    box.lines = b->lines.size();
                    box.runIndex = b->runs.size();
                    box.x = ls.x;
                    ls.x += InlineEdges(*box.node->style, cw).left;
                }
        };

        startLine();
        for (const LayoutBox::InlineItem& item : b->items) {
            switch (item.kind) {
            case LayoutBox::InlineItem::Kind::Break:
                finishLine(true);
                break;
            case LayoutBox::InlineItem::Kind::Open: {
                const ComputedStyle& s = *item.node->style;
                Edges e = InlineEdges(s, cw);
                ls.x += s.margin[3].Resolve(cw, m_zoom);
                openBoxes.push_back({item.node, ls.x, b->lines.size(), b->runs.size()});
                ls.x += e.left;
                break;
            }
            case LayoutBox::InlineItem::Kind::Close: {
                const ComputedStyle& s = *item.node->style;
                Edges e = InlineEdges(s, cw);
                int endX = ls.x + e.right;
                for (size_t k = openBoxes.size(); k-- > 0;) {
                    if (openBoxes[k].node != item.node)
                        continue;
                    // Boxes split over lines keep only the backgrounds of their text.
                    if (openBoxes[k].lines == b->lines.size() && openBoxes[k].runIndex >= ls.firstRun &&
                        openBoxes[k].runIndex <= b->runs.size()) {
                        Run box;
                        box.kind = Run::Kind::InlineBox;
                        box.node = item.node;
                        box.style = &s;
                        box.font = FontFor(s, m_zoom);
                        box.x = openBoxes[k].x;
                        box.width = endX - openBoxes[k].x;
                        b->runs.insert(b->runs.begin() + static_cast<std::ptrdiff_t>(openBoxes[k].runIndex), box);
                    }
                    openBoxes.erase(openBoxes.begin() + static_cast<std::ptrdiff_t>(k));
                    break;
                }
                ls.x = endX + s.margin[1].Resolve(cw, m_zoom);
                break;
            }
            case LayoutBox::InlineItem::Kind::Anchor: {
                Run r;
                r.kind = Run::Kind::Anchor;
                r.node = item.node;
                r.style = item.node->style;
                r.x = ls.x;
                b->runs.push_back(r);
                break;
            }
            case LayoutBox::InlineItem::Kind::FloatImage:
                if (!ls.hasContent) {
                    placeFloat(item.node, ls.top);
                    int oldLeft = ls.left;
                    ls.left = fc.LeftEdge(ls.top, strutHeight, cx);
                    ls.right = std::max(ls.left, fc.RightEdge(ls.top, strutHeight, cx + cw));
                    ls.x += ls.left - oldLeft;
                } else {
                    ls.pendingFloats.push_back(item.node);
                }
                break;
            case LayoutBox::InlineItem::Kind::Image: {
                const ComputedStyle& s = *item.node->style;
                const Image* image;
                int w, h;
                ImageSize(item.node, s, cw, image, w, h);
                int bw = s.HasBorder(0) ? static_cast<int>(s.borderWidth[0] * m_zoom) : 0;
                int ml = s.margin[3].Resolve(cw, m_zoom), mr = s.margin[1].Resolve(cw, m_zoom);
                int total = w + 2 * bw + ml + mr;
                if (ls.hasContent && bs.Wraps() && ls.x + total > ls.right)
                    finishLine(false);
                Run r;
                r.kind = image ? Run::Kind::Image : Run::Kind::AltText;
                r.node = item.node;
                r.style = &s;
                r.font = FontFor(s, m_zoom);
                r.image = image;
                r.link = LinkOf(item.node, b->node);
                r.x = ls.x + ml + bw;
                r.width = w;
                r.height = h + bw;
                b->runs.push_back(r);
                ls.x += total;
                ls.hasContent = true;
                break;
            }
            case LayoutBox::InlineItem::Kind::Text:
                LayoutText(b, item.node, ls, finishLine);
                break;
            }
        }
        if (b->runs.size() > ls.firstRun || !ls.pendingFloats.empty())
            finishLine(false, true);
        return b->lines.empty() ? 0 : ls.top - cy;
    }

    int r_trailingSpaces(LayoutBox* b, size_t first, size_t end)
    {
        for (size_t i = end; i > first; --i) {
            const Run& r = b->runs[i - 1];
            if (r.kind == Run::Kind::Anchor || r.kind == Run::Kind::InlineBox || r.floating)
                continue;
            int n = 0;
            if (r.kind == Run::Kind::Text)
                for (size_t k = r.start + r.length; k > r.start && m_stream[k - 1] == L' '; --k)
                    ++n;
            return n;
        }
        return 0;
    }

    template <typename Finish>
    void LayoutText(LayoutBox* b, Node* t, LineState& ls, Finish& finishLine)
    {
        const ComputedStyle* s = StyleOfText(t);
        if (!s)
            return;
        Font* font = FontFor(*s, m_zoom);
        const wchar_t* p = m_stream.c_str() + t->streamStart;
        size_t n = t->streamLength;
        bool wraps = s->Wraps();
        bool pre = s->PreservesSpaces();
        Node* link = LinkOf(t->Parent(), b->node);
        COLORREF bg = 0;
        bool hasBg = false;
        for (Node* a = t->Parent(); a && a != b->node && a->style && !a->style->IsBlockLevel(); a = a->Parent())
            if (a->style->hasBackground) {
                bg = a->style->background;
                hasBg = true;
                break;
            }
        int tab = font->SpaceWidth() * 8;
        size_t i = 0;
        while (i < n) {
            if (p[i] == L'\n') {
                // A preserved newline ends the line; give the newline to the current line's last run.
                finishLine(true);
                ++i;
                continue;
            }
            if (wraps && !ls.hasContent && !pre && p[i] == L' ') {
                ++i;   // collapsed space at the start of a line
                continue;
            }
            size_t j = PieceEnd(p, n, i, wraps);
            // Width of the piece, with tab stops for preformatted text.
            int w = 0, spaceTail = 0;
            for (size_t k = i; k < j; ++k) {
                int cwid = p[k] == L'\t' ? tab - ((ls.x + w - ls.left) % std::max(1, tab)) : font->CharWidth(p[k]);
                w += cwid;
                spaceTail = (p[k] == L' ') ? spaceTail + cwid : 0;
            }
            if (wraps && ls.hasContent && ls.x + w - spaceTail > ls.right) {
                finishLine(false);
                continue;   // retry the piece on the new line (its leading spaces get skipped)
            }
            if (wraps && !ls.hasContent && ls.x + w - spaceTail > ls.right && j - i > 1) {
                // Longer than a whole line: break it where it overflows.
                int acc = 0;
                size_t k = i;
                while (k < j && (k == i || ls.x + acc + font->CharWidth(p[k]) <= ls.right)) {
                    acc += font->CharWidth(p[k]);
                    ++k;
                }
                j = k;
                w = acc;
            }
            AppendText(b, t, s, font, link, bg, hasBg, t->streamStart + i, j - i, w, ls);
            ls.x += w;
            ls.hasContent = true;
            i = j;
        }
    }

    void AppendText(LayoutBox* b, Node* t, const ComputedStyle* s, Font* font, Node* link, COLORREF bg, bool hasBg,
                    size_t start, size_t length, int width, LineState& ls)
    {
        if (b->runs.size() > ls.firstRun) {
            Run& last = b->runs.back();
            if (last.kind == Run::Kind::Text && last.node == t && last.start + last.length == start &&
                last.x + last.width == ls.x) {
                last.length += length;
                last.width += width;
                return;
            }
        }
        Run r;
        r.kind = Run::Kind::Text;
        r.node = t;
        r.style = s;
        r.font = font;
        r.link = link;
        r.x = ls.x;
        r.width = width;
        r.start = start;
        r.length = length;
        r.startColumn = ls.left;
        r.inlineBackground = bg;
        r.hasInlineBackground = hasBg;
        b->runs.push_back(r);
    }

    // --- tables ---

    struct Grid {
        std::vector<LayoutBox*> rows;
        std::vector<LayoutBox*> cells;   // all cells with col set
        std::vector<int> rowOf;          // row index of each cell
        int columns = 0;
    };

    void BuildGrid(LayoutBox* table, Grid& g)
    {
        std::vector<std::vector<bool>> occupied;
        for (auto& child : table->children)
            if (child->kind == LayoutBox::Kind::Row)
                g.rows.push_back(child.get());
        occupied.resize(g.rows.size());
        for (size_t r = 0; r < g.rows.size(); ++r) {
            int col = 0;
            for (auto& cell : g.rows[r]->children) {
                while (col < kMaxColumns && col < static_cast<int>(occupied[r].size()) && occupied[r][col])
                    ++col;
                if (col >= kMaxColumns)
                    break;
                cell->col = col;
                int span = std::min(cell->colspan, kMaxColumns - col);
                cell->colspan = span;
                int rs = std::min<int>(cell->rowspan, static_cast<int>(g.rows.size() - r));
                cell->rowspan = std::max(1, rs);
                for (int rr = 0; rr < cell->rowspan; ++rr) {
                    auto& occ = occupied[r + rr];
                    if (static_cast<int>(occ.size()) < col + span)
                        occ.resize(col + span, false);
                    for (int c = col; c < col + span; ++c)
                        occ[c] = true;
                }
                g.cells.push_back(cell.get());
                g.rowOf.push_back(static_cast<int>(r));
                col += span;
                g.columns = std::max(g.columns, col);
            }
        }
    }

    int Spacing(const ComputedStyle& s) const
    {
        return s.borderCollapse ? 0 : static_cast<int>(std::lround(s.borderSpacing * m_zoom));
    }

    // Space at the table's edges and between cells. Collapsed borders overlap neighbouring cells
    // by their border width, so that two cells share one line.
    void Gaps(LayoutBox* table, const Grid& g, int& edge, int& inter) const
    {
        int spacing = Spacing(*table->style);
        edge = inter = spacing;
        if (table->style->borderCollapse) {
            int overlap = 0;
            for (const LayoutBox* cell : g.cells)
                overlap = std::max(overlap, std::max(cell->border.left, cell->border.top));
            edge = 0;
            inter = -std::min(overlap, 20);
        }
    }

    static int TotalGaps(int columns, int edge, int inter)
    {
        return 2 * edge + std::max(0, columns - 1) * inter;
    }

    void ColumnWidths(LayoutBox* table, Grid& g, std::vector<int>& colMin, std::vector<int>& colMax,
                      std::vector<int>& colFixed, std::vector<float>& colPercent, int depth)
    {
        int n = g.columns;
        colMin.assign(n, 0);
        colMax.assign(n, 0);
        colFixed.assign(n, -1);
        colPercent.assign(n, 0);
        for (LayoutBox* cell : g.cells)
            ResolveEdges(cell, 0);
        int edge, spacing;
        Gaps(table, g, edge, spacing);
        // Single-column cells first, then spanning cells spread what they lack.
        for (int pass = 0; pass < 2; ++pass) {
            for (LayoutBox* cell : g.cells) {
                if ((cell->colspan == 1) != (pass == 0))
                    continue;
                ResolveEdges(cell, 0);
                int mn, mx;
                Intrinsic(cell, mn, mx, depth + 1);
                const ComputedStyle& cs = *cell->style;
                int hz = cell->border.left + cell->border.right + cell->padding.left + cell->padding.right;
                if (cs.width.unit == Length::Unit::Px) {
                    // Cell widths count padding and borders, as pages written for old browsers expect.
                    int w = std::max(cs.width.Resolve(0, m_zoom), hz);
                    mx = std::max(mn, w);
                    if (cell->colspan == 1)
                        colFixed[cell->col] = std::max(colFixed[cell->col], w);
                } else if (cs.width.unit == Length::Unit::Percent && cell->colspan == 1) {
                    colPercent[cell->col] = std::max(colPercent[cell->col], cs.width.value);
                }
                if (cell->colspan == 1) {
                    colMin[cell->col] = std::max(colMin[cell->col], mn);
                    colMax[cell->col] = std::max(colMax[cell->col], mx);
                } else {
                    int span = cell->colspan;
                    int haveMin = (span - 1) * spacing, haveMax = (span - 1) * spacing;
                    for (int c = cell->col; c < cell->col + span; ++c) {
                        haveMin += colMin[c];
                        haveMax += colMax[c];
                    }
                    if (mn > haveMin)
                        for (int c = cell->col; c < cell->col + span; ++c)
                            colMin[c] += (mn - haveMin) / span + ((c - cell->col) < (mn - haveMin) % span ? 1 : 0);
                    if (mx > haveMax)
                        for (int c = cell->col; c < cell->col + span; ++c)
                            colMax[c] += (mx - haveMax) / span;
                }
            }
        }
        for (int c = 0; c < n; ++c) {
            colMax[c] = std::max(colMax[c], colMin[c]);
            if (colFixed[c] >= 0)
                colMax[c] = std::max(colMin[c], colFixed[c]);
        }
    }

    void LayoutTable(LayoutBox* t, int x, int y, int avail, FloatContext& fc, int depth)
    {
        const ComputedStyle& s = *t->style;
        Grid g;
        BuildGrid(t, g);
        std::vector<int> colMin, colMax, colFixed;
        std::vector<float> colPercent;
        ColumnWidths(t, g, colMin, colMax, colFixed, colPercent, depth);
        int n = g.columns;
        int edge, spacing;
        Gaps(t, g, edge, spacing);
        int hz = t->border.left + t->border.right + t->padding.left + t->padding.right;
        long long sumMin = 0, sumMax = 0;
        for (int c = 0; c < n; ++c) {
            sumMin += colMin[c];
            sumMax += colMax[c];
        }
        int gaps = TotalGaps(n, edge, spacing);
        int availContent = std::max(0, avail - t->margin.left - t->margin.right - hz);
        int target;
        bool specified = !s.width.IsAuto();
        if (specified) {
            int w = s.width.Resolve(avail, m_zoom);
            // Widths of tables count their borders, as browsers of the time did.
            target = std::max(0, w - hz);
        } else {
            target = static_cast<int>(std::min<long long>(sumMax + gaps, availContent));
        }
        target = static_cast<int>(std::max<long long>(target, sumMin + gaps));
        target = std::min(target, kMaxCoordinate / 4);
        // Distribute the width over the columns.
        std::vector<int> widths(colMin);
        long long remaining = static_cast<long long>(target) - gaps - sumMin;
        auto grow = [&](auto wants) {
            long long total = 0;
            std::vector<long long> want(n, 0);
            for (int c = 0; c < n; ++c) {
                want[c] = std::max<long long>(0, wants(c) - widths[c]);
                total += want[c];
            }
            if (total <= 0 || remaining <= 0)
                return;
            long long give = std::min(total, remaining);
            long long given = 0;
            for (int c = 0; c < n; ++c) {
                long long add = want[c] * give / total;
                widths[c] += static_cast<int>(add);
                given += add;
            }
            remaining -= given;
        };
        grow([&](int c) { return colPercent[c] > 0 ? static_cast<long long>(colPercent[c] * (target - gaps) / 100) : 0; });
        grow([&](int c) { return colFixed[c] >= 0 && colPercent[c] <= 0 ? colFixed[c] : 0; });
        grow([&](int c) { return colFixed[c] < 0 && colPercent[c] <= 0 ? colMax[c] : 0; });
        if (remaining > 0 && n > 0) {
            // Left over: auto columns first, then all, in proportion to their widths.
            std::vector<int> targets;
            long long weight = 0;
            for (int c = 0; c < n; ++c)
                if (colFixed[c] < 0 && colPercent[c] <= 0)
                    weight += std::max(1, widths[c]);
            bool autoOnly = weight > 0;
            if (!autoOnly)
                for (int c = 0; c < n; ++c)
                    weight += std::max(1, widths[c]);
            long long left = remaining;
            for (int c = 0; c < n && weight > 0; ++c) {
                if (autoOnly && !(colFixed[c] < 0 && colPercent[c] <= 0))
                    continue;
                long long add = remaining * std::max(1, widths[c]) / weight;
                widths[c] += static_cast<int>(add);
                left -= add;
            }
            for (int c = n - 1; c >= 0 && left > 0; --c, --left)
                ++widths[c];
            remaining = 0;
        }
        int contentWidth = gaps;
        for (int c = 0; c < n; ++c)
            contentWidth += widths[c];
        t->columnWidths = widths;
        t->spacing = spacing;
        // Position: auto margins centre a table.
        int boxWidth = contentWidth + hz;
        if (s.margin[1].IsAuto() && s.margin[3].IsAuto())
            t->margin.left = t->margin.right = std::max(0, (avail - boxWidth) / 2);
        else if (s.margin[3].IsAuto())
            t->margin.left = std::max(0, avail - boxWidth - t->margin.right);
        int left = x + t->margin.left;
        if (s.floatSide == FloatSide::Right)
            left = x + std::max(0, avail - boxWidth - t->margin.right);
        t->x = Clamp(left);
        t->y = Clamp(static_cast<long long>(y) + t->margin.top);
        t->width = boxWidth;
        int cx = t->ContentLeft();
        int cursor = t->ContentTop();
        // Captions above the grid.
        for (auto& child : t->children)
            if (child->kind != LayoutBox::Kind::Row) {
                FloatContext local;
                LayoutBlock(child.get(), t->x, cursor, boxWidth, local, depth + 1);
                child->x = t->x;
                cursor = child->y + child->height + child->margin.bottom;
            }
        int gridTop = cursor;
        t->y = std::min(t->y, gridTop);
        std::vector<int> colX(n + 1, 0);
        int acc = cx + edge;
        for (int c = 0; c < n; ++c) {
            colX[c] = acc;
            acc += widths[c] + spacing;
        }
        colX[n] = acc;
        // Lay out the cells row by row.
        size_t rows = g.rows.size();
        std::vector<int> rowHeight(rows, 0);
        for (size_t r = 0; r < rows; ++r) {
            const ComputedStyle& rs = *g.rows[r]->style;
            if (rs.height.unit == Length::Unit::Px)
                rowHeight[r] = rs.height.Resolve(0, m_zoom);
        }
        for (size_t i = 0; i < g.cells.size(); ++i) {
            LayoutBox* cell = g.cells[i];
            int cellWidth = colX[cell->col + cell->colspan] - colX[cell->col] - spacing;
            FloatContext local;
            LayoutBlock(cell, colX[cell->col], 0, cellWidth, local, depth + 1);
            int h = cell->height;
            if (cell->style->height.unit == Length::Unit::Px)
                h = std::max(h, cell->style->height.Resolve(0, m_zoom) + cell->padding.top + cell->padding.bottom +
                                    cell->border.top + cell->border.bottom);
            cell->height = h;
            if (cell->rowspan == 1)
                rowHeight[g.rowOf[i]] = std::max(rowHeight[g.rowOf[i]], h);
        }
        for (size_t i = 0; i < g.cells.size(); ++i) {
            LayoutBox* cell = g.cells[i];
            if (cell->rowspan <= 1)
                continue;
            int r0 = g.rowOf[i];
            int have = (cell->rowspan - 1) * spacing;
            for (int r = r0; r < r0 + cell->rowspan; ++r)
                have += rowHeight[r];
            if (cell->height > have)
                rowHeight[r0 + cell->rowspan - 1] += cell->height - have;
        }
        std::vector<int> rowTop(rows + 1, 0);
        int ry = gridTop + edge;
        for (size_t r = 0; r < rows; ++r) {
            rowTop[r] = ry;
            ry = Clamp(static_cast<long long>(ry) + rowHeight[r] + spacing);
        }
        rowTop[rows] = ry;
        for (size_t r = 0; r < rows; ++r) {
            LayoutBox* row = g.rows[r];
            row->x = cx + edge;
            row->y = rowTop[r];
            row->width = colX[n] - spacing - row->x;
            row->height = rowHeight[r];
            row->visualBottom = row->y + row->height;
        }
        for (size_t i = 0; i < g.cells.size(); ++i) {
            LayoutBox* cell = g.cells[i];
            int r0 = g.rowOf[i];
            int top = rowTop[r0];
            int height = rowTop[r0 + cell->rowspan] - spacing - top;
            int contentHeight = cell->height;
            int dy = top - cell->y;
            VAlign va = cell->style->verticalAlign;
            if (va == VAlign::Middle || va == VAlign::Baseline) {
                if (va == VAlign::Middle)
                    dy += (height - contentHeight) / 2;
            } else if (va == VAlign::Bottom) {
                dy += height - contentHeight;
            }
            Shift(cell, 0, dy);
            // The cell box itself spans the row; its content stays where aligned.
            cell->y = top;
            cell->height = height;
            cell->visualBottom = std::max(cell->visualBottom, cell->y + cell->height);
            g.rows[r0]->visualBottom = std::max(g.rows[r0]->visualBottom, cell->visualBottom);
        }
        int bottom = rows ? rowTop[rows] - spacing + edge : gridTop + 2 * edge;
        t->height = Clamp(static_cast<long long>(bottom) - t->y + t->padding.bottom + t->border.bottom);
        t->visualBottom = t->y + t->height;
        for (auto& c : t->children)
            t->visualBottom = std::max(t->visualBottom, c->visualBottom);
        maxRight = std::max(maxRight, t->x + t->width);
        (void)fc;
    }

    // Moves a box and everything in it.
    void Shift(LayoutBox* b, int dx, int dy)
    {
        if (dx == 0 && dy == 0)
            return;
        std::vector<LayoutBox*> stack{b};
        while (!stack.empty()) {
            LayoutBox* x = stack.back();
            stack.pop_back();
            x->x += dx;
            x->y += dy;
            x->visualBottom += dy;
            for (Run& r : x->runs) {
                r.x += dx;
                r.y += dy;
                r.baseline += dy;
                r.lineTop += dy;
                r.startColumn += dx;
            }
            for (LineBox& l : x->lines) {
                l.top += dy;
                l.baseline += dy;
            }
            for (auto& c : x->children)
                stack.push_back(c.get());
        }
    }

    // --- intrinsic widths ---

    void Intrinsic(LayoutBox* b, int& mn, int& mx, int depth)
    {
        if (b->minWidth >= 0) {
            mn = b->minWidth;
            mx = b->maxWidth;
            return;
        }
        const ComputedStyle& s = *b->style;
        ResolveEdges(b, 0);
        int hz = b->border.left + b->border.right + b->padding.left + b->padding.right;
        if (b->kind != LayoutBox::Kind::Cell && b->node)
            hz += std::max(0, b->margin.left) + std::max(0, b->margin.right);
        mn = 0;
        mx = 0;
        if (depth > 200) {
            // nothing: too deep to matter
        } else if (b->kind == LayoutBox::Kind::Table) {
            Grid g;
            BuildGrid(b, g);
            std::vector<int> colMin, colMax, colFixed;
            std::vector<float> colPercent;
            ColumnWidths(b, g, colMin, colMax, colFixed, colPercent, depth);
            long long a = 0, c = 0;
            for (int i = 0; i < g.columns; ++i) {
                a += colMin[i];
                c += colMax[i];
            }
            int edge, inter;
            Gaps(b, g, edge, inter);
            int gaps = TotalGaps(g.columns, edge, inter);
            mn = Clamp(a + gaps);
            mx = Clamp(c + gaps);
        } else if (!b->children.empty()) {
            for (auto& c : b->children) {
                int a, d;
                Intrinsic(c.get(), a, d, depth + 1);
                mn = std::max(mn, a);
                mx = std::max(mx, d);
            }
        } else {
            InlineIntrinsic(b, mn, mx);
        }
        if (b->kind != LayoutBox::Kind::Cell && b->node && s.width.unit == Length::Unit::Px &&
            b->kind != LayoutBox::Kind::Table) {
            int w = s.width.Resolve(0, m_zoom);
            mn = std::max(mn, w);
            mx = w > mn ? w : mn;
        } else if (b->kind == LayoutBox::Kind::Table && s.width.unit == Length::Unit::Px) {
            int w = std::max(0, s.width.Resolve(0, m_zoom) - (b->border.left + b->border.right + b->padding.left + b->padding.right));
            mn = std::max(mn, w);
            mx = std::max(mn, w);
        }
        mn = Clamp(static_cast<long long>(mn) + hz);
        mx = Clamp(static_cast<long long>(std::max(mx, mn - hz)) + hz);
        b->minWidth = mn;
        b->maxWidth = mx;
    }

    void InlineIntrinsic(LayoutBox* b, int& mn, int& mx)
    {
        int line = 0;
        for (const LayoutBox::InlineItem& item : b->items) {
            if (item.kind == LayoutBox::InlineItem::Kind::Break) {
                mx = std::max(mx, line);
                line = 0;
                continue;
            }
            if (item.kind == LayoutBox::InlineItem::Kind::Image || item.kind == LayoutBox::InlineItem::Kind::FloatImage) {
                const ComputedStyle& s = *item.node->style;
                const Image* image;
                int w, h;
                if (s.width.unit == Length::Unit::Percent) {
                    w = 0;
                } else {
                    ImageSize(item.node, s, 0, image, w, h);
                }
                int extra = s.margin[1].Resolve(0, m_zoom) + s.margin[3].Resolve(0, m_zoom) +
                            (s.HasBorder(0) ? 2 * static_cast<int>(s.borderWidth[0] * m_zoom) : 0);
                mn = std::max(mn, w + extra);
                line += w + extra;
                continue;
            }
            if (item.kind == LayoutBox::InlineItem::Kind::Open || item.kind == LayoutBox::InlineItem::Kind::Close) {
                const ComputedStyle& s = *item.node->style;
                Edges e = InlineEdges(s, 0);
                line += item.kind == LayoutBox::InlineItem::Kind::Open ? e.left + s.margin[3].Resolve(0, m_zoom)
                                                                       : e.right + s.margin[1].Resolve(0, m_zoom);
                continue;
            }
            if (item.kind != LayoutBox::InlineItem::Kind::Text)
                continue;
            Node* t = item.node;
            const ComputedStyle* s = StyleOfText(t);
            if (!s)
                continue;
            Font* font = FontFor(*s, m_zoom);
            const wchar_t* p = m_stream.c_str() + t->streamStart;
            size_t n = t->streamLength;
            bool wraps = s->Wraps();
            int tab = font->SpaceWidth() * 8;
            size_t i = 0;
            while (i < n) {
                if (p[i] == L'\n') {
                    mx = std::max(mx, line);
                    line = 0;
                    ++i;
                    continue;
                }
                size_t j = PieceEnd(p, n, i, wraps);
                int w = 0, tail = 0;
                for (size_t k = i; k < j; ++k) {
                    int cwid = p[k] == L'\t' ? tab : font->CharWidth(p[k]);
                    w += cwid;
                    tail = p[k] == L' ' ? tail + cwid : 0;
                }
                mn = std::max(mn, w - tail);
                line += w;
                i = j;
            }
        }
        mx = std::max(mx, line);
    }

private:
    Document& m_doc;
    const std::wstring& m_stream;
    float m_zoom;
};

// ---------------------------------------------------------------------------------------------

namespace {

void RecordGeometry(Node* root, LayoutBox* top)
{
    for (Node* n = root; n; n = n->NextInOrder(root))
        n->geometry.valid = false;
    auto unite = [](Node* n, int l, int t, int w, int h) {
        NodeGeometry& g = n->geometry;
        if (!g.valid) {
            g = {l, t, w, h, true};
            return;
        }
        int r = std::max(g.left + g.width, l + w), b = std::max(g.top + g.height, t + h);
        g.left = std::min(g.left, l);
        g.top = std::min(g.top, t);
        g.width = r - g.left;
        g.height = b - g.top;
    };
    std::vector<LayoutBox*> stack{top};
    while (!stack.empty()) {
        LayoutBox* b = stack.back();
        stack.pop_back();
        if (b->node)
            unite(b->node, b->x, b->y, b->width, b->height);
        for (const Run& r : b->runs) {
            Node* n = r.node;
            if (!n)
                continue;
            int height = r.kind == Run::Kind::Text ? r.lineHeight : r.height;
            int top = r.kind == Run::Kind::Text ? r.lineTop : r.y;
            Node* e = r.kind == Run::Kind::Text ? n->Parent() : n;
            for (; e && e != b->node && e->style && !e->style->IsBlockLevel(); e = e->Parent())
                unite(e, r.x, top, r.width, height);
            if (r.kind == Run::Kind::Image || r.kind == Run::Kind::AltText)
                unite(n, r.x, r.y, r.width, r.height);
        }
        for (auto& c : b->children)
            stack.push_back(c.get());
    }
}

} // namespace

LayoutTree::LayoutTree(Document& doc, int width, float zoom, bool recordGeometry) : m_zoom(zoom), m_doc(doc)
{
    Node* root = doc.Root();
    doc.Stream();
    if (!root || !root->style)
        return;
    Builder builder(doc);
    m_root = builder.BuildBlock(root, 0);
    Engine engine(doc, zoom);
    FloatContext fc;
    engine.LayoutBlock(m_root.get(), 0, 0, std::max(1, width), fc);
    m_height = std::max(m_root->y + m_root->height + m_root->margin.bottom, std::max(m_root->visualBottom, fc.Bottom(0)));
    m_width = std::max(width, engine.maxRight);
    // The canvas takes the root's background, else the body's.
    if (root->style->hasBackground) {
        m_canvas = root->style->background;
    } else if (doc.BodyNode() && doc.BodyNode()->style && doc.BodyNode()->style->hasBackground) {
        m_canvas = doc.BodyNode()->style->background;
    }
    if (doc.BodyNode() && doc.BodyNode()->style)
        m_canvasImage = doc.BodyNode()->style->backgroundImage;
    if (recordGeometry)
        RecordGeometry(root, m_root.get());
}

LayoutTree::~LayoutTree()
{
    // Release deep box trees without recursion.
    std::vector<std::unique_ptr<LayoutBox>> pending;
    pending.push_back(std::move(m_root));
    while (!pending.empty()) {
        std::unique_ptr<LayoutBox> b = std::move(pending.back());
        pending.pop_back();
        if (!b)
            continue;
        for (auto& c : b->children)
            pending.push_back(std::move(c));
    }
}

void LayoutTree::CharPositions(Document& doc, const Run& run, std::vector<int>& out)
{
    out.clear();
    out.push_back(run.x);
    if (run.kind != Run::Kind::Text) {
        out.push_back(run.x + run.width);
        return;
    }
    const std::wstring& s = doc.Stream();
    int x = run.x;
    int tab = run.font->SpaceWidth() * 8;
    for (size_t k = run.start; k < run.start + run.length && k < s.size(); ++k) {
        wchar_t c = s[k];
        int w = c == L'\t' ? tab - ((x - run.startColumn) % std::max(1, tab)) : run.font->CharWidth(c);
        if (c == L' ')
            w += run.justify;
        x += w;
        out.push_back(x);
    }
}

void LayoutTree::CollectRuns(std::vector<const Run*>& out) const
{
    if (!m_root)
        return;
    std::vector<const LayoutBox*> stack{m_root.get()};
    while (!stack.empty()) {
        const LayoutBox* b = stack.back();
        stack.pop_back();
        for (const Run& r : b->runs)
            out.push_back(&r);
        for (auto it = b->children.rbegin(); it != b->children.rend(); ++it)
            stack.push_back(it->get());
    }
}

HitResult LayoutTree::HitTest(int x, int y) const
{
    HitResult best;
    if (!m_root)
        return best;
    long long bestDistance = LLONG_MAX;
    std::vector<const LayoutBox*> stack{m_root.get()};
    std::vector<int> pos;
    while (!stack.empty()) {
        const LayoutBox* b = stack.back();
        stack.pop_back();
        for (const LineBox& line : b->lines) {
            long long dy = y < line.top ? line.top - y : (y >= line.top + line.height ? y - (line.top + line.height) + 1 : 0);
            for (size_t i = line.firstRun; i < line.firstRun + line.runCount; ++i) {
                const Run& r = b->runs[i];
                if (r.kind == Run::Kind::Anchor || r.kind == Run::Kind::InlineBox || r.floating)
                    continue;
                long long dx = x < r.x ? r.x - x : (x >= r.x + r.width ? x - (r.x + r.width) + 1 : 0);
                long long d = dy * 100000 + dx;
                if (d < bestDistance) {
                    bestDistance = d;
                    best.run = &r;
                    best.box = b;
                    best.onText = d == 0;
                }
            }
        }
        for (const Run& r : b->runs)
            if ((r.kind == Run::Kind::Image || r.kind == Run::Kind::AltText) && x >= r.x && x < r.x + r.width &&
                y >= r.y && y < r.y + r.height) {
                best.run = &r;
                best.box = b;
                best.onText = true;
                bestDistance = 0;
            }
        for (auto& c : b->children)
            stack.push_back(c.get());
    }
    if (best.run && best.run->kind == Run::Kind::Text) {
        CharPositions(m_doc, *best.run, pos);
        size_t k = 0;
        while (k + 1 < pos.size() && x >= (pos[k] + pos[k + 1] + 1) / 2)
            ++k;
        best.streamOffset = best.run->start + k;
    } else if (best.run && best.run->node) {
        // Images: the offset of the text that follows them.
        best.streamOffset = 0;
        const Node* n = best.run->node;
        for (Node* t = n->NextInOrder(m_doc.Root()); t; t = t->NextInOrder(m_doc.Root()))
            if (t->IsText() && t->streamLength) {
                best.streamOffset = t->streamStart;
                break;
            }
    }
    return best;
}

bool LayoutTree::CaretRect(size_t offset, RECT& out) const
{
    std::vector<const Run*> runs;
    CollectRuns(runs);
    std::vector<int> pos;
    for (const Run* r : runs) {
        if (r->kind != Run::Kind::Text || offset < r->start || offset > r->start + r->length)
            continue;
        CharPositions(m_doc, *r, pos);
        int x = pos[std::min(offset - r->start, pos.size() - 1)];
        out = {x, r->lineTop, x + 1, r->lineTop + std::max(1, r->lineHeight)};
        return true;
    }
    return false;
}

void LayoutTree::BreakOpportunities(std::vector<int>& out) const
{
    out.clear();
    if (!m_root)
        return;
    std::vector<const LayoutBox*> stack{m_root.get()};
    while (!stack.empty()) {
        const LayoutBox* b = stack.back();
        stack.pop_back();
        for (const LineBox& l : b->lines) {
            out.push_back(l.top);
            out.push_back(l.top + l.height);
        }
        if (b->kind != LayoutBox::Kind::Cell && b->kind != LayoutBox::Kind::Row) {
            out.push_back(b->y);
            out.push_back(b->y + b->height);
        }
        for (auto& c : b->children)
            stack.push_back(c.get());
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}

} // namespace fxb
