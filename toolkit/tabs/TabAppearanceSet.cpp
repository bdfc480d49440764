#include "toolkit/tabs/TabAppearanceSet.h"

#include <algorithm>

#include "platform/framework/Gdi.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/tabs/TabManager.h"

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
