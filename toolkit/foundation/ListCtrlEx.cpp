// The list's notifications turned into virtual calls.
#include "toolkit/foundation/ListCtrl.h"

BEGIN_MESSAGE_MAP(CQorListCtrlEx, CQorListCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
    ON_NOTIFY_REFLECT(NM_DBLCLK, OnDblClick)
    ON_NOTIFY_REFLECT(LVN_BEGINDRAG, OnBeginDragNotify)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, OnItemChanged)
    ON_NOTIFY_REFLECT(LVN_DELETEITEM, OnDeleteItemNotify)
    ON_NOTIFY_REFLECT(LVN_BEGINLABELEDITW, OnBeginLabelEditNotify)
    ON_NOTIFY_REFLECT(LVN_ENDLABELEDITW, OnEndLabelEditNotify)
END_MESSAGE_MAP()

CQorListCtrlEx::CQorListCtrlEx() : m_bMouseDown(FALSE), m_bSelectionPending(FALSE), m_bDragging(FALSE) {}

void CQorListCtrlEx::NotifySelectionChanged()
{
    // While a button is down or a drag runs, the change is reported once they are over.
    if (m_bMouseDown || !m_bSelectionPending || m_bDragging)
        return;
    OnSelectionChanged();
    m_bSelectionPending = FALSE;
}

void CQorListCtrlEx::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    m_bMouseDown = TRUE;
    Default(); // the list's own loop runs until the button is released or a drag starts
    m_bMouseDown = FALSE;
    m_bDragging = FALSE;
    NotifySelectionChanged();
}

void CQorListCtrlEx::OnRButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    m_bMouseDown = TRUE;
    Default();
    m_bMouseDown = FALSE;
    m_bDragging = FALSE;
}

int CQorListCtrlEx::HitTestCursor() const
{
    LVHITTESTINFO info = {};
    ::GetCursorPos(&info.pt);
    ::ScreenToClient(GetSafeHwnd(), &info.pt);
    int nItem = static_cast<int>(::SendMessageW(GetSafeHwnd(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    return (info.flags & LVHT_ONITEM) ? nItem : -1;
}

void CQorListCtrlEx::OnClick(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    int nItem = HitTestCursor();
    if (nItem >= 0)
        OnItemClick(nItem);
    *pResult = 0;
}

void CQorListCtrlEx::OnDblClick(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    int nItem = HitTestCursor();
    if (nItem >= 0)
        OnItemDblClick(nItem);
    *pResult = 0;
}

void CQorListCtrlEx::OnBeginDragNotify(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    m_bDragging = TRUE;
    OnBeginDrag();
    *pResult = 0;
}

void CQorListCtrlEx::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLISTVIEW* pView = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    *pResult = 0;
    if ((pView->uNewState ^ pView->uOldState) & LVIS_SELECTED) {
        m_bSelectionPending = TRUE;
        NotifySelectionChanged();
    } else if ((pView->uChanged & LVIF_STATE) && ((pView->uNewState ^ pView->uOldState) & LVIS_STATEIMAGEMASK)) {
        OnItemCheckChanged(pView->iItem);
    }
}

void CQorListCtrlEx::OnDeleteItemNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeleteItem(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->lParam);
    *pResult = 0;
}

void CQorListCtrlEx::OnBeginLabelEditNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    BOOL bAllow = TRUE;
    OnBeginLabelEdit(reinterpret_cast<NMLVDISPINFOW*>(pNMHDR)->item.iItem, bAllow);
    *pResult = bAllow ? FALSE : TRUE;
}

void CQorListCtrlEx::OnEndLabelEditNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    const LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(pNMHDR)->item;
    *pResult = 0;
    if (!item.pszText || !*item.pszText)
        return; // an empty or cancelled edit is not accepted
    BOOL bAccept = TRUE;
    OnEndLabelEdit(item.iItem, item.pszText, bAccept);
    *pResult = bAccept;
}
