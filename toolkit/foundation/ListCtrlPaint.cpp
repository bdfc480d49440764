// Painting of the owner-drawn list: the memory DCs, the keyword highlight and custom draw.
#include "toolkit/foundation/ListCtrl.h"

#include <shlwapi.h>

#include <algorithm>
#include <vector>

#include "toolkit/foundation/DrawHelpers.h"

namespace {

const COLORREF kKeywordText = RGB(0, 0, 0);
const COLORREF kKeywordBack = 0x40FF00; // bright green
const int kMaxExtraIcons = 4;

} // namespace

// ---------------------------------------------------------------------------------------

CQorMemDC::CQorMemDC(CDC* pDC, const CRect& rect, COLORREF clrFill)
    : m_pDC(pDC), m_rect(rect), m_hOldBitmap(nullptr), m_bValid(FALSE)
{
    if (m_rect.IsRectEmpty())
        pDC->GetClipBox(&m_rect);
    if (m_rect.IsRectEmpty() || !CreateCompatibleDC(pDC))
        return;
    if (!m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height()))
        return;
    m_hOldBitmap = SelectObject(static_cast<HGDIOBJ>(m_bitmap.GetSafeHandle()));
    SetMapMode(pDC->GetMapMode());
    ::SetWindowOrgEx(GetSafeHdc(), m_rect.left, m_rect.top, nullptr);
    m_bValid = TRUE;
    if (clrFill != static_cast<COLORREF>(-1))
        FillSolidRect(m_rect, clrFill);
}

CQorMemDC::~CQorMemDC()
{
    if (m_bValid)
        CopyBack();
    if (m_hOldBitmap)
        SelectObject(m_hOldBitmap);
}

void CQorMemDC::CopyBack()
{
    m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
}

CQorListCtrlMemDC::CQorListCtrlMemDC(CDC* pDC, CListCtrl* pList, const CRect& rect, COLORREF clrFill)
    : CQorMemDC(pDC, rect, clrFill), m_nHeaderHeight(0)
{
    CHeaderCtrl* pHeader = pList->GetHeaderCtrl();
    if ((pList->GetStyle() & LVS_TYPEMASK) == LVS_REPORT && pHeader && pHeader->IsWindowVisible()) {
        CRect rcHeader;
        pHeader->GetWindowRect(&rcHeader);
        m_nHeaderHeight = rcHeader.Height();
    }
}

CQorListCtrlMemDC::~CQorListCtrlMemDC()
{
    if (m_bValid)
        CopyBack();
    m_bValid = FALSE; // copied once, here, where the header height is still known
}

void CQorListCtrlMemDC::CopyBack()
{
    int top = m_rect.top + m_nHeaderHeight;
    if (top < m_rect.bottom)
        m_pDC->BitBlt(m_rect.left, top, m_rect.Width(), m_rect.bottom - top, this, m_rect.left, top, SRCCOPY);
}

// ---------------------------------------------------------------------------------------

void CQorListCtrl::OnPaint()
{
    CPaintDC dc(this);
    OnDraw(&dc, TRUE);
}

BOOL CQorListCtrl::OnEraseBkgnd(CDC*)
{
    // OnDraw fills every pixel of the client area through its memory DC: an erase before it
    // would only cost one more drawing on the window (under Wine a round trip to the display).
    return TRUE;
}

void CQorListCtrl::OnDraw(CDC* pDC, BOOL bOwnerDraw)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    COLORREF clrFill = ::GetSysColor(IsWindowEnabled() ? COLOR_WINDOW : COLOR_BTNFACE);
    CQorListCtrlMemDC memDC(pDC, this, rcClient, clrFill);
    if (!memDC.IsValid()) {
        // No erase came before (OnEraseBkgnd): the background is filled here.
        pDC->FillSolidRect(rcClient, clrFill);
        DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(pDC->GetSafeHdc()), 0);
        return;
    }
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(memDC.GetSafeHdc()), 0);
    if (!m_bOwnerPaintDisabled && bOwnerDraw && !m_strHighlight.IsEmpty())
        DrawHighlightedCells(&memDC);
}

void CQorListCtrl::EnsureFonts()
{
    if (m_fntNormal.GetSafeHandle())
        return;
    HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    if (!hFont)
        hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW lf = {};
    ::GetObjectW(hFont, sizeof(lf), &lf);
    m_fntNormal.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fntBold.CreateFontIndirect(&lf);
}

void CQorListCtrl::DrawHighlightedCells(CDC* pDC)
{
    EnsureFonts();
    BOOL bEnabled = IsWindowEnabled();
    BOOL bFocused = ::GetFocus() == GetSafeHwnd();
    BOOL bFullRow = (GetExtendedStyle() & LVS_EX_FULLROWSELECT) != 0;
    BOOL bReport = (GetStyle() & LVS_TYPEMASK) == LVS_REPORT;
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    int nColumns = bReport && pHeader ? pHeader->GetItemCount() : 1;
    int nLast = std::min(GetItemCount(), GetTopIndex() + GetCountPerPage() + 2);

    CQorFontDC font(pDC, &m_fntNormal);
    for (int nItem = GetTopIndex(); nItem < nLast; ++nItem) {
        BOOL bSelected = (GetItemState(nItem, LVIS_SELECTED) & LVIS_SELECTED) != 0;
        DWORD_PTR dwData = GetItemData(nItem);
        for (int nSub = 0; nSub < nColumns; ++nSub) {
            COLORREF clrText = ::GetSysColor(COLOR_WINDOWTEXT);
            COLORREF clrBack = ::GetSysColor(bEnabled ? COLOR_WINDOW : COLOR_BTNFACE);
            if (bSelected && (nSub == 0 || bFullRow)) {
                clrText = ::GetSysColor(bFocused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
                clrBack = ::GetSysColor(bFocused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
            }
            font.SetFont(IsItemBold(nItem, nSub, dwData) ? &m_fntBold : &m_fntNormal);
            CRect rc;
            if (!GetSubItemRect(nItem, nSub, LVIR_LABEL, rc))
                continue;
            DrawCellText(pDC, nItem, nSub, rc, GetItemText(nItem, nSub), clrText, clrBack, dwData);
        }
    }
}

void CQorListCtrl::DrawCellText(CDC* pDC, int nItem, int nSubItem, CRect rc, LPCTSTR lpszText, COLORREF clrText,
                                COLORREF clrBack, DWORD_PTR dwData)
{
    BOOL bSelected = (GetItemState(nItem, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    if (!bSelected) {
        clrText = GetItemTextColor(nItem, nSubItem, dwData, clrText);
        clrBack = GetItemBackColor(nItem, nSubItem, dwData, clrBack);
    }
    // The list has drawn the cell already; its own text, placed by its own rules, must not show
    // beside the pieces drawn here.
    pDC->FillSolidRect(rc, clrBack);
    BOOL bReport = (GetStyle() & LVS_TYPEMASK) == LVS_REPORT;
    rc.left += nSubItem == 0 ? 2 : 6;
    rc.right -= bReport ? 6 : 2;

    UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT;
    if (SendMessage(LVM_GETCOLUMNW, nSubItem, reinterpret_cast<LPARAM>(&column))) {
        if ((column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT)
            nFormat |= DT_RIGHT;
        else if ((column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER)
            nFormat |= DT_CENTER;
    }
    DrawHighlightedText(pDC, lpszText, m_strHighlight, rc, clrText, clrBack, nFormat);
}

namespace {

// Draws one piece of a cell's text at rc.left and answers its width. The glyphs go where the
// text extents say, each at its own offset, so that the background of the piece and the next
// piece start where this one's glyphs end: left to itself, Wine places the glyphs of some faces
// tighter than their extents (measured: Tahoma at 8 points, "Attachment" 62 pixels by
// GetTextExtentPoint32 and by ExtTextOut's background, its glyphs 54). A piece that does not
// fit is drawn with the end ellipsis of the format.
int DrawTextPiece(CDC* pDC, LPCTSTR lpszPiece, int nLength, const CRect& rc, UINT nFormat)
{
    SIZE size = {};
    std::vector<INT> ends(static_cast<size_t>(nLength) + 1);
    const HDC hDC = pDC->GetSafeHdc();
    if (nLength <= 0 || !::GetTextExtentExPointW(hDC, lpszPiece, nLength, 0, nullptr, ends.data(), &size))
        return 0;
    if (size.cx > rc.Width()) {
        CRect rcPiece = rc;
        pDC->DrawText(lpszPiece, nLength, rcPiece, nFormat);
        return size.cx;
    }
    std::vector<INT> advances(static_cast<size_t>(nLength));
    for (int i = 0; i < nLength; ++i)
        advances[static_cast<size_t>(i)] =
            ends[static_cast<size_t>(i)] - (i > 0 ? ends[static_cast<size_t>(i - 1)] : 0);
    int y = rc.top;
    if (nFormat & DT_VCENTER)
        y += (rc.Height() - size.cy) / 2;
    else if (nFormat & DT_BOTTOM)
        y = rc.bottom - size.cy;
    ::ExtTextOutW(hDC, rc.left, y, ETO_CLIPPED, rc, lpszPiece, static_cast<UINT>(nLength), advances.data());
    return size.cx;
}

} // namespace

void CQorListCtrl::DrawHighlightedText(CDC* pDC, LPCTSTR lpszText, LPCTSTR lpszKeyword, CRect rc, COLORREF clrText,
                                       COLORREF clrBack, UINT nFormat)
{
    COLORREF clrOldText = pDC->SetTextColor(clrText);
    COLORREF clrOldBack = pDC->SetBkColor(clrBack);
    int nOldMode = pDC->SetBkMode(OPAQUE);
    int nKeyword = lpszKeyword ? lstrlenW(lpszKeyword) : 0;
    if (!lpszText || nKeyword == 0 || !::StrStrIW(lpszText, lpszKeyword)) {
        pDC->DrawText(lpszText ? lpszText : L"", -1, rc, nFormat);
        pDC->SetTextColor(clrOldText);
        pDC->SetBkColor(clrOldBack);
        pDC->SetBkMode(nOldMode);
        return;
    }
    int nExtra = pDC->GetTextCharacterExtra();
    if (nFormat & (DT_RIGHT | DT_CENTER)) {
        int cx = pDC->GetTextExtent(lpszText, lstrlenW(lpszText)).cx;
        rc.left = (nFormat & DT_RIGHT) ? rc.right - cx : rc.left + (rc.Width() - cx) / 2;
        nFormat &= ~(DT_RIGHT | DT_CENTER);
    }
    auto drawPiece = [&](LPCTSTR lpszPiece, int nLength, COLORREF clrPieceText, COLORREF clrPieceBack) {
        pDC->SetTextColor(clrPieceText);
        pDC->SetBkColor(clrPieceBack);
        const int nWidth = DrawTextPiece(pDC, lpszPiece, nLength, rc, nFormat);
        rc.left += nWidth + nExtra;
    };
    LPCTSTR lpszRest = lpszText;
    while (*lpszRest && rc.left < rc.right) {
        LPCTSTR lpszFound = ::StrStrIW(lpszRest, lpszKeyword);
        if (!lpszFound)
            break;
        if (lpszFound > lpszRest)
            drawPiece(lpszRest, static_cast<int>(lpszFound - lpszRest), clrText, clrBack);
        if (rc.left >= rc.right)
            break;
        drawPiece(lpszFound, nKeyword, kKeywordText, kKeywordBack);
        lpszRest = lpszFound + nKeyword;
    }
    if (*lpszRest && rc.left < rc.right)
        drawPiece(lpszRest, lstrlenW(lpszRest), clrText, clrBack);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBack);
    pDC->SetBkMode(nOldMode);
}

// ---------------------------------------------------------------------------------------

void CQorListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = CDRF_DODEFAULT;
    if (m_bOwnerPaintDisabled)
        return;
    NMLVCUSTOMDRAW* pDraw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    switch (pDraw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *pResult = CDRF_NOTIFYITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT:
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        int nItem = static_cast<int>(pDraw->nmcd.dwItemSpec);
        int nSub = (pDraw->nmcd.dwDrawStage & CDDS_SUBITEM) ? pDraw->iSubItem : 0;
        DWORD_PTR dwData = pDraw->nmcd.lItemlParam;
        pDraw->clrText = GetItemTextColor(nItem, nSub, dwData, pDraw->clrText);
        pDraw->clrTextBk = GetItemBackColor(nItem, nSub, dwData, pDraw->clrTextBk);
        EnsureFonts();
        // Custom draw's own protocol: the list restores its font after CDRF_NEWFONT.
        ::SelectObject(pDraw->nmcd.hdc,
                       IsItemBold(nItem, nSub, dwData) ? m_fntBold.GetSafeHandle() : m_fntNormal.GetSafeHandle());
        *pResult = CDRF_NEWFONT | CDRF_NOTIFYPOSTPAINT;
        if (!(pDraw->nmcd.dwDrawStage & CDDS_SUBITEM))
            *pResult |= CDRF_NOTIFYSUBITEMDRAW;
        break;
    }
    case CDDS_ITEMPOSTPAINT:
        OnCustomDrawItemPostPaint(pDraw);
        break;
    default:
        break;
    }
}

void CQorListCtrl::OnCustomDrawItemPostPaint(NMLVCUSTOMDRAW* pDraw)
{
    HIMAGELIST hImages = reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, LVSIL_SMALL));
    if (!hImages)
        return;
    int nItem = static_cast<int>(pDraw->nmcd.dwItemSpec);
    CRect rcIcon;
    if (!GetItemRect(nItem, &rcIcon, LVIR_ICON))
        return;
    BOOL bSelected = (GetItemState(nItem, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    for (int i = 0; i < kMaxExtraIcons; ++i) {
        int nIcon = GetItemIcon(nItem, i);
        if (nIcon == -1)
            break;
        ::ImageList_Draw(hImages, nIcon, pDraw->nmcd.hdc, rcIcon.left, rcIcon.top,
                         ILD_TRANSPARENT | (bSelected ? ILD_BLEND50 : 0));
    }
}
