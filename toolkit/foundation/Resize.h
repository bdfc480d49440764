#pragma once

// Resizable dialogs: controls follow the dialog's size by anchor factors, a size grip sits in
// the bottom-right corner, the track size is bounded, and the window placement can be saved.

#include "platform/framework/Collections.h"
#include "platform/framework/Controls.h"
#include "platform/framework/Dialog.h"

// The size grip: a SBS_SIZEGRIP scroll bar that shows the diagonal sizing cursor.
class CVkSizeIcon : public CScrollBar
{
public:
    CVkSizeIcon();

protected:
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

private:
    HCURSOR m_hCursor;
};

// One control that moves with the dialog. Anchor factors: 0 keeps an edge fixed, 1 moves it by
// the whole change of the client size, 0.5 by half of it.
class CVkResizeItem
{
public:
    CVkResizeItem(CWnd* pWnd, BOOL bOwnedWnd, float fLeft, float fTop, float fRight, float fBottom);
    virtual ~CVkResizeItem();

    // Group boxes become transparent so that the controls inside them stay visible while the
    // dialog is resized (unless bNoTransparent).
    virtual void Prepare(BOOL bNoTransparent);

    BOOL m_bOwnedWnd;    // the wrapper was made for a window without an object: detach and delete it
    BOOL m_bInitialized; // moved at least once
    BOOL m_bTransparent; // a group box made transparent by Prepare
    CWnd* m_pWnd;
    float m_fLeft, m_fTop, m_fRight, m_fBottom;                     // anchor factors
    float m_rcLeft, m_rcTop, m_rcRight, m_rcBottom;                 // current rectangle
    float m_rcInitLeft, m_rcInitTop, m_rcInitRight, m_rcInitBottom; // rectangle when added
};

class CVkResize
{
public:
    enum {
        flagNoSizeIcon = 0x1,
        flagFixedWidth = 0x2,
        flagFixedHeight = 0x4,
        flagNoMinSize = 0x8,
        flagNoClipChildren = 0x10,
        flagNoTransparentGroup = 0x20,
    };

    CVkResize(CWnd* pOwner, int nFlags = 0);
    virtual ~CVkResize();

    // Adds the dialog control nID with its anchors, or adds the anchors to the factors of the
    // item that has the control already. An id with no control is skipped (FALSE).
    BOOL SetResize(UINT nID, float fLeft, float fTop, float fRight, float fBottom);
    void SavePlacement(LPCTSTR lpszSection);

    virtual void Init();   // (re)starts the layout from the current client size
    virtual void Resize(); // moves every item for the current client size
    virtual void AdjustResizeRect(CSize& /*szClient*/) {}
    virtual BOOL MoveItem(CVkResizeItem* pItem, HDWP& hdwp, int dx, int dy);

    void GetMinMaxInfo(MINMAXINFO* pMMI) const;
    void RemoveAllItems();

    CWnd* m_pOwner;
    int m_nResizeFlags;
    CSize m_szLast, m_szInit, m_szMin, m_szMax;
    CString m_strSection;
    CVkSizeIcon m_scSizeIcon;
    CArray<CVkResizeItem*, CVkResizeItem*> m_arrItems;

protected:
    CVkResizeItem* FindItem(HWND hWnd) const;
    void CreateSizeIcon(const CRect& rcClient);
};

class CVkResizeDialog : public CDialog, public CVkResize
{
public:
    CVkResizeDialog();
    explicit CVkResizeDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr, int nFlags = 0);

    BOOL OnInitDialog() override;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* pMMI);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
