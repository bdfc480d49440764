// Property-page tabs: highlight (L) on the outer edges, shadow (S) and dark shadow (D) on the
// far edge, corners cut by one pixel; the selected tab grows by 2 and, next to the client,
// paints over the client frame's edge so that it merges into the client.
#include "platform/framework/Gdi.h"
#include "toolkit/tabs/TabAppearanceSet.h"
#include "toolkit/tabs/TabColorSets.h"
#include "toolkit/tabs/TabManager.h"

namespace {

// A solid line (x, y, w, h), drawn only when its colour is set.
void Line(CDC* pDC, int x, int y, int w, int h, COLORREF clr)
{
    if (clr != QOR_COLOR_UNSET)
        pDC->FillSolidRect(x, y, w, h, clr);
}

} // namespace

CRect CQorTabPaintManager::CAppearanceSetPropertyPage::GetClientMargin(CQorTabManager* pRow)
{
    CRect rc = CAppearanceSet::GetClientMargin(pRow);
    if (GetColorSet()->IsThemed() && m_pPaintManager->m_nFrameStyle == 0) {
        rc.right += 2;
        const QorTabPosition position = pRow->GetPosition();
        if (position == qorTabPositionTop || position == qorTabPositionLeft)
            rc.bottom += 2;
    }
    return rc;
}

CRect CQorTabPaintManager::CAppearanceSetPropertyPage::DrawClientFrame(CDC* pDC, CRect rcControl, CQorTabManager* pRow)
{
    CColorSet* pColors = GetColorSet();
    const QorTabPosition position = pRow->GetPosition();
    CRect rcHeader = GetHeaderRect(rcControl, pRow);
    InflateOriented(rcHeader, CRect(0, 0, 0, 1), position);
    pColors->FillHeader(pDC, rcHeader, pRow);

    const CRect rc = CalcClientRect(rcControl, pRow);
    const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom, W = rc.Width(), H = rc.Height();
    const COLORREF L = pColors->m_clrBtnHighlight.GetColor();
    const COLORREF S = pColors->m_clrBtnShadow.GetColor();
    const COLORREF D = pColors->m_clrDarkShadow.GetColor();
    if (m_pPaintManager->m_nFrameStyle == 0) {
        pColors->FillClient(pDC, rc, pRow);
        if (L != QOR_COLOR_UNSET && D != QOR_COLOR_UNSET)
            pDC->Draw3dRect(rc, L, D);
        Line(pDC, l + 1, b - 2, W - 2, 1, S);
        Line(pDC, r - 2, t + 1, 1, H - 2, S);
    } else if (m_pPaintManager->m_nFrameStyle == 1) {
        switch (position) {
        case qorTabPositionTop:
            Line(pDC, l, t, W, 1, L);
            break;
        case qorTabPositionLeft:
            Line(pDC, l, t, 1, H, L);
            break;
        case qorTabPositionBottom:
            Line(pDC, l, b - 1, W, 1, D);
            Line(pDC, l, b - 2, W, 1, S);
            break;
        case qorTabPositionRight:
            Line(pDC, r - 1, t, 1, H, D);
            Line(pDC, r - 2, t, 1, H, S);
            break;
        }
    }
    return rcHeader;
}

void CQorTabPaintManager::CAppearanceSetPropertyPage::DrawTab(CDC* pDC, CQorTabManagerItem* pItem)
{
    CQorTabManager* pRow = pItem->GetTabManager();
    CColorSet* pColors = GetColorSet();
    const QorTabPosition position = pRow->GetPosition();
    const BOOL bSelected = pItem->IsSelected();
    CRect rc = pItem->GetRect();
    if (bSelected) {
        switch (position) {
        case qorTabPositionTop:
            rc.left -= 2, rc.top -= 2, rc.right += 2;
            break;
        case qorTabPositionLeft:
            rc.left -= 2, rc.top -= 2, rc.bottom += 2;
            break;
        default:
            rc.InflateRect(2, 2);
            break;
        }
    }
    const COLORREF clrFill = pColors->FillTab(pDC, CRect(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1), pItem);
    const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom, W = rc.Width(), H = rc.Height();
    const COLORREF L = pColors->m_clrBtnHighlight.GetColor();
    const COLORREF S = pColors->m_clrBtnShadow.GetColor();
    const COLORREF D = pColors->m_clrDarkShadow.GetColor();
    const BOOL bBridge = bSelected && pItem->m_nRow == 0;
    switch (position) {
    case qorTabPositionTop:
        Line(pDC, l, t + 2, 1, H - 2, L), Line(pDC, l + 1, t + 1, 1, 1, L), Line(pDC, l + 2, t, W - 4, 1, L);
        Line(pDC, r - 2, t + 1, 1, 1, D), Line(pDC, r - 1, t + 2, 1, H - 3, D);
        Line(pDC, r - 2, t + 2, 1, H - 3, S);
        if (bBridge)
            Line(pDC, l + 1, b - 1, W - 3, 1, clrFill);
        break;
    case qorTabPositionLeft:
        Line(pDC, l + 2, t, W - 2, 1, L), Line(pDC, l + 1, t + 1, 1, 1, L), Line(pDC, l, t + 2, 1, H - 4, L);
        Line(pDC, l + 1, b - 2, W - 2, 1, S);
        Line(pDC, l + 2, b - 1, W - 3, 1, D), Line(pDC, l + 2, b - 2, 1, 1, D);
        Line(pDC, l + 2, b - 1, 1, 1, S);
        if (bBridge)
            Line(pDC, r - 1, t + 1, 1, H - 3, clrFill);
        break;
    case qorTabPositionBottom:
        Line(pDC, l, t + 1, 1, H - 2, L), Line(pDC, l + 1, b - 1, 1, 1, L);
        Line(pDC, l + 2, b - 1, W - 4, 1, S);
        Line(pDC, l + 2, b, W - 4, 1, D), Line(pDC, r - 2, b - 1, 1, 1, D), Line(pDC, r - 1, t, 1, H - 1, D);
        Line(pDC, r - 2, t, 1, H - 1, S);
        if (bBridge) {
            Line(pDC, l + 1, t + 1, W - 1, 1, clrFill);
            rc.bottom += 2;
        }
        break;
    case qorTabPositionRight:
        Line(pDC, l + 1, t, W - 2, 1, L), Line(pDC, r - 1, t + 1, 1, 1, L);
        Line(pDC, r - 1, t + 2, 1, H - 4, S);
        Line(pDC, r, t + 2, 1, H - 4, D), Line(pDC, r - 1, b - 2, 1, 1, D);
        Line(pDC, l + 1, b - 2, W - 2, 1, S);
        Line(pDC, l + 1, b - 1, W - 2, 1, D);
        if (bBridge) {
            Line(pDC, l + 1, t + 1, 1, H - 1, clrFill);
            rc.right += 2;
        }
        break;
    }
    m_pPaintManager->DrawSingleTab(pDC, pItem, rc, TRUE);
}
