// The Office 2003 theme: the Office look with gradients blended from the system colours, or
// the fixed blue, olive and silver palettes when a matching colour scheme is in force.
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/PaintManagerInternal.h"
#include "toolkit/commandbars/PaintThemePalette.h"
#include "toolkit/commandbars/PaintThemes.h"
#include "toolkit/commandbars/StatusBar.h"
#include "toolkit/foundation/DrawHelpers.h"

using namespace qorpaint;

namespace QorPaintThemes {

namespace {

const int kColorBarBorder = 43;
const int kColorSelectedFrame = 32;
const int kColorSeparator = 40;

struct Office2003Palette
{
    PaletteGradient gradients[6]; // gradients 1-6
    COLORREF clrToolBarBorder;    // colour 1
    COLORREF clrStatusPaneBorder; // colour 2
    COLORREF clrCaptionFill;      // colour 3
    PaletteGradient barGradient;
    COLORREF clrCaption;
    COLORREF clrStatusText;
    PaletteColorRow rows[22];
};

const Office2003Palette kBluePalette = {
    {{0xF5BE9E, 0xFADAC4, 0.5f},
     {0xFEECDD, 0xE2A981, 0.75f},
     {0xF1A675, 0x913500, 0.75f},
     {0xFEEFE3, 0xE2A981, 0.5f},
     {0xF6DDCB, 0xDCA179, 0.5f},
     {0xFFEFE3, 0xE7B593, 0.5f}},
    0x9C613B,
    0xD3D3D3,
    0xF0C7A9,
    {0xF2ECE9, 0xAC7A61, 0.5f},
    0xC9662A,
    0x361E16,
    {{12, 0xAE9990},
     {30, 0xF9DBC4},
     {31, 0xC2EEFF},
     {32, 0x800000},
     {37, 0x800000},
     {50, 0x800000},
     {33, 0x3E80FE},
     {36, 0x6FC0FF},
     {38, 0x764127},
     {39, 0xCB8C6A},
     {40, 0xD0966D},
     {41, 0xF6F6F6},
     {43, 0x962D00},
     {47, 0x000000},
     {51, 0xFCE7D8},
     {52, 0xF5BE9E},
     {53, 0xFCE1CB},
     {56, 0xF7D3BD},
     {-1, 0}},
};

const Office2003Palette kOlivePalette = {
    {{0xA7D9D9, 0xE4F1F2, 0.5f},
     {0xDEF7F4, 0x91C6B7, 0.3f},
     {0x8CC2B0, 0x6B7760, 0.3f},
     {0xD5F0EC, 0x93C6B8, 0.5f},
     {0xD1E6E6, 0x78B4A4, 0.3f},
     {0xD5F0EC, 0x9FCEC2, 0.5f}},
    0x588060,
    0xD3D3D3,
    0x9FD4C5,
    {0xF0F4F3, 0x719083, 0.5f},
    0x5E8674,
    0x19221F,
    {{12, 0x7BA097},
     {30, 0xADDED1},
     {31, 0xC2EEFF},
     {32, 0x385D3F},
     {37, 0x385D3F},
     {50, 0x385D3F},
     {33, 0x3E80FE},
     {36, 0x6FC0FF},
     {38, 0x335E51},
     {39, 0x588060},
     {40, 0x7AAE9F},
     {41, 0xEEF4F4},
     {43, 0x5E8D75},
     {47, 0x000000},
     {51, 0xBFE7E2},
     {52, 0x8AC0AB},
     {53, 0xB6E3D8},
     {56, 0xBDE3DE},
     {-1, 0}},
};

const Office2003Palette kSilverPalette = {
    {{0xE5D7D7, 0xF7F3F3, 0.5f},
     {0xFFF9F9, 0xB79B9C, 0.75f},
     {0xC8B2B3, 0x927476, 0.75f},
     {0xF1E8E8, 0xC5AEB0, 0.5f},
     {0xE2D7D7, 0xA28385, 0.5f},
     {0xF1E7E9, 0xCDB9BA, 0.5f}},
    0x947C7C,
    0xDAEAEC,
    0xD3C0C0,
    {0xF9F5F7, 0x99797A, 0.5f},
    0x99797A,
    0x292024,
    {{12, 0xB39A9B},
     {30, 0xE4DADB},
     {31, 0xC2EEFF},
     {32, 0x6F4B4B},
     {37, 0x6F4B4B},
     {50, 0x6F4B4B},
     {33, 0x3E80FE},
     {36, 0x6FC0FF},
     {38, 0x755454},
     {39, 0x8F6D6E},
     {40, 0xBEA7A8},
     {41, 0xFFFAFD},
     {43, 0x947C7C},
     {47, 0x000000},
     {51, 0xEADFDF},
     {52, 0xC3B0B1},
     {53, 0xE7D3D6},
     {56, 0xE7D7D6},
     {-1, 0}},
};

} // namespace

CQorOffice2003Theme::CQorOffice2003Theme() : m_bPaletteLoaded(FALSE), m_bWhidbeyLook(FALSE)
{
    m_bThemeInstallFlag = FALSE;
    m_grcHighlight[0].SetStandardValue(0x8CD5FF, 0x55ADFF);
    m_grcHighlight[1].SetStandardValue(0x4B8EFE, 0x8BCFFF);
    m_grcHighlight[2].SetStandardValue(0xC8F2FF, 0x97D4FF);
}

int CQorOffice2003Theme::GetSchemeToLoad() const
{
    CQorColorManager* pColorManager = GetColorManager();
    if (m_nRefreshScope == 6)
        return pColorManager->GetCurrentVisualStyle();
    if (m_nRefreshScope != 7)
        return m_nRefreshScope;
    if (pColorManager->m_bClassicColorsOnly)
        return qorStyleNone;
    const int nKind = pColorManager->m_nRequestedKind;
    return nKind == 6 || nKind == 7 ? pColorManager->GetCurrentVisualStyle() : nKind;
}

void CQorOffice2003Theme::RefreshMetrics()
{
    CQorOfficeTheme::RefreshMetrics();
    CWnd* pMainWnd = AfxGetMainWnd();
    m_themeStatusBar.Open(pMainWnd ? pMainWnd->GetSafeHwnd() : nullptr);

    auto c = [this](int nIndex) { return GetColor(nIndex); };
    m_grcPopupColumn.SetStandardValue(BlendColors(550, c(kColorWindow), c(42)), c(42));
    m_grcToolBar.SetStandardValue(BlendColors(205, c(kColorButtonFace), c(kColorWindow)), c(kColorButtonFace));
    m_grcBarWindow.SetStandardValue(c(kColorButtonFace), BlendColors(205, c(kColorButtonFace), c(kColorWindow)));
    m_clrCaptionFill.SetStandardValue(c(30));
    m_clrToolBarBorder.SetStandardValue(c(30));
    m_clrCaption.SetStandardValue(c(kColorButtonShadow));
    m_grcPopupedControl.SetStandardValue(c(41), BlendColors(550, c(kColorWindow), c(kColorButtonFace)));
    m_grcGlyph.SetStandardValue(BlendColors(51, c(51), c(kColorButtonShadow)), c(kColorButtonShadow));
    m_bPaletteLoaded = FALSE;
    m_grcImage.SetStandardValue(c(41), BlendColors(550, c(kColorWindow), c(kColorButtonFace)));
    m_clrStatusPaneBorder.SetStandardValue(BlendColors(70, c(kColorButtonFace), c(kColorWindow)));

    // Gradients need more colours than a palette display has.
    if (QorIsPaletteDisplay()) {
        for (CQorPaintManagerColorGradient* pGradient :
             {&m_grcToolBar, &m_grcBarWindow, &m_grcPopupedControl, &m_grcGlyph})
            pGradient->SetStandardValue(c(kColorButtonFace), c(kColorButtonFace));
    }

    LoadPalette(GetSchemeToLoad());
    if (m_bPaletteLoaded) {
        for (int nIndex : {58, 60, 35})
            m_arrColor[nIndex].SetStandardValue(0x8D8D8D);
        m_arrColor[61].SetStandardValue(m_clrCaption.GetColor());
    }
}

void CQorOffice2003Theme::LoadPalette(int nScheme)
{
    const Office2003Palette* pPalette = nScheme == qorStyleBlue || nScheme == qorStyleRoyale || nScheme == qorStyleAero
                                            ? &kBluePalette
                                        : nScheme == qorStyleOlive  ? &kOlivePalette
                                        : nScheme == qorStyleSilver ? &kSilverPalette
                                                                    : nullptr;
    if (!pPalette)
        return;
    CQorPaintManagerColorGradient* gradients[6] = {&m_grcBarWindow, &m_grcToolBar,     &m_grcGlyph,
                                                   &m_grcImage,     &m_grcPopupColumn, &m_grcPopupedControl};
    for (int i = 0; i < 6; ++i)
        ApplyGradient(*gradients[i], pPalette->gradients[i]);
    m_clrToolBarBorder.SetStandardValue(pPalette->clrToolBarBorder);
    m_clrStatusPaneBorder.SetStandardValue(pPalette->clrStatusPaneBorder);
    m_clrCaptionFill.SetStandardValue(pPalette->clrCaptionFill);
    ApplyGradient(m_grcCommandBar, pPalette->barGradient);
    m_clrCaption.SetStandardValue(pPalette->clrCaption);
    m_clrStatusTextColor = pPalette->clrStatusText;
    ApplyColorRows(*this, pPalette->rows);
    m_bPaletteLoaded = TRUE;
}

void CQorOffice2003Theme::DrawControlEntry(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                           BOOL bChecked, BOOL bPopuped, int nBarType, int nBarPosition)
{
    if (bPopuped && nBarType != kBarTypePopup) {
        GetDrawHelpers()->GradientFillGradient(pDC, &rc, m_grcPopupedControl, FALSE);
        FillAndFrame(pDC, rc, kColorBarBorder);
        return;
    }
    const BOOL bPopupItem = nBarType == kBarTypePopup && !bChecked;
    if (!m_bPaletteLoaded || !bEnabled || bPopupItem || !(bSelected || bPressed || bChecked)) {
        CQorOfficeTheme::DrawControlEntry(pDC, rc, bSelected, bPressed, bEnabled, bChecked, bPopuped, nBarType,
                                          nBarPosition);
        return;
    }
    // Checked, pressed (or checked and hot) and hot highlights.
    const int nHighlight = bPressed || (bChecked && bSelected) ? 1 : bChecked ? 0 : 2;
    GetDrawHelpers()->GradientFillGradient(pDC, &rc, m_grcHighlight[nHighlight], FALSE);
    FillAndFrame(pDC, rc, kColorSelectedFrame);
}

void CQorOffice2003Theme::FillBarWindow(CDC* pDC, CWnd* pWnd)
{
    CRect rc;
    GetClientRectSafe(pWnd, rc);
    GetDrawHelpers()->GradientFillGradient(pDC, &rc, m_grcBarWindow, TRUE);
}

CSize CQorOffice2003Theme::FillCaptionBar(CDC* pDC, CRect rc, BOOL, BOOL bDraw)
{
    return FillCaptionRect(pDC, rc, m_clrCaptionFill.GetColor(), bDraw);
}

void CQorOffice2003Theme::FillPopupColumn(CDC* pDC, CRect rc, BOOL bFlag)
{
    GetDrawHelpers()->GradientFillGradient(pDC, &rc, bFlag ? m_grcPopupColumn : m_grcToolBar, TRUE);
}

void CQorOffice2003Theme::DrawStatusBarGripper(CDC* pDC, CRect rcClient)
{
    DrawGripperDots(pDC, rcClient, 0, kColorButtonHighlight, kColorButtonShadow);
}

// ---------------------------------------------------------------------------------------------
// Bars

CSize CQorOffice2003Theme::DrawSeparator(CDC* pDC, CQorCommandBar* pBar, CQorControl* pControl, BOOL bDraw)
{
    CRect rcGap;
    BOOL bHorizontalLine = FALSE;
    if (!bDraw || (pBar && pBar->IsPopupBar()) || !GetSeparatorGap(pBar, pControl, rcGap, bHorizontalLine))
        return CQorOfficeTheme::DrawSeparator(pDC, pBar, pControl, bDraw);
    // An engraved line on the gradient; the Whidbey look keeps the dark line alone, longer.
    if (m_bWhidbeyLook)
        DrawSeparatorLine(pDC, rcGap, bHorizontalLine, 2, kColorSeparator, QOR_COLOR_UNSET);
    else
        DrawSeparatorLine(pDC, rcGap, bHorizontalLine, 4, kColorSeparator, kColorWindow);
    return CQorOfficeTheme::DrawSeparator(nullptr, pBar, nullptr, FALSE);
}

void CQorOffice2003Theme::FillCommandBar(CDC* pDC, CQorCommandBar* pBar)
{
    CRect rc;
    GetClientRectSafe(pBar, rc);
    if (rc.IsRectEmpty() || pBar->IsPopupBar()) {
        CQorOfficeTheme::FillCommandBar(pDC, pBar);
        return;
    }
    const BOOL bVertical = IsVerticalBar(pBar);
    if (pBar->GetPosition() == kBarPositionFloating) {
        GetDrawHelpers()->GradientFillGradient(pDC, &rc, m_grcToolBar, FALSE);
        FillAndFrame(pDC, rc, m_clrCaption.GetColor());
        rc.DeflateRect(1, 1);
        FillAndFrame(pDC, rc, m_clrCaption.GetColor());
        return;
    }
    // A flat bar is one with the window beneath it.
    if (!IsBarPlainDocked(pBar)) {
        GetDrawHelpers()->GradientFillGradient(pDC, &rc, m_grcBarWindow, TRUE);
        return;
    }
    // A docked bar: the gradient across it, its far edge in colour 1, its corners rounded off
    // into the window beneath.
    GetDrawHelpers()->GradientFillGradient(pDC, &rc, m_grcToolBar, bVertical);
    const COLORREF clrBorder = m_clrToolBarBorder.GetColor();
    if (bVertical)
        pDC->FillSolidRect(rc.right - 1, rc.top + 1, 1, rc.Height() - 2, clrBorder);
    else
        pDC->FillSolidRect(rc.left + 1, rc.bottom - 1, rc.Width() - 2, 1, clrBorder);
    const COLORREF clrBack = m_grcBarWindow.m_clrLight.GetColor();
    for (const CPoint& pt : {CPoint(rc.left, rc.top), CPoint(rc.right - 1, rc.top), CPoint(rc.left, rc.bottom - 1),
                             CPoint(rc.right - 1, rc.bottom - 1)})
        pDC->SetPixel(pt.x, pt.y, clrBack);
}

// Dots of two pixels, light beneath dark, every fourth pixel along the gripper.
void CQorOffice2003Theme::DrawGripperDotStrip(CDC* pDC, const CRect& rc, BOOL bDown)
{
    const COLORREF clrDark = GetColor(kColorSeparator), clrLight = GetColor(kColorWindow);
    for (int n = bDown ? rc.top : rc.left; n + 2 <= (bDown ? rc.bottom : rc.right); n += 4) {
        const int x = bDown ? rc.left : n, y = bDown ? n : rc.top;
        pDC->FillSolidRect(x + 1, y + 1, 2, 2, clrLight);
        pDC->FillSolidRect(x, y, 2, 2, clrDark);
    }
}

void CQorOffice2003Theme::DrawDockedGripperMark(CDC* pDC, const CRect& rcClient, BOOL bLevel)
{
    if (bLevel)
        DrawGripperDotStrip(pDC, CRect(3, 5, 5, rcClient.bottom - 4), TRUE);
    else
        DrawGripperDotStrip(pDC, CRect(5, 3, rcClient.right - 4, 5), FALSE);
}

CSize CQorOffice2003Theme::DrawSmallGripper(CDC* pDC, CQorCommandBar*, BOOL bDraw)
{
    const int h = GetSmallGripperHeight();
    if (bDraw) {
        CRect rc(0, 0, 6, h);
        GetDrawHelpers()->GradientFillGradient(pDC, &rc, m_grcToolBar, FALSE);
        DrawGripperDotStrip(pDC, CRect(2, 4, 4, h - 3), TRUE);
    }
    return CSize(6, h);
}

BOOL CQorOffice2003Theme::IsBarPlainDocked(const CQorCommandBar* pBar) const
{
    const DWORD kDockFlags = 0xF; // may dock at the top, bottom, left or right
    if (!pBar || !(pBar->m_dwFlags & kDockFlags))
        return FALSE;
    return !(pBar->GetType() == qorBarTypeMenuBar ? m_bFlatMenuBars : m_bFlatToolBars);
}

CRect CQorOffice2003Theme::GetCommandBarBorders(CQorCommandBar* pBar)
{
    const int nPosition = pBar ? pBar->GetPosition() : -1;
    const BOOL bLevel =
        pBar && !pBar->IsPopupBar() && (nPosition == kBarPositionTop || nPosition == kBarPositionBottom);
    return CRect(bLevel ? 4 : 2, 2, 2, 2);
}

} // namespace QorPaintThemes

void QorPaintThemes::CQorOffice2003Theme::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CQorStatusBarPane* pPane, BOOL)
{
    if (pPane && (pPane->m_nStyle & SBPS_NOBORDERS))
        return;
    FillAndFrame(pDC, rc, m_clrStatusPaneBorder);
}
