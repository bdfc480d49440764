// The nodes of the docking tree: the node base every pane and container shares, the base of the
// containers (an ordered child list), the client container that stands for the frame's view,
// the caption buttons of the containers that draw a caption, and the values the tree, the
// manager and the frame's owner exchange (node kinds, directions, notifications, records).
//
// A node is always the second base of a framework object and is owned by its layout's list of
// all nodes; parent, child, holder and site links are plain non-owning pointers.
#pragma once

#include <windows.h>

#include "platform/framework/CmdTarget.h"
#include "platform/framework/Collections.h"
#include "platform/framework/Geometry.h"
#include "platform/framework/Wnd.h"
#include "toolkit/docking/DockingResources.h"

class CQorDockingPane;
class CQorDockingPaneBase;
class CQorDockingPaneLayout;
class CQorDockingPaneManager;
class CQorDockingPaneCaptionButton;

// Node kinds.
enum QorDockingPaneType {
    qorDockingPaneTypePane = 0,
    qorDockingPaneTypeTabbed = 1,
    qorDockingPaneTypeSplitter = 2,
    qorDockingPaneTypeMiniWnd = 3,
    qorDockingPaneTypeClient = 4,
    qorDockingPaneTypeAutoHidePanel = 5,
};

// Docking directions; 4 answers "floating" where a position is asked.
enum QorDockingDirection {
    qorDockLeft = 0,
    qorDockRight = 1,
    qorDockTop = 2,
    qorDockBottom = 3,
    qorDockFloating = 4,
};

// Pane options (OR-ed with the manager's default options wherever they are tested).
enum QorDockingPaneOptions {
    qorPaneNoCloseable = 0x1,
    qorPaneNoHideable = 0x2,
    qorPaneNoFloatable = 0x4,
    qorPaneNoCaption = 0x8,
    qorPaneHasMenuButton = 0x10,
    qorPaneNoDockable = 0x20,
};

// Pane enabled flags.
enum QorDockingPaneEnabled {
    qorPaneEnableClient = 0x1,  // the child window and the tab are enabled
    qorPaneEnableActions = 0x2, // docking actions allowed, caption buttons react
};

// The owner notification: wParam a code below, lParam the data.
#define WM_QOR_DOCKINGPANE_NOTIFY 0x2AAD
// Asked of a pane's child window for its tab colour (0: no preference).
#define WM_QOR_GETTABCOLOR 0x28B9

enum QorDockingPaneNotifyCode {
    qorDpnShowWindow = 1,  // lParam the pane; the owner attaches a window here
    qorDpnRClick = 2,      // lParam the tab group
    qorDpnClosePane = 3,   // lParam the pane; answer -1 keeps it
    qorDpnAction = 4,      // lParam a QOR_DOCKINGPANE_ACTION
    qorDpnContextMenu = 5, // lParam a QOR_DOCKINGPANE_CAPTIONMENU
};

enum QorDockingPaneAction {
    qorActionFloating = 0,
    qorActionFloated = 1,
    qorActionClosing = 2,
    qorActionClosed = 3,
    qorActionDocking = 4,
    qorActionDocked = 5,
    qorActionAttaching = 6,
    qorActionAttached = 7,
    qorActionPinning = 8,
    qorActionPinned = 9,
    qorActionActivated = 14,
    qorActionDeactivated = 15,
    qorActionDetaching = 16,
    qorActionDragging = 17,
    qorActionUnpinning = 18,
    qorActionUnpinned = 19,
};

// The record of notification 4. cancel starts at 1 for a pane whose actions are disabled.
struct QOR_DOCKINGPANE_ACTION
{
    int action;
    BOOL bCancel;
    CQorDockingPane* pPane;
    CQorDockingPaneBase* pTarget;
    int nReserved;
};

// The record of notification 5: the pane and the pressed button's left and bottom on the screen.
struct QOR_DOCKINGPANE_CAPTIONMENU
{
    CQorDockingPane* pPane;
    int x;
    int y;
};

typedef CList<CQorDockingPaneBase*, CQorDockingPaneBase*> CQorDockingPaneBaseList;
typedef CMap<void*, void*, void*, void*> CQorDockingPaneCloneMap; // old node to new node

// One remembered place of a pane.
struct QOR_DOCKINGPANE_INFO
{
    CQorDockingPane* pPane = nullptr;
    CQorDockingPaneBase* pFloatingHolder = nullptr;
    CQorDockingPaneBase* pDockingHolder = nullptr;
    CQorDockingPaneBase* pLastHolder = nullptr;
};
typedef CList<QOR_DOCKINGPANE_INFO, const QOR_DOCKINGPANE_INFO&> CQorDockingPaneInfoList;

// Moves a child window of the site within a layout pass: deferred with the pass's handle when
// it has one (the site's windows then move together), at once otherwise.
void QorMoveSiteWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, const RECT& rc);
// A window's rectangle in its parent's client coordinates.
CRect QorGetRectInParent(HWND hWnd);

// The moves of one parent's child windows in a layout pass, made together in one deferred
// batch. The batch begins with the first move (a pass that moves nothing costs nothing) and is
// applied by Apply or at the end of the object's life.
class CQorDeferredMoves
{
public:
    explicit CQorDeferredMoves(int nHint) : m_nHint(nHint) {}
    ~CQorDeferredMoves() { Apply(); }
    CQorDeferredMoves(const CQorDeferredMoves&) = delete;
    CQorDeferredMoves& operator=(const CQorDeferredMoves&) = delete;

    // Moves the window unless it already stands there; TRUE when it was moved.
    BOOL Move(HWND hWnd, const RECT& rc);
    void Apply();

private:
    HDWP m_hDWP = nullptr;
    int m_nHint;
};

class CQorDockingPaneCaptionButtons : public CArray<CQorDockingPaneCaptionButton*, CQorDockingPaneCaptionButton*>
{
};

class CQorDockingPaneBase
{
public:
    CQorDockingPaneBase(int nType, CQorDockingPaneLayout* pLayout);
    virtual ~CQorDockingPaneBase();
    CQorDockingPaneBase(const CQorDockingPaneBase&) = delete;
    CQorDockingPaneBase& operator=(const CQorDockingPaneBase&) = delete;

    virtual void RedrawPane();
    virtual BOOL ContainsPane(const CQorDockingPaneBase* pPane) const;
    virtual void FindPane(int nType, CQorDockingPaneBaseList* pList);
    virtual void GetMinMaxInfo(MINMAXINFO* pMinMaxInfo) const;
    virtual BOOL IsEmpty() const;
    virtual CWnd* GetDockingSite() const;
    virtual BOOL IsInAutoHidePanel() const;
    virtual HWND GetPaneHwnd() const;
    virtual void OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* lpLayout);
    virtual void OnFocusChanged();
    virtual void SetDockingSite(CWnd* pSite);
    virtual void SetParentContainer(CQorDockingPaneBase* pContainer);
    virtual void OnChildContainerChanged(CQorDockingPaneBase* pChild);
    virtual void OnChildrenChanged(BOOL bShow);
    virtual void OnParentContainerChanged(CQorDockingPaneBase* pParent);
    virtual CQorDockingPaneBase* Clone(CQorDockingPaneLayout* pLayout, CQorDockingPaneCloneMap* pMap);
    virtual void RemovePane(CQorDockingPaneBase* pChild);
    virtual BOOL IsCaptionButtonVisible(const CQorDockingPaneCaptionButton* pButton) const;
    // Releases the owning object.
    virtual void DeletePane() = 0;

    int GetType() const { return m_nType; }
    CQorDockingPaneLayout* GetLayout() const { return m_pLayout; }
    CQorDockingPaneManager* GetDockingPaneManager() const;
    CQorDockingPaneBase* GetContainer() const { return m_pParentContainer; }
    CRect GetPaneWindowRect() const { return m_rcWindow; }
    CQorDockingPaneCaptionButtons* GetCaptionButtons() const { return m_pCaptionButtons; }
    CQorDockingPaneCaptionButton* FindCaptionButton(int nID) const;
    // The node's window rectangle on the screen (its window, else the stored rectangle mapped
    // from the site).
    CRect GetScreenRect() const;

    int m_nDockingCX = 0;
    int m_nDockingCY = 0;
    int m_nLength = 0; // scratch value of the splitter layout
    int m_nIndex = 0;  // serial number in the last saved or loaded layout

protected:
    CQorDockingPaneLayout* m_pLayout;
    CQorDockingPaneBase* m_pParentContainer = nullptr;
    CWnd* m_pDockingSite = nullptr;
    int m_nType;
    CRect m_rcWindow;
    CQorDockingPaneCaptionButtons* m_pCaptionButtons = nullptr;

    friend class CQorDockingPaneLayout;
    friend class CQorDockingPaneManager;
};

class CQorDockingPaneBaseContainer : public CQorDockingPaneBase
{
public:
    CQorDockingPaneBaseContainer(int nType, CQorDockingPaneLayout* pLayout);

    BOOL ContainsPane(const CQorDockingPaneBase* pPane) const override;
    void FindPane(int nType, CQorDockingPaneBaseList* pList) override;
    BOOL IsEmpty() const override;

    const CQorDockingPaneBaseList& GetChildren() const { return m_lstChildren; }
    INT_PTR GetChildCount() const { return m_lstChildren.GetCount(); }
    // The children that are not empty, in order.
    void GetVisibleChildren(CQorDockingPaneBaseList& lst) const;

protected:
    CQorDockingPaneBaseList m_lstChildren;
};

// The frame's client area inside the tree.
class CQorDockingPaneClientContainer : public CCmdTarget, public CQorDockingPaneBase
{
public:
    explicit CQorDockingPaneClientContainer(CQorDockingPaneLayout* pLayout);

    void GetMinMaxInfo(MINMAXINFO* pMinMaxInfo) const override;
    BOOL IsEmpty() const override;
    void DeletePane() override { InternalRelease(); }
};

// A button on a container's caption: close, maximize, restore, auto hide or menu.
class CQorDockingPaneCaptionButton
{
public:
    CQorDockingPaneCaptionButton(int nID, CQorDockingPaneBase* pOwner) : m_nID(nID), m_pOwner(pOwner) {}

    int GetID() const { return m_nID; }
    CQorDockingPaneBase* GetOwner() const { return m_pOwner; }
    CRect GetRect() const { return m_rcButton; }
    void SetRect(const CRect& rc);
    BOOL IsPressed() const { return m_bPressed; }
    BOOL IsHot() const { return m_bHot; }
    void SetPressed(BOOL bPressed) { m_bPressed = bPressed; }
    DWORD GetState() const { return m_dwState; }
    void SetState(DWORD dwState) { m_dwState = dwState; }
    BOOL IsVisible() const { return m_pOwner->IsCaptionButtonVisible(this); }
    BOOL PtInRect(POINT pt) const { return m_rcButton.PtInRect(pt) && IsVisible(); }

    // Presses the button until the mouse comes up: TRUE when released over it. Refused while
    // another window holds the mouse capture. pt is in the window's client coordinates.
    BOOL Click(CWnd* pWnd, CPoint pt, BOOL bClient = TRUE);
    // Hot tracking: TRUE when the point made the button hot.
    BOOL OnMouseMove(CPoint pt);
    // The pane whose caption carries the button (the owner group's selected pane).
    CQorDockingPane* GetCaptionPane() const;

private:
    void RedrawOwner();

    int m_nID;
    CQorDockingPaneBase* m_pOwner;
    CRect m_rcButton;
    BOOL m_bPressed = FALSE;
    BOOL m_bHot = FALSE;
    DWORD m_dwState = 0;
};
