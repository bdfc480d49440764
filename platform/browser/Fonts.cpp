#include "platform/browser/Fonts.h"
#include <algorithm>

namespace fxb {

Font::Font(const std::wstring& face, int pixelHeight, int weight, bool italic) : m_pixelSize(pixelHeight)
{
    LOGFONTW lf = {};
    lf.lfHeight = -std::max(1, pixelHeight);
    lf.lfWeight = weight;
    lf.lfItalic = italic ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_PRECIS;
    lf.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    m_font = CreateFontIndirectW(&lf);
    HDC dc = FontCache::Instance().MeasureDC();
    HGDIOBJ old = SelectObject(dc, m_font);
    TEXTMETRICW tm = {};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    m_ascent = tm.tmAscent;
    m_descent = tm.tmDescent;
    m_externalLeading = tm.tmExternalLeading;
    if (m_ascent + m_descent <= 0) {
        m_ascent = std::max(1, pixelHeight * 4 / 5);
        m_descent = std::max(1, pixelHeight / 5);
    }
}

Font::~Font()
{
    if (m_font)
        DeleteObject(m_font);
}

// Loads the widths of the 256-character page of `c` and answers the width of `c`.
int Font::LoadCharWidth(wchar_t c)
{
    unsigned page = static_cast<unsigned short>(c) >> 8;
    if (!m_pages[page]) {
        m_pages[page].reset(new int[256]);
        HDC dc = FontCache::Instance().MeasureDC();
        HGDIOBJ old = SelectObject(dc, m_font);
        UINT first = page << 8;
        if (!GetCharWidth32W(dc, first, first + 255, m_pages[page].get()))
            for (int i = 0; i < 256; ++i)
                m_pages[page][i] = m_pixelSize / 2;
        SelectObject(dc, old);
        if (page == 0xD8 || page == 0xD9 || page == 0xDA || page == 0xDB)
            for (int i = 0; i < 256; ++i)
                m_pages[page][i] = m_pixelSize; // high surrogate carries the pair's width
        if (page >= 0xDC && page <= 0xDF)
            for (int i = 0; i < 256; ++i)
                m_pages[page][i] = 0;
        if (page == 0) {
            m_pages[0][0xAD] = 0; // soft hyphen
            for (int i = 0; i < 32; ++i)
                m_pages[0][i] = 0;
        }
        if (page == 0x20)
            for (int i : {0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x60})
                m_pages[page][i] = 0; // zero-width space, joiners and marks
    }
    return m_pages[page][c & 0xFF];
}

int Font::TextWidth(const wchar_t* text, size_t length)
{
    int w = 0;
    for (size_t i = 0; i < length; ++i)
        w += CharWidth(text[i]);
    return w;
}

FontCache& FontCache::Instance()
{
    static FontCache cache;
    return cache;
}

FontCache::FontCache()
{
    m_dc = CreateCompatibleDC(nullptr);
}

FontCache::~FontCache()
{
    m_fonts.clear();
    if (m_dc)
        DeleteDC(m_dc);
}

Font* FontCache::Get(const std::wstring& face, int pixelHeight, int weight, bool italic)
{
    pixelHeight = std::max(1, std::min(pixelHeight, 4000));
    auto key = std::make_tuple(face, pixelHeight, weight >= 600 ? 700 : 400, italic);
    auto it = m_fonts.find(key);
    if (it != m_fonts.end())
        return it->second.get();
    if (m_fonts.size() > 2000)
        return m_fonts.begin()->second.get(); // a hostile page asking for endless sizes
    auto font = std::make_unique<Font>(face, pixelHeight, std::get<2>(key), italic);
    Font* raw = font.get();
    m_fonts.emplace(key, std::move(font));
    return raw;
}

} // namespace fxb
