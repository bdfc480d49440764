// Internals shared by the layout files: the builder of the box tree, the engine that positions
// the boxes (block, inline and table formatting in files of their own), and their small helpers.
#pragma once
#include "platform/browser/Document.h"
#include "platform/browser/Fonts.h"
#include "platform/browser/Layout.h"
#include "platform/browser/LayoutFloats.h"
#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

namespace fxb {

constexpr int kMaxCoordinate = 50000000; // no page grows beyond this, whatever it asks for
constexpr int kMaxColumns = 1000;

inline int Clamp(long long v)
{
    return static_cast<int>(std::max<long long>(-kMaxCoordinate, std::min<long long>(kMaxCoordinate, v)));
}

inline Font* FontFor(const ComputedStyle& s, float zoom)
{
    return FontCache::Instance().Get(s.fontFace, static_cast<int>(std::lround(s.fontSize * zoom)), s.fontWeight,
                                     s.italic);
}

inline const ComputedStyle* StyleOfText(const Node* text)
{
    return text->Parent() ? text->Parent()->style : nullptr;
}

inline int LineHeightOf(const ComputedStyle& s, Font* font, float zoom)
{
    if (s.lineHeight <= 0)
        return font->LineHeight();
    if (s.lineHeightIsFactor)
        return static_cast<int>(std::lround(s.lineHeight * s.fontSize * zoom));
    return static_cast<int>(std::lround(s.lineHeight * zoom));
}

// Builds the box tree from the document tree: blocks, anonymous blocks around inline content
// next to blocks, tables with their rows and cells, and list markers.
class LayoutTree::Builder
{
public:
    explicit Builder(Document& doc) : m_doc(doc) {}

    std::unique_ptr<LayoutBox> BuildBlock(Node* e, int ordinal);

private:
    // Inline items waiting for a block, and the blocks collected so far, while the children of
    // one element are walked.
    struct Children
    {
        std::vector<LayoutBox::InlineItem> pending;
        std::vector<std::unique_ptr<LayoutBox>> blocks;
        int ordinal = 1;
    };

    void BuildTable(LayoutBox* table, Node* e);
    std::unique_ptr<LayoutBox> BuildRow(Node* tr);
    bool IsBlankText(const LayoutBox::InlineItem& item);
    void CollectChildren(LayoutBox* box, Node* e);
    void FlushInline(LayoutBox* box, Children& children);
    void AddBlockChild(LayoutBox* box, Node* c, Children& children);

    Document& m_doc;
};

// Positions and sizes the boxes of the tree. Block layout is in LayoutBlock.cpp, inline layout
// (lines, text and images) in LayoutInline.cpp, tables in LayoutTable.cpp.
class LayoutTree::Engine
{
public:
    Engine(Document& doc, float zoom) : m_doc(doc), m_stream(doc.Stream()), m_zoom(zoom) {}

    int maxRight = 0; // right edge of everything laid out so far

    // Block formatting.
    void ResolveEdges(LayoutBox* b, int avail);
    void LayoutBlock(LayoutBox* b, int x, int y, int avail, FloatContext& fc, int depth = 0);
    // The font of a style at the engine's zoom; styles are shared by many elements, so the font
    // cache is asked once per style.
    Font* StyleFont(const ComputedStyle& s)
    {
        if (&s == m_lastStyle)
            return m_lastFont;
        Font*& font = m_fonts[&s];
        if (!font)
            font = FontFor(s, m_zoom);
        m_lastStyle = &s;
        m_lastFont = font;
        return font;
    }

    // Moves a box and everything in it; the contents move when ApplyShifts runs, at the end of layout.
    void Shift(LayoutBox* b, int dx, int dy);
    void ApplyShifts(LayoutBox* root);
    // Narrowest and widest useful border-box widths of a box (cached on the box).
    void Intrinsic(LayoutBox* b, int& mn, int& mx, int depth);

private:
    class LineBuilder;
    struct Grid;
    struct Offset
    {
        int dx = 0, dy = 0;
    };
    struct ColumnLimits;

    int LayoutChildren(LayoutBox* b, int cx, int cy, int cw, FloatContext& fc, int depth);

    // Inline formatting.
    void ImageSize(Node* img, const ComputedStyle& s, int cw, const Image*& image, int& w, int& h);
    // Border plus padding of an inline element on each side, in device pixels.
    Edges InlineEdges(const ComputedStyle& s, int cw) const;
    int LayoutInline(LayoutBox* b, int cx, int cy, int cw, FloatContext& fc);
    void InlineIntrinsic(LayoutBox* b, int& mn, int& mx);
    void TextIntrinsic(Node* t, int& mn, int& mx, int& line);

    // Table formatting.
    void BuildGrid(LayoutBox* table, Grid& g);
    int Spacing(const ComputedStyle& s) const;
    void Gaps(LayoutBox* table, const Grid& g, int& edge, int& inter) const;
    static int TotalGaps(int columns, int edge, int inter);
    void ColumnWidths(LayoutBox* table, Grid& g, ColumnLimits& limits, int depth);
    void TableIntrinsic(LayoutBox* table, int& mn, int& mx, int depth);
    void LayoutTable(LayoutBox* t, int x, int y, int avail, int depth);
    int TableTargetWidth(LayoutBox* t, const ColumnLimits& limits, int gaps, int avail);
    std::vector<int> DistributeColumns(const ColumnLimits& limits, int target, int gaps);
    void PlaceTableBox(LayoutBox* t, int x, int y, int avail, int boxWidth);
    int LayoutCaptions(LayoutBox* t, int boxWidth, int depth);
    std::vector<int> LayoutCells(const Grid& g, const std::vector<int>& colX, int spacing, int depth);
    void PlaceRowsAndCells(const Grid& g, const std::vector<int>& rowTop, const std::vector<int>& rowHeight,
                           const std::vector<int>& colX, int spacing);

    Document& m_doc;
    const std::wstring& m_stream;
    float m_zoom;
    std::unordered_map<const LayoutBox*, Offset> m_pendingShifts;
    std::unordered_map<const ComputedStyle*, Font*> m_fonts;
    const ComputedStyle* m_lastStyle = nullptr;
    Font* m_lastFont = nullptr; // moves of boxes' contents still to apply
};

} // namespace fxb
