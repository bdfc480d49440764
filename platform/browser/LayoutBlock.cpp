// Block formatting: boxes stacked from top to bottom, their edges, widths and joined margins,
// and the intrinsic widths that tables and floats size themselves by.
#include "platform/browser/LayoutInternal.h"

namespace fxb {

void LayoutTree::Engine::ResolveEdges(LayoutBox* b, int avail)
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

void LayoutTree::Engine::LayoutBlock(LayoutBox* b, int x, int y, int avail, FloatContext& fc, int depth)
{
    const ComputedStyle& s = *b->style;
    ResolveEdges(b, avail);
    int horizontal = b->border.left + b->border.right + b->padding.left + b->padding.right;
    int contentWidth;
    bool autoWidth =
        s.width.IsAuto() || b->node == nullptr || b->kind == LayoutBox::Kind::Cell || b->kind == LayoutBox::Kind::Row;
    if (b->kind == LayoutBox::Kind::Table) {
        LayoutTable(b, x, y, avail, depth);
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

int LayoutTree::Engine::LayoutChildren(LayoutBox* b, int cx, int cy, int cw, FloatContext& fc, int depth)
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

// Moves the box at once and remembers the move of everything in it for ApplyShifts: nested
// tables shift each cell after its content is laid out, and moving whole subtrees at every level
// would cost the depth of the nesting times its size.
void LayoutTree::Engine::Shift(LayoutBox* b, int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    b->x += dx;
    b->y += dy;
    b->visualBottom += dy;
    Offset& pending = m_pendingShifts[b];
    pending.dx += dx;
    pending.dy += dy;
}

void LayoutTree::Engine::ApplyShifts(LayoutBox* root)
{
    if (m_pendingShifts.empty())
        return;
    struct Item
    {
        LayoutBox* box;
        Offset offset; // to apply to the box itself
    };
    std::vector<Item> stack{{root, {}}};
    while (!stack.empty()) {
        Item item = stack.back();
        stack.pop_back();
        LayoutBox* x = item.box;
        Offset own = item.offset;
        x->x += own.dx;
        x->y += own.dy;
        x->visualBottom += own.dy;
        Offset inner = own;
        auto pending = m_pendingShifts.find(x);
        if (pending != m_pendingShifts.end()) {
            inner.dx += pending->second.dx;
            inner.dy += pending->second.dy;
        }
        if (inner.dx != 0 || inner.dy != 0) {
            for (Run& r : x->runs) {
                r.x += inner.dx;
                r.y += inner.dy;
                r.baseline += inner.dy;
                r.lineTop += inner.dy;
                r.startColumn += inner.dx;
            }
            for (LineBox& l : x->lines) {
                l.top += inner.dy;
                l.baseline += inner.dy;
            }
        }
        for (auto& c : x->children)
            stack.push_back({c.get(), inner});
    }
    m_pendingShifts.clear();
}

void LayoutTree::Engine::Intrinsic(LayoutBox* b, int& mn, int& mx, int depth)
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
        TableIntrinsic(b, mn, mx, depth);
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
        int w = std::max(0, s.width.Resolve(0, m_zoom) -
                                (b->border.left + b->border.right + b->padding.left + b->padding.right));
        mn = std::max(mn, w);
        mx = std::max(mn, w);
    }
    mn = Clamp(static_cast<long long>(mn) + hz);
    mx = Clamp(static_cast<long long>(std::max(mx, mn - hz)) + hz);
    b->minWidth = mn;
    b->maxWidth = mx;
}

} // namespace fxb
