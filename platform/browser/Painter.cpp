#include "platform/browser/Painter.h"
#include "platform/browser/Document.h"
#include "platform/browser/Fonts.h"
#include "platform/browser/ImageLoader.h"
#include "platform/browser/Layout.h"
#include <algorithm>
#include <cmath>
#include <vector>

namespace fxb {

namespace {

// Every glyph of a run sits where the layout put it (the advance array), so the system must not
// reorder or shape the run: its bidi pass is quadratic on long runs of direction controls.
constexpr UINT kRunTextFlags = ETO_IGNORELANGUAGE;

COLORREF Mix(COLORREF a, COLORREF b, int percentB)
{
    auto ch = [&](int ca, int cb) { return (ca * (100 - percentB) + cb * percentB) / 100; };
    return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b)));
}

void Fill(HDC dc, int x, int y, int w, int h, COLORREF color)
{
    if (w <= 0 || h <= 0)
        return;
    RECT rc = {x, y, x + w, y + h};
    SetBkColor(dc, color);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}

struct Context
{
    HDC dc;
    Document& doc;
    const LayoutTree& layout;
    const PaintOptions& opt;
    int top, bottom; // visible page range
    int ox, oy;      // page to DC offset (subtract)
    COLORREF selBack, selText;
    std::vector<int> positions;
    std::vector<int> dx;
    std::wstring text;
};

void PaintBorders(Context& c, const LayoutBox& b)
{
    const ComputedStyle& s = *b.style;
    int x = b.x - c.ox, y = b.y - c.oy, w = b.width, h = b.height;
    int bt = b.border.top, br = b.border.right, bb = b.border.bottom, bl = b.border.left;
    if (!(bt || br || bb || bl))
        return;
    auto sideColor = [&](int side) {
        COLORREF col = s.borderColor[side];
        BorderStyle st = s.borderStyle[side];
        bool darkSide = side == 0 || side == 3;
        if (st == BorderStyle::Inset || st == BorderStyle::Groove)
            return darkSide ? col : Mix(col, RGB(255, 255, 255), 60);
        if (st == BorderStyle::Outset || st == BorderStyle::Ridge)
            return darkSide ? Mix(col, RGB(255, 255, 255), 60) : col;
        return col;
    };
    auto side = [&](int index, int sx, int sy, int sw, int sh) {
        if (s.borderStyle[index] == BorderStyle::Double && (index == 0 || index == 2 ? sh : sw) >= 3) {
            int t = (index == 0 || index == 2 ? sh : sw) / 3;
            if (index == 0 || index == 2) {
                Fill(c.dc, sx, sy, sw, t, sideColor(index));
                Fill(c.dc, sx, sy + sh - t, sw, t, sideColor(index));
            } else {
                Fill(c.dc, sx, sy, t, sh, sideColor(index));
                Fill(c.dc, sx + sw - t, sy, t, sh, sideColor(index));
            }
            return;
        }
        Fill(c.dc, sx, sy, sw, sh, sideColor(index));
    };
    if (bt)
        side(0, x, y, w, bt);
    if (bb)
        side(2, x, y + h - bb, w, bb);
    if (bl)
        side(3, x, y + bt, bl, h - bt - bb);
    if (br)
        side(1, x + w - br, y + bt, br, h - bt - bb);
}

void TileImage(Context& c, const std::wstring& path, int x, int y, int w, int h)
{
    const Image* img = c.doc.Images().Get(path);
    if (!img || img->Width() <= 0 || img->Height() <= 0 || w <= 0 || h <= 0)
        return;
    int iw = std::max(1, static_cast<int>(img->Width() * c.layout.Zoom()));
    int ih = std::max(1, static_cast<int>(img->Height() * c.layout.Zoom()));
    int saved = SaveDC(c.dc);
    IntersectClipRect(c.dc, x, y, x + w, y + h);
    RECT clip;
    GetClipBox(c.dc, &clip);
    int startX = x + ((clip.left - x) / iw) * iw, startY = y + ((clip.top - y) / ih) * ih;
    int count = 0;
    for (int ty = std::max(y, startY); ty < clip.bottom && count < 20000; ty += ih)
        for (int tx = std::max(x, startX); tx < clip.right && count < 20000; tx += iw, ++count) {
            RECT r = {tx, ty, tx + iw, ty + ih};
            img->Draw(c.dc, r);
        }
    RestoreDC(c.dc, saved);
}

// The first line inside a box, looked for among a bounded number of boxes: deeply nested lists
// whose items hold nothing but more lists would otherwise search their whole subtree per marker.
const LineBox* FirstLine(const LayoutBox& b, const LayoutBox** owner)
{
    const int kMaxBoxesSearched = 256;
    std::vector<const LayoutBox*> stack{&b};
    for (int searched = 0; !stack.empty() && searched < kMaxBoxesSearched; ++searched) {
        const LayoutBox* x = stack.back();
        stack.pop_back();
        if (!x->lines.empty()) {
            *owner = x;
            return &x->lines.front();
        }
        for (auto it = x->children.rbegin(); it != x->children.rend(); ++it)
            stack.push_back(it->get());
    }
    return nullptr;
}

void PaintMarker(Context& c, const LayoutBox& b)
{
    const ComputedStyle& s = *b.style;
    Font* font = FontCache::Instance().Get(s.fontFace, static_cast<int>(std::lround(s.fontSize * c.layout.Zoom())),
                                           s.fontWeight, s.italic);
    const LayoutBox* owner = nullptr;
    const LineBox* line = FirstLine(b, &owner);
    int baseline = line ? line->baseline : b.ContentTop() + font->Ascent();
    int right = b.ContentLeft() - c.ox - std::max(4, font->PixelSize() / 2);
    int y = baseline - c.oy;
    if (b.marker.empty()) {
        int size = std::max(3, font->PixelSize() * 3 / 8);
        int cy = y - font->Ascent() / 3 - size / 2;
        RECT rc = {right - size, cy, right, cy + size};
        HBRUSH brush = CreateSolidBrush(s.color);
        HPEN pen = CreatePen(PS_SOLID, 1, s.color);
        HGDIOBJ oldBrush = SelectObject(c.dc, s.listStyle == ListStyle::Circle ? GetStockObject(NULL_BRUSH) : brush);
        HGDIOBJ oldPen = SelectObject(c.dc, pen);
        if (s.listStyle == ListStyle::Square)
            FillRect(c.dc, &rc, brush);
        else
            Ellipse(c.dc, rc.left, rc.top, rc.right, rc.bottom);
        SelectObject(c.dc, oldBrush);
        SelectObject(c.dc, oldPen);
        DeleteObject(brush);
        DeleteObject(pen);
        return;
    }
    HGDIOBJ old = SelectObject(c.dc, font->Handle());
    SetTextColor(c.dc, s.color);
    int w = font->TextWidth(b.marker.c_str(), b.marker.size());
    ExtTextOutW(c.dc, right - w, y - font->Ascent(), 0, nullptr, b.marker.c_str(), static_cast<UINT>(b.marker.size()),
                nullptr);
    SelectObject(c.dc, old);
}

void PaintTextRun(Context& c, const Run& r)
{
    const ComputedStyle& s = *r.style;
    if (s.hidden)
        return;
    const std::wstring& stream = c.doc.Stream();
    LayoutTree::CharPositions(c.doc, r, c.positions);
    c.text.assign(stream, r.start, r.length);
    c.dx.resize(r.length);
    for (size_t i = 0; i < r.length; ++i) {
        c.dx[i] = c.positions[i + 1] - c.positions[i];
        if (c.text[i] == L'\t' || c.text[i] == L'\n')
            c.text[i] = L' ';
    }
    // Trailing spaces are not drawn (and not highlighted past the line end).
    int x = r.x - c.ox, y = r.y - c.oy;
    if (r.hasInlineBackground)
        Fill(c.dc, x, y, r.width, r.height, r.inlineBackground);
    HGDIOBJ old = SelectObject(c.dc, r.font->Handle());
    COLORREF color = s.color;
    SetTextColor(c.dc, color);
    ExtTextOutW(c.dc, x, y, kRunTextFlags, nullptr, c.text.c_str(), static_cast<UINT>(c.text.size()), c.dx.data());
    bool hover = c.opt.hoverLink && r.link == c.opt.hoverLink;
    uint8_t deco = s.decoration;
    int thickness = std::max(1, r.font->PixelSize() / 14);
    if (deco & kUnderline || hover) {
        int uy = r.baseline - c.oy + std::max(1, r.font->Descent() / 3);
        Fill(c.dc, x, uy, r.width, thickness, color);
    }
    if (deco & kLineThrough)
        Fill(c.dc, x, r.baseline - c.oy - r.font->Ascent() * 3 / 10, r.width, thickness, color);
    if (deco & kOverline)
        Fill(c.dc, x, y, r.width, thickness, color);
    // Selection.
    size_t a = std::max(c.opt.selectionStart, r.start), b = std::min(c.opt.selectionEnd, r.start + r.length);
    if (a < b) {
        int x0 = c.positions[a - r.start] - c.ox, x1 = c.positions[b - r.start] - c.ox;
        int ly = r.lineTop - c.oy;
        Fill(c.dc, x0, ly, x1 - x0, r.lineHeight, c.selBack);
        int saved = SaveDC(c.dc);
        IntersectClipRect(c.dc, x0, ly, x1, ly + r.lineHeight);
        SetTextColor(c.dc, c.selText);
        ExtTextOutW(c.dc, x, y, kRunTextFlags, nullptr, c.text.c_str(), static_cast<UINT>(c.text.size()), c.dx.data());
        RestoreDC(c.dc, saved);
    }
    SelectObject(c.dc, old);
}

void PaintImageRun(Context& c, const Run& r)
{
    const ComputedStyle& s = *r.style;
    if (s.hidden)
        return;
    int x = r.x - c.ox, y = r.y - c.oy;
    int bw = s.HasBorder(0) ? std::max(1, static_cast<int>(s.borderWidth[0] * c.layout.Zoom())) : 0;
    if (bw) {
        COLORREF col = r.link ? s.color : s.borderColor[0];
        Fill(c.dc, x - bw, y - bw, r.width + 2 * bw, bw, col);
        Fill(c.dc, x - bw, y + r.height - bw, r.width + 2 * bw, bw, col);
        Fill(c.dc, x - bw, y, bw, r.height - bw, col);
        Fill(c.dc, x + r.width, y, bw, r.height - bw, col);
    }
    if (r.kind == Run::Kind::Image && r.image) {
        RECT rc = {x, y, x + r.width, y + r.height - bw};
        r.image->Draw(c.dc, rc);
        return;
    }
    // A missing image: a frame with its alternative text.
    int saved = SaveDC(c.dc);
    IntersectClipRect(c.dc, x, y, x + r.width, y + r.height);
    RECT rc = {x, y, x + r.width, y + r.height};
    HBRUSH frame = CreateSolidBrush(RGB(160, 160, 160));
    FrameRect(c.dc, &rc, frame);
    DeleteObject(frame);
    std::wstring alt = r.node ? r.node->GetAttribute(L"alt") : std::wstring();
    if (!alt.empty() && r.font) {
        HGDIOBJ old = SelectObject(c.dc, r.font->Handle());
        SetTextColor(c.dc, s.color);
        ExtTextOutW(c.dc, x + 3, y + 2, 0, nullptr, alt.c_str(), static_cast<UINT>(alt.size()), nullptr);
        SelectObject(c.dc, old);
    }
    RestoreDC(c.dc, saved);
}

// The box of an inline element: background over its padding, then its borders.
void PaintInlineBox(Context& c, const Run& r)
{
    const ComputedStyle& s = *r.style;
    if (s.hidden)
        return;
    int x = r.x - c.ox, y = r.y - c.oy;
    if (s.hasBackground)
        Fill(c.dc, x, y, r.width, r.height, s.background);
    float zoom = c.layout.Zoom();
    auto width = [&](int side) {
        return s.HasBorder(side) ? std::max(1, static_cast<int>(std::lround(s.borderWidth[side] * zoom))) : 0;
    };
    int bt = width(0), br = width(1), bb = width(2), bl = width(3);
    if (bt)
        Fill(c.dc, x, y, r.width, bt, s.borderColor[0]);
    if (bb)
        Fill(c.dc, x, y + r.height - bb, r.width, bb, s.borderColor[2]);
    if (bl)
        Fill(c.dc, x, y + bt, bl, r.height - bt - bb, s.borderColor[3]);
    if (br)
        Fill(c.dc, x + r.width - br, y + bt, br, r.height - bt - bb, s.borderColor[1]);
}

void PaintBox(Context& c, const LayoutBox& root)
{
    std::vector<const LayoutBox*> stack{&root};
    // Children are pushed in reverse so that boxes paint in document order.
    while (!stack.empty()) {
        const LayoutBox& b = *stack.back();
        stack.pop_back();
        if (b.y > c.bottom || std::max(b.visualBottom, b.y + b.height) < c.top)
            continue;
        if (b.node && b.style) {
            const ComputedStyle& s = *b.style;
            bool isCanvasOwner = b.node == c.doc.Root() || b.node == c.doc.BodyNode();
            if (s.hasBackground && !isCanvasOwner)
                Fill(c.dc, b.x - c.ox, b.y - c.oy, b.width, b.height, s.background);
            if (!s.backgroundImage.empty() && !isCanvasOwner)
                TileImage(c, s.backgroundImage, b.x - c.ox, b.y - c.oy, b.width, b.height);
            if (!s.hidden)
                PaintBorders(c, b);
            if (b.hasMarker && !s.hidden)
                PaintMarker(c, b);
        }
        for (const Run& r : b.runs) {
            if (r.y > c.bottom || r.y + std::max(r.height, r.lineHeight) < c.top)
                continue;
            if (r.kind == Run::Kind::Text)
                PaintTextRun(c, r);
            else if (r.kind == Run::Kind::Image || r.kind == Run::Kind::AltText)
                PaintImageRun(c, r);
            else if (r.kind == Run::Kind::InlineBox)
                PaintInlineBox(c, r);
        }
        for (auto it = b.children.rbegin(); it != b.children.rend(); ++it)
            stack.push_back(it->get());
    }
}

} // namespace

void Painter::Paint(HDC dc, const PaintOptions& opt)
{
    int saved = SaveDC(dc);
    IntersectClipRect(dc, opt.clip.left, opt.clip.top, opt.clip.right, opt.clip.bottom);
    Context c{dc,
              m_doc,
              m_layout,
              opt,
              opt.scrollY + opt.clip.top,
              opt.scrollY + opt.clip.bottom,
              opt.scrollX,
              opt.scrollY,
              opt.selectionBack,
              opt.selectionText,
              {},
              {},
              {}};
    if (c.selBack == 0 && c.selText == 0) {
        c.selBack = GetSysColor(COLOR_HIGHLIGHT);
        c.selText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    if (opt.paintCanvas) {
        Fill(dc, opt.clip.left, opt.clip.top, opt.clip.right - opt.clip.left, opt.clip.bottom - opt.clip.top,
             m_layout.CanvasColor());
        if (!m_layout.CanvasImage().empty())
            TileImage(c, m_layout.CanvasImage(), -opt.scrollX, -opt.scrollY,
                      std::max(m_layout.ContentWidth(), static_cast<int>(opt.clip.right + opt.scrollX)),
                      std::max(m_layout.ContentHeight(), static_cast<int>(opt.clip.bottom + opt.scrollY)));
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    if (m_layout.Root())
        PaintBox(c, *m_layout.Root());
    RestoreDC(dc, saved);
}

} // namespace fxb
