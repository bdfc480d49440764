// GDI fonts of the engine with cached character widths, so that measuring text is a table lookup.
#pragma once
#include <windows.h>
#include <map>
#include <memory>
#include <string>
#include <tuple>

namespace fxb {

class Font
{
public:
    Font(const std::wstring& face, int pixelHeight, int weight, bool italic);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    HFONT Handle() const { return m_font; }
    int Ascent() const { return m_ascent; }
    int Descent() const { return m_descent; }
    int Height() const { return m_ascent + m_descent; }
    int LineHeight() const { return m_ascent + m_descent + m_externalLeading; }
    int PixelSize() const { return m_pixelSize; }
    int CharWidth(wchar_t c)
    {
        const std::unique_ptr<int[]>& page = m_pages[static_cast<unsigned short>(c) >> 8];
        return page ? page[c & 0xFF] : LoadCharWidth(c);
    }
    int TextWidth(const wchar_t* text, size_t length);
    int SpaceWidth() { return CharWidth(L' '); }

private:
    int LoadCharWidth(wchar_t c);

    HFONT m_font = nullptr;
    int m_ascent = 0, m_descent = 0, m_externalLeading = 0, m_pixelSize = 0;
    std::unique_ptr<int[]> m_pages[256]; // widths of 256-character pages, loaded on demand
};

// Process-wide cache of fonts by face, size, weight and slant.
class FontCache
{
public:
    static FontCache& Instance();
    Font* Get(const std::wstring& face, int pixelHeight, int weight, bool italic);
    HDC MeasureDC() const { return m_dc; }

private:
    FontCache();
    ~FontCache();
    HDC m_dc;
    std::map<std::tuple<std::wstring, int, int, bool>, std::unique_ptr<Font>> m_fonts;
};

} // namespace fxb
