#include "toolkit/docking/DockingPaneTabbedContainer.h"

#include "toolkit/docking/DockingPane.h"
#include "toolkit/docking/DockingPaneAccessibility.h"
#include "toolkit/docking/DockingPaneLayout.h"
#include "toolkit/docking/DockingPaneManager.h"
#include "toolkit/docking/DockingPanePaintManager.h"
#include "toolkit/docking/DockingPaneSplitterContainer.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/ImageManager.h"
#include "toolkit/foundation/ResourceManager.h"
#include "toolkit/foundation/ToolTipContext.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CQorDockingPaneTabbedContainer, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, &CQorDockingPaneTabbedContainer::OnPrintClient)
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_LBUTTONDBLCLK()
    ON_MESSAGE(WM_HELPHITTEST, &CQorDockingPaneTabbedContainer::OnHelpHitTest)
    ON_WM_SETCURSOR()
    ON_MESSAGE(WM_GETOBJECT, &CQorDockingPaneTabbedContainer::OnGetObject)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

BEGIN_INTERFACE_MAP(CQorDockingPaneTabbedContainer, CWnd)
    INTERFACE_PART(CQorDockingPaneTabbedContainer, IID_IAccessible, Accessible)
    INTERFACE_PART(CQorDockingPaneTabbedContainer, IID_IDispatch, Accessible)
END_INTERFACE_MAP()

namespace {

// Holds the group's update guard for a scope.
class CUpdateGuard
{
public:
    explicit CUpdateGuard(int& nLock) : m_nLock(nLock) { m_nLock++; }
    ~CUpdateGuard() { m_nLock--; }
    CUpdateGuard(const CUpdateGuard&) = delete;
    CUpdateGuard& operator=(const CUpdateGuard&) = delete;

private:
    int& m_nLock;
};

CQorDockingPane* PaneOfItem(const CQorTabManagerItem* pItem)
{
    return pItem ? reinterpret_cast<CQorDockingPane*>(pItem->GetData()) : nullptr;
}

// The accessible object of a pane, with a reference for the caller.
IDispatch* PaneDispatch(CQorDockingPane* pPane)
{
    IDispatch* pDispatch = static_cast<IDispatch*>(pPane->GetAccessibleInterface());
    pDispatch->AddRef();
    return pDispatch;
}

} // namespace

CQorDockingPaneTabbedContainer::CQorDockingPaneTabbedContainer(CQorDockingPaneLayout* pLayout)
    : CQorDockingPaneBaseContainer(qorDockingPaneTypeTabbed, pLayout), m_pDropTarget(new CContainerDropTarget(this))
{
    m_pCaptionButtons = new CQorDockingPaneCaptionButtons();
    const int nIds[] = {QOR_IDS_DOCKING_CLOSE, QOR_IDS_DOCKING_MAXIMIZE, QOR_IDS_DOCKING_RESTORE,
                        QOR_IDS_DOCKING_AUTOHIDE, QOR_IDS_DOCKING_MENU};
    for (int nID : nIds)
        m_pCaptionButtons->Add(new CQorDockingPaneCaptionButton(nID, this));
}

CQorDockingPaneTabbedContainer::~CQorDockingPaneTabbedContainer()
{
    if (m_hWnd)
        DestroyWindow();
    m_pDropTarget->Revoke();
    m_pDropTarget->InternalRelease();
}

CQorDockingPane* CQorDockingPaneTabbedContainer::GetPaneAt(INT_PTR nIndex) const
{
    POSITION pos = m_lstChildren.FindIndex(nIndex);
    return pos ? static_cast<CQorDockingPane*>(m_lstChildren.GetAt(pos)) : nullptr;
}

int CQorDockingPaneTabbedContainer::FindPaneIndex(const CQorDockingPane* pPane) const
{
    int nIndex = 0;
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos; nIndex++) {
        if (m_lstChildren.GetNext(pos) == pPane)
            return nIndex;
    }
    return -1;
}

BOOL CQorDockingPaneTabbedContainer::CreateContainerWindow()
{
    CWnd* pSite = GetDockingSite();
    if (!pSite || !::IsWindow(pSite->GetSafeHwnd()))
        return FALSE;
    if (!CreateEx(0, L"QorDockingPaneTabbedContainer", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                  CRect(0, 0, 0, 0), pSite, 0))
        return FALSE;
    m_pDropTarget->Register(this);
    return TRUE;
}

// ---- Node operations ---------------------------------------------------------------------------

BOOL CQorDockingPaneTabbedContainer::IsInAutoHidePanel() const
{
    return m_pParentContainer && m_pParentContainer->GetType() == qorDockingPaneTypeAutoHidePanel;
}

void CQorDockingPaneTabbedContainer::SetDockingSite(CWnd* pSite)
{
    m_pDockingSite = pSite;
    if (m_hWnd && pSite && ::GetParent(m_hWnd) != pSite->GetSafeHwnd())
        ::SetParent(m_hWnd, pSite->GetSafeHwnd());
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos;)
        m_lstChildren.GetNext(pos)->SetDockingSite(pSite);
}

void CQorDockingPaneTabbedContainer::ShowPanes(AFX_SIZEPARENTPARAMS* lpLayout, const CRect& rcClient)
{
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    CQorDockingPaneBaseList lst;
    lst.AddTail(&m_lstChildren);
    // The owner hears of a selected pane once, or again while it still has no window to show.
    CQorDockingPane* pSelected = m_pSelectedPane;
    if (pSelected && pManager && (pSelected != m_pShownPane || !pSelected->GetChild())) {
        m_pShownPane = pSelected;
        pManager->NotifyOwner(qorDpnShowWindow, reinterpret_cast<LPARAM>(pSelected));
    }
    // The panes' windows are this group's children: their moves make one batch of their own.
    CQorDeferredMoves moves(static_cast<int>(lst.GetCount()));
    for (POSITION pos = lst.GetHeadPosition(); pos;) {
        CQorDockingPane* pPane = static_cast<CQorDockingPane*>(lst.GetNext(pos));
        HWND hWndChild = pPane->GetChild();
        if (hWndChild && ::IsWindow(hWndChild)) {
            const BOOL bShow = pPane == m_pSelectedPane;
            if (!(::GetWindowLongW(hWndChild, GWL_STYLE) & WS_VISIBLE) != !bShow)
                ::ShowWindow(hWndChild, bShow ? SW_SHOW : SW_HIDE);
        }
        if (lpLayout) {
            pPane->SetDockingSite(GetDockingSite());
            pPane->PlaceChild(rcClient, moves);
        } else {
            pPane->OnSizeParent(GetDockingSite(), rcClient, nullptr);
        }
    }
}

void CQorDockingPaneTabbedContainer::OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* lpLayout)
{
    SetDockingSite(pSite);
    m_rcWindow = rect;
    if (lpLayout && !lpLayout->hDWP)
        return;
    if (!m_hWnd)
        return;
    // Only what changed is redone: a pass over an unchanged group moves nothing, keeps its tabs
    // and its tab row's layout, and asks the owner nothing.
    const BOOL bForce = m_bForceRepos;
    m_bForceRepos = FALSE;
    const CRect rcCurrent = QorGetRectInParent(m_hWnd);
    if (bForce || rcCurrent != rect) {
        QorMoveSiteWindow(lpLayout, m_hWnd, rect);
        // A group that only moves keeps its picture; a new size redraws caption and row. The
        // manager's pass repaints all such groups at once after the moves.
        CQorDockingPaneManager* pManager = GetDockingPaneManager();
        if ((bForce || rcCurrent.Size() != rect.Size()) && (!pManager || !pManager->DeferRepaint(rect)))
            Invalidate(FALSE);
    }
    BOOL bTabsChanged;
    {
        CUpdateGuard guard(m_nLockUpdate);
        bTabsChanged = UpdateTabsIfChanged();
    }
    if (CQorDockingPaneCaptionButton* pPin = FindCaptionButton(QOR_IDS_DOCKING_AUTOHIDE)) {
        CWnd* pManagerSite = GetDockingPaneManager() ? GetDockingPaneManager()->GetSite() : nullptr;
        pPin->SetState(IsInAutoHidePanel() ? 3 : (pSite == pManagerSite ? 1 : 0));
    }
    CRect rcClient(0, 0, rect.Width(), rect.Height());
    if (CQorDockingPaneManager* pManager = GetDockingPaneManager()) {
        // The tab row is laid out again for a new size, new tabs or a forced pass only.
        const BOOL bRow = bForce || bTabsChanged || rect.Size() != m_szRowLayout;
        m_szRowLayout = rect.Size();
        CUpdateGuard guard(m_nLockUpdate);
        pManager->GetPaintManager()->AdjustClientRect(this, rcClient, bRow);
    }
    rcClient.OffsetRect(rect.left, rect.top);
    m_rcPendingClient = rcClient;
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    if (!pManager || !pManager->DeferPanePlacement(this))
        ShowPanes(lpLayout, rcClient);
}

void CQorDockingPaneTabbedContainer::PlacePendingPanes()
{
    AFX_SIZEPARENTPARAMS layout = {};
    if (m_hWnd)
        ShowPanes(&layout, m_rcPendingClient);
}

void CQorDockingPaneTabbedContainer::OnChildrenChanged(BOOL bShow)
{
    if (m_nLockUpdate > 0 || !m_hWnd || !m_pParentContainer)
        return;
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    {
        CUpdateGuard guard(m_nLockUpdate);
        UpdateTabs();
        CRect rcClient(0, 0, m_rcWindow.Width(), m_rcWindow.Height());
        if (pManager)
            pManager->GetPaintManager()->AdjustClientRect(this, rcClient, TRUE);
        rcClient.OffsetRect(m_rcWindow.left, m_rcWindow.top);
        if (bShow)
            ShowPanes(nullptr, rcClient);
    }
    Invalidate(FALSE);
    m_pParentContainer->OnChildrenChanged(bShow);
}

void CQorDockingPaneTabbedContainer::OnParentContainerChanged(CQorDockingPaneBase* pParent)
{
    if (pParent)
        SetDockingSite(pParent->GetDockingSite());
    m_bShowCaption = TRUE;
    if (m_hWnd && pParent && pParent->GetType() == qorDockingPaneTypeAutoHidePanel)
        ShowWindow(SW_HIDE);
}

void CQorDockingPaneTabbedContainer::GetMinMaxInfo(MINMAXINFO* pMinMaxInfo) const
{
    CQorDockingPaneBase::GetMinMaxInfo(pMinMaxInfo);
    if (m_lstChildren.IsEmpty())
        return;
    if (IsSiblingMaximized()) {
        BOOL bHoriz = static_cast<CQorDockingPaneSplitterContainer*>(m_pParentContainer)->IsHoriz();
        (bHoriz ? pMinMaxInfo->ptMaxTrackSize.x : pMinMaxInfo->ptMaxTrackSize.y) = 0;
    } else {
        for (POSITION pos = m_lstChildren.GetHeadPosition(); pos;) {
            MINMAXINFO mmi;
            m_lstChildren.GetNext(pos)->GetMinMaxInfo(&mmi);
            pMinMaxInfo->ptMinTrackSize.x = std::max(pMinMaxInfo->ptMinTrackSize.x, mmi.ptMinTrackSize.x);
            pMinMaxInfo->ptMinTrackSize.y = std::max(pMinMaxInfo->ptMinTrackSize.y, mmi.ptMinTrackSize.y);
            pMinMaxInfo->ptMaxTrackSize.x = std::min(pMinMaxInfo->ptMaxTrackSize.x, mmi.ptMaxTrackSize.x);
            pMinMaxInfo->ptMaxTrackSize.y = std::min(pMinMaxInfo->ptMaxTrackSize.y, mmi.ptMaxTrackSize.y);
        }
    }
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    if (!pManager)
        return;
    CRect rc(0, 0, 1000, 1000);
    pManager->GetPaintManager()->AdjustClientRect(const_cast<CQorDockingPaneTabbedContainer*>(this), rc, FALSE);
    int cx = 1000 - rc.Width();
    int cy = 1000 - rc.Height();
    pMinMaxInfo->ptMinTrackSize.x += cx;
    pMinMaxInfo->ptMinTrackSize.y += cy;
    pMinMaxInfo->ptMaxTrackSize.x += cx;
    pMinMaxInfo->ptMaxTrackSize.y += cy;
}

void CQorDockingPaneTabbedContainer::RemovePane(CQorDockingPaneBase* pNode)
{
    POSITION pos = m_lstChildren.Find(pNode);
    if (!pos)
        return;
    CQorDockingPane* pPane = static_cast<CQorDockingPane*>(pNode);
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    m_lstChildren.RemoveAt(pos);
    if (m_pShownPane == pPane)
        m_pShownPane = nullptr;
    UpdateTabs();
    pPane->SetParentContainer(nullptr);
    if (m_pParentContainer)
        m_pParentContainer->OnChildContainerChanged(this);
    if (m_lstChildren.IsEmpty()) {
        if (m_bActive) {
            m_bActive = FALSE;
            if (pManager)
                pManager->SetActivePane(FALSE, m_pSelectedPane);
        }
        if (m_hWnd)
            DestroyWindow();
    }
    m_bForceRepos = TRUE;
    if (pManager)
        pManager->RecalcLayout(this, TRUE);
    if (pPane == m_pSelectedPane) {
        CQorDockingPane* pLast =
            m_lstChildren.IsEmpty() ? nullptr : static_cast<CQorDockingPane*>(m_lstChildren.GetTail());
        m_pSelectedPane = nullptr;
        SelectPane(pLast, TRUE, TRUE);
    }
}

BOOL CQorDockingPaneTabbedContainer::IsCaptionButtonVisible(const CQorDockingPaneCaptionButton* pButton) const
{
    const DWORD dwOptions = m_pSelectedPane ? m_pSelectedPane->GetOptions() : 0;
    switch (pButton->GetID()) {
    case QOR_IDS_DOCKING_AUTOHIDE:
        // Auto-hiding comes with the auto-hide panels; until then the button stays hidden.
        return FALSE;
    case QOR_IDS_DOCKING_CLOSE:
        return m_pSelectedPane && !(dwOptions & qorPaneNoCloseable);
    case QOR_IDS_DOCKING_MAXIMIZE:
        return CanMaximize() && !m_bMaximized;
    case QOR_IDS_DOCKING_RESTORE:
        return CanMaximize() && m_bMaximized;
    case QOR_IDS_DOCKING_MENU:
        return m_pSelectedPane && (dwOptions & qorPaneHasMenuButton);
    default:
        return TRUE;
    }
}

CQorDockingPaneBase* CQorDockingPaneTabbedContainer::Clone(CQorDockingPaneLayout* pLayout,
                                                           CQorDockingPaneCloneMap* pMap)
{
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    CQorDockingPaneBase* pNode = pManager ? pManager->CreateNode(qorDockingPaneTypeTabbed, pLayout) : nullptr;
    if (!pNode)
        return nullptr;
    static_cast<CQorDockingPaneTabbedContainer*>(pNode)->Copy(this, pMap, 0);
    if (pMap)
        pMap->SetAt(this, pNode);
    return pNode;
}

void CQorDockingPaneTabbedContainer::RedrawPane()
{
    if (m_hWnd)
        Invalidate(FALSE);
}

// ---- Group operations --------------------------------------------------------------------------

void CQorDockingPaneTabbedContainer::AddPane(CQorDockingPane* pPane, BOOL bSetFocus)
{
    if (!m_pLayout)
        return;
    if (!m_hWnd && !m_pLayout->IsUserLayout())
        CreateContainerWindow();
    m_lstChildren.AddTail(pPane);
    pPane->SetParentContainer(this);
    pPane->SetDockingSite(GetDockingSite());
    m_bForceRepos = TRUE;
    if (CQorDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->RecalcLayout(this, TRUE);
    SelectPane(pPane, bSetFocus, TRUE);
    if (m_pParentContainer)
        m_pParentContainer->OnChildContainerChanged(this);
}

void CQorDockingPaneTabbedContainer::FillFromPane(CWnd* pSite, CQorDockingPane* pPane)
{
    m_pDockingSite = pSite;
    m_nDockingCX = pPane->m_nDockingCX;
    m_nDockingCY = pPane->m_nDockingCY;
    m_rcWindow = pPane->GetPaneWindowRect();
    AddPane(pPane, TRUE);
    SelectPane(pPane, FALSE, TRUE);
}

void CQorDockingPaneTabbedContainer::NotifySelectionChanged(BOOL bDelayRecalc)
{
    if (bDelayRecalc) {
        m_bForceRepos = TRUE;
        if (CQorDockingPaneManager* pManager = GetDockingPaneManager())
            pManager->RecalcLayout(this, TRUE);
        if (m_pParentContainer)
            m_pParentContainer->OnChildContainerChanged(this);
    } else {
        OnChildrenChanged(TRUE);
    }
}

void CQorDockingPaneTabbedContainer::SelectPane(CQorDockingPane* pPane, BOOL bSetFocus, BOOL bDelayRecalc)
{
    if (pPane != m_pSelectedPane) {
        m_pSelectedPane = pPane;
        NotifySelectionChanged(bDelayRecalc);
        for (int i = 0; i < GetItemCount(); i++) {
            if (PaneOfItem(GetItem(i)) == pPane)
                EnsureVisible(GetItem(i));
        }
    }
    if (bSetFocus && pPane) {
        if (m_bActive)
            if (CQorDockingPaneManager* pManager = GetDockingPaneManager())
                pManager->SetActivePane(TRUE, pPane);
        pPane->SetFocus();
    }
}

CString CQorDockingPaneTabbedContainer::GetCaptionTitle() const
{
    return m_pSelectedPane ? m_pSelectedPane->GetTitle() : CString();
}

BOOL CQorDockingPaneTabbedContainer::CanMaximize() const
{
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    if (!m_pParentContainer || m_pParentContainer->GetType() != qorDockingPaneTypeSplitter || !pManager ||
        !pManager->m_bShowMaximizeButton)
        return FALSE;
    CArray<CQorDockingPaneTabbedContainer*, CQorDockingPaneTabbedContainer*> arrGroups;
    static_cast<CQorDockingPaneSplitterContainer*>(m_pParentContainer)->GetTabGroups(arrGroups);
    return arrGroups.GetSize() > 1;
}

BOOL CQorDockingPaneTabbedContainer::IsSiblingMaximized() const
{
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    if (m_bMaximized || !m_pParentContainer || m_pParentContainer->GetType() != qorDockingPaneTypeSplitter ||
        !pManager || !pManager->m_bShowMaximizeButton)
        return FALSE;
    CArray<CQorDockingPaneTabbedContainer*, CQorDockingPaneTabbedContainer*> arrGroups;
    static_cast<CQorDockingPaneSplitterContainer*>(m_pParentContainer)->GetTabGroups(arrGroups);
    for (INT_PTR i = 0; i < arrGroups.GetSize(); i++) {
        if (arrGroups[i]->m_bMaximized)
            return TRUE;
    }
    return FALSE;
}

void CQorDockingPaneTabbedContainer::Maximize()
{
    if (!m_pParentContainer || m_pParentContainer->GetType() != qorDockingPaneTypeSplitter)
        return;
    CArray<CQorDockingPaneTabbedContainer*, CQorDockingPaneTabbedContainer*> arrGroups;
    static_cast<CQorDockingPaneSplitterContainer*>(m_pParentContainer)->GetTabGroups(arrGroups);
    for (INT_PTR i = 0; i < arrGroups.GetSize(); i++)
        arrGroups[i]->m_bMaximized = arrGroups[i] == this;
    if (CQorDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->RecalcLayout(this, FALSE);
}

void CQorDockingPaneTabbedContainer::Restore()
{
    m_bMaximized = FALSE;
    if (CQorDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->RecalcLayout(this, FALSE);
}

void CQorDockingPaneTabbedContainer::ShowPaneInGroup(CQorDockingPane* pPane, BOOL bSetFocus)
{
    // Groups in auto-hide panels and floating frames arrive with those; a docked group selects.
    SelectPane(pPane, bSetFocus, TRUE);
}

void CQorDockingPaneTabbedContainer::ShowSelectedPane() {}

BOOL CQorDockingPaneTabbedContainer::IsCaptionShown() const
{
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    return m_bShowCaption && m_pSelectedPane && !(m_pSelectedPane->GetOptions() & qorPaneNoCaption) && pManager &&
           pManager->GetPaintManager()->m_bShowCaption;
}

BOOL CQorDockingPaneTabbedContainer::IsTabsVisible() const
{
    if (!m_hWnd)
        return FALSE;
    if (m_lstChildren.GetCount() > 1)
        return TRUE;
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    return pManager && pManager->GetPaintManager()->m_bDrawSingleTab;
}

BOOL CQorDockingPaneTabbedContainer::IsCaptionVertical() const
{
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    switch (pManager ? pManager->m_nCaptionDirection : 0) {
    case 1:
        return TRUE;
    case 2: {
        if (!m_pLayout)
            return TRUE;
        int nDirection = m_pLayout->GetPaneDirection(this);
        return nDirection == qorDockTop || nDirection == qorDockBottom;
    }
    case 3:
        return m_rcWindow.Width() > m_rcWindow.Height();
    default:
        return FALSE;
    }
}

BOOL CQorDockingPaneTabbedContainer::HitTestCaptionArea(CRect& rc, CPoint pt) const
{
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    if (!pManager)
        return FALSE;
    CQorDockingPanePaintManager* pPaint = pManager->GetPaintManager();
    const BOOL bVertical = IsCaptionVertical();
    CRect rcStrip = rc;
    if (m_bShowCaption) {
        const int nStrip = pPaint->GetCaptionHeight() + 3;
        if (bVertical) {
            rcStrip.right = rc.left + nStrip;
            rc.left = rcStrip.right;
        } else {
            rcStrip.bottom = rc.top + nStrip;
            rc.top = rcStrip.bottom;
        }
    } else if (CWnd* pSite = GetDockingSite()) {
        CRect rcSite;
        pSite->GetWindowRect(&rcSite);
        if (bVertical) {
            rcStrip = CRect(rcSite.left, rc.top, rc.left, rc.bottom);
        } else {
            rcStrip = CRect(rc.left, rcSite.top, rc.right, rc.top);
        }
    }
    if (rcStrip.PtInRect(pt))
        return TRUE;
    if (IsTabsVisible()) {
        CRect rcTabs = rc;
        rcTabs.top = rc.bottom - pPaint->GetTabsHeight();
        rc.bottom = rcTabs.top;
        if (rcTabs.PtInRect(pt))
            return TRUE;
    }
    return FALSE;
}

int CQorDockingPaneTabbedContainer::HitTestPoint(CPoint pt) const
{
    CRect rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    if (IsCaptionShown() && rcClient.PtInRect(pt) && pManager) {
        CRect rcRest = rcClient;
        pManager->GetPaintManager()->AdjustCaptionRect(this, rcRest);
        if (!rcRest.PtInRect(pt))
            return -2;
    }
    if (IsTabsVisible()) {
        if (CQorTabManagerItem* pItem = HitTest(pt))
            return pItem->GetIndex();
    }
    return -1;
}

CQorDockingPaneCaptionButton* CQorDockingPaneTabbedContainer::HitTestCaptionButton(CPoint pt) const
{
    if (!IsCaptionShown())
        return nullptr;
    for (INT_PTR i = 0; i < m_pCaptionButtons->GetSize(); i++) {
        CQorDockingPaneCaptionButton* pButton = m_pCaptionButtons->GetAt(i);
        if (pButton->PtInRect(pt))
            return pButton;
    }
    return nullptr;
}

void CQorDockingPaneTabbedContainer::OnCaptionLButtonDown(CPoint)
{
    TakeFocus();
    // Dragging a group by its caption comes with the drag-and-dock context.
}

void CQorDockingPaneTabbedContainer::OnCaptionButtonClick(CQorDockingPaneCaptionButton* pButton)
{
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    switch (pButton->GetID()) {
    case QOR_IDS_DOCKING_CLOSE:
        if (pManager && pManager->m_bCloseGroupOnButtonClick) {
            CQorDockingPaneBaseList lst;
            lst.AddTail(&m_lstChildren);
            for (POSITION pos = lst.GetTailPosition(); pos;) {
                CQorDockingPane* pPane = static_cast<CQorDockingPane*>(lst.GetPrev(pos));
                if (!(pPane->GetOptions() & qorPaneNoCloseable))
                    pPane->Close();
            }
        } else if (m_pSelectedPane) {
            m_pSelectedPane->Close();
        }
        break;
    case QOR_IDS_DOCKING_MAXIMIZE:
        Maximize();
        break;
    case QOR_IDS_DOCKING_RESTORE:
        Restore();
        break;
    default:
        break;
    }
}

void CQorDockingPaneTabbedContainer::Copy(CQorDockingPaneTabbedContainer* pSource, CQorDockingPaneCloneMap* pMap,
                                          DWORD dwIgnoredOptions)
{
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    m_pDockingSite = pManager ? pManager->GetSite() : nullptr;
    m_pTrackingPane = nullptr;
    m_pSelectedPane = nullptr;
    m_rcWindow = pSource->m_rcWindow;
    m_nDockingCX = pSource->m_nDockingCX;
    m_nDockingCY = pSource->m_nDockingCY;
    m_bShowCaption = TRUE;
    m_nLockUpdate = 0;
    CQorDockingPane* pSelected = nullptr;
    // A snapshot of the source: moving a pane takes it out of the list being walked.
    CQorDockingPaneBaseList lst;
    lst.AddTail(&pSource->m_lstChildren);
    for (POSITION pos = lst.GetHeadPosition(); pos;) {
        CQorDockingPane* pPane = static_cast<CQorDockingPane*>(lst.GetNext(pos));
        if (pMap) {
            CQorDockingPane* pClone = static_cast<CQorDockingPane*>(pPane->Clone(m_pLayout, pMap));
            if (!pClone)
                continue;
            AddPane(pClone, TRUE);
            if (pPane == pSource->m_pSelectedPane)
                pSelected = pClone;
        } else if (!(pPane->GetOptions() & dwIgnoredOptions)) {
            BOOL bWasSelected = pPane == pSource->m_pSelectedPane;
            pSource->RemovePane(pPane);
            AddPane(pPane, TRUE);
            if (bWasSelected)
                pSelected = pPane;
        }
    }
    if (pSelected)
        SelectPane(pSelected, FALSE, TRUE);
}

BOOL CQorDockingPaneTabbedContainer::UpdateTabsIfChanged()
{
    // The row's painter and every tab as the panes would make it: a match leaves the row alone.
    CQorTabPaintManager* pPaintManager = GetPaintManager();
    BOOL bSame = pPaintManager == m_pRowPainter && GetItemCount() == m_lstChildren.GetCount();
    int nIndex = 0;
    for (POSITION pos = m_lstChildren.GetHeadPosition(); bSame && pos; nIndex++) {
        CQorDockingPane* pPane = static_cast<CQorDockingPane*>(m_lstChildren.GetNext(pos));
        CQorTabManagerItem* pItem = GetItem(nIndex);
        bSame = PaneOfItem(pItem) == pPane && pItem->GetCaption() == pPane->GetTabCaption() &&
                pItem->GetColor() == pPane->GetTabColor() && pItem->GetTooltip() == pPane->GetTitle() &&
                !pItem->IsEnabled() == !(pPane->GetEnabled() & qorPaneEnableClient) &&
                (GetSelectedItem() == pItem) == (pPane == m_pSelectedPane);
    }
    if (bSame)
        return FALSE;
    UpdateTabs();
    return TRUE;
}

void CQorDockingPaneTabbedContainer::UpdateTabs()
{
    CUpdateGuard guard(m_nLockUpdate);
    // A new theme brings a new painter: the row enters the one in force.
    if (CQorTabPaintManager* pPaintManager = GetPaintManager())
        pPaintManager->AddRow(this);
    m_pRowPainter = GetPaintManager();
    DeleteAllItems();
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos;) {
        CQorDockingPane* pPane = static_cast<CQorDockingPane*>(m_lstChildren.GetNext(pos));
        CQorTabManagerItem* pItem = InsertItem(GetItemCount());
        if (!pItem)
            continue;
        pItem->SetData(reinterpret_cast<DWORD_PTR>(pPane));
        pItem->SetCaption(pPane->GetTabCaption());
        pItem->SetColor(pPane->GetTabColor());
        pItem->SetTooltip(pPane->GetTitle());
        pItem->SetEnabled((pPane->GetEnabled() & qorPaneEnableClient) != 0);
        if (pPane == m_pSelectedPane)
            SetSelectedItem(pItem);
    }
    UpdateButtonsHot(CPoint(-1, -1));
}

// ---- Tab-row model -----------------------------------------------------------------------------

CQorTabPaintManager* CQorDockingPaneTabbedContainer::GetPaintManager() const
{
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    return pManager && pManager->GetPaintManager() ? pManager->GetPaintManager()->GetTabPaintManager() : nullptr;
}

void CQorDockingPaneTabbedContainer::RedrawControl(LPCRECT lpRect, BOOL)
{
    if (m_nLockUpdate > 0 || !m_hWnd)
        return;
    InvalidateRect(lpRect, FALSE);
}

void CQorDockingPaneTabbedContainer::Reposition()
{
    if (m_nLockUpdate > 0)
        return;
    if (CQorDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->RedrawPanes();
}

BOOL CQorDockingPaneTabbedContainer::DrawItemImage(CDC* pDC, CPoint pt, CQorTabManagerItem* pItem, BOOL bDraw,
                                                   CSize* pSize)
{
    CQorTabPaintManager* pPaintManager = GetPaintManager();
    if (!pPaintManager || !pPaintManager->m_bShowImages)
        return FALSE;
    CQorDockingPane* pPane = PaneOfItem(pItem);
    const CSize szImage = pSize ? *pSize : CSize(16, 16);
    CQorImageManagerIcon* pIcon = pPane ? pPane->GetImageIcon(szImage.cx) : nullptr;
    if (!pIcon || pIcon->GetImage().IsEmpty())
        return FALSE;
    if (bDraw && pDC)
        pItem->DrawImage(pDC, CRect(pt, szImage), pIcon);
    return TRUE;
}

// ---- Messages ----------------------------------------------------------------------------------

void CQorDockingPaneTabbedContainer::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CQorBufferDC buffer(dc.GetSafeHdc(), rcClient);
    if (CQorDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->GetPaintManager()->DrawPane(&buffer, this, rcClient);
}

BOOL CQorDockingPaneTabbedContainer::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CQorDockingPaneTabbedContainer::OnPrintClient(WPARAM wParam, LPARAM)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    if (CQorDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->GetPaintManager()->DrawPane(pDC, this, rcClient);
    return 1;
}

void CQorDockingPaneTabbedContainer::TakeFocus()
{
    if (m_pSelectedPane && m_pSelectedPane->GetChild())
        m_pSelectedPane->SetFocus();
    else
        SetFocus();
    if (CQorDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->CheckFocus();
}

void CQorDockingPaneTabbedContainer::OnLButtonDown(UINT, CPoint point)
{
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    if (!pManager)
        return;
    CQorDockingPaneCaptionButton* pButton = HitTestCaptionButton(point);
    if (pButton && (!m_pSelectedPane || (m_pSelectedPane->GetEnabled() & qorPaneEnableActions))) {
        TakeFocus();
        if (pButton->GetID() == QOR_IDS_DOCKING_MENU) {
            if (m_pSelectedPane) {
                pButton->SetPressed(TRUE);
                RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                CRect rcButton = pButton->GetRect();
                ClientToScreen(&rcButton);
                QOR_DOCKINGPANE_CAPTIONMENU menu = {m_pSelectedPane, rcButton.left, rcButton.bottom};
                pManager->NotifyOwner(qorDpnContextMenu, reinterpret_cast<LPARAM>(&menu));
                pButton->SetPressed(FALSE);
                Invalidate(FALSE);
            }
        } else if (pButton->Click(this, point) && m_pSelectedPane) {
            OnCaptionButtonClick(pButton);
        }
        return;
    }
    if (IsTabsVisible() && PerformClick(m_hWnd, point, TRUE))
        return;
    int nHit = HitTestPoint(point);
    if (nHit == -2) {
        if (!IsInAutoHidePanel()) {
            CPoint ptScreen = point;
            ClientToScreen(&ptScreen);
            OnCaptionLButtonDown(ptScreen);
        }
    } else if (nHit >= 0) {
        CQorDockingPane* pPane = PaneOfItem(GetItem(nHit));
        if (pManager->NotifyAction(qorActionDragging, pPane)) {
            SelectPane(pPane, TRUE, FALSE);
            PerformMouseMove(m_hWnd, point);
        } else {
            m_arrTabRects.RemoveAll();
            for (int i = 0; i < GetItemCount(); i++)
                m_arrTabRects.Add(GetItem(i)->GetRect());
            m_pTrackingPane = pPane;
            SelectPane(pPane, TRUE, FALSE);
            PerformMouseMove(m_hWnd, point);
            SetCapture();
        }
        Invalidate(FALSE);
    } else {
        TakeFocus();
    }
}

void CQorDockingPaneTabbedContainer::OnRButtonDown(UINT, CPoint point)
{
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    if (!pManager)
        return;
    if (IsTabsVisible()) {
        if (CQorTabManagerItem* pItem = HitTest(point))
            SelectPane(PaneOfItem(pItem), FALSE, FALSE);
    }
    TakeFocus();
    pManager->NotifyOwner(qorDpnRClick, reinterpret_cast<LPARAM>(static_cast<CQorDockingPaneBase*>(this)));
}

void CQorDockingPaneTabbedContainer::OnTabDragMove(CPoint pt)
{
    const int nDragged = FindPaneIndex(m_pTrackingPane);
    for (INT_PTR i = 0; i < m_arrTabRects.GetSize(); i++) {
        if (i == nDragged || !m_arrTabRects[i].PtInRect(pt))
            continue;
        CQorDockingPane* pOther = GetPaneAt(i);
        if (!pOther || nDragged < 0)
            return;
        POSITION posDragged = m_lstChildren.FindIndex(nDragged);
        POSITION posOther = m_lstChildren.FindIndex(i);
        m_lstChildren.SetAt(posDragged, pOther);
        m_lstChildren.SetAt(posOther, m_pTrackingPane);
        OnChildrenChanged(TRUE);
        return;
    }
    for (INT_PTR i = 0; i < m_arrTabRects.GetSize(); i++) {
        if (m_arrTabRects[i].PtInRect(pt))
            return;
    }
    if (m_rcHeaderRect.PtInRect(pt))
        return;
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager && !pManager->NotifyAction(qorActionDetaching, m_pTrackingPane)) {
        // Dragging the pane out of the row comes with the drag-and-dock context.
        m_pTrackingPane = nullptr;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
    }
}

void CQorDockingPaneTabbedContainer::OnMouseMove(UINT, CPoint point)
{
    if (IsTabsVisible())
        PerformMouseMove(m_hWnd, point);
    if (m_pTrackingPane)
        OnTabDragMove(point);
    else
        UpdateButtonsHot(point);
    Default();
}

void CQorDockingPaneTabbedContainer::UpdateButtonsHot(CPoint pt)
{
    if (!m_pCaptionButtons)
        return;
    for (INT_PTR i = 0; i < m_pCaptionButtons->GetSize(); i++)
        m_pCaptionButtons->GetAt(i)->OnMouseMove(pt);
}

void CQorDockingPaneTabbedContainer::OnMouseLeave()
{
    if (IsTabsVisible())
        PerformMouseMove(m_hWnd, CPoint(-1, -1));
    UpdateButtonsHot(CPoint(-1, -1));
}

void CQorDockingPaneTabbedContainer::OnLButtonUp(UINT, CPoint)
{
    m_pTrackingPane = nullptr;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CQorDockingPaneTabbedContainer::OnCaptureChanged(CWnd*)
{
    m_pTrackingPane = nullptr;
}

void CQorDockingPaneTabbedContainer::OnLButtonDblClk(UINT, CPoint point)
{
    // A quick second press on an arrow scrolls again.
    if (IsTabsVisible())
        PerformClick(m_hWnd, point, TRUE);
    // Toggling between docked and floating comes with the floating frames.
}

LRESULT CQorDockingPaneTabbedContainer::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager && pManager->GetToolTipContext()) {
        MSG msg = {m_hWnd, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {0, 0}};
        ::GetCursorPos(&msg.pt);
        pManager->GetToolTipContext()->FilterToolTipMessage(this, &msg);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

INT_PTR CQorDockingPaneTabbedContainer::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    INT_PTR nHit = CWnd::OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    if (CQorDockingPaneCaptionButton* pButton = HitTestCaptionButton(point)) {
        CString strTip;
        const UINT nID = static_cast<UINT>(pButton->GetID());
        if (!CQorResourceManager::LoadStringFromModule(CQorResourceManager::GetResourceModule(), nID, strTip))
            CQorResourceManager::LoadStringFromModule(nullptr, nID, strTip);
        if (strTip.IsEmpty())
            return -1;
        const CRect rc = pButton->GetRect();
        FillToolInfo(m_hWnd, strTip, pTI, rc.left, rc.top, rc.right, rc.bottom, nID);
        return static_cast<INT_PTR>(nID);
    }
    if (!IsTabsVisible())
        return -1;
    auto* pThis = const_cast<CQorDockingPaneTabbedContainer*>(this);
    return pThis->PerformToolHitTest(pThis, point, pTI);
}

LRESULT CQorDockingPaneTabbedContainer::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    CQorDockingPane* pPane = nullptr;
    if (IsTabsVisible())
        pPane = PaneOfItem(HitTest(pt));
    if (!pPane)
        pPane = m_pSelectedPane;
    if (!pPane)
        return 0;
    return 0x20000 + (pPane->m_nHelpId ? pPane->m_nHelpId : pPane->GetId());
}

BOOL CQorDockingPaneTabbedContainer::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager && pManager->m_bShowSizeCursorWhileDragging) {
        CRect rcExtra;
        pManager->GetPaintManager()->GetExtraMargins(rcExtra);
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (rcExtra.PtInRect(pt)) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

LRESULT CQorDockingPaneTabbedContainer::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) == OBJID_CLIENT)
        return LresultFromObject(wParam);
    return Default();
}

void CQorDockingPaneTabbedContainer::OnNcDestroy()
{
    // The window goes each time the group empties: OLE must not keep a target for a dead window.
    m_pDropTarget->Revoke();
    CWnd::OnNcDestroy();
}

void CQorDockingPaneTabbedContainer::OnFocusChanged()
{
    if (!m_hWnd || !IsWindowVisible())
        return;
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    HWND hWndFocus = ::GetFocus();
    BOOL bActive = FALSE;
    if (hWndFocus) {
        HWND hWndOwner = ::GetWindow(hWndFocus, GW_OWNER);
        if (!hWndOwner)
            hWndOwner = ::GetParent(hWndFocus);
        bActive = hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus) ||
                  (hWndOwner && (hWndOwner == m_hWnd || ::IsChild(m_hWnd, hWndOwner)));
    }
    if (bActive != m_bActive) {
        m_bActive = bActive;
        if (pManager)
            pManager->SetActivePane(bActive, m_pSelectedPane);
        Invalidate(FALSE);
    } else if (bActive && pManager && pManager->GetActivePane() != m_pSelectedPane) {
        pManager->SetActivePane(TRUE, m_pSelectedPane);
    }
}

// ---- Drop target -------------------------------------------------------------------------------

DROPEFFECT CQorDockingPaneTabbedContainer::CContainerDropTarget::OnDragEnter(CWnd* pWnd, IDataObject* pDataObject,
                                                                             DWORD dwKeyState, CPoint point)
{
    return OnDragOver(pWnd, pDataObject, dwKeyState, point);
}

DROPEFFECT CQorDockingPaneTabbedContainer::CContainerDropTarget::OnDragOver(CWnd*, IDataObject*, DWORD, CPoint point)
{
    CQorTabPaintManager* pPaintManager = m_pContainer->GetPaintManager();
    if (pPaintManager && pPaintManager->m_nSelectOnDragOver && m_pContainer->IsTabsVisible()) {
        if (CQorDockingPane* pPane = PaneOfItem(m_pContainer->HitTest(point)))
            m_pContainer->SelectPane(pPane, FALSE, FALSE);
    }
    return DROPEFFECT_NONE;
}

// ---- Accessibility -----------------------------------------------------------------------------

HRESULT CQorDockingPaneTabbedContainer::GetAccessibleParent(IDispatch** ppdispParent)
{
    if (!ppdispParent)
        return E_INVALIDARG;
    *ppdispParent = nullptr;
    return m_hWnd ? AccessibleObjectFromWindow(m_hWnd, ppdispParent) : E_FAIL;
}

HRESULT CQorDockingPaneTabbedContainer::GetAccessibleChildCount(long* pcountChildren)
{
    if (!pcountChildren)
        return E_INVALIDARG;
    *pcountChildren = GetItemCount() + 1;
    return S_OK;
}

IDispatch* CQorDockingPaneTabbedContainer::SelectedWindowDispatch()
{
    HWND hWndChild = m_pSelectedPane ? m_pSelectedPane->GetChild() : nullptr;
    IDispatch* pDispatch = nullptr;
    if (!hWndChild || !::IsWindow(hWndChild) || FAILED(AccessibleObjectFromWindow(hWndChild, &pDispatch)))
        return nullptr;
    return pDispatch;
}

HRESULT CQorDockingPaneTabbedContainer::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (!ppdispChild)
        return E_INVALIDARG;
    *ppdispChild = nullptr;
    const int nChild = GetVariantInt(varChild);
    if (nChild == 1) {
        *ppdispChild = SelectedWindowDispatch();
        return *ppdispChild ? S_OK : S_FALSE;
    }
    if (nChild < 2 || nChild - 2 >= GetItemCount())
        return E_INVALIDARG;
    CQorDockingPane* pPane = PaneOfItem(GetItem(nChild - 2));
    if (!pPane)
        return E_INVALIDARG;
    *ppdispChild = PaneDispatch(pPane);
    return S_OK;
}

HRESULT CQorDockingPaneTabbedContainer::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (!pvarChild)
        return E_INVALIDARG;
    ::VariantInit(pvarChild);
    if (!m_hWnd)
        return S_FALSE;
    CPoint pt(xLeft, yTop);
    ScreenToClient(&pt);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(pt))
        return S_FALSE;
    const int nHit = HitTestPoint(pt);
    if (nHit == -2) {
        pvarChild->vt = VT_I4;
        pvarChild->lVal = CHILDID_SELF;
        return S_OK;
    }
    if (nHit >= 0) {
        if (CQorDockingPane* pPane = PaneOfItem(GetItem(nHit))) {
            pvarChild->vt = VT_DISPATCH;
            pvarChild->pdispVal = PaneDispatch(pPane);
            return S_OK;
        }
    }
    if (IDispatch* pDispatch = SelectedWindowDispatch()) {
        pvarChild->vt = VT_DISPATCH;
        pvarChild->pdispVal = pDispatch;
        return S_OK;
    }
    return S_FALSE;
}

HRESULT CQorDockingPaneTabbedContainer::GetAccessibleName(VARIANT, BSTR* pszName)
{
    return QorAccessibleString(pszName, L"QorDockingPaneTabbedContainer");
}

HRESULT CQorDockingPaneTabbedContainer::GetAccessibleRole(VARIANT, VARIANT* pvarRole)
{
    return QorAccessibleLong(pvarRole, ROLE_SYSTEM_PAGETABLIST);
}

HRESULT CQorDockingPaneTabbedContainer::GetAccessibleState(VARIANT, VARIANT* pvarState)
{
    return QorAccessibleLong(pvarState, 0);
}

HRESULT CQorDockingPaneTabbedContainer::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                                           VARIANT)
{
    CRect rc;
    if (m_hWnd)
        GetWindowRect(&rc);
    return QorAccessibleLocation(pxLeft, pyTop, pcxWidth, pcyHeight, m_hWnd ? &rc : nullptr);
}
