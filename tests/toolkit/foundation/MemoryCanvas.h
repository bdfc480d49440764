// A memory DC over a 32-bit top-down DIB section, for tests that draw and read pixels.
#pragma once
#include "platform/framework/Gdi.h"
#include <windows.h>

namespace foundationtest {

// A 32-bit top-down DIB section with a DC, filled with one colour.
class Canvas
{
public:
    Canvas(int width, int height, COLORREF background) : m_width(width)
    {
        m_bitmap = MakeSection(width, height, &m_bits);
        m_dc.CreateCompatibleDC(nullptr);
        m_old = ::SelectObject(m_dc.GetSafeHdc(), m_bitmap);
        for (int i = 0; i < width * height; ++i)
            m_bits[i] = Bgr(background);
    }
    ~Canvas()
    {
        ::SelectObject(m_dc.GetSafeHdc(), m_old);
        ::DeleteObject(m_bitmap);
    }
    CDC* Dc() { return &m_dc; }
    // Pixels of a rectangle that differ from a colour.
    int CountOther(COLORREF colour, int width, int height) const
    {
        int count = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                count += Pixel(x, y) != colour ? 1 : 0;
        return count;
    }
    COLORREF Pixel(int x, int y) const
    {
        DWORD v = m_bits[y * m_width + x];
        return RGB(GetBValue(v), GetGValue(v), GetRValue(v));
    }
    static DWORD Bgr(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
    static HBITMAP MakeSection(int width, int height, DWORD** bits)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        return ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(bits), nullptr, 0);
    }

private:
    int m_width;
    DWORD* m_bits = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    CDC m_dc;
};

} // namespace foundationtest
