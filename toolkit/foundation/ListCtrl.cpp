#include "toolkit/foundation/ListCtrl.h"

#include <cstdlib>
#include <cwchar>

#include "toolkit/foundation/SystemInfo.h"

namespace {

const int kSortBufferSize = 1024;

// Reads a numeric cell: thousands separators dropped, the text in the ANSI code page. FALSE
// when the text is empty or does not fit the buffer.
bool ReadNumber(const CString& text, double& value)
{
    CString digits = text;
    digits.Remove(L',');
    if (digits.IsEmpty())
        return false;
    char buffer[kSortBufferSize];
    int length =
        ::WideCharToMultiByte(CP_ACP, 0, digits, digits.GetLength(), buffer, kSortBufferSize - 1, nullptr, nullptr);
    if (length <= 0)
        return false;
    buffer[length] = 0; // the conversion does not terminate a counted string
    value = std::strtod(buffer, nullptr);
    return true;
}

struct SortContext
{
    CQorListCtrl* pList;
    int nColumn;
    BOOL bAscending;
};

int CALLBACK CompareRows(LPARAM nRow1, LPARAM nRow2, LPARAM lParamSort)
{
    const SortContext* pContext = reinterpret_cast<const SortContext*>(lParamSort);
    return pContext->pList->CompareItems(nRow1, nRow2, pContext->nColumn, pContext->bAscending);
}

} // namespace

BEGIN_MESSAGE_MAP(CQorListCtrl, CListCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEWHEEL()
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
END_MESSAGE_MAP()

CQorListCtrl::CQorListCtrl() : m_bOwnerPaintDisabled(FALSE), m_bWinXP(TRUE), m_nSortColumn(-1), m_bSortAscending(TRUE)
{
    const OSVERSIONINFOW& version = GetOsVersionInfo();
    m_bWinXP = version.dwMajorVersion > 5 || (version.dwMajorVersion == 5 && version.dwMinorVersion >= 1);
}

CQorListCtrl::~CQorListCtrl() = default;

void CQorListCtrl::SetHighlightText(LPCTSTR lpszText)
{
    m_strHighlight = lpszText ? lpszText : L"";
    // The rows only: the header shows no keyword, and each window drawn costs a round trip
    // to the display under Wine.
    if (GetSafeHwnd())
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
}

BOOL CQorListCtrl::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    // Only a wheel outside the list goes on to the window under the cursor: the header (our
    // child) would send it straight back to us.
    HWND hUnder = ::WindowFromPoint(pt);
    if (hUnder && hUnder != GetSafeHwnd() && !::IsChild(GetSafeHwnd(), hUnder)) {
        ::SendMessageW(hUnder, WM_MOUSEWHEEL, MAKEWPARAM(nFlags, static_cast<WORD>(zDelta)), MAKELPARAM(pt.x, pt.y));
        return TRUE;
    }
    return static_cast<BOOL>(Default());
}

BOOL CQorListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader && pHdr->hwndFrom == pHeader->GetSafeHwnd()) {
        NMHEADERW* pHeaderNotify = reinterpret_cast<NMHEADERW*>(lParam);
        switch (pHdr->code) {
        case HDN_ITEMCLICKW:
            SortByColumn(pHeaderNotify->iItem);
            break;
        case HDN_BEGINTRACKW:
            if (!OnBeginTrack(pHeaderNotify->iItem)) {
                *pResult = TRUE;
                return TRUE;
            }
            break;
        case HDN_ENDTRACKW:
            if (pHeaderNotify->pitem && (pHeaderNotify->pitem->mask & HDI_WIDTH))
                OnEndTrack(pHeaderNotify->iItem, pHeaderNotify->pitem->cxy);
            break;
        default:
            break;
        }
    }
    return CListCtrl::OnNotify(wParam, lParam, pResult);
}

void CQorListCtrl::SetSortImage(int nColumn)
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (!pHeader)
        return;
    if (!m_imlHeader.GetSafeHandle()) {
        m_imlHeader.Create(7, 2, ILC_COLOR32 | ILC_MASK, 0, 4);
        pHeader->SetImageList(&m_imlHeader);
    }
    if (::ImageList_GetImageCount(m_imlHeader) <= 1)
        return;
    HDITEMW item = {};
    if (m_nSortColumn >= 0 && m_nSortColumn != nColumn) {
        item.mask = HDI_FORMAT;
        pHeader->GetItem(m_nSortColumn, &item);
        item.fmt &= ~(HDF_IMAGE | HDF_BITMAP_ON_RIGHT);
        pHeader->SetItem(m_nSortColumn, &item);
    }
    item.mask = HDI_FORMAT;
    pHeader->GetItem(nColumn, &item);
    item.mask = HDI_FORMAT | HDI_IMAGE;
    item.fmt |= HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
    item.iImage = m_bSortAscending ? 0 : 1;
    pHeader->SetItem(nColumn, &item);
}

void CQorListCtrl::SortByColumn(int nColumn)
{
    if (nColumn < 0)
        return;
    if (nColumn == m_nSortColumn)
        m_bSortAscending = !m_bSortAscending;
    SetSortImage(nColumn);
    m_nSortColumn = nColumn;
    SendMessage(LVM_SETSELECTEDCOLUMN, nColumn);
    if (GetStyle() & LVS_OWNERDATA) {
        NMLISTVIEW nm = {};
        nm.hdr.hwndFrom = GetSafeHwnd();
        nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
        nm.hdr.code = QOR_LVN_SORTROWS;
        nm.iItem = -1;
        nm.iSubItem = nColumn;
        nm.lParam = m_bSortAscending;
        ::SendMessageW(::GetParent(GetSafeHwnd()), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
        Invalidate();
        return;
    }

    HCURSOR hOldCursor = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    // Each row is known by its position before the sort, held in its item data while the sort
    // runs: rows with equal item data still compare by their own texts, and the indices the
    // list hands out during LVM_SORTITEMSEX move under the comparison (measured under Wine).
    int nCount = GetItemCount();
    CArray<DWORD_PTR, DWORD_PTR> arrData;
    arrData.SetSize(nCount);
    m_arrSortTexts.SetSize(nCount);
    for (int i = 0; i < nCount; ++i) {
        arrData[i] = GetItemData(i);
        m_arrSortTexts[i] = GetItemText(i, nColumn);
        SetItemData(i, static_cast<DWORD_PTR>(i));
    }
    SortContext context = {this, nColumn, m_bSortAscending};
    SendMessage(LVM_SORTITEMS, reinterpret_cast<WPARAM>(&context), reinterpret_cast<LPARAM>(&CompareRows));
    for (int i = 0; i < nCount; ++i) {
        DWORD_PTR nRow = GetItemData(i);
        if (nRow < static_cast<DWORD_PTR>(nCount))
            SetItemData(i, arrData[static_cast<INT_PTR>(nRow)]);
    }
    m_arrSortTexts.RemoveAll();
    ::SetCursor(hOldCursor);
}

CString CQorListCtrl::GetSortText(LPARAM nRow) const
{
    return nRow >= 0 && nRow < m_arrSortTexts.GetSize() ? m_arrSortTexts[static_cast<INT_PTR>(nRow)] : CString();
}

int CQorListCtrl::CompareItems(LPARAM nRow1, LPARAM nRow2, int nColumn, BOOL bAscending)
{
    CString text1 = GetSortText(nRow1);
    CString text2 = GetSortText(nRow2);
    int nResult = 0;
    bool bDecided = false;

    HDITEMW item = {};
    item.mask = HDI_FORMAT;
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader && pHeader->GetItem(nColumn, &item) && (item.fmt & HDF_RIGHT) && text1 != text2) {
        double value1 = 0, value2 = 0;
        if (ReadNumber(text1, value1) && ReadNumber(text2, value2) && value1 != value2) {
            nResult = value1 < value2 ? -1 : 1;
            bDecided = true;
        }
    }
    if (!bDecided)
        nResult = _wcsicmp(text1, text2);
    return bAscending ? nResult : -nResult;
}
