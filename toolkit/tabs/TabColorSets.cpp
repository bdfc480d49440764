#include "toolkit/tabs/TabColorSets.h"

#include <vssym32.h>

#include "platform/framework/Gdi.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/Office2007Image.h"
#include "toolkit/tabs/TabManager.h"

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
    else if (pItem->IsHot())
        clr = m_clrHighlightText;
    pDC->SetTextColor(clr);
}

void CQorTabPaintManager::CColorSet::FillClient(CDC* pDC, LPCRECT lpRect, CQorTabManager* pManager)
{
    CQorTabManagerItem* pSelected = pManager->GetSelectedItem();
    pDC->FillSolidRect(lpRect, pSelected ? GetTabColor(pSelected) : m_clrSelectedFace.GetColor());
}

void CQorTabPaintManager::CColorSet::FillTab(CDC* pDC, LPCRECT lpRect, CQorTabManagerItem* pItem)
{
    pDC->FillSolidRect(lpRect, GetTabColor(pItem));
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
    m_clrHighlightText.SetStandardValue(GetColor(COLOR_HOTLIGHT));
    m_clrDisabledText.SetStandardValue(GetColor(COLOR_GRAYTEXT));
    m_clrInactiveText.SetStandardValue(GetColor(COLOR_BTNTEXT));
    m_clrBtnHighlight.SetStandardValue(GetColor(COLOR_BTNHILIGHT));
    m_clrBtnShadow.SetStandardValue(GetColor(COLOR_BTNSHADOW));
    m_clrFrameBorder.SetStandardValue(GetColor(COLOR_BTNSHADOW));
    m_clrDarkShadow.SetStandardValue(GetColor(COLOR_3DDKSHADOW));
    m_clrClientFace.SetStandardValue(clrFace, clrFace);
    m_clrSelectedBorder.SetStandardValue(GetColor(COLOR_BTNHILIGHT), GetColor(COLOR_3DDKSHADOW));
    m_clrNavigateButton.SetStandardValue(clrFace);
    m_clrNavigateButtonPressed.SetStandardValue(GetColor(COLOR_BTNSHADOW));
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
    m_clrNavigateButton.SetStandardValue(clrHeader);
    m_clrNavigateButtonPressed.SetStandardValue(bPalette ? GetColor(COLOR_HIGHLIGHT)
                                                         : BlendColors(30, GetColor(COLOR_HIGHLIGHT), clrFace));
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

void CQorTabPaintManager::CColorSetWinXP::RefreshMetrics()
{
    CColorSetDefault::RefreshMetrics();
    m_themeTab.OpenThemeData(nullptr, L"TAB");
    m_themeToolBar.OpenThemeData(nullptr, L"TOOLBAR");
    if (!IsThemed())
        return;
    m_clrSeparator.SetCustomValue(QOR_COLOR_UNSET);
    m_clrHighlightFace.SetCustomValue(QOR_COLOR_UNSET);
    m_clrHighlightText.SetCustomValue(QOR_COLOR_UNSET);
    // Visual styles that give no fill hint (Wine's) keep the Default header face.
    COLORREF clrPane = 0;
    if (SUCCEEDED(m_themeTab.GetThemeColor(TABP_PANE, 0, TMT_FILLCOLORHINT, &clrPane)))
        m_clrHeaderFace.SetStandardValue(clrPane, clrPane);
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
