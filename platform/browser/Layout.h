// Layout: the box tree of a document at a width and zoom, with line boxes, tables, lists,
// images and floats. Positions are device pixels relative to the top left of the page.
#pragma once
#include "platform/browser/Style.h"
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

namespace fxb {

class Document;
class Font;
class Image;
class Node;

struct Edges
{
    int top = 0, right = 0, bottom = 0, left = 0;
};

// A piece of one line: text of one text node, an image, a zero-width anchor, or the box
// (background, border, padding) of an inline element that starts and ends on the line.
struct Run
{
    enum class Kind : uint8_t { Text, Image, Anchor, AltText, InlineBox };
    Kind kind = Kind::Text;
    Node* node = nullptr; // text node, img element or anchor element
    const ComputedStyle* style = nullptr;
    Font* font = nullptr;
    const Image* image = nullptr;
    Node* link = nullptr;                    // enclosing a[href], if any
    int x = 0, y = 0, width = 0, height = 0; // box of the run (text: font box)
    int baseline = 0;
    int lineTop = 0, lineHeight = 0;
    size_t start = 0, length = 0; // text: stream offsets
    int justify = 0;              // extra pixels after each space (justified lines)
    int startColumn = 0;          // x of the line start, for tab stops in preformatted text
    COLORREF inlineBackground = 0;
    bool hasInlineBackground = false;
    bool floating = false; // a floated image: placed beside the lines, not on one
};

struct LineBox
{
    int top = 0, height = 0, baseline = 0;
    size_t firstRun = 0, runCount = 0;
};

class LayoutBox
{
public:
    enum class Kind : uint8_t { Block, Table, Row, Cell, Rule };
    // What the inline content of a block is made of, collected when the tree is built.
    struct InlineItem
    {
        enum class Kind : uint8_t { Text, Image, FloatImage, Break, Anchor, Open, Close };
        Kind kind;
        Node* node;
    };

    Kind kind = Kind::Block;
    Node* node = nullptr; // null for anonymous blocks
    const ComputedStyle* style = nullptr;
    int x = 0, y = 0, width = 0, height = 0; // border box
    Edges margin, border, padding;
    int visualBottom = 0; // lowest painted pixel of the box and its floats
    std::vector<std::unique_ptr<LayoutBox>> children;
    std::vector<InlineItem> items; // inline content (when there are no block children)
    std::vector<Run> runs;
    std::vector<LineBox> lines;
    std::wstring marker; // list items: marker text ("1.") or empty for bullets
    bool hasMarker = false;
    // Tables.
    int col = 0, colspan = 1, rowspan = 1;
    std::vector<int> columnWidths;
    int spacing = 0;
    // Intrinsic widths (cached for the current layout pass).
    int minWidth = -1, maxWidth = -1;

    int ContentLeft() const { return x + border.left + padding.left; }
    int ContentTop() const { return y + border.top + padding.top; }
    int ContentWidth() const { return width - border.left - border.right - padding.left - padding.right; }
};

struct HitResult
{
    const Run* run = nullptr;
    const LayoutBox* box = nullptr;
    size_t streamOffset = 0; // nearest character boundary
    bool onText = false;
};

class LayoutTree
{
public:
    // Lays out `doc` for a viewport `width` pixels wide at `zoom` (1 = 100 %).
    // With `recordGeometry` the nodes receive their positions (the screen layout does this).
    LayoutTree(Document& doc, int width, float zoom, bool recordGeometry);
    ~LayoutTree();

    const LayoutBox* Root() const { return m_root.get(); }
    int ContentHeight() const { return m_height; }
    int ContentWidth() const { return m_width; }
    float Zoom() const { return m_zoom; }
    COLORREF CanvasColor() const { return m_canvas; }
    const std::wstring& CanvasImage() const { return m_canvasImage; }

    HitResult HitTest(int x, int y) const;
    // Rectangle of a stream offset (caret position) for scrolling to it.
    bool CaretRect(size_t streamOffset, RECT& out) const;
    // Y coordinates where a page may end without cutting a line, in increasing order.
    void BreakOpportunities(std::vector<int>& out) const;
    // Every run of the tree in paint order (for tests and printing).
    void CollectRuns(std::vector<const Run*>& out) const;

    // x positions of every character boundary of a text run (length + 1 values).
    static void CharPositions(Document& doc, const Run& run, std::vector<int>& out);

private:
    class Builder;
    class Engine;
    std::unique_ptr<LayoutBox> m_root;
    int m_width = 0, m_height = 0;
    float m_zoom = 1;
    COLORREF m_canvas = RGB(255, 255, 255);
    std::wstring m_canvasImage;
    Document& m_doc;
};

} // namespace fxb
