// Drawing helpers: gradients, alpha and transparent blits natively and through their own
// fallbacks, the scoped DC objects and the small helpers.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

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

TEST(DrawHelperFunctions, FontsClassesAndSmallHelpers)
{
    EXPECT_FALSE(IsFontInstalled(L"Arial")) << "Wine here has no Arial";
    EXPECT_TRUE(IsFontInstalled(L"Tahoma"));
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
