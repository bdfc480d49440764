// Shared pieces of the skin tests: a schema read from INI text, skin modules beside the test
// executable, and a 32-bit canvas to draw into.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "tests/common/WineTestSupport.h"
#include "toolkit/skin/SkinManager.h"
#include "toolkit/skin/SkinManagerClass.h"
#include "toolkit/skin/SkinManagerMetrics.h"
#include "toolkit/skin/SkinManagerResourceFile.h"
#include "toolkit/skin/SkinManagerSchemaDefault.h"

namespace skintest {

// INI text read into a schema through the resource file's line reader.
struct ParsedSkin
{
    explicit ParsedSkin(const std::wstring& text) : m_text(text), m_schema(nullptr)
    {
        m_file.OpenTextForTest(m_text.c_str(), m_text.size() * sizeof(wchar_t));
        ReadSchema(&m_schema, &m_file);
    }
    const CQorSkinManagerSchemaProperty* Find(LPCWSTR cls, int part, int state, int property) const
    {
        return m_schema.LookupProperty(LookupClassId(cls), part, state, property);
    }
    std::wstring m_text;
    CQorSkinManagerResourceFile m_file;
    CQorSkinManagerSchemaDefault m_schema;
};

// A 24-bit BMP file; pixel(x, y) from the top-left.
inline std::string BmpFile(int width, int height, std::function<COLORREF(int, int)> pixel)
{
    const int stride = (width * 3 + 3) & ~3;
    std::string pixels(static_cast<size_t>(stride) * height, '\0');
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = pixel(x, y);
            char* p = &pixels[(height - 1 - y) * stride + x * 3];
            p[0] = static_cast<char>(GetBValue(c));
            p[1] = static_cast<char>(GetGValue(c));
            p[2] = static_cast<char>(GetRValue(c));
        }
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    return std::string(reinterpret_cast<const char*>(&file), sizeof(file)) +
           std::string(reinterpret_cast<const char*>(&info), sizeof(info)) + pixels;
}

inline std::string BmpFile(int width, int height, COLORREF colour)
{
    return BmpFile(width, height, [colour](int, int) { return colour; });
}

// A skin folder with an ANSI INI and images, opened by a manager of its own.
struct FolderSkin
{
    explicit FolderSkin(const std::string& ini, DWORD options = 7)
    {
        testsupport::WriteFileBytes(m_folder.File(L"normal.ini"), ini);
        m_manager.SetApplyOptions(options);
    }
    void AddFile(const std::wstring& name, const std::string& bytes)
    {
        testsupport::WriteFileBytes(m_folder.File(name), bytes);
    }
    bool Open()
    {
        const std::wstring path = m_folder.Path().substr(0, m_folder.Path().size() - 1);
        if (!m_manager.OpenSkinFile(path.c_str(), L"normal.ini"))
            return false;
        m_manager.GetMetrics()->Refresh();
        m_manager.GetSchema()->RefreshMetrics();
        return true;
    }
    CQorSkinManagerClass* Class(LPCWSTR name) { return m_manager.GetClass(name); }
    testsupport::TempFolder m_folder;
    CQorSkinManager m_manager;
};

inline std::wstring ModulePath(LPCWSTR name)
{
    return testsupport::ExecutableFolder() + name;
}

// A 32-bit top-down DIB section and its pixels.
inline HBITMAP MakeTopDownSection(int width, int height, DWORD** bits)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    return ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(bits), nullptr, 0);
}

// The expected colours of the fixtures (written by resources/make-skins.py).
struct FixtureCell
{
    const wchar_t* cls;
    int part, state;
    COLORREF colour;
};
const FixtureCell kBorderFillCells[] = {
#include "tests/toolkit/skin/fixtures/BorderFillExpected.inc"
};

struct OfficeCell
{
    const wchar_t* image;
    int cell;
    COLORREF colour;
};
const OfficeCell kOfficeCells[] = {
#include "tests/toolkit/skin/fixtures/Office2007Expected.inc"
};

inline COLORREF OfficeColour(const wchar_t* image, int cell)
{
    for (const OfficeCell& c : kOfficeCells)
        if (wcscmp(c.image, image) == 0 && c.cell == cell)
            return c.colour;
    return static_cast<COLORREF>(-1);
}

// The border-fill fixture's colour of one cell, -1 when the sheet has no such cell.
inline COLORREF BorderFillColour(const wchar_t* cls, int part, int state)
{
    for (const FixtureCell& c : kBorderFillCells)
        if (wcscmp(c.cls, cls) == 0 && c.part == part && c.state == state)
            return c.colour;
    return static_cast<COLORREF>(-1);
}

// A 32-bit top-down DIB section with a memory DC, filled with one colour.
class SkinCanvas
{
public:
    SkinCanvas(int width, int height, COLORREF background) : m_width(width), m_height(height)
    {
        m_bitmap = MakeTopDownSection(width, height, &m_bits);
        m_dc.CreateCompatibleDC(nullptr);
        m_old = ::SelectObject(m_dc.GetSafeHdc(), m_bitmap);
        Fill(background);
    }
    ~SkinCanvas()
    {
        ::SelectObject(m_dc.GetSafeHdc(), m_old);
        ::DeleteObject(m_bitmap);
    }
    void Fill(COLORREF c)
    {
        for (int i = 0; i < m_width * m_height; ++i)
            m_bits[i] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    CDC* Dc() { return &m_dc; }
    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        const DWORD v = m_bits[y * m_width + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    // Pixels of a colour inside a rectangle (clipped to the canvas).
    int Count(COLORREF c, RECT rc) const
    {
        int n = 0;
        for (int y = std::max<int>(0, rc.top); y < std::min<int>(m_height, rc.bottom); ++y)
            for (int x = std::max<int>(0, rc.left); x < std::min<int>(m_width, rc.right); ++x)
                n += Pixel(x, y) == c ? 1 : 0;
        return n;
    }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    int m_width, m_height;
    DWORD* m_bits = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    CDC m_dc;
};

} // namespace skintest
