#include "tests/browser/BrowserTestSupport.h"
#include "platform/browser/ImageLoader.h"
#include <windows.h>

namespace browsertest {

using namespace fxb;

std::wstring Dump(const Node* node)
{
    if (node->IsText())
        return L"\"" + node->Text() + L"\"";
    std::wstring out = node->Tag();
    if (node->ChildCount()) {
        out += L"(";
        for (size_t i = 0; i < node->ChildCount(); ++i) {
            if (i)
                out += L",";
            out += Dump(node->Child(i));
        }
        out += L")";
    }
    return out;
}

std::wstring DumpBody(const std::wstring& html)
{
    auto doc = Parse(html);
    std::wstring out;
    Node* body = doc->BodyNode();
    for (size_t i = 0; i < body->ChildCount(); ++i) {
        if (i)
            out += L",";
        out += Dump(body->Child(i));
    }
    return out;
}

std::shared_ptr<Document> Parse(const std::wstring& html, int textSizeLevel, const std::wstring& url)
{
    return Document::Create(url, html, 65001, textSizeLevel);
}

Node* ById(Document& doc, const std::wstring& id)
{
    HtmlElement e = doc.getElementById(id);
    return e.node();
}

std::unique_ptr<LayoutTree> LayOut(Document& doc, int width, float zoom)
{
    return std::make_unique<LayoutTree>(doc, width, zoom, true);
}

Rendering::Rendering(Document& doc, const LayoutTree& layout, int width, int height, const PaintOptions& extra)
    : m_width(width), m_height(height)
{
    Image canvas(width, height); // a 32-bit top-down bitmap whose bits can be read back
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, canvas.Bitmap());
    PaintOptions opt = extra;
    opt.clip = {0, 0, width, height};
    Painter(doc, layout).Paint(dc, opt);
    GdiFlush();
    m_pixels.assign(canvas.Bits(), canvas.Bits() + width * height);
    SelectObject(dc, old);
    DeleteDC(dc);
}

COLORREF Rendering::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    DWORD v = m_pixels[y * m_width + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int Rendering::Count(COLORREF color, int left, int top, int right, int bottom) const
{
    int n = 0;
    for (int y = std::max(0, top); y < std::min(bottom, m_height); ++y)
        for (int x = std::max(0, left); x < std::min(right, m_width); ++x)
            if (Pixel(x, y) == color)
                ++n;
    return n;
}

void WriteFile(const std::wstring& path, const std::string& bytes)
{
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (f != INVALID_HANDLE_VALUE) {
        ::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(f);
    }
}

std::string Utf16File(const std::wstring& text)
{
    std::string out("\xFF\xFE", 2);
    out.append(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    return out;
}

std::string Utf8(const std::wstring& text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

} // namespace browsertest
