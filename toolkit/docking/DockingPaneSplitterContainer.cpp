#include "toolkit/docking/DockingPaneSplitterContainer.h"

#include "toolkit/docking/DockingPaneLayout.h"
#include "toolkit/docking/DockingPaneManager.h"
#include "toolkit/docking/DockingPanePaintManager.h"
#include "toolkit/docking/DockingPaneSplitterWnd.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"

#include <algorithm>
#include <vector>

namespace {

int SplitterSize(CQorDockingPaneManager* pManager)
{
    return pManager && pManager->GetPaintManager() ? pManager->GetPaintManager()->GetSplitterSize() : 4;
}

struct TrackBounds
{
    int nMin;
    int nMax;
};

TrackBounds GetBounds(const CQorDockingPaneBase* pNode, BOOL bHoriz)
{
    MINMAXINFO mmi;
    pNode->GetMinMaxInfo(&mmi);
    return bHoriz ? TrackBounds{mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x}
                  : TrackBounds{mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y};
}

// length x available / total without overflowing 32 bits on the way.
int ShareOf(int nLength, int nAvailable, int nTotal)
{
    return nTotal == 0 ? 0 : static_cast<int>(static_cast<LONGLONG>(nLength) * nAvailable / nTotal);
}

} // namespace

CQorDockingPaneSplitterContainer::CQorDockingPaneSplitterContainer(CQorDockingPaneLayout* pLayout)
    : CQorDockingPaneBaseContainer(qorDockingPaneTypeSplitter, pLayout)
{}

CQorDockingPaneSplitterContainer::~CQorDockingPaneSplitterContainer()
{
    DestroySplitters();
}

CQorDockingPaneSplitterWnd* CQorDockingPaneSplitterContainer::GetSplitter(INT_PTR nIndex) const
{
    POSITION pos = m_lstSpliters.FindIndex(nIndex);
    return pos ? m_lstSpliters.GetAt(pos) : nullptr;
}

void CQorDockingPaneSplitterContainer::GetMinMaxInfo(MINMAXINFO* pMinMaxInfo) const
{
    CQorDockingPaneBase::GetMinMaxInfo(pMinMaxInfo);
    CQorDockingPaneBaseList lst;
    GetVisibleChildren(lst);
    BOOL bFirst = TRUE;
    for (POSITION pos = lst.GetHeadPosition(); pos;) {
        MINMAXINFO mmi;
        lst.GetNext(pos)->GetMinMaxInfo(&mmi);
        if (bFirst) {
            *pMinMaxInfo = mmi;
            bFirst = FALSE;
            continue;
        }
        LONG& nMinAlong = m_bHoriz ? pMinMaxInfo->ptMinTrackSize.x : pMinMaxInfo->ptMinTrackSize.y;
        LONG& nMaxAlong = m_bHoriz ? pMinMaxInfo->ptMaxTrackSize.x : pMinMaxInfo->ptMaxTrackSize.y;
        LONG& nMinAcross = m_bHoriz ? pMinMaxInfo->ptMinTrackSize.y : pMinMaxInfo->ptMinTrackSize.x;
        LONG& nMaxAcross = m_bHoriz ? pMinMaxInfo->ptMaxTrackSize.y : pMinMaxInfo->ptMaxTrackSize.x;
        nMinAlong += m_bHoriz ? mmi.ptMinTrackSize.x : mmi.ptMinTrackSize.y;
        nMaxAlong += m_bHoriz ? mmi.ptMaxTrackSize.x : mmi.ptMaxTrackSize.y;
        nMinAcross = std::max(nMinAcross, m_bHoriz ? mmi.ptMinTrackSize.y : mmi.ptMinTrackSize.x);
        nMaxAcross = std::min(nMaxAcross, m_bHoriz ? mmi.ptMaxTrackSize.y : mmi.ptMaxTrackSize.x);
    }
    if (lst.GetCount() > 1) {
        LONG nBars = static_cast<LONG>((lst.GetCount() - 1) * SplitterSize(GetDockingPaneManager()));
        (m_bHoriz ? pMinMaxInfo->ptMinTrackSize.x : pMinMaxInfo->ptMinTrackSize.y) += nBars;
        (m_bHoriz ? pMinMaxInfo->ptMaxTrackSize.x : pMinMaxInfo->ptMaxTrackSize.y) += nBars;
    }
}

void CQorDockingPaneSplitterContainer::AdjustLengths(CQorDockingPaneManager* pManager,
                                                     const CQorDockingPaneBaseList& lstNodes, BOOL bHoriz, BOOL bStore,
                                                     const CRect& rect, int& nTotal, int& nAvailable)
{
    const int s = SplitterSize(pManager);
    std::vector<CQorDockingPaneBase*> nodes;
    std::vector<TrackBounds> bounds;
    for (POSITION pos = lstNodes.GetHeadPosition(); pos;) {
        CQorDockingPaneBase* pNode = lstNodes.GetNext(pos);
        TrackBounds b = GetBounds(pNode, bHoriz);
        int nLength = bHoriz ? pNode->m_nDockingCX : pNode->m_nDockingCY;
        nLength = std::max(std::min(nLength, b.nMax), b.nMin);
        pNode->m_nLength = nLength;
        nodes.push_back(pNode);
        bounds.push_back(b);
    }

    CQorDockingPaneBase* pStretch = nullptr;
    CQorDockingPaneBase* pClient = pManager && pManager->GetLayout()
                                       ? static_cast<CQorDockingPaneBase*>(pManager->GetLayout()->GetClientContainer())
                                       : nullptr;
    for (CQorDockingPaneBase* pNode : nodes) {
        if (!pClient || !pNode->ContainsPane(pClient))
            continue;
        if (!pManager->m_bHideClient || (pNode->m_nDockingCX == 0 && pNode->m_nDockingCY == 0)) {
            pStretch = pNode;
            if (bStore)
                pNode->m_nDockingCX = pNode->m_nDockingCY = 0;
            pNode->m_nLength = 0;
        }
        break;
    }

    LONGLONG nSum = 0;
    for (CQorDockingPaneBase* pNode : nodes)
        nSum += pNode->m_nLength;
    nTotal = static_cast<int>(std::min<LONGLONG>(nSum, INT_MAX));
    nAvailable = (bHoriz ? rect.Width() : rect.Height()) - static_cast<int>(nodes.size() - 1) * s;
    if (nodes.empty())
        nAvailable = 0;

    if (pStretch && nTotal < nAvailable) {
        pStretch->m_nLength = nAvailable - nTotal;
        if (bStore)
            (bHoriz ? pStretch->m_nDockingCX : pStretch->m_nDockingCY) = pStretch->m_nLength;
        nTotal = nAvailable;
    }
    if (nAvailable <= 0)
        return;

    // Children whose share falls outside their track sizes are fixed at the bound; the others
    // share what is left, so the pass starts again after every change.
    for (size_t i = 0; i < nodes.size();) {
        CQorDockingPaneBase* pNode = nodes[i];
        int nLength = pNode->m_nLength;
        if (nLength <= 0 || nTotal == 0) {
            i++;
            continue;
        }
        int nShare = ShareOf(nLength, nAvailable, nTotal);
        int nBound;
        if (nShare < bounds[i].nMin)
            nBound = bounds[i].nMin;
        else if (nShare > bounds[i].nMax)
            nBound = bounds[i].nMax;
        else {
            i++;
            continue;
        }
        pNode->m_nLength = -nBound;
        nAvailable -= nBound;
        nTotal -= nLength;
        if (nAvailable < 0) {
            pNode->m_nLength = -(nBound + nAvailable);
            nAvailable = 0;
            return;
        }
        i = 0;
    }
}

CRect CQorDockingPaneSplitterContainer::PlaceNodes(CQorDockingPaneManager* pManager,
                                                   const CQorDockingPaneBaseList& lstNodes, BOOL bHoriz, CRect rect,
                                                   CWnd* pSite, AFX_SIZEPARENTPARAMS* lpLayout,
                                                   CQorDockingPaneSplitterContainer* pBars, CQorDockingPaneBase* pNode)
{
    const int s = SplitterSize(pManager);
    int nTotal = 0, nAvailable = 0;
    AdjustLengths(pManager, lstNodes, bHoriz, pBars != nullptr, rect, nTotal, nAvailable);
    int nPos = bHoriz ? rect.left : rect.top;
    const int nFar = bHoriz ? rect.right : rect.bottom;
    POSITION posBar = pBars ? pBars->m_lstSpliters.GetHeadPosition() : nullptr;
    for (POSITION pos = lstNodes.GetHeadPosition(); pos;) {
        CQorDockingPaneBase* pChild = lstNodes.GetNext(pos);
        int nPart;
        if (pChild->m_nLength < 0) {
            nPart = -pChild->m_nLength;
        } else {
            nPart = ShareOf(pChild->m_nLength, nAvailable, nTotal);
            nTotal -= pChild->m_nLength;
            nAvailable = std::max(0, nAvailable - nPart);
        }
        int nEnd = pos ? nPos + nPart : nFar;
        CRect rcChild = bHoriz ? CRect(nPos, rect.top, nEnd, rect.bottom) : CRect(rect.left, nPos, rect.right, nEnd);
        if (pChild == pNode)
            return rcChild;
        if (pBars)
            pChild->OnSizeParent(pSite, rcChild, lpLayout);
        if (!pos)
            break;
        CRect rcBar =
            bHoriz ? CRect(nEnd, rect.top, nEnd + s, rect.bottom) : CRect(rect.left, nEnd, rect.right, nEnd + s);
        if (posBar && lpLayout && lpLayout->hDWP) {
            CQorDockingPaneSplitterWnd* pBar = pBars->m_lstSpliters.GetNext(posBar);
            CRect rcClipped;
            rcClipped.IntersectRect(&rcBar, &rect);
            // A bar is one flat colour: moving it is all it needs (the system paints what a
            // longer bar uncovers), and a bar that keeps its place is not touched.
            if (QorGetRectInParent(pBar->GetSafeHwnd()) != rcClipped)
                QorMoveSiteWindow(lpLayout, pBar->GetSafeHwnd(), rcClipped);
        }
        nPos = nEnd + s;
    }
    return CRect();
}

void CQorDockingPaneSplitterContainer::OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* lpLayout)
{
    SetDockingSite(pSite);
    m_rcWindow = rect;
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    CQorDockingPaneBaseList lst;
    GetVisibleChildren(lst);
    if (pManager && pManager->m_bHideClient && m_pLayout && m_pLayout->GetClientContainer() &&
        ContainsPane(m_pLayout->GetClientContainer()))
        m_pLayout->GetClientContainer()->OnSizeParent(pSite, CRect(rect.left, rect.top, rect.left, rect.top), lpLayout);
    if (lst.IsEmpty())
        return;
    if (lst.GetCount() == 1) {
        lst.GetHead()->OnSizeParent(pSite, rect, lpLayout);
        return;
    }
    if (m_bRecalcLayout)
        return;
    m_bRecalcLayout = TRUE;
    PlaceNodes(pManager, lst, m_bHoriz, rect, pSite, lpLayout, this, nullptr);
    m_bRecalcLayout = FALSE;
}

void CQorDockingPaneSplitterContainer::OnChildContainerChanged(CQorDockingPaneBase*)
{
    if (m_pParentContainer)
        m_pParentContainer->OnChildContainerChanged(this);
    UpdateSplitters();
    if (CQorDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->RecalcLayout(this, TRUE);
}

void CQorDockingPaneSplitterContainer::OnParentContainerChanged(CQorDockingPaneBase* pParent)
{
    if (pParent)
        m_pDockingSite = pParent->GetDockingSite();
    UpdateSplitters();
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos;)
        m_lstChildren.GetNext(pos)->OnParentContainerChanged(this);
}

void CQorDockingPaneSplitterContainer::RemovePane(CQorDockingPaneBase* pChild)
{
    POSITION pos = m_lstChildren.Find(pChild);
    if (!pos)
        return;
    m_lstChildren.RemoveAt(pos);
    UpdateSplitters();
    if (CQorDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->RecalcLayout(this, TRUE);
    if (m_pParentContainer)
        m_pParentContainer->OnChildContainerChanged(this);
    pChild->SetParentContainer(nullptr);
    if (m_lstChildren.IsEmpty() && m_pParentContainer)
        m_pParentContainer->RemovePane(this);
}

CQorDockingPaneBase* CQorDockingPaneSplitterContainer::Clone(CQorDockingPaneLayout* pLayout,
                                                             CQorDockingPaneCloneMap* pMap)
{
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    CQorDockingPaneBase* pNode = pManager ? pManager->CreateNode(qorDockingPaneTypeSplitter, pLayout) : nullptr;
    if (!pNode)
        return nullptr;
    CQorDockingPaneSplitterContainer* pClone = static_cast<CQorDockingPaneSplitterContainer*>(pNode);
    pClone->m_bHoriz = m_bHoriz;
    pClone->m_pDockingSite = pManager->GetSite();
    pClone->m_nDockingCX = m_nDockingCX;
    pClone->m_nDockingCY = m_nDockingCY;
    pClone->m_rcWindow = m_rcWindow;
    // A snapshot: cloning a child without a map moves its content out of this container.
    CQorDockingPaneBaseList lstChildren;
    lstChildren.AddTail(const_cast<CQorDockingPaneBaseList*>(&m_lstChildren));
    for (POSITION pos = lstChildren.GetHeadPosition(); pos;) {
        CQorDockingPaneBase* pChild = lstChildren.GetNext(pos);
        if (!pMap && pChild->IsEmpty())
            continue;
        if (CQorDockingPaneBase* pChildClone = pChild->Clone(pLayout, pMap))
            pClone->InsertPane(pChildClone, nullptr, TRUE);
    }
    if (pMap)
        pMap->SetAt(this, pNode);
    return pNode;
}

void CQorDockingPaneSplitterContainer::InsertPane(CQorDockingPaneBase* pNode, CQorDockingPaneBase* pReference,
                                                  BOOL bAfter)
{
    POSITION pos = pReference ? m_lstChildren.Find(pReference) : nullptr;
    if (bAfter)
        m_lstChildren.InsertAfter(pos, pNode);
    else
        m_lstChildren.InsertBefore(pos, pNode);
    pNode->SetParentContainer(this);
    pNode->SetDockingSite(m_pDockingSite);
    if (CQorDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->RecalcLayout(this, TRUE);
    UpdateSplitters();
    if (m_pParentContainer)
        m_pParentContainer->OnChildContainerChanged(this);
    pNode->OnParentContainerChanged(this);
}

void CQorDockingPaneSplitterContainer::ReplacePane(CQorDockingPaneBase* pOld, CQorDockingPaneBase* pNode)
{
    POSITION pos = m_lstChildren.Find(pOld);
    m_lstChildren.InsertAfter(pos, pNode);
    if (pos)
        m_lstChildren.RemoveAt(pos);
    pNode->SetParentContainer(this);
    UpdateSplitters();
    if (m_pParentContainer)
        m_pParentContainer->OnChildContainerChanged(this);
}

void CQorDockingPaneSplitterContainer::WrapPane(BOOL bHoriz, CWnd* pSite, CQorDockingPaneBase* pNode)
{
    m_bHoriz = bHoriz;
    m_pDockingSite = pSite;
    InsertPane(pNode, nullptr, TRUE);
    m_nDockingCX = pNode->m_nDockingCX;
    m_nDockingCY = pNode->m_nDockingCY;
}

void CQorDockingPaneSplitterContainer::GetTabGroups(
    CArray<CQorDockingPaneTabbedContainer*, CQorDockingPaneTabbedContainer*>& arrGroups) const
{
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos;) {
        CQorDockingPaneBase* pChild = m_lstChildren.GetNext(pos);
        if (pChild->GetType() == qorDockingPaneTypeTabbed && !pChild->IsEmpty())
            arrGroups.Add(static_cast<CQorDockingPaneTabbedContainer*>(pChild));
    }
}

void CQorDockingPaneSplitterContainer::DestroySplitters()
{
    while (!m_lstSpliters.IsEmpty()) {
        CQorDockingPaneSplitterWnd* pBar = m_lstSpliters.RemoveHead();
        pBar->DestroyWindow();
        delete pBar;
    }
}

void CQorDockingPaneSplitterContainer::UpdateSplitters()
{
    if (m_bRecalcLayout || m_nLockSplitters || !m_pLayout || m_pLayout->IsUserLayout())
        return;
    DestroySplitters();
    CWnd* pSite = m_pDockingSite;
    if (m_lstChildren.GetCount() < 2 || !pSite || !::IsWindow(pSite->GetSafeHwnd()))
        return;
    CQorDockingPaneBaseList lst;
    GetVisibleChildren(lst);
    CQorDockingPaneBase* pPrev = nullptr;
    for (POSITION pos = lst.GetHeadPosition(); pos;) {
        CQorDockingPaneBase* pChild = lst.GetNext(pos);
        if (pPrev) {
            CQorDockingPaneSplitterWnd* pBar = new CQorDockingPaneSplitterWnd();
            pBar->Create(GetDockingPaneManager(), this, pPrev, pChild, !m_bHoriz, pSite);
            m_lstSpliters.AddTail(pBar);
        }
        pPrev = pChild;
    }
}

CRect CQorDockingPaneSplitterContainer::GetInsertRect(int nDirection, CQorDockingPaneBase* pNode,
                                                      CQorDockingPaneBase* pReference)
{
    CQorDockingPaneBaseList lst;
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos;) {
        CQorDockingPaneBase* pChild = m_lstChildren.GetNext(pos);
        if (pChild != pNode && !pChild->IsEmpty())
            lst.AddTail(pChild);
    }
    BOOL bRtl = m_pDockingSite && (m_pDockingSite->GetExStyle() & WS_EX_LAYOUTRTL);
    BOOL bAfter = nDirection == qorDockRight || nDirection == qorDockBottom || (nDirection == qorDockLeft && bRtl);
    POSITION posRef = pReference ? lst.Find(pReference) : nullptr;
    if (bAfter)
        lst.InsertAfter(posRef, pNode);
    else
        lst.InsertBefore(posRef, pNode);
    // The preview must not disturb the stored sizes of the nodes it measures.
    std::vector<int> lengths;
    for (POSITION pos = lst.GetHeadPosition(); pos;)
        lengths.push_back(lst.GetNext(pos)->m_nLength);
    CRect rc = PlaceNodes(GetDockingPaneManager(), lst, m_bHoriz, m_rcWindow, m_pDockingSite, nullptr, nullptr, pNode);
    size_t i = 0;
    for (POSITION pos = lst.GetHeadPosition(); pos;)
        lst.GetNext(pos)->m_nLength = lengths[i++];
    if (m_pDockingSite)
        ::MapWindowPoints(m_pDockingSite->GetSafeHwnd(), HWND_DESKTOP, reinterpret_cast<LPPOINT>(&rc), 2);
    return rc;
}

CRect CQorDockingPaneSplitterContainer::GetPairRect(CQorDockingPaneManager* pManager, CQorDockingPaneBase* pNode,
                                                    CQorDockingPaneBase* pReference, int nDirection)
{
    CQorDockingPaneBaseList lst;
    BOOL bAfter = nDirection == qorDockRight || nDirection == qorDockBottom;
    lst.AddTail(bAfter ? pReference : pNode);
    lst.AddTail(bAfter ? pNode : pReference);
    BOOL bHoriz = nDirection == qorDockLeft || nDirection == qorDockRight;
    int nLengths[2] = {pNode->m_nLength, pReference->m_nLength};
    CRect rc = PlaceNodes(pManager, lst, bHoriz, pReference->GetScreenRect(), nullptr, nullptr, nullptr, pNode);
    pNode->m_nLength = nLengths[0];
    pReference->m_nLength = nLengths[1];
    return rc;
}
