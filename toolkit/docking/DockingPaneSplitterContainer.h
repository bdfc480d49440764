// A container that puts its children side by side or stacked and shares its rectangle among
// them by their docking sizes within their track sizes, with a draggable bar between every two
// visible children. The top container of every layout is one.
#pragma once

#include <windows.h>

#include "toolkit/docking/DockingPaneBase.h"

class CQorDockingPaneSplitterWnd;
class CQorDockingPaneTabbedContainer;

class CQorDockingPaneSplitterContainer : public CCmdTarget, public CQorDockingPaneBaseContainer
{
public:
    explicit CQorDockingPaneSplitterContainer(CQorDockingPaneLayout* pLayout);
    ~CQorDockingPaneSplitterContainer() override;

    // Node operations.
    void GetMinMaxInfo(MINMAXINFO* pMinMaxInfo) const override;
    void OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* lpLayout) override;
    void OnChildContainerChanged(CQorDockingPaneBase* pChild) override;
    void OnParentContainerChanged(CQorDockingPaneBase* pParent) override;
    void RemovePane(CQorDockingPaneBase* pChild) override;
    CQorDockingPaneBase* Clone(CQorDockingPaneLayout* pLayout, CQorDockingPaneCloneMap* pMap) override;
    void DeletePane() override { InternalRelease(); }

    // Inserts after the reference (at the end without one) or before it (at the start).
    void InsertPane(CQorDockingPaneBase* pNode, CQorDockingPaneBase* pReference, BOOL bAfter);
    void ReplacePane(CQorDockingPaneBase* pOld, CQorDockingPaneBase* pNode);
    // On a new container: takes the orientation and site and the node as its only child.
    void WrapPane(BOOL bHoriz, CWnd* pSite, CQorDockingPaneBase* pNode);
    void GetTabGroups(CArray<CQorDockingPaneTabbedContainer*, CQorDockingPaneTabbedContainer*>& arrGroups) const;
    BOOL IsHoriz() const { return m_bHoriz; }
    void SetHoriz(BOOL bHoriz) { m_bHoriz = bHoriz; }
    INT_PTR GetSplitterCount() const { return m_lstSpliters.GetCount(); }
    CQorDockingPaneSplitterWnd* GetSplitter(INT_PTR nIndex) const;

    // Shares the rectangle's extent among the nodes (their lengths in m_nLength, negative when
    // fixed at a bound). Stores the stretch child's size when bStore is set.
    static void AdjustLengths(CQorDockingPaneManager* pManager, const CQorDockingPaneBaseList& lstNodes, BOOL bHoriz,
                              BOOL bStore, const CRect& rect, int& nTotal, int& nAvailable);
    // Previews for a drag, in screen coordinates; nothing changes.
    CRect GetInsertRect(int nDirection, CQorDockingPaneBase* pNode, CQorDockingPaneBase* pReference);
    static CRect GetPairRect(CQorDockingPaneManager* pManager, CQorDockingPaneBase* pNode,
                             CQorDockingPaneBase* pReference, int nDirection);

    // Rebuilds the bars between visible children (not while a layout or a bar's drag runs).
    void UpdateSplitters();
    BOOL m_bRecalcLayout = FALSE; // a layout pass runs
    int m_nLockSplitters = 0;     // a bar of this container is being dragged

private:
    // Walks the visible nodes, giving each its part of the rectangle; the bars take the strips
    // between. With bMove the nodes and bars are placed, else only pNode's rectangle is answered.
    static CRect PlaceNodes(CQorDockingPaneManager* pManager, const CQorDockingPaneBaseList& lstNodes, BOOL bHoriz,
                            CRect rect, CWnd* pSite, AFX_SIZEPARENTPARAMS* lpLayout,
                            CQorDockingPaneSplitterContainer* pBars, CQorDockingPaneBase* pNode);
    void DestroySplitters();

    CList<CQorDockingPaneSplitterWnd*, CQorDockingPaneSplitterWnd*> m_lstSpliters;
    BOOL m_bHoriz = TRUE;
};
