#include "toolkit/tabs/TabColorSets.h"

#include <algorithm>
#include <cmath>

#include "platform/framework/Gdi.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/Office2007Image.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabManagerNavigateButton.h"

namespace {

// Relative luminance of a colour, 0 (black) to 1 (white), as contrast ratios are measured.
double Luminance(COLORREF clr)
{
    auto channel = [](BYTE c) {
        const double v = c / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(clr)) + 0.7152 * channel(GetGValue(clr)) + 0.0722 * channel(GetBValue(clr));
}

// Text in one colour on a face in the other reads when their contrast is at least 3:1.
bool IsReadableOn(COLORREF clrText, COLORREF clrFace)
{
    const double a = Luminance(clrText), b = Luminance(clrFace);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05) >= 3.0;
}

// The Office 2003 button face, which Whidbey shares: a bordered face when hot or pressed.
void FillOfficeButton(CDC* pDC, CQorTabManagerNavigateButton* pButton, const CRect& rc, COLORREF clrHot,
                      COLORREF clrPressed, COLORREF clrBorder)
{
    const BOOL bPressed = pButton->IsEnabled() && pButton->IsPressed();
    if (bPressed || (pButton->IsHot() && pButton->IsEnabled())) {
        pDC->FillSolidRect(rc, bPressed ? clrPressed : clrHot);
        pDC->Draw3dRect(rc, clrBorder, clrBorder);
    }
}

} // namespace

void CQorTabPaintManager::CColorSet::RefreshMetrics() {}

void CQorTabPaintManager::CColorSet::SetTabTextColor(CDC* pDC, CQorTabManagerItem* pItem)
{
    CQorTabManager* pManager = pItem->GetTabManager();
    COLORREF clr = m_clrNormalText;
    if (!pItem->IsEnabled())
        clr = m_clrDisabledText;
    else if (pManager && !pManager->IsActive())
        clr = m_clrInactiveText;
    else if (pItem->IsSelected())
        clr = m_clrSelectedText;
    else if (pItem->IsHot() && IsReadableOn(m_clrHighlightText, m_clrHighlightFace))
        clr = m_clrHighlightText;
    pDC->SetTextColor(clr);
}

void CQorTabPaintManager::CColorSet::FillHeader(CDC* pDC, LPCRECT lpRect, CQorTabManager* pManager)
{
    const COLORREF clrButton = m_clrButtonFace.GetColor();
    if (m_clrHeaderFace.m_clrLight.GetColor() == clrButton && m_clrHeaderFace.m_clrDark.GetColor() == clrButton &&
        pManager->DrawParentBackground(pDC, lpRect))
        return;
    GetDrawHelpers()->GradientFillGradient(pDC, lpRect, m_clrHeaderFace, !pManager->IsHorizontal());
}

void CQorTabPaintManager::CColorSet::FillClient(CDC* pDC, LPCRECT lpRect, CQorTabManager* pManager)
{
    CQorTabManagerItem* pSelected = pManager->GetSelectedItem();
    pDC->FillSolidRect(lpRect, pSelected ? GetTabColor(pSelected) : m_clrSelectedFace.GetColor());
}

void CQorTabPaintManager::CColorSet::FillTabFace(CDC* pDC, LPCRECT lpRect, CQorTabManagerItem* pItem)
{
    const CRect rc(lpRect);
    if (pItem->IsSelected()) {
        if (m_pPaintManager && m_pPaintManager->m_bColorCodedTabs)
            pDC->FillSolidRect(rc, GetTabColor(pItem));
        else
            GetDrawHelpers()->GradientFillGradient(pDC, rc, m_clrClientFace, FALSE);
        pDC->Draw3dRect(rc, m_clrSelectedBorder.m_clrLight.GetColor(), m_clrSelectedBorder.m_clrDark.GetColor());
        return;
    }
    // A two-pixel separator on the far side, 2 pixels in from both ends.
    CQorTabManager* pManager = pItem->GetTabManager();
    if (!pManager || pManager->IsHorizontal())
        pDC->Draw3dRect(rc.right - 2, rc.top + 2, 2, rc.Height() - 4, m_clrBtnHighlight.GetColor(),
                        m_clrBtnShadow.GetColor());
    else
        pDC->Draw3dRect(rc.left + 2, rc.bottom - 2, rc.Width() - 4, 2, m_clrBtnHighlight.GetColor(),
                        m_clrBtnShadow.GetColor());
}

COLORREF CQorTabPaintManager::CColorSet::FillTab(CDC* pDC, LPCRECT lpRect, CQorTabManagerItem* pItem)
{
    const COLORREF clr = GetTabColor(pItem);
    pDC->FillSolidRect(lpRect, clr);
    return clr;
}

void CQorTabPaintManager::CColorSet::FillNavigateButton(CDC*, CQorTabManagerNavigateButton*, CRect&) {}

void CQorTabPaintManager::CColorSetDefault::FillNavigateButton(CDC* pDC, CQorTabManagerNavigateButton* pButton,
                                                               CRect& rc)
{
    if (pButton->IsEnabled() && pButton->IsPressed()) {
        pDC->Draw3dRect(rc, m_clrBtnShadow.GetColor(), m_clrBtnHighlight.GetColor());
        rc.OffsetRect(1, 1);
    } else if (pButton->IsHot()) {
        pDC->Draw3dRect(rc, m_clrBtnHighlight.GetColor(), m_clrBtnShadow.GetColor());
    }
    pDC->SetTextColor(pButton->IsEnabled() ? GetColor(COLOR_BTNTEXT) : m_clrDisabledText.GetColor());
}

void CQorTabPaintManager::CColorSetVisualStudio::FillNavigateButton(CDC* pDC, CQorTabManagerNavigateButton* pButton,
                                                                    CRect& rc)
{
    const BOOL bPressed = pButton->IsEnabled() && pButton->IsPressed();
    if (bPressed)
        pDC->Draw3dRect(rc, m_clrBtnShadow.GetColor(), m_clrBtnHighlight.GetColor());
    else if (pButton->IsHot() && pButton->IsEnabled())
        pDC->Draw3dRect(rc, m_clrBtnHighlight.GetColor(), m_clrBtnShadow.GetColor());
    if (!pButton->IsEnabled())
        pDC->SetTextColor(m_clrDisabledText.GetColor());
    else
        pDC->SetTextColor(bPressed ? m_clrNavigateButtonPressed.GetColor() : m_clrNavigateButton.GetColor());
}

COLORREF CQorTabPaintManager::CColorSetOffice2003::FillTab(CDC* pDC, LPCRECT lpRect, CQorTabManagerItem* pItem)
{
    if (pItem->IsSelected() || (m_pPaintManager && m_pPaintManager->m_bColorCodedTabs))
        return CColorSet::FillTab(pDC, lpRect, pItem);
    CQorTabManager* pManager = pItem->GetTabManager();
    const COLORREF clrLight = pItem->IsHot() ? m_clrHighlightFace.GetColor() : m_clrNormalFace.GetColor();
    GetDrawHelpers()->GradientFill(pDC, lpRect, clrLight, m_clrFaceDark.GetColor(),
                                   pManager && !pManager->IsHorizontal());
    return clrLight;
}

void CQorTabPaintManager::CColorSetOffice2003::FillNavigateButton(CDC* pDC, CQorTabManagerNavigateButton* pButton,
                                                                  CRect& rc)
{
    FillOfficeButton(pDC, pButton, rc, m_clrHighlightFace.GetColor(),
                     BlendColors(50, m_clrHighlightFace.GetColor(), m_clrFrameBorder.GetColor()),
                     m_clrFrameBorder.GetColor());
    pDC->SetTextColor(pButton->IsEnabled() ? m_clrNavigateButton.GetColor() : m_clrDisabledText.GetColor());
}

COLORREF CQorTabPaintManager::CColorSet::GetTabColor(CQorTabManagerItem* pItem)
{
    CQorTabManager* pManager = pItem->GetTabManager();
    if (m_pPaintManager && m_pPaintManager->m_bColorCodedTabs && pManager)
        return pManager->GetItemColor(pItem);
    return pItem->IsSelected() ? m_clrSelectedFace.GetColor() : m_clrNormalFace.GetColor();
}

void CQorTabPaintManager::CColorSetDefault::RefreshMetrics()
{
    const COLORREF clrFace = GetColor(COLOR_BTNFACE);
    m_clrHeaderFace.SetStandardValue(clrFace, clrFace);
    m_clrButtonFace.SetStandardValue(clrFace);
    m_clrNormalFace.SetStandardValue(clrFace);
    m_clrSelectedFace.SetStandardValue(clrFace);
    m_clrHighlightFace.SetStandardValue(clrFace);
    m_clrSeparator.SetStandardValue(GetColor(COLOR_BTNSHADOW));
    m_clrNormalText.SetStandardValue(GetColor(COLOR_BTNTEXT));
    m_clrSelectedText.SetStandardValue(GetColor(COLOR_BTNTEXT));
    // No hot text colour of its own: a hot tab keeps the normal text (the system's hot-track
    // colour is a link colour, nearly invisible on the face under some styles).
    m_clrHighlightText.SetStandardValue(GetColor(COLOR_BTNTEXT));
    m_clrDisabledText.SetStandardValue(GetColor(COLOR_GRAYTEXT));
    m_clrInactiveText.SetStandardValue(GetColor(COLOR_BTNTEXT));
    m_clrBtnHighlight.SetStandardValue(GetColor(COLOR_BTNHILIGHT));
    m_clrBtnShadow.SetStandardValue(GetColor(COLOR_BTNSHADOW));
    m_clrFrameBorder.SetStandardValue(GetColor(COLOR_BTNSHADOW));
    m_clrDarkShadow.SetStandardValue(GetColor(COLOR_3DDKSHADOW));
    m_clrClientFace.SetStandardValue(clrFace, clrFace);
    m_clrSelectedBorder.SetStandardValue(GetColor(COLOR_BTNHILIGHT), GetColor(COLOR_3DDKSHADOW));
    m_clrTabOutline.SetStandardValue(GetColor(COLOR_BTNSHADOW));
    m_clrSelectedOutline.SetStandardValue(GetColor(COLOR_BTNSHADOW));
    m_clrTabInnerEdge.SetStandardValue(clrFace);
    m_clrTabInnerTopEdge.SetStandardValue(clrFace);
    m_clrNavigateButton.SetStandardValue(GetColor(COLOR_BTNTEXT));
    m_clrNavigateButtonPressed.SetStandardValue(GetColor(COLOR_BTNTEXT));
}

void CQorTabPaintManager::CColorSetVisualStudio::RefreshMetrics()
{
    CColorSetDefault::RefreshMetrics();
    const COLORREF clrFace = GetColor(COLOR_BTNFACE);
    // Palette displays cannot show the blends: plain system colours there.
    const BOOL bPalette = QorIsPaletteDisplay();
    const COLORREF clrHeader = bPalette ? clrFace : BlendColors(80, clrFace, GetColor(COLOR_WINDOW));
    m_clrHeaderFace.SetStandardValue(clrHeader, clrHeader);
    m_clrNormalFace.SetStandardValue(clrHeader);
    m_clrSelectedFace.SetStandardValue(GetColor(COLOR_WINDOW));
    m_clrClientFace.SetStandardValue(GetColor(COLOR_WINDOW), GetColor(COLOR_WINDOW));
    m_clrNormalText.SetStandardValue(bPalette ? GetColor(COLOR_BTNTEXT)
                                              : BlendColors(60, GetColor(COLOR_BTNTEXT), clrFace));
    m_clrNavigateButton.SetStandardValue(m_clrNormalText.GetColor());
    m_clrNavigateButtonPressed.SetStandardValue(GetColor(COLOR_BTNTEXT));
}

void CQorTabPaintManager::CColorSetOffice2003::RefreshMetrics()
{
    CColorSetDefault::RefreshMetrics();
    const CQorColorManager* pColors = GetColorManager();
    const CQorPaintManagerColorGradient& face = pColors->m_grcThemeGradient[0];
    m_clrHeaderFace.SetStandardValue(face.m_clrLight, face.m_clrDark);
    m_clrNormalFace.SetStandardValue(face.m_clrLight);
    m_clrFaceDark.SetStandardValue(face.m_clrDark);
    m_clrSelectedFace.SetStandardValue(GetColor(COLOR_WINDOW));
    m_clrClientFace.SetStandardValue(GetColor(COLOR_WINDOW), GetColor(COLOR_WINDOW));
    m_clrFrameBorder.SetStandardValue(face.m_clrDark);
    m_clrTabOutline.SetStandardValue(face.m_clrDark);
    m_clrSelectedOutline.SetStandardValue(BlendColors(50, face.m_clrDark, GetColor(COLOR_BTNTEXT)));
    m_clrTabInnerEdge.SetStandardValue(face.m_clrLight);
    m_clrTabInnerTopEdge.SetStandardValue(GetColor(COLOR_WINDOW));
    m_clrHighlightFace.SetStandardValue(BlendColors(60, face.m_clrLight, GetColor(COLOR_WINDOW)));
}

void CQorTabPaintManager::CColorSetOffice2007::RefreshMetrics()
{
    CColorSetOffice2003::RefreshMetrics();
    CQorOffice2007Images* pImages = GetOffice2007Images();
    if (!pImages || !pImages->IsLoaded())
        return;
    m_clrFrameBorder.SetStandardValue(pImages->GetColor(L"TabManager", L"FrameBorder"));
    m_clrDarkShadow.SetStandardValue(pImages->GetColor(L"TabManager", L"DarkShadow"));
    m_clrBtnShadow.SetStandardValue(pImages->GetColor(L"TabManager", L"LightShadow"));
    const COLORREF clrRibbonFace = pImages->GetColor(L"Ribbon", L"RibbonFace");
    m_clrHeaderFace.SetStandardValue(clrRibbonFace, clrRibbonFace);
    m_clrNormalText.SetStandardValue(pImages->GetColor(L"Ribbon", L"TabNormalText"));
    m_clrSelectedText.SetStandardValue(pImages->GetColor(L"Ribbon", L"TabSelectedText"));
    m_clrButtonFace.SetStandardValue(pImages->GetColor(L"Window", L"ButtonFace"));
    m_clrNavigateButtonPressed.SetStandardValue(pImages->GetColor(L"Window", L"HighlightChecked"));
    m_clrHighlightFace.SetStandardValue(pImages->GetColor(L"Window", L"HighlightSelected"));
    m_clrSeparator.SetStandardValue(pImages->GetColor(L"Window", L"WindowFrame"));
    m_clrHighlightText.SetStandardValue(RGB(255, 255, 255));
}

void CQorTabPaintManager::CColorSetWhidbey::RefreshMetrics()
{
    CColorSetDefault::RefreshMetrics();
    m_clrSelectedFace.SetStandardValue(GetColor(COLOR_WINDOW));
    const COLORREF clrFace = GetColor(COLOR_BTNFACE);
    const COLORREF clrHeader = QorIsPaletteDisplay() ? clrFace : BlendColors(90, clrFace, GetColor(COLOR_WINDOW));
    m_clrHeaderFace.SetStandardValue(clrHeader, clrFace);
    m_clrNormalFace.SetStandardValue(clrHeader);
}

COLORREF CQorTabPaintManager::CColorSetWhidbey::FillTab(CDC* pDC, LPCRECT lpRect, CQorTabManagerItem* pItem)
{
    if (pItem->IsSelected() || (m_pPaintManager && m_pPaintManager->m_bColorCodedTabs))
        return CColorSet::FillTab(pDC, lpRect, pItem);
    CQorTabManager* pManager = pItem->GetTabManager();
    GetDrawHelpers()->GradientFillGradient(pDC, lpRect, m_clrHeaderFace, pManager && !pManager->IsHorizontal());
    return m_clrHeaderFace.m_clrLight.GetColor();
}

void CQorTabPaintManager::CColorSetWhidbey::FillNavigateButton(CDC* pDC, CQorTabManagerNavigateButton* pButton,
                                                               CRect& rc)
{
    FillOfficeButton(pDC, pButton, rc, m_clrSelectedFace.GetColor(), GetColor(COLOR_BTNSHADOW),
                     GetColor(COLOR_HIGHLIGHT));
    pDC->SetTextColor(pButton->IsEnabled() ? m_clrNavigateButton.GetColor() : m_clrDisabledText.GetColor());
}
