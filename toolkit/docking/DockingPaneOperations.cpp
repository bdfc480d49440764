// The manager's operations that change where panes live: create and dock, dock beside a node,
// move, put into another pane's group, show, close, and keep each pane's remembered holders.
#include "toolkit/docking/DockingPane.h"
#include "toolkit/docking/DockingPaneLayout.h"
#include "toolkit/docking/DockingPaneManager.h"
#include "toolkit/docking/DockingPaneSplitterContainer.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"

namespace {

BOOL IsDockingDirection(int nDirection)
{
    return nDirection >= qorDockLeft && nDirection <= qorDockBottom;
}

} // namespace

CQorDockingPane* CQorDockingPaneManager::CreatePane(int nID, CRect rc, int nDirection, CQorDockingPaneBase* pNeighbour)
{
    if (!m_pLayout || !IsDockingDirection(nDirection))
        return nullptr;
    CQorDockingPaneBase* pNode = CreateNode(qorDockingPaneTypePane, m_pLayout);
    if (!pNode)
        return nullptr;
    CQorDockingPane* pPane = static_cast<CQorDockingPane*>(pNode);
    pPane->SetId(nID);
    pPane->m_rcWindow = rc;
    pPane->m_nDockingCX = rc.Width();
    pPane->m_nDockingCY = rc.Height();
    QOR_DOCKINGPANE_INFO info;
    info.pPane = pPane;
    m_pLayout->GetPaneList().AddTail(info);
    DockPane(pNeighbour, nDirection, pPane);
    SyncPaneHolders();
    return pPane;
}

CQorDockingPaneBase* CQorDockingPaneManager::WrapInGroup(CQorDockingPane* pPane, CWnd* pSite)
{
    CQorDockingPaneBase* pNode = CreateNode(qorDockingPaneTypeTabbed, m_pLayout);
    if (!pNode)
        return nullptr;
    static_cast<CQorDockingPaneTabbedContainer*>(pNode)->FillFromPane(pSite, pPane);
    return pNode;
}

BOOL CQorDockingPaneManager::FindDockingPlace(CQorDockingPaneBase*& pNeighbour,
                                              CQorDockingPaneSplitterContainer*& pContainer) const
{
    CQorDockingPaneSplitterContainer* pTop = GetTopContainer();
    pContainer = nullptr;
    if (!pTop)
        return FALSE;
    if (!pNeighbour || (pNeighbour->GetType() == qorDockingPaneTypePane &&
                        (pNeighbour->IsInAutoHidePanel() || !pNeighbour->GetContainer())))
        pNeighbour = pTop;
    if (pNeighbour == pTop)
        return TRUE;
    CQorDockingPaneBase* pParent = pNeighbour->GetContainer();
    if (pParent && pParent->GetType() == qorDockingPaneTypeTabbed) {
        pNeighbour = pParent;
        pParent = pParent->GetContainer();
    }
    if (!pParent || pParent->GetType() != qorDockingPaneTypeSplitter)
        return FALSE;
    // The splitter must hang in a tree that is shown: a branch cut off from it (waiting to be
    // tidied away) would take the node out of sight for good.
    CQorDockingPaneBase* pRoot = pParent;
    while (pRoot->GetContainer())
        pRoot = pRoot->GetContainer();
    if (pRoot != pTop && pRoot->GetType() != qorDockingPaneTypeMiniWnd)
        return FALSE;
    pContainer = static_cast<CQorDockingPaneSplitterContainer*>(pParent);
    return TRUE;
}

BOOL CQorDockingPaneManager::CanDockBeside(const CQorDockingPaneBase* pNode, const CQorDockingPaneBase* pNeighbour) const
{
    // A node never goes beside itself or into its own branch, and the client's branch stays
    // where the frame's view is.
    const CQorDockingPaneBase* pClient = m_pLayout ? m_pLayout->GetClientContainer() : nullptr;
    return !pNode->ContainsPane(pNeighbour) && !(pClient && pNode->ContainsPane(pClient));
}

BOOL CQorDockingPaneManager::DockPane(CQorDockingPaneBase* pNeighbour, int nDirection, CQorDockingPaneBase* pNode)
{
    if (!pNode || !m_pLayout || !IsDockingDirection(nDirection))
        return FALSE;
    // Where the node goes is settled before anything changes: a place that cannot take it
    // leaves the tree (and the node) as they are.
    CQorDockingPaneSplitterContainer* pContainer = nullptr;
    if (!FindDockingPlace(pNeighbour, pContainer) || !CanDockBeside(pNode, pNeighbour))
        return FALSE;
    // A docked container changes places through MovePane, which empties it first.
    if (pNode->GetType() != qorDockingPaneTypePane && pNode->GetContainer())
        return FALSE;
    CQorDockingPaneSplitterContainer* pTop = GetTopContainer();
    const BOOL bHoriz = nDirection == qorDockLeft || nDirection == qorDockRight;
    const BOOL bAfter = nDirection == qorDockRight || nDirection == qorDockBottom;
    CWnd* pSite = pNeighbour->GetDockingSite();

    if (pNode->GetType() == qorDockingPaneTypePane) {
        // A pane lives in one group only: it leaves the old one before it gets its new one.
        if (CQorDockingPaneBase* pOld = pNode->GetContainer())
            pOld->RemovePane(pNode);
        pNode = WrapInGroup(static_cast<CQorDockingPane*>(pNode), pSite);
        if (!pNode)
            return FALSE;
    }

    if (!pContainer) {
        if (pTop->IsHoriz() == bHoriz) {
            pTop->InsertPane(pNode, nullptr, bAfter);
        } else {
            CQorDockingPaneBase* pSplitterNode = CreateNode(qorDockingPaneTypeSplitter, m_pLayout);
            if (!pSplitterNode)
                return FALSE;
            CQorDockingPaneSplitterContainer* pSplitter = static_cast<CQorDockingPaneSplitterContainer*>(pSplitterNode);
            pSplitter->WrapPane(bHoriz, pSite, pTop);
            pSplitter->InsertPane(pNode, nullptr, bAfter);
            m_pLayout->SetTopContainer(pSplitter);
        }
    } else if (pContainer->IsHoriz() == bHoriz) {
        pContainer->InsertPane(pNode, pNeighbour, bAfter);
    } else {
        CQorDockingPaneBase* pSplitterNode = CreateNode(qorDockingPaneTypeSplitter, m_pLayout);
        if (!pSplitterNode)
            return FALSE;
        CQorDockingPaneSplitterContainer* pSplitter = static_cast<CQorDockingPaneSplitterContainer*>(pSplitterNode);
        pContainer->ReplacePane(pNeighbour, pSplitter);
        pSplitter->WrapPane(bHoriz, pSite, pNeighbour);
        pSplitter->InsertPane(pNode, pNeighbour, bAfter);
    }
    RecalcLayout(pNeighbour, TRUE);
    return TRUE;
}

BOOL CQorDockingPaneManager::MovePane(CQorDockingPaneBase* pNode, int nDirection, CQorDockingPaneBase* pNeighbour)
{
    if (!pNode || !m_pLayout || !IsDockingDirection(nDirection))
        return FALSE;
    if (pNode->GetType() == qorDockingPaneTypeSplitter) {
        CQorDockingPaneBaseList lstGroups;
        pNode->FindPane(qorDockingPaneTypeTabbed, &lstGroups);
        if (lstGroups.GetCount() == 1)
            pNode = lstGroups.GetHead();
    }
    // The target is settled while the node is still whole: emptying it first would strand
    // its panes in a group outside the tree when the target turns out to be unusable.
    CQorDockingPaneBase* pPlace = pNeighbour;
    CQorDockingPaneSplitterContainer* pContainer = nullptr;
    if (!FindDockingPlace(pPlace, pContainer) || !CanDockBeside(pNode, pPlace))
        return FALSE;
    if (pNode->GetType() == qorDockingPaneTypePane) {
        if (CQorDockingPaneBase* pOld = pNode->GetContainer())
            pOld->RemovePane(pNode);
    } else {
        pNode = pNode->Clone(m_pLayout, nullptr);
        if (!pNode)
            return FALSE;
    }
    const BOOL bDocked = DockPane(pNeighbour, nDirection, pNode);
    m_pLayout->TidyLayout();
    m_hwndLastFocus = nullptr;
    return bDocked;
}

void CQorDockingPaneManager::AttachPane(CQorDockingPaneBase* pNeighbour, CQorDockingPaneBase* pNode)
{
    if (!pNeighbour || !pNode)
        return;
    if (pNeighbour->GetType() == qorDockingPaneTypePane)
        pNeighbour = pNeighbour->GetContainer();
    if (!pNeighbour || pNeighbour->GetType() != qorDockingPaneTypeTabbed)
        return;
    CQorDockingPaneTabbedContainer* pGroup = static_cast<CQorDockingPaneTabbedContainer*>(pNeighbour);
    CQorDockingPaneBaseList lstPanes;
    if (pNode->GetType() == qorDockingPaneTypePane)
        lstPanes.AddTail(pNode);
    else
        pNode->FindPane(qorDockingPaneTypePane, &lstPanes);
    for (POSITION pos = lstPanes.GetHeadPosition(); pos;) {
        CQorDockingPane* pPane = static_cast<CQorDockingPane*>(lstPanes.GetNext(pos));
        if (CQorDockingPaneBase* pContainer = pPane->GetContainer())
            pContainer->RemovePane(pPane);
        pGroup->AddPane(pPane, TRUE);
    }
    m_hwndLastFocus = nullptr;
}

void CQorDockingPaneManager::ShowPane(CQorDockingPane* pPane, BOOL bSetFocus)
{
    if (!pPane || !m_pLayout)
        return;
    if (pPane->GetContainer()) {
        if (CQorDockingPaneTabbedContainer* pGroup = pPane->GetTabbedContainer())
            pGroup->ShowPaneInGroup(pPane, bSetFocus);
    } else if (QOR_DOCKINGPANE_INFO* pInfo = m_pLayout->FindInfo(pPane)) {
        if (pInfo->pLastHolder && pInfo->pLastHolder->GetType() == qorDockingPaneTypeTabbed)
            static_cast<CQorDockingPaneTabbedContainer*>(pInfo->pLastHolder)->AddPane(pPane, bSetFocus);
    }
    if (m_bLayoutDone) {
        NotifyOwner(qorDpnShowWindow, reinterpret_cast<LPARAM>(pPane));
        if (pPane->GetChild() && ::IsWindow(pPane->GetChild()))
            ::ShowWindow(pPane->GetChild(), SW_SHOW);
    }
    if (bSetFocus)
        pPane->SetFocus();
}

CQorDockingPane* CQorDockingPaneManager::FindPane(int nID) const
{
    if (!m_pLayout)
        return nullptr;
    CQorDockingPaneInfoList& lst = m_pLayout->GetPaneList();
    for (POSITION pos = lst.GetHeadPosition(); pos;) {
        CQorDockingPane* pPane = lst.GetNext(pos).pPane;
        if (pPane->GetId() == nID)
            return pPane;
    }
    return nullptr;
}

void CQorDockingPaneManager::ShowPaneById(int nID)
{
    if (CQorDockingPane* pPane = FindPane(nID))
        ShowPane(pPane, TRUE);
}

void CQorDockingPaneManager::ClosePaneById(int nID)
{
    CQorDockingPane* pPane = FindPane(nID);
    // A closed pane has nothing to leave: no question to the owner, nothing to remove.
    if (!pPane || !pPane->GetContainer())
        return;
    pPane->InternalAddRef();
    if (NotifyOwner(qorDpnClosePane, reinterpret_cast<LPARAM>(pPane)) != -1) {
        if (CQorDockingPaneBase* pContainer = pPane->GetContainer())
            pContainer->RemovePane(pPane);
    }
    pPane->InternalRelease();
}

void CQorDockingPaneManager::BringPaneToFront(CQorDockingPaneBase* pNode)
{
    if (!pNode)
        return;
    if (pNode->GetType() == qorDockingPaneTypePane) {
        ShowPane(static_cast<CQorDockingPane*>(pNode), FALSE);
        pNode = pNode->GetContainer();
    }
    if (pNode && pNode->GetType() == qorDockingPaneTypeTabbed)
        static_cast<CQorDockingPaneTabbedContainer*>(pNode)->ShowSelectedPane();
}

void CQorDockingPaneManager::SyncPaneHolders()
{
    if (!m_pLayout)
        return;
    CQorDockingPaneInfoList& lst = m_pLayout->GetPaneList();
    for (POSITION pos = lst.GetHeadPosition(); pos;) {
        QOR_DOCKINGPANE_INFO& info = lst.GetNext(pos);
        CQorDockingPaneBase* pContainer = info.pPane->GetContainer();
        CWnd* pSite = info.pPane->GetDockingSite();
        if (!pSite || !pContainer || pContainer->IsInAutoHidePanel())
            continue;
        info.pLastHolder = pContainer;
        if (pSite != m_pSite)
            info.pFloatingHolder = pContainer;
        else
            info.pDockingHolder = pContainer;
    }
}

CQorDockingPaneBase* CQorDockingPaneManager::GetHolder(CQorDockingPane* pPane, BOOL bFloating)
{
    QOR_DOCKINGPANE_INFO* pInfo = m_pLayout ? m_pLayout->FindInfo(pPane) : nullptr;
    if (!pInfo)
        return nullptr;
    return bFloating ? pInfo->pFloatingHolder : pInfo->pDockingHolder;
}
