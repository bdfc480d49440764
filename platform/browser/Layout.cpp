// The layout tree and its queries. The tree is built in LayoutBuilder.cpp and laid out by the
// engine in LayoutBlock.cpp, LayoutInline.cpp and LayoutTable.cpp, with floats in LayoutFloats.h.
#include "platform/browser/LayoutInternal.h"
#include <climits>

namespace fxb {

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
    engine.LayoutBlock(m_root.get(), 0, 0, std::max(1, width), fc, 0);
    engine.ApplyShifts(m_root.get());
    m_height =
        std::max(m_root->y + m_root->height + m_root->margin.bottom, std::max(m_root->visualBottom, fc.Bottom(0)));
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
            long long dy =
                y < line.top ? line.top - y : (y >= line.top + line.height ? y - (line.top + line.height) + 1 : 0);
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
