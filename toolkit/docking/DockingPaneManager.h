// The one object through which a frame gets docking panes: a hidden child window of the frame
// (id 0) that owns the layout and the paint manager, keeps the settings every node reads,
// takes part in the frame's layout pass (the view gets what the tree leaves), tracks the active
// pane and tells its owner what happens to panes through WM_QOR_DOCKINGPANE_NOTIFY. The docking
// operations are in DockingPaneOperations.cpp.
#pragma once

#include <windows.h>

#include "platform/framework/Wnd.h"
#include "toolkit/docking/DockingPaneBase.h"
#include "toolkit/foundation/Accessible.h"

class CQorDockingPanePaintManager;
class CQorDockingPaneSplitterContainer;
class CQorDockingPaneTabbedContainer;
class CQorImageManager;
class CQorToolTipContext;

// An icon for a pane. The call destroys what the record owns (icon and bitmap with bOwns, the
// extra bitmap always) and clears each handle it destroyed.
struct QOR_DOCKINGPANE_ICON
{
    HICON hIcon = nullptr;
    HBITMAP hBitmap = nullptr;
    HBITMAP hExtraBitmap = nullptr;
    BOOL bOwns = FALSE;
};

class CQorDockingPaneManager : public CWnd, public CQorAccessible
{
public:
    CQorDockingPaneManager();
    ~CQorDockingPaneManager() override;

    BOOL InstallDockingPanes(CWnd* pSite);
    void SetTheme(int nTheme);
    int GetCurrentTheme() const;
    void SetPaneIcon(int nID, QOR_DOCKINGPANE_ICON& icon);
    CQorDockingPaneSplitterContainer* GetTopContainer() const;
    CQorDockingPaneLayout* GetLayout() const { return m_pLayout; }
    CQorDockingPanePaintManager* GetPaintManager() const { return m_pPaintManager; }
    CQorImageManager* GetImageManager() const { return m_pImageManager; }
    // Shows the tips of every group's caption buttons and tabs.
    CQorToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }
    CWnd* GetSite() const { return m_pSite; }
    void RecalcLayout(CQorDockingPaneBase* pNode = nullptr, BOOL bDelay = FALSE);
    void RedrawPanes();
    void CheckFocus();
    BOOL CyclePanes(BOOL bForward);
    void ShowPaneMenu(CQorDockingPane* pPane);
    CQorDockingPane* GetActivePane() const { return m_pActivePane; }
    HRESULT GetOleInitResult() const { return m_hrOleInit; }
    BOOL IsLayoutDone() const { return m_bLayoutDone; }
    // During the manager's layout pass: takes the group's panes to be placed once the groups
    // stand where the pass put them (TRUE), else FALSE (the group places them at once).
    BOOL DeferPanePlacement(CQorDockingPaneTabbedContainer* pGroup);
    // During the manager's layout pass: takes a rectangle of the site to repaint (with the
    // windows in it) once the pass's moves are made (TRUE), else FALSE.
    BOOL DeferRepaint(const CRect& rcSite);

    virtual CQorDockingPaneLayout* CreateLayout();
    virtual int NotifyOwner(int nCode, LPARAM lParam);
    virtual CQorDockingPaneBase* CreateNode(int nType, CQorDockingPaneLayout* pLayout);
    virtual void SetActivePane(BOOL bActive, CQorDockingPane* pPane);
    // Raises an action record (code 4); TRUE when the receiver cancelled it.
    BOOL NotifyAction(int nAction, CQorDockingPane* pPane, CQorDockingPaneBase* pTarget = nullptr);

    // Docking operations.
    CQorDockingPane* CreatePane(int nID, CRect rc, int nDirection, CQorDockingPaneBase* pNeighbour = nullptr);
    // Both answer FALSE and change nothing when the node cannot go there: a direction outside
    // left, right, top and bottom, a neighbour inside the node or outside any shown splitter,
    // a node holding the client. A pane docked elsewhere leaves its old group first.
    BOOL DockPane(CQorDockingPaneBase* pNeighbour, int nDirection, CQorDockingPaneBase* pNode);
    BOOL MovePane(CQorDockingPaneBase* pNode, int nDirection, CQorDockingPaneBase* pNeighbour);
    void AttachPane(CQorDockingPaneBase* pNeighbour, CQorDockingPaneBase* pNode);
    void ShowPane(CQorDockingPane* pPane, BOOL bSetFocus = TRUE);
    void ShowPaneById(int nID);
    void ClosePaneById(int nID);
    void BringPaneToFront(CQorDockingPaneBase* pNode);
    void SyncPaneHolders();
    CQorDockingPaneBase* GetHolder(CQorDockingPane* pPane, BOOL bFloating);
    CQorDockingPane* FindPane(int nID) const;

    // A one-line picture of the tree: kinds, orientation, ids, the selection and, with
    // bRects, each node's rectangle. S(h)/S(v) splitter, G(...) tab group, C client.
    CString DumpLayout(BOOL bRects = FALSE) const;

    // Settings.
    int m_nSplitterGap = 22;
    BOOL m_bCloseGroupOnButtonClick = FALSE;
    BOOL m_bHideGroupOnButtonClick = TRUE;
    BOOL m_bShowSizeCursorWhileDragging = FALSE;
    CSize m_szClientMinimum = CSize(60, 60);
    int m_nClientMargin = 0;
    BOOL m_bHideClient = FALSE;
    BOOL m_bShowContentsWhileDragging = FALSE;
    BOOL m_bSplitterTracker = TRUE; // outline sizing
    BOOL m_bShowMaximizeButton = FALSE;
    BOOL m_bLockSplitters = FALSE;
    BOOL m_bKeyboardHook = FALSE;
    DWORD m_dwDefaultPaneOptions = 0;
    int m_nCaptionDirection = 0;
    BOOL m_bAlphaDockingContext = FALSE;
    BOOL m_bShowDockingContextStickers = FALSE;
    CString m_strMove;

    // Accessibility.
    HRESULT GetAccessibleParent(IDispatch** ppdispParent) override;
    HRESULT GetAccessibleChildCount(long* pcountChildren) override;
    HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    CCmdTarget* GetAccessibleOuterObject() override { return this; }

    // Test seam: the menu ShowPaneMenu tracks is answered by this instead of TrackPopupMenu
    // (null: the real menu). Receives the menu handle; answers the chosen command.
    static void SetTrackMenuForTest(UINT (*pfnTrack)(HMENU hMenu, CPoint pt));

protected:
    void AppendNodeDump(CString& str, const CQorDockingPaneBase* pNode, BOOL bRects) const;
    CQorDockingPaneBase* WrapInGroup(CQorDockingPane* pPane, CWnd* pSite);
    // The place a node docked beside the neighbour goes: the neighbour as docking uses it (the
    // top container for none) and the splitter that takes the node (none: the top container's
    // edge). FALSE when no splitter of a shown tree can take it.
    BOOL FindDockingPlace(CQorDockingPaneBase*& pNeighbour, CQorDockingPaneSplitterContainer*& pContainer) const;
    BOOL CanDockBeside(const CQorDockingPaneBase* pNode, const CQorDockingPaneBase* pNeighbour) const;

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitialUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
    DECLARE_INTERFACE_MAP()

    CWnd* m_pSite = nullptr;
    CQorDockingPaneLayout* m_pLayout = nullptr;
    CQorDockingPanePaintManager* m_pPaintManager = nullptr;
    CQorDockingPane* m_pActivePane = nullptr;
    CQorImageManager* m_pImageManager = nullptr;
    CQorToolTipContext* m_pToolTipContext = nullptr;
    HWND m_hwndLastFocus = nullptr;
    BOOL m_bAttachingPane = FALSE;
    BOOL m_bLayoutDone = FALSE;
    BOOL m_bInitialUpdateCalled = FALSE;
    HRESULT m_hrOleInit = E_FAIL;
    BOOL m_bCollectPanePlacement = FALSE;
    CArray<CQorDockingPaneTabbedContainer*, CQorDockingPaneTabbedContainer*> m_arrPendingGroups;
    CArray<CRect, const CRect&> m_arrPendingRepaint;

    friend class CQorDockingPane;
};

// The manager a node belongs to, through its layout.
CQorDockingPaneManager* QorGetNodeManager(const CQorDockingPaneBase* pNode);
