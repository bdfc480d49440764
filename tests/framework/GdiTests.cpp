#include <gtest/gtest.h>
#include "platform/framework/Gdi.h"
#include "platform/framework/Strings.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
#include "tests/common/WineTestSupport.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// A memory DC drawing into a white 32-bit bitmap.
class MemoryDcTest : public ::testing::Test
{
protected:
    static const int kSize = 64;

    void SetUp() override
    {
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = kSize;
        info.bmiHeader.biHeight = -kSize;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        ASSERT_TRUE(bitmap.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)));
        previousBitmap = dc.SelectObject(&bitmap);
        ASSERT_NE(nullptr, previousBitmap);
        dc.FillSolidRect(0, 0, kSize, kSize, kWhite);
    }

    void TearDown() override
    {
        if (previousBitmap)
            dc.SelectObject(previousBitmap);
        AfxDeleteTempDrawingObjects();
    }

    int CountColor(COLORREF color, const CRect& area)
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (dc.GetPixel(x, y) == color)
                    ++count;
        return count;
    }

    CDC dc;
    CBitmap bitmap;
    CBitmap* previousBitmap = nullptr;
};

TEST_F(MemoryDcTest, FillSolidRectFillsExactlyTheRectangle)
{
    dc.FillSolidRect(CRect(10, 10, 20, 15), kRed);
    EXPECT_EQ(50, CountColor(kRed, CRect(0, 0, kSize, kSize)));
    EXPECT_EQ(kRed, dc.GetPixel(10, 10));
    EXPECT_EQ(kRed, dc.GetPixel(19, 14));
    EXPECT_EQ(kWhite, dc.GetPixel(20, 14));
    EXPECT_EQ(kWhite, dc.GetPixel(19, 15));
    // The fill leaves the background colour set to the fill colour.
    EXPECT_EQ(kRed, dc.GetBkColor());

    // A rectangle given with swapped edges is filled all the same.
    dc.FillSolidRect(CRect(40, 40, 30, 30), kBlue);
    EXPECT_EQ(100, CountColor(kBlue, CRect(0, 0, kSize, kSize)));
}

TEST_F(MemoryDcTest, HalftoneBrushInvertsAlternatePixelsAndTwiceRestores)
{
    CBrush* halftone = CDC::GetHalftoneBrush();
    ASSERT_NE(nullptr, halftone);
    EXPECT_EQ(halftone, CDC::GetHalftoneBrush());
    CBrush* previous = dc.SelectObject(halftone);
    dc.PatBlt(0, 0, 16, 16, PATINVERT);
    // A checker board: every pixel differs from its neighbours across and down, half inverted.
    EXPECT_EQ(128, CountColor(kWhite, CRect(0, 0, 16, 16)));
    for (int y = 0; y < 15; y++) {
        for (int x = 0; x < 15; x++) {
            ASSERT_NE(dc.GetPixel(x, y), dc.GetPixel(x + 1, y)) << x << "," << y;
            ASSERT_NE(dc.GetPixel(x, y), dc.GetPixel(x, y + 1)) << x << "," << y;
        }
    }
    dc.PatBlt(0, 0, 16, 16, PATINVERT);
    EXPECT_EQ(256, CountColor(kWhite, CRect(0, 0, 16, 16)));
    dc.SelectObject(previous);
}

TEST_F(MemoryDcTest, Draw3dRectPaintsTopLeftAndBottomRightEdges)
{
    dc.Draw3dRect(CRect(10, 10, 20, 20), kRed, kBlue);
    struct Case
    {
        int x, y;
        COLORREF expected;
    };
    const Case cases[] = {
        {10, 10, kRed},                                       // top-left corner
        {18, 10, kRed},                                       // top edge
        {10, 18, kRed},                                       // left edge
        {19, 10, kBlue},                                      // top-right corner belongs to the right edge
        {10, 19, kBlue},                                      // bottom-left corner belongs to the bottom edge
        {19, 19, kBlue},                                      // bottom-right corner
        {19, 15, kBlue},  {15, 19, kBlue},  {15, 15, kWhite}, // the inside is untouched
        {11, 11, kWhite}, {20, 15, kWhite},                   // nothing outside
        {15, 20, kWhite},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, dc.GetPixel(c.x, c.y)) << c.x << ", " << c.y;
    EXPECT_EQ(9 + 9 - 1, CountColor(kRed, CRect(0, 0, kSize, kSize)));
    EXPECT_EQ(10 + 10 - 1, CountColor(kBlue, CRect(0, 0, kSize, kSize)));
}

TEST_F(MemoryDcTest, SelectObjectReturnsThePreviousObjectForRestoring)
{
    CPen pen(PS_SOLID, 1, kRed);
    CBrush brush(kBlue);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    ASSERT_NE(nullptr, oldPen);
    ASSERT_NE(nullptr, oldBrush);
    // The DC's defaults are the stock black pen and white brush.
    EXPECT_EQ(::GetStockObject(BLACK_PEN), oldPen->m_hObject);
    EXPECT_EQ(::GetStockObject(WHITE_BRUSH), oldBrush->m_hObject);
    // The selected objects are found as their own wrappers.
    EXPECT_EQ(&pen, dc.GetCurrentPen());
    EXPECT_EQ(&brush, dc.GetCurrentBrush());

    dc.Rectangle(10, 10, 20, 20);
    EXPECT_EQ(kRed, dc.GetPixel(10, 10));
    EXPECT_EQ(kBlue, dc.GetPixel(15, 15));

    EXPECT_EQ(&pen, dc.SelectObject(oldPen));
    EXPECT_EQ(&brush, dc.SelectObject(oldBrush));
    dc.Rectangle(30, 30, 40, 40);
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(30, 30));
    EXPECT_EQ(kWhite, dc.GetPixel(35, 35));
}

TEST_F(MemoryDcTest, SelectStockObjectAndTypedPreviousFont)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, L"Tahoma"));
    CFont* oldFont = dc.SelectObject(&font);
    ASSERT_NE(nullptr, oldFont);
    EXPECT_EQ(OBJ_FONT, oldFont->GetObjectType());
    CGdiObject* replaced = dc.SelectStockObject(DEFAULT_GUI_FONT);
    EXPECT_EQ(&font, replaced);
    EXPECT_TRUE(replaced->IsKindOf(RUNTIME_CLASS(CFont)));
    dc.SelectObject(oldFont);
}

TEST_F(MemoryDcTest, SaveDcAndRestoreDcBringBackState)
{
    dc.SetTextColor(kRed);
    dc.SetBkMode(OPAQUE);
    int saved = dc.SaveDC();
    ASSERT_NE(0, saved);
    CPen pen(PS_SOLID, 1, kGreen);
    dc.SelectObject(&pen);
    dc.SetTextColor(kBlue);
    dc.SetBkMode(TRANSPARENT);
    dc.SetViewportOrg(5, 5);
    EXPECT_TRUE(dc.RestoreDC(saved));
    EXPECT_EQ(kRed, dc.GetTextColor());
    EXPECT_EQ(OPAQUE, dc.GetBkMode());
    EXPECT_EQ(CPoint(0, 0), dc.GetViewportOrg());
    EXPECT_NE(&pen, dc.GetCurrentPen());
}

TEST_F(MemoryDcTest, ClippingLimitsDrawing)
{
    int saved = dc.SaveDC();
    EXPECT_NE(ERROR, dc.IntersectClipRect(CRect(10, 10, 30, 30)));
    EXPECT_NE(ERROR, dc.ExcludeClipRect(CRect(10, 10, 20, 30)));
    CRect box;
    dc.GetClipBox(&box);
    EXPECT_EQ(CRect(20, 10, 30, 30), box);
    dc.FillSolidRect(0, 0, kSize, kSize, kRed);
    EXPECT_EQ(10 * 20, CountColor(kRed, CRect(0, 0, kSize, kSize)));
    EXPECT_TRUE(dc.PtVisible(25, 15));
    EXPECT_FALSE(dc.PtVisible(15, 15));
    dc.RestoreDC(saved);

    CRgn region;
    ASSERT_TRUE(region.CreateEllipticRgn(0, 0, 20, 20));
    EXPECT_NE(ERROR, dc.SelectClipRgn(&region));
    dc.FillSolidRect(0, 0, kSize, kSize, kBlue);
    EXPECT_EQ(kBlue, dc.GetPixel(10, 10));
    EXPECT_NE(kBlue, dc.GetPixel(0, 0)); // corner of the ellipse's box
    EXPECT_NE(kBlue, dc.GetPixel(30, 30));
    dc.SelectClipRgn(nullptr);
    dc.FillSolidRect(0, 0, 1, 1, kBlue);
    EXPECT_EQ(kBlue, dc.GetPixel(0, 0));
}

TEST_F(MemoryDcTest, CoordinateMappingMovesDrawingAndConvertsPoints)
{
    CPoint old = dc.SetViewportOrg(10, 20);
    EXPECT_EQ(CPoint(0, 0), old);
    dc.FillSolidRect(0, 0, 1, 1, kRed);
    EXPECT_EQ(kRed, dc.GetPixel(0, 0)); // logical coordinates
    dc.SetViewportOrg(0, 0);
    EXPECT_EQ(kRed, dc.GetPixel(10, 20));
    EXPECT_EQ(kWhite, dc.GetPixel(0, 0));
    dc.OffsetViewportOrg(3, 4);
    EXPECT_EQ(CPoint(3, 4), dc.GetViewportOrg());
    dc.SetViewportOrg(0, 0);

    dc.SetWindowOrg(5, 5);
    CPoint pt(5, 5);
    dc.LPtoDP(&pt);
    EXPECT_EQ(CPoint(0, 0), pt);
    CRect r(0, 0, 10, 10);
    dc.DPtoLP(&r);
    EXPECT_EQ(CRect(5, 5, 15, 15), r);
    dc.SetWindowOrg(0, 0);

    // Low-English units: 100 per inch, y growing upwards; sizes stay positive.
    EXPECT_EQ(MM_TEXT, dc.SetMapMode(MM_LOENGLISH));
    int dpi = dc.GetDeviceCaps(LOGPIXELSY);
    CSize size(100, 100);
    dc.LPtoDP(&size);
    EXPECT_NEAR(dpi, size.cy, 1);
    EXPECT_GT(size.cx, 0);
    dc.DPtoLP(&size);
    EXPECT_NEAR(100, size.cy, 1);
    CPoint up(0, 100);
    dc.LPtoDP(&up);
    EXPECT_LT(up.y, 0);
    dc.SetMapMode(MM_TEXT);
}

TEST_F(MemoryDcTest, TextMeasuresAndDraws)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, L"Tahoma"));
    CFont* oldFont = dc.SelectObject(&font);
    CString text(L"Folionyx");
    CSize whole = dc.GetTextExtent(text);
    CSize part = dc.GetTextExtent(text, 3);
    EXPECT_GT(whole.cx, part.cx);
    EXPECT_GT(part.cx, 0);
    EXPECT_EQ(whole.cy, part.cy);
    TEXTMETRIC metrics{};
    ASSERT_TRUE(dc.GetTextMetrics(&metrics));
    EXPECT_EQ(metrics.tmHeight, whole.cy);

    CRect calc(0, 0, 1000, 0);
    int height = dc.DrawText(text, &calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(whole.cy, height);
    EXPECT_EQ(whole.cx, calc.Width());

    dc.SetTextColor(kBlue);
    dc.SetBkMode(TRANSPARENT);
    EXPECT_TRUE(dc.TextOut(2, 2, text));
    EXPECT_GT(CountColor(kBlue, CRect(0, 0, kSize, kSize)), 0);

    CString face;
    EXPECT_GT(dc.GetTextFace(face), 0);
    EXPECT_EQ(face.GetLength(), lstrlenW(face));
    dc.SelectObject(oldFont);
}

TEST_F(MemoryDcTest, BlockTransfersCopyPixels)
{
    CDC source;
    ASSERT_TRUE(source.CreateCompatibleDC(&dc));
    CBitmap sourceBitmap;
    ASSERT_TRUE(sourceBitmap.CreateCompatibleBitmap(&dc, 4, 4));
    BITMAP info{};
    ASSERT_TRUE(sourceBitmap.GetBitmap(&info));
    EXPECT_EQ(4, info.bmWidth);
    CBitmap* old = source.SelectObject(&sourceBitmap);
    source.FillSolidRect(0, 0, 4, 4, kGreen);
    source.SetPixel(0, 0, kRed);

    EXPECT_TRUE(dc.BitBlt(20, 20, 4, 4, &source, 0, 0, SRCCOPY));
    EXPECT_EQ(kRed, dc.GetPixel(20, 20));
    EXPECT_EQ(kGreen, dc.GetPixel(23, 23));
    EXPECT_EQ(kWhite, dc.GetPixel(24, 24));

    EXPECT_TRUE(dc.StretchBlt(40, 40, 8, 8, &source, 0, 0, 4, 4, SRCCOPY));
    EXPECT_EQ(kRed, dc.GetPixel(41, 41));
    EXPECT_EQ(kGreen, dc.GetPixel(47, 47));

    CBrush brush(kBlue);
    dc.SelectObject(&brush);
    EXPECT_TRUE(dc.PatBlt(0, 0, 5, 5, PATCOPY));
    EXPECT_EQ(kBlue, dc.GetPixel(4, 4));
    dc.SelectStockObject(WHITE_BRUSH);
    source.SelectObject(old);
}

TEST_F(MemoryDcTest, ShapesUseTheSelectedPenAndBrush)
{
    CPen pen(PS_SOLID, 1, kBlue);
    CBrush brush(kGreen);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);

    dc.MoveTo(0, 5);
    EXPECT_TRUE(dc.LineTo(10, 5));
    EXPECT_EQ(CPoint(10, 5), dc.GetCurrentPosition());
    EXPECT_EQ(kBlue, dc.GetPixel(0, 5));
    EXPECT_EQ(kBlue, dc.GetPixel(9, 5));
    EXPECT_EQ(kWhite, dc.GetPixel(10, 5)); // the end point is not drawn

    const POINT triangle[] = {{20, 20}, {40, 20}, {30, 40}};
    EXPECT_TRUE(dc.Polygon(triangle, 3));
    EXPECT_EQ(kGreen, dc.GetPixel(30, 25));
    EXPECT_EQ(kBlue, dc.GetPixel(30, 20));

    EXPECT_TRUE(dc.Ellipse(CRect(44, 44, 60, 60)));
    EXPECT_EQ(kGreen, dc.GetPixel(52, 52));
    EXPECT_EQ(kWhite, dc.GetPixel(44, 44));

    dc.FillRect(CRect(0, 50, 5, 55), &brush);
    EXPECT_EQ(kGreen, dc.GetPixel(2, 52));

    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

TEST_F(MemoryDcTest, DrawFocusRectIsAnXorFrame)
{
    CRect r(10, 10, 20, 20);
    dc.DrawFocusRect(r);
    int frame = 10 * 10 - 8 * 8;
    int changed = kSize * kSize - CountColor(kWhite, CRect(0, 0, kSize, kSize));
    EXPECT_GT(changed, frame / 3); // a dotted frame
    EXPECT_LE(changed, frame);
    EXPECT_EQ(64, CountColor(kWhite, CRect(11, 11, 19, 19)));
    dc.DrawFocusRect(r); // drawing it again removes it
    EXPECT_EQ(kSize * kSize, CountColor(kWhite, CRect(0, 0, kSize, kSize)));
}

TEST_F(MemoryDcTest, DrawStateAndDrawIconPaintIcons)
{
    HICON icon = ::LoadIconW(nullptr, IDI_APPLICATION);
    ASSERT_NE(nullptr, icon);
    EXPECT_TRUE(dc.DrawIcon(0, 0, icon));
    int drawn = kSize * kSize - CountColor(kWhite, CRect(0, 0, kSize, kSize));
    EXPECT_GT(drawn, 0);

    dc.FillSolidRect(0, 0, kSize, kSize, kWhite);
    CBrush brush(kRed);
    EXPECT_TRUE(dc.DrawState(CPoint(0, 0), CSize(32, 32), icon, DSS_MONO, &brush));
    EXPECT_GT(CountColor(kRed, CRect(0, 0, 32, 32)), 0);
    EXPECT_EQ(kWhite, dc.GetPixel(40, 40));
}

TEST(GdiObjectTest, OwnerFreesItsHandleAndDetachHandsItOver)
{
    HGDIOBJ kept;
    HGDIOBJ freed;
    {
        CBrush owner(RGB(1, 2, 3));
        freed = owner.m_hObject;
        CBrush donor(RGB(4, 5, 6));
        kept = donor.Detach();
        EXPECT_EQ(nullptr, donor.GetSafeHandle());
        EXPECT_EQ(OBJ_BRUSH, ::GetObjectType(freed));
    }
    EXPECT_EQ(0u, ::GetObjectType(freed));
    EXPECT_EQ(OBJ_BRUSH, ::GetObjectType(kept));
    ::DeleteObject(kept);

    CPen pen;
    EXPECT_FALSE(pen.DeleteObject());
    CGdiObject* nothing = nullptr;
    EXPECT_EQ(nullptr, nothing->GetSafeHandle());
}

TEST(GdiObjectTest, FromHandleGivesTypedBorrowedWrappers)
{
    HBRUSH foreign = ::CreateSolidBrush(RGB(9, 9, 9));
    CBrush* borrowed = CBrush::FromHandle(foreign);
    ASSERT_NE(nullptr, borrowed);
    EXPECT_EQ(borrowed, CBrush::FromHandle(foreign));
    CGdiObject* generic = CGdiObject::FromHandle(foreign);
    EXPECT_EQ(borrowed, generic);
    EXPECT_TRUE(generic->IsKindOf(RUNTIME_CLASS(CBrush)));
    LOGBRUSH logBrush{};
    EXPECT_TRUE(borrowed->GetLogBrush(&logBrush));
    EXPECT_EQ(RGB(9, 9, 9), logBrush.lbColor);

    // Dropping the temporaries never frees the borrowed handle.
    AfxDeleteTempDrawingObjects();
    EXPECT_EQ(OBJ_BRUSH, ::GetObjectType(foreign));
    ::DeleteObject(foreign);

    EXPECT_EQ(nullptr, CPen::FromHandle(nullptr));

    // An owned object is its own wrapper.
    CPen pen(PS_DASH, 1, kRed);
    EXPECT_EQ(&pen, CPen::FromHandle(pen));
    LOGPEN logPen{};
    EXPECT_TRUE(pen.GetLogPen(&logPen));
    EXPECT_EQ(static_cast<UINT>(PS_DASH), logPen.lopnStyle);
}

TEST(GdiObjectTest, PointFontHeightFollowsTheScreenResolution)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, L"Tahoma"));
    LOGFONT logFont{};
    ASSERT_TRUE(font.GetLogFont(&logFont));
    HDC screen = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(-::MulDiv(12, dpi, 72), logFont.lfHeight);
    EXPECT_STREQ(L"Tahoma", logFont.lfFaceName);

    CFont bold;
    logFont.lfWeight = FW_BOLD;
    ASSERT_TRUE(bold.CreateFontIndirect(&logFont));
    LOGFONT readBack{};
    bold.GetLogFont(&readBack);
    EXPECT_EQ(FW_BOLD, readBack.lfWeight);
}

TEST(GdiObjectTest, RegionsCombineAndHitTest)
{
    CRgn a, b, both;
    ASSERT_TRUE(a.CreateRectRgn(0, 0, 10, 10));
    ASSERT_TRUE(b.CreateRectRgnIndirect(CRect(5, 5, 20, 20)));
    ASSERT_TRUE(both.CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(COMPLEXREGION, both.CombineRgn(&a, &b, RGN_OR));
    CRect box;
    EXPECT_EQ(COMPLEXREGION, both.GetRgnBox(&box));
    EXPECT_EQ(CRect(0, 0, 20, 20), box);
    EXPECT_TRUE(both.PtInRegion(2, 2));
    EXPECT_TRUE(both.PtInRegion(CPoint(15, 15)));
    EXPECT_FALSE(both.PtInRegion(15, 2));

    EXPECT_EQ(SIMPLEREGION, both.CombineRgn(&a, &b, RGN_AND));
    both.GetRgnBox(&box);
    EXPECT_EQ(CRect(5, 5, 10, 10), box);
    both.OffsetRgn(CPoint(1, 1));
    both.GetRgnBox(&box);
    EXPECT_EQ(CRect(6, 6, 11, 11), box);

    CRgn copy;
    copy.CreateRectRgn(0, 0, 0, 0);
    copy.CopyRgn(&both);
    EXPECT_TRUE(copy.EqualRgn(&both));
    copy.SetRectRgn(CRect(0, 0, 1, 1));
    EXPECT_FALSE(copy.EqualRgn(&both));
}

TEST(GdiObjectTest, BitmapBitsRoundTrip)
{
    const WORD pattern[4] = {0xAAAA, 0x5555, 0xAAAA, 0x5555};
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(16, 4, 1, 1, pattern));
    BITMAP info{};
    ASSERT_TRUE(bitmap.GetBitmap(&info));
    EXPECT_EQ(16, info.bmWidth);
    EXPECT_EQ(4, info.bmHeight);
    EXPECT_EQ(1, info.bmBitsPixel);
    WORD readBack[4] = {};
    EXPECT_EQ(sizeof(readBack), bitmap.GetBitmapBits(sizeof(readBack), readBack));
    EXPECT_EQ(0, memcmp(pattern, readBack, sizeof(pattern)));

    // A missing resource leaves the object empty.
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(54321));
    EXPECT_EQ(nullptr, missing.GetSafeHandle());
}

TEST(GdiObjectTest, PaletteEntriesRoundTripAndSelect)
{
    struct
    {
        LOGPALETTE header;
        PALETTEENTRY more[3];
    } layout{};
    layout.header.palVersion = 0x300;
    layout.header.palNumEntries = 4;
    PALETTEENTRY* entries = layout.header.palPalEntry;
    entries[0] = {255, 0, 0, 0};
    entries[1] = {0, 255, 0, 0};
    entries[2] = {0, 0, 255, 0};
    entries[3] = {10, 20, 30, 0};
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(&layout.header));
    EXPECT_EQ(4, palette.GetEntryCount());
    PALETTEENTRY readBack[4] = {};
    EXPECT_EQ(4u, palette.GetPaletteEntries(0, 4, readBack));
    EXPECT_EQ(10, readBack[3].peRed);
    EXPECT_EQ(30, readBack[3].peBlue);
    EXPECT_EQ(2u, palette.GetNearestPaletteIndex(RGB(0, 0, 250)));
    PALETTEENTRY changed = {1, 2, 3, 0};
    EXPECT_EQ(1u, palette.SetPaletteEntries(1, 1, &changed));
    palette.GetPaletteEntries(1, 1, readBack);
    EXPECT_EQ(2, readBack[0].peGreen);

    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CPalette* previous = dc.SelectPalette(&palette, TRUE);
    ASSERT_NE(nullptr, previous);
    EXPECT_EQ(::GetStockObject(DEFAULT_PALETTE), previous->m_hObject);
    EXPECT_EQ(&palette, dc.GetCurrentPalette());
    dc.SelectPalette(previous, TRUE);
    AfxDeleteTempDrawingObjects();
}

TEST(DcTest, FromHandleWrapsWithoutOwningAndOwnerDeletes)
{
    HDC foreign = ::CreateCompatibleDC(nullptr);
    CDC* borrowed = CDC::FromHandle(foreign);
    ASSERT_NE(nullptr, borrowed);
    EXPECT_EQ(foreign, borrowed->GetSafeHdc());
    EXPECT_EQ(borrowed, CDC::FromHandle(foreign));
    AfxDeleteTempDrawingObjects();
    EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), ::GetObjectType(foreign));

    {
        CDC owner;
        ASSERT_TRUE(owner.Attach(foreign));
        EXPECT_EQ(&owner, CDC::FromHandle(foreign));
    }
    EXPECT_EQ(0u, ::GetObjectType(foreign));

    CDC* none = nullptr;
    EXPECT_EQ(nullptr, none->GetSafeHdc());
    EXPECT_EQ(nullptr, CDC::FromHandle(nullptr));
}

struct OtherThreadLookup
{
    HBRUSH brush;
    CBrush* wrapper;
};

DWORD WINAPI LookUpOnOtherThread(LPVOID param)
{
    auto* lookup = static_cast<OtherThreadLookup*>(param);
    lookup->wrapper = CBrush::FromHandle(lookup->brush);
    AfxDeleteTempDrawingObjects();
    return 0;
}

TEST(DcTest, TemporariesAreKeptPerThreadAndOwnersSharedByAll)
{
    HBRUSH brush = ::CreateSolidBrush(kRed);
    CBrush* mine = CBrush::FromHandle(brush);
    OtherThreadLookup lookup{brush, nullptr};
    HANDLE thread = ::CreateThread(nullptr, 0, LookUpOnOtherThread, &lookup, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    ::WaitForSingleObject(thread, 5000);
    ::CloseHandle(thread);
    EXPECT_NE(nullptr, lookup.wrapper);
    EXPECT_NE(mine, lookup.wrapper);
    EXPECT_EQ(mine, CBrush::FromHandle(brush));
    AfxDeleteTempDrawingObjects();
    ::DeleteObject(brush);

    CBrush owned(kBlue);
    lookup = {owned, nullptr};
    thread = ::CreateThread(nullptr, 0, LookUpOnOtherThread, &lookup, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    ::WaitForSingleObject(thread, 5000);
    ::CloseHandle(thread);
    EXPECT_EQ(&owned, lookup.wrapper);
}

// A window that paints its update rectangle in one colour through a CPaintDC.
class CPaintingWnd : public CWnd
{
public:
    COLORREF color = RGB(255, 0, 0);
    int paints = 0;
    CRect lastPaintRect;

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        ++paints;
        lastPaintRect = dc.m_ps.rcPaint;
        dc.FillSolidRect(&dc.m_ps.rcPaint, color);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintingWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(WindowDcTest, PaintClientAndWindowDcs)
{
    CPaintingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), L"paint", WS_POPUP | WS_VISIBLE | WS_BORDER, 10, 10, 120, 80,
                             nullptr, nullptr));
    wnd.UpdateWindow();
    testsupport::PumpMessages();
    ASSERT_GT(wnd.paints, 0);
    CRect client;
    wnd.GetClientRect(&client);
    EXPECT_EQ(client, wnd.lastPaintRect);
    CRect pending;
    EXPECT_FALSE(::GetUpdateRect(wnd, &pending, FALSE)); // EndPaint validated the window

    {
        CClientDC dc(&wnd);
        ASSERT_NE(nullptr, dc.GetSafeHdc());
        EXPECT_EQ(&wnd, dc.GetWindow());
        EXPECT_EQ(kRed, dc.GetPixel(5, 5));
        dc.FillSolidRect(0, 0, 10, 10, kBlue);
        EXPECT_EQ(kBlue, dc.GetPixel(5, 5));
    }

    // Only the invalidated part is handed to the next paint.
    wnd.color = kGreen;
    wnd.InvalidateRect(CRect(20, 20, 30, 30), FALSE);
    wnd.UpdateWindow();
    EXPECT_EQ(CRect(20, 20, 30, 30), wnd.lastPaintRect);
    {
        CClientDC dc(&wnd);
        EXPECT_EQ(kGreen, dc.GetPixel(25, 25));
        EXPECT_EQ(kBlue, dc.GetPixel(5, 5));
        EXPECT_EQ(kRed, dc.GetPixel(40, 40));
    }

    {
        // The window DC starts at the border, outside the client area.
        CWindowDC dc(&wnd);
        CPoint origin(0, 0);
        wnd.ClientToScreen(&origin);
        CRect frame;
        wnd.GetWindowRect(&frame);
        int border = origin.x - frame.left;
        ASSERT_GT(border, 0);
        EXPECT_EQ(kBlue, dc.GetPixel(border + 5, border + 5));
        EXPECT_NE(kBlue, dc.GetPixel(0, 0));
    }
    wnd.DestroyWindow();
    CWnd::DeleteTempMap();
    AfxDeleteTempDrawingObjects();
}

} // namespace
