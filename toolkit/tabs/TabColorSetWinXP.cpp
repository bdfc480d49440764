// The WinXP colour set: the visual style's TAB parts for tabs, header and client, TOOLBAR
// buttons for the navigate buttons; the Default set's drawing when the style is off.
#include <vssym32.h>

#include "platform/framework/Gdi.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/tabs/TabColorSets.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabManagerNavigateButton.h"
#include "toolkit/tabs/TabPixelTurn.h"

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

void CQorTabPaintManager::CColorSetWinXP::FillHeaderBackground(CDC* pDC, LPCRECT lpRect, CQorTabManager* pManager)
{
    if (!IsThemed())
        return CColorSetDefault::FillHeaderBackground(pDC, lpRect, pManager);
    m_themeTab.DrawThemeBackground(pDC->GetSafeHdc(), TABP_PANE, 0, lpRect);
}

void CQorTabPaintManager::CColorSetWinXP::FillClient(CDC* pDC, LPCRECT lpRect, CQorTabManager* pManager)
{
    if (!IsThemed() || (m_pPaintManager && m_pPaintManager->m_bColorCodedTabs))
        return CColorSetDefault::FillClient(pDC, lpRect, pManager);
    m_themeTab.DrawThemeBackground(pDC->GetSafeHdc(), TABP_PANE, 0, lpRect);
}

void CQorTabPaintManager::CColorSetWinXP::FillTabFace(CDC* pDC, LPCRECT lpRect, CQorTabManagerItem* pItem)
{
    if (!IsThemed())
        return CColorSetDefault::FillTabFace(pDC, lpRect, pItem);
    DrawThemedTab(pDC, CRect(lpRect), pItem);
}

COLORREF CQorTabPaintManager::CColorSetWinXP::FillTab(CDC* pDC, LPCRECT lpRect, CQorTabManagerItem* pItem)
{
    if (!IsThemed() || (m_pPaintManager && m_pPaintManager->m_bColorCodedTabs))
        return CColorSetDefault::FillTab(pDC, lpRect, pItem);
    DrawThemedTab(pDC, CRect(lpRect), pItem);
    return m_clrButtonFace.GetColor();
}

void CQorTabPaintManager::CColorSetWinXP::DrawThemedTab(CDC* pDC, CRect rc, CQorTabManagerItem* pItem)
{
    CQorTabManager* pManager = pItem->GetTabManager();
    const BOOL bSelected = pItem->IsSelected();
    int nPart = TABP_TOPTABITEM;
    if (pItem->GetIndex() == 0)
        nPart = TABP_TOPTABITEMLEFTEDGE;
    else if (pManager && pItem->GetIndex() == pManager->GetItemCount() - 1 && !bSelected)
        nPart = TABP_TOPTABITEMRIGHTEDGE;
    const int nState = bSelected ? TIS_SELECTED : pItem->IsHot() ? TIS_HOT : TIS_NORMAL;
    const QorTabPosition position = pManager ? pManager->GetPosition() : qorTabPositionTop;
    if (position == qorTabPositionTop) {
        m_themeTab.DrawThemeBackground(pDC->GetSafeHdc(), nPart, nState, rc);
        return;
    }

    // Drawn as a top tab of the turned size, then turned into place.
    const BOOL bVertical = position == qorTabPositionLeft || position == qorTabPositionRight;
    const int cx = static_cast<int>(rc.Width()), cy = static_cast<int>(rc.Height());
    const int cxTop = bVertical ? cy : cx, cyTop = bVertical ? cx : cy;
    qortabs::CTurnBitmap top(pDC->GetSafeHdc(), cxTop, cyTop);
    qortabs::CTurnBitmap turned(pDC->GetSafeHdc(), cx, cy);
    if (!top.IsValid() || !turned.IsValid())
        return;
    CRect rcTop(0, 0, cxTop, cyTop);
    HBRUSH hFace = ::CreateSolidBrush(m_clrButtonFace.GetColor());
    ::FillRect(top.GetDC(), &rcTop, hFace);
    ::DeleteObject(hFace);
    m_themeTab.DrawThemeBackground(top.GetDC(), nPart, nState, &rcTop);
    ::GdiFlush();
    const qortabs::PixelTurn turn = position == qorTabPositionBottom ? qortabs::turnMirror
                                    : position == qorTabPositionLeft ? qortabs::turnTranspose
                                                                     : qortabs::turnTransposeReversed;
    qortabs::TurnPixels(top.GetBits(), cxTop, cyTop, turned.GetBits(), turn);
    turned.Unselect();
    DrawStateBitmap(pDC->GetSafeHdc(), nullptr, rc.left, rc.top, cx, cy, turned.GetBitmap(), DSS_NORMAL);
}

void CQorTabPaintManager::CColorSetWinXP::FillNavigateButton(CDC* pDC, CQorTabManagerNavigateButton* pButton, CRect& rc)
{
    if (!IsThemed() || !m_themeToolBar.GetHandle())
        return CColorSetDefault::FillNavigateButton(pDC, pButton, rc);
    const BOOL bEnabled = pButton->IsEnabled();
    const int nState = !bEnabled              ? TS_DISABLED
                       : pButton->IsPressed() ? TS_PRESSED
                       : pButton->IsHot()     ? TS_HOT
                                              : TS_NORMAL;
    if (nState != TS_NORMAL && nState != TS_DISABLED)
        m_themeToolBar.DrawThemeBackground(pDC->GetSafeHdc(), TP_BUTTON, nState, rc);
    pDC->SetTextColor(bEnabled ? GetColor(COLOR_BTNTEXT) : m_clrDisabledText.GetColor());
}
