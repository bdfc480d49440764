#include "toolkit/docking/DockingPaneThemes.h"

#include "toolkit/docking/DockingPane.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/SystemInfo.h"
#include "toolkit/tabs/TabAppearanceSet.h"
#include "toolkit/tabs/TabPaintManager.h"

#include <algorithm>
#include <cmath>
#include <vssym32.h>

double QorContrastRatio(COLORREF clrA, COLORREF clrB)
{
    // Relative luminance: the sRGB channels made linear, weighted by how bright each reads.
    auto luminance = [](COLORREF clr) {
        auto linear = [](int nChannel) {
            const double c = nChannel / 255.0;
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(GetRValue(clr)) + 0.7152 * linear(GetGValue(clr)) + 0.0722 * linear(GetBValue(clr));
    };
    const double a = luminance(clrA) + 0.05;
    const double b = luminance(clrB) + 0.05;
    return a > b ? a / b : b / a;
}

namespace QorDockingPanePaintThemes {

namespace {

BOOL IsContentDisabled(const CQorDockingPaneBase* pOwner)
{
    CQorDockingPane* pPane = CQorDockingPanePaintManager::GetCaptionPane(pOwner);
    return pPane && !(pPane->GetEnabled() & qorPaneEnableClient);
}

BOOL IsWindows95()
{
    const OSVERSIONINFOW& info = GetOsVersionInfo();
    return info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && info.dwMajorVersion == 4 && info.dwMinorVersion <= 9;
}

// A system colour as the colour manager sees it (a skin or a test may answer for the system).
COLORREF SystemColor(int nIndex)
{
    CQorColorManager* pColors = GetColorManager();
    return pColors->m_pfnGetSysColor ? pColors->m_pfnGetSysColor(nIndex) : ::GetSysColor(nIndex);
}

void ReduceBand(CRect& rc, BOOL bVertical)
{
    if (bVertical)
        rc.bottom -= 2;
    else
        rc.right -= 2;
}

void InsetForText(CRect& rc, BOOL bVertical)
{
    if (bVertical) {
        rc.left += 1;
        rc.top += 4;
    } else {
        rc.left += 4;
        rc.top += 1;
    }
}

// The caption text colour kept readable on the face already drawn in the band: a colour that
// falls below 3:1 against any of three points of the face (where the text runs) gives way to
// black or white, whichever reads better there.
COLORREF ReadableOnFace(CDC* pDC, const CRect& rcBand, BOOL bVertical, COLORREF clrText)
{
    const double kMinimum = 3.0;
    COLORREF faces[3];
    int nFaces = 0;
    for (int i = 1; i <= 3; i++) {
        const CPoint pt = bVertical ? CPoint(rcBand.CenterPoint().x, rcBand.top + rcBand.Height() * i / 4)
                                    : CPoint(rcBand.left + rcBand.Width() * i / 4, rcBand.CenterPoint().y);
        const COLORREF clr = pDC->GetPixel(pt);
        if (clr != CLR_INVALID)
            faces[nFaces++] = clr;
    }
    auto worst = [&](COLORREF clr) {
        double dWorst = 21.0;
        for (int i = 0; i < nFaces; i++)
            dWorst = std::min(dWorst, QorContrastRatio(clr, faces[i]));
        return dWorst;
    };
    if (nFaces == 0 || worst(clrText) >= kMinimum)
        return clrText;
    return worst(RGB(0, 0, 0)) >= worst(RGB(255, 255, 255)) ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

CRect CaptionStrip(const CRect& rc, int nThickness, BOOL bVertical)
{
    return bVertical ? CRect(rc.left, rc.top, rc.left + nThickness, rc.bottom)
                     : CRect(rc.left, rc.top, rc.right, rc.top + nThickness);
}

} // namespace

// ---- Default ------------------------------------------------------------------------------------

CQorDockingPaneDefaultTheme::CQorDockingPaneDefaultTheme()
{
    m_nCaptionButtonStyle = 0;
    m_pTabPaintManager->SetAppearanceSet(new CQorTabPaintManager::CAppearanceSetPropertyPage());
    m_pPanelPaintManager->SetAppearanceSet(new CQorTabPaintManager::CAppearanceSetPropertyPage());
}

void CQorDockingPaneDefaultTheme::DrawCaption(CDC* pDC, CQorDockingPaneTabbedContainer* pPane, CRect rc)
{
    const BOOL bActive = m_bHighlightActiveCaption && pPane->IsActive();
    const BOOL bVertical = pPane->IsCaptionVertical();
    const int T = m_nTitleHeight;
    pDC->FillSolidRect(CaptionStrip(rc, T + 3, bVertical), GetXtremeColor(COLOR_3DFACE));
    CRect rcBand = bVertical ? CRect(rc.left + 2, rc.top, rc.left + T + 1, rc.bottom)
                             : CRect(rc.left, rc.top + 2, rc.right, rc.top + T + 1);
    DrawCaptionPart(pDC, pPane, rcBand, pPane->GetCaptionTitle(), bActive, bVertical);
}

void CQorDockingPaneDefaultTheme::DrawCaptionPart(CDC* pDC, CQorDockingPaneBase* pPane, CRect rcCaption,
                                                  const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    pDC->FillSolidRect(&rcCaption, GetXtremeColor(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    ReduceBand(rcCaption, bVertical);
    DrawCaptionButtons(pDC, pPane->GetCaptionButtons(), rcCaption, GetXtremeColor(COLOR_BTNTEXT), 14, 0, bVertical);
    COLORREF clrText = IsContentDisabled(pPane)
                           ? GetXtremeColor(COLOR_GRAYTEXT)
                           : GetXtremeColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
    pDC->SetTextColor(clrText);
    InsetForText(rcCaption, bVertical);
    DrawCaptionText(pDC, rcCaption, bVertical, FALSE, strTitle);
}

// ---- Office -------------------------------------------------------------------------------------

void CQorDockingPaneOfficeTheme::COfficePanelColorSet::RefreshMetrics()
{
    CColorSetVisualStudio::RefreshMetrics();
    // The flat tabs' arrows and close glyph take the dark shadow, pressed or not.
    if (!m_pPaintManager ||
        !dynamic_cast<CQorTabPaintManager::CAppearanceSetFlat*>(m_pPaintManager->GetAppearanceSet()))
        return;
    m_clrNavigateButton.SetStandardValue(::GetSysColor(COLOR_3DDKSHADOW));
    m_clrNavigateButtonPressed.SetStandardValue(::GetSysColor(COLOR_3DDKSHADOW));
}

CQorDockingPaneOfficeTheme::CQorDockingPaneOfficeTheme()
{
    m_nCaptionButtonStyle = 1;
    m_bBoldCaptionFont = FALSE;
    m_bGradientCaption = FALSE;
    m_pTabPaintManager->SetAppearanceSet(new CQorTabPaintManager::CAppearanceSetVisualStudio());
    m_pPanelPaintManager->SetAppearanceSet(new CQorTabPaintManager::CAppearanceSetFlat());
    m_pPanelPaintManager->SetColorSet(new COfficePanelColorSet());
}

void CQorDockingPaneOfficeTheme::RefreshMetrics()
{
    CQorDockingPanePaintManager::RefreshMetrics();
    // Every colour is stored resolved: a raw system colour could be small enough to read as
    // an index of the colour table.
    m_clrActiveCaption.SetStandardValue(GetXtremeColor(COLOR_ACTIVECAPTION),
                                        GetXtremeColor(COLOR_GRADIENTACTIVECAPTION));
    m_clrNormalCaption.SetStandardValue(GetXtremeColor(COLOR_INACTIVECAPTION),
                                        SystemColor(COLOR_GRADIENTINACTIVECAPTION));
    m_clrNormalCaptionText.SetStandardValue(GetXtremeColor(COLOR_BTNTEXT));
    m_clrActiveCaptionText.SetStandardValue(GetXtremeColor(COLOR_CAPTIONTEXT));
    if (IsWindows95()) {
        m_clrActiveCaption.SetStandardValue(GetXtremeColor(COLOR_ACTIVECAPTION), GetXtremeColor(COLOR_ACTIVECAPTION));
        m_clrNormalCaption.SetStandardValue(GetXtremeColor(COLOR_INACTIVECAPTION),
                                            GetXtremeColor(COLOR_INACTIVECAPTION));
    }
}

COLORREF CQorDockingPaneOfficeTheme::DrawCaptionBackground(CDC* pDC, CQorDockingPaneBase*, CRect rcCaption,
                                                           BOOL bActive, BOOL bVertical)
{
    const CQorPaintManagerColorGradient& grc = bActive ? m_clrActiveCaption : m_clrNormalCaption;
    if (m_bGradientCaption) {
        GetDrawHelpers()->GradientFill(pDC, &rcCaption, grc.m_clrLight.GetColor(), grc.m_clrDark.GetColor(),
                                       !bVertical);
    } else if (bActive) {
        pDC->FillSolidRect(&rcCaption, grc.m_clrLight.GetColor());
    } else {
        const COLORREF clr = GetXtremeColor(52);
        pDC->FillSolidRect(rcCaption.left + 1, rcCaption.top, rcCaption.Width() - 2, 1, clr);
        pDC->FillSolidRect(rcCaption.left + 1, rcCaption.bottom - 1, rcCaption.Width() - 2, 1, clr);
        pDC->FillSolidRect(rcCaption.left, rcCaption.top + 1, 1, rcCaption.Height() - 2, clr);
        pDC->FillSolidRect(rcCaption.right - 1, rcCaption.top + 1, 1, rcCaption.Height() - 2, clr);
    }
    return GetXtremeColor(bActive ? COLOR_CAPTIONTEXT : COLOR_BTNTEXT);
}

void CQorDockingPaneOfficeTheme::DrawCaption(CDC* pDC, CQorDockingPaneTabbedContainer* pPane, CRect rc)
{
    const BOOL bActive = m_bHighlightActiveCaption && pPane->IsActive();
    const BOOL bVertical = pPane->IsCaptionVertical();
    const int T = m_nTitleHeight;
    pDC->FillSolidRect(CaptionStrip(rc, T + 3, bVertical), m_clrBackground.GetColor());
    const int nMargin = m_rcCaptionMargin.top;
    CRect rcBand = bVertical ? CRect(rc.left + nMargin, rc.top, rc.left + T + 1, rc.bottom)
                             : CRect(rc.left, rc.top + nMargin, rc.right, rc.top + T + 1);
    DrawCaptionPart(pDC, pPane, rcBand, pPane->GetCaptionTitle(), bActive, bVertical);
}

void CQorDockingPaneOfficeTheme::DrawCaptionPart(CDC* pDC, CQorDockingPaneBase* pPane, CRect rcCaption,
                                                 const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    COLORREF clrButton = DrawCaptionBackground(pDC, pPane, rcCaption, bActive, bVertical);
    ReduceBand(rcCaption, bVertical);
    DrawCaptionButtons(pDC, pPane->GetCaptionButtons(), rcCaption, clrButton, 14, 2, bVertical);
    COLORREF clrText = IsContentDisabled(pPane)
                           ? GetXtremeColor(COLOR_GRAYTEXT)
                           : (bActive ? m_clrActiveCaptionText.GetColor() : m_clrNormalCaptionText.GetColor());
    pDC->SetTextColor(clrText);
    InsetForText(rcCaption, bVertical);
    DrawCaptionText(pDC, rcCaption, bVertical, FALSE, strTitle);
}

// ---- NativeXP -----------------------------------------------------------------------------------

CQorDockingPaneNativeXPTheme::CQorDockingPaneNativeXPTheme()
{
    m_nCaptionButtonStyle = 3;
    m_bGradientCaption = TRUE;
    m_nCaptionFontGap = 7;
    m_pTabPaintManager->SetAppearanceSet(new CQorTabPaintManager::CAppearanceSetPropertyPage());
    m_pTabPaintManager->SetColor(qorTabColorWinXP);
    m_pPanelPaintManager->SetAppearanceSet(new CQorTabPaintManager::CAppearanceSetPropertyPage());
    m_pPanelPaintManager->SetColor(qorTabColorWinXP);
}

BOOL CQorDockingPaneNativeXPTheme::IsWindowThemed()
{
    return m_themeWindow.GetHandle() != nullptr;
}

void CQorDockingPaneNativeXPTheme::DrawCaption(CDC* pDC, CQorDockingPaneTabbedContainer* pPane, CRect rc)
{
    if (!IsWindowThemed()) {
        CQorDockingPaneOfficeTheme::DrawCaption(pDC, pPane, rc);
        return;
    }
    const BOOL bActive = m_bHighlightActiveCaption && pPane->IsActive();
    const BOOL bVertical = pPane->IsCaptionVertical();
    const int T = m_nTitleHeight;
    CRect rcBand = bVertical ? CRect(0, 0, T + 1, rc.bottom) : CRect(0, 0, rc.right, T + 1);
    m_themeWindow.DrawThemeBackground(pDC->GetSafeHdc(), 2, bActive ? 1 : 2, &rcBand);
    DrawCaptionPart(pDC, pPane, rcBand, pPane->GetCaptionTitle(), bActive, bVertical);
}

void CQorDockingPaneNativeXPTheme::DrawCaptionPart(CDC* pDC, CQorDockingPaneBase* pPane, CRect rcCaption,
                                                   const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    if (!IsWindowThemed()) {
        CQorDockingPaneOfficeTheme::DrawCaptionPart(pDC, pPane, rcCaption, strTitle, bActive, bVertical);
        return;
    }
    COLORREF clr = GetXtremeColor(COLOR_GRAYTEXT);
    if (!IsContentDisabled(pPane)) {
        // The text colour the theme gives its small caption in this state, else the system's;
        // either way it must read on the face the theme drew (a light theme's inactive face is
        // near white, and so is its inactive caption text colour).
        if (FAILED(m_themeWindow.GetThemeColor(WP_SMALLCAPTION, bActive ? CS_ACTIVE : CS_INACTIVE, TMT_TEXTCOLOR,
                                               &clr)))
            clr = GetXtremeColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
        clr = ReadableOnFace(pDC, rcCaption, bVertical, clr);
    }
    ReduceBand(rcCaption, bVertical);
    DrawCaptionButtons(pDC, pPane->GetCaptionButtons(), rcCaption, clr, 16, 3, bVertical);
    pDC->SetTextColor(clr);
    InsetForText(rcCaption, bVertical);
    DrawCaptionText(pDC, rcCaption, bVertical, FALSE, strTitle);
}

} // namespace QorDockingPanePaintThemes
