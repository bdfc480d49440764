// Helpers shared by the page-engine tests: parsing pages, dumping trees, laying out and painting.
#pragma once
#include "platform/browser/Document.h"
#include "platform/browser/Layout.h"
#include "platform/browser/Painter.h"
#include <memory>
#include <string>
#include <vector>

namespace browsertest {

// A compact dump of a subtree: tags with children in parentheses, text as "quoted".
std::wstring Dump(const fxb::Node* node);
// Dump of the body's children only.
std::wstring DumpBody(const std::wstring& html);

std::shared_ptr<fxb::Document> Parse(const std::wstring& html, int textSizeLevel = 2,
                                     const std::wstring& url = L"C:\\test\\page.htm");

fxb::Node* ById(fxb::Document& doc, const std::wstring& id);

// Lays a document out at a width and records node positions.
std::unique_ptr<fxb::LayoutTree> LayOut(fxb::Document& doc, int width, float zoom = 1.0f);

// Paints a laid-out document (from the top) into a 32-bit bitmap and reads it back.
class Rendering
{
public:
    Rendering(fxb::Document& doc, const fxb::LayoutTree& layout, int width, int height,
              const fxb::PaintOptions& extra = fxb::PaintOptions());
    COLORREF Pixel(int x, int y) const;
    int Count(COLORREF color, int left, int top, int right, int bottom) const;
    int Count(COLORREF color) const { return Count(color, 0, 0, m_width, m_height); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    int m_width, m_height;
    std::vector<DWORD> m_pixels;
};

// Writes bytes to a file.
void WriteFile(const std::wstring& path, const std::string& bytes);
// UTF-16LE with a byte order mark.
std::string Utf16File(const std::wstring& text);
std::string Utf8(const std::wstring& text);

} // namespace browsertest
