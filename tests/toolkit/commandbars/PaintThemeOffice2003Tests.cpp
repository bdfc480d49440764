// The Office 2003 and Whidbey refreshes: which palette each colour-manager setting loads, the
// blended colours without one, and solid gradients on a palette display; docked bars raised or
// flat by the flatness flag of their kind.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/framework/WinApp.h"
#include "tests/toolkit/commandbars/PaintManagerTestSupport.h"
#include "tests/toolkit/foundation/FoundationTestSupport.h"
#include "tests/toolkit/foundation/MemoryCanvas.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/PaintThemes.h"
#include "toolkit/foundation/ColorManager.h"

using foundationtest::Canvas;
using painttest::MakeTheme;
using painttest::PaintManagerPtr;
using QorPaintThemes::CQorOffice2003Theme;

namespace {

const wchar_t* g_pszThemeFile = L"";
const wchar_t* g_pszColorScheme = L"";

HRESULT FakeThemeNames(LPWSTR pszFile, LPWSTR pszColor, LPWSTR pszSize)
{
    lstrcpynW(pszFile, g_pszThemeFile, MAX_PATH);
    lstrcpynW(pszColor, g_pszColorScheme, MAX_PATH);
    lstrcpynW(pszSize, L"NormalSize", MAX_PATH);
    return S_OK;
}

// The colour manager's settings the refreshes read, restored after each case.
class PaintThemeOffice2003 : public testing::Test
{
protected:
    void TearDown() override
    {
        CQorColorManager* pColorManager = GetColorManager();
        pColorManager->m_nRequestedKind = qorStyleFollowSystem;
        pColorManager->m_bClassicColorsOnly = FALSE;
        QorSetThemeNameSourceForTest(nullptr);
        QorSetDisplayBitsPerPixelForTest(0);
        pColorManager->RefreshColors();
    }
    static CQorOffice2003Theme* Office2003(const PaintManagerPtr& p)
    {
        return static_cast<CQorOffice2003Theme*>(p.get());
    }
    static void DetectLuna(const wchar_t* pszScheme)
    {
        g_pszThemeFile = L"C:\\WINDOWS\\resources\\Themes\\Luna\\Luna.msstyles";
        g_pszColorScheme = pszScheme;
        QorSetThemeNameSourceForTest(FakeThemeNames);
    }
};

const COLORREF kBlue = 0x9C613B, kOlive = 0x588060, kSilver = 0x947C7C; // colour 1 of each palette

} // namespace

TEST_F(PaintThemeOffice2003, RequestedKindsLoadTheirPalettes)
{
    struct Row
    {
        int nRequestedKind;
        COLORREF clrToolBarBorder; // QOR_COLOR_UNSET: the blended colour 30
        COLORREF clrCaption;
    } rows[] = {
        {0, QOR_COLOR_UNSET, QOR_COLOR_UNSET},
        {1, kBlue, 0xC9662A},
        {2, kOlive, 0x5E8674},
        {3, kSilver, 0x99797A},
        {4, kBlue, 0xC9662A},
        {5, kBlue, 0xC9662A},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.nRequestedKind);
        GetColorManager()->m_nRequestedKind = row.nRequestedKind;
        PaintManagerPtr p = MakeTheme(qorPaintThemeOffice2003);
        CQorOffice2003Theme* pTheme = Office2003(p);
        if (row.clrToolBarBorder == QOR_COLOR_UNSET) {
            EXPECT_FALSE(pTheme->m_bPaletteLoaded);
            EXPECT_EQ(p->GetColor(30), pTheme->m_clrToolBarBorder.GetColor());
            EXPECT_EQ(p->GetColor(16), pTheme->m_clrCaption.GetColor());
            continue;
        }
        EXPECT_TRUE(pTheme->m_bPaletteLoaded);
        EXPECT_EQ(row.clrToolBarBorder, pTheme->m_clrToolBarBorder.GetColor());
        EXPECT_EQ(row.clrCaption, pTheme->m_clrCaption.GetColor());
        // A loaded palette greys 58, 60 and 35 and gives colour 61 the caption colour.
        EXPECT_EQ(0x8D8D8Du, p->GetColor(58));
        EXPECT_EQ(0x8D8D8Du, p->GetColor(35));
        EXPECT_EQ(row.clrCaption, p->GetColor(61));
    }
    // One palette whole: blue.
    GetColorManager()->m_nRequestedKind = 1;
    PaintManagerPtr p = MakeTheme(qorPaintThemeOffice2003);
    CQorOffice2003Theme* pTheme = Office2003(p);
    EXPECT_EQ(0xF5BE9Eu, pTheme->m_grcBarWindow.m_clrLight.GetColor());
    EXPECT_EQ(0xE2A981u, pTheme->m_grcToolBar.m_clrDark.GetColor());
    EXPECT_FLOAT_EQ(0.75f, pTheme->m_grcToolBar.m_fGradientFactor);
    EXPECT_EQ(0x913500u, pTheme->m_grcGlyph.m_clrDark.GetColor());
    EXPECT_EQ(0xDCA179u, pTheme->m_grcPopupColumn.m_clrDark.GetColor());
    EXPECT_EQ(0xFFEFE3u, pTheme->m_grcPopupedControl.m_clrLight.GetColor());
    EXPECT_EQ(0xD3D3D3u, pTheme->m_clrStatusPaneBorder.GetColor());
    EXPECT_EQ(0xF0C7A9u, pTheme->m_clrCaptionFill.GetColor());
    EXPECT_EQ(0x361E16u, p->m_clrStatusTextColor);
    EXPECT_EQ(0xAC7A61u, p->m_grcCommandBar.m_clrDark.GetColor());
    EXPECT_EQ(0xAE9990u, p->GetColor(12));
    EXPECT_EQ(0x800000u, p->GetColor(37));
    EXPECT_EQ(0xF7D3BDu, p->GetColor(56));
}

TEST_F(PaintThemeOffice2003, FollowingTheSystemTakesTheDetectedStyleUnlessClassicColoursOnly)
{
    struct Row
    {
        const char* name;
        const wchar_t* pszScheme;
        BOOL bClassicOnly;
        COLORREF clrToolBarBorder;
    } rows[] = {
        {"luna blue", L"NormalColor", FALSE, kBlue},
        {"luna olive", L"HomeStead", FALSE, kOlive},
        {"luna silver", L"Metallic", FALSE, kSilver},
        {"classic colours only", L"Metallic", TRUE, QOR_COLOR_UNSET},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DetectLuna(row.pszScheme);
        GetColorManager()->m_nRequestedKind = qorStyleFollowSystem;
        GetColorManager()->m_bClassicColorsOnly = row.bClassicOnly;
        PaintManagerPtr p = MakeTheme(qorPaintThemeOffice2003);
        CQorOffice2003Theme* pTheme = Office2003(p);
        if (row.clrToolBarBorder == QOR_COLOR_UNSET) {
            EXPECT_FALSE(pTheme->m_bPaletteLoaded);
            EXPECT_EQ(p->GetColor(30), pTheme->m_clrToolBarBorder.GetColor());
        } else {
            EXPECT_EQ(row.clrToolBarBorder, pTheme->m_clrToolBarBorder.GetColor());
        }
    }
    // Whidbey follows the detected style too, classic colours only or not.
    struct WhidbeyRow
    {
        const wchar_t* pszScheme;
        BOOL bClassicOnly;
        COLORREF clrBarGradientDark;
    } whidbeyRows[] = {
        {L"NormalColor", FALSE, 0x99797A}, {L"HomeStead", FALSE, 0x99A8AC}, {L"HomeStead", TRUE, 0x99A8AC}};
    for (const WhidbeyRow& row : whidbeyRows) {
        DetectLuna(row.pszScheme);
        GetColorManager()->m_nRequestedKind = qorStyleFollowSystem;
        GetColorManager()->m_bClassicColorsOnly = row.bClassicOnly;
        PaintManagerPtr p = MakeTheme(qorPaintThemeWhidbey);
        EXPECT_EQ(row.clrBarGradientDark, p->m_grcCommandBar.m_clrDark.GetColor()) << row.bClassicOnly;
        EXPECT_EQ(0x7CA3A3u, Office2003(p)->m_clrToolBarBorder.GetColor());
    }
}

TEST_F(PaintThemeOffice2003, WithoutAPaletteTheColoursAreBlendedFromTheTable)
{
    GetColorManager()->m_nRequestedKind = 0;
    PaintManagerPtr p = MakeTheme(qorPaintThemeOffice2003);
    CQorOffice2003Theme* pTheme = Office2003(p);
    auto c = [&](int n) { return p->GetColor(n); };
    EXPECT_EQ(BlendColors(550, c(5), c(42)), pTheme->m_grcPopupColumn.m_clrLight.GetColor());
    EXPECT_EQ(c(42), pTheme->m_grcPopupColumn.m_clrDark.GetColor());
    EXPECT_EQ(BlendColors(205, c(15), c(5)), pTheme->m_grcToolBar.m_clrLight.GetColor());
    EXPECT_EQ(c(15), pTheme->m_grcBarWindow.m_clrLight.GetColor());
    EXPECT_EQ(BlendColors(51, c(51), c(16)), pTheme->m_grcGlyph.m_clrLight.GetColor());
    EXPECT_EQ(BlendColors(70, c(15), c(5)), pTheme->m_clrStatusPaneBorder.GetColor());
    EXPECT_EQ(c(30), pTheme->m_clrCaptionFill.GetColor());
    EXPECT_EQ(GetColorManager()->GetColor(55), c(55));
}

TEST_F(PaintThemeOffice2003, PaletteDisplaysGetSolidButtonFaceGradients)
{
    QorSetDisplayBitsPerPixelForTest(8);
    for (int nTheme : {qorPaintThemeOffice2003, qorPaintThemeWhidbey}) {
        SCOPED_TRACE(nTheme);
        PaintManagerPtr p = MakeTheme(nTheme);
        CQorOffice2003Theme* pTheme = Office2003(p);
        const COLORREF clrFace = p->GetColor(15);
        for (const CQorPaintManagerColorGradient* pGradient :
             {&pTheme->m_grcBarWindow, &pTheme->m_grcToolBar, &pTheme->m_grcGlyph, &pTheme->m_grcPopupedControl}) {
            EXPECT_EQ(clrFace, pGradient->m_clrLight.GetColor());
            EXPECT_EQ(clrFace, pGradient->m_clrDark.GetColor());
        }
        EXPECT_NE(pTheme->m_grcPopupColumn.m_clrLight.GetColor(), clrFace); // not one of the four
    }
}

TEST_F(PaintThemeOffice2003, WhidbeyLoadsOnlyItsOwnPalettesAndIgnoresClassicColoursOnly)
{
    struct Row
    {
        const char* name;
        int nRequestedKind;
        BOOL bClassicOnly;
        COLORREF clrToolBarBorder; // QOR_COLOR_UNSET: the blended colour 30
        COLORREF clrColor47;       // QOR_COLOR_UNSET: as the blended refresh left it
    } rows[] = {
        {"none", 0, FALSE, QOR_COLOR_UNSET, QOR_COLOR_UNSET},
        {"blue", 1, FALSE, 0x7CA3A3, QOR_COLOR_UNSET},
        {"olive", 2, FALSE, 0x7CA3A3, 0xFFFFFF},
        {"silver", 3, FALSE, 0x947C7C, 0x000000},
        {"royale", 4, FALSE, QOR_COLOR_UNSET, QOR_COLOR_UNSET},
        {"aero", 5, FALSE, QOR_COLOR_UNSET, QOR_COLOR_UNSET},
        {"silver with classic colours only", 3, TRUE, 0x947C7C, 0x000000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CQorColorManager* pColorManager = GetColorManager();
        pColorManager->m_nRequestedKind = row.nRequestedKind;
        pColorManager->m_bClassicColorsOnly = row.bClassicOnly;
        PaintManagerPtr p = MakeTheme(qorPaintThemeWhidbey);
        CQorOffice2003Theme* pTheme = Office2003(p);
        EXPECT_EQ(qorPaintThemeWhidbey, p->GetThemeKind());
        EXPECT_TRUE(pTheme->m_bWhidbeyLook);
        EXPECT_FALSE(pTheme->m_bPaletteLoaded); // the Office 2003 palettes are never loaded
        if (row.clrToolBarBorder == QOR_COLOR_UNSET) {
            EXPECT_EQ(p->GetColor(30), pTheme->m_clrToolBarBorder.GetColor());
            // Its own glyph gradient over the blended colours.
            EXPECT_EQ(BlendColors(550, p->GetColor(5), p->GetColor(15)), pTheme->m_grcGlyph.m_clrLight.GetColor());
            EXPECT_EQ(p->GetColor(16), pTheme->m_grcGlyph.m_clrDark.GetColor());
        } else {
            EXPECT_EQ(row.clrToolBarBorder, pTheme->m_clrToolBarBorder.GetColor());
        }
        if (row.clrColor47 != QOR_COLOR_UNSET) {
            EXPECT_EQ(row.clrColor47, p->GetColor(47));
        }
    }
    // Blue and olive take gradient 4 from gradient 2.
    GetColorManager()->m_nRequestedKind = 2;
    GetColorManager()->m_bClassicColorsOnly = FALSE;
    PaintManagerPtr p = MakeTheme(qorPaintThemeWhidbey);
    CQorOffice2003Theme* pTheme = Office2003(p);
    EXPECT_EQ(0xF5F9FAu, pTheme->m_grcImage.m_clrLight.GetColor());
    EXPECT_EQ(0xA8C0C0u, pTheme->m_grcImage.m_clrDark.GetColor());
    EXPECT_FLOAT_EQ(0.75f, pTheme->m_grcImage.m_fGradientFactor);
    EXPECT_EQ(0xEAEDEEu, pTheme->m_grcGlyph.m_clrLight.GetColor());
    EXPECT_EQ(0x9EACB0u, pTheme->m_grcGlyph.m_clrDark.GetColor());
    EXPECT_EQ(0x8DC6B6u, p->GetColor(31));
}

TEST_F(PaintThemeOffice2003, WithAPaletteHotPressedAndCheckedButtonsUseTheHighlightGradients)
{
    GetColorManager()->m_nRequestedKind = 1;
    PaintManagerPtr p = MakeTheme(qorPaintThemeOffice2003);
    struct Row
    {
        const char* name;
        BOOL bSelected, bPressed, bChecked;
        COLORREF clrTop;
    } rows[] = {
        {"hot", TRUE, FALSE, FALSE, 0xC8F2FF},
        {"pressed", TRUE, TRUE, FALSE, 0x4B8EFE},
        {"checked", FALSE, FALSE, TRUE, 0x8CD5FF},
        {"checked and hot", TRUE, FALSE, TRUE, 0x4B8EFE},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Canvas canvas(30, 40, RGB(1, 2, 3));
        p->DrawControlEntry(canvas.Dc(), CRect(0, 0, 30, 40), row.bSelected, row.bPressed, TRUE, row.bChecked, FALSE, 1,
                            0);
        EXPECT_EQ(0x800000u, canvas.Pixel(0, 20)); // framed in colour 32
        EXPECT_TRUE(foundationtest::Near(row.clrTop, canvas.Pixel(15, 1), 8));
    }
    // A popped-up control: gradient 6, framed in colour 43.
    Canvas canvas(30, 40, RGB(1, 2, 3));
    p->DrawControlEntry(canvas.Dc(), CRect(0, 0, 30, 40), FALSE, FALSE, TRUE, FALSE, TRUE, 1, 0);
    EXPECT_EQ(p->GetColor(43), canvas.Pixel(0, 20));
    EXPECT_TRUE(foundationtest::Near(0xFFEFE3, canvas.Pixel(15, 1), 8));
}

TEST_F(PaintThemeOffice2003, DockedBarsAreRaisedUnlessTheFlatnessFlagOfTheirKindIsSet)
{
    PaintManagerPtr p = MakeTheme(qorPaintThemeOffice2003);
    CQorOffice2003Theme* pTheme = Office2003(p);
    CQorCommandBar* pBar = new CQorCommandBar;
    ASSERT_TRUE(pBar->CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 100, 26, nullptr, nullptr));
    struct Case
    {
        const char* name;
        int nType;
        DWORD dwFlags;
        BOOL bFlatToolBars, bFlatMenuBars;
        BOOL bRaised;
    } cases[] = {
        {"tool bar", qorBarTypeToolBar, 0xF, FALSE, TRUE, TRUE},
        {"flat tool bar", qorBarTypeToolBar, 0x1, TRUE, FALSE, FALSE},
        {"menu bar, its own flag off", qorBarTypeMenuBar, 0x2, TRUE, FALSE, TRUE},
        {"flat menu bar", qorBarTypeMenuBar, 0xF, FALSE, TRUE, FALSE},
        {"a bar that docks nowhere", qorBarTypeToolBar, 0x10, FALSE, FALSE, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pBar->m_barType = c.nType;
        pBar->m_barPosition = qorBarTop;
        pBar->m_dwFlags = c.dwFlags;
        pTheme->m_bFlatToolBars = c.bFlatToolBars;
        pTheme->m_bFlatMenuBars = c.bFlatMenuBars;
        EXPECT_EQ(pTheme->IsBarPlainDocked(pBar), c.bRaised);
        Canvas canvas(100, 26, RGB(1, 2, 3));
        pTheme->FillCommandBar(canvas.Dc(), pBar);
        // Raised: its bottom edge in colour 1; flat: just as the window beneath.
        const COLORREF clrBorder = pTheme->m_clrToolBarBorder.GetColor();
        EXPECT_EQ(canvas.Pixel(50, 25) == clrBorder, c.bRaised);
        Canvas beneath(100, 26, RGB(1, 2, 3));
        pTheme->FillBarWindow(beneath.Dc(), pBar);
        if (!c.bRaised) {
            for (const POINT& pt : {POINT{0, 0}, POINT{50, 25}, POINT{99, 12}})
                EXPECT_EQ(canvas.Pixel(pt.x, pt.y), beneath.Pixel(pt.x, pt.y)) << pt.x << "," << pt.y;
        }
    }
    pBar->DestroyWindow();
    pBar->InternalRelease();
}
