// How the tab paint manager draws: the whole control through its appearance set, one tab's
// content (image, caption with its ellipsis, the tab's buttons, the focus) and a navigate button.
#include <algorithm>

#include "platform/framework/Gdi.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/tabs/TabAppearanceSet.h"
#include "toolkit/tabs/TabColorSets.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabManagerNavigateButton.h"
#include "toolkit/tabs/TabPaintManager.h"

namespace {

// A null brush selected for the object's life: outlined glyphs of disabled buttons.
class CHollowBrushDC
{
public:
    explicit CHollowBrushDC(HDC hDC) : m_hDC(hDC), m_hOld(::SelectObject(hDC, ::GetStockObject(NULL_BRUSH))) {}
    ~CHollowBrushDC() { ::SelectObject(m_hDC, m_hOld); }
    CHollowBrushDC(const CHollowBrushDC&) = delete;
    CHollowBrushDC& operator=(const CHollowBrushDC&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

int TextWidth(CDC* pDC, const CString& str)
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32W(pDC->GetSafeHdc(), str, str.GetLength(), &size);
    return static_cast<int>(size.cx);
}

} // namespace

void CQorTabPaintManager::DrawTabControl(CDC* pDC, CQorTabManager* pRow, CRect rc)
{
    m_pAppearanceSet->DrawTabControl(pDC, pRow, rc);
}

void CQorTabPaintManager::DrawNavigateButton(CDC* pDC, CQorTabManagerNavigateButton* pButton, CRect rc)
{
    m_pColorSet->FillNavigateButton(pDC, pButton, rc);
    const COLORREF clrGlyph = pDC->GetTextColor();
    CQorPenDC pen(pDC->GetSafeHdc(), clrGlyph);
    if (pButton->IsEnabled()) {
        CQorBrushDC brush(pDC->GetSafeHdc(), clrGlyph);
        pButton->DrawGlyph(pDC, rc);
    } else {
        CHollowBrushDC brush(pDC->GetSafeHdc());
        pButton->DrawGlyph(pDC, rc);
    }
}

void CQorTabPaintManager::DrawFocusRect(CDC* pDC, CQorTabManagerItem*, CRect rc)
{
    if (!m_bFocusRect)
        return;
    rc.DeflateRect(3, 3);
    const COLORREF clrOldBack = pDC->SetBkColor(RGB(255, 255, 255));
    const COLORREF clrOldText = pDC->SetTextColor(RGB(0, 0, 0));
    pDC->DrawFocusRect(rc);
    pDC->SetBkColor(clrOldBack);
    pDC->SetTextColor(clrOldText);
}

void CQorTabPaintManager::DrawCaption(CDC* pDC, CQorTabManagerItem* pItem, CRect rcText, BOOL bVertical)
{
    CQorTabManager* pRow = pItem->GetTabManager();
    CString strCaption = pRow ? pRow->GetItemCaption(pItem) : pItem->GetCaption();
    if (strCaption.IsEmpty())
        return;
    const UINT nPrefix = m_bNoPrefix ? DT_NOPREFIX : 0;
    if (bVertical) {
        if (rcText.Width() < 8)
            return;
        pDC->DrawText(strCaption, rcText,
                      DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX | (m_bEndEllipsis ? DT_END_ELLIPSIS : 0));
        return;
    }
    UINT nFormat = m_nTextAlignment | DT_SINGLELINE | nPrefix;
    if (!m_bMiddleEllipsis) {
        pDC->DrawText(strCaption, rcText, nFormat | (m_bEndEllipsis ? DT_END_ELLIPSIS : 0));
        return;
    }
    if (strCaption.Find(L'\\') >= 0) {
        pDC->DrawText(strCaption, rcText, nFormat | DT_PATH_ELLIPSIS);
        return;
    }
    // "start...end": as many characters as fit, shared between both ends.
    const int nWidth = static_cast<int>(rcText.Width());
    const int nFull = TextWidth(pDC, strCaption);
    const int nDots = TextWidth(pDC, L"...");
    const int nChars = strCaption.GetLength();
    CString strShown = strCaption;
    if (nFull > nWidth) {
        if (nDots >= nWidth) {
            strShown = L"...";
        } else {
            auto piece = [&](int n) { return strCaption.Left(n - n / 2) + L"..." + strCaption.Right(n / 2); };
            int n = std::min(nChars, std::max(0, (nWidth - nDots) * nChars / std::max(nFull, 1)));
            while (n < nChars && TextWidth(pDC, piece(n + 1)) <= nWidth)
                ++n;
            while (n > 0 && TextWidth(pDC, piece(n)) > nWidth)
                --n;
            strShown = piece(n);
        }
    }
    pDC->DrawText(strShown, rcText, nFormat);
}

int CQorTabPaintManager::DrawSingleTab(CDC* pDC, CQorTabManagerItem* pItem, CRect rc, BOOL bDraw)
{
    if (!bDraw)
        return MeasureTab(pDC, pItem);
    CQorTabManager* pRow = pItem->GetTabManager();
    if (!pRow)
        return 0;
    const BOOL bHorizontal = pRow->IsHorizontal();
    // Rotated tabs stand across the row: their content runs the other way.
    const BOOL bAlongX = bHorizontal != (m_layout == qorTabLayoutRotated);
    CRect rcTextMargin = m_rcTextMargin;
    if (pItem->IsShrunk()) {
        // Half the lost length comes off each end's margin.
        const int nLost = (pItem->m_nContentLength - pItem->m_nLength) / 2;
        rcTextMargin.left = std::max(0, static_cast<int>(rcTextMargin.left) - nLost);
        rcTextMargin.right = std::max(0, static_cast<int>(rcTextMargin.right) - nLost);
    }
    int nStart = static_cast<int>((bAlongX ? rc.left : rc.top) + rcTextMargin.left + m_rcTabContentMargin.left);
    int nEnd = static_cast<int>((bAlongX ? rc.right : rc.bottom) - rcTextMargin.right - m_rcTabContentMargin.right);
    const CPoint ptCentre = rc.CenterPoint();

    CSize szImage = m_szImage;
    if (m_bShowImages && pRow->DrawItemImage(pDC, CPoint(0, 0), pItem, FALSE, &szImage)) {
        const int nImage = static_cast<int>(bAlongX ? szImage.cx : szImage.cy);
        const CPoint ptImage =
            bAlongX ? CPoint(nStart - 1, ptCentre.y - szImage.cy / 2) : CPoint(ptCentre.x - szImage.cx / 2, nStart - 1);
        if (nImage < nEnd - nStart)
            pRow->DrawItemImage(pDC, ptImage, pItem, TRUE, &szImage);
        nStart += nImage + 2;
        nEnd += 2;
    }

    // The tab's own buttons at its far end.
    int nButtonsStart = bAlongX ? static_cast<int>(rc.right) : static_cast<int>(rc.bottom);
    for (INT_PTR i = 0; i < pItem->GetNavigateButtonCount(); ++i) {
        CQorTabManagerNavigateButton* pButton = pItem->GetNavigateButton(i);
        const CRect rcButton = pButton->GetRect();
        if (rcButton.IsRectEmpty())
            continue;
        nButtonsStart = std::min(nButtonsStart, static_cast<int>(bAlongX ? rcButton.left : rcButton.top));
        DrawNavigateButton(pDC, pButton, rcButton);
    }
    nEnd = std::min(nEnd, nButtonsStart);

    const BOOL bCaption = m_layout != qorTabLayoutCompressed || pItem->IsSelected();
    if (bCaption && nEnd > nStart) {
        m_pColorSet->SetTabTextColor(pDC, pItem);
        CQorFontDC font(pDC, GetTabFont(pItem));
        if (bAlongX) {
            DrawCaption(pDC, pItem, CRect(nStart, rc.top, nEnd, rc.bottom), FALSE);
        } else {
            // Text running top to bottom starts at its cell's right edge.
            TEXTMETRICW tm = {};
            ::GetTextMetricsW(pDC->GetSafeHdc(), &tm);
            const int nLeft =
                static_cast<int>(rc.right) - (static_cast<int>(rc.Width()) - static_cast<int>(tm.tmHeight)) / 2;
            // DrawText measures along the baseline: the rectangle's width is the room along the tab.
            DrawCaption(pDC, pItem, CRect(nLeft, nStart, nLeft + nEnd - nStart, nStart + static_cast<int>(rc.Width())),
                        TRUE);
        }
    }
    if (pItem->IsSelected() && pRow->HasFocus())
        DrawFocusRect(pDC, pItem, rc);
    return static_cast<int>(bAlongX ? rc.Width() : rc.Height());
}
