// How the tab paint manager lays the tabs of a row out.
#include <algorithm>
#include <vector>

#include "platform/framework/Gdi.h"
#include "toolkit/tabs/TabAppearanceSet.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabManagerNavigateButton.h"
#include "toolkit/tabs/TabPaintManager.h"

void CQorTabPaintManager::ShrinkTabsToFit(CQorTabManager* pRow, int nAvailable) const
{
    const int nCount = pRow->GetItemCount();
    if (nCount == 0)
        return;
    // A row narrower than its buttons (a pane dragged to width 0) leaves no room at all, never
    // a negative one: negative lengths would turn the tab rectangles inside out.
    nAvailable = std::max(nAvailable, 0);
    if (pRow->GetItemsLength() <= nAvailable)
        return;
    if (nCount == 1) {
        pRow->GetItem(0)->m_nLength = nAvailable;
        return;
    }
    // Sort a copy: the row's array is its display order. A stable sort keeps equal tabs in
    // display order, so the remainders of the shares always go to the same tabs.
    std::vector<CQorTabManagerItem*> items;
    items.reserve(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; ++i)
        items.push_back(pRow->GetItem(i));
    std::stable_sort(items.begin(), items.end(), [](const CQorTabManagerItem* a, const CQorTabManagerItem* b) {
        return a->m_nLength < b->m_nLength;
    });
    size_t i = 0;
    for (; i < items.size(); ++i) {
        const int nLeft = static_cast<int>(items.size() - i);
        if (nLeft * items[i]->m_nLength >= nAvailable)
            break;
        nAvailable -= items[i]->m_nLength;
    }
    for (; i < items.size(); ++i) {
        const int nShare = nAvailable / static_cast<int>(items.size() - i);
        items[i]->m_nLength = nShare;
        nAvailable -= nShare;
    }
}

void CQorTabPaintManager::InflateOriented(CRect& rc, const CRect& a, QorTabPosition position)
{
    switch (position) {
    case qorTabPositionTop:
        rc.left -= a.left, rc.top -= a.top, rc.right += a.right, rc.bottom += a.bottom;
        break;
    case qorTabPositionLeft:
        rc.left -= a.top, rc.top -= a.left, rc.right += a.bottom, rc.bottom += a.right;
        break;
    case qorTabPositionBottom:
        rc.left -= a.left, rc.bottom += a.top, rc.right += a.right, rc.top -= a.bottom;
        break;
    case qorTabPositionRight:
        rc.right += a.top, rc.top -= a.left, rc.left -= a.bottom, rc.bottom += a.right;
        break;
    }
}

CFont* CQorTabPaintManager::GetTabFont(CQorTabManagerItem* pItem)
{
    CQorTabManager* pRow = pItem->GetTabManager();
    const BOOL bBold = m_bBoldSelected && pItem->IsSelected() && pRow && pRow->IsActive();
    BOOL bVertical = pRow && !pRow->IsHorizontal();
    if (m_layout == qorTabLayoutRotated)
        bVertical = !bVertical; // rotated tabs stand across the row
    if (bVertical)
        return bBold ? &m_fntVerticalBold : &m_fntVerticalNormal;
    return bBold ? &m_fntBold : &m_fntNormal;
}

int CQorTabPaintManager::MeasureTab(CDC* pDC, CQorTabManagerItem* pItem)
{
    CQorTabManager* pRow = pItem->GetTabManager();
    const int nContent = static_cast<int>(m_rcTabContentMargin.left + m_rcTabContentMargin.right);
    const int nText = static_cast<int>(m_rcTextMargin.left + m_rcTextMargin.right);
    int nImage = 0;
    CSize szImage = m_szImage;
    if (m_bShowImages && pRow && pRow->DrawItemImage(pDC, CPoint(0, 0), pItem, FALSE, &szImage))
        nImage = static_cast<int>(pRow->IsHorizontal() != (m_layout == qorTabLayoutRotated) ? szImage.cx : szImage.cy);

    auto captionWidth = [&](CQorTabManagerItem* pTab) {
        CRect rcText(0, 0, 0, 0);
        CString strCaption = pRow ? pRow->GetItemCaption(pTab) : pTab->GetCaption();
        HGDIOBJ hOld = SelectObject(pDC->GetSafeHdc(), static_cast<HFONT>(*GetTabFont(pTab)));
        // The vertical fonts measure along their own baseline, which DrawText reports as width.
        ::DrawTextW(pDC->GetSafeHdc(), strCaption, strCaption.GetLength(), &rcText,
                    DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP | (m_bNoPrefix ? DT_NOPREFIX : 0));
        SelectObject(pDC->GetSafeHdc(), hOld);
        return static_cast<int>(rcText.Width());
    };

    // The tab's own buttons that show, and 3 pixels before them.
    int nButtons = 0;
    for (INT_PTR i = 0; i < pItem->GetNavigateButtonCount(); ++i) {
        CQorTabManagerNavigateButton* pButton = pItem->GetNavigateButton(i);
        if (pButton->IsShown()) {
            const CSize size = pButton->GetSize();
            nButtons += static_cast<int>(pRow && !pRow->IsHorizontal() ? size.cy : size.cx);
        }
    }
    if (nButtons > 0)
        nButtons += 3;

    int nLength;
    if (m_layout == qorTabLayoutFixed) {
        nLength = m_nFixedTabLength + nContent;
    } else if (m_layout == qorTabLayoutCompressed) {
        if (pItem->IsSelected() && pRow) {
            int nWidest = 0;
            for (int i = 0; i < pRow->GetItemCount(); ++i)
                nWidest = std::max(nWidest, captionWidth(pRow->GetItem(i)));
            nLength = nText + nContent + nImage + nWidest + nButtons;
        } else {
            nLength = nContent + 8 + nImage;
        }
    } else {
        nLength = nText + nContent + captionWidth(pItem) + nImage + nButtons;
    }
    if (m_nMinTabLength > 0)
        nLength = std::max(nLength, m_nMinTabLength);
    if (m_nMaxTabLength > 0)
        nLength = std::min(nLength, m_nMaxTabLength);
    return nLength;
}

BOOL CQorTabPaintManager::AdjustClientRect(CQorTabManager* pRow, CRect& rc)
{
    const QorTabPosition position = pRow->GetPosition();
    if (pRow->IsDrawStaticFrame())
        InflateOriented(rc, CRect(-2, -1, -2, -2), position);
    InflateOriented(
        rc, CRect(-m_rcControlMargin.left, -m_rcControlMargin.top, -m_rcControlMargin.right, -m_rcControlMargin.bottom),
        position);
    rc = m_pAppearanceSet->CalcClientRect(rc, pRow);
    const CRect rcClientMargin = m_pAppearanceSet->GetClientMargin(pRow);
    InflateOriented(rc, CRect(-rcClientMargin.left, -rcClientMargin.top, -rcClientMargin.right, -rcClientMargin.bottom),
                    position);
    if (m_nFrameStyle == 0)
        rc.DeflateRect(2, 2);
    else if (m_nFrameStyle == 1)
        InflateOriented(rc, CRect(0, -2, 0, 0), position);
    return TRUE;
}

void CQorTabPaintManager::PlaceRowButtons(CQorTabManager* pRow, CRect rcArea)
{
    // The buttons take their places from the row's end: close, then right, then left arrow.
    for (INT_PTR i = pRow->GetNavigateButtonCount() - 1; i >= 0; --i)
        pRow->GetNavigateButton(i)->Reposition(rcArea);
    pRow->m_rcHeaderRect = rcArea;
}

void CQorTabPaintManager::PlaceTabButtons(CQorTabManagerItem* pItem, CRect rcItem)
{
    CQorTabManager* pRow = pItem->GetTabManager();
    if (!pRow)
        return;
    const BOOL bHorizontal = pRow->IsHorizontal();
    // From the far end, 3 pixels in, centred across the tab.
    CRect rcArea = rcItem;
    if (bHorizontal)
        rcArea.right -= 3;
    else
        rcArea.bottom -= 3;
    for (INT_PTR i = pItem->GetNavigateButtonCount() - 1; i >= 0; --i) {
        CQorTabManagerNavigateButton* pButton = pItem->GetNavigateButton(i);
        if (rcItem.IsRectEmpty())
            pButton->m_rcButton.SetRectEmpty();
        else
            pButton->Reposition(rcArea);
    }
}

void CQorTabPaintManager::PlaceTabs(CQorTabManager* pRow, const CRect& rc, const CRect& rcHeader)
{
    const QorTabPosition position = pRow->GetPosition();
    const BOOL bHorizontal = pRow->IsHorizontal();
    const CRect m = m_pAppearanceSet->GetHeaderMargin();
    const int h = m_pAppearanceSet->GetRowHeight(pRow);
    const int nRows = pRow->GetRowCount();
    const int nStart = static_cast<int>(bHorizontal ? rcHeader.left : rcHeader.top) + static_cast<int>(m.left);
    for (int nRowIndex = 0; nRowIndex < nRows; ++nRowIndex) {
        const CQorTabManager::ROW_ITEMS rowItems = pRow->GetRowItems(nRowIndex);
        // Across the row: the depth from the header's outer edge; row 0 lies next to the client.
        const int d0 = static_cast<int>(m.top) + (nRows - 1 - nRowIndex) * (h + m_pAppearanceSet->m_nRowGap);
        const int d1 = d0 + h;
        int nPos = nStart + (nRows == 1 ? pRow->m_nScrollOffset : 0);
        for (int i = rowItems.nFirst; i <= rowItems.nLast; ++i) {
            CQorTabManagerItem* pItem = pRow->GetItem(i);
            const int nAlong = m_layout == qorTabLayoutRotated ? (pItem->IsVisible() ? h : 0) : pItem->m_nLength;
            const int nDepth = pItem->m_nLength;
            CRect rcItem;
            if (m_layout == qorTabLayoutRotated) {
                // Each tab stands across the row from the header's client-side edge outwards.
                switch (position) {
                case qorTabPositionTop:
                    rcItem =
                        CRect(nPos, rcHeader.bottom - m.bottom - nDepth, nPos + nAlong, rcHeader.bottom - m.bottom);
                    break;
                case qorTabPositionBottom:
                    rcItem = CRect(nPos, rcHeader.top + m.bottom, nPos + nAlong, rcHeader.top + m.bottom + nDepth);
                    break;
                case qorTabPositionLeft:
                    rcItem = CRect(rcHeader.right - m.bottom - nDepth, nPos, rcHeader.right - m.bottom, nPos + nAlong);
                    break;
                case qorTabPositionRight:
                    rcItem = CRect(rcHeader.left + m.bottom, nPos, rcHeader.left + m.bottom + nDepth, nPos + nAlong);
                    break;
                }
            } else {
                switch (position) {
                case qorTabPositionTop:
                    rcItem = CRect(nPos, rc.top + d0, nPos + nAlong, rc.top + d1);
                    break;
                case qorTabPositionBottom:
                    rcItem = CRect(nPos, rc.bottom - d1, nPos + nAlong, rc.bottom - d0);
                    break;
                case qorTabPositionLeft:
                    rcItem = CRect(rc.left + d0, nPos, rc.left + d1, nPos + nAlong);
                    break;
                case qorTabPositionRight:
                    rcItem = CRect(rc.right - d1, nPos, rc.right - d0, nPos + nAlong);
                    break;
                }
            }
            pItem->SetRect(pItem->IsVisible() ? rcItem : CRect(0, 0, 0, 0));
            pItem->m_nRow = nRowIndex;
            PlaceTabButtons(pItem, pItem->GetRect());
            nPos += nAlong;
        }
    }
}

void CQorTabPaintManager::RepositionTabControl(CQorTabManager* pRow, CDC* pDC, CRect rc)
{
    const QorTabPosition position = pRow->GetPosition();
    const BOOL bHorizontal = pRow->IsHorizontal();
    pRow->m_rcControl = pRow->m_rcHeaderRect = pRow->m_rcClient = rc;
    pRow->ResetRows();
    const int nCount = pRow->GetItemCount();
    for (int i = 0; i < nCount; ++i)
        pRow->GetItem(i)->m_nRow = 0;

    if (pRow->IsDrawStaticFrame())
        InflateOriented(rc, CRect(-2, -1, -2, -2), position);
    InflateOriented(
        rc, CRect(-m_rcControlMargin.left, -m_rcControlMargin.top, -m_rcControlMargin.right, -m_rcControlMargin.bottom),
        position);

    for (int i = 0; i < nCount; ++i) {
        CQorTabManagerItem* pItem = pRow->GetItem(i);
        pItem->m_nContentLength = pItem->IsVisible() ? MeasureTab(pDC, pItem) : 0;
        pItem->m_nLength = pItem->IsVisible() ? pItem->m_nContentLength + m_nExtraTabLength : 0;
    }

    const CRect m = m_pAppearanceSet->GetHeaderMargin();
    const int nExtent = static_cast<int>(bHorizontal ? rc.Width() : rc.Height());
    if (nCount > 0 && m_layout == qorTabLayoutMultiRow) {
        pRow->m_nScrollOffset = 0; // every tab is in view
        FillMultiRows(pRow, nExtent - 1 - static_cast<int>(m.left + m.right));
    }
    if (nCount > 0 && m_layout == qorTabLayoutSizeToFit) {
        int nAvailable = nExtent - static_cast<int>(m.left + m.right);
        for (INT_PTR i = pRow->GetNavigateButtonCount() - 1; i >= 0; --i)
            pRow->GetNavigateButton(i)->AdjustLength(nAvailable);
        ShrinkTabsToFit(pRow, nAvailable);
    }

    // The tabs area ends one pixel before the header's far end; the buttons take its end.
    CRect rcTabsArea = m_pAppearanceSet->GetHeaderRect(rc, pRow);
    if (bHorizontal)
        rcTabsArea.right -= 1;
    else
        rcTabsArea.bottom -= 1;
    PlaceRowButtons(pRow, rcTabsArea);

    // A scrolled row never shows empty space at its end.
    const CRect& rcHeader = pRow->m_rcHeaderRect;
    const int nSpace =
        static_cast<int>(bHorizontal ? rcHeader.Width() : rcHeader.Height()) - static_cast<int>(m.left + m.right);
    const int nItemsLength = pRow->GetItemsLength();
    if (pRow->m_nScrollOffset < 0 && pRow->m_nScrollOffset + nItemsLength < nSpace) {
        pRow->m_nScrollOffset = std::min(0, nSpace - nItemsLength);
        PlaceRowButtons(pRow, rcTabsArea);
    }

    PlaceTabs(pRow, rc, pRow->m_rcHeaderRect);

    CRect rcClient = pRow->m_rcControl;
    AdjustClientRect(pRow, rcClient);
    pRow->m_rcClient = rcClient;
}
