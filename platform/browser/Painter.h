// Paints a laid-out page with GDI: backgrounds, borders, text, images, list markers, selection.
#pragma once
#include <windows.h>
#include <cstddef>

namespace fxb {

class Document;
class LayoutTree;
class Node;

struct PaintOptions
{
    int scrollX = 0, scrollY = 0; // page offset shown at the DC's origin
    RECT clip = {0, 0, 0, 0};     // in DC coordinates
    size_t selectionStart = 0, selectionEnd = 0;
    COLORREF selectionBack = 0, selectionText = 0; // 0/0: the system highlight colours
    const Node* hoverLink = nullptr;
    bool paintCanvas = true;
};

class Painter
{
public:
    Painter(Document& doc, const LayoutTree& layout) : m_doc(doc), m_layout(layout) {}
    void Paint(HDC dc, const PaintOptions& options);

private:
    Document& m_doc;
    const LayoutTree& m_layout;
};

} // namespace fxb
