// Drawing helpers: gradients, alpha and transparent blits natively and through their own
// fallbacks, the scoped DC objects and the small helpers.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "tests/common/WineTestSupport.h"
#include "tests/toolkit/foundation/FoundationTestSupport.h"
#include "toolkit/foundation/ColorManager.h"
#include "toolkit/foundation/DrawHelpers.h"

using foundationtest::Near;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

// A memory DC over a white 32-bit DIB whose pixels the test reads directly.
class Surface
{
public:
    Surface(int cx, int cy, COLORREF fill = kWhite) : m_cx(cx), m_cy(cy)
    {
        m_dc.Attach(CreateCompatibleDC(nullptr));
        m_bitmap = CreateDIB32(m_dc, cx, cy, reinterpret_cast<void**>(&m_bits));
        m_old = SelectObject(m_dc, m_bitmap);
        m_dc.FillSolidRect(0, 0, cx, cy, fill);
    }
    ~Surface()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
    }
    CDC* DC() { return &m_dc; }
    HDC Handle() { return m_dc.GetSafeHdc(); }
    DWORD& Raw(int x, int y) { return m_bits[(m_cy - 1 - y) * m_cx + x]; } // bottom-up rows
    COLORREF Pixel(int x, int y)
    {
        GdiFlush();
        DWORD v = Raw(x, y);
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }

private:
    int m_cx, m_cy;
    CDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    DWORD* m_bits = nullptr;
};

class DrawHelpers : public testing::Test
{
protected:
    void TearDown() override
    {
        QorSetMissingMsimg32EntriesForTest(0);
        QorSetDisplayBitsPerPixelForTest(0);
    }
    CQorDrawHelpers* helpers = GetDrawHelpers();
};

const COLORREF kFrom = RGB(250, 40, 10), kTo = RGB(20, 120, 240);

} // namespace

TEST_F(DrawHelpers, GradientFallbackMatchesTheNativeGradientOnBothAxes)
{
    ASSERT_TRUE(helpers->HasNativeGradientFill());
    for (BOOL horizontal : {TRUE, FALSE}) {
        Surface native(90, 70), fallback(90, 70);
        CRect rc(5, 5, 85, 65);
        helpers->GradientFill(native.DC(), rc, kFrom, kTo, horizontal);
        QorSetMissingMsimg32EntriesForTest(QOR_MSIMG32_ALL);
        helpers->GradientFill(fallback.DC(), rc, kFrom, kTo, horizontal);
        QorSetMissingMsimg32EntriesForTest(0);
        EXPECT_TRUE(Near(kFrom, fallback.Pixel(5, 5), 1));
        for (int y = 0; y < 70; y += 3)
            for (int x = 0; x < 90; x += 3)
                ASSERT_TRUE(Near(native.Pixel(x, y), fallback.Pixel(x, y), 1))
                    << horizontal << " at " << x << "," << y << std::hex << " native " << native.Pixel(x, y)
                    << " fallback " << fallback.Pixel(x, y);
    }
}

TEST_F(DrawHelpers, ClippedSliceEqualsTheFullGradientsColumns)
{
    for (UINT missing : {0u, static_cast<UINT>(QOR_MSIMG32_ALL)}) {
        QorSetMissingMsimg32EntriesForTest(missing);
        Surface full(100, 10), slice(100, 10);
        CRect rc(0, 0, 100, 10), clip(30, 2, 60, 50);
        helpers->GradientFill(full.DC(), rc, kFrom, kTo, TRUE);
        helpers->GradientFillClipped(slice.DC(), rc, kFrom, kTo, TRUE, clip);
        for (int x = 30; x < 60; x++)
            ASSERT_TRUE(Near(full.Pixel(x, 5), slice.Pixel(x, 5), 2)) << missing << " column " << x;
        EXPECT_EQ(kWhite, slice.Pixel(29, 5));
        EXPECT_EQ(kWhite, slice.Pixel(60, 5));
        EXPECT_EQ(kWhite, slice.Pixel(40, 1)) << "cut across the axis too";
    }
}

TEST_F(DrawHelpers, EmptyOrUnseenGradientsDrawNothing)
{
    QorSetMissingMsimg32EntriesForTest(QOR_MSIMG32_ALL);
    Surface surface(60, 60);
    surface.DC()->IntersectClipRect(0, 0, 30, 30);
    // Outside the clip box: once filled the whole clip box.
    helpers->GradientFill(surface.DC(), CRect(40, 40, 60, 60), kFrom, kTo, TRUE);
    helpers->GradientFillClipped(surface.DC(), CRect(10, 10, 10, 20), kFrom, kTo, TRUE, CRect(0, 0, 60, 60));
    helpers->GradientFillClipped(surface.DC(), CRect(0, 0, 20, 20), kFrom, kTo, FALSE, CRect(25, 25, 25, 25));
    for (int y = 0; y < 30; y++)
        for (int x = 0; x < 30; x++)
            ASSERT_EQ(kWhite, surface.Pixel(x, y)) << x << "," << y;
}

TEST_F(DrawHelpers, GradientIsSolidOnAPaletteDisplayOrForEqualColours)
{
    Surface surface(40, 10);
    QorSetDisplayBitsPerPixelForTest(8);
    helpers->GradientFill(surface.DC(), CRect(0, 0, 20, 10), kFrom, kTo, TRUE);
    QorSetDisplayBitsPerPixelForTest(0);
    helpers->GradientFill(surface.DC(), CRect(20, 0, 40, 10), kTo, kTo, TRUE);
    EXPECT_EQ(kFrom, surface.Pixel(0, 0));
    EXPECT_EQ(kFrom, surface.Pixel(19, 9));
    EXPECT_EQ(kTo, surface.Pixel(20, 0));
    EXPECT_EQ(kTo, surface.Pixel(39, 9));
}

TEST_F(DrawHelpers, UnevenGradientMeetsAtTheMiddleColour)
{
    CQorPaintManagerColorGradient gradient;
    gradient.SetStandardValue(kFrom, kTo, 0.75f);
    COLORREF middle = BlendColorsByFactor(kTo, kFrom, 0.75); // 0.75 x first + 0.25 x second
    for (UINT missing : {0u, static_cast<UINT>(QOR_MSIMG32_ALL)}) {
        QorSetMissingMsimg32EntriesForTest(missing);
        Surface surface(100, 10);
        helpers->GradientFillGradient(surface.DC(), CRect(0, 0, 100, 10), gradient, TRUE);
        EXPECT_TRUE(Near(kFrom, surface.Pixel(0, 5), 1)) << missing;
        EXPECT_TRUE(Near(middle, surface.Pixel(50, 5), 1)) << missing << std::hex << " " << surface.Pixel(50, 5);
        EXPECT_TRUE(Near(middle, surface.Pixel(49, 5), 4)) << missing;
        EXPECT_TRUE(Near(kTo, surface.Pixel(99, 5), 4)) << missing;
    }
}

namespace {

// A source whose left half is red at 50 % (premultiplied) and right half opaque blue.
void FillHalfAlphaSource(Surface& source, int cx, int cy)
{
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            source.Raw(x, y) = x < cx / 2 ? 0x80800000 : 0xFF0000FF;
}

} // namespace

TEST_F(DrawHelpers, AlphaBlendFallbackMatchesNativeOnAHalfTransparentSource)
{
    Surface source(20, 10);
    FillHalfAlphaSource(source, 20, 10);
    Surface native(40, 20, RGB(0, 200, 0)), fallback(40, 20, RGB(0, 200, 0));
    CRect rcDest(10, 5, 30, 15), rcSrc(0, 0, 20, 10);
    EXPECT_TRUE(helpers->AlphaBlend(native.Handle(), rcDest, source.Handle(), rcSrc));
    QorSetMissingMsimg32EntriesForTest(QOR_MSIMG32_ALPHABLEND);
    EXPECT_TRUE(helpers->AlphaBlend(fallback.Handle(), rcDest, source.Handle(), rcSrc));
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 40; x++)
            ASSERT_TRUE(Near(native.Pixel(x, y), fallback.Pixel(x, y), 1))
                << x << "," << y << std::hex << " " << native.Pixel(x, y) << " " << fallback.Pixel(x, y);
    EXPECT_TRUE(Near(RGB(128, 100, 0), fallback.Pixel(12, 8), 1));
    EXPECT_EQ(RGB(0, 0, 255), fallback.Pixel(25, 8));
    EXPECT_EQ(RGB(0, 200, 0), fallback.Pixel(9, 8));
}

TEST_F(DrawHelpers, AlphaBlendFallbackClampsChannelsAboveTheirAlpha)
{
    Surface source(4, 4), fallback(4, 4, RGB(200, 200, 0));
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 4; x++)
            source.Raw(x, y) = 0x00FF0000; // red 255 at alpha 0: not premultiplied
    QorSetMissingMsimg32EntriesForTest(QOR_MSIMG32_ALPHABLEND);
    EXPECT_TRUE(helpers->AlphaBlend(fallback.Handle(), CRect(0, 0, 4, 4), source.Handle(), CRect(0, 0, 4, 4)));
    EXPECT_EQ(RGB(255, 200, 0), fallback.Pixel(1, 1));
}

// A mirrored DC, as a WS_EX_LAYOUTRTL window paints through: the fallback puts the pixels where
// the native blend does.
TEST_F(DrawHelpers, AlphaBlendFallbackMatchesNativeOnAMirroredDC)
{
    Surface source(20, 10);
    FillHalfAlphaSource(source, 20, 10);
    Surface native(80, 20, RGB(0, 200, 0)), fallback(80, 20, RGB(0, 200, 0));
    SetLayout(native.Handle(), LAYOUT_RTL);
    SetLayout(fallback.Handle(), LAYOUT_RTL);
    ASSERT_TRUE(IsDCRightToLeft(native.DC()));
    EXPECT_TRUE(helpers->AlphaBlend(native.Handle(), CRect(10, 5, 30, 15), source.Handle(), CRect(0, 0, 20, 10)));
    QorSetMissingMsimg32EntriesForTest(QOR_MSIMG32_ALPHABLEND);
    EXPECT_TRUE(helpers->AlphaBlend(fallback.Handle(), CRect(10, 5, 30, 15), source.Handle(), CRect(0, 0, 20, 10)));
    int blue = 0, blended = 0;
    for (int x = 0; x < 80; x++) {
        COLORREF a = native.Pixel(x, 8), b = fallback.Pixel(x, 8);
        EXPECT_TRUE(Near(a, b, 1)) << x << std::hex << " " << a << " " << b;
        blue += a == RGB(0, 0, 255);
        blended += Near(a, RGB(128, 100, 0), 1);
    }
    EXPECT_EQ(10, blue);
    EXPECT_EQ(10, blended);
}

TEST_F(DrawHelpers, TransparentBltFallbackKeepsTheDestinationUnderTheKeyColour)
{
    const COLORREF key = RGB(255, 0, 255), square = RGB(0, 0, 255), green = RGB(0, 200, 0);
    Surface source(10, 10, key);
    source.DC()->FillSolidRect(3, 3, 4, 4, square);
    for (UINT missing : {0u, static_cast<UINT>(QOR_MSIMG32_TRANSPARENTBLT)}) {
        QorSetMissingMsimg32EntriesForTest(missing);
        for (int scale : {1, 2}) {
            Surface dest(30, 30, green);
            EXPECT_TRUE(helpers->TransparentBlt(dest.Handle(), CRect(5, 5, 5 + 10 * scale, 5 + 10 * scale),
                                                source.Handle(), CRect(0, 0, 10, 10), key));
            EXPECT_EQ(green, dest.Pixel(5, 5)) << missing << " x" << scale;
            EXPECT_EQ(green, dest.Pixel(5 + 10 * scale - 1, 5)) << missing << " x" << scale;
            EXPECT_EQ(square, dest.Pixel(5 + 3 * scale, 5 + 3 * scale)) << missing << " x" << scale;
            EXPECT_EQ(square, dest.Pixel(5 + 7 * scale - 1, 5 + 7 * scale - 1)) << missing << " x" << scale;
            EXPECT_EQ(green, dest.Pixel(5 + 7 * scale, 5 + 7 * scale)) << missing << " x" << scale;
        }
    }
    // A black key works the same way.
    Surface blackKeyed(10, 10, RGB(0, 0, 0)), dest(10, 10, green);
    blackKeyed.DC()->FillSolidRect(3, 3, 4, 4, square);
    QorSetMissingMsimg32EntriesForTest(QOR_MSIMG32_TRANSPARENTBLT);
    helpers->TransparentBlt(dest.Handle(), CRect(0, 0, 10, 10), blackKeyed.Handle(), CRect(0, 0, 10, 10), 0);
    EXPECT_EQ(green, dest.Pixel(0, 0));
    EXPECT_EQ(square, dest.Pixel(4, 4));
}

TEST_F(DrawHelpers, BufferDCCopiesItsRectangleAndNeverHasAnEmptyBitmap)
{
    Surface target(40, 40);
    {
        CQorBufferDC buffer(target.Handle(), CRect(10, 10, 30, 30));
        EXPECT_EQ(CSize(30, 30), buffer.GetBufferSize());
        buffer.FillSolidRect(0, 0, 40, 40, RGB(9, 99, 199));
        EXPECT_EQ(kWhite, target.Pixel(15, 15)) << "nothing reaches the target before the end";
    }
    EXPECT_EQ(RGB(9, 99, 199), target.Pixel(10, 10));
    EXPECT_EQ(RGB(9, 99, 199), target.Pixel(29, 29));
    EXPECT_EQ(kWhite, target.Pixel(9, 9));
    EXPECT_EQ(kWhite, target.Pixel(30, 30));
    CQorBufferDC empty(target.Handle(), CRect(0, 0, 0, 0));
    EXPECT_EQ(CSize(1, 1), empty.GetBufferSize());

    {
        CQorBufferDCEx shifted(target.Handle(), CRect(20, 0, 30, 10));
        shifted.FillSolidRect(20, 0, 10, 10, RGB(1, 2, 3)); // target coordinates
    }
    EXPECT_EQ(RGB(1, 2, 3), target.Pixel(20, 0));
    EXPECT_EQ(RGB(1, 2, 3), target.Pixel(29, 9));
    EXPECT_EQ(kWhite, target.Pixel(19, 0));
}

namespace {

// What a buffered test window shows at its logical top-left corner over the button face:
// a text or an icon, through CQorBufferDC or CQorBufferDCEx.
struct BufferedContent
{
    const wchar_t* text;
    HICON icon;
    bool bufferEx;
};

void DrawContent(CDC* pDC, const CRect& rc, const BufferedContent& content)
{
    pDC->FillSolidRect(rc, GetSysColor(COLOR_BTNFACE));
    if (content.icon) {
        DrawIconEx(pDC->GetSafeHdc(), 0, 0, content.icon, 0, 0, 0, nullptr, DI_NORMAL);
        return;
    }
    HGDIOBJ old = SelectObject(pDC->GetSafeHdc(), GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(pDC->GetSafeHdc(), GetSysColor(COLOR_WINDOWTEXT));
    SetBkMode(pDC->GetSafeHdc(), TRANSPARENT);
    CRect rcText = rc;
    DrawTextW(pDC->GetSafeHdc(), content.text, -1, &rcText, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_SINGLELINE);
    SelectObject(pDC->GetSafeHdc(), old);
}

LRESULT CALLBACK BufferedWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    const auto* content = reinterpret_cast<const BufferedContent*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hWnd, &ps);
    CRect rc;
    GetClientRect(hWnd, &rc);
    if (content->bufferEx) {
        CQorBufferDCEx buffer(hdc, rc);
        DrawContent(&buffer, rc, *content);
    } else {
        CQorBufferDC buffer(hdc, rc);
        DrawContent(&buffer, rc, *content);
    }
    EndPaint(hWnd, &ps);
    return 0;
}

// What the screen shows of a window, row by row from its top-left corner on screen (a
// mirrored window's client origin is its right edge, so its window rectangle is used).
std::vector<COLORREF> ScreenPixels(HWND hWnd, int& cx, int& cy)
{
    RECT rc;
    GetWindowRect(hWnd, &rc);
    cx = rc.right - rc.left;
    cy = rc.bottom - rc.top;
    std::vector<COLORREF> pixels;
    HDC screen = GetDC(nullptr);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            pixels.push_back(GetPixel(screen, rc.left + x, rc.top + y));
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The pixels that differ from the button face, cut out to their bounding box.
struct Ink
{
    RECT box = {0, 0, 0, 0};
    std::vector<COLORREF> pixels;
};

Ink CutInk(const std::vector<COLORREF>& pixels, int cx, int cy)
{
    Ink ink;
    ink.box = {cx, cy, 0, 0};
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            if (pixels[y * cx + x] != GetSysColor(COLOR_BTNFACE)) {
                ink.box.left = std::min<LONG>(ink.box.left, x);
                ink.box.top = std::min<LONG>(ink.box.top, y);
                ink.box.right = std::max<LONG>(ink.box.right, x + 1);
                ink.box.bottom = std::max<LONG>(ink.box.bottom, y + 1);
            }
    for (int y = ink.box.top; y < ink.box.bottom; ++y)
        for (int x = ink.box.left; x < ink.box.right; ++x)
            ink.pixels.push_back(pixels[y * cx + x]);
    return ink;
}

// A 16 x 16 icon whose left half is red and right half blue: a mirror image tells.
HICON MakeTwoColourIcon()
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = 16;
    bi.bmiHeader.biHeight = -16;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    DWORD* bits = nullptr;
    ICONINFO ii = {};
    ii.fIcon = TRUE;
    ii.hbmColor = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    for (int i = 0; i < 256; ++i)
        bits[i] = (i % 16) < 8 ? 0xFF0000 : 0x0000FF;
    ii.hbmMask = CreateBitmap(16, 16, 1, 1, nullptr);
    HICON icon = CreateIconIndirect(&ii);
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
    return icon;
}

} // namespace

// In a right-to-left window the buffered drawing mirrors its layout (the content moves to
// the right edge) but not its glyphs: the content equals what a STATIC control beside it
// shows, and a text cut out of the window equals the same text drawn left to right.
TEST_F(DrawHelpers, BufferedDrawingInARightToLeftWindowMirrorsTheLayoutButNotTheGlyphs)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = BufferedWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"FolionyxBufferedTestWindow";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassW(&wc);
    HICON icon = MakeTwoColourIcon();
    const struct
    {
        const char* name;
        BufferedContent content;
    } rows[] = {
        {"text through the paint buffer", {L"Folio", nullptr, false}},
        {"icon through the rectangle buffer", {nullptr, icon, true}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const int cx = row.content.icon ? 16 : 120, cy = row.content.icon ? 16 : 24;
        HWND frames[2] = {};
        HWND buffered[2] = {};
        HWND reference = nullptr;
        for (int rtl = 0; rtl < 2; ++rtl) {
            frames[rtl] = CreateWindowExW(WS_EX_TOPMOST | (rtl ? WS_EX_LAYOUTRTL : 0), L"STATIC", L"",
                                          WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40 + rtl * 100, 300, 80, nullptr, nullptr,
                                          nullptr, nullptr);
            buffered[rtl] = CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 10, 10, cx, cy,
                                            frames[rtl], nullptr, nullptr, nullptr);
            SetWindowLongPtrW(buffered[rtl], GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&row.content));
        }
        const DWORD staticStyle = row.content.icon ? SS_ICON : SS_LEFT | SS_NOPREFIX;
        reference = CreateWindowExW(0, L"STATIC", row.content.text ? row.content.text : L"",
                                    WS_CHILD | WS_VISIBLE | staticStyle, 10, 45, cx, cy, frames[1], nullptr, nullptr,
                                    nullptr);
        if (row.content.icon)
            SendMessageW(reference, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        else
            SendMessageW(reference, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
        ASSERT_TRUE(GetWindowLongPtrW(buffered[1], GWL_EXSTYLE) & WS_EX_LAYOUTRTL) << "children take the layout";
        for (HWND frame : frames)
            RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        int w = 0, h = 0;
        testsupport::PumpUntil([&] {
            return !CutInk(ScreenPixels(buffered[0], w, h), w, h).pixels.empty() &&
                   !CutInk(ScreenPixels(buffered[1], w, h), w, h).pixels.empty() &&
                   !CutInk(ScreenPixels(reference, w, h), w, h).pixels.empty();
        });
        const Ink ltr = CutInk(ScreenPixels(buffered[0], w, h), w, h);
        const Ink rtl = CutInk(ScreenPixels(buffered[1], w, h), w, h);
        const Ink expected = CutInk(ScreenPixels(reference, w, h), w, h);
        ASSERT_FALSE(ltr.pixels.empty());

        // Text reads as drawn left to right; icons mirror as the system mirrors them.
        if (row.content.text) {
            EXPECT_EQ(ltr.pixels, rtl.pixels) << "the glyphs read as drawn left to right";
        }
        EXPECT_EQ(expected.pixels, rtl.pixels) << "as the STATIC control shows them";
        EXPECT_EQ(expected.box.left, rtl.box.left) << "at the STATIC control's place";
        EXPECT_EQ(expected.box.right, rtl.box.right);
        if (w > 2 * (ltr.box.right - ltr.box.left)) {
            EXPECT_LT(ltr.box.right, w / 2);
            EXPECT_GT(rtl.box.left, w / 2) << "the layout mirrors: the content moves to the right";
        }
        // Nothing but the content differs from the face: no edge left unpainted.
        EXPECT_EQ(expected.box.top, rtl.box.top);
        EXPECT_EQ(expected.box.bottom, rtl.box.bottom);
        for (HWND frame : frames)
            DestroyWindow(frame);
    }
    DestroyIcon(icon);
}

TEST_F(DrawHelpers, ScopedObjectsRestoreTheDCAndFreeWhatTheyMade)
{
    Surface surface(20, 20);
    HDC dc = surface.Handle();
    HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN), brush = GetCurrentObject(dc, OBJ_BRUSH);
    HGDIOBJ madePen = nullptr, madeBrush = nullptr;
    {
        CQorPenDC penDC(dc, RGB(1, 2, 3));
        CQorBrushDC brushDC(dc, RGB(4, 5, 6));
        madePen = GetCurrentObject(dc, OBJ_PEN);
        madeBrush = GetCurrentObject(dc, OBJ_BRUSH);
        EXPECT_NE(pen, madePen);
        EXPECT_NE(brush, madeBrush);
    }
    EXPECT_EQ(pen, GetCurrentObject(dc, OBJ_PEN));
    EXPECT_EQ(brush, GetCurrentObject(dc, OBJ_BRUSH));
    EXPECT_EQ(0u, GetObjectType(madePen));
    EXPECT_EQ(0u, GetObjectType(madeBrush));

    HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    COLORREF text = GetTextColor(dc);
    {
        CQorFontDC none(surface.DC(), nullptr);
        EXPECT_EQ(font, GetCurrentObject(dc, OBJ_FONT));
    }
    CFont gui;
    gui.Attach(GetStockObject(DEFAULT_GUI_FONT));
    {
        CQorFontDC fontDC(surface.DC(), &gui, RGB(7, 8, 9));
        fontDC.SetColor(RGB(10, 11, 12));
        EXPECT_EQ(gui.GetSafeHandle(), GetCurrentObject(dc, OBJ_FONT));
    }
    gui.Detach();
    EXPECT_EQ(font, GetCurrentObject(dc, OBJ_FONT));
    EXPECT_EQ(text, GetTextColor(dc)) << "the colour before the first change comes back";

    DrawTriangle(surface.DC(), RGB(200, 0, 0), {2, 2}, {17, 2}, {2, 17});
    EXPECT_EQ(RGB(200, 0, 0), surface.Pixel(4, 4));
    EXPECT_EQ(kWhite, surface.Pixel(16, 16));
    EXPECT_EQ(pen, GetCurrentObject(dc, OBJ_PEN));
}

TEST(DrawHelperFunctions, StripMnemonicDropsSingleAmpersands)
{
    struct Row
    {
        const wchar_t* in;
        const wchar_t* out;
    } rows[] = {
        {L"&File", L"File"},
        {L"Save &As...", L"Save As..."},
        {L"Fish && Chips", L"Fish & Chips"},
        {L"&&&x", L"&x"},
        {L"end&", L"end"},
        {L"", L""},
        {L"none", L"none"},
        {L"&&&&", L"&&"},
    };
    for (const Row& row : rows) {
        CString text(row.in);
        StripMnemonic(text);
        EXPECT_STREQ(row.out, static_cast<LPCWSTR>(text)) << static_cast<const void*>(row.in);
        EXPECT_EQ(static_cast<int>(wcslen(row.out)), text.GetLength());
    }
}

namespace {

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM lParam)
{
    *reinterpret_cast<bool*>(lParam) = true;
    return 0;
}

// Whether the system's font list (EnumFontFamiliesW) names the face.
bool SystemListsFace(LPCWSTR face)
{
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesW(screen, face, NoteFace, reinterpret_cast<LPARAM>(&found));
    ReleaseDC(nullptr, screen);
    return found;
}

} // namespace

TEST(DrawHelperFunctions, FontsClassesAndSmallHelpers)
{
    // Against the system's own font list, whichever faces this system has.
    for (LPCWSTR face : {L"Arial", L"Tahoma", L"Folionyx No Such Face"})
        EXPECT_EQ(SystemListsFace(face), IsFontInstalled(face) != FALSE) << static_cast<const void*>(face);
    EXPECT_TRUE(IsFontInstalled(L"Tahoma")) << "the toolkit's own default face";
    CString face;
    GetDefaultFontFaceName(face);
    LOGFONTW gui = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(gui), &gui);
    EXPECT_STREQ(gui.lfFaceName, static_cast<LPCWSTR>(face));

    EXPECT_TRUE(RegisterToolkitWindowClass(nullptr, L"QorFoundationTestClass", CS_DBLCLKS));
    WNDCLASSW wc = {};
    ASSERT_TRUE(GetClassInfoW(GetModuleHandleW(nullptr), L"QorFoundationTestClass", &wc));
    EXPECT_EQ(static_cast<UINT>(CS_DBLCLKS), wc.style);
    EXPECT_EQ(LoadCursorW(nullptr, IDC_ARROW), wc.hCursor);

    EXPECT_TRUE(IsRectZero(RECT{0, 0, 0, 0}));
    EXPECT_FALSE(IsRectZero(RECT{0, 0, 0, 1}));
    EXPECT_TRUE(IsWin2000OrLater());

    void* bits = nullptr;
    HBITMAP dib = CreateDIB32(nullptr, 7, 5, &bits);
    ASSERT_NE(nullptr, dib);
    DIBSECTION section = {};
    GetObjectW(dib, sizeof(section), &section);
    EXPECT_EQ(32, section.dsBm.bmBitsPixel);
    EXPECT_EQ(5, section.dsBmih.biHeight) << "bottom-up";
    EXPECT_EQ(bits, section.dsBm.bmBits);
    DeleteObject(dib);
}
