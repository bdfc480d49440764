// Inline formatting: text, images, anchors and inline boxes broken into lines beside the floats
// of the formatting context, aligned, justified and placed on their baselines.
#include "platform/browser/LayoutInternal.h"
#include "platform/browser/ImageLoader.h"
#include "platform/browser/Url.h"

namespace fxb {

namespace {

bool IsCjk(wchar_t c)
{
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x3000 && c <= 0x303F);
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
                break; // a hyphen is a break opportunity
        }
    }
    while (j < n && (p[j] == L' ' || (p[j] == L'\t')))
        ++j;
    return j == i ? i + 1 : j;
}

Node* LinkOf(Node* n, const Node* stop)
{
    for (Node* p = n; p && p != stop; p = p->Parent())
        if (p->Is(L"a") && p->HasAttribute(L"href"))
            return p;
    return nullptr;
}

} // namespace

// Builds the lines of one block from its inline items. The line being filled runs from `left`
// to `right` at `top`; its runs start at `firstRun` of the block's runs. Floats met after content
// on a line wait in `pendingFloats` until the line is finished.
class LayoutTree::Engine::LineBuilder
{
public:
    LineBuilder(Engine& engine, LayoutBox* b, int cx, int cy, int cw, FloatContext& fc);

    void Add(const LayoutBox::InlineItem& item);
    // Finishes the last line; answers the height of all lines.
    int Finish();

private:
    struct LineState
    {
        int top = 0;
        int left = 0, right = 0;
        int x = 0;
        size_t firstRun = 0;
        bool hasContent = false;
        bool firstLine = true;
        std::vector<Node*> pendingFloats;
    };
    // An inline element with a box of its own, opened and not yet closed.
    struct OpenBox
    {
        Node* node;
        int x;
        size_t lines;
        size_t runIndex;
    };

    void StartLine();
    void PlaceFloat(Node* img, int atY);
    void PlacePendingFloats();
    // `forced`: a break ended the line; `last`: the content ended (neither is justified).
    void FinishLine(bool forced, bool last = false);
    std::vector<Run> TakeTrailingAnchors();
    void LineExtent(size_t end, bool forced, int& ascent, int& descent);
    void RunExtent(Run& r, int& ascent, int& descent);
    int AlignLine(size_t end, bool forced, bool last);
    void Justify(size_t end, int free);
    int TrailingSpaces(size_t end) const;
    void PlaceRuns(size_t end, int dx, int lineHeight, int baseline);
    void MoveBoxesOpenedAtEnd(size_t end);

    void OpenInlineBox(Node* e);
    void CloseInlineBox(Node* e);
    void AddAnchor(Node* e);
    void AddFloat(Node* img);
    void AddImage(Node* img);
    void AddText(Node* t);
    void AppendText(Node* t, const ComputedStyle* s, Font* font, Node* link, COLORREF bg, bool hasBg, size_t start,
                    size_t length, int width);

    Engine& m_engine;
    LayoutBox* m_box;
    std::vector<Run>& m_runs;
    const std::wstring& m_stream;
    float m_zoom;
    int m_cx, m_cy, m_cw;
    FloatContext& m_fc;
    const ComputedStyle& m_style;
    Font* m_strutFont;
    int m_strutHeight, m_strutAscent, m_strutDescent;
    int m_indent;
    LineState m_line;
    std::vector<OpenBox> m_openBoxes;
};

LayoutTree::Engine::LineBuilder::LineBuilder(Engine& engine, LayoutBox* b, int cx, int cy, int cw, FloatContext& fc)
    : m_engine(engine), m_box(b), m_runs(b->runs), m_stream(engine.m_stream), m_zoom(engine.m_zoom), m_cx(cx), m_cy(cy),
      m_cw(cw), m_fc(fc), m_style(*b->style)
{
    m_strutFont = m_engine.StyleFont(m_style);
    m_strutHeight = LineHeightOf(m_style, m_strutFont, m_zoom);
    m_strutAscent = m_strutFont->Ascent() + (m_strutHeight - m_strutFont->Height()) / 2;
    m_strutDescent = m_strutHeight - m_strutAscent;
    m_line.top = cy;
    m_indent = m_style.textIndent.Resolve(cw, m_zoom, 0);
    StartLine();
}

void LayoutTree::Engine::LineBuilder::StartLine()
{
    m_line.left = m_fc.LeftEdge(m_line.top, m_strutHeight, m_cx);
    m_line.right = std::max(m_line.left, m_fc.RightEdge(m_line.top, m_strutHeight, m_cx + m_cw));
    m_line.x = m_line.left + (m_line.firstLine ? m_indent : 0);
    m_line.firstRun = m_runs.size();
    m_line.hasContent = false;
}

// Places a floated image at or below `atY`, beside the floats already there.
void LayoutTree::Engine::LineBuilder::PlaceFloat(Node* img, int atY)
{
    const ComputedStyle& s = *img->style;
    const Image* image;
    int w, h;
    m_engine.ImageSize(img, s, m_cw, image, w, h);
    int ml = s.margin[3].Resolve(m_cw, m_zoom), mr = s.margin[1].Resolve(m_cw, m_zoom);
    int mt = s.margin[0].Resolve(m_cw, m_zoom), mb = s.margin[2].Resolve(m_cw, m_zoom);
    int bw = s.HasBorder(0) ? static_cast<int>(s.borderWidth[0] * m_zoom) : 0;
    int boxW = w + ml + mr + 2 * bw, boxH = h + mt + mb + 2 * bw;
    int y = atY;
    // Move down until the float fits beside the floats already there.
    for (int guard = 0; guard < 64; ++guard) {
        int l = m_fc.LeftEdge(y, boxH, m_cx), r = m_fc.RightEdge(y, boxH, m_cx + m_cw);
        if (r - l >= boxW || (l == m_cx && r == m_cx + m_cw))
            break;
        int next = m_fc.NextBottom(y);
        if (next == INT_MAX)
            break;
        y = next;
    }
    int left =
        s.floatSide == FloatSide::Left ? m_fc.LeftEdge(y, boxH, m_cx) : m_fc.RightEdge(y, boxH, m_cx + m_cw) - boxW;
    FloatRect rect{left, y, left + boxW, y + boxH};
    (s.floatSide == FloatSide::Left ? m_fc.lefts : m_fc.rights).floats.push_back(rect);
    Run run;
    run.kind = image ? Run::Kind::Image : Run::Kind::AltText;
    run.node = img;
    run.style = &s;
    run.font = m_engine.StyleFont(s);
    run.image = image;
    run.link = LinkOf(img, m_box->node);
    run.x = left + ml + bw;
    run.y = y + mt + bw;
    run.width = w;
    run.height = h;
    run.baseline = run.y + h;
    run.lineTop = run.y;
    run.lineHeight = h;
    run.floating = true;
    m_runs.push_back(run);
    m_engine.maxRight = std::max(m_engine.maxRight, rect.right);
}

void LayoutTree::Engine::LineBuilder::PlacePendingFloats()
{
    for (Node* f : m_line.pendingFloats)
        PlaceFloat(f, m_line.top);
    m_line.pendingFloats.clear();
}

// Anchors at the end of a wrapped line belong to what follows on the next line: they are taken
// off this one.
std::vector<Run> LayoutTree::Engine::LineBuilder::TakeTrailingAnchors()
{
    std::vector<Run> carried;
    size_t k = m_runs.size();
    while (k > m_line.firstRun && m_runs[k - 1].kind == Run::Kind::Anchor)
        --k;
    if (k > m_line.firstRun && k < m_runs.size()) {
        carried.assign(m_runs.begin() + static_cast<std::ptrdiff_t>(k), m_runs.end());
        m_runs.resize(k);
    }
    return carried;
}

void LayoutTree::Engine::LineBuilder::FinishLine(bool forced, bool last)
{
    std::vector<Run> carried;
    if (!forced && !last)
        carried = TakeTrailingAnchors();
    size_t end = m_runs.size();
    if (end <= m_line.firstRun && !forced) {
        PlacePendingFloats();
        return;
    }
    int ascent, descent;
    LineExtent(end, forced, ascent, descent);
    int lineHeight = ascent + descent;
    int baseline = m_line.top + ascent;
    int dx = AlignLine(end, forced, last);
    PlaceRuns(end, dx, lineHeight, baseline);
    LineBox line;
    line.top = m_line.top;
    line.height = lineHeight;
    line.baseline = baseline;
    line.firstRun = m_line.firstRun;
    line.runCount = end - m_line.firstRun;
    m_box->lines.push_back(line);
    m_line.top = Clamp(static_cast<long long>(m_line.top) + lineHeight);
    m_line.firstLine = false;
    PlacePendingFloats();
    StartLine();
    for (Run& a : carried) {
        a.x = m_line.x;
        m_runs.push_back(a);
    }
    MoveBoxesOpenedAtEnd(end);
}

// Height above and below the baseline of the line's runs, at least the block's strut; a line of
// anchors alone takes no height.
void LayoutTree::Engine::LineBuilder::LineExtent(size_t end, bool forced, int& ascent, int& descent)
{
    ascent = m_strutAscent;
    descent = m_strutDescent;
    bool onlyAnchors = true;
    for (size_t i = m_line.firstRun; i < end; ++i) {
        Run& r = m_runs[i];
        if (r.kind == Run::Kind::Anchor || r.kind == Run::Kind::InlineBox || r.floating)
            continue;
        onlyAnchors = false;
        int a, d;
        RunExtent(r, a, d);
        ascent = std::max(ascent, a);
        descent = std::max(descent, d);
    }
    if (onlyAnchors && !forced && !m_line.hasContent)
        ascent = descent = 0;
}

// Height of one run above and below the baseline. The run's baseline field keeps its shift
// (text) or ascent (images) until the line's baseline is known.
void LayoutTree::Engine::LineBuilder::RunExtent(Run& r, int& a, int& d)
{
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
        r.baseline = shift;
        return;
    }
    VAlign va = r.style->verticalAlign;
    if (va == VAlign::Middle) {
        a = r.height / 2 + m_strutFont->Ascent() / 3;
        d = r.height - a;
    } else if (va == VAlign::Top || va == VAlign::TextTop) {
        a = m_strutAscent;
        d = r.height - a;
    } else {
        a = r.height;
        d = 0;
    }
    r.baseline = a;
}

// Horizontal shift of the line for its alignment (trailing spaces do not count); justified
// lines spread the free room over their spaces instead.
int LayoutTree::Engine::LineBuilder::AlignLine(size_t end, bool forced, bool last)
{
    int used = 0;
    for (size_t i = m_line.firstRun; i < end; ++i)
        if (!m_runs[i].floating)
            used = std::max(used, m_runs[i].x + m_runs[i].width - m_line.left);
    int trailing = 0;
    for (size_t i = end; i > m_line.firstRun; --i) {
        Run& r = m_runs[i - 1];
        if (r.kind == Run::Kind::Anchor || r.kind == Run::Kind::InlineBox || r.floating)
            continue;
        if (r.kind == Run::Kind::Text)
            for (size_t k = r.start + r.length; k > r.start && m_stream[k - 1] == L' '; --k)
                trailing += r.font->CharWidth(L' ');
        break;
    }
    int free = (m_line.right - m_line.left) - (used - trailing);
    TextAlign align = m_style.textAlign;
    if (align == TextAlign::Center)
        return std::max(0, free / 2);
    if (align == TextAlign::Right)
        return std::max(0, free);
    if (align == TextAlign::Justify && !forced && !last && free > 0 && m_style.Wraps())
        Justify(end, free);
    return 0;
}

void LayoutTree::Engine::LineBuilder::Justify(size_t end, int free)
{
    int spaces = 0;
    for (size_t i = m_line.firstRun; i < end; ++i) {
        const Run& r = m_runs[i];
        if (r.kind == Run::Kind::Text)
            for (size_t k = r.start; k < r.start + r.length; ++k)
                spaces += m_stream[k] == L' ';
    }
    spaces -= TrailingSpaces(end);
    if (spaces <= 0)
        return;
    int extra = free / spaces;
    int shift = 0;
    for (size_t i = m_line.firstRun; i < end; ++i) {
        Run& r = m_runs[i];
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

// Spaces at the end of the line's last run of text or image.
int LayoutTree::Engine::LineBuilder::TrailingSpaces(size_t end) const
{
    for (size_t i = end; i > m_line.firstRun; --i) {
        const Run& r = m_runs[i - 1];
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

// Moves the line's runs by its alignment and onto its baseline.
void LayoutTree::Engine::LineBuilder::PlaceRuns(size_t end, int dx, int lineHeight, int baseline)
{
    for (size_t i = m_line.firstRun; i < end; ++i) {
        Run& r = m_runs[i];
        if (r.floating)
            continue;
        r.x += dx;
        r.lineTop = m_line.top;
        r.lineHeight = lineHeight;
        if (r.kind == Run::Kind::Text) {
            int shift = r.baseline;
            r.baseline = baseline + shift;
            r.y = r.baseline - r.font->Ascent();
            r.height = r.font->Height();
        } else if (r.kind == Run::Kind::Anchor) {
            r.y = m_line.top;
            r.baseline = baseline;
            r.height = 0;
        } else if (r.kind == Run::Kind::InlineBox) {
            Edges e = m_engine.InlineEdges(*r.style, m_cw);
            r.y = baseline - r.font->Ascent() - e.top;
            r.height = r.font->Height() + e.top + e.bottom;
            r.baseline = baseline;
        } else {
            int a = r.baseline;
            r.baseline = baseline;
            r.y = baseline - a;
        }
        m_engine.maxRight = std::max(m_engine.maxRight, r.x + r.width);
    }
}

// Inline boxes opened at the very end of a finished line start on the new one instead.
void LayoutTree::Engine::LineBuilder::MoveBoxesOpenedAtEnd(size_t end)
{
    for (OpenBox& box : m_openBoxes)
        if (box.runIndex >= end && box.lines + 1 == m_box->lines.size()) {
            box.lines = m_box->lines.size();
            box.runIndex = m_runs.size();
            box.x = m_line.x;
            m_line.x += m_engine.InlineEdges(*box.node->style, m_cw).left;
        }
}

void LayoutTree::Engine::LineBuilder::Add(const LayoutBox::InlineItem& item)
{
    switch (item.kind) {
    case LayoutBox::InlineItem::Kind::Break:
        FinishLine(true);
        break;
    case LayoutBox::InlineItem::Kind::Open:
        OpenInlineBox(item.node);
        break;
    case LayoutBox::InlineItem::Kind::Close:
        CloseInlineBox(item.node);
        break;
    case LayoutBox::InlineItem::Kind::Anchor:
        AddAnchor(item.node);
        break;
    case LayoutBox::InlineItem::Kind::FloatImage:
        AddFloat(item.node);
        break;
    case LayoutBox::InlineItem::Kind::Image:
        AddImage(item.node);
        break;
    case LayoutBox::InlineItem::Kind::Text:
        AddText(item.node);
        break;
    }
}

int LayoutTree::Engine::LineBuilder::Finish()
{
    if (m_runs.size() > m_line.firstRun || !m_line.pendingFloats.empty())
        FinishLine(false, true);
    return m_box->lines.empty() ? 0 : m_line.top - m_cy;
}

void LayoutTree::Engine::LineBuilder::OpenInlineBox(Node* e)
{
    const ComputedStyle& s = *e->style;
    Edges edges = m_engine.InlineEdges(s, m_cw);
    m_line.x += s.margin[3].Resolve(m_cw, m_zoom);
    m_openBoxes.push_back({e, m_line.x, m_box->lines.size(), m_runs.size()});
    m_line.x += edges.left;
}

void LayoutTree::Engine::LineBuilder::CloseInlineBox(Node* e)
{
    const ComputedStyle& s = *e->style;
    Edges edges = m_engine.InlineEdges(s, m_cw);
    int endX = m_line.x + edges.right;
    for (size_t k = m_openBoxes.size(); k-- > 0;) {
        const OpenBox& open = m_openBoxes[k];
        if (open.node != e)
            continue;
        // Boxes split over lines keep only the backgrounds of their text.
        if (open.lines == m_box->lines.size() && open.runIndex >= m_line.firstRun && open.runIndex <= m_runs.size()) {
            Run box;
            box.kind = Run::Kind::InlineBox;
            box.node = e;
            box.style = &s;
            box.font = m_engine.StyleFont(s);
            box.x = open.x;
            box.width = endX - open.x;
            m_runs.insert(m_runs.begin() + static_cast<std::ptrdiff_t>(open.runIndex), box);
        }
        m_openBoxes.erase(m_openBoxes.begin() + static_cast<std::ptrdiff_t>(k));
        break;
    }
    m_line.x = endX + s.margin[1].Resolve(m_cw, m_zoom);
}

void LayoutTree::Engine::LineBuilder::AddAnchor(Node* e)
{
    Run r;
    r.kind = Run::Kind::Anchor;
    r.node = e;
    r.style = e->style;
    r.x = m_line.x;
    m_runs.push_back(r);
}

// A float at the start of a line goes beside it at once; after content it waits for the line's end.
void LayoutTree::Engine::LineBuilder::AddFloat(Node* img)
{
    if (m_line.hasContent) {
        m_line.pendingFloats.push_back(img);
        return;
    }
    PlaceFloat(img, m_line.top);
    int oldLeft = m_line.left;
    m_line.left = m_fc.LeftEdge(m_line.top, m_strutHeight, m_cx);
    m_line.right = std::max(m_line.left, m_fc.RightEdge(m_line.top, m_strutHeight, m_cx + m_cw));
    m_line.x += m_line.left - oldLeft;
}

void LayoutTree::Engine::LineBuilder::AddImage(Node* img)
{
    const ComputedStyle& s = *img->style;
    const Image* image;
    int w, h;
    m_engine.ImageSize(img, s, m_cw, image, w, h);
    int bw = s.HasBorder(0) ? static_cast<int>(s.borderWidth[0] * m_zoom) : 0;
    int ml = s.margin[3].Resolve(m_cw, m_zoom), mr = s.margin[1].Resolve(m_cw, m_zoom);
    int total = w + 2 * bw + ml + mr;
    if (m_line.hasContent && m_style.Wraps() && m_line.x + total > m_line.right)
        FinishLine(false);
    Run r;
    r.kind = image ? Run::Kind::Image : Run::Kind::AltText;
    r.node = img;
    r.style = &s;
    r.font = m_engine.StyleFont(s);
    r.image = image;
    r.link = LinkOf(img, m_box->node);
    r.x = m_line.x + ml + bw;
    r.width = w;
    r.height = h + bw;
    m_runs.push_back(r);
    m_line.x += total;
    m_line.hasContent = true;
}

void LayoutTree::Engine::LineBuilder::AddText(Node* t)
{
    const ComputedStyle* s = StyleOfText(t);
    if (!s)
        return;
    Font* font = m_engine.StyleFont(*s);
    const wchar_t* p = m_stream.c_str() + t->streamStart;
    size_t n = t->streamLength;
    bool wraps = s->Wraps();
    bool pre = s->PreservesSpaces();
    Node* link = LinkOf(t->Parent(), m_box->node);
    COLORREF bg = 0;
    bool hasBg = false;
    for (Node* a = t->Parent(); a && a != m_box->node && a->style && !a->style->IsBlockLevel(); a = a->Parent())
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
            FinishLine(true);
            ++i;
            continue;
        }
        if (wraps && !m_line.hasContent && !pre && p[i] == L' ') {
            ++i; // collapsed space at the start of a line
            continue;
        }
        size_t j = PieceEnd(p, n, i, wraps);
        // Width of the piece, with tab stops for preformatted text.
        int w = 0, spaceTail = 0;
        for (size_t k = i; k < j; ++k) {
            int cwid = p[k] == L'\t' ? tab - ((m_line.x + w - m_line.left) % std::max(1, tab)) : font->CharWidth(p[k]);
            w += cwid;
            spaceTail = (p[k] == L' ') ? spaceTail + cwid : 0;
        }
        if (wraps && m_line.hasContent && m_line.x + w - spaceTail > m_line.right) {
            FinishLine(false);
            continue; // retry the piece on the new line (its leading spaces get skipped)
        }
        if (wraps && !m_line.hasContent && m_line.x + w - spaceTail > m_line.right && j - i > 1) {
            // Longer than a whole line: break it where it overflows.
            int acc = 0;
            size_t k = i;
            while (k < j && (k == i || m_line.x + acc + font->CharWidth(p[k]) <= m_line.right)) {
                acc += font->CharWidth(p[k]);
                ++k;
            }
            j = k;
            w = acc;
        }
        AppendText(t, s, font, link, bg, hasBg, t->streamStart + i, j - i, w);
        m_line.x += w;
        m_line.hasContent = true;
        i = j;
    }
}

// Adds text to the line, extending the last run when the text continues it.
void LayoutTree::Engine::LineBuilder::AppendText(Node* t, const ComputedStyle* s, Font* font, Node* link, COLORREF bg,
                                                 bool hasBg, size_t start, size_t length, int width)
{
    if (m_runs.size() > m_line.firstRun) {
        Run& last = m_runs.back();
        if (last.kind == Run::Kind::Text && last.node == t && last.start + last.length == start &&
            last.x + last.width == m_line.x) {
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
    r.x = m_line.x;
    r.width = width;
    r.start = start;
    r.length = length;
    r.startColumn = m_line.left;
    r.inlineBackground = bg;
    r.hasInlineBackground = hasBg;
    m_runs.push_back(r);
}

void LayoutTree::Engine::ImageSize(Node* img, const ComputedStyle& s, int cw, const Image*& image, int& w, int& h)
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
        if (sw >= 0 && sh >= 0) {
            w = sw;
            h = sh;
        } else if (sw >= 0) {
            w = sw;
            h = static_cast<int>(static_cast<long long>(ih) * sw / iw);
        } else if (sh >= 0) {
            h = sh;
            w = static_cast<int>(static_cast<long long>(iw) * sh / ih);
        } else {
            w = iw;
            h = ih;
        }
    } else {
        Font* f = StyleFont(s);
        std::wstring alt = img->GetAttribute(L"alt");
        int aw = alt.empty() ? static_cast<int>(20 * m_zoom) : f->TextWidth(alt.c_str(), alt.size()) + 6;
        int ah = alt.empty() ? static_cast<int>(20 * m_zoom) : f->Height() + 4;
        w = sw >= 0 ? sw : aw;
        h = sh >= 0 ? sh : ah;
    }
    w = std::max(0, std::min(w, 100000));
    h = std::max(0, std::min(h, 100000));
}

Edges LayoutTree::Engine::InlineEdges(const ComputedStyle& s, int cw) const
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

int LayoutTree::Engine::LayoutInline(LayoutBox* b, int cx, int cy, int cw, FloatContext& fc)
{
    LineBuilder lines(*this, b, cx, cy, cw, fc);
    for (const LayoutBox::InlineItem& item : b->items)
        lines.Add(item);
    return lines.Finish();
}

void LayoutTree::Engine::InlineIntrinsic(LayoutBox* b, int& mn, int& mx)
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
        if (item.kind == LayoutBox::InlineItem::Kind::Text)
            TextIntrinsic(item.node, mn, mx, line);
    }
    mx = std::max(mx, line);
}

// Widest unbreakable piece of a text (into `mn`) and widest line (into `mx`, with the open
// line's width in `line`).
void LayoutTree::Engine::TextIntrinsic(Node* t, int& mn, int& mx, int& line)
{
    const ComputedStyle* s = StyleOfText(t);
    if (!s)
        return;
    Font* font = StyleFont(*s);
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

} // namespace fxb
