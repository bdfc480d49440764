#include "toolkit/docking/DockingPaneLayout.h"

#include "toolkit/docking/DockingPane.h"
#include "toolkit/docking/DockingPaneManager.h"
#include "toolkit/docking/DockingPaneSplitterContainer.h"
#include "toolkit/docking/DockingPaneSplitterWnd.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"

CQorDockingPaneLayout::CQorDockingPaneLayout(CQorDockingPaneManager* pManager) : m_pManager(pManager)
{
    CQorDockingPaneBase* pClient = pManager->CreateNode(qorDockingPaneTypeClient, this);
    CQorDockingPaneBase* pTop = pManager->CreateNode(qorDockingPaneTypeSplitter, this);
    m_pClient = static_cast<CQorDockingPaneClientContainer*>(pClient);
    m_pTopContainer = static_cast<CQorDockingPaneSplitterContainer*>(pTop);
    if (m_pClient && m_pTopContainer)
        m_pTopContainer->WrapPane(TRUE, pManager->GetSite(), pClient);
}

CQorDockingPaneLayout::~CQorDockingPaneLayout()
{
    Clear();
}

void CQorDockingPaneLayout::Clear()
{
    m_pTopContainer = nullptr;
    m_pClient = nullptr;
    while (!m_lstAllNodes.IsEmpty()) {
        CQorDockingPaneBase* pNode = m_lstAllNodes.RemoveTail();
        pNode->DeletePane();
    }
    m_lstPanes.RemoveAll();
    DestroyMargins();
}

QOR_DOCKINGPANE_INFO* CQorDockingPaneLayout::FindInfo(const CQorDockingPane* pPane)
{
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos;) {
        QOR_DOCKINGPANE_INFO& info = m_lstPanes.GetNext(pos);
        if (info.pPane == pPane)
            return &info;
    }
    return nullptr;
}

HWND CQorDockingPaneLayout::GetMarginStrip(int nSide) const
{
    return nSide >= 0 && nSide < 4 && m_pMargins[nSide] ? m_pMargins[nSide]->GetSafeHwnd() : nullptr;
}

void CQorDockingPaneLayout::DestroyMargins()
{
    for (CQorDockingPaneSplitterWnd*& pStrip : m_pMargins) {
        if (pStrip) {
            pStrip->DestroyWindow();
            delete pStrip;
            pStrip = nullptr;
        }
    }
}

void CQorDockingPaneLayout::LayoutMargins(CWnd* pSite, CRect& rect, AFX_SIZEPARENTPARAMS* lpLayout)
{
    const int m = m_pManager->m_nClientMargin;
    if (lpLayout && lpLayout->hDWP) {
        if (m == 0) {
            DestroyMargins();
        } else {
            const CRect rcStrips[4] = {
                CRect(rect.left, rect.top, rect.left + m, rect.bottom),
                CRect(rect.right - m, rect.top, rect.right, rect.bottom),
                CRect(rect.left + m, rect.top, rect.right - m, rect.top + m),
                CRect(rect.left + m, rect.bottom - m, rect.right - m, rect.bottom),
            };
            for (int i = 0; i < 4; i++) {
                if (!m_pMargins[i]) {
                    m_pMargins[i] = new CQorDockingPaneSplitterWnd();
                    m_pMargins[i]->Create(m_pManager, nullptr, nullptr, nullptr, i >= 2, pSite);
                }
                m_pMargins[i]->MoveWindow(&rcStrips[i], FALSE);
                m_pMargins[i]->Invalidate(FALSE);
            }
        }
    }
    rect.DeflateRect(m, m);
}

void CQorDockingPaneLayout::RecalcLayout(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* lpLayout)
{
    LayoutMargins(pSite, rect, lpLayout);
    if (m_pClient)
        m_pClient->OnSizeParent(pSite, rect, lpLayout);
    if (m_pTopContainer)
        m_pTopContainer->OnSizeParent(pSite, rect, lpLayout);
}

int CQorDockingPaneLayout::GetPaneDirection(const CQorDockingPaneBase* pNode) const
{
    const CQorDockingPaneBase* pChild = pNode;
    while (pChild) {
        if (pChild->GetType() == qorDockingPaneTypeMiniWnd)
            return qorDockFloating;
        CQorDockingPaneBase* pParent = pChild->GetContainer();
        if (pChild->GetType() == qorDockingPaneTypeClient || !pParent)
            return -1;
        if (pParent->GetType() == qorDockingPaneTypeSplitter && pParent->ContainsPane(m_pClient)) {
            const CQorDockingPaneSplitterContainer* pSplitter = static_cast<CQorDockingPaneSplitterContainer*>(pParent);
            BOOL bBefore = FALSE;
            for (POSITION pos = pSplitter->GetChildren().GetHeadPosition(); pos;) {
                CQorDockingPaneBase* pSibling = pSplitter->GetChildren().GetNext(pos);
                if (pSibling == pChild) {
                    bBefore = TRUE;
                    break;
                }
                if (pSibling->ContainsPane(m_pClient))
                    break;
            }
            if (pSplitter->IsHoriz())
                return bBefore ? qorDockLeft : qorDockRight;
            return bBefore ? qorDockTop : qorDockBottom;
        }
        pChild = pParent;
    }
    return -1;
}

void CQorDockingPaneLayout::DeleteNode(CQorDockingPaneBase* pNode)
{
    if (POSITION pos = m_lstAllNodes.Find(pNode))
        m_lstAllNodes.RemoveAt(pos);
    pNode->DeletePane();
}

BOOL CQorDockingPaneLayout::TidyPass()
{
    CQorDockingPaneBaseList lstKept;
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos;) {
        const QOR_DOCKINGPANE_INFO& info = m_lstPanes.GetNext(pos);
        lstKept.AddTail(info.pDockingHolder);
        lstKept.AddTail(info.pFloatingHolder);
        lstKept.AddTail(info.pPane->GetContainer());
    }
    for (POSITION pos = m_lstAllNodes.GetHeadPosition(); pos;) {
        CQorDockingPaneBase* pNode = m_lstAllNodes.GetNext(pos);
        CQorDockingPaneBase* pParent = pNode->GetContainer();
        if (pNode->GetType() == qorDockingPaneTypeTabbed) {
            if (lstKept.Find(pNode))
                continue;
            if (pParent)
                pParent->RemovePane(pNode);
            DeleteNode(pNode);
            return TRUE;
        }
        if (pNode->GetType() != qorDockingPaneTypeSplitter || pNode == m_pTopContainer)
            continue;
        CQorDockingPaneSplitterContainer* pSplitter = static_cast<CQorDockingPaneSplitterContainer*>(pNode);
        if (pSplitter->GetChildCount() == 0) {
            if (pParent)
                pParent->RemovePane(pNode);
            DeleteNode(pNode);
            return TRUE;
        }
        if (pSplitter->GetChildCount() == 1 && pParent && pParent->GetType() == qorDockingPaneTypeSplitter &&
            static_cast<CQorDockingPaneSplitterContainer*>(pParent)->GetChildCount() == 1) {
            CQorDockingPaneBase* pChild = pSplitter->GetChildren().GetHead();
            static_cast<CQorDockingPaneSplitterContainer*>(pParent)->ReplacePane(pNode, pChild);
            DeleteNode(pNode);
            return TRUE;
        }
    }
    return FALSE;
}

void CQorDockingPaneLayout::TidyLayout()
{
    // One change a pass: each deletion changes the list being walked.
    while (TidyPass()) {
    }
}
