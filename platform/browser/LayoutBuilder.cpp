// Builder of the box tree: blocks, anonymous blocks around inline content beside blocks, tables
// with their rows and cells, and the markers of list items.
#include "platform/browser/LayoutInternal.h"

namespace fxb {

namespace {

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
    static const wchar_t* const kSymbols[] = {L"m",  L"cm", L"d",  L"cd", L"c",  L"xc", L"l",
                                              L"xl", L"x",  L"ix", L"v",  L"iv", L"i"};
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
    case ListStyle::Decimal:
        t = std::to_wstring(n);
        break;
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
    case ListStyle::LowerRoman:
        t = RomanNumeral(n);
        break;
    case ListStyle::UpperRoman:
        t = RomanNumeral(n);
        for (wchar_t& c : t)
            c = static_cast<wchar_t>(towupper(c));
        break;
    default:
        return std::wstring();
    }
    return t + L".";
}

} // namespace

std::unique_ptr<LayoutBox> LayoutTree::Builder::BuildBlock(Node* e, int ordinal)
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

void LayoutTree::Builder::BuildTable(LayoutBox* table, Node* e)
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

std::unique_ptr<LayoutBox> LayoutTree::Builder::BuildRow(Node* tr)
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

bool LayoutTree::Builder::IsBlankText(const LayoutBox::InlineItem& item)
{
    const std::wstring& s = m_doc.Stream();
    Node* t = item.node;
    for (size_t i = t->streamStart; i < t->streamStart + t->streamLength && i < s.size(); ++i)
        if (s[i] != L' ' && s[i] != L'\n')
            return false;
    return true;
}

// The inline items collected since the last block become an anonymous block, unless they are
// only blank text.
void LayoutTree::Builder::FlushInline(LayoutBox* box, Children& children)
{
    if (children.pending.empty())
        return;
    bool blank = true;
    for (const auto& it : children.pending)
        if (it.kind != LayoutBox::InlineItem::Kind::Text || !IsBlankText(it))
            blank = false;
    if (!blank) {
        auto anon = std::make_unique<LayoutBox>();
        anon->style = box->style;
        anon->items = std::move(children.pending);
        children.blocks.push_back(std::move(anon));
    }
    children.pending.clear();
}

void LayoutTree::Builder::AddBlockChild(LayoutBox* box, Node* c, Children& children)
{
    FlushInline(box, children);
    const ComputedStyle* s = c->style;
    if (s->display == Display::ListItem) {
        if (const std::wstring* v = c->FindAttribute(L"value"))
            children.ordinal = _wtoi(v->c_str());
        children.ordinal = std::max(-1000000000, std::min(children.ordinal, 1000000000));
        children.blocks.push_back(BuildBlock(c, children.ordinal));
        ++children.ordinal;
    } else if (s->display == Display::TableRow || s->display == Display::TableCell ||
               s->display == Display::TableRowGroup || s->display == Display::TableCaption) {
        // Table parts outside a table behave as plain blocks.
        auto b = std::make_unique<LayoutBox>();
        b->node = c;
        b->style = c->style;
        CollectChildren(b.get(), c);
        children.blocks.push_back(std::move(b));
    } else {
        children.blocks.push_back(BuildBlock(c, 0));
    }
}

void LayoutTree::Builder::CollectChildren(LayoutBox* box, Node* e)
{
    Children children;
    if (e->Is(L"ol")) {
        if (const std::wstring* start = e->FindAttribute(L"start"))
            children.ordinal = _wtoi(start->c_str());
    }
    std::vector<LayoutBox::InlineItem>& pending = children.pending;
    // Walk the children; inline elements are transparent, block descendants break the flow.
    struct Frame
    {
        Node* node;
        size_t next;
        bool boxed;
    };
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
                                                               : LayoutBox::InlineItem::Kind::Image,
                               c});
            continue;
        }
        if (s->IsBlockLevel()) {
            AddBlockChild(box, c, children);
            continue;
        }
        if (c->HasAttribute(L"id") || c->HasAttribute(L"name"))
            pending.push_back({LayoutBox::InlineItem::Kind::Anchor, c});
        bool boxed = HasInlineBox(*s);
        if (boxed)
            pending.push_back({LayoutBox::InlineItem::Kind::Open, c});
        stack.push_back({c, 0, boxed});
    }
    if (children.blocks.empty()) {
        box->items = std::move(pending);
    } else {
        FlushInline(box, children);
        box->children = std::move(children.blocks);
    }
}

} // namespace fxb
