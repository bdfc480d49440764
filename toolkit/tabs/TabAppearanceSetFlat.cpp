// The Visual Studio and flat sets: plain faces with one-pixel lines. Visual Studio tabs are
// parted by separators and the selected one raised; flat tabs share their border lines.
#include "platform/framework/Gdi.h"
#include "toolkit/tabs/TabAppearanceSet.h"
#include "toolkit/tabs/TabColorSets.h"
#include "toolkit/tabs/TabManager.h"

CRect CQorTabPaintManager::CAppearanceSetVisualStudio::DrawClientFrame(CDC* pDC, CRect rcControl, CQorTabManager* pRow)
{
    return DrawOutlinedClient(pDC, rcControl, pRow, GetColorSet()->m_clrBtnShadow.GetColor(), TRUE);
}

void CQorTabPaintManager::CAppearanceSetVisualStudio::DrawTab(CDC* pDC, CQorTabManagerItem* pItem)
{
    CQorTabManager* pRow = pItem->GetTabManager();
    CColorSet* pColors = GetColorSet();
    CRect rc = pItem->GetRect();
    if (pItem->IsSelected()) {
        CRect rcFace = rc;
        InflateOriented(rcFace, CRect(0, -1, 0, 0), pRow->GetPosition());
        pColors->FillTab(pDC, rcFace, pItem);
        pDC->Draw3dRect(rcFace, pColors->m_clrBtnHighlight.GetColor(), pColors->m_clrDarkShadow.GetColor());
    } else {
        const COLORREF clr = pColors->m_clrSeparator.GetColor();
        if (clr != QOR_COLOR_UNSET) {
            if (pRow->IsHorizontal())
                pDC->FillSolidRect(rc.right - 1, rc.top + 2, 1, rc.Height() - 4, clr);
            else
                pDC->FillSolidRect(rc.left + 2, rc.bottom - 1, rc.Width() - 4, 1, clr);
        }
    }
    m_pPaintManager->DrawSingleTab(pDC, pItem, rc, TRUE);
}

CRect CQorTabPaintManager::CAppearanceSetFlat::DrawClientFrame(CDC* pDC, CRect rcControl, CQorTabManager* pRow)
{
    return DrawOutlinedClient(pDC, rcControl, pRow, GetColorSet()->m_clrSeparator.GetColor(), TRUE);
}

void CQorTabPaintManager::CAppearanceSetFlat::DrawTab(CDC* pDC, CQorTabManagerItem* pItem)
{
    CQorTabManager* pRow = pItem->GetTabManager();
    CColorSet* pColors = GetColorSet();
    const QorTabPosition position = pRow->GetPosition();
    // One pixel longer at the far end: neighbours share their border line.
    CRect rc = pItem->GetRect();
    InflateOriented(rc, CRect(0, 0, 1, 0), position);
    pColors->FillTab(pDC, rc, pItem);
    if (pItem->IsSelected())
        InflateOriented(rc, CRect(0, 0, 0, 1), position);
    const COLORREF clr = pColors->m_clrSeparator.GetColor();
    if (clr != QOR_COLOR_UNSET)
        pDC->Draw3dRect(rc, clr, clr);
    m_pPaintManager->DrawSingleTab(pDC, pItem, pItem->GetRect(), TRUE);
}
