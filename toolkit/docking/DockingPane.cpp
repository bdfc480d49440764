#include "toolkit/docking/DockingPane.h"

#include "toolkit/docking/DockingPaneAccessibility.h"
#include "toolkit/docking/DockingPaneLayout.h"
#include "toolkit/docking/DockingPaneManager.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/foundation/ImageManager.h"
#include "toolkit/foundation/ResourceManager.h"

BEGIN_INTERFACE_MAP(CQorDockingPane, CCmdTarget)
    INTERFACE_PART(CQorDockingPane, IID_IAccessible, Accessible)
    INTERFACE_PART(CQorDockingPane, IID_IDispatch, Accessible)
END_INTERFACE_MAP()

CQorDockingPane::CQorDockingPane(CQorDockingPaneLayout* pLayout) : CQorDockingPaneBase(qorDockingPaneTypePane, pLayout)
{}

CQorDockingPane::~CQorDockingPane() = default;

void CQorDockingPane::GetMinMaxInfo(MINMAXINFO* pMinMaxInfo) const
{
    ZeroMemory(pMinMaxInfo, sizeof(MINMAXINFO));
    pMinMaxInfo->ptMinTrackSize = m_ptMinTrackSize;
    pMinMaxInfo->ptMaxTrackSize = m_ptMaxTrackSize;
}

CWnd* CQorDockingPane::GetDockingSite() const
{
    return m_pParentContainer ? m_pParentContainer->GetDockingSite() : nullptr;
}

BOOL CQorDockingPane::IsInAutoHidePanel() const
{
    return m_pParentContainer ? m_pParentContainer->IsInAutoHidePanel() : FALSE;
}

void CQorDockingPane::OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* lpLayout)
{
    SetDockingSite(pSite);
    if (lpLayout && !lpLayout->hDWP)
        return;
    CQorDeferredMoves moves(1);
    PlaceChild(rect, moves);
}

void CQorDockingPane::PlaceChild(const CRect& rect, CQorDeferredMoves& moves)
{
    m_rcWindow = rect;
    if (!m_pParentContainer || !m_hwndChild || !::IsWindow(m_hwndChild))
        return;
    // The group may still be on its way to its new place (its move is deferred): the child's
    // place follows from the rectangle the layout gave the group, not from where it stands now.
    CRect rc = rect;
    if (m_pParentContainer->GetPaneHwnd()) {
        CRect rcGroup = m_pParentContainer->GetPaneWindowRect();
        rc.OffsetRect(-rcGroup.left, -rcGroup.top);
    }
    moves.Move(m_hwndChild, rc);
    const BOOL bEnabled = (m_dwEnabled & qorPaneEnableClient) != 0;
    if (!::IsWindowEnabled(m_hwndChild) != !bEnabled)
        ::EnableWindow(m_hwndChild, bEnabled);
}

void CQorDockingPane::SetParentContainer(CQorDockingPaneBase* pContainer)
{
    m_pParentContainer = pContainer;
    if (!m_hwndChild || !::IsWindow(m_hwndChild))
        return;
    if (pContainer) {
        if (HWND hWndParent = pContainer->GetPaneHwnd())
            ::SetParent(m_hwndChild, hWndParent);
        return;
    }
    // A closed pane's window waits, hidden, under the manager's window.
    ::ShowWindow(m_hwndChild, SW_HIDE);
    if (CQorDockingPaneManager* pManager = GetDockingPaneManager())
        ::SetParent(m_hwndChild, pManager->GetSafeHwnd());
    m_pDockingSite = nullptr;
}

CQorDockingPaneBase* CQorDockingPane::Clone(CQorDockingPaneLayout* pLayout, CQorDockingPaneCloneMap* pMap)
{
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    CQorDockingPaneBase* pNode = pManager ? pManager->CreateNode(qorDockingPaneTypePane, pLayout) : nullptr;
    if (!pNode)
        return nullptr;
    CQorDockingPane* pClone = static_cast<CQorDockingPane*>(pNode);
    pClone->Copy(this);
    if (pMap)
        pMap->SetAt(this, pNode);
    return pNode;
}

void CQorDockingPane::SetFocus()
{
    if (!m_hwndChild || !::IsWindow(m_hwndChild))
        return;
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus == m_hwndChild || ::IsChild(m_hwndChild, hWndFocus))
        return;
    ::SetFocus(m_hwndChild);
}

CString CQorDockingPane::GetTitle() const
{
    int nBreak = m_strTitle.Find(L'\n');
    return nBreak < 0 ? m_strTitle : m_strTitle.Left(nBreak);
}

CString CQorDockingPane::GetTabCaption() const
{
    int nBreak = m_strTitle.Find(L'\n');
    return nBreak < 0 ? m_strTitle : m_strTitle.Mid(nBreak + 1);
}

CQorImageManagerIcon* CQorDockingPane::GetImageIcon(int nWidth) const
{
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    if (!pManager || !pManager->GetImageManager())
        return nullptr;
    return pManager->GetImageManager()->GetImage(static_cast<UINT>(m_nIconID == -1 ? m_nID : m_nIconID), nWidth);
}

HICON CQorDockingPane::GetIcon(int nWidth) const
{
    CQorImageManagerIcon* pIcon = GetImageIcon(nWidth);
    return pIcon ? pIcon->GetImage().hIcon : nullptr;
}

COLORREF CQorDockingPane::GetTabColor() const
{
    if (m_clrItemTab != static_cast<COLORREF>(-1))
        return m_clrItemTab;
    if (m_hwndChild && ::IsWindow(m_hwndChild)) {
        if (LRESULT lColor = ::SendMessageW(m_hwndChild, WM_QOR_GETTABCOLOR, 0, 0))
            return static_cast<COLORREF>(lColor);
    }
    return static_cast<COLORREF>(CQorTabManager::tabColorFirst + (m_nID % CQorTabManager::tabColorCount));
}

void CQorDockingPane::Copy(const CQorDockingPane* pPane)
{
    m_nDockingCX = pPane->m_nDockingCX;
    m_nDockingCY = pPane->m_nDockingCY;
    m_strTitle = pPane->m_strTitle;
    m_nIconID = pPane->m_nIconID;
    m_dwOptions = pPane->m_dwOptions;
    m_nTag = pPane->m_nTag;
    m_nID = pPane->m_nID;
    m_dwEnabled = pPane->m_dwEnabled;
    m_ptMinTrackSize = pPane->m_ptMinTrackSize;
    m_ptMaxTrackSize = pPane->m_ptMaxTrackSize;
    m_hwndChild = nullptr;
}

void CQorDockingPane::SetId(int nID)
{
    m_nID = nID;
    CString strTitle;
    if (CQorResourceManager::LoadStringFromModule(CQorResourceManager::GetResourceModule(), static_cast<UINT>(nID),
                                                  strTitle) ||
        CQorResourceManager::LoadStringFromModule(nullptr, static_cast<UINT>(nID), strTitle))
        m_strTitle = strTitle;
}

void CQorDockingPane::Attach(CWnd* pWnd)
{
    Attach(pWnd ? pWnd->GetSafeHwnd() : nullptr);
}

void CQorDockingPane::Attach(HWND hWnd)
{
    if (!hWnd)
        return;
    m_hwndChild = hWnd;
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager)
        pManager->RedrawPanes();
    if (m_pParentContainer) {
        if (HWND hWndParent = m_pParentContainer->GetPaneHwnd())
            ::SetParent(hWnd, hWndParent);
    }
    if (pManager && pManager->m_bInitialUpdateCalled) {
        ::SendMessageW(hWnd, WM_INITIALUPDATE, 0, 0);
        // Every descendant, not only the framework's own windows: a dialog's plain controls
        // are told as well.
        CWnd::SendMessageToDescendants(hWnd, WM_INITIALUPDATE, 0, 0, TRUE, FALSE);
    }
}

void CQorDockingPane::Close()
{
    InternalAddRef();
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    if (pManager && pManager->NotifyOwner(qorDpnClosePane, reinterpret_cast<LPARAM>(this)) != -1) {
        if (m_pParentContainer)
            m_pParentContainer->RemovePane(this);
    }
    InternalRelease();
}

BOOL CQorDockingPane::IsSelected() const
{
    CQorDockingPaneTabbedContainer* pGroup = GetTabbedContainer();
    return pGroup && pGroup->GetSelected() == this;
}

CQorDockingPaneTabbedContainer* CQorDockingPane::GetTabbedContainer() const
{
    if (!m_pParentContainer || m_pParentContainer->GetType() != qorDockingPaneTypeTabbed)
        return nullptr;
    return static_cast<CQorDockingPaneTabbedContainer*>(m_pParentContainer);
}

DWORD CQorDockingPane::GetOptions() const
{
    CQorDockingPaneManager* pManager = GetDockingPaneManager();
    return m_dwOptions | (pManager ? pManager->m_dwDefaultPaneOptions : 0);
}

// ---- Accessibility -----------------------------------------------------------------------------

HRESULT CQorDockingPane::GetAccessibleParent(IDispatch** ppdispParent)
{
    if (!ppdispParent)
        return E_INVALIDARG;
    *ppdispParent = nullptr;
    CQorDockingPaneTabbedContainer* pGroup = GetTabbedContainer();
    if (!pGroup)
        return E_FAIL;
    *ppdispParent = static_cast<IDispatch*>(pGroup->GetAccessibleInterface());
    (*ppdispParent)->AddRef();
    return S_OK;
}

HRESULT CQorDockingPane::GetAccessibleChildCount(long* pcountChildren)
{
    if (!pcountChildren)
        return E_INVALIDARG;
    *pcountChildren = m_hwndChild ? 1 : 0;
    return S_OK;
}

HRESULT CQorDockingPane::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (!ppdispChild)
        return E_INVALIDARG;
    *ppdispChild = nullptr;
    if (GetVariantInt(varChild) != 1 || !m_hwndChild)
        return E_INVALIDARG;
    return AccessibleObjectFromWindow(m_hwndChild, ppdispChild);
}

HRESULT CQorDockingPane::GetAccessibleName(VARIANT, BSTR* pszName)
{
    return QorAccessibleString(pszName, GetTabCaption());
}

HRESULT CQorDockingPane::GetAccessibleDescription(VARIANT, BSTR* pszDescription)
{
    return QorAccessibleString(pszDescription, GetTitle());
}

HRESULT CQorDockingPane::GetAccessibleRole(VARIANT, VARIANT* pvarRole)
{
    return QorAccessibleLong(pvarRole, ROLE_SYSTEM_PAGETAB);
}

HRESULT CQorDockingPane::GetAccessibleState(VARIANT, VARIANT* pvarState)
{
    long nState = STATE_SYSTEM_SELECTABLE;
    if (!m_pParentContainer)
        nState |= STATE_SYSTEM_INVISIBLE;
    if (IsSelected())
        nState |= STATE_SYSTEM_SELECTED;
    return QorAccessibleLong(pvarState, nState);
}

HRESULT CQorDockingPane::GetAccessibleDefaultAction(VARIANT, BSTR* pszDefaultAction)
{
    return QorAccessibleString(pszDefaultAction, L"Switch");
}

HRESULT CQorDockingPane::AccessibleSelect(long, VARIANT)
{
    if (CQorDockingPaneManager* pManager = GetDockingPaneManager())
        pManager->ShowPane(this, TRUE);
    return S_OK;
}

HRESULT CQorDockingPane::AccessibleDoDefaultAction(VARIANT varChild)
{
    return AccessibleSelect(0, varChild);
}

HRESULT CQorDockingPane::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                            VARIANT varChild)
{
    // Every answer leaves defined values behind, S_FALSE (nothing to place) included.
    CRect rc;
    if (GetVariantInt(varChild) == 1) {
        if (!m_hwndChild)
            return QorAccessibleLocation(pxLeft, pyTop, pcxWidth, pcyHeight, nullptr);
        ::GetWindowRect(m_hwndChild, &rc);
        return QorAccessibleLocation(pxLeft, pyTop, pcxWidth, pcyHeight, &rc);
    }
    CQorDockingPaneTabbedContainer* pGroup = GetTabbedContainer();
    if (!pGroup || !pGroup->GetSafeHwnd())
        return QorAccessibleLocation(pxLeft, pyTop, pcxWidth, pcyHeight, nullptr);
    pGroup->GetWindowRect(&rc);
    for (int i = 0; i < pGroup->GetItemCount(); i++) {
        if (reinterpret_cast<CQorDockingPane*>(pGroup->GetItem(i)->GetData()) == this && pGroup->GetItemCount() >= 2 &&
            pGroup->IsTabsVisible()) {
            CRect rcTab = pGroup->GetItem(i)->GetRect();
            rcTab.OffsetRect(rc.left, rc.top);
            rc = rcTab;
        }
    }
    return QorAccessibleLocation(pxLeft, pyTop, pcxWidth, pcyHeight, &rc);
}

HRESULT CQorDockingPane::AccessibleHitTest(long, long, VARIANT* pvarChild)
{
    if (!pvarChild)
        return E_INVALIDARG;
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    return S_OK;
}
