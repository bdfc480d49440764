#include "toolkit/docking/DockingPaneBase.h"

#include "toolkit/docking/DockingPane.h"
#include "toolkit/docking/DockingPaneLayout.h"
#include "toolkit/docking/DockingPaneManager.h"
#include "toolkit/docking/DockingPanePaintManager.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/foundation/CaptureLoop.h"

CQorDockingPaneManager* QorGetNodeManager(const CQorDockingPaneBase* pNode)
{
    return pNode && pNode->GetLayout() ? pNode->GetLayout()->GetManager() : nullptr;
}

void QorMoveSiteWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, const RECT& rc)
{
    const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (lpLayout && lpLayout->hDWP) {
        HDWP hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, rc.left, rc.top, rc.right - rc.left,
                                     rc.bottom - rc.top, nFlags);
        if (hDWP) {
            lpLayout->hDWP = hDWP;
            return;
        }
    }
    ::SetWindowPos(hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, nFlags);
}

CRect QorGetRectInParent(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(hWnd), reinterpret_cast<LPPOINT>(&rc), 2);
    return rc;
}

BOOL CQorDeferredMoves::Move(HWND hWnd, const RECT& rc)
{
    if (QorGetRectInParent(hWnd) == CRect(rc))
        return FALSE;
    const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (!m_hDWP)
        m_hDWP = ::BeginDeferWindowPos(m_nHint > 0 ? m_nHint : 1);
    if (m_hDWP) {
        m_hDWP = ::DeferWindowPos(m_hDWP, hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                                  nFlags);
        if (m_hDWP)
            return TRUE;
    }
    // A batch that could not be made or grown: the window moves on its own.
    ::SetWindowPos(hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, nFlags);
    return TRUE;
}

void CQorDeferredMoves::Apply()
{
    if (m_hDWP)
        ::EndDeferWindowPos(m_hDWP);
    m_hDWP = nullptr;
}

// ---- Node base ---------------------------------------------------------------------------------

CQorDockingPaneBase::CQorDockingPaneBase(int nType, CQorDockingPaneLayout* pLayout) : m_pLayout(pLayout), m_nType(nType)
{
    if (CQorDockingPaneManager* pManager = QorGetNodeManager(this))
        m_pDockingSite = pManager->GetSite();
    if (m_pLayout)
        m_pLayout->AddNode(this);
}

CQorDockingPaneBase::~CQorDockingPaneBase()
{
    if (m_pCaptionButtons) {
        for (INT_PTR i = 0; i < m_pCaptionButtons->GetSize(); i++)
            delete m_pCaptionButtons->GetAt(i);
        delete m_pCaptionButtons;
    }
}

CQorDockingPaneManager* CQorDockingPaneBase::GetDockingPaneManager() const
{
    return QorGetNodeManager(this);
}

CQorDockingPaneCaptionButton* CQorDockingPaneBase::FindCaptionButton(int nID) const
{
    if (!m_pCaptionButtons)
        return nullptr;
    for (INT_PTR i = 0; i < m_pCaptionButtons->GetSize(); i++) {
        if (m_pCaptionButtons->GetAt(i)->GetID() == nID)
            return m_pCaptionButtons->GetAt(i);
    }
    return nullptr;
}

CRect CQorDockingPaneBase::GetScreenRect() const
{
    CRect rc;
    if (HWND hWnd = GetPaneHwnd()) {
        ::GetWindowRect(hWnd, &rc);
        return rc;
    }
    rc = m_rcWindow;
    if (CWnd* pSite = GetDockingSite())
        ::MapWindowPoints(pSite->GetSafeHwnd(), HWND_DESKTOP, reinterpret_cast<LPPOINT>(&rc), 2);
    return rc;
}

void CQorDockingPaneBase::RedrawPane()
{
    if (HWND hWnd = GetPaneHwnd())
        ::InvalidateRect(hWnd, nullptr, FALSE);
}

BOOL CQorDockingPaneBase::ContainsPane(const CQorDockingPaneBase* pPane) const
{
    return pPane == this;
}

void CQorDockingPaneBase::FindPane(int nType, CQorDockingPaneBaseList* pList)
{
    if (m_nType == nType)
        pList->AddTail(this);
}

void CQorDockingPaneBase::GetMinMaxInfo(MINMAXINFO* pMinMaxInfo) const
{
    ZeroMemory(pMinMaxInfo, sizeof(MINMAXINFO));
    pMinMaxInfo->ptMaxTrackSize = CPoint(32000, 32000);
}

BOOL CQorDockingPaneBase::IsEmpty() const
{
    return FALSE;
}

CWnd* CQorDockingPaneBase::GetDockingSite() const
{
    return m_pDockingSite;
}

BOOL CQorDockingPaneBase::IsInAutoHidePanel() const
{
    return FALSE;
}

HWND CQorDockingPaneBase::GetPaneHwnd() const
{
    return nullptr;
}

void CQorDockingPaneBase::OnSizeParent(CWnd*, CRect rect, AFX_SIZEPARENTPARAMS* lpLayout)
{
    m_rcWindow = rect;
    if (lpLayout)
        lpLayout->rect = rect;
}

void CQorDockingPaneBase::OnFocusChanged() {}

void CQorDockingPaneBase::SetDockingSite(CWnd* pSite)
{
    m_pDockingSite = pSite;
}

void CQorDockingPaneBase::SetParentContainer(CQorDockingPaneBase* pContainer)
{
    m_pParentContainer = pContainer;
}

void CQorDockingPaneBase::OnChildContainerChanged(CQorDockingPaneBase*) {}

void CQorDockingPaneBase::OnChildrenChanged(BOOL bShow)
{
    if (m_pParentContainer)
        m_pParentContainer->OnChildrenChanged(bShow);
}

void CQorDockingPaneBase::OnParentContainerChanged(CQorDockingPaneBase*) {}

CQorDockingPaneBase* CQorDockingPaneBase::Clone(CQorDockingPaneLayout* pLayout, CQorDockingPaneCloneMap* pMap)
{
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    CQorDockingPaneBase* pClone = pManager ? pManager->CreateNode(m_nType, pLayout) : nullptr;
    if (pClone && pMap)
        pMap->SetAt(this, pClone);
    return pClone;
}

void CQorDockingPaneBase::RemovePane(CQorDockingPaneBase*) {}

BOOL CQorDockingPaneBase::IsCaptionButtonVisible(const CQorDockingPaneCaptionButton*) const
{
    return TRUE;
}

// ---- Containers --------------------------------------------------------------------------------

CQorDockingPaneBaseContainer::CQorDockingPaneBaseContainer(int nType, CQorDockingPaneLayout* pLayout)
    : CQorDockingPaneBase(nType, pLayout)
{}

BOOL CQorDockingPaneBaseContainer::ContainsPane(const CQorDockingPaneBase* pPane) const
{
    if (pPane == this)
        return TRUE;
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos;) {
        if (m_lstChildren.GetNext(pos)->ContainsPane(pPane))
            return TRUE;
    }
    return FALSE;
}

void CQorDockingPaneBaseContainer::FindPane(int nType, CQorDockingPaneBaseList* pList)
{
    if (m_nType == nType) {
        if (IsEmpty())
            return;
        pList->AddTail(this);
    }
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos;)
        m_lstChildren.GetNext(pos)->FindPane(nType, pList);
}

BOOL CQorDockingPaneBaseContainer::IsEmpty() const
{
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos;) {
        if (!m_lstChildren.GetNext(pos)->IsEmpty())
            return FALSE;
    }
    return TRUE;
}

void CQorDockingPaneBaseContainer::GetVisibleChildren(CQorDockingPaneBaseList& lst) const
{
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos;) {
        CQorDockingPaneBase* pChild = m_lstChildren.GetNext(pos);
        if (!pChild->IsEmpty())
            lst.AddTail(pChild);
    }
}

CQorDockingPaneClientContainer::CQorDockingPaneClientContainer(CQorDockingPaneLayout* pLayout)
    : CQorDockingPaneBase(qorDockingPaneTypeClient, pLayout)
{}

void CQorDockingPaneClientContainer::GetMinMaxInfo(MINMAXINFO* pMinMaxInfo) const
{
    CQorDockingPaneBase::GetMinMaxInfo(pMinMaxInfo);
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager && !pManager->m_bHideClient)
        pMinMaxInfo->ptMinTrackSize = CPoint(pManager->m_szClientMinimum.cx, pManager->m_szClientMinimum.cy);
}

BOOL CQorDockingPaneClientContainer::IsEmpty() const
{
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    return pManager && pManager->m_bHideClient;
}

// ---- Caption buttons ---------------------------------------------------------------------------

void CQorDockingPaneCaptionButton::SetRect(const CRect& rc)
{
    if (rc == m_rcButton)
        return;
    m_rcButton = rc;
}

CQorDockingPane* CQorDockingPaneCaptionButton::GetCaptionPane() const
{
    return CQorDockingPanePaintManager::GetCaptionPane(m_pOwner);
}

void CQorDockingPaneCaptionButton::RedrawOwner()
{
    m_pOwner->RedrawPane();
}

BOOL CQorDockingPaneCaptionButton::OnMouseMove(CPoint pt)
{
    if (m_bHot && !m_rcButton.PtInRect(pt)) {
        m_bHot = FALSE;
        RedrawOwner();
    }
    if (m_bHot || !m_rcButton.PtInRect(pt) || !IsVisible())
        return FALSE;
    CQorDockingPane* pPane = GetCaptionPane();
    if (pPane && !(pPane->GetEnabled() & qorPaneEnableActions))
        return FALSE;
    if (HWND hWnd = m_pOwner->GetPaneHwnd()) {
        TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, hWnd, HOVER_DEFAULT};
        ::TrackMouseEvent(&tme);
    }
    m_bHot = TRUE;
    RedrawOwner();
    return TRUE;
}

BOOL CQorDockingPaneCaptionButton::Click(CWnd* pWnd, CPoint pt, BOOL bClient)
{
    if (::GetCapture() || !pWnd || !::IsWindow(pWnd->GetSafeHwnd()))
        return FALSE;
    HWND hWnd = pWnd->GetSafeHwnd();
    CPoint ptLast = pt;
    auto follow = [&](CPoint ptNew) {
        ptLast = ptNew;
        BOOL bPressed = m_rcButton.PtInRect(ptNew);
        if (bPressed != m_bPressed) {
            m_bPressed = bPressed;
            RedrawOwner();
        }
    };
    CQorCaptureLoop loop(hWnd);
    loop.m_onStart = [&]() { follow(pt); };
    loop.m_onMessage = [&](MSG& msg) -> CQorCaptureLoop::Action {
        switch (msg.message) {
        case WM_RBUTTONDOWN:
            return CQorCaptureLoop::actionCancel;
        case WM_KEYDOWN:
            return msg.wParam == VK_ESCAPE ? CQorCaptureLoop::actionCancel : CQorCaptureLoop::actionHandled;
        case WM_KEYUP:
        case WM_CHAR:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
        case WM_NCMOUSEMOVE:
            return CQorCaptureLoop::actionHandled;
        case WM_MOUSEMOVE: {
            // The point comes from each message, in the capturing window's client coordinates.
            CPoint ptMove(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
            if (!bClient) {
                ::ClientToScreen(msg.hwnd, &ptMove);
                CRect rcWindow;
                ::GetWindowRect(hWnd, &rcWindow);
                ptMove.Offset(-rcWindow.left, -rcWindow.top);
            }
            follow(ptMove);
            return CQorCaptureLoop::actionHandled;
        }
        case WM_LBUTTONUP:
            return CQorCaptureLoop::actionDone;
        default:
            return CQorCaptureLoop::actionDispatch;
        }
    };
    CQorCaptureLoop::Result result = loop.Run();
    BOOL bClicked = result == CQorCaptureLoop::resultDone && m_bPressed;
    m_bPressed = FALSE;
    if (::IsWindow(hWnd)) {
        OnMouseMove(ptLast);
        RedrawOwner();
    }
    return bClicked;
}
