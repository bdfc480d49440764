// The drawing every theme shares, read back pixel by pixel from memory DCs.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>

#include "platform/framework/Wnd.h"
#include "tests/toolkit/commandbars/PaintManagerTestSupport.h"
#include "tests/toolkit/foundation/MemoryCanvas.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/foundation/DrawHelpers.h"

using foundationtest::Canvas;
using painttest::MakeTheme;
using painttest::PaintManagerPtr;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kInk = RGB(0, 0, 0);

using PixelSet = std::set<std::pair<int, int>>;

PixelSet PaintedPixels(const Canvas& canvas, int cx, int cy, COLORREF background)
{
    PixelSet pixels;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            if (canvas.Pixel(x, y) != background)
                pixels.insert({x, y});
    return pixels;
}

// The pixels of 45-degree polylines, each segment without its last point (GDI's rule), the
// whole polyline ending before its last point.
PixelSet PolylinePixels(std::initializer_list<std::initializer_list<POINT>> polylines, int dy = 0)
{
    PixelSet pixels;
    for (const auto& polyline : polylines) {
        const POINT* pt = polyline.begin();
        for (size_t i = 0; i + 1 < polyline.size(); ++i) {
            const int sx = pt[i + 1].x > pt[i].x ? 1 : -1, sy = pt[i + 1].y > pt[i].y ? 1 : -1;
            for (int x = pt[i].x, y = pt[i].y; x != pt[i + 1].x; x += sx, y += sy)
                pixels.insert({x, y + dy});
        }
    }
    return pixels;
}

} // namespace

TEST(PaintManagerDraw, CheckTickIsExactInANormalAndAMirroredDC)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault);
    const int cx = 10, g = 0; // a 20 x 20 rectangle: middle 10, vertical middle - 10 = 0
    {
        Canvas canvas(20, 20, kWhite);
        pTheme->DrawCheckTick(canvas.Dc(), CRect(0, 0, 20, 20), kInk);
        PixelSet expected = PolylinePixels({{{cx - 4, g + 9}, {cx - 2, g + 11}, {cx + 3, g + 6}},
                                            {{cx - 4, g + 10}, {cx - 2, g + 12}, {cx + 3, g + 7}}});
        EXPECT_EQ(14u, expected.size());
        EXPECT_EQ(expected, PaintedPixels(canvas, 20, 20, kWhite));
    }
    {
        Canvas canvas(20, 20, kWhite);
        canvas.Dc()->SetLayout(LAYOUT_RTL);
        pTheme->DrawCheckTick(canvas.Dc(), CRect(0, 0, 20, 20), kInk);
        PixelSet logical = PolylinePixels(
            {{{cx - 4, g + 7}, {cx, g + 11}, {cx + 3, g + 8}}, {{cx - 4, g + 8}, {cx, g + 12}, {cx + 3, g + 9}}});
        PixelSet expected;
        for (const auto& pt : logical)
            expected.insert({19 - pt.first, pt.second}); // the DC mirrors x
        EXPECT_EQ(expected, PaintedPixels(canvas, 20, 20, kWhite));
    }
    {
        // Bold: the same tick once more, one pixel lower.
        Canvas canvas(20, 20, kWhite);
        pTheme->m_bBoldCheckTick = TRUE;
        pTheme->DrawCheckTick(canvas.Dc(), CRect(0, 0, 20, 20), kInk);
        PixelSet expected = PolylinePixels({{{cx - 4, g + 9}, {cx - 2, g + 11}, {cx + 3, g + 6}},
                                            {{cx - 4, g + 10}, {cx - 2, g + 12}, {cx + 3, g + 7}}});
        PixelSet lower = PolylinePixels({{{cx - 4, g + 10}, {cx - 2, g + 12}, {cx + 3, g + 7}},
                                         {{cx - 4, g + 11}, {cx - 2, g + 13}, {cx + 3, g + 8}}});
        expected.insert(lower.begin(), lower.end());
        EXPECT_EQ(expected, PaintedPixels(canvas, 20, 20, kWhite));
    }
}

TEST(PaintManagerDraw, RadioDotIsASymmetricDiscWithBlendedEdges)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault);
    Canvas canvas(20, 20, kWhite);
    pTheme->DrawRadioDot(canvas.Dc(), CRect(0, 0, 20, 20), kInk);
    // The 6 x 6 square around (10, 10): x and y from 7 to 12.
    for (int y = 7; y <= 12; ++y) {
        for (int x = 7; x <= 12; ++x) {
            EXPECT_EQ(canvas.Pixel(x, y), canvas.Pixel(19 - x, y)) << x << "," << y;
            EXPECT_EQ(canvas.Pixel(x, y), canvas.Pixel(x, 19 - y)) << x << "," << y;
            EXPECT_EQ(canvas.Pixel(x, y), canvas.Pixel(y, x)) << x << "," << y;
        }
    }
    EXPECT_EQ(kInk, canvas.Pixel(9, 9));
    EXPECT_EQ(kInk, canvas.Pixel(10, 10));
    EXPECT_EQ(kWhite, canvas.Pixel(7, 7)); // the corner lies outside the circle
    const COLORREF edge = canvas.Pixel(8, 7);
    EXPECT_NE(kWhite, edge);
    EXPECT_NE(kInk, edge);
    EXPECT_EQ(GetRValue(edge), GetGValue(edge));                       // grey: a blend of ink and paper
    EXPECT_EQ(36u, PaintedPixels(canvas, 20, 20, kWhite).size() + 4u); // all but the four corners
}

TEST(PaintManagerDraw, DownTriangleHasItsVerticesAndNothingBeyond)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault);
    struct Row
    {
        int nWidth;
        int e; // half width
    } rows[] = {{8, 2}, {10, 2}, {12, 2}, {14, 3}, {16, 4}, {24, 8}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.nWidth);
        Canvas canvas(row.nWidth + 4, 24, kWhite);
        pTheme->DrawDownTriangle(canvas.Dc(), CRect(0, 0, row.nWidth, 20), kInk);
        const int cx = row.nWidth / 2, cy = 10, e = row.e;
        EXPECT_EQ(kInk, canvas.Pixel(cx - e, cy - e / 2));
        EXPECT_EQ(kInk, canvas.Pixel(cx + e, cy - e / 2));
        EXPECT_EQ(kInk, canvas.Pixel(cx, cy + e / 2));
        EXPECT_EQ(kWhite, canvas.Pixel(cx - e - 1, cy - e / 2));
        EXPECT_EQ(kWhite, canvas.Pixel(cx + e + 1, cy - e / 2));
        EXPECT_EQ(kWhite, canvas.Pixel(cx, cy + e / 2 + 1));
        EXPECT_EQ(kWhite, canvas.Pixel(cx, cy - e / 2 - 1));
    }
}

TEST(PaintManagerDraw, ClassicSymbolsAreTheFrameControlsOfTheirState)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault);
    struct Row
    {
        const char* name;
        BOOL bEnabled;
        int nChecked;
        BOOL bPressed;
        UINT nFlags;
    } rows[] = {
        {"normal", TRUE, 0, FALSE, 0},
        {"checked", TRUE, 1, FALSE, DFCS_CHECKED},
        {"pressed", TRUE, 0, TRUE, DFCS_PUSHED},
        {"disabled checked", FALSE, 1, FALSE, DFCS_CHECKED | DFCS_INACTIVE},
    };
    for (const Row& row : rows) {
        for (bool bRadio : {false, true}) {
            SCOPED_TRACE(std::string(row.name) + (bRadio ? " radio" : " check box"));
            Canvas drawn(13, 13, kWhite), reference(13, 13, kWhite);
            CRect rc(0, 0, 13, 13);
            CSize size = bRadio ? pTheme->DrawRadioButtonSymbol(drawn.Dc(), rc, TRUE, row.bEnabled, row.nChecked,
                                                                row.bPressed, FALSE)
                                : pTheme->DrawCheckBoxSymbol(drawn.Dc(), rc, TRUE, row.bEnabled, row.nChecked,
                                                             row.bPressed, FALSE);
            EXPECT_EQ(CSize(13, 13), size);
            reference.Dc()->DrawFrameControl(&rc, DFC_BUTTON,
                                             (bRadio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) | row.nFlags);
            for (int y = 0; y < 13; ++y)
                for (int x = 0; x < 13; ++x)
                    ASSERT_EQ(reference.Pixel(x, y), drawn.Pixel(x, y)) << x << "," << y;
        }
    }
    // Measuring draws nothing.
    Canvas canvas(13, 13, kWhite);
    EXPECT_EQ(CSize(13, 13), pTheme->DrawCheckBoxSymbol(canvas.Dc(), CRect(0, 0, 13, 13), FALSE, TRUE, 1, 0, 0));
    EXPECT_TRUE(PaintedPixels(canvas, 13, 13, kWhite).empty());
}

TEST(PaintManagerDraw, ThemedSymbolsAskTheButtonStyleForTheirPartAndState)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeNativeXP);
    ASSERT_TRUE(pTheme->m_themeButton.IsUsable());
    struct Row
    {
        const char* name;
        BOOL bEnabled;
        int nChecked;
        BOOL bPressed, bSelected;
        int nState;
    } rows[] = {
        {"normal", TRUE, 0, FALSE, FALSE, 1},        {"hot", TRUE, 0, FALSE, TRUE, 2},
        {"pressed", TRUE, 0, TRUE, TRUE, 3},         {"disabled", FALSE, 0, TRUE, TRUE, 4},
        {"checked", TRUE, 1, FALSE, FALSE, 5},       {"checked hot", TRUE, 1, FALSE, TRUE, 6},
        {"indeterminate", TRUE, 2, FALSE, FALSE, 9}, {"disabled indeterminate", FALSE, 2, FALSE, FALSE, 12},
    };
    painttest::ThemePartLog log;
    Canvas canvas(13, 13, kWhite);
    for (const Row& row : rows) {
        for (bool bRadio : {false, true}) {
            SCOPED_TRACE(row.name);
            log.Clear();
            if (bRadio)
                pTheme->DrawRadioButtonSymbol(canvas.Dc(), CRect(0, 0, 13, 13), TRUE, row.bEnabled, row.nChecked,
                                              row.bPressed, row.bSelected);
            else
                pTheme->DrawCheckBoxSymbol(canvas.Dc(), CRect(0, 0, 13, 13), TRUE, row.bEnabled, row.nChecked,
                                           row.bPressed, row.bSelected);
            ASSERT_EQ(1u, log.Get().size());
            EXPECT_EQ(L"BUTTON", log.Get()[0].strClass);
            EXPECT_EQ(bRadio ? 2 : 3, log.Get()[0].nPart);
            EXPECT_EQ(row.nState, log.Get()[0].nState);
        }
    }
    EXPECT_FALSE(PaintedPixels(canvas, 13, 13, kWhite).empty()); // the style drew something
}

TEST(PaintManagerDraw, MarlettGlyphDrawsInsideItsRectangle)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault);
    Canvas canvas(40, 40, kWhite);
    {
        CFont font;
        font.CreatePointFont(100, L"Marlett");
        CQorFontDC fontDC(canvas.Dc(), &font);
        CString strFace;
        canvas.Dc()->GetTextFace(strFace);
        if (strFace.CompareNoCase(L"Marlett") != 0)
            GTEST_SKIP() << "Marlett does not resolve here";
    }
    pTheme->m_arrColor[18].SetCustomValue(RGB(0, 0, 200));
    pTheme->DrawGlyph(canvas.Dc(), CRect(10, 10, 30, 30), L'6', 18);
    PixelSet painted = PaintedPixels(canvas, 40, 40, kWhite);
    EXPECT_GT(painted.size(), 10u);
    for (const auto& pt : painted) {
        EXPECT_TRUE(pt.first >= 10 && pt.first < 30 && pt.second >= 10 && pt.second < 30)
            << pt.first << "," << pt.second;
        // The glyph's colour, or its edges smoothed towards the paper.
        const COLORREF clr = canvas.Pixel(pt.first, pt.second);
        EXPECT_TRUE(GetRValue(clr) == GetGValue(clr) && GetBValue(clr) >= GetRValue(clr)) << std::hex << clr;
    }
    EXPECT_TRUE(std::any_of(painted.begin(), painted.end(), [&](const std::pair<int, int>& pt) {
        return canvas.Pixel(pt.first, pt.second) == RGB(0, 0, 200);
    }));
    // The down arrow: wider at its top than at its bottom.
    int nTop = 40, nBottom = -1;
    for (const auto& pt : painted) {
        nTop = std::min(nTop, pt.second);
        nBottom = std::max(nBottom, pt.second);
    }
    auto widthOfRow = [&](int y) {
        int n = 0;
        for (const auto& pt : painted)
            n += pt.second == y ? 1 : 0;
        return n;
    };
    EXPECT_GT(widthOfRow(nTop), widthOfRow(nBottom));
}

TEST(PaintManagerDraw, DisabledCaptionsAreEmbossedOnlyWhereTheThemeSaysSo)
{
    struct Row
    {
        int nTheme;
        BOOL bEnabled, bPressed;
        bool bEmbossed;
    } rows[] = {
        {qorPaintThemeDefault, FALSE, FALSE, true},
        {qorPaintThemeDefault, FALSE, TRUE, false},
        {qorPaintThemeDefault, TRUE, FALSE, false},
        {qorPaintThemeOffice, FALSE, FALSE, false},
    };
    const COLORREF kEmboss = RGB(255, 0, 0), kText = RGB(0, 255, 0), kPaper = RGB(0, 0, 128);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.nTheme);
        PaintManagerPtr pTheme = MakeTheme(row.nTheme);
        pTheme->m_arrColor[20].SetCustomValue(kEmboss);
        Canvas canvas(60, 24, kPaper);
        CQorFontDC font(canvas.Dc(), &pTheme->m_fontRegular, kText);
        canvas.Dc()->SetBkMode(TRANSPARENT);
        pTheme->DrawControlText(canvas.Dc(), L"IIII", CRect(2, 2, 58, 22), DT_SINGLELINE | DT_LEFT, TRUE, row.bPressed,
                                row.bEnabled);
        int nEmboss = 0, nText = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 60; ++x) {
                nEmboss += canvas.Pixel(x, y) == kEmboss ? 1 : 0;
                nText += canvas.Pixel(x, y) == kText ? 1 : 0;
            }
        EXPECT_GT(nText, 0);
        EXPECT_EQ(row.bEmbossed, nEmboss > 0);
    }
    // Measuring gives the text's size and draws nothing.
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault);
    Canvas canvas(60, 24, kPaper);
    CQorFontDC font(canvas.Dc(), &pTheme->m_fontRegular);
    CSize size = pTheme->DrawControlText(canvas.Dc(), L"IIII", CRect(0, 0, 60, 24), DT_SINGLELINE, FALSE, 0, 1);
    EXPECT_EQ(canvas.Dc()->GetTextExtent(L"IIII", 4), size);
    EXPECT_TRUE(PaintedPixels(canvas, 60, 24, kPaper).empty());
}

TEST(PaintManagerDraw, FillAndFrameFramesOnlyInAColourOtherThanTheFill)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault);
    pTheme->m_arrColor[31].SetCustomValue(RGB(10, 20, 30));
    struct Row
    {
        const char* name;
        COLORREF clrFrame, clrFill;
        COLORREF expectedEdge, expectedInside;
    } rows[] = {
        {"frame and fill", RGB(200, 0, 0), 31, RGB(200, 0, 0), RGB(10, 20, 30)},
        {"fill only", QOR_COLOR_UNSET, 31, RGB(10, 20, 30), RGB(10, 20, 30)},
        {"frame only", 31, QOR_COLOR_UNSET, RGB(10, 20, 30), kWhite},
        {"frame in the fill's colour", RGB(10, 20, 30), 31, RGB(10, 20, 30), RGB(10, 20, 30)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Canvas canvas(10, 10, kWhite);
        pTheme->FillAndFrame(canvas.Dc(), CRect(0, 0, 10, 10), row.clrFrame, row.clrFill);
        EXPECT_EQ(row.expectedEdge, canvas.Pixel(0, 0));
        EXPECT_EQ(row.expectedEdge, canvas.Pixel(9, 9));
        EXPECT_EQ(row.expectedInside, canvas.Pixel(5, 5));
    }
}

TEST(PaintManagerDraw, CaptionsSplitAtTheBlankNearestTheMiddle)
{
    struct Row
    {
        const wchar_t* caption;
        const wchar_t* first;
        const wchar_t* second;
    } rows[] = {
        {L"Save As", L"Save", L"As"},
        {L"Insert Page Break Here", L"Insert Page", L"Break Here"},
        {L"Print Preview", L"Print", L"Preview"},
        {L" Leading", L" Leading", L""}, // a blank only at the first character
        {L"Word", L"Word", L""},
        {L"", L"", L""},
    };
    for (const Row& row : rows) {
        CString strFirst, strSecond;
        CQorPaintManager::SplitCaptionInTwo(row.caption, strFirst, strSecond);
        EXPECT_EQ(row.first, strFirst) << static_cast<LPCWSTR>(row.caption);
        EXPECT_EQ(row.second, strSecond) << static_cast<LPCWSTR>(row.caption);
    }
}

TEST(PaintManagerDraw, AppearanceAnimationsEndWithTheSourceInPlace)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault);
    pTheme->m_nAnimationDuration = 0; // no sleeping between steps
    for (int nType : {0, 1, 2, 3, 4}) {
        SCOPED_TRACE(nType);
        Canvas target(30, 20, kWhite), source(30, 20, RGB(200, 30, 40));
        source.Dc()->FillSolidRect(0, 0, 5, 5, RGB(0, 0, 255)); // a corner that must land in its corner
        pTheme->AlphaBlitBitmap(target.Dc(), source.Dc(), CRect(0, 0, 30, 20), nType);
        EXPECT_EQ(RGB(0, 0, 255), target.Pixel(1, 1));
        EXPECT_EQ(RGB(200, 30, 40), target.Pixel(29, 19));
        EXPECT_EQ(RGB(200, 30, 40), target.Pixel(15, 10));
    }
}

TEST(PaintManagerDraw, FixAlphaChannelMakesThePixelsOpaque)
{
    void* pBits = nullptr;
    CBitmap bitmap;
    bitmap.Attach(CreateDIB32(nullptr, 8, 8, &pBits));
    ASSERT_NE(nullptr, pBits);
    DWORD* pPixels = static_cast<DWORD*>(pBits);
    for (int i = 0; i < 64; ++i)
        pPixels[i] = 0x00336699;
    {
        CQorCompatibleDC dc(nullptr, bitmap.GetSafeHandle());
        CQorPaintManager::FixAlphaChannel(&dc, CRect(2, 2, 6, 6));
    }
    GdiFlush();
    EXPECT_EQ(0xFF336699u, pPixels[3 * 8 + 3]);
    EXPECT_EQ(0x00336699u, pPixels[0]);
    EXPECT_EQ(0x00336699u, pPixels[7 * 8 + 7]);
}

TEST(PaintManagerDraw, SurfacesFillWithTheirColours)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault);
    Canvas canvas(40, 30, kWhite);
    pTheme->FillWorkspaceRect(canvas.Dc(), CRect(0, 0, 20, 30));
    EXPECT_EQ(pTheme->GetColor(12), canvas.Pixel(10, 10));
    // A window that is gone fills nothing.
    CWnd gone;
    pTheme->FillBarWindow(canvas.Dc(), &gone);
    EXPECT_EQ(kWhite, canvas.Pixel(30, 10));
    // Framed text: nothing with the flag.
    pTheme->DrawFramedTextWindow(canvas.Dc(), &gone, TRUE);
    EXPECT_EQ(kWhite, canvas.Pixel(30, 10));
}
