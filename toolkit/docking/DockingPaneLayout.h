// The whole docking state of one manager: every node (owned through the list of all nodes),
// the pane records with their remembered holders, the top and client containers and the
// margin strips. It lays the tree out in the frame's client area, tells on which side of the
// client a node is docked, and tidies the tree after docking operations. A detached layout
// (any but the manager's live one) creates no windows.
#pragma once

#include <windows.h>

#include "platform/framework/CmdTarget.h"
#include "toolkit/docking/DockingPaneBase.h"

class CQorDockingPaneSplitterContainer;
class CQorDockingPaneClientContainer;
class CQorDockingPaneSplitterWnd;

class CQorDockingPaneLayout : public CCmdTarget
{
public:
    explicit CQorDockingPaneLayout(CQorDockingPaneManager* pManager);
    ~CQorDockingPaneLayout() override;

    // Deletes every node (from the last made), empties the records and drops the margin strips.
    void Clear();
    // The layout pass: margin strips, the client, then the tree around it. The client's final
    // rectangle goes into the parameters, which is where the frame puts its view.
    void RecalcLayout(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* lpLayout);
    // 0-3 the side of the client the node is docked on, 4 floating, -1 none.
    int GetPaneDirection(const CQorDockingPaneBase* pNode) const;
    // Deletes groups nobody remembers, splitters without children and splitters that only
    // wrap one splitter's only child, until nothing changes.
    void TidyLayout();

    BOOL IsUserLayout() const { return m_bUserLayout; }
    void SetUserLayout(BOOL bUserLayout) { m_bUserLayout = bUserLayout; }
    CQorDockingPaneManager* GetManager() const { return m_pManager; }
    CQorDockingPaneSplitterContainer* GetTopContainer() const { return m_pTopContainer; }
    void SetTopContainer(CQorDockingPaneSplitterContainer* pTop) { m_pTopContainer = pTop; }
    CQorDockingPaneClientContainer* GetClientContainer() const { return m_pClient; }
    CQorDockingPaneInfoList& GetPaneList() { return m_lstPanes; }
    const CQorDockingPaneBaseList& GetAllNodes() const { return m_lstAllNodes; }
    QOR_DOCKINGPANE_INFO* FindInfo(const CQorDockingPane* pPane);
    HWND GetMarginStrip(int nSide) const;

    // Entered by the node base's constructor.
    void AddNode(CQorDockingPaneBase* pNode) { m_lstAllNodes.AddTail(pNode); }

private:
    void LayoutMargins(CWnd* pSite, CRect& rect, AFX_SIZEPARENTPARAMS* lpLayout);
    void DestroyMargins();
    BOOL TidyPass();
    void DeleteNode(CQorDockingPaneBase* pNode);

    CQorDockingPaneSplitterContainer* m_pTopContainer = nullptr;
    CQorDockingPaneClientContainer* m_pClient = nullptr;
    CQorDockingPaneInfoList m_lstPanes;
    CQorDockingPaneBaseList m_lstAllNodes;
    CQorDockingPaneSplitterWnd* m_pMargins[4] = {};
    BOOL m_bUserLayout = TRUE; // detached until the manager takes it as its live layout
    CQorDockingPaneManager* m_pManager;
};
