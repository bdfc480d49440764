#pragma once

// Owner-drawn list controls: a list view that paints flicker-free through a memory DC, sorts by
// header clicks (text or numeric columns) with a sort arrow, and can highlight every occurrence
// of a keyword in its cells; CQorListCtrlEx turns reflected notifications into virtual calls.

#include "platform/framework/Collections.h"
#include "platform/framework/Controls.h"
#include "platform/framework/Gdi.h"
#include "platform/framework/ImageList.h"
#include "platform/framework/Strings.h"

// An off-screen copy of a rectangle of a DC, copied back when the object goes.
class CQorMemDC : public CDC
{
public:
    // An empty rectangle takes the target's clip box; clrFill -1 leaves the bitmap unfilled.
    CQorMemDC(CDC* pDC, const CRect& rect = CRect(), COLORREF clrFill = static_cast<COLORREF>(-1));
    ~CQorMemDC() override;
    CQorMemDC(const CQorMemDC&) = delete;
    CQorMemDC& operator=(const CQorMemDC&) = delete;

    BOOL IsValid() const { return m_bValid; }
    const CRect& GetRect() const { return m_rect; }

protected:
    // Copies the bitmap to the target; derived DCs may leave parts out.
    virtual void CopyBack();

    CDC* m_pDC;
    CRect m_rect;
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap;
    BOOL m_bValid;
};

// The memory DC of a list in report view: the header keeps its own pixels.
class CQorListCtrlMemDC : public CQorMemDC
{
public:
    CQorListCtrlMemDC(CDC* pDC, CListCtrl* pList, const CRect& rect, COLORREF clrFill);
    ~CQorListCtrlMemDC() override;

protected:
    void CopyBack() override;
    int m_nHeaderHeight;
};

// Sent (WM_NOTIFY with an NMLISTVIEW: iSubItem the column, lParam TRUE when ascending) to
// the owner of an owner-data list when it is to be sorted: such a list holds no rows of its
// own to reorder, so its owner sorts the rows it serves and the list draws them again.
enum { QOR_LVN_SORTROWS = 0x2A50 };

class CQorListCtrl : public CListCtrl
{
public:
    CQorListCtrl();
    ~CQorListCtrl() override;

    // Sort comparison of two rows, known by their positions before the sort, by their texts in
    // nColumn (GetSortText): numeric in right-aligned columns, else case-insensitive.
    virtual int CompareItems(LPARAM nRow1, LPARAM nRow2, int nColumn, BOOL bAscending);
    virtual COLORREF GetItemBackColor(int /*nItem*/, int /*nSubItem*/, DWORD_PTR /*dwData*/, COLORREF clrDefault)
    {
        return clrDefault;
    }
    virtual COLORREF GetItemTextColor(int /*nItem*/, int /*nSubItem*/, DWORD_PTR /*dwData*/, COLORREF clrDefault)
    {
        return clrDefault;
    }
    virtual BOOL IsItemBold(int /*nItem*/, int /*nSubItem*/, DWORD_PTR /*dwData*/) { return FALSE; }
    virtual int GetItemIcon(int /*nItem*/, int /*nIndex*/) { return -1; }
    virtual void OnDraw(CDC* pDC, BOOL bOwnerDraw);
    virtual void DrawCellText(CDC* pDC, int nItem, int nSubItem, CRect rc, LPCTSTR lpszText, COLORREF clrText,
                              COLORREF clrBack, DWORD_PTR dwData);
    virtual void SortByColumn(int nColumn);
    virtual BOOL OnBeginTrack(int /*nColumn*/) { return TRUE; }
    virtual void OnEndTrack(int /*nColumn*/, int /*nWidth*/) {}

    void SetHighlightText(LPCTSTR lpszText);
    const CString& GetHighlightText() const { return m_strHighlight; }
    int GetSortColumn() const { return m_nSortColumn; }
    BOOL IsSortAscending() const { return m_bSortAscending; }
    CImageList& GetHeaderImageList() { return m_imlHeader; }

    // Draws lpszText into rc with every case-insensitive occurrence of lpszKeyword in black on
    // bright green; nFormat is a DrawText format (DT_RIGHT and DT_CENTER are honoured).
    static void DrawHighlightedText(CDC* pDC, LPCTSTR lpszText, LPCTSTR lpszKeyword, CRect rc, COLORREF clrText,
                                    COLORREF clrBack, UINT nFormat);

    BOOL m_bOwnerPaintDisabled;
    BOOL m_bWinXP;

protected:
    // The text in the sort column of a row, by its position before the sort (during a sort).
    CString GetSortText(LPARAM nRow) const;
    void EnsureFonts();
    void SetSortImage(int nColumn);
    void DrawHighlightedCells(CDC* pDC);
    void OnCustomDrawItemPostPaint(NMLVCUSTOMDRAW* pDraw);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    int m_nSortColumn;
    BOOL m_bSortAscending;
    CImageList m_imlHeader;
    CFont m_fntNormal;
    CFont m_fntBold;
    CString m_strHighlight;
    CStringArray m_arrSortTexts; // alive only during a sort
};

class CQorListCtrlEx : public CQorListCtrl
{
public:
    CQorListCtrlEx();

    virtual void NotifySelectionChanged();
    virtual void OnSelectionChanged() {}
    virtual void OnBeginDrag() {}
    virtual void OnDeleteItem(DWORD_PTR /*dwData*/) {}
    virtual void OnItemClick(int /*nItem*/) {}
    virtual void OnItemDblClick(int /*nItem*/) {}
    virtual void OnBeginLabelEdit(int /*nItem*/, BOOL& /*bAllow*/) {}
    virtual void OnEndLabelEdit(int /*nItem*/, LPCTSTR /*lpszText*/, BOOL& /*bAccept*/) {}
    virtual void OnItemCheckChanged(int /*nItem*/) {}

protected:
    int HitTestCursor() const;

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDblClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginDragNotify(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeleteItemNotify(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginLabelEditNotify(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEndLabelEditNotify(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    BOOL m_bMouseDown;
    BOOL m_bSelectionPending;
    BOOL m_bDragging;
};
