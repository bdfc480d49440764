// The appearance sets' shared part: header geometry, the frame of the whole control, drawing
// the rows back to front, and the outlined client frame of the flat and slanted sets.
#include "toolkit/tabs/TabAppearanceSet.h"

#include <algorithm>

#include "platform/framework/Gdi.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/tabs/TabColorSets.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabManagerNavigateButton.h"

void CQorTabPaintManager::CAppearanceSet::RefreshMetrics()
{
    HDC hDC = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hDC, static_cast<HFONT>(m_pPaintManager->m_fntNormal));
    SIZE size = {0, 0};
    GetTextExtentPoint32W(hDC, L" ", 1, &size);
    SelectObject(hDC, hOld);
    DeleteDC(hDC);
    m_nRowHeight = std::max(static_cast<int>(size.cy) + 3, 18);
}

int CQorTabPaintManager::CAppearanceSet::GetRowHeight(CQorTabManager* pRow)
{
    const CRect& rcContent = m_pPaintManager->m_rcTabContentMargin;
    const int nContent = static_cast<int>(rcContent.top + rcContent.bottom);
    int nHeight = nContent + m_nRowHeight;
    if (m_pPaintManager->m_bShowImages) {
        const CSize& szImage = m_pPaintManager->m_szImage;
        nHeight = std::max(nHeight, nContent + static_cast<int>(std::max(szImage.cx, szImage.cy)) + 4);
    }
    CSize szMin(0, 0);
    if (pRow) {
        pRow->GetItemMetrics(nullptr, &szMin, nullptr);
        nHeight = std::max(nHeight, static_cast<int>(szMin.cy));
    }
    return nHeight;
}

int CQorTabPaintManager::CAppearanceSet::GetHeaderHeight(CQorTabManager* pRow)
{
    const CRect rcMargin = GetHeaderMargin();
    const int nMargins = static_cast<int>(rcMargin.top + rcMargin.bottom);
    const int nRows = pRow ? std::max(pRow->GetRowCount(), 1) : 1;
    const int nRowHeight = GetRowHeight(pRow);
    if (pRow && m_pPaintManager->m_layout == qorTabLayoutRotated) {
        int nLongest = 0;
        for (int i = 0; i < pRow->GetItemCount(); ++i)
            nLongest = std::max(nLongest, pRow->GetItem(i)->m_nLength);
        return nMargins + std::max(nRows * nRowHeight + (nRows - 1) * m_nRowGap, nLongest);
    }
    return nMargins + nRows * nRowHeight + (nRows - 1) * m_nRowGap;
}

CRect CQorTabPaintManager::CAppearanceSet::GetHeaderRect(CRect rc, CQorTabManager* pRow)
{
    const int nHeight = GetHeaderHeight(pRow);
    switch (pRow->GetPosition()) {
    case qorTabPositionTop:
        rc.bottom = rc.top + nHeight;
        break;
    case qorTabPositionLeft:
        rc.right = rc.left + nHeight;
        break;
    case qorTabPositionBottom:
        rc.top = rc.bottom - nHeight;
        break;
    case qorTabPositionRight:
        rc.left = rc.right - nHeight;
        break;
    }
    return rc;
}

CRect CQorTabPaintManager::CAppearanceSet::CalcClientRect(CRect rc, CQorTabManager* pRow)
{
    const CRect rcHeader = GetHeaderRect(rc, pRow);
    switch (pRow->GetPosition()) {
    case qorTabPositionTop:
        rc.top = rcHeader.bottom - 1;
        break;
    case qorTabPositionLeft:
        rc.left = rcHeader.right - 1;
        break;
    case qorTabPositionBottom:
        rc.bottom = rcHeader.top + 1;
        break;
    case qorTabPositionRight:
        rc.right = rcHeader.left + 1;
        break;
    }
    return rc;
}

CRect CQorTabPaintManager::CAppearanceSet::GetTabInvalidateRect(CQorTabManagerItem* pItem)
{
    CRect rc = pItem->GetRect();
    rc.InflateRect(2, 2);
    return rc;
}

CQorTabPaintManager::CColorSet* CQorTabPaintManager::CAppearanceSet::GetColorSet() const
{
    return m_pPaintManager->GetColorSet();
}

CRect CQorTabPaintManager::CAppearanceSet::GetClientMargin(CQorTabManager*)
{
    return m_pPaintManager->m_rcClientMargin;
}

namespace {

// The DC's clip cut to a rectangle for the object's life.
class CClipToRect
{
public:
    CClipToRect(CDC* pDC, const CRect& rc) : m_pDC(pDC), m_nSaved(pDC->SaveDC()) { pDC->IntersectClipRect(rc); }
    ~CClipToRect() { m_pDC->RestoreDC(m_nSaved); }
    CClipToRect(const CClipToRect&) = delete;
    CClipToRect& operator=(const CClipToRect&) = delete;

private:
    CDC* m_pDC;
    int m_nSaved;
};

} // namespace

void CQorTabPaintManager::CAppearanceSet::DrawTabControl(CDC* pDC, CQorTabManager* pRow, CRect rc)
{
    DrawTabControlFrame(pDC, pRow, rc);
}

void CQorTabPaintManager::CAppearanceSet::DrawTabControlFrame(CDC* pDC, CQorTabManager* pRow, CRect rc)
{
    CColorSet* pColors = GetColorSet();
    const QorTabPosition position = pRow->GetPosition();
    if (pRow->IsDrawStaticFrame()) {
        pDC->Draw3dRect(rc, pColors->m_clrBtnShadow.GetColor(), pColors->m_clrBtnHighlight.GetColor());
        rc.InflateRect(-1, -1);
        pDC->Draw3dRect(rc, pColors->m_clrDarkShadow.GetColor(), pColors->m_clrButtonFace.GetColor());
        InflateOriented(rc, CRect(-1, 0, -1, -1), position);
    }
    if (m_pPaintManager->m_bFillClient)
        pDC->FillSolidRect(rc, pColors->m_clrButtonFace.GetColor());
    const CRect& rcMargin = m_pPaintManager->m_rcControlMargin;
    InflateOriented(rc, CRect(-rcMargin.left, -rcMargin.top, -rcMargin.right, -rcMargin.bottom), position);
    pDC->SetBkMode(TRANSPARENT);
    if (m_pPaintManager->m_bFillClient)
        DrawClientFrame(pDC, rc, pRow);

    CRect rcClip(0, 0, 0, 0);
    pDC->GetClipBox(rcClip);
    if (m_pPaintManager->m_bClipToHeader)
        rcClip.IntersectRect(rcClip, pRow->m_rcHeaderRect);
    if (!rcClip.IsRectEmpty()) {
        CClipToRect clip(pDC, rcClip);
        pColors->FillHeaderBackground(pDC, pRow->m_rcHeaderRect, pRow);
        for (int nRow = pRow->GetRowCount() - 1; nRow >= 0; --nRow)
            DrawRowTabs(pDC, pRow, nRow, rcClip);
    }
    for (INT_PTR i = pRow->GetNavigateButtonCount() - 1; i >= 0; --i) {
        CQorTabManagerNavigateButton* pButton = pRow->GetNavigateButton(i);
        if (!pButton->GetRect().IsRectEmpty())
            m_pPaintManager->DrawNavigateButton(pDC, pButton, pButton->GetRect());
    }
}

void CQorTabPaintManager::CAppearanceSet::DrawRowTabs(CDC* pDC, CQorTabManager* pRow, int nRow, const CRect& rcClip)
{
    const CQorTabManager::ROW_ITEMS& items = pRow->GetRowItems(nRow);
    CQorTabManagerItem* pSelected = pRow->GetSelectedItem();
    auto draw = [&](int i) {
        CQorTabManagerItem* pItem = pRow->GetItem(i);
        CRect rcTest;
        if (pItem != pSelected && pItem->IsVisible() && rcTest.IntersectRect(GetTabInvalidateRect(pItem), rcClip))
            DrawTab(pDC, pItem);
    };
    const int nSelected = pSelected ? pRow->FindIndex(pSelected) : -1;
    const BOOL bSelectedHere = nSelected >= items.nFirst && nSelected <= items.nLast;
    if (m_bOverlapForward && bSelectedHere) {
        // The tabs before the selected one lie over their left neighbours.
        for (int i = items.nFirst; i < nSelected; ++i)
            draw(i);
        for (int i = items.nLast; i > nSelected; --i)
            draw(i);
    } else {
        for (int i = items.nLast; i >= items.nFirst; --i)
            draw(i);
    }
    CRect rcTest;
    if (bSelectedHere && pSelected->IsVisible() && rcTest.IntersectRect(GetTabInvalidateRect(pSelected), rcClip))
        DrawTab(pDC, pSelected);
}

CRect CQorTabPaintManager::CAppearanceSet::DrawClientFrame(CDC*, CRect rcControl, CQorTabManager* pRow)
{
    return GetHeaderRect(rcControl, pRow);
}

void CQorTabPaintManager::CAppearanceSet::DrawTab(CDC* pDC, CQorTabManagerItem* pItem)
{
    const CRect rc = pItem->GetRect();
    GetColorSet()->FillTab(pDC, rc, pItem);
    m_pPaintManager->DrawSingleTab(pDC, pItem, rc, TRUE);
}

CRect CQorTabPaintManager::CAppearanceSet::DrawOutlinedClient(CDC* pDC, CRect rcControl, CQorTabManager* pRow,
                                                              COLORREF clrOutline, BOOL bFillLine)
{
    CColorSet* pColors = GetColorSet();
    const CRect rcHeader = GetHeaderRect(rcControl, pRow);
    pColors->FillHeader(pDC, rcHeader, pRow);
    const CRect rc = CalcClientRect(rcControl, pRow);
    const int nStyle = m_pPaintManager->m_nFrameStyle;
    if (clrOutline == QOR_COLOR_UNSET) // a style that clears the colour draws no line
        clrOutline = pColors->m_clrBtnShadow.GetColor();
    if (nStyle == 0) {
        pColors->FillClient(pDC, rc, pRow);
        pDC->Draw3dRect(rc, clrOutline, clrOutline);
    } else if (nStyle == 1) {
        if (bFillLine)
            pColors->FillClient(pDC, rc, pRow);
        switch (pRow->GetPosition()) {
        case qorTabPositionTop:
            pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, clrOutline);
            break;
        case qorTabPositionLeft:
            pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), clrOutline);
            break;
        case qorTabPositionBottom:
            pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, clrOutline);
            break;
        case qorTabPositionRight:
            pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), clrOutline);
            break;
        }
    }
    return rcHeader;
}
