// The Whidbey theme: the Office 2003 object that loads none of its palettes, with a glyph
// gradient and blue, olive and silver palettes of its own.
#include "toolkit/commandbars/PaintManagerInternal.h"
#include "toolkit/commandbars/PaintThemePalette.h"
#include "toolkit/commandbars/PaintThemes.h"

using namespace qorpaint;

namespace QorPaintThemes {

namespace {

const COLORREF kUnset = QOR_COLOR_UNSET;

struct WhidbeyPalette
{
    PaletteGradient gradients[5]; // gradients 1-5; gradient 4 unset: gradient 2's effective values
    COLORREF clrToolBarBorder;    // colour 1
    PaletteGradient barGradient;
    COLORREF clrCaptionFill; // colour 3
    COLORREF clrCaption;     // also colour 61
    PaletteColorRow rows[13];
};

const WhidbeyPalette kBluePalette = {
    {{0xD7E5E5, 0xE7F1F4, 0.5f},
     {0xF5F9FA, 0xA8C0C0, 0.75f},
     {0xEAEDEE, 0x7E9898, 0.75f},
     {kUnset, kUnset, 0.5f},
     {0xBAC7CC, 0xBAC7CC, 0.5f}},
    0x7CA3A3,
    {0xF9F5F7, 0x99797A, 0.5f},
    kUnset,
    kUnset,
    {{-1, 0}},
};

const WhidbeyPalette kOlivePalette = {
    {{0xD7E5E5, 0xE7F1F4, 0.5f},
     {0xF5F9FA, 0xA8C0C0, 0.75f},
     {0xEAEDEE, 0x9EACB0, 0.75f},
     {kUnset, kUnset, 0.5f},
     {0xBAC7CC, 0xBAC7CC, 0.5f}},
    0x7CA3A3,
    {0xD8E9EC, 0x99A8AC, 0.5f},
    kUnset,
    kUnset,
    {{31, 0x8DC6B6}, {33, 0x70A093}, {36, 0x8DC6B6}, {47, 0xFFFFFF}, {-1, 0}},
};

const WhidbeyPalette kSilverPalette = {
    {{0xE5D7D7, 0xF7F3F3, 0.5f},
     {0xFAF4F3, 0xB59799, 0.75f},
     {0xC8B2B3, 0x927476, 0.75f},
     {0xF1E8E8, 0xC5AEB0, 0.5f},
     {0xE2D7D7, 0xA28385, 0.5f}},
    0x947C7C,
    {0xF9F5F7, 0x99797A, 0.5f},
    0xD3C0C0,
    0x99797A,
    {{30, 0xE4DADB},
     {31, 0xC2EEFF},
     {32, 0x6F4B4B},
     {37, 0x6F4B4B},
     {50, 0x6F4B4B},
     {33, 0x3E80FE},
     {35, 0x8D8D8D},
     {60, 0x8D8D8D},
     {36, 0x6FC0FF},
     {38, 0x755454},
     {39, 0x8F6D6E},
     {47, 0x000000},
     {-1, 0}},
};

} // namespace

CQorWhidbeyTheme::CQorWhidbeyTheme()
{
    m_bWhidbeyLook = TRUE;
    m_nRefreshScope = 0;
}

int CQorWhidbeyTheme::GetWhidbeyStyle()
{
    CQorColorManager* pColorManager = GetColorManager();
    const int nKind = pColorManager->m_nRequestedKind;
    return nKind == 6 || nKind == 7 ? pColorManager->GetCurrentVisualStyle() : nKind;
}

void CQorWhidbeyTheme::RefreshMetrics()
{
    CQorOffice2003Theme::RefreshMetrics();
    const COLORREF clrFace = GetColor(kColorButtonFace);
    if (QorIsPaletteDisplay())
        m_grcGlyph.SetStandardValue(clrFace, clrFace);
    else
        m_grcGlyph.SetStandardValue(BlendColors(550, GetColor(kColorWindow), clrFace), GetColor(kColorButtonShadow));
    LoadWhidbeyPalette(GetWhidbeyStyle());
}

void CQorWhidbeyTheme::LoadWhidbeyPalette(int nStyle)
{
    const WhidbeyPalette* pPalette = nStyle == qorStyleBlue     ? &kBluePalette
                                     : nStyle == qorStyleOlive  ? &kOlivePalette
                                     : nStyle == qorStyleSilver ? &kSilverPalette
                                                                : nullptr;
    if (!pPalette)
        return;
    CQorPaintManagerColorGradient* gradients[5] = {&m_grcBarWindow, &m_grcToolBar, &m_grcGlyph, &m_grcImage,
                                                   &m_grcPopupColumn};
    for (int i = 0; i < 5; ++i)
        ApplyGradient(*gradients[i], pPalette->gradients[i]);
    if (pPalette->gradients[3].clrLight == kUnset)
        m_grcImage.SetStandardValue(m_grcToolBar.m_clrLight.GetColor(), m_grcToolBar.m_clrDark.GetColor(),
                                    m_grcToolBar.m_fGradientFactor);
    m_clrToolBarBorder.SetStandardValue(pPalette->clrToolBarBorder);
    ApplyGradient(m_grcCommandBar, pPalette->barGradient);
    ApplyColor(m_clrCaptionFill, pPalette->clrCaptionFill);
    if (pPalette->clrCaption != kUnset) {
        m_clrCaption.SetStandardValue(pPalette->clrCaption);
        m_arrColor[61].SetStandardValue(pPalette->clrCaption);
    }
    ApplyColorRows(*this, pPalette->rows);
}

} // namespace QorPaintThemes
