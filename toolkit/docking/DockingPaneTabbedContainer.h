// A tab group: the window that holds one or more panes, shows the selected one in its client
// area under a caption with the caption buttons, and offers a tab row (the tab-row model as a
// second base) to choose among them. Clicking a tab selects it, dragging reorders the tabs.
#pragma once

#include <windows.h>

#include "platform/framework/OleDropTarget.h"
#include "platform/framework/Wnd.h"
#include "toolkit/docking/DockingPaneBase.h"
#include "toolkit/foundation/Accessible.h"
#include "toolkit/tabs/TabManager.h"

class CQorDockingPaneTabbedContainer : public CWnd,
                                       public CQorDockingPaneBaseContainer,
                                       public CQorTabManager,
                                       public CQorAccessible
{
public:
    // Selects the tab under the cursor while an OLE drag passes; never accepts a drop.
    class CContainerDropTarget : public COleDropTarget
    {
    public:
        explicit CContainerDropTarget(CQorDockingPaneTabbedContainer* pContainer) : m_pContainer(pContainer) {}
        DROPEFFECT OnDragEnter(CWnd* pWnd, IDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
        DROPEFFECT OnDragOver(CWnd* pWnd, IDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;

    private:
        CQorDockingPaneTabbedContainer* m_pContainer;
    };

    explicit CQorDockingPaneTabbedContainer(CQorDockingPaneLayout* pLayout);
    ~CQorDockingPaneTabbedContainer() override;

    // Node operations.
    HWND GetPaneHwnd() const override { return m_hWnd; }
    BOOL IsInAutoHidePanel() const override;
    void SetDockingSite(CWnd* pSite) override;
    void OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* lpLayout) override;
    void OnFocusChanged() override;
    void OnChildrenChanged(BOOL bShow) override;
    void OnParentContainerChanged(CQorDockingPaneBase* pParent) override;
    void GetMinMaxInfo(MINMAXINFO* pMinMaxInfo) const override;
    void RemovePane(CQorDockingPaneBase* pPane) override;
    BOOL IsCaptionButtonVisible(const CQorDockingPaneCaptionButton* pButton) const override;
    CQorDockingPaneBase* Clone(CQorDockingPaneLayout* pLayout, CQorDockingPaneCloneMap* pMap) override;
    void RedrawPane() override;
    void DeletePane() override { InternalRelease(); }

    // Group operations.
    virtual void SelectPane(CQorDockingPane* pPane, BOOL bSetFocus = TRUE, BOOL bDelayRecalc = TRUE);
    virtual BOOL IsCaptionVertical() const;
    virtual BOOL IsTabsVisible() const;
    virtual void OnCaptionLButtonDown(CPoint ptScreen);
    virtual BOOL HitTestCaptionArea(CRect& rc, CPoint ptScreen) const;
    virtual void OnCaptionButtonClick(CQorDockingPaneCaptionButton* pButton);
    virtual void Copy(CQorDockingPaneTabbedContainer* pSource, CQorDockingPaneCloneMap* pMap, DWORD dwIgnoredOptions);
    virtual void UpdateTabs();
    // Rebuilds the tabs only when they no longer match the panes; TRUE when it did.
    BOOL UpdateTabsIfChanged();
    // The next layout pass redoes the group's place, tab row and panes in full.
    void SetRepositionNeeded() { m_bForceRepos = TRUE; }
    // Places the panes' windows in the client area the last layout pass gave the group.
    void PlacePendingPanes();

    void AddPane(CQorDockingPane* pPane, BOOL bSetFocus = TRUE);
    void FillFromPane(CWnd* pSite, CQorDockingPane* pPane);
    CString GetCaptionTitle() const;
    CQorDockingPane* GetSelected() const { return m_pSelectedPane; }
    CQorDockingPane* GetPaneAt(INT_PTR nIndex) const;
    BOOL CanMaximize() const;
    BOOL IsSiblingMaximized() const;
    BOOL IsMaximized() const { return m_bMaximized; }
    void Maximize();
    void Restore();
    void ShowPaneInGroup(CQorDockingPane* pPane, BOOL bSetFocus);
    void ShowSelectedPane();
    BOOL IsActive() const { return m_bActive; }
    BOOL IsCaptionShown() const;
    // -2 the caption, a tab index, or -1.
    int HitTestPoint(CPoint pt) const;
    CContainerDropTarget* GetDropTarget() const { return m_pDropTarget; }

    // Tab-row model.
    CQorTabPaintManager* GetPaintManager() const override;
    void RedrawControl(LPCRECT lpRect, BOOL bAnimate) override;
    BOOL DrawItemImage(CDC* pDC, CPoint pt, CQorTabManagerItem* pItem, BOOL bDraw, CSize* pSize) override;
    void Reposition() override;

    // Tool tips: a child window's own, then a caption button ("Close", ...; its id), then the
    // tab row's navigate buttons and tabs.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    // Accessibility.
    HRESULT GetAccessibleParent(IDispatch** ppdispParent) override;
    HRESULT GetAccessibleChildCount(long* pcountChildren) override;
    // Child 1: the selected pane's window; child n >= 2: the pane of tab n - 2.
    HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    // The caption: the group itself; a tab: its pane; elsewhere inside: the selected pane's window.
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    CCmdTarget* GetAccessibleOuterObject() override { return this; }

protected:
    // Every message passes the manager's tool-tip context first.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL CreateContainerWindow();
    void ShowPanes(AFX_SIZEPARENTPARAMS* lpLayout, const CRect& rcClient);
    void NotifySelectionChanged(BOOL bDelayRecalc);
    void TrackTabDrag(CQorDockingPane* pPane);
    void OnTabDragMove(CPoint pt);
    void UpdateButtonsHot(CPoint pt);
    void TakeFocus();
    CQorDockingPaneCaptionButton* HitTestCaptionButton(CPoint pt) const;
    // The accessible object of the selected pane's window (a reference for the caller), or null.
    IDispatch* SelectedWindowDispatch();
    int FindPaneIndex(const CQorDockingPane* pPane) const;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNcDestroy();
    DECLARE_MESSAGE_MAP()
    DECLARE_INTERFACE_MAP()

    BOOL m_bActive = FALSE;
    BOOL m_bShowCaption = TRUE;
    int m_nLockUpdate = 0;
    BOOL m_bForceRepos = FALSE;
    CQorDockingPane* m_pSelectedPane = nullptr;
    CQorDockingPane* m_pTrackingPane = nullptr;
    CArray<CRect, const CRect&> m_arrTabRects;
    CContainerDropTarget* m_pDropTarget;
    BOOL m_bMaximized = FALSE;
    CQorDockingPane* m_pShownPane = nullptr;       // the selected pane the owner last heard of
    CSize m_szRowLayout;                          // the size the tab row was last laid out for
    CQorTabPaintManager* m_pRowPainter = nullptr; // the painter the tabs were last made for
    CRect m_rcPendingClient;                      // the client area of the last layout pass
};
