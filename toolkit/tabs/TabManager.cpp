#include "toolkit/tabs/TabManager.h"

#include <cwchar>

#include "platform/framework/Exceptions.h"
#include "platform/framework/Wnd.h"
#include "toolkit/foundation/ToolTipContext.h"
#include "toolkit/foundation/ToolTipWnd.h"
#include "toolkit/tabs/TabAppearanceSet.h"
#include "toolkit/tabs/TabManagerNavigateButton.h"

CQorTabManagerAtom::~CQorTabManagerAtom()
{
    if (m_pServingPaintManager)
        m_pServingPaintManager->RemoveRow(this);
}

void CQorTabManagerAtom::DetachPaintManager(CQorTabPaintManager* pPaintManager)
{
    if (m_pServingPaintManager == pPaintManager)
        m_pServingPaintManager = nullptr;
}

CQorTabManager::CQorTabManager() : m_rcHeaderRect(0, 0, 0, 0), m_rcControl(0, 0, 0, 0), m_rcClient(0, 0, 0, 0)
{
    m_arrNavigateButtons.Add(new CNavigateButtonArrowLeft(this));
    m_arrNavigateButtons.Add(new CNavigateButtonArrowRight(this));
    m_arrNavigateButtons.Add(new CNavigateButtonClose(this));
    ResetRows();
}

void CQorTabManager::ResetRows()
{
    m_arrRowItems.RemoveAll();
    m_arrRowItems.Add(ROW_ITEMS{0, GetItemCount() - 1});
}

CQorTabManager::~CQorTabManager()
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i)
        ReleaseItem(m_arrItems[i]);
    m_arrItems.RemoveAll();
    for (INT_PTR i = 0; i < m_arrNavigateButtons.GetSize(); ++i)
        m_arrNavigateButtons[i]->Destroy();
    m_arrNavigateButtons.RemoveAll();
    m_pHighlightedButton = nullptr;
}

void CQorTabManager::ReleaseItem(CQorTabManagerItem* pItem)
{
    pItem->RemoveNavigateButtons();
    pItem->m_pTabManager = nullptr;
    pItem->m_nIndex = -1;
    pItem->InternalRelease();
}

CString CQorTabManager::GetItemCaption(const CQorTabManagerItem* pItem) const
{
    return pItem->m_strCaption;
}

HICON CQorTabManager::GetItemIcon(const CQorTabManagerItem* pItem) const
{
    return pItem->m_hIcon;
}

COLORREF CQorTabManager::GetTabItemColor(int nIndex)
{
    static const COLORREF colors[tabColorCount] = {0xE4A88A, 0x75DBFF, 0x9FCDBD, 0x9F9EF0,
                                                   0xE1A6BA, 0xB4BF9A, 0x83B6F7, 0xC0ABD8};
    return colors[static_cast<unsigned>(nIndex) % tabColorCount];
}

COLORREF CQorTabManager::GetItemColor(const CQorTabManagerItem* pItem) const
{
    COLORREF clr = pItem->m_clrItem;
    if (clr >= static_cast<COLORREF>(tabColorFirst) && clr < static_cast<COLORREF>(tabColorFirst + tabColorCount))
        return GetTabItemColor(static_cast<int>(clr - tabColorFirst));
    return clr;
}

CString CQorTabManager::GetItemTooltip(const CQorTabManagerItem* pItem) const
{
    return pItem->m_strToolTip;
}

void CQorTabManager::RefreshIndexes()
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i)
        m_arrItems[i]->m_nIndex = static_cast<int>(i);
    Reposition();
}

void CQorTabManager::SetSelectedItem(CQorTabManagerItem* pItem)
{
    if (m_pSelected == pItem)
        return;
    m_pSelected = pItem;
    Reposition();
    if (pItem)
        EnsureVisible(pItem);
}

void CQorTabManager::SelectItem(CQorTabManagerItem* pItem)
{
    if (OnBeforeItemClick(pItem) && pItem)
        OnItemClick(pItem);
}

BOOL CQorTabManager::OnBeforeItemClick(CQorTabManagerItem*)
{
    return TRUE;
}

void CQorTabManager::GetItemMetrics(CSize* pSize, CSize* pMin, CSize* pMax) const
{
    const CQorTabPaintManager* pPaintManager = GetPaintManager();
    if (pSize)
        *pSize = CSize(pPaintManager->m_nFixedTabLength, 0);
    if (pMin)
        *pMin = CSize(pPaintManager->m_nMinTabLength, 0);
    if (pMax)
        *pMax = CSize(pPaintManager->m_nMaxTabLength, 0);
}

BOOL CQorTabManager::IsDrawStaticFrame() const
{
    return GetPaintManager()->m_bStaticFrame;
}

QorTabPosition CQorTabManager::GetPosition() const
{
    return GetPaintManager()->m_position;
}

BOOL CQorTabManager::IsHorizontal() const
{
    QorTabPosition position = GetPosition();
    return position == qorTabPositionTop || position == qorTabPositionBottom;
}

BOOL CQorTabManager::DrawParentBackground(CDC*, LPCRECT)
{
    return FALSE;
}

CQorTabManagerItem* CQorTabManager::InsertItem(int nIndex, CQorTabManagerItem* pItem)
{
    if (!pItem)
        pItem = new CQorTabManagerItem();
    pItem->m_pTabManager = this;
    if (nIndex < 0 || nIndex > GetItemCount())
        nIndex = GetItemCount();
    CQorTabPaintManager* pPaintManager = GetPaintManager();
    pItem->m_clrItem = static_cast<COLORREF>(tabColorFirst + pPaintManager->m_nTabCounter % tabColorCount);
    pPaintManager->m_nTabCounter++;
    if (m_nCloseButtonMode != 0)
        pItem->m_arrNavigateButtons.Add(new CNavigateButtonTabClose(this, pItem, m_nCloseButtonMode));
    m_arrItems.InsertAt(nIndex, pItem);
    RefreshIndexes();
    return pItem;
}

int CQorTabManager::FindIndex(const CQorTabManagerItem* pItem) const
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i)
        if (m_arrItems[i] == pItem)
            return static_cast<int>(i);
    return -1;
}

BOOL CQorTabManager::DeleteItem(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return FALSE;
    CQorTabManagerItem* pItem = m_arrItems[nIndex];
    if (m_pHighlighted == pItem)
        m_pHighlighted = nullptr;
    if (m_pPressed == pItem)
        m_pPressed = nullptr;
    m_arrItems.RemoveAt(nIndex);
    const BOOL bWasSelected = m_pSelected == pItem;
    // The selection must not point at the tab while it is released.
    if (bWasSelected)
        m_pSelected = nullptr;
    ReleaseItem(pItem);
    if (bWasSelected) {
        const int nCount = GetItemCount();
        SetSelectedItem(nCount == 0 ? nullptr : m_arrItems[nIndex < nCount ? nIndex : nCount - 1]);
    }
    RefreshIndexes();
    return TRUE;
}

void CQorTabManager::DeleteAllItems()
{
    CArray<CQorTabManagerItem*, CQorTabManagerItem*> arrItems;
    arrItems.Copy(m_arrItems);
    m_arrItems.RemoveAll();
    m_pSelected = m_pHighlighted = m_pPressed = nullptr;
    for (INT_PTR i = 0; i < arrItems.GetSize(); ++i)
        ReleaseItem(arrItems[i]);
    RefreshIndexes();
}

int CQorTabManager::GetItemsLength() const
{
    CQorTabPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager->m_layout == qorTabLayoutRotated)
        return GetItemCount() * pPaintManager->GetAppearanceSet()->GetRowHeight(const_cast<CQorTabManager*>(this));
    int nLength = 0;
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i)
        nLength += m_arrItems[i]->m_nLength;
    return nLength;
}

void CQorTabManager::SetScrollOffset(int nOffset)
{
    if (nOffset > 0)
        nOffset = 0;
    if (nOffset == m_nScrollOffset)
        return;
    m_nScrollOffset = nOffset;
    Reposition();
}

void CQorTabManager::OnScroll(BOOL bRight)
{
    SetScrollOffset(m_nScrollOffset + (bRight ? -scrollStep : scrollStep));
}

void CQorTabManager::EnsureVisible(CQorTabManagerItem* pItem)
{
    if (!pItem || m_rcHeaderRect.IsRectEmpty() || pItem->m_rcItem.IsRectEmpty() ||
        GetPaintManager()->m_layout == qorTabLayoutSizeToFit)
        return;
    const CRect rcItem = pItem->m_rcItem;
    const CRect rcMargin = GetPaintManager()->GetHeaderMargin();
    if (IsHorizontal()) {
        if (rcItem.left < m_rcHeaderRect.left)
            SetScrollOffset(m_nScrollOffset + m_rcHeaderRect.left - rcItem.left + rcMargin.left);
        else if (rcItem.right > m_rcHeaderRect.right)
            SetScrollOffset(m_nScrollOffset + m_rcHeaderRect.right - rcItem.right);
    } else {
        if (rcItem.top < m_rcHeaderRect.top)
            SetScrollOffset(m_nScrollOffset + m_rcHeaderRect.top - rcItem.top + rcMargin.left);
        else if (rcItem.bottom > m_rcHeaderRect.bottom)
            SetScrollOffset(m_nScrollOffset + m_rcHeaderRect.bottom - rcItem.bottom);
    }
}

CQorTabManagerItem* CQorTabManager::HitTest(CPoint pt) const
{
    if (!m_rcControl.PtInRect(pt))
        return nullptr;
    if (!m_rcHeaderRect.IsRectEmpty() && !m_rcHeaderRect.PtInRect(pt))
        return nullptr;
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i) {
        CQorTabManagerItem* pItem = m_arrItems[i];
        if (pItem->m_bVisible && pItem->m_bEnabled && pItem->m_rcItem.PtInRect(pt))
            return pItem;
    }
    return nullptr;
}

// The next visible, enabled tab from nFrom (exclusive) in the direction; null at either end.
CQorTabManagerItem* CQorTabManager::StepItem(int nFrom, int nDirection) const
{
    for (int i = nFrom + nDirection; i >= 0 && i < GetItemCount(); i += nDirection) {
        CQorTabManagerItem* pItem = m_arrItems[i];
        if (pItem->m_bVisible && pItem->m_bEnabled)
            return pItem;
    }
    return nullptr;
}

BOOL CQorTabManager::PerformKeyDown(HWND hWnd, UINT nChar)
{
    if (GetItemCount() == 0)
        return FALSE;
    const BOOL bRtl = hWnd && (GetWindowLongPtrW(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    if (bRtl && nChar == VK_LEFT)
        nChar = VK_RIGHT;
    else if (bRtl && nChar == VK_RIGHT)
        nChar = VK_LEFT;

    const BOOL bHorizontal = IsHorizontal();
    const int nSelected = m_pSelected ? FindIndex(m_pSelected) : -1;
    CQorTabManagerItem* pTarget = nullptr;
    switch (nChar) {
    case VK_HOME:
        pTarget = StepItem(-1, 1);
        break;
    case VK_END:
        pTarget = StepItem(GetItemCount(), -1);
        break;
    case VK_LEFT:
    case VK_UP:
        // The keys of the other orientation are swallowed.
        if ((nChar == VK_LEFT) == (bHorizontal != FALSE))
            pTarget = StepItem(nSelected < 0 ? GetItemCount() : nSelected, -1);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        if ((nChar == VK_RIGHT) == (bHorizontal != FALSE))
            pTarget = StepItem(nSelected, 1);
        break;
    default:
        return FALSE;
    }
    if (pTarget)
        SelectItem(pTarget);
    return TRUE;
}

void CQorTabManager::SetCloseButtonMode(int nMode)
{
    m_nCloseButtonMode = nMode;
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i) {
        CQorTabManagerItem* pItem = m_arrItems[i];
        CQorTabManagerNavigateButton* pClose = nullptr;
        for (INT_PTR j = 0; j < pItem->m_arrNavigateButtons.GetSize() && !pClose; ++j)
            if (pItem->m_arrNavigateButtons[j]->GetID() == CQorTabManagerNavigateButton::idClose)
                pClose = pItem->m_arrNavigateButtons[j];
        if (pClose)
            pClose->m_nShowMode = nMode;
        else if (nMode != 0)
            pItem->m_arrNavigateButtons.Add(new CNavigateButtonTabClose(this, pItem, nMode));
    }
    Reposition();
}

CQorTabManagerNavigateButton* CQorTabManager::FindNavigateButton(UINT nID) const
{
    for (INT_PTR i = 0; i < m_arrNavigateButtons.GetSize(); ++i)
        if (m_arrNavigateButtons[i]->GetID() == nID)
            return m_arrNavigateButtons[i];
    AfxThrowInvalidArgException();
}

CQorTabManagerNavigateButton* CQorTabManager::HitTestNavigateButton(CPoint pt, int* pnIndex) const
{
    auto find = [&](const CArray<CQorTabManagerNavigateButton*, CQorTabManagerNavigateButton*>& buttons,
                    CQorTabManagerNavigateButton*& pFound) {
        for (INT_PTR i = 0; i < buttons.GetSize(); ++i) {
            if (buttons[i]->GetRect().PtInRect(pt)) {
                if (pnIndex)
                    *pnIndex = static_cast<int>(i);
                pFound = buttons[i]->IsEnabled() ? buttons[i] : nullptr;
                return true;
            }
        }
        return false;
    };
    CQorTabManagerNavigateButton* pFound = nullptr;
    if (find(m_arrNavigateButtons, pFound))
        return pFound;
    CQorTabManagerItem* pItem = HitTest(pt);
    if (pItem && find(pItem->m_arrNavigateButtons, pFound))
        return pFound;
    return nullptr;
}

BOOL CQorTabManager::IsNavigateButtonEnabled(CQorTabManagerNavigateButton* pButton)
{
    if (pButton->GetID() != CQorTabManagerNavigateButton::idClose)
        return TRUE;
    return m_pSelected ? m_pSelected->m_bClosable : FALSE;
}

void CQorTabManager::OnNavigateButtonClick(CQorTabManagerNavigateButton* pButton)
{
    OnNavigateButtonClick(pButton->GetID());
}

INT_PTR CQorTabManager::PerformToolHitTest(CWnd* pWnd, CPoint pt, TOOLINFOW* pTI)
{
    if (IsMouseLocked())
        return -1;
    const HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    int nIndex = -1;
    CQorTabManagerNavigateButton* pButton = HitTestNavigateButton(pt, &nIndex);
    if (pButton && !pButton->GetTooltip().IsEmpty()) {
        const CRect rc = pButton->GetRect();
        FillToolInfo(hWnd, pButton->GetTooltip(), pTI, rc.left, rc.top, rc.right, rc.bottom,
                     static_cast<UINT_PTR>(nIndex));
        return nIndex;
    }
    CQorTabManagerItem* pItem = HitTest(pt);
    const int nMode = GetPaintManager()->m_nToolTipMode;
    if (!pItem || !(nMode == 1 || (nMode == 2 && pItem->IsShrunk())))
        return -1;
    const CString strTip = GetItemTooltip(pItem);
    if (strTip.IsEmpty())
        return -1;
    const CRect rc = pItem->GetRect();
    FillToolInfo(hWnd, strTip, pTI, rc.left, rc.top, rc.right, rc.bottom, static_cast<UINT_PTR>(pItem->GetIndex()));
    // A tool info of the second size may carry the extra record with a title.
    if (pTI && pTI->cbSize >= TTTOOLINFOW_V2_SIZE && pTI->lParam) {
        QOR_TOOLINFO_EXTRA* pExtra = reinterpret_cast<QOR_TOOLINFO_EXTRA*>(pTI->lParam);
        pExtra->lpszTitle = _wcsdup(GetItemCaption(pItem));
    }
    return pItem->GetIndex();
}
