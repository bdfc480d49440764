// The window-less model of one row of tabs: the ordered tabs, the selected, hot and pressed
// tab, the scroll offset and the row's rectangles. The owner window forwards mouse, key and
// tool-tip requests to it; geometry and drawing belong to the row's paint manager.
//
// CQorTabManager is meant to be a second base of window classes, so it has no framework base
// and no member whose name clashes with CWnd's.
#pragma once

#include <windows.h>

#include "platform/framework/Collections.h"
#include "platform/framework/Geometry.h"
#include "platform/framework/Strings.h"
#include "toolkit/tabs/TabManagerItem.h"
#include "toolkit/tabs/TabPaintManager.h"

class CDC;
class CWnd;
class CQorTabManagerNavigateButton;

// What a paint manager keeps a list of. A row remembers the paint manager it was entered in and
// leaves that list when it is destroyed, so a later change of look never reaches a freed row.
class CQorTabManagerAtom
{
public:
    CQorTabManagerAtom() = default;
    CQorTabManagerAtom(const CQorTabManagerAtom&) = delete;
    CQorTabManagerAtom& operator=(const CQorTabManagerAtom&) = delete;

    virtual void OnPropertyChanged() { Reposition(); }
    virtual void Reposition() = 0;
    virtual ~CQorTabManagerAtom();

    // Kept by CQorTabPaintManager::AddRow and RemoveRow.
    void AttachPaintManager(CQorTabPaintManager* pPaintManager) { m_pServingPaintManager = pPaintManager; }
    void DetachPaintManager(CQorTabPaintManager* pPaintManager);
    // The paint manager whose list holds this row, or null.
    CQorTabPaintManager* GetServingPaintManager() const { return m_pServingPaintManager; }

private:
    CQorTabPaintManager* m_pServingPaintManager = nullptr;
};

class CQorTabManager : public CQorTabManagerAtom
{
public:
    enum { scrollStep = 20, tabColorFirst = 0x1000000, tabColorCount = 8 };

    // The navigate buttons (TabManagerNavigateButton.h).
    class CNavigateButtonArrow;
    class CNavigateButtonArrowLeft;
    class CNavigateButtonArrowRight;
    class CNavigateButtonClose;
    class CNavigateButtonTabClose;

    CQorTabManager();
    ~CQorTabManager() override;

    virtual CString GetItemCaption(const CQorTabManagerItem* pItem) const;
    virtual HICON GetItemIcon(const CQorTabManagerItem* pItem) const;
    virtual COLORREF GetItemColor(const CQorTabManagerItem* pItem) const;
    virtual CString GetItemTooltip(const CQorTabManagerItem* pItem) const;
    virtual void RefreshIndexes();
    virtual void SetSelectedItem(CQorTabManagerItem* pItem);
    virtual void SelectItem(CQorTabManagerItem* pItem);
    virtual void GetItemMetrics(CSize* pSize, CSize* pMin, CSize* pMax) const;
    virtual CQorTabPaintManager* GetPaintManager() const = 0;
    virtual void OnItemsChanged() {}
    virtual void RedrawControl(LPCRECT lpRect, BOOL bAnimate) = 0;
    virtual BOOL IsAllowReorder() const { return m_bAllowReorder; }
    virtual void SetAllowReorder(BOOL bAllowReorder) { m_bAllowReorder = bAllowReorder; }
    virtual BOOL IsDrawStaticFrame() const;
    virtual BOOL DrawItemImage(CDC* pDC, CPoint pt, CQorTabManagerItem* pItem, BOOL bDraw, CSize* pSize) = 0;
    virtual QorTabPosition GetPosition() const;
    virtual void OnScroll(BOOL bRight);
    virtual BOOL PerformKeyDown(HWND hWnd, UINT nChar);
    virtual BOOL DrawParentBackground(CDC* pDC, LPCRECT lpRect);
    virtual void OnItemClick(CQorTabManagerItem* pItem) { SetSelectedItem(pItem); }
    virtual BOOL OnBeforeItemClick(CQorTabManagerItem* pItem);
    // Drags the tab along the row, trading places with the tabs it passes; it ends selected.
    virtual void TrackItemDrag(HWND hWnd, CPoint pt, CQorTabManagerItem* pItem);
    virtual void OnNavigateButtonClick(UINT nID) {}
    // A navigate button was clicked: calls the id's handler (a tab's close button: GetItem()).
    virtual void OnNavigateButtonClick(CQorTabManagerNavigateButton* pButton);
    // TRUE, but for the close button: whether the selected tab may be closed.
    virtual BOOL IsNavigateButtonEnabled(CQorTabManagerNavigateButton* pButton);
    // The owner's tool hit test: a navigate button's tip, or a tab's tip (by the paint manager's
    // tool-tip mode) with the caption as title. The tool's index, or -1.
    virtual INT_PTR PerformToolHitTest(CWnd* pWnd, CPoint pt, TOOLINFOW* pTI);
    virtual BOOL IsMouseLocked() const { return FALSE; }
    virtual BOOL HasFocus() const { return FALSE; }
    virtual INT_PTR OnOwnerHook() { return 0; }

    // The owner's mouse handlers: a press on a navigate button presses it; a press on a tab
    // selects, drags or tracks it; a move tracks the hot tab and button. Points are in the
    // window's client coordinates.
    BOOL PerformClick(HWND hWnd, CPoint pt, BOOL bButtonsOnly = FALSE);
    void PerformMouseMove(HWND hWnd, CPoint pt);

    // The eight tab colours an inserted tab takes in turn.
    static COLORREF GetTabItemColor(int nIndex);

    // A negative index, or one beyond the count, appends. A null item makes a plain tab.
    CQorTabManagerItem* InsertItem(int nIndex, CQorTabManagerItem* pItem = nullptr);
    BOOL DeleteItem(int nIndex);
    void DeleteAllItems();

    int GetItemCount() const { return static_cast<int>(m_arrItems.GetSize()); }
    CQorTabManagerItem* GetItem(int nIndex) const { return m_arrItems[nIndex]; }
    // The tab's position in the row, -1 when it is not (or no longer) in it.
    int FindIndex(const CQorTabManagerItem* pItem) const;
    CQorTabManagerItem* GetSelectedItem() const { return m_pSelected; }
    CQorTabManagerItem* GetHotItem() const { return m_pHighlighted; }
    CQorTabManagerItem* GetPressedItem() const { return m_pPressed; }
    void SetHotItem(CQorTabManagerItem* pItem) { m_pHighlighted = pItem; }
    void SetPressedItem(CQorTabManagerItem* pItem) { m_pPressed = pItem; }

    // The row's buttons: scroll left (id 0), scroll right (1), close (2), in this order.
    INT_PTR GetNavigateButtonCount() const { return m_arrNavigateButtons.GetSize(); }
    CQorTabManagerNavigateButton* GetNavigateButton(INT_PTR nIndex) const { return m_arrNavigateButtons[nIndex]; }
    // The row's button with the id; raises CInvalidArgException when there is none.
    CQorTabManagerNavigateButton* FindNavigateButton(UINT nID) const;
    // The row's buttons, then the buttons of the tab under the point: the first that holds the
    // point, null when that one is disabled. pnIndex gets its position in its array.
    CQorTabManagerNavigateButton* HitTestNavigateButton(CPoint pt, int* pnIndex = nullptr) const;
    CQorTabManagerNavigateButton* GetHotNavigateButton() const { return m_pHighlightedButton; }
    void SetHotNavigateButton(CQorTabManagerNavigateButton* pButton) { m_pHighlightedButton = pButton; }
    // Close buttons on the tabs: 0 none, 1 on the selected tab, 2 on every tab. Tabs inserted
    // from now on get one; the tabs already in the row follow too.
    int GetCloseButtonMode() const { return m_nCloseButtonMode; }
    void SetCloseButtonMode(int nMode);

    BOOL IsHorizontal() const;
    int GetItemsLength() const;
    int GetScrollOffset() const { return m_nScrollOffset; }
    void SetScrollOffset(int nOffset);
    void EnsureVisible(CQorTabManagerItem* pItem);
    CQorTabManagerItem* HitTest(CPoint pt) const;

    // The rows of a multi-row layout, each the first and last index of its tabs; one row
    // holding every tab until a multi-row layout fills it.
    struct ROW_ITEMS
    {
        int nFirst;
        int nLast;
    };
    int GetRowCount() const { return static_cast<int>(m_arrRowItems.GetSize()); }
    const ROW_ITEMS& GetRowItems(int nRow) const { return m_arrRowItems[nRow]; }
    void ResetRows();

    BOOL IsActive() const { return m_bActive; }
    void SetActive(BOOL bActive) { m_bActive = bActive; }

    CRect m_rcHeaderRect;
    CRect m_rcControl;
    CRect m_rcClient;

    int m_nScrollOffset = 0; // <= 0; the painter pulls a scrolled row back when it lays it out

protected:
    // Lets go of a tab the row no longer holds.
    void ReleaseItem(CQorTabManagerItem* pItem);
    CQorTabManagerItem* StepItem(int nFrom, int nDirection) const;
    // Presses the tab until the button comes up: a click when released over it.
    void TrackClick(HWND hWnd, CPoint pt, CQorTabManagerItem* pItem);
    void RedrawItem(CQorTabManagerItem* pItem, BOOL bAnimate);

    CQorTabManagerItem* m_pSelected = nullptr;
    CQorTabManagerItem* m_pHighlighted = nullptr;
    CQorTabManagerItem* m_pPressed = nullptr;
    CQorTabManagerNavigateButton* m_pHighlightedButton = nullptr;
    BOOL m_bAllowReorder = TRUE;
    BOOL m_bActive = TRUE;
    int m_nCloseButtonMode = 0;
    CArray<CQorTabManagerItem*, CQorTabManagerItem*> m_arrItems;
    CArray<CQorTabManagerNavigateButton*, CQorTabManagerNavigateButton*> m_arrNavigateButtons;
    CArray<ROW_ITEMS, const ROW_ITEMS&> m_arrRowItems;

    friend class CQorTabPaintManager; // fills the row table in the multi-row layout
};
